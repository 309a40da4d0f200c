// What trzn-plot asks on the desktop before many plots go at once, answered through the modal
// seam as the user would answer it.

#include "tools/plot_question.h"

#include <gtest/gtest.h>

#include "platform/modal.h"

namespace {

// Answers the question as the user would, and keeps what it was asked.
struct Answer final : ModalSeam {
    explicit Answer(int given) : given(given) { SetModalSeam(this); }
    ~Answer() override { SetModalSeam(nullptr); }
    int Alert(QWidget*, const QString&, const QString&, const QString&) override { return 2; }
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return {}; }
    void Beep() override {}
    int Choose(QWidget*, const QString& message, const QStringList& answers) override {
        asked = message;
        offered = answers;
        return given;
    }
    int given;  // 1 all, 2 the first only, 3 cancel; 0: no question expected
    QString asked;
    QStringList offered;
};

std::vector<PlotPart> Parts(int from, int to, int count, bool page) {
    std::vector<PlotPart> out;
    for (int n = from; n <= to; ++n) out.push_back({"body", "", "", n, count, page});
    return out;
}

// The window's page range starts at the first part and ends at 9999.
TEST(ManyPlots, AskedFirstAndAnsweredAsChosen) {
    const struct {
        const char* name;
        std::vector<PlotPart> parts;
        int answer;
        size_t plots;
        const char* says;  // in the question
        const char* firstButton;
    } rows[] = {
        {"22_pages_all", Parts(1, 22, 22, true), 1, 22, "report.pdf has 22 pages",
         "Plot page 1 only"},
        {"22_pages_first", Parts(1, 22, 22, true), 2, 1, "page range 1-9999", "Plot page 1 only"},
        {"22_pages_cancel", Parts(1, 22, 22, true), 3, 0, "makes 22 plots", "Plot page 1 only"},
        {"range_from_page_3", Parts(3, 5, 22, true), 2, 1, "range 3-9999 set", "Plot page 3 only"},
        {"panels", Parts(1, 4, 4, false), 1, 4, "cut into 4 panels along the roll",
         "Plot panel 1 only"},
        {"one_plot_is_not_asked", Parts(1, 1, 1, false), 0, 1, "", ""},
        {"one_page_of_many_is_not_asked", Parts(2, 2, 22, true), 0, 1, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Answer answer(row.answer);
        const int first = row.parts.front().number;
        const std::vector<PlotPart> kept =
            ChosenParts(row.parts, AskManyPlots(row.parts, "report.pdf", first, 9999));
        ASSERT_EQ(kept.size(), row.plots);
        if (!kept.empty()) EXPECT_EQ(kept.front().number, first);
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
