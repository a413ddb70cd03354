#include "shell/Settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {
namespace {

// Closes a descriptor once, on every path out.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool Close() {
        if (fd_ < 0) {
            return true;
        }
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

  private:
    int fd_;
};

// Writes all of `size` bytes, going on after a partial write or a signal.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads up to `size` bytes; the number read.
std::size_t ReadAll(int fd, std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace

int ReadSettingsFile(const std::string& path, SettingsRecordBytes& record) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return 1;
    }
    const off_t size = ::lseek(fd.get(), 0, SEEK_END);
    if (size < 0 || ::lseek(fd.get(), 0, SEEK_SET) != 0) {
        return 1;
    }
    if (size != static_cast<off_t>(kSettingsSize)) {
        return 2;
    }
    SettingsRecordBytes bytes{};
    if (ReadAll(fd.get(), bytes.data(), bytes.size()) != bytes.size()) {
        return 2;
    }
    record = bytes;
    return 0;
}

int WriteSettingsFile(const std::string& path, const SettingsRecordBytes& record) {
    // The new contents go to a temporary file beside the old one and replace
    // it by rename only when they are complete on disk.
    const std::string temp = path + ".tmp";
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        return 1;
    }
    bool ok = WriteAll(fd.get(), record.data(), record.size());
    ok = ok && ::fsync(fd.get()) == 0;
    ok = fd.Close() && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return 2;
    }
    return 0;
}

std::uint8_t SettingsLanguage(const SettingsRecordBytes& record) {
    return record[0] == 0 ? 0 : 1;
}

std::string SettingsCompany(const SettingsRecordBytes& record) {
    const auto* begin = record.data() + kCompanyOffset;
    const auto* end = begin + kCompanySize;
    const auto* nul = std::find(begin, end, std::uint8_t{0});
    return std::string(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(nul - begin));
}

void StoreSettings(SettingsRecordBytes& record, std::uint8_t language, std::string_view company) {
    record[0] = language;
    const std::size_t n = std::min(company.size(), kCompanySize);
    std::fill(record.begin() + kCompanyOffset, record.begin() + kCompanyOffset + kCompanySize,
              std::uint8_t{0});
    std::memcpy(record.data() + kCompanyOffset, company.data(), n);
}

}  // namespace tav
