// The small table the expected report files in tests/data/reports/ were built
// for (make_goldens.py holds the same values), and helpers to compare bytes
// with those files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <sys/mount.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp1250.h"
#include "records/GridData.h"
#include "reports/ReportSnapshot.h"

namespace tav::test {

// Three sites: none (first row), "0001" twice, and a name with '<' and '&';
// Polish letters in the company name and in one fitting type; a fitting type
// wider than its text box; an empty ambient temperature.
inline void FillReportFixture(records::GridData& grid) {
    const std::vector<std::vector<const char*>> rows = {
        {"", "2024.03.01", "08:15", "1", "0001", "A", "FRI", "d32 mufa", "39.5", "39.4", "60", "61",
         "6", "6", "12", "1.2", "+"},
        {"0001", "2024.03.02", "09:40", "12", "0002", "M", "P&M", "Trójnik 63", "40.0", "39.8",
         "120", "118", "10", "10", "-5", "0.85", "-"},
        {"0001", "2024.03.02", "10:05", "12", "0003", "A", "PLA", "ELEKTROMUFA12", "39.5", "39.6",
         "90", "45", "8", "0", "", "2.10", "3"},
        {"Hala <2> & Co", "2024.03.04", "13:30", "7", "0004", "M", "A<B", "kolano 90", "39.5",
         "39.5", "75", "75", "7", "7", "21", "1.05", "1"},
    };
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            grid.SetCell(static_cast<int>(c), static_cast<int>(r) + 1,
                         cp1250::FromUtf8(rows[r][c]));
        }
    }
}

inline reports::ReportSnapshot FixtureSnapshot(const records::GridData& grid, int language) {
    return reports::ReportSnapshot{
        .Rows = grid,
        .CompanyName = cp1250::FromUtf8("Zakład Instalacji Wodnych Łódź & Syn"),
        .TypeLine = "Zgrzewarka ZT-400 <v1.3>",
        .DownloadTime = "Data wydruku: 2024.03.05 14:22",
        .PeriodFrom = "Wydruk od: 2024.03.01",
        .PeriodTo = "Wydruk do: 2024.03.05",
        .Language = language,
    };
}

inline const std::vector<std::string> kFixtureTextView = {
    cp1250::FromUtf8("Wykaz zgrzewów"), "", cp1250::FromUtf8("  Nr 1  +  zgrzew prawidłowy")};

// A small tmpfs of our own, gone again when the test ends. Needs the right
// to mount (root in the test machines); tests skip without it.
class ScratchFileSystem {
  public:
    explicit ScratchFileSystem(const QString& path) : path_(path.toStdString()) {}
    ~ScratchFileSystem() {
        if (mounted_) {
            ::umount2(path_.c_str(), MNT_DETACH);
        }
    }
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool Mount(const char* options) {
        mounted_ =
            ::mount("tavelin-test", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options) == 0;
        return mounted_;
    }
    bool MakeReadOnly() {
        return ::mount(nullptr, path_.c_str(), nullptr,
                       MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

  private:
    std::string path_;
    bool mounted_ = false;
};

inline QString DataPath(const QString& name) {
    return QStringLiteral(TAVELIN_TEST_DATA "/reports/") + name;
}

inline std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Where two documents first part: "line N: expected ... got ..." with CR,
// LF and tabs made visible; empty when they are equal.
inline QString FirstDifference(std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return {};
    }
    auto lineAt = [](std::string_view text, std::size_t from) {
        const std::size_t end = text.find('\n', from);
        return text.substr(from,
                           end == std::string_view::npos ? text.size() - from : end + 1 - from);
    };
    auto visible = [](std::string_view line) {
        std::string shown = cp1250::ToUtf8(line);
        std::string out;
        for (const char c : shown) {
            if (c == '\r') {
                out += "\\r";
            } else if (c == '\n') {
                out += "\\n";
            } else if (c == '\t') {
                out += "\\t";
            } else {
                out += c;
            }
        }
        return QString::fromStdString("\"" + out + "\"");
    };
    std::size_t pos = 0;
    int line = 1;
    while (pos < expected.size() && pos < actual.size()) {
        const std::string_view e = lineAt(expected, pos);
        const std::string_view a = lineAt(actual, pos);
        if (e != a) {
            break;
        }
        pos += e.size();
        ++line;
    }
    return QStringLiteral("line %1: expected %2, got %3")
        .arg(line)
        .arg(pos < expected.size() ? visible(lineAt(expected, pos)) : QStringLiteral("<end>"))
        .arg(pos < actual.size() ? visible(lineAt(actual, pos)) : QStringLiteral("<end>"));
}

}  // namespace tav::test

// Fails the test with the first differing line when the bytes differ.
#define TAV_COMPARE_BYTES(actual, expected)                                               \
    do {                                                                                  \
        const QString tavDifference = ::tav::test::FirstDifference((expected), (actual)); \
        if (!tavDifference.isEmpty()) {                                                   \
            QFAIL(qPrintable(tavDifference));                                             \
        }                                                                                 \
    } while (false)
