#pragma once
// The modal answers a test can't give by clicking: alerts, the folder chooser and the beep.
// Programs use the desktop's own dialogs; tests install a ModalSeam that answers.

#include <QString>
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
};

// The seam in use; the desktop one unless a test installed its own (nullptr restores).
ModalSeam& Modal();
void SetModalSeam(ModalSeam* seam);
