// trzn-render [--unit STEPS] <plot> <out.png> [width]: draws an HP-GL plot as the sender's panel
// shows a delivered one (every line in its pen's colour from the user's main settings file; pens
// without colour in dark grey) into a PNG `width` pixels wide (default 1200), as high as the
// plot's aspect ratio asks. A plot kept for a plotter of another step is read at its steps per
// inch, so its labels are drawn at their real size beside its lines. Exit status: 0
// written, 1 bad arguments, 2 the plot can't be read or draws nothing, or the unit is not one,
// 3 the picture can't be written. A picture cut short (a plot past the reader's segment
// limit or the stroke budget) is still written and exits 0, but its summary line says
// "picture incomplete" and a line on stderr says where and why it stops: whoever reads the
// picture must not take it for the whole plot.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QStandardPaths>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "hpgl/hpgl_options.h"
#include "plotjob/product_folder.h"
#include "preview/plot_picture.h"
#include "preview/plot_render.h"
#include "settings/store.h"

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kSmallestWidth = 16;
constexpr int kLargestWidth = 8192;

int Usage(std::FILE* to, int status) {
    std::fprintf(to,
                 "usage: trzn-render [--unit STEPS] <plot> <out.png> [width]\n"
                 "  width in pixels, %d to %d (default %d)\n"
                 "  --unit STEPS  the plotter's steps per inch, %d to %d (default %d, 0.025 mm)\n",
                 kSmallestWidth, kLargestWidth, kDefaultWidth, kFewestStepsPerInch,
                 kMostStepsPerInch, kHpglStepsPerInch);
    return status;
}

// A whole number from `lowest` to `highest`, nothing else.
bool WholeIn(const char* text, long lowest, long highest, int* value) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || errno != 0 || v < lowest || v > highest) return false;
    *value = static_cast<int>(v);
    return true;
}

struct RenderArguments {
    std::vector<const char*> positional;
    int stepsPerInch = kHpglStepsPerInch;
    int width = kDefaultWidth;
};

// The arguments into `args`; an exit status when the command ends here, -1 to go on.
int ReadArguments(int argc, char** argv, RenderArguments* args) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return Usage(stdout, 0);
        if (arg != "--unit") {
            args->positional.push_back(argv[i]);
            continue;
        }
        if (i + 1 == argc) return Usage(stderr, 1);
        ++i;
        if (!WholeIn(argv[i], kFewestStepsPerInch, kMostStepsPerInch, &args->stepsPerInch)) {
            std::fprintf(stderr,
                         "trzn-render: the plotter unit %s is not a whole number of steps per "
                         "inch from %d to %d\n",
                         argv[i], kFewestStepsPerInch, kMostStepsPerInch);
            return 2;
        }
    }
    if (args->positional.size() < 2 || args->positional.size() > 3) return Usage(stderr, 1);
    if (args->positional.size() == 3 &&
        !WholeIn(args->positional[2], kSmallestWidth, kLargestWidth, &args->width))
        return Usage(stderr, 1);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    RenderArguments args;
    if (const int status = ReadArguments(argc, argv, &args); status >= 0) return status;
    const int width = args.width;
    const std::string plotPath = args.positional[0];
    const char* outName = args.positional[1];
    const QString outPath = QString::fromLocal8Bit(outName);

    // Streamed, as the sender's panel draws it: time follows the plot's size, memory the
    // picture's.
    const int fd = ::open(plotPath.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fprintf(stderr, "trzn-render: can't read %s\n", plotPath.c_str());
        return 2;
    }
    const TPlotExtent extent = MeasurePlot(fd, nullptr, args.stepsPerInch);
    if (!extent.readable) {
        std::fprintf(stderr, "trzn-render: can't read %s\n", plotPath.c_str());
        return 2;
    }
    if (extent.segments == 0) {
        std::fprintf(stderr, "trzn-render: %s draws nothing (no HP-GL lines found)\n",
                     plotPath.c_str());
        return 2;
    }

    // Writing a PNG goes through Qt's image plug-ins, which want an application object; no
    // window is opened, so the offscreen platform serves when there is no display.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);

    // The user's pen colours, when the user has a settings file; otherwise cleared records
    // (no colours). Looking first keeps a mere picture from creating the product folders.
    RecordSet records;
    ClearRecords(records.print.get(), records.paper.get(), records.config.get(),
                 records.serial.get());
    const QByteArray documents = QFile::encodeName(
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    const std::string settings =
        ProductFile(ProductFolderIn(documents.toStdString()), product::kSettings);
    if (QFileInfo::exists(QFile::decodeName(settings.c_str()))) LoadSettings(&records);
    const TPlotPalette palette(*records.config);

    const QSize size(width, RenderHeightFor(extent.bounds, width));
    const TPlotPicture picture = DrawPlotPicture(fd, palette, size, 1.0, /*withMarks=*/false,
                                                 nullptr, &extent, args.stepsPerInch);
    ::close(fd);
    if (picture.status == TPictureStatus::Unreadable) {
        std::fprintf(stderr, "trzn-render: can't read %s\n", plotPath.c_str());
        return 2;
    }
    if (picture.status != TPictureStatus::Ready || !picture.full.save(outPath, "PNG")) {
        std::fprintf(stderr, "trzn-render: can't write %s\n", outName);
        return 3;
    }
    if (!picture.Incomplete()) {
        std::printf("%s: %dx%d, %zu segments\n", outName, size.width(), size.height(),
                    picture.segments);
        return 0;
    }
    if (picture.cut == TPictureCut::StrokeBudget)
        std::fprintf(stderr,
                     "trzn-render: the picture is incomplete: it stops after %zu of %zu "
                     "segments, where its lines have covered the picture too often to show more\n",
                     picture.drawn, picture.segments);
    else
        std::fprintf(stderr,
                     "trzn-render: the picture is incomplete: only the first %zu segments are "
                     "read, the plot has more\n",
                     picture.segments);
    std::printf("%s: %dx%d, %zu of %zu segments drawn, picture incomplete\n", outName, size.width(),
                size.height(), picture.drawn, picture.segments);
    return 0;
}
