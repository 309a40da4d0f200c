// trzn-render <plot> <out.png> [width]: draws an HP-GL plot as the sender's panel shows a
// delivered one (every line in its pen's colour from the user's main settings file; pens without
// colour in dark grey) into a PNG `width` pixels wide (default 1200), as high as the plot's
// aspect ratio asks. Exit status: 0 written, 1 bad arguments, 2 the plot can't be read or draws
// nothing, 3 the picture can't be written. A picture cut short (a plot past the reader's segment
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
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plotjob/product_folder.h"
#include "preview/plot_picture.h"
#include "preview/plot_render.h"
#include "settings/store.h"

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kSmallestWidth = 16;
constexpr int kLargestWidth = 8192;

int Usage() {
    std::fprintf(stderr,
                 "usage: trzn-render <plot> <out.png> [width]\n"
                 "  width in pixels, %d to %d (default %d)\n",
                 kSmallestWidth, kLargestWidth, kDefaultWidth);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) return Usage();
    int width = kDefaultWidth;
    if (argc == 4) {
        char* end = nullptr;
        const long value = std::strtol(argv[3], &end, 10);
        if (end == argv[3] || *end != 0 || value < kSmallestWidth || value > kLargestWidth)
            return Usage();
        width = static_cast<int>(value);
    }
    const std::string plotPath = argv[1];
    const QString outPath = QString::fromLocal8Bit(argv[2]);

    // Streamed, as the sender's panel draws it: time follows the plot's size, memory the
    // picture's.
    const int fd = ::open(plotPath.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fprintf(stderr, "trzn-render: can't read %s\n", plotPath.c_str());
        return 2;
    }
    const TPlotExtent extent = MeasurePlot(fd);
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
    const TPlotPicture picture =
        DrawPlotPicture(fd, palette, size, 1.0, /*withMarks=*/false, nullptr, &extent);
    ::close(fd);
    if (picture.status == TPictureStatus::Unreadable) {
        std::fprintf(stderr, "trzn-render: can't read %s\n", plotPath.c_str());
        return 2;
    }
    if (picture.status != TPictureStatus::Ready || !picture.full.save(outPath, "PNG")) {
        std::fprintf(stderr, "trzn-render: can't write %s\n", argv[2]);
        return 3;
    }
    if (!picture.Incomplete()) {
        std::printf("%s: %dx%d, %zu segments\n", argv[2], size.width(), size.height(),
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
    std::printf("%s: %dx%d, %zu of %zu segments drawn, picture incomplete\n", argv[2],
                size.width(), size.height(), picture.drawn, picture.segments);
    return 0;
}
