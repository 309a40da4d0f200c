#include "settings/device_commands.h"

namespace {

bool SjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool SjisTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
bool SjisSingle(unsigned char c) { return c <= 0x7F || (c >= 0xA1 && c <= 0xDF); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool DecodeDeviceCommands(std::string_view typed, std::string* bytes, std::string* problem) {
    bytes->clear();
    const auto fail = [&](size_t at, const std::string& what) {
        *problem =
            what + " at byte " + std::to_string(at + 1) + " of \"" + std::string(typed) + "\"";
        return false;
    };
    for (size_t i = 0; i < typed.size(); ++i) {
        const auto c = static_cast<unsigned char>(typed[i]);
        if (SjisLead(c)) {
            if (i + 1 >= typed.size() || !SjisTrail(static_cast<unsigned char>(typed[i + 1])))
                return fail(i, "text that is not Shift-JIS");
            bytes->append(typed.substr(i, 2));
            ++i;
            continue;
        }
        if (!SjisSingle(c)) return fail(i, "text that is not Shift-JIS");
        if (c != '\\') {
            bytes->push_back(static_cast<char>(c));
            continue;
        }
        const char e = i + 1 < typed.size() ? typed[i + 1] : '\0';
        if (e == 'e' || e == 'r' || e == 'n' || e == '\\') {
            bytes->push_back(e == 'e' ? '\x1b' : e == 'r' ? '\r' : e == 'n' ? '\n' : '\\');
            ++i;
        } else if (e == 'x') {
            const int hi = i + 2 < typed.size() ? HexDigit(typed[i + 2]) : -1;
            const int lo = i + 3 < typed.size() ? HexDigit(typed[i + 3]) : -1;
            if (hi < 0 || lo < 0) return fail(i, "\\x without two hexadecimal digits");
            bytes->push_back(static_cast<char>(hi * 16 + lo));
            i += 3;
        } else {
            return fail(i, "a backslash that is none of \\e \\r \\n \\\\ \\xNN");
        }
    }
    return true;
}

bool CarriesDeviceCommands(std::string_view body, std::string_view header,
                           std::string_view footer) {
    // A kept plot begins with the input window it was made for.
    if (body.starts_with("IW")) {
        const size_t end = body.find(';');
        if (end != std::string_view::npos) body.remove_prefix(end + 1);
    }
    return body.size() >= header.size() + footer.size() && body.starts_with(header) &&
           body.ends_with(footer);
}
