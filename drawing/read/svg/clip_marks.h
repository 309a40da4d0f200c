#pragma once
// Qt's SVG module (6.4) reads clip paths but applies none. Rather than send every clipped
// drawing through librsvg and a PDF, the clips are handed to Qt's route inside the drawing:
// each clip path becomes a group of its shapes filled in a mark colour (one for clips in user
// units, one for clips in the bounding box's units), ended by a small square in the push
// colour; each clipped element is wrapped in a group (its transform moved there) that first
// uses that group, then holds the element, then a square in the pop colour. Qt paints them in
// document order in the clipped element's own units, and ClipMarks (clip_marks_apply.h) takes
// them out of the painted shapes and clips what lies between.
//
// A shape filled with a pattern (in user units, without a viewBox or href, of shapes) is carried
// so too: its own area is the clip, a tile mark and the pattern's content (moved into a group)
// are what it clips, and the shape follows unfilled, for its stroke. Other patterns stay as they
// are: Qt's route leaves their tiles out.
//
// What this can't carry (a clip inside a clip path, groups, text or <use> in one, clip paths in
// style sheets, a clipped <use>, <svg> or <switch>, a clip path named but missing, a drawing
// that already paints in a mark colour) leaves the drawing as it is: librsvg reads it.

#include <QByteArray>
#include <QRgb>

inline constexpr QRgb kClipMarkUser = 0x0c1d2e;  // a clip path's shape, in user units
inline constexpr QRgb kClipMarkBox = 0x0c1d2f;   // one in the bounding box's units
inline constexpr QRgb kClipMarkPush = 0x0c1d30;  // the clip path ends: it applies from here
inline constexpr QRgb kClipMarkPop = 0x0c1d31;   // the clipped element ends
// A pattern's tile, in the tile's units at its first place: what follows until the pop is the
// tile's content, repeated by ClipMarks over the shape the clip before it holds.
inline constexpr QRgb kClipMarkTile = 0x0c1d32;

struct ClipMarked {
    bool ok = false;  // else the drawing can't be carried so
    QByteArray xml;
    bool patternsLeft = false;  // some pattern fill stays as it was: its tiles are left out
};

// `xml`: the drawing as the sanitizer wrote it.
ClipMarked MarkClips(const QByteArray& xml);
