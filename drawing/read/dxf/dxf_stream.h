#pragma once
// The text dxflib is given, made fit for it first. dxflib reads each line into a buffer of 1024
// bytes and reads the same place for ever when a line is longer; it allocates an entity's
// arrays (an LWPOLYLINE's vertices, a SPLINE's knots and control points, a LEADER's vertices)
// by the count the file declares, before a single one is read; and it reads "nan" and "inf"
// as 0. So, before dxflib sees the file:
// - a text or comment longer than a line dxflib can hold is cut to kDxfMaxLine characters; any
//   other line that long is refused, naming it;
// - a declared count is lowered to the groups the entity still has, so what is allocated is
//   what the file holds;
// - a real number that is not one (nan, inf) is made one out of range, so that its entity is
//   left out and said to be, as an entity out of range is.
// A file that needs none of this is handed on as it is. On the way, what dxflib reads but does
// not hand on is noted: the block a DIMENSION's picture is in, which linetypes carry text or
// shapes, and a HATCH's pattern lines and style. A WIPEOUT, which dxflib does not read at all,
// is handed on as the white solid HATCH it shows as.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/read/dxf/dxf_layout.h"
#include "plotjob/plot_note.h"

inline constexpr int kDxfMaxLine = 1023;

struct DxfText {
    QByteArray bytes;     // what dxflib reads
    std::optional<Note> refusal;  // the file is not read
    int64_t cutLines = 0;
    int64_t loweredCounts = 0;
    int64_t nonFinite = 0;
    // Each DIMENSION's picture (group 2; empty when none), in the order dxflib hands them on.
    std::vector<std::string> dimensionBlocks;
    // Linetypes with text or shapes among their elements, with all their lengths (group 49):
    // dxflib loses the element after a text.
    struct Linetype {
        std::string name;
        std::vector<double> elements;
    };
    std::vector<Linetype> complexLinetypes;
    // A hatch pattern's line as the HATCH gives it, scaled and turned already: its angle
    // (degrees), a point it passes through, the step to the next line, and its dashes (a
    // negative length a gap, 0 a dot; none: solid).
    struct HatchLine {
        double angle = 0;
        double baseX = 0, baseY = 0, offsetX = 0, offsetY = 0;
        std::vector<double> dashes;
    };
    // What dxflib leaves out of each HATCH, in the order it hands them on: the island style
    // (0 nested, 1 outermost only, 2 islands ignored) and the pattern's lines.
    struct Hatch {
        int style = 0;
        std::vector<HatchLine> lines;
    };
    std::vector<Hatch> hatches;
    // The layouts, their viewports and the tables these refer to.
    DxfSheetScan sheets;
};

DxfText PrepareDxfText(const QByteArray& bytes);
