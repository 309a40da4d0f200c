#pragma once
// The Qt the readers run in: the application they need and the one message handler Qt has for
// the whole process, taken by one reading at a time.

#include <QtGlobal>
#include <mutex>

// Text needs Qt's font system, which needs a QGuiApplication; a program without any Qt
// application gets one on the offscreen platform (no display is touched).
void EnsureQtGuiApplication();

// While it lives, what Qt says goes to `hear`, and other readings wait: the handler is
// process-wide. What `hear` does not keep goes on to the handler that was there before.
class QtMessageCapture {
public:
    explicit QtMessageCapture(QtMessageHandler hear);
    ~QtMessageCapture();
    QtMessageCapture(const QtMessageCapture&) = delete;
    QtMessageCapture& operator=(const QtMessageCapture&) = delete;

    // The handler before the capture, for what `hear` passes on.
    static void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& text);

private:
    std::lock_guard<std::mutex> _lock;
};
