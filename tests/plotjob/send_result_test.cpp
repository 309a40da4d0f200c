// What the sender leaves for its caller, read back as trzn-plot relays it.

#include "plotjob/send_result.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_home.h"

TEST(SendResult, TheReasonIsRelayedOnOneLine) {
    struct Row {
        const char* name;
        bool left;  // a result file is there
        SendEnd end;
        const char* words;
        const char* reason;
    };
    const Row rows[] = {
        {"failed_over_lines", true, SendEnd::Failed, "コピーできませんでした。\n理由: 容量不足\n",
         "コピーできませんでした。 理由: 容量不足"},
        {"stopped", true, SendEnd::Stopped, "中止しました。", "中止しました。"},
        {"delivered_has_none", true, SendEnd::Delivered, "送信しました。", ""},
        {"killed_left_none", false, SendEnd::Failed, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string folder = home.productFolder();
        std::filesystem::create_directories(folder);
        ForgetSendResult(folder);
        if (row.left)
            ASSERT_TRUE(WriteSendResult(
                folder, {row.end, "共有フォルダ /srv\nplots", QString::fromUtf8(row.words)}));
        const std::optional<SendResult> result = ReadSendResult(folder);
        EXPECT_EQ(result.has_value(), row.left);
        if (result) EXPECT_EQ(result->destination, QString::fromUtf8("共有フォルダ /srv plots"));
        EXPECT_EQ(ReasonOnOneLine(result), QString::fromUtf8(row.reason));
    }
}
