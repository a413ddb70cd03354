// Finding the welder: one pass over the ports COM1..COM20 (or over one named
// port). On each port: close whatever is open, open the port, send the
// identify frame and, when the device answers "ZGRZ", ask for its type line.
// The first port whose device sends its type line ends the pass and stays
// open as the welder link; every other port is closed again.
//
// The pass knows nothing of windows. The caller follows it through callbacks:
// the port about to be tried (the search window's "COMn?" and the place where
// the user can stop the search), a port that opened, a port that opened but
// had no welder behind it, and an abort check made before each port.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "link/Exchange.h"

class TCommPort;

namespace tav::link {

// The port numbers one pass tries, in this order.
inline constexpr int kFirstSearchPort = 1;
inline constexpr int kLastSearchPort = 20;

// "COM" followed by `number` in decimal.
std::string SearchPortName(int number);

struct SearchCallbacks {
    // Before anything is done on a port: its number (0 for a port given by
    // name) and name. An exception thrown here skips the port.
    std::function<void(int number, const std::string& name)> tryingPort;
    // The port opened; the exchanges come next.
    std::function<void(const std::string& name)> portOpened;
    // The port opened but no welder identified itself and sent its type
    // line; the port has been closed again.
    std::function<void(const std::string& name)> noWelder;
    // Asked before each port; true stops the pass there.
    std::function<bool()> aborted;
};

struct FoundWelder {
    std::string portName;
    // The welder's type line without its line end (at most 32 bytes were
    // kept of it, the line end included).
    std::string typeLine;
};

struct SearchResult {
    // The welder, when one answered; the port is then left open on it.
    std::optional<FoundWelder> welder;
    // The abort check stopped the pass before its last port.
    bool aborted = false;
    // How many ports opened during the pass.
    int portsOpened = 0;
};

// One pass over COM1..COM20. Ports that do not exist or cannot be opened are
// skipped silently; an error on a port (a hang-up, a failing read) ends the
// work on that port, which is closed, and the pass goes on with the next.
SearchResult SearchPass(TCommPort& port, RxBuffer& rx, const SearchCallbacks& callbacks = {});

// The same work on the one port `name` ("COM3", or a path starting with '/').
SearchResult SearchPort(TCommPort& port, RxBuffer& rx, const std::string& name,
                        const SearchCallbacks& callbacks = {});

}  // namespace tav::link
