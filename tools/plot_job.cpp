#include "tools/plot_job.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <cstring>

#include "plotjob/header_lines.h"
#include "plotjob/product_folder.h"
#include "tools/plot_tr.h"

using plot_words::Reason;
using plot_words::Said;
using plot_words::Shown;

namespace {

// The plot is copied in pieces: a plot of hundreds of megabytes needs no copy in memory.
bool CopyBody(int in, QSaveFile& out, std::string* readError) {
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *readError = std::strerror(errno);
            return false;
        }
        if (n == 0) return true;
        if (out.write(buffer, n) != n) return false;
    }
}

}  // namespace

std::string InputWindowHeader(const std::string& brc) {
    HeaderLines lines;
    lines.brc = brc;
    return lines.Format("\r\n");
}

std::optional<PlotOutcome> WritePlotInputs(const std::string& productFolder,
                                           const std::string& file, const std::string& headerLines,
                                           std::string* error) {
    const int in = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        const int err = errno;
        *error = Said(TPlotWords::tr("cannot read %1: %2").arg(Shown(file), Reason(err)));
        return PlotOutcome::BadInput;
    }
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{in};
    struct stat st {};
    if (fstat(in, &st) != 0 || st.st_size == 0) {
        *error = Said(TPlotWords::tr("%1 is empty: there is nothing to plot").arg(Shown(file)));
        return PlotOutcome::BadInput;
    }
    auto cannotWrite = [&](const QString& path, const QSaveFile& out) {
        *error = Said(TPlotWords::tr("cannot write %1: %2").arg(path, out.errorString()));
        return PlotOutcome::NoFolder;
    };

    // Header first: the body is what marks a plot as ready.
    const QString headerPath =
        QString::fromStdString(ProductFile(productFolder, product::kHeaderLines));
    QSaveFile header(headerPath);
    const QByteArray line = QByteArray::fromStdString(headerLines);
    if (!header.open(QIODevice::WriteOnly) || header.write(line) != line.size() ||
        !header.commit()) {
        return cannotWrite(headerPath, header);
    }
    const QString bodyPath = QString::fromStdString(ProductFile(productFolder, product::kPlotBody));
    QSaveFile body(bodyPath);
    if (!body.open(QIODevice::WriteOnly)) return cannotWrite(bodyPath, body);
    std::string readError;
    if (!CopyBody(in, body, &readError)) {
        body.cancelWriting();
        if (!readError.empty()) {
            *error = Said(TPlotWords::tr("cannot read %1: %2")
                              .arg(Shown(file), QString::fromLocal8Bit(readError)));
            return PlotOutcome::BadInput;
        }
        return cannotWrite(bodyPath, body);
    }
    if (!body.commit()) return cannotWrite(bodyPath, body);
    return std::nullopt;
}
