#pragma once
// The header and footer of the output tab: device commands typed by the user, sent at the start
// and at the end of every plot body. The window stores them as typed (Shift-JIS); a few escapes
// stand for the bytes a keyboard can't type into a text field.

#include <string>
#include <string_view>

// The bytes `typed` stands for: "\e" escape, "\r", "\n", "\\" and "\xNN" (two hex digits) as
// their byte, everything else as it is. False, with the reason in *problem, for text that is not
// Shift-JIS or has an escape it can't read; a Shift-JIS character whose second byte is a
// backslash stays that character.
bool DecodeDeviceCommands(std::string_view typed, std::string* bytes, std::string* problem);

// Whether an HP-GL plot already starts with `header` (after the input window a kept plot
// begins with) and ends with `footer`: a plot trzn-plot kept, sent later, gets them only once.
bool CarriesDeviceCommands(std::string_view body, std::string_view header, std::string_view footer);
