#pragma once
// How port numbers COM1..COM12 map to serial devices on this platform.
//
//   Windows  COMn
//   Linux    a link named comN in the per-user runtime folder
//            (<runtime>/vxprog/comN) if present, otherwise the fixed table
//            COM1-4 /dev/ttyS0-3, COM5-8 /dev/ttyUSB0-3, COM9-12 /dev/ttyACM0-3
//   macOS    a comN link as on Linux, otherwise the n-th /dev/cu.* device
//            other than Bluetooth ports, by name

#include <QString>

namespace vx {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 12;

// The device COM n opens (empty when n is outside 1..12).
QString deviceForPort(int n);
// The device of the fixed table, ignoring any per-user link.
QString defaultDeviceForPort(int n);
// The per-user folder holding comN links (created on demand by the emulator
// and by the user; the application never writes to it).
QString portLinkFolder();
QString portLinkPath(int n);

}  // namespace vx
