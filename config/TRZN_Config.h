#pragma once
// The configuration window's controller: it owns the working records, fills the window from them
// (SetupItems), reads the window back (SetdownItems), and ends the program through OK or Cancel,
// both of which write the main settings file with a completion status.
//
// The controller is split over three source files that share this declaration:
//   TRZN_Config.cpp         start-up, loading, storing, OK / Cancel / shared folder
//   TRZN_ConfigUnits.cpp    unit switching, paper pop-up and paper list editor, orientation
//   TRZN_ConfigPresets.cpp  the preset pop-up and its commands
//   TRZN_ConfigPreview.cpp  the page preview
//   TRZN_ConfigTexts.cpp    the text fields stored as typed, with their notes
// Each file may add what it needs in its own marked section below; keep existing signatures.

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/records.h"

class QDialog;
class QWidget;
class TRZN_Paper;
struct PageInputs;
namespace Ui {
class trznConfigModal;
}

class TRZN_Config : public QObject {
    Q_OBJECT

public:
    explicit TRZN_Config(QObject* parent = nullptr);
    ~TRZN_Config() override;

    // The window (trznConfigModal). Its controls are reached by objectName.
    QDialog* window() const;

    // The working records and the controller state, for whoever inspects them (tests).
    RecordSet& records() { return _records; }
    const tPldStatRes& statusRecord() const { return _resstat; }
    const char* presetName() const { return _preset_name; }
    int32_t presetIndex() const { return _preset_idx; }
    // True once OK or Cancel has written the settings file; the window is then closed and every
    // action is ignored.
    bool isFinished() const { return _finished; }

    // Start-up: centres and shows the window, loads the main settings file, resets a non-zero
    // completion status to 0 on disk, and fills every control.
    void awakeFromNib();
    // Records to controls, with the corrections loading makes in the records.
    void SetupItems();
    // Controls to records, including the page geometry of the print record.
    void SetdownItems();

    // Converts the thirteen length fields to another margin unit (TRZN_ConfigUnits.cpp).
    void SetPUnit(int64_t unit);
    // Rebuilds the paper pop-up and selects the paper that matches the size (TRZN_ConfigUnits.cpp).
    void SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr);
    // Lists the preset folder into the preset pop-up; false only when the Documents folder can't
    // be found (TRZN_ConfigPresets.cpp).
    bool SetupPresetMenu();

signals:
    // OK or Cancel has written the settings file: the program should end now. The status is the
    // completion status written (Completion::Done or Completion::Cancelled).
    void terminated(int status);

public slots:
    void prconMenuPresetAction();
    void prconMenuPunitAAction();
    void prconMenuPunitBAction();
    void prdefPBtnCancelAction();
    void prdefPBtnOkAction();
    void prdefPBtnSetFolderAction();
    void prstlMenuPaperAction();
    void prstlMenuPunitAction();
    void prstlPBtnPaperAction();
    void prstlUserHrdbnAction();
    void prstlUserVrdbnAction();

    void prconMenuFlowcAction();  // TRZN_ConfigFlow.cpp

    // ---- slots added by TRZN_ConfigUnits.cpp ----
    // ---- slots added by TRZN_ConfigPresets.cpp ----

private:
    class Window;

    void ConnectActions();
    void ConnectFlowControl();  // TRZN_ConfigFlow.cpp
    void SetupPortMenu();
    void SelectPort();
    void SetupPaperSection();
    void FinishWith(Completion status);
    // The shared folder, network address, header and footer as typed can be stored and come back
    // as typed. When one can't, the user is told beside each such field (the first one's tab
    // brought forward) and false comes back: a changed folder or address sends plots elsewhere.
    bool TypedTextsFit();
    // The message line under the shared folder field; an empty note hides it.
    void ShowSharedFolderNote(const QString& note);
    // Validators that keep those fields within their record's bytes, and notes that follow each
    // edit (TRZN_ConfigTexts.cpp).
    void ConnectRecordTexts();
    void HideRecordTextNotes();
    // Writes the main settings file with the records as they stand. False when it couldn't be
    // written; error is then the errno the store left (0 when it left none).
    bool SaveMainSettings(int* error);
    // What the user is told when a settings file could not be written: the file and, when the
    // system said, why.
    QString SaveFailedText(const QString& what, const std::string& path, int error) const;

    // The page preview: the print record storing would compute from the controls now, drawn
    // beside the paper section and the margins. Reads controls only; the records stay as they are.
    PageInputs ReadPageInputs() const;
    void UpdatePagePreview();
    void ConnectPagePreview();

    // ---- private members added by TRZN_ConfigUnits.cpp ----
    // The paper list editor (trznPaperCtrl, its panel trznPaperModal), made on first use.
    TRZN_Paper* trznPaperCtrl = nullptr;
    // The unit the paper size fields are in is the one the size pop-up shows, also while the
    // record's unit lags behind (sizes not typed yet). A choice in the pop-up converts from the
    // item it showed before: _sizeItemBefore. _sizeItemShown follows every change of the pop-up.
    int _sizeItemShown = -1;
    int _sizeItemBefore = -1;
    void SizeFieldsInShownUnit();
    void ShowPaperSize(double widthPoints, double heightPoints, int16_t unit);
    // ---- private members added by TRZN_ConfigPresets.cpp ----
    void GuardPresetMenu();
    void UpdatePresetDelete();
    void ChoosePreset(int item, const std::string& folder);
    void SavePresetAs(const std::string& folder);
    void DeleteCurrentPreset(const std::string& folder);
    class TRZN_PresetName* PresetNameCtrl();
    class TRZN_PresetName* _presetNameCtrl = nullptr;  // presetNameCtrl, a child of this object

    QPointer<QDialog> _window;  // trznConfigModal, owned by the controller
    std::unique_ptr<Ui::trznConfigModal> _ui;

    RecordSet _records;                        // _hPrint, _hPrext, _hPrcnf, _hSrcnf, _hRefCon
    char _preset_name[kPresetNameSize] = {};   // Shift-JIS, empty when no preset
    int32_t _preset_idx = 0;                   // item of prconMenuPreset; 0 no preset
    tPldStatRes _resstat = {};                 // read at start-up, written back unchanged
    int16_t _portCount = 0;                    // items of prconMenuNPort after the last rebuild
    // The CUPS queues offered, asked for once per window: a preset load rebuilds the pop-up and
    // must not wait for the print server again.
    std::optional<std::vector<std::string>> _queues;
    bool _finished = false;
};
