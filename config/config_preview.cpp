#include "config/config_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "config/TRZN_PagePreview.h"
#include "config/config_fields.h"
#include "config/page_preview_model.h"
#include "settings/utility.h"
#include "ui_trznConfigModal.h"

namespace {

// The unit storing reads the size fields in: the size unit pop-up's item, or the record's
// unit while the pop-up has no selection.
int16_t SizeUnitOfMenu(const QComboBox* menu, int16_t fallback) {
    return menu->currentIndex() >= 0 ? static_cast<int16_t>(menu->currentIndex()) : fallback;
}

}  // namespace

TRZN_ConfigPreview::TRZN_ConfigPreview(Ui::trznConfigModal& ui, const RecordSet& records,
                                       std::function<bool()> finished)
    : _ui(ui), _records(records), _finished(std::move(finished)) {}

PageInputs TRZN_ConfigPreview::ReadPageInputs() const {
    const Ui::trznConfigModal& ui = _ui;
    const TPrConfig& cf = *_records.config;
    const int16_t sizeUnit = SizeUnitOfMenu(ui.prstlMenuPunit, cf.unitmsct);
    const int16_t unit = cf.pUnit;
    PageInputs in;
    in.width = Unit2Point(LeadingNumber(ui.prstlTextHsize->text()), sizeUnit);
    in.height = Unit2Point(LeadingNumber(ui.prstlTextVsize->text()), sizeUnit);
    in.scale = FloatAbs(LeadingNumber(ui.prstlTextScale->text()));
    in.turned = cf.papervhf != 0;
    in.roll = ui.prstlChbxPisrl->isChecked();
    in.cmargin = {
        ParseLength(ui.prconTextLeafT->text(), unit), ParseLength(ui.prconTextLeafL->text(), unit),
        ParseLength(ui.prconTextLeafB->text(), unit), ParseLength(ui.prconTextLeafR->text(), unit)};
    in.rmargin = {
        ParseLength(ui.prconTextRoalT->text(), unit), ParseLength(ui.prconTextRoalL->text(), unit),
        ParseLength(ui.prconTextRoalB->text(), unit), ParseLength(ui.prconTextRoalR->text(), unit)};
    in.weeding = ui.prconChbxKstri->isChecked();
    in.kmargin = {
        ParseLength(ui.prconTextKstmT->text(), unit), ParseLength(ui.prconTextKstmL->text(), unit),
        ParseLength(ui.prconTextKstmB->text(), unit), ParseLength(ui.prconTextKstmR->text(), unit)};
    return in;
}

void TRZN_ConfigPreview::Update() {
    if (_finished()) return;
    const PagePreview preview = ComputePagePreview(ReadPageInputs());
    const int16_t sizeUnit = SizeUnitOfMenu(_ui.prstlMenuPunit, _records.config->unitmsct);
    _ui.prstlViewPreview->setPreview(preview, sizeUnit);
    _ui.prconViewPreview->setPreview(preview, sizeUnit);
}

void TRZN_ConfigPreview::Connect(QObject* owner) {
    Ui::trznConfigModal& ui = _ui;
    const auto update = [this] { Update(); };
    // textChanged, not textEdited: the unit switch and the paper pop-up rewrite fields too.
    for (QLineEdit* field :
         {ui.prstlTextHsize, ui.prstlTextVsize, ui.prstlTextScale, ui.prconTextLeafT,
          ui.prconTextLeafL, ui.prconTextLeafB, ui.prconTextLeafR, ui.prconTextRoalT,
          ui.prconTextRoalL, ui.prconTextRoalB, ui.prconTextRoalR, ui.prconTextKstmT,
          ui.prconTextKstmL, ui.prconTextKstmB, ui.prconTextKstmR}) {
        QObject::connect(field, &QLineEdit::textChanged, owner, update);
    }
    QObject::connect(ui.prstlChbxPisrl, &QCheckBox::toggled, owner, update);
    QObject::connect(ui.prconChbxKstri, &QCheckBox::toggled, owner, update);
    // The orientation comes from the record, which only the buttons' actions set: they redraw
    // the preview themselves.
    QObject::connect(ui.prstlMenuPunit, &QComboBox::currentIndexChanged, owner, update);
}
