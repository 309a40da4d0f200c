#pragma once
// A real FTP server on 127.0.0.1 for one test (tests/platform/ftp_server.py on Debian's
// pyftpdlib): a user with a password and anonymous write access, each in its own folder.
// Link trzn_ftp_fixture; construct, check ok(), use url(), and let the destructor stop it.

#include <QProcess>
#include <string>

class FtpServer {
public:
    // userDir and anonDir must exist; they are the server's roots for the user and anonymous.
    FtpServer(const std::string& userDir, const std::string& anonDir,
              const std::string& user = "plot", const std::string& password = "secret",
              int uploadBytesPerSecond = 0,  // 0: as fast as loopback goes
              bool keepsFiles = false);      // refuses to delete (DELE)
    ~FtpServer();
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    std::string hostPort() const;  // "127.0.0.1:PORT"
    std::string url(const std::string& folder = "") const;  // "ftp://127.0.0.1:PORT/folder/"
    std::string errorText() const { return error_; }

private:
    QProcess process_;
    int port_ = 0;
    std::string error_;
};

// A loopback port with nothing listening (bound, then released).
int UnusedLoopbackPort();
