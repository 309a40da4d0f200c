// Presets of the configuration window. This is the least the window needs: the preset pop-up
// stays as the window resource gives it, on "no preset".

#include <QComboBox>

#include "config/TRZN_Config.h"
#include "ui_trznConfigModal.h"

bool TRZN_Config::SetupPresetMenu() {
    _preset_idx = 0;
    _preset_name[0] = '\0';
    _ui->prconMenuPreset->setCurrentIndex(0);
    return true;
}

void TRZN_Config::prconMenuPresetAction() { _ui->prconMenuPreset->setCurrentIndex(_preset_idx); }
