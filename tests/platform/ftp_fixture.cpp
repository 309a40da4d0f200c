#include "tests/platform/ftp_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>

FtpServer::FtpServer(const std::string& userDir, const std::string& anonDir,
                     const std::string& user, const std::string& password, int uploadBytesPerSecond,
                     bool keepsFiles) {
    // Debian's own interpreter: a python3 earlier on PATH may not see python3-pyftpdlib.
    process_.setProgram("/usr/bin/python3");
    process_.setArguments({QString::fromUtf8(TRZN_SOURCE_DIR "/tests/platform/ftp_server.py"),
                           "--user-dir", QString::fromStdString(userDir), "--anon-dir",
                           QString::fromStdString(anonDir), "--user",
                           QString::fromStdString(user), "--password",
                           QString::fromStdString(password), "--read-limit",
                           QString::number(uploadBytesPerSecond)});
    if (keepsFiles) process_.setArguments(process_.arguments() << "--keep-files");
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(5000)) {
        error_ = "cannot start /usr/bin/python3: " + process_.errorString().toStdString();
        return;
    }
    QDeadlineTimer deadline(10000);
    QByteArray line;
    while (!deadline.hasExpired() && !line.endsWith('\n')) {
        if (process_.canReadLine() || process_.waitForReadyRead(int(deadline.remainingTime())))
            line += process_.readLine();
        if (process_.state() == QProcess::NotRunning) break;
    }
    if (line.startsWith("PORT ")) {
        port_ = line.mid(5).trimmed().toInt();
    } else {
        error_ = "server did not start: " + process_.readAllStandardError().toStdString();
    }
}

FtpServer::~FtpServer() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.closeWriteChannel();  // the server exits on end of stdin
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

std::string FtpServer::hostPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::string FtpServer::url(const std::string& folder) const {
    std::string u = "ftp://" + hostPort() + "/";
    if (!folder.empty()) u += folder + "/";
    return u;
}

int UnusedLoopbackPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    close(s);
    return port;
}
