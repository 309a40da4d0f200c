#include "drawing/geometry/page_layout.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

struct ViewBox {
    double x = 0, y = 0, w = 0, h = 0;
};

std::optional<ViewBox> ParseViewBox(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.size() != 4) return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].toDouble(&ok);
        if (!ok || !std::isfinite(v[i])) return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0) return std::nullopt;
    return ViewBox{v[0], v[1], v[2], v[3]};
}

// preserveAspectRatio's share of the free space (0 min, 0.5 mid, 1 max) on each axis, and
// whether the box is scaled to cover (slice) instead of to fit (meet).
struct Alignment {
    bool none = false;
    double ax = 0.5, ay = 0.5;
    bool slice = false;
};

Alignment ParseAlignment(const QString& text) {
    Alignment a;
    const QStringList parts = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int i = 0;
    if (i < parts.size() && parts[i] == QLatin1String("defer")) ++i;
    if (i >= parts.size()) return a;
    const QString align = parts[i++];
    if (align == QLatin1String("none")) {
        a.none = true;
        return a;
    }
    const auto share = [](QStringView s) {
        return s == QLatin1String("Min") ? 0.0 : s == QLatin1String("Max") ? 1.0 : 0.5;
    };
    if (align.size() == 8 && align.startsWith(QLatin1Char('x'))) {
        a.ax = share(QStringView(align).mid(1, 3));
        a.ay = share(QStringView(align).mid(5, 3));
    }
    a.slice = i < parts.size() && parts[i] == QLatin1String("slice");
    return a;
}

constexpr double kMmPerPx = 25.4 / 96.0;

}  // namespace

std::optional<PlotArea> PlotAreaOf(int pageWidthPoints, int pageHeightPoints, int scale) {
    PlotArea area;
    area.scale = std::abs(scale) / 100.0;
    area.turned = scale < 0;
    // The record holds the page's area in points divided by the scale; times the scale it is
    // the area on the paper, as the page preview draws it. A turned page's height runs across
    // the paper.
    const double pointsToUnits = 25.4 / 72.0 * kPlotUnitsPerMm;
    const auto units = [&](int across) {
        return static_cast<int32_t>(std::lround(across * area.scale * pointsToUnits));
    };
    const int32_t pageWidth = units(pageWidthPoints);
    const int32_t pageHeight = units(pageHeightPoints);
    area.width = area.turned ? pageHeight : pageWidth;
    area.height = area.turned ? pageWidth : pageHeight;
    if (area.width <= 0 || area.height <= 0) return std::nullopt;
    return area;
}

std::optional<double> LengthInMm(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        "^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*([a-zA-Z%]*)\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const double v = m.captured(1).toDouble();
    const QString unit = m.captured(2).toLower();
    double mm = 0;
    if (unit.isEmpty() || unit == QLatin1String("px"))
        mm = v * kMmPerPx;
    else if (unit == QLatin1String("mm"))
        mm = v;
    else if (unit == QLatin1String("cm"))
        mm = v * 10;
    else if (unit == QLatin1String("q"))
        mm = v / 4;
    else if (unit == QLatin1String("in"))
        mm = v * 25.4;
    else if (unit == QLatin1String("pt"))
        mm = v * 25.4 / 72;
    else if (unit == QLatin1String("pc"))
        mm = v * 25.4 / 6;
    else
        return std::nullopt;
    if (!std::isfinite(mm) || mm <= 0) return std::nullopt;
    return mm;
}

QTransform DrawingToDevice(const QString& width, const QString& height, const QString& viewBox,
                           const QString& preserveAspectRatio, const PlotArea& area) {
    const double k = area.scale * kPlotUnitsPerMm;  // device units per drawing millimetre
    std::optional<ViewBox> box = ParseViewBox(viewBox);
    // Without a viewBox the user units are px, whatever size the root gives.
    if (!box) return QTransform::fromScale(kMmPerPx * k, kMmPerPx * k);
    std::optional<double> w = LengthInMm(width);
    std::optional<double> h = LengthInMm(height);
    // A missing size is the viewBox's, in px; one given side keeps the box's proportions.
    if (!w && !h) {
        w = box->w * kMmPerPx;
        h = box->h * kMmPerPx;
    } else if (!w) {
        w = *h * box->w / box->h;
    } else if (!h) {
        h = *w * box->h / box->w;
    }
    double sx = *w / box->w;
    double sy = *h / box->h;
    double tx = 0, ty = 0;
    const Alignment a = ParseAlignment(preserveAspectRatio);
    if (!a.none) {
        const double s = a.slice ? std::max(sx, sy) : std::min(sx, sy);
        tx = (*w - box->w * s) * a.ax;
        ty = (*h - box->h * s) * a.ay;
        sx = sy = s;
    }
    // device = k * ((user - box origin) * s + t)
    return QTransform(k * sx, 0, 0, k * sy, k * (tx - box->x * sx), k * (ty - box->y * sy));
}

ClipMm ClipBeyond(const PlotArea& area, const QRectF& reach) {
    ClipMm c;
    if (reach.isNull()) return c;
    // Within half a unit a point rounds onto the area's edge, and a line cut by a clip on the
    // edge (the canvas's, laid there) may end a unit past it: neither is clipped.
    const auto beyond = [](double units) { return units > 1.5 ? units / kPlotUnitsPerMm : 0.0; };
    c.left = beyond(-reach.left());
    c.top = beyond(-reach.top());
    c.right = beyond(reach.right() - PageWidth(area));
    c.bottom = beyond(reach.bottom() - PageHeight(area));
    return c;
}
