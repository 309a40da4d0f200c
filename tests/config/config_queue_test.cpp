// The destination pop-up with the queues of a real cupsd on loopback.

#include <QComboBox>
#include <cstdlib>

#include "config_support.h"
#include "tests/platform/cups_fixture.h"

namespace {

class QueueMenuTest : public TCupsTest {
protected:
    TRZN_Config& Open() {
        window_ = std::make_unique<TRZN_Config>();
        window_->awakeFromNib();
        return *window_;
    }
    QComboBox* Menu() { return Control<QComboBox>(*window_, "prconMenuNPort"); }
    TempHome home;
    FakeDevices devices{{"/dev/ttyS0"}};
    std::unique_ptr<TRZN_Config> window_;
};

TEST_F(QueueMenuTest, ChosenQueueSurvivesOkAndARestartEvenOnceGone) {
    ASSERT_TRUE(Cups().AddRawQueue("plotter", "socket://127.0.0.1:9/"));
    RecordSet r = SampleRecords();
    WriteSettings(r);
    Open();
    ASSERT_EQ(Menu()->count(), 6);
    EXPECT_EQ(Menu()->itemText(4), QStringLiteral("TCP/IP(AXIS 5550 USB)"));
    EXPECT_EQ(Menu()->itemText(5), QStringLiteral("CUPS: plotter"));
    Menu()->setCurrentIndex(5);
    if (const char* dir = std::getenv("TRZN_CONFIG_PICTURES"))
        window_->window()->grab().save(QString::fromUtf8(dir) + "/config-queue.png");
    window_->prdefPBtnOkAction();
    EXPECT_STREQ(ReadSettings().serial->port_name, "CUPS: plotter");
    EXPECT_EQ(ReadSettings().serial->port, 5);

    // A queue the server no longer lists is still the one chosen, not another destination.
    for (const bool listed : {true, false}) {
        SCOPED_TRACE(listed ? "listed" : "gone");
        if (!listed) {
            ASSERT_TRUE(Cups().RemoveQueue("plotter"));
        }
        Open();
        EXPECT_EQ(Menu()->count(), 6);
        EXPECT_EQ(Menu()->currentText(), QStringLiteral("CUPS: plotter"));
        window_->prdefPBtnOkAction();
        EXPECT_STREQ(ReadSettings().serial->port_name, "CUPS: plotter");
    }
}

}  // namespace
