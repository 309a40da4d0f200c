#include "drawing/read/svg/fine_dashes.h"

#include <QRegularExpression>
#include <QTransform>
#include <QXmlStreamReader>
#include <cmath>
#include <optional>
#include <vector>

#include "drawing/paint/stroke_lines.h"
#include "drawing/read/svg/rounded_rect.h"

namespace {

constexpr double kUnitsPerPx = 40 * 25.4 / 96;  // plotter units of 0.025 mm
constexpr double kLibrsvgStep = 1.0 / 256;

std::vector<double> Numbers(QStringView text) {
    static const QRegularExpression number(
        QStringLiteral("[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"));
    std::vector<double> out;
    for (auto it = number.globalMatch(text); it.hasNext();)
        out.push_back(it.next().captured().toDouble());
    return out;
}

// The largest stretch of an SVG transform list.
double Stretch(QStringView list) {
    static const QRegularExpression step(
        QStringLiteral("(matrix|translate|scale|rotate|skewX|skewY)\\s*\\(([^)]*)\\)"));
    QTransform t;
    for (auto it = step.globalMatch(list); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const std::vector<double> v = Numbers(m.capturedView(2));
        const QStringView kind = m.capturedView(1);
        QTransform s;
        if (kind == QLatin1String("matrix") && v.size() == 6)
            s = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
        else if (kind == QLatin1String("scale") && !v.empty())
            s.scale(v[0], v.size() > 1 ? v[1] : v[0]);
        else if (kind == QLatin1String("skewX") && !v.empty())
            s.shear(std::tan(v[0] * M_PI / 180), 0);
        else if (kind == QLatin1String("skewY") && !v.empty())
            s.shear(0, std::tan(v[0] * M_PI / 180));
        t = s * t;
    }
    return LargestStretch(t);
}

// The period of the element's own dash array, 0 for none; nothing when it inherits.
std::optional<double> OwnPeriod(const QXmlStreamAttributes& a) {
    const std::optional<QString> value = OwnDashArray(a);
    if (!value) return std::nullopt;
    double total = 0;
    for (double d : Numbers(*value)) total += d;
    return total > 0 && std::isfinite(total) ? total : 0;
}

// User units to CSS pixels at the root: its width over its viewBox's (a length in mm or pt
// is taken in pixels, which only makes the answer err towards "not fine").
double RootScale(const QXmlStreamAttributes& a) {
    const std::vector<double> box = Numbers(a.value(QLatin1String("viewBox")));
    const std::vector<double> width = Numbers(a.value(QLatin1String("width")));
    if (box.size() != 4 || width.empty() || !(box[2] > 0)) return 1;
    const QStringView unit = a.value(QLatin1String("width")).trimmed();
    const double perUnit = unit.endsWith(QLatin1String("mm"))   ? 96 / 25.4
                           : unit.endsWith(QLatin1String("cm")) ? 96 / 2.54
                           : unit.endsWith(QLatin1String("in")) ? 96
                           : unit.endsWith(QLatin1String("pt")) ? 96.0 / 72
                                                                : 1;
    return width[0] * perUnit / box[2];
}

}  // namespace

SolidDashes DashesDrawnSolid(const QByteArray& xml) {
    if (!xml.contains("dasharray")) return SolidDashes::None;
    struct Level {
        double scale;   // user units to plotter units at 100 %
        double period;  // the dash period in force, 0 for none
    };
    std::vector<Level> stack;
    SolidDashes worst = SolidDashes::None;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement && !stack.empty()) stack.pop_back();
        if (token != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = reader.attributes();
        Level level = stack.empty() ? Level{kUnitsPerPx * RootScale(a), 0} : stack.back();
        level.scale *= Stretch(a.value(QLatin1String("transform")));
        if (const std::optional<double> own = OwnPeriod(a)) level.period = *own;
        stack.push_back(level);
        if (!(level.period > 0) || level.period >= kLibrsvgStep) continue;
        // Pieces of two to a period, the fewest a pattern has, as the plot's rule counts them.
        if (level.period * level.scale < 2) return SolidDashes::Fine;
        worst = SolidDashes::UserUnit;
    }
    return worst;
}
