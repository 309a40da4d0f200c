#include "drawing/read/qt_host.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

std::mutex gCaptureLock;
QtMessageHandler gPrevious = nullptr;

}  // namespace

void EnsureQtGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 3;
    static char arg0[] = "trzn-drawing", arg1[] = "-platform", arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

QtMessageCapture::QtMessageCapture(QtMessageHandler hear) : _lock(gCaptureLock) {
    gPrevious = qInstallMessageHandler(hear);
}

QtMessageCapture::~QtMessageCapture() { qInstallMessageHandler(gPrevious); }

void QtMessageCapture::PassOn(QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
    if (gPrevious) gPrevious(type, context, text);
}
