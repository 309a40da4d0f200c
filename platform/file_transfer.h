#pragma once
// File transfers that take the framed plot away from the serial line: a copy into the print
// server's shared folder, or an FTP upload. The sender's destinations (sender/) are built on these.

#include <functional>
#include <string>

// What went wrong, so the window can say it in plain words (in the user's language).
enum class DeliveryError {
    None,
    SourceMissing,        // the file to deliver is not there
    TargetExists,         // a copy would overwrite
    FolderNotWritable,    // the shared folder can't be written (sysErrno says why)
    ConnectFailed,        // no server listening, host unknown, network down
    LoginDenied,          // user name or password refused
    RemoteFolderMissing,  // the server has no such folder
    TimedOut,
    Aborted,  // keepGoing returned false
    Other,
};

struct DeliveryResult {
    DeliveryError error = DeliveryError::None;
    int sysErrno = 0;    // errno for local file failures
    std::string detail;  // libcurl's or the system's own words, for the curious
    bool ok() const { return error == DeliveryError::None; }
};

// Copies src to dst; fails (never overwrites) when dst exists. keepGoing (when given) is asked
// before each piece of the copy; once it says no, the copy ends as Aborted and leaves nothing in
// dst's folder. A share on the network takes a big plot slowly, and Stop must not wait for it.
DeliveryResult CopyFileNoOverwrite(const std::string& src, const std::string& dst,
                                   const std::function<bool()>& keepGoing = {});
// The size of the pieces (0: the usual 64 KiB). Tests make a copy slow enough to be stopped.
void SetCopyPieceBytes(size_t bytes);

struct FtpRequest {
    std::string url;       // ends in "/": the local file name is appended, escaped
    std::string user;      // empty: anonymous
    std::string password;  // empty: anonymous
    std::string localPath;
    long connectTimeoutS = 15;
    // A print server passes the data on at the plotter's pace, so a long plot may take far
    // longer than any fixed limit: only a transfer that stalls (under one byte a second for
    // this long) is given up.
    long stallTimeoutS = 120;
    // Called often during the transfer (keep the window painting here); false aborts.
    std::function<bool()> keepGoing;
};
// Uploads with libcurl; user name and password are passed as data, never through a shell.
// keepGoing is asked on the calling thread, at once and then every 20 ms, however slowly the
// server takes the data; once it says no, the transfer ends within a few milliseconds.
DeliveryResult FtpUpload(const FtpRequest& request);

// What an upload given up half way left on the server.
enum class FtpLeftover {
    None,     // nothing: the upload stopped before the server made the file
    Removed,  // the part that arrived was deleted
    Kept,     // the server would not delete it (detail: its words)
};
// Deletes what an aborted FtpUpload of the same request left, in a new session of its own.
FtpLeftover FtpRemovePartial(const FtpRequest& request, std::string* detail);
