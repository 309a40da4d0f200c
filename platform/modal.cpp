#include "platform/modal.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

class DesktopModal final : public ModalSeam {
public:
    int Alert(QWidget* parent, const QString& message, const QString& first,
              const QString& second) override {
        QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), message,
                        QMessageBox::NoButton, parent);
        QPushButton* firstButton = box.addButton(first, QMessageBox::AcceptRole);
        box.addButton(second, QMessageBox::RejectRole);
        box.setDefaultButton(firstButton);
        box.exec();
        return box.clickedButton() == firstButton ? 1 : 2;
    }

    std::optional<QString> ChooseFolder(QWidget* parent, const QString& title) override {
        // The desktop's own chooser can create folders; files are not offered.
        const QString dir =
            QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
        if (dir.isEmpty()) return std::nullopt;
        return dir;
    }

    void Beep() override { QApplication::beep(); }

    int Choose(QWidget* parent, const QString& message, const QStringList& answers) override {
        QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), message,
                        QMessageBox::NoButton, parent);
        box.setTextFormat(Qt::PlainText);
        std::vector<QAbstractButton*> buttons;
        for (qsizetype i = 0; i < answers.size(); ++i) {
            const bool out = i + 1 == answers.size();
            buttons.push_back(
                box.addButton(answers[i], out ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
        }
        if (buttons.empty()) return 0;
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
        box.setEscapeButton(buttons.back());
        box.exec();
        for (size_t i = 0; i < buttons.size(); ++i)
            if (box.clickedButton() == buttons[i]) return static_cast<int>(i + 1);
        return static_cast<int>(buttons.size());
    }
};

ModalSeam* g_seam = nullptr;

}  // namespace

ModalSeam& Modal() {
    static DesktopModal desktop;
    return g_seam ? *g_seam : desktop;
}

void SetModalSeam(ModalSeam* seam) { g_seam = seam; }
