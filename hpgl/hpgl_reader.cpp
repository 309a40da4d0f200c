#include "hpgl/hpgl_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <functional>
#include <optional>
#include <cmath>
#include <numbers>

#include "hpgl/hpgl_lexer.h"
#include "hpgl/hpgl_transform.h"

namespace {

constexpr char kDefaultTerminator = 0x03;  // ETX
constexpr double kDefaultChord = 5;
// Plotter units per centimetre (1/40 mm).
constexpr double kUnitsPerCm = 400;
// Default absolute character size (SI), centimetres.
constexpr double kCharWidthCm = 0.187;
constexpr double kCharHeightCm = 0.269;
// Default relative character size (SR), percent of P2 - P1.
constexpr double kCharWidthPercent = 0.75;
constexpr double kCharHeightPercent = 1.5;
constexpr double kDefaultPatternPercent = 4;

double Clamp(double v) { return std::clamp(v, -kHpglNumberLimit, kHpglNumberLimit); }

bool Is(const char name[2], const char* mnemonic) {
    return name[0] == mnemonic[0] && name[1] == mnemonic[1];
}

// Appends paths to the plot, keeping bounds, length and the segment limit.
class TPathBuilder {
public:
    TPathBuilder(THpglPlot& plot, std::size_t maxSegments)
        : _plot(plot), _maxSegments(maxSegments) {}

    bool Full() const { return _plot.truncated; }
    bool Open() const { return _open; }

    void Start(double x, double y, int pen, THpglPathKind kind, const THpglLineType& lt) {
        Finish();
        THpglPath path;
        path.pen = pen;
        path.kind = kind;
        path.lineType = lt;
        path.firstPoint = _plot.points.size();
        path.firstSegment = _plot.segmentOffsets.size();
        _plot.paths.push_back(path);
        _plot.points.push_back({static_cast<float>(x), static_cast<float>(y)});
        _lastX = x;
        _lastY = y;
        _open = true;
    }

    void Vertex(double x, double y, std::uint64_t offset) {
        if (!_open) return;
        if (_segmentsBefore + _plot.segmentOffsets.size() >= _maxSegments) {
            _plot.truncated = true;
            return;
        }
        THpglPath& path = _plot.paths.back();
        if (path.firstSegment == _plot.segmentOffsets.size()) _plot.bounds.Add(_lastX, _lastY);
        _plot.bounds.Add(x, y);
        if (path.kind == THpglPathKind::Line) {
            _plot.penDownLength += std::hypot(x - _lastX, y - _lastY);
        }
        _plot.points.push_back({static_cast<float>(x), static_cast<float>(y)});
        _plot.segmentOffsets.push_back(offset);
        _lastX = x;
        _lastY = y;
    }

    // Drops a path that never got a segment.
    void Finish() {
        if (!_open) return;
        _open = false;
        THpglPath& path = _plot.paths.back();
        path.pointCount = _plot.points.size() - path.firstPoint;
        if (path.pointCount < 2) {
            _plot.points.resize(path.firstPoint);
            _plot.paths.pop_back();
        }
    }

    // Hands the paths so far to `batch` and forgets them. An open path goes too, as far as it
    // has come, and carries on from its last vertex as a new path: a pen that stays down for a
    // whole file must not pile up in memory, nor be copied at every batch.
    // Bounds, length and counters keep running over the whole input.
    void Flush(const std::function<void(const THpglPlot&)>& batch) {
        std::optional<THpglPath> carried;
        THpglPoint from;
        if (_open) {
            THpglPath& open = _plot.paths.back();
            const std::size_t points = _plot.points.size() - open.firstPoint;
            carried = open;
            from = _plot.points.back();
            if (points >= 2) {
                open.pointCount = points;
            } else {
                _plot.points.resize(open.firstPoint);
                _plot.paths.pop_back();
            }
        }
        if (!_plot.paths.empty()) batch(_plot);
        _segmentsBefore += _plot.segmentOffsets.size();
        _plot.paths.clear();
        _plot.points.clear();
        _plot.segmentOffsets.clear();
        if (carried) {
            carried->firstPoint = 0;
            carried->firstSegment = 0;
            carried->pointCount = 0;
            _plot.paths.push_back(*carried);
            _plot.points.push_back(from);
        }
    }

private:
    THpglPlot& _plot;
    std::size_t _maxSegments;
    std::size_t _segmentsBefore = 0;  // handed over in earlier batches
    bool _open = false;
    double _lastX = 0, _lastY = 0;
};

class TReader {
public:
    TReader(std::string_view bytes, const THpglOptions& options, THpglPlot& plot)
        : _lexer(bytes), _options(options), _plot(plot), _paths(plot, options.maxSegments) {
        Initialise();
    }
    TReader(THpglLexer::Source source, const THpglOptions& options, THpglPlot& plot)
        : _lexer(std::move(source)), _options(options), _plot(plot),
          _paths(plot, options.maxSegments) {
        Initialise();
    }

    void Run() {
        char name[2];
        while (!_paths.Full() && _lexer.NextInstruction(name, _offset)) {
            ++_plot.instructions;
            if (!Dispatch(name)) ++_plot.skipped;
        }
        EndLine();
    }

    // As Run, handing geometry over whenever about `batchPoints` vertices have piled up; false
    // when keepGoing said stop.
    bool RunInBatches(std::size_t batchPoints, const std::function<void(const THpglPlot&)>& batch,
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

private:
    // --- state -------------------------------------------------------------------------------

    void DefaultScalingPoints() {
        _p1x = _options.p1x;
        _p1y = _options.p1y;
        _p2x = _options.p2x;
        _p2y = _options.p2y;
    }

    void Initialise() {
        DefaultScalingPoints();
        Defaults();
        _x = _y = 0;
        _penDown = false;
    }

    // What DF resets (IN resets this and more).
    void Defaults() {
        _scaling = THpglScaling{};
        _transform = THpglTransform{};
        _absolute = true;
        _lineType = THpglLineType{};
        _relativeSize = false;
        _charW = kCharWidthCm * kUnitsPerCm;
        _charH = kCharHeightCm * kUnitsPerCm;
        _terminator = kDefaultTerminator;
    }

    void Rescale() {
        if (auto t = HpglMakeTransform(_p1x, _p1y, _p2x, _p2y, _scaling)) _transform = *t;
        if (_relativeSize) ApplyRelativeSize();
    }

    void ApplyRelativeSize() {
        _charW = std::fabs(_p2x - _p1x) * _relW / 100;
        _charH = std::fabs(_p2y - _p1y) * _relH / 100;
    }

    // Hands the batch over once it is full; false (and stops the read) when keepGoing says
    // stop. Called inside coordinate lists too: a single PD instruction may run for the whole
    // file, and its vertices must not pile up until its end.
    bool HandOverWhenFull() {
        if (!_batch || _stopped || _plot.points.size() < _batchPoints) return !_stopped;
        if (*_keepGoing && !(*_keepGoing)()) {
            _stopped = true;
            return false;
        }
        _paths.Flush(*_batch);
        return true;
    }

    // --- drawing -----------------------------------------------------------------------------

    bool Drawing() const { return _pen != 0; }

    // Ends the open pen-down line; a pen that went down and never moved leaves a dot.
    void EndLine() {
        if (_dotPending && Drawing() && !_paths.Open()) {
            _paths.Start(_x, _y, _pen, THpglPathKind::Line, _lineType);
            _paths.Vertex(_x, _y, _dotOffset);
        }
        _dotPending = false;
        _paths.Finish();
    }

    void MoveTo(double x, double y) {
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

    // A closed outline drawn apart from the current line (rectangles, circles, wedges, labels):
    // the pen position and pen state stay as they were.
    template <typename Vertices>
    void Outline(THpglPathKind kind, Vertices&& vertices) {
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
    void ArcPoints(double cx, double cy, double r, double start, double sweep, double chord,
                   Sink&& sink) {
        sweep = std::clamp(sweep, -360.0, 360.0);
        const int n = HpglArcChords(sweep, chord);
        const double step = sweep / n * std::numbers::pi / 180;
        for (int i = 1; i <= n; ++i) {
            const double a = start + step * i;
            sink(_transform.X(cx + r * std::cos(a)), _transform.Y(cy + r * std::sin(a)));
        }
    }

    // --- parameters --------------------------------------------------------------------------

    // Reads up to `count` numbers; returns how many were read.
    int Numbers(double* values, int count) {
        int n = 0;
        while (n < count && _lexer.NextNumber(values[n])) ++n;
        return n;
    }

    // --- instructions ------------------------------------------------------------------------

    bool Dispatch(const char name[2]) {
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

    bool Move(std::optional<bool> absolute, std::optional<bool> down) {
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

    bool SelectPen() {
        double v = 0;
        const bool given = _lexer.NextNumber(v);
        _lexer.EndInstruction();
        EndLine();
        _pen = given ? static_cast<int>(std::clamp(std::trunc(v), 0.0, 32767.0)) : 0;
        return true;
    }

    bool Initialize() {
        _lexer.EndInstruction();
        EndLine();
        Initialise();
        return true;
    }

    bool Default() {
        _lexer.EndInstruction();
        EndLine();
        Defaults();
        return true;
    }

    bool InputP1P2() {
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
    bool PlotSize() {
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

    bool Scale() {
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

    bool InputWindow() {
        // Clipping is left to the plotter; a preview shows everything.
        double v[4];
        Numbers(v, 4);
        _lexer.EndInstruction();
        return true;
    }

    bool Circle() {
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

    bool Arc(bool absolute) {
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

    bool Rectangle(bool absolute) {
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

    bool Wedge() {
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

    bool LineType() {
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

    bool DefineTerminator() {
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

    bool CharSize(bool relative) {
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

    bool Label() {
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

    THpglLexer _lexer;
    const THpglOptions& _options;
    THpglPlot& _plot;
    TPathBuilder _paths;
    std::uint64_t _offset = 0;  // of the instruction being read
    // Set by RunInBatches only; a whole-input Run never hands over.
    std::size_t _batchPoints = 0;
    const std::function<void(const THpglPlot&)>* _batch = nullptr;
    const std::function<bool()>* _keepGoing = nullptr;
    bool _stopped = false;  // keepGoing said stop in the middle of an instruction

    double _p1x = 0, _p1y = 0, _p2x = 0, _p2y = 0;
    THpglScaling _scaling;
    THpglTransform _transform;
    double _x = 0, _y = 0;  // pen position, plotter units
    bool _penDown = false;
    bool _absolute = true;
    int _pen = 1;
    bool _dotPending = false;
    std::uint64_t _dotOffset = 0;
    THpglLineType _lineType;
    bool _relativeSize = false;
    double _relW = kCharWidthPercent, _relH = kCharHeightPercent;
    double _charW = 0, _charH = 0;
    char _terminator = kDefaultTerminator;
};

}  // namespace

THpglPlot ReadHpgl(std::string_view bytes, const THpglOptions& options) {
    THpglPlot plot;
    // A plot of coordinate pairs is roughly one segment per 10 bytes; reserving that much spares
    // the repeated reallocations without over-committing on text-heavy input.
    const std::size_t guess = std::min(bytes.size() / 10, options.maxSegments);
    plot.points.reserve(guess);
    plot.segmentOffsets.reserve(guess);
    TReader(bytes, options, plot).Run();
    return plot;
}

THpglStreamResult ReadHpglStream(int fd, const THpglOptions& options,
                                 const std::function<void(const THpglPlot&)>& batch,
                                 const std::function<bool()>& keepGoing) {
    THpglStreamResult result;
    std::uint64_t at = 0;
    bool failed = false;
    THpglLexer::Source source = [&](char* into, std::size_t n) -> std::size_t {
        if (options.streamPiece > 0) n = std::min(n, options.streamPiece);
        while (!failed) {
            // pread: the caller's descriptor may be shared, and a second pass starts at 0 again.
            const ssize_t got = ::pread(fd, into, n, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                failed = true;
                break;
            }
            at += static_cast<std::uint64_t>(got);
            return static_cast<std::size_t>(got);
        }
        return 0;
    };
    THpglPlot running;
    result.finished = TReader(std::move(source), options, running)
                          .RunInBatches(kStreamBatchPoints, batch, keepGoing);
    result.readable = !failed;
    result.bytes = at;
    result.bounds = running.bounds;
    result.penDownLength = running.penDownLength;
    result.instructions = running.instructions;
    result.skipped = running.skipped;
    result.truncated = running.truncated;
    return result;
}

std::optional<THpglPlot> ReadHpglFile(const std::string& path, const THpglOptions& options) {
    // Read, not mapped: a mapping dies with SIGBUS when the file shrinks under it, and the
    // sender rewrites its output file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;  // shrank meanwhile: read what is there
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return ReadHpgl(bytes, options);
}
