#include "sender/net_address.h"

#include "platform/ports.h"

HostFields SplitHostText(const std::string& text) {
    std::string parts[4];
    size_t field = 0;
    for (const char c : text) {
        if (c == ':') {
            if (++field == 4) break;
            continue;
        }
        parts[field].push_back(c);
    }
    return {parts[0], parts[1], parts[2], parts[3]};
}

std::string FtpFolderUrl(int16_t code, const HostFields& fields, int port) {
    std::string url = "ftp://" + fields.host;
    if (port > 0) url += ":" + std::to_string(port);
    url += "/";
    if (!fields.folder.empty()) url += fields.folder + "/";
    else if (code == kDestPricomFtp) url += "lp/";
    return url;
}

std::string AxisFileName(int16_t code) {
    if (code == kDestAxisLpt) return "/lpt1";
    if (code == kDestAxisUsb) return "/usb1";
    return {};
}

std::string MaskedAddressText(const std::string& text) {
    // The password is the fourth field: everything after the third ":".
    size_t colons = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ':' && ++colons == 3) {
            if (i + 1 < text.size()) return text.substr(0, i + 1) + "****:FTP";
            break;
        }
    }
    return text + ":FTP";
}
