#include "tools/sender_run.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

extern char** environ;

std::string FindProgram(const std::string& selfDir, const std::string& name,
                        const std::string& buildFolder) {
    for (const std::string& candidate :
         {selfDir + "/" + name, selfDir + "/../" + buildFolder + "/" + name}) {
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return {};
}

SenderExit RunSender(const std::string& senderPath, const std::vector<std::string>& args,
                     int lockFd) {
    std::vector<std::string> all = args;
    if (lockFd >= 0) all.insert(all.end(), {"--lock-fd", std::to_string(lockFd)});
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(senderPath.c_str()));
    for (const std::string& a : all) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // A dup2 onto itself clears close-on-exec for the sender alone.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (lockFd >= 0) posix_spawn_file_actions_adddup2(&actions, lockFd, lockFd);
    // As system(3) does: Ctrl-C and Ctrl-\ from the terminal end the sender, and this side stays
    // to record how it ended; so does a closed terminal. The sender gets back the actions this
    // side had (a signal ignored by nohup or a background start stays ignored).
    constexpr int kLeftToSender[] = {SIGINT, SIGQUIT, SIGHUP};
    struct sigaction ignore {
    }, old[3]{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int i = 0; i < 3; ++i) {
        sigaction(kLeftToSender[i], &ignore, &old[i]);
        if (old[i].sa_handler != SIG_IGN) sigaddset(&defaults, kLeftToSender[i]);
    }
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);

    SenderExit result;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, senderPath.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    int status = 0;
    bool waited = false;
    if (spawned == 0) {
        while (!(waited = waitpid(pid, &status, 0) == pid) && errno == EINTR) {
        }
    }
    for (int i = 0; i < 3; ++i) sigaction(kLeftToSender[i], &old[i], nullptr);
    if (!waited) return result;
    if (WIFEXITED(status)) {
        result.how = SenderExit::How::Exited;
        result.value = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.how = SenderExit::How::Killed;
        result.value = WTERMSIG(status);
    }
    return result;
}
