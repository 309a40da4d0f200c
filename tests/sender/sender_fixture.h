#pragma once
// What the sender's tests share: the plug-in's files and the settings file in the throwaway
// home, a pseudo-terminal standing in for the plotter, and a controller that reports its exit
// status instead of ending the test process.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ports.h"
#include "sender/trzn_sersend.h"
#include "settings/records.h"
#include "tests/support/temp_home.h"

// Writes the main settings file as the configuration window would, after edit() has filled
// the port record (and editConfig the plotter configuration, when given); refCon is the
// completion status left from an earlier run.
void WriteSenderSettings(const std::function<void(TSrConfig&)>& edit, int64_t refCon = 0,
                         const std::function<void(TPrConfig&)>& editConfig = {});
// The completion status in the main settings file, or nothing when it can't be read.
std::optional<int64_t> StoredCompletion();

void WritePlugInFiles(const TempHome& home, const std::string& header, const std::string& body);

// The plotter's end of a pseudo-terminal pair; the sender opens slavePath().
class PtyPlotter {
public:
    PtyPlotter();
    ~PtyPlotter();
    bool ok() const { return master_ >= 0; }
    const std::string& slavePath() const { return slave_; }
    std::string ReadAvailable();    // everything that arrived so far, without waiting
    std::string Read(size_t most);  // one read, as a plotter with a small buffer makes

private:
    int master_ = -1;
    std::string slave_;
};

// The controller with a quit handler that records the exit status, and no long waits.
struct SenderUnderTest {
    SenderUnderTest();
    // A tick as the event loop gives it: the line has had the timer's interval since the last.
    void Tick();
    TRZN_SerSend sender;
    std::optional<int> exitCode;
};

// A plot body of roughly size bytes: squares in several pens, as the plug-in writes them.
std::string SamplePlotBody(size_t size);

// A sender whose only serial device is a pty plotter, in a throwaway home.
class PtySenderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plotter->ok());
        const std::string slave = plotter->slavePath();
        SetSerialDeviceSource([slave] { return std::vector<std::string>{slave}; });
    }
    void TearDown() override { SetSerialDeviceSource({}); }
    std::string Output() { return ReadFileBytes(home.productFolder() + "/Trazen.tmp"); }

    TempHome home;
    std::unique_ptr<PtyPlotter> plotter = std::make_unique<PtyPlotter>();
    SenderUnderTest run;
};
