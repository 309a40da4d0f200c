// The FTP half of file_transfer.h: uploads with libcurl, and taking back what a stopped one left.

#include <curl/curl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/file_transfer.h"

namespace {

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// One transfer as the two threads see it: libcurl works on a thread of its own, so that the
// caller's keepGoing runs on time even while libcurl blocks (it waits for the server's word on
// a finished upload in one-second steps, however long the server takes to read its buffers).
// Stopping shuts the transfer's sockets, which ends any such wait at once.
struct Transfer {
    std::mutex mutex;
    std::vector<curl_socket_t> sockets;  // open, guarded by mutex
    std::atomic<bool> abort{false};
};

curl_socket_t OpenSocket(void* clientp, curlsocktype, curl_sockaddr* address) {
    auto* t = static_cast<Transfer*>(clientp);
    std::lock_guard lock(t->mutex);
    if (t->abort) return CURL_SOCKET_BAD;
    const curl_socket_t s = socket(address->family, address->socktype | SOCK_CLOEXEC,
                                   address->protocol);
    if (s != CURL_SOCKET_BAD) t->sockets.push_back(s);
    return s;
}

// Under the lock, so that a shutdown never reaches a number the system has given out again.
int CloseSocket(void* clientp, curl_socket_t s) {
    auto* t = static_cast<Transfer*>(clientp);
    std::lock_guard lock(t->mutex);
    t->sockets.erase(std::remove(t->sockets.begin(), t->sockets.end(), s), t->sockets.end());
    return close(s);
}

int OnProgress(void* clientp, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(clientp)->abort ? 1 : 0;
}

// libcurl's own loop waits up to a second for a socket; this one wakes every 50 ms to see
// whether the transfer is still wanted.
CURLcode Perform(CURL* c) {
    constexpr int kLongestWaitMs = 50;
    CURLM* multi = curl_multi_init();
    if (!multi) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, c);
    int running = 1;
    CURLMcode state = CURLM_OK;
    while (state == CURLM_OK) {
        state = curl_multi_perform(multi, &running);
        if (state != CURLM_OK || running == 0) break;
        state = curl_multi_poll(multi, nullptr, 0, kLongestWaitMs, nullptr);
    }
    CURLcode code = state == CURLM_OUT_OF_MEMORY ? CURLE_OUT_OF_MEMORY : CURLE_RECV_ERROR;
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi, &queued))
        if (message->msg == CURLMSG_DONE) code = message->data.result;
    curl_multi_remove_handle(multi, c);
    curl_multi_cleanup(multi);
    return code;
}

// Runs c on a thread of its own and asks keepGoing, on this thread, at once and every 20 ms.
CURLcode PerformServing(CURL* c, const std::function<bool()>& keepGoing) {
    Transfer transfer;
    curl_easy_setopt(c, CURLOPT_OPENSOCKETFUNCTION, OpenSocket);
    curl_easy_setopt(c, CURLOPT_OPENSOCKETDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_CLOSESOCKETFUNCTION, CloseSocket);
    curl_easy_setopt(c, CURLOPT_CLOSESOCKETDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    std::future<CURLcode> done = std::async(std::launch::async, [c] { return Perform(c); });
    do {
        if (transfer.abort || !keepGoing || keepGoing()) continue;
        std::lock_guard lock(transfer.mutex);
        transfer.abort = true;
        for (const curl_socket_t s : transfer.sockets) shutdown(s, SHUT_RDWR);
    } while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
    const CURLcode code = done.get();
    // Whatever a shut socket made of it, the transfer ended because it was no longer wanted.
    return transfer.abort ? CURLE_ABORTED_BY_CALLBACK : code;
}

DeliveryError MapCurlError(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return DeliveryError::ConnectFailed;
    case CURLE_LOGIN_DENIED:
        return DeliveryError::LoginDenied;
    case CURLE_REMOTE_ACCESS_DENIED:  // CWD into the folder answered 550
        return DeliveryError::RemoteFolderMissing;
    case CURLE_OPERATION_TIMEDOUT:
        return DeliveryError::TimedOut;
    case CURLE_ABORTED_BY_CALLBACK:
        return DeliveryError::Aborted;
    default:
        // Includes a 550 on STOR (CURLE_UPLOAD_FAILED): the folder is there but refuses the
        // file, which is no missing folder; the detail text carries the server's words.
        return DeliveryError::Other;
    }
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

DeliveryResult Fail(DeliveryError error, int err) {
    DeliveryResult r;
    r.error = error;
    r.sysErrno = err;
    r.detail = std::strerror(err);
    return r;
}

}  // namespace

DeliveryResult FtpUpload(const FtpRequest& request) {
    InitCurlOnce();
    std::unique_ptr<FILE, FileCloser> file(std::fopen(request.localPath.c_str(), "rb"));
    if (!file) {
        const int err = errno;
        return Fail(err == ENOENT || err == ENOTDIR ? DeliveryError::SourceMissing
                                                    : DeliveryError::Other,
                    err);
    }
    struct stat st {};
    if (fstat(fileno(file.get()), &st) != 0 || !S_ISREG(st.st_mode))
        return Fail(DeliveryError::SourceMissing, S_ISDIR(st.st_mode) ? EISDIR : errno);

    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        DeliveryResult r;
        r.error = DeliveryError::Other;
        r.detail = "curl_easy_init failed";
        return r;
    }
    CURL* c = curl.get();

    // libcurl, unlike the curl tool, does not append the local name to a folder URL.
    std::string url = request.url;
    if (url.empty() || url.back() != '/') url += '/';
    const std::string name = BaseName(request.localPath);
    char* escaped = curl_easy_escape(c, name.c_str(), static_cast<int>(name.size()));
    if (escaped) {
        url += escaped;
        curl_free(escaped);
    }

    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    // An upload function that writes wherever a URL points (file://, scp://) would be a way to
    // overwrite local files from a settings text: FTP only.
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp,ftps");
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READDATA, file.get());
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(st.st_size));
    // Only both together make a login; otherwise libcurl logs in anonymously.
    if (!request.user.empty() && !request.password.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, request.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, request.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, request.connectTimeoutS);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, request.stallTimeoutS);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);  // no SIGALRM inside a Qt program
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);

    const CURLcode code = PerformServing(c, request.keepGoing);
    if (code == CURLE_OK) return {};
    DeliveryResult r;
    r.error = MapCurlError(code);
    r.detail = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
    return r;
}

namespace {

// A session of its own on the server, logged in as the upload was, that sends one request.
std::unique_ptr<CURL, CurlDeleter> ServerSession(const FtpRequest& request, const std::string& url,
                                                 char* errorBuffer) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return curl;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp,ftps");
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    if (!request.user.empty() && !request.password.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, request.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, request.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, request.connectTimeoutS);
    // Two short commands: a server that takes longer has gone away.
    curl_easy_setopt(c, CURLOPT_TIMEOUT, request.connectTimeoutS);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    return curl;
}

}  // namespace

FtpLeftover FtpRemovePartial(const FtpRequest& request, std::string* detail) {
    InitCurlOnce();
    std::string folder = request.url;
    if (folder.empty() || folder.back() != '/') folder += '/';
    const std::string name = BaseName(request.localPath);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    auto session = ServerSession(request, folder, errorBuffer);
    if (!session) return FtpLeftover::Kept;
    // Sent after the change into the folder, so the name needs no path of its own.
    curl_slist* commands = curl_slist_append(nullptr, ("DELE " + name).c_str());
    curl_easy_setopt(session.get(), CURLOPT_POSTQUOTE, commands);
    const CURLcode removed = PerformServing(session.get(), request.keepGoing);
    curl_slist_free_all(commands);
    if (removed == CURLE_OK) return FtpLeftover::Removed;
    *detail = errorBuffer[0] ? errorBuffer : curl_easy_strerror(removed);

    // Servers answer 550 both for a file they keep and for one never made (an upload stopped
    // before it began): only a look tells the two apart.
    char* escaped = curl_easy_escape(session.get(), name.c_str(), static_cast<int>(name.size()));
    const std::string file = folder + (escaped ? escaped : name.c_str());
    curl_free(escaped);
    char probeError[CURL_ERROR_SIZE] = {};
    auto probe = ServerSession(request, file, probeError);
    if (!probe) return FtpLeftover::Kept;
    curl_easy_setopt(probe.get(), CURLOPT_FILETIME, 1L);
    return PerformServing(probe.get(), request.keepGoing) == CURLE_REMOTE_FILE_NOT_FOUND ? FtpLeftover::None
                                                               : FtpLeftover::Kept;
}
