#include "drawing/drawing_plot.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

#include "drawing/geometry/cover_store.h"
#include "drawing/geometry/page_layout.h"
#include "drawing/geometry/path_store.h"
#include "drawing/hpgl_writer.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/polyline_sink.h"
#include "drawing/read/drawing_source.h"
#include "drawing/read/svg/svg_chunks.h"
#include "drawing/read/svg/svg_sanitize.h"
#include "drawing/stages/hidden_lines.h"
#include "drawing/stages/path_order.h"
#include "drawing/stages/plot_options.h"
#include "drawing/stages/plot_stages.h"
#include "drawing/stages/roll_panels.h"
#include "drawing/stages/stroke_order.h"
#include "plotjob/header_lines.h"

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

DrawingResult& Fail(DrawingResult& r, DrawingError error, Note message) {
    r.error = error;
    r.message = std::move(message);
    return r;
}

std::string Millimetres(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", mm);
    return text;
}

// How far the lines kept in `store` reach (device units), where `drawn` reached before some were
// hidden. The store holds them only as far as the plotter's `reach`: a side they still touch
// the reach's edge on keeps what was drawn there.
QRectF PlottedExtent(const PathStore& store, const PlotArea& area, const QRectF& reach,
                     const QRectF& drawn) {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    PathSet one;
    for (size_t i = 0; i < store.size(); ++i) {
        store.Get(i, one);
        for (PlotPoint p : one.points) {
            const QPointF d = area.turned ? QPointF(p.y, p.x) : QPointF(p.x, area.height - p.y);
            x0 = std::min(x0, d.x()), x1 = std::max(x1, d.x());
            y0 = std::min(y0, d.y()), y1 = std::max(y1, d.y());
        }
    }
    if (x0 > x1) return {};
    const auto side = [](double kept, double edge, double was, bool low) {
        return (low ? kept <= edge + 1 : kept >= edge - 1) ? was : kept;
    };
    return QRectF(QPointF(side(x0, reach.left(), drawn.left(), true),
                          side(y0, reach.top(), drawn.top(), true)),
                  QPointF(side(x1, reach.right(), drawn.right(), false),
                          side(y1, reach.bottom(), drawn.bottom(), false)));
}

// One conversion: the pages read one at a time, each cut into its plots, each plot written, and
// the result that gathers them.
class Conversion {
public:
    Conversion(const std::string& path, const PlotOptions& options, std::optional<int32_t> roll,
               const DrawingBodies& bodies, const SvgChunking& chunking, const SheetChoice& sheet,
               DrawingResult& result)
        : _path(path),
          _options(options),
          _area(*options.area),
          _roll(roll),
          _pens(options.pens, options.automaticPens, !options.everyOutline),
          _reach(-kReachUnits, -kReachUnits, PageWidth(_area) + 2 * kReachUnits,
                 PageHeight(_area) + 2 * kReachUnits),
          _bodies(bodies),
          _chunking(chunking),
          _sheet(sheet),
          _result(result) {}

    // One page of the drawing into `store` (a drawing without pages is its one page). A page
    // with nothing to plot says so as NothingToPlot; the page count comes back all the same.
    SourceOutcome Read(int page, PathStore& store) {
        PolylineSink sink(_area, _reach, kMaxPlotPoints);
        CoverStore covers;
        SourceOutcome out = PaintDrawingFile(
            _path, page, _chunking,
            PaintTarget{_area, _pens, sink, store, kMaxPlotPoints,
                        _options.everyOutline ? nullptr : &covers},
            _sheet);
        _extent = sink.drawnExtent();
        if (!out.ok()) return out;
        const HiddenLines hidden = HideCovered(store, covers);
        if (hidden.givenUp) ::AddNote(&out.notes, NoteId::HiddenLinesGivenUp);
        if (covers.intricate() > 0)
            ::AddNote(&out.notes, Note(NoteId::ShapesTooIntricateToHide,
                                       {std::to_string(covers.intricate())}));
        if (hidden.cut + hidden.dropped > 0) _extent = PlottedExtent(store, _area, _reach, _extent);
        if (sink.full() || store.points() >= kMaxPlotPoints) {
            out.error = DrawingError::Refused;
            out.message = Note(NoteId::DrawingHasMorePoints, {std::to_string(kMaxPlotPoints)});
        } else if (out.shapes == 0 || sink.extent().isNull()) {
            out.error = DrawingError::NothingToPlot;
            out.message = NoteId::NoVisibleShape;
        } else if (store.size() == 0) {
            out.error = DrawingError::NothingToPlot;
            out.message = NoteId::NothingDrawingLiesPrintable;
        }
        return out;
    }

    // What the page just read adds to the result: its notes, and how far it reaches beyond the
    // printable area.
    void Keep(const SourceOutcome& out) {
        for (const Note& note : out.notes) ::AddNote(&_result.notes, note);
        const ClipMm clip = ClipBeyond(_area, _extent);
        _result.clipLeftMm = std::max(_result.clipLeftMm, clip.left);
        _result.clipTopMm = std::max(_result.clipTopMm, clip.top);
        _result.clipRightMm = std::max(_result.clipRightMm, clip.right);
        _result.clipBottomMm = std::max(_result.clipBottomMm, clip.bottom);
    }

    // A drawing without pages: its panels of the page range.
    DrawingResult& Drawing(const PathStore& store) {
        if (_roll) _result.rollLengthMm = *_roll / kPlotUnitsPerMm;
        PageCut cut(store, _roll, _options.autoSplit, _area);
        _result.beyondRollMm = cut.beyondRoll() / kPlotUnitsPerMm;
        if (cut.panels() > kMaxPanels)
            return Fail(_result, DrawingError::Refused,
                        Note(NoteId::RollLengthMmCuts,
                             {Millimetres(_result.rollLengthMm), std::to_string(cut.panels()),
                              std::to_string(kMaxPanels)}));
        _result.panels = cut.panels();
        Note problem;
        const std::optional<PanelRange> range =
            SelectPanels(_options.asked, _result.panels, &problem);
        if (!range) return Fail(_result, DrawingError::Refused, problem);
        AddNote(OutsideRangeNote(false, _result.panels, _options.asked, *range));
        for (int number = range->first; number <= range->last; ++number) {
            PlotArea panel;
            const PathStore& paths = cut.Panel(number, &panel);
            if (paths.size() == 0 && _result.panels == 1)
                return Fail(_result, DrawingError::NothingToPlot, NothingWithinTheRoll());
            if (!Write(paths, Plot(number, range->last - range->first + 1), panel))
                return _result;
        }
        return _result;
    }

    // A document of several pages: every page of the page range is a plot of its own, named
    // like a panel ("file.pdf (2/3)"), or along a roll cut as a drawing without pages is.
    DrawingResult& Document(SourceOutcome first, PathStore& store) {
        Note problem;
        const std::optional<PanelRange> range = SelectPanels(_options.asked, first.pages, &problem);
        if (!range) return Fail(_result, DrawingError::Refused, problem);
        const int count = range->last - range->first + 1;
        if (count > kMaxPagePlots)
            return Fail(_result, DrawingError::Refused,
                        Note(NoteId::PageRangeSelectsPages,
                             {std::to_string(count), std::to_string(kMaxPagePlots)}));
        _result.panels = first.pages;
        _result.pages = true;
        if (_roll) _result.rollLengthMm = *_roll / kPlotUnitsPerMm;
        AddNote(OutsideRangeNote(true, first.pages, _options.asked, *range));
        for (int page = range->first; page <= range->last; ++page) {
            SourceOutcome out = first;
            if (page != range->first) {
                store = PathStore();
                out = Read(page, store);
                Keep(out);
            }
            if (out.error == DrawingError::NothingToPlot) {
                AddNote(Note(NoteId::OnPage, {std::to_string(page), out.message}));
                continue;
            }
            if (!out.ok())
                return Fail(_result, out.error,
                            Note(NoteId::OnPage, {std::to_string(page), out.message}));
            if (!DocumentPage(store, page, count)) return _result;
        }
        if (_result.plots.empty())
            return Fail(_result, DrawingError::NothingToPlot,
                        _outOfRoll ? Note(NoteId::NothingPagesPageRange,
                                          {Millimetres(_result.rollLengthMm)})
                                   : Note(NoteId::PagePageRangeHas));
        if (Split()) _result.panels = static_cast<int>(_result.plots.size()), _result.pages = false;
        return _result;
    }

private:
    bool Split() const { return _roll && _options.autoSplit; }

    void AddNote(Note note) {
        if (note != Note()) ::AddNote(&_result.notes, std::move(note));
    }

    Note NothingWithinTheRoll() const {
        return Note(NoteId::NothingDrawingLiesWithin, {Millimetres(_result.rollLengthMm)});
    }

    // A page with nothing within the roll length is a note, as a page with nothing on it is.
    void OutOfRoll(int page) {
        _outOfRoll = true;
        AddNote(Note(NoteId::OnPage, {std::to_string(page), NothingWithinTheRoll()}));
    }

    static DrawingPlot Plot(int number, int of) {
        DrawingPlot plot;
        plot.number = number;
        plot.of = of;
        return plot;
    }

    // Page `page` of a document, `count` pages plotted: false when the conversion has failed.
    bool DocumentPage(const PathStore& store, int page, int count) {
        PageCut cut(store, _roll, _options.autoSplit, _area);
        _result.beyondRollMm = std::max(_result.beyondRollMm, cut.beyondRoll() / kPlotUnitsPerMm);
        if (Split() && _result.plots.size() + cut.panels() > size_t{kMaxPanels}) {
            const Note many(NoteId::RollLengthMmCutsPages,
                            {Millimetres(_result.rollLengthMm), std::to_string(kMaxPanels)});
            Fail(_result, DrawingError::Refused, Note(NoteId::OnPage, {std::to_string(page), many}));
            return false;
        }
        if (cut.panels() == 0) OutOfRoll(page);
        for (int number = 1; number <= cut.panels(); ++number) {
            PlotArea panel;
            const PathStore& paths = cut.Panel(number, &panel);
            if (paths.size() == 0 && cut.panels() == 1) {
                OutOfRoll(page);
                continue;
            }
            const int next = static_cast<int>(_result.plots.size()) + 1;
            DrawingPlot plot = Split() ? Plot(next, next) : Plot(page, count);
            if (Split()) {
                plot.page = page, plot.pageOf = _result.panels;
                plot.panel = number, plot.panelOf = cut.panels();
            }
            if (!Write(paths, plot, panel)) return false;
        }
        return true;
    }

    // What `paths` plots as `plot` on `panel`; false, with the result failed, when it can't.
    bool Write(const PathStore& paths, DrawingPlot plot, const PlotArea& panel) {
        plot.brc = PlotInputWindow(panel.width, panel.height, _options.cut.output);
        std::FILE* body = _bodies(plot);
        if (!body) {
            Fail(_result, DrawingError::WriteFailed, NoteId::PlotBodyUnwritable);
            return false;
        }
        HpglWriter writer(body, _options.cut.output);
        // The ceiling is the plots' together: a hundred pages must not each fill it.
        writer.SetCeiling(kMaxPlotBytes - _result.bodyBytes);
        StageChain stages(PlotStages(_options.cut, panel.width, panel.height), writer);
        writer.SetShapedBy(stages.Multiplies());
        OrderStrokes(paths, _pens, _options, panel, stages);
        stages.Finish();
        const bool written = writer.Finish();
        if (writer.refusal())
            Fail(_result, DrawingError::Refused, *writer.refusal());
        else if (!written)
            Fail(_result, DrawingError::WriteFailed,
                 writer.writeError() == 0
                     ? Note(NoteId::PlotBodyUnwritable)
                     : Note(NoteId::PlotBodyUnwritableWhy, {std::strerror(writer.writeError())}));
        for (const Note& note : _options.cut.notes) ::AddNote(&_result.notes, note);
        for (const Note& note : stages.Notes()) ::AddNote(&_result.notes, note);
        plot.paths = static_cast<int64_t>(paths.size());
        plot.penUpTravel = std::llround(writer.penUpTravel());
        plot.bodyBytes = writer.bytes();
        _result.paths += plot.paths;
        _result.penUpTravel += plot.penUpTravel;
        _result.bodyBytes += plot.bodyBytes;
        if (_result.plots.empty()) _result.brc = plot.brc;
        _result.plots.push_back(plot);
        return written;
    }

    const std::string& _path;
    const PlotOptions& _options;
    const PlotArea _area;
    const std::optional<int32_t> _roll;
    const PenChoice _pens;
    const QRectF _reach;
    const DrawingBodies& _bodies;
    const SvgChunking& _chunking;
    const SheetChoice& _sheet;
    DrawingResult& _result;
    QRectF _extent;
    bool _outOfRoll = false;  // a page of the range had nothing within the roll length
};

}  // namespace

DrawingResult ConvertDrawing(const std::string& path, const PlotSettings& settings, std::FILE* body,
                             const SvgChunking& chunking) {
    bool many = false;
    DrawingResult result = ConvertDrawing(
        path, settings,
        [&](const DrawingPlot& plot) {
            many = plot.of > 1;
            return many ? nullptr : body;
        },
        chunking);
    if (many)
        Fail(result, DrawingError::Refused,
             Note(NoteId::DrawingCutIntoPanels, {std::to_string(result.panels)}));
    return result;
}

DrawingResult ConvertDrawing(const std::string& path, const PlotSettings& settings,
                             const DrawingBodies& bodies, const SvgChunking& chunking,
                             const SheetChoice& sheet) {
    DrawingResult result;
    result.name = QFileInfo(QFile::decodeName(path.c_str())).fileName().toUtf8().toStdString();
    const PlotOptions options = DecodePlotOptions(settings);
    if (options.cut.problem) return Fail(result, DrawingError::Refused, *options.cut.problem);
    if (!options.area)
        return Fail(result, DrawingError::Refused,
                    NoteId::PageSettingsLeavePrintable);
    const PlotArea& area = *options.area;
    result.stepsPerInch = options.cut.output.stepsPerInch;
    result.brc = "0,0," + std::to_string(area.width) + "," + std::to_string(area.height);

    // The first page asked for tells whether the drawing has pages.
    Note problem;
    const std::optional<int32_t> roll =
        RollLengthUnits(options.rollFeed, options.rollLengthPoints, area, &problem);
    Conversion conversion(path, options, roll, bodies, chunking, sheet, result);
    PathStore store;
    const SourceOutcome first = conversion.Read(options.asked.first, store);
    const bool paged = first.pages > 1;
    if (!first.ok() && !(paged && first.error == DrawingError::NothingToPlot))
        return Fail(result, first.error, first.message);
    conversion.Keep(first);
    if (problem != Note()) return Fail(result, DrawingError::Refused, problem);
    return paged ? conversion.Document(first, store) : conversion.Drawing(store);
}

std::string PlotName(const DrawingResult& result, size_t index) {
    if (index < result.plots.size() && result.plots[index].page > 0) {
        const DrawingPlot& plot = result.plots[index];
        const std::string page = std::to_string(plot.page) + "/" + std::to_string(plot.pageOf);
        if (plot.panelOf <= 1) return result.name + " (" + page + ")";
        return result.name + " (page " + page + ", panel " + std::to_string(plot.panel) + "/" +
               std::to_string(plot.panelOf) + ")";
    }
    if (result.panels <= 1 || index >= result.plots.size()) return result.name;
    return result.name + " (" + std::to_string(result.plots[index].number) + "/" +
           std::to_string(result.panels) + ")";
}

std::string DrawingHeaderLines(const DrawingResult& result, size_t index) {
    HeaderLines lines;
    lines.brc = index < result.plots.size() ? result.plots[index].brc : result.brc;
    lines.stepsPerInch = result.stepsPerInch;
    lines.name = PlotName(result, index);
    lines.notes = result.notes;
    if (result.clipped())
        lines.notes.push_back(Note(NoteId::DrawingReachesBeyondPrintableArea,
                                   {Millimetres(result.clipLeftMm), Millimetres(result.clipTopMm),
                                    Millimetres(result.clipRightMm),
                                    Millimetres(result.clipBottomMm)}));
    if (result.beyondRollMm > 0)
        lines.notes.push_back(
            Note(NoteId::DrawingReachesMmBeyondRoll,
                 {Millimetres(result.beyondRollMm), Millimetres(result.rollLengthMm)}));
    return lines.Format("\n");
}
