#include "platform/documents.h"

#include <sys/stat.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>

std::string DocumentsFolder() {
    // Qt reads XDG_DOCUMENTS_DIR from user-dirs.dirs on every call and falls back to
    // ~/Documents, so a changed HOME (tests, sudo -H) is honoured.
    const QString location = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (location.isEmpty()) return {};
    QString clean = QDir::cleanPath(location);
    if (!QDir().mkpath(clean)) return {};
    std::string path = QFile::encodeName(clean).toStdString();
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool MakeFolder(const std::string& path) {
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}
