#include "drawing/read/svg/svg_sanitize.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <optional>
#include <utility>

#include "drawing/read/svg/arc_split.h"
#include "drawing/read/svg/font_lists.h"
#include "drawing/read/svg/outside_refs.h"
#include "drawing/read/svg/rounded_rect.h"
#include "drawing/read/svg/svg_source.h"
#include "drawing/read/svg/text_lines.h"
#include "drawing/read/svg/use_fanout.h"

namespace {

const char kSvgNamespace[] = "http://www.w3.org/2000/svg";

constexpr NoteId kNoteImages = NoteId::RasterImagesSkipped;
constexpr NoteId kNoteForeign = NoteId::EmbeddedNonSVGContent;
constexpr NoteId kNoteStyleSheets = NoteId::ExternalStyleSheetsSkipped;
constexpr NoteId kNoteEntities = NoteId::ExternalEntitiesSkipped;
constexpr NoteId kNoteClip = NoteId::ClipPathsAppliedClipped;
constexpr NoteId kNoteMask = NoteId::MasksAppliedMaskedShapes;
constexpr NoteId kNoteFilter = NoteId::FiltersSkippedFilteredShapes;
constexpr NoteId kNoteFlowed = NoteId::FlowedTextFlowRootShape;
constexpr NoteId kNoteSelfClip = NoteId::ClipPathRefersItself;
constexpr NoteId kNoteSelfMask = NoteId::MaskRefersItselfDirectly;
constexpr NoteId kNoteSelfMarker = NoteId::MarkerRefersItselfDirectly;
constexpr NoteId kNoteSelfPattern = NoteId::PatternRefersItselfDirectly;

// Properties QtSvg reads but doesn't apply: a shape using one is plotted as if it had none.
struct UnappliedProperty {
    const char* name;
    NoteId note;  // Text: none
    bool beyondQt;  // librsvg applies it
};
constexpr UnappliedProperty kUnapplied[] = {
    {"clip-path", kNoteClip, false},    {"mask", kNoteMask, true},
    {"filter", kNoteFilter, false},     {"marker-start", NoteId::Text, true},
    {"marker-mid", NoteId::Text, true}, {"marker-end", NoteId::Text, true},
    {"marker", NoteId::Text, true}};

// Elements Qt's SVG module skips and librsvg draws.
bool BeyondQt(QStringView element) {
    return element == QLatin1String("marker") || element == QLatin1String("pattern") ||
           element == QLatin1String("symbol") || element == QLatin1String("textPath") ||
           element == QLatin1String("mask");
}

bool UsesUrl(const QString& value) { return value.contains(QLatin1String("url(")); }

// What a rounded rect written as a path no longer needs.
const QSet<QString> kRectGeometry = {"x", "y", "width", "height", "rx", "ry"};

RefKind KindOf(QStringView element) {
    if (element == QLatin1String("clipPath")) return RefKind::ClipPath;
    if (element == QLatin1String("mask")) return RefKind::Mask;
    if (element == QLatin1String("marker")) return RefKind::Marker;
    if (element == QLatin1String("pattern")) return RefKind::Pattern;
    return RefKind::Other;
}

NoteId SelfNote(RefKind kind) {
    switch (kind) {
        case RefKind::ClipPath:
            return kNoteSelfClip;
        case RefKind::Mask:
            return kNoteSelfMask;
        case RefKind::Marker:
            return kNoteSelfMarker;
        default:
            return kNoteSelfPattern;
    }
}

// Every local element a value names: url(#id) in a property, or an href of "#id".
void ForEachReference(QStringView name, QStringView value, const auto& refer) {
    if (name == QLatin1String("href")) {
        if (value.trimmed().startsWith(u'#')) refer(value.trimmed().mid(1));
        return;
    }
    // Path data, the bulk of a drawing, names nothing.
    if (name == QLatin1String("d") || name == QLatin1String("points")) return;
    static const QRegularExpression url(QStringLiteral("url\\(\\s*['\"]?#([^)'\"\\s]+)"));
    if (!value.contains(QLatin1String("url("))) return;
    for (auto it = url.globalMatch(value); it.hasNext();) refer(it.next().capturedView(1));
}

// A style text (attribute or sheet) that gives `property` a url().
bool StyleUses(const QString& style, const char* property) {
    const QRegularExpression re(QStringLiteral("(^|[;{\\s])%1\\s*:\\s*url\\(")
                                    .arg(QRegularExpression::escape(QLatin1String(property))));
    return re.match(style).hasMatch();
}

// Where the reader is, as the line and the column a note names.
std::vector<Note> Where(const QXmlStreamReader& reader) {
    return {std::to_string(reader.lineNumber()), std::to_string(reader.columnNumber())};
}

std::string OneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.trimmed().toStdString();
}

bool LooksLikeXml(const QByteArray& xml) {
    qsizetype i = 0;
    if (xml.startsWith("\xEF\xBB\xBF")) i = 3;
    while (i < xml.size() && (xml[i] == ' ' || xml[i] == '\t' || xml[i] == '\r' || xml[i] == '\n'))
        ++i;
    return i < xml.size() && xml[i] == '<';
}

struct OpenBuffer : QBuffer {
    explicit OpenBuffer(const QByteArray& bytes) {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }
};

class Sanitizer {
public:
    explicit Sanitizer(const QByteArray& xml)
        : _input(xml),
          _reader(&_input),
          _writer(&_out.xml),
          // Expanded entities count against this: a document may grow by its entities, but not
          // without bound (Qt's own limit is per entity, not per document).
          _budget(std::min<qint64>(kMaxDrawingXmlBytes,
                                   8 * static_cast<qint64>(xml.size()) + (1 << 20))),
          _looksLikeXml(LooksLikeXml(xml)),
          _arcGrowth(xml.size() + (1 << 20)) {}

    SanitizedSvg Run() {
        _writer.setAutoFormatting(false);
        while (!_reader.atEnd() && _out.error == DrawingError::None) {
            switch (_reader.readNext()) {
                case QXmlStreamReader::StartDocument:
                    _writer.writeStartDocument();
                    break;
                case QXmlStreamReader::EndDocument:
                    _writer.writeEndDocument();
                    break;
                case QXmlStreamReader::StartElement:
                    StartElement();
                    break;
                case QXmlStreamReader::EndElement:
                    EndElement();
                    break;
                case QXmlStreamReader::Characters:
                    Characters();
                    break;
                case QXmlStreamReader::EntityReference:
                    // Declared internal entities arrive expanded as characters; what is left
                    // here names something outside the file.
                    AddNote(&_out.notes, kNoteEntities);
                    break;
                case QXmlStreamReader::ProcessingInstruction:
                    if (_reader.processingInstructionTarget() == QLatin1String("xml-stylesheet"))
                        AddNote(&_out.notes, kNoteStyleSheets);
                    break;
                default:
                    break;  // DTD, comments: not passed on
            }
        }
        if (_out.error == DrawingError::None && _reader.hasError()) ReaderError();
        if (_out.error == DrawingError::None && !_sawRoot)
            Fail(DrawingError::NotSvg, NoteId::SVGDrawingElement);
        if (_out.error == DrawingError::None) CheckFanout();
        if (_out.error == DrawingError::None && (_out.beyondQt || _out.clips))
            for (const auto& [kind, id] : _fanout.SelfReferring())
                AddNote(&_out.notes, Note(SelfNote(kind), {id.left(40).toStdString()}));
        if (_out.error != DrawingError::None) _out.xml.clear();
        return std::move(_out);
    }

private:
    void Fail(DrawingError error, Note message) {
        _out.error = error;
        _out.message = std::move(message);
    }

    void ReaderError() {
        const QString text = _reader.errorString();
        if (text.contains(QLatin1String("entity"), Qt::CaseInsensitive) &&
            text.contains(QLatin1String("limit"), Qt::CaseInsensitive)) {
            Fail(DrawingError::Refused, Note(NoteId::DrawingEntitiesExpandBeyond, Where(_reader)));
            return;
        }
        if (!_sawRoot && !_looksLikeXml) {
            Fail(DrawingError::NotSvg, NoteId::SVGDrawingXML);
            return;
        }
        std::vector<Note> where = Where(_reader);
        where.emplace_back(OneLine(text));
        Fail(DrawingError::Malformed, Note(NoteId::WellFormedXMLLine, std::move(where)));
    }

    bool Spend(qint64 chars) {
        _spent += chars;
        if (_spent <= _budget) return true;
        Fail(DrawingError::Refused, Note(NoteId::DrawingEntitiesExpandBeyond, Where(_reader)));
        return false;
    }

    void CheckFanout() {
        const int64_t instances = _fanout.Instances(kMaxSvgElements + 1);
        if (instances < 0)
            Fail(DrawingError::Refused, NoteId::DrawingUseElementsRefer);
        else if (instances > kMaxSvgElements)
            Fail(DrawingError::Refused, Note(NoteId::DrawingUseElementsMultiply, {std::to_string(kMaxSvgElements)}));
        else if (_fanout.Instances(instances + kMaxSvgMarkers + 1, true) - instances >
                 kMaxSvgMarkers)
            Fail(DrawingError::Refused, Note(NoteId::DrawingMarkersMultiplyInto, {std::to_string(kMaxSvgMarkers)}));
    }

    // While a <text> is read its pieces are kept, to be written whole (split into its lines).
    void Emit(XmlToken token) {
        if (_textDepth > 0) {
            _text.push_back(std::move(token));
            return;
        }
        if (token.kind == XmlToken::Kind::Characters) {
            _writer.writeCharacters(token.text);
        } else if (token.kind == XmlToken::Kind::CData) {
            _writer.writeCDATA(token.text);
        } else {
            _writer.writeStartElement(token.name);
            for (const QXmlStreamAttribute& a : token.attributes)
                _writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        }
    }

    void EndElement() {
        _fanout.Close();
        if (!_marking.empty()) _marking.pop_back();
        if (!_dashed.empty()) _dashed.pop_back();
        if (_depth == _styleDepth) WriteStyleSheet();
        if (_textDepth > 0) {
            _text.push_back(XmlToken{XmlToken::Kind::End, {}, {}, {}});
            if (_depth == _textDepth) {
                WriteTextLines(_text, _writer);
                _text.clear();
                _textDepth = 0;
            }
        } else {
            _writer.writeEndElement();
        }
        --_depth;
    }

    void StartElement() {
        const QStringView name = _reader.name();
        if (!_sawRoot) {
            _sawRoot = true;
            const QStringView ns = _reader.namespaceUri();
            if (name != QLatin1String("svg") ||
                (!ns.isEmpty() && ns != QLatin1String(kSvgNamespace))) {
                Fail(DrawingError::NotSvg,
                     Note(NoteId::SVGDrawingFirstElement, {_reader.qualifiedName().toString().toStdString()}));
                return;
            }
            const QXmlStreamAttributes a = _reader.attributes();
            _out.root = {a.value(QLatin1String("width")).toString(),
                         a.value(QLatin1String("height")).toString(),
                         a.value(QLatin1String("viewBox")).toString(),
                         a.value(QLatin1String("preserveAspectRatio")).toString()};
        }
        if (++_elements > kMaxSvgElements) {
            Fail(DrawingError::Refused, Note(NoteId::DrawingHasMoreElements, {std::to_string(kMaxSvgElements)}));
            return;
        }
        // A style sheet is its text: an element in it could only split a url() in two.
        if (_styleDepth > 0) {
            _reader.skipCurrentElement();
            return;
        }
        if (name == QLatin1String("image") || name == QLatin1String("foreignObject")) {
            AddNote(&_out.notes, name == QLatin1String("image") ? kNoteImages : kNoteForeign);
            _reader.skipCurrentElement();
            return;
        }
        // Qt draws a textPath's characters along no path, wherever the text starts: librsvg
        // reads such a drawing, along the path.
        if (BeyondQt(name)) _out.beyondQt = true;
        if (name == QLatin1String("clipPath")) _out.clips = true;
        if (name == QLatin1String("pattern")) {
            _out.patterns = true;
            AddNote(&_out.qtNotes, NoteId::PatternFillsTilesLeft);
        }
        if (name == QLatin1String("textPath")) {
            AddNote(&_out.qtNotes, kNoteTextPath);
            _out.textOnPath = true;
        }
        if (++_depth > kMaxSvgDepth) {
            Fail(DrawingError::Refused, Note(NoteId::DrawingNestsMoreLevels, {std::to_string(kMaxSvgDepth)}));
            return;
        }
        if (name == QLatin1String("style")) _styleDepth = _depth;
        const QXmlStreamAttributes attributes = _reader.attributes();
        QStringView useTarget;
        if (name == QLatin1String("use"))
            for (const QXmlStreamAttribute& attr : attributes)
                if (attr.name() == QLatin1String("href") && !IsOutsideHref(attr.value()))
                    useTarget = attr.value().trimmed().mid(1);
        _fanout.Open(attributes.value(QLatin1String("id")), useTarget, KindOf(name));
        for (const QXmlStreamAttribute& attr : attributes)
            if (useTarget.isEmpty() || attr.name() != QLatin1String("href"))
                ForEachReference(attr.name(), attr.value(),
                                 [this](QStringView id) { _fanout.Refer(id); });
        if (name == QLatin1String("flowRoot")) AddNote(&_out.notes, kNoteFlowed);
        if (name == QLatin1String("textPath")) ++_out.textPaths;
        Markers(name, attributes);

        const bool dashed = OwnDashes(attributes).value_or(!_dashed.empty() && _dashed.back());
        _dashed.push_back(dashed);
        std::optional<QString> rounded;
        if (dashed && name == QLatin1String("rect")) rounded = RoundedRectPath(attributes);
        QString qualified = _reader.qualifiedName().toString();
        if (rounded) qualified = qualified.chopped(4) + QStringLiteral("path");

        XmlToken start{XmlToken::Kind::Start, qualified, {}, {}};
        for (const QXmlStreamNamespaceDeclaration& d : _reader.namespaceDeclarations()) {
            const QString prefix = d.prefix().toString();
            start.attributes.append(prefix.isEmpty() ? QStringLiteral("xmlns") : "xmlns:" + prefix,
                                    d.namespaceUri().toString());
        }
        for (const QXmlStreamAttribute& attr : attributes) {
            if (!Spend(attr.value().size())) return;
            std::optional<QString> value = Inside(attr);
            if (!value) continue;
            CheckProperties(attr.name(), *value);
            FontChoices(attr.name(), &*value);
            if (rounded && attr.namespaceUri().isEmpty() &&
                kRectGeometry.contains(attr.name().toString()))
                continue;
            start.attributes.append(attr.qualifiedName().toString(), *std::move(value));
        }
        if (rounded)
            start.attributes.append(QStringLiteral("d"),
                                    PathData(QXmlStreamAttribute(QStringLiteral("d"), *rounded)));
        if (_textDepth == 0 && name == QLatin1String("text")) _textDepth = _depth;
        Emit(std::move(start));
    }

    // The markers an element draws (its own, else its parent's: they are inherited) go on its
    // vertices, when it is a shape that draws them.
    void Markers(QStringView name, const QXmlStreamAttributes& attributes) {
        std::vector<QString> own;
        for (const QXmlStreamAttribute& a : attributes) {
            if (a.name().startsWith(QLatin1String("marker")))
                MarkerIds(QStringLiteral("marker:") + a.value().toString(), &own);
            else if (a.name() == QLatin1String("style"))
                MarkerIds(a.value(), &own);
        }
        if (own.empty() && !_marking.empty()) own = _marking.back();
        const int64_t vertices = Vertices(name, attributes);
        _fanout.Shape(vertices);
        for (const QString& id : own) _fanout.ReferMarker(id, vertices);
        _marking.push_back(std::move(own));
    }

    // The ids of the markers a style text names.
    static void MarkerIds(QStringView style, std::vector<QString>* ids,
                          UseFanout* sheet = nullptr) {
        static const QRegularExpression marker(
            QStringLiteral("marker(?:-start|-mid|-end)?\\s*:\\s*url\\(\\s*['\"]?#([^)'\"\\s]+)"));
        if (!style.contains(QLatin1String("marker"))) return;
        for (auto it = marker.globalMatch(style); it.hasNext();) {
            const QString id = it.next().captured(1);
            if (sheet) sheet->SheetMarker(id);
            if (ids && std::find(ids->begin(), ids->end(), id) == ids->end()) ids->push_back(id);
        }
    }

    // At most the vertices of a shape that draws markers (path data counted command by
    // command, by the numbers each vertex takes); 0 for what draws none.
    static int64_t Vertices(QStringView name, const QXmlStreamAttributes& attributes) {
        if (name == QLatin1String("line")) return 2;
        const bool path = name == QLatin1String("path");
        if (!path && name != QLatin1String("polyline") && name != QLatin1String("polygon"))
            return 0;
        const QStringView data =
            attributes.value(path ? QLatin1String("d") : QLatin1String("points"));
        int64_t vertices = 1, numbers = 0;
        int arity = 2;
        const auto close = [&] { vertices += (numbers + arity - 1) / arity; };
        QChar previous;
        bool inNumber = false;
        for (const QChar c : data) {
            const bool sign = (c == u'-' || c == u'+') && (previous == u'e' || previous == u'E');
            const bool part = c.isDigit() || c == u'.' || c == u'e' || c == u'E' || sign;
            if (part && !inNumber && (c.isDigit() || c == u'.')) ++numbers;
            inNumber = part && (inNumber || c.isDigit() || c == u'.');
            previous = c;
            if (!path || !c.isLetter() || c == u'e' || c == u'E') continue;
            close();
            numbers = 0;
            switch (c.toUpper().toLatin1()) {
                case 'H':
                case 'V':
                    arity = 1;
                    break;
                case 'C':
                    arity = 6;
                    break;
                case 'S':
                case 'Q':
                    arity = 4;
                    break;
                case 'A':
                    arity = 7;
                    break;
                case 'Z':
                    ++vertices;
                    break;
                default:
                    arity = 2;
            }
        }
        close();
        return vertices;
    }

    // The attribute's value as it is written, without what names anything outside the drawing;
    // nothing when the whole attribute names something outside (an href, an xml:base).
    std::optional<QString> Inside(const QXmlStreamAttribute& attr) {
        const QStringView name = attr.name();
        if (name == QLatin1String("href") || attr.qualifiedName() == QLatin1String("xml:base")) {
            if (name == QLatin1String("href") && !IsOutsideHref(attr.value()))
                return attr.value().trimmed().toString();
            AddNote(&_out.notes, kNoteOutsideRefs);
            return std::nullopt;
        }
        if (name == QLatin1String("d") || name == QLatin1String("points")) return PathData(attr);
        if (std::optional<QString> clean = WithoutOutsideUrls(attr.value())) {
            AddNote(&_out.notes, kNoteOutsideRefs);
            return clean;
        }
        return attr.value().toString();
    }

    // Path data with its long arcs cut into pieces QtSvg draws within a plotter unit. The cut
    // arcs take more text than they did: past `_arcGrowth` in all, arcs are left as written.
    QString PathData(const QXmlStreamAttribute& attr) {
        if (attr.name() != QLatin1String("d") || !attr.namespaceUri().isEmpty())
            return attr.value().toString();
        std::optional<QString> split = SplitPathArcs(attr.value(), _arcGrowth);
        if (!split) return attr.value().toString();
        _arcGrowth -= std::max<qint64>(0, split->size() - attr.value().size());
        return *std::move(split);
    }

    // A property that needs what Qt's SVG module leaves out sends the drawing to librsvg.
    void Unapplied(const UnappliedProperty& p) {
        if (p.note == kNoteClip) {
            _out.clips = true;
            AddNote(&_out.qtNotes, p.note);
            return;
        }
        if (p.beyondQt) _out.beyondQt = true;
        if (p.note != NoteId::Text) AddNote(p.beyondQt ? &_out.qtNotes : &_out.notes, p.note);
    }

    void CheckProperties(QStringView name, const QString& text) {
        for (const UnappliedProperty& p : kUnapplied) {
            if (name == QLatin1String(p.name) && UsesUrl(text)) Unapplied(p);
            if (name == QLatin1String("style") && StyleUses(text, p.name)) Unapplied(p);
        }
        if (name == QLatin1String("style") && text.contains(QLatin1String("shape-inside")))
            AddNote(&_out.notes, kNoteFlowed);
    }

    // Qt's reader takes a list of font families as one name (font_lists.h).
    static void FontChoices(QStringView name, QString* value) {
        std::optional<QString> chosen;
        if (name == QLatin1String("font-family"))
            chosen = FontListChoice(*value);
        else if (name == QLatin1String("style"))
            chosen = StyleWithFontChoices(*value);
        if (chosen) *value = *std::move(chosen);
    }

    void Characters() {
        if (!Spend(_reader.text().size())) return;
        // A style sheet is taken whole, so that no url() is split between its pieces (text and
        // CDATA sections), and written as one.
        if (_styleDepth > 0) {
            _styleText += _reader.text();
            return;
        }
        Emit(XmlToken{_reader.isCDATA() ? XmlToken::Kind::CData : XmlToken::Kind::Characters,
                      {},
                      {},
                      _reader.text().toString()});
    }

    void WriteStyleSheet() {
        QString text = std::exchange(_styleText, QString());
        _styleDepth = 0;
        MarkerIds(text, nullptr, &_fanout);
        for (const UnappliedProperty& p : kUnapplied)
            if (StyleUses(text, p.name)) Unapplied(p);
        static const QRegularExpression importRule(QStringLiteral("@import[^;]*;?"));
        if (text.contains(importRule)) {
            text.remove(importRule);
            AddNote(&_out.notes, kNoteStyleSheets);
        }
        if (std::optional<QString> clean = WithoutOutsideUrls(text)) {
            text = *std::move(clean);
            AddNote(&_out.notes, kNoteOutsideRefs);
        }
        if (std::optional<QString> chosen = StyleWithFontChoices(text)) text = *std::move(chosen);
        if (!text.isEmpty()) Emit(XmlToken{XmlToken::Kind::Characters, {}, {}, std::move(text)});
    }

    // Read through a device, the reader decodes a block at a time, not the whole drawing at
    // once (two bytes a character).
    OpenBuffer _input;
    QXmlStreamReader _reader;
    SanitizedSvg _out;
    QXmlStreamWriter _writer;
    const qint64 _budget;
    const bool _looksLikeXml;
    qint64 _arcGrowth;
    qint64 _spent = 0;
    qint64 _elements = 0;
    int _depth = 0;
    bool _sawRoot = false;
    int _styleDepth = 0;  // the depth of the <style> being read, 0 when none
    QString _styleText;
    UseFanout _fanout;
    std::vector<bool> _dashed;                   // per open element: are its strokes dashed
    std::vector<std::vector<QString>> _marking;  // per open element: the markers it draws
    int _textDepth = 0;                          // the depth of the <text> being kept, 0 when none
    std::vector<XmlToken> _text;
};

}  // namespace

SanitizedSvg SanitizeSvg(const QByteArray& xml) { return Sanitizer(xml).Run(); }
