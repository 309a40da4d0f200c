#pragma once
// A pen plotter of our own on the master end of a pseudo-terminal, for tests and benchmarks:
// it takes bytes at the line's pace into a buffer of a set size, draws them out at a set speed,
// loses what arrives while the buffer is full (as a plotter without handshake does), and
// answers the device-control questions HP-GL plotters answer on the same line.
//
//   ESC . B  room left in the buffer          ESC . O  extended status (8: buffer empty)
//   ESC . E  last error (16: buffer overflow)  ESC . K  abort graphics: the buffer is emptied
//   ESC . (  plotter on                       ESC . )  plotter off: ignores all but ESC . (

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

struct PlotterModel {
    size_t buffer = 1024;        // bytes it holds
    double drawRate = 1500;      // bytes per second it draws
    double lineRate = 0;         // bytes per second the line carries; 0: as they come
    std::string silentTo;        // questions it doesn't answer ("B", "O", "BO"...)
    std::string answerInstead;   // said to every question in place of a number, when not empty
};

class AnsweringPlotter {
public:
    using Clock = std::chrono::steady_clock;

    explicit AnsweringPlotter(PlotterModel model);
    ~AnsweringPlotter();
    bool ok() const { return master_ >= 0; }
    const std::string& slavePath() const { return slave_; }

    std::string Taken() const;      // the bytes it took into its buffer, in order
    std::string Controls() const;   // the device-control letters it heeded, in order
    std::string Received() const;   // every byte the line brought, in order
    size_t Held() const;            // in the buffer, not yet drawn
    size_t Lost() const;            // arrived while the buffer was full, or while off
    size_t Drawn() const;
    // From the first byte taken to the moment the buffer was last found empty (zero until
    // then); drawing time is Drawn() / drawRate.
    Clock::duration DrawingSpan() const;
    Clock::time_point LastEmptied() const;

private:
    void Run();
    void Feed(unsigned char c, Clock::time_point now);
    void Control(unsigned char c, Clock::time_point now);
    void Take(unsigned char c, Clock::time_point now);
    void Answer(char question);

    PlotterModel model_;
    int master_ = -1;
    std::string slave_;
    std::thread thread_;
    std::atomic<bool> quit_{false};

    mutable std::mutex lock_;  // what follows
    std::string taken_;
    std::string received_;
    std::string controls_;
    size_t held_ = 0, lost_ = 0, drawn_ = 0;
    int error_ = 0;
    bool on_ = true;  // a plotter set up to stand alone powers up on
    int escape_ = 0;  // 1 after ESC, 2 after ESC .
    Clock::time_point firstTaken_{}, lastEmptied_{};
};
