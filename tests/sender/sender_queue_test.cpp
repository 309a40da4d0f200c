// The sender delivering to a printer queue of a real cupsd, with a loopback listener as the
// network plotter behind the queue.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "platform/print_queue.h"
#include "settings/store.h"
#include "tests/platform/cups_fixture.h"
#include "tests/sender/sender_fixture.h"

namespace {

struct QueueCase {
    const char* name;
    TPlotterListener::Mode plotter;
    bool queueStopped;  // jobs wait in the queue; the test presses Stop once the job is there
    bool override;      // trzn-plot --queue: the settings name the shared folder
    bool noServer;      // the client points at a port where no CUPS listens
    int exitCode;
    int64_t completion;
    bool arrives;  // the framed plot reaches the plotter, byte for byte
};
void PrintTo(const QueueCase& row, std::ostream* os) { *os << row.name; }

constexpr auto kRecord = TPlotterListener::Mode::Record;
constexpr auto kRefuse = TPlotterListener::Mode::Refuse;
constexpr auto kCloseEarly = TPlotterListener::Mode::CloseEarly;

const QueueCase kCases[] = {
    {"DeliversByteForByte", kRecord, false, false, false, 0, 1, true},
    {"RefusingPlotterFails", kRefuse, false, false, false, 2, 2, false},
    // A plotter switched off mid-plot: the job is aborted, never reported done.
    {"PlotterGoneMidPlotFails", kCloseEarly, false, false, false, 2, 2, false},
    {"StopCancelsHeldJob", kRecord, true, false, false, 1, 2, false},
    {"OverrideLeavesSettings", kRecord, false, true, false, 0, 1, true},
    {"NoServerFailsClearly", kRecord, false, false, true, 2, 2, false},
};

class SenderQueue : public TCupsTest, public testing::WithParamInterface<QueueCase> {
protected:
    TempHome home;
    SenderUnderTest run;
};

TEST_P(SenderQueue, EndsAsTheJobDoes) {
    const QueueCase& row = GetParam();
    TPlotterListener plotter(row.plotter);
    const std::string queue = std::string("trzn_") + row.name;
    std::string error;
    ASSERT_TRUE(Cups().AddRawQueue(queue, plotter.uri(), &error)) << error;
    if (row.queueStopped) ASSERT_TRUE(Cups().StopQueue(queue));
    std::unique_ptr<TCupsClientServer> elsewhere;
    if (row.noServer) elsewhere = std::make_unique<TCupsClientServer>("127.0.0.1:1");

    const char* stored = row.override ? "Shared Folder(Trazen Server)" : nullptr;
    const std::string label = QueueLabel(queue);
    WriteSenderSettings([&](TSrConfig& s) {
        std::strcpy(s.port_name, stored ? stored : label.c_str());
        std::strcpy(s.shared_folder, home.scratch("server").c_str());
    });
    // Larger than the socket buffers, so a plotter that goes away mid-plot is noticed.
    WritePlugInFiles(home, "NAME:drawing\r\n",
                     SamplePlotBody(row.plotter == kCloseEarly ? 4 << 20 : 3000));
    if (row.override) run.sender.setQueueOverride(queue);
    run.sender.awakeFromNib();
    EXPECT_EQ(run.sender.destinationCode(), kDestPrinterQueue);

    auto* job = run.sender.panel()->findChild<QLineEdit*>("prserTextSendMsg2");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!run.exitCode && std::chrono::steady_clock::now() < deadline) {
        run.sender.firedByTimer();
        // Stop on a waiting job; Close on a failed run, whose panel waits to be read.
        if (row.queueStopped && !job->text().isEmpty()) {
            if (const char* dir = std::getenv("TRZN_SENDER_PICTURES"))
                run.sender.panel()->grab().save(QString::fromUtf8(dir) + "/sender-queue.png");
        }
        if ((row.queueStopped && !job->text().isEmpty()) || run.sender.failed())
            run.sender.prserPBtnStopDataAction();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(run.exitCode) << Cups().LogTail();
    EXPECT_EQ(*run.exitCode, row.exitCode) << Cups().LogTail();
    EXPECT_EQ(StoredCompletion(), row.completion);
    if (row.arrives) {
        const std::optional<std::string> got = plotter.Received(std::chrono::seconds(10));
        ASSERT_TRUE(got);
        EXPECT_TRUE(*got == ReadFileBytes(home.productFolder() + "/Trazen.tmp"));
    } else if (row.plotter == kRecord) {
        if (row.queueStopped) Cups().StartQueue(queue);  // a job left behind would now print
        EXPECT_FALSE(plotter.Received(std::chrono::milliseconds(1500)).value_or("").size() > 0);
    }
    RecordSet r;
    GetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    EXPECT_STREQ(r.serial->port_name, stored ? stored : label.c_str());
    Cups().RemoveQueue(queue);
}

INSTANTIATE_TEST_SUITE_P(Cases, SenderQueue, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<QueueCase>& i) { return i.param.name; });

}  // namespace
