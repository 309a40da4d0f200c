// trzn-plot: plots an HP-GL file through TRZNSerSend with the destination configured in
// TRZNSerConfig. Exit status: 0 delivered, 1 stopped or failed in the sender, 2 bad input,
// 3 another plot is being sent (with --no-wait), 4 no product folder, 5 no sender.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>
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
    // A window is needed only to show a message when started from the file manager.
    for (int i = 1; i < argc; ++i) g_gui = g_gui || QByteArray(argv[i]) == "--gui";
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
    parser.process(*app);

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return Fail(PlotOutcome::BadInput, QObject::tr("give exactly one HP-GL file to plot"));
    }
    if (parser.isSet(queueOption) && parser.value(queueOption).isEmpty()) {
        return Fail(PlotOutcome::BadInput, QObject::tr("give the name of a printer queue"));
    }
    const std::string file = files.front().toStdString();
    if (auto problem = CheckPlotFile(file)) {
        return Fail(PlotOutcome::BadInput, QString::fromStdString(*problem));
    }
    const std::string folder = ProductFolder();
    if (folder.empty()) {
        return Fail(PlotOutcome::NoFolder, QObject::tr("the Documents folder can't be found"));
    }
    const std::string sender = FindSender(QCoreApplication::applicationDirPath().toStdString());
    if (sender.empty()) {
        return Fail(PlotOutcome::NoSender, QObject::tr("TRZNSerSend is not installed"));
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
    if (!WritePlotInputs(folder, file, parser.value(brcOption).toStdString(), &error)) {
        return Fail(PlotOutcome::BadInput, QString::fromStdString(error));
    }
    std::vector<std::string> senderArgs;
    if (parser.isSet(queueOption))
        senderArgs = {"--queue", parser.value(queueOption).toStdString()};
    const int status = RunSender(sender, senderArgs);
    if (status < 0) {
        return Fail(PlotOutcome::NoSender, QObject::tr("TRZNSerSend could not be started"));
    }
    if (status != 0) {
        std::fprintf(stderr, "trzn-plot: the plot was not delivered (TRZNSerSend status %d)\n",
                     status);
        return static_cast<int>(PlotOutcome::SenderFailed);
    }
    std::printf("%s: delivered\n", QFileInfo(files.front()).fileName().toLocal8Bit().constData());
    return static_cast<int>(PlotOutcome::Delivered);
}
