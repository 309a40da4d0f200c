#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "sender/plot_file.h"
#include "tests/support/temp_home.h"

namespace {

const std::string kOn = "\x1b.(";
const std::string kOff = "\x1b.)";

struct FramingCase {
    const char* name;
    std::string header;
    std::string body;
    std::string expected;
};

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, OutputIsFramedByteForByte) {
    TempHome home;
    const std::string folder = home.scratch("product");
    const FramingCase& c = GetParam();
    WriteFileBytes(folder + "/Trazen Sender Prefs", c.header);
    WriteFileBytes(folder + "/Trazen Prefs", c.body);
    CreateSerPltFile(folder);
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), c.expected);
    // The plug-in's files are read, never changed, and a second run gives the same output.
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen Prefs"), c.body);
    CreateSerPltFile(folder);
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), c.expected);
}

const std::string kLong90(90, 'x');
const std::string kValue100(96, '7');

INSTANTIATE_TEST_SUITE_P(
    Cases, Framing,
    testing::Values(
        FramingCase{"BrcWithCrLf", "BRC:0,0,10000,7500\r\n", "PA0,0;",
                    kOn + "IN;IW;IW0,0,10000,7500;PA0,0;" + kOff},
        FramingCase{"BrcWithLf", "X:1\nBRC:1,2,3,4\n", "PD;", kOn + "IN;IW;IW1,2,3,4;PD;" + kOff},
        FramingCase{"EmptyBrc", "BRC:\r\n", "PA0,0;", kOn + "IN;IW;PA0,0;" + kOff},
        FramingCase{"NoBrcLine", "NAME:plot\r\nSIZE:A4\r\n", "B", kOn + "IN;IW;B" + kOff},
        FramingCase{"FirstOfTwoBrc", "BRC:1,1,2,2\r\nBRC:9,9,9,9\r\n", "",
                    kOn + "IN;IW;IW1,1,2,2;" + kOff},
        FramingCase{"BrcAfterLongLine", "NAME:" + kLong90 + "\r\nBRC:5,6,7,8\r\n", "",
                    kOn + "IN;IW;IW5,6,7,8;" + kOff},
        // A long line is seen in 80-byte pieces; a piece starting "BRC:" counts wherever it is.
        FramingCase{"BrcInsideLongLine", std::string(80, 'n') + "BRC:3,3,4,4\r\n", "",
                    kOn + "IN;IW;IW3,3,4,4;" + kOff},
        FramingCase{"LongBrcKeepsFirst76", "BRC:" + kValue100 + "\r\n", "",
                    kOn + "IN;IW;IW" + kValue100.substr(0, 76) + ";" + kOff},
        FramingCase{"UnterminatedLastLineKeepsItsLastByte", "BRC:0,0,10,20", "",
                    kOn + "IN;IW;IW0,0,10,20;" + kOff},
        FramingCase{"BodyWithBinaryBytes", "", std::string("PE\0\xff\x80;", 6),
                    kOn + "IN;IW;" + std::string("PE\0\xff\x80;", 6) + kOff}),
    [](const testing::TestParamInfo<FramingCase>& info) { return info.param.name; });

TEST(Framing, MissingPlugInFilesAreCreatedEmpty) {
    TempHome home;
    const std::string folder = home.scratch("product");
    CreateSerPltFile(folder);
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), kOn + "IN;IW;" + kOff);
    struct stat st {};
    EXPECT_EQ(stat((folder + "/Trazen Prefs").c_str(), &st), 0);
    EXPECT_EQ(stat((folder + "/Trazen Sender Prefs").c_str(), &st), 0);
}

TEST(Framing, LargeBodyIsCopiedWhole) {
    TempHome home;
    const std::string folder = home.scratch("product");
    std::string body;
    for (int i = 0; body.size() < 300000; ++i) body += "PD" + std::to_string(i) + ",7;";
    WriteFileBytes(folder + "/Trazen Prefs", body);
    WriteFileBytes(folder + "/Trazen Sender Prefs", "");
    CreateSerPltFile(folder);
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), kOn + "IN;IW;" + body + kOff);
}

TEST(Framing, UnreadableBodyGetsNoPlotterOff) {
    TempHome home;
    const std::string folder = home.scratch("product");
    WriteFileBytes(folder + "/Trazen Sender Prefs", "BRC:1,2,3,4\n");
    // A folder where the body should be: it opens, but reading it fails.
    ASSERT_EQ(mkdir((folder + "/Trazen Prefs").c_str(), 0777), 0);
    CreateSerPltFile(folder);
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), kOn + "IN;IW;IW1,2,3,4;");
}

TEST(Framing, CreateNewFileKeepsContents) {
    TempHome home;
    const std::string path = home.scratch("f") + "/file";
    WriteFileBytes(path, "keep");
    CreateNewFile(path);
    EXPECT_EQ(ReadFileBytes(path), "keep");
}

}  // namespace
