#include "tools/signal_cleanup.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

#include "tools/temp_folder.h"

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
// What the handler reads: set before it is installed, never allocated in it.
char gFolder[4096];
volatile sig_atomic_t gGroup = 0;

void OnSignal(int signal) {
    // The group first: ghostscript would otherwise go on writing into the folder being removed.
    if (gGroup > 0) killpg(gGroup, SIGKILL);
    if (gFolder[0] != '\0') RemoveTree(gFolder);
    // SA_RESETHAND put the default action back: the signal now ends the process.
    raise(signal);
}

}  // namespace

CleanupOnSignal::CleanupOnSignal(const std::string& folder) {
    // A path cut short could name another folder: one that does not fit is not removed here.
    const bool fits = folder.size() < sizeof gFolder;
    std::memcpy(gFolder, fits ? folder.c_str() : "", fits ? folder.size() + 1 : 1);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &_old[i]);
        // A signal ignored from the start (nohup, a background job) stays ignored.
        if (_old[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
}

CleanupOnSignal::~CleanupOnSignal() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &_old[i], nullptr);
    gFolder[0] = '\0';
}

void CleanupOnSignal::SetReadingGroup(pid_t group) { gGroup = group; }
