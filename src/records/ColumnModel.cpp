#include "records/ColumnModel.h"

#include <cstddef>

#include "platform/Cp1250.h"

namespace tav::records {
namespace {

using Utf8Row = std::array<const char*, kColumnCount>;

// The texts exactly as the reports and the table show them, including the
// two blanks in "Operator  ID" and the trailing blank in "Nr zgrzewu ".
// clang-format off
constexpr Utf8Row kPolish = {
    "Lokalizacja",
    "Data zgrzewu",
    "Godzina zgrzewu",
    "Nr Operatora",
    "Nr zgrzewu ",
    "A/M",
    "Producent kształtki",
    "Typ kształtki",
    "U zgrz. zadane[V]",
    "U zgrz. wykonane[V]",
    "Czas zgrz. zadany[s]",
    "Czas zgrz. wykonany[s]",
    "Studzenie zadane[min]",
    "Studzenie wykonane[min]",
    "Temp. otoczenia[stC]",
    "Rezystancja kształtki[Ohm]",
    "Ocena zgrzewu",
};

constexpr Utf8Row kEnglish = {
    "Constr.Site ID",
    "Date",
    "Time",
    "Operator  ID",
    "Fusion nr",
    "A/M",
    "Fitting manuf.",
    "Fitting type",
    "Fus. volt. set[V]",
    "Fus. volt. average[V]",
    "Fus. time set[s]",
    "Fus. time elapsed[s]",
    "Cooling time set[min]",
    "Cooling time elapsed[min]",
    "Ambient temp.[C]",
    "Fitting resistance[Ohm]",
    "Fusion eval",
};

constexpr Utf8Row kCzech = {
    "Cislo stavby",
    "Data",
    "Hodina",
    "Cislo operatora",
    "Porad cislo svaru",
    "A/M",
    "Nazev vyrobce elektrospojky",
    "Tvarovka",
    "Napeti urcene obsluhou[V]",
    "Prumerna hodnota napeti[V]",
    "Delka doby svarovani[s]",
    "Skutecna doba svarovani[s]",
    "Delka doby chlazeni[min]",
    "Skutecna doba chlazeni[min]",
    "Teplota okoli[C]",
    "Rezist. elektrot.[Ohm]",
    "Hodnoceni svaru",
};

constexpr Utf8Row kRomanian = {
    "Numarul constructiei",
    "Data",
    "Timp",
    "Numarul operatorului",
    "Num. succes. a sudurii",
    "A/M",
    "Produc. de electrofiting",
    "Electrofiting",
    "Tensiunea selectata[V]",
    "Val. medie a tens.[V]",
    "Timpul sudurii selectat[s]",
    "Timpul real de sudare[s]",
    "Timpul de racire selectat[min]",
    "Timpul real de racire[min]",
    "Temperatura mediului[C]",
    "Valoarea rezistentei[Ohm]",
    "Evaluarea sudurii",
};

// clang-format on

HeadingRow ToCp1250Row(const Utf8Row& texts) {
    HeadingRow row;
    for (std::size_t col = 0; col < row.size(); ++col) {
        row[col] = cp1250::FromUtf8(texts[col]);
    }
    return row;
}

}  // namespace

const std::array<HeadingRow, kHeadingVariantCount>& ColumnHeadings() {
    static const std::array<HeadingRow, kHeadingVariantCount> headings = {
        ToCp1250Row(kPolish),   ToCp1250Row(kEnglish), ToCp1250Row(kCzech),
        ToCp1250Row(kRomanian), ToCp1250Row(kEnglish),
    };
    return headings;
}

std::string CutSlice(std::string_view line, ColumnSlice slice) {
    const auto first = static_cast<std::size_t>(slice.first);
    if (first >= line.size()) {
        return {};
    }
    return std::string(line.substr(first, static_cast<std::size_t>(slice.length)));
}

}  // namespace tav::records
