#include "drawing/read/dxf/dxf_dimension.h"

#include <QString>
#include <QTransform>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double Dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }

QPointF Unit(QPointF v) {
    const double n = std::hypot(v.x(), v.y());
    return n > 0 ? v / n : QPointF();
}

// The measure as a drafting program writes it: `decimals` places, no trailing zeros.
std::string Measure(double value, int decimals) {
    QString s = QString::number(value, 'f', std::clamp(decimals, 0, 8));
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    return s.toStdString();
}

// The dimension line from `q1` to `q2` (along `u`), broken where a text of `size` (along and
// across the line) centred on `textAt` stands on it, `gap` clear of it either side; whole when
// the text is off the line or wider than it.
void DimensionLine(QPainterPath& lines, QPointF q1, QPointF q2, QPointF u, QPointF textAt,
                   QSizeF size, double gap) {
    const QPointF across(-u.y(), u.x());
    const double to = Dot(q2 - q1, u), at = Dot(textAt - q1, u);
    const double half = size.width() / 2 + gap;
    const bool onLine = std::abs(Dot(textAt - q1, across)) < size.height() / 2 + gap;
    if (!onLine || at - half <= std::min(0.0, to) || at + half >= std::max(0.0, to)) {
        lines.moveTo(q1);
        lines.lineTo(q2);
        return;
    }
    const double near = to > 0 ? at - half : at + half, far = to > 0 ? at + half : at - half;
    lines.moveTo(q1);
    lines.lineTo(q1 + u * near);
    lines.moveTo(q1 + u * far);
    lines.lineTo(q2);
}

}  // namespace

QPainterPath Arrowhead(QPointF tip, QPointF from, double size) {
    QPainterPath arrow;
    const QPointF back = Unit(from - tip) * size;
    if (back.isNull()) return arrow;
    // The drafting programs' closed arrow: a sixth of its length either side.
    const QPointF side(-back.y() / 6, back.x() / 6);
    arrow.moveTo(tip);
    arrow.lineTo(tip + back + side);
    arrow.lineTo(tip + back - side);
    arrow.closeSubpath();
    return arrow;
}

DimensionPicture LinearDimension(QPointF p1, QPointF p2, QPointF onLine, double angle,
                                 QPointF textAt, const std::string& text, double factor,
                                 const DimensionLook& look, const DimensionText& letters) {
    DimensionPicture out;
    const double k = look.scale > 0 ? look.scale : 1;
    const QPointF u(std::cos(angle), std::sin(angle));
    const QPointF q1 = onLine + u * Dot(p1 - onLine, u), q2 = onLine + u * Dot(p2 - onLine, u);
    for (const auto& [p, q] : {std::pair{p1, q1}, std::pair{p2, q2}}) {
        const QPointF out_ = Unit(q - p);
        if (out_.isNull()) continue;
        out.lines.moveTo(p + out_ * look.gap * k);
        out.lines.lineTo(q + out_ * look.beyond * k);
    }
    out.arrows.addPath(Arrowhead(q1, q2, look.arrow * k));
    out.arrows.addPath(Arrowhead(q2, q1, look.arrow * k));

    std::string shown = text.empty() ? "<>" : text;
    const size_t at = shown.find("<>");
    if (at != std::string::npos)
        shown.replace(at, 2, Measure(std::abs(Dot(p2 - p1, u)) * factor, look.decimals));
    const QPainterPath glyphs = letters(shown, look.text * k);
    const QRectF box = glyphs.boundingRect();
    DimensionLine(out.lines, q1, q2, u, textAt, glyphs.isEmpty() ? QSizeF() : box.size(),
                  look.textGap * k);
    if (glyphs.isEmpty()) return out;
    // Read from below or from the right, as the drafting programs turn it.
    double turn = std::atan2(u.y(), u.x());
    if (turn > kPi / 2 + 1e-9 || turn <= -kPi / 2 + 1e-9) turn += kPi;
    QTransform m;
    m.translate(textAt.x(), textAt.y());
    m.rotate(turn * 180 / kPi);
    m.translate(-box.center().x(), -box.center().y());
    out.lines.addPath(m.map(glyphs));
    return out;
}
