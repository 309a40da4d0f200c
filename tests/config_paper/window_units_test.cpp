// Units and paper selection in the configuration window, on its real widgets.

#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest/QTest>
#include <memory>

#include "config/TRZN_Config.h"
#include "paper_support.h"
#include "platform/ports.h"
#include "settings/store.h"
#include "settings/utility.h"
#include "tests/support/temp_home.h"

namespace {

const char* const kLengthFields[] = {
    "prconTextLeafT", "prconTextLeafB", "prconTextLeafL", "prconTextLeafR", "prconTextRoalT",
    "prconTextRoalB", "prconTextRoalL", "prconTextRoalR", "prconTextKstmT", "prconTextKstmB",
    "prconTextKstmL", "prconTextKstmR", "prconTextRolen",
};

class WindowUnits : public testing::Test {
protected:
    void SetUp() override {
        // A serial port to stand as the destination: without one the first item is the shared
        // folder, which OK refuses empty. It is never opened.
        SetSerialDeviceSource([] { return std::vector<std::string>{"/dev/ttyS0"}; });
        // A settings file with nothing in it, as an earlier version could leave: no paper, no
        // size, points. (Without a file the window would start from the default setup.)
        WriteFileBytes(SettingsFilePath(nullptr), "");
        ctrl = std::make_unique<TRZN_Config>();
        ctrl->awakeFromNib();
    }
    void TearDown() override {
        ctrl.reset();
        SetSerialDeviceSource({});
    }

    template <class W>
    W* Find(const char* name) {
        W* widget = ctrl->window()->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QComboBox* Menu(const char* name) { return Find<QComboBox>(name); }
    QLineEdit* Text(const char* name) { return Find<QLineEdit>(name); }
    TPrConfig& Config() { return *ctrl->records().config; }

    // Chooses a pop-up item as picking it from the open list does, so the pop-up's action runs.
    void Choose(const char* menuName, int item) {
        QComboBox* menu = Menu(menuName);
        menu->setCurrentIndex(item);
        emit menu->activated(item);
    }
    void SetPaperList(std::initializer_list<PaperRow> rows) {
        *ctrl->records().paper = MakePaperList(rows);
    }
    QStringList PaperTitles() {
        QStringList titles;
        for (int i = 0; i < Menu("prstlMenuPaper")->count(); ++i)
            titles << Menu("prstlMenuPaper")->itemText(i);
        return titles;
    }

    TempHome home;
    BeepCounter beeps;
    std::unique_ptr<TRZN_Config> ctrl;
};

struct MarginCase {
    const char* label;
    int16_t from;
    const char* typed;
    int16_t to;
    const char* shown;
};
void PrintTo(const MarginCase& row, std::ostream* os) { *os << row.label; }


class WindowMarginUnits : public WindowUnits, public testing::WithParamInterface<MarginCase> {};

TEST_P(WindowMarginUnits, EveryLengthFieldShowsWhatStoringWouldKeep) {
    const MarginCase& c = GetParam();
    Choose("prconMenuPunitA", c.from);
    ASSERT_EQ(Config().pUnit, c.from);
    for (const char* name : kLengthFields) Text(name)->setText(c.typed);

    Choose("prconMenuPunitB", c.to);
    EXPECT_EQ(Config().pUnit, c.to);
    EXPECT_EQ(Menu("prconMenuPunitA")->currentIndex(), c.to);
    for (const char* name : kLengthFields) EXPECT_EQ(Text(name)->text(), c.shown) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Paper, WindowMarginUnits,
    testing::Values(MarginCase{"MillimetreToPoint", kUnitMillimetre, "10", kUnitPoint, "28"},
                    MarginCase{"PointToInch", kUnitPoint, "36", kUnitInch, "0.5"},
                    MarginCase{"PointToMillimetre", kUnitPoint, "72", kUnitMillimetre, "25.4"},
                    MarginCase{"InchToMillimetre", kUnitInch, "0.5", kUnitMillimetre, "12.7"},
                    MarginCase{"ZeroStaysZero", kUnitInch, "0", kUnitPoint, "0"},
                    MarginCase{"EmptyReadsZero", kUnitPoint, "", kUnitMillimetre, "0"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(WindowUnits, ChoosingTheCurrentMarginUnitChangesNothing) {
    Choose("prconMenuPunitA", kUnitMillimetre);
    Text("prconTextLeafT")->setText("10.123");
    ctrl->prconMenuPunitBAction();
    ctrl->prconMenuPunitAAction();
    EXPECT_EQ(Text("prconTextLeafT")->text(), "10.123");
    EXPECT_EQ(Menu("prconMenuPunitB")->currentIndex(), kUnitMillimetre);
}

struct MatchCase {
    const char* label;
    int16_t width, height, roll;
    int16_t selected;
};
void PrintTo(const MatchCase& row, std::ostream* os) { *os << row.label; }


class WindowPaperMatch : public WindowUnits, public testing::WithParamInterface<MatchCase> {};

TEST_P(WindowPaperMatch, SelectsTheFirstPaperWithinOnePoint) {
    const MatchCase& c = GetParam();
    SetPaperList({{"A3", 842, 1191, 0}, {"A4", 595, 842, 0}, {"A4 roll", 595, 842, 1}});
    ctrl->SetupPrStMenu(c.width, c.height, c.roll);
    EXPECT_EQ(PaperTitles(), (QStringList{"A3", "A4", "A4 roll", "ユーザ定義"}));
    EXPECT_EQ(Config().papersct, c.selected);
    EXPECT_EQ(Menu("prstlMenuPaper")->currentIndex(), c.selected);
    EXPECT_EQ(Config().paperisr, c.roll);
    EXPECT_EQ(Find<QCheckBox>("prstlChbxPisrl")->isChecked(), c.roll != 0);
}

INSTANTIATE_TEST_SUITE_P(Paper, WindowPaperMatch,
                         testing::Values(MatchCase{"Exact", 595, 842, 0, 1},
                                         MatchCase{"WithinOnePoint", 596, 841, 0, 1},
                                         MatchCase{"TwoPointsOff", 597, 842, 0, 3},
                                         MatchCase{"RollFlagDecides", 595, 842, 1, 2},
                                         MatchCase{"NoPaperMatches", 100, 100, 0, 3}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(WindowUnits, EmptyListOffersOnlyTheUserDefinedEntry) {
    SetPaperList({});
    ctrl->SetupPrStMenu(595, 842, 0);
    EXPECT_EQ(PaperTitles(), QStringList{"ユーザ定義"});
    EXPECT_EQ(Config().papersct, 0);
}

TEST_F(WindowUnits, ChoosingAPaperShowsItsSizeInTheSizeUnit) {
    SetPaperList({{"A4", 595, 842, 1}, {"Broken", 0, 842, 0}});
    ctrl->SetupPrStMenu(0, 0, 0);
    Menu("prstlMenuPunit")->setCurrentIndex(kUnitMillimetre);

    Choose("prstlMenuPaper", 0);
    EXPECT_EQ(Config().papersct, 0);
    EXPECT_EQ(Config().unitmsct, kUnitMillimetre);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "209.9");
    EXPECT_EQ(Text("prstlTextVsize")->text(), "297.04");
    EXPECT_TRUE(Find<QCheckBox>("prstlChbxPisrl")->isChecked());

    // A paper without a size is never copied into the fields; the user-defined entry keeps them.
    Choose("prstlMenuPaper", 1);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "209.9");
    EXPECT_EQ(beeps.beeps, 1);
    Text("prstlTextHsize")->setText("300");
    Choose("prstlMenuPaper", 2);
    EXPECT_EQ(Config().papersct, 2);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "300");
}

TEST_F(WindowUnits, SizeUnitSwitchConvertsOrRefuses) {
    // As loading leaves a size shown in points.
    Config().unitmsct = kUnitPoint;
    Menu("prstlMenuPunit")->setCurrentIndex(kUnitPoint);
    Text("prstlTextHsize")->setText("595");
    Text("prstlTextVsize")->setText("842");
    Choose("prstlMenuPunit", kUnitMillimetre);
    EXPECT_EQ(Config().unitmsct, kUnitMillimetre);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "209.9");
    EXPECT_EQ(Text("prstlTextVsize")->text(), "297.04");
    EXPECT_EQ(beeps.beeps, 0);

    // With a size missing there is nothing to convert: the fields and the record's unit stay,
    // the pop-up shows the unit chosen.
    Text("prstlTextVsize")->clear();
    Choose("prstlMenuPunit", kUnitInch);
    EXPECT_EQ(Config().unitmsct, kUnitMillimetre);
    EXPECT_EQ(Menu("prstlMenuPunit")->currentIndex(), kUnitInch);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "209.9");
    EXPECT_EQ(Text("prstlTextVsize")->text(), "");
    EXPECT_EQ(beeps.beeps, 0);
}

TEST_F(WindowUnits, NewUserChoosesTheSizeUnitBeforeTypingASize) {
    // An empty settings file shows sizes of 0 in points.
    ASSERT_EQ(Text("prstlTextHsize")->text(), "0");
    Choose("prstlMenuPunit", kUnitMillimetre);
    EXPECT_EQ(Menu("prstlMenuPunit")->currentIndex(), kUnitMillimetre);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "0");
    EXPECT_EQ(beeps.beeps, 0);

    // Storing reads the sizes in the unit the pop-up shows.
    Text("prstlTextHsize")->setText("210");
    Text("prstlTextVsize")->setText("297");
    // So does the next unit switch, although the record's unit is still the loaded one.
    Choose("prstlMenuPunit", kUnitPoint);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "595");
    EXPECT_EQ(Text("prstlTextVsize")->text(), "842");
    Choose("prstlMenuPunit", kUnitMillimetre);
    EXPECT_EQ(Text("prstlTextHsize")->text(), "209.9");
    ctrl->SetdownItems();
    EXPECT_EQ(Config().unitmsct, kUnitMillimetre);
    EXPECT_EQ(ctrl->records().print->prStl.iPageH, 595);
    EXPECT_EQ(ctrl->records().print->prStl.iPageV, 842);
}

TEST_F(WindowUnits, OrientationButtonsFollowTheField) {
    ctrl->prstlUserHrdbnAction();
    EXPECT_EQ(Config().papervhf, 1);
    EXPECT_TRUE(Find<QAbstractButton>("prstlUserHrdbn")->isChecked());
    EXPECT_FALSE(Find<QAbstractButton>("prstlUserVrdbn")->isChecked());
    ctrl->prstlUserVrdbnAction();
    EXPECT_EQ(Config().papervhf, 0);
    EXPECT_TRUE(Find<QAbstractButton>("prstlUserVrdbn")->isChecked());
}

// Runs `answer` on the paper list editor once it is the active modal window; a watchdog ends the
// run so a missing editor fails instead of hanging.
class EditorScript {
public:
    explicit EditorScript(std::function<void(QDialog*)> answer) {
        QTimer::singleShot(0, [this, answer] { Poll(answer); });
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(-1);
        });
        watchdog_.start(10000);
    }
    bool answered() const { return answered_; }

private:
    void Poll(const std::function<void(QDialog*)>& answer) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->findChild<QTableView*>("prextUserPlist")) {
            if (watchdog_.isActive()) QTimer::singleShot(10, [this, answer] { Poll(answer); });
            return;
        }
        answered_ = true;
        answer(dialog);
    }
    QTimer watchdog_;
    bool answered_ = false;
};

TEST_F(WindowUnits, EditedListReachesTheSettingsFileOnOk) {
    Config().unitmsct = kUnitMillimetre;
    Menu("prstlMenuPunit")->setCurrentIndex(kUnitMillimetre);
    Text("prstlTextHsize")->setText("210");
    Text("prstlTextVsize")->setText("297");
    EditorScript script([](QDialog* editor) {
        editor->findChild<QLineEdit*>("prextTextPname")->setText("A4");
        editor->findChild<QLineEdit*>("prextTextHsize")->setText("210");
        editor->findChild<QLineEdit*>("prextTextVsize")->setText("297");
        QTest::mouseClick(editor->findChild<QPushButton*>("prextPbtnAditm"), Qt::LeftButton);
        editor->findChild<QLineEdit*>("prextTextPname")->setText("A3");
        editor->findChild<QLineEdit*>("prextTextHsize")->setText("297");
        editor->findChild<QLineEdit*>("prextTextVsize")->setText("420");
        QTest::mouseClick(editor->findChild<QPushButton*>("prextPbtnAditm"), Qt::LeftButton);
        QTest::mouseClick(editor->findChild<QPushButton*>("prextPbtnOk"), Qt::LeftButton);
    });
    QTest::mouseClick(Find<QPushButton>("prstlPBtnPaper"), Qt::LeftButton);
    ASSERT_TRUE(script.answered()) << "the paper list editor never ran";
    EXPECT_FALSE(ctrl->records().paper == nullptr);
    // The second paper went before the first, and the typed size matches it.
    EXPECT_EQ(PaperTitles(), (QStringList{"A3", "A4", "ユーザ定義"}));
    EXPECT_EQ(Config().papersct, 1);

    QTest::mouseClick(Find<QPushButton>("prdefPBtnOk"), Qt::LeftButton);
    ASSERT_TRUE(ctrl->isFinished());
    const std::string file = ReadFileBytes(home.settingsFile());
    EXPECT_NE(file.find("THPrPaper.pitem_01.pname = \"A3\"\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("THPrPaper.pitem_02.pname = \"A4\"\r\n"), std::string::npos);
    EXPECT_EQ(file.find("THPrPaper.pitem_03."), std::string::npos);

    RecordSet stored;
    ASSERT_TRUE(GetPrefarence(nullptr, stored.print.get(), stored.paper.get(),
                              stored.config.get(), stored.serial.get()));
    ASSERT_EQ(stored.paper->pitem_count, 2);
    EXPECT_EQ(stored.paper->pitem[0].pwidth, 842);
    EXPECT_EQ(stored.paper->pitem[0].pheight, 1191);
    EXPECT_EQ(stored.paper->pitem[1].pwidth, 595);
    EXPECT_EQ(stored.paper->pitem[1].pheight, 842);
    EXPECT_EQ(stored.config->papersct, 1);
}

TEST_F(WindowUnits, CancelledEditorLeavesListAndPopupAlone) {
    SetPaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}});
    ctrl->SetupPrStMenu(595, 842, 0);
    const TPrPaper before = *ctrl->records().paper;
    EditorScript script([](QDialog* editor) {
        editor->findChild<QTableView*>("prextUserPlist")->selectRow(1);
        QTest::mouseClick(editor->findChild<QPushButton*>("prextPbtnDeitm"), Qt::LeftButton);
        QTest::keyClick(editor, Qt::Key_Escape);
    });
    ctrl->prstlPBtnPaperAction();
    ASSERT_TRUE(script.answered());
    EXPECT_EQ(std::memcmp(&before, ctrl->records().paper.get(), sizeof before), 0);
    EXPECT_EQ(PaperTitles(), (QStringList{"A4", "B5", "ユーザ定義"}));
    EXPECT_EQ(Config().papersct, 0);
}

TEST_F(WindowUnits, EditedListWithoutTypedSizeChoosesUserDefined) {
    SetPaperList({{"A4", 595, 842, 0}, {"B5", 516, 729, 0}});
    ctrl->SetupPrStMenu(595, 842, 0);
    Text("prstlTextHsize")->clear();
    EditorScript script([](QDialog* editor) {
        editor->findChild<QTableView*>("prextUserPlist")->selectRow(0);
        QTest::mouseClick(editor->findChild<QPushButton*>("prextPbtnDeitm"), Qt::LeftButton);
        QTest::mouseClick(editor->findChild<QPushButton*>("prextPbtnOk"), Qt::LeftButton);
    });
    ctrl->prstlPBtnPaperAction();
    ASSERT_TRUE(script.answered());
    EXPECT_EQ(PaperTitles(), (QStringList{"B5", "ユーザ定義"}));
    EXPECT_EQ(Config().papersct, 1);
    EXPECT_EQ(Menu("prstlMenuPaper")->currentIndex(), 1);
}

}  // namespace
