#pragma once
// Neither SVG reader sets text along a path: Qt's SVG module draws a textPath's characters
// where the text starts, librsvg (2.54) leaves them out. Inkscape does, and, asked to, turns
// every text of the drawing into the outlines of its glyphs, which is what the plot draws of
// text anyway. It runs as a program of its own, under the reading's bounds, only for a drawing
// that sets text on a path. It runs with a home of its own in a folder of the call's own (its
// profile, caches and scratch files there), confined to that folder where the kernel allows it.
// Where Inkscape is not installed or fails, the text on a path is left out with a note that
// says why.

#include <QByteArray>
#include <string>

#include "plotjob/plot_note.h"

// Inkscape sets a drawing's text in about half a second; one that takes this long is stopped.
inline constexpr int kInkscapeSeconds = 30;

struct TextAlongPaths {
    QByteArray xml;    // the drawing with its text as outlines; empty when not done
    Note note;  // why not, when not
};

// `xml`: the drawing as the sanitizer wrote it (nothing in it reaches outside the file).
TextAlongPaths SetTextAlongPaths(const QByteArray& xml);
