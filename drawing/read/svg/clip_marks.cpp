#include "drawing/read/svg/clip_marks.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <vector>

#include "drawing/read/svg/xml_pass.h"

namespace {

const QSet<QString>& ClipShapes() {
    static const QSet<QString> shapes = {"path", "rect",     "circle", "ellipse",
                                         "line", "polyline", "polygon"};
    return shapes;
}

// What a group can be wrapped around with its clip: not a <use> (its x and y would move the
// clip), nor what must stay where it is (an <svg>, a <switch>'s child, a <tspan>).
const QSet<QString>& Wrappable() {
    static const QSet<QString> names = {"g",       "a",    "path",     "rect",    "circle",
                                        "ellipse", "line", "polyline", "polygon", "text"};
    return names;
}

// What makes a shape's outline (a shape's area copied as a clip takes nothing else of it).
const QSet<QString>& Geometry() {
    static const QSet<QString> names = {"x",  "y",  "width",  "height",   "rx", "ry",
                                        "cx", "cy", "r",      "x1",       "y1", "x2",
                                        "y2", "d",  "points", "fill-rule"};
    return names;
}

bool Quiet(QStringView name) {
    return name == QLatin1String("title") || name == QLatin1String("desc") ||
           name == QLatin1String("metadata");
}

// The value of `property` in a style attribute, empty when it has none.
QString StyleValue(QStringView style, QLatin1String property) {
    for (QStringView d : style.split(u';')) {
        const qsizetype colon = d.indexOf(u':');
        if (colon > 0 && d.left(colon).trimmed() == property)
            return d.mid(colon + 1).trimmed().toString();
    }
    return {};
}

QString Property(const QXmlStreamAttributes& a, QLatin1String property) {
    const QString inStyle = StyleValue(a.value(QLatin1String("style")), property);
    return inStyle.isEmpty() ? a.value(property).toString().trimmed() : inStyle;
}

// The id a clip-path names, empty for none.
QString ClipTarget(const QXmlStreamAttributes& a) {
    static const QRegularExpression url(
        QStringLiteral("^url\\(\\s*['\"]?#([^)'\"\\s]+)['\"]?\\s*\\)"));
    const QRegularExpressionMatch m = url.match(Property(a, QLatin1String("clip-path")));
    return m.hasMatch() ? m.captured(1) : QString();
}

bool Clipped(const QXmlStreamAttributes& a) {
    const QString value = Property(a, QLatin1String("clip-path"));
    return !value.isEmpty() && value != QLatin1String("none");
}

QString MarkStyle(QRgb colour) {
    return QStringLiteral("fill:#%1;fill-opacity:1;stroke:none;opacity:1;visibility:visible")
        .arg(colour, 6, 16, QLatin1Char('0'));
}

struct ClipInfo {
    bool box = false;
    QString rule;
    QString transform;
};

// A pattern Qt's route can carry: in user units, its own shapes, no viewBox and no href.
struct PatternInfo {
    bool ok = false;
    double x = 0, y = 0, w = 0, h = 0;
    QString transform;
};

struct Survey {
    bool ok = true;
    QHash<QString, ClipInfo> clips;
    QHash<QString, PatternInfo> patterns;
};

double Number(const QXmlStreamAttributes& a, QLatin1String name, bool* ok) {
    const QStringView text = a.value(name).trimmed();
    if (text.isEmpty()) return 0;
    bool read = false;
    const double v = text.toDouble(&read);
    if (!read || !std::isfinite(v)) *ok = false;
    return v;
}

PatternInfo PatternOf(const QXmlStreamAttributes& a) {
    PatternInfo info;
    info.ok = a.value(QLatin1String("patternUnits")) == QLatin1String("userSpaceOnUse") &&
              a.value(QLatin1String("patternContentUnits")) != QLatin1String("objectBoundingBox") &&
              !a.hasAttribute(QLatin1String("viewBox")) && !a.hasAttribute(QLatin1String("href")) &&
              !a.hasAttribute(QLatin1String("http://www.w3.org/1999/xlink"), QLatin1String("href"));
    info.x = Number(a, QLatin1String("x"), &info.ok);
    info.y = Number(a, QLatin1String("y"), &info.ok);
    info.w = Number(a, QLatin1String("width"), &info.ok);
    info.h = Number(a, QLatin1String("height"), &info.ok);
    info.ok = info.ok && info.w > 0 && info.h > 0;
    info.transform = a.value(QLatin1String("patternTransform")).toString();
    return info;
}

// The pattern a fill names, empty for none.
QString FillTarget(const QXmlStreamAttributes& a) {
    static const QRegularExpression url(
        QStringLiteral("^url\\(\\s*['\"]?#([^)'\"\\s]+)['\"]?\\s*\\)"));
    const QRegularExpressionMatch m = url.match(Property(a, QLatin1String("fill")));
    return m.hasMatch() ? m.captured(1) : QString();
}

Survey Look(const QByteArray& xml) {
    Survey survey;
    QXmlStreamReader reader(xml);
    int depth = 0, clipDepth = 0, patternDepth = 0;
    QString pattern;
    bool inStyle = false;
    while (!reader.atEnd() && survey.ok) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth == clipDepth) clipDepth = 0;
            if (depth == patternDepth) patternDepth = 0;
            inStyle = false;
            --depth;
        }
        // A clip path a style sheet gives can't be seen here.
        if (token == QXmlStreamReader::Characters && inStyle &&
            reader.text().contains(QLatin1String("clip-path")))
            survey.ok = false;
        if (token != QXmlStreamReader::StartElement) continue;
        ++depth;
        const QStringView name = reader.name();
        const QXmlStreamAttributes a = reader.attributes();
        inStyle = name == QLatin1String("style");
        if (clipDepth > 0 && depth == clipDepth + 1)
            survey.ok = (ClipShapes().contains(name.toString()) || Quiet(name)) && !Clipped(a);
        // A pattern holds shapes only, neither clipped nor filled with a pattern.
        if ((patternDepth > 0 && depth > patternDepth &&
             !((depth == patternDepth + 1 && ClipShapes().contains(name.toString())) ||
               Quiet(name))) ||
            (patternDepth > 0 && (Clipped(a) || !FillTarget(a).isEmpty())))
            survey.patterns[pattern].ok = false;
        if (name == QLatin1String("pattern")) {
            pattern = a.value(QLatin1String("id")).toString();
            PatternInfo info = PatternOf(a);
            info.ok = info.ok && patternDepth == 0 && !pattern.isEmpty() &&
                      !survey.patterns.contains(pattern);
            if (!survey.patterns.contains(pattern)) survey.patterns.insert(pattern, info);
            if (patternDepth == 0) patternDepth = depth;
        }
        if (name != QLatin1String("clipPath")) continue;
        const QString id = a.value(QLatin1String("id")).toString();
        ClipInfo info{a.value(QLatin1String("clipPathUnits")) == QLatin1String("objectBoundingBox"),
                      Property(a, QLatin1String("clip-rule")),
                      a.value(QLatin1String("transform")).toString()};
        survey.ok = clipDepth == 0 && !Clipped(a) && !(info.box && !info.transform.isEmpty());
        if (!id.isEmpty() && !survey.clips.contains(id)) survey.clips.insert(id, info);
        clipDepth = depth;
    }
    return survey;
}

class Marker {
    template <class R>
    friend void ::PassXml(QXmlStreamReader&, QXmlStreamWriter&, R&, const bool&);

public:
    Marker(const QByteArray& xml, const Survey& survey, ClipMarked* out)
        : _reader(xml), _writer(&out->xml), _survey(survey) {}

    bool Run() {
        PassXml(_reader, _writer, *this, _ok);
        return _ok && !_reader.hasError();
    }

private:
    struct Open {
        QString name;
        int ends = 1;  // elements written for it, closed at its end
        bool pops = false;
    };

    void Start() {
        const QString name = _reader.name().toString();
        // Elements written in the drawing's own prefix, if it gives SVG one.
        _prefix = _reader.prefix().isEmpty() ? QString() : _reader.prefix().toString() + u':';
        const QXmlStreamAttributes a = _reader.attributes();
        const bool inDefs = !_open.empty() && _open.back().name == QLatin1String("defs");
        if (name == QLatin1String("clipPath")) return StartClip(a, inDefs);
        if (!_open.empty() && _open.back().name == QLatin1String("clipPath")) return ClipShape(a);
        const QString id = a.value(QLatin1String("id")).toString();
        if (name == QLatin1String("pattern") && _survey.patterns.value(id).ok)
            return StartPattern(id, inDefs);
        const QString fill = FillTarget(a);
        if (!fill.isEmpty() && _survey.patterns.contains(fill)) {
            if (Tiled(name, a, _survey.patterns.value(fill))) return PatternFill(a, fill);
            _patternsLeft = true;
        }
        Open open{name};
        const QString target = ClipTarget(a);
        if (!target.isEmpty() || Clipped(a)) {
            _ok = _survey.clips.contains(target) && Wrappable().contains(name);
            if (!_ok) return;
            _writer.writeStartElement(_prefix + QStringLiteral("g"));
            const QString transform = a.value(QLatin1String("transform")).toString();
            if (!transform.isEmpty())
                _writer.writeAttribute(QStringLiteral("transform"), transform);
            _writer.writeStartElement(_prefix + QStringLiteral("use"));
            _writer.writeAttribute(QStringLiteral("xmlns:xlink"),
                                   QStringLiteral("http://www.w3.org/1999/xlink"));
            _writer.writeAttribute(QStringLiteral("xlink:href"), u'#' + target);
            _writer.writeEndElement();
            open.ends = 2;
            open.pops = true;
        }
        _writer.writeStartElement(_reader.qualifiedName().toString());
        WriteNamespaces();
        for (const QXmlStreamAttribute& attribute : a) {
            const QStringView local = attribute.name();
            if (open.pops &&
                (local == QLatin1String("transform") || local == QLatin1String("clip-path")))
                continue;
            QString value = attribute.value().toString();
            if (open.pops && local == QLatin1String("style")) value = WithoutClip(value);
            _writer.writeAttribute(attribute.qualifiedName().toString(), value);
        }
        _open.push_back(open);
    }

    void Characters() {
        if (_reader.isCDATA())
            _writer.writeCDATA(_reader.text().toString());
        else
            _writer.writeCharacters(_reader.text().toString());
    }

    void End() {
        if (_open.empty()) return;
        const Open open = _open.back();
        _open.pop_back();
        if (open.name == QLatin1String("clipPath")) {
            _writer.writeEndElement();  // the shapes' group
            WriteMark(kClipMarkPush);
        } else if (open.pops) {
            _writer.writeEndElement();  // the element
            WriteMark(kClipMarkPop);
            _writer.writeEndElement();  // its wrapping group
            return;
        }
        for (int i = 0; i < open.ends; ++i) _writer.writeEndElement();
    }

    // A clip path becomes its shapes in a group of its own, which each clipped element uses.
    void StartClip(const QXmlStreamAttributes& a, bool inDefs) {
        const QString id = a.value(QLatin1String("id")).toString();
        const ClipInfo info = _survey.clips.value(id);
        Open open{QStringLiteral("clipPath"), 1};
        if (!inDefs) {
            _writer.writeStartElement(_prefix + QStringLiteral("defs"));
            open.ends = 2;
        }
        _writer.writeStartElement(_prefix + QStringLiteral("g"));
        if (!id.isEmpty()) _writer.writeAttribute(QStringLiteral("id"), id);
        _writer.writeStartElement(_prefix + QStringLiteral("g"));
        if (!info.transform.isEmpty())
            _writer.writeAttribute(QStringLiteral("transform"), info.transform);
        if (!info.rule.isEmpty()) _writer.writeAttribute(QStringLiteral("fill-rule"), info.rule);
        _clipColour = info.box ? kClipMarkBox : kClipMarkUser;
        _open.push_back(open);
    }

    // A shape of a clip path: its geometry and transform, filled in the mark colour under its
    // clip rule; nothing else of its paint.
    void ClipShape(const QXmlStreamAttributes& a) {
        if (!ClipShapes().contains(_reader.name().toString())) {
            _reader.skipCurrentElement();
            return;
        }
        _writer.writeStartElement(_reader.qualifiedName().toString());
        for (const QXmlStreamAttribute& attribute : a) {
            const QStringView local = attribute.name();
            if (local == QLatin1String("style") || local == QLatin1String("fill") ||
                local == QLatin1String("stroke") || local == QLatin1String("class") ||
                local == QLatin1String("clip-rule") || local.contains(QLatin1String("opacity")))
                continue;
            _writer.writeAttribute(attribute.qualifiedName().toString(),
                                   attribute.value().toString());
        }
        QString style = MarkStyle(_clipColour);
        const QString rule = Property(a, QLatin1String("clip-rule"));
        if (!rule.isEmpty()) style += QStringLiteral(";fill-rule:") + rule;
        _writer.writeAttribute(QStringLiteral("style"), style);
        _reader.skipCurrentElement();
        _writer.writeEndElement();
    }

    // A pattern becomes a group of its content, which each shape it fills uses per tile.
    void StartPattern(const QString& id, bool inDefs) {
        Open open{QStringLiteral("pattern"), 1};
        if (!inDefs) {
            _writer.writeStartElement(_prefix + QStringLiteral("defs"));
            open.ends = 2;
        }
        _writer.writeStartElement(_prefix + QStringLiteral("g"));
        _writer.writeAttribute(QStringLiteral("id"), id);
        _open.push_back(open);
    }

    // Whether a shape's pattern fill is carried: a shape Qt paints with no say of its own
    // about whether it shows, and not clipped.
    static bool Tiled(const QString& name, const QXmlStreamAttributes& a, const PatternInfo& p) {
        return p.ok && ClipShapes().contains(name) && !Clipped(a) &&
               Property(a, QLatin1String("display")).isEmpty() &&
               Property(a, QLatin1String("visibility")).isEmpty();
    }

    // The shape's area as the clip, the tile's mark and the pattern's content, then the shape
    // unfilled for its stroke.
    void PatternFill(const QXmlStreamAttributes& a, const QString& id) {
        const PatternInfo p = _survey.patterns.value(id);
        const QString element = _reader.qualifiedName().toString();
        _writer.writeStartElement(_prefix + QStringLiteral("g"));
        const QString transform = a.value(QLatin1String("transform")).toString();
        if (!transform.isEmpty()) _writer.writeAttribute(QStringLiteral("transform"), transform);
        _writer.writeStartElement(element);
        for (const QXmlStreamAttribute& attribute : a) {
            const QStringView local = attribute.name();
            if (Geometry().contains(local.toString()))
                _writer.writeAttribute(attribute.qualifiedName().toString(),
                                       attribute.value().toString());
        }
        QString style = MarkStyle(kClipMarkUser);
        const QString rule = Property(a, QLatin1String("fill-rule"));
        if (!rule.isEmpty()) style += QStringLiteral(";fill-rule:") + rule;
        _writer.writeAttribute(QStringLiteral("style"), style);
        _writer.writeEndElement();
        WriteMark(kClipMarkPush);
        _writer.writeStartElement(_prefix + QStringLiteral("g"));
        _writer.writeAttribute(QStringLiteral("transform"), QStringLiteral("%1 translate(%2 %3)")
                                                                .arg(p.transform)
                                                                .arg(p.x, 0, 'g', 17)
                                                                .arg(p.y, 0, 'g', 17)
                                                                .trimmed());
        WriteMark(kClipMarkTile,
                  QStringLiteral("M0 0H%1V%2H0z").arg(p.w, 0, 'g', 17).arg(p.h, 0, 'g', 17));
        _writer.writeStartElement(_prefix + QStringLiteral("use"));
        _writer.writeAttribute(QStringLiteral("xmlns:xlink"),
                               QStringLiteral("http://www.w3.org/1999/xlink"));
        _writer.writeAttribute(QStringLiteral("xlink:href"), u'#' + id);
        _writer.writeEndElement();
        _writer.writeEndElement();
        WriteMark(kClipMarkPop);
        _writer.writeStartElement(element);
        for (const QXmlStreamAttribute& attribute : a) {
            const QStringView local = attribute.name();
            if (local == QLatin1String("transform")) continue;
            QString value = attribute.value().toString();
            if (local == QLatin1String("fill")) value = QStringLiteral("none");
            if (local == QLatin1String("style")) value = WithoutFill(value);
            _writer.writeAttribute(attribute.qualifiedName().toString(), value);
        }
        _writer.writeEndElement();
        _writer.writeEndElement();
        _reader.skipCurrentElement();
    }

    void WriteMark(QRgb colour, const QString& d = QStringLiteral("M0 0h1v1h-1z")) {
        _writer.writeStartElement(_prefix + QStringLiteral("path"));
        _writer.writeAttribute(QStringLiteral("d"), d);
        _writer.writeAttribute(QStringLiteral("style"), MarkStyle(colour));
        _writer.writeEndElement();
    }

    void WriteNamespaces() {
        for (const QXmlStreamNamespaceDeclaration& d : _reader.namespaceDeclarations()) {
            const QString prefix = d.prefix().toString();
            _writer.writeAttribute(prefix.isEmpty() ? QStringLiteral("xmlns") : "xmlns:" + prefix,
                                   d.namespaceUri().toString());
        }
    }

    static QString WithoutFill(const QString& style) {
        QStringList kept;
        for (const QString& d : style.split(u';'))
            kept << (d.section(u':', 0, 0).trimmed() == QLatin1String("fill")
                         ? QStringLiteral("fill:none")
                         : d);
        return kept.join(u';');
    }

public:
    bool patternsLeft() const { return _patternsLeft; }

private:
    static QString WithoutClip(const QString& style) {
        QStringList kept;
        for (const QString& d : style.split(u';'))
            if (d.section(u':', 0, 0).trimmed() != QLatin1String("clip-path")) kept << d;
        return kept.join(u';');
    }

    QXmlStreamReader _reader;
    QXmlStreamWriter _writer;
    const Survey& _survey;
    std::vector<Open> _open;
    QString _prefix;
    QRgb _clipColour = kClipMarkUser;
    bool _ok = true;
    bool _patternsLeft = false;
};

}  // namespace

ClipMarked MarkClips(const QByteArray& xml) {
    ClipMarked out;
    // A drawing that paints in a mark colour would lose those shapes.
    if (xml.toLower().contains("#0c1d")) return out;
    const Survey survey = Look(xml);
    if (!survey.ok) return out;
    Marker marker(xml, survey, &out);
    out.ok = marker.Run();
    out.patternsLeft = marker.patternsLeft();
    // The marks add a few elements per clipped element; past this the drawing is better read
    // by librsvg than carried.
    if (!out.ok || out.xml.size() > 2 * xml.size() + (1 << 20)) return ClipMarked{};
    return out;
}
