#pragma once
// Notes said in the session's language where they are shown (the sender's window, trzn-plot's
// output): an id's words from the one table (plot_note.h), translated, with its values filled in.

#include <QString>
#include <string>

#include "plotjob/plot_note.h"

// A Text note (one of the writer's stages, the knife file's, or another program's) is said in
// the session's language when it is the words of an id of the table with its values filled in,
// else as it came; that matching goes once every layer gives ids.
QString NoteWords(const Note& note);
