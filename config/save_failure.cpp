#include "config/save_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <vector>

int SaveFailureErrno(const std::string& path, int reported) {
    switch (reported) {
        case ENOSPC:
        case EDQUOT:
        case EROFS:
        case EACCES:
        case EPERM:
        case EISDIR:
        case ENOTDIR:
        case EIO:
        case EFBIG:
        case ENAMETOOLONG:
            return reported;
        default:
            break;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return EISDIR;
    const std::string::size_type slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    std::string probe = folder + "/.trzn-save-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return errno;
    // A block's worth, written through to the disk: a full disk fails here, not at creation.
    const std::vector<char> block(4096, '\0');
    int error = 0;
    errno = 0;
    if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size()))
        error = errno != 0 ? errno : ENOSPC;
    else if (::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    ::unlink(probe.c_str());
    return error;
}

QString SaveFailedText(const QString& what, const std::string& path, int error) {
    const QString file = QString::fromStdString(path);
    if (error == 0)
        return QCoreApplication::translate("TRZN_Config", "%1 could not be saved to %2.")
            .arg(what, file);
    return QCoreApplication::translate("TRZN_Config", "%1 could not be saved to %2: %3")
        .arg(what, file, QString::fromLocal8Bit(std::strerror(error)));
}
