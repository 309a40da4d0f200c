#include "sender/stop_ending.h"

#include <unistd.h>

#include <algorithm>

#include "sender/plotter_queries.h"
#include "sender/segment_reader.h"

namespace {

constexpr char kLabelEnd = '\x03';  // ETX, the label terminator
constexpr std::string_view kPenUp = "PU;";
constexpr std::string_view kPlotterOn = "\x1b.(";
constexpr std::string_view kPlotterOff = "\x1b.)";
// An instruction longer than this is a coordinate run with no end in sight: it is not read
// back whole to count its numbers.
constexpr size_t kLongestInFlight = 1 << 20;

bool Digit(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool Sign(char c) { return c == '+' || c == '-'; }
bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Numbers separated by commas, as the plot's coordinate runs are written.
bool Coordinates(std::string_view params) {
    return std::all_of(params.begin(), params.end(),
                       [](char c) { return Digit(c) || Sign(c) || c == ','; });
}

// The rest of the pair under way from next: the rest of the number begun (or a whole one when
// none is), then the y of a lone x. How many bytes of next that is.
size_t PairRest(std::string_view params, std::string_view next) {
    const size_t numbers = static_cast<size_t>(std::count(params.begin(), params.end(), ','));
    const size_t comma = params.rfind(',');
    const std::string_view current =
        comma == std::string_view::npos ? params : params.substr(comma + 1);
    size_t i = 0;
    const auto number = [&] {
        if (i < next.size() && Sign(next[i])) ++i;
        while (i < next.size() && Digit(next[i])) ++i;
    };
    if (current.empty())
        number();
    else
        while (i < next.size() && Digit(next[i])) ++i;
    if (numbers % 2 == 0 && i < next.size() && next[i] == ',') {
        ++i;
        number();
    }
    return i;
}

}  // namespace

std::string FinishInstruction(std::string_view inFlight, std::string_view next) {
    const size_t start = inFlight.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return {};
    const std::string_view instruction = inFlight.substr(start);
    for (size_t i = 0; i < next.size() && i < kFinishMost; ++i)
        if (IsSegmentDelimiter(static_cast<unsigned char>(next[i])))
            return std::string(next.substr(0, i + 1));
    // A mnemonic cut after its first letter: its second comes first.
    if (instruction.size() == 1 && Letter(instruction[0]) && !next.empty() && Letter(next[0]))
        return next[0] + FinishInstruction(std::string{instruction[0], next[0]}, next.substr(1));
    const bool named = instruction.size() >= 2 && Letter(instruction[0]) && Letter(instruction[1]);
    if (named && (instruction[0] == 'L' || instruction[0] == 'l') &&
        (instruction[1] == 'B' || instruction[1] == 'b'))
        return std::string(1, kLabelEnd);
    if (!named || !Coordinates(instruction.substr(2))) return ";";
    const size_t rest = std::min(PairRest(instruction.substr(2), next), kFinishMost);
    return std::string(next.substr(0, rest)) + ";";
}

std::string FinishInstructionAt(int fd, int64_t sent) {
    // Back from sent to the last instruction end: what of the instruction went out.
    std::string inFlight;
    char chunk[4096];
    int64_t at = sent;
    bool ended = at == 0;
    while (!ended && at > 0 && inFlight.size() < kLongestInFlight) {
        const int64_t from = std::max<int64_t>(0, at - static_cast<int64_t>(sizeof chunk));
        const ssize_t n = pread(fd, chunk, static_cast<size_t>(at - from), from);
        if (n != at - from) return ";";
        size_t keep = static_cast<size_t>(n);
        for (size_t i = keep; i-- > 0;)
            if (IsSegmentDelimiter(static_cast<unsigned char>(chunk[i]))) {
                ended = true;
                keep = static_cast<size_t>(n) - i - 1;
                break;
            }
        inFlight.insert(0, chunk + (static_cast<size_t>(n) - keep), keep);
        at = from;
    }
    if (!ended && at > 0) return ";";
    char next[kFinishMost + 1];
    const ssize_t n = pread(fd, next, sizeof next, sent);
    return FinishInstruction(inFlight, std::string_view(next, n > 0 ? static_cast<size_t>(n) : 0));
}

std::string StopEnding(std::string_view finish, bool answers) {
    std::string out;
    if (answers) {
        // Plotter-on first: one the plot's own plotter-off has reached would ignore the abort.
        out += kPlotterOn;
        out += kAbortGraphics;
    } else {
        out += finish;
    }
    out += kPenUp;
    out += kPlotterOff;
    return out;
}
