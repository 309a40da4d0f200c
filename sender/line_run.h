#pragma once
// One run of the framed plot over the serial line, as the line thread and the window share it:
// the line, the plot's reader, how much has gone out, what the line carried last and how the run
// ended. A pacing drives it from the line thread; the delivery reads it from the window's.

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

class SegmentReader;

enum class LineEnd {
    Running,
    Done,
    OpenFailed,
    FileFailed,
    ReadFailed,
    WriteFailed,
    Unanswered,  // the plotter said nothing to a question
    NotANumber,  // it said something that is no answer
};

class TLineRun {
public:
    TLineRun();
    ~TLineRun();

    // The line (not owned; -1 when it didn't open) and the framed plot's length.
    void Begin(int fd, int64_t total);
    // The framed plot, read from its current position, and the eventfd Stop wakes the line
    // thread by (neither owned): before the line thread starts.
    void Feed(int file, int wake);

    // --- the line thread --------------------------------------------------------------------
    bool Stopped() const { return _stop.load(); }
    int fd() const { return _fd; }
    bool AllSent() const { return _sent.load() >= _total; }
    bool NothingSent() const { return _sent.load() == 0; }
    // The next segments into buffer; false (the run ended as failed) when the plot can't be read.
    bool Read(std::string& buffer);
    // Gives back the last count bytes of what Read returned.
    void Unread(size_t count);
    // Writes the first take bytes of buffer, waits until they have left the port and counts
    // them; gives back to the reader what the line didn't take. False when the line failed.
    bool Put(std::string& buffer, size_t take);
    // The plotter's answer, or nothing when the run ended (stopped, or ended as failed).
    std::optional<long> Ask(std::string_view question);
    bool Rest(std::chrono::milliseconds time);  // false when Stop came meanwhile
    // Bytes written outside Put (an abort) that the plotter may be busy with.
    void MarkCarried() { _carried = true; }
    void MarkDrawing() { _drawing = true; }
    void End(LineEnd end, int error);

    // --- the window --------------------------------------------------------------------------
    // Asks the line thread to stop, waking it from any wait for the line or for Rest.
    void RequestStop();
    int64_t sent() const { return _sent.load(); }
    int64_t total() const { return _total; }
    bool carried() const { return _carried.load(); }
    bool broken() const { return _broken.load(); }
    bool drawing() const { return _drawing.load(); }
    LineEnd end() const { return _end.load(); }
    // Valid once end() is no longer Running.
    int endError() const { return _endError; }
    const std::string& question() const { return _question; }
    const std::string& answer() const { return _answer; }
    // What the line carried last, as text.
    QString LastSegment() const;

private:
    void WaitForRoom();

    int _fd = -1;
    int _wake = -1;
    int64_t _total = 0;
    std::unique_ptr<SegmentReader> _reader;

    std::atomic<bool> _stop{false};
    std::atomic<int64_t> _sent{0};
    std::atomic<bool> _carried{false};  // some byte went out: the plotter may be busy with it
    std::atomic<bool> _broken{false};   // the line failed: nothing left to wait for
    std::atomic<bool> _drawing{false};  // all sent; the plotter draws what it holds
    std::atomic<LineEnd> _end{LineEnd::Running};
    int _endError = 0;      // written before _end
    std::string _question;  // the one left unanswered, written before _end
    std::string _answer;    // what came back instead of a number, written before _end

    mutable std::mutex _segmentLock;
    std::string _lastSegment;
    uint64_t _segmentCount = 0;
    mutable uint64_t _shownCount = 0;
    mutable QString _shownSegment;
};
