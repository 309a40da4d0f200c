#pragma once
// A real, private cupsd on 127.0.0.1 for tests, and a loopback listener standing in for a
// network plotter. Link trzn_test_cups.
//
//   TCupsServer: starts `cupsd -f` with its own configuration in a temporary folder (a free
//   loopback port, anyone on 127.0.0.1 may do anything, no authentication), points this
//   process's CUPS client at it (CUPS_SERVER=127.0.0.1:PORT), and stops it and restores
//   CUPS_SERVER in the destructor. Needs root and Debian's cups-daemon and cups packages.
//   TCupsTest: a gtest base sharing one TCupsServer per test suite; tests are skipped when
//   the server can't run here.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Points this process's CUPS client at `server` ("host:port"), also when libcups has already
// read its configuration. The earlier CUPS_SERVER comes back when the object goes.
class TCupsClientServer {
public:
    explicit TCupsClientServer(const std::string& server);
    ~TCupsClientServer();
    TCupsClientServer(const TCupsClientServer&) = delete;
    TCupsClientServer& operator=(const TCupsClientServer&) = delete;

private:
    std::optional<std::string> _saved;
};

class TCupsServer {
public:
    TCupsServer();
    ~TCupsServer();
    TCupsServer(const TCupsServer&) = delete;
    TCupsServer& operator=(const TCupsServer&) = delete;

    // False when cupsd can't run here (not root, not installed) or did not start; why() says.
    bool available() const { return _pid > 0; }
    const std::string& why() const { return _why; }
    std::string server() const;  // "127.0.0.1:PORT", as in CUPS_SERVER

    // A raw queue (no model) on `deviceUri`, enabled and accepting. A backend failure aborts
    // the job rather than stopping the queue, so a failing test can't block the next one.
    bool AddRawQueue(const std::string& name, const std::string& deviceUri,
                     std::string* error = nullptr);
    bool StopQueue(const std::string& name);   // cupsdisable: jobs wait
    bool StartQueue(const std::string& name);  // cupsenable
    bool RemoveQueue(const std::string& name);
    // The tail of cupsd's error log, for assertion messages.
    std::string LogTail() const;

private:
    bool Run(const std::vector<std::string>& args, std::string* output);
    std::string _dir;
    int _port = 0;
    pid_t _pid = -1;
    std::string _why;
    std::unique_ptr<TCupsClientServer> _client;
};

// One TCP connection on a loopback port, as a network plotter would take it.
class TPlotterListener {
public:
    enum class Mode {
        Record,      // read everything until the sender closes, then close
        Refuse,      // nothing listens: connections are refused
        CloseEarly,  // read a little, then reset the connection
    };
    explicit TPlotterListener(Mode mode);
    ~TPlotterListener();
    TPlotterListener(const TPlotterListener&) = delete;
    TPlotterListener& operator=(const TPlotterListener&) = delete;

    int port() const { return _port; }
    // The device URI of a raw queue for this listener. The socket backend gives up connecting
    // after `connectSeconds`, so a refusing plotter fails a job within seconds, not days.
    std::string uri(int connectSeconds = 1) const;
    // The bytes of the connection once it has ended; nothing when it did not end in `limit`.
    std::optional<std::string> Received(std::chrono::milliseconds limit);

private:
    void Serve();
    Mode _mode;
    int _fd = -1;
    int _port = 0;
    std::atomic<bool> _stop{false};
    std::mutex _mutex;
    std::condition_variable _ended;
    bool _done = false;
    std::string _bytes;
    std::thread _thread;
};

// Tests sharing one cupsd per suite; SetUp skips the test when there is none.
class TCupsTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    static TCupsServer& Cups() { return *_cups; }

private:
    static std::unique_ptr<TCupsServer> _cups;
};
