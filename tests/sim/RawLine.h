// The program's end of a simulated serial line, opened with plain POSIX
// calls: write frames, read the welder's bytes back with time limits. Waits
// sleep in poll(), they never spin.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/Tick.h"

namespace tav::simtest {

class RawLine {
public:
    explicit RawLine(const std::string& path) {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0) {
            termios tio{};
            if (tcgetattr(fd_, &tio) == 0) {
                cfmakeraw(&tio);
                tcsetattr(fd_, TCSANOW, &tio);
            }
            tcflush(fd_, TCIOFLUSH);
        }
    }
    ~RawLine() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    RawLine(const RawLine&) = delete;
    RawLine& operator=(const RawLine&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // True once a read saw end-of-file (the far side hung up).
    bool SawEof() const { return eof_; }

    // Writes the bytes as they stand.
    bool SendBytes(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = write(fd_, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            } else {
                pollfd p{fd_, POLLOUT, 0};
                poll(&p, 1, 20);
            }
        }
        return true;
    }
    // A frame: the 24 characters, CR, LF.
    bool Send(std::string_view frame24) { return SendBytes(std::string(frame24) + "\r\n"); }

    // Bytes until `suffix` has arrived (the received bytes end with it), end-of-file, or
    // `limitMs` have passed.
    std::string ReadUntil(std::string_view suffix, int limitMs = 5000) {
        std::string got;
        const std::uint32_t start = SystemClock().Now();
        while (!got.ends_with(suffix) && !eof_) {
            const auto passed = static_cast<int>(TicksBetween(start, SystemClock().Now()));
            if (passed >= limitMs || !ReadSome(got, limitMs - passed)) {
                break;
            }
        }
        return got;
    }

    // Bytes until nothing came for `quietMs`, end-of-file, or `limitMs` passed.
    std::string ReadUntilQuiet(int quietMs, int limitMs = 5000) {
        std::string got;
        const std::uint32_t start = SystemClock().Now();
        while (!eof_ &&
               TicksBetween(start, SystemClock().Now()) < static_cast<std::uint32_t>(limitMs)) {
            if (!ReadSome(got, quietMs)) {
                break;
            }
        }
        return got;
    }

    // Waits up to `waitMs` for bytes and appends what is there; false when
    // nothing came (or end-of-file).
    bool ReadSome(std::string& out, int waitMs) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, waitMs) <= 0) {
            return false;
        }
        char buf[4096];
        const ssize_t n = read(fd_, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, static_cast<std::size_t>(n));
            return true;
        }
        if (n == 0) {
            eof_ = true;
        } else if (errno != EAGAIN && errno != EINTR) {
            eof_ = true;
            readErrno_ = errno;
        }
        return false;
    }
    int ReadErrno() const { return readErrno_; }

private:
    int fd_ = -1;
    bool eof_ = false;
    int readErrno_ = 0;
};

}  // namespace tav::simtest
