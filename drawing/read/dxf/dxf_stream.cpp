#include "drawing/read/dxf/dxf_stream.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "drawing/read/dxf/dxf_wipeout.h"

namespace {

// Group codes by what their value is, as the DXF reference lists them.
bool StringGroup(int c) {
    return (c >= 0 && c <= 9) || c == 100 || c == 102 || c == 105 || (c >= 300 && c <= 369) ||
           (c >= 390 && c <= 399) || (c >= 410 && c <= 419) || (c >= 430 && c <= 439) ||
           (c >= 470 && c <= 481) || c == 999 || (c >= 1000 && c <= 1009);
}

bool RealGroup(int c) {
    return (c >= 10 && c <= 59) || (c >= 110 && c <= 149) || (c >= 210 && c <= 239) ||
           (c >= 460 && c <= 469) || (c >= 1010 && c <= 1059);
}

// The counts dxflib sizes an array by (or might): each is at most the groups that follow it.
bool CountGroup(std::string_view entity, int c) {
    if (entity == "LWPOLYLINE") return c == 90;
    if (entity == "SPLINE") return c >= 72 && c <= 74;
    if (entity == "LEADER") return c == 76;
    if (entity == "LTYPE") return c == 73;
    if (entity == "HATCH") return c == 78 || c == 79 || c == 91 || c == 93 || (c >= 95 && c <= 98);
    return false;
}

// A line as dxflib takes it: up to its first NUL (it keeps lines as C strings), without the
// blanks around it.
std::string_view Trimmed(std::string_view s) {
    s = s.substr(0, s.find('\0'));
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// A number as dxflib reads a group code or a count: strtol's, cut to an int; 0 when none.
int DxfInt(std::string_view s) {
    const std::string text(s);
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

std::string Upper(std::string_view s) {
    std::string upper(s.substr(0, 32));
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

bool NotANumber(std::string_view v) {
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) v.remove_prefix(1);
    std::string lower(v.substr(0, 8));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.starts_with("nan") || lower.starts_with("inf");
}

// Walks the file line by line and copies it, with the changes, only from the first change on.
class Preparer {
public:
    explicit Preparer(const QByteArray& in) : _in(in), _data(in.constData()), _size(in.size()) {}

    DxfText Run() {
        DxfText out;
        qsizetype at = 0;
        for (int64_t pair = 0; at < _size; ++pair) {
            const qsizetype codeAt = at, codeEnd = LineEnd(codeAt);
            at = Next(codeEnd);
            const std::string_view codeText = Trimmed(View(codeAt, codeEnd));
            if (codeEnd - codeAt > kDxfMaxLine) return Refuse(out, 2 * pair + 1);
            const int code = DxfInt(codeText);
            if (at >= _size) break;
            const qsizetype valueAt = at, valueEnd = LineEnd(valueAt);
            at = Next(valueEnd);
            const std::string_view value = Trimmed(View(valueAt, valueEnd));
            _sheets.Group(code, value);
            if (code == 0) {
                EndEntity(out, codeAt);
                _entity = Upper(value);
                _entityAt = codeAt;
                _entityEnd = -1;
            } else {
                Remember(code, value);
            }
            if (_entity == "WIPEOUT") continue;  // replaced whole at its end
            if (valueEnd - valueAt > kDxfMaxLine) {
                if (!StringGroup(code)) return Refuse(out, 2 * pair + 2);
                Replace(valueAt, valueEnd, QByteArray(_data + valueAt, kDxfMaxLine));
                ++out.cutLines;
            } else if (RealGroup(code) && NotANumber(value)) {
                Replace(valueAt, valueEnd, "1e300");
                ++out.nonFinite;
            } else if (CountGroup(_entity, code)) {
                // A negative count sizes dxflib's array by a huge unsigned number: none.
                const int64_t left = GroupsLeft(pair, at);
                const int declared = DxfInt(value);
                if (declared > left || declared < 0) {
                    const int64_t kept = declared < 0 ? 0 : left;
                    Replace(valueAt, valueEnd, QByteArray::number(static_cast<qlonglong>(kept)));
                    ++out.loweredCounts;
                }
            }
        }
        EndEntity(out, _size);
        out.sheets = _sheets.Finish();
        out.bytes =
            _copying ? (_out.append(_data + _copied, _size - _copied), std::move(_out)) : _in;
        return out;
    }

private:
    void Remember(int code, std::string_view value) {
        if (_entity == "DIMENSION" && code == 2) _name = value.substr(0, kDxfMaxLine);
        if (_entity == "DIMENSION" && code == 70) _flagged = (DxfInt(value) & 7) == 7;
        if (_entity == "LTYPE" && code == 2) _name = value.substr(0, kDxfMaxLine);
        if (_entity == "LTYPE" && code == 74 && DxfInt(value) != 0) _flagged = true;
        if (_entity == "LTYPE" && code == 49 && _elements.size() < 1024)
            _elements.push_back(std::strtod(std::string(value).c_str(), nullptr));
        if (_entity == "HATCH") RememberHatch(code, value);
        if (_entity == "WIPEOUT") _wipeout.Take(code, value);
    }
    // A pattern line begins with its angle (53); its dashes (49) come last.
    void RememberHatch(int code, std::string_view value) {
        std::vector<DxfText::HatchLine>& lines = _hatch.lines;
        if (code == 75) _hatch.style = DxfInt(value);
        if (code != 53 && code != 49 && (code < 43 || code > 46)) return;
        const double v = std::strtod(std::string(value.substr(0, 64)).c_str(), nullptr);
        if (code == 53) {
            _hatchLineKept = lines.size() < kMaxHatchLines;
            if (_hatchLineKept) lines.emplace_back().angle = v;
        }
        if (lines.empty() || !_hatchLineKept) return;
        DxfText::HatchLine& line = lines.back();
        if (code == 43) line.baseX = v;
        if (code == 44) line.baseY = v;
        if (code == 45) line.offsetX = v;
        if (code == 46) line.offsetY = v;
        if (code == 49 && line.dashes.size() < kMaxHatchDashes) line.dashes.push_back(v);
    }
    // `end`: where the next entity begins.
    void EndEntity(DxfText& out, qsizetype end) {
        if (_entity == "WIPEOUT") {
            Replace(_entityAt, end, QByteArray::fromStdString(_wipeout.AsHatch()));
            if (out.hatches.size() < 10'000'000) out.hatches.emplace_back();
            _wipeout = DxfWipeout{};
        }
        // In step with dxflib, which hands on every DIMENSION but those of type 7 (of the
        // type's lowest three bits).
        if (_entity == "DIMENSION" && !_flagged && out.dimensionBlocks.size() < 10'000'000)
            out.dimensionBlocks.emplace_back(_name);
        if (_entity == "LTYPE" && _flagged && out.complexLinetypes.size() < 1024)
            out.complexLinetypes.push_back({_name, std::move(_elements)});
        if (_entity == "HATCH" && out.hatches.size() < 10'000'000)
            out.hatches.push_back(std::move(_hatch));
        _hatch = DxfText::Hatch{};
        _name.clear();
        _elements.clear();
        _flagged = false;
    }

    qsizetype LineEnd(qsizetype from) const {
        const void* nl = std::memchr(_data + from, '\n', static_cast<size_t>(_size - from));
        return nl ? static_cast<const char*>(nl) - _data : _size;
    }
    qsizetype Next(qsizetype lineEnd) const { return lineEnd < _size ? lineEnd + 1 : _size; }
    std::string_view View(qsizetype from, qsizetype to) const {
        return std::string_view(_data + from, static_cast<size_t>(to - from));
    }

    DxfText Refuse(DxfText& out, int64_t line) {
        out.refusal = Note(NoteId::LineDXFLongerCharacters,
                           {std::to_string(line), std::to_string(kDxfMaxLine)});
        return out;
    }

    // The groups the entity has after the one at `pair` (whose next line starts at `from`),
    // counted once per entity.
    int64_t GroupsLeft(int64_t pair, qsizetype from) {
        if (_entityEnd < 0) {
            int64_t end = pair + 1;
            for (qsizetype at = from; at < _size; ++end) {
                const qsizetype codeEnd = LineEnd(at);
                if (DxfInt(Trimmed(View(at, codeEnd))) == 0) break;
                at = Next(LineEnd(Next(codeEnd)));
            }
            _entityEnd = end;
        }
        return _entityEnd - pair - 1;
    }

    void Replace(qsizetype from, qsizetype to, const QByteArray& with) {
        if (!_copying) {
            _copying = true;
            _out.reserve(_size);
        }
        _out.append(_data + _copied, from - _copied);
        _out.append(with);
        _copied = to;
    }

    const QByteArray& _in;
    const char* _data;
    qsizetype _size;
    bool _copying = false;
    QByteArray _out;
    qsizetype _copied = 0;
    std::string _entity;
    int64_t _entityEnd = -1;
    std::string _name;              // of the DIMENSION's picture, or of the LTYPE
    bool _flagged = false;          // a DIMENSION dxflib skips, an LTYPE with text or shapes
    std::vector<double> _elements;  // of the LTYPE
    DxfText::Hatch _hatch;
    DxfWipeout _wipeout;
    qsizetype _entityAt = 0;  // where the entity's first group begins
    bool _hatchLineKept = false;
    // A pattern of more lines or dashes than any drafting program's is cut to these.
    static constexpr size_t kMaxHatchLines = 1024, kMaxHatchDashes = 64;
    DxfSheetScanner _sheets;
};

}  // namespace

DxfText PrepareDxfText(const QByteArray& bytes) { return Preparer(bytes).Run(); }
