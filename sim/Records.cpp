#include "sim/Records.h"

#include <cstdio>
#include <random>

#include "platform/Cp1250.h"

namespace tav::sim {
namespace {

constexpr std::array<const char*, kFieldCount> kFieldNames = {
    "date",
    "time",
    "operator",
    "fusion number",
    "A/M",
    "manufacturer",
    "fitting type",
    "voltage set",
    "voltage achieved",
    "fusion time set",
    "fusion time achieved",
    "cooling set",
    "cooling achieved",
    "ambient temperature",
    "resistance",
    "evaluation",
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool HasControlByte(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

// Days since 1970-01-01 for a civil date, and back (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

DateKey CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const auto year = static_cast<std::uint32_t>(y + (m <= 2 ? 1 : 0));
    return year * 10000U + m * 100U + d;
}

// A site ID for sites beyond the list of names: "S008", "S009", ...
std::string NumberedSite(std::size_t index) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "S%03zu", index % 1000);
    return buf;
}

// Tenths (voltage) or hundredths (resistance) as a decimal number.
std::string Tenths(int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%01d", value / 10, value % 10);
    return buf;
}

std::string Hundredths(int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%02d", value / 100, value % 100);
    return buf;
}

// A small deterministic source over mt19937 (whose output is fixed by the
// standard; the distributions are not, so they are not used).
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    // A number in [lo, hi].
    int Between(int lo, int hi) {
        const auto span = static_cast<std::uint32_t>(hi - lo + 1);
        return lo + static_cast<int>(engine_() % span);
    }
    // True with the given percentage.
    bool Chance(int percent) { return Between(0, 99) < percent; }

private:
    std::mt19937 engine_;
};

}  // namespace

std::optional<DateKey> ParseDotDate(std::string_view date) {
    if (date.size() != 10 || date[4] != '.' || date[7] != '.') {
        return std::nullopt;
    }
    for (const int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(date[static_cast<std::size_t>(i)])) {
            return std::nullopt;
        }
    }
    auto num = [&](std::size_t at, std::size_t len) {
        std::uint32_t v = 0;
        for (std::size_t i = at; i < at + len; ++i) {
            v = v * 10 + static_cast<std::uint32_t>(date[i] - '0');
        }
        return v;
    };
    const std::uint32_t y = num(0, 4);
    const std::uint32_t m = num(5, 2);
    const std::uint32_t d = num(8, 2);
    if (m < 1 || m > 12 || d < 1 || d > 31) {
        return std::nullopt;
    }
    return y * 10000U + m * 100U + d;
}

std::string FormatDotDate(DateKey key) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04u.%02u.%02u", (key / 10000U) % 10000U, (key / 100U) % 100U,
                  key % 100U);
    return buf;
}

RecordStore RecordsInPeriod(const RecordStore& store, DateKey from, DateKey to) {
    RecordStore out;
    for (const FusionRecord& r : store) {
        const auto key = ParseDotDate(r.fields[kDate]);
        if (key && *key >= from && *key <= to) {
            out.push_back(r);
        }
    }
    return out;
}

RecordStore ParseRecordText(std::string_view text, std::string_view name) {
    RecordStore store;
    std::string site;
    std::size_t lineNo = 0;
    const std::string label(name);
    auto fail = [&](const std::string& what) {
        throw RecordFileError(label + ":" + std::to_string(lineNo) + ": " + what);
    };
    while (!text.empty()) {
        ++lineNo;
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        if (trimmed == "site" || trimmed.starts_with("site ")) {
            const std::string_view id = Trim(trimmed.substr(4));
            if (id.size() > kMaxSiteIdLength) {
                fail("site ID is longer than 8 bytes");
            }
            if (HasControlByte(id) || id.find(';') != std::string_view::npos) {
                fail("site ID holds a control byte or ';'");
            }
            site = std::string(id);
            continue;
        }
        FusionRecord record;
        record.siteId = site;
        std::size_t field = 0;
        std::string_view rest = trimmed;
        for (;;) {
            const std::size_t semi = rest.find(';');
            const std::string_view value = Trim(rest.substr(0, semi));
            if (field >= kFieldCount) {
                fail("more than 16 fields");
            }
            if (HasControlByte(value)) {
                fail("field " + std::to_string(field + 1) + " (" + kFieldNames[field] +
                     ") holds a control byte");
            }
            if (value.size() > static_cast<std::size_t>(kFieldSlices[field].width)) {
                fail("field " + std::to_string(field + 1) + " (" + kFieldNames[field] +
                     ") is wider than " + std::to_string(kFieldSlices[field].width) +
                     " characters");
            }
            record.fields[field++] = std::string(value);
            if (semi == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(semi + 1);
        }
        if (field != kFieldCount) {
            fail("a record needs 16 fields separated by ';', found " + std::to_string(field));
        }
        if (!ParseDotDate(record.fields[kDate])) {
            fail("the date is not YYYY.MM.DD");
        }
        store.push_back(std::move(record));
    }
    return store;
}

RecordStore LoadRecordFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw RecordFileError(path + ": cannot be opened");
    }
    std::string text;
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) {
        text.append(buf, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        throw RecordFileError(path + ": read error");
    }
    return ParseRecordText(text, path);
}

std::string FormatRecordText(const RecordStore& store) {
    std::string out = "# Fusion records of the simulated welder\n";
    std::optional<std::string> site;
    for (const FusionRecord& r : store) {
        if (!site || *site != r.siteId) {
            out += r.siteId.empty() ? std::string("site\n") : "site " + r.siteId + "\n";
            site = r.siteId;
        }
        for (std::size_t f = 0; f < kFieldCount; ++f) {
            if (f > 0) {
                out += ';';
            }
            out += r.fields[f];
        }
        out += '\n';
    }
    return out;
}

RecordStore GenerateRecords(const GeneratorOptions& options) {
    // Site IDs as a supervisor types them on the welder: numbers, short
    // codes and town names, some with Polish letters.
    static const std::array<std::string, 8> kSites = {
        "1024", cp1250::FromUtf8("ŁASK"), "B-12", cp1250::FromUtf8("ŻNIN"),
        "0007", cp1250::FromUtf8("KĘTY"), "W-3A", "A113",
    };
    struct Fitting {
        const char* type;   // upper case only: see the note in the header
        int seconds;        // nominal fusion time
        int cooling;        // nominal cooling time
        int ohmHundredths;  // nominal resistance
    };
    static constexpr std::array<Fitting, 9> kFittings = {{
        {"M 32", 40, 5, 312},
        {"M 63", 70, 6, 178},
        {"M 110", 120, 10, 125},
        {"M 160", 190, 15, 98},
        {"K 90", 95, 8, 84},
        {"T 110", 130, 10, 141},
        {"R 110/63", 110, 10, 117},
        {"S 225", 300, 20, 72},
        {"NS 63/32", 60, 6, 205},
    }};
    static constexpr std::array<const char*, 5> kMakers = {"ZKP", "MFX", "ELT", "RDN", "KWT"};

    Dice dice(options.seed);
    RecordStore store;
    const std::size_t n = options.count;
    const std::size_t k = options.sites == 0 ? 1 : options.sites;
    const std::uint32_t days = options.days == 0 ? 1 : options.days;
    const std::int64_t day0 = DaysFromCivil(
        (options.firstDay / 10000U), (options.firstDay / 100U) % 100U, options.firstDay % 100U);
    int lastMinute = -1;
    std::int64_t lastDay = -1;
    for (std::size_t i = 0; i < n; ++i) {
        FusionRecord r;
        const std::size_t siteIndex = i * k / n;
        r.siteId = siteIndex < kSites.size() ? kSites[siteIndex] : NumberedSite(siteIndex);
        // Dates ascending over the range; times ascending within a day.
        const std::int64_t day = day0 + static_cast<std::int64_t>(i * days / n);
        if (day != lastDay) {
            lastDay = day;
            lastMinute = 7 * 60 + dice.Between(0, 45);
        } else {
            lastMinute += dice.Between(8, 35);
            if (lastMinute > 23 * 60 + 59) {
                lastMinute = 23 * 60 + 59;
            }
        }
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", lastMinute / 60, lastMinute % 60);
        const Fitting& fitting = kFittings[static_cast<std::size_t>(
            dice.Between(0, static_cast<int>(kFittings.size()) - 1))];
        const int voltage = dice.Chance(70) ? 395 : 400;  // tenths of a volt
        const int evalRoll = dice.Between(0, 99);
        const char* evaluation = evalRoll < 86   ? "+"
                                 : evalRoll < 91 ? "-"
                                 : evalRoll < 94 ? "1"
                                 : evalRoll < 97 ? "2"
                                                 : "3";
        int achievedSeconds = fitting.seconds;
        int achievedVolts = voltage + dice.Between(-4, 3);
        int achievedCooling = fitting.cooling + (dice.Chance(20) ? dice.Between(1, 5) : 0);
        if (evaluation[0] == '1' || evaluation[0] == '2' || evaluation[0] == '3') {
            achievedSeconds = dice.Between(0, fitting.seconds - 1);
            achievedCooling = 0;
            if (evaluation[0] == '2') {
                achievedVolts = 0;
            }
        }
        r.fields[kDate] = FormatDotDate(CivilFromDays(day));
        r.fields[kTime] = time;
        r.fields[kOperator] = std::to_string(1 + (i / 7 + siteIndex) % 12);
        r.fields[kFusionNumber] = std::to_string(i % 9999 + 1);
        r.fields[kMode] = dice.Chance(80) ? "A" : "M";
        r.fields[kManufacturer] = kMakers[static_cast<std::size_t>(dice.Between(0, 4))];
        r.fields[kFittingType] = fitting.type;
        r.fields[kVoltageSet] = Tenths(voltage);
        r.fields[kVoltageAchieved] = Tenths(achievedVolts);
        r.fields[kFusionTimeSet] = std::to_string(fitting.seconds);
        r.fields[kFusionTimeAchieved] = std::to_string(achievedSeconds);
        r.fields[kCoolingSet] = std::to_string(fitting.cooling);
        r.fields[kCoolingAchieved] = std::to_string(achievedCooling);
        r.fields[kAmbient] = std::to_string(dice.Between(-5, 32));
        r.fields[kResistance] = Hundredths(fitting.ohmHundredths + dice.Between(-6, 6));
        r.fields[kEvaluation] = evaluation;
        store.push_back(std::move(r));
    }
    return store;
}

}  // namespace tav::sim
