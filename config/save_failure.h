#pragma once
// Why a settings file could not be written, for the alert that tells the user. The store only
// says that it failed, and the errno it leaves behind can belong to a later clean-up step
// ("File exists" from a temporary name already taken), so the reason is looked for again.

#include <QString>
#include <string>

// The errno that explains why path can't be replaced: reported itself when it is one a write
// fails with; else EISDIR for a folder in the file's place, else what creating and filling a
// file beside it fails with; 0 when nothing fails now.
int SaveFailureErrno(const std::string& path, int reported);

// What the user is told when a settings file could not be written: the file and, when the
// system said, why.
QString SaveFailedText(const QString& what, const std::string& path, int error);
