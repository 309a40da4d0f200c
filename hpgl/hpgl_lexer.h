#pragma once
// Byte-level scanning of HP-GL: mnemonics, numeric parameters, text parameters and escapes.
// Works in place on the caller's bytes and never allocates, or pulls bytes from a source into a
// window of bounded size, so that a plot of any size is read in constant memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Numbers beyond this are clamped: no plot needs them, and it keeps every later computation finite.
inline constexpr double kHpglNumberLimit = 1e9;

class THpglLexer {
public:
    explicit THpglLexer(std::string_view bytes) : _bytes(bytes) {}

    // Pulls bytes from `source` (fills up to n bytes, returns how many; 0 at the end). The
    // lexer never looks back behind the byte it is on, so only the unread bytes are kept; a text
    // parameter longer than kLongestText is cut there (the rest is consumed, not returned).
    using Source = std::function<std::size_t(char* into, std::size_t n)>;
    explicit THpglLexer(Source source);
    static constexpr std::size_t kWindow = 1u << 20;
    static constexpr std::size_t kLongestText = 1u << 20;

    // Moves to the next mnemonic, skipping separators, junk and escape sequences. On success
    // `name` holds the two letters upper-cased and `offset` where the mnemonic starts.
    bool NextInstruction(char name[2], std::uint64_t& offset);

    // Reads the next numeric parameter (after blanks and one comma). False, consuming nothing
    // but blanks and the comma, when the next thing is not a number; a lone sign or point is
    // consumed and reported as no number.
    bool NextNumber(double& value);

    // Skips the ';' that may end an instruction.
    void EndInstruction();

    // Text up to `terminator` (not included); the terminator is consumed. Without a terminator
    // the text runs to the end of the input.
    std::string_view TextUntil(char terminator);

    // The next byte, consumed; false at the end.
    bool NextByte(char& c);

    // Skips a parameter list that may hold arbitrary text: a quoted string, or everything up to
    // and including the next ';'.
    void SkipToSemicolon();

    // Offset of the next byte from the start of the input.
    std::uint64_t Position() const { return _base + _pos; }

private:
    void SkipBlanks();
    void SkipEscape();
    // Whether byte p of the window exists, pulling more from the source when it is past the
    // window's end. Moves the window: p (and _pos) are shifted to keep pointing at the same bytes.
    bool Have(std::size_t& p) { return p < _bytes.size() || Refill(p); }
    bool Have() { return Have(_pos); }
    bool Refill(std::size_t& p);

    std::string_view _bytes;
    std::size_t _pos = 0;
    std::uint64_t _base = 0;  // input offset of _bytes[0]
    Source _source;
    std::string _window;
    std::string _longText;
    bool _ended = false;
};
