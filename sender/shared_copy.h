#pragma once
// Delivery into the print server's shared folder: a copy under a time-stamped name that never
// replaces a plot already waiting there.

#include <ctime>
#include <functional>
#include <string>

#include "platform/file_transfer.h"

// "/YYYYMMDD_HHMMSSNN.plt" for the local time t and the two-digit number nn (0..99).
std::string SharedFileName(const std::tm& t, int nn);

struct SharedCopyResult {
    DeliveryResult result;
    std::string target;  // the file made (or the last name tried)
};

// Copies source into folder (created when missing). The number starts at firstNumber % 100; a
// name already taken tries the following numbers, so two plots sent within the same second
// both arrive. Fails with TargetExists only when all hundred names of that second are taken.
// keepGoing is CopyFileNoOverwrite's: a copy it ends leaves nothing in the folder.
SharedCopyResult CopyToSharedFolder(const std::string& source, const std::string& folder,
                                    const std::tm& now, int firstNumber,
                                    const std::function<bool()>& keepGoing = {});
