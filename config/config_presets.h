#pragma once
// Presets of the configuration window: the preset pop-up, choosing a preset, saving the window
// under a name (asking before a preset is replaced) and deleting the current preset.
//
// Pop-up layout: item 0 "no preset", items 1 .. n-4 the presets in byte order, item n-3 a
// separator that never acts, n-2 "save as", n-1 "delete" (enabled only on a preset). Each preset
// item carries the name of the file it was listed from.

#include <QCoreApplication>
#include <cstdint>
#include <functional>
#include <string>

#include "settings/records.h"

class QDialog;
class QObject;
class TRZN_PresetName;
namespace Ui {
class trznConfigModal;
}

// What the preset commands ask of the window they serve.
struct PresetWindow {
    std::function<bool()> finished;      // OK or Cancel has ended the window: nothing acts
    std::function<bool()> textsFit;      // the typed texts can be stored (else the user is told)
    std::function<void()> readControls;  // controls to records
    std::function<void()> fillControls;  // records to controls, the preset pop-up too
};

class TRZN_ConfigPresets {
    Q_DECLARE_TR_FUNCTIONS(TRZN_Config)

public:
    // owner: the QObject that owns the preset name dialog once it is made.
    TRZN_ConfigPresets(Ui::trznConfigModal& ui, RecordSet& records, QDialog* window, QObject* owner,
                       PresetWindow host);

    // Lists the preset folder into the pop-up; false only when the Documents folder can't be
    // found.
    bool Setup();
    // A choice from the pop-up: a preset, save as, or delete.
    void MenuAction();
    int32_t index() const { return _preset_idx; }

private:
    void GuardMenu();
    void UpdateDelete();
    void ChoosePreset(int item, const std::string& folder);
    void SavePresetAs(const std::string& folder);
    void DeleteCurrentPreset(const std::string& folder);
    TRZN_PresetName* PresetNameCtrl();

    Ui::trznConfigModal& _ui;
    RecordSet& _records;
    QDialog* _window;
    QObject* _owner;
    PresetWindow _host;
    int32_t _preset_idx = 0;                     // item of prconMenuPreset; 0 no preset
    TRZN_PresetName* _presetNameCtrl = nullptr;  // presetNameCtrl, a child of the owner
};
