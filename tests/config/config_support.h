#pragma once
// Shared pieces of the configuration window tests: settings files in the test's home, a fake
// serial device list, a folder chooser that answers, and control lookup by objectName.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "config/TRZN_Config.h"
#include "platform/modal.h"
#include "settings/records.h"
#include "settings/utility.h"

// Cleared records with the values a real file has (sheet margins, tools, pens 1..10 in black).
RecordSet SampleRecords();
// Writes the main settings file of the current home.
void WriteSettings(RecordSet& r, const char* presetName = "", const tPldStatRes* stat = nullptr);
// Loads the main settings file of the current home.
RecordSet ReadSettings(std::string* presetName = nullptr, tPldStatRes* stat = nullptr);

template <class T>
T* Control(TRZN_Config& c, const char* name) {
    T* w = c.window()->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Replaces the serial device list for the life of the object.
class FakeDevices {
public:
    explicit FakeDevices(std::vector<std::string> devices);
    ~FakeDevices();
};

// Answers the folder chooser (nothing = cancelled) and records the title it was asked with.
class FolderAnswer : public ModalSeam {
public:
    explicit FolderAnswer(std::optional<QString> answer);
    ~FolderAnswer() override;
    int Alert(QWidget*, const QString& message, const QString&, const QString&) override {
        alerts.push_back(message);
        return alertAnswer;
    }
    std::optional<QString> ChooseFolder(QWidget*, const QString& title) override;
    void SetAnswer(std::optional<QString> answer) { answer_ = std::move(answer); }
    void Beep() override { ++beeps; }
    QString askedTitle;
    int beeps = 0;
    std::vector<QString> alerts;
    int alertAnswer = 2;

private:
    std::optional<QString> answer_;
};

#include "tests/support/temp_home.h"

// Every window test runs in its own home with no serial devices unless it says otherwise.
class ConfigTest : public testing::Test {
protected:
    TempHome home;
    FakeDevices devices{{}};
};
