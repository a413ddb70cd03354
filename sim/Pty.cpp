#include "sim/Pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tav::sim {

PtyPair::PtyPair() {
    char name[256] = {};
    int slave = -1;
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error(std::string("openpty: ") + std::strerror(errno));
    }
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
    }
    slaveKeeper_ = slave;
    slavePath_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slaveKeeper_, F_SETFD, FD_CLOEXEC);
}

PtyPair::~PtyPair() {
    if (!link_.empty()) {
        unlink(link_.c_str());
    }
    HangUp();
    if (slaveKeeper_ >= 0) {
        close(slaveKeeper_);
    }
}

bool PtyPair::Publish(const std::string& linkPath) {
    unlink(linkPath.c_str());
    if (symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
        return false;
    }
    link_ = linkPath;
    return true;
}

void PtyPair::HangUp() {
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

bool PtyPair::WriteAll(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        if (master_ < 0) {
            return false;
        }
        const ssize_t n = write(master_, p, size);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        pollfd pfd{master_, POLLOUT, 0};
        poll(&pfd, 1, 50);
    }
    return true;
}

}  // namespace tav::sim
