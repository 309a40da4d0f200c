#pragma once
// Byte-level scanning of HP-GL: mnemonics, numeric parameters, text parameters and escapes.
// Works in place on the caller's bytes; never allocates.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Numbers beyond this are clamped: no plot needs them, and it keeps every later computation finite.
inline constexpr double kHpglNumberLimit = 1e9;

class THpglLexer {
public:
    explicit THpglLexer(std::string_view bytes) : _bytes(bytes) {}

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

    std::size_t Position() const { return _pos; }

private:
    void SkipBlanks();
    void SkipEscape();

    std::string_view _bytes;
    std::size_t _pos = 0;
};
