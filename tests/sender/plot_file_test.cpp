#include "sender/plot_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/temp_home.h"

namespace {

const std::string kOn = "\x1b.(";
const std::string kOff = "\x1b.)";

struct FramingCase {
    const char* name;
    std::string header;
    std::string body;
    std::string expected;
    std::vector<std::string> notes = {};  // what the window lists under the state
    std::string title = "Trazen plot";    // a printer queue's job name
    int stepsPerInch = 1016;              // the preview reads the plot at this step
};
void PrintTo(const FramingCase& row, std::ostream* os) { *os << row.name; }

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, OutputIsFramedByteForByte) {
    TempHome home;
    const std::string folder = home.scratch("product");
    const FramingCase& c = GetParam();
    WriteFileBytes(folder + "/Trazen Sender Prefs", c.header);
    WriteFileBytes(folder + "/Trazen Prefs", c.body);
    EXPECT_TRUE(CreateSerPltFile(folder).whole());
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), c.expected);
    const HeaderLines header = ReadHeaderFile(folder).lines;
    std::vector<std::string> notes;
    for (const Note& note : header.notes) notes.push_back(NoteEnglish(note));
    EXPECT_EQ(notes, c.notes);
    EXPECT_EQ(PlotTitle(header), c.title);
    EXPECT_EQ(header.stepsPerInch, c.stepsPerInch);
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
        FramingCase{"NoBrcLine", "NAME:plot\r\nSIZE:A4\r\n", "B", kOn + "IN;IW;B" + kOff, {},
                    "plot"},
        // The plug-in names its plot in Shift-JIS, trzn-plot a drawing in UTF-8.
        FramingCase{"ShiftJisName", "NAME:\x90\x7d\x96\xca\n", "B", kOn + "IN;IW;B" + kOff, {},
                    "図面"},
        // A drawing front end's lines around the BRC line: framed as before; each note once,
        // a note with a byte that is no UTF-8 kept as written.
        FramingCase{"NotesAroundTheBrc",
                    "NAME:図面\nNOTE:文字は線にしていません\r\nBRC:1,2,3,4\nNOTE:塗り\xff\n"
                    "NOTE:文字は線にしていません\nBRC:9,9,9,9\n",
                    "PD;",
                    kOn + "IN;IW;IW1,2,3,4;PD;" + kOff,
                    {"文字は線にしていません", "塗り\xff"},
                    "図面"},
        // The unit is the preview's, never the plotter's: the framed plot stays as it was.
        FramingCase{"UnitOfAFinerPlotter",
                    "BRC:0,0,25400,19050\nUNIT:2540\r\nNAME:d.svg\n",
                    "PD;",
                    kOn + "IN;IW;IW0,0,25400,19050;PD;" + kOff,
                    {},
                    "d.svg",
                    2540},
        FramingCase{"UnitNotANumber", "UNIT:25x0\nUNIT:508\n", "PD;", kOn + "IN;IW;PD;" + kOff},
        FramingCase{"UnitBeyondTheRange", "UNIT:99999999999\n", "", kOn + "IN;IW;" + kOff},
        FramingCase{"FirstOfTwoBrc", "BRC:1,1,2,2\r\nBRC:9,9,9,9\r\n", "",
                    kOn + "IN;IW;IW1,1,2,2;" + kOff},
        FramingCase{"BrcAfterLongLine",
                    "NAME:" + kLong90 + "\r\nBRC:5,6,7,8\r\n",
                    "",
                    kOn + "IN;IW;IW5,6,7,8;" + kOff,
                    {},
                    kLong90},
        // A long line is seen in 80-byte pieces; a piece starting "BRC:" counts wherever it is.
        FramingCase{"BrcInsideLongLine", std::string(80, 'n') + "BRC:3,3,4,4\r\n", "",
                    kOn + "IN;IW;IW3,3,4,4;" + kOff},
        FramingCase{"LongBrcKeepsFirst76", "BRC:" + kValue100 + "\r\n", "",
                    kOn + "IN;IW;IW" + kValue100.substr(0, 76) + ";" + kOff},
        FramingCase{"UnterminatedLastLineKeepsItsLastByte", "BRC:0,0,10,20", "",
                    kOn + "IN;IW;IW0,0,10,20;" + kOff},
        FramingCase{"NulEndsTheBrcValue",
                    std::string("BRC:1,2\0"
                                "3,4\r\n",
                                13),
                    "PA;", kOn + "IN;IW;IW1,2;PA;" + kOff},
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
    const PlotFileResult result = CreateSerPltFile(folder);
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp"), kOn + "IN;IW;IW1,2,3,4;");
    EXPECT_EQ(result.problem, PlotFileProblem::BodyUnreadable);
    EXPECT_EQ(result.error, EISDIR);
}

TEST(Framing, InputsThatAreNotPlainFilesAreRefused) {
    // A named pipe would hold the sender before its window shows; a device never ends.
    struct Row {
        const char* name;
        const char* file;
        bool pipe;  // else a link to /dev/zero
        PlotFileProblem problem;
    } rows[] = {
        {"header_pipe", "/Trazen Sender Prefs", true, PlotFileProblem::HeaderNotAFile},
        {"body_pipe", "/Trazen Prefs", true, PlotFileProblem::BodyNotAFile},
        {"body_endless_device", "/Trazen Prefs", false, PlotFileProblem::BodyNotAFile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string folder = home.scratch("product");
        const std::string path = folder + row.file;
        ASSERT_EQ(row.pipe ? mkfifo(path.c_str(), 0666) : symlink("/dev/zero", path.c_str()), 0);
        EXPECT_EQ(CreateSerPltFile(folder).problem, row.problem);
        EXPECT_EQ(ReadFileBytes(folder + "/Trazen.tmp").find(kOff), std::string::npos);
    }
}

TEST(Framing, FullDiskIsReportedAsAFailedWrite) {
    TempHome home;
    const std::string folder = home.scratch("product");
    WriteFileBytes(folder + "/Trazen Prefs", "PA0,0;");
    // Every write to /dev/full fails as on a full disk.
    ASSERT_EQ(symlink("/dev/full", (folder + "/Trazen.tmp").c_str()), 0);
    const PlotFileResult result = CreateSerPltFile(folder);
    EXPECT_EQ(result.problem, PlotFileProblem::WriteFailed);
    EXPECT_EQ(result.error, ENOSPC);
}

// File checks as an ordinary user (nobody) while the test runs as root, for this thread only;
// run as an ordinary user already, the test is that user.
class AsAnotherUser {
public:
    AsAnotherUser() {
        if (geteuid() != 0) return;
        setfsgid(65534);
        setfsuid(65534);
        active_ = true;
    }
    ~AsAnotherUser() {
        if (!active_) return;
        setfsuid(0);
        setfsgid(0);
    }

private:
    bool active_ = false;
};

enum class Leftover { ReadOnlyFile, UnremovableFile, DanglingLink, NamedPipe, Folder };

struct LeftoverCase {
    const char* name;
    Leftover leftover;
    bool replaced;  // else the build reports the output unwritable
    int error;      // when not replaced
};
void PrintTo(const LeftoverCase& row, std::ostream* os) { *os << row.name; }

class StaleOutput : public testing::TestWithParam<LeftoverCase> {};

// An earlier run's output that can't be written must not pass for this run's plot.
TEST_P(StaleOutput, IsReplacedOrReported) {
    const LeftoverCase& c = GetParam();
    if (c.leftover == Leftover::UnremovableFile && geteuid() != 0)
        GTEST_SKIP() << "needs a file of another user";
    TempHome home;
    const std::string folder = home.scratch("product");
    const std::string output = folder + "/Trazen.tmp";
    WriteFileBytes(folder + "/Trazen Sender Prefs", "");
    WriteFileBytes(folder + "/Trazen Prefs", "PA1,1;");
    // The checks below run as another user: the folders on the way must let it through.
    chmod(home.root().c_str(), 0755);
    chmod((home.root() + "/scratch").c_str(), 0755);
    chmod(folder.c_str(), c.leftover == Leftover::UnremovableFile ? 01777 : 0777);
    switch (c.leftover) {
        case Leftover::ReadOnlyFile:
        case Leftover::UnremovableFile:
            WriteFileBytes(output, "OLD PLOT;");
            ASSERT_EQ(chmod(output.c_str(), 0444), 0);
            break;
        case Leftover::DanglingLink:
            ASSERT_EQ(symlink((folder + "/gone/plot").c_str(), output.c_str()), 0);
            break;
        case Leftover::NamedPipe:
            ASSERT_EQ(mkfifo(output.c_str(), 0666), 0);
            break;
        case Leftover::Folder:
            WriteFileBytes(output + "/old", "OLD PLOT;");
            break;
    }

    PlotFileResult result;
    {
        AsAnotherUser user;
        result = CreateSerPltFile(folder);
    }
    struct stat st {};
    ASSERT_EQ(lstat(output.c_str(), &st), 0);
    if (c.replaced) {
        EXPECT_TRUE(result.whole());
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(ReadFileBytes(output), kOn + "IN;IW;PA1,1;" + kOff);
        EXPECT_NE(access((folder + "/gone").c_str(), F_OK), 0);
    } else {
        EXPECT_EQ(result.problem, PlotFileProblem::OutputUnwritable);
        EXPECT_EQ(result.error, c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaleOutput,
    testing::Values(LeftoverCase{"ReadOnlyFileOfAnotherUser", Leftover::ReadOnlyFile, true, 0},
                    LeftoverCase{"FileInAStickyFolder", Leftover::UnremovableFile, false, EACCES},
                    LeftoverCase{"DanglingLink", Leftover::DanglingLink, true, 0},
                    LeftoverCase{"NamedPipeWithoutReader", Leftover::NamedPipe, true, 0},
                    LeftoverCase{"FolderOfThatName", Leftover::Folder, false, EISDIR}),
    [](const testing::TestParamInfo<LeftoverCase>& info) { return info.param.name; });

TEST(Framing, CreateNewFileKeepsContents) {
    TempHome home;
    const std::string path = home.scratch("f") + "/file";
    WriteFileBytes(path, "keep");
    CreateNewFile(path);
    EXPECT_EQ(ReadFileBytes(path), "keep");
}

}  // namespace
