#pragma once
// The bytes of a drawing: read from its own file only (a plain file, never a device, pipe or
// anything it names), SVGZ inflated, both within fixed limits so that no file can make the
// reading take unbounded memory.

#include <QByteArray>
#include <string>

#include "drawing/read/reader_contract.h"

struct SvgBytes : ReadStatus {
    QByteArray xml;       // the document as XML text (inflated when the file was SVGZ)
};

// Beyond these a drawing is refused: a 10 MB drawing is far inside, a compressed bomb is not.
inline constexpr qint64 kMaxDrawingFileBytes = 128 * 1024 * 1024;
inline constexpr qint64 kMaxDrawingXmlBytes = 128 * 1024 * 1024;

SvgBytes ReadSvgBytes(const std::string& path);

// Inflates gzip data into at most `limit` bytes; false (with a message) for damaged data or
// data that inflates beyond the limit.
bool InflateBounded(const QByteArray& gz, qint64 limit, QByteArray* out, Note* message);
