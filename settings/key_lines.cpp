#include "settings/key_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kLineMax = 1023;  // bytes of a line kept by the reader

// 64-bit values travel as their low 32 bits, printed signed.
int Low32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

// Signed 32-bit decimal prefix: optional sign, then digits. Digits beyond 32 bits wrap, which
// keeps the low 32 bits exactly as the narrowing into the fields does.
int32_t ParseNumber(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

// Takes one line from pos, applying the reader's blank and quote rules; stops before a NUL.
void ReadLine(const char* data, size_t size, size_t& pos, std::string& line) {
    line.clear();
    bool quoted = false;
    while (pos < size) {
        const char c = data[pos];
        if (c == '\0') return;
        ++pos;
        if (c == '\r' || c == '\n') return;
        if (c == '\t') continue;
        if (c == '"')
            quoted = !quoted;
        else if (c == ' ' && !quoted)
            continue;
        if (line.size() < kLineMax) line += c;
    }
}

void SplitFields(const std::string& line, KeyFields& fields) {
    for (auto& f : fields) f.clear();
    size_t current = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '=' || c == ',')) {
            ++current;
        } else if (current < fields.size()) {
            fields[current] += c;
        }
    }
}

void AppendText(std::string& out, const Slot& slot) {
    // A text ends at its terminator, or at its capacity if a caller left none. A CR or LF
    // would end the line and let the rest of the text be read as further keys, so the
    // text is written up to its first line end.
    const char* text = static_cast<const char*>(slot.at);
    const size_t len = strnlen(text, slot.capacity);
    size_t keep = 0;
    while (keep < len && text[keep] != '\r' && text[keep] != '\n') ++keep;
    out += '"';
    out.append(text, keep);
    out += '"';
}

void AppendValue(std::string& out, const Slot& slot) {
    char buf[64];
    switch (slot.kind) {
        case SlotKind::Int16:
            std::snprintf(buf, sizeof buf, "%d", *static_cast<int16_t*>(slot.at));
            break;
        case SlotKind::Int8:
            std::snprintf(buf, sizeof buf, "%d", *static_cast<int8_t*>(slot.at));
            break;
        case SlotKind::UInt8:
            std::snprintf(buf, sizeof buf, "%d", *static_cast<uint8_t*>(slot.at));
            break;
        case SlotKind::Int32:
            std::snprintf(buf, sizeof buf, "%d", *static_cast<int32_t*>(slot.at));
            break;
        case SlotKind::Int64:
            std::snprintf(buf, sizeof buf, "%d", Low32(*static_cast<int64_t*>(slot.at)));
            break;
        case SlotKind::Pointer:
            std::snprintf(buf, sizeof buf, "%d", 0);
            break;
        case SlotKind::Rectangle: {
            const Rect& rc = *static_cast<Rect*>(slot.at);
            std::snprintf(buf, sizeof buf, "%d,%d,%d,%d", rc.left, rc.top, rc.right, rc.bottom);
            break;
        }
        case SlotKind::Text:
            return AppendText(out, slot);
    }
    out += buf;
}

}  // namespace

void ForEachKeyLine(std::string_view data,
                    const std::function<bool(const KeyFields&, size_t line)>& visit) {
    std::string line;
    line.reserve(kLineMax + 1);
    KeyFields fields;
    size_t pos = 0, number = 1;
    while (pos < data.size() && data[pos] != '\0') {
        const size_t start = pos;
        ReadLine(data.data(), data.size(), pos, line);
        // The only LF a line takes in is the one that ends it.
        const size_t next = number + (pos > start && data[pos - 1] == '\n' ? 1 : 0);
        if (!line.empty() && line[0] != '\'') {
            SplitFields(line, fields);
            if (!fields[0].empty() && !visit(fields, number)) return;
        }
        number = next;
    }
}

std::string KeyOfLine(std::string_view line) {
    size_t pos = 0;
    std::string kept;
    ReadLine(line.data(), line.size(), pos, kept);
    if (kept.empty() || kept[0] == '\'') return {};
    KeyFields fields;
    SplitFields(kept, fields);
    return fields[0];
}

void StoreSlot(const Slot& slot, const KeyFields& fields) {
    switch (slot.kind) {
        case SlotKind::Int16:
            *static_cast<int16_t*>(slot.at) = static_cast<int16_t>(ParseNumber(fields[1]));
            break;
        case SlotKind::Int8:
            *static_cast<int8_t*>(slot.at) = static_cast<int8_t>(ParseNumber(fields[1]));
            break;
        case SlotKind::UInt8:
            *static_cast<uint8_t*>(slot.at) = static_cast<uint8_t>(ParseNumber(fields[1]));
            break;
        case SlotKind::Int32:
            *static_cast<int32_t*>(slot.at) = ParseNumber(fields[1]);
            break;
        case SlotKind::Int64:
            *static_cast<int64_t*>(slot.at) = ParseNumber(fields[1]);
            break;
        case SlotKind::Pointer:
            *static_cast<void**>(slot.at) = nullptr;
            break;
        case SlotKind::Rectangle: {
            Rect& rc = *static_cast<Rect*>(slot.at);
            rc.left = static_cast<int16_t>(ParseNumber(fields[1]));
            rc.top = static_cast<int16_t>(ParseNumber(fields[2]));
            rc.right = static_cast<int16_t>(ParseNumber(fields[3]));
            rc.bottom = static_cast<int16_t>(ParseNumber(fields[4]));
            break;
        }
        case SlotKind::Text: {
            // Longer texts are cut to the field's capacity, always terminated.
            char* dst = static_cast<char*>(slot.at);
            const size_t n = std::min(fields[1].size(), slot.capacity - 1);
            std::memcpy(dst, fields[1].data(), n);
            dst[n] = '\0';
            break;
        }
    }
}

void AppendKeyLine(std::string& out, std::string_view key, const Slot& slot) {
    if (!key.empty()) {
        out += key;
        out += " = ";
        AppendValue(out, slot);
    }
    out += "\r\n";
}
