#include "tests/tools/inkscape_session.h"

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "tests/support/temp_home.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSystemData = "/usr/share/inkscape";

bool IsOurs(const fs::path& file) { return file.filename().string().rfind("trazen_plot", 0) == 0; }

}  // namespace

std::string InstallExtensionCopies(const std::string& source, const std::string& home) {
    const fs::path user = fs::path(home) / ".config/inkscape/extensions";
    const fs::path data = fs::path(home) / "inkscape-data";
    const fs::path extensions = data / "inkscape/extensions";
    fs::create_directories(user);
    fs::create_directories(extensions);
    // Everything of the system's but its extensions is linked as it is; the extensions are
    // linked one by one, without a package copy that may be installed, so that the copy in the
    // data folder is always this tree's.
    for (const auto& e : fs::directory_iterator(kSystemData)) {
        if (e.path().filename() != "extensions")
            fs::create_symlink(e.path(), data / "inkscape" / e.path().filename());
    }
    for (const auto& e : fs::directory_iterator(kSystemData / "extensions")) {
        if (!IsOurs(e.path())) fs::create_symlink(e.path(), extensions / e.path().filename());
    }
    for (const auto& e : fs::directory_iterator(source)) {
        fs::copy_file(e.path(), extensions / e.path().filename());
        std::string bytes = ReadFileBytes(e.path().string());
        if (e.path().extension() == ".inx") {
            const std::string from = "<id>org.trazen.", to = "<id>test.trazen.";
            const size_t at = bytes.find(from);
            if (at == std::string::npos) throw std::runtime_error("no id in " + e.path().string());
            bytes.replace(at, from.size(), to);
        }
        WriteFileBytes((user / e.path().filename()).string(), bytes);
    }
    return data.string();
}

ProcessGroups::~ProcessGroups() {
    for (auto p = processes_.rbegin(); p != processes_.rend(); ++p) {
        if (p->state() == QProcess::NotRunning) continue;
        const pid_t group = static_cast<pid_t>(p->processId());
        killpg(group, SIGTERM);  // lets a display server take its socket away
        if (p->waitForFinished(5000)) continue;
        killpg(group, SIGKILL);
        p->waitForFinished(-1);
    }
}

QProcess& ProcessGroups::start(const QProcessEnvironment& env, const QString& folder,
                               const QString& program, const QStringList& args) {
    QProcess& p = processes_.emplace_back();
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.setChildProcessModifier([] { setpgid(0, 0); });
    p.start(program, args);
    return p;
}

QString StartVirtualDisplay(ProcessGroups& groups, std::string& error) {
    // The server picks a free display and writes its number when clients may connect.
    QProcess& xvfb =
        groups.start(QProcessEnvironment::systemEnvironment(), "/", "/usr/bin/Xvfb",
                     {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
    QByteArray number;
    while (!number.endsWith('\n')) {
        if (!xvfb.waitForReadyRead(20000)) {
            error = "Xvfb gave no display: " + xvfb.readAllStandardError().toStdString();
            return {};
        }
        number += xvfb.readAllStandardOutput();
    }
    return ":" + QString::fromLatin1(number.trimmed());
}
