#include "sender/segment_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

bool IsSegmentDelimiter(unsigned char c) {
    return c == 0x03 || c == 0x0A || c == 0x28 || c == 0x29 || c == 0x3B;
}

size_t FirstSegmentLength(const std::string& segments) {
    size_t len = 0;
    while (len < segments.size() && len < kSegmentMax)
        if (IsSegmentDelimiter(static_cast<unsigned char>(segments[len++]))) break;
    return len;
}

SegmentReader::SegmentReader(int fd) : fd_(fd), buf_(kBufferSize) {}

// Makes at least want bytes available from pos_, unless the file ends first. Refilling only
// before a tick's segments are cut keeps everything Next returned inside the buffer, which is
// what lets Unread simply step back.
bool SegmentReader::Fill(size_t want) {
    if (end_ - pos_ >= want || eof_) return true;
    std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    while (end_ - pos_ < want && !eof_) {
        const ssize_t n = read(fd_, buf_.data() + end_, buf_.size() - end_);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
            return false;
        }
        if (n == 0) eof_ = true;
        end_ += static_cast<size_t>(n);
    }
    return true;
}

bool SegmentReader::Next(std::string& out) {
    out.clear();
    if (!Fill(kSegmentMax * kSegmentsPerTick)) return false;
    for (size_t s = 0; s < kSegmentsPerTick; ++s) {
        size_t len = 0;
        bool delimited = false;
        while (len < kSegmentMax && pos_ < end_) {
            const char c = buf_[pos_++];
            out.push_back(c);
            ++len;
            if (IsSegmentDelimiter(static_cast<unsigned char>(c))) {
                delimited = true;
                break;
            }
        }
        // A segment cut short by the end of the file is the last one.
        if (!delimited && len < kSegmentMax) break;
    }
    return true;
}

void SegmentReader::Unread(size_t count) {
    pos_ -= count < pos_ ? count : pos_;
}
