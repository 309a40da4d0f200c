#pragma once
// The configuration window's controller: it owns the working records, fills the window from them
// (SetupItems), reads the window back (SetdownItems), and ends the program through OK or Cancel,
// both of which write the main settings file with a completion status.
//
// The window's jobs are parts it holds, each in files of its own: the paper section and the
// units (config_units), the preset pop-up and its commands (config_presets), the page preview
// (config_preview), the text fields stored as typed (config_texts), the flow-control note
// (config_flow), the destination's items and fields (config_destination), the drag knife
// (config_knife), the outline choice (config_outlines), what OK refuses (config_checks); the
// controls of each section to and from the records are in window_sections.

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
class TRZN_ConfigChecks;
class TRZN_ConfigDestination;
class TRZN_ConfigKnife;
class TRZN_ConfigOutlines;
class TRZN_ConfigPresets;
class TRZN_ConfigPreview;
class TRZN_ConfigUnits;
class TRZN_RecordTexts;
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
    const tPldStatRes& statusRecord() const { return _records.stat; }
    const char* presetName() const { return _records.presetName; }
    int32_t presetIndex() const;
    // True once OK or Cancel has written the settings file; the window is then closed and every
    // action is ignored.
    bool isFinished() const { return _finished; }

    // Started by a plot that found nothing set up: the window says so above everything else,
    // naming the file that is plotted after OK. Call before awakeFromNib.
    void OpenedForPlot(const QString& file);

    // Start-up: centres and shows the window, loads the main settings file (without one, writes
    // the default setup as it), resets a non-zero completion status to 0 on disk, and fills
    // every control.
    void awakeFromNib();
    // Records to controls, with the corrections loading makes in the records.
    void SetupItems();
    // Controls to records, including the page geometry of the print record.
    void SetdownItems();

    // Converts the thirteen length fields to another margin unit.
    void SetPUnit(int64_t unit);
    // Rebuilds the paper pop-up and selects the paper that matches the size.
    void SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr);
    // Lists the preset folder into the preset pop-up; false only when the Documents folder can't
    // be found.
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

private:
    class Window;

    void ConnectActions();
    void SetupPortMenu();
    void FinishWith(Completion status);
    // The message line under the shared folder field; an empty note hides it.
    void ShowSharedFolderNote(const QString& note);
    // Writes the main settings file with the records as they stand. False when it couldn't be
    // written; error is then the errno the store left (0 when it left none).
    bool SaveMainSettings(int* error);

    QPointer<QDialog> _window;  // trznConfigModal, owned by the controller
    std::unique_ptr<Ui::trznConfigModal> _ui;

    RecordSet _records;      // _hPrint, _hPrext, _hPrcnf, _hSrcnf, _hRefCon
    // The CUPS queues offered, asked for once per window: a preset load rebuilds the pop-up and
    // must not wait for the print server again.
    std::optional<std::vector<std::string>> _queues;
    bool _finished = false;

    std::unique_ptr<TRZN_ConfigPreview> _preview;
    std::unique_ptr<TRZN_ConfigUnits> _units;
    std::unique_ptr<TRZN_RecordTexts> _texts;
    std::unique_ptr<TRZN_ConfigPresets> _presets;
    std::unique_ptr<TRZN_ConfigDestination> _destination;
    std::unique_ptr<TRZN_ConfigKnife> _knife;
    std::unique_ptr<TRZN_ConfigOutlines> _outlines;
    std::unique_ptr<TRZN_ConfigChecks> _checks;
};
