#include "config/TRZN_Paper.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "config/paper_fields.h"
#include "config/paper_list.h"
#include "config/record_text.h"
#include "platform/modal.h"
#include "settings/utility.h"
#include "ui_trznPaperModal.h"

namespace {

// The editor never lets the list reach the record's last place.
constexpr int kAddLimit = kPaperItemMax - 1;
constexpr int kUnitPopupItems = 3;

// Escape and the window's close button end the run as Cancel does, with its result code.
class PaperPanel final : public QDialog {
public:
    PaperPanel(QWidget* parent, std::function<void()> cancel)
        : QDialog(parent), cancel_(std::move(cancel)) {}
    void reject() override { cancel_(); }

private:
    std::function<void()> cancel_;
};

// A typed size as whole points for the list, or -1 when the list can't hold it.
int ListPoints(double points) {
    if (!(points > 0.0)) return -1;
    const double rounded = std::trunc(points + 0.5);
    if (rounded < 1.0 || rounded > INT16_MAX) return -1;
    return static_cast<int>(rounded);
}

QString Tr(const char* text) { return QCoreApplication::translate("TRZN_Paper", text); }

// Why a typed paper name can't be stored as typed; empty when it can.
QString NameRefusal(const QString& name) {
    if (name.isEmpty()) return Tr(QT_TRANSLATE_NOOP("TRZN_Paper", "Type a name for the paper."));
    const RecordTextCheck check = CheckRecordText(name, RecordEncoding::ShiftJIS, 255);
    switch (check.fault) {
        case RecordTextFault::Quote:
            return Tr(
                QT_TRANSLATE_NOOP("TRZN_Paper", "A paper name can't contain a double quote."));
        case RecordTextFault::Control:
            return Tr(
                QT_TRANSLATE_NOOP("TRZN_Paper", "A paper name can't contain control characters."));
        case RecordTextFault::NoShiftJis:
            return Tr(QT_TRANSLATE_NOOP(
                          "TRZN_Paper",
                          "\"%1\" has no Shift-JIS form, so a paper name can't contain it."))
                .arg(check.character);
        default:
            return {};
    }
}

}  // namespace

class TRZN_Paper::TableModel final : public QAbstractTableModel {
public:
    TableModel(TRZN_Paper* owner) : QAbstractTableModel(owner), owner_(owner) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : owner_->numberOfRowsInTableView();
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
        return owner_->objectValueForTableColumn(index.column(), index.row());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0) {
            return QCoreApplication::translate("TRZN_Paper", "Paper Name");
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    void Refresh() {
        beginResetModel();
        endResetModel();
    }

private:
    TRZN_Paper* owner_;
};

struct TRZN_Paper::ItemInput {
    std::optional<QByteArray> name;
    int width = -1;  // whole points, -1 when not usable
    int height = -1;
    uint8_t roll = 0;
};

TRZN_Paper::TRZN_Paper(QWidget* parentWindow) : _ui(std::make_unique<Ui::trznPaperModal>()) {
    _panel = new PaperPanel(parentWindow, [this] { prextPbtnCancelAction(); });
    _ui->setupUi(_panel);
    _model = new TableModel(this);
    _ui->prextUserPlist->setModel(_model);
    _ui->prextUserPlist->horizontalHeader()->setHighlightSections(false);
    _ui->prextUserPlist->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    connect(_ui->prextPbtnAditm, &QPushButton::clicked, this, &TRZN_Paper::prextPbtnAditmAction);
    connect(_ui->prextPbtnEditm, &QPushButton::clicked, this, &TRZN_Paper::prextPbtnEditmAction);
    connect(_ui->prextPbtnDeitm, &QPushButton::clicked, this, &TRZN_Paper::prextPbtnDeitmAction);
    connect(_ui->prextPbtnOk, &QPushButton::clicked, this, &TRZN_Paper::prextPbtnOkAction);
    connect(_ui->prextPbtnCancel, &QPushButton::clicked, this, &TRZN_Paper::prextPbtnCancelAction);
    connect(_ui->prextMenuPunit, &QComboBox::activated, this, &TRZN_Paper::prextMenuPunitAction);
    connect(_ui->prextChbxPisrl, &QCheckBox::clicked, this, &TRZN_Paper::prextChbxPisrlAction);
    // Only what the user types counts as an edit: filling the fields from a row does not.
    for (QLineEdit* field : {_ui->prextTextPname, _ui->prextTextHsize, _ui->prextTextVsize}) {
        connect(field, &QLineEdit::textEdited, this, &TRZN_Paper::textDidChange);
        connect(field, &QLineEdit::textEdited, this, [this] { ShowNote({}); });
    }
    connect(_ui->prextUserPlist->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TRZN_Paper::tableViewSelectionDidChange);

    _ui->prextPbtnEditm->setEnabled(false);
    UpdateListButtons();
    ShowNote({});
}

void TRZN_Paper::ShowNote(const QString& note) {
    _ui->prextLabelNote->setText(note);
    _ui->prextLabelNote->setVisible(!note.isEmpty());
}

// The first reason a paper can't be added or changed from the fields, for the note.
QString TRZN_Paper::ItemRefusal(const ItemInput& input, int row, int count) const {
    if (row < 0 || row >= std::max(count, 1))
        return Tr(QT_TRANSLATE_NOOP("TRZN_Paper", "Choose a paper in the list."));
    if (!input.name) return NameRefusal(_ui->prextTextPname->text());
    if (input.width <= 0 || input.height <= 0)
        return Tr(QT_TRANSLATE_NOOP("TRZN_Paper",
                                    "Make the width and the height from 1 to %1 points."))
            .arg(INT16_MAX);
    return {};
}

TRZN_Paper::~TRZN_Paper() {
    // The panel may belong to the window; it must not call back into a controller that is gone.
    if (_panel) {
        _ui->prextUserPlist->setModel(nullptr);
        delete _panel;
    }
}

QDialog* TRZN_Paper::panel() const { return _panel; }

void TRZN_Paper::setTHPrPaper(THPrPaper list, int16_t unit) {
    if (!list) return;
    _pPrext = list;
    _hPrext = std::make_unique<TPrPaper>();
    const int16_t count = std::clamp<int16_t>(list->pitem_count, 0, kPaperItemMax);
    for (int16_t i = 0; i < count; ++i) {
        const TPrPaperItem& item = list->pitem[i];
        char name[kPaperNameSize + 1];  // a damaged record may have left no NUL in the name
        std::memcpy(name, item.pname, kPaperNameSize);
        name[kPaperNameSize] = '\0';
        AddPaperItem(_hPrext.get(), i, name, item.pwidth, item.pheight,
                     static_cast<uint8_t>(item.pisroll != 0));
    }

    // Unit codes other than inch and millimetre act as point, and the pop-up says so.
    _pUnit = (unit >= 0 && unit < kUnitPopupItems) ? unit : int16_t{kUnitPoint};
    _pDirty = 0;
    _ui->prextMenuPunit->setCurrentIndex(_pUnit);
    // A new session never shows what the previous one left in the fields.
    _ui->prextTextPname->clear();
    _ui->prextTextHsize->clear();
    _ui->prextTextVsize->clear();
    _ui->prextChbxPisrl->setChecked(false);
    ShowNote({});
    Reload(0);
    UpdateListButtons();
    _ui->prextPbtnEditm->setEnabled(false);
}

int TRZN_Paper::numberOfRowsInTableView() const { return WorkCount(); }

QVariant TRZN_Paper::objectValueForTableColumn(int /*column*/, int row) const {
    if (!_hPrext || row < 0 || row >= WorkCount()) return {};
    return PaperTitle(_hPrext->pitem[row]);
}

int16_t TRZN_Paper::WorkCount() const {
    return _hPrext ? std::clamp<int16_t>(_hPrext->pitem_count, 0, kPaperItemMax) : 0;
}

int TRZN_Paper::SelectedRow() const {
    const QModelIndexList rows = _ui->prextUserPlist->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TRZN_Paper::Reload(int selectRow) {
    _model->Refresh();
    if (selectRow < 0 || selectRow >= WorkCount()) return;
    const QModelIndex index = _model->index(selectRow, 0);
    _ui->prextUserPlist->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    _ui->prextUserPlist->scrollTo(index);
}

void TRZN_Paper::UpdateListButtons() {
    const int16_t count = WorkCount();
    _ui->prextPbtnAditm->setEnabled(count < kAddLimit);
    _ui->prextPbtnDeitm->setEnabled(count >= 2);
}

bool TRZN_Paper::ReadItem(ItemInput& out) {
    _pUnit = static_cast<int16_t>(_ui->prextMenuPunit->currentIndex());
    out.name = PaperNameFromField(_ui->prextTextPname->text());
    out.width = ListPoints(PaperToPoints(FieldNumber(_ui->prextTextHsize->text()), _pUnit));
    out.height = ListPoints(PaperToPoints(FieldNumber(_ui->prextTextVsize->text()), _pUnit));
    out.roll = _ui->prextChbxPisrl->isChecked() ? 1 : 0;
    return out.name && out.width > 0 && out.height > 0;
}

void TRZN_Paper::prextPbtnAditmAction() {
    ItemInput input;
    const bool usable = ReadItem(input);
    const int16_t count = WorkCount();
    int row = SelectedRow();
    // An empty list has no row to insert before: the first paper is appended, or the list could
    // never be started.
    if (_hPrext && count == 0) row = 0;
    if (!_hPrext || count >= kAddLimit || row < 0 || row >= std::max<int>(count, 1) || !usable) {
        // On many desktops the beep is silent: the note says why nothing happened.
        if (_hPrext && count >= kAddLimit)
            ShowNote(Tr(QT_TRANSLATE_NOOP("TRZN_Paper", "The list holds at most %1 papers."))
                         .arg(kAddLimit));
        else if (_hPrext)
            ShowNote(ItemRefusal(input, row, count));
        Modal().Beep();
        return;
    }
    ShowNote({});
    AddPaperItem(_hPrext.get(), static_cast<int16_t>(row), input.name->constData(),
                 static_cast<int16_t>(input.width), static_cast<int16_t>(input.height), input.roll);
    Reload(row);
    UpdateListButtons();
}

void TRZN_Paper::prextPbtnEditmAction() {
    ItemInput input;
    const bool usable = ReadItem(input);
    const int row = SelectedRow();
    if (!_hPrext || row < 0 || row >= WorkCount() || !usable) {
        if (_hPrext) ShowNote(ItemRefusal(input, row < WorkCount() ? row : -1, WorkCount()));
        Modal().Beep();
        return;
    }
    ShowNote({});
    EdtPaperItem(_hPrext.get(), static_cast<int16_t>(row), input.name->constData(),
                 static_cast<int16_t>(input.width), static_cast<int16_t>(input.height), input.roll);
    Reload(row);
}

void TRZN_Paper::prextPbtnDeitmAction() {
    const int16_t count = WorkCount();
    const int row = SelectedRow();
    if (!_hPrext || count < 2 || row < 0 || row >= count) {
        if (_hPrext)
            ShowNote(count < 2
                         ? Tr(QT_TRANSLATE_NOOP("TRZN_Paper", "The last paper can't be deleted."))
                         : Tr(QT_TRANSLATE_NOOP("TRZN_Paper", "Choose a paper in the list.")));
        Modal().Beep();
        return;
    }
    ShowNote({});
    DelPaperItem(_hPrext.get(), static_cast<int16_t>(row));
    Reload(std::min(row, WorkCount() - 1));
    UpdateListButtons();
}

void TRZN_Paper::prextMenuPunitAction() {
    const auto unit = static_cast<int16_t>(_ui->prextMenuPunit->currentIndex());
    if (unit < 0 || unit == _pUnit) return;
    for (QLineEdit* field : {_ui->prextTextHsize, _ui->prextTextVsize}) {
        const double value = FieldNumber(field->text());
        if (value == 0.0) continue;  // an empty or unreadable field stays as the user left it
        const double converted = PaperFromPoints(PaperToPoints(value, _pUnit), unit);
        if (CanFormatLength(converted)) field->setText(FormatPaperLength(converted, unit));
    }
    _pUnit = unit;
}

void TRZN_Paper::prextChbxPisrlAction() { textDidChange(); }

void TRZN_Paper::textDidChange() {
    const auto inRange = [](double v) { return v > 0.0 && v < 10000.0; };
    const bool valid = !_ui->prextTextPname->text().isEmpty() &&
                       inRange(FieldNumber(_ui->prextTextHsize->text())) &&
                       inRange(FieldNumber(_ui->prextTextVsize->text()));
    const int16_t dirty = valid ? 1 : 0;
    if (dirty == _pDirty) return;
    _pDirty = dirty;
    _ui->prextPbtnEditm->setEnabled(valid);
}

void TRZN_Paper::tableViewSelectionDidChange() {
    const int row = SelectedRow();
    if (!_hPrext || row < 0 || row >= WorkCount()) return;
    const TPrPaperItem& item = _hPrext->pitem[row];
    ShowNote({});
    _ui->prextTextPname->setText(PaperTitle(item));
    _ui->prextTextHsize->setText(FormatPaperLength(PaperFromPoints(item.pwidth, _pUnit), _pUnit));
    _ui->prextTextVsize->setText(FormatPaperLength(PaperFromPoints(item.pheight, _pUnit), _pUnit));
    _ui->prextChbxPisrl->setChecked(item.pisroll != 0);
}

void TRZN_Paper::prextPbtnOkAction() {
    if (_hPrext && _pPrext) {
        *_pPrext = TPrPaper{};
        const int16_t count = WorkCount();
        // Adding again gives a name that an edit duplicated its suffix.
        for (int16_t i = 0; i < count; ++i) {
            const TPrPaperItem& item = _hPrext->pitem[i];
            AddPaperItem(_pPrext, i, item.pname, item.pwidth, item.pheight,
                         static_cast<uint8_t>(item.pisroll != 0));
        }
    }
    EndSession();
    _panel->done(kResultOk);
}

void TRZN_Paper::prextPbtnCancelAction() {
    EndSession();
    _panel->done(kResultCancel);
}

void TRZN_Paper::EndSession() {
    _hPrext.reset();
    _pPrext = nullptr;
    Reload(-1);
    UpdateListButtons();
}
