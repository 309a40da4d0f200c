#include "config/config_knife.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "config/config_fields.h"
#include "ui_trznConfigModal.h"

namespace {

// Hundredths of a millimetre, shown as millimetres.
QString Millimetres(int hundredths) { return QString::number(hundredths / 100.0, 'f', 2); }

int Hundredths(const QString& text, int most) {
    const double mm = LeadingNumber(text);
    if (!std::isfinite(mm)) return 0;
    return static_cast<int>(std::clamp(std::lround(mm * 100), 0L, static_cast<long>(most)));
}

}  // namespace

void TRZN_ConfigKnife::Fill() {
    KnifeSettings knife;
    Note problem;
    LoadKnifeFile(KnifeFilePath(), &knife, &problem);
    _ui.prconChbxKnife->setChecked(knife.use);
    _ui.prconMenuKnfid->setCurrentIndex(knife.tool - 1);
    _ui.prconTextKnfof->setText(Millimetres(knife.offset));
    _ui.prconTextKnfoc->setText(Millimetres(knife.overcut));
}

KnifeSettings TRZN_ConfigKnife::Read() const {
    KnifeSettings knife;
    knife.use = _ui.prconChbxKnife->isChecked();
    knife.tool = std::clamp(_ui.prconMenuKnfid->currentIndex() + 1, 1, kKnifeToolMax);
    knife.offset = Hundredths(_ui.prconTextKnfof->text(), kKnifeOffsetMax);
    knife.overcut = Hundredths(_ui.prconTextKnfoc->text(), kKnifeOvercutMax);
    return knife;
}

bool TRZN_ConfigKnife::Save(std::string* error) const {
    return SaveKnifeFile(KnifeFilePath(), Read(), error);
}
