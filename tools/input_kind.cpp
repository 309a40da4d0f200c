#include "tools/input_kind.h"

#include <fcntl.h>
#include <unistd.h>

#include <QXmlStreamReader>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "drawing/read/drawing_source.h"
#include "tools/plot_tr.h"

namespace {

constexpr char kEscape = 0x1B;
constexpr char kEndOfText = 0x03;  // ends label texts unless DT chose another byte
constexpr size_t kHpglWindow = 4096;
constexpr size_t kLongestText = 512;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Instructions of HP-GL and HP-GL/2 a plot may begin with. Later mnemonics are only required to
// be two letters, so that makers' own instructions don't refuse a plot.
constexpr std::string_view kKnownMnemonics =
    "AA AC AD AF AH AP AR AS AT BL BP BR BZ CA CC CI CM CO CP CR CS CT CV DC DF DI DL DP DR DS "
    "DT DV EA EC EP ER ES EW FP FR FS FT GC GM IM IN IP IR IV IW KY LA LB LM LO LT MC MG NP NR "
    "OA OC OD OE OF OH OI OO OP OS OT OW PA PB PC PD PE PG PM PR PS PT PU PW RA RO RR RT SA SB "
    "SC SD SI SL SM SP SR SS TL TR UL VS WD WG WU XT YT";

bool Known(char a, char b) {
    for (size_t i = 0; i + 1 < kKnownMnemonics.size(); i += 3) {
        if (kKnownMnemonics[i] == a && kKnownMnemonics[i + 1] == b) return true;
    }
    return false;
}

// Reads a window of bytes as HP-GL from start to end. The window may end inside anything.
class HpglCheck {
public:
    // `cut`: the file goes on after these bytes.
    HpglCheck(std::string_view bytes, bool cut) : _b(bytes), _cut(cut) {}

    bool Plausible() {
        int instructions = 0;
        size_t stray = 0;
        while (_p < _b.size()) {
            const char c = _b[_p];
            if (IsBlank(c) || c == ';' || c == ',' || c == kEndOfText || c == 0x1A) {
                ++_p;  // separators; a DOS end-of-file mark after the plot
            } else if (c == kEscape) {
                if (!Escape()) return false;
            } else if (_afterJobHeader && _b.substr(_p, 4) == "@PJL") {
                Skip('\n');  // "@PJL ENTER LANGUAGE=HPGL2" and its kin
            } else if (IsLetter(c) || (c == '!' && instructions > 0)) {
                if (c == '!') ++_p;              // makers' extensions: "!PG;" and the like
                if (_p + 1 >= _b.size()) break;  // cut by the window
                const char a = Upper(_b[_p]), b = Upper(_b[_p + 1]);
                if (instructions == 0 && !(IsLetter(b) && Known(a, b))) return false;
                if (!IsLetter(b)) {
                    ++stray;  // a letter alone
                    ++_p;
                    continue;
                }
                _p += 2;
                ++instructions;
                if (!Parameters(a, b)) return false;
            } else if (instructions == 0) {
                return false;
            } else {
                ++stray;  // plotters skip what they can't read; so do the programs that write it
                ++_p;
            }
        }
        return instructions > 0 && stray <= _b.size() / 64;
    }

private:
    // Moves past the next `end` byte (or to the end of the window).
    void Skip(char end) {
        const size_t found = _b.find(end, _p);
        _p = found == std::string_view::npos ? _b.size() : found + 1;
    }

    // ESC . <selector> [numbers separated by ;] [:]   device control
    // ESC % [-]digits <letter>                        mode switch, job header (-12345X)
    // ESC E                                           printer reset
    bool Escape() {
        ++_p;
        if (_p >= _b.size()) return true;
        const char kind = _b[_p++];
        if (kind == 'E') return true;
        if (kind == '.') {
            if (_p < _b.size() && (_b[_p] < 0x20 || _b[_p] > 0x7E)) return false;
            ++_p;
            while (_p < _b.size() && (IsDigit(_b[_p]) || std::strchr(";.+- ", _b[_p]))) ++_p;
            if (_p < _b.size() && _b[_p] == ':') ++_p;
            return true;
        }
        if (kind != '%') return false;
        const size_t digits = _p;
        while (_p < _b.size() && (IsDigit(_b[_p]) || _b[_p] == '-' || _b[_p] == '+')) ++_p;
        if (_p >= _b.size()) return true;
        if (!IsLetter(_b[_p])) return false;
        _afterJobHeader = _afterJobHeader || (_b[_p] == 'X' && _p > digits);
        ++_p;
        return true;
    }

    // False when a text runs on past kLongestText: prose, not a plot.
    bool Parameters(char a, char b) {
        if (a == 'D' && b == 'T') {
            // The label terminator: any byte but ';', which brings back the default.
            _terminator = kEndOfText;
            if (_p < _b.size() && _b[_p] != ';' && !IsBlank(_b[_p])) _terminator = _b[_p++];
        } else if ((a == 'L' && b == 'B') || (a == 'W' && b == 'D') || (a == 'B' && b == 'L')) {
            return Text(a == 'L' ? _terminator : kEndOfText);
        } else if (a == 'C' && b == 'O' && IsBlank(Next())) {
            return Text(';');  // an unquoted comment
        } else if (a == 'P' && b == 'E') {
            // Encoded coordinates: flags (7 : < = >) and digits of 63..126 or 191..254.
            while (_p < _b.size()) {
                const auto u = static_cast<unsigned char>(_b[_p]);
                if (!(u == '7' || (u >= ':' && u <= '~') || (u >= 191 && u <= 254)) || u == ';')
                    break;
                ++_p;
            }
            return true;
        } else if (a == 'S' && b == 'M') {
            if (_p < _b.size() && _b[_p] != ';') ++_p;  // the symbol, any character
        }
        while (_p < _b.size()) {
            const char c = _b[_p];
            if (c == '"') {
                ++_p;
                if (!Text('"')) return false;
            } else if (IsDigit(c) || IsBlank(c) || c == ',' || c == '.' || c == '+' || c == '-') {
                ++_p;
            } else {
                // A letter starts the next instruction, ';' ends this one; the caller judges
                // anything else.
                return true;
            }
        }
        return true;
    }

    // Moves past a text and its terminator. Labels and comments are lines, not pages, and end
    // before the file does.
    bool Text(char end) {
        const size_t found = _b.find(end, _p);
        if (found == std::string_view::npos) {
            if (!_cut || _b.size() - _p > kLongestText) return false;
            _p = _b.size();
            return true;
        }
        if (found - _p > kLongestText) return false;
        _p = found + 1;
        return true;
    }

    char Next() const { return _p < _b.size() ? _b[_p] : '\0'; }

    std::string_view _b;
    bool _cut;
    size_t _p = 0;
    char _terminator = kEndOfText;
    bool _afterJobHeader = false;
};

std::string_view WithoutBom(std::string_view head) {
    return head.substr(0, 3) == "\xEF\xBB\xBF" ? head.substr(3) : head;
}

InputKind SniffXml(std::string_view head, std::string* what) {
    QXmlStreamReader reader;
    reader.addData(QByteArray(head.data(), static_cast<qsizetype>(head.size())));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            if (reader.name() == QLatin1String("svg")) return InputKind::Svg;
            *what = TPlotWords::tr("an XML document whose root element is %1")
                        .arg(reader.name())
                        .toStdString();
            return InputKind::Other;
        }
    }
    return InputKind::Svg;
}

}  // namespace

InputKind SniffInput(std::string_view head, std::string* what) {
    what->clear();
    if (head.substr(0, 2) == "\x1F\x8B") return InputKind::Svgz;
    if (head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF")
        return SniffXml(head, what);  // UTF-16, which only XML uses here
    const std::string_view text = WithoutBom(head);
    const size_t first = std::find_if_not(text.begin(), text.end(), IsBlank) - text.begin();
    if (first < text.size() && text[first] == '<') return SniffXml(head, what);
    switch (SourceKindOf(head)) {
        case SourceKind::Pdf:
            return InputKind::Pdf;
        case SourceKind::PostScript:
            return InputKind::PostScript;
        case SourceKind::Dxf:
            return InputKind::Dxf;
        case SourceKind::Svg:
            break;
    }
    if (HpglCheck(text.substr(0, kHpglWindow), text.size() > kHpglWindow).Plausible())
        return InputKind::HpGl;

    const struct {
        std::string_view magic;
        const char* name;
    } known[] = {
        {"\x89PNG", QT_TRANSLATE_NOOP("TPlotWords", "a PNG picture")},
        {"\xFF\xD8\xFF", QT_TRANSLATE_NOOP("TPlotWords", "a JPEG picture")},
        {"PK\x03\x04", QT_TRANSLATE_NOOP("TPlotWords", "a ZIP archive")},
    };
    for (const auto& k : known) {
        if (head.substr(0, k.magic.size()) == k.magic) *what = TPlotWords::tr(k.name).toStdString();
    }
    return InputKind::Other;
}

std::string ReadHead(const std::string& path) {
    std::string head(kSniffBytes, '\0');
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    size_t got = 0;
    while (got < head.size()) {
        const ssize_t n = read(fd, head.data() + got, head.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    head.resize(got);
    return head;
}
