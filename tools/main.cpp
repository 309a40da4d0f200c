// trzn-plot: plots an HP-GL file through TRZNSerSend with the destination configured in
// TRZNSerConfig. Exit status: 0 delivered, 1 stopped or failed in the sender, 2 bad input,
// 3 another plot is being sent (with --no-wait), 4 no product folder, 5 no sender (or no display
// to start it on).

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/translation.h"
#include "settings/store.h"
#include "tools/plot_job.h"

namespace {

bool g_gui = false;

int Fail(PlotOutcome outcome, const QString& message) {
    std::fprintf(stderr, "trzn-plot: %s\n", message.toLocal8Bit().constData());
    if (g_gui) QMessageBox::warning(nullptr, QObject::tr("Plot"), message);
    return static_cast<int>(outcome);
}

}  // namespace

int main(int argc, char** argv) {
    // Qt decodes the arguments as UTF-8 and may take some away; file names are bytes.
    const std::vector<std::string> rawArgs(argv, argv + argc);
    // A window is needed only to show a message when started from the file manager, and can be
    // shown only where there is a display.
    for (int i = 1; i < argc; ++i) g_gui = g_gui || QByteArray(argv[i]) == "--gui";
    g_gui = g_gui && HasDisplay();
    std::unique_ptr<QCoreApplication> app = g_gui ? std::make_unique<QApplication>(argc, argv)
                                                 : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName("trzn-plot");
    InstallTranslations(*app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QObject::tr(
        "Plots an HP-GL file with the destination set in TRZNSerConfig, through TRZNSerSend."));
    parser.addHelpOption();
    parser.addPositionalArgument("file", QObject::tr("The HP-GL file to plot (.plt, .hpgl, .hpg)."));
    QCommandLineOption brcOption("brc", QObject::tr("Input window x1,y1,x2,y2 for the plot."),
                                 "window");
    QCommandLineOption noWaitOption("no-wait",
                                    QObject::tr("Refuse instead of waiting when a plot is being sent."));
    QCommandLineOption guiOption("gui", QObject::tr("Show problems in a window (file managers)."));
    QCommandLineOption queueOption(
        "queue", QObject::tr("Send this plot to the CUPS printer queue NAME; the settings stay."),
        "name");
    parser.addOptions({brcOption, noWaitOption, guiOption, queueOption});
    // Not process(): it ends the program with 1, which says "failed in the sender".
    if (!parser.parse(QCoreApplication::arguments())) {
        return Fail(PlotOutcome::BadInput, parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return Fail(PlotOutcome::BadInput, QObject::tr("give exactly one HP-GL file to plot"));
    }
    if (parser.isSet(queueOption) && parser.value(queueOption).isEmpty()) {
        return Fail(PlotOutcome::BadInput, QObject::tr("give the name of a printer queue"));
    }
    const std::string brc = parser.value(brcOption).toStdString();
    if (parser.isSet(brcOption)) {
        if (auto problem = CheckInputWindow(brc)) {
            return Fail(PlotOutcome::BadInput, QString::fromStdString(*problem));
        }
    }
    const std::string file =
        RawArgument(rawArgs, files.front().toStdString(), {"--brc", "--queue"});
    if (auto problem = CheckPlotFile(file)) {
        return Fail(PlotOutcome::BadInput, QString::fromLocal8Bit(problem->c_str()));
    }
    const std::string folder = ProductFolder();
    if (folder.empty()) {
        return Fail(PlotOutcome::NoFolder, QObject::tr("the Documents folder can't be found"));
    }
    const std::string sender = FindSender(QCoreApplication::applicationDirPath().toStdString());
    if (sender.empty()) {
        return Fail(PlotOutcome::NoSender, QObject::tr("TRZNSerSend is not installed"));
    }
    if (!HasDisplay()) {
        return Fail(PlotOutcome::NoSender,
                    QObject::tr("no display: TRZNSerSend shows a window and needs a desktop "
                                "session (DISPLAY or WAYLAND_DISPLAY)"));
    }

    const bool wait = !parser.isSet(noWaitOption) && !g_gui;
    bool busy = false;
    std::optional<PlotSlot> slot = PlotSlot::Acquire(folder, /*wait=*/false, &busy);
    if (!slot && busy && wait) {
        std::fprintf(stderr, "trzn-plot: another plot is being sent; waiting for it to finish\n");
        slot = PlotSlot::Acquire(folder, /*wait=*/true, &busy);
    }
    if (!slot) {
        if (busy) {
            return Fail(PlotOutcome::Busy,
                        QObject::tr("another plot is being sent; try again when it has finished"));
        }
        return Fail(PlotOutcome::NoFolder,
                    QObject::tr("the product folder %1 can't be written")
                        .arg(QString::fromStdString(folder)));
    }

    std::string error;
    if (auto failure = WritePlotInputs(folder, file, brc, &error)) {
        return Fail(*failure, QString::fromLocal8Bit(error.c_str()));
    }
    std::vector<std::string> senderArgs;
    if (parser.isSet(queueOption))
        senderArgs = {"--queue", parser.value(queueOption).toStdString()};
    const SenderExit sent = RunSender(sender, senderArgs, slot->fd());
    if (sent.how == SenderExit::How::NotStarted) {
        return Fail(PlotOutcome::NoSender, QObject::tr("TRZNSerSend could not be started"));
    }
    if (sent.how == SenderExit::How::Killed) {
        // A killed sender could not store its outcome; left alone, the status would say
        // "running" for ever.
        const KilledStatus stored = StoreKilledSenderStatus();
        QString message = QObject::tr("the plot was not delivered: TRZNSerSend was killed (%1)")
                              .arg(QString::fromLocal8Bit(strsignal(sent.value)));
        if (stored == KilledStatus::Failed) {
            message += QObject::tr("; the completion status could not be written to %1")
                           .arg(QString::fromStdString(SettingsFilePath(nullptr)));
        }
        return Fail(PlotOutcome::SenderFailed, message);
    }
    if (sent.value != 0) {
        std::fprintf(stderr, "trzn-plot: the plot was not delivered (TRZNSerSend status %d)\n",
                     sent.value);
        return static_cast<int>(PlotOutcome::SenderFailed);
    }
    const size_t slash = file.rfind('/');
    std::printf("%s: delivered\n", file.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    return static_cast<int>(PlotOutcome::Delivered);
}
