#include "tools/plot_words.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <cstdio>

#include "platform/balanced_lines.h"
#include "plotjob/plot_notes.h"
#include "tools/plot_tr.h"

namespace {

bool g_gui = false;

// Lines no wider than a message box takes them unbroken: half the screen, 500 pixels at most
// (Qt's own limit), less its icon and margins. The box then breaks none itself.
int BoxTextWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int half = screen ? screen->availableGeometry().width() / 2 : 500;
    return std::min(half, 500) - 100;
}

void ShowWarning(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title,
                    BalancedLines(text, QApplication::font("QMessageBox"), BoxTextWidth()),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void SetShowsWindows(bool gui) { g_gui = gui; }

bool ShowsWindows() { return g_gui; }

void Say(const QString& message) {
    std::fprintf(stderr, "trzn-plot: %s\n", message.toLocal8Bit().constData());
}

int Fail(PlotOutcome outcome, const QString& message) {
    Say(message);
    // Titled as the file manager's menu names the command.
    if (g_gui) ShowWarning(TPlotWords::tr("Plot with Trazen"), message);
    return static_cast<int>(outcome);
}

void SayRemarks(const std::vector<Note>& remarks) {
    for (const Note& remark : remarks) Say(TPlotWords::tr("note: %1").arg(NoteWords(remark)));
}
