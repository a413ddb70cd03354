// A serial line for the link tests: a pseudo-terminal whose slave side is
// published as COM3 in a private TAVELIN_PORTS directory, and small helpers
// to talk on the master side as the welder would.
#pragma once

#include <QTemporaryDir>
#include <QtTest>

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "link/CommPort.h"
#include "platform/Tick.h"
#include "sim/Pty.h"

namespace tav::test {

class PtyLine {
public:
    PtyLine() {
        qputenv("TAVELIN_PORTS", dir.path().toLocal8Bit());
        published = pty.Publish(dir.filePath("COM3").toStdString());
    }
    ~PtyLine() { qunsetenv("TAVELIN_PORTS"); }
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Sends bytes from the welder's side.
    bool Send(const std::string& bytes) { return pty.WriteAll(bytes.data(), bytes.size()); }

    // What arrived at the welder's side: reads until `count` bytes are in or
    // `timeoutMs` pass without a byte.
    std::string Receive(std::size_t count, int timeoutMs = 1000) {
        std::string got;
        while (got.size() < count) {
            pollfd pfd{pty.Master(), POLLIN, 0};
            if (poll(&pfd, 1, timeoutMs) <= 0) {
                break;
            }
            char buf[4096];
            const ssize_t n = read(pty.Master(), buf, sizeof buf);
            if (n <= 0 && errno != EAGAIN) {
                break;
            }
            if (n > 0) {
                got.append(buf, static_cast<std::size_t>(n));
            }
        }
        return got;
    }

    QTemporaryDir dir;
    tav::sim::PtyPair pty;
    bool published = false;
};

// Opens COM3 of the line.
inline void OpenCom3(TCommPort& port) {
    port.SetPortName("COM3");
    port.Open();
}

// Waits (bounded) until the port's input queue holds `count` bytes; the
// kernel moves bytes from the master to the slave's queue a moment after
// they are written.
inline bool WaitQueued(TCommPort& port, unsigned count) {
    const std::uint32_t start = SystemClock().Now();
    while (port.BytesWaiting() < count) {
        if (TicksBetween(start, SystemClock().Now()) > 2000) {
            return false;
        }
        SystemClock().Sleep(1);
    }
    return true;
}

}  // namespace tav::test
