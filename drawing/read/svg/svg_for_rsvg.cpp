#include "drawing/read/svg/svg_for_rsvg.h"

#include <QColor>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "drawing/read/reader_contract.h"
#include "drawing/read/svg/xml_pass.h"

namespace {

constexpr NoteId kNotePatternStroke = NoteId::PatternStrokesPlainLines;
constexpr NoteId kNoteMaskNoShape = NoteId::MasksHoldShapePicture;

struct MaskInfo {
    QString units;  // maskContentUnits, which a clip path calls clipPathUnits
    int shapes = 0;
};

bool IsShape(QStringView name) {
    static const QSet<QString> shapes = {"path",     "rect",    "circle", "ellipse", "line",
                                         "polyline", "polygon", "text",   "use"};
    return shapes.contains(name.toString());
}

bool IsGroup(QStringView name) {
    return name == QLatin1String("g") || name == QLatin1String("a") ||
           name == QLatin1String("switch");
}

const QRegularExpression& UrlPattern() {
    // A paint's fallback colour after the url() is taken with it.
    static const QRegularExpression re(
        QStringLiteral("url\\(\\s*['\"]?#([^)'\"\\s]+)['\"]?\\s*\\)(\\s+(#[0-9a-fA-F]{3,8}|rgb\\([^"
                       ")]*\\)|[a-zA-Z]+))?"));
    return re;
}

QString UrlTarget(QStringView value) {
    const QRegularExpressionMatch m = UrlPattern().match(value);
    return m.hasMatch() ? m.captured(1) : QString();
}

// The masks and patterns of a drawing, by id, found in one reading.
struct GradientInfo {
    QString href;  // the gradient whose stops it takes when it has none
    std::vector<QColor> stops;
};

struct Survey {
    QHash<QString, MaskInfo> masks;
    QSet<QString> patterns;
    QHash<QString, GradientInfo> gradients;
};

bool IsGradient(QStringView name) {
    return name == QLatin1String("linearGradient") || name == QLatin1String("radialGradient");
}

QColor StopColour(const QXmlStreamAttributes& a) {
    static const QRegularExpression inStyle(
        QStringLiteral("(?:^|;)\\s*stop-color\\s*:\\s*([^;]*)"));
    const QRegularExpressionMatch m = inStyle.match(a.value(QLatin1String("style")));
    const QString value =
        m.hasMatch() ? m.captured(1) : a.value(QLatin1String("stop-color")).toString();
    return QColor::fromString(value.trimmed());
}

// A gradient's colour as Qt's route plots a stroke painted with it: the mean of its stops
// (followed through the gradients it takes them from), else black.
QString GradientColour(const Survey& survey, QString id) {
    for (int hop = 0; hop < 16 && survey.gradients.contains(id); ++hop) {
        const GradientInfo& g = survey.gradients[id];
        if (g.stops.empty()) {
            id = g.href;
            continue;
        }
        double r = 0, gr = 0, b = 0;
        for (const QColor& c : g.stops) {
            r += c.redF();
            gr += c.greenF();
            b += c.blueF();
        }
        const double n = static_cast<double>(g.stops.size());
        return QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(gr / n),
                                static_cast<float>(b / n))
            .name();
    }
    return QStringLiteral("black");
}

Survey Look(const QByteArray& xml) {
    Survey survey;
    QXmlStreamReader reader(xml);
    QString mask, gradient;
    int depth = 0, maskDepth = 0, gradientDepth = 0;
    int leftDepth = 0;  // within a mask, what the clip leaves out (defs, shapes' children)
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth == maskDepth) maskDepth = 0;
            if (depth == leftDepth) leftDepth = 0;
            if (depth == gradientDepth) gradientDepth = 0;
            --depth;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        ++depth;
        const QStringView name = reader.name();
        const QXmlStreamAttributes attributes = reader.attributes();
        const QString id = attributes.value(QLatin1String("id")).toString();
        if (IsGradient(name) && !id.isEmpty() && !survey.gradients.contains(id)) {
            gradient = id;
            gradientDepth = depth;
            for (const QXmlStreamAttribute& a : attributes)
                if (a.name() == QLatin1String("href") && a.value().startsWith(u'#'))
                    survey.gradients[id].href = a.value().mid(1).toString();
            survey.gradients[id];
        }
        if (gradientDepth > 0 && depth == gradientDepth + 1 && name == QLatin1String("stop"))
            if (const QColor c = StopColour(attributes); c.isValid())
                survey.gradients[gradient].stops.push_back(c);
        // Counted as the clip will hold them: shapes in the mask and its groups.
        if (maskDepth > 0 && depth > maskDepth && leftDepth == 0) {
            if (IsShape(name)) ++survey.masks[mask].shapes;
            if (!IsGroup(name)) leftDepth = depth;
        }
        if (name == QLatin1String("pattern") && !id.isEmpty()) survey.patterns.insert(id);
        if (name == QLatin1String("mask") && maskDepth == 0 && !id.isEmpty() &&
            !survey.masks.contains(id)) {
            mask = id;
            maskDepth = depth;
            survey.masks[id].units = attributes.value(QLatin1String("maskContentUnits")).toString();
        }
    }
    return survey;
}

class Rewriter {
    template <class R>
    friend void ::PassXml(QXmlStreamReader&, QXmlStreamWriter&, R&, const bool&);

public:
    Rewriter(const QByteArray& xml, const Survey& survey, RsvgReady* out)
        : _reader(xml), _writer(&out->xml), _survey(survey), _out(out) {}

    void Run() { PassXml(_reader, _writer, *this, _going); }

private:
    bool InMask() const { return _maskDepth > 0 && _keepDepth == 0; }

    void Start() {
        ++_depth;
        const QStringView name = _reader.name();
        _inStyle = name == QLatin1String("style");
        QXmlStreamAttributes attributes = _reader.attributes();
        const QString id = attributes.value(QLatin1String("id")).toString();
        // Elements written in the drawing's own prefix, if it gives SVG one.
        const QString prefix =
            _reader.prefix().isEmpty() ? QString() : _reader.prefix().toString() + u':';
        if (_maskDepth == 0 && name == QLatin1String("mask") && Convertible(id)) {
            _maskDepth = _depth;
            _writer.writeStartElement(prefix + QStringLiteral("clipPath"));
            _writer.writeAttribute(QStringLiteral("id"), id);
            const QString& units = _survey.masks.value(id).units;
            if (units == QLatin1String("objectBoundingBox"))
                _writer.writeAttribute(QStringLiteral("clipPathUnits"), units);
            return;
        }
        if (InMask()) {
            if (IsGroup(name)) {
                _groups.push_back(
                    {_depth, attributes.value(QLatin1String("transform")).toString()});
                return;
            }
            if (!IsShape(name)) {
                _reader.skipCurrentElement();
                --_depth;
                return;
            }
            _keepDepth = _depth;
        }
        const bool wrap = TakeMask(&attributes);
        if (wrap) {
            _writer.writeStartElement(prefix + QStringLiteral("g"));
            _writer.writeAttribute(QStringLiteral("clip-path"), "url(#" + _wrapMask + ")");
            _wraps.push_back(_depth);
        }
        _writer.writeStartElement(_reader.qualifiedName().toString());
        for (const QXmlStreamNamespaceDeclaration& d : _reader.namespaceDeclarations()) {
            const QString prefix = d.prefix().toString();
            _writer.writeAttribute(prefix.isEmpty() ? QStringLiteral("xmlns") : "xmlns:" + prefix,
                                   d.namespaceUri().toString());
        }
        QString transform;
        for (const auto& [depth, t] : _groups) transform += t + u' ';
        for (const QXmlStreamAttribute& a : attributes) {
            const QString qualified = a.qualifiedName().toString();
            QString value = a.value().toString();
            if (a.name() != QLatin1String("href"))
                value = Paints(value, a.name() == QLatin1String("stroke"));
            if (a.name() == QLatin1String("stroke") || a.name() == QLatin1String("style"))
                value = Strokes(value, a.name() == QLatin1String("stroke"));
            if (_keepDepth == _depth && a.name() == QLatin1String("transform")) {
                transform += value;
                continue;
            }
            if (_keepDepth == _depth && a.name() == QLatin1String("fill-rule"))
                _writer.writeAttribute(QStringLiteral("clip-rule"), value);
            _writer.writeAttribute(qualified, value);
        }
        if (_keepDepth == _depth && !transform.trimmed().isEmpty())
            _writer.writeAttribute(QStringLiteral("transform"), transform.trimmed());
    }

    void End() {
        _inStyle = false;
        if (!_groups.empty() && _groups.back().first == _depth && InMask()) {
            _groups.pop_back();
        } else {
            if (_keepDepth == _depth) _keepDepth = 0;
            if (_maskDepth == _depth) _maskDepth = 0;
            _writer.writeEndElement();
            if (!_wraps.empty() && _wraps.back() == _depth) {
                _writer.writeEndElement();
                _wraps.pop_back();
            }
        }
        --_depth;
    }

    void Characters() {
        if (InMask()) return;  // between a mask's shapes: only white space
        QString text = _reader.text().toString();
        if (_inStyle) text = Strokes(Paints(text, false), false);
        if (_reader.isCDATA()) {
            _writer.writeCDATA(text);
            return;
        }
        _writer.writeCharacters(text);
    }

    bool Convertible(const QString& id) const {
        return _survey.masks.contains(id) && _survey.masks.value(id).shapes > 0;
    }

    // A pattern stroke becomes its fallback colour, else black: a line, as Qt's route plots
    // it. A pattern fill stays: cairo writes it as a tiling pattern, whose tiles the PDF route
    // plots clipped to the shape. `stroke`: the value is a stroke attribute's, else a style's.
    QString Paints(const QString& value, bool stroke) {
        static const QRegularExpression strokeProperty(
            QStringLiteral("(?:^|[;{\\s])stroke\\s*:\\s*$"));
        if (_survey.patterns.isEmpty() || !value.contains(QLatin1String("url("))) return value;
        QString out;
        qsizetype from = 0;
        for (auto it = UrlPattern().globalMatch(value); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (!_survey.patterns.contains(m.captured(1))) continue;
            if (!stroke && !strokeProperty.match(value.left(m.capturedStart())).hasMatch())
                continue;
            out += value.mid(from, m.capturedStart() - from);
            out += m.captured(3).isEmpty() ? QStringLiteral("black") : m.captured(3);
            from = m.capturedEnd();
            AddNote(&_out->notes, kNotePatternStroke);
        }
        return out + value.mid(from);
    }

    // A stroke painted with a gradient becomes the gradient's colour. Cairo writes it as a
    // shading under the stroke's outline, which the PDF route plots as that outline, where Qt's
    // route plots the line itself.
    QString Strokes(const QString& value, bool strokeProperty) {
        static const QRegularExpression inStyle(QStringLiteral(
            "((?:^|[;{\\s])stroke\\s*:\\s*)url\\(\\s*['\"]?#([^)'\"\\s]+)['\"]?\\s*\\)"
            "(?:\\s+(?:#[0-9a-fA-F]{3,8}|rgb\\([^)]*\\)|[a-zA-Z]+))?"));
        if (_survey.gradients.isEmpty() || !value.contains(QLatin1String("url("))) return value;
        if (strokeProperty) {
            const QString id = UrlTarget(value);
            return _survey.gradients.contains(id) ? GradientColour(_survey, id) : value;
        }
        QString out;
        qsizetype from = 0;
        for (auto it = inStyle.globalMatch(value); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (!_survey.gradients.contains(m.captured(2))) continue;
            out += value.mid(from, m.capturedStart() - from) + m.captured(1) +
                   GradientColour(_survey, m.captured(2));
            from = m.capturedEnd();
        }
        return out + value.mid(from);
    }

    // The element's mask, as an attribute or in its style, made its clip: in place when it has
    // no clip of its own, else (true) by a group around it. A mask of no shape is dropped.
    bool TakeMask(QXmlStreamAttributes* attributes) {
        QXmlStreamAttributes kept;
        QString mask;
        bool clipped = false;
        for (const QXmlStreamAttribute& a : *attributes) {
            const QStringView name = a.name();
            if (name == QLatin1String("clip-path") && a.value() != QLatin1String("none"))
                clipped = true;
            if (name == QLatin1String("mask") && a.namespaceUri().isEmpty()) {
                mask = UrlTarget(a.value());
                continue;
            }
            if (name == QLatin1String("style")) {
                QStringList declarations;
                for (const QString& d : a.value().toString().split(u';')) {
                    const QString property = d.section(u':', 0, 0).trimmed();
                    if (property == QLatin1String("clip-path")) clipped = true;
                    if (property == QLatin1String("mask"))
                        mask = UrlTarget(d.section(u':', 1));
                    else
                        declarations << d;
                }
                kept.append(a.qualifiedName().toString(), declarations.join(u';'));
                continue;
            }
            kept.append(a);
        }
        if (mask.isEmpty() || !_survey.masks.contains(mask)) return false;  // as it was
        *attributes = kept;
        if (!Convertible(mask)) {
            AddNote(&_out->notes, kNoteMaskNoShape);
            return false;
        }
        if (clipped) {
            // A group can't stand in a clip path: a mask's own shape keeps its clip only.
            _wrapMask = mask;
            return _keepDepth != _depth;
        }
        attributes->append(QStringLiteral("clip-path"), "url(#" + mask + ")");
        return false;
    }

    QXmlStreamReader _reader;
    QXmlStreamWriter _writer;
    const Survey& _survey;
    RsvgReady* _out;
    int _depth = 0;
    int _maskDepth = 0;  // the depth of the mask being written as a clip path, 0 when none
    int _keepDepth = 0;  // the depth of the shape of a mask being written whole, 0 when none
    std::vector<std::pair<int, QString>> _groups;  // a mask's flattened groups: depth, transform
    std::vector<int> _wraps;                       // depths whose element a group wraps
    QString _wrapMask;
    bool _inStyle = false;
    const bool _going = true;
};

}  // namespace

RsvgReady PrepareForRsvg(const QByteArray& xml) {
    RsvgReady out;
    // Nearly every drawing on this route has neither: one look at the bytes spares a reading.
    if (!xml.contains("mask") && !xml.contains("pattern") && !xml.contains("Gradient")) return out;
    const Survey survey = Look(xml);
    if (survey.masks.isEmpty() && survey.patterns.isEmpty() && survey.gradients.isEmpty())
        return out;
    Rewriter(xml, survey, &out).Run();
    out.changed = true;
    return out;
}
