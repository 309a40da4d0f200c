// The plot sender. Exit status: 0 delivered, 1 stopped by the user, 2 delivery failed (the
// window said why), 3 nothing could be sent (no Documents folder).

#include <QApplication>

#include "platform/translation.h"
#include "sender/trzn_sersend.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The controller decides when the program ends (after the status is written and the line
    // is closed), not the window manager's close box.
    app.setQuitOnLastWindowClosed(false);
    InstallTranslations(app);
    TRZN_SerSend controller;
    controller.awakeFromNib();
    return app.exec();
}
