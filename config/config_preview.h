#pragma once
// The page preview of the configuration window: the controls of the paper section and the
// margins, read as storing reads them, turned into the print record's page on scratch records
// and drawn in the two previews (paper tab and margins tab). Recomputing is cheap, so every edit
// that can change the page redraws it at once.

#include <functional>

#include "config/page_preview_model.h"
#include "settings/records.h"

class QObject;
namespace Ui {
class trznConfigModal;
}

class TRZN_ConfigPreview {
public:
    // finished: OK or Cancel has ended the window, and nothing is redrawn any more.
    TRZN_ConfigPreview(Ui::trznConfigModal& ui, const RecordSet& records,
                       std::function<bool()> finished);

    // Redraws on every edit that can change the page; owner is the connections' context.
    void Connect(QObject* owner);
    void Update();

private:
    // The print record storing would compute from the controls now. Reads controls only; the
    // records stay as they are.
    PageInputs ReadPageInputs() const;

    Ui::trznConfigModal& _ui;
    const RecordSet& _records;
    std::function<bool()> _finished;
};
