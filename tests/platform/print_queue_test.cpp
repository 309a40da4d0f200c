// Raw jobs through a real cupsd on loopback to a listener standing in for a network plotter.

#include "platform/print_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <string>

#include "tests/platform/cups_fixture.h"
#include "tests/support/temp_home.h"

namespace {

using namespace std::chrono_literals;
using Mode = TPlotterListener::Mode;
using State = QueueJobState;

QueueJobStatus Final(TQueueJob& job) {
    const auto deadline = std::chrono::steady_clock::now() + 40s;
    QueueJobStatus s = job.Status();
    while (s.ok && !IsFinal(s.state) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(100ms);
        s = job.Status();
    }
    return s;
}

class PrintQueueTest : public TCupsTest {
protected:
    std::string WritePlot(const std::string& bytes) {
        const std::string path = _home.scratch("plot") + "/Trazen.tmp";
        WriteFileBytes(path, bytes);
        return path;
    }
    TempHome _home;
};

// A submit that its caller stops part way leaves no job waiting on the server (Stop on a job
// already queued is the sender's table).
TEST_F(PrintQueueTest, InterruptedSubmitEndsCancelled) {
    TPlotterListener plotter(Mode::Record);
    ASSERT_TRUE(Cups().AddRawQueue("interrupted", plotter.uri()));
    ASSERT_TRUE(Cups().StopQueue("interrupted"));
    TQueueJob job;
    const QueueSubmitResult sent =
        job.Submit("interrupted", WritePlot(std::string(1024 * 1024, 'x')), "drawing",
                   [](std::int64_t s, std::int64_t) { return s < 65536; });
    EXPECT_EQ(sent.error, QueueError::Interrupted);
    EXPECT_EQ(Final(job).state, State::Cancelled);
    std::string why;
    EXPECT_TRUE(job.Cancel(&why)) << why;  // already cancelled: no refusal to report
    EXPECT_FALSE(plotter.Received(0ms).has_value());
    Cups().RemoveQueue("interrupted");
}

TEST_F(PrintQueueTest, ListsTheQueuesByNameThatFitTheSettings) {
    const std::string longest(79 - 6, 'l');  // "CUPS: " + name is exactly the field
    for (const std::string& q : {std::string("zeta"), std::string("alpha"), longest, longest + "x"})
        ASSERT_TRUE(Cups().AddRawQueue(q, "socket://127.0.0.1:9/"));
    EXPECT_EQ(PrintQueues(), (std::vector<std::string>{"alpha", longest, "zeta"}));
    for (const std::string& q : {std::string("zeta"), std::string("alpha"), longest, longest + "x"})
        Cups().RemoveQueue(q);

    TQueueJob job;
    const QueueSubmitResult missing = job.Submit("gone", WritePlot("IN;"), "drawing", {});
    EXPECT_EQ(missing.error, QueueError::NoSuchQueue) << missing.message;
    EXPECT_FALSE(missing.message.empty());
}

// Submitting without a server is the sender's table.
TEST(PrintQueueNoServer, NothingListedAndNoWait) {
    TPlotterListener closed(Mode::Refuse);
    TCupsClientServer client("127.0.0.1:" + std::to_string(closed.port()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PrintQueues().empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

}  // namespace
