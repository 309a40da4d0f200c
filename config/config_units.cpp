#include "config/config_units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cstdlib>

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

void Select(QComboBox* menu, int item) { menu->setCurrentIndex(item); }

}  // namespace

TRZN_ConfigUnits::TRZN_ConfigUnits(Ui::trznConfigModal& ui, RecordSet& records, QDialog* window,
                                   QObject* owner, std::function<void()> pageChanged)
    : _ui(ui),
      _records(records),
      _window(window),
      _owner(owner),
      _pageChanged(std::move(pageChanged)) {}

void TRZN_ConfigUnits::TrackSizeUnit() {
    // Before the action: a choice changes the item first, then activates it.
    QObject::connect(_ui.prstlMenuPunit, &QComboBox::currentIndexChanged, _owner, [this](int item) {
        _sizeItemBefore = _sizeItemShown;
        _sizeItemShown = item;
    });
}

void TRZN_ConfigUnits::SetPUnit(int64_t unit) {
    TPrConfig& cf = *_records.config;
    if (unit == cf.pUnit) return;
    const auto next = static_cast<int16_t>(unit);
    Ui::trznConfigModal& ui = _ui;
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
    _pageChanged();
}

void TRZN_ConfigUnits::prconMenuPunitAAction() {
    const int item = _ui.prconMenuPunitA->currentIndex();
    _ui.prconMenuPunitB->setCurrentIndex(item);
    SetPUnit(item);
}

void TRZN_ConfigUnits::prconMenuPunitBAction() {
    const int item = _ui.prconMenuPunitB->currentIndex();
    _ui.prconMenuPunitA->setCurrentIndex(item);
    SetPUnit(item);
}

void TRZN_ConfigUnits::SizeFieldsInShownUnit() {
    _sizeItemShown = _ui.prstlMenuPunit->currentIndex();
    _sizeItemBefore = _sizeItemShown;
}

void TRZN_ConfigUnits::ShowPaperSize(double widthPoints, double heightPoints, int16_t unit) {
    _ui.prstlTextVsize->setText(FormatPaperLength(PaperFromPoints(heightPoints, unit), unit));
    _ui.prstlTextHsize->setText(FormatPaperLength(PaperFromPoints(widthPoints, unit), unit));
}

void TRZN_ConfigUnits::prstlMenuPaperAction() {
    TPrConfig& cf = *_records.config;
    const TPrPaper& list = *_records.paper;
    const int item = _ui.prstlMenuPaper->currentIndex();
    if (item < 0) return;
    cf.papersct = static_cast<int16_t>(item);
    // The user-defined entry keeps whatever size the user typed.
    if (item >= list.pitem_count) return;
    const TPrPaperItem& paper = list.pitem[item];
    if (paper.pheight <= 0 || paper.pwidth <= 0) {
        Modal().Beep();
        return;
    }
    cf.unitmsct = SizeUnitOf(_ui.prstlMenuPunit->currentIndex());
    ShowPaperSize(paper.pwidth, paper.pheight, cf.unitmsct);
    _ui.prstlChbxPisrl->setChecked(paper.pisroll != 0);
}

void TRZN_ConfigUnits::prstlMenuPunitAction() {
    TPrConfig& cf = *_records.config;
    // The fields are in the unit the pop-up showed until now, which is the record's unit only
    // once a size has been converted: storing and the preview read them in the pop-up's unit.
    const int16_t shown = SizeUnitOf(_sizeItemBefore >= 0 ? _sizeItemBefore : cf.unitmsct);
    const double height = PaperToPoints(LeadingNumber(_ui.prstlTextVsize->text()), shown);
    const double width = PaperToPoints(LeadingNumber(_ui.prstlTextHsize->text()), shown);
    const bool roll = _ui.prstlChbxPisrl->isChecked();
    const int16_t unit = SizeUnitOf(_ui.prstlMenuPunit->currentIndex());
    // Nothing to convert yet: the pop-up keeps the unit just chosen, so that a size typed next
    // is read in it, while the fields and the record's unit stay as they are.
    if (!(height > 0) || !(width > 0)) {
        SizeFieldsInShownUnit();
        return;
    }
    if (!CanFormatLength(PaperFromPoints(width, unit)) ||
        !CanFormatLength(PaperFromPoints(height, unit))) {
        _ui.prstlMenuPunit->setCurrentIndex(shown);
        SizeFieldsInShownUnit();
        Modal().Beep();
        return;
    }
    SizeFieldsInShownUnit();
    cf.unitmsct = unit;
    ShowPaperSize(width, height, unit);
    _ui.prstlChbxPisrl->setChecked(roll);
}

void TRZN_ConfigUnits::prstlPBtnPaperAction() {
    TPrConfig& cf = *_records.config;
    if (!trznPaperCtrl) {
        trznPaperCtrl = new TRZN_Paper(_window);
        trznPaperCtrl->setParent(_owner);
    }
    trznPaperCtrl->setTHPrPaper(_records.paper.get(), cf.unitmsct);

    QDialog* panel = trznPaperCtrl->panel();
    const int code = panel->exec();  // centred on the window by the toolkit
    panel->hide();
    if (code != TRZN_Paper::kResultOk) return;

    const int item = _ui.prstlMenuPunit->currentIndex();
    const int16_t unit = SizeUnitOf(item);
    const double height = PaperToPoints(LeadingNumber(_ui.prstlTextVsize->text()), unit);
    const double width = PaperToPoints(LeadingNumber(_ui.prstlTextHsize->text()), unit);
    const int16_t roll = _ui.prstlChbxPisrl->isChecked() ? 1 : 0;
    if (height > 0 && width > 0) {
        SetupPrStMenu(CutToField(width), CutToField(height), roll);
        return;
    }
    // The list has changed under the pop-up: without a size to match, it offers the new list
    // with the user-defined entry chosen, never a stale title at a shifted index.
    SetupPrStMenu(0, 0, roll);
    cf.papersct = _records.paper->pitem_count;
    _ui.prstlMenuPaper->setCurrentIndex(cf.papersct);
}

void TRZN_ConfigUnits::prstlUserHrdbnAction() {
    _records.config->papervhf = 1;
    _ui.prstlUserVrdbn->setChecked(false);
    _ui.prstlUserHrdbn->setChecked(true);
    _pageChanged();
}

void TRZN_ConfigUnits::prstlUserVrdbnAction() {
    _records.config->papervhf = 0;
    _ui.prstlUserVrdbn->setChecked(true);
    _ui.prstlUserHrdbn->setChecked(false);
    _pageChanged();
}

void TRZN_ConfigUnits::SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr) {
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

    QComboBox* menu = _ui.prstlMenuPaper;
    menu->clear();
    for (int16_t i = 0; i < count; ++i) menu->addItem(PaperTitle(list.pitem[i]));
    menu->addItem(QCoreApplication::translate("TRZN_Config", "User defined"));
    menu->setCurrentIndex(cf.papersct);

    cf.paperisr = pisr;
    _ui.prstlChbxPisrl->setChecked(pisr != 0);
}

void TRZN_ConfigUnits::SetupPaperSection() {
    Ui::trznConfigModal& ui = _ui;
    const TPrint& pr = *_records.print;
    TPrConfig& cf = *_records.config;

    int16_t scale = pr.prXInfo.iBandV;
    if (scale == 0) scale = 100;
    const bool turned = scale < 0;
    const int16_t width = turned ? pr.prStl.iPageV : pr.prStl.iPageH;
    const int16_t height = turned ? pr.prStl.iPageH : pr.prStl.iPageV;

    cf.paperisr = pr.prStl.feed;
    cf.papervhf = turned ? 1 : 0;
    cf.iFstPage = pr.prJob.iFstPage < 1 ? 1 : pr.prJob.iFstPage;
    cf.iLstPage = pr.prJob.iLstPage < 1 ? 1 : pr.prJob.iLstPage;

    Select(ui.prstlMenuPunit, cf.unitmsct);
    SizeFieldsInShownUnit();
    ui.prstlUserVrdbn->setChecked(cf.papervhf == 0);
    ui.prstlUserHrdbn->setChecked(cf.papervhf == 1);
    ui.prstlTextVsize->setText(FormatLength(height, cf.unitmsct));
    ui.prstlTextHsize->setText(FormatLength(width, cf.unitmsct));
    ui.prstlTextScale->setText(FormatDecimal(FloatAbs(scale), 2));
    SetupPrStMenu(width, height, cf.paperisr);
    ui.prconTextSpage->setText(FormatWhole(cf.iFstPage));
    ui.prconTextEpage->setText(FormatWhole(cf.iLstPage));
}
