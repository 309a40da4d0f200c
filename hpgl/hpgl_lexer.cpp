#include "hpgl/hpgl_lexer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kEscape = 0x1B;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

THpglLexer::THpglLexer(Source source) : _source(std::move(source)) {}

bool THpglLexer::Refill(std::size_t& p) {
    if (!_source || _ended) return false;
    const std::size_t keep = _bytes.size() - std::min(_pos, _bytes.size());
    if (_pos > 0 && keep > 0) std::memmove(_window.data(), _window.data() + _pos, keep);
    _base += _bytes.size() - keep;
    p -= _bytes.size() - keep;
    _pos = 0;
    _window.resize(std::max(kWindow, keep * 2));
    std::size_t got = 0;
    while (got == 0) {
        got = _source(_window.data() + keep, _window.size() - keep);
        if (got == 0) {
            _ended = true;
            break;
        }
    }
    _bytes = std::string_view(_window.data(), keep + got);
    return p < _bytes.size();
}

void THpglLexer::SkipBlanks() {
    while (Have() && IsBlank(_bytes[_pos])) ++_pos;
}

// ESC . <selector> [parameters] [:]  (device control), ESC % [-]digits <letter> (mode switch),
// ESC E (reset) and anything else after ESC as a two-byte sequence.
void THpglLexer::SkipEscape() {
    ++_pos;  // ESC
    if (!Have()) return;
    const char kind = _bytes[_pos++];
    if (kind == '.') {
        if (!Have()) return;
        ++_pos;  // selector: a letter, '(' , ')' , '@' ...
        // Parameters are numbers separated by ';'; the sequence ends at ':' or, for those that
        // take none, right here (the next byte then starts the next instruction).
        while (Have()) {
            const char c = _bytes[_pos];
            if (IsDigit(c) || c == ';' || c == '.' || c == '+' || c == '-' || IsBlank(c)) {
                ++_pos;
            } else {
                if (c == ':') ++_pos;
                break;
            }
        }
        return;
    }
    if (kind == '%') {
        while (Have() && (IsDigit(_bytes[_pos]) || _bytes[_pos] == '-' || _bytes[_pos] == '+')) {
            ++_pos;
        }
        if (Have() && IsLetter(_bytes[_pos])) ++_pos;
    }
}

bool THpglLexer::NextInstruction(char name[2], std::uint64_t& offset) {
    while (Have()) {
        const char c = _bytes[_pos];
        if (c == kEscape) {
            SkipEscape();
            continue;
        }
        if (!IsLetter(c)) {
            ++_pos;  // separators, stray parameters of a skipped instruction, junk
            continue;
        }
        std::size_t next = _pos + 1;
        if (Have(next) && IsLetter(_bytes[next])) {
            offset = _base + _pos;
            name[0] = Upper(c);
            name[1] = Upper(_bytes[_pos + 1]);
            _pos += 2;
            return true;
        }
        ++_pos;  // a lone letter is no mnemonic
    }
    return false;
}

bool THpglLexer::NextNumber(double& value) {
    SkipBlanks();
    if (Have() && _bytes[_pos] == ',') {
        ++_pos;
        SkipBlanks();
    }
    if (!Have()) return false;
    // The position moves with every byte taken, so a streamed window never has to keep a long
    // run of digits behind it.
    bool consumed = false;
    bool negative = false;
    if (_bytes[_pos] == '+' || _bytes[_pos] == '-') {
        negative = _bytes[_pos] == '-';
        ++_pos;
        consumed = true;
    }
    double result = 0;
    bool digits = false;
    while (Have() && IsDigit(_bytes[_pos])) {
        // Past the limit further digits only matter for clamping; stop before overflow.
        if (result < kHpglNumberLimit * 10) result = result * 10 + (_bytes[_pos] - '0');
        digits = true;
        consumed = true;
        ++_pos;
    }
    if (Have() && _bytes[_pos] == '.') {
        ++_pos;
        consumed = true;
        double scale = 0.1;
        while (Have() && IsDigit(_bytes[_pos])) {
            if (scale > 1e-15) result += (_bytes[_pos] - '0') * scale;
            scale *= 0.1;
            digits = true;
            ++_pos;
        }
    }
    if (!consumed) return false;  // not a number at all: leave it for the caller
    if (!digits) return false;    // "+", "-", "." alone: consumed, but no value
    result = std::min(result, kHpglNumberLimit);
    value = negative ? -result : result;
    return true;
}

void THpglLexer::EndInstruction() {
    SkipBlanks();
    if (Have() && _bytes[_pos] == ';') ++_pos;
}

std::string_view THpglLexer::TextUntil(char terminator) {
    if (!_source) {
        const std::size_t start = _pos;
        const std::size_t end = _bytes.find(terminator, start);
        if (end == std::string_view::npos) {
            _pos = _bytes.size();
            return _bytes.substr(start);
        }
        _pos = end + 1;
        return _bytes.substr(start, end - start);
    }
    // The text stays in the window while it grows, up to kLongestText; past that it is only
    // consumed.
    std::size_t end = _pos;
    while (true) {
        const std::size_t found = _bytes.find(terminator, end);
        if (found != std::string_view::npos) {
            const std::string_view text = _bytes.substr(_pos, found - _pos);
            _pos = found + 1;
            return text;
        }
        end = _bytes.size();
        if (end - _pos >= kLongestText) break;
        if (!Have(end)) {
            const std::string_view text = _bytes.substr(_pos);
            _pos = _bytes.size();
            return text;
        }
    }
    _longText.assign(_bytes.substr(_pos, kLongestText));
    _pos = _bytes.size();
    char c = 0;
    while (NextByte(c) && c != terminator) {
    }
    return _longText;
}

bool THpglLexer::NextByte(char& c) {
    if (!Have()) return false;
    c = _bytes[_pos++];
    return true;
}

void THpglLexer::SkipToSemicolon() {
    SkipBlanks();
    if (Have() && _bytes[_pos] == '"') {
        ++_pos;
        TextUntil('"');
        EndInstruction();
        return;
    }
    TextUntil(';');
}
