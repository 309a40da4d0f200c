#pragma once
// What a painted shape becomes on the plotter, with the pens' widths: the fill hatched with
// the fill colour's pen (when that pen has a width) and outlined; a stroke wider than 1.5
// times its pen drawn as that pen filling the stroke's own outline (caps, joins and dashes as
// the stroke has them); anything else as its outline, one line. Pens of width 0 (a knife, a
// pen not measured) draw outlines only, as the plot did before pens had widths.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/paint/clip_region.h"
#include "drawing/paint/path_engine.h"
#include "drawing/paint/pen_choice.h"
#include "drawing/paint/polyline_sink.h"
#include "plotjob/plot_note.h"

// Hatch lines a drawing may need before it is refused.
inline constexpr uint64_t kMaxHatchSegments = 50'000'000;
// Finer pens hatch at this width (mm).
inline constexpr double kThinnestHatchMm = 0.05;

struct StrokeDashes;

class PenLines {
public:
    PenLines(const PenChoice& pens, PolylineSink& sink, uint64_t maxSegments = kMaxHatchSegments)
        : _pens(pens), _sink(sink), _maxSegments(maxSegments) {}

    // Feeds the shape's lines to the sink (and finishes them). False once the drawing is
    // refused: refusal() says why.
    bool Draw(const PaintedPath& shape);

    // Counts the lines hatching the shape would add, without making them (only the outline
    // goes to the sink): false once the count passes the line budget or the room.
    bool Count(const PaintedPath& shape);
    // Counts as Count does, but a stroke drawn as a hatched band adds only the lines it needs
    // at the least, told from the path's height, and the points its boundary keeps at the
    // least (bandPoints()), told from the stroked band unsimplified (simplifying it is most of
    // what a count costs): what the shape adds at the least. leftOut() says whether a band was
    // left out, and so whether the count may fall short of Count's.
    bool CountLeast(const PaintedPath& shape);
    bool leftOut() const { return _leftOut; }
    // The points the left-out bands' boundaries keep at the least (never in the sink).
    uint64_t bandPoints() const { return _bandPoints; }

    // Points the plot can still take (what is kept so far counted out): hatching that would
    // pass it is refused before it is made.
    void SetRoom(uint64_t points) { _room = points; }

    const std::optional<Note>& refusal() const { return _refusal; }
    // What was drawn otherwise than the drawing asks, said once each.
    const std::vector<Note>& notes() const { return _notes; }
    uint64_t hatchSegments() const { return _segments; }

private:
    // The hatching width in device units, 0 for outlines only; refuses a negative thickness.
    double WidthOf(uint8_t entry);
    // `clip`: where the area shows (null: everywhere).
    bool HatchInto(const QPainterPath& area, const QTransform& transform, Qt::FillRule rule,
                   double width, const ClipRegion* clip = nullptr);
    // The stroke's dashes to the sink, where `clip` (null: everywhere) lets them show; false
    // when there are more than the plot can hold (then refused).
    bool Dashed(const PaintedPath& shape, const StrokeDashes& dashes, const ClipRegion* clip);
    QPainterPath Band(const PaintedPath& shape, double scale);
    bool WideStroke(const PaintedPath& shape, uint8_t pen, double width, double scale,
                    const ClipRegion* clip);
    // Whether a dashed stroke is drawn as its dashes; when not, why is noted.
    bool DrawnDashed(const StrokeDashes& dashes, const QTransform& transform);
    // Device polylines to the sink; `closed`: each is a boundary, ended where it began.
    void Emit(const std::vector<Polyline>& lines, bool closed);
    void AddNote(NoteId note);

    const PenChoice& _pens;
    PolylineSink& _sink;
    uint64_t _maxSegments;
    uint64_t _segments = 0;
    uint64_t _room = UINT64_MAX;
    bool _counting = false;
    bool _least = false;    // counting without the bands
    bool _leftOut = false;  // a band was left out of the count
    uint64_t _bandPoints = 0;
    std::optional<Note> _refusal;
    std::vector<Note> _notes;
};

inline constexpr NoteId kNoteFineDashes = NoteId::DashPatternsFinerPlotter;
inline constexpr NoteId kNoteBadDashes = NoteId::DashPatternsLengthNegative;
