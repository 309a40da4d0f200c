#pragma once
// The notes on what a plot leaves out, and the other English words the drawing's reading gives
// as plain text, said in the session's language where they are shown (the sender's window,
// trzn-plot's error output). The reading has no translator of its own: its texts are matched
// here against one table of patterns, and each becomes its translation with the same numbers
// and names. A text the table does not know is shown as it came.

#include <QString>
#include <string>

QString NoteInSessionLanguage(const std::string& note);
