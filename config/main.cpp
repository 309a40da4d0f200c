// The configuration window. OK and Cancel end it after writing the settings file. trzn-plot
// opens it with --for-plot FILE when a plot found nothing set up: the window then says why it
// opened, and trzn-plot reads the completion status it leaves to know whether to plot.

#include <QApplication>
#include <QStringList>

#include "config/TRZN_Config.h"
#include "platform/translation.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallTranslations(app);
    TRZN_Config controller;
    const QStringList args = QCoreApplication::arguments();
    const qsizetype forPlot = args.indexOf(QStringLiteral("--for-plot"));
    if (forPlot > 0 && forPlot + 1 < args.size()) controller.OpenedForPlot(args[forPlot + 1]);
    QObject::connect(
        &controller, &TRZN_Config::terminated, &app, [](int) { QCoreApplication::quit(); },
        Qt::QueuedConnection);
    controller.awakeFromNib();
    return app.exec();
}
