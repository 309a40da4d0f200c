#include "drawing/read/svg/svg_paint.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <regex>

#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/paint/flatten.h"
#include "drawing/paint/path_engine.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/pen_lines.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/collect_into.h"
#include "drawing/read/qt_host.h"
#include "drawing/read/svg/clip_marks_apply.h"

namespace {

// What Qt said while the drawing was read and painted.
std::vector<std::string>* gCaptured = nullptr;
std::vector<std::string> gUnplaced;  // what was captured, without "<input>:line:column:"
int gHeard = 0;

std::string Unplaced(const std::string& message) {
    static const std::regex where("^<input>:[0-9]+:[0-9]+: *");
    return std::regex_replace(message, where, "");
}

// Up to 64 complaints, as many a drawing read whole gives; one about what every piece of a big
// drawing carries comes once per piece and is kept once.
void Capture(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (gCaptured && type != QtFatalMsg) {
        if (gHeard >= 64) return;
        ++gHeard;
        std::string message = text.simplified().toStdString();
        std::string unplaced = Unplaced(message);
        if (std::find(gUnplaced.begin(), gUnplaced.end(), unplaced) != gUnplaced.end()) return;
        gUnplaced.push_back(std::move(unplaced));
        gCaptured->push_back(std::move(message));
        return;
    }
    QtMessageCapture::PassOn(type, context, text);
}

class CaptureMessages {
public:
    explicit CaptureMessages(std::vector<std::string>* into) : _capture(Capture) {
        gCaptured = into;
        gUnplaced.clear();
        gHeard = 0;
    }
    ~CaptureMessages() { gCaptured = nullptr; }

private:
    QtMessageCapture _capture;
};

Note NoteFor(std::string message) {
    if (message.find("invalid coordinates") != std::string::npos)
        return NoteId::PointsInvalidNonFinite;
    // "<input>:line:column: text": the same complaint at many places is said once.
    return Note(NoteId::PartsQtSVGReader, {Unplaced(message)});
}

// The drawing's canvas (its viewport) in device units, when its size is known: its width and
// height, or without them its viewBox, which then fills the viewport.
std::optional<QRectF> CanvasOf(const SvgRootSize& root, const QTransform& toDevice,
                               const PlotArea& area) {
    const double k = area.scale * kPlotUnitsPerMm;
    const std::optional<double> w = LengthInMm(root.width), h = LengthInMm(root.height);
    if (w && h) return QRectF(0, 0, *w * k, *h * k);
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList box = root.viewBox.split(separators, Qt::SkipEmptyParts);
    if (box.size() != 4) return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = box[i].toDouble(&ok);
        if (!ok || !std::isfinite(v[i])) return std::nullopt;
    }
    if (!(v[2] > 0 && v[3] > 0)) return std::nullopt;
    return toDevice.mapRect(QRectF(v[0], v[1], v[2], v[3]));
}

// How far the shapes reach beyond the canvas, said in the drawing's millimetres as the paper's
// edge is: rounded up to a tenth.
std::optional<Note> BeyondCanvasNote(const QRectF& canvas, const QRectF& reach, double unitsPerMm) {
    const struct {
        double units;
        NoteId side;
    } sides[] = {{canvas.left() - reach.left(), NoteId::MmOnTheLeft},
                 {canvas.top() - reach.top(), NoteId::MmAtTheTop},
                 {reach.right() - canvas.right(), NoteId::MmOnTheRight},
                 {reach.bottom() - canvas.bottom(), NoteId::MmAtTheBottom}};
    Note said(NoteId::List);
    for (const auto& s : sides) {
        const double mm = std::ceil(s.units / unitsPerMm * 10 - 1e-6) / 10;
        if (!(mm > 0)) continue;
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", mm);
        said.values.push_back(Note(s.side, {text}));
    }
    if (said.values.empty()) return std::nullopt;
    return Note(NoteId::DrawingReachesBeyondCanvas, {std::move(said)});
}

// Every shape of a drawing to `take`, in order; false when the drawing can't be painted.
using ShapePainter = std::function<bool(const std::function<void(const PaintedPath&)>&)>;

// A big drawing with pens that hatch: the hatching is counted over the whole drawing first, so
// that one that can't fit is refused in the time of a reading, not after most of it is hatched.
// The first count leaves out the simplifying of the strokes drawn as hatched bands (most of
// what counting costs) and takes their lines and boundary points at the least: what it finds
// is there at the least, so passing the plot's room there refuses the drawing for sure. Only
// where bands were left out is the drawing counted again, whole. False when the drawing can't
// be painted or its hatching is refused (said in `out`).
bool HatchingFits(const ShapePainter& paint, const PenChoice& pens, PolylineSink& sink,
                  uint64_t maxPoints, PaintOutcome& out) {
    bool hatches = false;
    for (uint8_t e = 0; e < kPenCount; ++e) hatches = hatches || pens.ThicknessMm(e) != 0;
    if (!hatches) return true;
    for (const bool least : {true, false}) {
        PenLines count(pens, sink);
        uint64_t outlines = 0;  // points
        if (!paint([&](const PaintedPath& p) {
                const uint64_t used = outlines + count.bandPoints() + 2 * count.hatchSegments();
                if (count.refusal() || used >= maxPoints) return;
                count.SetRoom(maxPoints - used);
                if (least)
                    count.CountLeast(p);
                else
                    count.Count(p);
                outlines += sink.paths().points.size();
                sink.paths() = PathSet{};
                sink.pens().clear();
            }))
            return false;
        if (!count.refusal() &&
            outlines + count.bandPoints() + 2 * count.hatchSegments() >= maxPoints)
            out.refusal = NoteId::HatchingFillsThesePen;
        if (count.refusal()) out.refusal = count.refusal();
        if (out.refusal) return false;
        if (!count.leftOut()) return true;
    }
    return true;
}

}  // namespace

PaintOutcome PaintSvg(const SanitizedSvg& svg, const PaintTarget& target,
                      const SvgChunking& chunking) {
    const PlotArea& area = target.area;
    const PenChoice& pens = target.pens;
    PolylineSink& sink = target.sink;
    PathStore& store = target.store;
    const uint64_t maxPoints = target.maxPoints;
    PaintOutcome out;
    EnsureQtGuiApplication();
    std::vector<std::string> said;
    int raster = 0;
    {
        CaptureMessages capture(&said);
        const SvgChunks chunks(svg.xml, chunking);
        const QTransform toDevice = DrawingToDevice(
            svg.root.width, svg.root.height, svg.root.viewBox, svg.root.preserveAspectRatio, area);
        const std::optional<QRectF> canvas = CanvasOf(svg.root, toDevice, area);
        QRectF reach;  // of every shape, before the canvas cuts it
        // Every shape of the drawing to `take`, in order; false when QtSvg refuses a piece.
        int rasterSeen = 0;
        const auto paint = [&](const std::function<void(const PaintedPath&)>& take) {
            ClipMarks marks(take);
            PathCollectorDevice device(
                area.width, area.height,
                svg.clipsMarked ? PaintedPathSink([&](const PaintedPath& p) { marks.Take(p); })
                                : PaintedPathSink(take));
            if (canvas) device.SetCanvas(*canvas);
            // One painter for every piece: a fill held back at the end of one meets its stroke
            // at the start of the next.
            QPainter painter(&device);
            painter.setTransform(toDevice);
            const size_t pieces = std::max<size_t>(chunks.size(), 1);
            for (size_t i = 0; i < pieces; ++i) {
                QSvgRenderer renderer;
                out.loaded = renderer.load(chunks.size() ? chunks.Piece(i) : svg.xml);
                if (!out.loaded) {
                    out.loadError =
                        said.empty() ? Note(NoteId::QtSVGReaderRefused) : Note(said.front());
                    return false;
                }
                // Rendered onto its own viewBox, QtSvg adds no mapping of its own: its idea of
                // the drawing's size (not the one of real units) never enters.
                renderer.render(&painter, renderer.viewBoxF());
            }
            painter.end();
            rasterSeen = device.rasterImages();
            if (marks.refusal()) out.refusal = marks.refusal();
            return true;
        };
        if (chunks.size() > 1 && !HatchingFits(paint, pens, sink, maxPoints, out)) return out;
        PenLines lines(pens, sink);
        const bool painted = paint([&](const PaintedPath& p) {
            if (sink.full() || store.points() >= maxPoints || lines.refusal()) return;
            ++out.shapes;
            if (canvas) reach |= p.transform.mapRect(p.path ? p.path->boundingRect() : p.ellipse);
            RecordCover(target, p);
            lines.SetRoom(maxPoints - store.points());
            lines.Draw(p);
            store.Take(sink.paths(), sink.pens());
        });
        if (!painted) return out;
        raster = rasterSeen;
        if (!out.refusal) out.refusal = lines.refusal();
        out.hatchSegments = lines.hatchSegments();
        for (const Note& note : lines.notes()) AddNote(&out.notes, note);
        if (canvas && !reach.isNull())
            if (std::optional<Note> beyond =
                    BeyondCanvasNote(*canvas, reach, area.scale * kPlotUnitsPerMm))
                AddNote(&out.notes, *std::move(beyond));
    }
    if (raster > 0) AddNote(&out.notes, NoteId::RasterImagesSkipped);
    for (const std::string& message : said) AddNote(&out.notes, NoteFor(message));
    if (sink.nonFinite() > 0) AddNote(&out.notes, NoteId::PointsInvalidNonFinite);
    return out;
}
