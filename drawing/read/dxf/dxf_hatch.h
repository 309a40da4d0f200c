#pragma once
// A HATCH as a drafting program shows it: not its boundary, which is only the edge of the area,
// but what fills the area. A solid hatch is an opaque fill; a pattern is its own lines (each a
// family of parallel lines, dashed as the file says) cut to the area inside the boundary and its
// islands. A pattern the file names without giving its lines is hatched by the pen's rule for
// fills at the pattern's scale. Everything is in the hatch's own units, so that an insert
// carries it as it carries the lines around it.

#include <dl_entities.h>

#include <QPainterPath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/paint/hatch.h"
#include "drawing/read/dxf/dxf_stream.h"
#include "plotjob/plot_note.h"

// Pieces of pattern lines (a line across an area, or a dash of one) a drawing's hatches may
// make in all, counted before any is made: a pattern a millionth of a millimetre apart would
// otherwise fill the memory.
inline constexpr int64_t kMaxHatchPieces = 2'000'000;

struct HatchDrawing {
    QPainterPath area;   // a solid hatch's, filled
    QPainterPath lines;  // a pattern's
};

class DxfHatch {
public:
    // A new hatch; `pattern`: what the file says of its lines (none: nothing read).
    void Begin(const DL_HatchData& data, const DxfText::Hatch* pattern);
    void Loop();
    // False when the edge's numbers are out of range: the hatch is not drawn then.
    bool Edge(const DL_HatchEdgeData& edge, double tolerance);

    // What the hatch draws; at most `*budget` pieces, lowered by those made. A refusal when the
    // pattern would make more, or repeats a line with no step between. `unitMm`: the drawing's
    // unit, for a pattern named without its lines.
    std::optional<Note> Make(HatchDrawing* out, int64_t* budget, double tolerance, double unitMm);

    // The name of a pattern Make hatched by the pen's rule; empty when it drew the file's lines.
    const std::string& byName() const { return _byName; }

private:
    void Join(QPainterPath piece);
    void CloseLoop();
    std::optional<Note> ByName(const std::vector<Ring>& rings, HatchDrawing* out, int64_t* budget,
                               double unitMm);

    DL_HatchData _data;
    const DxfText::Hatch* _pattern = nullptr;
    std::vector<QPainterPath> _loops;
    QPainterPath _loop;
    int _edges = 0;  // in `_loop`
    std::string _byName;
};
