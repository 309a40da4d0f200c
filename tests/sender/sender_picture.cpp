// Renders the sender's window in Japanese and in English, sending and after a failure, so that
// its layout can be looked at in both languages (run by hand):
//   QT_QPA_PLATFORM=offscreen sender_picture <folder>
// writes sender-sending-LANG.png, sender-stopped-LANG.png and sender-error-LANG.png, LANG ja and
// en; a second argument sets the font's point size.
// Everything happens in a throwaway home, never the user's own.

#include <QApplication>
#include <QFont>
#include <QLayout>
#include <QLocale>
#include <QPushButton>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/ports.h"
#include "platform/translation.h"
#include "sender/plot_preview.h"
#include "tests/sender/sender_fixture.h"

namespace {

enum class State { Sending, Stopped, Failed };

void Render(const QString& file, State state) {
    const bool fails = state == State::Failed;
    TempHome home;
    PtyPlotter plotter;  // never reads: the plot stays under way
    const std::string slave = plotter.slavePath();
    SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });
    WriteSenderSettings([&](TSrConfig& s) {
        if (fails) {
            std::strcpy(s.port_name, "Shared Folder(Trazen Server)");
        } else {
            std::strcpy(s.port_name, slave.c_str());
            s.baud = 4;
            s.data = 1;
        }
    });
    WritePlugInFiles(home, "BRC:0,0,16000,11000\r\nNOTE:raster images skipped\r\n",
                     SamplePlotBody(200000));
    SenderUnderTest run;
    run.sender.awakeFromNib();
    for (int i = 0; i < 30; ++i) run.Tick();
    run.sender.panel()->findChild<TPlotPreview*>("prserViewPlot")->waitUntilReady();
    QApplication::processEvents();
    if (state == State::Stopped)
        run.sender.panel()->findChild<QPushButton*>("prserPBtnStopData")->click();
    // What the window is called, and whether it holds what its layout needs.
    QWidget* w = run.sender.panel();
    std::printf("%s: \"%s\" %dx%d, needs %d high\n", qPrintable(file), qPrintable(w->windowTitle()),
                w->width(), w->height(), w->layout()->totalHeightForWidth(w->width()));
    run.sender.panel()->grab().save(file);
    SetSerialDeviceSource({});
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    // A larger desktop font (a point size as the second argument) is where a layout gives way.
    if (argc > 2) {
        QFont font = QApplication::font();
        font.setPointSize(QString::fromLocal8Bit(argv[2]).toInt());
        QApplication::setFont(font);
    }
    for (const auto& [language, tag] :
         {std::pair{QLocale::Japanese, "ja"}, std::pair{QLocale::English, "en"}}) {
        InstallTranslations(app, QLocale(language));
        Render(QString("%1/sender-sending-%2.png").arg(out, tag), State::Sending);
        Render(QString("%1/sender-stopped-%2.png").arg(out, tag), State::Stopped);
        Render(QString("%1/sender-error-%2.png").arg(out, tag), State::Failed);
    }
    return 0;
}
