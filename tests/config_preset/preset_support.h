#pragma once
// Preset folders made of real files, Shift-JIS spellings of test names, and a modal seam that
// answers alerts from a script and counts beeps.

#include <sys/stat.h>

#include <QString>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "config/preset_list.h"
#include "platform/modal.h"
#include "tests/support/temp_home.h"

inline std::string Sjis(const std::string& utf8) { return PresetSjisForm(utf8).value(); }

inline void Touch(const std::string& folder, const std::string& fileName,
                  const std::string& bytes = "") {
    WriteFileBytes(folder + "/" + fileName, bytes);
}

inline std::vector<std::string> Names(const std::vector<PresetEntry>& list) {
    std::vector<std::string> names;
    for (const PresetEntry& e : list) names.push_back(e.name);
    return names;
}

struct AlertCall {
    QString message;
    QString first;
    QString second;
};

class ScriptedModal final : public ModalSeam {
public:
    ScriptedModal() { SetModalSeam(this); }
    ~ScriptedModal() override { SetModalSeam(nullptr); }
    int Alert(QWidget*, const QString& message, const QString& first,
              const QString& second) override {
        alerts.push_back({message, first, second});
        if (answers.empty()) return 2;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void Beep() override { ++beeps; }

    std::deque<int> answers;  // 1 first button, 2 second; Cancel once they run out
    std::vector<AlertCall> alerts;
    int beeps = 0;
};
