#pragma once
// The network address text of the FTP destinations, "host:folder:user:password", and what the
// sender makes of it: the upload URL, the file name on the server and the text on the panel.

#include <cstdint>
#include <string>

struct HostFields {
    std::string host;
    std::string folder;    // empty: the destination's default folder
    std::string user;      // user and password both set: log in; otherwise anonymous
    std::string password;
};

// Splits on ":" into at most four fields; text after a fourth ":" is ignored.
HostFields SplitHostText(const std::string& text);

// The texts the sender accepts for a network destination are shorter than this.
inline constexpr size_t kHostTextLimit = 80;

// "ftp://host/lp/" or "ftp://host/folder/" (PRICOM), "ftp://host/" or "ftp://host/folder/"
// (AXIS). port > 0 inserts ":port" after the host (tests run servers on unprivileged ports).
std::string FtpFolderUrl(int16_t code, const HostFields& fields, int port = 0);

// The name the local file takes before an AXIS upload ("/lpt1", "/usb1"); empty for PRICOM,
// which keeps the output file's own name.
std::string AxisFileName(int16_t code);

// The first message line for a network destination: the address text and ":FTP", with the
// password field masked so it never shows on the screen.
std::string MaskedAddressText(const std::string& text);
