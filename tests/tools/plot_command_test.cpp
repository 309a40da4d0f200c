// The desktop plot command, run as a real process against the real sender in a throwaway home.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "plotjob/plot_slot.h"
#include "settings/geometry.h"
#include "settings/store.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_home.h"
#include "tests/tools/inkscape_session.h"
#include "tools/help_text.h"
#include "tools/plot_checks.h"
#include "tools/plot_outcome.h"
#include "tools/plot_parts.h"

namespace fs = std::filesystem;

namespace {

const std::string kPlotCommand = std::string(TRZN_BINARY_DIR) + "/tools/trzn-plot";
const std::string kBody = "IN;SP1;PU0,0;PD1000,0,1000,1000,0,1000,0,0;PU;SP0;";
// A 50 mm square, a letter, a line running 30 mm off the page's left edge, and a picture that is
// skipped.
const std::string kDrawing =
    "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm' viewBox='0 0 100 100'>"
    "<rect x='10' y='10' width='50' height='50' fill='none' stroke='black'/>"
    "<text x='70' y='30' font-size='20'>A</text>"
    "<path d='M-30 80H50' stroke='black'/><image href='a.png' width='9' height='9'/></svg>";

struct PlotRun {
    int exitCode = -1;
    QString err;
    QByteArray out;
};

// The command runs in the test's throwaway home, without a display, with a temporary folder of
// its own.
QProcessEnvironment PlotEnvironment(const TempHome& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(home.root()));
    env.insert("TMPDIR", QString::fromStdString(home.scratch("tmp")));
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
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()),
            p.readAllStandardOutput()};
}

// A main settings file that sends to the shared folder at `folder`, on the default page.
void ConfigureSharedFolder(const std::string& folder, int64_t status = 0,
                           const std::function<void(RecordSet&)>& page = {}) {
    RecordSet r;
    *r.refCon = status;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    if (page) page(r);
    std::snprintf(r.serial->port_name, sizeof r.serial->port_name, "%s",
                  "Shared Folder(Trazen Server)");
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "%s", folder.c_str());
    ASSERT_TRUE(SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(),
                              r.serial.get(), r.refCon.get()));
}

// What runs left in their temporary folder (Qt keeps a runtime folder there too).
std::vector<std::string> TempLeft(const TempHome& home) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(home.scratch("tmp"))) {
        if (e.path().filename().string().rfind("trzn-plot-", 0) == 0)
            out.push_back(e.path().filename());
    }
    return out;
}

std::vector<fs::path> Plots(const std::string& folder) {
    std::vector<fs::path> out;
    if (!fs::exists(folder)) return out;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.path().extension() == ".plt") out.push_back(e.path());
    }
    return out;
}

// The name is bytes, not UTF-8: a Latin-1 byte, then a Shift-JIS word. The shell passes it on
// as it lies in the folder, where Qt would re-encode it. The output tab's header and footer go
// around the plot once, even around a plot kept with them.
TEST(PlotCommand, DeliversAFileToTheSharedFolder) {
    const std::string framed = "VS10;FS30;" + kBody + "PG;";
    const struct {
        const char* name;
        const char* header;
        std::string file;
        int exit;
        std::string sent;  // between the framing's input window and its end
    } rows[] = {
        {"as_given", "", kBody, 0, kBody},
        {"header_and_footer", "VS10;FS30;", kBody, 0, framed},
        {"kept_with_them", "VS10;FS30;", "IW0,0,9,9;" + framed, 0, "IW0,0,9,9;" + framed},
        {"broken_escape", "VS10;\\xZ1", kBody, 2, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared, 0, [&](RecordSet& r) {
            std::snprintf(r.serial->prheader, sizeof r.serial->prheader, "%s", row.header);
            if (*row.header) std::snprintf(r.serial->prfooter, sizeof r.serial->prfooter, "PG;");
        });
        const std::string job = home.scratch("job");
        WriteFileBytes(job + "/caf\xe9_\x90\x7d\x96\xca.plt", row.file);

        const PlotRun run = RunPlot(
            home,
            {"-c", "exec \"$0\" *.plt --brc 0,0,1000,1000", QString::fromStdString(kPlotCommand)},
            [&](QProcess& p) {
                p.setProgram("/bin/sh");
                p.setWorkingDirectory(QString::fromStdString(job));
            });
        ASSERT_EQ(run.exitCode, row.exit) << run.err.toStdString();
        const auto plots = Plots(shared);
        if (row.exit != 0) {
            EXPECT_TRUE(plots.empty());
            EXPECT_TRUE(run.err.contains("header")) << run.err.toStdString();
            continue;
        }
        ASSERT_EQ(plots.size(), 1u);
        EXPECT_EQ(ReadFileBytes(plots.front()),
                  "\x1b.(IN;IW;IW0,0,1000,1000;" + row.sent + "\x1b.)");
        EXPECT_EQ(ReadFileBytes(home.productFolder() + "/Trazen Sender Prefs"),
                  "BRC:0,0,1000,1000\r\n");
    }
}

// Where a plot went is said in the session's language: on the standard output, and from the
// file manager in a desktop notice where the notification service runs.
TEST(PlotCommand, ADeliveredPlotIsSaidWhereItWent) {
    const struct {
        const char* name;
        const char* lang;
        bool gui;
        const char* said;  // %1: the shared folder
    } rows[] = {
        {"terminal", "C.UTF-8", false, "a.plt: delivered to Shared folder %1\n"},
        {"japanese_session", "ja_JP.UTF-8", false, "a.plt: 共有フォルダ %1 に送信しました\n"},
        {"file_manager", "C.UTF-8", true, "NOTICE Plot delivered\ta.plt to Shared folder %1\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared);
        const std::string plot = home.scratch("job") + "/a.plt";
        WriteFileBytes(plot, kBody);
        QProcess notices;
        notices.start("/usr/bin/python3",
                      {TRZN_SOURCE_DIR "/tests/platform/notice_server.py", "--serve"});
        QByteArray bus;
        while (row.gui && !bus.endsWith('\n') && notices.waitForReadyRead(10000))
            bus += notices.readLine();
        const PlotRun run = RunPlot(
            home, {row.gui ? "--gui" : "--no-wait", QString::fromStdString(plot)},
            [&](QProcess& p) {
                QProcessEnvironment env = p.processEnvironment();
                for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env.remove(name);
                env.insert("LANG", row.lang);
                env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(bus.mid(4).trimmed()));
                p.setProcessEnvironment(env);
            });
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QByteArray said = run.out;
        if (row.gui) {
            said.clear();
            while (!said.endsWith('\n') && notices.waitForReadyRead(5000))
                said += notices.readLine();
        }
        EXPECT_EQ(QString::fromUtf8(said), QString::fromUtf8(row.said).arg(shared.c_str()));
        notices.closeWriteChannel();
        notices.waitForFinished(3000);
    }
}

// Whatever can't be plotted is refused with its own exit status before anything is written;
// 1 stays for "failed in the sender". An input window reaches the plotter verbatim. What a file
// is, is told by its content: a drawing or a PDF named .plt is not sent as a plot.
TEST(PlotCommand, RefusesWhatCannotBePlotted) {
    enum class Kind { Missing, Empty, Folder, Plain, Unwritable, NoDisplay, Content, FullTemp };
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='20mm' height='20mm'>";
    // A plot body of about 2.5 MB.
    std::string manyLines = svg;
    for (int i = 0; i < 100000; ++i)
        manyLines += "<line x1='1' y1='" + std::to_string(i % 19) + "' x2='19' y2='" +
                     std::to_string(i % 17) + "' stroke='black'/>";
    manyLines += "</svg>";
    const struct {
        const char* name;
        Kind kind;
        QStringList args;
        PlotOutcome outcome;
        std::string content = kBody;
        const char* says = "trzn-plot: ";
        QString limit = {};  // NAME=VALUE for the reading process
    } rows[] = {
        {"missing", Kind::Missing, {}, PlotOutcome::BadInput},
        {"empty", Kind::Empty, {}, PlotOutcome::BadInput},
        {"folder", Kind::Folder, {}, PlotOutcome::BadInput},
        {"unknown_option", Kind::Plain, {"--bogus"}, PlotOutcome::BadInput},
        {"brc_instructions", Kind::Plain, {"--brc", "0,0;PG;SP9;PD0,0"}, PlotOutcome::BadInput},
        {"brc_hundred_digits", Kind::Plain, {"--brc", QString(100, u'7') + ",0,0,0"},
         PlotOutcome::BadInput},
        {"product_folder_unwritable", Kind::Unwritable, {}, PlotOutcome::NoFolder},
        {"no_display", Kind::NoDisplay, {}, PlotOutcome::NoSender},
        {"pdf_cut_off", Kind::Content, {}, PlotOutcome::BadInput, "%PDF-1.4\n%\xE2\xE3\n1 0 obj",
         "cut off"},
        {"png", Kind::Content, {}, PlotOutcome::BadInput, "\x89PNG\r\n\x1A\n", "a PNG"},
        {"random", Kind::Content, {}, PlotOutcome::BadInput, "\x7F\x01\xFE\x00zz", "neither"},
        {"svg_malformed", Kind::Content, {}, PlotOutcome::BadInput, svg + "\n<g></svg>", "line 2"},
        {"svg_nothing_to_plot", Kind::Content, {}, PlotOutcome::BadInput, svg + "</svg>",
         "no visible shape"},
        {"svgz_not_gzip_inside", Kind::Content, {}, PlotOutcome::BadInput, "\x1F\x8B\x08junk"},
        {"brc_with_drawing", Kind::Content, {"--brc", "0,0,10,10"}, PlotOutcome::BadInput,
         svg + "<path d='M0 0H10' stroke='black'/></svg>", "--brc"},
        {"output_of_a_plot", Kind::Plain, {"--output", "kept.plt"}, PlotOutcome::BadInput},
        {"outlines_of_a_plot", Kind::Plain, {"--outlines", "every"}, PlotOutcome::BadInput, kBody,
         "--outlines chooses a drawing's lines"},
        {"outlines_neither", Kind::Content, {"--outlines", "all"}, PlotOutcome::BadInput,
         svg + "<path d='M0 0H10' stroke='black'/></svg>", "shown or every"},
        {"layout_and_model", Kind::Plain, {"--layout", "A", "--model"}, PlotOutcome::BadInput,
         kBody, "give one of them"},
        {"model_of_a_plot", Kind::Plain, {"--model"}, PlotOutcome::BadInput, kBody,
         "are for DXF drawings"},
        // The name goes to the reading process, which finds no such layout.
        {"layout_not_in_the_dxf", Kind::Content, {"--layout", "Sheet 2"}, PlotOutcome::BadInput,
         "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n0\n 20\n0\n 11\n10\n 21\n0\n"
         "  0\nENDSEC\n  0\nEOF\n",
         "no layout \"Sheet 2\""},
        // Readers that misbehave, made to by limits far below what a drawing needs.
        {"reader_out_of_memory", Kind::Content, {}, PlotOutcome::BadInput, kDrawing,
         "needed more than 1 MB of memory", "TRZN_READ_MEMORY_MB=1"},
        {"reader_out_of_time", Kind::Content, {}, PlotOutcome::BadInput, "%!PS\n{} loop\n",
         "took more than 1 s", "TRZN_READ_SECONDS=1"},
        // The temporary folder's disk fills up under the plot body: a full disk, as for --output.
        {"temp_disk_full", Kind::FullTemp, {}, PlotOutcome::NoFolder, manyLines, "is full"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        std::optional<SmallDisk> disk;
        if (row.kind == Kind::FullTemp && !disk.emplace(home.scratch("tmp"), 1 << 20).mounted()) {
            std::cout << "[  SKIPPED ] " << row.name << ": no tmpfs can be mounted here\n";
            continue;
        }
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared);
        const std::string path = home.scratch("job") + "/" + row.name + ".plt";
        if (row.kind == Kind::Folder) fs::create_directories(path);
        if (row.kind == Kind::Empty) WriteFileBytes(path, "");
        if (row.kind >= Kind::Plain) WriteFileBytes(path, row.content);
        const std::string product = home.productFolder();
        std::function<void(QProcess&)> adjust = [&](QProcess& p) {
            p.setWorkingDirectory(QString::fromStdString(home.scratch("job")));
            QProcessEnvironment env = p.processEnvironment();
            if (!row.limit.isEmpty())
                env.insert(row.limit.section('=', 0, 0), row.limit.section('=', 1));
            p.setProcessEnvironment(env);
        };
        // Root writes into read-only folders; a folder in the way stops everyone.
        if (row.kind == Kind::Unwritable) fs::create_directories(product + "/Trazen Sender Prefs");
        if (row.kind == Kind::NoDisplay) adjust = [](QProcess& p) {
            p.setArguments(QStringList{"-u", "QT_QPA_PLATFORM", "-u", "DISPLAY", "-u",
                                       "WAYLAND_DISPLAY", p.program()} + p.arguments());
            p.setProgram("/usr/bin/env");
        };

        const PlotRun run = RunPlot(home, QStringList(row.args) << QString::fromStdString(path), adjust);
        EXPECT_EQ(run.exitCode, static_cast<int>(row.outcome)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(row.says)) << run.err.toStdString();
        EXPECT_EQ(run.err.count("trzn-plot: "), 1) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("platform plugin")) << run.err.toStdString();
        EXPECT_FALSE(fs::exists(product + "/Trazen Prefs"));
        EXPECT_FALSE(fs::exists(home.scratch("job") + "/kept.plt"));
        EXPECT_TRUE(Plots(shared).empty());
        EXPECT_TRUE(TempLeft(home).empty());
    }
}

// The process of `program` started for the home at `root`, waited for a while; 0 when none.
pid_t FindProgramOfHome(const std::string& program, const std::string& root) {
    for (int tries = 0; tries < 100; ++tries) {
        for (const auto& e : fs::directory_iterator("/proc")) {
            std::error_code ec;
            const std::string exe = fs::read_symlink(e.path() / "exe", ec).filename();
            const std::string env = ReadFileBytes(e.path() / "environ");
            if (!ec && exe == program && env.find("HOME=" + root + '\0') != std::string::npos)
                return static_cast<pid_t>(std::stol(e.path().filename()));
        }
        usleep(100000);
    }
    return 0;
}

std::vector<pid_t> ChildrenOf(qint64 pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    std::vector<pid_t> out;
    for (pid_t child = 0; in >> child;) out.push_back(child);
    return out;
}

// Gone, or a zombie waiting for whoever adopted it.
bool Ended(pid_t pid) {
    std::string stat = ReadFileBytes("/proc/" + std::to_string(pid) + "/stat");
    const size_t name = stat.rfind(')');
    return name == std::string::npos || stat.compare(name + 2, 1, "Z") == 0;
}

// A signal while ghostscript runs for the reading process: trzn-plot ends of it as it would
// have (or, when it is the reading process that crashed, refuses the drawing), and leaves
// neither the reading process, nor ghostscript, nor the folder with the copy of the drawing.
TEST(PlotCommand, ReadingEndsWithNothingLeft) {
    const struct {
        const char* name;
        int signal;
        bool toReader;
        int exitCode;  // -1: ended by the signal
        const char* says;
    } rows[] = {
        {"terminated", SIGTERM, false, -1, ""},
        {"hung_up", SIGHUP, false, -1, ""},
        {"interrupted", SIGINT, false, -1, ""},
        {"reader_crashed", SIGSEGV, true, 2, "reading the drawing crashed (Segmentation fault)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const QString job = QString::fromStdString(home.scratch("job"));
        WriteFileBytes(job.toStdString() + "/loop.ps", "%!PS\n{} loop\n");
        QProcess plot;
        plot.setProcessEnvironment(PlotEnvironment(home));
        // As from a terminal, whatever started the test.
        plot.setChildProcessModifier([] {
            signal(SIGINT, SIG_DFL);
            signal(SIGHUP, SIG_DFL);
        });
        plot.start(QString::fromStdString(kPlotCommand),
                   {"--output", job + "/kept.plt", job + "/loop.ps"});
        ASSERT_TRUE(plot.waitForStarted());
        const pid_t gs = FindProgramOfHome("gs", home.root());
        ASSERT_NE(gs, 0);
        const std::vector<pid_t> reader = ChildrenOf(plot.processId());
        ASSERT_EQ(reader.size(), 1u);
        kill(row.toReader ? reader.front() : static_cast<pid_t>(plot.processId()), row.signal);
        ASSERT_TRUE(plot.waitForFinished(30000));
        const QString err = QString::fromLocal8Bit(plot.readAllStandardError());
        EXPECT_EQ(plot.exitStatus() == QProcess::CrashExit, row.exitCode < 0);
        EXPECT_EQ(plot.exitCode(), row.exitCode < 0 ? row.signal : row.exitCode);
        EXPECT_TRUE(err.contains(row.says)) << err.toStdString();
        EXPECT_TRUE(TempLeft(home).empty());
        for (int i = 0; i < 100 && !(Ended(gs) && Ended(reader.front())); ++i) usleep(20000);
        EXPECT_TRUE(Ended(gs));
        EXPECT_TRUE(Ended(reader.front()));
    }
}

// A run killed outright leaves its temporary folder behind; the next start removes it, and keeps
// every folder of a run still alive.
TEST(PlotCommand, StaleTemporaryFoldersGoAtStart) {
    enum class Lock { None, Free, Held };
    const struct {
        const char* name;
        Lock lock;
        bool old;
        bool kept;
    } rows[] = {
        {"trzn-plot-free", Lock::Free, false, false},
        {"trzn-plot-held", Lock::Held, true, true},
        {"trzn-plot-unlocked-old", Lock::None, true, false},
        {"trzn-plot-unlocked-new", Lock::None, false, true},  // a run makes it this instant
        {"other-free", Lock::Free, true, true},
    };
    TempHome home;
    const std::string tmp = home.scratch("tmp");
    std::vector<int> held;
    for (const auto& row : rows) {
        const std::string folder = tmp + "/" + row.name;
        WriteFileBytes(folder + "/drawing.ps", "%!PS\n");
        if (row.lock != Lock::None) {
            const int fd = open((folder + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            ASSERT_GE(fd, 0);
            if (row.lock == Lock::Held && flock(fd, LOCK_EX) == 0)
                held.push_back(fd);
            else
                close(fd);
        }
        if (row.old)
            fs::last_write_time(folder, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    const std::string job = home.scratch("job");
    WriteFileBytes(job + "/a.svg", kDrawing);
    const PlotRun run = RunPlot(home, {"--output", QString::fromStdString(job + "/kept.plt"),
                                       QString::fromStdString(job + "/a.svg")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fs::exists(tmp + "/" + row.name), row.kept);
    }
    for (int fd : held) close(fd);
}

// A fresh install has no settings: the sender would send to the first serial port and say
// "delivered". Nothing is sent; the configuration window opens when there is a desktop.
TEST(PlotCommand, NothingIsSentBeforeTheDestinationIsSetUp) {
    enum class Settings { None, Folder, FirstStart, NoPaper };
    const struct {
        const char* name;
        Settings settings;
        QStringList args;
        PlotOutcome outcome;
        const char* says;
    } rows[] = {
        {"terminal", Settings::None, {}, PlotOutcome::Unconfigured, "not set up yet"},
        // From the file manager the window opens and the plot waits for it: closed without OK
        // (here killed) nothing is plotted; after OK (here a destination and status 1 written
        // as OK writes them) the plot goes on.
        {"file_manager", Settings::None, {"--gui"}, PlotOutcome::Unconfigured,
         "closed without OK"},
        {"file_manager_ok", Settings::None, {"--gui"}, PlotOutcome::Delivered, "opening it now"},
        {"settings_unreadable", Settings::Folder, {}, PlotOutcome::Unconfigured, "can't be read"},
        // A first start's Cancel leaves the default setup, which chooses no destination.
        {"first_start_cancelled",
         Settings::FirstStart,
         {},
         PlotOutcome::Unconfigured,
         "no destination is chosen"},
        // Keeping a plot sends nothing: the default setup's page will do.
        {"kept_on_the_default_page",
         Settings::None,
         {"--output", "kept.plt"},
         PlotOutcome::Delivered,
         "default setup's paper, A3"},
        // A fresh window's paper of no size: no margin is to blame.
        {"no_paper", Settings::NoPaper, {}, PlotOutcome::Unconfigured, "no paper is chosen"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        if (row.settings == Settings::Folder) fs::create_directories(home.settingsFile());
        if (row.settings == Settings::NoPaper) {
            ConfigureSharedFolder(home.scratch("server"), 0, [](RecordSet& r) {
                r.print->rPaper = Rect{0, 0, 0, 0};
                r.print->prInfo.rPage = Rect{0, 0, 0, 0};
                r.config->rmargin = Rect{0, 0, 0, 0};
            });
        }
        if (row.settings == Settings::FirstStart) {
            fs::create_directories(home.productFolder());
            fs::copy_file(TRZN_SOURCE_DIR "/packaging/TRZNSerConfig.ini", home.settingsFile());
        }
        const std::string job = home.scratch("job");
        WriteFileBytes(job + "/a.svg", kDrawing);
        const bool gui = row.args.contains("--gui");
        QProcess plot;
        plot.setProcessEnvironment(PlotEnvironment(home));
        plot.setWorkingDirectory(QString::fromStdString(job));
        plot.start(QString::fromStdString(kPlotCommand), QStringList(row.args) << "a.svg");
        const pid_t window = gui ? FindProgramOfHome("TRZNSerConfig", home.root()) : 0;
        EXPECT_EQ(window != 0, gui);
        const std::string server = home.scratch("server");
        if (window != 0) {
            // The window has written the default setup once it is up; OK is played after that.
            for (int i = 0; i < 300 && !fs::exists(home.settingsFile()); ++i) usleep(100000);
            if (row.outcome == PlotOutcome::Delivered) ConfigureSharedFolder(server, 1);
            kill(window, SIGKILL);
        }
        ASSERT_TRUE(plot.waitForFinished(60000));
        const QString err = QString::fromLocal8Bit(plot.readAllStandardError());
        EXPECT_EQ(plot.exitCode(), static_cast<int>(row.outcome)) << err.toStdString();
        EXPECT_TRUE(err.contains(row.says)) << err.toStdString();
        const bool sent = gui && row.outcome == PlotOutcome::Delivered;
        if (!sent) EXPECT_FALSE(fs::exists(home.productFolder() + "/Trazen Prefs"));
        EXPECT_EQ(fs::exists(home.productFolder() + "/Trazen.tmp"), sent);
        EXPECT_EQ(fs::exists(job + "/kept.plt"), !gui && row.outcome == PlotOutcome::Delivered);
        EXPECT_EQ(Plots(server).size(), sent ? 1u : 0u);
    }
}

// A drawing plotted, and the same drawing kept and plotted later, reach the plotter byte for
// byte alike; what was skipped and how far it is clipped is said once.
TEST(PlotCommand, DrawingPlottedOrKeptAlike) {
    TempHome home;
    const std::string shared = home.scratch("server");
    ConfigureSharedFolder(shared);
    const std::string job = home.scratch("job");
    WriteFileBytes(job + "/drawing.svg", kDrawing);
    auto run = [&](const QStringList& args) {
        return RunPlot(home, args,
                       [&](QProcess& p) { p.setWorkingDirectory(QString::fromStdString(job)); });
    };

    const PlotRun kept = run({"--output", "kept.plt", "drawing.svg"});
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.err.count("raster images"), 1) << kept.err.toStdString();
    // What lies beyond the canvas is not plotted, so nothing plotted is clipped at the paper.
    EXPECT_TRUE(kept.err.contains("beyond its canvas (30.0 mm on the left)"))
        << kept.err.toStdString();
    EXPECT_FALSE(kept.err.contains("printable area")) << kept.err.toStdString();
    const std::string plot = ReadFileBytes(job + "/kept.plt");
    ASSERT_EQ(plot.rfind("IW0,0,", 0), 0u) << plot;
    EXPECT_NE(plot.find("PD"), std::string::npos) << plot;
    EXPECT_EQ(run({"--output", "-", "drawing.svg"}).out.toStdString(), plot);

    ASSERT_EQ(run({"drawing.svg"}).exitCode, 0);
    const std::string brc = plot.substr(2, plot.find(';') - 2);
    EXPECT_EQ(ReadFileBytes(home.productFolder() + "/Trazen Sender Prefs")
                  .rfind("BRC:" + brc + "\nNAME:drawing.svg\nNOTE:", 0),
              0u);
    ASSERT_EQ(run({"kept.plt"}).exitCode, 0);
    const auto plots = Plots(shared);
    ASSERT_EQ(plots.size(), 2u);
    EXPECT_EQ(ReadFileBytes(plots[0]), "\x1b.(IN;IW;" + plot + "\x1b.)");
    EXPECT_EQ(ReadFileBytes(plots[1]), ReadFileBytes(plots[0]));
}

// Which outlines a drawing plots: as the window's file says, or as --outlines says for one plot
// (then the file is not needed); a file the window did not write is refused, never guessed at.
TEST(PlotCommand, OutlinesAsTheFileOrTheOptionSays) {
    // A white square, then a black one: what the drawing shows is the black one.
    const std::string squares =
        "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm' "
        "viewBox='0 0 100 100'><rect x='10' y='10' width='20' height='20' fill='white'/>"
        "<rect x='50' y='50' width='20' height='20' fill='black'/></svg>";
    const struct {
        const char* name;
        const char* file;  // TRZNOutlines.ini, null for none
        QStringList args;
        int exit;
        qsizetype squares;  // the pen-down runs plotted
    } rows[] = {
        {"no_file", nullptr, {}, 0, 1},
        {"file_every", "outlines.every = 1\r\n", {}, 0, 2},
        {"file_shown", "outlines.every = 0\r\n", {}, 0, 1},
        {"option_over_file", "outlines.every = 1\r\n", {"--outlines", "shown"}, 0, 1},
        {"option_without_usable_file", "outlines.every = 7", {"--outlines", "every"}, 0, 2},
        {"unusable_file", "outlines.every = 7", {}, 2, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        ConfigureSharedFolder(home.scratch("server"));
        const std::string job = home.scratch("job");
        WriteFileBytes(job + "/squares.svg", squares);
        if (row.file) WriteFileBytes(home.productFolder() + "/TRZNOutlines.ini", row.file);
        const PlotRun run = RunPlot(
            home, QStringList(row.args) << "--output" << "-" << "squares.svg",
            [&](QProcess& p) { p.setWorkingDirectory(QString::fromStdString(job)); });
        EXPECT_EQ(run.exitCode, row.exit) << run.err.toStdString();
        EXPECT_EQ(run.out.count("PD"), row.squares) << run.out.toStdString();
        if (row.exit) EXPECT_TRUE(run.err.contains("the outline choice")) << run.err.toStdString();
    }
}

// A drawing longer than the roll length goes as panels, one plot each, in order; kept, one file
// each. The page range picks which. The standard output takes one plot only.
TEST(PlotCommand, PanelsGoOneAfterAnother) {
    TempHome home;
    const std::string shared = home.scratch("server");
    const auto roll = [&](int16_t first, int16_t last) {
        ConfigureSharedFolder(shared, 0, [&](RecordSet& r) {
            r.config->rmargin = Rect{0, 0, 0, 0};
            CalcPageWidth(r.print.get(), r.config.get(), 284, 709, 100, 1);  // 10005 units
            r.config->rlength = 288;                                         // 4064 units
            r.config->fautosep = 1;
            r.config->iFstPage = first;
            r.config->iLstPage = last;
        });
    };
    roll(1, 9999);
    const std::string job = home.scratch("job");
    WriteFileBytes(job + "/long.svg",
                   "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='250mm' "
                   "viewBox='0 0 100 250'><path d='M5 5 L95 245' stroke='black'/></svg>");
    auto run = [&](const QStringList& args) {
        return RunPlot(home, args,
                       [&](QProcess& p) { p.setWorkingDirectory(QString::fromStdString(job)); });
    };

    const PlotRun toStdout = run({"--output", "-", "long.svg"});
    EXPECT_EQ(toStdout.exitCode, static_cast<int>(PlotOutcome::BadInput));
    EXPECT_TRUE(toStdout.err.contains("cut into 3 panels")) << toStdout.err.toStdString();
    EXPECT_TRUE(toStdout.out.isEmpty());

    const PlotRun kept = run({"--output", "long.plt", "long.svg"});
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_FALSE(fs::exists(job + "/long.plt"));
    std::string panels[3];
    for (int i = 0; i < 3; ++i) {
        panels[i] = ReadFileBytes(job + "/long-" + std::to_string(i + 1) + ".plt");
        EXPECT_EQ(panels[i].rfind(i < 2 ? "IW0,0,4008,4064;" : "IW0,0,4008,1877;", 0), 0u)
            << panels[i];
    }

    const PlotRun sent = run({"long.svg"});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    const qsizetype said[] = {sent.err.indexOf("trzn-plot: panel 1 of 3\n"),
                              sent.err.indexOf("trzn-plot: panel 2 of 3\n"),
                              sent.err.indexOf("trzn-plot: panel 3 of 3\n")};
    EXPECT_TRUE(0 <= said[0] && said[0] < said[1] && said[1] < said[2]) << sent.err.toStdString();
    const QByteArray went = " to Shared folder " + QByteArray::fromStdString(shared) + "\n";
    EXPECT_EQ(sent.out, "long.svg (1/3): delivered" + went + "long.svg (2/3): delivered" + went +
                            "long.svg (3/3): delivered" + went);
    EXPECT_EQ(ReadFileBytes(home.productFolder() + "/Trazen Sender Prefs"),
              "BRC:0,0,4008,1877\nNAME:long.svg (3/3)\n");
    std::multiset<std::string> delivered, want;
    for (const fs::path& plot : Plots(shared)) delivered.insert(ReadFileBytes(plot));
    for (const std::string& panel : panels) want.insert("\x1b.(IN;IW;" + panel + "\x1b.)");
    EXPECT_EQ(delivered, want);

    roll(2, 2);
    for (const fs::path& plot : Plots(shared)) fs::remove(plot);
    const PlotRun second = run({"long.svg"});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(second.out, "long.svg (2/3): delivered" + went);
    const auto plots = Plots(shared);
    ASSERT_EQ(plots.size(), 1u);
    EXPECT_EQ(ReadFileBytes(plots.front()), "\x1b.(IN;IW;" + panels[1] + "\x1b.)");

    roll(4, 9);
    const PlotRun none = run({"long.svg"});
    EXPECT_EQ(none.exitCode, static_cast<int>(PlotOutcome::BadInput));
    EXPECT_TRUE(none.err.contains("selects none of the drawing's 3 panels"))
        << none.err.toStdString();
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

// A print server that never answers holds the senders mid-delivery. The first trzn-plot, killed,
// leaves the slot to its sender: a second plot is refused or waits. The waiting one's sender,
// killed, gets status 2, byte for byte as the sender writes it.
TEST(PlotCommand, AKilledProcessLeavesSlotAndStatusTrue) {
    TempHome home;
    ConfigureSharedFolder(home.scratch("server"), /*status=*/1);
    const int server = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&addr), len) + listen(server, 4) +
                  getsockname(server, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    pollfd called{server, POLLIN, 0};
    const std::string plot = home.scratch("job") + "/a.plt";
    WriteFileBytes(plot, kBody);
    struct Groups {  // each trzn-plot leads a process group with its sender; none outlives the test
        pid_t ids[2] = {0, 0};
        ~Groups() { for (pid_t g : ids) if (g > 0) killpg(g, SIGKILL); }
    } groups;
    QProcess first, second;
    for (QProcess* p : {&first, &second}) {
        QProcessEnvironment env = PlotEnvironment(home);
        env.insert("CUPS_SERVER", QString("127.0.0.1:%1").arg(ntohs(addr.sin_port)));
        p->setProcessEnvironment(env);
        p->setChildProcessModifier([] { setpgid(0, 0); });
        p->setProgram(QString::fromStdString(kPlotCommand));
        p->setArguments({"--queue", "q", QString::fromStdString(plot)});
    }
    first.start();
    const pid_t firstGroup = groups.ids[0] = static_cast<pid_t>(first.processId());
    ASSERT_GT(firstGroup, 0);
    ASSERT_EQ(poll(&called, 1, 30000), 1);
    kill(firstGroup, SIGTERM);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(RunPlot(home, {"--no-wait", QString::fromStdString(plot)}).exitCode,
              static_cast<int>(PlotOutcome::Busy));

    second.start();
    const pid_t secondGroup = groups.ids[1] = static_cast<pid_t>(second.processId());
    killpg(firstGroup, SIGKILL);  // the first sender
    close(accept(server, nullptr, nullptr));
    ASSERT_EQ(poll(&called, 1, 30000), 1);
    const std::string running = ReadFileBytes(home.settingsFile());
    pid_t sender = 0;
    std::ifstream("/proc/" + std::to_string(secondGroup) + "/task/" +
                  std::to_string(secondGroup) + "/children") >> sender;
    ASSERT_GT(sender, 0);
    kill(sender, SIGKILL);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), static_cast<int>(PlotOutcome::SenderFailed));
    std::string want = running;
    want.replace(want.find("refine_con = 0\r\n"), 14, "refine_con = 2");
    EXPECT_TRUE(ReadFileBytes(home.settingsFile()) == want) << "not the sender's bytes";
    close(server);
}

// Inkscape, headless, runs the extension installed into the user's extension folder: Save a
// Copy writes the plot, the menu item plots through the sender (its effects need the GUI, so
// on a virtual display) and leaves Inkscape at once. The package's copy is in Inkscape's system
// folder all along, as on a machine where the package is installed.
TEST(PlotCommand, InkscapeHandsTheDrawingOver) {
    if (!fs::exists("/usr/bin/inkscape") || !fs::exists("/usr/bin/Xvfb"))
        GTEST_SKIP() << "inkscape or Xvfb is not installed";
    const QStringList saveACopy = {"drawing.svg", "--export-filename=drawing.plt",
                                   "--export-extension=" + kTestOutputId};
    const QStringList menuItem = {"--with-gui", "--batch-process", "--actions=" + kTestPlotId,
                                  "drawing.svg"};
    for (const QStringList& command : {saveACopy, menuItem}) {
        SCOPED_TRACE(command.join(' ').toStdString());
        TempHome home;
        const std::string shared = home.scratch("server");
        ConfigureSharedFolder(shared);
        const std::string data =
            InstallExtensionCopies(TRZN_SOURCE_DIR "/packaging/inkscape", home.root());
        const std::string job = home.scratch("job");
        WriteFileBytes(job + "/drawing.svg", kDrawing);
        const PlotRun direct =
            RunPlot(home, {"--output", "-", QString::fromStdString(job + "/drawing.svg")});
        ASSERT_EQ(direct.exitCode, 0) << direct.err.toStdString();

        ProcessGroups processes;
        QProcessEnvironment env = PlotEnvironment(home);
        env.insert("TRZN_PLOT", QString::fromStdString(kPlotCommand));
        env.insert("INKSCAPE_DATADIR", QString::fromStdString(data));
        env.remove("DISPLAY");
        if (command == menuItem) {
            std::string why;
            const QString display = StartVirtualDisplay(processes, why);
            ASSERT_FALSE(display.isEmpty()) << why;
            env.insert("DISPLAY", display);
        }
        QProcess& inkscape = processes.start(env, QString::fromStdString(job),
                                             "/usr/bin/inkscape", command);
        // A script Inkscape couldn't run leaves a dialog waiting for a click.
        ASSERT_TRUE(inkscape.waitForFinished(120000))
            << "Inkscape did not finish: " << inkscape.readAllStandardError().toStdString();
        // An extension Inkscape can't find ends with status 0 too, so the plot is what counts.
        EXPECT_EQ(inkscape.exitCode(), 0) << inkscape.readAllStandardError().toStdString();
        if (command == saveACopy) {
            EXPECT_EQ(ReadFileBytes(job + "/drawing.plt"), direct.out.toStdString());
            continue;
        }
        std::vector<fs::path> plots;
        for (int i = 0; i < 600 && plots.empty(); ++i, usleep(100000)) plots = Plots(shared);
        ASSERT_EQ(plots.size(), 1u);
        EXPECT_EQ(ReadFileBytes(plots.front()),
                  "\x1b.(IN;IW;" + direct.out.toStdString() + "\x1b.)");
    }
}

TEST(PlotCommand, PanelFilesAndWhatWasNotSent) {
    const std::vector<PlotPart> parts = {{"", "", "", 2, 5}, {"", "", "", 3, 5}, {"", "", "", 4, 5}};
    EXPECT_EQ(KeptPlotName("out.plt", parts[0], parts.size()), "out-2.plt");
    EXPECT_EQ(KeptPlotName("dir.v2/out", parts[0], parts.size()), "dir.v2/out-2.plt");
    EXPECT_EQ(KeptPlotName("out.plt", PlotPart{}, 1), "out.plt");
    EXPECT_EQ(KeptPlotName("-", parts[0], parts.size()), "-");
    // The one page a range chooses is the file asked for, not a numbered one beside it.
    EXPECT_EQ(KeptPlotName("kept.plt", parts[1], 1), "kept.plt");
    // Kept, what the range leaves out is not converted; other notes stay as they are.
    EXPECT_EQ(KeptRemarks({"pages 2-22 of 22 are outside the page range 1-1 set in Trazen "
                           "Plotter Settings; not sent",
                           "images skipped"}),
              (std::vector<Note>{"pages 2-22 of 22 are outside the page range 1-1 set in "
                                 "Trazen Plotter Settings; not converted",
                                 "images skipped"}));
    EXPECT_EQ(KeptRemarks({Note(NoteId::PanelOutsideRangeNotSent, {"3", "3", "1-2"})}),
              std::vector<Note>{Note(NoteId::PanelOutsideRangeNotConverted, {"3", "3", "1-2"})});
    EXPECT_EQ(NoteEnglish(NotSent(parts, 1).value()), "panels 3, 4 of 5 were not sent");
    EXPECT_EQ(NoteEnglish(NotSent(parts, 2).value()), "panel 4 of 5 was not sent");
    EXPECT_FALSE(NotSent(parts, 3));
    std::vector<PlotPart> pages = parts;
    for (PlotPart& page : pages) page.page = true;
    EXPECT_EQ(NoteEnglish(NotSent(pages, 1).value()), "pages 3, 4 of 5 were not sent");
}

// --help in a terminal of 80 columns, in either language: Japanese characters take two columns
// each and break between themselves; an option's description keeps its column. Every line of the
// real help, in both languages, is the check that paragraphs wrap.
TEST(PlotCommand, HelpFitsEightyColumns) {
    EXPECT_EQ(WrapHelp("  --gui   " + QString(40, 'd') + " " + QString(40, 'e'), 80),
              "  --gui   " + QString(40, 'd') + "\n" + QString(10, ' ') + QString(40, 'e'));
    EXPECT_EQ(WrapHelp(QString(50, QChar(0x56f3)), 80),
              QString(40, QChar(0x56f3)) + "\n" + QString(10, QChar(0x56f3)));
    for (const char* language : {"en", "ja"}) {
        SCOPED_TRACE(language);
        TempHome home;
        const PlotRun run = RunPlot(home, {"--help"}, [&](QProcess& p) {
            QProcessEnvironment env = p.processEnvironment();
            env.insert("LANGUAGE", language);
            env.insert("LC_ALL", "C.UTF-8");
            p.setProcessEnvironment(env);
        });
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList lines = QString::fromUtf8(run.out).split('\n');
        EXPECT_GT(lines.size(), 20);
        for (const QString& line : lines) EXPECT_LE(TextColumns(line), 80) << line.toStdString();
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
