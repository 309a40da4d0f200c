// The serial line paced by the plotter's own buffer, against a plotter of our own that loses
// what overflows, draws at a set speed and answers the device-control questions.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "platform/ports.h"
#include "platform/serial_line.h"
#include "plotjob/send_result.h"
#include "sender/plotter_queries.h"
#include "tests/sender/sender_fixture.h"
#include "tests/support/answering_plotter.h"

namespace {

using namespace std::chrono_literals;

struct NumberCase {
    const char* name;
    const char* answer;
    std::optional<long> value;
};

TEST(PlotterAnswer, ReadsTheNumberOrRefusesIt) {
    const NumberCase rows[] = {
        {"Plain", "1024\r", 1024},
        {"Zero", "0\r", 0},
        {"BlanksAndLineFeed", "  77 \r\n", 77},
        {"LineFeedOnly", "5\n", 5},
        {"NoEnd", "1024", std::nullopt},
        {"Empty", "\r", std::nullopt},
        {"Negative", "-3\r", std::nullopt},
        {"Letters", "12a\r", std::nullopt},
        {"Overflow", "99999999999999999999999\r", std::nullopt},
    };
    for (const NumberCase& row : rows) EXPECT_EQ(ParsePlotterNumber(row.answer), row.value) << row.name;
}

PlotterModel Plotter(size_t buffer, double drawRate, const char* silentTo = "",
                     const char* answerInstead = "") {
    PlotterModel m;
    m.buffer = buffer;
    m.drawRate = drawRate;
    m.silentTo = silentTo;
    m.answerInstead = answerInstead;
    return m;
}

class PacedSend : public testing::Test {
protected:
    void TearDown() override { SetSerialDeviceSource({}); }

    void Start(const PlotterModel& model, const std::string& body,
               int16_t flctrl = kFlowPlotterBuffer) {
        plotter = std::make_unique<AnsweringPlotter>(model);
        ASSERT_TRUE(plotter->ok());
        const std::string slave = plotter->slavePath();
        SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });
        WriteSenderSettings([&](TSrConfig& s) {
            std::strcpy(s.port_name, slave.c_str());
            s.baud = 7;
            s.data = 1;
            s.flctrl = flctrl;
        });
        WritePlugInFiles(home, "", body);
        run.sender.awakeFromNib();
    }

    // Ticks until the run ends or fails, or until() holds; never longer than limit.
    void TickUntil(const std::function<bool()>& until, std::chrono::seconds limit = 10s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!run.exitCode && !run.sender.failed() && !until() &&
               std::chrono::steady_clock::now() < deadline)
            run.Tick();
    }

    QString State() {
        return run.sender.panel()->findChild<QLabel*>("prserLabelState")->text();
    }
    void PressStop() { run.sender.panel()->findChild<QPushButton*>("prserPBtnStopData")->click(); }

    // The framed plot as the plotter takes it in: its plotter-on and -off are not data.
    std::string PlotData() {
        std::string data = ReadFileBytes(home.productFolder() + "/Trazen.tmp");
        for (const std::string code : {"\x1b.(", "\x1b.)"})
            for (size_t at; (at = data.find(code)) != std::string::npos;) data.erase(at, 3);
        return data;
    }

    TempHome home;
    std::unique_ptr<AnsweringPlotter> plotter;
    SenderUnderTest run;
};

// A plotter whose buffer is a fraction of the plot gets every byte, none lost, and the run is
// done only once the plotter has drawn them, the panel saying so meanwhile.
TEST_F(PacedSend, EveryByteFitsAndDoneComesWhenDrawn) {
    Start(Plotter(512, 1500), SamplePlotBody(2500));
    bool sawDrawing = false;
    TickUntil([&] {
        sawDrawing = sawDrawing || State().contains("描いています");
        return false;
    });
    ASSERT_EQ(run.exitCode, 0) << State().toStdString();
    EXPECT_EQ(plotter->Held(), 0u);
    EXPECT_EQ(plotter->Lost(), 0u);
    EXPECT_TRUE(plotter->Taken() == PlotData());
    EXPECT_EQ(StoredCompletion(), 1);
    EXPECT_TRUE(sawDrawing);
    EXPECT_TRUE(State().contains("描き終えました")) << State().toStdString();
    const std::string controls = plotter->Controls();
    EXPECT_GT(std::count(controls.begin(), controls.end(), 'B'), 3) << controls;
    // Asked after the plot's own plotter-off, the status question turns the plotter on first.
    EXPECT_EQ(controls.substr(controls.size() - 3), "(O)") << controls;
}

// A plotter whose whole buffer is smaller than a segment still gets the plot, in pieces.
TEST_F(PacedSend, BufferSmallerThanASegment) {
    Start(Plotter(20, 20000), std::string(300, 'A') + ";");
    TickUntil([] { return false; });
    ASSERT_EQ(run.exitCode, 0) << State().toStdString();
    EXPECT_EQ(plotter->Lost(), 0u);
    EXPECT_TRUE(plotter->Taken() == PlotData());
}

struct StopCase {
    const char* name;
    size_t body;
    bool whileDrawing;  // Stop once everything is out, while the plotter draws
};
void PrintTo(const StopCase& row, std::ostream* os) { *os << row.name; }

class PacedStop : public PacedSend, public testing::WithParamInterface<StopCase> {};

// Stop aborts what the plotter holds, then turns it off: the pen stops instead of drawing out
// its buffer, and nothing more arrives.
TEST_P(PacedStop, EmptiesThePlotterAndSendsNoMore) {
    Start(Plotter(1024, 1000), SamplePlotBody(GetParam().body));
    TickUntil([&] {
        if (GetParam().whileDrawing) return State().contains("描いています");
        return run.sender.sentBytes() > 1500;
    });
    ASSERT_FALSE(run.exitCode.has_value());
    ASSERT_GT(plotter->Held(), 0u);
    PressStop();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    const auto aborted = [&] {
        const std::string c = plotter->Controls();
        return c.size() >= 2 && c.substr(c.size() - 2) == "K)";
    };
    while (!aborted() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    const std::string controls = plotter->Controls();
    EXPECT_EQ(controls.substr(controls.size() - 2), "K)") << controls;
    // Emptied, then given only the pen lift, which it draws out at once.
    while (plotter->Held() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(plotter->Held(), 0u);
    std::string taken = plotter->Taken();
    ASSERT_TRUE(taken.ends_with("PU;"));
    taken.resize(taken.size() - 3);
    EXPECT_TRUE(taken == PlotData().substr(0, taken.size()));
    EXPECT_EQ(plotter->Lost(), 0u);

    // The plotter the Stop left programmed off takes the next plot: the first question of a
    // send turns it on.
    WritePlugInFiles(home, "", SamplePlotBody(300));
    SenderUnderTest next;
    next.sender.awakeFromNib();
    const auto limit = std::chrono::steady_clock::now() + 10s;
    while (!next.exitCode && !next.sender.failed() && std::chrono::steady_clock::now() < limit)
        next.Tick();
    EXPECT_EQ(next.exitCode, 0) << plotter->Controls();
}

INSTANTIATE_TEST_SUITE_P(Cases, PacedStop,
                         testing::Values(StopCase{"MidPlot", 8000, false},
                                         StopCase{"WhileDrawing", 600, true}),
                         [](const testing::TestParamInfo<StopCase>& i) { return i.param.name; });

// Stop in the middle of a long run of coordinates on a line paced by its flow control leaves
// the plotter safe: the instruction ended on a pair of the plot's own, the pen lifted, the
// plotter off. The status says stopped, and so does the result, without a wait that is over by
// then. (A plotter that answers is emptied instead: PacedStop.)
TEST_F(PacedSend, StopEndsTheInstructionLiftsThePenAndTurnsThePlotterOff) {
    std::string body = "SP1;PU0,0;PD";
    for (int i = 0; i < 20000; ++i)
        body += std::to_string(14875 + i) + "," + std::to_string(5590 + i % 7) + ",";
    body += "0,0;PU;SP0;";
    PlotterModel model = Plotter(1 << 20, 2000);
    model.lineRate = 20000;  // a line slower than the plot is long, so that Stop finds it under way
    Start(model, body, 2);
    TickUntil([&] { return run.sender.sentBytes() > 3000; });
    ASSERT_FALSE(run.exitCode.has_value());
    PressStop();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(StoredCompletion(), 2);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!plotter->Received().ends_with("\x1b.)") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);

    // The plot up to a whole pair of its own, then the instruction's end.
    const std::string framed = ReadFileBytes(home.productFolder() + "/Trazen.tmp");
    std::string received = plotter->Received();
    ASSERT_TRUE(received.ends_with(";PU;\x1b.)")) << received.substr(received.size() - 40);
    received.resize(received.size() - 7);
    EXPECT_TRUE(framed.compare(0, received.size(), received) == 0);
    EXPECT_EQ(framed[received.size()], ',');
    const auto pairs = received.begin() + static_cast<long>(received.rfind("PD"));
    EXPECT_EQ(std::count(pairs, received.end(), ',') % 2, 1);
    const std::optional<SendResult> result = ReadSendResult(home.productFolder());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->end, SendEnd::Stopped);
    EXPECT_TRUE(result->words.contains("中止しました")) << result->words.toStdString();
    EXPECT_FALSE(result->words.contains("待って")) << result->words.toStdString();
}

struct SilenceCase {
    const char* name;
    PlotterModel model;
    const char* named;  // what the message names
    bool plotGoesOut;
};
void PrintTo(const SilenceCase& row, std::ostream* os) { *os << row.name; }

class PacedSilence : public PacedSend, public testing::WithParamInterface<SilenceCase> {};

// A plotter that doesn't answer, or answers nonsense, ends the run as failed within the time
// limit, naming the flow control to choose instead: never a hang, never "done".
TEST_P(PacedSilence, FailsAndPointsToAnotherFlowControl) {
    Start(GetParam().model, SamplePlotBody(300));
    TickUntil([] { return false; });
    EXPECT_TRUE(run.sender.failed());
    EXPECT_FALSE(run.exitCode.has_value());
    EXPECT_EQ(StoredCompletion(), 2);
    const QString state = State();
    EXPECT_TRUE(state.contains(QString::fromUtf8(GetParam().named))) << state.toStdString();
    EXPECT_TRUE(state.contains("RTS/CTS")) << state.toStdString();
    EXPECT_EQ(plotter->Taken().empty(), !GetParam().plotGoesOut);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PacedSilence,
    testing::Values(SilenceCase{"SilentToRoom", Plotter(1024, 1e5, "B"), "ESC . B", false},
                    SilenceCase{"NotANumber", Plotter(1024, 1e5, "", "ERR\r"), "ERR", false},
                    SilenceCase{"SilentToStatus", Plotter(1024, 1e5, "O"), "ESC . O", true}),
    [](const testing::TestParamInfo<SilenceCase>& i) { return i.param.name; });

}  // namespace
