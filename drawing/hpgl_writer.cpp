#include "drawing/hpgl_writer.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Long pen-down lists are split: some plotters parse an instruction into a small buffer.
constexpr int kPointsPerInstruction = 128;
constexpr size_t kFlushBytes = 64 * 1024;
// HP-GL's own step: 0.025 mm.
constexpr double kUnitsPerInch = 1016;

int32_t Scaled(double v, double scale) { return static_cast<int32_t>(std::llround(v * scale)); }

PlotPoint Rounded(const RunPoint& p) {
    return {static_cast<int32_t>(std::llround(p.x)), static_cast<int32_t>(std::llround(p.y))};
}

}  // namespace

std::string PlotInputWindow(int32_t width, int32_t height, const OutputForm& output) {
    const double scale = output.stepsPerInch / kUnitsPerInch;
    return "0,0," + std::to_string(Scaled(width, scale)) + "," +
           std::to_string(Scaled(height, scale));
}

HpglWriter::HpglWriter(std::FILE* out, const OutputForm& output) : _out(out), _output(output) {
    const OutputForm& o = _output;
    _scale = o.stepsPerInch / kUnitsPerInch;
    _maxPairs = o.limitPd ? std::min(o.pdPairs, kPointsPerInstruction) : kPointsPerInstruction;
    _maxBytes = o.limitPd ? o.pdBytes : 0;
    _buffer = o.header;
}

void HpglWriter::Put(const char* text) {
    _buffer += text;
    if (_buffer.size() >= kFlushBytes) Flush();
}

void HpglWriter::Number(int32_t v) {
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, v);
    _buffer.append(digits, r.ptr);
}

void HpglWriter::Flush() {
    if (Written() > _ceiling && !_refusal)
        Refuse(Note(NoteId::PlotWouldLargerMB,
                    {std::to_string(kMaxPlotBytes >> 20), Multiplier()}));
    if (!_buffer.empty() && !_failed && !_refusal) {
        errno = 0;
        if (std::fwrite(_buffer.data(), 1, _buffer.size(), _out) != _buffer.size()) {
            _failed = true;
            _writeError = errno;
        } else {
            _bytes += static_cast<int64_t>(_buffer.size());
        }
    }
    _buffer.clear();
}

// What made the body that big: the stage whose strokes took most of it, or the drawing itself.
Note HpglWriter::Multiplier() const {
    const int64_t all = Written();
    const int64_t shaped = _shapedBytes + (_shapingSince >= 0 ? all - _shapingSince : 0);
    if (shaped * 2 < all || !_shapedBy) return NoteId::DrawingHasManyLines;
    return *_shapedBy;
}

void HpglWriter::Refuse(Note why) {
    if (!_refusal) _refusal = std::move(why);
    _buffer.clear();
}

void HpglWriter::SelectPen(int number) {
    Put("SP");
    Number(number);
    Put(";\n");
    _pen = number;
}

void HpglWriter::MoveTo(const RunPoint& p) {
    const PlotPoint at = Rounded(p);
    _travel += std::hypot(static_cast<double>(at.x) - _at.x, static_cast<double>(at.y) - _at.y);
    _written = {Scaled(p.x, _scale), Scaled(p.y, _scale)};
    Put("PU");
    Number(_written.x);
    _buffer += ',';
    Number(_written.y);
    _at = at;
    _inPd = false;
}

void HpglWriter::LineTo(const RunPoint& p, bool skipRepeats) {
    const PlotPoint step{Scaled(p.x, _scale), Scaled(p.y, _scale)};
    if (skipRepeats && step == _written) return;
    char pair[32];
    char* end = std::to_chars(pair, pair + 12, step.x).ptr;
    *end++ = ',';
    end = std::to_chars(end, pair + sizeof pair, step.y).ptr;
    const int length = static_cast<int>(end - pair);
    // "PD", the pairs and their commas, ";": a PD always takes its first pair.
    const bool full = _pdPairs >= _maxPairs || (_maxBytes > 0 && _pdBytes + length + 2 > _maxBytes);
    if (!_inPd || full) {
        Put(";PD");
        _inPd = true;
        _pdPairs = 0;
        _pdBytes = 2;
    } else {
        _buffer += ',';
        ++_pdBytes;
    }
    _buffer.append(pair, end);
    ++_pdPairs;
    _pdBytes += length;
    _written = step;
    _at = Rounded(p);
}

void HpglWriter::Force(int value) {
    Put(";FS");
    Number(value);
    _inPd = false;
}

void HpglWriter::Draw(const Stroke& stroke) {
    if (_refusal || stroke.points.empty()) return;
    if (stroke.pen != _pen) SelectPen(stroke.pen);
    if (stroke.shaped) _shapingSince = Written();
    const std::vector<RunPoint>& points = stroke.points;
    size_t force = 0;
    MoveTo(points.front());
    for (size_t i = 1; i < points.size(); ++i) {
        for (; force < stroke.forces.size() && stroke.forces[force].at <= i; ++force)
            Force(stroke.forces[force].value);
        LineTo(points[i], stroke.shaped);
    }
    for (; force < stroke.forces.size(); ++force) Force(stroke.forces[force].value);
    Put(";\n");
    if (stroke.shaped) _shapedBytes += Written() - _shapingSince;
    _shapingSince = -1;
}

bool HpglWriter::Finish() {
    Put("PU;SP0;\n");
    _buffer += _output.footer;
    Flush();
    errno = 0;
    if (std::fflush(_out) != 0 || std::ferror(_out)) {
        if (!_failed) _writeError = errno;
        _failed = true;
    }
    return !_failed && !_refusal;
}
