#pragma once
// The knife group of the cutting tab: the drag knife's settings, kept in their own file beside
// the settings file (settings/knife_file.h). Shown from that file when the window opens,
// written on OK with the settings, left as they are on Cancel; presets don't hold them.

#include <string>

#include "settings/knife_file.h"

namespace Ui {
class trznConfigModal;
}

class TRZN_ConfigKnife {
public:
    explicit TRZN_ConfigKnife(Ui::trznConfigModal& ui) : _ui(ui) {}

    // The knife file into the controls; an absent or unusable file shows the defaults (no knife),
    // which OK then writes.
    void Fill();
    // The controls, with each value held to what the file takes.
    KnifeSettings Read() const;
    // Writes what the controls show; false, with the reason in *error, when it can't, leaving
    // the file as it was.
    bool Save(std::string* error) const;

private:
    Ui::trznConfigModal& _ui;
};
