#include "tools/reading_files.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <type_traits>

#include "plotjob/header_lines.h"

namespace {

static_assert(std::is_trivially_copyable_v<TPrint> && std::is_trivially_copyable_v<TPrConfig>);
static_assert(std::is_trivially_copyable_v<TSrConfig> &&
              std::is_trivially_copyable_v<KnifeSettings>);

constexpr quint32 kRequestMagic = 0x54525251;  // "TRRQ"
constexpr quint32 kResultMagic = 0x54525253;   // "TRRS"
// Far beyond any result (a note a kind of skipped content, a plot a page or a panel).
constexpr quint32 kMaxItems = 100000;

template <class Record>
void PutRecord(QDataStream& out, const Record& record) {
    out.writeRawData(reinterpret_cast<const char*>(&record), sizeof record);
}

template <class Record>
bool GetRecord(QDataStream& in, Record* record) {
    return in.readRawData(reinterpret_cast<char*>(record), sizeof *record) == sizeof *record;
}

void Put(QDataStream& out, const std::string& text) { out << QByteArray::fromStdString(text); }

void Get(QDataStream& in, std::string* text) {
    QByteArray bytes;
    in >> bytes;
    *text = bytes.toStdString();
}

void PutPlot(QDataStream& out, const DrawingPlot& plot) {
    out << qint32(plot.number) << qint32(plot.of);
    Put(out, plot.brc);
    out << qint64(plot.paths) << qint64(plot.penUpTravel) << qint64(plot.bodyBytes);
    out << qint32(plot.page) << qint32(plot.pageOf) << qint32(plot.panel) << qint32(plot.panelOf);
}

void GetPlot(QDataStream& in, DrawingPlot* plot) {
    qint32 number = 0, of = 0;
    qint64 paths = 0, travel = 0, bytes = 0;
    in >> number >> of;
    Get(in, &plot->brc);
    in >> paths >> travel >> bytes;
    plot->number = number;
    plot->of = of;
    plot->paths = paths;
    plot->penUpTravel = travel;
    plot->bodyBytes = bytes;
    qint32 page = 0, pageOf = 0, panel = 0, panelOf = 0;
    in >> page >> pageOf >> panel >> panelOf;
    plot->page = page, plot->pageOf = pageOf, plot->panel = panel, plot->panelOf = panelOf;
}

}  // namespace

bool WriteReadingRequest(const std::string& file, const ReadingRequest& request, Note* error) {
    QSaveFile out(QString::fromStdString(file));
    if (out.open(QIODevice::WriteOnly)) {
        QDataStream stream(&out);
        stream << kRequestMagic;
        Put(stream, request.path);
        PutRecord(stream, request.print);
        PutRecord(stream, request.config);
        PutRecord(stream, request.serial);
        PutRecord(stream, request.knife);
        stream << request.everyOutline;
        stream << qint32(request.sheet.space);
        Put(stream, request.sheet.layout);
        if (stream.status() == QDataStream::Ok && out.commit()) return true;
    }
    *error = Note(NoteId::CannotWriteFile, {file, out.errorString().toStdString()});
    return false;
}

bool ReadReadingRequest(const std::string& file, ReadingRequest* request) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) return false;
    QDataStream stream(&in);
    quint32 magic = 0;
    stream >> magic;
    Get(stream, &request->path);
    const bool records = magic == kRequestMagic && GetRecord(stream, &request->print) &&
                         GetRecord(stream, &request->config) &&
                         GetRecord(stream, &request->serial) && GetRecord(stream, &request->knife);
    qint32 space = 0;
    stream >> request->everyOutline >> space;
    Get(stream, &request->sheet.layout);
    request->sheet.space = static_cast<SheetChoice::Space>(space);
    return records && space >= 0 && space <= 2 && stream.atEnd() &&
           stream.status() == QDataStream::Ok;
}

bool WriteReadingResult(const std::string& file, const DrawingResult& r) {
    QSaveFile out(QString::fromStdString(file));
    if (!out.open(QIODevice::WriteOnly)) return false;
    QDataStream s(&out);
    s << kResultMagic << qint32(r.error);
    Put(s, FormatNoteLine(r.message));
    for (const std::string* text : {&r.brc, &r.name}) Put(s, *text);
    s << quint32(r.notes.size());
    for (const Note& note : r.notes) Put(s, FormatNoteLine(note));
    s << r.clipLeftMm << r.clipTopMm << r.clipRightMm << r.clipBottomMm;
    s << qint32(r.panels) << r.pages << r.rollLengthMm << r.beyondRollMm;
    s << qint32(r.stepsPerInch);
    s << quint32(r.plots.size());
    for (const DrawingPlot& plot : r.plots) PutPlot(s, plot);
    s << qint64(r.paths) << qint64(r.penUpTravel) << qint64(r.bodyBytes);
    return s.status() == QDataStream::Ok && out.commit();
}

bool ReadReadingResult(const std::string& file, DrawingResult* r) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) return false;
    QDataStream s(&in);
    quint32 magic = 0, count = 0;
    qint32 error = 0, panels = 0, steps = 0;
    s >> magic >> error;
    if (magic != kResultMagic) return false;
    r->error = static_cast<DrawingError>(error);
    std::string message;
    Get(s, &message);
    r->message = message.empty() ? Note() : ReadNoteLine(message);
    for (std::string* text : {&r->brc, &r->name}) Get(s, text);
    s >> count;
    if (count > kMaxItems) return false;
    r->notes.resize(count);
    for (Note& note : r->notes) {
        std::string line;
        Get(s, &line);
        note = ReadNoteLine(line);
    }
    s >> r->clipLeftMm >> r->clipTopMm >> r->clipRightMm >> r->clipBottomMm;
    s >> panels >> r->pages >> r->rollLengthMm >> r->beyondRollMm;
    r->panels = panels;
    s >> steps;
    r->stepsPerInch = steps;
    s >> count;
    if (count > kMaxItems) return false;
    r->plots.resize(count);
    for (DrawingPlot& plot : r->plots) GetPlot(s, &plot);
    qint64 paths = 0, travel = 0, bytes = 0;
    s >> paths >> travel >> bytes;
    r->paths = paths;
    r->penUpTravel = travel;
    r->bodyBytes = bytes;
    return s.status() == QDataStream::Ok;
}
