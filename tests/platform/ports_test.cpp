#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "tests/support/temp_home.h"

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

namespace {

// A fake sysfs laid out like the kernel's: class/tty/NAME is a relative symlink into
// devices/..., whose `device` link leads to a device folder with (or without) a driver link.
class FakeSysfs {
public:
    explicit FakeSysfs(const TempHome& home) : root_(home.scratch("sys")) {
        fs::create_directories(root_ / "class/tty");
        fs::create_directories(root_ / "bus/drivers/real");
    }
    const fs::path& root() const { return root_; }

    // withDriver: the parent device is bound to a driver. type: contents of the type file
    // ("" for none, as USB adapters have).
    void Add(const std::string& name, bool withDriver, const std::string& type = "") {
        const fs::path parent = root_ / "devices/platform" / ("dev-" + name);
        const fs::path node = parent / "tty" / name;
        fs::create_directories(node);
        if (withDriver)
            fs::create_directory_symlink(fs::relative(root_ / "bus/drivers/real", parent),
                                         parent / "driver");
        fs::create_directory_symlink("../..", node / "device");
        if (!type.empty()) WriteFileBytes((node / "type").string(), type + "\n");
        fs::create_directory_symlink(fs::relative(node, root_ / "class/tty"),
                                     root_ / "class/tty" / name);
    }
    // A virtual tty: no device link at all (consoles, ptmx, rfcomm).
    void AddVirtual(const std::string& name) {
        const fs::path node = root_ / "devices/virtual/tty" / name;
        fs::create_directories(node);
        fs::create_directory_symlink(fs::relative(node, root_ / "class/tty"),
                                     root_ / "class/tty" / name);
    }

private:
    fs::path root_;
};

}  // namespace

TEST(ScanSerialDevices, KeepsDriverBackedPortsInNaturalOrder) {
    TempHome home;
    FakeSysfs sys(home);
    sys.AddVirtual("tty0");
    sys.AddVirtual("console");
    sys.AddVirtual("ptmx");
    sys.AddVirtual("rfcomm0");
    sys.Add("ttyS0", true, "4");      // a real UART
    sys.Add("ttyS1", true, "0");      // phantom: no UART behind it
    sys.Add("ttyS10", true, "4");
    sys.Add("ttyS2", true, "4");
    sys.Add("ttyUSB10", true);
    sys.Add("ttyUSB2", true);
    sys.Add("ttyACM0", true);
    sys.Add("ttyX0", false);          // a device that no driver claims
    sys.Add("ttyS3", true, "garbage");  // unreadable type: keep rather than hide a port

    EXPECT_EQ(ScanSerialDevices(sys.root().string()),
              (Paths{"/dev/rfcomm0", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS3",
                     "/dev/ttyS10", "/dev/ttyUSB2", "/dev/ttyUSB10"}));
}

TEST(ScanSerialDevices, MissingTreeGivesNoPorts) {
    TempHome home;
    EXPECT_TRUE(ScanSerialDevices(home.scratch("empty")).empty());
    EXPECT_TRUE(ScanSerialDevices(home.root() + "/does-not-exist").empty());
}

TEST(SerialDevices, UsesTheReplacedSourceUntilRestored) {
    SetSerialDeviceSource([] { return Paths{"/dev/ttyFAKE0"}; });
    EXPECT_EQ(SerialDevices(), Paths{"/dev/ttyFAKE0"});
    SetSerialDeviceSource({});
    for (const auto& p : SerialDevices()) EXPECT_NE(p, "/dev/ttyFAKE0");
}

TEST(PortList, DevicesThenThePseudoPortsInTheirOrder) {
    EXPECT_EQ(PortList({"/dev/ttyS0", "/dev/ttyUSB0"}),
              (Paths{"/dev/ttyS0", "/dev/ttyUSB0", "Shared Folder(Trazen Server)",
                     "TCP/IP(PRICOM 3100 FTP)", "TCP/IP(AXIS 5550 LPT)", "TCP/IP(AXIS 5550 USB)"}));
    EXPECT_EQ(PortList({}).size(), 4u);
    // Queues follow the fixed items, so stored positions of the others keep their meaning.
    EXPECT_EQ(PortList({"/dev/ttyS0"}, {"cutter", "plotter"}),
              (Paths{"/dev/ttyS0", "Shared Folder(Trazen Server)", "TCP/IP(PRICOM 3100 FTP)",
                     "TCP/IP(AXIS 5550 LPT)", "TCP/IP(AXIS 5550 USB)", "CUPS: cutter",
                     "CUPS: plotter"}));
}

TEST(ResolveDestination, NameFirstThenPosition) {
    const Paths two = {"/dev/ttyS0", "/dev/ttyUSB0"};
    struct Row {
        const char* name;
        Paths devices;
        int16_t port;
        const char* portName;
        int16_t code;
        std::string path;
        std::string queue = {};
    } rows[] = {
        {"name_second_device_wins_over_port", two, 0, "/dev/ttyUSB0", 1, "/dev/ttyUSB0"},
        {"name_first_device", two, 3, "/dev/ttyS0", 0, "/dev/ttyS0"},
        {"index_past_shared_folder_is_pricom", two, 3, "", kDestPricomFtp, ""},
        {"index_just_past_devices_is_shared_folder", two, 2, "", kDestSharedFolder, ""},
        {"index_lpt", two, 4, "", kDestAxisLpt, ""},
        {"index_usb", two, 5, "", kDestAxisUsb, ""},
        {"index_beyond_everything", two, 9, "", kDestPricomFtp, ""},
        {"index_negative", two, -1, "", kDestPricomFtp, ""},
        {"index_device", two, 1, "", 1, "/dev/ttyUSB0"},
        {"null_name_acts_as_empty", two, 0, nullptr, 0, "/dev/ttyS0"},
        {"label_beats_devices", two, 0, "Shared Folder(Trazen Server)", kDestSharedFolder, ""},
        {"label_usb", two, 0, "TCP/IP(AXIS 5550 USB)", kDestAxisUsb, ""},
        {"label_lpt", {}, 0, "TCP/IP(AXIS 5550 LPT)", kDestAxisLpt, ""},
        {"label_pricom", two, 0, "TCP/IP(PRICOM 3100 FTP)", kDestPricomFtp, ""},
        {"unplugged_device_is_named_not_replaced", two, 1, "/dev/ttyUSB7", kDestMissingDevice,
         "/dev/ttyUSB7"},
        {"name_compares_exactly", two, 0, "/dev/ttys0", kDestMissingDevice, "/dev/ttys0"},
        {"label_prefix_is_no_match", two, 2, "Shared Folder", kDestMissingDevice, "Shared Folder"},
        {"no_devices_index0_shared", {}, 0, "", kDestSharedFolder, ""},
        {"no_devices_index1_pricom", {}, 1, "", kDestPricomFtp, ""},
        {"no_devices_index2_lpt", {}, 2, "", kDestAxisLpt, ""},
        {"no_devices_index3_usb", {}, 3, "", kDestAxisUsb, ""},
        {"queue_by_name_whatever_the_port", two, 1, "CUPS: plotter", kDestPrinterQueue, "",
         "plotter"},
        {"queue_name_kept_whole", {}, 0, "CUPS: CUPS: x", kDestPrinterQueue, "", "CUPS: x"},
        {"bare_queue_prefix_is_no_queue", two, 0, "CUPS: ", kDestMissingDevice, "CUPS: "},
        {"queue_prefix_compares_exactly", two, 0, "cups: plotter", kDestMissingDevice,
         "cups: plotter"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Destination d = ResolveDestination(r.devices, r.port, r.portName);
        EXPECT_EQ(d.code, r.code);
        EXPECT_EQ(d.devicePath, r.path);
        EXPECT_EQ(d.queue, r.queue);
    }
}
