#pragma once
// The header lines a plot comes with ("Trazen Sender Prefs"), between whoever made the plot (the
// plug-in, trzn-plot) and the sender: "BRC:" the input window, "UNIT:" the plotter's steps per
// inch when they are not HP-GL's 1016, "NAME:" the plot's name, and one "NOTE:" line per note.
// Written and read here only; docs/guide.md describes the lines.

#include <string>
#include <string_view>
#include <vector>

#include "plotjob/plot_note.h"

struct HeaderLines {
    std::string brc;          // the input window ("0,0,10000,7500"), empty for none
    int stepsPerInch = 1016;  // HP-GL's own unless a valid "UNIT:" line says otherwise
    std::string name;         // as written: UTF-8 from trzn-plot, Shift-JIS from the plug-in
    std::vector<Note> notes;  // each once, in the order written

    // The lines, each ended by `end` (trzn-plot's drawings "\n", its HP-GL plots "\r\n"): BRC
    // when set, UNIT when not 1016, NAME when set, then the notes. A line end inside a name or a
    // note's words becomes a space.
    std::string Format(std::string_view end = "\n") const;

    // The lines as any writer left them, CR LF or LF ended. The input window is found as the
    // framing has always found it: in pieces of at most 80 bytes, the first piece starting
    // "BRC:", cut at a NUL. The other lines are looked for in the first 64 KB only.
    static HeaderLines Read(std::string_view text);
};

// A note as a NOTE line carries it (without "NOTE:"): an id's note as a JSON array of its key
// and its values (a value a string, or such an array for a note within); a Text note as its
// words. Reading gives back the note; a line that is no such array, or names a key this
// program does not know, is a Text note of the line as it stands.
std::string FormatNoteLine(const Note& note);
Note ReadNoteLine(std::string_view line);
