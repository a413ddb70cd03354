#include "reports/ReportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tav::reports {
namespace {

// The process's file-creation mask, read without changing it (umask() can
// only be read by setting it, which would race with other threads).
mode_t CurrentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned int mask = 0;
        bool found = false;
        while (std::fgets(line, sizeof line, status) != nullptr) {
            if (std::sscanf(line, "Umask: %o", &mask) == 1) {
                found = true;
                break;
            }
        }
        std::fclose(status);
        if (found) {
            return static_cast<mode_t>(mask);
        }
    }
    return 022;
}

// Writes every byte; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return ENOSPC;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

std::uint8_t Fail(std::uint8_t code, int err, int* error) {
    if (error != nullptr) {
        *error = err;
    }
    return code;
}

// A device, a pipe, or a name whose symbolic link points nowhere yet: there is
// no old file to protect, so the bytes go straight in.
std::uint8_t WriteDirectly(const std::string& path, std::string_view bytes, int* error) {
    // Non-blocking only for the open, so a pipe with no reader fails at once
    // instead of hanging the program.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        return Fail(kSaveOpenError, errno, error);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    int err = WriteAll(fd, bytes);
    // Devices and pipes cannot be synced; that is no write error.
    if (err == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0 && errno != EINTR) {
        err = errno;
    }
    return err == 0 ? kSaveWritten : Fail(kSaveWriteError, err, error);
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string_view FileExtension(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::string_view last =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = last.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : last.substr(dot);
}

ReportKind ReportKindOf(std::string_view fileName) {
    return FileExtension(fileName).find("htm") != std::string_view::npos ? ReportKind::Html
                                                                         : ReportKind::Text;
}

std::string FinalReportFileName(std::string_view fileName, ReportKind kind) {
    const std::string_view required = kind == ReportKind::Html ? ".htm" : ".txt";
    std::string name(fileName);
    if (fileName.find(required) == std::string_view::npos) {
        name += required;
    }
    return name;
}

bool SkipsOverwriteQuestion(std::string_view fileName) {
    return fileName.find("~tmp.html") != std::string_view::npos;
}

std::uint8_t SaveFileSafely(const std::string& path, std::string_view bytes, int* error) {
    if (path.empty()) {
        return Fail(kSaveOpenError, ENOENT, error);
    }

    // The file that is really replaced: a symbolic link is followed, so the
    // link stays and the file it names gets the new content.
    std::string target = path;
    struct stat old {};
    bool exists = false;
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) {
            if (::stat(path.c_str(), &old) != 0) {
                return WriteDirectly(path, bytes, error);
            }
            const std::unique_ptr<char, decltype(&std::free)> real(
                ::realpath(path.c_str(), nullptr), &std::free);
            if (!real) {
                return Fail(kSaveOpenError, errno, error);
            }
            target = real.get();
        }
        exists = true;
    } else if (errno != ENOENT) {
        return Fail(kSaveOpenError, errno, error);
    }

    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            return Fail(kSaveOpenError, EISDIR, error);
        }
        if (!S_ISREG(old.st_mode)) {
            return WriteDirectly(target, bytes, error);
        }
        // A file the program may not write stays refused, as opening it for
        // writing would be.
        const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (probe < 0) {
            return Fail(kSaveOpenError, errno, error);
        }
        ::close(probe);
    }

    const std::string dir = DirectoryOf(target);
    // A hidden name beside the target; long names are shortened to stay
    // within the file-name limit.
    std::string base = BaseNameOf(target);
    if (base.size() > 200) {
        base.resize(200);
    }
    std::string temp = dir + (dir == "/" ? "" : "/") + "." + base + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return Fail(kSaveOpenError, errno, error);
    }

    auto discard = [&](std::uint8_t code, int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Fail(code, err, error);
    };

    if (exists) {
        // Owner first: changing it clears set-id bits that the mode then
        // restores. Only a privileged user may give a file away; otherwise
        // the new file simply stays ours.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }

    if (const int err = WriteAll(fd, bytes); err != 0) {
        return discard(kSaveWriteError, err);
    }
    if (::fsync(fd) != 0) {
        return discard(kSaveWriteError, errno);
    }
    if (::close(fd) != 0 && errno != EINTR) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Fail(kSaveWriteError, err, error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Fail(err == ENOSPC || err == EDQUOT ? kSaveWriteError : kSaveOpenError, err, error);
    }
    SyncDirectory(dir);
    return kSaveWritten;
}

}  // namespace tav::reports
