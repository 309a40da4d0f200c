#include "drawing/read/dxf/dxf_shapes.h"

#include <QString>
#include <QTransform>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

namespace {

constexpr double kPi = 3.14159265358979323846;
// A cubic strays from an arc of 45 degrees by 4.2e-6 of its radius: a twelfth of a plotter
// unit for a circle of a metre across; twice the pieces would only cost memory.
constexpr double kMaxArcStep = kPi / 4;

// The cubic of an arc of the unit circle from a to b (|b - a| <= 90 degrees).
void UnitArcCubic(double a, double b, QPointF out[3]) {
    const double k = 4.0 / 3.0 * std::tan((b - a) / 4);
    const QPointF p0(std::cos(a), std::sin(a)), p3(std::cos(b), std::sin(b));
    out[0] = p0 + k * QPointF(-p0.y(), p0.x());
    out[1] = p3 - k * QPointF(-p3.y(), p3.x());
    out[2] = p3;
}

// The arc of the unit circle from start to end, counter-clockwise, mapped by `m`.
void AddMappedArc(QPainterPath& path, const QTransform& m, double start, double end, bool join) {
    if (!std::isfinite(start) || !std::isfinite(end)) return;
    double sweep = end - start;
    if (sweep <= 0) sweep += 2 * kPi * std::ceil(-sweep / (2 * kPi) + 1e-12);
    if (sweep <= 0 || sweep > 2 * kPi + 1e-9) sweep = 2 * kPi;
    const QPointF first = m.map(QPointF(std::cos(start), std::sin(start)));
    if (join && path.elementCount() > 0) {
        if (path.currentPosition() != first) path.lineTo(first);
    } else {
        path.moveTo(first);
    }
    const int pieces = std::max(1, static_cast<int>(std::ceil(sweep / kMaxArcStep - 1e-9)));
    for (int i = 0; i < pieces; ++i) {
        QPointF c[3];
        UnitArcCubic(start + sweep * i / pieces, start + sweep * (i + 1) / pieces, c);
        path.cubicTo(m.map(c[0]), m.map(c[1]), m.map(c[2]));
    }
}

// De Boor: the point of the spline at t in span `span` (knots[span] <= t < knots[span + 1]).
QPointF SplinePoint(const SplineData& s, int span, double t) {
    const int p = s.degree;
    std::vector<double> x(p + 1), y(p + 1), w(p + 1);
    for (int j = 0; j <= p; ++j) {
        const int i = span - p + j;
        const double weight = s.weights.empty() ? 1.0 : s.weights[i];
        x[j] = s.control[i].x() * weight;
        y[j] = s.control[i].y() * weight;
        w[j] = weight;
    }
    for (int r = 1; r <= p; ++r) {
        for (int j = p; j >= r; --j) {
            const int i = span - p + j;
            const double den = s.knots[i + p - r + 1] - s.knots[i];
            const double a = den == 0 ? 0 : (t - s.knots[i]) / den;
            x[j] = (1 - a) * x[j - 1] + a * x[j];
            y[j] = (1 - a) * y[j - 1] + a * y[j];
            w[j] = (1 - a) * w[j - 1] + a * w[j];
        }
    }
    return w[p] == 0 ? QPointF(x[p], y[p]) : QPointF(x[p] / w[p], y[p] / w[p]);
}

std::string Utf8Of(const QString& text) { return text.toUtf8().toStdString(); }

// "\U+XXXX" at `i` (the backslash): the character it stands for. Drafting programs write every
// character beyond the file's code page so, in TEXT and MTEXT alike.
std::optional<QChar> UnicodeEscape(const QString& text, qsizetype i) {
    if (i + 7 > text.size() || text[i + 1] != QLatin1Char('U') || text[i + 2] != QLatin1Char('+'))
        return std::nullopt;
    const QString hex = text.mid(i + 3, 4);
    const auto digit = [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()); };
    if (!std::all_of(hex.begin(), hex.end(), digit)) return std::nullopt;
    return QChar(static_cast<char16_t>(hex.toUInt(nullptr, 16)));
}

// "%%d" and its kin at `i`: the sign it stands for added to `out`; the characters it takes (0
// when there is none). Drafting programs write degrees, plus-minus and diameters so, and
// underline and overline switches, which a pen leaves out.
qsizetype PercentCode(const QString& text, qsizetype i, QString* out) {
    if (i + 2 >= text.size() || text[i] != QLatin1Char('%') || text[i + 1] != QLatin1Char('%'))
        return 0;
    // 0: a switch that draws nothing.
    static const struct {
        char code;
        char16_t sign;
    } kSigns[] = {{'d', 0x00B0}, {'p', 0x00B1}, {'c', 0x2300}, {'%', u'%'},
                  {'u', 0},      {'o', 0},      {'k', 0}};
    const char code = text[i + 2].toLower().toLatin1();
    for (const auto& s : kSigns) {
        if (s.code != code) continue;
        if (s.sign) *out += QChar(s.sign);
        return 3;
    }
    // "%%nnn": the character of that code.
    const QString digits = text.mid(i + 2, 3);
    bool number = digits.size() == 3;
    for (const QChar d : digits) number = number && d.isDigit() && d.unicode() < 128;
    if (!number) return 0;
    *out += QChar(static_cast<char16_t>(digits.toUInt()));
    return 5;
}

}  // namespace

std::string DxfTextOf(const std::string& raw) {
    const QString text = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const qsizetype taken = PercentCode(text, i, &out)) {
            i += taken - 1;
            continue;
        }
        const std::optional<QChar> c =
            text[i] == QLatin1Char('\\') ? UnicodeEscape(text, i) : std::nullopt;
        out += c ? *c : text[i];
        if (c) i += 6;
    }
    return Utf8Of(out);
}

void AddArc(QPainterPath& path, QPointF centre, double radius, double start, double end,
            bool join) {
    AddMappedArc(path, QTransform(radius, 0, 0, radius, centre.x(), centre.y()), start, end, join);
}

void AddEllipseArc(QPainterPath& path, QPointF centre, QPointF major, double ratio, double start,
                   double end, bool join) {
    // Unit circle -> ellipse: x along the major axis, y along the minor one (ratio of it).
    const QTransform m(major.x(), major.y(), -major.y() * ratio, major.x() * ratio, centre.x(),
                       centre.y());
    AddMappedArc(path, m, start, end, join);
}

void AddBulgePolyline(QPainterPath& path, const std::vector<BulgeVertex>& v, bool closed) {
    if (v.empty()) return;
    path.moveTo(v[0].x, v[0].y);
    const size_t segments = closed ? v.size() : v.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const BulgeVertex& a = v[i];
        const BulgeVertex& b = v[(i + 1) % v.size()];
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        if (std::abs(a.bulge) < 1e-9 || chord == 0) {
            path.lineTo(b.x, b.y);
            continue;
        }
        // The arc's angle is 4 atan(bulge); its centre lies on the chord's perpendicular, to
        // the left of a counter-clockwise arc.
        const double angle = 4 * std::atan(a.bulge);
        const double radius = chord / (2 * std::sin(std::abs(angle) / 2));
        const QPointF mid((a.x + b.x) / 2, (a.y + b.y) / 2);
        const QPointF left(-(b.y - a.y) / chord, (b.x - a.x) / chord);
        const QPointF centre =
            mid + left * (chord / 2 * (1 - a.bulge * a.bulge) / (2 * a.bulge));
        const double from = std::atan2(a.y - centre.y(), a.x - centre.x());
        // A clockwise arc is a counter-clockwise one of the mirrored circle.
        const double mirror = angle > 0 ? 1 : -1;
        AddMappedArc(path, QTransform(radius, 0, 0, mirror * radius, centre.x(), centre.y()),
                     mirror * from, mirror * from + std::abs(angle), true);
        path.setElementPositionAt(path.elementCount() - 1, b.x, b.y);
    }
    if (closed) path.closeSubpath();
}

bool AddSpline(QPainterPath& path, const SplineData& s, double tolerance) {
    const int n = static_cast<int>(s.control.size());
    const int p = s.degree;
    if (p < 1 || p > 11 || n < p + 1 || static_cast<int>(s.knots.size()) != n + p + 1 ||
        (!s.weights.empty() && static_cast<int>(s.weights.size()) != n))
        return false;
    for (size_t i = 1; i < s.knots.size(); ++i)
        if (!(s.knots[i] >= s.knots[i - 1])) return false;
    if (!(tolerance > 0)) return false;
    bool started = false;
    for (int span = p; span < n; ++span) {
        const double t0 = s.knots[span], t1 = s.knots[span + 1];
        if (!(t1 > t0)) continue;
        // Chords of a span of degree p stray at most p(p-1)/8 times the control polygon's
        // largest second difference over the steps squared (as for a Bezier curve).
        double bend = 0;
        for (int i = span - p; i + 2 <= span; ++i)
            bend = std::max(bend, std::hypot(s.control[i + 2].x() - 2 * s.control[i + 1].x() +
                                                 s.control[i].x(),
                                             s.control[i + 2].y() - 2 * s.control[i + 1].y() +
                                                 s.control[i].y()));
        const double need = std::sqrt(p * (p - 1) / 8.0 * bend / tolerance);
        const int steps = std::clamp(static_cast<int>(std::ceil(need)), 1, 4096);
        for (int k = started ? 1 : 0; k <= steps; ++k) {
            const QPointF pt = SplinePoint(s, span, t0 + (t1 - t0) * k / steps);
            if (!started) {
                path.moveTo(pt);
                started = true;
            } else {
                path.lineTo(pt);
            }
        }
    }
    if (started && s.closed) path.closeSubpath();
    return started;
}

namespace {

// Where an MTEXT's runs are gathered: the font of each brace group, the innermost last.
class MTextRuns {
public:
    void Add(QChar c) { _run += c; }
    QString& Run() { return _run; }
    void Open() {
        End();
        if (_fonts.size() < kMaxDepth)
            _fonts.push_back(_fonts.back());
        else
            ++_beyond;
    }
    void Close() {
        End();
        if (_beyond > 0)
            --_beyond;
        else if (_fonts.size() > 1)
            _fonts.pop_back();
    }
    void Font(const QString& name) {
        End();
        _fonts.back() = Utf8Of(name.left(kMaxFontName));
    }
    void Break() {
        End();
        _lines.emplace_back();
    }
    std::vector<MTextLine> Finish() {
        End();
        return std::move(_lines);
    }

private:
    void End() {
        if (!_run.isEmpty()) _lines.back().push_back({Utf8Of(_run), _fonts.back()});
        _run.clear();
    }
    static constexpr size_t kMaxDepth = 256;
    static constexpr qsizetype kMaxFontName = 255;
    std::vector<MTextLine> _lines{1};
    std::vector<std::string> _fonts{std::string()};
    int64_t _beyond = 0;  // groups opened deeper than kMaxDepth
    QString _run;
};

}  // namespace

std::vector<MTextLine> MTextLines(const std::string& raw) {
    const QString text = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    MTextRuns runs;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('{') || c == QLatin1Char('}')) {
            c == QLatin1Char('{') ? runs.Open() : runs.Close();
            continue;
        }
        if (const qsizetype taken = PercentCode(text, i, &runs.Run())) {
            i += taken - 1;
            continue;
        }
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            runs.Add(c);
            continue;
        }
        if (const std::optional<QChar> u = UnicodeEscape(text, i)) {
            runs.Add(*u);
            i += 6;
            continue;
        }
        const QChar code = text[++i];
        switch (code.toLatin1()) {
            case 'P':
                runs.Break();
                break;
            case '\\':
            case '{':
            case '}':
                runs.Add(code);
                break;
            case '~':
                runs.Add(QLatin1Char(' '));
                break;
            case 'L': case 'l': case 'O': case 'o': case 'K': case 'k':
                break;  // underline, overline, strike: on or off
            default: {
                // \f...; \H...; \C...; and the like: up to the semicolon. A font's name comes
                // before its options (|b0|i0...).
                const qsizetype end = text.indexOf(QLatin1Char(';'), i);
                if (end < 0) return runs.Finish();
                if (code == QLatin1Char('f') || code == QLatin1Char('F'))
                    runs.Font(text.mid(i + 1, end - i - 1).section(QLatin1Char('|'), 0, 0));
                i = end;
            }
        }
    }
    return runs.Finish();
}
