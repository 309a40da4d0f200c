// Units and paper selection of the configuration window: the two margin-unit pop-ups and the
// conversion of the thirteen length fields, the paper pop-up built from the user's paper list,
// the paper-size unit, the orientation buttons and the paper list editor.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cstdlib>

#include "config/TRZN_Config.h"
#include "config/TRZN_Paper.h"
#include "config/config_fields.h"
#include "config/paper_fields.h"
#include "platform/modal.h"
#include "settings/utility.h"
#include "ui_trznConfigModal.h"

namespace {

// The paper-size unit a pop-up item stands for; any other item acts as point.
int16_t SizeUnitOf(int item) {
    if (item == kUnitInch || item == kUnitMillimetre) return static_cast<int16_t>(item);
    return kUnitPoint;
}

}  // namespace

void TRZN_Config::SetPUnit(int64_t unit) {
    TPrConfig& cf = *_records.config;
    if (unit == cf.pUnit) return;
    const auto next = static_cast<int16_t>(unit);
    Ui::trznConfigModal& ui = *_ui;
    QLineEdit* const lengths[] = {
        ui.prconTextLeafT, ui.prconTextLeafB, ui.prconTextLeafL, ui.prconTextLeafR,
        ui.prconTextRoalT, ui.prconTextRoalB, ui.prconTextRoalL, ui.prconTextRoalR,
        ui.prconTextKstmT, ui.prconTextKstmB, ui.prconTextKstmL, ui.prconTextKstmR,
        ui.prconTextRolen,
    };
    // Each field shows what storing it and loading it again in the new unit would show.
    for (QLineEdit* field : lengths) {
        const int16_t points = ParseLength(field->text(), cf.pUnit);
        field->setText(FormatLength(points, next));
    }
    cf.pUnit = next;
    UpdatePagePreview();
}

void TRZN_Config::prconMenuPunitAAction() {
    const int item = _ui->prconMenuPunitA->currentIndex();
    _ui->prconMenuPunitB->setCurrentIndex(item);
    SetPUnit(item);
}

void TRZN_Config::prconMenuPunitBAction() {
    const int item = _ui->prconMenuPunitB->currentIndex();
    _ui->prconMenuPunitA->setCurrentIndex(item);
    SetPUnit(item);
}

void TRZN_Config::SizeFieldsInShownUnit() {
    _sizeItemShown = _ui->prstlMenuPunit->currentIndex();
    _sizeItemBefore = _sizeItemShown;
}

void TRZN_Config::ShowPaperSize(double widthPoints, double heightPoints, int16_t unit) {
    _ui->prstlTextVsize->setText(FormatPaperLength(PaperFromPoints(heightPoints, unit), unit));
    _ui->prstlTextHsize->setText(FormatPaperLength(PaperFromPoints(widthPoints, unit), unit));
}

void TRZN_Config::prstlMenuPaperAction() {
    TPrConfig& cf = *_records.config;
    const TPrPaper& list = *_records.paper;
    const int item = _ui->prstlMenuPaper->currentIndex();
    if (item < 0) return;
    cf.papersct = static_cast<int16_t>(item);
    // The user-defined entry keeps whatever size the user typed.
    if (item >= list.pitem_count) return;
    const TPrPaperItem& paper = list.pitem[item];
    if (paper.pheight <= 0 || paper.pwidth <= 0) {
        Modal().Beep();
        return;
    }
    cf.unitmsct = SizeUnitOf(_ui->prstlMenuPunit->currentIndex());
    ShowPaperSize(paper.pwidth, paper.pheight, cf.unitmsct);
    _ui->prstlChbxPisrl->setChecked(paper.pisroll != 0);
}

void TRZN_Config::prstlMenuPunitAction() {
    TPrConfig& cf = *_records.config;
    // The fields are in the unit the pop-up showed until now, which is the record's unit only
    // once a size has been converted: storing and the preview read them in the pop-up's unit.
    const int16_t shown = SizeUnitOf(_sizeItemBefore >= 0 ? _sizeItemBefore : cf.unitmsct);
    const double height = PaperToPoints(LeadingNumber(_ui->prstlTextVsize->text()), shown);
    const double width = PaperToPoints(LeadingNumber(_ui->prstlTextHsize->text()), shown);
    const bool roll = _ui->prstlChbxPisrl->isChecked();
    const int16_t unit = SizeUnitOf(_ui->prstlMenuPunit->currentIndex());
    // Nothing to convert yet: the pop-up keeps the unit just chosen, so that a size typed next
    // is read in it, while the fields and the record's unit stay as they are.
    if (!(height > 0) || !(width > 0)) {
        SizeFieldsInShownUnit();
        return;
    }
    if (!CanFormatLength(PaperFromPoints(width, unit)) ||
        !CanFormatLength(PaperFromPoints(height, unit))) {
        _ui->prstlMenuPunit->setCurrentIndex(shown);
        SizeFieldsInShownUnit();
        Modal().Beep();
        return;
    }
    SizeFieldsInShownUnit();
    cf.unitmsct = unit;
    ShowPaperSize(width, height, unit);
    _ui->prstlChbxPisrl->setChecked(roll);
}

void TRZN_Config::prstlPBtnPaperAction() {
    TPrConfig& cf = *_records.config;
    if (!trznPaperCtrl) {
        trznPaperCtrl = new TRZN_Paper(_window);
        trznPaperCtrl->setParent(this);
    }
    trznPaperCtrl->setTHPrPaper(_records.paper.get(), cf.unitmsct);

    QDialog* panel = trznPaperCtrl->panel();
    const int code = panel->exec();  // centred on the window by the toolkit
    panel->hide();
    if (code != TRZN_Paper::kResultOk) return;

    const int item = _ui->prstlMenuPunit->currentIndex();
    const int16_t unit = SizeUnitOf(item);
    const double height = PaperToPoints(LeadingNumber(_ui->prstlTextVsize->text()), unit);
    const double width = PaperToPoints(LeadingNumber(_ui->prstlTextHsize->text()), unit);
    const int16_t roll = _ui->prstlChbxPisrl->isChecked() ? 1 : 0;
    if (height > 0 && width > 0) {
        SetupPrStMenu(CutToField(width), CutToField(height), roll);
        return;
    }
    // The list has changed under the pop-up: without a size to match, it offers the new list
    // with the user-defined entry chosen, never a stale title at a shifted index.
    SetupPrStMenu(0, 0, roll);
    cf.papersct = _records.paper->pitem_count;
    _ui->prstlMenuPaper->setCurrentIndex(cf.papersct);
}

void TRZN_Config::prstlUserHrdbnAction() {
    _records.config->papervhf = 1;
    _ui->prstlUserVrdbn->setChecked(false);
    _ui->prstlUserHrdbn->setChecked(true);
    UpdatePagePreview();
}

void TRZN_Config::prstlUserVrdbnAction() {
    _records.config->papervhf = 0;
    _ui->prstlUserVrdbn->setChecked(true);
    _ui->prstlUserHrdbn->setChecked(false);
    UpdatePagePreview();
}

void TRZN_Config::SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr) {
    TPrConfig& cf = *_records.config;
    const TPrPaper& list = *_records.paper;
    const int16_t count = std::clamp<int16_t>(list.pitem_count, 0, kPaperItemMax);

    cf.papersct = count;
    for (int16_t i = 0; i < count; ++i) {
        const TPrPaperItem& paper = list.pitem[i];
        // Sizes within one point match: page sizes come back from unit conversions.
        if (std::abs(pv - paper.pheight) < 2 && std::abs(ph - paper.pwidth) < 2 &&
            paper.pisroll == pisr) {
            cf.papersct = i;
            break;
        }
    }

    QComboBox* menu = _ui->prstlMenuPaper;
    menu->clear();
    for (int16_t i = 0; i < count; ++i) menu->addItem(PaperTitle(list.pitem[i]));
    menu->addItem(QStringLiteral("ユーザ定義"));
    menu->setCurrentIndex(cf.papersct);

    cf.paperisr = pisr;
    _ui->prstlChbxPisrl->setChecked(pisr != 0);
}
