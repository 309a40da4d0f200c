#include "hpgl/hpgl_lexer.h"

#include <algorithm>

namespace {

constexpr char kEscape = 0x1B;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void THpglLexer::SkipBlanks() {
    while (_pos < _bytes.size() && IsBlank(_bytes[_pos])) ++_pos;
}

// ESC . <selector> [parameters] [:]  (device control), ESC % [-]digits <letter> (mode switch),
// ESC E (reset) and anything else after ESC as a two-byte sequence.
void THpglLexer::SkipEscape() {
    ++_pos;  // ESC
    if (_pos >= _bytes.size()) return;
    const char kind = _bytes[_pos++];
    if (kind == '.') {
        if (_pos >= _bytes.size()) return;
        ++_pos;  // selector: a letter, '(' , ')' , '@' ...
        // Parameters are numbers separated by ';'; the sequence ends at ':' or, for those that
        // take none, right here (the next byte then starts the next instruction).
        while (_pos < _bytes.size()) {
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
        while (_pos < _bytes.size() && (IsDigit(_bytes[_pos]) || _bytes[_pos] == '-' ||
                                        _bytes[_pos] == '+')) {
            ++_pos;
        }
        if (_pos < _bytes.size() && IsLetter(_bytes[_pos])) ++_pos;
    }
}

bool THpglLexer::NextInstruction(char name[2], std::uint64_t& offset) {
    while (_pos < _bytes.size()) {
        const char c = _bytes[_pos];
        if (c == kEscape) {
            SkipEscape();
            continue;
        }
        if (!IsLetter(c)) {
            ++_pos;  // separators, stray parameters of a skipped instruction, junk
            continue;
        }
        if (_pos + 1 < _bytes.size() && IsLetter(_bytes[_pos + 1])) {
            offset = _pos;
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
    if (_pos < _bytes.size() && _bytes[_pos] == ',') {
        ++_pos;
        SkipBlanks();
    }
    if (_pos >= _bytes.size()) return false;
    std::size_t p = _pos;
    bool negative = false;
    if (_bytes[p] == '+' || _bytes[p] == '-') {
        negative = _bytes[p] == '-';
        ++p;
    }
    double result = 0;
    bool digits = false;
    while (p < _bytes.size() && IsDigit(_bytes[p])) {
        // Past the limit further digits only matter for clamping; stop before overflow.
        if (result < kHpglNumberLimit * 10) result = result * 10 + (_bytes[p] - '0');
        digits = true;
        ++p;
    }
    if (p < _bytes.size() && _bytes[p] == '.') {
        ++p;
        double scale = 0.1;
        while (p < _bytes.size() && IsDigit(_bytes[p])) {
            if (scale > 1e-15) result += (_bytes[p] - '0') * scale;
            scale *= 0.1;
            digits = true;
            ++p;
        }
    }
    if (p == _pos) return false;  // not a number at all: leave it for the caller
    _pos = p;
    if (!digits) return false;  // "+", "-", "." alone: consumed, but no value
    result = std::min(result, kHpglNumberLimit);
    value = negative ? -result : result;
    return true;
}

void THpglLexer::EndInstruction() {
    SkipBlanks();
    if (_pos < _bytes.size() && _bytes[_pos] == ';') ++_pos;
}

std::string_view THpglLexer::TextUntil(char terminator) {
    const std::size_t start = _pos;
    const std::size_t end = _bytes.find(terminator, start);
    if (end == std::string_view::npos) {
        _pos = _bytes.size();
        return _bytes.substr(start);
    }
    _pos = end + 1;
    return _bytes.substr(start, end - start);
}

bool THpglLexer::NextByte(char& c) {
    if (_pos >= _bytes.size()) return false;
    c = _bytes[_pos++];
    return true;
}

void THpglLexer::SkipToSemicolon() {
    SkipBlanks();
    if (_pos < _bytes.size() && _bytes[_pos] == '"') {
        ++_pos;
        TextUntil('"');
        EndInstruction();
        return;
    }
    TextUntil(';');
}
