// Welder lines for the record-table tests, built from the characters the
// classifier looks at.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include <QByteArray>

namespace tav::test {

// A full record line (79 characters) with every field filled:
// date 2008.03.01, time 14:25, operator 07, fusion 0123, A, maker FRIA,
// fitting "D110 KOLAN", voltages 39.5/39.6, fusion times 100/101, cooling
// 15/14, ambient +20, resistance 1.25, evaluation " +".
inline constexpr std::string_view kRecordLine =
    "|2008.03.01 14:25 07 0123 A FRIA D110 KOLAN 39.5 39.6 100 101 15 14 +20 1.25  +";

// `length` blanks with the given characters placed at their positions.
inline QByteArray Marked(int length, std::initializer_list<std::pair<int, char>> chars) {
    QByteArray line(length, ' ');
    for (const auto& [pos, ch] : chars) {
        line[pos] = ch;
    }
    return line;
}

// kRecordLine with the given characters replaced.
inline QByteArray RecordWith(std::initializer_list<std::pair<int, char>> chars) {
    QByteArray line(kRecordLine.data(), static_cast<qsizetype>(kRecordLine.size()));
    for (const auto& [pos, ch] : chars) {
        line[pos] = ch;
    }
    return line;
}

inline std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace tav::test
