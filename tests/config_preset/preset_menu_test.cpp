#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QAbstractItemView>
#include <QWheelEvent>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "config/TRZN_Config.h"
#include "platform/ports.h"
#include "settings/store.h"
#include "tests/config_preset/preset_support.h"
#include "tests/support/temp_home.h"

namespace {

namespace fs = std::filesystem;

const char* const kSettei = "\xE8\xA8\xAD\xE5\xAE\x9A A";  // 設定 A

// Answers the name dialog each time it comes up with the next step, and remembers the name
// it offered. A dialog that comes up with no step left, or a step that leaves it open for
// too long, is cancelled and fails the test instead of hanging it.
class NameDialogScript {
public:
    using Step = std::function<void(QLineEdit* field, QPushButton* ok, QPushButton* cancel)>;

    explicit NameDialogScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start();
    }

    static Step Type(QString text) {
        return [text](QLineEdit* field, QPushButton* ok, QPushButton*) {
            field->setText(text);
            QTest::mouseClick(ok, Qt::LeftButton);
        };
    }
    static Step Accept() {
        return [](QLineEdit*, QPushButton* ok, QPushButton*) { QTest::mouseClick(ok, Qt::LeftButton); };
    }
    static Step Cancel() {
        return [](QLineEdit*, QPushButton*, QPushButton* cancel) {
            QTest::mouseClick(cancel, Qt::LeftButton);
        };
    }

    std::vector<QString> offered;  // the name shown as each dialog came up
    bool finished() const { return steps_.empty(); }

private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "presetNameModal") return;
        if (dialog != current_) {
            current_ = dialog;
            shownAt_.restart();
            offered.push_back(dialog->findChild<QLineEdit*>("presetNameEdtx")->text());
            if (steps_.empty()) {
                ADD_FAILURE() << "the name dialog came up once more than expected";
                dialog->done(2);
                return;
            }
            Step step = std::move(steps_.front());
            steps_.pop_front();
            step(dialog->findChild<QLineEdit*>("presetNameEdtx"),
                 dialog->findChild<QPushButton*>("presetPBtnOk"),
                 dialog->findChild<QPushButton*>("presetPBtnCancel"));
            // An accepted or cancelled run hides the dialog; the next run counts as a new one.
            if (!dialog->isVisible()) current_ = nullptr;
        } else if (shownAt_.elapsed() > 5000) {
            ADD_FAILURE() << "the name dialog stayed open";
            dialog->done(2);
            current_ = nullptr;
        }
    }

    std::deque<Step> steps_;
    QTimer poll_;
    QPointer<QDialog> current_;
    QElapsedTimer shownAt_;
};

class PresetMenuTest : public testing::Test {
protected:
    TempHome home;
    ScriptedModal modal;
    std::string folder = home.productFolder() + "/Prefs";
    std::unique_ptr<TRZN_Config> ctrl;

    void SetUp() override {
        // A serial port to stand as the destination: without one the first item is the shared
        // folder, which OK refuses empty. It is never opened.
        SetSerialDeviceSource([] { return std::vector<std::string>{"/dev/ttyS0"}; });
        fs::create_directories(folder);
    }
    void TearDown() override {
        ctrl.reset();
        SetSerialDeviceSource({});
    }

    // A preset file whose baud rate item marks which preset it is.
    void WritePreset(const std::string& fileForm, int16_t baud) {
        RecordSet r;
        r.serial->baud = baud;
        ASSERT_TRUE(SetPrefarence(fileForm.c_str(), r.print.get(), r.paper.get(), r.config.get(),
                                  r.serial.get()));
    }
    // The main settings file naming the preset the window was last on.
    void WriteMain(const std::string& presetSjis, int16_t baud) {
        RecordSet r;
        r.serial->baud = baud;
        ASSERT_TRUE(SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(),
                                  r.serial.get(), r.refCon.get(), presetSjis.c_str()));
    }
    void Start() {
        ctrl = std::make_unique<TRZN_Config>();
        ctrl->awakeFromNib();
    }

    QComboBox* menu() { return ctrl->window()->findChild<QComboBox*>("prconMenuPreset"); }
    QComboBox* baud() { return ctrl->window()->findChild<QComboBox*>("prconMenuBaudr"); }
    QStringList Presets() {
        QStringList titles;
        for (int i = 1; i < menu()->count() - 3; ++i) titles << menu()->itemText(i);
        return titles;
    }
    bool DeleteEnabled() {
        auto* model = qobject_cast<QStandardItemModel*>(menu()->model());
        return model->item(menu()->count() - 1)->isEnabled();
    }
    void Choose(int item) {
        menu()->setCurrentIndex(item);
        ctrl->prconMenuPresetAction();
    }
    void SaveAs() { Choose(menu()->count() - 2); }
    void Delete() { Choose(menu()->count() - 1); }
    int16_t PresetBaud(const std::string& fileForm) {
        RecordSet r;
        EXPECT_TRUE(GetPrefarence(fileForm.c_str(), r.print.get(), r.paper.get(), r.config.get(),
                                  r.serial.get()));
        return r.serial->baud;
    }
};

TEST_F(PresetMenuTest, ListsPresetFilesBetweenTheFixedItems) {
    for (const char* file : {"b.ini", "A.INI", "a.ini", "c.Ini", ".ini", "notes.txt", "x.INI.ini",
                             "y.ini.bak"}) {
        Touch(folder, file);
    }
    fs::create_directory(folder + "/d.ini");
    Start();
    EXPECT_EQ(Presets(), (QStringList{"A", "a", "b", "x", "y"}));
    EXPECT_EQ(menu()->count(), 9);
    EXPECT_EQ(menu()->currentIndex(), 0);
    EXPECT_FALSE(DeleteEnabled());

    // Listing again (as every SetupItems does) does not pile up items.
    ctrl->SetupItems();
    EXPECT_EQ(menu()->count(), 9);
}

TEST_F(PresetMenuTest, FindsTheStoredPresetByName) {
    WritePreset("P", 2);
    WriteMain("P", 2);
    Start();
    EXPECT_EQ(ctrl->presetIndex(), 1);
    EXPECT_EQ(menu()->currentIndex(), 1);
    EXPECT_STREQ(ctrl->presetName(), "P");
    EXPECT_TRUE(DeleteEnabled());
}

TEST_F(PresetMenuTest, ForgetsAStoredPresetWhoseFileIsGone) {
    WriteMain("gone", 2);
    Start();
    EXPECT_EQ(ctrl->presetIndex(), 0);
    EXPECT_STREQ(ctrl->presetName(), "");
    EXPECT_EQ(baud()->currentIndex(), 2);  // the settings themselves stay
}

TEST_F(PresetMenuTest, ProposesTheFirstFreeUntitledNameAndCancelRestoresTheSelection) {
    Touch(folder, "UNTITLED.ini");
    Touch(folder, "UNTITLED-1.ini");
    Start();
    NameDialogScript script({NameDialogScript::Cancel()});
    SaveAs();
    EXPECT_EQ(script.offered, (std::vector<QString>{"UNTITLED-2"}));
    EXPECT_EQ(menu()->currentIndex(), 0);
    EXPECT_FALSE(fs::exists(folder + "/UNTITLED-2.ini"));
}

TEST_F(PresetMenuTest, CancelledDialogGoesBackToTheCurrentPreset) {
    WritePreset("P", 2);
    WriteMain("P", 2);
    Start();
    NameDialogScript script({NameDialogScript::Cancel()});
    SaveAs();
    EXPECT_EQ(script.offered, (std::vector<QString>{"P"}));
    EXPECT_EQ(menu()->currentIndex(), 1);
    EXPECT_EQ(ctrl->presetIndex(), 1);
}

TEST_F(PresetMenuTest, SavesANewPresetAndSelectsIt) {
    WritePreset("b", 1);
    Start();
    baud()->setCurrentIndex(6);
    NameDialogScript script({NameDialogScript::Type("a")});
    SaveAs();
    EXPECT_TRUE(modal.alerts.empty());
    EXPECT_EQ(PresetBaud("a"), 6);
    EXPECT_EQ(Presets(), (QStringList{"a", "b"}));
    EXPECT_EQ(ctrl->presetIndex(), 1);
    EXPECT_STREQ(ctrl->presetName(), "a");
    EXPECT_TRUE(DeleteEnabled());
}

// A preset file that can't be written is said to be unsaved, and retrying after the folder is
// mended saves it.
TEST_F(PresetMenuTest, APresetThatCantBeWrittenSaysSo) {
    Start();
    const std::string file = home.productFolder() + "/Prefs/a.ini";
    std::filesystem::create_directories(file);  // a folder in the file's place
    modal.answers = {1, 2};                     // retry, then give up
    NameDialogScript script({NameDialogScript::Type("a")});
    SaveAs();
    ASSERT_EQ(modal.alerts.size(), 2u);
    EXPECT_TRUE(modal.alerts[0].message.contains(QString::fromStdString(file)))
        << modal.alerts[0].message.toStdString();
    EXPECT_EQ(ctrl->presetIndex(), 0);
    EXPECT_TRUE(ctrl->window()->isVisible());
}

TEST_F(PresetMenuTest, ReplacesTheCurrentPresetAfterConfirmation) {
    WritePreset("P", 2);
    WriteMain("P", 2);
    Start();
    baud()->setCurrentIndex(5);
    modal.answers = {1};
    NameDialogScript script({NameDialogScript::Accept()});
    SaveAs();
    ASSERT_EQ(modal.alerts.size(), 1u);
    EXPECT_EQ(modal.alerts[0].message,
              QString::fromUtf8("プリセット \"P\" はすでに存在します。\n現在の設定で置き換えてもよろしいか？"));
    EXPECT_EQ(modal.alerts[0].first, "OK");
    EXPECT_EQ(modal.alerts[0].second, "Cancel");
    EXPECT_EQ(PresetBaud("P"), 5);
    EXPECT_EQ(Presets(), (QStringList{"P"}));
    EXPECT_EQ(menu()->currentIndex(), 1);
    EXPECT_STREQ(ctrl->presetName(), "P");
}

TEST_F(PresetMenuTest, DecliningTheReplacementAsksAgainWithTheProposal) {
    WritePreset("P", 2);
    WritePreset("R", 3);
    WriteMain("P", 2);
    Start();
    baud()->setCurrentIndex(5);
    modal.answers = {2};
    NameDialogScript script({NameDialogScript::Type("R"), NameDialogScript::Cancel()});
    SaveAs();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(script.offered, (std::vector<QString>{"P", "P"}));
    ASSERT_EQ(modal.alerts.size(), 1u);
    EXPECT_TRUE(modal.alerts[0].message.contains("\"R\""));
    EXPECT_EQ(PresetBaud("R"), 3);
    EXPECT_EQ(PresetBaud("P"), 2);
    EXPECT_EQ(menu()->currentIndex(), 1);
}

TEST_F(PresetMenuTest, ItemZeroKeepsTheValuesAndLeavesThePreset) {
    WritePreset("P", 4);
    WriteMain("P", 4);
    Start();
    Choose(0);
    EXPECT_EQ(ctrl->presetIndex(), 0);
    EXPECT_STREQ(ctrl->presetName(), "");
    EXPECT_EQ(baud()->currentIndex(), 4);
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(PresetMenuTest, TheSeparatorNeverActsAsAPreset) {
    WritePreset("P", 4);
    WriteMain("P", 4);
    Start();
    auto* model = qobject_cast<QStandardItemModel*>(menu()->model());
    EXPECT_FALSE(model->item(menu()->count() - 3)->isEnabled());
    Choose(menu()->count() - 3);
    EXPECT_EQ(menu()->currentIndex(), 1);
    EXPECT_EQ(ctrl->presetIndex(), 1);
    EXPECT_TRUE(modal.alerts.empty());
}

TEST_F(PresetMenuTest, ChoosingAPresetDiscardsUnsavedEdits) {
    WritePreset("P", 2);
    WritePreset("Q", 3);
    Start();
    baud()->setCurrentIndex(7);
    Choose(2);
    EXPECT_EQ(baud()->currentIndex(), 3);
    EXPECT_EQ(ctrl->records().serial->baud, 3);
    EXPECT_STREQ(ctrl->presetName(), "Q");
    EXPECT_EQ(menu()->currentIndex(), 2);
    EXPECT_TRUE(DeleteEnabled());
}

TEST_F(PresetMenuTest, ChoosesAPresetListedWithAnUpperCaseExtension) {
    Touch(folder, "A.INI", "THSrConfig.baud = 6\r\n");
    Start();
    Choose(1);
    EXPECT_EQ(baud()->currentIndex(), 6);
    EXPECT_EQ(ctrl->presetIndex(), 1);
    EXPECT_STREQ(ctrl->presetName(), "A");
}

// A preset listed from "A.INI" is replaced in that file, after the question, whether it is the
// current preset or only a listed one of the typed name.
TEST_F(PresetMenuTest, SavingUnderAListedNameReplacesTheFileItWasListedFrom) {
    for (const bool current : {true, false}) {
        SCOPED_TRACE(current ? "current preset" : "listed preset");
        fs::remove_all(folder);
        fs::create_directories(folder);
        Touch(folder, "A.INI", "THSrConfig.baud = 6\r\n");
        modal.alerts.clear();
        Start();
        if (current) Choose(1);
        baud()->setCurrentIndex(3);
        modal.answers = {1};
        NameDialogScript script({NameDialogScript::Type("A")});
        SaveAs();
        ASSERT_TRUE(script.finished());
        ASSERT_EQ(modal.alerts.size(), 1u);
        EXPECT_TRUE(modal.alerts[0].message.contains("\"A\""));
        EXPECT_FALSE(fs::exists(folder + "/A.ini"));
        RecordSet r;
        ASSERT_TRUE(LoadPresetFile(folder + "/A.INI", r.print.get(), r.paper.get(), r.config.get(),
                                   r.serial.get()));
        EXPECT_EQ(r.serial->baud, 3);
        EXPECT_EQ(Presets(), QStringList{"A"});
        EXPECT_EQ(ctrl->presetIndex(), 1);
        EXPECT_STREQ(ctrl->presetName(), "A");
    }
}

TEST_F(PresetMenuTest, SaveAsRefusesAnOverlongSharedFolder) {
    WritePreset("P", 2);
    WriteMain("P", 2);
    Start();
    ctrl->window()->findChild<QLineEdit*>("prconTextSharedFolder")->setText(QString(128, 'f'));
    NameDialogScript script({});  // the name dialog must not come up
    SaveAs();
    EXPECT_EQ(modal.beeps, 1);
    EXPECT_EQ(menu()->currentIndex(), 1);
    EXPECT_EQ(PresetBaud("P"), 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(script.offered.empty());
}

TEST_F(PresetMenuTest, APresetGoneSinceTheListingLeavesTheSettingsAlone) {
    WritePreset("P", 2);
    Start();
    baud()->setCurrentIndex(5);
    ctrl->SetdownItems();
    fs::remove(folder + "/P.ini");
    Choose(1);
    EXPECT_EQ(ctrl->records().serial->baud, 5);
    EXPECT_EQ(baud()->currentIndex(), 5);
    EXPECT_EQ(ctrl->presetIndex(), 0);
    EXPECT_EQ(menu()->currentIndex(), 0);
    EXPECT_TRUE(Presets().isEmpty());
}

TEST_F(PresetMenuTest, DeleteKeepsTheValuesAndOkStoresNoPresetName) {
    WritePreset("P", 4);
    WritePreset("Q", 1);
    WriteMain("P", 4);
    Start();

    modal.answers = {2};
    Delete();
    EXPECT_EQ(menu()->currentIndex(), 1);
    EXPECT_TRUE(fs::exists(folder + "/P.ini"));

    modal.answers = {1};
    Delete();
    ASSERT_EQ(modal.alerts.size(), 2u);
    EXPECT_EQ(modal.alerts[1].message, QString::fromUtf8("プリセット \"P\" を完全に削除しますか？"));
    EXPECT_EQ(modal.alerts[1].first, "OK");
    EXPECT_EQ(modal.alerts[1].second, "Cancel");
    EXPECT_FALSE(fs::exists(folder + "/P.ini"));
    EXPECT_EQ(Presets(), (QStringList{"Q"}));
    EXPECT_EQ(menu()->currentIndex(), 0);
    EXPECT_EQ(ctrl->presetIndex(), 0);
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_EQ(baud()->currentIndex(), 4);

    ctrl->prdefPBtnOkAction();
    RecordSet r;
    char name[kPresetNameSize] = "x";
    ASSERT_TRUE(GetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                              r.refCon.get(), name));
    EXPECT_STREQ(name, "");
    EXPECT_EQ(r.serial->baud, 4);
    EXPECT_NE(ReadFileBytes(home.settingsFile()).find("preset_name = \"\"\r\n"), std::string::npos);
}

TEST_F(PresetMenuTest, NonAsciiNameSavesListsChoosesAndDeletes) {
    const std::string fileName = std::string(kSettei) + ".ini";
    Start();
    baud()->setCurrentIndex(3);
    NameDialogScript script({NameDialogScript::Type(QString::fromUtf8(kSettei))});
    SaveAs();
    // The file reads in a file manager as the name was typed; the settings hold Shift-JIS.
    EXPECT_TRUE(fs::exists(folder + "/" + fileName));
    EXPECT_EQ(Presets(), (QStringList{QString::fromUtf8(kSettei)}));
    EXPECT_STREQ(ctrl->presetName(), Sjis(kSettei).c_str());

    Choose(0);
    baud()->setCurrentIndex(0);
    Choose(1);
    EXPECT_EQ(baud()->currentIndex(), 3);
    EXPECT_STREQ(ctrl->presetName(), Sjis(kSettei).c_str());

    // The next start finds it again through the main settings file.
    ctrl->prdefPBtnOkAction();
    Start();
    EXPECT_EQ(ctrl->presetIndex(), 1);

    modal.answers = {1};
    Delete();
    EXPECT_EQ(modal.alerts.back().message,
              QString::fromUtf8("プリセット \"") + QString::fromUtf8(kSettei) +
                  QString::fromUtf8("\" を完全に削除しますか？"));
    EXPECT_FALSE(fs::exists(folder + "/" + fileName));
    EXPECT_TRUE(Presets().isEmpty());
}

TEST_F(PresetMenuTest, RefusedNamesWriteNothingOutsideThePresetFolder) {
    Start();
    const std::string settings = ReadFileBytes(home.settingsFile());
    NameDialogScript script({[&](QLineEdit* field, QPushButton* ok, QPushButton* cancel) {
        for (const char* name : {"../../TRZNSerConfig", "../x", "", "..", "a/b"}) {
            field->setText(name);
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_TRUE(field->window()->isVisible()) << name;
        }
        QTest::mouseClick(cancel, Qt::LeftButton);
    }});
    SaveAs();
    EXPECT_EQ(modal.beeps, 5);
    EXPECT_EQ(ReadFileBytes(home.settingsFile()), settings);
    EXPECT_FALSE(fs::exists(home.productFolder() + "/x.ini"));
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(menu()->currentIndex(), 0);
}

}  // namespace

// A wheel over the closed pop-up, or a stepping key, must never reach a command (or switch
// presets): any name dialog that comes up fails the test.
struct WheelRow {
    const char* name;
    bool onPreset;  // start on preset "P" instead of "no preset"
    int angle;      // wheel turn; negative moves down the list
};
void PrintTo(const WheelRow& row, std::ostream* os) { *os << row.name; }


class PresetMenuWheel : public PresetMenuTest, public testing::WithParamInterface<WheelRow> {};

TEST_P(PresetMenuWheel, LeavesTheSelectionAndRunsNothing) {
    const WheelRow& row = GetParam();
    WritePreset("P", 2);
    WriteMain(row.onPreset ? "P" : "", 2);
    Start();
    const int before = menu()->currentIndex();
    NameDialogScript script({});
    for (int turn = 0; turn < 3; ++turn) {
        const QPointF at(menu()->width() / 2.0, menu()->height() / 2.0);
        QWheelEvent wheel(at, menu()->mapToGlobal(at), QPoint(), QPoint(0, row.angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(menu(), &wheel);
    }
    QApplication::processEvents();
    EXPECT_EQ(menu()->currentIndex(), before);
    EXPECT_EQ(ctrl->presetIndex(), row.onPreset ? 1 : 0);
    EXPECT_TRUE(modal.alerts.empty());
    EXPECT_TRUE(script.offered.empty());
    EXPECT_TRUE(fs::exists(folder + "/P.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PresetMenuWheel,
    testing::Values(WheelRow{"NoPresetDown", false, -120}, WheelRow{"NoPresetUp", false, 120},
                    WheelRow{"OnPresetDown", true, -120}, WheelRow{"OnPresetUp", true, 120}),
    [](const testing::TestParamInfo<WheelRow>& info) { return std::string(info.param.name); });

TEST_F(PresetMenuTest, SteppingKeysOpenTheListInsteadOfChoosing) {
    WritePreset("P", 2);
    WriteMain("P", 2);
    Start();
    NameDialogScript script({});
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown}) {
        QTest::keyClick(menu(), key);
        EXPECT_EQ(menu()->currentIndex(), 1) << key;
        EXPECT_TRUE(menu()->view()->isVisible()) << key;
        menu()->hidePopup();
    }
    EXPECT_TRUE(script.offered.empty());
    EXPECT_TRUE(modal.alerts.empty());
}
