#include "drawing/read/svg/text_on_path.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "drawing/read/bounded_child.h"
#include "drawing/read/svg/svg_source.h"

namespace {

const char kNoInkscape[] =
    "text on a path (textPath) skipped: Inkscape, which sets it along its path, is not installed";
const char kInkscapeFailed[] =
    "text on a path (textPath) skipped: Inkscape could not set it along its path";

constexpr int kSeconds = 60;
constexpr qint64 kMemory = 2048LL * 1024 * 1024;

const char kXlink[] = "http://www.w3.org/1999/xlink";

// Inkscape 1.2 follows only the older xlink:href of a textPath (or a use), not SVG 2's plain
// href: each plain one is given its xlink twin.
QByteArray WithXlinkHrefs(const QByteArray& xml) {
    QByteArray out;
    QXmlStreamReader reader(xml);
    QXmlStreamWriter writer(&out);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token != QXmlStreamReader::StartElement) {
            writer.writeCurrentToken(reader);
            continue;
        }
        writer.writeCurrentToken(reader);
        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.hasAttribute(QLatin1String("href")) &&
            !attributes.hasAttribute(QLatin1String(kXlink), QLatin1String("href")))
            writer.writeAttribute(QLatin1String(kXlink), QStringLiteral("href"),
                                  attributes.value(QLatin1String("href")).toString());
    }
    return reader.hasError() ? xml : out;
}

TextAlongPaths NotDone(const char* note) {
    TextAlongPaths out;
    out.note = note;
    return out;
}

}  // namespace

TextAlongPaths SetTextAlongPaths(const QByteArray& xml) {
    const QString inkscape = QStandardPaths::findExecutable(QStringLiteral("inkscape"));
    if (inkscape.isEmpty()) return NotDone(kNoInkscape);
    QTemporaryDir dir;
    if (!dir.isValid()) return NotDone(kInkscapeFailed);
    const QString input = dir.filePath(QStringLiteral("drawing.svg"));
    const QString output = dir.filePath(QStringLiteral("outlines.svg"));
    QFile copy(input);
    const QByteArray given = WithXlinkHrefs(xml);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(given) != given.size() || !copy.flush())
        return NotDone(kInkscapeFailed);
    copy.close();

    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.setStandardInputFile(QProcess::nullDevice());
    run.setStandardOutputFile(QProcess::nullDevice());
    run.setWorkingDirectory(dir.path());
    // Its preferences go to the call's folder, not the user's own; no window opens.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("INKSCAPE_PROFILE_DIR"), dir.filePath(QStringLiteral("p")));
    environment.insert(QStringLiteral("TMPDIR"), dir.path());
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    run.setProcessEnvironment(environment);
    BoundChild(run, kMemory, kSeconds + 5);
    run.start(inkscape, {QStringLiteral("--export-type=svg"), QStringLiteral("--export-plain-svg"),
                         QStringLiteral("--export-text-to-path"),
                         QStringLiteral("--export-filename=") + output, input});
    if (!run.waitForStarted(10000)) return NotDone(kInkscapeFailed);
    if (!run.waitForFinished(kSeconds * 1000)) {
        run.kill();
        run.waitForFinished(5000);
        return NotDone(kInkscapeFailed);
    }
    QFile result(output);
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0 ||
        result.size() > kMaxDrawingXmlBytes || !result.open(QIODevice::ReadOnly))
        return NotDone(kInkscapeFailed);
    TextAlongPaths out;
    out.xml = result.readAll();
    if (out.xml.isEmpty()) return NotDone(kInkscapeFailed);
    return out;
}
