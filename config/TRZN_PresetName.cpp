#include "config/TRZN_PresetName.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>
#include <functional>

#include "config/preset_list.h"
#include "config/record_text.h"
#include "platform/encoding.h"
#include "platform/modal.h"
#include "settings/store.h"
#include "ui_presetNameModal.h"

namespace {

// Escape and the window's close button end the run as Cancel does, with its result code.
class PresetNamePanel final : public QDialog {
public:
    PresetNamePanel(QWidget* parent, std::function<void()> cancel)
        : QDialog(parent), cancel_(std::move(cancel)) {}
    void reject() override { cancel_(); }

private:
    std::function<void()> cancel_;
};

// The whole text in Shift-JIS, or nothing when a character has no Shift-JIS form or the name
// is over 255 bytes. Unlike GetPresetName it never cuts, so such a name is refused instead of
// being saved as a shorter one.
std::optional<std::string> WholeSjis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return PresetSjisForm(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

// Why a name is refused, said beside the field: on many desktops the beep is silent.
QString RefusalNote(const QString& text, PresetNameFault fault) {
    switch (fault) {
        case PresetNameFault::None:
            break;
        case PresetNameFault::Empty:
            return TRZN_PresetName::tr("Enter a name.");
        case PresetNameFault::DotName:
            return TRZN_PresetName::tr("\".\" and \"..\" can't be preset names.");
        case PresetNameFault::Separator:
            return TRZN_PresetName::tr("\"/\" can't be used in a preset name.");
        case PresetNameFault::Control:
            return TRZN_PresetName::tr("Control characters can't be used in a preset name.");
        case PresetNameFault::Quote:
            return TRZN_PresetName::tr("A double quote can't be used in a preset name.");
        case PresetNameFault::NotConvertible: {
            const RecordTextCheck check =
                CheckRecordText(text, RecordEncoding::ShiftJIS, static_cast<int>(kPresetNameBytes));
            if (check.fault == RecordTextFault::NoShiftJis)
                return TRZN_PresetName::tr(
                           "\"%1\" has no Shift-JIS form, so it can't be used in a preset name.")
                    .arg(check.character);
            return TRZN_PresetName::tr("This name can't be a file name.");
        }
        case PresetNameFault::Extension:
            return TRZN_PresetName::tr("A preset name can't contain \".ini\" or \".INI\".");
        case PresetNameFault::TooLong:
            return TRZN_PresetName::tr("The name is too long (%1 bytes in Shift-JIS at most).")
                .arg(kPresetNameBytes);
    }
    return {};
}

}  // namespace

TRZN_PresetName::TRZN_PresetName(QWidget* parentWindow)
    : _ui(std::make_unique<Ui::presetNameModal>()) {
    _panel = new PresetNamePanel(parentWindow, [this] { presetPBtnCancelAction(); });
    _ui->setupUi(_panel);
    connect(_ui->presetPBtnOk, &QPushButton::clicked, this, &TRZN_PresetName::presetPBtnOkAction);
    connect(_ui->presetPBtnCancel, &QPushButton::clicked, this,
            &TRZN_PresetName::presetPBtnCancelAction);
    connect(_ui->presetNameEdtx, &QLineEdit::textEdited, this, [this] { ShowNote({}); });
    ShowNote({});
}

void TRZN_PresetName::ShowNote(const QString& note) {
    _ui->presetLabelNote->setText(note);
    _ui->presetLabelNote->setVisible(!note.isEmpty());
}

TRZN_PresetName::~TRZN_PresetName() {
    // The dialog may belong to the window; it must not call back into a controller that is gone.
    delete _panel;
}

QDialog* TRZN_PresetName::panel() const { return _panel; }

void TRZN_PresetName::SetPresetName(const char* sjis) {
    _ui->presetNameEdtx->setText(SjisToQString(sjis ? sjis : ""));
    _ui->presetNameEdtx->selectAll();
    _ui->presetNameEdtx->setFocus();
    ShowNote({});
}

void TRZN_PresetName::GetPresetName(char buf[kNameBufferSize]) const {
    const QByteArray sjis = QStringToSjis(_ui->presetNameEdtx->text(), kNameBufferSize - 1);
    std::memset(buf, 0, kNameBufferSize);
    std::memcpy(buf, sjis.constData(), static_cast<size_t>(sjis.size()));
}

void TRZN_PresetName::SetPresetFolder(std::string folder) { _folder = std::move(folder); }

void TRZN_PresetName::presetPBtnCancelAction() { _panel->done(kResultCancel); }

void TRZN_PresetName::presetPBtnOkAction() {
    const std::string folder = _folder.empty() ? PresetFolder() : _folder;
    const QString text = _ui->presetNameEdtx->text();
    const std::optional<std::string> sjis = WholeSjis(text);
    PresetNameFault fault = PresetNameFault::NotConvertible;
    if (sjis) fault = CheckPresetName(*sjis, folder);
    if (fault != PresetNameFault::None) {
        if (!sjis &&
            CheckRecordText(text, RecordEncoding::ShiftJIS, static_cast<int>(kPresetNameBytes))
                    .fault == RecordTextFault::TooLong)
            fault = PresetNameFault::TooLong;
        ShowNote(RefusalNote(text, fault));
        Modal().Beep();
        _ui->presetNameEdtx->setFocus();
        return;
    }
    _panel->done(kResultOk);
}
