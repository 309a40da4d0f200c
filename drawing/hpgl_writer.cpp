#include "drawing/hpgl_writer.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "drawing/stages/drag_knife.h"
#include "drawing/stages/perforation.h"

namespace {

// Long pen-down lists are split: some plotters parse an instruction into a small buffer.
constexpr int kPointsPerInstruction = 128;
constexpr size_t kFlushBytes = 64 * 1024;
// HP-GL's own step: 0.025 mm.
constexpr double kUnitsPerInch = 1016;
constexpr double kUnitsPerMm = 40;

int32_t Scaled(double v, double scale) { return static_cast<int32_t>(std::llround(v * scale)); }

std::string Mm(double units) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", units / kUnitsPerMm);
    return text;
}

std::string PerforationSet(const Perforation& p) {
    return "pen " + std::to_string(p.pen) + ", cut " + Mm(p.cut) + " mm, skip " + Mm(p.skip) +
           " mm";
}

}  // namespace

std::string PlotInputWindow(int32_t width, int32_t height, const OutputForm& output) {
    const double scale = output.stepsPerInch / kUnitsPerInch;
    return "0,0," + std::to_string(Scaled(width, scale)) + "," +
           std::to_string(Scaled(height, scale));
}

HpglWriter::HpglWriter(std::FILE* out, const CutOptions& cut, int32_t width, int32_t height)
    : _out(out), _cut(cut), _width(width), _height(height) {
    const OutputForm& o = _cut.output;
    _scale = o.stepsPerInch / kUnitsPerInch;
    _maxPairs = o.limitPd ? std::min(o.pdPairs, kPointsPerInstruction) : kPointsPerInstruction;
    _maxBytes = o.limitPd ? o.pdBytes : 0;
    _buffer = o.header;
    _notes = cut.notes;
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
    if (_bytes + static_cast<int64_t>(_buffer.size()) > _ceiling && _refusal.empty())
        Refuse("the plot would be larger than " + std::to_string(kMaxPlotBytes >> 20) +
               " MB: " + Multiplier());
    if (!_buffer.empty() && !_failed && _refusal.empty()) {
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

// What made the body that big: the option whose lines took most of it, or the drawing itself.
std::string HpglWriter::Multiplier() const {
    const int64_t all = _bytes + static_cast<int64_t>(_buffer.size());
    const int64_t shaped = _shapedBytes + (_shapingSince >= 0 ? all - _shapingSince : 0);
    if (shaped * 2 < all)
        return "the drawing has that many lines to plot; plot part of it";
    if (_cut.perforation.use)
        return "the perforation (" + PerforationSet(_cut.perforation) +
               ") cuts the lines into that many pieces; set longer cut and skip lengths";
    return "the drag knife's swings at the corners multiply the lines; plot part of the drawing";
}

void HpglWriter::Refuse(std::string why) {
    if (_refusal.empty()) _refusal = std::move(why);
    _buffer.clear();
}

void HpglWriter::Note(const std::string& note) {
    if (std::find(_notes.begin(), _notes.end(), note) == _notes.end()) _notes.push_back(note);
}

void HpglWriter::SelectPen(int number) {
    Put("SP");
    Number(number);
    Put(";\n");
    _pen = number;
}

void HpglWriter::MoveTo(const RunPoint& p) {
    const PlotPoint at{static_cast<int32_t>(std::llround(p.x)),
                       static_cast<int32_t>(std::llround(p.y))};
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
    _at = {static_cast<int32_t>(std::llround(p.x)), static_cast<int32_t>(std::llround(p.y))};
}

void HpglWriter::Force(int value) {
    Put(";FS");
    Number(value);
    _inPd = false;
}

bool HpglWriter::Shaped(int pen) const {
    return (_cut.knife.use && _cut.knife.pen == pen) ||
           (_cut.perforation.use && _cut.perforation.pen == pen);
}

void HpglWriter::Draw(const PathSet& paths, const PathStep& step) {
    if (!_refusal.empty() || paths.end(step.path) - paths.begin(step.path) < 2) return;
    if (_cut.frame.use) ForEachPoint(paths, step, [&](const PlotPoint& p) { _box.Add(p); });
    if (Shaped(_pen)) {
        std::vector<RunPoint> line;
        ForEachPoint(paths, step, [&](const PlotPoint& p) {
            line.push_back({1.0 * p.x, 1.0 * p.y});
        });
        _shapingSince = _bytes + static_cast<int64_t>(_buffer.size());
        DrawShaped(std::move(line));
        _shapedBytes += _bytes + static_cast<int64_t>(_buffer.size()) - _shapingSince;
        _shapingSince = -1;
        return;
    }
    // The ordering's own walk of a step, so that what is written is what it measured.
    bool first = true;
    ForEachPoint(paths, step, [&](const PlotPoint& p) {
        const RunPoint at{1.0 * p.x, 1.0 * p.y};
        if (first)
            MoveTo(at);
        else
            LineTo(at, false);
        first = false;
    });
    Put(";\n");
}

void HpglWriter::WriteLine(std::span<const RunPoint> line, bool skipRepeats) {
    if (line.empty()) return;
    MoveTo(line.front());
    for (size_t i = 1; i < line.size(); ++i) LineTo(line[i], skipRepeats);
    Put(";\n");
}

void HpglWriter::DrawShaped(std::vector<RunPoint> line) {
    if (_cut.knife.use && _cut.knife.pen == _pen) line = DragKnifePath(line, _cut.knife);
    if (_cut.perforation.use && _cut.perforation.pen == _pen) {
        // Cut whole, the line would go through where it should hold: refused instead.
        if (const auto pieces = PerforationPieces(line, _cut.perforation, kMaxPerforationPieces))
            WritePieces(*pieces);
        else
            Refuse("a line is too long to be perforated as set (" +
                   PerforationSet(_cut.perforation) + "): it would be cut into more than " +
                   std::to_string(kMaxPerforationPieces) +
                   " pieces; set longer cut and skip lengths");
        return;
    }
    WriteLine(line, true);
}

void HpglWriter::WritePieces(const std::vector<CutPiece>& pieces) {
    const Perforation& p = _cut.perforation;
    if (pieces.empty()) return;
    // Without a cut force to press again after a skip, a pen kept down would cut the skips
    // through at the skip's force: it is lifted over them instead.
    if (p.skipForce <= 0 || p.cutForce <= 0) {
        for (const CutPiece& piece : pieces)
            if (piece.cut) WriteLine(piece.points, true);
        return;
    }
    // The pen stays down through the skips, pressed lightly enough not to cut through.
    MoveTo(pieces.front().points.front());
    for (const CutPiece& piece : pieces) {
        Force(piece.cut ? p.cutForce : p.skipForce);
        for (size_t i = 1; i < piece.points.size(); ++i) LineTo(piece.points[i], true);
    }
    // The force left behind is the cut's, whatever is cut next.
    if (!pieces.back().cut) Force(p.cutForce);
    Put(";\n");
}

void HpglWriter::WriteFrame() {
    bool clipped = false;
    const auto frame = WeedingFrameAround(_box, _cut.frame, _width, _height, &clipped);
    if (clipped)
        Note("the weeding frame reaches beyond the printable area; it is cut along its edge");
    if (!frame) return;
    if (_pen != _cut.frame.pen) SelectPen(_cut.frame.pen);
    std::vector<RunPoint> line;
    for (const PlotPoint& p : *frame) line.push_back({1.0 * p.x, 1.0 * p.y});
    if (Shaped(_pen))
        DrawShaped(std::move(line));
    else
        WriteLine(line, false);
}

bool HpglWriter::Finish() {
    if (_cut.frame.use && _refusal.empty()) WriteFrame();
    Put("PU;SP0;\n");
    _buffer += _cut.output.footer;
    Flush();
    errno = 0;
    if (std::fflush(_out) != 0 || std::ferror(_out)) {
        if (!_failed) _writeError = errno;
        _failed = true;
    }
    return !_failed && _refusal.empty();
}
