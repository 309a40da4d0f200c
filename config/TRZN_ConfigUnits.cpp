// Units and paper selection of the configuration window. This is the least the window needs to
// load and store: the paper pop-up offers only the user-defined entry, and the unit pop-ups and
// orientation buttons keep their record fields current without converting any field.

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "config/TRZN_Config.h"
#include "ui_trznConfigModal.h"

void TRZN_Config::SetPUnit(int64_t unit) {
    _records.config->pUnit = static_cast<int16_t>(unit);
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

void TRZN_Config::prstlMenuPaperAction() {
    _records.config->papersct = static_cast<int16_t>(_ui->prstlMenuPaper->currentIndex());
}

void TRZN_Config::prstlMenuPunitAction() {}

void TRZN_Config::prstlPBtnPaperAction() {}

void TRZN_Config::prstlUserHrdbnAction() {
    _records.config->papervhf = 1;
    _ui->prstlUserVrdbn->setChecked(false);
    _ui->prstlUserHrdbn->setChecked(true);
}

void TRZN_Config::prstlUserVrdbnAction() {
    _records.config->papervhf = 0;
    _ui->prstlUserVrdbn->setChecked(true);
    _ui->prstlUserHrdbn->setChecked(false);
}

void TRZN_Config::SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr) {
    (void)ph;
    (void)pv;
    TPrConfig& cf = *_records.config;
    cf.papersct = _records.paper->pitem_count;
    _ui->prstlMenuPaper->clear();
    _ui->prstlMenuPaper->addItem(QStringLiteral("ユーザ定義"));
    _ui->prstlMenuPaper->setCurrentIndex(0);
    cf.paperisr = pisr;
    _ui->prstlChbxPisrl->setChecked(pisr != 0);
}
