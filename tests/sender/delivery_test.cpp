// Each destination's delivery on its own, through the interface the controller drives: how it
// ends when the plot goes out, when it can't, and when Stop comes while it works.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <thread>

#include "platform/ports.h"
#include "sender/make_delivery.h"
#include "sender/stop_ending.h"
#include "tests/platform/cups_fixture.h"
#include "tests/platform/ftp_fixture.h"
#include "tests/sender/sender_fixture.h"

namespace {

enum class Kind { Serial, Folder, Ftp, Queue };
enum class Fault { None, Unreachable, StopMidway };

struct OutcomeCase {
    const char* name;
    Kind kind;
    Fault fault;
    TDeliveryState ends;
    const char* words;  // in the outcome's message, or in Stop's when it stopped
};
void PrintTo(const OutcomeCase& row, std::ostream* os) { *os << row.name; }

using S = TDeliveryState;
const OutcomeCase kCases[] = {
    {"SerialDelivered", Kind::Serial, Fault::None, S::Delivered, "送信しました"},
    {"SerialNoDevice", Kind::Serial, Fault::Unreachable, S::Failed, "no-such-tty"},
    // The plotter holds the line: Stop ends it, with no outcome of its own.
    {"SerialStopped", Kind::Serial, Fault::StopMidway, S::Working, "中止しました"},
    {"FolderDelivered", Kind::Folder, Fault::None, S::Delivered, "送信しました"},
    {"FolderNotSet", Kind::Folder, Fault::Unreachable, S::Failed,
     "共有フォルダが設定されていません"},
    // Stopped before its first step (a copy stopped half way is the window's test).
    {"FolderStoppedBeforeCopy", Kind::Folder, Fault::StopMidway, S::Working, "中止しました"},
    {"FtpDelivered", Kind::Ftp, Fault::None, S::Delivered, "送信しました"},
    {"FtpNoServer", Kind::Ftp, Fault::Unreachable, S::Failed, "サーバにつながりません"},
    // Stopped before its first step (an upload stopped half way is the window's test).
    {"FtpStoppedBeforeUpload", Kind::Ftp, Fault::StopMidway, S::Working, "何も届いていません"},
    {"QueueDelivered", Kind::Queue, Fault::None, S::Delivered, "送信しました"},
    {"QueueMissing", Kind::Queue, Fault::Unreachable, S::Failed, "サーバにありません"},
    {"QueueJobCancelled", Kind::Queue, Fault::StopMidway, S::Working, "取り消しました"},
};

class DeliveryOutcome : public TCupsTest, public testing::WithParamInterface<OutcomeCase> {
protected:
    TempHome home;
};

TEST_P(DeliveryOutcome, EndsAsTheDestinationDid) {
    const OutcomeCase& row = GetParam();
    const bool unreachable = row.fault == Fault::Unreachable;
    const std::string plot =
        "\x1b.(IN;IW;" + SamplePlotBody(row.kind == Kind::Serial ? 60000 : 4000) + "\x1b.)";
    WriteFileBytes(home.productFolder() + "/Trazen.tmp", plot);
    TSrConfig port{};
    port.baud = 4;
    port.data = 1;
    TDeliverySetup setup;
    setup.port = &port;
    setup.productFolder = home.productFolder();
    setup.pause = setup.writableLimit = std::chrono::milliseconds(0);
    setup.serve = [] {};

    PtyPlotter plotter;
    const std::string anonDir = home.scratch("ftp-anon");
    std::filesystem::create_directories(anonDir + "/lp");
    std::unique_ptr<FtpServer> ftp;
    std::unique_ptr<TPlotterListener> listener;
    const std::string queue = std::string("trzn_") + row.name;
    std::string delivered;  // where the plot lands
    switch (row.kind) {
        case Kind::Serial:
            setup.code = 0;
            setup.devicePath = unreachable ? home.root() + "/no-such-tty" : plotter.slavePath();
            break;
        case Kind::Folder:
            setup.code = kDestSharedFolder;
            if (!unreachable) std::strcpy(port.shared_folder, home.scratch("server").c_str());
            break;
        case Kind::Ftp:
            ftp = std::make_unique<FtpServer>(home.scratch("ftp-user"), anonDir);
            ASSERT_TRUE(ftp->ok()) << ftp->errorText();
            setup.code = kDestPricomFtp;
            setup.ftpPort = unreachable ? UnusedLoopbackPort() : ftp->port();
            std::strcpy(port.ipaddr, "127.0.0.1");
            delivered = anonDir + "/lp/Trazen.tmp";
            break;
        case Kind::Queue:
            listener = std::make_unique<TPlotterListener>(TPlotterListener::Mode::Record);
            setup.code = kDestPrinterQueue;
            setup.queue = queue;
            if (!unreachable) ASSERT_TRUE(Cups().AddRawQueue(queue, listener->uri()));
            if (row.fault == Fault::StopMidway) ASSERT_TRUE(Cups().StopQueue(queue));
            break;
    }
    const std::unique_ptr<TDelivery> delivery = MakeDelivery(setup);
    delivery->Prepare();
    delivery->Start();

    // Serial is under way once bytes went out, the others once their first step has run.
    QString stopWords;
    std::optional<TStopReply> reply;
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (delivery->Outcome().state == S::Working && std::chrono::steady_clock::now() < deadline) {
        const TDeliveryProgress p = delivery->Progress();
        const bool underWay =
            row.kind == Kind::Serial ? p.sent > 0 : !p.detail.isEmpty() || row.kind != Kind::Queue;
        if (row.fault == Fault::StopMidway && !reply && underWay) {
            reply = delivery->Stop(&stopWords);
            if (*reply == TStopReply::Stopped) break;
        }
        delivery->Step();
        if (row.fault == Fault::None) received += plotter.ReadAvailable();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const TDeliveryOutcome outcome = delivery->Outcome();
    EXPECT_EQ(outcome.state, row.ends) << outcome.message.toStdString();
    const QString said = row.ends == S::Working ? stopWords : outcome.message;
    EXPECT_TRUE(said.contains(QString::fromUtf8(row.words))) << said.toStdString();
    if (row.fault == Fault::StopMidway)
        EXPECT_EQ(reply, row.ends == S::Working ? TStopReply::Stopped : TStopReply::GoesOn);
    // A plotter takes in what it holds meanwhile: the pty may be full, and what Stop could not
    // put on the line goes out at close.
    std::string got = row.kind == Kind::Serial ? plotter.ReadAvailable() : std::string();
    delivery->Close();
    if (row.kind == Kind::Serial && row.fault == Fault::StopMidway) {
        // The pty hands the last bytes on a moment after the line closed, more so under load.
        got += plotter.ReadAvailable();
        for (int i = 0; i < 300 && !got.ends_with("PU;\x1b.)"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            got += plotter.ReadAvailable();
        }
        const auto sent = static_cast<size_t>(delivery->Progress().sent);
        ASSERT_LE(sent, got.size());
        EXPECT_EQ(got.substr(0, sent), plot.substr(0, sent));
        // After the plot's bytes, only what leaves the plotter safe.
        EXPECT_TRUE(got.ends_with("PU;\x1b.)")) << got.substr(sent);
        EXPECT_LE(got.size() - sent, kFinishMost + 6);
    }
    if (row.kind == Kind::Serial && row.fault == Fault::None)
        EXPECT_TRUE(received + got + plotter.ReadAvailable() == plot);
    if (!delivered.empty() && row.ends == S::Delivered)
        EXPECT_TRUE(ReadFileBytes(delivered) == plot);
    if (row.kind == Kind::Queue && row.ends == S::Delivered)
        EXPECT_TRUE(listener->Received(std::chrono::seconds(10)).value_or("") == plot);
    if (row.kind == Kind::Queue) Cups().RemoveQueue(queue);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeliveryOutcome, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<OutcomeCase>& i) { return i.param.name; });

}  // namespace
