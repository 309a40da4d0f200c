#include "config/window_sections.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "config/config_fields.h"
#include "platform/encoding.h"
#include "settings/utility.h"
#include "ui_trznConfigModal.h"

namespace {

void Select(QComboBox* menu, int item) { menu->setCurrentIndex(item); }

int16_t State(const QAbstractButton* b) { return b->isChecked() ? 1 : 0; }

template <typename Field, typename Points>
struct Length {
    Field field;
    Points points;
};

// The thirteen length fields beside the record fields they show, in one order for both ways.
template <typename Ui, typename Config>
auto Lengths(Ui& ui, Config& cf) {
    using Field = decltype(ui.prconTextLeafT);
    using Points = decltype(&cf.rlength);
    return std::array<Length<Field, Points>, 13>{{
        {ui.prconTextLeafT, &cf.cmargin.top},
        {ui.prconTextLeafL, &cf.cmargin.left},
        {ui.prconTextLeafB, &cf.cmargin.bottom},
        {ui.prconTextLeafR, &cf.cmargin.right},
        {ui.prconTextRoalT, &cf.rmargin.top},
        {ui.prconTextRoalL, &cf.rmargin.left},
        {ui.prconTextRoalB, &cf.rmargin.bottom},
        {ui.prconTextRoalR, &cf.rmargin.right},
        {ui.prconTextKstmT, &cf.kmargin.top},
        {ui.prconTextKstmL, &cf.kmargin.left},
        {ui.prconTextKstmB, &cf.kmargin.bottom},
        {ui.prconTextKstmR, &cf.kmargin.right},
        {ui.prconTextRolen, &cf.rlength},
    }};
}

struct PenControls {
    QComboBox* id;
    QComboBox* colour;
    QLineEdit* thick;
};

std::array<PenControls, kPenCount> Pens(const Ui::trznConfigModal& ui) {
    return {{
        {ui.prpenMenuPenid0, ui.prpenMenuPcolr0, ui.prpenTextThick0},
        {ui.prpenMenuPenid1, ui.prpenMenuPcolr1, ui.prpenTextThick1},
        {ui.prpenMenuPenid2, ui.prpenMenuPcolr2, ui.prpenTextThick2},
        {ui.prpenMenuPenid3, ui.prpenMenuPcolr3, ui.prpenTextThick3},
        {ui.prpenMenuPenid4, ui.prpenMenuPcolr4, ui.prpenTextThick4},
        {ui.prpenMenuPenid5, ui.prpenMenuPcolr5, ui.prpenTextThick5},
        {ui.prpenMenuPenid6, ui.prpenMenuPcolr6, ui.prpenTextThick6},
        {ui.prpenMenuPenid7, ui.prpenMenuPcolr7, ui.prpenTextThick7},
        {ui.prpenMenuPenid8, ui.prpenMenuPcolr8, ui.prpenTextThick8},
        {ui.prpenMenuPenid9, ui.prpenMenuPcolr9, ui.prpenTextThick9},
    }};
}

}  // namespace

void StoreItem(const QComboBox* menu, int16_t& field, int offset) {
    if (menu->currentIndex() >= 0) field = static_cast<int16_t>(menu->currentIndex() + offset);
}

QString SjisToQStringField(const std::string& field) { return SjisToQString(field.c_str()); }

void FillMargins(Ui::trznConfigModal& ui, const TPrConfig& cf) {
    Select(ui.prconMenuPunitA, cf.pUnit);
    Select(ui.prconMenuPunitB, cf.pUnit);
    for (const auto& l : Lengths(ui, cf)) l.field->setText(FormatLength(*l.points, cf.pUnit));
}

void ReadMargins(const Ui::trznConfigModal& ui, TPrConfig& cf) {
    const int16_t unit = cf.pUnit;
    for (const auto& l : Lengths(ui, cf)) *l.points = ParseLength(l.field->text(), unit);
}

void FillSwitches(Ui::trznConfigModal& ui, const TPrConfig& cf) {
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
}

void ReadSwitches(const Ui::trznConfigModal& ui, TPrConfig& cf) {
    cf.fsort = 0;
    if (ui.prconRbtnPcnA1->isChecked()) cf.fsort = 0;
    if (ui.prconRbtnPcnB1->isChecked()) cf.fsort = 1;
    if (ui.prconRbtnPcnC1->isChecked()) cf.fsort = 2;

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
}

void FillTexts(Ui::trznConfigModal& ui, const TPrConfig& cf, TSrConfig& sr) {
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
}

void ReadTexts(const Ui::trznConfigModal& ui, TSrConfig& sr) {
    // Text with no Shift-JIS form keeps what precedes it.
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
}

void FillLine(Ui::trznConfigModal& ui, TPrConfig& cf, TSrConfig& sr) {
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
}

void ReadLine(const Ui::trznConfigModal& ui, TPrConfig& cf, TSrConfig& sr) {
    StoreItem(ui.prconMenuKanji, cf.fkanji);
    StoreItem(ui.prconMenuOutln, cf.outline);
    StoreItem(ui.prconMenuOrign, cf.forign);
    StoreItem(ui.prconMenuBaudr, sr.baud);
    StoreItem(ui.prconMenuDatab, sr.data);
    StoreItem(ui.prconMenuStopb, sr.stop);
    StoreItem(ui.prconMenuParti, sr.parity);
    StoreItem(ui.prconMenuFlowc, sr.flctrl);

    sr.pdlmopt =
        PackPdlmopt(ui.prconChbxPDOpt->isChecked(), LeadingWhole(ui.prconTextPDLmA->text()),
                    LeadingWhole(ui.prconTextPDLmS->text()));
}

void FillPens(Ui::trznConfigModal& ui, TPrConfig& cf) {
    const auto pens = Pens(ui);
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        if (pen.tpenid == 0) pen.tpenid = 13;
        Select(pens[i].id, pen.tpenid - 1);
        Select(pens[i].colour, ColourItemFor(pen.red, pen.green, pen.blue, pen.fcolor));
        pens[i].thick->setText(FormatThickness(pen.thick));
    }
}

void ReadPens(const Ui::trznConfigModal& ui, TPrConfig& cf) {
    const auto pens = Pens(ui);
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        StoreItem(pens[i].id, pen.tpenid, 1);
        pen.thick = ParseThickness(pens[i].thick->text());
    }
    for (int i = 0; i < kPenCount; ++i) {
        TPenEntry& pen = cf.toollist[i];
        if (pen.tpenid >= 14) pen.tpenid = 0;
        const int item = pens[i].colour->currentIndex();
        if (item < 0) continue;  // no selection: the colour stays as loaded
        const PenColour& c = kPenColours[static_cast<size_t>(item)];
        pen.red = c.red;
        pen.green = c.green;
        pen.blue = c.blue;
        pen.fcolor = c.fcolor;
    }
}
