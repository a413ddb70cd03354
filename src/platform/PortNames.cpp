#include "platform/PortNames.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace tav {
namespace {

constexpr int kMaxPorts = 20;

// The number after `prefix` in `name` ("ttyUSB3" → 3), or -1 when the rest
// is not a plain decimal number.
long NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    long value = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (c < '0' || c > '9' || value > 100000000L) {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The port number 1..20 of "COMn", or 0.
int ComNumber(const std::string& name) {
    const long n = NumberAfter(name, "COM");
    return n >= 1 && n <= kMaxPorts && name[3] != '0' ? static_cast<int>(n) : 0;
}

// A UART the kernel registers without hardware behind it reports type 0.
bool UartPresent(const std::filesystem::path& sysEntry) {
    std::ifstream in(sysEntry / "type");
    long type = 0;
    if (!(in >> type)) {
        return false;
    }
    return type != 0;
}

}  // namespace

std::optional<std::string> ResolvePortName(const std::string& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.front() == '/') {
        return name;
    }
    const char* pinned = std::getenv("TAVELIN_PORTS");
    std::error_code ec;
    if (pinned != nullptr && *pinned != '\0' && std::filesystem::is_directory(pinned, ec)) {
        // Only plain entry names; nothing outside the directory is reachable.
        if (name.find('/') != std::string::npos || name == "." || name == "..") {
            return std::nullopt;
        }
        const std::string entry = std::string(pinned) + "/" + name;
        struct stat st {};
        if (lstat(entry.c_str(), &st) != 0) {
            return std::nullopt;
        }
        return entry;
    }
    const int number = ComNumber(name);
    if (number == 0) {
        return std::nullopt;
    }
    const std::vector<std::string> devices = ScanSerialDevices();
    if (static_cast<std::size_t>(number) > devices.size()) {
        return std::nullopt;
    }
    return devices[static_cast<std::size_t>(number) - 1];
}

std::vector<std::string> ScanSerialDevices(const std::string& sysClassTty,
                                           const std::string& devDir) {
    std::vector<std::pair<long, std::string>> usb;
    std::vector<std::pair<long, std::string>> acm;
    std::vector<std::pair<long, std::string>> uart;
    std::error_code ec;
    std::filesystem::directory_iterator it(sysClassTty, ec);
    if (ec) {
        return {};
    }
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        const std::string name = it->path().filename().string();
        long n = -1;
        if ((n = NumberAfter(name, "ttyUSB")) >= 0) {
            usb.emplace_back(n, name);
        } else if ((n = NumberAfter(name, "ttyACM")) >= 0) {
            acm.emplace_back(n, name);
        } else if ((n = NumberAfter(name, "ttyS")) >= 0 && UartPresent(it->path())) {
            uart.emplace_back(n, name);
        }
    }
    std::vector<std::string> devices;
    for (auto* group : {&usb, &acm, &uart}) {
        std::sort(group->begin(), group->end());
        for (const auto& [number, name] : *group) {
            if (devices.size() == static_cast<std::size_t>(kMaxPorts)) {
                return devices;
            }
            devices.push_back(devDir + "/" + name);
        }
    }
    return devices;
}

}  // namespace tav
