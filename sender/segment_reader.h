#pragma once
// Reads the framed plot in segments for the serial line. A segment ends just after a delimiter
// byte (ETX, LF, "(", ")", ";"), after 80 bytes, or at the end of the file; a tick sends at most
// two. The plotter parses instructions as they arrive, so cutting at delimiters keeps each write
// a run of whole instructions where it can.

#include <cstddef>
#include <string>
#include <vector>

inline constexpr size_t kSegmentMax = 80;
inline constexpr size_t kSegmentsPerTick = 2;

bool IsSegmentDelimiter(unsigned char c);

// The length of the first segment of what SegmentReader::Next returned.
size_t FirstSegmentLength(const std::string& segments);

class SegmentReader {
public:
    // Reads from fd (not owned); the read position must be where sending starts.
    explicit SegmentReader(int fd);

    // Up to two segments, the second only when the first ended at a delimiter or was full.
    // Empty at the end of the file. Returns false (and sets error) when the file can't be read.
    bool Next(std::string& out);

    // Gives back the last count bytes of what Next returned, so the next call starts with
    // them (the line took fewer bytes than offered).
    void Unread(size_t count);

    int error() const { return error_; }

private:
    bool Fill(size_t want);

    int fd_;
    std::vector<char> buf_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    int error_ = 0;
};
