#include "link/WelderSearch.h"

#include "link/CommPort.h"

namespace tav::link {
namespace {

enum class PortOutcome { NotOpened, NoWelder, Welder, Failed };

// Closes the port and drops any error of the close: the next open is what
// matters, and a failed close leaves nothing we could still use.
void CloseQuietly(TCommPort& port) {
    try {
        port.Close();
    } catch (...) {
    }
}

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

// The work on one port. Any exception (from the caller's callback, the
// open or the exchanges) ends it; a port left open by it is closed at once
// so that a device that failed mid-exchange is not held.
PortOutcome TryOne(TCommPort& port, RxBuffer& rx, int number, const std::string& name,
                   const SearchCallbacks& callbacks, std::string& typeLine) {
    try {
        if (callbacks.tryingPort) {
            callbacks.tryingPort(number, name);
        }
        CloseQuietly(port);
        port.SetPortName(name);
        port.Open();
        if (!port.IsOpen()) {
            return PortOutcome::NotOpened;
        }
    } catch (...) {
        CloseQuietly(port);
        return PortOutcome::NotOpened;
    }

    try {
        if (callbacks.portOpened) {
            callbacks.portOpened(name);
        }
        if (Identify(port, rx) && ReadTypeLine(port, rx, &typeLine)) {
            return PortOutcome::Welder;
        }
    } catch (...) {
        CloseQuietly(port);
        return PortOutcome::Failed;
    }

    CloseQuietly(port);
    if (callbacks.noWelder) {
        try {
            callbacks.noWelder(name);
        } catch (...) {
        }
    }
    return PortOutcome::NoWelder;
}

// Runs the port work and records it in `result`; true when the pass ends.
bool Visit(TCommPort& port, RxBuffer& rx, int number, const std::string& name,
           const SearchCallbacks& callbacks, SearchResult& result) {
    std::string typeLine;
    const PortOutcome outcome = TryOne(port, rx, number, name, callbacks, typeLine);
    if (outcome != PortOutcome::NotOpened) {
        ++result.portsOpened;
    }
    if (outcome == PortOutcome::Welder) {
        result.welder = FoundWelder{name, WithoutLineEnd(std::move(typeLine))};
        return true;
    }
    return false;
}

bool Aborted(const SearchCallbacks& callbacks) {
    return callbacks.aborted && callbacks.aborted();
}

}  // namespace

std::string SearchPortName(int number) {
    return "COM" + std::to_string(number);
}

SearchResult SearchPass(TCommPort& port, RxBuffer& rx, const SearchCallbacks& callbacks) {
    SearchResult result;
    for (int n = kFirstSearchPort; n <= kLastSearchPort; ++n) {
        if (Aborted(callbacks)) {
            result.aborted = true;
            break;
        }
        if (Visit(port, rx, n, SearchPortName(n), callbacks, result)) {
            break;
        }
    }
    return result;
}

SearchResult SearchPort(TCommPort& port, RxBuffer& rx, const std::string& name,
                        const SearchCallbacks& callbacks) {
    SearchResult result;
    if (Aborted(callbacks)) {
        result.aborted = true;
        return result;
    }
    Visit(port, rx, 0, name, callbacks, result);
    return result;
}

}  // namespace tav::link
