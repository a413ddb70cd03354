#include "platform/SerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Tick.h"

namespace tav::serial {
namespace {

// The port's time-outs are properties of the device, so they run on the real
// monotonic clock, never on a clock a test has sped up.
std::uint32_t DeviceNow() { return SystemClock().Now(); }

constexpr short kLineGone = POLLHUP | POLLERR | POLLNVAL;

constexpr tcflag_t kInputOff = IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                               IXOFF | IXANY | INPCK | IMAXBEL;
constexpr tcflag_t kLocalOff = ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN;
constexpr tcflag_t kControlOff = CSIZE | PARENB | CSTOPB | CRTSCTS;
constexpr tcflag_t kControlOn = CS8 | CLOCAL | CREAD;

// The parts of the settings the link depends on.
bool SettingsTook(const termios& wanted, const termios& got) {
    const tcflag_t controlMask = kControlOff | kControlOn;
    const tcflag_t inputMask = IXON | IXOFF | IXANY | ISTRIP | INLCR | IGNCR | ICRNL;
    const tcflag_t localMask = ICANON | ECHO | ISIG | IEXTEN;
    return cfgetispeed(&got) == cfgetispeed(&wanted) &&
           cfgetospeed(&got) == cfgetospeed(&wanted) &&
           (got.c_cflag & controlMask) == (wanted.c_cflag & controlMask) &&
           (got.c_iflag & inputMask) == (wanted.c_iflag & inputMask) &&
           (got.c_lflag & localMask) == (wanted.c_lflag & localMask) &&
           (got.c_oflag & OPOST) == (wanted.c_oflag & OPOST) &&
           got.c_cc[VMIN] == wanted.c_cc[VMIN] && got.c_cc[VTIME] == wanted.c_cc[VTIME];
}

int PollFor(int fd, short events, std::uint32_t ms, short& revents) {
    pollfd pfd{fd, events, 0};
    const int r = poll(&pfd, 1, static_cast<int>(ms));
    revents = pfd.revents;
    return r;
}

}  // namespace

int OpenExclusive(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        errno = reason;
        return -1;
    }
    // Keeps other (non-root) programs from opening the line while it is
    // ours. A descriptor that is no terminal refuses this; the line settings
    // report that next.
    ioctl(fd, TIOCEXCL);
    return fd;
}

SetupStep ConfigureLine(int fd, termios& settings) {
    if (tcgetattr(fd, &settings) != 0) {
        return SetupStep::ReadSettings;
    }
    settings.c_iflag &= ~kInputOff;
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    settings.c_lflag &= ~kLocalOff;
    settings.c_cflag &= ~kControlOff;
    settings.c_cflag |= kControlOn;
    // With VMIN 0 a terminal's read() returns 0 whenever nothing is waiting,
    // even on a non-blocking descriptor, and 0 could no longer tell an empty
    // queue from a hang-up. VMIN 1 on the non-blocking descriptor never waits
    // in the driver either: an empty queue is EAGAIN and 0 means end of line.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        return SetupStep::ApplySettings;
    }
    // tcsetattr succeeds when any one of the changes took; read back.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) {
        return SetupStep::ApplySettings;
    }
    if (!SettingsTook(settings, applied)) {
        errno = EINVAL;
        return SetupStep::ApplySettings;
    }
    if (tcflush(fd, TCIOFLUSH) != 0) {
        return SetupStep::EmptyQueues;
    }
    return SetupStep::Done;
}

long ReadTimed(int fd, std::uint8_t* buffer, std::size_t max, std::uint32_t intervalMs,
               std::uint32_t totalMs) {
    const std::uint32_t start = DeviceNow();
    std::uint32_t lastByte = start;
    std::size_t count = 0;
    bool lineGone = false;
    while (count < max) {
        const ssize_t n = read(fd, buffer + count, max - count);
        if (n > 0) {
            count += static_cast<std::size_t>(n);
            lastByte = DeviceNow();
            continue;
        }
        if (n == 0) {
            // End of file on a terminal: the far side hung up (an unplugged
            // converter). It stays that way, so report it now.
            errno = EIO;
            return -1;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return -1;
        }
        if (lineGone) {
            errno = EIO;
            return -1;
        }
        const std::uint32_t now = DeviceNow();
        const std::uint32_t elapsed = TicksBetween(start, now);
        if (elapsed >= totalMs) {
            break;
        }
        std::uint32_t wait = totalMs - elapsed;
        if (count > 0) {
            const std::uint32_t gap = TicksBetween(lastByte, now);
            if (gap > intervalMs) {
                break;
            }
            const std::uint32_t untilGapEnds = intervalMs - gap + 1;
            wait = untilGapEnds < wait ? untilGapEnds : wait;
        }
        short revents = 0;
        const int r = PollFor(fd, POLLIN, wait, revents);
        if (r < 0 && errno != EINTR) {
            return -1;
        }
        if (r > 0 && (revents & kLineGone) != 0) {
            // One more read takes what may still be queued or reports the
            // hang-up; if it finds nothing, the line is gone.
            lineGone = true;
        }
    }
    return static_cast<long>(count);
}

int WriteOne(int fd, std::uint8_t byte, std::uint32_t timeoutMs) {
    const std::uint32_t start = DeviceNow();
    bool lineGone = false;
    for (;;) {
        const ssize_t n = write(fd, &byte, 1);
        if (n == 1) {
            return 1;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return -1;
        }
        if (lineGone) {
            errno = EIO;
            return -1;
        }
        const std::uint32_t elapsed = TicksBetween(start, DeviceNow());
        if (elapsed >= timeoutMs) {
            return 0;
        }
        short revents = 0;
        const int r = PollFor(fd, POLLOUT, timeoutMs - elapsed, revents);
        if (r < 0 && errno != EINTR) {
            return -1;
        }
        if (r > 0 && (revents & kLineGone) != 0) {
            lineGone = true;
        }
    }
}

long InputQueued(int fd) {
    int queued = 0;
    if (ioctl(fd, TIOCINQ, &queued) != 0) {
        return -1;
    }
    return queued;
}

bool DrainOutput(int fd) { return tcdrain(fd) == 0; }

int CloseDevice(int fd) {
    ioctl(fd, TIOCNXCL);
    return close(fd);
}

}  // namespace tav::serial
