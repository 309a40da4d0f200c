#include "tools/plot_question.h"

#include "platform/modal.h"
#include "tools/plot_tr.h"

ManyPlotsQuestion AskedOfManyPlots(const std::vector<PlotPart>& parts, const QString& file,
                                   int32_t first, int32_t last) {
    ManyPlotsQuestion q;
    if (parts.empty()) return q;
    const PlotPart& front = parts.front();
    const int n = static_cast<int>(parts.size());
    const QString range = QStringLiteral("%1-%2").arg(first).arg(last);
    if (front.page) {
        q.text = TPlotWords::tr(
                     "%1 has %2 pages, and the page range %3 set in Trazen Plotter "
                     "Settings makes %n plots of them, one per page.",
                     nullptr, n)
                     .arg(file, QString::number(front.count), range);
        q.all = TPlotWords::tr("Plot all %n pages", nullptr, n);
        q.first = TPlotWords::tr("Plot page %1 only").arg(front.number);
    } else {
        q.text = TPlotWords::tr(
                     "%1 is cut into %2 panels along the roll, and the page range %3 "
                     "set in Trazen Plotter Settings makes %n plots of them, one per "
                     "panel.",
                     nullptr, n)
                     .arg(file, QString::number(front.count), range);
        q.all = TPlotWords::tr("Plot all %n panels", nullptr, n);
        q.first = TPlotWords::tr("Plot panel %1 only").arg(front.number);
    }
    q.none = TPlotWords::tr("Cancel");
    return q;
}

PlotsChosen AskManyPlots(const std::vector<PlotPart>& parts, const QString& file, int32_t first,
                         int32_t last) {
    if (parts.size() <= 1) return PlotsChosen::All;
    const ManyPlotsQuestion q = AskedOfManyPlots(parts, file, first, last);
    switch (Modal().Choose(nullptr, q.text, {q.all, q.first, q.none})) {
        case 1:
            return PlotsChosen::All;
        case 2:
            return PlotsChosen::First;
        default:
            return PlotsChosen::None;
    }
}

std::vector<PlotPart> ChosenParts(const std::vector<PlotPart>& parts, PlotsChosen chosen) {
    switch (chosen) {
        case PlotsChosen::All:
            return parts;
        case PlotsChosen::First:
            return parts.empty() ? parts : std::vector<PlotPart>{parts.front()};
        case PlotsChosen::None:
            break;
    }
    return {};
}
