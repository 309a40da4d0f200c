// Raw jobs through a real cupsd on loopback to a listener standing in for a network plotter.

#include "platform/print_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <string>

#include "tests/platform/cups_fixture.h"
#include "tests/support/temp_home.h"

namespace {

using namespace std::chrono_literals;
using Mode = TPlotterListener::Mode;
using State = QueueJobState;

// Every byte value, NULs and escape characters included: the queue must pass them unchanged.
std::string PlotBytes(std::size_t size) {
    std::mt19937 gen(7);
    std::string bytes(size, '\0');
    for (auto& c : bytes) c = static_cast<char>(gen());
    return bytes;
}

QueueJobStatus Final(TQueueJob& job, std::chrono::seconds limit = 40s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
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

TEST_F(PrintQueueTest, DeliveryEndsAsThePlotterDid) {
    struct Row {
        const char* name;
        Mode mode;
        std::size_t size;
        std::set<State> ends;
    } rows[] = {
        {"record", Mode::Record, 300 * 1024 + 17, {State::Completed}},
        // Never Completed: the plot did not reach the plotter.
        {"refused", Mode::Refuse, 1000, {State::Aborted, State::Stopped}},
        // Larger than the socket buffers, so the backend's writes meet the reset.
        {"closed_early", Mode::CloseEarly, 8 * 1024 * 1024, {State::Aborted, State::Stopped}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TPlotterListener plotter(r.mode);
        std::string error;
        ASSERT_TRUE(Cups().AddRawQueue(r.name, plotter.uri(), &error)) << error;
        const std::string bytes = PlotBytes(r.size);
        std::int64_t lastSent = 0, lastTotal = 0;
        TQueueJob job;
        const QueueSubmitResult sent =
            job.Submit(r.name, WritePlot(bytes), "drawing", [&](std::int64_t s, std::int64_t t) {
                lastSent = s;
                lastTotal = t;
                return true;
            });
        ASSERT_TRUE(sent.ok()) << sent.message;
        EXPECT_EQ(job.jobId(), sent.jobId);
        EXPECT_EQ(lastSent, static_cast<std::int64_t>(r.size));
        EXPECT_EQ(lastTotal, static_cast<std::int64_t>(r.size));

        const QueueJobStatus end = Final(job);
        EXPECT_TRUE(end.ok) << end.message;
        EXPECT_TRUE(r.ends.count(end.state))
            << static_cast<int>(end.state) << " " << end.message << Cups().LogTail();
        if (r.mode == Mode::Record) {
            const auto received = plotter.Received(10s);
            ASSERT_TRUE(received.has_value());
            EXPECT_TRUE(*received == bytes) << received->size() << " of " << bytes.size();
        } else {
            EXPECT_FALSE(end.message.empty());  // CUPS says why, e.g. "not responding"
        }
        Cups().RemoveQueue(r.name);
    }
}

// Both ways a plot is stopped leave no job waiting on the server.
TEST_F(PrintQueueTest, StoppedPlotsEndCancelled) {
    struct Row {
        const char* name;
        bool interruptWhileSending;
    } rows[] = {{"cancel_held_in_stopped_queue", false}, {"progress_says_stop", true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TPlotterListener plotter(Mode::Record);
        ASSERT_TRUE(Cups().AddRawQueue(r.name, plotter.uri()));
        ASSERT_TRUE(Cups().StopQueue(r.name));
        TQueueJob job;
        const QueueSubmitResult sent = job.Submit(
            r.name, WritePlot(PlotBytes(1024 * 1024)), "drawing",
            [&](std::int64_t s, std::int64_t) { return !r.interruptWhileSending || s < 65536; });
        if (r.interruptWhileSending) {
            EXPECT_EQ(sent.error, QueueError::Interrupted);
        } else {
            ASSERT_TRUE(sent.ok()) << sent.message;
            const QueueJobStatus waiting = job.Status();
            EXPECT_TRUE(waiting.state == State::Pending || waiting.state == State::Held);
            std::string why;
            EXPECT_TRUE(job.Cancel(&why)) << why;
        }
        EXPECT_EQ(Final(job).state, State::Cancelled);
        EXPECT_FALSE(plotter.Received(0ms).has_value());
        Cups().RemoveQueue(r.name);
    }
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

TEST(PrintQueueNoServer, NothingListedFastAndJobsFailAsUnreachable) {
    TPlotterListener closed(Mode::Refuse);
    TCupsClientServer client("127.0.0.1:" + std::to_string(closed.port()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PrintQueues().empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);

    TempHome home;
    const std::string plot = home.scratch("plot") + "/Trazen.tmp";
    WriteFileBytes(plot, "IN;");
    TQueueJob job;
    const QueueSubmitResult r = job.Submit("plotter", plot, "drawing", {});
    EXPECT_EQ(r.error, QueueError::ServerUnreachable);
    EXPECT_NE(r.message.find("127.0.0.1"), std::string::npos) << r.message;
}

}  // namespace
