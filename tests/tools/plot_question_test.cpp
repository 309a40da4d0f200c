// What trzn-plot asks on the desktop before many plots go at once, answered through the modal
// seam as the user would answer it.

#include "tools/plot_question.h"

#include <gtest/gtest.h>

#include "platform/modal.h"

namespace {

class Answer final : public ModalSeam {
public:
    explicit Answer(int answer) : answer_(answer) { SetModalSeam(this); }
    ~Answer() override { SetModalSeam(nullptr); }
    int Alert(QWidget*, const QString&, const QString&, const QString&) override { return 2; }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void Beep() override {}
    int Choose(QWidget*, const QString& message, const QStringList& answers) override {
        asked = message;
        offered = answers;
        return answer_;
    }
    QString asked;
    QStringList offered;

private:
    int answer_;
};

std::vector<PlotPart> Parts(int from, int to, int count, bool page) {
    std::vector<PlotPart> out;
    for (int n = from; n <= to; ++n) out.push_back({"body", "", "", n, count, page});
    return out;
}

TEST(ManyPlots, AskedFirstAndAnsweredAsChosen) {
    const struct {
        const char* name;
        std::vector<PlotPart> parts;
        int rangeFirst;  // the window's first page; the last is 9999
        int answer;      // 1 all, 2 the first only, 3 cancel; 0: no question expected
        size_t plots;
        int firstNumber;
        const char* says;  // in the question
        const char* firstButton;
    } rows[] = {
        {"22_pages_all", Parts(1, 22, 22, true), 1, 1, 22, 1, "report.pdf has 22 pages",
         "Plot page 1 only"},
        {"22_pages_first", Parts(1, 22, 22, true), 1, 2, 1, 1, "page range 1-9999",
         "Plot page 1 only"},
        {"22_pages_cancel", Parts(1, 22, 22, true), 1, 3, 0, 0, "makes 22 plots",
         "Plot page 1 only"},
        {"range_from_page_3", Parts(3, 5, 22, true), 3, 2, 1, 3, "range 3-9999 set",
         "Plot page 3 only"},
        {"panels", Parts(1, 4, 4, false), 1, 1, 4, 1, "cut into 4 panels along the roll",
         "Plot panel 1 only"},
        {"one_plot_is_not_asked", Parts(1, 1, 1, false), 1, 0, 1, 1, "", ""},
        {"one_page_of_many_is_not_asked", Parts(2, 2, 22, true), 2, 0, 1, 2, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Answer answer(row.answer);
        const PlotsChosen chosen = AskManyPlots(row.parts, "report.pdf", row.rangeFirst, 9999);
        const std::vector<PlotPart> kept = ChosenParts(row.parts, chosen);
        ASSERT_EQ(kept.size(), row.plots);
        if (!kept.empty()) EXPECT_EQ(kept.front().number, row.firstNumber);
        EXPECT_EQ(answer.asked.isEmpty(), row.answer == 0);
        if (row.answer == 0) continue;
        EXPECT_TRUE(answer.asked.contains(QString::fromUtf8(row.says)))
            << answer.asked.toStdString();
        ASSERT_EQ(answer.offered.size(), 3);
        EXPECT_EQ(answer.offered[1], QString::fromUtf8(row.firstButton));
        EXPECT_EQ(answer.offered[2], QStringLiteral("Cancel"));
    }
}

}  // namespace
