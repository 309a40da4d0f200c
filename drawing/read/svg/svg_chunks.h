#pragma once
// A big drawing handed to QtSvg in pieces, one piece at a time, so that what QtSvg builds of it
// (about a kilobyte per element) never holds the whole drawing. Each piece is a drawing of its
// own: the root's start tag, a run of the drawing's elements in document order, the start tags
// of the groups they lie in (their transforms and inherited style), and everything another
// element may refer to or take style from (defs, style sheets, fonts, any element whose id is
// referred to by href or url(#...)), kept at its place in document order and, outside its own
// piece, inside <defs> so that it is drawn once. Groups are split between pieces; a group that
// is referred to, text, switch and nested svg are never split.

#include <QByteArray>
#include <cstdint>
#include <vector>

struct SvgChunking {
    int64_t elements = 10000;  // elements per piece, about 10 MB of QtSvg's
    int64_t bytes = 4 << 20;   // bytes of the drawing per piece
    // What every piece carries, times the pieces, against the drawing's size: beyond it the
    // drawing is read whole rather than many times over.
    double carried = 1.0;
};

class SvgChunks {
public:
    // `xml`: a drawing as SanitizeSvg writes it; it must outlive this.
    SvgChunks(const QByteArray& xml, const SvgChunking& limits);

    // 0 when the drawing is better read whole: small, one element too big to split, or much
    // of it referred to from everywhere.
    size_t size() const { return _pieces.size(); }
    QByteArray Piece(size_t i) const;

private:
    struct Range {
        uint32_t begin = 0, end = 0;  // bytes of the drawing
    };
    using Chain = std::vector<Range>;  // start tags of the groups around, outermost first
    struct Run {
        Range range;
        Chain open, close;  // the groups around its first and its last element
    };
    struct Shared {
        Range range;
        Chain chain;
        bool wrap;  // would be drawn where it stands
    };

    // The element being read whole.
    struct Leaf {
        Range range;
        int64_t elements = 0;
        bool shared = false, wraps = false;
    };
    // The piece being filled, and how much is carried into every piece.
    struct Filling {
        bool on = false;
        int64_t elements = 0;
        int64_t sharedBytes = 0;
        Run run;
    };

    bool Plan(const SvgChunking& limits);
    void TakeLeaf(const Leaf& leaf, const Chain& chain, Filling& filling,
                  const SvgChunking& limits);
    void AppendTag(QByteArray& out, Range r) const;
    void AppendEnd(QByteArray& out, Range startTag) const;
    void AppendShared(QByteArray& out, const Shared& s) const;

    const QByteArray& _xml;
    Range _root;
    QByteArray _prefix;  // the root's namespace prefix with its colon, if it has one
    std::vector<Run> _pieces;
    std::vector<Shared> _shared;
};
