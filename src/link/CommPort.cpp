#include "link/CommPort.h"

#include <cerrno>
#include <optional>

#include "platform/PortNames.h"
#include "platform/SerialDevice.h"

namespace {

// Read time-outs of the port: a read ends once more than 15 ms pass between
// two bytes, and at the latest after 1 ms per requested byte plus 250 ms.
// A one-byte write gives up after 251 ms.
constexpr std::uint32_t kReadIntervalMs = 15;
constexpr std::uint32_t kReadPerByteMs = 1;
constexpr std::uint32_t kReadConstantMs = 250;
constexpr std::uint32_t kWriteTimeoutMs = 1 * kReadPerByteMs + 250;

[[noreturn]] void Fail(std::uint8_t code, int reason) {
    throw ECommError{code, static_cast<std::uint32_t>(reason)};
}

std::uint32_t TotalReadMs(unsigned max) {
    const std::uint64_t total = std::uint64_t{max} * kReadPerByteMs + kReadConstantMs;
    return total > 0x7FFFFFFFU ? 0x7FFFFFFFU : static_cast<std::uint32_t>(total);
}

}  // namespace

TCommPort::TCommPort() {
    // The line settings every port is opened with; the rest comes from the
    // device at Open.
    Dcb.c_cflag = CS8 | CLOCAL | CREAD;
    cfsetispeed(&Dcb, B9600);
    cfsetospeed(&Dcb, B9600);
}

TCommPort::~TCommPort() {
    try {
        Close();
    } catch (const ECommError&) {
        // Nothing to report to from here; the descriptor is released anyway.
    }
}

void TCommPort::SetPortName(const std::string& name) {
    if (Opened) {
        Fail(6, 0);
    }
    PortName = name;
}

void TCommPort::Open() {
    if (Opened) {
        return;
    }
    const std::optional<std::string> path = tav::ResolvePortName(PortName);
    if (!path) {
        Fail(8, ENOENT);
    }
    const int fd = tav::serial::OpenExclusive(*path);
    if (fd < 0) {
        Fail(8, errno);
    }
    const tav::serial::SetupStep step = tav::serial::ConfigureLine(fd, Dcb);
    if (step != tav::serial::SetupStep::Done) {
        // The reason of the failing call, not of the close that follows.
        const int reason = errno;
        tav::serial::CloseDevice(fd);
        switch (step) {
            case tav::serial::SetupStep::ReadSettings:
                Fail(14, reason);
            case tav::serial::SetupStep::ApplySettings:
                Fail(15, reason);
            default:
                Fail(16, reason);
        }
    }
    Handle = fd;
    Opened = true;
}

void TCommPort::Close() {
    if (!Opened) {
        return;
    }
    const int fd = Handle;
    // close() releases the descriptor even when it reports an error, and the
    // number may be handed out again at once; the port must never touch it
    // again, so it counts as closed either way.
    Handle = -1;
    Opened = false;
    if (tav::serial::CloseDevice(fd) != 0) {
        Fail(11, errno);
    }
}

void TCommPort::WriteByte(std::uint8_t byte) {
    if (!Opened) {
        Fail(7, 0);
    }
    if (tav::serial::WriteOne(Handle, byte, kWriteTimeoutMs) < 0) {
        Fail(9, errno);
    }
}

void TCommPort::WriteBuffer(const std::uint8_t* data, unsigned count) {
    if (!Opened) {
        Fail(7, 0);
    }
    for (unsigned i = 0; i < count; ++i) {
        WriteByte(data[i]);
    }
    Flush();
}

unsigned TCommPort::ReadBuffer(std::uint8_t* buffer, unsigned max) {
    if (!Opened) {
        Fail(7, 0);
    }
    if (max == 0) {
        return 0;
    }
    const long got = tav::serial::ReadTimed(Handle, buffer, max, kReadIntervalMs, TotalReadMs(max));
    if (got < 0) {
        Fail(10, errno);
    }
    const auto count = static_cast<unsigned>(got);
    if (count < max) {
        buffer[count] = 0;
    }
    return count;
}

bool TCommPort::ReadByte(std::uint8_t& byte) {
    if (!Opened) {
        Fail(7, 0);
    }
    std::uint8_t received = 0;
    const long got = tav::serial::ReadTimed(Handle, &received, 1, kReadIntervalMs, TotalReadMs(1));
    if (got < 0) {
        Fail(10, errno);
    }
    if (got == 0) {
        return false;
    }
    byte = received;
    return true;
}

unsigned TCommPort::BytesWaiting() {
    if (!Opened) {
        Fail(7, 0);
    }
    const long queued = tav::serial::InputQueued(Handle);
    if (queued < 0) {
        Fail(18, errno);
    }
    return static_cast<unsigned>(queued);
}

bool TCommPort::Flush() {
    if (!Opened) {
        Fail(7, 0);
    }
    return tav::serial::DrainOutput(Handle);
}
