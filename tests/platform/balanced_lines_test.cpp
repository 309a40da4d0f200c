// A message box's Japanese lines: balanced, and broken after 、 or 。 where one is near.

#include "platform/balanced_lines.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

namespace {

TEST(BalancedLines, JapaneseBreaksAfterPunctuationWithinReach) {
    struct Row {
        const char* name;
        const char* text;
        QStringList lines;
    };
    // 30 or 31 characters in a box of 20: balanced, the break falls after the 15th or 16th.
    const Row rows[] = {
        {"comma_in_reach",
         "印刷可能領域から図面が、大きくはみ出しているので切り取りました",
         {"印刷可能領域から図面が、", "大きくはみ出しているので切り取りました"}},
        {"full_stop_after_the_middle",
         "図面を読むプロセスが止まりました。ファイルを確かめてください",
         {"図面を読むプロセスが止まりました。", "ファイルを確かめてください"}},
        {"comma_out_of_reach",
         "図面、印刷可能領域から大きくはみ出しているので切り取りました",
         {"図面、印刷可能領域から大きくは", "み出しているので切り取りました"}},
        {"none_to_break_after",
         "印刷可能領域から図面が大きくはみ出しているので切り取りました",
         {"印刷可能領域から図面が大きくは", "み出しているので切り取りました"}},
        {"fits", "図面を切り取りました、", {"図面を切り取りました、"}},
    };
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(20);
    const int widest = static_cast<int>(QFontMetricsF(font).horizontalAdvance(u'図') * 20) + 2;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BalancedLines(QString::fromUtf8(row.text), font, widest).split(u'\n'), row.lines);
    }
}

}  // namespace
