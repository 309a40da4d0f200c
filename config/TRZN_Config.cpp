#include "config/TRZN_Config.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTabWidget>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "config/config_checks.h"
#include "config/config_destination.h"
#include "config/config_fields.h"
#include "config/config_flow.h"
#include "config/config_knife.h"
#include "config/config_outlines.h"
#include "config/config_presets.h"
#include "config/config_preview.h"
#include "config/config_texts.h"
#include "config/config_units.h"
#include "config/page_preview_model.h"
#include "config/save_failure.h"
#include "config/window_sections.h"
#include "platform/encoding.h"
#include "platform/modal.h"
#include "platform/ports.h"
#include "platform/print_queue.h"
#include "settings/default_setup.h"
#include "settings/geometry.h"
#include "settings/store.h"
#include "settings/utility.h"
#include "ui_trznConfigModal.h"

// Leaving the window by Escape or the close box is Cancel: QDialog routes both through reject().
class TRZN_Config::Window : public QDialog {
public:
    explicit Window(TRZN_Config* owner) : _owner(owner) {}
    void reject() override { _owner->prdefPBtnCancelAction(); }

private:
    TRZN_Config* _owner;
};

namespace {

// The queues whose label survives the trip into port_name: stored as Shift-JIS, a name without
// that form or too long for the field would come back naming another queue.
std::vector<std::string> OfferedQueues() {
    std::vector<std::string> offered;
    for (const std::string& queue : PrintQueues(std::chrono::seconds(2))) {
        const QString label = QString::fromStdString(QueueLabel(queue));
        if (SjisToQString(QStringToSjis(label, kPortNameLimit).constData()) == label)
            offered.push_back(queue);
    }
    return offered;
}

}  // namespace

TRZN_Config::TRZN_Config(QObject* parent)
    : QObject(parent), _window(new Window(this)), _ui(std::make_unique<Ui::trznConfigModal>()) {
    _ui->setupUi(_window);
    _records.stat.plstVersion = kDefaultStatVersion;

    // The item between the presets and the commands only separates them: it can't be chosen.
    if (auto* model = qobject_cast<QStandardItemModel*>(_ui->prconMenuPreset->model())) {
        const int separator = _ui->prconMenuPreset->count() - 3;
        if (QStandardItem* item = model->item(separator))
            item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
    }
    // A tool number the record doesn't hold (0 on a fresh install) selects no item; the pop-up
    // says so instead of showing nothing, and storing keeps the number as loaded.
    for (QComboBox* tools : {_ui->prconMenuKstid, _ui->prconMenuZfcid})
        tools->setPlaceholderText(tr("Not set"));
    _preview = std::make_unique<TRZN_ConfigPreview>(*_ui, _records, [this] { return _finished; });
    _units = std::make_unique<TRZN_ConfigUnits>(*_ui, _records, _window, this,
                                                [this] { _preview->Update(); });
    _texts = std::make_unique<TRZN_RecordTexts>(*_ui);
    _destination = std::make_unique<TRZN_ConfigDestination>(*_ui);
    _knife = std::make_unique<TRZN_ConfigKnife>(*_ui);
    _outlines = std::make_unique<TRZN_ConfigOutlines>(*_ui);
    _checks = std::make_unique<TRZN_ConfigChecks>(*_ui);
    _ui->prdefLabelWhy->hide();
    _presets = std::make_unique<TRZN_ConfigPresets>(
        *_ui, _records, _window, this,
        PresetWindow{[this] { return _finished; }, [this] { return _texts->Fit(); },
                     [this] { SetdownItems(); }, [this] { SetupItems(); }});
    ConnectActions();
    ConnectFlowControlNote(*_ui, this);
    _texts->Connect(this);
    _preview->Connect(this);
    _destination->Connect(this);
}

TRZN_Config::~TRZN_Config() { delete _window.data(); }

QDialog* TRZN_Config::window() const { return _window; }

int32_t TRZN_Config::presetIndex() const { return _presets->index(); }

// The parts' own work, under the names of the controls and calls the window has always had.
bool TRZN_Config::SetupPresetMenu() { return _presets->Setup(); }
void TRZN_Config::prconMenuPresetAction() { _presets->MenuAction(); }
void TRZN_Config::SetPUnit(int64_t unit) { _units->SetPUnit(unit); }
void TRZN_Config::SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr) {
    _units->SetupPrStMenu(ph, pv, pisr);
}
void TRZN_Config::prconMenuPunitAAction() { _units->prconMenuPunitAAction(); }
void TRZN_Config::prconMenuPunitBAction() { _units->prconMenuPunitBAction(); }
void TRZN_Config::prstlMenuPaperAction() { _units->prstlMenuPaperAction(); }
void TRZN_Config::prstlMenuPunitAction() { _units->prstlMenuPunitAction(); }
void TRZN_Config::prstlPBtnPaperAction() { _units->prstlPBtnPaperAction(); }
void TRZN_Config::prstlUserHrdbnAction() { _units->prstlUserHrdbnAction(); }
void TRZN_Config::prstlUserVrdbnAction() { _units->prstlUserVrdbnAction(); }

void TRZN_Config::ConnectActions() {
    Ui::trznConfigModal& ui = *_ui;
    // activated: only a choice the user makes acts, not a selection made while filling.
    connect(ui.prconMenuPreset, &QComboBox::activated, this, &TRZN_Config::prconMenuPresetAction);
    connect(ui.prconMenuPunitA, &QComboBox::activated, this, &TRZN_Config::prconMenuPunitAAction);
    connect(ui.prconMenuPunitB, &QComboBox::activated, this, &TRZN_Config::prconMenuPunitBAction);
    connect(ui.prstlMenuPaper, &QComboBox::activated, this, &TRZN_Config::prstlMenuPaperAction);
    _units->TrackSizeUnit();
    connect(ui.prstlMenuPunit, &QComboBox::activated, this, &TRZN_Config::prstlMenuPunitAction);
    connect(ui.prstlPBtnPaper, &QPushButton::clicked, this, &TRZN_Config::prstlPBtnPaperAction);
    connect(ui.prstlUserHrdbn, &QRadioButton::clicked, this, &TRZN_Config::prstlUserHrdbnAction);
    connect(ui.prstlUserVrdbn, &QRadioButton::clicked, this, &TRZN_Config::prstlUserVrdbnAction);
    connect(ui.prconPBtnSharedFolder, &QPushButton::clicked, this,
            &TRZN_Config::prdefPBtnSetFolderAction);
    connect(ui.prdefPBtnOk, &QPushButton::clicked, this, &TRZN_Config::prdefPBtnOkAction);
    connect(ui.prdefPBtnCancel, &QPushButton::clicked, this, &TRZN_Config::prdefPBtnCancelAction);
    // The tab widget steps its pages on Ctrl+Tab only while it holds the focus; the window starts
    // with the focus on the preset pop-up above it, so the keys are the window's.
    QTabWidget* tabs = ui.prconTabs;
    const auto step = [tabs](int by) {
        const int n = tabs->count();
        if (n > 0) tabs->setCurrentIndex((tabs->currentIndex() + by + n) % n);
    };
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::NextChild), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
        connect(new QShortcut(keys, _window), &QShortcut::activated, tabs, [step] { step(1); });
    }
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::PreviousChild), QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
        connect(new QShortcut(keys, _window), &QShortcut::activated, tabs, [step] { step(-1); });
    }
}

void TRZN_Config::OpenedForPlot(const QString& file) {
    _ui->prdefLabelWhy->setText(
        tr("%1 was to be plotted, but where plots go is not set up yet. Choose the destination and "
           "press OK, and the file is plotted. Cancel plots nothing.")
            .arg(file));
    _ui->prdefLabelWhy->show();
}

void TRZN_Config::awakeFromNib() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size = _window->sizeHint().expandedTo(_window->size()).boundedTo(area.size());
        _window->resize(size);
        _window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }

    RecordSet& r = _records;
    // Without a settings file the window starts from the default setup and writes it at once,
    // so that the next program finds a working one; it chooses no destination, which keeps
    // that program asking for one until the user has pressed OK here.
    const bool fresh = !QFileInfo::exists(QFile::decodeName(SettingsFilePath(nullptr).c_str()));
    if (fresh)
        DefaultSetup(&r);
    else
        LoadSettings(&r);
    r.presetName[kPresetNameSize - 1] = '\0';
    int error = 0;
    bool saved = true;
    if (fresh || *r.refCon != 0) {
        // Whoever started the window sees "running" while it is open.
        *r.refCon = static_cast<int64_t>(Completion::Running);
        saved = SaveMainSettings(&error);
    }
    SetupItems();
    _knife->Fill();
    _outlines->Fill();
    _window->show();
    // OK would fail the same way unless the folder is mended first: say so before any edit.
    if (!saved &&
        Modal().Alert(_window, SaveFailedText(tr("The settings"), SettingsFilePath(nullptr), error),
                      tr("Continue"), tr("Quit")) != 1) {
        _finished = true;
        _window->hide();
        emit terminated(static_cast<int>(Completion::Cancelled));
    }
}

bool TRZN_Config::SaveMainSettings(int* error) {
    errno = 0;
    const bool saved = SaveSettings(_records);
    *error = saved ? 0 : SaveFailureErrno(SettingsFilePath(nullptr), errno);
    return saved;
}

void TRZN_Config::SetupItems() {
    Ui::trznConfigModal& ui = *_ui;
    TPrConfig& cf = *_records.config;
    TSrConfig& sr = *_records.serial;

    if (!SetupPresetMenu()) return;
    SetupPortMenu();
    _units->SetupPaperSection();
    FillMargins(ui, cf);
    FillSwitches(ui, cf);
    FillTexts(ui, cf, sr);
    _texts->HideNotes();
    _checks->HideNotes();
    FillLine(ui, cf, sr);
    FillPens(ui, cf);
    _preview->Update();
}

void TRZN_Config::SetupPortMenu() {
    if (!_queues) _queues = OfferedQueues();
    _destination->FillPortMenu(SerialDevices(), *_queues, *_records.serial);
}

void TRZN_Config::SetdownItems() {
    Ui::trznConfigModal& ui = *_ui;
    TPrConfig& cf = *_records.config;
    TSrConfig& sr = *_records.serial;

    // 1-4: paper size in points, scale, orientation and page range.
    double height = LeadingNumber(ui.prstlTextVsize->text());
    double width = LeadingNumber(ui.prstlTextHsize->text());
    const int16_t roll = ui.prstlChbxPisrl->isChecked() ? 1 : 0;
    StoreItem(ui.prstlMenuPunit, cf.unitmsct);
    height = Unit2Point(height, cf.unitmsct);
    width = Unit2Point(width, cf.unitmsct);
    // The orientation is the radio buttons' business; the field holds the magnitude only, as
    // loading shows it.
    const double scale = FloatAbs(LeadingNumber(ui.prstlTextScale->text()));
    const int16_t turned = cf.papervhf;
    const int32_t first = LeadingWhole(ui.prconTextSpage->text());
    const int32_t last = LeadingWhole(ui.prconTextEpage->text());
    cf.iFstPage = first < 1 ? 1 : CutToField(first);
    cf.iLstPage = last < 1 ? 1 : CutToField(last);

    // 5: a fresh print record from the margins as they were before this read.
    {
        auto fresh = std::make_unique<TPrint>();
        std::memset(fresh.get(), 0, sizeof(TPrint));
        mkDefault(fresh.get(), &cf, _records.paper.get());
        fresh->prJob.iFstPage = cf.iFstPage;
        fresh->prJob.iLstPage = cf.iLstPage;
        *_records.print = *fresh;
    }

    // 6-13: margins, switches, texts, the line and the pens.
    ReadMargins(ui, cf);
    ReadSwitches(ui, cf);
    ReadTexts(ui, sr);
    ReadLine(ui, cf, sr);
    _destination->ReadPort(sr);
    ReadPens(ui, cf);

    // 14: the final geometry from the new margins, rounded as the page preview rounds it.
    PageInputs page;
    page.width = width;
    page.height = height;
    page.scale = scale;
    page.turned = turned != 0;
    page.roll = roll != 0;
    const PageArgs args = PageArgsFor(page);
    CalcPageWidth(_records.print.get(), &cf, args.width, args.height, args.scale, args.roll);
}

void TRZN_Config::FinishWith(Completion status) {
    if (_finished) return;
    RecordSet& r = _records;
    *r.refCon = static_cast<int64_t>(status);
    int error = 0;
    if (!SaveMainSettings(&error)) {
        // Quitting now would lose the settings without a word: the user decides, and the window
        // stays by default so that a freed disk or a mended folder can take them.
        const QString unsaved =
            tr("The settings are not saved yet. Go back to the window to try again, or quit "
               "without saving.");
        const QString message =
            SaveFailedText(tr("The settings"), SettingsFilePath(nullptr), error) +
            QStringLiteral("\n\n") + unsaved;
        if (Modal().Alert(_window, message, tr("Back to the window"), tr("Quit without saving")) ==
            1) {
            *r.refCon = static_cast<int64_t>(Completion::Running);
            return;
        }
    }
    _finished = true;
    _window->hide();
    emit terminated(static_cast<int>(status));
}

void TRZN_Config::prdefPBtnOkAction() {
    if (_finished) return;
    if (!_texts->Fit() || !_checks->Pass()) return;
    if (!_checks->StoreWithoutDestination(_window)) {
        _ui->prconTabs->setCurrentWidget(_ui->tabOutput);
        _ui->prconMenuNPort->setFocus();
        return;
    }
    SetdownItems();
    // The knife file first: a knife that can't be kept is said before the window goes.
    std::string unsaved;
    if (!_knife->Save(&unsaved) &&
        Modal().Alert(
            _window,
            tr("The drag knife settings can't be saved (%1). The previous ones stay as they were.")
                .arg(QString::fromLocal8Bit(unsaved.c_str())),
            tr("Back to the window"), tr("Continue without the knife settings")) == 1)
        return;
    if (!_outlines->Save(&unsaved) &&
        Modal().Alert(_window,
                      tr("The choice of outlines to plot can't be saved (%1). The previous one "
                         "stays as it was.")
                          .arg(QString::fromLocal8Bit(unsaved.c_str())),
                      tr("Back to the window"), tr("Continue without the outline choice")) == 1)
        return;
    FinishWith(Completion::Done);
}

void TRZN_Config::prdefPBtnCancelAction() { FinishWith(Completion::Cancelled); }

void TRZN_Config::prdefPBtnSetFolderAction() {
    if (_finished) return;
    const std::optional<QString> chosen =
        Modal().ChooseFolder(_window, QStringLiteral("Trazen Server"));
    if (!chosen) return;
    const QByteArray path = chosen->toUtf8();
    if (path.size() > kTextLimit) {
        // Cut to the record's size it would name another folder, perhaps an existing one.
        Modal().Beep();
        ShowSharedFolderNote(
            tr("The chosen path is too long to use (%1 bytes in UTF-8, %2 at most).")
                .arg(path.size())
                .arg(kTextLimit));
        return;
    }
    TSrConfig& sr = *_records.serial;
    StoreBytes(sr.shared_folder, path);
    _ui->prconTextSharedFolder->setText(Utf8Field(sr.shared_folder));
    ShowSharedFolderNote({});
}

void TRZN_Config::ShowSharedFolderNote(const QString& note) {
    _ui->prconLabelSharedFolderNote->setText(note);
    _ui->prconLabelSharedFolderNote->setVisible(!note.isEmpty());
}
