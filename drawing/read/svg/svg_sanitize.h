#pragma once
// The pre-pass every drawing goes through before Qt's SVG module sees it: the XML is read once
// with QXmlStreamReader (well-formedness with line and column, entity expansion and nesting
// bounded) and written back without what could reach outside the file or can't be plotted:
// no DTD (its entities are already expanded, within the bound), no processing instructions
// (external style sheets), no <image> (QtSvg would load its href from disk), no
// <foreignObject>, no @import, no href, xml:base or url() naming anything but the drawing itself
// (outside_refs.h). What is dropped or won't be applied is said once in `notes`. Style sheets
// are written whole, each as one text.

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

#include "drawing/read/reader_contract.h"

// The root element's size attributes, as written.
struct SvgRootSize {
    QString width;
    QString height;
    QString viewBox;
    QString preserveAspectRatio;
};

struct SanitizedSvg : ReadStatus {
    QByteArray xml;  // what QtSvg may read
    SvgRootSize root;
    std::vector<Note> notes;
    // It uses what Qt's SVG module leaves out (masks, markers, patterns, symbols,
    // text on a path): librsvg reads it (svg_as_pdf.h). `qtNotes` say what Qt's would skip.
    bool beyondQt = false;
    std::vector<Note> qtNotes;
    // It clips: Qt's route applies its clips when they can be marked in it (clip_marks.h).
    bool clips = false;
    bool patterns = false;  // it has patterns, which Qt's route plots where they are marked too
    bool clipsMarked = false;
    bool textOnPath = false;  // neither reader sets it along its path (text_on_path.h)
    int64_t textPaths = 0;    // how many texts it sets on a path
};

// Said where neither reader sets text on a path (Qt's route, or Inkscape missing or failing).
inline constexpr NoteId kNoteTextPath = NoteId::TextPathTextPathSkipped;

inline constexpr int kMaxSvgDepth = 256;
inline constexpr qint64 kMaxSvgElements = 4'000'000;
// Markers are drawn by librsvg each as a group of its own, which costs more than an element.
inline constexpr qint64 kMaxSvgMarkers = 100'000;

SanitizedSvg SanitizeSvg(const QByteArray& xml);
