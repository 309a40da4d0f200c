#pragma once
// What OK refuses to store because every plot would fail with it later, far from where it was
// set: a shared folder or network address left empty for that destination, the weeding frame
// or the perforation switched on with no tool, a page range that ends before it begins. Each is
// said by its field, and the settings file stays as it was until the window is mended.
//
// A destination never chosen is not refused (a user may set up the page before the plotter
// arrives, and conversions need none); OK asks first, since plots can't go anywhere then.

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <vector>

#include "config/config_destination.h"

namespace Ui {
class trznConfigModal;
}

// The choices OK looks at, read from the window.
struct OkChoices {
    bool destinationChosen = true;
    DestinationKind kind = DestinationKind::SerialPort;
    QString sharedFolder;
    QString address;
    bool weedingFrame = false;
    bool weedingToolSet = true;
    bool perforation = false;
    bool perforationToolSet = true;
    int32_t firstPage = 1;  // as stored: below 1 reads as 1
    int32_t lastPage = 1;
};

// The field whose note says what is wrong.
enum class OkField { SharedFolder, Address, WeedingTool, PerforationTool, PageRange };

struct OkRefusal {
    OkField field;
    QString note;
};

// What OK refuses, in the window's order; empty when it may store.
std::vector<OkRefusal> RefusalsAtOk(const OkChoices& choices);

class TRZN_ConfigChecks {
    Q_DECLARE_TR_FUNCTIONS(TRZN_Config)

public:
    explicit TRZN_ConfigChecks(Ui::trznConfigModal& ui);

    // The choices as the window shows them.
    OkChoices Read() const;
    // Shows each refusal by its field and hides the notes of the fields now right (the text
    // fields' own notes are checked before, and are empty here); brings the first refused field
    // forward. True when nothing is refused.
    bool Pass();
    void HideNotes();
    // The question OK asks while no destination is chosen: true to store all the same.
    bool StoreWithoutDestination(QWidget* parent) const;

private:
    Ui::trznConfigModal& _ui;
};
