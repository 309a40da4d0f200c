#pragma once
// How trzn-plot speaks: a line on the error output for each message and, started from the file
// manager (--gui), a message box as well. Its words are written in English (a command's words
// are the ones scripts and reports quote); platform/translation.h gives them in Japanese.

#include <QString>
#include <string>
#include <vector>

#include "plotjob/plot_note.h"
#include "tools/plot_outcome.h"

// Whether messages also go into a window (--gui with a display to show it on).
void SetShowsWindows(bool gui);
bool ShowsWindows();

// "trzn-plot: message" on the error output.
void Say(const QString& message);
// Says the message (in a warning box too, with --gui) and returns the outcome's exit status.
int Fail(PlotOutcome outcome, const QString& message);
// Each note on what the plot leaves out, in the session's language.
void SayRemarks(const std::vector<Note>& remarks);
