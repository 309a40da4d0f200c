#include "hpgl/hpgl_interpreter.h"

#include <cmath>

#include "hpgl/hpgl_figures.h"

namespace {

bool Is(const char name[2], const char* mnemonic) {
    return name[0] == mnemonic[0] && name[1] == mnemonic[1];
}

}  // namespace

THpglInterpreter::THpglInterpreter(std::string_view bytes, const THpglOptions& options,
                                   THpglPlot& plot)
    : _lexer(bytes), _options(options), _plot(plot), _paths(plot, options.maxSegments) {
    Initialise();
}

THpglInterpreter::THpglInterpreter(THpglLexer::Source source, const THpglOptions& options,
                                   THpglPlot& plot)
    : _lexer(std::move(source)), _options(options), _plot(plot), _paths(plot, options.maxSegments) {
    Initialise();
}

void THpglInterpreter::Run() {
    char name[2];
    while (!_paths.Full() && _lexer.NextInstruction(name, _offset)) {
        ++_plot.instructions;
        if (!Dispatch(name)) ++_plot.skipped;
    }
    EndLine();
}

// As Run, handing geometry over whenever about `batchPoints` vertices have piled up; false
// when keepGoing said stop.
bool THpglInterpreter::RunInBatches(std::size_t batchPoints,
                                    const std::function<void(const THpglPlot&)>& batch,
                                    const std::function<bool()>& keepGoing) {
    _batchPoints = batchPoints;
    _batch = &batch;
    _keepGoing = &keepGoing;
    char name[2];
    while (!_paths.Full() && !_stopped && _lexer.NextInstruction(name, _offset)) {
        ++_plot.instructions;
        if (!Dispatch(name)) ++_plot.skipped;
        // Stretches that draw nothing (pen-up moves, text, junk) are asked about too.
        if ((_plot.instructions & 4095) == 0 && keepGoing && !keepGoing()) return false;
        HandOverWhenFull();
    }
    if (_stopped) return false;
    EndLine();
    _paths.Flush(batch);
    return true;
}

void THpglInterpreter::DefaultScalingPoints() {
    const double scale = _options.stepScale();
    _p1x = _options.p1x * scale;
    _p1y = _options.p1y * scale;
    _p2x = _options.p2x * scale;
    _p2y = _options.p2y * scale;
}

void THpglInterpreter::Initialise() {
    DefaultScalingPoints();
    Defaults();
    _x = _y = 0;
    _penDown = false;
}

// What DF resets (IN resets this and more).
void THpglInterpreter::Defaults() {
    _scaling = THpglScaling{};
    _transform = THpglTransform{};
    _absolute = true;
    _lineType = THpglLineType{};
    _relativeSize = false;
    _charW = kCharWidthCm * _options.unitsPerCm();
    _charH = kCharHeightCm * _options.unitsPerCm();
    _terminator = kDefaultTerminator;
}

void THpglInterpreter::Rescale() {
    if (auto t = HpglMakeTransform(_p1x, _p1y, _p2x, _p2y, _scaling)) _transform = *t;
    if (_relativeSize) ApplyRelativeSize();
}

void THpglInterpreter::ApplyRelativeSize() {
    _charW = std::fabs(_p2x - _p1x) * _relW / 100;
    _charH = std::fabs(_p2y - _p1y) * _relH / 100;
}

// Hands the batch over once it is full; false (and stops the read) when keepGoing says
// stop. Called inside coordinate lists too: a single PD instruction may run for the whole
// file, and its vertices must not pile up until its end.
bool THpglInterpreter::HandOverWhenFull() {
    if (!_batch || _stopped || _plot.points.size() < _batchPoints) return !_stopped;
    if (*_keepGoing && !(*_keepGoing)()) {
        _stopped = true;
        return false;
    }
    _paths.Flush(*_batch);
    return true;
}

// Ends the open pen-down line; a pen that went down and never moved leaves a dot.
void THpglInterpreter::EndLine() {
    if (_dotPending && Drawing() && !_paths.Open()) {
        _paths.Start(_x, _y, _pen, THpglPathKind::Line, _lineType);
        _paths.Vertex(_x, _y, _dotOffset);
    }
    _dotPending = false;
    _paths.Finish();
}

void THpglInterpreter::MoveTo(double x, double y) {
    x = Clamp(x);
    y = Clamp(y);
    if (_penDown && Drawing()) {
        if (!_paths.Open()) _paths.Start(_x, _y, _pen, THpglPathKind::Line, _lineType);
        _paths.Vertex(x, y, _offset);
        _dotPending = false;
    }
    _x = x;
    _y = y;
}

bool THpglInterpreter::Dispatch(const char name[2]) {
    if (Is(name, "PA")) return Move(true, std::nullopt);
    if (Is(name, "PR")) return Move(false, std::nullopt);
    if (Is(name, "PD")) return Move(std::nullopt, true);
    if (Is(name, "PU")) return Move(std::nullopt, false);
    if (Is(name, "SP")) return SelectPen();
    if (Is(name, "IN")) return Initialize();
    if (Is(name, "DF")) return Default();
    if (Is(name, "IP")) return InputP1P2();
    if (Is(name, "PS")) return PlotSize();
    if (Is(name, "SC")) return Scale();
    if (Is(name, "IW")) return InputWindow();
    if (Is(name, "CI")) return Circle();
    if (Is(name, "AA")) return Arc(true);
    if (Is(name, "AR")) return Arc(false);
    if (Is(name, "EA") || Is(name, "RA")) return Rectangle(true);
    if (Is(name, "ER") || Is(name, "RR")) return Rectangle(false);
    if (Is(name, "EW") || Is(name, "WG")) return Wedge();
    if (Is(name, "LT")) return LineType();
    if (Is(name, "LB")) return Label();
    if (Is(name, "DT")) return DefineTerminator();
    if (Is(name, "SI")) return CharSize(false);
    if (Is(name, "SR")) return CharSize(true);
    // Instructions whose parameters are text that may hold letters and ';'.
    if (Is(name, "WD") || Is(name, "BL")) {
        _lexer.TextUntil(_terminator);
        return false;
    }
    if (Is(name, "CO") || Is(name, "PE")) {
        _lexer.SkipToSemicolon();
        return false;
    }
    return false;  // its numeric parameters are skipped as junk by the next mnemonic search
}

bool THpglInterpreter::Move(std::optional<bool> absolute, std::optional<bool> down) {
    if (absolute) _absolute = *absolute;
    if (down) {
        if (!*down) {
            EndLine();
        } else if (!_penDown) {
            _dotPending = true;
            _dotOffset = _offset;
        }
        _penDown = *down;
    }
    double xy[2];
    while (Numbers(xy, 2) == 2) {
        if (_absolute) {
            MoveTo(_transform.X(xy[0]), _transform.Y(xy[1]));
        } else {
            MoveTo(_x + xy[0] * _transform.sx, _y + xy[1] * _transform.sy);
        }
        if (_paths.Full() || !HandOverWhenFull()) break;
    }
    _lexer.EndInstruction();
    return true;
}

bool THpglInterpreter::SelectPen() {
    double v = 0;
    const bool given = _lexer.NextNumber(v);
    _lexer.EndInstruction();
    EndLine();
    _pen = given ? static_cast<int>(std::clamp(std::trunc(v), 0.0, 32767.0)) : 0;
    return true;
}

bool THpglInterpreter::Initialize() {
    _lexer.EndInstruction();
    EndLine();
    Initialise();
    return true;
}

bool THpglInterpreter::Default() {
    _lexer.EndInstruction();
    EndLine();
    Defaults();
    return true;
}

bool THpglInterpreter::InputP1P2() {
    double v[4];
    const int n = Numbers(v, 4);
    _lexer.EndInstruction();
    if (n == 0) {
        DefaultScalingPoints();
    } else if (n == 2 || n == 3) {
        // P2 follows P1.
        _p2x += v[0] - _p1x;
        _p2y += v[1] - _p1y;
        _p1x = v[0];
        _p1y = v[1];
    } else if (n == 4) {
        _p1x = v[0];
        _p1y = v[1];
        _p2x = v[2];
        _p2y = v[3];
    } else {
        return false;
    }
    Rescale();
    return true;
}

// The plot size puts P1 at the origin and P2 at the far corner of the new media.
bool THpglInterpreter::PlotSize() {
    double v[2];
    const int n = Numbers(v, 2);
    _lexer.EndInstruction();
    if (n == 0) {
        DefaultScalingPoints();
    } else {
        if (v[0] <= 0 || (n == 2 && v[1] <= 0)) return false;
        _p1x = _p1y = 0;
        _p2x = v[0];
        if (n == 2) _p2y = v[1];
    }
    Rescale();
    return true;
}

bool THpglInterpreter::Scale() {
    double v[7];
    const int n = Numbers(v, 7);
    _lexer.EndInstruction();
    if (n == 0) {
        _scaling = THpglScaling{};
        _transform = THpglTransform{};
        return true;
    }
    if (n < 4) return false;
    THpglScaling s;
    s.a = v[0];
    s.b = v[1];
    s.c = v[2];
    s.d = v[3];
    const int type = n >= 5 ? static_cast<int>(v[4]) : 0;
    if (type == 0) {
        s.mode = THpglScaleMode::Anisotropic;
    } else if (type == 1) {
        s.mode = THpglScaleMode::Isotropic;
        if (n >= 7) {
            s.left = std::clamp(v[5], 0.0, 100.0);
            s.bottom = std::clamp(v[6], 0.0, 100.0);
        }
    } else if (type == 2) {
        s.mode = THpglScaleMode::PointFactor;
    } else {
        return false;
    }
    const auto t = HpglMakeTransform(_p1x, _p1y, _p2x, _p2y, s);
    if (!t) return false;
    _scaling = s;
    _transform = *t;
    return true;
}

bool THpglInterpreter::InputWindow() {
    // Clipping is left to the plotter; a preview shows everything.
    double v[4];
    Numbers(v, 4);
    _lexer.EndInstruction();
    return true;
}

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

bool THpglInterpreter::Circle() {
    double v[2] = {0, kDefaultChord};
    const int n = Numbers(v, 2);
    _lexer.EndInstruction();
    if (n == 0 || v[0] == 0) return false;
    Outline(THpglPathKind::Line,
            [&](auto vertex) { HpglCircle(_transform, _x, _y, v[0], v[1], vertex); });
    return true;
}

bool THpglInterpreter::Arc(bool absolute) {
    double v[4] = {0, 0, 0, kDefaultChord};
    const int n = Numbers(v, 4);
    _lexer.EndInstruction();
    if (n < 3) return false;
    const double cx = absolute ? v[0] : _transform.UserX(_x) + v[0];
    const double cy = absolute ? v[1] : _transform.UserY(_y) + v[1];
    HpglArc(_transform, _x, _y, cx, cy, v[2], v[3], [&](double x, double y) { MoveTo(x, y); });
    return true;
}

bool THpglInterpreter::Rectangle(bool absolute) {
    double v[2];
    if (Numbers(v, 2) < 2) {
        _lexer.EndInstruction();
        return false;
    }
    _lexer.EndInstruction();
    const double ux = absolute ? v[0] : _transform.UserX(_x) + v[0];
    const double uy = absolute ? v[1] : _transform.UserY(_y) + v[1];
    Outline(THpglPathKind::Line,
            [&](auto vertex) { HpglRectangle(_transform, _x, _y, ux, uy, vertex); });
    return true;
}

bool THpglInterpreter::Wedge() {
    double v[4] = {0, 0, 0, kDefaultChord};
    const int n = Numbers(v, 4);
    _lexer.EndInstruction();
    if (n < 3 || v[0] == 0) return false;
    Outline(THpglPathKind::Line,
            [&](auto vertex) { HpglWedge(_transform, _x, _y, v[0], v[1], v[2], v[3], vertex); });
    return true;
}

bool THpglInterpreter::LineType() {
    double v[3] = {0, kDefaultPatternPercent, 0};
    const int n = Numbers(v, 3);
    _lexer.EndInstruction();
    EndLine();
    _lineType =
        n == 0 ? THpglLineType{}
               : HpglLineType(v, n, std::hypot(_p2x - _p1x, _p2y - _p1y), _options.unitsPerCm());
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
        _charW = (n == 2 ? v[0] : kCharWidthCm) * _options.unitsPerCm();
        _charH = (n == 2 ? v[1] : kCharHeightCm) * _options.unitsPerCm();
    }
    return true;
}

bool THpglInterpreter::Label() {
    const std::string_view text = _lexer.TextUntil(_terminator);
    double x = _x, y = _y;
    const THpglBox cells = HpglLabelCells(text, _charW, _charH, &x, &y);
    if (!cells.empty) {
        Outline(THpglPathKind::Label, [&](auto vertex) { HpglBoxOutline(cells, vertex); });
    } else {
        EndLine();
    }
    _x = Clamp(x);
    _y = Clamp(y);
    return true;
}
