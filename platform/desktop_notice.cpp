#include "platform/desktop_notice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace {

constexpr char kService[] = "org.freedesktop.Notifications";
constexpr char kPath[] = "/org/freedesktop/Notifications";
// A caller about to exit waits this long at most: a service that takes longer is hung, and the
// plot's own outcome must not wait on it.
constexpr int kAnswerWithinMs = 2000;

}  // namespace

bool ShowDesktopNotice(const DesktopNotice& notice, const QDBusConnection& bus) {
    if (!bus.isConnected()) return false;
    // Asked first, so that no call goes out to start a service that is not there: a session
    // bus may be set up to launch one on demand, with a window of its own.
    const QDBusConnectionInterface* names = bus.interface();
    if (!names || !names->isServiceRegistered(QLatin1String(kService)).value()) return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                       QLatin1String(kService), QStringLiteral("Notify"));
    const QString application = QCoreApplication::applicationName();
    call << application << 0u << notice.icon << notice.summary << notice.body << QStringList()
         << QVariantMap() << -1;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kAnswerWithinMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool ShowDesktopNotice(const DesktopNotice& notice) {
    return ShowDesktopNotice(notice, QDBusConnection::sessionBus());
}
