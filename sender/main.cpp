// The plot sender. Exit status: 0 delivered, 1 stopped by the user, 2 delivery failed (the
// window said why), 3 nothing could be sent (no Documents folder).
// `--queue NAME` sends this one plot to the printer queue NAME instead of the configured
// destination; `--lock-fd N` is the plot slot's lock, held by the caller and inherited (both
// from trzn-plot). Nothing else is read from the command line.

#include <QApplication>
#include <QStringList>
#include <QWidget>

#include "platform/translation.h"
#include "sender/trzn_sersend.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The controller decides when the program ends (after the status is written and the line
    // is closed), not the window manager's close box.
    app.setQuitOnLastWindowClosed(false);
    InstallTranslations(app);
    TRZN_SerSend controller;
    // Any box the sender shows carries the window's name, the one its "Open with" entry has.
    app.setApplicationDisplayName(controller.panel()->windowTitle());
    const QStringList args = QCoreApplication::arguments();
    const qsizetype queue = args.indexOf(QStringLiteral("--queue"));
    if (queue > 0 && queue + 1 < args.size()) controller.setQueueOverride(args[queue + 1].toStdString());
    const qsizetype lock = args.indexOf(QStringLiteral("--lock-fd"));
    bool number = false;
    const int lockFd = lock > 0 && lock + 1 < args.size() ? args[lock + 1].toInt(&number) : -1;
    if (number) controller.setInheritedLock(lockFd);
    controller.awakeFromNib();
    return app.exec();
}
