#include "cli/Export.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "platform/Cp1250.h"
#include "records/ColumnModel.h"

namespace tav::cli {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::array<std::string_view, records::kColumnCount> kJsonFieldNames = {
    "siteId",          "date",          "time",
    "operator",        "fusionNumber",  "mode",
    "fittingManufacturer", "fittingType", "voltageSet",
    "voltageAchieved", "fusionTimeSet", "fusionTimeAchieved",
    "coolingTimeSet",  "coolingTimeAchieved", "ambientTemperature",
    "fittingResistance", "evaluation"};

bool RowIsEmpty(const records::GridRow& row) {
    for (const std::string& cell : row) {
        if (!cell.empty()) {
            return false;
        }
    }
    return true;
}

void AppendUnicodeEscape(std::string& out, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", value);
    out += buffer;
}

}  // namespace

int ExportRowCount(const records::GridData& grid) {
    if (grid.RowCount() == 2 && RowIsEmpty(grid.Row(1))) {
        return 0;
    }
    return grid.RowCount() - 1;
}

std::string CsvField(std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(utf8);
    }
    std::string field = "\"";
    for (const char c : utf8) {
        if (c == '"') {
            field += '"';
        }
        field += c;
    }
    field += '"';
    return field;
}

std::string WriteCsvReport(const reports::ReportSnapshot& report) {
    const int variant = reports::ReportVariant(report.Language);
    const auto& headings = records::ColumnHeadings()[static_cast<std::size_t>(variant)];
    std::string out(kByteOrderMark);
    const auto appendLine = [&out](const records::GridRow& cells) {
        for (std::size_t col = 0; col < cells.size(); ++col) {
            if (col != 0) {
                out += ',';
            }
            out += CsvField(cp1250::ToUtf8(cells[col]));
        }
        out += kCrLf;
    };
    appendLine(headings);
    const int rows = ExportRowCount(report.Rows);
    for (int row = 1; row <= rows; ++row) {
        appendLine(report.Rows.Row(row));
    }
    return out;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(utf8[i]);
        switch (byte) {
            case '"': out += "\\\""; continue;
            case '\\': out += "\\\\"; continue;
            case '\b': out += "\\b"; continue;
            case '\f': out += "\\f"; continue;
            case '\n': out += "\\n"; continue;
            case '\r': out += "\\r"; continue;
            case '\t': out += "\\t"; continue;
            default: break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            AppendUnicodeEscape(out, byte);
        } else if (byte == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<std::uint8_t>(utf8[i + 1]) >= 0x80 &&
                   static_cast<std::uint8_t>(utf8[i + 1]) <= 0x9F) {
            // A C1 control character (U+0080..U+009F).
            AppendUnicodeEscape(out, static_cast<std::uint8_t>(utf8[i + 1]));
            ++i;
        } else {
            out += static_cast<char>(byte);
        }
    }
    out += '"';
    return out;
}

std::string WriteJsonReport(const reports::ReportSnapshot& report) {
    const auto text = [](std::string_view cp1250Bytes) {
        return JsonString(cp1250::ToUtf8(cp1250Bytes));
    };
    std::string out = "{\n";
    out += "  \"company\": " + text(report.CompanyName) + ",\n";
    out += "  \"typeLine\": " + text(report.TypeLine) + ",\n";
    out += "  \"downloadTime\": " + text(report.DownloadTime) + ",\n";
    out += "  \"periodFrom\": " + text(report.PeriodFrom) + ",\n";
    out += "  \"periodTo\": " + text(report.PeriodTo) + ",\n";
    out += "  \"language\": " + std::to_string(reports::ReportVariant(report.Language)) + ",\n";
    out += "  \"records\": [";
    const int rows = ExportRowCount(report.Rows);
    for (int row = 1; row <= rows; ++row) {
        out += row == 1 ? "\n    {" : ",\n    {";
        const records::GridRow& cells = report.Rows.Row(row);
        for (std::size_t col = 0; col < cells.size(); ++col) {
            out += col == 0 ? "" : ", ";
            out += '"';
            out += kJsonFieldNames[col];
            out += "\": ";
            out += text(cells[col]);
        }
        out += '}';
    }
    out += rows == 0 ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

}  // namespace tav::cli
