#pragma once
// The modal answers a test can't give by clicking: alerts, the folder chooser and the beep.
// Programs use the desktop's own dialogs; tests install a ModalSeam that answers.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class ModalSeam {
public:
    virtual ~ModalSeam() = default;
    // Returns 1 for the first button, 2 for the second.
    virtual int Alert(QWidget* parent, const QString& message, const QString& first,
                      const QString& second) = 0;
    // The chosen folder, or nothing when cancelled.
    virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& title) = 0;
    virtual void Beep() = 0;
    // One of several answers, the first the default and the last the way out (Escape): returns
    // 1 for the first. A seam that does not answer it takes the way out, so that a test that
    // never meant to be asked is never held in a dialog.
    virtual int Choose(QWidget* parent, const QString& message, const QStringList& answers) {
        (void)parent;
        (void)message;
        return static_cast<int>(answers.size());
    }
};

// The seam in use; the desktop one unless a test installed its own (nullptr restores).
ModalSeam& Modal();
void SetModalSeam(ModalSeam* seam);
