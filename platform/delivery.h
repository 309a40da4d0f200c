#pragma once
// Delivery of the framed plot away from the serial line: a copy into the print server's shared
// folder, or an FTP upload.

#include <functional>
#include <string>

struct DeliveryResult {
    bool ok = false;
    std::string error;  // plain words for the user when !ok
};

// Copies src to dst; fails (never overwrites) when dst exists.
DeliveryResult CopyFileNoOverwrite(const std::string& src, const std::string& dst);

struct FtpRequest {
    std::string url;       // ends in "/": the local file name is appended, escaped
    std::string user;      // empty: anonymous
    std::string password;  // empty: anonymous
    std::string localPath;
    long connectTimeoutS = 15;
    long transferTimeoutS = 600;
    // Called often during the transfer (keep the window painting here); false aborts.
    std::function<bool()> keepGoing;
};
// Uploads with libcurl; user name and password are passed as data, never through a shell.
DeliveryResult FtpUpload(const FtpRequest& request);
