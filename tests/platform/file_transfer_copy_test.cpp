#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>

#include "platform/file_transfer.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;

TEST(CopyFileNoOverwrite, CopiesAndRefusesToOverwrite) {
    TempHome home;
    const std::string src = home.scratch("product") + "/Trazen.tmp";
    const std::string shared = home.scratch("shared");
    std::string plot = "\x1b.(IN;IW;PA0,0;PD100,100;";
    plot += std::string(200000, 'P');  // more than one buffer
    plot += '\0';
    plot += "\xff;";
    WriteFileBytes(src, plot);

    const std::string dst = shared + "/20250302_14050907.plt";
    const DeliveryResult first = CopyFileNoOverwrite(src, dst);
    ASSERT_TRUE(first.ok()) << first.detail;
    EXPECT_EQ(ReadFileBytes(dst), plot);
    EXPECT_EQ(ReadFileBytes(src), plot);  // the source stays
    // Whole under its own name, readable by the print server, and nothing else beside it.
    struct stat st {};
    ASSERT_EQ(stat(dst.c_str(), &st), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 1);

    WriteFileBytes(dst, "earlier plot");
    const DeliveryResult again = CopyFileNoOverwrite(src, dst);
    EXPECT_EQ(again.error, DeliveryError::TargetExists);
    EXPECT_EQ(again.sysErrno, EEXIST);
    EXPECT_EQ(ReadFileBytes(dst), "earlier plot");
}

TEST(CopyFileNoOverwrite, FailuresMapToTheirCause) {
    TempHome home;
    const std::string src = home.scratch("product") + "/Trazen.tmp";
    WriteFileBytes(src, "PA0,0;");
    const std::string locked = home.scratch("locked");
    chmod(locked.c_str(), 0555);
    const std::string shared = home.scratch("shared");
    fs::create_symlink(shared + "/nowhere", shared + "/dangling.plt");
    const bool root = geteuid() == 0;  // root writes into read-only folders

    struct Row {
        const char* name;
        std::string src, dst;
        DeliveryError error;
        int err;
    } rows[] = {
        {"source_missing", home.root() + "/nope.tmp", shared + "/a.plt",
         DeliveryError::SourceMissing, ENOENT},
        {"source_is_folder", shared, shared + "/b.plt", DeliveryError::SourceMissing, EISDIR},
        {"folder_missing", src, home.root() + "/no-such-share/c.plt",
         DeliveryError::FolderNotWritable, ENOENT},
        {"dangling_symlink_is_not_followed", src, shared + "/dangling.plt",
         DeliveryError::TargetExists, EEXIST},
        {"folder_read_only", src, locked + "/d.plt", DeliveryError::FolderNotWritable, EACCES},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        if (root && r.err == EACCES) continue;
        const DeliveryResult res = CopyFileNoOverwrite(r.src, r.dst);
        EXPECT_EQ(res.error, r.error);
        EXPECT_EQ(res.sysErrno, r.err);
        EXPECT_FALSE(res.detail.empty());
    }
    EXPECT_FALSE(fs::exists(shared + "/nowhere"));
    chmod(locked.c_str(), 0755);
}

TEST(CopyFileNoOverwrite, FailedWriteLeavesNoHalfCopy) {
    TempHome home;
    const std::string src = home.scratch("product") + "/Trazen.tmp";
    WriteFileBytes(src, std::string(300000, 'P'));
    const std::string dst = home.scratch("shared") + "/e.plt";
    // A file size limit makes the write fail half-way (EFBIG), as a full share would; in a
    // child, so the limit can't touch this process.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{100000, 100000};
        setrlimit(RLIMIT_FSIZE, &lim);
        const DeliveryResult r = CopyFileNoOverwrite(src, dst);
        _exit(r.error == DeliveryError::FolderNotWritable && r.sysErrno == EFBIG ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::is_empty(home.scratch("shared"))) << "a half copy or its temporary stayed";
}
