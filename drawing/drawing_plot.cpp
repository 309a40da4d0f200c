#include "drawing/drawing_plot.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "drawing/hpgl_writer.h"
#include "drawing/page_layout.h"
#include "drawing/path_order.h"
#include "drawing/path_store.h"
#include "drawing/pen_choice.h"
#include "drawing/plot_stages.h"
#include "drawing/polyline_sink.h"
#include "drawing/roll_panels.h"
#include "drawing/svg_paint.h"
#include "drawing/svg_sanitize.h"
#include "drawing/svg_source.h"

namespace {

// The plotter's reach around the printable area: the input window clips there, so what lies
// further out is not sent at all, and every coordinate stays a small whole number.
constexpr double kReachUnits = 40;
// 64 M vertices (512 MB of points) is far beyond any drawing a plotter draws in a day.
constexpr size_t kMaxPlotPoints = 64u * 1024 * 1024;
// Panels are plotted one by one, each waited for; a roll length that makes more is a mistake.
constexpr int kMaxPanels = 999;

DrawingResult& Fail(DrawingResult& r, DrawingError error, std::string message) {
    r.error = error;
    r.message = std::move(message);
    return r;
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string Millimetres(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", mm);
    return text;
}

}  // namespace

DrawingResult ConvertDrawing(const std::string& path, const TPrint& print, const TPrConfig& config,
                             std::FILE* body) {
    return ConvertDrawing(path, print, config, body, SvgChunking{});
}

DrawingResult ConvertDrawing(const std::string& path, const TPrint& print, const TPrConfig& config,
                             std::FILE* body, const SvgChunking& chunking) {
    bool many = false;
    DrawingResult result = ConvertDrawing(
        path, print, config,
        [&](const DrawingPlot& plot) {
            many = plot.of > 1;
            return many ? nullptr : body;
        },
        chunking);
    if (many)
        Fail(result, DrawingError::Refused,
             "the drawing is cut into " + std::to_string(result.panels) +
                 " panels along the roll, and there is one body to write");
    return result;
}

DrawingResult ConvertDrawing(const std::string& path, const TPrint& print, const TPrConfig& config,
                             const DrawingBodies& bodies, const SvgChunking& chunking) {
    DrawingResult result;
    result.name = QFileInfo(QFile::decodeName(path.c_str())).fileName().toUtf8().toStdString();

    const std::optional<PlotArea> area = PlotAreaOf(print);
    if (!area)
        return Fail(result, DrawingError::Refused,
                    "the page settings leave no printable area (margins cover the paper)");
    result.brc = "0,0," + std::to_string(area->width) + "," + std::to_string(area->height);

    SvgBytes bytes = ReadSvgBytes(path);
    if (bytes.error != DrawingError::None) return Fail(result, bytes.error, bytes.message);
    SanitizedSvg svg = SanitizeSvg(bytes.xml);
    bytes.xml.clear();
    if (svg.error != DrawingError::None) return Fail(result, svg.error, svg.message);
    result.notes = svg.notes;

    const QRectF reach(-kReachUnits, -kReachUnits, PageWidth(*area) + 2 * kReachUnits,
                       PageHeight(*area) + 2 * kReachUnits);
    PolylineSink sink(*area, reach, kMaxPlotPoints);
    PathStore store;
    const PenChoice pens(config);
    const PaintOutcome painted = PaintSvg(svg, *area, pens, sink, store, kMaxPlotPoints, chunking);
    svg.xml.clear();
    if (!painted.loaded)
        return Fail(result, DrawingError::NotSvg,
                    "not an SVG drawing Qt can read: " + OneLine(painted.loadError));
    if (!painted.refusal.empty()) return Fail(result, DrawingError::Refused, painted.refusal);
    for (const std::string& note : painted.notes) AddNote(&result.notes, note);
    if (sink.full() || store.points() >= kMaxPlotPoints)
        return Fail(
            result, DrawingError::Refused,
            "the drawing has more than " + std::to_string(kMaxPlotPoints) + " points to plot");

    const ClipMm clip = ClipBeyond(*area, sink.extent());
    result.clipLeftMm = clip.left;
    result.clipTopMm = clip.top;
    result.clipRightMm = clip.right;
    result.clipBottomMm = clip.bottom;
    if (painted.shapes == 0 || sink.extent().isNull())
        return Fail(result, DrawingError::NothingToPlot,
                    "the drawing has no visible shape to plot");
    if (store.size() == 0)
        return Fail(result, DrawingError::NothingToPlot,
                    "nothing of the drawing lies on the printable area");

    // Along the roll: the stretches of the roll length plotted, each moved to its own start.
    std::string problem;
    const std::optional<int32_t> roll = RollLengthUnits(print, config, *area, &problem);
    if (!problem.empty()) return Fail(result, DrawingError::Refused, problem);
    RollUse use;
    if (roll) {
        use = StretchesInUse(store, *roll, area->height);
        result.rollLengthMm = *roll / kPlotUnitsPerMm;
        if (config.fautosep != 0) {
            const size_t panels = use.last - use.first + 1;
            if (panels > kMaxPanels)
                return Fail(result, DrawingError::Refused,
                            "the roll length (" + Millimetres(result.rollLengthMm) +
                                " mm) cuts the drawing into " + std::to_string(panels) +
                                " panels, more than " + std::to_string(kMaxPanels));
            result.panels = static_cast<int>(panels);
        } else {
            use.first = 0;
            const int32_t reach = std::min(use.reachesTo, area->height);
            result.beyondRollMm = std::max(0, reach - *roll) / kPlotUnitsPerMm;
        }
    }
    const std::optional<PanelRange> range = SelectPanels(config, result.panels, &problem);
    if (!range) return Fail(result, DrawingError::Refused, problem);

    for (int number = range->first; number <= range->last; ++number) {
        PlotArea panel = *area;
        std::optional<PathStore> cut;
        if (roll) {
            const size_t k = use.first + static_cast<size_t>(number - 1);
            const Band band = StretchBand(*roll, k, use.count);
            cut = CutBand(store, band, band.lo);
            panel.height = std::min(*roll, area->height - band.lo);
        }
        const PathStore& paths = cut ? *cut : store;
        if (paths.size() == 0 && result.panels == 1)
            return Fail(result, DrawingError::NothingToPlot,
                        "nothing of the drawing lies within the roll length (" +
                            Millimetres(result.rollLengthMm) + " mm)");
        DrawingPlot plot;
        plot.number = number;
        plot.of = range->last - range->first + 1;
        plot.brc = "0,0," + std::to_string(panel.width) + "," + std::to_string(panel.height);
        std::FILE* body = bodies(plot);
        if (!body) return Fail(result, DrawingError::WriteFailed, "the plot body can't be written");
        HpglWriter writer(body);
        WritePaths(writer, paths, pens, config, panel);
        const bool written = writer.Finish();
        plot.paths = static_cast<int64_t>(paths.size());
        plot.penUpTravel = std::llround(writer.penUpTravel());
        plot.bodyBytes = writer.bytes();
        result.paths += plot.paths;
        result.penUpTravel += plot.penUpTravel;
        result.bodyBytes += plot.bodyBytes;
        if (result.plots.empty()) result.brc = plot.brc;
        result.plots.push_back(plot);
        if (!written)
            return Fail(result, DrawingError::WriteFailed, "the plot body can't be written");
    }
    return result;
}

std::string PlotName(const DrawingResult& result, size_t index) {
    if (result.panels <= 1 || index >= result.plots.size()) return result.name;
    return result.name + " (" + std::to_string(result.plots[index].number) + "/" +
           std::to_string(result.panels) + ")";
}

std::string DrawingHeaderLines(const DrawingResult& result, size_t index) {
    std::string lines;
    const std::string& brc = index < result.plots.size() ? result.plots[index].brc : result.brc;
    if (!brc.empty()) lines += "BRC:" + brc + "\n";
    lines += "NAME:" + OneLine(PlotName(result, index)) + "\n";
    for (const std::string& note : result.notes) lines += "NOTE:" + OneLine(note) + "\n";
    if (result.clipped())
        lines += "NOTE:the drawing reaches beyond the printable area (left " +
                 Millimetres(result.clipLeftMm) + " mm, top " + Millimetres(result.clipTopMm) +
                 " mm, right " + Millimetres(result.clipRightMm) + " mm, bottom " +
                 Millimetres(result.clipBottomMm) + " mm); that part is not plotted\n";
    if (result.beyondRollMm > 0)
        lines += "NOTE:the drawing reaches " + Millimetres(result.beyondRollMm) +
                 " mm beyond the roll length (" + Millimetres(result.rollLengthMm) +
                 " mm); that part is not plotted\n";
    return lines;
}
