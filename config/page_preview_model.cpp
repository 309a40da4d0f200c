#include "config/page_preview_model.h"

#include <cmath>
#include <cstring>

#include "config/config_fields.h"
#include "settings/geometry.h"
#include "settings/utility.h"

namespace {

bool Fits16(double v) { return v >= -32768.0 && v <= 32767.0; }

// Repeats the record's arithmetic without the 16-bit narrowing, to tell whether anything the
// record stores has wrapped.
bool GeometryFits(const TPrint& pr, const Rect& m, int16_t scale) {
    const double f = FloatAbs(static_cast<double>(scale)) / 100.0;
    const double top = scale < 0 ? m.left : m.top;
    const double left = scale < 0 ? m.bottom : m.left;
    const double bottom = scale < 0 ? m.right : m.bottom;
    const double right = scale < 0 ? m.top : m.right;
    const double g[] = {std::trunc(top / f + 0.5), std::trunc(left / f + 0.5),
                        std::trunc(bottom / f + 0.5), std::trunc(right / f + 0.5)};
    const double v = std::trunc(pr.prStl.iPageV / f);
    const double h = std::trunc(pr.prStl.iPageH / f);
    const double stored[] = {
        g[0], g[1], g[2], g[3], -g[0], -g[1], v - g[0] - g[2], h - g[1] - g[3], v - g[0], h - g[1],
        std::trunc(f * 360 + 0.5),
    };
    for (double s : stored)
        if (!Fits16(s)) return false;
    return true;
}

}  // namespace

PageArgs PageArgsFor(const PageInputs& in) {
    const double magnitude = FloatAbs(in.scale);
    const double rounded = magnitude + 0.5 >= 32767.0 ? 32767.0 : magnitude + 0.5;
    // A scale that cuts to 0 is the record's "100": it takes the turn's sign like any other,
    // or a turned page would be stored with scale 0 and read back upright.
    int16_t scale = CutToField(rounded);
    if (scale == 0) scale = 100;
    return {RoundToField(in.width), RoundToField(in.height),
            in.turned ? static_cast<int16_t>(-scale) : scale, static_cast<int16_t>(in.roll ? 1 : 0)};
}

PagePreview ComputePagePreview(const PageInputs& in) {
    PagePreview out;
    const PageArgs args = PageArgsFor(in);
    out.hasPaper = args.width > 0 && args.height > 0;

    // Scratch records only: the working ones change when the window is stored, not before.
    TPrConfig config;
    std::memset(&config, 0, sizeof config);
    config.cmargin = in.cmargin;
    config.rmargin = in.rmargin;
    TPrint& pr = out.print;
    std::memset(&pr, 0, sizeof pr);
    CalcPageWidth(&pr, &config, args.width, args.height, args.scale, args.roll);

    out.scale = pr.prXInfo.iBandV;
    const double f = FloatAbs(static_cast<double>(out.scale)) / 100.0;
    out.turned = out.scale < 0;
    out.paper = out.turned ? QSizeF(pr.prStl.iPageV, pr.prStl.iPageH)
                           : QSizeF(pr.prStl.iPageH, pr.prStl.iPageV);
    out.plotWidth = pr.prInfo.rPage.right;
    out.plotHeight = pr.prInfo.rPage.bottom;
    // rPaper places the page around its printable area in plot units; scaled back, its corner
    // is where the printable area starts on the page.
    const QRectF onPage(-pr.rPaper.left * f, -pr.rPaper.top * f, out.plotWidth * f,
                        out.plotHeight * f);
    // A turned page's point (x, y) from its top-left lies at (y, paper height - x) on the paper.
    out.printable = out.turned ? QRectF(onPage.top(), out.paper.height() - onPage.right(),
                                        onPage.height(), onPage.width())
                               : onPage;
    // A typed size beyond the record's range is held at its limit when stored, so the page
    // stored is not the paper typed either.
    const bool sizeFits =
        Fits16(std::trunc(in.width + 0.5)) && Fits16(std::trunc(in.height + 0.5));
    // Margins that cover the paper are the cause whatever else wraps: told that scale and paper
    // can't be recorded, the user would change the wrong field.
    const Rect& m = args.roll ? in.rmargin : in.cmargin;
    const bool turned = out.scale < 0;
    const double across =
        static_cast<double>(turned ? m.bottom : m.left) + (turned ? m.top : m.right);
    const double down =
        static_cast<double>(turned ? m.left : m.top) + (turned ? m.right : m.bottom);
    const bool marginsCover =
        sizeFits && (pr.prStl.iPageH - across <= 0 || pr.prStl.iPageV - down <= 0);
    out.outOfRange = !marginsCover && (!sizeFits || !GeometryFits(pr, m, out.scale));
    out.marginsTooLarge =
        marginsCover || (!out.outOfRange && (out.plotWidth <= 0 || out.plotHeight <= 0));
    // The frame's margins lie along the plotter's axes, as the paper lies: top away from the
    // origin, which is the paper's top as drawn here.
    const Rect& k = in.kmargin;
    const QRectF inside = out.printable.adjusted(k.left, k.top, -k.right, -k.bottom);
    if (in.weeding && inside.width() > 0 && inside.height() > 0) out.weedingInside = inside;
    return out;
}
