#pragma once
// What the extension's test needs around Inkscape: the extension in the user's folder under ids
// of its own, Inkscape's data folder holding the package's copy, a virtual display, and processes
// that never outlive the test.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <list>
#include <string>

// The ids of the copy in the user's folder. Inkscape 1.2 runs neither copy's menu item when the
// same ids are in its system folder and in the user's, so the test's copy never shares them.
inline const QString kTestPlotId = "test.trazen.plot";
inline const QString kTestOutputId = "test.trazen.output.plot";

// Copies the extension from `source` into `home`'s Inkscape extension folder under the test ids,
// and builds an Inkscape data folder in `home` that is the system's with the package's copy
// added (whether or not the package is installed). Returns the folder for INKSCAPE_DATADIR.
std::string InstallExtensionCopies(const std::string& source, const std::string& home);

// Processes that each lead their own process group. Whatever the test's outcome, the groups are
// ended (asked first, then killed) and their leaders waited for, the last started first.
class ProcessGroups {
public:
    ProcessGroups() = default;
    ProcessGroups(const ProcessGroups&) = delete;
    ProcessGroups& operator=(const ProcessGroups&) = delete;
    ~ProcessGroups();

    QProcess& start(const QProcessEnvironment& env, const QString& folder, const QString& program,
                    const QStringList& args);

private:
    std::list<QProcess> processes_;
};

// Starts a virtual display (local connections only) and returns its DISPLAY value, or an empty
// string with the reason in `error`.
QString StartVirtualDisplay(ProcessGroups& groups, std::string& error);
