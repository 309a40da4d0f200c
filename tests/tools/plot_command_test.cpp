// The desktop plot command, run as a real process against the real sender in a throwaway home.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <string>

#include "settings/store.h"
#include "tests/support/temp_home.h"
#include "tools/plot_job.h"

namespace fs = std::filesystem;

namespace {

const std::string kPlotCommand = std::string(TRZN_BINARY_DIR) + "/tools/trzn-plot";
const std::string kBody = "IN;SP1;PU0,0;PD1000,0,1000,1000,0,1000,0,0;PU;SP0;";

struct PlotRun {
    int exitCode = -1;
    QString err;
};

// The command runs in the test's throwaway home, without a display.
QProcessEnvironment PlotEnvironment(const TempHome& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(home.root()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.root() + "/.config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

PlotRun RunPlot(const TempHome& home, const QStringList& args, int timeoutMs = 60000) {
    QProcess p;
    p.setProcessEnvironment(PlotEnvironment(home));
    p.start(QString::fromStdString(kPlotCommand), args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

// A main settings file that sends to the shared folder at `folder`.
void ConfigureSharedFolder(const std::string& folder) {
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    std::snprintf(r.serial->port_name, sizeof r.serial->port_name, "%s",
                  "Shared Folder(Trazen Server)");
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "%s", folder.c_str());
    ASSERT_TRUE(SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(),
                              r.serial.get(), r.refCon.get()));
}

std::vector<fs::path> Plots(const std::string& folder) {
    std::vector<fs::path> out;
    if (!fs::exists(folder)) return out;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.path().extension() == ".plt") out.push_back(e.path());
    }
    return out;
}

TEST(PlotCommand, DeliversAFileToTheSharedFolder) {
    TempHome home;
    const std::string shared = home.scratch("server");
    ConfigureSharedFolder(shared);
    const std::string plot = home.scratch("job") + "/drawing.plt";
    WriteFileBytes(plot, kBody);

    const PlotRun run = RunPlot(home, {QString::fromStdString(plot), "--brc", "0,0,1000,1000"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const auto plots = Plots(shared);
    ASSERT_EQ(plots.size(), 1u);
    EXPECT_EQ(ReadFileBytes(plots.front()),
              "\x1b.(IN;IW;IW0,0,1000,1000;" + kBody + "\x1b.)");
    EXPECT_EQ(ReadFileBytes(home.productFolder() + "/Trazen Sender Prefs"),
              "BRC:0,0,1000,1000\r\n");
}

TEST(PlotCommand, RefusesWhatCannotBePlotted) {
    enum class Kind { Missing, Empty, Folder };
    const struct {
        const char* name;
        Kind kind;
    } rows[] = {{"missing", Kind::Missing}, {"empty", Kind::Empty}, {"folder", Kind::Folder}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared);
        const std::string path = home.scratch("job") + "/" + row.name + ".plt";
        if (row.kind == Kind::Folder) fs::create_directories(path);
        if (row.kind == Kind::Empty) WriteFileBytes(path, "");

        const PlotRun run = RunPlot(home, {QString::fromStdString(path)});
        EXPECT_EQ(run.exitCode, static_cast<int>(PlotOutcome::BadInput));
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(fs::exists(home.productFolder() + "/Trazen Prefs"));
        EXPECT_TRUE(Plots(shared).empty());
    }
}

TEST(PlotCommand, SecondPlotIsRefusedWithoutTouchingTheFirst) {
    TempHome home;
    const std::string shared = home.scratch("server");
    ConfigureSharedFolder(shared);
    const std::string folder = ProductFolder();
    WriteFileBytes(folder + "/Trazen Prefs", "FIRST JOB BODY");
    WriteFileBytes(folder + "/Trazen Sender Prefs", "BRC:1,2,3,4\n");

    bool busy = false;
    auto held = PlotSlot::Acquire(folder, false, &busy);  // the first plot, still being sent
    ASSERT_TRUE(held);

    const std::string plot = home.scratch("job") + "/second.plt";
    WriteFileBytes(plot, kBody);
    const PlotRun run = RunPlot(home, {"--no-wait", QString::fromStdString(plot)});
    EXPECT_EQ(run.exitCode, static_cast<int>(PlotOutcome::Busy));
    EXPECT_TRUE(run.err.contains("another plot"));
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen Prefs"), "FIRST JOB BODY");
    EXPECT_EQ(ReadFileBytes(folder + "/Trazen Sender Prefs"), "BRC:1,2,3,4\n");
    EXPECT_TRUE(Plots(shared).empty());
}

TEST(PlotCommand, SecondPlotWaitsForTheFirst) {
    TempHome home;
    const std::string shared = home.scratch("server");
    ConfigureSharedFolder(shared);
    const std::string folder = ProductFolder();
    bool busy = false;
    auto held = PlotSlot::Acquire(folder, false, &busy);
    ASSERT_TRUE(held);

    const std::string plot = home.scratch("job") + "/second.plt";
    WriteFileBytes(plot, kBody);
    QProcess p;
    p.setProcessEnvironment(PlotEnvironment(home));
    p.start(QString::fromStdString(kPlotCommand), {QString::fromStdString(plot)});
    ASSERT_TRUE(p.waitForStarted());
    // It announces that it waits, and writes nothing while the first plot holds the slot.
    QByteArray err;
    for (int i = 0; i < 200 && !err.contains("waiting"); ++i) {
        p.waitForReadyRead(50);
        err += p.readAllStandardError();
    }
    EXPECT_TRUE(err.contains("waiting")) << err.toStdString();
    EXPECT_FALSE(fs::exists(folder + "/Trazen Prefs"));

    held.reset();  // the first plot is done
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(Plots(shared).size(), 1u);
}

TEST(PlotCommand, FileChecks) {
    TempHome home;
    const std::string dir = home.scratch("files");
    WriteFileBytes(dir + "/ok.plt", "IN;");
    WriteFileBytes(dir + "/empty.plt", "");
    EXPECT_FALSE(CheckPlotFile(dir + "/ok.plt"));
    EXPECT_TRUE(CheckPlotFile(dir + "/empty.plt"));
    EXPECT_TRUE(CheckPlotFile(dir + "/none.plt"));
    EXPECT_TRUE(CheckPlotFile(dir));
}

}  // namespace
