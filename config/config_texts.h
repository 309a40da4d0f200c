#pragma once
// The text fields whose text goes into the records as typed: the shared folder (UTF-8) and the
// network address, header and footer (Shift-JIS), 127 bytes each. Each field takes no more bytes
// than its record holds, and a note beside it says why a text can't be stored while it stands;
// OK and save as refuse the window until it is mended.

#include <QCoreApplication>

class QObject;
namespace Ui {
class trznConfigModal;
}

class TRZN_RecordTexts {
    Q_DECLARE_TR_FUNCTIONS(TRZN_Config)

public:
    explicit TRZN_RecordTexts(Ui::trznConfigModal& ui);

    // Validators that keep the fields within their record's bytes, and notes that follow each
    // edit; owner is the connections' context.
    void Connect(QObject* owner);
    void HideNotes();
    // The texts as typed can be stored and come back as typed. When one can't, the user is told
    // beside each such field (the first one's tab brought forward) and false comes back: a
    // changed folder or address sends plots elsewhere.
    bool Fit();

private:
    Ui::trznConfigModal& _ui;
};
