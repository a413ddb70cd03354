#include "reports/TextReport.h"

#include <string_view>

namespace tav::reports {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kReportWidth = 80;

// The texts that differ between the languages: Polish, English, Czech,
// Romanian (variant 4 uses the English ones).
struct LanguageTexts {
    std::string_view title;
    std::string_view companyLabel;
    std::string_view siteLabel;
};

constexpr std::array<LanguageTexts, 4> kTexts = {{
    {"                         WYKAZ ZGRZEWOW", "Firma:", "Numer budowy:"},
    {"                         FUSION REPORT", "Company name:", "Construction site ID:"},
    {"                         SEZNAM SVARU", "Firma:", "Cislo stavby:"},
    {"                   SPECIFICATIA SUDURILOR", "Compania:", "Numarul constructiei:"},
}};

// The middle three lines of the column header box; the box opens with a line
// of underscores and closes with a line of hyphens.
constexpr std::array<std::string_view, 3> kPolishBox = {
    "|   DATA   |GODZ.|NR| NR |A|PROD|   TYP    |Uzad|Uwyk|Czz|Czw|Sz|Sw|To |REZ |OC|",
    "| ZGRZEWU  |ZGRZ.|OP|ZGRZ|M|KSZT|KSZTALTKI |[V] |[V] |sek|sek|mi|mi|stC|omy |EN|",
    "|          |     |  |    | |    |          |    |    |   |   |  |  |   |    |  |",
};
// Used by the English, Czech and Romanian reports alike.
constexpr std::array<std::string_view, 3> kEnglishBox = {
    "| FUSION   |FUSIO|OP|FUS.|A|PROD|ELECTROFIT|Uset|Uavr|Ts |Te |Cs|Ce|Ta | RES|EV|",
    "|  DATE    |TIME |ER|NR  |M|UCER|-TING TYPE|[V] |[V] |sec|sec|mi|mi|o^C|ohm |AL|",
    "|          |     |  |    | |    |          |    |    |   |   |  |  |   |    |  |",
};

// The legend boxes, between the box rules that open and close them.
constexpr std::string_view kBoxRule =
    "|------------------------------------------------------------------------------|";

constexpr std::array<std::string_view, 21> kPolishLegend = {
    "|LEGENDA                                                                       |",
    kBoxRule,
    "|  +  - zgrzew prawidlowy zaakceptowany klawiszem TAK.                         |",
    "|  -  - brak akceptacji zgrzewu klawiszem.                                     |",
    "|Nr 1 - brak zasilania lub wylaczenie zgrzewarki                               |",
    "|Nr 2 - brak styku w obwodzie grzania.                                         |",
    "|Nr 3 - przerwanie grzania kl. STOP.                                           |",
    "|                                                                              |",
    "|NR/OP - Numer operatora                                                       |",
    "|NR/ZGRZ. - Numer kolejny zgrzewu                                              |",
    "|A/R - Rodzaj nastawy: A-automatyczna(skaner), R-reczna                        |",
    "|PROD/KSZT - Nazwa producenta elektrozlaczki.                                  |",
    "|Uzad - Napiecie zadane przez operatora lub za pomoca skanera.                 |",
    "|Uwyk - Wartosc srednia napiecia podczas zgrzewania.                           |",
    "|Czz  - Wartosc czasu zgrzewania zadanego podczas nastawy.                     |",
    "|Czw  - Rzeczywisty czas (w sekundach) zgrzewania.                             |",
    "|Sz - Wartosc czasu studzenia zadanego podczas nastawy.  [min]                 |",
    "|Sw   - Rzeczywisty czas (w minutach) studzenia.                               |",
    "|To/stC - Temperatura otoczenia w momencie nastawy zgrzewania.                 |",
    "|REZ/omy - Wartosc rezystancji elektrozlaczki. [W Ohmach]                      |",
    "|OC/EN - Ocena zgrzewu przez operatora lub numer bledu.                        |",
};

constexpr std::array<std::string_view, 20> kEnglishLegend = {
    "|LEGEND                                                                        |",
    kBoxRule,
    "|  +  - Fusion correct,  accepted by pressing the OK key.                      |",
    "|  -  - Fusion  not accepted by the user.                                      |",
    "|Nr 1 - No power supply  or device turned off                                  |",
    "|Nr 2 - Output  circuit broken (no fitting)                                    |",
    "|Nr 3 - Fusion  interruped with the STOP key.                                  |",
    "|OPER - Unique operator ID number                                              |",
    "|FUS./NR  - Weld number                                                        |",
    "|A/M - AUTOMATIC/MANUAL fusion parameters setting.                             |",
    "|PRODUCER - Name of the fitting producer.                                      |",
    "|Uset - Voltage set by the operator or by using the scanner.                   |",
    "|Uavr - Average fitting voltage during fusion.                                 |",
    "|Ts   - fusion  time set by the operator or by the scanner.                    |",
    "|Te   - Fusion  time (in seconds) elapsed during fusion.                       |",
    "|Cs - Cooling time set by the operator or by the scanner.[min                  |",
    "|Ce   - Cooling time (in minutes) elapsed during fusion.                       |",
    "|Ta/o^C - Ambient temperature at the time of fusion  setup.[C                  |",
    "|RES/ohm - Resistance of the electrofitting. [Ohm].                            |",
    "|EVAL - Fusion  result evaluation or fusion  error if occured.                 |",
};

constexpr std::array<std::string_view, 20> kCzechLegend = {
    "|LEGENDA                                                                       |",
    kBoxRule,
    "|  +  - spravny svar potvrzeny klavesou OK.                                    |",
    "|  -  - Chybi potvrzeni svaru klavesou.                                        |",
    "|Nr 1 - Chybi proud nebo je svarecka vypnuta                                   |",
    "|Nr 2 - Neni kontakt v topnem obvodu.                                          |",
    "|Nr 3 - Preruseni ohrevu klav. STOP.                                           |",
    "|OPER - Cislo operatora.                                                       |",
    "|FUS./NR  - Porad cislo svaru.                                                 |",
    "|A/M - Druh nastaveni. A-automaticke (skaner), M-rucni.                        |",
    "|PRODUCER - Nazev vyrobce elektrospojky.                                       |",
    "|Uset - Napeti urcene obsluhou nebo s pouzitim ctecky                          |",
    "|Uavr - Prumerna hodnota napeti pri svarovani.                                 |",
    "|Ts  - Delka doby svarovani urcena pri nastaveni.                              |",
    "|Te  - Skutecna doba (v sekundach) svarovani.                                  |",
    "|Cs - Delka doby chlazeni urcena pri nastaveni  [min]                          |",
    "|Ce   - Skutecna doba (v minutach) chlazeni.                                   |",
    "|Ta/o^C - Teplota okoli ve chvili nastaveni svarovani                          |",
    "|RES/ohm - Hodnota rezistence elektrotvarovky [v Ohm].                         |",
    "|EVAL - Hodnoceni svaru obsluhou nebo cislem chyby.                            |",
};

constexpr std::array<std::string_view, 20> kRomanianLegend = {
    "|EXPLICATIE                                                                    |",
    kBoxRule,
    "|  +  - sudura corecta confirmata cu tasta DA.                                 |",
    "|  -  - sudura nu sa confirmat cu tasta                                        |",
    "|Nr 1 - lipsa de alimentare sau deconectarea aparatului de sudura              |",
    "|Nr 2 - lipsa contactului in circuitul de incalzire.                           |",
    "|Nr 3 - intreruperea incalzirii cu tasta STOP.                                 |",
    "|OPER - Numarul operatorului                                                   |",
    "|FUS./NR  - Numarul succesiv a sudurii                                         |",
    "|A/M - Optiune de selectare: A-automatica(scaner), M-manuala                   |",
    "|PRODUCER - Denumirea producatorului de electrofiting.                         |",
    "|Uset - Tensiunea selectata de operator sau cu ajutorul scanerului             |",
    "|Uavr - Valoarea medie a tensiunii in timpul sudurii.                          |",
    "|Ts   - Timpul sudurii selectat de operator sau cu ajutorul scanerului.        |",
    "|Te   - Timpul real (in secunde) de sudare.                                    |",
    "|Cs - Timpul de racire selectat de operator sau cu ajutorul scanerului [min]   |",
    "|Ce   - Timpul real (in minute) de racire.                                     |",
    "|Ta/o^C - Temperatura mediului inconjurator in momentul selectarii sudurii.    |",
    "|RES/ohm - Valoarea rezistentei ohmice a electrofitingului. [In Ohm]           |",
    "|EVAL - Evaluarea sudurii de operator sau numarul erorii.                      |",
};

void Line(std::string& out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

void Line(std::string& out, std::string_view label, std::string_view value) {
    out += label;
    out += value;
    out += kLineEnd;
}

void FilledLine(std::string& out, char c) {
    out.append(kReportWidth, c);
    out += kLineEnd;
}

template <std::size_t N>
void Legend(std::string& out, const std::array<std::string_view, N>& lines) {
    Line(out, kBoxRule);
    for (const std::string_view line : lines) {
        Line(out, line);
    }
    Line(out, kBoxRule);
}

}  // namespace

std::string WriteTextReport(const ReportSnapshot& report) {
    const int variant = ReportVariant(report.Language);
    const int texts = variant == 4 ? 1 : variant;
    const LanguageTexts& t = kTexts[static_cast<std::size_t>(texts)];
    const auto& box = texts == 0 ? kPolishBox : kEnglishBox;
    const records::GridData& grid = report.Rows;
    const int rowCount = grid.RowCount();

    std::string out;
    out.reserve(4096 + static_cast<std::size_t>(rowCount) * (kReportWidth + 2));

    Line(out, t.title);
    Line(out, "");
    Line(out, t.companyLabel, report.CompanyName);
    Line(out, report.TypeLine);
    Line(out, report.DownloadTime);
    Line(out, report.PeriodFrom);
    Line(out, report.PeriodTo);
    Line(out, "");

    // Rows before the first site ID belong to no group and get no heading;
    // every group but one opening at the first row is set off by a separator.
    std::string group;
    for (int r = 1; r < rowCount; ++r) {
        const std::string& site = grid.Cell(0, r);
        if (site != group) {
            if (r != 1) {
                FilledLine(out, '-');
            }
            group = site;
            Line(out, t.siteLabel, group);
            FilledLine(out, '_');
            for (const std::string_view line : box) {
                Line(out, line);
            }
            FilledLine(out, '-');
        }
        for (int c = 1; c < records::kColumnCount; ++c) {
            const std::string& cell = grid.Cell(c, r);
            const std::size_t width = TextColumnWidths[static_cast<std::size_t>(c)];
            out += '|';
            if (cell.size() < width) {
                out.append(width - cell.size(), ' ');
            }
            out += cell;
        }
        out += '|';
        out += kLineEnd;
    }

    switch (texts) {
        case 0:
            Legend(out, kPolishLegend);
            break;
        case 2:
            Legend(out, kCzechLegend);
            break;
        case 3:
            Legend(out, kRomanianLegend);
            break;
        default:
            Legend(out, kEnglishLegend);
            break;
    }
    return out;
}

std::string WriteTextViewCopy(const std::vector<std::string>& lines) {
    std::string out;
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 3;
    }
    out.reserve(size);
    for (const std::string& line : lines) {
        out += line;
        out += " \r\n";
    }
    return out;
}

}  // namespace tav::reports
