#include "drawing/read/svg/arc_split.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace {

struct Point {
    double x = 0;
    double y = 0;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parameters each command takes, or -1 for what isn't a command.
int ParameterCount(char command) {
    switch (command) {
        case 'Z':
        case 'z':
            return 0;
        case 'H':
        case 'h':
        case 'V':
        case 'v':
            return 1;
        case 'M':
        case 'm':
        case 'L':
        case 'l':
        case 'T':
        case 't':
            return 2;
        case 'S':
        case 's':
        case 'Q':
        case 'q':
            return 4;
        case 'C':
        case 'c':
            return 6;
        case 'A':
        case 'a':
            return 7;
        default:
            return -1;
    }
}

class PathWriter {
public:
    void Command(char command) { _text += command; }

    void Number(double value) {
        if (!_text.empty() && !std::isalpha(static_cast<unsigned char>(_text.back()))) _text += ' ';
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        _text.append(buffer, result.ptr);
    }

    void Pair(Point p) {
        Number(p.x);
        Number(p.y);
    }

    const std::string& Text() const { return _text; }

private:
    std::string _text;
};

class PathSplitter {
public:
    PathSplitter(std::string_view text, size_t limit) : _text(text), _limit(limit) {}

    // False when the text breaks the path grammar.
    bool Run() {
        SkipSpace();
        char command = 0;
        while (_pos < _text.size()) {
            const char c = _text[_pos];
            if (ParameterCount(c) >= 0) {
                if (command == 0 && c != 'M' && c != 'm') return false;
                command = c;
                ++_pos;
                SkipSpace();
            } else if (ParameterCount(command) <= 0 || !StartsNumber(c)) {
                // A repeat needs a command that takes parameters, and a number to start it.
                return false;
            }
            if (!Segment(command) || _out.Text().size() > _limit) return false;
            // Pairs after a moveto's first are linetos.
            if (command == 'M') command = 'L';
            if (command == 'm') command = 'l';
        }
        return true;
    }

    bool SplitAny() const { return _splitAny; }
    const std::string& Text() const { return _out.Text(); }

private:
    void SkipSpace() {
        while (_pos < _text.size() && IsSpace(_text[_pos])) ++_pos;
    }

    void SkipCommaSpace() {
        SkipSpace();
        if (_pos < _text.size() && _text[_pos] == ',') {
            ++_pos;
            SkipSpace();
        }
    }

    bool StartsNumber(char c) const { return IsDigit(c) || c == '.' || c == '-' || c == '+'; }

    bool ReadNumber(double* value) {
        const size_t n = _text.size();
        size_t p = _pos;
        if (p < n && (_text[p] == '+' || _text[p] == '-')) ++p;
        const size_t whole = p;
        while (p < n && IsDigit(_text[p])) ++p;
        bool digits = p > whole;
        if (p < n && _text[p] == '.') {
            const size_t fraction = ++p;
            while (p < n && IsDigit(_text[p])) ++p;
            digits = digits || p > fraction;
        }
        if (!digits) return false;
        if (p < n && (_text[p] == 'e' || _text[p] == 'E')) {
            size_t q = p + 1;
            if (q < n && (_text[q] == '+' || _text[q] == '-')) ++q;
            const size_t exponent = q;
            while (q < n && IsDigit(_text[q])) ++q;
            if (q > exponent) p = q;
        }
        // from_chars takes no '+'; it reads numbers the same in every locale.
        const char* first = _text.data() + _pos + (_text[_pos] == '+' ? 1 : 0);
        const char* last = _text.data() + p;
        const auto result = std::from_chars(first, last, *value);
        if (result.ec != std::errc() || result.ptr != last || !std::isfinite(*value)) return false;
        _pos = p;
        SkipCommaSpace();
        return true;
    }

    // Flags are one character each, so "a25,25 0 1110,10" reads as 1, 1, 10.
    bool ReadFlag(bool* flag) {
        if (_pos >= _text.size() || (_text[_pos] != '0' && _text[_pos] != '1')) return false;
        *flag = _text[_pos++] == '1';
        SkipCommaSpace();
        return true;
    }

    bool Segment(char command) {
        const bool relative = std::islower(static_cast<unsigned char>(command));
        const Point base = relative ? _current : Point{};
        double v[6] = {};
        if (command == 'A' || command == 'a') {
            bool large = false;
            bool sweep = false;
            if (!ReadNumber(&v[0]) || !ReadNumber(&v[1]) || !ReadNumber(&v[2]) ||
                !ReadFlag(&large) || !ReadFlag(&sweep) || !ReadNumber(&v[3]) || !ReadNumber(&v[4]))
                return false;
            const Point end{base.x + v[3], base.y + v[4]};
            if (!std::isfinite(end.x) || !std::isfinite(end.y)) return false;
            if (!Arc(v[0], v[1], v[2], large, sweep, end)) return false;
            _current = end;
            return true;
        }
        const int count = ParameterCount(command);
        for (int i = 0; i < count; ++i)
            if (!ReadNumber(&v[i])) return false;
        _out.Command(command);
        for (int i = 0; i < count; ++i) _out.Number(v[i]);
        switch (command) {
            case 'Z':
            case 'z':
                _current = _start;
                break;
            case 'H':
            case 'h':
                _current.x = base.x + v[0];
                break;
            case 'V':
            case 'v':
                _current.y = base.y + v[0];
                break;
            default:
                _current = {base.x + v[count - 2], base.y + v[count - 1]};
                break;
        }
        if (command == 'M' || command == 'm') _start = _current;
        return true;
    }

    // The arc from the current point to `end`, from its endpoints to its centre and angles as
    // SVG defines them (radii too small for the endpoints grow until they reach).
    bool Arc(double rx, double ry, double degrees, bool large, bool sweep, Point end) {
        const Point from = _current;
        if (from.x == end.x && from.y == end.y) return true;  // draws nothing
        rx = std::abs(rx);
        ry = std::abs(ry);
        if (rx == 0 || ry == 0) {
            _out.Command('L');
            _out.Pair(end);
            return true;
        }
        const double phi = degrees * M_PI / 180;
        const double c = std::cos(phi), s = std::sin(phi);
        const double hx = (from.x - end.x) / 2, hy = (from.y - end.y) / 2;
        // The start point, half the chord away from its middle, in the frame where the
        // ellipse is the unit circle.
        double ux = (c * hx + s * hy) / rx, uy = (-s * hx + c * hy) / ry;
        const double lambda = ux * ux + uy * uy;
        if (lambda > 1) {
            const double grow = std::sqrt(lambda);
            rx *= grow;
            ry *= grow;
            ux /= grow;
            uy /= grow;
        }
        const double squared = ux * ux + uy * uy;
        double k = std::sqrt(std::max(0.0, (1 - squared) / squared));
        if (large == sweep) k = -k;
        const double ox = k * uy, oy = -k * ux;  // the centre in that frame
        const double start = std::atan2(uy - oy, ux - ox);
        double sweepAngle = std::atan2(-uy - oy, -ux - ox) - start;
        if (sweep && sweepAngle < 0) sweepAngle += 2 * M_PI;
        if (!sweep && sweepAngle > 0) sweepAngle -= 2 * M_PI;
        const double cx = c * ox * rx - s * oy * ry + (from.x + end.x) / 2;
        const double cy = s * ox * rx + c * oy * ry + (from.y + end.y) / 2;
        if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry) ||
            !std::isfinite(sweepAngle))
            return false;
        const double piece = kMaxArcPieceDegrees * M_PI / 180;
        const int pieces =
            std::max(1, static_cast<int>(std::ceil(std::abs(sweepAngle) / piece - 1e-9)));
        if (pieces > 1) _splitAny = true;
        for (int i = 1; i <= pieces; ++i) {
            const double t = start + sweepAngle * i / pieces;
            const Point to = i == pieces ? end
                                         : Point{cx + rx * c * std::cos(t) - ry * s * std::sin(t),
                                                 cy + rx * s * std::cos(t) + ry * c * std::sin(t)};
            _out.Command('A');
            _out.Number(rx);
            _out.Number(ry);
            _out.Number(degrees);
            _out.Number(0);
            _out.Number(sweep ? 1 : 0);
            _out.Pair(to);
        }
        return true;
    }

    std::string_view _text;
    const size_t _limit;  // of what is written
    size_t _pos = 0;
    Point _current;
    Point _start;  // of the subpath, where a closepath returns to
    PathWriter _out;
    bool _splitAny = false;
};

}  // namespace

std::optional<QString> SplitPathArcs(QStringView d, qint64 maxGrowth) {
    if (!d.contains(u'a', Qt::CaseInsensitive) || maxGrowth < 0) return std::nullopt;
    const QByteArray text = d.toLatin1();  // anything beyond ASCII breaks the grammar anyway
    PathSplitter splitter(std::string_view(text.constData(), text.size()),
                          static_cast<size_t>(text.size() + maxGrowth));
    if (!splitter.Run() || !splitter.SplitAny()) return std::nullopt;
    return QString::fromLatin1(splitter.Text().data(), splitter.Text().size());
}
