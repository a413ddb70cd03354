// The POSIX calls behind the welder's serial port: open with exclusive
// access, raw 9600 8N1 line settings, reads and writes with the time-outs of
// the port, the input queue size, drain and close. Every function reports a
// failure with errno set, so the port can carry the system's reason on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <termios.h>

namespace tav::serial {

// Opens `path` read/write without becoming its controlling terminal,
// non-blocking and close-on-exec, and takes exclusive access (flock, and
// TIOCEXCL against other openers). Returns the descriptor, or -1 with errno;
// a device another program holds gives EBUSY. Nothing stays open on failure.
int OpenExclusive(const std::string& path);

enum class SetupStep {
    Done,
    ReadSettings,   // tcgetattr failed (e.g. ENOTTY: not a terminal)
    ApplySettings,  // tcsetattr failed, or the settings did not take (EINVAL)
    EmptyQueues,    // tcflush failed
};

// Raw mode at 9600 baud, 8 data bits, no parity, one stop bit, receiver on,
// modem lines ignored, no software or hardware flow control (VMIN 1, VTIME 0
// on the non-blocking descriptor: reads never wait in the driver); then both
// queues emptied. `settings` receives the
// applied settings. On failure errno holds the failing call's reason.
SetupStep ConfigureLine(int fd, termios& settings);

// Reads up to `max` bytes. Returns once `max` bytes are in, once more than
// `intervalMs` pass between two received bytes, or at the latest `totalMs`
// after the call, with however many bytes arrived (possibly 0). Returns -1
// with errno on failure; a far side that hung up is EIO at once.
long ReadTimed(int fd, std::uint8_t* buffer, std::size_t max, std::uint32_t intervalMs,
               std::uint32_t totalMs);

// Writes one byte, waiting up to `timeoutMs` for room. Returns 1 when it was
// written, 0 when the line took nothing in time, -1 with errno on failure.
int WriteOne(int fd, std::uint8_t byte, std::uint32_t timeoutMs);

// The number of received bytes in the driver's input queue, or -1 with errno.
long InputQueued(int fd);

// Waits until everything written has gone out. False with errno on failure.
bool DrainOutput(int fd);

// Gives up exclusive access and closes the descriptor, once (a failed close()
// is not retried: the descriptor is released either way). 0, or -1 with errno.
int CloseDevice(int fd);

}  // namespace tav::serial
