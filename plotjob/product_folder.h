#pragma once
// The product folder, where the plug-in, the configuration window, the sender and trzn-plot meet.
// Its place under the Documents folder and the names of the files in it are the plug-in's too,
// which reads and writes the same files: they are spelled here and nowhere else.

#include <string>
#include <string_view>

namespace product {
inline constexpr char kHeaderLines[] = "Trazen Sender Prefs";  // BRC:, NAME: and NOTE: lines
inline constexpr char kPlotBody[] = "Trazen Prefs";
inline constexpr char kFramedPlot[] = "Trazen.tmp";  // the plot as it is sent
inline constexpr char kSettings[] = "TRZNSerConfig.ini";
inline constexpr char kKnife[] = "TRZNKnife.ini";  // ours alone: the plug-in never reads it
inline constexpr char kOutlines[] = "TRZNOutlines.ini";  // ours alone, as the knife's
inline constexpr char kPresets[] = "Prefs";        // the folder of the preset files
inline constexpr char kSlotLock[] = ".plot.lock";
inline constexpr char kSendResult[] = ".plot.result";  // how the sender's last run ended
// The longest name a program appends to the product folder, with its '/': a path buffer sized
// for the folder must take it as well.
inline constexpr size_t kLongestName = std::string_view(kHeaderLines).size() + 1;
}  // namespace product

// <documents>/Adobe/Illustrator/Trazen; nothing is made.
std::string ProductFolderIn(const std::string& documents);
// The same, each level made on the way (mode 0777, failures show when a file is opened).
std::string MakeProductFolder(const std::string& documents);

// The product folder of the user's Documents folder, each level made; empty when the Documents
// folder can't be found. No trailing slash.
std::string ProductFolder();
// ProductFolder()/Prefs, made as well; empty as above.
std::string PresetFolder();

// folder/name, for a name of the product namespace.
std::string ProductFile(const std::string& folder, std::string_view name);
