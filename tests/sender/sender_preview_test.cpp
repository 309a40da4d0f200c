#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "hpgl/hpgl_reader.h"
#include "platform/ports.h"
#include "preview/plot_render.h"
#include "sender/plot_preview.h"
#include "tests/sender/sender_fixture.h"

namespace {

// A label wider than the square beside it: how the two compare depends on the plotter's step.
const std::string kSquareAndLabel =
    "IN;SP1;PA0,0;PD1000,0,1000,1000,0,1000,0,0;PU0,0;LBABCDEFGHIJ\x03";

std::string SamplePlot() { return ReadFileBytes(TRZN_SOURCE_DIR "/bench/data/sample-plot.hpgl"); }

// The sample plot spread over 100 KB by pen lifts between its instructions: more than a
// pseudo-terminal takes in at once, so the line is seen part way through the drawing wherever
// it stalls.
std::string LongerThanALine() {
    const std::string sample = SamplePlot();
    const size_t lines = static_cast<size_t>(std::count(sample.begin(), sample.end(), '\n'));
    const size_t gap = 100000 / (lines + 1);
    std::string body;
    for (size_t from = 0; from < sample.size();) {
        const size_t end = std::min(sample.find('\n', from), sample.size() - 1) + 1;
        body.append(sample, from, end - from);
        from = end;
        // Only between whole instructions: a line may continue the coordinates of the last.
        if (body.size() >= 2 && body[body.size() - 2] == ';') {
            const size_t next = (body.size() / gap + 1) * gap;
            while (body.size() < next) body += "PU;";
        }
    }
    return body;
}

// One pen-down list that never ends, crossing the page back and forth at random: no stroke
// repeats an earlier one, so only the stroke budget can end its drawing.
std::string EndlessCrossings(int vertices) {
    std::string body = "IN;SP1;PU0,0;PD";
    unsigned seed = 12345;
    for (int i = 0; i < vertices; ++i) {
        seed = seed * 1103515245u + 12345u;
        body +=
            std::to_string((seed >> 8) % 16000) + "," + std::to_string((seed >> 4) % 11000) + ",";
    }
    return body;
}

// Pens 1 to 4 in the colours the configuration window offers.
void ColouredPens(TPrConfig& c) {
    c.toollist[0] = {1, 30, 10000, 0, 0, 1};
    c.toollist[1] = {2, 30, 0, 0, 10000, 1};
    c.toollist[2] = {3, 30, 0, 10000, 0, 1};
    c.toollist[3] = {4, 30, 10000, 0, 10000, 1};
}

// A pixel at least half covered by a hairline of `colour` on white paper.
bool HasColour(const QImage& image, QRgb colour) {
    const auto near = [](int have, int want) { return std::abs(have - want) <= (255 - want) / 2; };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (near(qRed(p), qRed(colour)) && near(qGreen(p), qGreen(colour)) &&
                near(qBlue(p), qBlue(colour)))
                return true;
        }
    return false;
}

// Every pixel the picture marks shows in full colour once its instruction has begun to go out,
// and pale before; every mark belongs to an instruction of the reader's.
void ExpectSplitMatches(const TPlotPreview& view, const THpglPlot& plot, int64_t sent) {
    const TPlotPicture& picture = view.picture();
    ASSERT_FALSE(picture.marks.empty());
    const std::set<uint64_t> offsets(plot.segmentOffsets.begin(), plot.segmentOffsets.end());
    size_t wrong = 0, foreign = 0;
    for (const TPixelMark& m : picture.marks) {
        if (!offsets.count(m.offset)) ++foreign;
        const int x = static_cast<int>(m.cell % picture.cellsWide) * picture.cell;
        const int y = static_cast<int>(m.cell / picture.cellsWide) * picture.cell;
        const QImage& want = static_cast<int64_t>(m.offset) < sent ? picture.full : picture.pale;
        if (view.shown().pixel(x, y) != want.pixel(x, y)) ++wrong;
    }
    EXPECT_EQ(foreign, 0u);
    EXPECT_EQ(wrong, 0u);
}

class Preview : public PtySenderTest {
protected:
    void ConfigureSerial() {
        const std::string slave = plotter->slavePath();
        WriteSenderSettings(
            [&](TSrConfig& s) {
                std::strcpy(s.port_name, slave.c_str());
                s.baud = 4;
                s.data = 1;
            },
            0, ColouredPens);
    }

    std::string ConfigureSharedFolder() {
        const std::string shared = home.scratch("server");
        WriteSenderSettings(
            [&](TSrConfig& s) {
                std::strcpy(s.port_name, "Shared Folder(Trazen Server)");
                std::strcpy(s.shared_folder, shared.c_str());
            },
            0, ColouredPens);
        return shared;
    }

    TPlotPreview* View() { return run.sender.panel()->findChild<TPlotPreview*>("prserViewPlot"); }

    // Ticks until the sender quits, collecting what the plotter got; `each` runs after a tick.
    std::string SendAll(const std::function<void()>& each = {}) {
        std::string received;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!run.exitCode && std::chrono::steady_clock::now() < deadline) {
            run.sender.firedByTimer();
            received += plotter->Read(4096);
            if (each && !run.exitCode) each();
        }
        return received + plotter->ReadAvailable();
    }
};

// The picture follows the line: never ahead of what went out, exact once the panel's refresh
// is due, and all sent at the end.
TEST_F(Preview, MarksWhatWentOutAndEndsAllSent) {
    ConfigureSerial();
    WritePlugInFiles(home, "BRC:0,0,16000,11000\r\n", LongerThanALine());
    run.sender.awakeFromNib();
    TPlotPreview* view = View();
    ASSERT_NE(view, nullptr);
    view->waitUntilReady();
    ASSERT_TRUE(view->hasPicture());
    const std::optional<THpglPlot> plot = ReadHpglFile(home.productFolder() + "/Trazen.tmp");
    ASSERT_TRUE(plot);
    EXPECT_EQ(view->segmentCount(), plot->SegmentCount());
    EXPECT_LE(view->sentBytes(), run.sender.sentBytes());

    int64_t shown = 0;
    bool checkedMidway = false;
    auto* bar = run.sender.panel()->findChild<QProgressBar*>("prserPrBrSendData");
    const std::string received = SendAll([&] {
        const int64_t sent = run.sender.sentBytes();
        ASSERT_GE(view->sentBytes(), shown);
        ASSERT_LE(view->sentBytes(), sent);
        shown = view->sentBytes();
        if (!checkedMidway && sent * 2 >= run.sender.totalBytes()) {
            checkedMidway = true;
            // The panel refreshes at most every 50 ms, its texts every 200 ms. A plain sleep: an
            // event loop here would run the sender's own timer too.
            std::this_thread::sleep_for(std::chrono::milliseconds(210));
            run.sender.firedByTimer();
            const int64_t now = run.sender.sentBytes();
            EXPECT_EQ(view->sentBytes(), now);
            ExpectSplitMatches(*view, *plot, now);
            EXPECT_EQ(bar->value(), static_cast<int>(100.0 * now / run.sender.totalBytes()));
            if (const char* dir = std::getenv("TRZN_SENDER_PICTURES"))
                run.sender.panel()->grab().save(QString::fromUtf8(dir) + "/sender-sending.png");
        }
    });
    EXPECT_TRUE(checkedMidway);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(received == Output());
    // Every pixel a pen inked is marked: once all has gone out, nothing is left pale.
    EXPECT_TRUE(view->shown() == view->picture().full);
    EXPECT_EQ(bar->value(), 100);
    // Pen 1 (the frame) is drawn in the red its configuration gives it.
    EXPECT_TRUE(HasColour(view->grab().toImage(), qRgb(255, 0, 0)));
}

// A line lost mid-plot: the failure is stated, and the picture shows how far the plot got.
TEST_F(Preview, LineLostMidPlotShowsWhereItStopped) {
    ConfigureSerial();
    WritePlugInFiles(home, "BRC:0,0,16000,11000\r\n", LongerThanALine());
    run.sender.awakeFromNib();
    View()->waitUntilReady();
    const std::optional<THpglPlot> plot = ReadHpglFile(home.productFolder() + "/Trazen.tmp");
    ASSERT_TRUE(plot);
    // The plotter reads a part, then takes nothing more: the line stalls there.
    while (run.sender.sentBytes() * 5 < run.sender.totalBytes() * 2) {
        run.sender.firedByTimer();
        plotter->Read(4096);
        ASSERT_FALSE(run.exitCode.has_value());
    }
    // The kernel may still make room for a few bytes after one quiet tick on a busy machine:
    // the line has stalled once the count holds for several.
    int64_t sent = -1;
    for (int quiet = 0; quiet < 10;) {
        quiet = run.sender.sentBytes() == sent ? quiet + 1 : 0;
        sent = run.sender.sentBytes();
        run.Tick();
        ASSERT_FALSE(run.exitCode.has_value());
    }
    ASSERT_GT(sent, 0);
    ASSERT_LT(sent, run.sender.totalBytes());
    plotter.reset();  // the cable comes out
    for (int i = 0; i < 100 && !run.sender.failed(); ++i) run.Tick();
    ASSERT_TRUE(run.sender.failed());
    EXPECT_EQ(run.sender.sentBytes(), sent);
    EXPECT_EQ(View()->sentBytes(), sent);
    ExpectSplitMatches(*View(), *plot, sent);
    auto* bar = run.sender.panel()->findChild<QProgressBar*>("prserPrBrSendData");
    EXPECT_EQ(bar->value(), static_cast<int>(100.0 * sent / run.sender.totalBytes()));
    if (const char* dir = std::getenv("TRZN_SENDER_PICTURES"))
        run.sender.panel()->grab().save(QString::fromUtf8(dir) + "/sender-error.png");
    // A resized window draws the picture anew and marks the same bytes as sent.
    View()->resize(View()->size() + QSize(120, 40));
    View()->waitUntilReady();
    EXPECT_EQ(View()->picture().full.size(), View()->size() * View()->devicePixelRatio());
    ExpectSplitMatches(*View(), *plot, sent);
}

struct UnreadableCase {
    const char* name;
    std::string body;
};
void PrintTo(const UnreadableCase& row, std::ostream* os) { *os << row.name; }

class Unreadable : public Preview, public testing::WithParamInterface<UnreadableCase> {};

TEST_P(Unreadable, ShowsTheNoteAndStillSendsEverything) {
    ConfigureSerial();
    WritePlugInFiles(home, "", GetParam().body);
    run.sender.awakeFromNib();
    TPlotPreview* view = View();
    view->waitUntilReady();
    EXPECT_FALSE(view->hasPicture());
    EXPECT_FALSE(view->note().isEmpty());
    EXPECT_TRUE(run.sender.panel()->findChild<QLabel*>("prserLabelPreviewKey")->isHidden());
    const std::string received = SendAll();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(StoredCompletion(), 1);
    EXPECT_TRUE(received == Output());
    EXPECT_EQ(received.size(), GetParam().body.size() + 12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Unreadable,
    testing::Values(UnreadableCase{"EmptyBody", ""},
                    UnreadableCase{"NotHpgl", "Hello plotter, this is a letter.\n"},
                    UnreadableCase{"PenNeverDown", "SP1;PU100,100;PU500,500;"},
                    UnreadableCase{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)}),
    [](const testing::TestParamInfo<UnreadableCase>& i) { return i.param.name; });

// A shared-folder delivery has nothing to mark along the way: the plot shows pale, and all of
// it in full colour once delivered.
TEST_F(Preview, SharedFolderShowsWholePlotAndMarksItDelivered) {
    const std::string shared = ConfigureSharedFolder();
    WritePlugInFiles(home, "", SamplePlot());
    run.sender.awakeFromNib();
    TPlotPreview* view = View();
    view->waitUntilReady();
    ASSERT_TRUE(view->hasPicture());
    EXPECT_TRUE(view->shown() == view->picture().pale);
    EXPECT_TRUE(view->cutNote().isEmpty());
    run.sender.firedByTimer();
    run.sender.firedByTimer();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(view->shown() == view->picture().full);
}

struct UnitCase {
    const char* name;
    std::string header;
    int stepsPerInch;  // what the picture is read at
};
void PrintTo(const UnitCase& row, std::ostream* os) { *os << row.name; }

class HeaderUnit : public Preview, public testing::WithParamInterface<UnitCase> {};

// The header lines' unit reaches the picture: the label has its real size beside the square.
TEST_P(HeaderUnit, DrawsThePlotAtItsStep) {
    ConfigureSharedFolder();
    WritePlugInFiles(home, GetParam().header, kSquareAndLabel);
    run.sender.awakeFromNib();
    TPlotPreview* view = View();
    view->waitUntilReady();
    ASSERT_TRUE(view->hasPicture());
    THpglOptions options;
    options.stepsPerInch = GetParam().stepsPerInch;
    EXPECT_EQ(view->picture().bounds.maxX, ReadHpgl(kSquareAndLabel, options).bounds.maxX);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderUnit,
    testing::Values(UnitCase{"Absent", "BRC:0,0,16000,11000\n", kHpglStepsPerInch},
                    UnitCase{"FinerPlotter", "BRC:0,0,40000,27500\nUNIT:2540\n", 2540},
                    UnitCase{"Junk", "UNIT:-2540\nNAME:x\n", kHpglStepsPerInch}),
    [](const testing::TestParamInfo<UnitCase>& i) { return i.param.name; });

// A plot far larger than the picture can be drawn in the time of a copy: the copy goes out on
// the first tick all the same, and the sender quits with the drawing still under way.
TEST_F(Preview, DeliveryNeverWaitsForThePicture) {
    const std::string shared = ConfigureSharedFolder();
    std::string body;
    for (int i = 0; body.size() < (8u << 20); ++i)
        body += "PU" + std::to_string(i % 9973) + ",0;PD" + std::to_string(i % 7919) + ",10000;";
    WritePlugInFiles(home, "", body);
    run.sender.awakeFromNib();
    EXPECT_TRUE(View()->isPreparing());
    run.sender.firedByTimer();
    run.sender.firedByTimer();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(StoredCompletion(), 1);
    const QStringList copies = QDir(QString::fromStdString(shared)).entryList(QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(ReadFileBytes(shared + "/" + copies.front().toStdString()) == Output());
}

// A plot whose lines would take minutes to stroke: the picture stops at the stroke budget and
// the panel says so along its bottom edge.
TEST_F(Preview, PictureCutShortSaysSo) {
    ConfigureSharedFolder();
    WritePlugInFiles(home, "", EndlessCrossings(400000));
    run.sender.awakeFromNib();
    TPlotPreview* view = View();
    view->waitUntilReady();
    ASSERT_TRUE(view->hasPicture());
    const TPlotPicture& picture = view->picture();
    EXPECT_EQ(picture.cut, TPictureCut::StrokeBudget);
    EXPECT_LE(picture.stroked, StrokeBudget(picture.full.size()));
    EXPECT_LT(picture.drawn, picture.segments);
    EXPECT_FALSE(view->cutNote().isEmpty());
    const QImage grabbed = view->grab().toImage();
    const int x = grabbed.width() / 2;
    EXPECT_NE(grabbed.pixel(x, grabbed.height() - 3),
              view->shown().pixel(x, view->shown().height() - 3));
}

struct RenderCase {
    const char* name;
    std::string plot;  // empty: no such file
    std::vector<std::string> extra;
    int exitCode;
    int width;                             // of the written picture; 0 none written
    bool incomplete = false;               // the command says the picture is cut short
    int stepsPerInch = kHpglStepsPerInch;  // the plot's proportions read at this step
};
void PrintTo(const RenderCase& row, std::ostream* os) { *os << row.name; }

class Render : public testing::TestWithParam<RenderCase> {};

TEST_P(Render, WritesPictureOfTheRequestedWidth) {
    TempHome home;  // the command reads the pen colours of this home's settings file
    WriteSenderSettings([](TSrConfig&) {}, 0, ColouredPens);
    const std::string dir = home.scratch("render");
    const std::string in = dir + "/plot.hpgl", out = dir + "/plot.png";
    if (!GetParam().plot.empty()) WriteFileBytes(in, GetParam().plot);
    QStringList args{QString::fromStdString(in), QString::fromStdString(out)};
    for (const std::string& a : GetParam().extra) args << QString::fromStdString(a);
    QProcess render;
    render.start(QStringLiteral(TRZN_BINARY_DIR "/preview/trzn-render"), args);
    ASSERT_TRUE(render.waitForFinished(30000));
    EXPECT_EQ(render.exitStatus(), QProcess::NormalExit);
    const std::string err = render.readAllStandardError().toStdString();
    EXPECT_EQ(render.exitCode(), GetParam().exitCode) << err;
    const std::string summary = render.readAllStandardOutput().toStdString();
    EXPECT_EQ(summary.find("picture incomplete") != std::string::npos, GetParam().incomplete)
        << summary;
    EXPECT_EQ(err.find("incomplete") != std::string::npos, GetParam().incomplete) << err;
    const QImage image(QString::fromStdString(out));
    if (GetParam().width == 0) {
        EXPECT_TRUE(image.isNull());
        return;
    }
    ASSERT_FALSE(image.isNull());
    THpglOptions options;
    options.stepsPerInch = GetParam().stepsPerInch;
    const THpglPlot plot = ReadHpgl(GetParam().plot, options);
    EXPECT_EQ(image.width(), GetParam().width);
    EXPECT_EQ(image.height(), RenderHeightFor(plot.bounds, GetParam().width));
    EXPECT_TRUE(HasColour(image, qRgb(255, 0, 0)));  // pen 1, from the settings file
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Render,
    testing::Values(
        RenderCase{"GivenWidth", SamplePlot(), {"640"}, 0, 640},
        RenderCase{"DefaultWidth", SamplePlot(), {}, 0, 1200},
        RenderCase{"CutShort", EndlessCrossings(100000), {"100"}, 0, 100, true},
        RenderCase{"NoDrawing", "IN;SP1;PU0,0;", {"300"}, 2, 0},
        RenderCase{"MissingFile", "", {"300"}, 2, 0},
        RenderCase{"WidthNotANumber", SamplePlot(), {"wide"}, 1, 0},
        RenderCase{"WidthTooLarge", SamplePlot(), {"100000"}, 1, 0},
        // Its label 2.5 times the size beside the same square: a taller picture.
        RenderCase{
            "UnitOfAFinerPlotter", kSquareAndLabel, {"--unit", "2540", "400"}, 0, 400, false, 2540},
        RenderCase{"UnitNotANumber", kSquareAndLabel, {"--unit", "fine"}, 2, 0},
        RenderCase{"UnitTooCoarse", kSquareAndLabel, {"--unit", "99"}, 2, 0}),
    [](const testing::TestParamInfo<RenderCase>& i) { return i.param.name; });

}  // namespace
