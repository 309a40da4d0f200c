#include "sender/plotter_queries.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/serial_line.h"
#include "sender/line_drain.h"

namespace {

using Clock = std::chrono::steady_clock;

// Longer than any number a plotter gives; more without an end is not an answer.
constexpr size_t kLongestAnswer = 16;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsEnd(char c) { return c == '\r' || c == '\n'; }

// Waits for fd to be ready for events, or for the wake fd; false with end set otherwise.
bool Await(int fd, short events, int wakeFd, int timeoutMs, AnswerEnd* end, int* error) {
    pollfd p[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    const nfds_t count = wakeFd >= 0 ? 2 : 1;
    for (;;) {
        const int rc = poll(p, count, timeoutMs);
        if (rc < 0 && errno == EINTR) continue;
        if (rc < 0) {
            *end = AnswerEnd::LineFailed;
            *error = errno;
            return false;
        }
        if (rc == 0) {
            *end = AnswerEnd::Silent;
            return false;
        }
        if (count == 2 && (p[1].revents & POLLIN)) {
            *end = AnswerEnd::Stopped;
            return false;
        }
        return true;  // ready, or hung up: the read or write that follows says which
    }
}

}  // namespace

std::optional<long> ParsePlotterNumber(std::string_view answer) {
    size_t i = 0;
    while (i < answer.size() && IsBlank(answer[i])) ++i;
    long value = 0;
    size_t digits = 0;
    for (; i < answer.size() && answer[i] >= '0' && answer[i] <= '9'; ++i, ++digits) {
        if (value > (LONG_MAX - 9) / 10) return std::nullopt;
        value = value * 10 + (answer[i] - '0');
    }
    if (digits == 0) return std::nullopt;
    while (i < answer.size() && IsBlank(answer[i])) ++i;
    if (i == answer.size() || !IsEnd(answer[i])) return std::nullopt;
    return value;
}

PlotterAnswer AskPlotter(int fd, int wakeFd, std::string_view question,
                         std::chrono::milliseconds limit, const std::function<bool()>& stop) {
    PlotterAnswer answer;
    tcflush(fd, TCIFLUSH);
    for (size_t put = 0; put < question.size();) {
        const ssize_t n = WriteSome(fd, question.data() + put, question.size() - put);
        if (n < 0) {
            answer.end = AnswerEnd::LineFailed;
            answer.error = errno;
            return answer;
        }
        put += static_cast<size_t>(n);
        if (put < question.size() &&
            !Await(fd, POLLOUT, wakeFd, static_cast<int>(limit.count()), &answer.end,
                   &answer.error))
            return answer;
    }
    if (!DrainServing(fd, [] {}, stop)) {
        answer.end = stop() ? AnswerEnd::Stopped : AnswerEnd::LineFailed;
        answer.error = EIO;
        return answer;
    }

    const auto deadline = Clock::now() + limit;
    std::string& text = answer.text;
    for (;;) {
        // Line ends before the number are the tail of an earlier answer, not this one.
        while (!text.empty() && IsEnd(text.front())) text.erase(0, 1);
        if (const size_t end = text.find_first_of("\r\n"); end != std::string::npos) {
            text.resize(end + 1);
            if (const std::optional<long> value = ParsePlotterNumber(text)) {
                answer.end = AnswerEnd::Number;
                answer.value = *value;
                return answer;
            }
            text.pop_back();
            answer.end = AnswerEnd::NotANumber;
            return answer;
        }
        if (text.size() > kLongestAnswer) {
            answer.end = AnswerEnd::NotANumber;
            return answer;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            answer.end = text.empty() ? AnswerEnd::Silent : AnswerEnd::NotANumber;
            return answer;
        }
        if (!Await(fd, POLLIN, wakeFd, static_cast<int>(left), &answer.end, &answer.error)) {
            if (answer.end == AnswerEnd::Silent && !text.empty()) answer.end = AnswerEnd::NotANumber;
            return answer;
        }
        char buf[32];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0) {
            text.append(buf, static_cast<size_t>(n));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            answer.end = AnswerEnd::LineFailed;
            answer.error = n == 0 ? EIO : errno;
            return answer;
        }
    }
}
