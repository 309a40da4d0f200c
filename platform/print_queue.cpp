#include "platform/print_queue.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// A print server that takes longer than this to accept a connection is taken as absent: the
// sender then says so instead of leaving its panel frozen.
constexpr int kConnectMs = 5000;
// Once connected, a server that stops answering for this long is given up on. cupsd spools a
// job to its disk, so it takes data far faster than any plotter; a stall means trouble.
constexpr double kStallSeconds = 15.0;
constexpr std::size_t kChunk = 64 * 1024;

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using Http = std::unique_ptr<http_t, HttpCloser>;
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// libcups waits again after a timeout when the callback says so; it never should here.
int GiveUp(http_t*, void*) { return 0; }

std::string LastError() {
    const char* text = cupsLastErrorString();
    return text != nullptr ? text : "";
}

bool Succeeded(ipp_status_t status) { return status <= IPP_STATUS_OK_EVENTS_COMPLETE; }

// The server the client configuration names (client.conf, CUPS_SERVER), as the user would write
// it in a message: a socket path or host:port.
std::string ServerText() {
    const char* server = cupsServer();
    std::string text = server != nullptr ? server : "";
    if (!text.empty() && text[0] != '/') text += ":" + std::to_string(ippPort());
    return text;
}

Http Connect(int msec, double stallSeconds, std::string* why) {
    errno = 0;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                msec, nullptr);
    if (http == nullptr) {
        const int err = errno;
        if (why != nullptr) {
            std::string reason = err != 0 ? std::strerror(err) : LastError();
            if (reason.empty()) reason = "no answer";
            *why = ServerText() + ": " + reason;
        }
        return nullptr;
    }
    httpSetTimeout(http, stallSeconds, GiveUp, nullptr);
    return Http(http);
}

std::string Uri(const char* resourceFormat, const std::string& value) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     resourceFormat, value.c_str());
    return uri;
}

Ipp Request(ipp_op_t op) {
    Ipp request(ippNewRequest(op));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

std::string Text(ipp_t* response, const char* name) {
    ipp_attribute_t* attr = ippFindAttribute(response, name, IPP_TAG_TEXT);
    const char* text = attr != nullptr ? ippGetString(attr, 0, nullptr) : nullptr;
    return text != nullptr ? text : "";
}

std::vector<std::string> AskQueues(std::chrono::milliseconds limit) {
    const int msec = static_cast<int>(std::max<std::int64_t>(limit.count(), 1));
    Http http = Connect(msec, std::max(msec / 1000.0, 0.1), nullptr);
    if (!http) return {};
    Ipp request = Request(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const kWanted[] = {"printer-name"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1,
                  nullptr, kWanted);
    Ipp response(cupsDoRequest(http.get(), request.release(), "/"));
    std::vector<std::string> queues;
    for (ipp_attribute_t* a = ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME);
         a != nullptr; a = ippFindNextAttribute(response.get(), "printer-name", IPP_TAG_NAME)) {
        const char* name = ippGetString(a, 0, nullptr);
        if (name == nullptr || name[0] == '\0') continue;
        // A longer name can't be stored, and a cut one would name another queue.
        if (QueueLabel(name).size() <= kQueueLabelLimit) queues.emplace_back(name);
    }
    std::sort(queues.begin(), queues.end());
    return queues;
}

QueueError CreateError(ipp_status_t status) {
    switch (status) {
        case IPP_STATUS_ERROR_NOT_FOUND:
            return QueueError::NoSuchQueue;
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            return QueueError::ServerUnreachable;
        default:
            return QueueError::Refused;
    }
}

QueueJobState StateOf(int jobState) {
    switch (jobState) {
        case IPP_JSTATE_PENDING:
            return QueueJobState::Pending;
        case IPP_JSTATE_HELD:
            return QueueJobState::Held;
        case IPP_JSTATE_PROCESSING:
            return QueueJobState::Processing;
        case IPP_JSTATE_STOPPED:
            return QueueJobState::Stopped;
        case IPP_JSTATE_CANCELED:
            return QueueJobState::Cancelled;
        case IPP_JSTATE_ABORTED:
            return QueueJobState::Aborted;
        case IPP_JSTATE_COMPLETED:
            return QueueJobState::Completed;
        default:
            return QueueJobState::Gone;
    }
}

// An unfinished job would otherwise wait on the server for data that never comes.
std::string CancelOnServer(const std::string& queue, int jobId) {
    std::string why;
    Http http = Connect(kConnectMs, kStallSeconds, &why);
    if (!http) return why;
    if (Succeeded(cupsCancelJob2(http.get(), queue.c_str(), jobId, 0))) return {};
    return LastError();
}

}  // namespace

bool IsFinal(QueueJobState state) {
    return state == QueueJobState::Cancelled || state == QueueJobState::Aborted ||
           state == QueueJobState::Completed || state == QueueJobState::Gone;
}

std::vector<std::string> PrintQueues(std::chrono::milliseconds limit) {
    // Name look-up of the server and a half-open connection can outlast any timeout libcups
    // offers, so the question is asked on a thread of its own that is left to finish alone.
    struct Answer {
        std::mutex mutex;
        std::condition_variable ready;
        bool done = false;
        std::vector<std::string> queues;
    };
    auto answer = std::make_shared<Answer>();
    std::thread([answer, limit] {
        std::vector<std::string> queues = AskQueues(limit);
        std::lock_guard lock(answer->mutex);
        answer->queues = std::move(queues);
        answer->done = true;
        answer->ready.notify_all();
    }).detach();
    std::unique_lock lock(answer->mutex);
    if (!answer->ready.wait_for(lock, limit, [&] { return answer->done; })) return {};
    return std::move(answer->queues);
}

namespace {

// Whether the server knows `queue`: cupsLastError() says why not.
bool AskQueue(http_t* http, const std::string& queue) {
    Ipp check = Request(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(check.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 Uri("/printers/%s", queue).c_str());
    static const char* const kCheckWanted[] = {"printer-is-accepting-jobs"};
    ippAddStrings(check.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1,
                  nullptr, kCheckWanted);
    Ipp checked(cupsDoRequest(http, check.release(), "/"));
    return Succeeded(cupsLastError());
}

}  // namespace

TQueueJob::TQueueJob() = default;
TQueueJob::~TQueueJob() = default;

int TQueueJob::jobId() const { return _jobId; }
const std::string& TQueueJob::queue() const { return _queue; }

QueueSubmitResult TQueueJob::Submit(
    const std::string& queue, const std::string& file, const std::string& title,
    const std::function<bool(std::int64_t, std::int64_t)>& progress) {
    QueueSubmitResult result;
    _queue = queue;
    _jobId = 0;
    _cancelled = false;

    struct FdCloser {
        int fd;
        ~FdCloser() {
            if (fd >= 0) ::close(fd);
        }
    } input{::open(file.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (input.fd < 0 || ::fstat(input.fd, &st) != 0) {
        result.error = QueueError::TransferFailed;
        result.message = file + ": " + std::strerror(errno);
        return result;
    }
    const std::int64_t total = st.st_size;

    Http http = Connect(kConnectMs, kStallSeconds, &result.message);
    if (!http) {
        result.error = QueueError::ServerUnreachable;
        return result;
    }
    // Asked first because cupsCreateJob reports a missing queue only as a local lookup failure.
    if (!AskQueue(http.get(), queue)) {
        result.error = CreateError(cupsLastError());
        result.message = LastError();
        return result;
    }
    const int id = cupsCreateJob(http.get(), queue.c_str(), title.c_str(), 0, nullptr);
    if (id <= 0) {
        result.error = CreateError(cupsLastError());
        result.message = LastError();
        return result;
    }
    _jobId = id;
    result.jobId = id;

    const auto fail = [&](QueueError error, std::string message) {
        http.reset();  // a request cut off mid-body leaves the connection unusable
        const std::string cancelError = CancelOnServer(queue, id);
        _cancelled = cancelError.empty();
        result.error = error;
        result.message = std::move(message);
        if (!cancelError.empty()) {
            if (!result.message.empty()) result.message += "; ";
            result.message += cancelError;
        }
        return result;
    };

    if (cupsStartDocument(http.get(), queue.c_str(), id, title.c_str(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE)
        return fail(QueueError::TransferFailed, LastError());
    std::vector<char> buffer(kChunk);
    std::int64_t sent = 0;
    for (;;) {
        const ssize_t n = ::read(input.fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(QueueError::TransferFailed, file + ": " + std::strerror(errno));
        if (n == 0) break;
        if (cupsWriteRequestData(http.get(), buffer.data(), static_cast<std::size_t>(n)) !=
            HTTP_STATUS_CONTINUE)
            return fail(QueueError::TransferFailed, LastError());
        sent += n;
        if (progress && !progress(sent, total)) return fail(QueueError::Interrupted, {});
    }
    if (!Succeeded(cupsFinishDocument(http.get(), queue.c_str())))
        return fail(QueueError::TransferFailed, LastError());
    return result;
}

QueueJobStatus TQueueJob::Status() {
    QueueJobStatus status;
    if (_jobId <= 0) return status;
    Http http = Connect(kConnectMs, kStallSeconds, &status.message);
    if (!http) {
        status.ok = false;
        return status;
    }
    Ipp request = Request(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
                 Uri("/jobs/%s", std::to_string(_jobId)).c_str());
    static const char* const kJobWanted[] = {"job-state", "job-state-reasons",
                                             "job-printer-state-message"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                  nullptr, kJobWanted);
    Ipp response(cupsDoRequest(http.get(), request.release(), "/"));
    const ipp_status_t answer = cupsLastError();
    if (answer == IPP_STATUS_ERROR_NOT_FOUND) {
        status.message = LastError();
        return status;  // purged from the server's history, or never there
    }
    ipp_attribute_t* state = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM);
    if (!Succeeded(answer) || state == nullptr) {
        status.ok = false;
        status.message = LastError();
        return status;
    }
    status.state = StateOf(ippGetInteger(state, 0));
    status.message = Text(response.get(), "job-printer-state-message");
    if (!status.message.empty()) return status;

    // While a job waits, what the queue says (stopped, not responding) is the reason.
    Ipp printerRequest = Request(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(printerRequest.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 Uri("/printers/%s", _queue).c_str());
    static const char* const kPrinterWanted[] = {"printer-state-message"};
    ippAddStrings(printerRequest.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  1, nullptr, kPrinterWanted);
    Ipp printer(cupsDoRequest(http.get(), printerRequest.release(), "/"));
    status.message = Text(printer.get(), "printer-state-message");
    return status;
}

bool TQueueJob::Cancel(std::string* message) {
    if (_jobId <= 0) {
        if (message != nullptr) *message = "no job was created";
        return false;
    }
    // A submit cut short has cancelled its job already; asking again only earns a refusal.
    if (_cancelled) return true;
    const std::string why = CancelOnServer(_queue, _jobId);
    if (message != nullptr) *message = why;
    _cancelled = why.empty();
    return _cancelled;
}
