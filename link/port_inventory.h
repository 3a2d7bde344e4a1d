#pragma once
// The serial devices of this computer beside the COM numbers 1..12: which
// COM number opens each, what the system says it is (USB ids, maker,
// product, serial number), whether it is built on a USB-serial chip that
// programming cables use, and whether a running program holds it. The port
// setup window and `vxprog-cli ports` list it; nothing here opens a port.

#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

namespace vx {

// A USB-serial chip programming cables are commonly built on. The rows come
// from link/cable_chips.txt, the list the package's udev rule is made from.
struct CableChip {
    quint16 vendorId;
    quint16 productId;
    const char* name;  // as people know it: "Prolific PL2303"
};
std::span<const CableChip> cable_chips();
// The chip with these USB ids, nullptr when the list does not hold it.
const CableChip* find_cable_chip(quint16 vendorId, quint16 productId);

// One serial device as the system reports it.
struct SerialDevice {
    QString location{};  // its path (/dev/ttyUSB0); its name (COM3) on Windows
    bool usb = false;    // the ids below are known
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString manufacturer{};
    QString description{};
    QString serialNumber{};
};

// The devices the system lists (QSerialPortInfo), or those a test installed.
std::vector<SerialDevice> serialDevices();
using SerialDeviceSource = std::function<std::vector<SerialDevice>()>;
void setSerialDeviceSource(SerialDeviceSource source);  // empty: the system's

// One line of the inventory: a COM number and the device it opens, or a
// device no COM number opens.
struct PortEntry {
    int port = 0;          // the COM number that opens it; 0 when none does
    QString device{};      // what COM n opens (deviceForPort), or the device's path when port is 0
    QString location{};    // the device reached, links followed; empty when absent
    bool linked = false;   // COM n goes through a comN link of the user's
    bool present = false;  // the device exists
    bool usb = false;      // vendorId and productId are known
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString manufacturer{};
    QString description{};
    QString serialNumber{};
    const CableChip* cable = nullptr;  // a likely programming cable
    bool inUse = false;                // a running program's lock file holds it
};

// COM1..COM12 in order, present or absent, each with what is known of the
// device it reaches (a device reached by two COM numbers is on both lines),
// then the listed devices no COM number reaches, by path. A device is the
// same when the paths lead to the same file, so COM n reaches a device
// through a comN link or a /dev/serial/by-id name.
std::vector<PortEntry> port_inventory(const std::vector<SerialDevice>& devices, const QStringList& lockFolders);
// The inventory of this computer, with its lock folders.
std::vector<PortEntry> portInventory();

// Where programs leave the lock files of serial devices they hold open.
QStringList defaultLockFolders();
// True when a lock file LCK..<name> in one of the folders (the name as Qt and
// the UUCP programs make it: the path after /dev/, '/' as '_') names a
// process that is running. A stale lock file or one without a process id
// says nothing.
bool lock_held(const QString& device, const QStringList& lockFolders);

// "067b:2303", or empty without USB ids.
QString usb_ids(const PortEntry& entry);
// What the device is, in words people recognise: the chip of a likely
// cable, the maker and product the device reports, its serial number.
// "WCH CH340: 1a86 / USB2.0-Serial, serial 5A3C"
QString device_name(const PortEntry& entry, bool inChinese);

// The inventory as text, one line an entry. A COM number's line begins as it
// always has ("COM5   /dev/ttyUSB0   table  present"); a present device's
// line goes on with its USB ids, the cable mark, the in-use mark (each "-"
// when it has none) and its name. A device no COM number opens has "-" for
// the COM number and the link column.
QStringList describe_ports(const std::vector<PortEntry>& entries, bool inChinese);

}  // namespace vx
