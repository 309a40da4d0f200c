#pragma once
// DXF linetypes: an LTYPE's elements (a dash of positive length, a gap of negative length, a
// dot of length 0) made a pattern of alternating pen-down and pen-up lengths, and outlines cut
// into its dashes along their length, curves included.

#include <QPainterPath>
#include <QPointF>
#include <QTransform>
#include <cstddef>
#include <functional>
#include <vector>

struct DxfLinetype {
    std::vector<double> pattern;  // down, up, down, up, ...: empty when drawn solid
    double offset = 0;            // where along the pattern each line starts
    bool complex = false;         // it had text or shapes among its dashes
    bool noLength = false;        // it had elements, all of length 0
};

DxfLinetype MakeLinetype(const std::vector<double>& elements, bool complex);

// Why a line went solid after all.
struct DashOutcome {
    bool tooFine = false;  // the pattern's pieces average less than a plotter unit
    bool tooMany = false;  // a line would be cut into more than kMaxDashesPerLine pieces
};

// Beyond this a line is drawn solid rather than cut: more pieces than a plot holds points. The
// drawing's count refuses such a drawing before it is painted, as the other kinds refuse a line
// whose dashes a plot can't hold; this stays for what the count does not foresee.
inline constexpr size_t kMaxDashesPerLine = 64u * 1024 * 1024;

// Each subpath of `path` (drawing units) cut into `type`'s dashes at `scale`, afresh at each
// subpath, handed to `paint` in batches until it returns false (the plot holds no more).
// `toDevice` maps drawing units to plotter units: curves are flattened within a quarter of a
// unit, and a dot becomes a touch of the pen one unit long.
DashOutcome DashPath(const QPainterPath& path, const DxfLinetype& type, double scale,
                     const QTransform& toDevice,
                     const std::function<bool(const QPainterPath&)>& paint);
