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
        out.push_back(
            {OkField::SharedFolder,
             QCoreApplication::translate(
                 "TRZN_Config", "共有フォルダが空です。プロットを置くフォルダを選んでください。")});
    if (c.destinationChosen && c.kind == DestinationKind::Network && c.address.trimmed().isEmpty())
        out.push_back({OkField::Address,
                       QCoreApplication::translate(
                           "TRZN_Config",
                           "アドレスが空です。FTP プリントサーバのホストを入力してください。")});
    if (c.weedingFrame && !c.weedingToolSet)
        out.push_back({OkField::WeedingTool,
                       QCoreApplication::translate(
                           "TRZN_Config", "カス取り枠をカットする工具番号を選んでください。")});
    if (c.perforation && !c.perforationToolSet)
        out.push_back({OkField::PerforationTool,
                       QCoreApplication::translate("TRZN_Config",
                                                   "ミシン目にする工具番号を選んでください。")});
    if (c.firstPage > c.lastPage)
        out.push_back({OkField::PageRange,
                       QCoreApplication::translate("TRZN_Config",
                                                   "終了ページ (%1) が開始ページ (%2) より前です。")
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
    return Modal().Alert(parent,
                         tr("出力先が選ばれていません。このままでは、プロットをどこにも送れ"
                            "ません。「出力と回線」の出力先で、プロッタのポートや送り先を選んで"
                            "ください。"),
                         tr("出力先を選ぶ"), tr("出力先なしで保存")) == 2;
}
