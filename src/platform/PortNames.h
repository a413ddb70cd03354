// Port names: the program speaks of COM1..COM20 (and the default COM5); on
// Linux each name is resolved to a device path every time a port opens.
//
//  - If the directory named by TAVELIN_PORTS exists, it is the only source of
//    names: "COMn" is the entry COMn in it (a symlink to a device, or the
//    device itself); a missing entry does not exist.
//  - Otherwise COM1..COM20 are the serial devices present, from
//    /sys/class/tty in a stable order: USB converters first (ttyUSB*, then
//    ttyACM*, by number), then UARTs with hardware behind them (ttyS* whose
//    sysfs "type" is not 0), at most 20.
//  - A name that starts with '/' is used as a path.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tav {

// The device path behind `name`, or nothing when no device is behind it.
std::optional<std::string> ResolvePortName(const std::string& name);

// The devices COM1..COM20 map to when TAVELIN_PORTS is not in use, in order.
// `sysClassTty` is the sysfs directory (a parameter so tests can fake it).
std::vector<std::string> ScanSerialDevices(const std::string& sysClassTty = "/sys/class/tty",
                                           const std::string& devDir = "/dev");

}  // namespace tav
