// The configuration window. It takes no arguments; OK and Cancel end it after writing the
// settings file.

#include <QApplication>

#include "config/TRZN_Config.h"
#include "platform/translation.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallTranslations(app);
    TRZN_Config controller;
    QObject::connect(&controller, &TRZN_Config::terminated, &app,
                     [](int) { QCoreApplication::quit(); }, Qt::QueuedConnection);
    controller.awakeFromNib();
    return app.exec();
}
