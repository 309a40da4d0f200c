#pragma once
// What goes onto the serial line after Stop, so that the plotter is left safe rather than in
// the middle of an instruction with the pen down on the paper (or a knife in the vinyl): the
// instruction under way is ended, the pen lifted, and the plotter programmed off as the plot's
// own framing would have. A few bytes: Stop has half a second for them.

#include <cstdint>
#include <string>
#include <string_view>

// The most bytes of the plot that end an instruction under way; an instruction whose end lies
// further off is ended by the sender instead.
inline constexpr size_t kFinishMost = 24;

// The bytes that end the instruction under way. inFlight is what of it went out (the bytes
// since the last instruction end), next what the plot holds after them. A short rest goes out
// as the plot has it, up to and including its end; a long run of coordinates is finished to
// the end of the number and the pair under way, then ended with ";" (a cut number, or a lone
// x, would send the pen to a point the plot never names); a label is ended by its terminator.
std::string FinishInstruction(std::string_view inFlight, std::string_view next);

// The same, read from the framed plot (fd, not moved) where sent bytes went out.
std::string FinishInstructionAt(int fd, int64_t sent);

// All that follows the plot's bytes after Stop. A plotter that answers is told to drop what it
// holds (abort graphics, which also drops an instruction half taken in: nothing is left to
// finish), then to lift the pen; one that does not is given finish, then the pen lift, after
// what it holds. Both are then programmed off.
std::string StopEnding(std::string_view finish, bool answers);
