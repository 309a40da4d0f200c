#include <gtest/gtest.h>

#include <ostream>

#include <fcntl.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "sender/net_address.h"
#include "sender/segment_reader.h"
#include "sender/shared_copy.h"
#include "sender/stop_ending.h"
#include "tests/support/temp_home.h"

namespace {

// Every call of Next until the file ends.
std::vector<std::string> TickByTick(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    SegmentReader reader(fd);
    std::vector<std::string> ticks;
    std::string out;
    while (reader.Next(out) && !out.empty()) ticks.push_back(out);
    close(fd);
    return ticks;
}

struct SegmentCase {
    const char* name;
    std::string file;
    std::vector<std::string> ticks;
};
void PrintTo(const SegmentCase& row, std::ostream* os) { *os << row.name; }


class Segments : public testing::TestWithParam<SegmentCase> {};

TEST_P(Segments, TicksCarryAtMostTwoSegments) {
    TempHome home;
    const std::string path = home.scratch("s") + "/Trazen.tmp";
    WriteFileBytes(path, GetParam().file);
    EXPECT_EQ(TickByTick(path), GetParam().ticks);
}

const std::string kA80(80, 'A');

INSTANTIATE_TEST_SUITE_P(
    Cases, Segments,
    testing::Values(
        SegmentCase{"ThousandBytesWithoutDelimiter", std::string(1000, 'A'),
                    {std::string(160, 'A'), std::string(160, 'A'), std::string(160, 'A'),
                     std::string(160, 'A'), std::string(160, 'A'), std::string(160, 'A'),
                     std::string(40, 'A')}},
        SegmentCase{"PlotterOnThenInitialise", "\x1b.(IN;IW;PA0,0;",
                    {"\x1b.(IN;", "IW;PA0,0;"}},
        SegmentCase{"TwoInstructionsInOneTick", "PA0,0;PD100,100;", {"PA0,0;PD100,100;"}},
        SegmentCase{"EveryDelimiter", "a\x03" "b\nc(d)e;f", {"a\x03" "b\n", "c(d)", "e;f"}},
        SegmentCase{"DelimiterAsEightiethByte", std::string(79, 'A') + ";" + "BB",
                    {std::string(79, 'A') + ";BB"}},
        SegmentCase{"FullSegmentThenShortOne", kA80 + "BB;CC", {kA80 + "BB;", "CC"}},
        SegmentCase{"EmptyFile", "", {}}),
    [](const testing::TestParamInfo<SegmentCase>& info) { return info.param.name; });

TEST(Segments, UnsentBytesComeFirstNextTick) {
    TempHome home;
    const std::string path = home.scratch("s") + "/Trazen.tmp";
    std::string file;
    for (int i = 0; i < 300; ++i) file.push_back(static_cast<char>('a' + i % 26));
    WriteFileBytes(path, file);
    const int fd = open(path.c_str(), O_RDONLY);
    SegmentReader reader(fd);
    std::string out;
    ASSERT_TRUE(reader.Next(out));
    ASSERT_EQ(out.size(), 160u);
    reader.Unread(110);  // the line took 50
    ASSERT_TRUE(reader.Next(out));
    EXPECT_EQ(out, file.substr(50, 160));
    close(fd);
}

// Random partial writes across many buffer refills: what the line accepted, in order, is the
// file exactly.
TEST(Segments, PartialWritesNeverLoseOrRepeatBytes) {
    TempHome home;
    const std::string path = home.scratch("s") + "/Trazen.tmp";
    std::mt19937 rng(7);
    std::string file;
    const char alphabet[] = "PDAU0123456789,;()\n\x03";
    for (int i = 0; i < 300000; ++i) file.push_back(alphabet[rng() % (sizeof alphabet - 1)]);
    WriteFileBytes(path, file);
    const int fd = open(path.c_str(), O_RDONLY);
    SegmentReader reader(fd);
    std::string sent, out;
    while (reader.Next(out) && !out.empty()) {
        ASSERT_LE(out.size(), 160u);
        const size_t accepted = rng() % 3 == 0 ? rng() % (out.size() + 1) : out.size();
        sent.append(out, 0, accepted);
        reader.Unread(out.size() - accepted);
    }
    close(fd);
    EXPECT_EQ(sent, file);
}

struct HostCase {
    const char* name;
    std::string text;
    int16_t code;
    HostFields fields;
    std::string url;
    std::string shown;
};
void PrintTo(const HostCase& row, std::ostream* os) { *os << row.name; }


class HostText : public testing::TestWithParam<HostCase> {};

TEST_P(HostText, FieldsUrlAndShownText) {
    const HostCase& c = GetParam();
    const HostFields f = SplitHostText(c.text);
    EXPECT_EQ(f.host, c.fields.host);
    EXPECT_EQ(f.folder, c.fields.folder);
    EXPECT_EQ(f.user, c.fields.user);
    EXPECT_EQ(f.password, c.fields.password);
    EXPECT_EQ(FtpFolderUrl(c.code, f), c.url);
    EXPECT_EQ(MaskedAddressText(c.text), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostText,
    testing::Values(
        HostCase{"PricomHostOnly", "10.0.0.5", kDestPricomFtp, {"10.0.0.5", "", "", ""},
                 "ftp://10.0.0.5/lp/", "10.0.0.5:FTP"},
        HostCase{"PricomAllFields", "srv:jobs:ann:pw", kDestPricomFtp, {"srv", "jobs", "ann", "pw"},
                 "ftp://srv/jobs/", "srv:jobs:ann:****:FTP"},
        HostCase{"AxisLptHostOnly", "axis", kDestAxisLpt, {"axis", "", "", ""}, "ftp://axis/",
                 "axis:FTP"},
        HostCase{"AxisUsbFolder", "axis:q1", kDestAxisUsb, {"axis", "q1", "", ""},
                 "ftp://axis/q1/", "axis:q1:FTP"},
        HostCase{"UserWithoutPassword", "srv::ann", kDestPricomFtp, {"srv", "", "ann", ""},
                 "ftp://srv/lp/", "srv::ann:FTP"},
        HostCase{"EmptyPasswordField", "srv::ann:", kDestPricomFtp, {"srv", "", "ann", ""},
                 "ftp://srv/lp/", "srv::ann::FTP"},
        HostCase{"TextAfterFourthColonIgnored", "h:f:u:p:rest", kDestAxisLpt, {"h", "f", "u", "p"},
                 "ftp://h/f/", "h:f:u:****:FTP"}),
    [](const testing::TestParamInfo<HostCase>& info) { return info.param.name; });

TEST(HostText, PortGoesAfterTheHost) {
    EXPECT_EQ(FtpFolderUrl(kDestPricomFtp, SplitHostText("127.0.0.1"), 2121),
              "ftp://127.0.0.1:2121/lp/");
}

TEST(SharedCopy, NameCarriesLocalTimeAndNumber) {
    std::tm t{};
    t.tm_year = 2025 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 2;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(SharedFileName(t, 7), "/20250302_14050907.plt");
    EXPECT_EQ(SharedFileName(t, 99), "/20250302_14050999.plt");
}

TEST(SharedCopy, TakenNameGetsTheNextNumberUntilAllAreTaken) {
    TempHome home;
    const std::string folder = home.scratch("shared");
    const std::string source = home.scratch("src") + "/Trazen.tmp";
    WriteFileBytes(source, "PLOT");
    std::tm t{};
    t.tm_year = 126;
    t.tm_mday = 1;
    WriteFileBytes(folder + SharedFileName(t, 98), "older plot");
    SharedCopyResult r = CopyToSharedFolder(source, folder, t, 98);
    ASSERT_TRUE(r.result.ok());
    EXPECT_EQ(r.target, folder + SharedFileName(t, 99));
    EXPECT_EQ(ReadFileBytes(folder + SharedFileName(t, 98)), "older plot");
    r = CopyToSharedFolder(source, folder, t, 98);  // wraps round to 00
    EXPECT_EQ(r.target, folder + SharedFileName(t, 0));
    for (int n = 0; n < 100; ++n) WriteFileBytes(folder + SharedFileName(t, n), "x");
    r = CopyToSharedFolder(source, folder, t, 5);
    EXPECT_EQ(r.result.error, DeliveryError::TargetExists);
}

struct FinishCase {
    const char* name;
    const char* inFlight;  // what of the instruction went out
    const char* next;      // what the plot has after it
    const char* finish;
};

// After Stop the plotter must hold whole instructions whose numbers are the plot's own: a cut
// number or a lone x would move the pen, down, to a point the plot never names.
TEST(StopEnding, FinishesTheInstructionUnderWay) {
    const FinishCase rows[] = {
        {"NothingUnderWay", "", "SP1;PU0,0;", ""},
        {"ShortRestAsThePlotHasIt", "SP", "1;PU0,0;", "1;"},
        {"PlotterOnCutInTwo", "\x1b.", "(IN;", "("},
        {"NumberCut", "PD14875,5590,148", "75,5600,14875,5610,14875,5620,14875,5630;", "75,5600;"},
        {"LoneXCompleted", "PD14875,5590,14875", ",5600,14875,5610,14875,5620,14875,5630;",
         ",5600;"},
        {"PairComplete", "PD14875,5590", ",14875,5600,14875,5610,14875,5620,14875,5630;", ";"},
        {"AfterTheCommaOfANewPair", "PD14875,5590,", "14875,5600,14875,5610,14875,5620,1,2;",
         "14875,5600;"},
        {"JustTheMnemonic", "PD", "-100,+200,14875,5600,14875,5610,14875,5620;", "-100,+200;"},
        {"HalfTheMnemonic", "P", "D-100,+200,14875,5600,14875,5610,14875,5620;", "D-100,+200;"},
        {"NegativeNumberCut", "PR-12", "34,-5678,100,100,100,100,100,100,100,100;", "34,-5678;"},
        {"LabelEndsWithItsTerminator", "LBA long label t", "ext that goes on and on and on\x03",
         "\x03"},
        {"NoNumbersToFinish", "XX\x83\x76", "abcdefghijklmnopqrstuvwxyzabcdefghij;", ";"},
        {"PlotEndsUnderWay", "PD1,2,3", "", ";"},
    };
    for (const FinishCase& row : rows)
        EXPECT_EQ(FinishInstruction(row.inFlight, row.next), row.finish) << row.name;
    // A plotter that answers drops the instruction half taken in; turned on first, since one the
    // plot's own plotter-off has reached would ignore the abort.
    EXPECT_EQ(StopEnding(",5600;", false), ",5600;PU;\x1b.)");
    EXPECT_EQ(StopEnding(",5600;", true), "\x1b.(\x1b.KPU;\x1b.)");
}

}  // namespace
