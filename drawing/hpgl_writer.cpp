#include "drawing/hpgl_writer.h"

#include <charconv>
#include <cmath>

namespace {

// Long pen-down lists are split: some plotters parse an instruction into a small buffer.
constexpr int kPointsPerInstruction = 128;
constexpr size_t kFlushBytes = 64 * 1024;

}  // namespace

void HpglWriter::Put(const char* text) {
    _buffer += text;
    if (_buffer.size() >= kFlushBytes) Flush();
}

void HpglWriter::Number(int32_t v) {
    char digits[16];
    const auto r = std::to_chars(digits, digits + sizeof digits, v);
    _buffer.append(digits, r.ptr);
}

void HpglWriter::Point(PlotPoint p) {
    Number(p.x);
    _buffer += ',';
    Number(p.y);
}

void HpglWriter::Flush() {
    if (!_buffer.empty() && !_failed) {
        if (std::fwrite(_buffer.data(), 1, _buffer.size(), _out) != _buffer.size())
            _failed = true;
        else
            _bytes += static_cast<int64_t>(_buffer.size());
    }
    _buffer.clear();
}

void HpglWriter::SelectPen(int number) {
    Put("SP");
    Number(number);
    Put(";\n");
}

void HpglWriter::Draw(const PathSet& paths, const PathStep& step) {
    const uint32_t b = paths.begin(step.path), e = paths.end(step.path);
    if (e - b < 2) return;
    const bool closed = paths.closed(step.path);
    // A closed path runs round its ring of distinct vertices from the entry back to it.
    const uint32_t ring = closed ? e - 1 - b : e - b;
    uint32_t first = 0;
    if (closed) {
        first = step.entry >= b && step.entry < e ? (step.entry - b) % ring : 0;
    } else if (step.reversed) {
        first = ring - 1;
    }
    const uint32_t count = closed ? ring + 1 : ring;
    const auto at = [&](uint32_t i) -> PlotPoint {
        if (closed) {
            const uint32_t k =
                step.reversed ? (first + ring - i % ring) % ring : (first + i) % ring;
            return paths.points[b + k];
        }
        return paths.points[step.reversed ? b + first - i : b + i];
    };
    const PlotPoint start = at(0);
    _travel +=
        std::hypot(static_cast<double>(start.x) - _at.x, static_cast<double>(start.y) - _at.y);
    Put("PU");
    Point(start);
    for (uint32_t i = 1; i < count; ++i) {
        Put((i - 1) % kPointsPerInstruction == 0 ? ";PD" : ",");
        Point(at(i));
    }
    Put(";\n");
    _at = at(count - 1);
}

bool HpglWriter::Finish() {
    Put("PU;SP0;\n");
    Flush();
    if (std::fflush(_out) != 0 || std::ferror(_out)) _failed = true;
    return !_failed;
}
