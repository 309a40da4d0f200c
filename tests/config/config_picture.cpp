// Renders the configuration window, one picture per tab, for the documentation (run by hand):
//   QT_QPA_PLATFORM=offscreen config_picture <docs folder> [--first-start|--first-plot ja|en]
// The window is filled from a settings file in a throwaway home, never the user's own; with
// --first-start the home has none, and the window shows the default setup in that language
// (config-first-start-TAB.png, -en.png); with --first-plot the window is opened for a plot, and
// OK has been refused for a weeding frame without its tool and a page range of 5 to 2
// (config-first-plot-TAB.png).

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QDir>
#include <QFont>
#include <QLocale>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "config/TRZN_Config.h"
#include "platform/ports.h"
#include "platform/translation.h"
#include "settings/geometry.h"
#include "settings/store.h"

namespace {

// One picture per tab; name holds %1 for the tab's name.
int Render(const QString& out, const QString& name, bool refused = false) {
    TRZN_Config controller;
    if (refused) controller.OpenedForPlot(QStringLiteral("drawing.svg"));
    controller.awakeFromNib();
    QDialog* window = controller.window();
    if (refused) {
        window->findChild<QCheckBox*>(QStringLiteral("prconChbxKstri"))->setChecked(true);
        window->findChild<QLineEdit*>(QStringLiteral("prconTextSpage"))->setText("5");
        window->findChild<QLineEdit*>(QStringLiteral("prconTextEpage"))->setText("2");
        controller.prdefPBtnOkAction();
    }
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("prconTabs"));
    const char* names[] = {"output", "pens", "paper", "margins", "options"};
    QDir().mkpath(out);
    for (int i = 0; i < tabs->count() && i < 5; ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        const QString file = out + QLatin1Char('/') + name.arg(QLatin1String(names[i])) + ".png";
        if (!window->grab().save(file)) return 1;
        std::printf("%s %dx%d\n", qPrintable(file), window->width(), window->height());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    SetSerialDeviceSource([] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; });

    const bool plot = argc > 3 && QByteArray(argv[2]) == "--first-plot";
    const bool first = argc > 3 && (QByteArray(argv[2]) == "--first-start" || plot);
    const bool english = first && QByteArray(argv[3]) == "en";
    InstallTranslations(app, english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                     : QLocale(QLocale::Japanese, QLocale::Japan));
    if (first) {
        const QString name = plot ? QStringLiteral("config-first-plot-%1") : QStringLiteral("config-first-start-%1");
        return Render(out, name + (english ? "-en" : ""), plot);
    }

    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    r.config->cmargin = {20, 20, 40, 20};
    r.paper->pitem_count = 2;
    r.paper->pitem[0] = {"A3", 842, 1191, 0};
    r.paper->pitem[1] = {"A1 roll", 1684, 2384, 1};
    r.config->pUnit = 1;
    r.config->unitmsct = 1;
    r.config->ktoolid = 1;
    r.config->zftoolid = 2;
    for (int i = 0; i < kPenCount; ++i) {
        r.config->toollist[i] = {static_cast<int16_t>(i + 1), 35, 0, 0, 0, 1};
    }
    r.config->toollist[1].red = 10000;
    r.serial->baud = 4;
    r.serial->data = 1;
    std::snprintf(r.serial->ipaddr, sizeof r.serial->ipaddr, "192.168.1.20:plot:user:secret");
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/trazen/spool");
    r.serial->portid = 21;
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    CalcPageWidth(r.print.get(), r.config.get(), 842, 1191, 100, 0);
    SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), "", nullptr, PrintLines::Config);

    return Render(out, QStringLiteral("config-%1"));
}
