// Arcs, circles, rectangles, wedges and labels, and the line type, character size and label
// terminator they are drawn with.

#include <cmath>
#include <numbers>
#include <string_view>

#include "hpgl/hpgl_interpreter.h"

// A closed outline drawn apart from the current line (rectangles, circles, wedges, labels):
// the pen position and pen state stay as they were.
template <typename Vertices>
void THpglInterpreter::Outline(THpglPathKind kind, Vertices&& vertices) {
    EndLine();
    if (!Drawing()) return;
    bool first = true;
    vertices([&](double x, double y) {
        x = Clamp(x);
        y = Clamp(y);
        if (first) {
            _paths.Start(x, y, _pen, kind, _lineType);
            first = false;
        } else {
            _paths.Vertex(x, y, _offset);
        }
    });
    _paths.Finish();
}

// Points of an arc in user units around (cx, cy), from angle `start` (radians) over `sweep`
// degrees, excluding the start point, mapped to plotter units.
template <typename Sink>
void THpglInterpreter::ArcPoints(double cx, double cy, double r, double start, double sweep,
                                 double chord, Sink&& sink) {
    sweep = std::clamp(sweep, -360.0, 360.0);
    const int n = HpglArcChords(sweep, chord);
    const double step = sweep / n * std::numbers::pi / 180;
    for (int i = 1; i <= n; ++i) {
        const double a = start + step * i;
        sink(_transform.X(cx + r * std::cos(a)), _transform.Y(cy + r * std::sin(a)));
    }
}

bool THpglInterpreter::Circle() {
    double v[2] = {0, kDefaultChord};
    const int n = Numbers(v, 2);
    _lexer.EndInstruction();
    if (n == 0 || v[0] == 0) return false;
    const double cx = _transform.UserX(_x);
    const double cy = _transform.UserY(_y);
    const double r = v[0];
    const double chord = v[1];
    Outline(THpglPathKind::Line, [&](auto vertex) {
        vertex(_transform.X(cx + r), _transform.Y(cy));
        ArcPoints(cx, cy, r, 0, 360, chord, vertex);
    });
    return true;
}

bool THpglInterpreter::Arc(bool absolute) {
    double v[4] = {0, 0, 0, kDefaultChord};
    const int n = Numbers(v, 4);
    _lexer.EndInstruction();
    if (n < 3) return false;
    const double ux = _transform.UserX(_x);
    const double uy = _transform.UserY(_y);
    const double cx = absolute ? v[0] : ux + v[0];
    const double cy = absolute ? v[1] : uy + v[1];
    const double r = std::hypot(ux - cx, uy - cy);
    if (r == 0) return true;  // the pen is on the centre: the arc is a point
    const double start = std::atan2(uy - cy, ux - cx);
    ArcPoints(cx, cy, r, start, v[2], v[3], [&](double x, double y) { MoveTo(x, y); });
    return true;
}

bool THpglInterpreter::Rectangle(bool absolute) {
    double v[2];
    if (Numbers(v, 2) < 2) {
        _lexer.EndInstruction();
        return false;
    }
    _lexer.EndInstruction();
    const double x0 = _transform.UserX(_x);
    const double y0 = _transform.UserY(_y);
    const double x1 = absolute ? v[0] : x0 + v[0];
    const double y1 = absolute ? v[1] : y0 + v[1];
    Outline(THpglPathKind::Line, [&](auto vertex) {
        const double px0 = _x, py0 = _y;
        const double px1 = _transform.X(x1), py1 = _transform.Y(y1);
        vertex(px0, py0);
        vertex(px1, py0);
        vertex(px1, py1);
        vertex(px0, py1);
        vertex(px0, py0);
    });
    return true;
}

bool THpglInterpreter::Wedge() {
    double v[4] = {0, 0, 0, kDefaultChord};
    const int n = Numbers(v, 4);
    _lexer.EndInstruction();
    if (n < 3 || v[0] == 0) return false;
    const double cx = _transform.UserX(_x);
    const double cy = _transform.UserY(_y);
    const double r = v[0];
    const double start = v[1] * std::numbers::pi / 180;
    Outline(THpglPathKind::Line, [&](auto vertex) {
        vertex(_x, _y);
        vertex(_transform.X(cx + r * std::cos(start)), _transform.Y(cy + r * std::sin(start)));
        ArcPoints(cx, cy, r, start, v[2], v[3], vertex);
        vertex(_x, _y);
    });
    return true;
}

bool THpglInterpreter::LineType() {
    double v[3] = {0, kDefaultPatternPercent, 0};
    const int n = Numbers(v, 3);
    _lexer.EndInstruction();
    EndLine();
    if (n == 0) {
        _lineType = THpglLineType{};
        return true;
    }
    THpglLineType lt;
    lt.solid = false;
    lt.type = static_cast<std::int8_t>(std::clamp(std::trunc(v[0]), -8.0, 8.0));
    const double length = std::fabs(v[1]);
    if (n >= 3 && v[2] == 1) {
        lt.patternLength = static_cast<float>(length * kUnitsPerCm / 10);  // millimetres
    } else {
        const double diagonal = std::hypot(_p2x - _p1x, _p2y - _p1y);
        lt.patternLength = static_cast<float>(diagonal * length / 100);
    }
    _lineType = lt;
    return true;
}

bool THpglInterpreter::DefineTerminator() {
    char c = 0;
    if (!_lexer.NextByte(c) || c == ';') {
        _terminator = kDefaultTerminator;
        return true;
    }
    _terminator = c;
    double mode = 0;
    _lexer.NextNumber(mode);
    _lexer.EndInstruction();
    return true;
}

bool THpglInterpreter::CharSize(bool relative) {
    double v[2];
    const int n = Numbers(v, 2);
    _lexer.EndInstruction();
    if (n == 1) return false;
    _relativeSize = relative;
    if (relative) {
        _relW = n == 2 ? v[0] : kCharWidthPercent;
        _relH = n == 2 ? v[1] : kCharHeightPercent;
        ApplyRelativeSize();
    } else {
        _charW = (n == 2 ? v[0] : kCharWidthCm) * kUnitsPerCm;
        _charH = (n == 2 ? v[1] : kCharHeightCm) * kUnitsPerCm;
    }
    return true;
}

bool THpglInterpreter::Label() {
    const std::string_view text = _lexer.TextUntil(_terminator);
    // Glyph cells: a character is charW wide and charH high, set 1.5 widths apart; a line
    // feed moves down two heights, a carriage return back to where the label began.
    const double cell = _charW * 1.5;
    const double line = _charH * 2;
    const double startX = _x;
    double x = _x, y = _y;
    THpglBox box;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r') {
            x = startX;
        } else if (b == '\n') {
            y -= line;
        } else if (b == '\b') {
            x -= cell;
        } else if (b >= 0x20) {
            box.Add(x, y);
            box.Add(x + _charW, y + _charH);
            x += cell;
        }
    }
    if (!box.empty) {
        Outline(THpglPathKind::Label, [&](auto vertex) {
            vertex(box.minX, box.minY);
            vertex(box.maxX, box.minY);
            vertex(box.maxX, box.maxY);
            vertex(box.minX, box.maxY);
            vertex(box.minX, box.minY);
        });
    } else {
        EndLine();
    }
    _x = Clamp(x);
    _y = Clamp(y);
    return true;
}
