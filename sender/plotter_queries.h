#pragma once
// HP-GL plotters answer device-control questions on the line that carries the plot: how much
// room their buffer has (ESC . B) and whether they have drawn all they hold (ESC . O). A sender
// that asks can pace itself by the plotter rather than by the port, and knows when the pen has
// stopped rather than when the last byte left.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kAskBufferRoom = "\x1b.B";
inline constexpr std::string_view kAskStatus = "\x1b.O";
// The first question of a send goes out before the plot's own plotter-on: a plotter that the
// last plot (or a Stop) left programmed off would not hear it. Plotter-on twice is harmless.
inline constexpr std::string_view kAskBufferRoomFirst = "\x1b.(\x1b.B";
// Once the plot's own plotter-off has arrived, a plotter programmed off heeds nothing but
// plotter-on: the status question is put between plotter-on and plotter-off, which leaves the
// plotter as the plot left it.
inline constexpr std::string_view kAskStatusAfterPlot = "\x1b.(\x1b.O\x1b.)";
// Abort graphics empties the buffer, and drops an instruction half taken in.
inline constexpr std::string_view kAbortGraphics = "\x1b.K";
// In the extended status: the buffer is empty, the pen has drawn everything it was sent.
inline constexpr long kStatusBufferEmpty = 8;
// A plotter that answers does so at once; this long means it is not listening.
inline constexpr std::chrono::milliseconds kAnswerLimit{2000};

// An answer as plotters give it: optional blanks, decimal digits, then CR (LF as well, from
// plotters set to end their answers so). Nothing when it is no number, or too big to be one.
std::optional<long> ParsePlotterNumber(std::string_view answer);

enum class AnswerEnd { Number, Silent, NotANumber, Stopped, LineFailed };

struct PlotterAnswer {
    AnswerEnd end = AnswerEnd::Silent;
    long value = 0;
    std::string text;  // what came back, when it was no number
    int error = 0;     // errno, when the line failed
};

// Puts question on the line (fd, non-blocking) and waits for the answer, at most limit after
// the question has left the port, so that a long queue ahead of it on a slow line doesn't
// count as silence. Bytes waiting unread before the question (a late answer, noise) are
// dropped first. A readable wakeFd, or stop() turning true, ends every wait with Stopped.
PlotterAnswer AskPlotter(int fd, int wakeFd, std::string_view question,
                         std::chrono::milliseconds limit, const std::function<bool()>& stop);
