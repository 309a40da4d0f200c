#pragma once
// Started from the file manager or Inkscape, a document of many pages (or a drawing cut into
// panels along the roll) would become many plots at once without a word, the page range being
// 1 to 9999 unless the user set another: the user is asked first. From a command line the range
// is taken as given.

#include <QString>
#include <cstdint>
#include <vector>

#include "tools/plot_parts.h"

enum class PlotsChosen { All, First, None };

// The question and its three answers (plot all, plot the first only, cancel); `file` names
// the drawing, first and last the window's page range.
struct ManyPlotsQuestion {
    QString text;
    QString all;
    QString first;
    QString none;
};
ManyPlotsQuestion AskedOfManyPlots(const std::vector<PlotPart>& parts, const QString& file,
                                   int32_t first, int32_t last);

// Asks through the modal seam when there is more than one part; All without asking otherwise.
PlotsChosen AskManyPlots(const std::vector<PlotPart>& parts, const QString& file, int32_t first,
                         int32_t last);

// The parts the answer keeps: all, the first, or none.
std::vector<PlotPart> ChosenParts(const std::vector<PlotPart>& parts, PlotsChosen chosen);
