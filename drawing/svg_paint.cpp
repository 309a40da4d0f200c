#include "drawing/svg_paint.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <mutex>
#include <regex>

#include "drawing/flatten.h"
#include "drawing/path_engine.h"
#include "drawing/pen_lines.h"

namespace {

// What Qt said while the drawing was read and painted. One conversion at a time: the message
// handler is process-wide.
std::mutex gCaptureLock;
std::vector<std::string>* gCaptured = nullptr;
std::vector<std::string> gUnplaced;  // what was captured, without "<input>:line:column:"
int gHeard = 0;
QtMessageHandler gPrevious = nullptr;

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
    if (gPrevious) gPrevious(type, context, text);
}

class CaptureMessages {
public:
    explicit CaptureMessages(std::vector<std::string>* into) : _lock(gCaptureLock) {
        gCaptured = into;
        gUnplaced.clear();
        gHeard = 0;
        gPrevious = qInstallMessageHandler(Capture);
    }
    ~CaptureMessages() {
        qInstallMessageHandler(gPrevious);
        gCaptured = nullptr;
    }

private:
    std::lock_guard<std::mutex> _lock;
};

// Text needs Qt's font system, which needs a QGuiApplication; a program without any Qt
// application gets one on the offscreen platform (no display is touched).
void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 3;
    static char arg0[] = "trzn-drawing", arg1[] = "-platform", arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

std::string NoteFor(std::string message) {
    if (message.find("invalid coordinates") != std::string::npos)
        return "points with invalid (non-finite) coordinates skipped";
    // "<input>:line:column: text": the same complaint at many places is said once.
    message = Unplaced(message);
    return "parts Qt's SVG reader does not support were skipped (" + message + ")";
}

}  // namespace

PaintOutcome PaintSvg(const SanitizedSvg& svg, const PlotArea& area, const PenChoice& pens,
                      PolylineSink& sink, PathStore& store, uint64_t maxPoints,
                      const SvgChunking& chunking) {
    PaintOutcome out;
    EnsureGuiApplication();
    std::vector<std::string> said;
    int raster = 0;
    {
        CaptureMessages capture(&said);
        const SvgChunks chunks(svg.xml, chunking);
        const QTransform toDevice = DrawingToDevice(
            svg.root.width, svg.root.height, svg.root.viewBox, svg.root.preserveAspectRatio, area);
        PenLines lines(pens, sink);
        PathCollectorDevice device(area.width, area.height, [&](const PaintedPath& p) {
            if (sink.full() || store.points() >= maxPoints || !lines.refusal().empty()) return;
            ++out.shapes;
            lines.Draw(p);
            store.Take(sink.paths(), sink.pens());
        });
        // One painter for every piece: a fill held back at the end of one meets its stroke at
        // the start of the next.
        QPainter painter(&device);
        painter.setTransform(toDevice);
        const size_t pieces = std::max<size_t>(chunks.size(), 1);
        for (size_t i = 0; i < pieces; ++i) {
            QSvgRenderer renderer;
            out.loaded = renderer.load(chunks.size() ? chunks.Piece(i) : svg.xml);
            if (!out.loaded) {
                out.loadError = said.empty() ? "Qt's SVG reader refused it" : said.front();
                return out;
            }
            // Rendered onto its own viewBox, QtSvg adds no mapping of its own: its idea of the
            // drawing's size (not the one of real units) never enters.
            renderer.render(&painter, renderer.viewBoxF());
        }
        painter.end();
        raster = device.rasterImages();
        out.refusal = lines.refusal();
        out.hatchSegments = lines.hatchSegments();
    }
    if (raster > 0) AddNote(&out.notes, "raster images skipped");
    for (const std::string& message : said) AddNote(&out.notes, NoteFor(message));
    if (sink.nonFinite() > 0)
        AddNote(&out.notes, "points with invalid (non-finite) coordinates skipped");
    return out;
}
