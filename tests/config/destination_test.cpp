// The destination section as a user meets it: only the chosen destination's fields can be
// edited, the address's password is hidden unless the field is being edited, and every control
// that shapes the plot says what it does.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cstdlib>

#include "config_support.h"

namespace {

class DestinationTest : public ConfigTest {
protected:
    TRZN_Config& Open(const char* portName, const char* address = "") {
        RecordSet r = SampleRecords();
        std::snprintf(r.serial->port_name, sizeof r.serial->port_name, "%s", portName);
        std::snprintf(r.serial->ipaddr, sizeof r.serial->ipaddr, "%s", address);
        WriteSettings(r);
        window_ = std::make_unique<TRZN_Config>();
        window_->awakeFromNib();
        return *window_;
    }
    bool Enabled(const char* name) { return Control<QWidget>(*window_, name)->isEnabled(); }

    FakeDevices devices{{"/dev/ttyS0"}};
    std::unique_ptr<TRZN_Config> window_;
};

TEST_F(DestinationTest, OnlyTheChosenDestinationsFieldsAreEnabled) {
    const struct {
        const char* name;
        const char* portName;
        bool serial, folder, network;
    } rows[] = {
        {"serial port", "/dev/ttyS0", true, false, false},
        {"unplugged adapter, kept", "/dev/ttyUSB0", true, false, false},
        {"shared folder", "Shared Folder(Trazen Server)", false, true, false},
        {"FTP print server", "TCP/IP(PRICOM 3100 FTP)", false, false, true},
        {"AXIS print server", "TCP/IP(AXIS 5550 USB)", false, false, true},
        {"printer queue", "CUPS: plotter", false, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Open(row.portName, "192.168.1.20:plot:user:secret");
        EXPECT_EQ(Enabled("prconGroupSerial"), row.serial);
        EXPECT_EQ(Enabled("prconTextSharedFolder"), row.folder);
        EXPECT_EQ(Enabled("prconPBtnSharedFolder"), row.folder);
        EXPECT_EQ(Enabled("prconTextIHost"), row.network);
        EXPECT_EQ(Enabled("prconTextIPort"), row.network);
        if (const char* dir = std::getenv("TRZN_CONFIG_PICTURES")) {
            window_->window()->grab().save(QString::fromUtf8(dir) + "/destination-" +
                                           QString::fromUtf8(row.name) + ".png");
        }
    }
    // Choosing another destination brings its fields with it.
    auto* ports = Control<QComboBox>(*window_, "prconMenuNPort");
    ports->setCurrentIndex(ports->findText(QStringLiteral("Shared Folder(Trazen Server)")));
    EXPECT_TRUE(Enabled("prconTextSharedFolder"));
    EXPECT_FALSE(Enabled("prconGroupSerial"));
}

TEST_F(DestinationTest, PasswordIsShownOnlyWhileTheAddressIsEdited) {
    const struct {
        const char* name;
        const char* address;
        const char* masked;  // "" when nothing covers the field
    } rows[] = {
        {"user and password", "192.168.1.20:plot:user:secret", "192.168.1.20:plot:user:****"},
        {"a colon in the password", "host::user:a:b", "host::user:****"},
        {"no password", "192.168.1.20:plot:user:", ""},
        {"host alone", "192.168.1.20", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TRZN_Config& c = Open("TCP/IP(PRICOM 3100 FTP)", row.address);
        auto* field = Control<QLineEdit>(c, "prconTextIHost");
        auto* cover = Control<QLabel>(c, "prconLabelIHostMasked");
        EXPECT_EQ(field->text(), QString::fromLatin1(row.address));
        EXPECT_EQ(cover->isVisible(), *row.masked != '\0');
        if (*row.masked) EXPECT_EQ(cover->text(), QString::fromLatin1(row.masked));

        c.window()->activateWindow();
        field->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(field->hasFocus());
        EXPECT_FALSE(cover->isVisible());
        field->clearFocus();
        EXPECT_EQ(cover->isVisible(), *row.masked != '\0');
        // OK stores the address as typed, never the mask.
        c.prdefPBtnOkAction();
        EXPECT_STREQ(ReadSettings().serial->ipaddr, row.address);
    }
}

TEST_F(DestinationTest, EveryControlSaysWhatItDoes) {
    TRZN_Config& c = Open("/dev/ttyS0");
    auto* tabs = Control<QTabWidget>(c, "prconTabs");
    int controls = 0;
    for (QWidget* w : tabs->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w);
        // The window's own controls are named pr...; the tab bar's scroll buttons are Qt's.
        if (!control || !w->objectName().startsWith(u"pr")) continue;
        ++controls;
        EXPECT_FALSE(w->toolTip().isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_GT(controls, 80);
    EXPECT_TRUE(Control<QLineEdit>(c, "prpenTextThick0")
                    ->toolTip()
                    .contains(QStringLiteral("0 は輪郭だけ")));
}

}  // namespace
