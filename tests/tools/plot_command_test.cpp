// The desktop plot command, run as a real process against the real sender in a throwaway home.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
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

PlotRun RunPlot(const TempHome& home, const QStringList& args,
                const std::function<void(QProcess&)>& adjust = {}) {
    QProcess p;
    p.setProcessEnvironment(PlotEnvironment(home));
    p.setProgram(QString::fromStdString(kPlotCommand));
    p.setArguments(args);
    if (adjust) adjust(p);
    p.start();
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

// A main settings file that sends to the shared folder at `folder`.
void ConfigureSharedFolder(const std::string& folder, int64_t status = 0) {
    RecordSet r;
    *r.refCon = status;
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

// File names are bytes: one in Latin-1 and one in Shift-JIS are not UTF-8 and can't be decoded.
TEST(PlotCommand, DeliversAFileToTheSharedFolder) {
    const struct {
        const char* name;
        std::string file;
    } rows[] = {{"plain", "drawing.plt"}, {"latin1", "caf\xe9.plt"}, {"shift_jis", "\x90\x7d\x96\xca.plt"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared);
        const std::string job = home.scratch("job");
        WriteFileBytes(job + "/" + row.file, kBody);

        // The shell hands the name over as it lies in the folder; Qt would re-encode it.
        const PlotRun run = RunPlot(home, {"-c", "exec \"$0\" *.plt --brc 0,0,1000,1000",
                                           QString::fromStdString(kPlotCommand)},
                                    [&](QProcess& p) {
                                        p.setProgram("/bin/sh");
                                        p.setWorkingDirectory(QString::fromStdString(job));
                                    });
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

        const auto plots = Plots(shared);
        ASSERT_EQ(plots.size(), 1u);
        EXPECT_EQ(ReadFileBytes(plots.front()),
                  "\x1b.(IN;IW;IW0,0,1000,1000;" + kBody + "\x1b.)");
        EXPECT_EQ(ReadFileBytes(home.productFolder() + "/Trazen Sender Prefs"),
                  "BRC:0,0,1000,1000\r\n");
    }
}

// Whatever can't be plotted is refused with its own exit status before anything is written;
// 1 stays for "failed in the sender". An input window reaches the plotter verbatim.
TEST(PlotCommand, RefusesWhatCannotBePlotted) {
    enum class Kind { Missing, Empty, Folder, Plain, ReadOnlyFolder, NoDisplay };
    const struct {
        const char* name;
        Kind kind;
        QStringList args;
        PlotOutcome outcome;
    } rows[] = {
        {"missing", Kind::Missing, {}, PlotOutcome::BadInput},
        {"empty", Kind::Empty, {}, PlotOutcome::BadInput},
        {"folder", Kind::Folder, {}, PlotOutcome::BadInput},
        {"unknown_option", Kind::Plain, {"--bogus"}, PlotOutcome::BadInput},
        {"brc_letters", Kind::Plain, {"--brc", "abc"}, PlotOutcome::BadInput},
        {"brc_instructions", Kind::Plain, {"--brc", "0,0;PG;SP9;PD0,0"}, PlotOutcome::BadInput},
        {"brc_hundred_digits", Kind::Plain, {"--brc", QString(100, u'7') + ",0,0,0"},
         PlotOutcome::BadInput},
        {"brc_three_numbers", Kind::Plain, {"--brc", "0,0,16000"}, PlotOutcome::BadInput},
        {"read_only_product_folder", Kind::ReadOnlyFolder, {}, PlotOutcome::NoFolder},
        {"no_display", Kind::NoDisplay, {}, PlotOutcome::NoSender},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared);
        const std::string path = home.scratch("job") + "/" + row.name + ".plt";
        if (row.kind == Kind::Folder) fs::create_directories(path);
        if (row.kind == Kind::Empty) WriteFileBytes(path, "");
        if (row.kind >= Kind::Plain) WriteFileBytes(path, kBody);
        const std::string product = home.productFolder();
        std::function<void(QProcess&)> adjust;
        if (row.kind == Kind::ReadOnlyFolder) {
            // A lock file from an earlier plot, the folder itself read-only; root writes
            // anywhere, so the command then runs as nobody.
            WriteFileBytes(product + "/.plot.lock", "");
            for (const std::string& dir : {home.root(), home.root() + "/scratch", home.documents(),
                                           home.documents() + "/Adobe",
                                           home.documents() + "/Adobe/Illustrator"})
                chmod(dir.c_str(), 0755);
            chmod((product + "/.plot.lock").c_str(), 0666);
            chmod(product.c_str(), 0555);
            if (geteuid() == 0) {
                adjust = [](QProcess& p) {
                    p.setChildProcessModifier([] {
                        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
                    });
                };
            }
        }
        if (row.kind == Kind::NoDisplay) {
            adjust = [](QProcess& p) {
                QProcessEnvironment env = p.processEnvironment();
                for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                    env.remove(name);
                p.setProcessEnvironment(env);
            };
        }

        const PlotRun run = RunPlot(home, QStringList(row.args) << QString::fromStdString(path), adjust);
        chmod(product.c_str(), 0755);
        EXPECT_EQ(run.exitCode, static_cast<int>(row.outcome)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("trzn-plot: ")) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("platform plugin")) << run.err.toStdString();
        EXPECT_FALSE(fs::exists(product + "/Trazen Prefs"));
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

// A print server that takes the connection and never answers keeps the sender mid-delivery.
class SilentServer {
public:
    SilentServer() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&a), len) == 0 && listen(fd_, 4) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port_ = ntohs(a.sin_port);
    }
    ~SilentServer() { close(fd_); }
    int port() const { return port_; }
    bool Called(int ms) {
        pollfd p{fd_, POLLIN, 0};
        return poll(&p, 1, ms) == 1;
    }

private:
    int fd_;
    int port_ = 0;
};

pid_t ChildOf(pid_t parent) {
    std::ifstream children("/proc/" + std::to_string(parent) + "/task/" +
                           std::to_string(parent) + "/children");
    pid_t child = 0;
    children >> child;
    return child;
}

// Whoever dies, the slot and the status stay true: a killed trzn-plot leaves the slot with its
// sender (a second plot is refused, the first plot's body untouched); a killed sender's status
// becomes "not done", byte for byte as the sender writes it.
TEST(PlotCommand, AKilledProcessLeavesSlotAndStatusTrue) {
    for (const bool senderKilled : {false, true}) {
        SCOPED_TRACE(senderKilled ? "sender_killed" : "plot_command_killed");
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared, /*status=*/1);
        SilentServer cups;
        ASSERT_NE(cups.port(), 0);
        const std::string plot = home.scratch("job") + "/first.plt";
        WriteFileBytes(plot, kBody);
        QProcess p;
        QProcessEnvironment env = PlotEnvironment(home);
        env.insert("CUPS_SERVER", QString("127.0.0.1:%1").arg(cups.port()));
        p.setProcessEnvironment(env);
        p.setChildProcessModifier([] { setpgid(0, 0); });  // the sender is cleaned up with it
        p.start(QString::fromStdString(kPlotCommand),
                {"--queue", "plotter", QString::fromStdString(plot)});
        ASSERT_TRUE(p.waitForStarted());
        const pid_t group = static_cast<pid_t>(p.processId());
        ASSERT_TRUE(cups.Called(30000));
        const std::string running = ReadFileBytes(home.settingsFile());
        ASSERT_NE(running.find("refine_con = 0\r\n"), std::string::npos);

        if (senderKilled) {
            const pid_t sender = ChildOf(group);
            ASSERT_GT(sender, 0);
            kill(sender, SIGKILL);
            ASSERT_TRUE(p.waitForFinished(30000));
            EXPECT_EQ(p.exitCode(), static_cast<int>(PlotOutcome::SenderFailed));
            std::string want = running;
            want.replace(want.find("refine_con = 0"), 14, "refine_con = 2");
            EXPECT_TRUE(ReadFileBytes(home.settingsFile()) == want) << "not the sender's bytes with 2";
        } else {
            kill(group, SIGTERM);
            ASSERT_TRUE(p.waitForFinished(30000));
            const std::string second = home.scratch("job") + "/second.plt";
            WriteFileBytes(second, "IN;SP2;");
            const PlotRun run = RunPlot(home, {"--no-wait", QString::fromStdString(second)});
            EXPECT_EQ(run.exitCode, static_cast<int>(PlotOutcome::Busy)) << run.err.toStdString();
            EXPECT_EQ(ReadFileBytes(home.productFolder() + "/Trazen Prefs"), kBody);
        }
        killpg(group, SIGKILL);
    }
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
