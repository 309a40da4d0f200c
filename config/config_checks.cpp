#include "config/config_checks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "config/config_fields.h"
#include "platform/modal.h"
#include "ui_trznConfigModal.h"

namespace {

// The note and the control it belongs to for each field.
struct FieldPlace {
    OkField field;
    QLabel* note;
    QWidget* control;
};

std::vector<FieldPlace> Places(Ui::trznConfigModal& ui) {
    return {{OkField::SharedFolder, ui.prconLabelSharedFolderNote, ui.prconTextSharedFolder},
            {OkField::Address, ui.prconLabelIHostNote, ui.prconTextIHost},
            {OkField::WeedingTool, ui.prconLabelKstidNote, ui.prconMenuKstid},
            {OkField::PerforationTool, ui.prconLabelZfcidNote, ui.prconMenuZfcid},
            {OkField::PageRange, ui.prconLabelPageNote, ui.prconTextEpage}};
}

void ShowNote(QLabel* note, const QString& text) {
    note->setText(text);
    note->setVisible(!text.isEmpty());
}

int32_t StoredPage(const QString& text) {
    const int32_t page = LeadingWhole(text);
    return page < 1 ? 1 : page;
}

}  // namespace

std::vector<OkRefusal> RefusalsAtOk(const OkChoices& c) {
    std::vector<OkRefusal> out;
    if (c.destinationChosen && c.kind == DestinationKind::SharedFolder &&
        c.sharedFolder.trimmed().isEmpty())
        out.push_back({OkField::SharedFolder,
                       QCoreApplication::translate(
                           "TRZN_Config",
                           "The shared folder is empty. Choose the folder plots are put in.")});
    if (c.destinationChosen && c.kind == DestinationKind::Network && c.address.trimmed().isEmpty())
        out.push_back(
            {OkField::Address,
             QCoreApplication::translate(
                 "TRZN_Config", "The address is empty. Type the FTP print server's host.")});
    if (c.weedingFrame && !c.weedingToolSet)
        out.push_back({OkField::WeedingTool,
                       QCoreApplication::translate(
                           "TRZN_Config", "Choose the tool number that cuts the weeding frame.")});
    if (c.perforation && !c.perforationToolSet)
        out.push_back(
            {OkField::PerforationTool,
             QCoreApplication::translate("TRZN_Config", "Choose the tool number to perforate.")});
    if (c.firstPage > c.lastPage)
        out.push_back({OkField::PageRange,
                       QCoreApplication::translate(
                           "TRZN_Config", "The last page (%1) comes before the first page (%2).")
                           .arg(c.lastPage)
                           .arg(c.firstPage)});
    return out;
}

TRZN_ConfigChecks::TRZN_ConfigChecks(Ui::trznConfigModal& ui) : _ui(ui) { HideNotes(); }

OkChoices TRZN_ConfigChecks::Read() const {
    OkChoices c;
    c.destinationChosen = _ui.prconMenuNPort->currentIndex() >= 0;
    c.kind = KindOfPort(ChosenPortName(_ui));
    c.sharedFolder = _ui.prconTextSharedFolder->text();
    c.address = _ui.prconTextIHost->text();
    c.weedingFrame = _ui.prconChbxKstri->isChecked();
    c.weedingToolSet = _ui.prconMenuKstid->currentIndex() >= 0;
    c.perforation = _ui.prconChbxZFCut->isChecked();
    c.perforationToolSet = _ui.prconMenuZfcid->currentIndex() >= 0;
    c.firstPage = StoredPage(_ui.prconTextSpage->text());
    c.lastPage = StoredPage(_ui.prconTextEpage->text());
    return c;
}

bool TRZN_ConfigChecks::Pass() {
    const std::vector<OkRefusal> refused = RefusalsAtOk(Read());
    QWidget* first = nullptr;
    for (const FieldPlace& place : Places(_ui)) {
        QString note;
        for (const OkRefusal& r : refused)
            if (r.field == place.field) note = r.note;
        ShowNote(place.note, note);
        if (!note.isEmpty() && !first) first = place.control;
    }
    if (!first) return true;
    Modal().Beep();
    for (QWidget* w = first; w; w = w->parentWidget()) {
        const int page = _ui.prconTabs->indexOf(w);
        if (page >= 0) {
            _ui.prconTabs->setCurrentIndex(page);
            break;
        }
    }
    first->setFocus();
    return false;
}

void TRZN_ConfigChecks::HideNotes() {
    for (const FieldPlace& place : Places(_ui)) ShowNote(place.note, {});
}

bool TRZN_ConfigChecks::StoreWithoutDestination(QWidget* parent) const {
    if (_ui.prconMenuNPort->currentIndex() >= 0) return true;
    return Modal().Alert(
               parent,
               tr("No destination is chosen. Plots can't go anywhere like this. Choose the "
                  "plotter's port or where plots go under Destination on the Output and line tab."),
               tr("Choose a destination"), tr("Save without a destination")) == 2;
}
