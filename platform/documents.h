#pragma once
// Where the user's files live, and folder creation.

#include <string>

// The user's Documents folder as the desktop defines it (XDG_DOCUMENTS_DIR in user-dirs.dirs,
// else ~/Documents), created when missing. Empty when it can't be found or made.
std::string DocumentsFolder();

// mkdir with mode 0777 (subject to the umask). True when the folder exists afterwards.
bool MakeFolder(const std::string& path);

bool FileExists(const std::string& path);
