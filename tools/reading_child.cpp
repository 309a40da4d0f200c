#include "tools/reading_child.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

#include "drawing/read/bounded_child.h"
#include "drawing/read/svg/svg_chunks.h"
#include "tools/plot_tr.h"
#include "tools/reading_files.h"
#include "tools/signal_cleanup.h"

namespace {

// How the reading process ends on its own; anything else is a fault.
constexpr int kReadingDone = 0;
constexpr int kReadingOutOfMemory = 86;
constexpr int kReadingBroken = 87;  // no request to read, or no result written
constexpr int kReadingDiskFull = 88;  // the temporary folder's disk filled up

// A disk with less free than this is taken as full: a write failed on it for want of room.
constexpr uint64_t kFullBelowBytes = 256u << 10;

constexpr char kRequestFile[] = "/request";
constexpr char kResultFile[] = "/result";

int64_t PositiveFromEnvironment(const char* name, int64_t fallback) {
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && value > 0 ? value : fallback;
}

std::string Megabytes(int64_t mb) {
    return mb % 1024 == 0 ? std::to_string(mb / 1024) + " GB" : std::to_string(mb) + " MB";
}

std::string TookTooLong(const ReadingLimits& limits) {
    return TPlotWords::tr(
               "reading the drawing took more than %1 s and was stopped (TRZN_READ_SECONDS sets "
               "the limit)")
        .arg(limits.seconds)
        .toStdString();
}

DrawingResult Refused(std::string message) {
    DrawingResult result;
    result.error = DrawingError::Refused;
    result.message = std::move(message);
    return result;
}

// A library that gets no memory for a picture or a buffer often goes on with the null pointer
// and crashes on it (poppler does, on a picture that declares gigabytes); errno still says
// ENOMEM then, and that is the limit to name rather than the crash.
void OnFatalSignal(int signal) {
    if (errno == ENOMEM) _exit(kReadingOutOfMemory);
    raise(signal);  // SA_RESETHAND: the default action, a crash the parent names
}

void OnTerminate() {
    try {
        if (std::exception_ptr thrown = std::current_exception()) std::rethrow_exception(thrown);
    } catch (const std::bad_alloc&) {
        _exit(kReadingOutOfMemory);
    } catch (...) {
    }
    std::abort();
}

void TellOutOfMemoryApart() {
    // Its own stack: a crash may be a stack that ran out.
    static char stack[64 * 1024];
    stack_t alternate{};
    alternate.ss_sp = stack;
    alternate.ss_size = sizeof stack;
    sigaltstack(&alternate, nullptr);
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE})
        sigaction(signal, &action, nullptr);
    std::set_terminate(OnTerminate);
}

// Only the soft limit: ghostscript, started from here, raises its own to its 2 GB.
void LimitMemory(int64_t mb) {
    rlimit space{};
    getrlimit(RLIMIT_AS, &space);
    const rlim_t wanted = static_cast<rlim_t>(mb) << 20;
    space.rlim_cur = space.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, space.rlim_max);
    setrlimit(RLIMIT_AS, &space);
}

bool DiskFull(const std::string& folder) {
    struct statvfs disk {};
    return statvfs(folder.c_str(), &disk) == 0 &&
           static_cast<uint64_t>(disk.f_bavail) * disk.f_frsize < kFullBelowBytes;
}

DrawingResult FullDisk(const std::string& folder) {
    DrawingResult result;
    result.error = DrawingError::WriteFailed;
    const std::string parent = folder.substr(0, folder.rfind('/'));
    result.message = TPlotWords::tr("the temporary folder %1 is full (no space left on its "
                                    "disk): free some space, or set TMPDIR to a larger disk")
                         .arg(QString::fromStdString(parent.empty() ? "/" : parent))
                         .toStdString();
    return result;
}

std::string BodyName(const std::string& folder, size_t index) {
    return folder + "/plot-" + std::to_string(index + 1);
}

// What the reading process's end says, when it left no result to read.
DrawingResult Ended(const ChildEnd& reader, const ReadingLimits& limits,
                    const std::string& folder) {
    if (reader.how == ChildEnd::How::Crashed) {
        const int signal = reader.value;
        if (signal == SIGXCPU) return Refused(TookTooLong(limits));
        return Refused(TPlotWords::tr("reading the drawing crashed (%1): the file may be damaged")
                           .arg(QString::fromLocal8Bit(strsignal(signal)))
                           .toStdString());
    }
    if (reader.value == kReadingDiskFull) return FullDisk(folder);
    if (reader.value == kReadingOutOfMemory)
        return Refused(TPlotWords::tr("reading the drawing needed more than %1 of memory and was "
                                      "stopped (TRZN_READ_MEMORY_MB sets the limit)")
                           .arg(QString::fromStdString(Megabytes(limits.memoryMb)))
                           .toStdString());
    return Refused(
        TPlotWords::tr("the drawing's reading process ended with status %1 and no result")
            .arg(reader.value)
            .toStdString());
}

}  // namespace

ReadingLimits ReadingLimits::FromEnvironment() {
    ReadingLimits limits;
    limits.memoryMb = PositiveFromEnvironment("TRZN_READ_MEMORY_MB", limits.memoryMb);
    limits.seconds = PositiveFromEnvironment("TRZN_READ_SECONDS", limits.seconds);
    return limits;
}

DrawingResult ConvertInReadingProcess(const ReadingRequest& request, const std::string& folder,
                                      const ReadingLimits& limits,
                                      std::vector<std::string>* bodies) {
    Note error;
    if (!WriteReadingRequest(folder + kRequestFile, request, &error)) {
        DrawingResult result;
        result.error = DrawingError::WriteFailed;
        result.message = error;
        return result;
    }
    BoundedChild reader(QString::fromStdString(folder));
    ChildBounds bounds;
    bounds.seconds = limits.seconds;
    bounds.cpuSeconds = limits.seconds;
    bounds.cpuHardSeconds = limits.seconds + 5;
    // Its memory it limits itself: ghostscript, started from it, raises its own to its 2 GB.
    // What the libraries say while reading is theirs (not kept); the result carries what the
    // user needs. Ghostscript's copy of the drawing and its scratch files go into the folder.
    bounds.groupStarted = [](pid_t group) { CleanupOnSignal::SetReadingGroup(group); };
    const ChildEnd end = reader.Run(QCoreApplication::applicationFilePath(),
                                    {kReadDrawingOption, QString::fromStdString(folder)}, bounds);
    if (end.how == ChildEnd::How::NotStarted)
        return Refused(TPlotWords::tr("the drawing's reading process can't be started: %1")
                           .arg(end.startError)
                           .toStdString());
    if (end.how == ChildEnd::How::TimedOut) return Refused(TookTooLong(limits));
    DrawingResult result;
    const bool exited = end.how == ChildEnd::How::Exited;
    if (!exited || end.value != kReadingDone || !ReadReadingResult(folder + kResultFile, &result))
        return exited && end.value != kReadingOutOfMemory && DiskFull(folder)
                   ? FullDisk(folder)
                   : Ended(end, limits, folder);
    if (result.error == DrawingError::WriteFailed && DiskFull(folder)) return FullDisk(folder);
    for (size_t i = 0; i < result.plots.size(); ++i) bodies->push_back(BodyName(folder, i));
    return result;
}

int ReadingProcessMain(int argc, char** argv) {
    if (argc != 3) return kReadingBroken;
    TellOutOfMemoryApart();
    const std::string folder = argv[2];
    ReadingRequest request;
    if (!ReadReadingRequest(folder + kRequestFile, &request)) return kReadingBroken;
    // Text is plotted from its font's outlines, which takes a GUI application; there is never
    // a window here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trzn-plot"));
    LimitMemory(ReadingLimits::FromEnvironment().memoryMb);

    std::vector<std::FILE*> files;
    std::string failure;
    const auto open = [&](const DrawingPlot&) -> std::FILE* {
        const std::string name = BodyName(folder, files.size());
        std::FILE* file = std::fopen(name.c_str(), "wbe");
        if (!file) {
            failure = "cannot write the plot body " + name + ": " + std::strerror(errno);
            return nullptr;
        }
        files.push_back(file);
        return file;
    };
    const PlotSettings settings =
        DecodePlotSettings(request.print, request.config, request.serial, request.knife,
                           request.everyOutline);
    DrawingResult result = ConvertDrawing(request.path, settings, open, {}, request.sheet);
    if (!failure.empty()) result.message = failure;
    for (size_t i = 0; i < files.size(); ++i) {
        if (std::fclose(files[i]) != 0 && result.ok()) {
            result.error = DrawingError::WriteFailed;
            result.message =
                Note(NoteId::CannotWritePlotBodyTo, {BodyName(folder, i), std::strerror(errno)});
        }
    }
    // A body that filled the disk goes at once; the parent names the full disk.
    const bool full = result.error == DrawingError::WriteFailed && DiskFull(folder);
    if (full || !WriteReadingResult(folder + kResultFile, result)) {
        for (size_t i = 0; i < files.size(); ++i) std::remove(BodyName(folder, i).c_str());
        return full || DiskFull(folder) ? kReadingDiskFull : kReadingBroken;
    }
    return kReadingDone;
}
