// Renders the configuration window's first tab with the plotter's buffer chosen as the flow
// control, in Japanese and in English, for the documentation (run by hand):
//   QT_QPA_PLATFORM=offscreen serial_flow_picture <docs folder>
// Everything happens in a throwaway home, never the user's own.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFont>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "config/TRZN_Config.h"
#include "platform/ports.h"
#include "platform/serial_line.h"
#include "platform/translation.h"
#include "settings/geometry.h"
#include "settings/store.h"

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    SetSerialDeviceSource([] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; });

    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::strcpy(r.serial->port_name, "/dev/ttyUSB0");
    r.serial->port = 1;
    r.serial->baud = 4;
    r.serial->data = 1;
    r.serial->average = 1;
    r.serial->flctrl = kFlowPlotterBuffer;
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), "", nullptr, PrintLines::Config);

    QDir().mkpath(out);
    const struct {
        QLocale desktop;
        const char* file;
    } languages[] = {{QLocale(QLocale::Japanese, QLocale::Japan), "/config-flow-plotter-buffer.png"},
                     {QLocale(QLocale::English, QLocale::UnitedStates),
                      "/config-flow-plotter-buffer-en.png"}};
    for (const auto& language : languages) {
        InstallTranslations(app, language.desktop);
        TRZN_Config controller;
        controller.awakeFromNib();
        QDialog* window = controller.window();
        window->show();
        QApplication::processEvents();
        const QString file = out + QLatin1String(language.file);
        if (!window->grab().save(file)) return 1;
        std::printf("%s %dx%d\n", qPrintable(file), window->width(), window->height());
    }
    return 0;
}
