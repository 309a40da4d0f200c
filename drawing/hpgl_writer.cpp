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
    if (paths.end(step.path) - paths.begin(step.path) < 2) return;
    // The ordering's own walk of a step, so that what is written is what it measured.
    uint32_t i = 0;
    ForEachPoint(paths, step, [&](const PlotPoint& p) {
        if (i == 0) {
            _travel +=
                std::hypot(static_cast<double>(p.x) - _at.x, static_cast<double>(p.y) - _at.y);
            Put("PU");
        } else {
            Put((i - 1) % kPointsPerInstruction == 0 ? ";PD" : ",");
        }
        Point(p);
        _at = p;
        ++i;
    });
    Put(";\n");
}

bool HpglWriter::Finish() {
    Put("PU;SP0;\n");
    Flush();
    if (std::fflush(_out) != 0 || std::ferror(_out)) _failed = true;
    return !_failed;
}
