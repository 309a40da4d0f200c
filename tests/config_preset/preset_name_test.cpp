#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>

#include "config/TRZN_PresetName.h"
#include "tests/config_preset/preset_support.h"
#include "tests/support/temp_home.h"

namespace {

class PresetNameTest : public testing::Test {
protected:
    TempHome home;
    ScriptedModal modal;
    TRZN_PresetName ctrl;
    QLineEdit* field() { return ctrl.panel()->findChild<QLineEdit*>("presetNameEdtx"); }
    QPushButton* button(const char* name) { return ctrl.panel()->findChild<QPushButton*>(name); }

    // Runs the dialog modally and lets act() drive it once it is up; a watchdog ends a run
    // whose dialog never comes up or never closes.
    int Run(std::function<void()> act) {
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), ctrl.panel());
            act();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            ADD_FAILURE() << "the name dialog did not close";
            ctrl.panel()->done(-1);
        });
        watchdog.start(5000);
        return ctrl.panel()->exec();
    }
};

TEST_F(PresetNameTest, ShowsAndReturnsShiftJISNames) {
    const std::string name = Sjis("\xE8\xA8\xAD\xE5\xAE\x9A 1");  // 設定 1
    ctrl.SetPresetName(name.c_str());
    EXPECT_EQ(field()->text(), QString::fromUtf8("\xE8\xA8\xAD\xE5\xAE\x9A 1"));
    char buf[256];
    std::memset(buf, 'x', sizeof buf);
    ctrl.GetPresetName(buf);
    EXPECT_STREQ(buf, name.c_str());
}

TEST_F(PresetNameTest, CutsLongTextAt255BytesWithoutSplittingACharacter) {
    field()->setText(QString(300, QChar(u'a')));
    char buf[256];
    ctrl.GetPresetName(buf);
    EXPECT_EQ(std::strlen(buf), 255u);
    EXPECT_EQ(buf[255], '\0');

    field()->setText(QString(200, QChar(u'\u3042')));  // 2 bytes each in Shift-JIS
    ctrl.GetPresetName(buf);
    EXPECT_EQ(std::strlen(buf), 254u);
}

TEST_F(PresetNameTest, ButtonsEndTheRunWithTheirCodes) {
    ctrl.SetPresetName("P");
    EXPECT_EQ(Run([&] { QTest::mouseClick(button("presetPBtnOk"), Qt::LeftButton); }),
              TRZN_PresetName::kResultOk);
    EXPECT_EQ(Run([&] { QTest::mouseClick(button("presetPBtnCancel"), Qt::LeftButton); }),
              TRZN_PresetName::kResultCancel);
    EXPECT_EQ(Run([&] { QTest::keyClick(ctrl.panel(), Qt::Key_Escape); }),
              TRZN_PresetName::kResultCancel);
    EXPECT_EQ(Run([&] { QTest::keyClick(field(), Qt::Key_Return); }), TRZN_PresetName::kResultOk);
    EXPECT_EQ(modal.beeps, 0);
}

TEST_F(PresetNameTest, RefusesNamesThatCannotBePresetFiles) {
    const QString rows[] = {
        "", ".", "..", "../../TRZNSerConfig", "a/b", QString("a") + QChar(u'\0'), "a\"b",
        "x.ini", QString(252, QChar(u'a')), QString::fromUtf8("\xF0\x9F\x98\x80"),
    };
    for (const QString& text : rows) {
        const int before = modal.beeps;
        const int code = Run([&] {
            field()->setText(text);
            QTest::mouseClick(button("presetPBtnOk"), Qt::LeftButton);
            EXPECT_TRUE(ctrl.panel()->isVisible()) << text.toStdString();
            EXPECT_EQ(modal.beeps, before + 1) << text.toStdString();
            // The beep is often silent: the dialog says why beside the name.
            const auto* note = ctrl.panel()->findChild<QLabel*>("presetLabelNote");
            EXPECT_TRUE(note->isVisibleTo(ctrl.panel())) << text.toStdString();
            EXPECT_FALSE(note->text().isEmpty()) << text.toStdString();
            if (text.contains(u'"') || text.contains(u'/'))
                EXPECT_TRUE(note->text().contains(text.contains(u'"') ? u'"' : u'/'));
            // A corrected name is taken.
            field()->setText("ok");
            QTest::mouseClick(button("presetPBtnOk"), Qt::LeftButton);
        });
        EXPECT_EQ(code, TRZN_PresetName::kResultOk) << text.toStdString();
    }
    // Nothing reached outside the preset folder.
    EXPECT_FALSE(std::filesystem::exists(home.productFolder() + "/TRZNSerConfig.ini"));
}

}  // namespace
