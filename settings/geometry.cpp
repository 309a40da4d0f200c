#include "settings/geometry.h"

#include <cstring>

#include "settings/utility.h"

namespace {

// Results are stored as their low 16 bits; C++20 defines the narrowing as modular.
int16_t Low16(int32_t v) { return static_cast<int16_t>(v); }

// Truncation toward zero of values that the 16-bit inputs keep well inside the 32-bit range
// (at most 32768 x 100 + 1).
int32_t Trunc(double v) { return static_cast<int32_t>(v); }

// A zero scale would divide by zero. The configuration window shows a stored 0 as 100, so the
// geometry treats it as full size, unturned, and stores 100 as the scale.
int16_t EffectiveScale(int16_t scale) { return scale == 0 ? 100 : scale; }

double ScaleFactor(int16_t scale) { return FloatAbs(static_cast<double>(scale)) / 100.0; }

}  // namespace

void FixPageMargin(Rect* r, int16_t scale) {
    scale = EffectiveScale(scale);
    if (scale < 0) {
        const Rect old = *r;
        r->top = old.left;
        r->left = old.bottom;
        r->bottom = old.right;
        r->right = old.top;
    }
    const double f = ScaleFactor(scale);
    r->top = Low16(Trunc(r->top / f + 0.5));
    r->left = Low16(Trunc(r->left / f + 0.5));
    r->bottom = Low16(Trunc(r->bottom / f + 0.5));
    r->right = Low16(Trunc(r->right / f + 0.5));
}

void CalcPageWidth(THPrint print, THPrConfig config, int16_t width, int16_t height, int16_t scale,
                   int16_t roll) {
    scale = EffectiveScale(scale);
    const Rect m = roll != 0 ? config->rmargin : config->cmargin;
    const double f = ScaleFactor(scale);

    TPrStl& stl = print->prStl;
    if (scale >= 0) {
        stl.iPageV = height;
        stl.iPageH = width;
    } else {
        stl.iPageV = width;
        stl.iPageH = height;
    }
    stl.feed = static_cast<int8_t>(roll);

    Rect g = m;
    FixPageMargin(&g, scale);

    const int32_t v = Trunc(stl.iPageV / f);
    const int32_t h = Trunc(stl.iPageH / f);

    print->prInfo.rPage = Rect{0, 0, Low16(v - g.top - g.bottom), Low16(h - g.left - g.right)};
    print->rPaper = Rect{Low16(-g.top), Low16(-g.left), Low16(v - g.top), Low16(h - g.left)};

    const int16_t res = Low16(Trunc(f * 360 + 0.5));
    print->prInfoPT.iVRes = res;
    print->prInfoPT.iHRes = res;

    // The second group keeps unscaled points and the unfixed margins, turned with the page.
    const int32_t vertical = scale >= 0 ? m.top + m.bottom : m.left + m.right;
    const int32_t horizontal = scale >= 0 ? m.left + m.right : m.top + m.bottom;
    print->prInfoPT.rPage =
        Rect{0, 0, Low16(stl.iPageV - vertical), Low16(stl.iPageH - horizontal)};

    print->prXInfo.iBandV = scale;
    print->prXInfo.iBandH = scale;
}

void mkDefault(THPrint print, THPrConfig config, THPrPaper paper) {
    std::memset(print, 0, sizeof *print);
    print->prJob.pIdleProc = nullptr;
    print->prJob.pFileName = nullptr;

    print->iPrVersion = 2;
    print->prInfo.iDev = static_cast<int16_t>(0xAAAC);
    print->prInfo.iVRes = 72;
    print->prInfo.iHRes = 72;
    print->prStl.wDev = 0x2302;
    print->prStl.bPort = 0;
    print->prInfoPT.iDev = static_cast<int16_t>(0xAAAC);

    int16_t width = 842;
    int16_t height = 1191;
    int16_t roll = 0;
    if (paper->pitem_count >= 1) {
        width = paper->pitem[0].pwidth;
        height = paper->pitem[0].pheight;
        roll = paper->pitem[0].pisroll;
    }
    CalcPageWidth(print, config, width, height, 100, roll);

    TPrJob& job = print->prJob;
    job.iFstPage = 1;
    job.iLstPage = 9999;
    job.iCopies = 1;
    job.bJDocLoop = 1;
    job.fFromUsr = 1;
    job.iFileVol = 0;
    job.bFileVers = 0;
    job.bJobX = 0;
}
