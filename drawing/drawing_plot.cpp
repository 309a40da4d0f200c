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
#include "drawing/polyline_sink.h"
#include "drawing/drawing_source.h"
#include "drawing/svg_chunks.h"

namespace {

// The plotter's reach around the printable area: the input window clips there, so what lies
// further out is not sent at all, and every coordinate stays a small whole number.
constexpr double kReachUnits = 40;
// 64 M vertices (512 MB of points) is far beyond any drawing a plotter draws in a day.
constexpr size_t kMaxPlotPoints = 64u * 1024 * 1024;

DrawingResult& Fail(DrawingResult& r, DrawingError error, std::string message) {
    r.error = error;
    r.message = std::move(message);
    return r;
}

// What the ordering needs of one pen's paths, in document order: both ends of an open path
// (the inside never decides where it is entered) and every vertex of a closed one; `index`
// gives each one's place in the store.
PathSet EntriesOfPen(const PathStore& store, const PenChoice& choice, int number,
                     std::vector<uint32_t>& index) {
    PathSet entries, one;
    for (size_t i = 0; i < store.size(); ++i) {
        if (choice.NumberOf(store.pen(i)) != number) continue;
        store.Get(i, one);
        index.push_back(static_cast<uint32_t>(i));
        entries.starts.push_back(static_cast<uint32_t>(entries.points.size()));
        if (one.closed(0))
            entries.points.insert(entries.points.end(), one.points.begin(), one.points.end());
        else
            entries.points.insert(entries.points.end(), {one.points.front(), one.points.back()});
    }
    return entries;
}

void WriteOptimised(HpglWriter& writer, const PathStore& store, const PenChoice& choice) {
    std::set<int> numbers;
    for (size_t i = 0; i < store.size(); ++i) numbers.insert(choice.NumberOf(store.pen(i)));
    PathSet one;
    for (int number : numbers) {
        writer.SelectPen(number);
        std::vector<uint32_t> index;
        const PathSet entries = EntriesOfPen(store, choice, number, index);
        for (const PathStep& step : OrderPaths(entries, writer.position())) {
            store.Get(index[step.path], one);
            const uint32_t last = static_cast<uint32_t>(one.points.size() - 1);
            const uint32_t entry = entries.closed(step.path) ? step.entry - entries.begin(step.path)
                                                             : (step.reversed ? last : 0);
            writer.Draw(one, PathStep{0, step.reversed, entry});
        }
    }
}

void WriteInDocumentOrder(HpglWriter& writer, const PathStore& store, const PenChoice& choice) {
    int current = -1;
    PathSet one;
    for (size_t i = 0; i < store.size(); ++i) {
        const int number = choice.NumberOf(store.pen(i));
        if (number != current) writer.SelectPen(number);
        current = number;
        store.Get(i, one);
        writer.Draw(one, PathStep{0, false, 0});
    }
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// The first page of the page range the configuration window stored.
int FirstPageOf(const TPrint& print) { return std::max<int>(1, print.prJob.iFstPage); }

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
                             std::FILE* body, const SvgChunking& chunking, int page) {
    DrawingResult result;
    result.name = QFileInfo(QFile::decodeName(path.c_str())).fileName().toUtf8().toStdString();

    const std::optional<PlotArea> area = PlotAreaOf(print);
    if (!area)
        return Fail(result, DrawingError::Refused,
                    "the page settings leave no printable area (margins cover the paper)");
    result.brc = "0,0," + std::to_string(area->width) + "," + std::to_string(area->height);

    const QRectF reach(-kReachUnits, -kReachUnits, area->width + 2 * kReachUnits,
                       area->height + 2 * kReachUnits);
    PolylineSink sink(*area, reach, kMaxPlotPoints);
    PathStore store;
    const PenChoice pens(config);
    const SourceOutcome painted = PaintDrawingFile(
        path, page > 0 ? page : FirstPageOf(print), chunking,
        PaintTarget{*area, pens, sink, store, kMaxPlotPoints});
    if (!painted.ok()) return Fail(result, painted.error, painted.message);
    result.notes = painted.notes;
    result.pages = painted.pages;
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

    HpglWriter writer(body);
    // The check box is stored inverted: 0 is ticked.
    if (config.foptln == 0)
        WriteOptimised(writer, store, pens);
    else
        WriteInDocumentOrder(writer, store, pens);
    const bool written = writer.Finish();
    result.paths = static_cast<int64_t>(store.size());
    result.penUpTravel = std::llround(writer.penUpTravel());
    result.bodyBytes = writer.bytes();
    if (!written) return Fail(result, DrawingError::WriteFailed, "the plot body can't be written");
    return result;
}

std::string DrawingHeaderLines(const DrawingResult& result) {
    std::string lines;
    if (!result.brc.empty()) lines += "BRC:" + result.brc + "\n";
    lines += "NAME:" + OneLine(result.name) + "\n";
    for (const std::string& note : result.notes) lines += "NOTE:" + OneLine(note) + "\n";
    if (result.clipped())
        lines += "NOTE:the drawing reaches beyond the printable area (left " +
                 Millimetres(result.clipLeftMm) + " mm, top " + Millimetres(result.clipTopMm) +
                 " mm, right " + Millimetres(result.clipRightMm) + " mm, bottom " +
                 Millimetres(result.clipBottomMm) + " mm); that part is not plotted\n";
    return lines;
}
