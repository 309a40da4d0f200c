#pragma once
// Paper lists built from readable rows, and a modal seam that counts beeps.

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/modal.h"
#include "settings/records.h"

struct PaperRow {
    std::string name;
    int16_t width;
    int16_t height;
    int16_t roll;
};

inline TPrPaper MakePaperList(std::initializer_list<PaperRow> rows) {
    TPrPaper list{};
    for (const PaperRow& row : rows) {
        TPrPaperItem& item = list.pitem[list.pitem_count++];
        std::strncpy(item.pname, row.name.c_str(), sizeof(item.pname) - 1);
        item.pwidth = row.width;
        item.pheight = row.height;
        item.pisroll = row.roll;
    }
    return list;
}

inline std::vector<std::string> PaperNames(const TPrPaper& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.pitem_count; ++i) names.emplace_back(list.pitem[i].pname);
    return names;
}

class BeepCounter final : public ModalSeam {
public:
    BeepCounter() { SetModalSeam(this); }
    ~BeepCounter() override { SetModalSeam(nullptr); }
    int Alert(QWidget*, const QString&, const QString&, const QString&) override { return 2; }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void Beep() override { ++beeps; }
    int beeps = 0;
};
