#pragma once
// The port list both programs show and resolve: the machine's serial ports, then the four
// pseudo-ports. The stored position (THSrConfig.port) and name (THSrConfig.port_name) must
// designate the same destination in both programs, so both use these functions.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Destination codes: 0 and above a serial port, then the pseudo-ports.
enum DestinationCode : int16_t {
    kDestSharedFolder = -1,
    kDestPricomFtp = -2,
    kDestAxisLpt = -3,
    kDestAxisUsb = -4,
    // A CUPS queue, named by its label in THSrConfig.port_name only: it has no fixed position,
    // so it is not one of kPseudoPorts.
    kDestPrinterQueue = -5,
    // A serial device named in the settings that the machine does not have now (an adapter
    // unplugged): the name is kept so that the plot fails naming it rather than going elsewhere.
    kDestMissingDevice = -6,
};

// What kind of place a destination is, by its code: the window enables that kind's fields and
// the sender picks that kind's delivery, so the two can't disagree. A device the machine does
// not have now is still a serial port (its settings stay editable); a code that designates
// nothing is the network, where such a plot has always gone (the first FTP server).
enum class DestinationKind { SerialPort, SharedFolder, Network, PrinterQueue };
DestinationKind KindOfDestination(int16_t code);

struct PseudoPort {
    const char* label;  // stored in THSrConfig.port_name
    int16_t code;
};
// In port-list order, after the serial ports.
extern const PseudoPort kPseudoPorts[4];

// Serial devices backed by hardware, as /dev paths, naturally sorted (ttyUSB2 before ttyUSB10).
// Scans <sysfsRoot>/class/tty: entries with a device/driver link (and rfcomm*), minus those
// whose `type` file reads 0 (no UART behind a ttyS node).
std::vector<std::string> ScanSerialDevices(const std::string& sysfsRoot = "/sys");

// The devices the programs list: ScanSerialDevices("/sys") unless a test has replaced the
// source. Tests must never open a real device.
std::vector<std::string> SerialDevices();
void SetSerialDeviceSource(std::function<std::vector<std::string>()> source);  // {} restores

// Device paths followed by the four pseudo-port labels.
std::vector<std::string> PortList(const std::vector<std::string>& devices);
// The destination pop-up: PortList(devices), then one queue label per queue. Queues come last
// so that the positions of the devices and the pseudo-ports stay what they were.
std::vector<std::string> PortList(const std::vector<std::string>& devices,
                                  const std::vector<std::string>& queues);

struct Destination {
    int16_t code = kDestPricomFtp;
    std::string devicePath;  // for code >= 0 and kDestMissingDevice
    std::string queue;       // for kDestPrinterQueue
};
// The sender's rule: by name when portName is not empty (devices, then labels), else by
// position (files from before names were stored). A name that matches nothing is a device that
// is not there now (kDestMissingDevice); a position that matches nothing gives the PRICOM FTP
// destination. A queue label resolves by name to its queue whether or not the queue is there
// now: a plot for a vanished queue or device must fail visibly rather than go elsewhere.
Destination ResolveDestination(const std::vector<std::string>& devices, int16_t port,
                               const char* portName);
