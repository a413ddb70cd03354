// config.cfg: any file through the reader and the record's fields, and every
// record through a write and a read back.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "FuzzTargets.h"
#include "shell/Settings.h"

namespace tav::fuzz {
namespace {

// A folder in memory where there is one: the fuzzer writes thousands of
// files a second.
std::string ScratchPath() {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/tavelin_fuzz_config_" + std::to_string(getpid()) + ".cfg";
}

bool WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool ok = size == 0 || ::write(fd, data, size) == static_cast<ssize_t>(size);
    return ::close(fd) == 0 && ok;
}

void CheckFields(const SettingsRecordBytes& record) {
    const std::uint8_t language = SettingsLanguage(record);
    FUZZ_CHECK(language == (record[0] == 0 ? 0 : 1));
    const std::string company = SettingsCompany(record);
    FUZZ_CHECK(company.size() <= kCompanySize);
    FUZZ_CHECK(company.find('\0') == std::string::npos);

    // Storing what was read changes nothing but the language byte and the
    // padding after the name.
    SettingsRecordBytes stored = record;
    StoreSettings(stored, language, company);
    FUZZ_CHECK(SettingsCompany(stored) == company);
    FUZZ_CHECK(std::equal(record.begin() + 1, record.begin() + kCompanyOffset, stored.begin() + 1));
    FUZZ_CHECK(std::equal(record.begin() + kCompanyOffset + kCompanySize, record.end(),
                          stored.begin() + kCompanyOffset + kCompanySize));
}

}  // namespace

void SettingsCodec(const std::uint8_t* data, std::size_t size) {
    static const std::string path = ScratchPath();
    FUZZ_CHECK(WriteRaw(path, data, size));

    SettingsRecordBytes record{};
    record.fill(0xA5);
    const SettingsRecordBytes untouched = record;
    const int result = ReadSettingsFile(path, record);
    if (size != kSettingsSize) {
        FUZZ_CHECK(result == 2);
        FUZZ_CHECK(record == untouched);
        // The bytes as a company name typed by the user.
        const std::string_view name(reinterpret_cast<const char*>(data), size);
        StoreSettings(record, size > 0 ? data[0] : 0, name);
        const std::string_view expected = name.substr(0, std::min(name.find('\0'), kCompanySize));
        FUZZ_CHECK(SettingsCompany(record) == expected);
    } else {
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(std::equal(record.begin(), record.end(), data));
    }
    CheckFields(record);

    FUZZ_CHECK(WriteSettingsFile(path, record) == 0);
    SettingsRecordBytes back{};
    FUZZ_CHECK(ReadSettingsFile(path, back) == 0);
    FUZZ_CHECK(back == record);
    ::unlink(path.c_str());
}

}  // namespace tav::fuzz
