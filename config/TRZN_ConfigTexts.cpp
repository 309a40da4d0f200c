// The text fields whose text goes into the records as typed: the shared folder (UTF-8) and the
// network address, header and footer (Shift-JIS), 127 bytes each. Each field takes no more bytes
// than its record holds, and a note beside it says why a text can't be stored while it stands;
// OK and save as refuse the window until it is mended.

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QValidator>
#include <functional>

#include "config/TRZN_Config.h"
#include "config/record_text.h"
#include "platform/modal.h"
#include "ui_trznConfigModal.h"

namespace {

constexpr int kRecordTextLimit = 127;

// Refuses an edit that makes the text longer than the record holds; the field then says
// inputRejected. A text that is too long already (set without typing) can still be shortened.
class RecordTextLimit final : public QValidator {
public:
    RecordTextLimit(QLineEdit* field, RecordEncoding encoding)
        : QValidator(field), _encoding(encoding) {
        // The field's text has already changed when it asks: remember the text it held.
        connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
            _heldBytes = CheckRecordText(text, _encoding, kRecordTextLimit).bytes;
        });
        _heldBytes = CheckRecordText(field->text(), _encoding, kRecordTextLimit).bytes;
    }

    State validate(QString& input, int&) const override {
        const int bytes = CheckRecordText(input, _encoding, kRecordTextLimit).bytes;
        return bytes <= kRecordTextLimit || bytes <= _heldBytes ? Acceptable : Invalid;
    }

private:
    RecordEncoding _encoding;
    int _heldBytes = 0;
};

struct RecordTextField {
    QLineEdit* field;
    QLabel* note;
    RecordEncoding encoding;
};

QString TooLongNote(RecordEncoding encoding, int bytes) {
    if (encoding == RecordEncoding::UTF8) {
        return TRZN_Config::tr("パスが長すぎます（UTF-8 で %1 バイト、%2 バイトまで）。")
            .arg(bytes)
            .arg(kRecordTextLimit);
    }
    return TRZN_Config::tr("長すぎます（%1 バイト、%2 バイトまで）。")
        .arg(bytes)
        .arg(kRecordTextLimit);
}

// Why the text can't be stored as typed; empty when it can.
QString RecordTextNote(const QString& text, RecordEncoding encoding) {
    const RecordTextCheck check = CheckRecordText(text, encoding, kRecordTextLimit);
    switch (check.fault) {
        case RecordTextFault::None:
            return {};
        case RecordTextFault::Quote:
            return TRZN_Config::tr("「\"」は保存できません。");
        case RecordTextFault::Control:
            return TRZN_Config::tr("制御文字（U+%1）は保存できません。")
                .arg(static_cast<uint>(check.character.isEmpty() ? 0
                                                                 : check.character.at(0).unicode()),
                     4, 16, QLatin1Char('0'));
        case RecordTextFault::NoShiftJis:
            return TRZN_Config::tr("「%1」は Shift-JIS にない文字です。").arg(check.character);
        case RecordTextFault::TooLong:
            return TooLongNote(encoding, check.bytes);
    }
    return {};
}

void ShowNote(QLabel* note, const QString& text) {
    note->setText(text);
    note->setVisible(!text.isEmpty());
}

std::vector<RecordTextField> RecordTextFields(Ui::trznConfigModal& ui) {
    return {
        {ui.prconTextSharedFolder, ui.prconLabelSharedFolderNote, RecordEncoding::UTF8},
        {ui.prconTextIHost, ui.prconLabelIHostNote, RecordEncoding::ShiftJIS},
        {ui.prconTextPHead, ui.prconLabelPHeadNote, RecordEncoding::ShiftJIS},
        {ui.prconTextPTail, ui.prconLabelPTailNote, RecordEncoding::ShiftJIS},
    };
}

}  // namespace

void TRZN_Config::ConnectRecordTexts() {
    for (const RecordTextField& f : RecordTextFields(*_ui)) {
        // A note that comes and goes keeps its place, so the fields below never jump.
        QSizePolicy policy = f.note->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        f.note->setSizePolicy(policy);
        // One line, measured on Japanese text: its fallback font has taller lines than the Latin
        // one. The notes are worded to fit it at the window's width.
        f.note->setText(QStringLiteral("あ"));
        f.note->setMinimumHeight(f.note->sizeHint().height());
        ShowNote(f.note, {});
        QLabel* note = f.note;
        const RecordEncoding encoding = f.encoding;
        QLineEdit* field = f.field;
        field->setValidator(new RecordTextLimit(field, encoding));
        connect(field, &QLineEdit::inputRejected, this, [field, note] {
            // Setting a text reports a rejection too (and keeps the text): only typing is told.
            if (!field->hasFocus()) return;
            Modal().Beep();
            ShowNote(note, tr("これ以上入りません（%1 バイトまで）。").arg(kRecordTextLimit));
        });
        connect(field, &QLineEdit::textEdited, this, [field, note, encoding] {
            ShowNote(note, RecordTextNote(field->text(), encoding));
        });
    }
}

void TRZN_Config::HideRecordTextNotes() {
    for (const RecordTextField& f : RecordTextFields(*_ui)) ShowNote(f.note, {});
}

bool TRZN_Config::TypedTextsFit() {
    QLineEdit* first = nullptr;
    for (const RecordTextField& f : RecordTextFields(*_ui)) {
        const QString note = RecordTextNote(f.field->text(), f.encoding);
        ShowNote(f.note, note);
        if (!note.isEmpty() && !first) first = f.field;
    }
    if (!first) return true;
    Modal().Beep();
    // Bring the field forward wherever the user pressed OK from.
    QTabWidget* tabs = _ui->prconTabs;
    for (QWidget* w = first; w; w = w->parentWidget()) {
        const int page = tabs->indexOf(w);
        if (page >= 0) {
            tabs->setCurrentIndex(page);
            break;
        }
    }
    first->setFocus();
    return false;
}
