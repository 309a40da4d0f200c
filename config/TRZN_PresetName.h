#pragma once
// The preset name dialog: one text field, OK and Cancel. OK takes only a name that can become a
// preset file in the preset folder; any other name beeps and leaves the dialog open.

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

class QDialog;
class QWidget;
namespace Ui {
class presetNameModal;
}

class TRZN_PresetName : public QObject {
    Q_OBJECT

public:
    // Modal results of the dialog; the caller stores the preset on Ok only.
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;
    static constexpr int kNameBufferSize = 256;

    explicit TRZN_PresetName(QWidget* parentWindow = nullptr);
    ~TRZN_PresetName() override;

    // The dialog (presetNameModal); run it with exec() after SetPresetName.
    QDialog* panel() const;

    // Shows a Shift-JIS name in presetNameEdtx.
    void SetPresetName(const char* sjis);
    // The typed name in Shift-JIS: at most 255 bytes, byte 255 always NUL.
    void GetPresetName(char buf[kNameBufferSize]) const;

    // The folder typed names are checked against; the store's preset folder when not set.
    void SetPresetFolder(std::string folder);

public slots:
    void presetPBtnCancelAction();
    void presetPBtnOkAction();

private:
    // The line under the name that says why a name was refused; empty hides it.
    void ShowNote(const QString& note);

    QPointer<QDialog> _panel;
    std::unique_ptr<Ui::presetNameModal> _ui;
    std::string _folder;
};
