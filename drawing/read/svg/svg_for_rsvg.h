#pragma once
// What librsvg would paint into the PDF route in a form that route can't plot is made into one
// it can, before librsvg reads the drawing:
// - A mask becomes a clip of the mask's shapes. Cairo writes a mask as a soft mask, which
//   poppler's painter leaves unpainted, so the masked shape came out whole; as a clip it is
//   plotted where the mask's shapes cover it, whatever their colour or opacity. Groups in the
//   mask are flattened into their shapes (a clip path holds shapes, not groups). A mask with no
//   shape in it (a picture, say) is not applied, with a note.
// - A pattern fill becomes a plain fill (the fallback colour, else black): its outline is
//   plotted, hatched by a pen with a thickness, and the tiles are left out with a note; a
//   plotter drawing every tile of a texture is not what anyone plots a drawing for.
// - A stroke painted with a gradient becomes the mean colour of its stops: cairo writes it as a
//   shading under the stroke's outline, which would plot the outline, where Qt's route plots
//   the line itself.

#include <QByteArray>
#include <string>
#include <vector>

#include "plotjob/plot_note.h"

struct RsvgReady {
    bool changed = false;  // else `xml` is empty and the drawing goes as it is
    QByteArray xml;
    std::vector<Note> notes;
};

// `xml`: the drawing as the sanitizer wrote it (well-formed, bounded).
RsvgReady PrepareForRsvg(const QByteArray& xml);
