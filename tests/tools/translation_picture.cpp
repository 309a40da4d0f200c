// Renders the configuration window's first tab in English for the documentation (run by hand):
//   QT_QPA_PLATFORM=offscreen translation_picture <docs folder> [--all-tabs]
// --all-tabs renders every tab (config-tabN-en.png), to check that no English label is cut off.
// Everything happens in a throwaway home, never the user's own.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFont>
#include <QLocale>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "config/TRZN_Config.h"
#include "platform/ports.h"
#include "platform/translation.h"
#include "settings/geometry.h"
#include "settings/store.h"

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallTranslations(app, QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    SetSerialDeviceSource([] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; });

    // A destination with every field filled, so that each label shows next to a value.
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    r.serial->baud = 4;
    r.serial->data = 1;
    r.serial->average = 1;
    std::snprintf(r.serial->ipaddr, sizeof r.serial->ipaddr, "192.168.1.20:plot:user:secret");
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/trazen/spool");
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), "", nullptr, PrintLines::Config);

    TRZN_Config controller;
    controller.awakeFromNib();
    QDialog* window = controller.window();
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("prconTabs"));
    const bool allTabs = argc > 2 && QByteArray(argv[2]) == "--all-tabs";
    QDir().mkpath(out);
    for (int i = 0; i < (allTabs ? tabs->count() : 1); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        const QString file = allTabs ? out + QStringLiteral("/config-tab%1-en.png").arg(i)
                                     : out + QStringLiteral("/config-output-en.png");
        if (!window->grab().save(file)) return 1;
        std::printf("%s %dx%d\n", qPrintable(file), window->width(), window->height());
    }
    return 0;
}
