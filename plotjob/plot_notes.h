#pragma once
// Notes said in the session's language where they are shown (the sender's window, trzn-plot's
// output): an id's words from the one table (plot_note.h), translated, with its values filled in.

#include <QString>
#include <string>

#include "plotjob/plot_note.h"

QString NoteWords(const Note& note);

// A text that is no id yet (a refusal of the reading, a note of the writer's stages): said in
// the session's language when it is the words of an id of the table with its values filled in,
// else as it came. Goes once every layer gives ids.
QString NoteInSessionLanguage(const std::string& note);
