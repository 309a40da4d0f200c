#pragma once
// References that leave the drawing. Inkscape and librsvg open whatever an href or a url()
// names: another local file (its text set into the plot), a FIFO (the reading held), a serial
// device (opened, its lines toggled). Only a fragment of the drawing itself ("#id") is kept; every
// other reference, `data:` included (a document of its own, which no sanitizer here has read,
// and what it carries, pictures and fonts, is not plotted anyway), is taken out before any of
// them reads the file.

#include <QString>
#include <QStringView>
#include <optional>

#include "plotjob/plot_note.h"

// An href's value that names something outside the drawing (anything but "#id").
bool IsOutsideHref(QStringView value);

// A property value or style text without its url()s that name something outside the drawing:
// each such url() goes, and a declaration left with no value becomes `none` (as SVG draws a
// reference to nothing: a paint's fallback colour, where it gives one, stays). Nothing when the
// text names nothing outside. Escapes are taken out of a text that has a function in it, so that
// no escaped "url(" gets past.
std::optional<QString> WithoutOutsideUrls(QStringView text);

inline constexpr NoteId kNoteOutsideRefs = NoteId::ReferencesOtherFilesAddresses;
