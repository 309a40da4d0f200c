#include "sender/shared_copy.h"

#include <cstdio>

#include "platform/documents.h"

std::string SharedFileName(const std::tm& t, int nn) {
    char name[64];
    std::snprintf(name, sizeof name, "/%04d%02d%02d_%02d%02d%02d%02d.plt", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, nn);
    return name;
}

SharedCopyResult CopyToSharedFolder(const std::string& source, const std::string& folder,
                                    const std::tm& now, int firstNumber,
                                    const std::function<bool()>& keepGoing) {
    SharedCopyResult out;
    if (!FileExists(source)) {
        out.result.error = DeliveryError::SourceMissing;
        out.result.sysErrno = ENOENT;
        return out;
    }
    MakeFolder(folder);  // may exist already; a real problem shows in the copy
    const int first = ((firstNumber % 100) + 100) % 100;
    for (int k = 0; k < 100; ++k) {
        out.target = folder + SharedFileName(now, (first + k) % 100);
        out.result = CopyFileNoOverwrite(source, out.target, keepGoing);
        if (out.result.error != DeliveryError::TargetExists) return out;
    }
    return out;
}
