#pragma once
// Printer queues of the CUPS client: the queue list for the destination pop-up, and one raw job
// per plot. CUPS keeps plots from several workstations apart and drives the plotter's port
// (serial, USB or network) itself; the programs only hand it the framed plot unchanged.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// "CUPS: " + queue name: how a queue is stored in THSrConfig.port_name (capacity 80 with NUL).
inline constexpr char kQueueLabelPrefix[] = "CUPS: ";
// Longest label THSrConfig.port_name holds (without the NUL).
inline constexpr std::size_t kQueueLabelLimit = 79;
std::string QueueLabel(const std::string& queue);
// The queue name of a stored label, or nothing when the text is not a queue label.
std::optional<std::string> QueueFromLabel(const std::string& portName);
// Queues the CUPS client can see (the server of the client configuration or CUPS_SERVER),
// sorted by name, only those whose label fits THSrConfig.port_name. Empty when no server answers
// within `limit`; never blocks longer than that.
std::vector<std::string> PrintQueues(std::chrono::milliseconds limit = std::chrono::seconds(2));

enum class QueueJobState {
    Pending,
    Held,
    Processing,
    Stopped,
    Cancelled,
    Aborted,
    Completed,
    Gone
};
struct QueueJobStatus {
    QueueJobState state = QueueJobState::Gone;
    std::string message;  // CUPS' own words: job-printer-state-message / printer-state-message /
                          // last error; may be empty
    bool ok = true;       // false: the server could not be asked (message says why)
};
enum class QueueError {
    None,
    ServerUnreachable,
    NoSuchQueue,
    Refused,
    TransferFailed,
    Interrupted
};
struct QueueSubmitResult {
    int jobId = 0;
    QueueError error = QueueError::None;
    std::string message;  // CUPS' status message (cupsLastErrorString) or the system error
    bool ok() const { return error == QueueError::None && jobId > 0; }
};

// A job's state is final once CUPS will do nothing more with it.
bool IsFinal(QueueJobState state);

// One raw job (application/vnd.cups-raw) on one queue. Not copyable. Every call is bounded in
// time (connect timeout a few seconds); none runs an event loop itself.
class TQueueJob {
public:
    TQueueJob();
    ~TQueueJob();
    TQueueJob(const TQueueJob&) = delete;
    TQueueJob& operator=(const TQueueJob&) = delete;
    // Creates the job and sends the file's bytes unchanged in chunks; after each chunk calls
    // progress(sentBytes, totalBytes); progress returning false interrupts (the job is cancelled,
    // error Interrupted).
    QueueSubmitResult Submit(const std::string& queue, const std::string& file,
                             const std::string& title,
                             const std::function<bool(std::int64_t, std::int64_t)>& progress);
    QueueJobStatus Status();            // the job's state now (IPP Get-Job-Attributes)
    bool Cancel(std::string* message);  // cancels the job on the server
    int jobId() const;
    const std::string& queue() const;

private:
    int _jobId = 0;
    bool _cancelled = false;
    std::string _queue;
};
