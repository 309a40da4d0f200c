#include "config/config_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QValidator>
#include <functional>

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
        return QCoreApplication::translate("TRZN_Config",
                                           "The path is too long (%1 bytes in UTF-8, %2 at most).")
            .arg(bytes)
            .arg(kRecordTextLimit);
    }
    return QCoreApplication::translate("TRZN_Config", "Too long (%1 bytes, %2 at most).")
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
            return QCoreApplication::translate("TRZN_Config", "A double quote can't be stored.");
        case RecordTextFault::Control:
            return QCoreApplication::translate("TRZN_Config",
                                               "A control character (U+%1) can't be stored.")
                .arg(static_cast<uint>(check.character.isEmpty() ? 0
                                                                 : check.character.at(0).unicode()),
                     4, 16, QLatin1Char('0'));
        case RecordTextFault::NoShiftJis:
            return QCoreApplication::translate("TRZN_Config", "\"%1\" has no Shift-JIS form.")
                .arg(check.character);
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

TRZN_RecordTexts::TRZN_RecordTexts(Ui::trznConfigModal& ui) : _ui(ui) {}

void TRZN_RecordTexts::Connect(QObject* owner) {
    for (const RecordTextField& f : RecordTextFields(_ui)) {
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
        QObject::connect(field, &QLineEdit::inputRejected, owner, [field, note] {
            // Setting a text reports a rejection too (and keeps the text): only typing is told.
            if (!field->hasFocus()) return;
            Modal().Beep();
            ShowNote(note, tr("No more fits (%1 bytes at most).").arg(kRecordTextLimit));
        });
        QObject::connect(field, &QLineEdit::textEdited, owner, [field, note, encoding] {
            ShowNote(note, RecordTextNote(field->text(), encoding));
        });
    }
}

void TRZN_RecordTexts::HideNotes() {
    for (const RecordTextField& f : RecordTextFields(_ui)) ShowNote(f.note, {});
}

bool TRZN_RecordTexts::Fit() {
    QLineEdit* first = nullptr;
    for (const RecordTextField& f : RecordTextFields(_ui)) {
        const QString note = RecordTextNote(f.field->text(), f.encoding);
        ShowNote(f.note, note);
        if (!note.isEmpty() && !first) first = f.field;
    }
    if (!first) return true;
    Modal().Beep();
    // Bring the field forward wherever the user pressed OK from.
    QTabWidget* tabs = _ui.prconTabs;
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
