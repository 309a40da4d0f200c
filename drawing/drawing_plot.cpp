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
#include "drawing/svg_paint.h"
#include "drawing/svg_sanitize.h"
#include "drawing/svg_source.h"

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

    const QRectF reach(-kReachUnits, -kReachUnits, area->width + 2 * kReachUnits,
                       area->height + 2 * kReachUnits);
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

    HpglWriter writer(body);
    WritePaths(writer, store, pens, config, *area);
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
