#include "drawing/read/svg/svg_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>

namespace {

bool IsGzip(const QByteArray& data) {
    return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0x1f &&
           static_cast<unsigned char>(data[1]) == 0x8b;
}

}  // namespace

bool InflateBounded(const QByteArray& gz, qint64 limit, QByteArray* out, Note* message) {
    z_stream zs;
    std::memset(&zs, 0, sizeof zs);
    // 16 + MAX_WBITS: gzip framing only; a raw zlib stream is not an SVGZ.
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK) {
        *message = NoteId::CompressedDrawingCannotUnpacked;
        return false;
    }
    out->clear();
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gz.constData()));
    zs.avail_in = static_cast<uInt>(gz.size());
    char chunk[64 * 1024];
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) break;
        const qint64 got = static_cast<qint64>(sizeof chunk - zs.avail_out);
        if (out->size() + got > limit) {
            inflateEnd(&zs);
            *message = Note(NoteId::CompressedDrawingUnpacksMore,
                            {std::to_string(limit / (1024 * 1024))});
            return false;
        }
        out->append(chunk, static_cast<qsizetype>(got));
        if (rc == Z_OK && zs.avail_in == 0 && zs.avail_out != 0) {
            rc = Z_BUF_ERROR;  // the data ends before the stream does
            break;
        }
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END) {
        *message = NoteId::CompressedDrawingDamagedSVGZ;
        return false;
    }
    return true;
}

SvgBytes ReadSvgBytes(const std::string& path) {
    // O_NONBLOCK: a FIFO put in the drawing's place must not hang the open; it is refused by
    // the type check below without a byte read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Failed<SvgBytes>(DrawingError::Unreadable,
                                Note(NoteId::CannotOpenDrawing, {std::strerror(errno)}));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Failed<SvgBytes>(DrawingError::Unreadable, NoteId::DrawingPlainFile);
    }
    if (st.st_size > kMaxDrawingFileBytes) {
        ::close(fd);
        return Failed<SvgBytes>(DrawingError::Refused,
                                Note(NoteId::DrawingLargerMB,
                                     {std::to_string(kMaxDrawingFileBytes / (1024 * 1024))}));
    }
    QByteArray data;
    data.resize(static_cast<qsizetype>(st.st_size));
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(fd, data.data() + done, static_cast<size_t>(data.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int saved = errno;
            ::close(fd);
            return Failed<SvgBytes>(DrawingError::Unreadable,
                                    Note(NoteId::CannotReadDrawing, {std::strerror(saved)}));
        }
        if (n == 0) break;  // shrank while read: what is there is the drawing
        done += n;
    }
    ::close(fd);
    data.truncate(done);

    SvgBytes out;
    if (!IsGzip(data)) {
        out.xml = std::move(data);
        return out;
    }
    Note message;
    if (!InflateBounded(data, kMaxDrawingXmlBytes, &out.xml, &message)) {
        const bool tooBig = message.id == NoteId::CompressedDrawingUnpacksMore;
        return Failed<SvgBytes>(tooBig ? DrawingError::Refused : DrawingError::Malformed, message);
    }
    return out;
}
