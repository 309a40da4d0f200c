#include "drawing/read/svg/text_on_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <utility>

#include "drawing/read/bounded_child.h"
#include "drawing/read/svg/svg_source.h"

namespace {

constexpr NoteId kNoInkscape = NoteId::TextPathTextPathSkippedInkscape;

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

TextAlongPaths NotDone(Note note) {
    TextAlongPaths out;
    out.note = std::move(note);
    return out;
}

TextAlongPaths Failed(Note why) {
    return NotDone(Note(NoteId::TextPathTextPathSkippedInkscapeCouldSet, {std::move(why)}));
}

// The last line Inkscape said, cut short: why it failed, in its words.
std::string LastLine(const QByteArray& said) {
    const QList<QByteArray> lines = said.trimmed().split('\n');
    if (lines.isEmpty()) return {};
    // One line of plain text in a message: no control characters (a terminal's colours).
    std::string line = lines.back().trimmed().left(160).toStdString();
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return line;
}

// Why the run gave no drawing, as the user is told.
Note WhyFailed(const ChildEnd& end, const QByteArray& said) {
    if (end.how == ChildEnd::How::Crashed) return NoteId::CrashedMayHaveNeeded;
    const std::string line = LastLine(said);
    const std::string status = std::to_string(end.value);
    if (line.empty()) return Note(NoteId::EndedWithStatus, {status});
    return Note(NoteId::EndedWithStatusSaying, {status, line});
}

// An environment of nothing of the user's: a home, settings, caches and scratch files in the
// call's folder; no display, no session bus. The user's own fonts are linked into that home,
// read only, so that text is set in the fonts the drawing names.
QProcessEnvironment EmptyHome(const BoundedChild& dir, QStringList* reads) {
    const QProcessEnvironment user = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment environment;
    for (const char* kept :
         {"PATH", "LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        if (user.contains(QLatin1String(kept)))
            environment.insert(QLatin1String(kept), user.value(QLatin1String(kept)));
    const QString home = dir.file(QStringLiteral("home"));
    const QString data = home + QStringLiteral("/.local/share");
    QDir().mkpath(data);
    QDir().mkpath(home + QStringLiteral("/.config"));
    QDir().mkpath(home + QStringLiteral("/.cache"));
    QDir().mkpath(dir.file(QStringLiteral("run")));
    QFile::setPermissions(dir.file(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString userHome = QDir::homePath();
    const QString userData =
        user.value(QStringLiteral("XDG_DATA_HOME"), userHome + QStringLiteral("/.local/share"));
    for (const auto& [from, to] :
         {std::pair{userData + QStringLiteral("/fonts"), data + QStringLiteral("/fonts")},
          std::pair{userHome + QStringLiteral("/.fonts"), home + QStringLiteral("/.fonts")}})
        if (QFileInfo(from).isDir() && QFile::link(from, to)) *reads << from;
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.file(QStringLiteral("run")));
    environment.insert(QStringLiteral("TMPDIR"), dir.folder());
    environment.insert(QStringLiteral("INKSCAPE_PROFILE_DIR"), dir.file(QStringLiteral("p")));
    environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    return environment;
}

}  // namespace

TextAlongPaths SetTextAlongPaths(const QByteArray& xml) {
    const QString inkscape = QStandardPaths::findExecutable(QStringLiteral("inkscape"));
    if (inkscape.isEmpty()) return NotDone(kNoInkscape);
    BoundedChild run;
    if (!run.hasFolder()) return Failed(NoteId::TemporaryFolderFor);
    const QString input = run.file(QStringLiteral("drawing.svg"));
    const QString output = run.file(QStringLiteral("outlines.svg"));
    if (!run.Give(QStringLiteral("drawing.svg"), WithXlinkHrefs(xml)))
        return Failed(NoteId::CopyDrawingCannotWritten);

    ChildBounds bounds;
    bounds.seconds = kInkscapeSeconds;
    bounds.cpuSeconds = kInkscapeSeconds;
    bounds.memoryBytes = kMemory;
    bounds.watchedFile = output;
    bounds.maxFileBytes = kMaxDrawingXmlBytes;
    bounds.keepsOutput = true;
    bounds.workingDirectory = run.folder();
    // Inkscape where it is installed, in the system's folders or elsewhere (a folder of the
    // user's own programs).
    ChildReach reach{run.folder(), {QFileInfo(inkscape).canonicalPath()}};
    bounds.environment = EmptyHome(run, &reach.reads);
    bounds.reach = reach;
    const ChildEnd end =
        run.Run(inkscape,
                {QStringLiteral("--export-type=svg"), QStringLiteral("--export-plain-svg"),
                 QStringLiteral("--export-text-to-path"),
                 QStringLiteral("--export-filename=") + output, input},
                bounds);
    if (end.how == ChildEnd::How::NotStarted) return Failed(NoteId::CannotBeStarted);
    if (end.how == ChildEnd::How::TimedOut)
        return Failed(Note(NoteId::TookMoreStopped, {std::to_string(kInkscapeSeconds)}));
    if (!end.ok() && end.how != ChildEnd::How::FileTooLarge)
        return Failed(WhyFailed(end, run.saidLast()));
    QFile result(output);
    if (end.how == ChildEnd::How::FileTooLarge || result.size() > kMaxDrawingXmlBytes)
        return Failed(Note(NoteId::MadeDrawingLargerMB,
                           {std::to_string(kMaxDrawingXmlBytes / (1024 * 1024))}));
    if (!result.open(QIODevice::ReadOnly)) return Failed(NoteId::WroteNoDrawing);
    TextAlongPaths out;
    out.xml = result.readAll();
    if (out.xml.isEmpty()) return Failed(NoteId::WroteNoDrawing);
    return out;
}
