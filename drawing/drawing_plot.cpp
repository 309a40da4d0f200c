#include "drawing/drawing_plot.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/hpgl_writer.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/drawing_source.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_sanitize.h"
#include "drawing/stages/path_order.h"
#include "drawing/stages/plot_options.h"
#include "drawing/stages/plot_stages.h"
#include "drawing/stages/roll_panels.h"
#include "settings/knife_file.h"

namespace {

// The plotter's reach around the printable area: the input window clips there, so what lies
// further out is not sent at all, and every coordinate stays a small whole number.
constexpr double kReachUnits = 40;
// 64 M vertices (512 MB of points) is far beyond any drawing a plotter draws in a day.
constexpr size_t kMaxPlotPoints = 64u * 1024 * 1024;
// Panels are plotted one by one, each waited for; a roll length that makes more is a mistake.
constexpr int kMaxPanels = 999;
// The pages of a document plotted at once: each is a plot of its own, waited for.
constexpr int kMaxPagePlots = 100;

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
    TSrConfig serial;
    std::memset(&serial, 0, sizeof serial);
    return ConvertDrawing(path, print, config, serial, KnifeSettings{}, bodies, chunking);
}

DrawingResult ConvertDrawing(const std::string& path, const TPrint& print, const TPrConfig& config,
                             const TSrConfig& serial, const KnifeSettings& knife,
                             const DrawingBodies& bodies, const SvgChunking& chunking) {
    DrawingResult result;
    result.name = QFileInfo(QFile::decodeName(path.c_str())).fileName().toUtf8().toStdString();

    const PlotOptions options = DecodePlotOptions(print, config, serial, knife);
    if (!options.cut.problem.empty())
        return Fail(result, DrawingError::Refused, options.cut.problem);
    const std::optional<PlotArea>& area = options.area;
    if (!area)
        return Fail(result, DrawingError::Refused,
                    "the page settings leave no printable area (margins cover the paper)");
    result.brc = "0,0," + std::to_string(area->width) + "," + std::to_string(area->height);

    const QRectF reach(-kReachUnits, -kReachUnits, PageWidth(*area) + 2 * kReachUnits,
                       PageHeight(*area) + 2 * kReachUnits);
    const PenChoice pens(options.pens, options.automaticPens);
    // One page of the drawing into `store` (a drawing without pages is its one page). A page
    // with nothing to plot says so as NothingToPlot; the page count comes back all the same.
    const auto paint = [&](int page, PathStore& store, QRectF* extent) {
        PolylineSink sink(*area, reach, kMaxPlotPoints);
        SourceOutcome out = PaintDrawingFile(path, page, chunking,
                                             PaintTarget{*area, pens, sink, store, kMaxPlotPoints});
        *extent = sink.extent();
        if (!out.ok()) return out;
        if (sink.full() || store.points() >= kMaxPlotPoints) {
            out.error = DrawingError::Refused;
            out.message =
                "the drawing has more than " + std::to_string(kMaxPlotPoints) + " points to plot";
        } else if (out.shapes == 0 || extent->isNull()) {
            out.error = DrawingError::NothingToPlot;
            out.message = "the drawing has no visible shape to plot";
        } else if (store.size() == 0) {
            out.error = DrawingError::NothingToPlot;
            out.message = "nothing of the drawing lies on the printable area";
        }
        return out;
    };
    const auto clipBy = [&](const QRectF& extent) {
        const ClipMm clip = ClipBeyond(*area, extent);
        result.clipLeftMm = std::max(result.clipLeftMm, clip.left);
        result.clipTopMm = std::max(result.clipTopMm, clip.top);
        result.clipRightMm = std::max(result.clipRightMm, clip.right);
        result.clipBottomMm = std::max(result.clipBottomMm, clip.bottom);
    };

    PathStore store;
    QRectF extent;
    const PanelRange asked = options.asked;
    const int firstAsked = asked.first;
    const SourceOutcome painted = paint(firstAsked, store, &extent);
    const bool paged = painted.pages > 1;
    if (!painted.ok() && !(paged && painted.error == DrawingError::NothingToPlot))
        return Fail(result, painted.error, painted.message);
    for (const std::string& note : painted.notes) AddNote(&result.notes, note);
    clipBy(extent);

    std::string problem;
    const std::optional<int32_t> roll =
        RollLengthUnits(options.rollFeed, options.rollLengthPoints, *area, &problem);
    if (!problem.empty()) return Fail(result, DrawingError::Refused, problem);
    // What `paths` plots as plot `number` of `of` on `panel`.
    const auto write = [&](const PathStore& paths, int number, int of, const PlotArea& panel) {
        DrawingPlot plot;
        plot.number = number;
        plot.of = of;
        plot.brc = PlotInputWindow(panel.width, panel.height, options.cut.output);
        std::FILE* body = bodies(plot);
        if (!body) return false;
        HpglWriter writer(body, options.cut, panel.width, panel.height);
        WritePaths(writer, paths, pens, options, panel);
        const bool written = writer.Finish();
        for (const std::string& note : writer.notes()) AddNote(&result.notes, note);
        plot.paths = static_cast<int64_t>(paths.size());
        plot.penUpTravel = std::llround(writer.penUpTravel());
        plot.bodyBytes = writer.bytes();
        result.paths += plot.paths;
        result.penUpTravel += plot.penUpTravel;
        result.bodyBytes += plot.bodyBytes;
        if (result.plots.empty()) result.brc = plot.brc;
        result.plots.push_back(plot);
        return written;
    };

    // A document of several pages: every page of the page range is a plot of its own, named
    // like a panel ("file.pdf (2/3)"); along a roll each is cut at the roll length.
    if (paged) {
        const std::optional<PanelRange> range = SelectPanels(asked, painted.pages, &problem);
        if (!range) return Fail(result, DrawingError::Refused, problem);
        const int count = range->last - range->first + 1;
        if (count > kMaxPagePlots)
            return Fail(result, DrawingError::Refused,
                        "the page range selects " + std::to_string(count) +
                            " pages of the document, more than the " +
                            std::to_string(kMaxPagePlots) +
                            " plotted at once: set First page and Last page in TRZNSerConfig");
        result.panels = painted.pages;
        result.pages = true;
        for (int page = range->first; page <= range->last; ++page) {
            SourceOutcome out = painted;
            if (page != range->first) {
                store = PathStore();
                out = paint(page, store, &extent);
                for (const std::string& note : out.notes) AddNote(&result.notes, note);
                clipBy(extent);
            }
            if (out.error == DrawingError::NothingToPlot) {
                AddNote(&result.notes, "page " + std::to_string(page) + ": " + out.message);
                continue;
            }
            if (!out.ok())
                return Fail(result, out.error, "page " + std::to_string(page) + ": " + out.message);
            PlotArea panel = *area;
            std::optional<PathStore> cut;
            if (roll) {
                const RollUse use = StretchesInUse(store, *roll, area->height);
                result.rollLengthMm = *roll / kPlotUnitsPerMm;
                result.beyondRollMm = std::max(
                    result.beyondRollMm,
                    std::max(0, std::min(use.reachesTo, area->height) - *roll) / kPlotUnitsPerMm);
                const Band band = StretchBand(*roll, 0, use.count);
                cut = CutBand(store, band, band.lo);
                panel.height = std::min(*roll, area->height - band.lo);
            }
            if (!write(cut ? *cut : store, page, count, panel))
                return Fail(result, DrawingError::WriteFailed, "the plot body can't be written");
        }
        if (result.plots.empty())
            return Fail(result, DrawingError::NothingToPlot,
                        "no page of the page range has a visible shape to plot");
        return result;
    }

    // Along the roll: the stretches of the roll length plotted, each moved to its own start.
    RollUse use;
    if (roll) {
        use = StretchesInUse(store, *roll, area->height);
        result.rollLengthMm = *roll / kPlotUnitsPerMm;
        if (options.autoSplit) {
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
    const std::optional<PanelRange> range = SelectPanels(asked, result.panels, &problem);
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
        if (!write(paths, number, range->last - range->first + 1, panel))
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
