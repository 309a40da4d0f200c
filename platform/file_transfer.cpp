#include "platform/file_transfer.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

DeliveryResult Fail(DeliveryError error, int err) {
    DeliveryResult r;
    r.error = error;
    r.sysErrno = err;
    r.detail = std::strerror(err);
    return r;
}

bool WriteAll(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

}  // namespace

namespace {

// Read, not set and restored: umask(0) would briefly apply to every thread's new files.
mode_t CurrentUmask() {
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[128];
        unsigned value = 0;
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "Umask: %o", &value) == 1) mask = static_cast<mode_t>(value);
        std::fclose(status);
    }
    return mask;
}

// Puts the finished copy under its name without replacing anything there. renameat2 does it in
// one step; shares whose filesystem lacks it get a hard link (EEXIST is just as atomic), and
// those without links a check and a rename.
int PlaceWithoutReplacing(const std::string& temp, const std::string& dst) {
    if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    if (link(temp.c_str(), dst.c_str()) == 0) {
        unlink(temp.c_str());
        return 0;
    }
    if (errno == EEXIST) return EEXIST;
    struct stat st {};
    if (lstat(dst.c_str(), &st) == 0) return EEXIST;
    return rename(temp.c_str(), dst.c_str()) == 0 ? 0 : errno;
}

}  // namespace

DeliveryResult CopyFileNoOverwrite(const std::string& src, const std::string& dst) {
    const int in = open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        const int err = errno;
        return Fail(err == ENOENT || err == ENOTDIR ? DeliveryError::SourceMissing
                                                    : DeliveryError::Other,
                    err);
    }
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        close(in);
        return Fail(DeliveryError::SourceMissing, err);
    }
    // A name taken (a dangling link included) is refused before any byte is copied: the caller
    // tries the next name, and a big plot must not be copied once per name.
    struct stat taken {};
    if (lstat(dst.c_str(), &taken) == 0) {
        close(in);
        return Fail(DeliveryError::TargetExists, EEXIST);
    }
    // Written under a hidden name beside the target and renamed when whole: a print server
    // watching the folder never sees a growing or cut-off plot under a plot's name, not even
    // when this program is killed.
    const size_t slash = dst.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : dst.substr(0, slash);
    const std::string base = slash == std::string::npos ? dst : dst.substr(slash + 1);
    std::string temp = folder + "/." + base + ".XXXXXX";
    const int out = mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        const int err = errno;
        close(in);
        return Fail(DeliveryError::FolderNotWritable, err);
    }
    // The print server reads the file as another user: the mode a plain new file gets, not
    // the temporary's private 0600.
    fchmod(out, 0666 & ~CurrentUmask());
    auto abandon = [&](DeliveryError error, int err) {
        close(in);
        close(out);
        unlink(temp.c_str());
        return Fail(error, err);
    };
    char buf[64 * 1024];
    for (;;) {
        const ssize_t n = read(in, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon(DeliveryError::Other, errno);
        }
        if (!WriteAll(out, buf, static_cast<size_t>(n)))
            return abandon(DeliveryError::FolderNotWritable, errno);
    }
    // Network shares report a full disk or a lost server only when the data is flushed.
    if (fsync(out) != 0 && errno != EINVAL && errno != EROFS)
        return abandon(DeliveryError::FolderNotWritable, errno);
    close(in);
    if (close(out) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        return Fail(DeliveryError::FolderNotWritable, err);
    }
    if (const int err = PlaceWithoutReplacing(temp, dst); err != 0) {
        unlink(temp.c_str());
        return Fail(err == EEXIST ? DeliveryError::TargetExists : DeliveryError::FolderNotWritable,
                    err);
    }
    return {};
}

namespace {

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int OnProgress(void* clientp, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* request = static_cast<const FtpRequest*>(clientp);
    return request->keepGoing && !request->keepGoing() ? 1 : 0;
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

// libcurl's own loop waits up to a second for a socket while a slow server holds the data back,
// and asks keepGoing only then; Stop is meant to take hold in a fraction of that.
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
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &request);

    const CURLcode code = Perform(c);
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
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &request);
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
    const CURLcode removed = Perform(session.get());
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
    return Perform(probe.get()) == CURLE_REMOTE_FILE_NOT_FOUND ? FtpLeftover::None
                                                               : FtpLeftover::Kept;
}
