#include "drawing/read/svg/svg_chunks.h"

#include <QBuffer>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The ids the drawing refers to, wherever: href="#id" and url(#id) in attributes, style
// attributes and style sheets. Read from the bytes rather than parsed: finding one too many
// only keeps an element in every piece.
QSet<QByteArray> ReferencedIds(const QByteArray& xml) {
    QSet<QByteArray> ids;
    for (const char* pattern : {"url(", "href=\""}) {
        const qsizetype length = qstrlen(pattern);
        for (qsizetype at = xml.indexOf(pattern); at >= 0; at = xml.indexOf(pattern, at)) {
            at += length;
            for (;;) {
                if (at < xml.size() && (Blank(xml[at]) || xml[at] == '\'' || xml[at] == '"'))
                    ++at;
                else if (xml.mid(at, 6) == "&quot;" || xml.mid(at, 6) == "&apos;")
                    at += 6;
                else
                    break;
            }
            if (at >= xml.size() || xml[at] != '#') continue;
            const qsizetype begin = ++at;
            while (at < xml.size() && !Blank(xml[at]) && !QByteArray(")\"'&;,<>").contains(xml[at]))
                ++at;
            if (at > begin) ids.insert(xml.mid(begin, at - begin));
        }
    }
    return ids;
}

// QXmlStreamReader counts UTF-16 units; the pieces are cut from the UTF-8 bytes.
class ByteOffsets {
public:
    explicit ByteOffsets(const QByteArray& xml) : _xml(xml) {}
    qsizetype At(qint64 units) {
        while (_units < units && _byte < _xml.size()) {
            const auto c = static_cast<uint8_t>(_xml[_byte]);
            const int length = c < 0x80 ? 1 : c < 0xe0 ? 2 : c < 0xf0 ? 3 : 4;
            _byte += length;
            _units += length == 4 ? 2 : 1;
        }
        return _byte;
    }

private:
    const QByteArray& _xml;
    qint64 _units = 0;
    qsizetype _byte = 0;
};

}  // namespace

SvgChunks::SvgChunks(const QByteArray& xml, const SvgChunking& limits) : _xml(xml) {
    // Every element has a '<': fewer of them than a piece holds, and the drawing is one piece.
    if (xml.size() < limits.bytes && xml.count('<') < limits.elements) return;
    if (xml.size() >= (qsizetype{1} << 32) || !Plan(limits) || _pieces.size() < 2) {
        _pieces.clear();
        _shared.clear();
    }
}

bool SvgChunks::Plan(const SvgChunking& limits) {
    const QSet<QByteArray> referenced = ReferencedIds(_xml);
    const auto isReferenced = [&](const QXmlStreamReader& reader) {
        const QStringView id = reader.attributes().value(QLatin1String("id"));
        return !id.isEmpty() && referenced.contains(id.toUtf8());
    };
    // Read through a device, the reader decodes a block at a time, not the whole drawing.
    QBuffer input;
    input.setData(_xml);
    input.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&input);
    ByteOffsets offsets(_xml);
    Chain chain;
    bool sawRoot = false;
    int depth = 0;  // how deep in the leaf the reader is
    Leaf leaf;
    Filling filling;
    const auto validTag = [&](Range r) {
        return r.end > r.begin + 1 && _xml[r.begin] == '<' && _xml[r.end - 1] == '>';
    };
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType type = reader.readNext();
        if (type != QXmlStreamReader::StartElement && type != QXmlStreamReader::EndElement)
            continue;
        // The reader's offset is exact after a tag (after text it has read one character
        // more).
        const auto end = static_cast<uint32_t>(offsets.At(reader.characterOffset()));
        if (type == QXmlStreamReader::StartElement) {
            if (depth > 0) {
                ++depth;
                ++leaf.elements;
                leaf.shared = leaf.shared || isReferenced(reader);
                continue;
            }
            // A start tag begins at the last '<' before its end: no attribute value holds one.
            const Range token{
                static_cast<uint32_t>(std::max<qsizetype>(0, _xml.lastIndexOf('<', end - 1))), end};
            if (!validTag(token)) return false;
            if (!sawRoot) {
                sawRoot = true;
                _root = token;
                const QString name = reader.qualifiedName().toString();
                if (name.contains(QLatin1Char(':')))
                    _prefix = name.section(QLatin1Char(':'), 0, 0).toUtf8() + ':';
                continue;
            }
            const QStringView name = reader.name();
            const bool referred = isReferenced(reader);
            if ((name == QLatin1String("g") || name == QLatin1String("a")) && !referred) {
                chain.push_back(token);
                continue;
            }
            depth = 1;
            const bool plain = name == QLatin1String("defs") || name == QLatin1String("style");
            leaf = {token, 1, referred || plain || name == QLatin1String("font"), !plain};
        } else if (type == QXmlStreamReader::EndElement) {
            if (depth == 0) {
                if (!chain.empty()) chain.pop_back();
                continue;
            }
            if (--depth > 0) continue;
            leaf.range.end = end;
            if (!validTag(leaf.range)) return false;
            TakeLeaf(leaf, chain, filling, limits);
        }
    }
    if (reader.hasError()) return false;
    if (filling.on) _pieces.push_back(std::move(filling.run));
    return static_cast<double>(filling.sharedBytes) * static_cast<double>(_pieces.size()) <=
           limits.carried * static_cast<double>(_xml.size());
}

void SvgChunks::TakeLeaf(const Leaf& leaf, const Chain& chain, Filling& filling,
                         const SvgChunking& limits) {
    if (leaf.shared) {
        _shared.push_back({leaf.range, chain, leaf.wraps});
        filling.sharedBytes += leaf.range.end - leaf.range.begin;
    }
    Run& run = filling.run;
    if (!filling.on) {
        filling.on = true;
        filling.elements = 0;
        run.range.begin = leaf.range.begin;
        run.open = chain;
    }
    run.range.end = leaf.range.end;
    run.close = chain;
    filling.elements += leaf.elements;
    if (filling.elements >= limits.elements || run.range.end - run.range.begin >= limits.bytes) {
        _pieces.push_back(std::move(run));
        run = Run();
        filling.on = false;
    }
}

void SvgChunks::AppendTag(QByteArray& out, Range r) const {
    out.append(_xml.constData() + r.begin, r.end - r.begin);
}

void SvgChunks::AppendEnd(QByteArray& out, Range startTag) const {
    uint32_t i = startTag.begin + 1;
    while (i < startTag.end && !Blank(_xml[i]) && _xml[i] != '/' && _xml[i] != '>') ++i;
    out += "</";
    out.append(_xml.constData() + startTag.begin + 1, i - startTag.begin - 1);
    out += '>';
}

void SvgChunks::AppendShared(QByteArray& out, const Shared& s) const {
    if (s.wrap) out += '<' + _prefix + "defs>";
    for (Range r : s.chain) AppendTag(out, r);
    AppendTag(out, s.range);
    for (auto r = s.chain.rbegin(); r != s.chain.rend(); ++r) AppendEnd(out, *r);
    if (s.wrap) out += "</" + _prefix + "defs>";
}

QByteArray SvgChunks::Piece(size_t i) const {
    const Run& run = _pieces[i];
    QByteArray out;
    out.reserve(run.range.end - run.range.begin + 4096);
    AppendTag(out, _root);
    for (const Shared& s : _shared)
        if (s.range.end <= run.range.begin) AppendShared(out, s);
    for (Range r : run.open) AppendTag(out, r);
    AppendTag(out, run.range);
    for (auto r = run.close.rbegin(); r != run.close.rend(); ++r) AppendEnd(out, *r);
    for (const Shared& s : _shared)
        if (s.range.begin >= run.range.end) AppendShared(out, s);
    AppendEnd(out, _root);
    return out;
}
