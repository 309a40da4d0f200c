#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/file_transfer.h"
#include "tests/platform/ftp_fixture.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Both server roots under the test's home, a plot to upload, and the server itself.
class FtpUploadTest : public ::testing::Test {
protected:
    void SetUp() override {
        userDir = home.scratch("ftp-user");
        anonDir = home.scratch("ftp-anon");
        fs::create_directories(userDir + "/lp");
        fs::create_directories(anonDir + "/lp");
        local = home.scratch("product") + "/Trazen.tmp";
        WriteFileBytes(local, plot);
        server = std::make_unique<FtpServer>(userDir, anonDir, "plot", password);
        ASSERT_TRUE(server->ok()) << server->errorText();
    }
    FtpRequest Request(const std::string& folder, const std::string& user,
                       const std::string& pass) const {
        FtpRequest r;
        r.url = server->url(folder);
        r.user = user;
        r.password = pass;
        r.localPath = local;
        r.connectTimeoutS = 5;
        r.stallTimeoutS = 20;
        return r;
    }

    TempHome home;
    const std::string password = "x;rm -rf ~;touch pwned`touch pwned2`$(touch pwned3) \"'";
    const std::string plot = std::string("\x1b.(IN;IW;PA0,0;PD100,100;") + std::string(5000, 'P');
    std::string userDir, anonDir, local;
    std::unique_ptr<FtpServer> server;
};

}  // namespace

TEST_F(FtpUploadTest, FilesArriveWhereTheyShould) {
    struct Row {
        const char* name;
        std::string folder, user, pass;
        std::string arrivesAt;  // relative to the server's roots
    } rows[] = {
        {"user_to_root", "", "plot", password, "ftp-user/Trazen.tmp"},
        {"user_to_folder", "lp", "plot", password, "ftp-user/lp/Trazen.tmp"},
        {"anonymous_to_folder", "lp", "", "", "ftp-anon/lp/Trazen.tmp"},
        {"user_without_password_is_anonymous", "", "plot", "", "ftp-anon/Trazen.tmp"},
        {"password_without_user_is_anonymous", "", "", "secret", "ftp-anon/Trazen.tmp"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string target = home.root() + "/scratch/" + r.arrivesAt;
        fs::remove(target);
        const DeliveryResult res = FtpUpload(Request(r.folder, r.user, r.pass));
        EXPECT_TRUE(res.ok()) << res.detail;
        EXPECT_EQ(ReadFileBytes(target), plot);
    }
    // The password is data: nothing it spells was run, here or anywhere near.
    for (const char* f : {"pwned", "pwned2", "pwned3"}) {
        EXPECT_FALSE(fs::exists(fs::current_path() / f));
        EXPECT_FALSE(fs::exists(home.root() + "/" + f));
    }
    EXPECT_TRUE(fs::exists(home.root() + "/scratch/product/Trazen.tmp"));
}

TEST_F(FtpUploadTest, NameNeedingEscapesArrivesUnchanged) {
    const std::string odd = home.scratch("product") + "/plot 100% #1.plt";
    WriteFileBytes(odd, plot);
    FtpRequest r = Request("lp", "plot", password);
    r.localPath = odd;
    const DeliveryResult res = FtpUpload(r);
    EXPECT_TRUE(res.ok()) << res.detail;
    EXPECT_EQ(ReadFileBytes(userDir + "/lp/plot 100% #1.plt"), plot);
}

TEST_F(FtpUploadTest, FailuresMapToTheirCause) {
    struct Row {
        const char* name;
        std::string folder, user, pass;
        DeliveryError error;
    } rows[] = {
        {"wrong_password", "", "plot", "wrong", DeliveryError::LoginDenied},
        {"unknown_user", "", "nobody", "wrong", DeliveryError::LoginDenied},
        {"missing_folder", "no/such/folder", "plot", password, DeliveryError::RemoteFolderMissing},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const DeliveryResult res = FtpUpload(Request(r.folder, r.user, r.pass));
        EXPECT_EQ(res.error, r.error) << res.detail;
        EXPECT_FALSE(res.detail.empty());
    }
    EXPECT_FALSE(fs::exists(userDir + "/no"));
}

TEST_F(FtpUploadTest, OnlyFtpUrlsAreFollowed) {
    const std::string elsewhere = home.scratch("elsewhere");
    FtpRequest r = Request("", "plot", password);
    r.url = "file://" + elsewhere + "/";
    const DeliveryResult res = FtpUpload(r);
    EXPECT_EQ(res.error, DeliveryError::Other);
    EXPECT_FALSE(fs::exists(elsewhere + "/Trazen.tmp"));
}

TEST_F(FtpUploadTest, LocalFileMissing) {
    FtpRequest r = Request("", "plot", password);
    r.localPath = home.root() + "/missing.tmp";
    EXPECT_EQ(FtpUpload(r).error, DeliveryError::SourceMissing);
}

TEST_F(FtpUploadTest, KeepGoingFalseAborts) {
    FtpRequest r = Request("", "plot", password);
    int calls = 0;
    r.keepGoing = [&] { return ++calls < 1; };
    const DeliveryResult res = FtpUpload(r);
    EXPECT_EQ(res.error, DeliveryError::Aborted) << res.detail;
    EXPECT_GE(calls, 1);
}

TEST_F(FtpUploadTest, KeepGoingIsAskedDuringTheTransfer) {
    FtpRequest r = Request("", "plot", password);
    int calls = 0;
    r.keepGoing = [&] { return ++calls > 0; };
    EXPECT_TRUE(FtpUpload(r).ok());
    EXPECT_GT(calls, 0);
}

TEST(FtpUpload, NoServerListeningFailsQuickly) {
    TempHome home;
    const std::string local = home.scratch("product") + "/Trazen.tmp";
    WriteFileBytes(local, "PA0,0;");
    const int port = UnusedLoopbackPort();
    ASSERT_GT(port, 0);
    FtpRequest r;
    r.url = "ftp://127.0.0.1:" + std::to_string(port) + "/lp/";
    r.localPath = local;
    r.connectTimeoutS = 5;
    const auto start = Clock::now();
    const DeliveryResult res = FtpUpload(r);
    EXPECT_EQ(res.error, DeliveryError::ConnectFailed) << res.detail;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
}

TEST(FtpUpload, SlowServerIsNotCutOff) {
    // A print server that takes the plot at its plotter's pace: the upload lasts several times
    // the stall limit and must still arrive whole.
    TempHome home;
    const std::string anonDir = home.scratch("ftp-anon");
    const std::string local = home.scratch("product") + "/Trazen.tmp";
    const std::string plot(96 * 1024, 'P');
    WriteFileBytes(local, plot);
    FtpServer server(home.scratch("ftp-user"), anonDir, "plot", "secret", 32 * 1024);
    ASSERT_TRUE(server.ok()) << server.errorText();
    FtpRequest r;
    r.url = server.url();
    r.localPath = local;
    r.connectTimeoutS = 5;
    r.stallTimeoutS = 1;
    const DeliveryResult res = FtpUpload(r);
    EXPECT_TRUE(res.ok()) << res.detail;
    EXPECT_EQ(ReadFileBytes(anonDir + "/Trazen.tmp"), plot);
}

TEST(FtpUpload, MuteServerTimesOut) {
    TempHome home;
    const std::string local = home.scratch("product") + "/Trazen.tmp";
    WriteFileBytes(local, "PA0,0;");
    // The kernel completes the handshake on a listening socket nobody accepts from: a server
    // that connects but never greets.
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(listen(s, 4), 0);
    ASSERT_EQ(getsockname(s, reinterpret_cast<sockaddr*>(&a), &len), 0);

    FtpRequest r;
    r.url = "ftp://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/";
    r.localPath = local;
    r.connectTimeoutS = 1;
    const auto start = Clock::now();
    const DeliveryResult res = FtpUpload(r);
    close(s);
    EXPECT_EQ(res.error, DeliveryError::TimedOut) << res.detail;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(4));
}
