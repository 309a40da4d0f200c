#include "config/TRZN_Config.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
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

#include "config/config_fields.h"
#include "config/page_preview_model.h"
#include "config/save_failure.h"
#include "platform/encoding.h"
#include "platform/modal.h"
#include "platform/ports.h"
#include "platform/print_queue.h"
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

constexpr int kTextLimit = 127;      // ipaddr, prheader, prfooter, shared_folder
constexpr int kPortNameLimit = 79;   // port_name

// Record text fields are fixed-size buffers; never read past them even without a NUL.
template <size_t N>
QString SjisField(const char (&field)[N]) {
    char copy[N + 1];
    std::memcpy(copy, field, N);
    copy[N] = '\0';
    return SjisToQString(copy);
}

template <size_t N>
QString Utf8Field(const char (&field)[N]) {
    return QString::fromUtf8(field, static_cast<qsizetype>(strnlen(field, N)));
}

template <size_t N>
void StoreBytes(char (&field)[N], const QByteArray& bytes) {
    const size_t n = std::min(static_cast<size_t>(bytes.size()), N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, bytes.constData(), n);
}

void Select(QComboBox* menu, int item) { menu->setCurrentIndex(item); }

// A pop-up without a selection (a stored index beyond its items) leaves its field as loaded
// rather than storing -1.
void StoreItem(const QComboBox* menu, int16_t& field, int offset = 0) {
    if (menu->currentIndex() >= 0) field = static_cast<int16_t>(menu->currentIndex() + offset);
}

int16_t State(const QAbstractButton* b) { return b->isChecked() ? 1 : 0; }

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
    _resstat.plstVersion = kDefaultStatVersion;

    // The item between the presets and the commands only separates them: it can't be chosen.
    if (auto* model = qobject_cast<QStandardItemModel*>(_ui->prconMenuPreset->model())) {
        const int separator = _ui->prconMenuPreset->count() - 3;
        if (QStandardItem* item = model->item(separator))
            item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
    }
    // A tool number the record doesn't hold (0 on a fresh install) selects no item; the pop-up
    // says so instead of showing nothing, and storing keeps the number as loaded.
    for (QComboBox* tools : {_ui->prconMenuKstid, _ui->prconMenuZfcid})
        tools->setPlaceholderText(tr("未設定"));
    ConnectActions();
    ConnectFlowControl();
    ConnectRecordTexts();
    ConnectPagePreview();
    GuardPresetMenu();
}

TRZN_Config::~TRZN_Config() { delete _window.data(); }

QDialog* TRZN_Config::window() const { return _window; }

void TRZN_Config::ConnectActions() {
    Ui::trznConfigModal& ui = *_ui;
    // activated: only a choice the user makes acts, not a selection made while filling.
    connect(ui.prconMenuPreset, &QComboBox::activated, this, &TRZN_Config::prconMenuPresetAction);
    connect(ui.prconMenuPunitA, &QComboBox::activated, this, &TRZN_Config::prconMenuPunitAAction);
    connect(ui.prconMenuPunitB, &QComboBox::activated, this, &TRZN_Config::prconMenuPunitBAction);
    connect(ui.prstlMenuPaper, &QComboBox::activated, this, &TRZN_Config::prstlMenuPaperAction);
    // Before the action: a choice changes the item first, then activates it.
    connect(ui.prstlMenuPunit, &QComboBox::currentIndexChanged, this, [this](int item) {
        _sizeItemBefore = _sizeItemShown;
        _sizeItemShown = item;
    });
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
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::NextChild),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
        connect(new QShortcut(keys, _window), &QShortcut::activated, tabs, [step] { step(1); });
    }
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::PreviousChild),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
        connect(new QShortcut(keys, _window), &QShortcut::activated, tabs, [step] { step(-1); });
    }
}

void TRZN_Config::awakeFromNib() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size = _window->sizeHint().expandedTo(_window->size()).boundedTo(area.size());
        _window->resize(size);
        _window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }

    RecordSet& r = _records;
    GetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                  r.refCon.get(), _preset_name, &_resstat);
    _preset_name[kPresetNameSize - 1] = '\0';
    int error = 0;
    bool saved = true;
    if (*r.refCon != 0) {
        // Whoever started the window sees "running" while it is open.
        *r.refCon = static_cast<int64_t>(Completion::Running);
        saved = SaveMainSettings(&error);
    }
    SetupItems();
    _window->show();
    // OK would fail the same way unless the folder is mended first: say so before any edit.
    if (!saved &&
        Modal().Alert(_window, SaveFailedText(tr("設定"), SettingsFilePath(nullptr), error),
                      tr("続ける"), tr("終了")) != 1) {
        _finished = true;
        _window->hide();
        emit terminated(static_cast<int>(Completion::Cancelled));
    }
}

bool TRZN_Config::SaveMainSettings(int* error) {
    RecordSet& r = _records;
    errno = 0;
    const bool saved =
        SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                      r.refCon.get(), _preset_name, &_resstat, PrintLines::Config);
    *error = saved ? 0 : SaveFailureErrno(SettingsFilePath(nullptr), errno);
    return saved;
}

QString TRZN_Config::SaveFailedText(const QString& what, const std::string& path, int error) const {
    const QString file = QString::fromStdString(path);
    if (error == 0) return tr("%1を %2 に保存できませんでした。").arg(what, file);
    return tr("%1を %2 に保存できませんでした: %3")
        .arg(what, file, QString::fromLocal8Bit(std::strerror(error)));
}

void TRZN_Config::SetupItems() {
    Ui::trznConfigModal& ui = *_ui;
    TPrConfig& cf = *_records.config;
    TSrConfig& sr = *_records.serial;

    if (!SetupPresetMenu()) return;
    SetupPortMenu();
    SetupPaperSection();
    SelectPort();

    // Margins and roll length in the margin unit.
    Select(ui.prconMenuPunitA, cf.pUnit);
    Select(ui.prconMenuPunitB, cf.pUnit);
    const struct {
        QLineEdit* field;
        int16_t points;
    } lengths[] = {
        {ui.prconTextLeafT, cf.cmargin.top},    {ui.prconTextLeafL, cf.cmargin.left},
        {ui.prconTextLeafB, cf.cmargin.bottom}, {ui.prconTextLeafR, cf.cmargin.right},
        {ui.prconTextRoalT, cf.rmargin.top},    {ui.prconTextRoalL, cf.rmargin.left},
        {ui.prconTextRoalB, cf.rmargin.bottom}, {ui.prconTextRoalR, cf.rmargin.right},
        {ui.prconTextKstmT, cf.kmargin.top},    {ui.prconTextKstmL, cf.kmargin.left},
        {ui.prconTextKstmB, cf.kmargin.bottom}, {ui.prconTextKstmR, cf.kmargin.right},
        {ui.prconTextRolen, cf.rlength},
    };
    for (const auto& l : lengths) l.field->setText(FormatLength(l.points, cf.pUnit));

    // Switches of the plotter configuration.
    ui.prconRbtnPcnA1->setChecked(cf.fsort == 0);
    ui.prconRbtnPcnB1->setChecked(cf.fsort == 1);
    ui.prconRbtnPcnC1->setChecked(cf.fsort == 2);
    if (cf.fsort < 0 || cf.fsort > 2) {
        // Exclusive buttons can't all be switched off one by one.
        for (QRadioButton* b : {ui.prconRbtnPcnA1, ui.prconRbtnPcnB1, ui.prconRbtnPcnC1}) {
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(true);
        }
    }
    ui.prconChbxAtsep->setChecked(cf.fautosep != 0);
    ui.prconChbxAtpen->setChecked(cf.fautopen == 0);
    ui.prconChbxKstri->setChecked(cf.fusekstm != 0);
    Select(ui.prconMenuKstid, cf.ktoolid - 1);
    ui.prconChbxDebug->setChecked(cf.fdebug != 0);
    ui.prconChbxOptln->setChecked(cf.foptln == 0);
    ui.prconChbxOptEx->setChecked(cf.foptEx != 0);
    ui.prconChbxZFCut->setChecked(cf.fusezfcut != 0);
    Select(ui.prconMenuZfcid, cf.zftoolid - 1);

    // Numbers and texts.
    ui.prconTextZfcpr->setText(FormatWhole(cf.zfcpress));
    ui.prconTextZfspr->setText(FormatWhole(cf.zfspress));
    ui.prconTextZfcln->setText(FormatWhole(cf.zfcleng));
    ui.prconTextZfsln->setText(FormatWhole(cf.zfsleng));
    ui.prconTextIHost->setText(SjisField(sr.ipaddr));
    ui.prconTextIPort->setText(FormatWhole(sr.portid));
    ui.prconTextPUnit->setText(FormatWhole(sr.prunit));
    if (sr.average < 1) sr.average = 1;
    ui.prconTextAverg->setText(FormatWhole(sr.average));
    ui.prconTextPHead->setText(SjisField(sr.prheader));
    ui.prconTextPTail->setText(SjisField(sr.prfooter));
    ui.prconTextSharedFolder->setText(Utf8Field(sr.shared_folder));
    HideRecordTextNotes();

    // Pop-ups of the plotter configuration and the serial line.
    if (static_cast<uint16_t>(cf.outline) >= 8) cf.outline = 0;
    Select(ui.prconMenuKanji, cf.fkanji);
    Select(ui.prconMenuOutln, cf.outline);
    Select(ui.prconMenuOrign, cf.forign);
    Select(ui.prconMenuBaudr, sr.baud);
    Select(ui.prconMenuDatab, sr.data);
    Select(ui.prconMenuStopb, sr.stop);
    Select(ui.prconMenuParti, sr.parity);
    Select(ui.prconMenuFlowc, sr.flctrl);

    if (sr.pdlmopt <= 0) sr.pdlmopt = kDefaultPdlmopt;
    const Pdlm pdlm = UnpackPdlmopt(sr.pdlmopt);
    ui.prconChbxPDOpt->setChecked(pdlm.flag);
    ui.prconTextPDLmA->setText(FormatWhole(pdlm.a));
    ui.prconTextPDLmS->setText(FormatWhole(pdlm.l));

    QComboBox* const penIds[kPenCount] = {
        ui.prpenMenuPenid0, ui.prpenMenuPenid1, ui.prpenMenuPenid2, ui.prpenMenuPenid3,
        ui.prpenMenuPenid4, ui.prpenMenuPenid5, ui.prpenMenuPenid6, ui.prpenMenuPenid7,
        ui.prpenMenuPenid8, ui.prpenMenuPenid9};
    QComboBox* const colours[kPenCount] = {
        ui.prpenMenuPcolr0, ui.prpenMenuPcolr1, ui.prpenMenuPcolr2, ui.prpenMenuPcolr3,
        ui.prpenMenuPcolr4, ui.prpenMenuPcolr5, ui.prpenMenuPcolr6, ui.prpenMenuPcolr7,
        ui.prpenMenuPcolr8, ui.prpenMenuPcolr9};
    QLineEdit* const thicks[kPenCount] = {
        ui.prpenTextThick0, ui.prpenTextThick1, ui.prpenTextThick2, ui.prpenTextThick3,
        ui.prpenTextThick4, ui.prpenTextThick5, ui.prpenTextThick6, ui.prpenTextThick7,
        ui.prpenTextThick8, ui.prpenTextThick9};
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        if (pen.tpenid == 0) pen.tpenid = 13;
        Select(penIds[i], pen.tpenid - 1);
        Select(colours[i], ColourItemFor(pen.red, pen.green, pen.blue, pen.fcolor));
        thicks[i]->setText(FormatThickness(pen.thick));
    }
    UpdatePagePreview();
}

void TRZN_Config::SetupPortMenu() {
    QComboBox* menu = _ui->prconMenuNPort;
    TSrConfig& sr = *_records.serial;
    menu->clear();
    if (!_queues) _queues = OfferedQueues();
    std::vector<QString> titles;
    for (const std::string& title : PortList(SerialDevices(), *_queues))
        titles.push_back(QString::fromUtf8(title.c_str()));
    // A stored queue the server doesn't list now (server down, queue renamed) stays chosen, so
    // that OK doesn't quietly send the next plots elsewhere; the sender says it is missing.
    const QString stored = SjisField(sr.port_name);
    if (QueueFromLabel(stored.toStdString()) &&
        std::find(titles.begin(), titles.end(), stored) == titles.end())
        titles.push_back(stored);
    for (const QString& t : titles) menu->addItem(t);
    _portCount = static_cast<int16_t>(titles.size());
    sr.port = static_cast<int16_t>(PortItemFor(titles, sr.port, SjisField(sr.port_name)));
}

void TRZN_Config::SelectPort() {
    TSrConfig& sr = *_records.serial;
    if (sr.port < 0 || sr.port >= _portCount) sr.port = 0;
    Select(_ui->prconMenuNPort, sr.port);
}

void TRZN_Config::SetupPaperSection() {
    Ui::trznConfigModal& ui = *_ui;
    const TPrint& pr = *_records.print;
    TPrConfig& cf = *_records.config;

    int16_t scale = pr.prXInfo.iBandV;
    if (scale == 0) scale = 100;
    const bool turned = scale < 0;
    const int16_t width = turned ? pr.prStl.iPageV : pr.prStl.iPageH;
    const int16_t height = turned ? pr.prStl.iPageH : pr.prStl.iPageV;

    cf.paperisr = pr.prStl.feed;
    cf.papervhf = turned ? 1 : 0;
    cf.iFstPage = pr.prJob.iFstPage < 1 ? 1 : pr.prJob.iFstPage;
    cf.iLstPage = pr.prJob.iLstPage < 1 ? 1 : pr.prJob.iLstPage;

    Select(ui.prstlMenuPunit, cf.unitmsct);
    SizeFieldsInShownUnit();
    ui.prstlUserVrdbn->setChecked(cf.papervhf == 0);
    ui.prstlUserHrdbn->setChecked(cf.papervhf == 1);
    ui.prstlTextVsize->setText(FormatLength(height, cf.unitmsct));
    ui.prstlTextHsize->setText(FormatLength(width, cf.unitmsct));
    ui.prstlTextScale->setText(FormatDecimal(FloatAbs(scale), 2));
    SetupPrStMenu(width, height, cf.paperisr);
    ui.prconTextSpage->setText(FormatWhole(cf.iFstPage));
    ui.prconTextEpage->setText(FormatWhole(cf.iLstPage));
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

    // 6: margins and roll length.
    const int16_t unit = cf.pUnit;
    const struct {
        const QLineEdit* field;
        int16_t* points;
    } lengths[] = {
        {ui.prconTextLeafT, &cf.cmargin.top},    {ui.prconTextLeafL, &cf.cmargin.left},
        {ui.prconTextLeafB, &cf.cmargin.bottom}, {ui.prconTextLeafR, &cf.cmargin.right},
        {ui.prconTextRoalT, &cf.rmargin.top},    {ui.prconTextRoalL, &cf.rmargin.left},
        {ui.prconTextRoalB, &cf.rmargin.bottom}, {ui.prconTextRoalR, &cf.rmargin.right},
        {ui.prconTextKstmT, &cf.kmargin.top},    {ui.prconTextKstmL, &cf.kmargin.left},
        {ui.prconTextKstmB, &cf.kmargin.bottom}, {ui.prconTextKstmR, &cf.kmargin.right},
        {ui.prconTextRolen, &cf.rlength},
    };
    for (const auto& l : lengths) *l.points = ParseLength(l.field->text(), unit);

    // 7
    cf.fsort = 0;
    if (ui.prconRbtnPcnA1->isChecked()) cf.fsort = 0;
    if (ui.prconRbtnPcnB1->isChecked()) cf.fsort = 1;
    if (ui.prconRbtnPcnC1->isChecked()) cf.fsort = 2;

    // 9: switches, tool numbers and the Z-cut numbers.
    cf.fautosep = State(ui.prconChbxAtsep);
    cf.fautopen = ui.prconChbxAtpen->isChecked() ? 0 : 1;
    cf.fusekstm = State(ui.prconChbxKstri);
    cf.fdebug = State(ui.prconChbxDebug);
    StoreItem(ui.prconMenuKstid, cf.ktoolid, 1);
    cf.foptln = ui.prconChbxOptln->isChecked() ? 0 : 1;
    cf.foptEx = State(ui.prconChbxOptEx);
    StoreItem(ui.prconMenuZfcid, cf.zftoolid, 1);
    cf.fusezfcut = State(ui.prconChbxZFCut);
    cf.zfcpress = CutToField(LeadingNumber(ui.prconTextZfcpr->text()));
    cf.zfspress = CutToField(LeadingNumber(ui.prconTextZfspr->text()));
    cf.zfcleng = CutToField(LeadingNumber(ui.prconTextZfcln->text()));
    cf.zfsleng = CutToField(LeadingNumber(ui.prconTextZfsln->text()));

    // 10: network and texts. Text with no Shift-JIS form keeps what precedes it.
    StoreBytes(sr.ipaddr, QStringToSjis(ui.prconTextIHost->text(), kTextLimit));
    sr.portid = LeadingWhole(ui.prconTextIPort->text());
    sr.prunit = LeadingWhole(ui.prconTextPUnit->text());
    sr.average = LeadingWhole(ui.prconTextAverg->text());
    StoreBytes(sr.prheader, QStringToSjis(ui.prconTextPHead->text(), kTextLimit));
    StoreBytes(sr.prfooter, QStringToSjis(ui.prconTextPTail->text(), kTextLimit));
    // A path over the limit keeps the folder held so far: cut, it would name another folder.
    // OK and save as refuse such a path before they get here.
    const QByteArray folder = ui.prconTextSharedFolder->text().toUtf8();
    if (folder.size() <= kTextLimit) StoreBytes(sr.shared_folder, folder);

    // 11: pop-ups.
    StoreItem(ui.prconMenuKanji, cf.fkanji);
    StoreItem(ui.prconMenuOutln, cf.outline);
    StoreItem(ui.prconMenuOrign, cf.forign);
    if (ui.prconMenuNPort->currentIndex() >= 0) {
        sr.port = static_cast<int16_t>(ui.prconMenuNPort->currentIndex());
        StoreBytes(sr.port_name, QStringToSjis(ui.prconMenuNPort->currentText(), kPortNameLimit));
    }
    StoreItem(ui.prconMenuBaudr, sr.baud);
    StoreItem(ui.prconMenuDatab, sr.data);
    StoreItem(ui.prconMenuStopb, sr.stop);
    StoreItem(ui.prconMenuParti, sr.parity);
    StoreItem(ui.prconMenuFlowc, sr.flctrl);

    // 12
    sr.pdlmopt = PackPdlmopt(ui.prconChbxPDOpt->isChecked(),
                             LeadingWhole(ui.prconTextPDLmA->text()),
                             LeadingWhole(ui.prconTextPDLmS->text()));

    // 13: pens.
    const QComboBox* const penIds[kPenCount] = {
        ui.prpenMenuPenid0, ui.prpenMenuPenid1, ui.prpenMenuPenid2, ui.prpenMenuPenid3,
        ui.prpenMenuPenid4, ui.prpenMenuPenid5, ui.prpenMenuPenid6, ui.prpenMenuPenid7,
        ui.prpenMenuPenid8, ui.prpenMenuPenid9};
    const QComboBox* const colours[kPenCount] = {
        ui.prpenMenuPcolr0, ui.prpenMenuPcolr1, ui.prpenMenuPcolr2, ui.prpenMenuPcolr3,
        ui.prpenMenuPcolr4, ui.prpenMenuPcolr5, ui.prpenMenuPcolr6, ui.prpenMenuPcolr7,
        ui.prpenMenuPcolr8, ui.prpenMenuPcolr9};
    const QLineEdit* const thicks[kPenCount] = {
        ui.prpenTextThick0, ui.prpenTextThick1, ui.prpenTextThick2, ui.prpenTextThick3,
        ui.prpenTextThick4, ui.prpenTextThick5, ui.prpenTextThick6, ui.prpenTextThick7,
        ui.prpenTextThick8, ui.prpenTextThick9};
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        StoreItem(penIds[i], pen.tpenid, 1);
        pen.thick = ParseThickness(thicks[i]->text());
    }
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        if (pen.tpenid >= 14) pen.tpenid = 0;
        const int item = colours[i]->currentIndex();
        if (item < 0) continue;  // no selection: the colour stays as loaded
        const PenColour& c = kPenColours[static_cast<size_t>(item)];
        pen.red = c.red;
        pen.green = c.green;
        pen.blue = c.blue;
        pen.fcolor = c.fcolor;
    }

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
        const QString unsaved = tr("設定はまだ保存されていません。"
                                   "ウィンドウに戻ってやり直すか、保存せずに終了できます。");
        const QString message = SaveFailedText(tr("設定"), SettingsFilePath(nullptr), error) +
                                QStringLiteral("\n\n") + unsaved;
        if (Modal().Alert(_window, message, tr("ウィンドウに戻る"), tr("保存せずに終了")) == 1) {
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
    if (!TypedTextsFit()) return;
    SetdownItems();
    FinishWith(Completion::Done);
}

void TRZN_Config::prdefPBtnCancelAction() { FinishWith(Completion::Cancelled); }

void TRZN_Config::prdefPBtnSetFolderAction() {
    if (_finished) return;
    const std::optional<QString> chosen = Modal().ChooseFolder(_window, QStringLiteral("Trazen Server"));
    if (!chosen) return;
    const QByteArray path = chosen->toUtf8();
    if (path.size() > kTextLimit) {
        // Cut to the record's size it would name another folder, perhaps an existing one.
        Modal().Beep();
        ShowSharedFolderNote(
            tr("選んだパスは長すぎて使えません（UTF-8 で %1 バイト、%2 バイトまで）。")
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
