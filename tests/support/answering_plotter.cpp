#include "tests/support/answering_plotter.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {
constexpr int kOverflowError = 16;
constexpr unsigned char kEsc = 0x1b;
}  // namespace

AnsweringPlotter::AnsweringPlotter(PlotterModel model) : model_(std::move(model)) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        close(master_);
        master_ = -1;
        return;
    }
    slave_ = ptsname(master_);
    thread_ = std::thread([this] { Run(); });
}

AnsweringPlotter::~AnsweringPlotter() {
    quit_ = true;
    if (thread_.joinable()) thread_.join();
    if (master_ >= 0) close(master_);
}

void AnsweringPlotter::Run() {
    Clock::time_point last = Clock::now();
    double drawCredit = 0, lineCredit = 0;
    // A line left idle doesn't save up its time: it carries at most a few milliseconds' worth
    // at once, whatever the thread's own delays.
    const double lineBurst = std::max(1.0, model_.lineRate * 0.005);
    while (!quit_) {
        pollfd p{master_, POLLIN, 0};
        poll(&p, 1, 1);
        const Clock::time_point now = Clock::now();
        const double dt = std::chrono::duration<double>(now - last).count();
        last = now;
        {
            const std::lock_guard<std::mutex> hold(lock_);
            if (held_ > 0) {
                drawCredit += dt * model_.drawRate;
                const size_t n = std::min(held_, static_cast<size_t>(drawCredit));
                held_ -= n;
                drawn_ += n;
                drawCredit -= static_cast<double>(n);
                if (held_ == 0) lastEmptied_ = now;
            }
            if (held_ == 0) drawCredit = 0;
        }
        size_t budget = 4096;
        if (model_.lineRate > 0) {
            lineCredit = std::min(lineCredit + dt * model_.lineRate, lineBurst);
            budget = static_cast<size_t>(lineCredit);
        }
        if (budget == 0) continue;
        unsigned char buf[4096];
        const ssize_t n = read(master_, buf, std::min(budget, sizeof buf));
        if (n < 0 && errno == EIO) {
            // The sender's end is closed for now; poll would report that at once, again.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (n <= 0) continue;
        if (model_.lineRate > 0) lineCredit -= static_cast<double>(n);
        const std::lock_guard<std::mutex> hold(lock_);
        received_.append(reinterpret_cast<const char*>(buf), static_cast<size_t>(n));
        for (ssize_t i = 0; i < n; ++i) Feed(buf[i], now);
    }
}

void AnsweringPlotter::Feed(unsigned char c, Clock::time_point now) {
    if (escape_ == 2) {
        escape_ = 0;
        Control(c, now);
        return;
    }
    if (escape_ == 1) {
        escape_ = 0;
        if (c == '.') {
            escape_ = 2;
            return;
        }
        Take(kEsc, now);  // an ESC of the plot itself: data, as is what follows it
    }
    if (c == kEsc) {
        escape_ = 1;
        return;
    }
    Take(c, now);
}

void AnsweringPlotter::Control(unsigned char c, Clock::time_point now) {
    if (c == '(' || c == 'Y') on_ = true;
    if (!on_) return;
    controls_.push_back(static_cast<char>(c));
    switch (c) {
        case ')':
        case 'Z':
            on_ = false;
            break;
        case 'K':
            held_ = 0;
            lastEmptied_ = now;
            break;
        case 'B':
        case 'O':
        case 'E':
            Answer(static_cast<char>(c));
            break;
    }
}

void AnsweringPlotter::Take(unsigned char c, Clock::time_point now) {
    if (!on_ || held_ >= model_.buffer) {
        ++lost_;
        if (on_) error_ = kOverflowError;
        return;
    }
    if (taken_.empty()) firstTaken_ = now;
    taken_.push_back(static_cast<char>(c));
    ++held_;
}

void AnsweringPlotter::Answer(char question) {
    if (model_.silentTo.find(question) != std::string::npos) return;
    std::string text = model_.answerInstead;
    if (text.empty()) {
        int value = 0;
        if (question == 'B') value = static_cast<int>(model_.buffer - held_);
        if (question == 'O') value = held_ == 0 ? 8 : 0;
        if (question == 'E') std::swap(value, error_);  // reading the error clears it
        text = std::to_string(value) + "\r";
    }
    // A few bytes into an empty queue: the write takes them whole.
    if (write(master_, text.data(), text.size()) < 0) {
    }
}

std::string AnsweringPlotter::Taken() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return taken_;
}
std::string AnsweringPlotter::Received() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return received_;
}
std::string AnsweringPlotter::Controls() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return controls_;
}
size_t AnsweringPlotter::Held() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return held_;
}
size_t AnsweringPlotter::Lost() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return lost_;
}
size_t AnsweringPlotter::Drawn() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return drawn_;
}
AnsweringPlotter::Clock::duration AnsweringPlotter::DrawingSpan() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return lastEmptied_ > firstTaken_ && !taken_.empty() ? lastEmptied_ - firstTaken_
                                                         : Clock::duration::zero();
}
AnsweringPlotter::Clock::time_point AnsweringPlotter::LastEmptied() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return lastEmptied_;
}
