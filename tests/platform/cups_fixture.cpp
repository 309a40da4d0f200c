#include "tests/platform/cups_fixture.h"

#include <arpa/inet.h>
#include <cups/cups.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/platform/ftp_fixture.h"
#include "tests/support/temp_home.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr char kCupsd[] = "/usr/sbin/cupsd";
constexpr char kSocketBackend[] = "/usr/lib/cups/backend/socket";

// A loopback socket bound to a free port; listening or not is the caller's choice.
int BoundLoopbackSocket(int* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(addr.sin_port);
    return fd;
}

bool Answers(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& outputFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace

TCupsClientServer::TCupsClientServer(const std::string& server) {
    if (const char* old = std::getenv("CUPS_SERVER")) _saved = old;
    setenv("CUPS_SERVER", server.c_str(), 1);
    cupsSetServer(nullptr);  // libcups keeps the server it read first; make it read again
}

TCupsClientServer::~TCupsClientServer() {
    if (_saved)
        setenv("CUPS_SERVER", _saved->c_str(), 1);
    else
        unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

TCupsServer::TCupsServer() {
    if (geteuid() != 0) {
        _why = "cupsd needs root for its spool and its backends";
        return;
    }
    if (::access(kCupsd, X_OK) != 0 || ::access(kSocketBackend, F_OK) != 0) {
        _why = "cupsd or its socket backend is not installed (cups-daemon, cups)";
        return;
    }
    const group* lp = getgrnam("lp");
    std::string dir = (fs::temp_directory_path() / "trzn-cupsd-XXXXXX").string();
    if (lp == nullptr || mkdtemp(dir.data()) == nullptr) {
        _why = "no lp group or no temporary folder";
        return;
    }
    _dir = dir;
    // Backends run as lp and read the spooled job by its path: lp must reach the spool.
    ::chmod(_dir.c_str(), 0755);
    for (const char* sub : {"spool", "cache", "state", "tmp", "log", "ssl"})
        fs::create_directories(_dir + "/" + sub);
    ::chown((_dir + "/spool").c_str(), 0, lp->gr_gid);
    ::chmod((_dir + "/spool").c_str(), 0710);
    ::chmod((_dir + "/tmp").c_str(), 01777);

    _port = UnusedLoopbackPort();
    if (_port == 0) {
        _why = "no free loopback port";
        return;
    }
    WriteFileBytes(_dir + "/cupsd.conf",
              "Listen 127.0.0.1:" + std::to_string(_port) +
                  "\n"
                  "LogLevel info\nMaxLogSize 0\nBrowsing No\nBrowseLocalProtocols none\n"
                  "DefaultAuthType None\nDefaultEncryption Never\nServerAlias *\n"
                  "<Location />\n  Order allow,deny\n  Allow from 127.0.0.1\n</Location>\n"
                  "<Policy default>\n  JobPrivateAccess all\n  JobPrivateValues none\n"
                  "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                  "  <Limit All>\n    Order allow,deny\n    Allow from 127.0.0.1\n  </Limit>\n"
                  "</Policy>\n");
    WriteFileBytes(_dir + "/cups-files.conf",
              "ServerRoot " + _dir + "\nCacheDir " + _dir + "/cache\nStateDir " + _dir +
                  "/state\nRequestRoot " + _dir + "/spool\nTempDir " + _dir +
                  "/tmp\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                  "DocumentRoot /usr/share/cups/doc-root\nErrorLog " +
                  _dir + "/log/error_log\nAccessLog " + _dir + "/log/access_log\nPageLog " + _dir +
                  "/log/page_log\nServerKeychain " + _dir + "/ssl\nPrintcap " + _dir +
                  "/printcap\nCreateSelfSignedCerts no\nUser lp\nGroup lp\nSystemGroup root\n");

    _pid = Spawn({kCupsd, "-f", "-c", _dir + "/cupsd.conf", "-s", _dir + "/cups-files.conf"},
                 _dir + "/log/cupsd.out");
    if (_pid <= 0) {
        _why = "cupsd could not be started";
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!Answers(_port)) {
        int status = 0;
        if (::waitpid(_pid, &status, WNOHANG) == _pid ||
            std::chrono::steady_clock::now() > deadline) {
            _why = "cupsd did not answer: " + ReadFileBytes(_dir + "/log/cupsd.out") + LogTail();
            if (::waitpid(_pid, &status, WNOHANG) == 0) {
                ::kill(_pid, SIGKILL);
                ::waitpid(_pid, &status, 0);
            }
            _pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    _client = std::make_unique<TCupsClientServer>(server());
}

TCupsServer::~TCupsServer() {
    _client.reset();
    if (_pid > 0) {
        ::kill(_pid, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (::waitpid(_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(_pid, SIGKILL);
                ::waitpid(_pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    if (!_dir.empty()) {
        std::error_code ec;
        fs::remove_all(_dir, ec);
    }
}

std::string TCupsServer::server() const { return "127.0.0.1:" + std::to_string(_port); }

bool TCupsServer::Run(const std::vector<std::string>& args, std::string* output) {
    std::vector<std::string> full = {args.front(), "-h", server()};
    full.insert(full.end(), args.begin() + 1, args.end());
    const std::string out = _dir + "/log/command.out";
    const pid_t pid = Spawn(full, out);
    int status = -1;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) status = -1;
    if (output != nullptr) *output = ReadFileBytes(out);
    return status == 0;
}

bool TCupsServer::AddRawQueue(const std::string& name, const std::string& deviceUri,
                              std::string* error) {
    // -E after -p enables the queue and accepts jobs (before it, it would ask for encryption).
    return Run(
        {"lpadmin", "-p", name, "-v", deviceUri, "-E", "-o", "printer-error-policy=abort-job"},
        error);
}

bool TCupsServer::StopQueue(const std::string& name) { return Run({"cupsdisable", name}, nullptr); }
bool TCupsServer::StartQueue(const std::string& name) { return Run({"cupsenable", name}, nullptr); }
bool TCupsServer::RemoveQueue(const std::string& name) {
    return Run({"lpadmin", "-x", name}, nullptr);
}

std::string TCupsServer::LogTail() const {
    const std::string log = ReadFileBytes(_dir + "/log/error_log");
    return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

TPlotterListener::TPlotterListener(Mode mode) : _mode(mode) {
    _fd = BoundLoopbackSocket(&_port);
    // Refuse keeps the port bound without listening: nothing else can take it, and every
    // connection attempt is reset.
    if (_fd < 0 || _mode == Mode::Refuse) return;
    if (::listen(_fd, 4) != 0) return;
    _thread = std::thread([this] { Serve(); });
}

TPlotterListener::~TPlotterListener() {
    _stop = true;
    if (_thread.joinable()) _thread.join();
    if (_fd >= 0) ::close(_fd);
}

std::string TPlotterListener::uri(int connectSeconds) const {
    // lpadmin refuses options after the port unless a path comes first.
    return "socket://127.0.0.1:" + std::to_string(_port) +
           "/?contimeout=" + std::to_string(connectSeconds);
}

void TPlotterListener::Serve() {
    const auto wait = [this](int fd) {
        pollfd p{fd, POLLIN, 0};
        while (!_stop) {
            const int n = ::poll(&p, 1, 100);
            if (n > 0) return true;
            if (n < 0 && errno != EINTR) return false;
        }
        return false;
    };
    if (!wait(_fd)) return;
    const int conn = ::accept4(_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (conn < 0) return;
    std::string bytes;
    char buffer[65536];
    const std::size_t keep = _mode == Mode::CloseEarly ? 1024 : SIZE_MAX;
    while (bytes.size() < keep && wait(conn)) {
        const ssize_t n = ::read(conn, buffer, std::min(sizeof buffer, keep - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (_mode == Mode::CloseEarly) {
        // A reset, not an orderly close: the sender's next write fails as with a plotter that
        // was switched off mid-plot.
        linger l{1, 0};
        ::setsockopt(conn, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    }
    ::close(conn);
    std::lock_guard lock(_mutex);
    _bytes = std::move(bytes);
    _done = true;
    _ended.notify_all();
}

std::optional<std::string> TPlotterListener::Received(std::chrono::milliseconds limit) {
    std::unique_lock lock(_mutex);
    if (!_ended.wait_for(lock, limit, [this] { return _done; })) return {};
    return _bytes;
}

std::unique_ptr<TCupsServer> TCupsTest::_cups;

void TCupsTest::SetUpTestSuite() {
    if (!_cups) _cups = std::make_unique<TCupsServer>();
}

void TCupsTest::TearDownTestSuite() { _cups.reset(); }

void TCupsTest::SetUp() {
    if (!_cups || !_cups->available()) GTEST_SKIP() << (_cups ? _cups->why() : "no cupsd");
}
