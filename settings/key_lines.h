#pragma once
// The key = value lines of the settings files (the settings file, the presets, the knife file),
// read and written one way for all of them: CR LF ends, blanks and tabs outside double quotes
// dropped, a line starting with ' a comment, a text value between double quotes, a rectangle as
// four numbers with commas. A file's keys are a table of slots: where each value lives and how
// it is stored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "settings/records.h"

enum class SlotKind { Int16, Int8, UInt8, Int32, Int64, Rectangle, Text, Pointer };

// Where one key's value lives. capacity applies to texts and includes the terminator.
struct Slot {
    SlotKind kind;
    void* at;
    size_t capacity;
};

inline Slot SlotOf(int16_t& v) { return {SlotKind::Int16, &v, 0}; }
inline Slot SlotOf(int8_t& v) { return {SlotKind::Int8, &v, 0}; }
inline Slot SlotOf(uint8_t& v) { return {SlotKind::UInt8, &v, 0}; }
inline Slot SlotOf(int32_t& v) { return {SlotKind::Int32, &v, 0}; }
inline Slot SlotOf(int64_t& v) { return {SlotKind::Int64, &v, 0}; }
inline Slot SlotOf(Rect& v) { return {SlotKind::Rectangle, &v, 0}; }
template <size_t N>
Slot SlotOf(char (&v)[N]) {
    return {SlotKind::Text, v, N};
}
// Never loaded nor written as anything but 0: the print record's two pointers.
inline Slot PointerSlot(void*& v) { return {SlotKind::Pointer, &v, 0}; }

// A line's key and the parts of its value (a rectangle has four), quotes removed.
using KeyFields = std::array<std::string, 5>;

// Calls visit for every line of data that has a key, with its fields and its line number (lines
// counted by LF, from 1); reading stops at the end, at a NUL, or when visit returns false.
void ForEachKeyLine(std::string_view data,
                    const std::function<bool(const KeyFields&, size_t line)>& visit);

// The key the reader finds on one line (no line end in it): empty for a blank or a comment.
std::string KeyOfLine(std::string_view line);

// Stores the value into its slot: numbers read as a signed 32-bit decimal prefix ("12x" is 12)
// and narrowed, texts cut to the slot's capacity.
void StoreSlot(const Slot& slot, const KeyFields& fields);

// Appends "key = value" and CR LF; an empty key appends a blank line.
void AppendKeyLine(std::string& out, std::string_view key, const Slot& slot);
