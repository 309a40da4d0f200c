// The paper list editor driven through its real widgets on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest/QTest>
#include <cstring>
#include <ostream>

#include "config/TRZN_Paper.h"
#include "paper_support.h"
#include "settings/utility.h"

namespace {

class PaperEditor : public testing::Test {
protected:
    template <class W>
    W* Find(const char* name) {
        W* widget = ctrl.panel()->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTableView* Table() { return Find<QTableView>("prextUserPlist"); }
    QLineEdit* Name() { return Find<QLineEdit>("prextTextPname"); }
    QLineEdit* Width() { return Find<QLineEdit>("prextTextHsize"); }
    QLineEdit* Height() { return Find<QLineEdit>("prextTextVsize"); }
    QComboBox* Unit() { return Find<QComboBox>("prextMenuPunit"); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }

    std::vector<std::string> TableNames() {
        std::vector<std::string> names;
        QAbstractItemModel* model = Table()->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            names.push_back(model->index(r, 0).data().toString().toStdString());
        }
        return names;
    }
    int SelectedRow() {
        const QModelIndexList rows = Table()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    // Replaces the field's text as typing would, so the edit notifications fire.
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    void TypeItem(const QString& name, const QString& width, const QString& height) {
        Type(Name(), name);
        Type(Width(), width);
        Type(Height(), height);
    }

    BeepCounter beeps;
    TRZN_Paper ctrl;
};

TEST_F(PaperEditor, OpensWithUniqueNamesAndFirstPaperInTheFields) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"A4", 595, 842, 1}, {"B5", 516, 729, 0}});
    const TPrPaper before = list;
    ctrl.setTHPrPaper(&list, kUnitMillimetre);

    EXPECT_EQ(TableNames(), (std::vector<std::string>{"A4", "A4_1", "B5"}));
    EXPECT_EQ(ctrl.numberOfRowsInTableView(), 3);
    EXPECT_EQ(ctrl.objectValueForTableColumn(5, 1).toString(), "A4_1");
    EXPECT_FALSE(ctrl.objectValueForTableColumn(0, 3).isValid());
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Name()->text(), "A4");
    EXPECT_EQ(Width()->text(), "209.9");
    EXPECT_EQ(Height()->text(), "297.04");
    EXPECT_EQ(Unit()->currentIndex(), kUnitMillimetre);
    EXPECT_FALSE(Button("prextPbtnEditm")->isEnabled());
    EXPECT_TRUE(Button("prextPbtnAditm")->isEnabled());
    EXPECT_TRUE(Button("prextPbtnDeitm")->isEnabled());
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0);

    Table()->selectRow(1);
    EXPECT_TRUE(Find<QCheckBox>("prextChbxPisrl")->isChecked());
}

TEST_F(PaperEditor, AddInsertsBeforeTheSelectedPaperAndShowsIt) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}, {"A3", 842, 1191, 0}});
    ctrl.setTHPrPaper(&list, kUnitPoint);
    Table()->selectRow(1);
    TypeItem("B5", "500.4", "700.6");
    QTest::mouseClick(Button("prextPbtnAditm"), Qt::LeftButton);

    EXPECT_EQ(beeps.beeps, 0);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"A4", "B5_1", "B5", "A3"}));
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(Name()->text(), "B5_1");
    EXPECT_EQ(Width()->text(), "500");
    EXPECT_EQ(Height()->text(), "701");
}

TEST_F(PaperEditor, EmptyListTakesItsFirstPaper) {
    TPrPaper list{};
    ctrl.setTHPrPaper(&list, kUnitMillimetre);
    TypeItem("A4", "210", "297");
    QTest::mouseClick(Button("prextPbtnAditm"), Qt::LeftButton);
    EXPECT_EQ(beeps.beeps, 0);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"A4"}));

    QTest::mouseClick(Button("prextPbtnOk"), Qt::LeftButton);
    ASSERT_EQ(list.pitem_count, 1);
    EXPECT_EQ(list.pitem[0].pwidth, 595);
    EXPECT_EQ(list.pitem[0].pheight, 842);
}

TEST_F(PaperEditor, NameDuplicatedByEditGetsItsSuffixOnOk) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}});
    ctrl.setTHPrPaper(&list, kUnitPoint);
    Table()->selectRow(1);
    Type(Name(), "A4");
    ASSERT_TRUE(Button("prextPbtnEditm")->isEnabled());
    QTest::mouseClick(Button("prextPbtnEditm"), Qt::LeftButton);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"A4", "A4"}));

    QTest::mouseClick(Button("prextPbtnOk"), Qt::LeftButton);
    EXPECT_EQ(ctrl.panel()->result(), TRZN_Paper::kResultOk);
    EXPECT_EQ(PaperNames(list), (std::vector<std::string>{"A4", "A4_1"}));
    EXPECT_EQ(list.pitem[1].pwidth, 516);
    EXPECT_EQ(ctrl.numberOfRowsInTableView(), 0);
}

struct CountCase {
    const char* label;
    int count;
    bool addEnabled;
    bool deleteEnabled;
};
void PrintTo(const CountCase& row, std::ostream* os) { *os << row.label; }


class PaperEditorCounts : public PaperEditor, public testing::WithParamInterface<CountCase> {};

TEST_P(PaperEditorCounts, ListButtonsFollowTheCount) {
    const CountCase& c = GetParam();
    TPrPaper list{};
    for (int i = 0; i < c.count; ++i) {
        TPrPaperItem& item = list.pitem[list.pitem_count++];
        std::snprintf(item.pname, sizeof item.pname, "P%d", i);
        item.pwidth = item.pheight = 100;
    }
    ctrl.setTHPrPaper(&list, kUnitPoint);
    EXPECT_EQ(Button("prextPbtnAditm")->isEnabled(), c.addEnabled);
    EXPECT_EQ(Button("prextPbtnDeitm")->isEnabled(), c.deleteEnabled);

    // Sent anyway (a shortcut, a stale click), a refused action only beeps.
    if (!c.addEnabled) ctrl.prextPbtnAditmAction();
    if (!c.deleteEnabled) ctrl.prextPbtnDeitmAction();
    EXPECT_EQ(beeps.beeps, (c.addEnabled ? 0 : 1) + (c.deleteEnabled ? 0 : 1));
    EXPECT_EQ(ctrl.numberOfRowsInTableView(), std::min(c.count, 99));
}

INSTANTIATE_TEST_SUITE_P(Paper, PaperEditorCounts,
                         testing::Values(CountCase{"One", 1, true, false},
                                         CountCase{"Two", 2, true, true},
                                         CountCase{"NinetySeven", 97, true, true},
                                         CountCase{"NinetyEight", 98, false, true},
                                         CountCase{"FullRecord", 99, false, true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(PaperEditor, DeleteShowsThePaperThatTakesItsPlace) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}, {"A3", 842, 1191, 1}});
    ctrl.setTHPrPaper(&list, kUnitPoint);
    Table()->selectRow(2);
    QTest::mouseClick(Button("prextPbtnDeitm"), Qt::LeftButton);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"A4", "B5"}));
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(Name()->text(), "B5");

    Table()->selectRow(0);
    QTest::mouseClick(Button("prextPbtnDeitm"), Qt::LeftButton);
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"B5"}));
    EXPECT_FALSE(Button("prextPbtnDeitm")->isEnabled());
    EXPECT_EQ(beeps.beeps, 0);
}

struct RefusedCase {
    const char* label;
    QString name, width, height;
    bool clearSelection;
};
void PrintTo(const RefusedCase& row, std::ostream* os) { *os << row.label; }


class PaperEditorRefusals : public PaperEditor, public testing::WithParamInterface<RefusedCase> {};

TEST_P(PaperEditorRefusals, AddAndEditBeepAndChangeNothing) {
    const RefusedCase& c = GetParam();
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}});
    ctrl.setTHPrPaper(&list, kUnitPoint);
    TypeItem(c.name, c.width, c.height);
    if (c.clearSelection) Table()->clearSelection();

    ctrl.prextPbtnAditmAction();
    ctrl.prextPbtnEditmAction();
    EXPECT_EQ(beeps.beeps, 2);
    // The beep is often silent: the editor says why beside the fields.
    const auto* note = ctrl.panel()->findChild<QLabel*>("prextLabelNote");
    EXPECT_TRUE(note->isVisibleTo(ctrl.panel()));
    EXPECT_FALSE(note->text().isEmpty());
    ctrl.prextPbtnOkAction();
    EXPECT_EQ(PaperNames(list), (std::vector<std::string>{"A4", "B5"}));
    EXPECT_EQ(list.pitem[0].pwidth, 595);
}

INSTANTIATE_TEST_SUITE_P(Paper, PaperEditorRefusals,
                         testing::Values(RefusedCase{"ZeroWidth", "C", "0", "100", false},
                                         RefusedCase{"UnreadableHeight", "C", "100", "abc", false},
                                         RefusedCase{"BelowHalfPoint", "C", "0.4", "100", false},
                                         RefusedCase{"BeyondListRange", "C", "40000", "100", false},
                                         RefusedCase{"NoSelection", "C", "100", "100", true},
                                         RefusedCase{"EmptyName", "", "100", "100", false},
                                         RefusedCase{"QuoteInName", "C\"D", "100", "100", false}),
                         [](const auto& info) { return std::string(info.param.label); });

struct ValidityCase {
    const char* label;
    int16_t unit;
    QString name, width, height;
    bool editEnabled;
};
void PrintTo(const ValidityCase& row, std::ostream* os) { *os << row.label; }


class PaperEditorValidity : public PaperEditor, public testing::WithParamInterface<ValidityCase> {};

TEST_P(PaperEditorValidity, EditNeedsANameAndSizesInRange) {
    const ValidityCase& c = GetParam();
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}});
    ctrl.setTHPrPaper(&list, c.unit);
    TypeItem(c.name, c.width, c.height);
    EXPECT_EQ(Button("prextPbtnEditm")->isEnabled(), c.editEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Paper, PaperEditorValidity,
    testing::Values(ValidityCase{"Valid", kUnitPoint, "A4", "595", "842", true},
                    ValidityCase{"NoName", kUnitPoint, "", "595", "842", false},
                    ValidityCase{"ZeroWidth", kUnitPoint, "A4", "0", "842", false},
                    ValidityCase{"HeightAt10000", kUnitPoint, "A4", "595", "10000", false},
                    ValidityCase{"JustBelow10000", kUnitPoint, "A4", "9999.9", "1", true},
                    ValidityCase{"TextNotNumber", kUnitPoint, "A4", "abc", "842", false},
                    // The limit is on the number as typed, whatever the unit.
                    ValidityCase{"InchBelowLimit", kUnitInch, "A4", "9999", "1", true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PaperEditor, FillingFromARowKeepsEditAsItWas) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}});
    ctrl.setTHPrPaper(&list, kUnitPoint);
    Type(Name(), "");
    Type(Name(), "X");
    ASSERT_TRUE(Button("prextPbtnEditm")->isEnabled());
    Table()->selectRow(1);
    EXPECT_TRUE(Button("prextPbtnEditm")->isEnabled());
    EXPECT_EQ(Name()->text(), "B5");
}

TEST_F(PaperEditor, UnitSwitchConvertsFilledSizesOnly) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}});
    ctrl.setTHPrPaper(&list, kUnitPoint);
    Type(Width(), "842");
    Type(Height(), "");
    QTest::keyClick(Unit(), Qt::Key_Up);  // point -> millimetre
    ASSERT_EQ(Unit()->currentIndex(), kUnitMillimetre);
    EXPECT_EQ(Width()->text(), "297.04");
    EXPECT_EQ(Height()->text(), "");

    QTest::keyClick(Unit(), Qt::Key_Up);  // millimetre -> inch
    EXPECT_EQ(Width()->text(), "11.694");
    // Add reads the sizes in the unit now shown.
    Type(Height(), "1");
    Type(Name(), "W");
    ctrl.prextPbtnAditmAction();
    EXPECT_EQ(list.pitem_count, 1);  // only the working copy changes
    ctrl.prextPbtnOkAction();
    ASSERT_EQ(list.pitem_count, 2);
    EXPECT_EQ(list.pitem[0].pwidth, 842);
    EXPECT_EQ(list.pitem[0].pheight, 72);
}

TEST_F(PaperEditor, CancelLeavesTheCallersListAlone) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}, {"A3", 842, 1191, 0}});
    const TPrPaper before = list;
    ctrl.setTHPrPaper(&list, kUnitPoint);
    TypeItem("N", "100", "100");
    ctrl.prextPbtnAditmAction();
    ctrl.prextPbtnEditmAction();
    Table()->selectRow(2);
    ctrl.prextPbtnDeitmAction();
    ASSERT_EQ(TableNames(), (std::vector<std::string>{"N", "A4", "A3"}));

    QTest::mouseClick(Button("prextPbtnCancel"), Qt::LeftButton);
    EXPECT_EQ(ctrl.panel()->result(), TRZN_Paper::kResultCancel);
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0);
    EXPECT_EQ(ctrl.numberOfRowsInTableView(), 0);
}

TEST_F(PaperEditor, ModalRunEndsWithEscapeAsCancelAndReturnKeepsTyping) {
    TPrPaper list = MakePaperList({{"A4", 595, 842, 0}});
    const TPrPaper before = list;
    ctrl.setTHPrPaper(&list, kUnitPoint);
    bool answered = false;
    bool stillOpenAfterReturn = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != ctrl.panel()) return;
        answered = true;
        QTest::keyClick(Name(), Qt::Key_Return);
        stillOpenAfterReturn = ctrl.panel()->isVisible();
        QTest::keyClick(Name(), Qt::Key_Escape);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] { ctrl.panel()->done(-1); });
    watchdog.start(5000);

    const int code = ctrl.panel()->exec();
    EXPECT_TRUE(answered) << "the panel never became the active modal window";
    EXPECT_TRUE(stillOpenAfterReturn);
    EXPECT_EQ(code, TRZN_Paper::kResultCancel);
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0);
}

}  // namespace
