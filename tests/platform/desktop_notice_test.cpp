#include "platform/desktop_notice.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>

namespace {

// The notice goes out only where the service runs, and says nothing where it does not.
TEST(DesktopNotice, ShownOnlyWhereTheServiceRuns) {
    struct Row {
        const char* name;
        bool bus;
        bool service;
    } rows[] = {
        {"NoBus", false, false},
        {"BusWithoutService", true, false},
        {"ServiceRunning", true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QProcess server;
        QStringList arguments{TRZN_SOURCE_DIR "/tests/platform/notice_server.py"};
        if (row.service) arguments << "--serve";
        server.start("/usr/bin/python3", arguments);
        QByteArray ready;
        QDeadlineTimer deadline(10000);
        while (!ready.endsWith('\n') && server.waitForReadyRead(int(deadline.remainingTime())))
            ready += server.readLine();
        ASSERT_TRUE(ready.startsWith("BUS ")) << server.readAllStandardError().toStdString();
        const QString address =
            row.bus ? QString::fromUtf8(ready.mid(4).trimmed()) : "unix:path=/nonexistent/bus";
        const QDBusConnection bus = QDBusConnection::connectToBus(address, row.name);

        const DesktopNotice notice{"Plot delivered", "car.svg to 共有フォルダ /srv/plots", ""};
        EXPECT_EQ(ShowDesktopNotice(notice, bus), row.service);
        if (row.service) {
            QByteArray said;
            while (!said.endsWith('\n') && server.waitForReadyRead(5000)) said += server.readLine();
            EXPECT_EQ(QString::fromUtf8(said), "NOTICE Plot delivered\tcar.svg to 共有フォルダ /srv/plots\n");
        }
        QDBusConnection::disconnectFromBus(row.name);
        server.closeWriteChannel();
        server.waitForFinished(3000);
    }
}

}  // namespace
