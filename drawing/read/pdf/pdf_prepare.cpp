#include "drawing/read/pdf/pdf_prepare.h"

// qpdf's headers ask which of its pointer types is meant: none of its old ones are used here.
#define POINTERHOLDER_TRANSITION 4
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/Pl_Discard.hh>
#include <qpdf/Pl_QPDFTokenizer.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "drawing/read/pdf/odd_dashes.h"

namespace {

using Handle = QPDFObjectHandle;

// A picture of one pixel, still a picture to poppler: an image mask stays a mask (it paints
// with the fill colour), anything else is gray.
const char kInlinePixel[] = "BI /W 1 /H 1 /CS /G /BPC 8 ID \x80 EI";
const char kInlineMaskPixel[] = "BI /W 1 /H 1 /IM true ID \x80 EI";

int64_t Add(int64_t a, int64_t b) { return std::min(a + b, kMaxPdfOperations + 1); }
int64_t Times(int64_t a, int64_t n) {
    if (a == 0 || n == 0) return 0;
    return a > (kMaxPdfOperations + 1) / n ? kMaxPdfOperations + 1 : a * n;
}

// Stops unpacking a stream past kMaxPdfContentBytes: qpdf takes the exception as a stream it
// could not unpack, and the flag says why.
class Bounded : public Pipeline {
public:
    Bounded(Pipeline* next, bool* over) : Pipeline("bounded", next), _over(over) {}
    void write(unsigned char const* data, size_t len) override {
        _total += static_cast<int64_t>(len);
        if (_total > kMaxPdfContentBytes) {
            *_over = true;
            throw std::length_error("content too big");
        }
        getNext()->write(data, len);
    }
    void finish() override { getNext()->finish(); }

private:
    bool* _over;
    int64_t _total = 0;
};

// What one content stream does: how many operators, which XObjects it draws and how often,
// and its inline images (which, when rewriting, it writes as one pixel each).
struct StreamScan {
    int64_t operators = 0;
    int64_t inlineImages = 0;
    std::map<std::string, int64_t> drawn;
    std::map<std::string, int64_t> shown;  // glyphs shown (string bytes) in each font
    int64_t oddDashes = 0;                 // dash arrays of odd length
};

// A first look at a content stream as it is unpacked, kept nowhere: about how many operators
// it runs (words that start after a delimiter; names and numbers don't), and whether it may draw
// an XObject or hold an inline image at all. Most content (a drawing's curves) does neither,
// and is spared qpdf's tokenizer, which makes a token of every number.
class Sniff : public Pipeline {
public:
    Sniff() : Pipeline("sniff", nullptr) {}
    void write(unsigned char const* data, size_t len) override {
        for (size_t i = 0; i < len; ++i) {
            const unsigned char c = data[i];
            const bool letter =
                (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\'' || c == '"';
            if (c == '[') {
                _inArray = true;
                _count = 0;
            } else if (c == ']') {
                _oddArray = _inArray && _count % 2 == 1;
                _inArray = false;
            } else if (_inArray && Delimiter(_last) && std::strchr("0123456789.+-", c)) {
                ++_count;
            }
            if (letter && Delimiter(_last)) {
                ++operators;
                mayDashOddly = mayDashOddly || (c == 'd' && _oddArray);
                _oddArray = false;
            }
            if ((_last == 'D' && c == 'o') || (_last == 'B' && c == 'I'))
                mayDrawOrHoldImages = true;
            if (_last == 'T' && c == 'f') mayShowText = true;
            _last = c;
        }
    }
    void finish() override {}

    int64_t operators = 0;
    bool mayDrawOrHoldImages = false;
    bool mayShowText = false;
    bool mayDashOddly = false;  // an array of an odd count of numbers, then a word starting d

private:
    static bool Delimiter(unsigned char c) {
        return std::strchr(" \n\r\t\f()<>[]{}", c) != nullptr;
    }
    unsigned char _last = ' ';
    bool _inArray = false, _oddArray = false;
    int64_t _count = 0;
};

class ScanFilter : public Handle::TokenFilter {
public:
    ScanFilter(StreamScan& scan, bool rewrite)
        : _scan(scan), _rewrite(rewrite), _dashes([this](const std::string& text) {
              if (_rewrite) write(text);
          }) {}

    void handleToken(QPDFTokenizer::Token const& t) override {
        const auto type = t.getType();
        if (_inImage) {
            if (t.isWord("EI")) {
                _inImage = false;
                if (_rewrite) write(_mask ? kInlineMaskPixel : kInlinePixel);
            } else if (type == QPDFTokenizer::tt_name) {
                _maskKey = t.getValue() == "/IM" || t.getValue() == "/ImageMask";
            } else if (type == QPDFTokenizer::tt_bool) {
                _mask = _mask || (_maskKey && t.getValue() == "true");
            }
            return;
        }
        if (t.isWord("BI")) {
            _dashes.Release();
            // Counted from its start: one that never ends is still a picture to poppler.
            _inImage = true;
            _mask = _maskKey = false;
            ++_scan.inlineImages;
            return;
        }
        if (type == QPDFTokenizer::tt_word) {
            ++_scan.operators;
            const std::string& op = t.getValue();
            if (op == "Do" && !_name.empty()) ++_scan.drawn[_name];
            if (op == "Tf") _font = _operandName;
            if ((op == "Tj" || op == "TJ" || op == "'" || op == "\"") && !_font.empty())
                _scan.shown[_font] += _glyphs;
            _glyphs = 0;
        }
        if (type == QPDFTokenizer::tt_string) _glyphs += static_cast<int64_t>(t.getValue().size());
        if (type == QPDFTokenizer::tt_name) _operandName = t.getValue();
        if (type == QPDFTokenizer::tt_name)
            _name = t.getValue();
        else if (type != QPDFTokenizer::tt_space && type != QPDFTokenizer::tt_comment)
            _name.clear();
        _dashes.Take(t);
        _scan.oddDashes = _dashes.written();
    }

    void handleEOF() override {
        _dashes.Release();
        if (_inImage && _rewrite) write(_mask ? kInlineMaskPixel : kInlinePixel);
    }

private:
    StreamScan& _scan;
    bool _rewrite;
    bool _inImage = false, _mask = false, _maskKey = false;
    std::string _name;
    std::string _operandName, _font;  // the font selected by Tf, by its resource name
    int64_t _glyphs = 0;              // string bytes since the last operator
    OddDashes _dashes;
};

// The resources a content stream looks its names up in: its own first, then those of whoever
// draws it, as poppler does. Each with what identifies it for the memo below.
using Chain = std::vector<std::pair<Handle, QPDFObjGen>>;

Handle Lookup(const Chain& chain, const char* category, const std::string& name) {
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        Handle resources = it->first;
        Handle group = resources.getKey(category);
        if (group.isDictionary() && group.hasKey(name)) return group.getKey(name);
    }
    return Handle::newNull();
}

bool IsForm(Handle x) {
    return x.isStream() && x.getDict().getKey("/Subtype").isNameAndEquals("/Form");
}

bool IsType3(Handle font) {
    return font.isDictionary() && font.getKey("/Subtype").isNameAndEquals("/Type3");
}

double Number(Handle x, double fallback) { return x.isNumber() ? x.getNumericValue() : fallback; }

// The area of a box [x1 y1 x2 y2], 0 when it is none.
double BoxArea(Handle box) {
    if (!box.isArray() || box.getArrayNItems() != 4) return 0;
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = Number(box.getArrayItem(i), 0);
    const double area = std::abs((v[2] - v[0]) * (v[3] - v[1]));
    return std::isfinite(area) ? area : 0;
}

std::string Points(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", v);
    return text;
}

// Walks what a page paints, through forms, patterns, Type 3 glyphs, soft masks and
// annotations, counting operators with forms multiplied out and replacing inline images.
class Walk {
public:
    PdfRefusal failure;
    int64_t inlineImages = 0;
    bool changed = false;
    bool type3 = false;  // the document has Type 3 fonts: text is followed into their glyphs

    int64_t Page(Handle page) {
        QPDFPageObjectHelper helper(page);
        _pageArea = BoxArea(helper.getAttribute("/CropBox", false));
        if (_pageArea <= 0) _pageArea = BoxArea(helper.getAttribute("/MediaBox", false));
        if (_pageArea <= 0) _pageArea = 612.0 * 792.0;
        const Chain chain{Own(helper.getAttribute("/Resources", false), page.getObjGen())};
        int64_t cost = 0;
        Handle contents = page.getKey("/Contents");
        if (contents.isStream()) cost = Cost(contents, chain, true);
        for (int i = 0; contents.isArray() && i < contents.getArrayNItems(); ++i)
            if (contents.getArrayItem(i).isStream())
                cost = Add(cost, Cost(contents.getArrayItem(i), chain, true));
        // Poppler paints each annotation's normal appearance after the page.
        Handle annots = page.getKey("/Annots");
        for (int i = 0; annots.isArray() && i < annots.getArrayNItems() && !failure; ++i) {
            Handle normal = annots.getArrayItem(i).getKey("/AP").getKey("/N");
            if (normal.isStream()) cost = Add(cost, Cost(normal, chain, true));
            if (!normal.isDictionary()) continue;
            for (auto [state, look] : normal.ditems())
                if (look.isStream()) cost = Add(cost, Cost(look, chain, true));
        }
        Refuse(cost);
        return cost;
    }

private:
    static std::pair<Handle, QPDFObjGen> Own(Handle resources, QPDFObjGen owner) {
        if (!resources.isDictionary()) return {Handle::newDictionary(), owner};
        return {resources, resources.isIndirect() ? resources.getObjGen() : owner};
    }

    void Refuse(int64_t cost) {
        if (cost > kMaxPdfOperations && !failure)
            failure = PdfRefusal(_why.value_or(PdfRefusal::PDFPageMakesMore),
                                 {std::to_string(kMaxPdfOperations)});
    }

    // `cost` times `n`, remembering what multiplied when that is past the bound.
    int64_t Multiplied(int64_t cost, int64_t n, PdfRefusal::Why why) {
        const int64_t product = Times(cost, n);
        if (product > kMaxPdfOperations && !_why) _why = why;
        return product;
    }

    // The operators `stream` makes poppler run, drawn with the resources `outer`; `drawn`
    // when a Do draws it (a form drawing itself is refused), not when a resource names it.
    int64_t Cost(Handle stream, Chain outer, bool drawn) {
        if (failure) return kMaxPdfOperations + 1;
        Chain chain = std::move(outer);
        Handle own = stream.getDict().getKey("/Resources");
        if (own.isDictionary()) chain.push_back(Own(own, stream.getObjGen()));
        std::vector<QPDFObjGen> key{stream.getObjGen()};
        for (const auto& link : chain) key.push_back(link.second);
        if (const auto known = _costs.find(key); known != _costs.end()) return known->second;
        if (_drawing.count(stream.getObjGen())) {
            if (drawn) failure = PdfRefusal::FormXObjectPDFDraws;
            return drawn ? kMaxPdfOperations + 1 : 0;
        }
        if (_drawing.size() >= static_cast<size_t>(kMaxPdfFormNesting)) {
            failure =
                PdfRefusal(PdfRefusal::PdfFormsXObjectsDrawn, {std::to_string(kMaxPdfFormNesting)});
            return kMaxPdfOperations + 1;
        }
        _drawing.insert(stream.getObjGen());
        const StreamScan& scan = Scan(stream);
        int64_t cost = scan.operators;
        for (const auto& [name, times] : scan.drawn) {
            Handle x = Lookup(chain, "/XObject", name);
            if (IsForm(x))
                cost = Add(cost,
                           Multiplied(Cost(x, chain, true), times, PdfRefusal::PDFPageMakesMore));
            if (cost > kMaxPdfOperations) break;
        }
        for (const auto& [name, glyphs] : scan.shown) {
            if (cost > kMaxPdfOperations) break;
            Handle font = Lookup(chain, "/Font", name);
            if (IsType3(font))
                cost = Add(cost, Multiplied(FontCost(font, chain), glyphs,
                                            PdfRefusal::PDFPageMakesMoreDrawing));
        }
        if (cost <= kMaxPdfOperations) Resources(chain);
        _drawing.erase(stream.getObjGen());
        Refuse(cost);
        _costs[key] = cost;
        return cost;
    }

    // What the resources paint besides forms: tiling patterns, Type 3 glyphs, soft masks. Each
    // is walked once and bounded on its own; how often poppler paints one is not counted.
    void Resources(const Chain& chain) {
        Handle res = chain.back().first;
        if (!_resources.insert(chain.back().second).second) return;
        for (const char* category : {"/Pattern", "/Font", "/ExtGState"}) {
            Handle group = res.getKey(category);
            if (!group.isDictionary()) continue;
            for (auto [name, it] : group.ditems()) {
                if (failure) return;
                if (it.isStream() && it.getDict().getKey("/PatternType").getIntValueAsInt() == 1)
                    Tiling(it, chain);
                // Listed, not shown: a font in its own resources draws nothing by that.
                if (IsType3(it) && std::find(_fonts.begin(), _fonts.end(), it.getObjGen()) ==
                                       _fonts.end())
                    Refuse(FontCost(it, chain));
                if (it.isDictionary() && it.getKey("/SMask").isDictionary()) {
                    Handle mask = it.getKey("/SMask").getKey("/G");
                    if (IsForm(mask)) Refuse(Cost(mask, chain, false));
                }
            }
        }
    }

    // A tiling pattern's cell, painted as often as it fits on the page (the pattern's space is
    // the page's, scaled by its matrix): counted over the whole page, since a fill's extent
    // is known only as poppler paints it.
    void Tiling(Handle pattern, const Chain& chain) {
        Handle dict = pattern.getDict();
        const double x = std::abs(Number(dict.getKey("/XStep"), 0));
        const double y = std::abs(Number(dict.getKey("/YStep"), 0));
        double scale = 1;
        Handle m = dict.getKey("/Matrix");
        if (m.isArray() && m.getArrayNItems() == 6)
            scale = std::abs(Number(m.getArrayItem(0), 1) * Number(m.getArrayItem(3), 1) -
                             Number(m.getArrayItem(1), 0) * Number(m.getArrayItem(2), 0));
        const double cellArea = x * y * scale;
        const double cells = cellArea > 0 ? _pageArea / cellArea + 1 : 1e300;
        const int64_t count = std::isfinite(cells) && cells < 1e15
                                  ? static_cast<int64_t>(cells)
                                  : kMaxPdfOperations + 1;
        const int64_t cost = std::max<int64_t>(Cost(pattern, chain, false), 1);
        if (!failure && Times(cost, count) > kMaxPdfOperations)
            failure = PdfRefusal(PdfRefusal::PDFPageMakesMoreDrawingOperations,
                                 {std::to_string(kMaxPdfOperations), Points(x * std::sqrt(scale)),
                                  Points(y * std::sqrt(scale))});
    }

    // What showing one glyph of a Type 3 font may cost: its costliest glyph, drawn with the
    // font's resources. A font whose glyphs show its own glyphs never ends in poppler (its
    // stack runs out): refused by name.
    int64_t FontCost(Handle font, Chain chain) {
        if (failure) return kMaxPdfOperations + 1;
        const QPDFObjGen id = font.getObjGen();
        if (std::find(_fonts.begin(), _fonts.end(), id) != _fonts.end() ||
            _fonts.size() >= static_cast<size_t>(kMaxPdfFormNesting)) {
            failure = PdfRefusal(PdfRefusal::Type3FontPDF, {std::to_string(kMaxPdfFormNesting)});
            return kMaxPdfOperations + 1;
        }
        if (const auto known = _fontCosts.find(id); id.isIndirect() && known != _fontCosts.end())
            return known->second;
        Handle own = font.getKey("/Resources");
        if (own.isDictionary()) chain.push_back(Own(own, id));
        Handle procs = font.getKey("/CharProcs");
        int64_t most = 0;
        _fonts.push_back(id);
        if (procs.isDictionary()) {
            for (auto [name, proc] : procs.ditems()) {
                if (failure) break;
                if (proc.isStream()) most = std::max(most, Cost(proc, chain, false));
            }
        }
        _fonts.pop_back();
        if (id.isIndirect()) _fontCosts[id] = most;
        return most;
    }

    const StreamScan& Scan(Handle stream) {
        const auto known = _scans.find(stream.getObjGen());
        if (known != _scans.end()) return known->second;
        StreamScan& scan = _scans[stream.getObjGen()];
        Sniff sniff;
        if (!Unpack(stream, &sniff)) {
            // What qpdf can't unpack, poppler might in part: nothing of it is painted.
            stream.replaceStreamData("", Handle::newNull(), Handle::newNull());
            changed = true;
            return scan;
        }
        scan.operators = sniff.operators;
        if (!sniff.mayDrawOrHoldImages && !(type3 && sniff.mayShowText) && !sniff.mayDashOddly)
            return scan;
        scan.operators = 0;
        ScanFilter counting(scan, false);
        Pl_Discard discard;
        Pl_QPDFTokenizer tokens("content", &counting, &discard);
        Unpack(stream, &tokens);
        if (scan.inlineImages == 0 && scan.oddDashes == 0) return scan;
        std::string rewritten;
        Pl_String into("rewritten", nullptr, rewritten);
        StreamScan again;
        ScanFilter rewriting(again, true);
        Pl_QPDFTokenizer retokens("content", &rewriting, &into);
        Unpack(stream, &retokens);
        stream.replaceStreamData(rewritten, Handle::newNull(), Handle::newNull());
        inlineImages += scan.inlineImages;
        changed = true;
        return scan;
    }

    // False for content that can't be unpacked here: damaged, too big, or packed in a way
    // (a picture's, such as DCT) that a content stream has no business with but poppler would
    // still unpack and run.
    bool Unpack(Handle stream, Pipeline* into) {
        bool over = false, unpacked = false;
        Bounded bounded(into, &over);
        const bool read = stream.pipeStreamData(&bounded, &unpacked, 0, qpdf_dl_specialized, true);
        if (over)
            failure = PdfRefusal(PdfRefusal::ContentStreamPDFUnpacks,
                                 {std::to_string(kMaxPdfContentBytes >> 20)});
        const bool packed = !stream.getDict().getKey("/Filter").isNull();
        return read && !over && (unpacked || !packed);
    }

    std::map<QPDFObjGen, StreamScan> _scans;
    std::map<std::vector<QPDFObjGen>, int64_t> _costs;
    std::set<QPDFObjGen> _drawing;
    std::set<QPDFObjGen> _resources;
    std::vector<QPDFObjGen> _fonts;  // Type 3 fonts whose glyphs are being walked
    std::map<QPDFObjGen, int64_t> _fontCosts;
    double _pageArea = 0;  // square points
    std::optional<PdfRefusal::Why> _why;  // what multiplied the operations past the bound
};

// A page tree deeper than this is no document's: qpdf and poppler follow it by recursion.
constexpr int kMaxPdfPageTreeDepth = 256;

// The depth of the page tree, followed without recursion, each node once; stops past the bound.
int PageTreeDepth(QPDF& pdf) {
    std::vector<std::pair<Handle, int>> open{{pdf.getRoot().getKey("/Pages"), 1}};
    std::set<QPDFObjGen> seen;
    int deepest = 0;
    while (!open.empty() && deepest <= kMaxPdfPageTreeDepth) {
        auto [node, depth] = open.back();
        open.pop_back();
        if (node.isIndirect() && !seen.insert(node.getObjGen()).second) continue;
        deepest = std::max(deepest, depth);
        Handle kids = node.isDictionary() ? node.getKey("/Kids") : Handle::newNull();
        for (int i = 0; kids.isArray() && i < kids.getArrayNItems(); ++i)
            open.emplace_back(kids.getArrayItem(i), depth + 1);
    }
    return deepest;
}

bool HasType3Font(QPDF& pdf) {
    for (Handle object : pdf.getAllObjects())
        if (IsType3(object)) return true;
    return false;
}

// Every image XObject of the document, wherever it is drawn from, becomes a pixel.
int64_t ReplaceImages(QPDF& pdf) {
    int64_t replaced = 0;
    for (Handle object : pdf.getAllObjects()) {
        if (!object.isStream()) continue;
        Handle dict = object.getDict();
        if (!dict.getKey("/Subtype").isNameAndEquals("/Image")) continue;
        const bool mask =
            dict.getKey("/ImageMask").isBool() && dict.getKey("/ImageMask").getBoolValue();
        object.replaceDict(Handle::parse(
            mask ? "<< /Type /XObject /Subtype /Image /Width 1 /Height 1 /ImageMask true >>"
                 : "<< /Type /XObject /Subtype /Image /Width 1 /Height 1 "
                   "/ColorSpace /DeviceGray /BitsPerComponent 8 >>"));
        object.replaceStreamData(std::string(1, '\x80'), Handle::newNull(), Handle::newNull());
        ++replaced;
    }
    return replaced;
}

QByteArray Written(QPDF& pdf) {
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setPreserveEncryption(false);
    // Streams go as they are: only what was replaced has changed.
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
    const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                      static_cast<qsizetype>(buffer->getSize()));
}

}  // namespace

PreparedPdf PreparePdf(const QByteArray& bytes, int page) {
    PreparedPdf out;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("drawing", bytes.constData(), static_cast<size_t>(bytes.size()));
        if (PageTreeDepth(pdf) > kMaxPdfPageTreeDepth) {
            out.refusal =
                PdfRefusal(PdfRefusal::PdfPageTreeMore, {std::to_string(kMaxPdfPageTreeDepth)});
            out.bounded = true;
            return out;
        }
        const std::vector<Handle>& pages = pdf.getAllPages();
        if (page < 1 || page > static_cast<int>(pages.size())) {
            out.refusal = PdfRefusal::PDFDocumentPagesCannot;
            return out;
        }
        Walk walk;
        walk.type3 = HasType3Font(pdf);
        walk.Page(pages[static_cast<size_t>(page - 1)]);
        if (walk.failure) {
            out.refusal = walk.failure;
            out.bounded = true;
            return out;
        }
        out.inlineImages = walk.inlineImages;
        out.images = ReplaceImages(pdf);
        out.pdf = walk.changed || out.images > 0 ? Written(pdf) : bytes;
    } catch (const std::exception& e) {
        std::string why = e.what();
        std::replace(why.begin(), why.end(), '\n', ' ');
        out.refusal = PdfRefusal(PdfRefusal::PDFDocumentCannotRead, {why});
    }
    return out;
}
