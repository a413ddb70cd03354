#include "reports/HtmlReport.h"

#include <optional>

#include "platform/Cp1250.h"

namespace tav::reports {
namespace {

using cp1250::FromUtf8;

constexpr std::string_view kLineEnd = "\r\n";
// Lines up to the closing block go out as the text, one blank and the line end.
constexpr std::string_view kBlankLineEnd = " \r\n";

// The texts that differ between the languages; the four entries are Polish,
// English, Czech and Romanian (variant 4 uses the English ones).
struct LanguageTexts {
    std::string title;
    std::string companyLabel;
    std::string siteLabel;
    std::array<std::string, 8> legend;
};

const std::array<LanguageTexts, 4>& Texts() {
    static const std::array<LanguageTexts, 4> texts = {{
        {"<p align=center>RAPORT ZGRZEWANIA</p>",
         "Firma: <nazwafirmy>",
         "<b style=\"color: blue\">Lokalizacja: <lokaliz>",
         {
             "<b>LEGENDA:</b><br/>",
             "<b>A/M</b> - Rodzaj nastawy: A-automatyczna(skaner), M-manualna.<br/><br/>",
             "<b>Symbol oceny zgrzewu:</b><br/>",
             FromUtf8("<b>+</b>  zgrzew prawidłowy zaakceptowany klawiszem TAK.<br/>"),
             "<b>-</b>   brak akceptacji zgrzewu klawiszem.<br/>",
             FromUtf8("<b>Nr 1</b>  brak zasilania lub wyłączenie zgrzewarki.<br/>"),
             "<b>Nr 2</b>  brak styku w obwodzie zgrzewania.<br/>",
             "<b>Nr 3</b>  przerwanie zgrzewania klawiszem STOP.<br/>",
         }},
        {"<p align=center>FUSION REPORT</p>",
         "Company: <nazwafirmy>",
         "<b style=\"color: blue\">Construction site ID: <lokaliz>",
         {
             "<b>LEGEND:</b><br/>",
             "<b>A/M</b> - AUTOMATIC/MANUAL fusion parameters setting<br/><br/>",
             "<b>Fusion evaluation codes:</b><br/>",
             "<b>+</b>  Fusion correct,  accepted by pressing the OK key<br/>",
             "<b>-</b>   Fusion  not accepted by the user<br/>",
             "<b>Nr 1</b>  No power supply  or device turned off<br/>",
             "<b>Nr 2</b>  Output  circuit broken (no fitting)<br/>",
             "<b>Nr 3</b>  Fusion  interruped by the operator with the STOP key<br/>",
         }},
        {"<p align=center>SEZNAM SVARU</p>",
         "Firma: <nazwafirmy>",
         "<b style=\"color: blue\">Cislo stavby: <lokaliz>",
         {
             "<b>LEGENDA:</b><br/>",
             "<b>A/M</b> - Druh nastaveni. A-automaticke (skaner), M-rucni<br/><br/>",
             "<b>Hodnoceni svaru:</b><br/>",
             "<b>+</b>  spravny svar potvrzeny klavesou OK<br/>",
             "<b>-</b>   Chybi potvrzeni svaru klavesou<br/>",
             "<b>Nr 1</b>  Chybi proud nebo je svarecka vypnuta<br/>",
             "<b>Nr 2</b>  Neni kontakt v topnem obvodu<br/>",
             "<b>Nr 3</b>  Preruseni ohrevu klav. STOP<br/>",
         }},
        {"<p align=center>SPECIFICATIA SUDURILOR</p>",
         "Compania: <nazwafirmy>",
         "<b style=\"color: blue\">Numarul constructiei: <lokaliz>",
         {
             "<b>EXPLICATIE:</b><br/>",
             "<b>A/M</b> - Optiune de selectare: A-automatica(scaner), M-manuala<br/><br/>",
             "<b>Evaluarea sudurii:</b><br/>",
             "<b>+</b>  sudura corecta confirmata cu tasta OK<br/>",
             "<b>-</b>   sudura nu sa confirmat cu tasta <br/>",
             "<b>Nr 1</b>  lipsa de alimentare sau deconectarea aparatului de sudura <br/>",
             "<b>Nr 2</b>  lipsa contactului in circuitul de incalzire<br/>",
             "<b>Nr 3</b>  intreruperea incalzirii cu tasta STOP<br/>",
         }},
    }};
    return texts;
}

// The head: document type, meta line, title and style sheet. The meta line
// names windows-1250, the encoding the bytes are really in.
const std::array<std::string, 33>& Head() {
    static const std::array<std::string, 33> head = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//Dth HTML 4.01 Transitional//EN\">",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\" />",
        "<html>",
        "<head>",
        "<title>Raport zgrzewania</title>",
        "</head>",
        "<body>",
        "<style>",
        "p { color: black;",
        "    font-size: 23;",
        "\t\tbackground-color: yellow;",
        "}",
        "TABLE {",
        "    border-collapse : collapse;",
        "    table_layout: fixed;",
        "\t\tborder          : solid 2px blue;",
        "}",
        "TD {",
        "    border      : solid 1px blue;",
        "    padding     : 5px;",
        "\t\ttext-align  : center;",
        "}",
        "TH {",
        "    border      : solid 1px black;",
        "    color       : white;",
        "    background  : blue;",
        "    font-size   : 15;",
        "    font-weight : bolder;",
        "    padding     : 1px;",
        "\t\ttext-align  : center;",
        "}",
        "</style>",
        FromUtf8(
            "<!--------------------------------- TYTUł  ------------------------------------>"),
    };
    return head;
}

constexpr std::array<std::string_view, 9> kTableStart = {
    "<table table-layout: fixed>",
    "<!",
    "<colgroup span=\"1\" align=\"left\">",
    "<colgroup span=\"1\" align=\"center\">",
    "<colgroup span=\"2\" align=\"right\">",
    "<colgroup span=\"1\" align=\"center\">",
    "<colgroup span=\"2\" align=\"left\">",
    "<colgroup span=\"8\" align=\"right\">",
    "<colgroup span=\"1\" align=\"center\">",
};

constexpr std::string_view kRowSeparator =
    "<!--------------------------------------------------------------------------->";

constexpr std::array<std::string_view, 3> kClosingStart = {
    "<! ============================ KONIEC ============================================== >",
    "<lokaliz></lokaliz>     <! musi byc dla celow algorytmu wyszukiwania>",
    "<td style=\"color: black; text-align  : left\" colspan=\"16\">",
};

constexpr std::array<std::string_view, 4> kClosingEnd = {"</td>", "</table>", "</body>", "</html>"};

void AppendEscaped(std::string& out, std::string_view value) {
    for (const char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
                break;
        }
    }
}

// One line of fixed text.
void Line(std::string& out, std::string_view text) {
    out += text;
    out += kBlankLineEnd;
}

// One line: fixed text, an escaped value, fixed text.
void ValueLine(std::string& out, std::string_view before, std::string_view value,
               std::string_view after) {
    out += before;
    AppendEscaped(out, value);
    out += after;
    out += kBlankLineEnd;
}

}  // namespace

const HtmlHeadingTable& HtmlColumnHeadings() {
    static const HtmlHeadingTable table = [] {
        const std::array<std::string, kHtmlHeadingLines> english = {
            "<th>Fusion date</th>",
            "<th>Fusion time</th>",
            "<th>Operator ID</th>",
            "<th>Fusion number</th>",
            "<th>A/M</th>",
            "<th>Fitting manufacturer</th>",
            "<th>Fitting type</th>",
            "<th>Fusion voltage set[V]</th>",
            "<th>Fusion voltage average[V]</th>",
            "<th>Fusion time set[s]</th>",
            "<th>Fusion time elapsed[s]</th>",
            "<th>Cooling time set[min]</th>",
            "<th>Cooling time elapsed[min]</th>",
            "<th>Ambient temperatre[C]</th>",
            "<th>Fitting<br/>resistance[Ohm]</th>",
            "<th>Fusion evaluation</th>",
            "</tr>",
        };
        return HtmlHeadingTable{{
            {
                "<th>Data zgrzewu</th>",
                "<th>Godzina zgrzewu</th>",
                "<th>Nr Operatora</th>",
                "<th>Nr zgrzewu </th>",
                "<th>A/M</th>",
                FromUtf8("<th>Producent kształtki</th>"),
                FromUtf8("<th>Typ kształtki</th>"),
                "<th>U zgrz. zadane[V]</th>",
                "<th>U zgrz. wykonane[V]</th>",
                "<th>Czas zgrz. zadany[s]</th>",
                "<th>Czas zgrz. wykonany[s]</th>",
                "<th>Studzenie zadane[min]</th>",
                "<th>Studzenie wykonane[min]</th>",
                "<th>Temp. otoczenia[stC]</th>",
                FromUtf8("<th>Rezystancja<br/>kształtki[Ohm]</th>"),
                "<th>Ocena zgrzewu</th>",
                "</tr>",
            },
            english,
            {
                "<th>Data</th>",
                "<th>Hodina</th>",
                "<th>Cislo operatora</th>",
                "<th>Porad cislo svaru</th>",
                "<th>A/M</th>",
                "<th>Nazev vyrobce elektrospojky</th>",
                "<th>Tvarovka</th>",
                "<th>Napeti urcene obsluhou[V]</th>",
                "<th>Prumerna hodnota napeti[V]</th>",
                "<th>Delka doby svarovani[s]</th>",
                "<th>Skutecna doba svarovani[s]</th>",
                "<th>Delka doby chlazeni[min]</th>",
                "<th>Skutecna doba chlazeni[min]</th>",
                "<th>Teplota okoli[C]</th>",
                "<th>Rezist. elektrot.[Ohm]</th>",
                "<th>Hodnoceni svaru</th>",
                "</tr>",
            },
            {
                "<th>Data</th>",
                "<th>Timp</th>",
                "<th>Numarul operatorului</th>",
                "<th>Num. succes. a sudurii</th>",
                "<th>A/M</th>",
                "<th>Produc. de electrofiting</th>",
                "<th>Electrofiting</th>",
                "<th>Tensiunea selectata[V]</th>",
                "<th>Val. medie a tens.[V]</th>",
                "<th>Timpul sudurii selectat[s]</th>",
                "<th>Timpul real de sudare[s]</th>",
                "<th>Timpul de racire selectat[min]</th>",
                "<th>Timpul real de racire[min]</th>",
                "<th>Temperatura mediului[C]</th>",
                "<th>Valoarea rezistentei[Ohm]</th>",
                "<th>Evaluarea sudurii</th>",
                "</tr>",
            },
            english,
        }};
    }();
    return table;
}

std::string EscapeHtmlText(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    AppendEscaped(out, value);
    return out;
}

std::string UnescapeHtmlText(std::string_view text) {
    if (text.find('&') == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '&') {
            const std::string_view rest = text.substr(i);
            if (rest.starts_with("&amp;")) {
                out += '&';
                i += 5;
                continue;
            }
            if (rest.starts_with("&lt;")) {
                out += '<';
                i += 4;
                continue;
            }
            if (rest.starts_with("&gt;")) {
                out += '>';
                i += 4;
                continue;
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}

std::string WriteHtmlReport(const ReportSnapshot& report) {
    const int variant = ReportVariant(report.Language);
    const LanguageTexts& texts = Texts()[static_cast<std::size_t>(variant == 4 ? 1 : variant)];
    const auto& headings = HtmlColumnHeadings()[static_cast<std::size_t>(variant)];
    const records::GridData& grid = report.Rows;
    const int rowCount = grid.RowCount();

    std::string out;
    // About 700 bytes per record plus the fixed parts.
    out.reserve(4096 + static_cast<std::size_t>(rowCount) * 800);

    for (const std::string& line : Head()) {
        Line(out, line);
    }

    Line(out, texts.title);
    Line(out, std::string(kReportMarkerStart) + std::to_string(rowCount - 1) +
                  std::string(kReportMarkerEnd));
    Line(out, std::string(kLanguageMarkerStart) + std::to_string(variant) +
                  std::string(kLanguageMarkerEnd));
    ValueLine(out, texts.companyLabel, report.CompanyName, "</nazwafirmy><br /><br />");
    ValueLine(out, "<b><typzgrz>", report.TypeLine, "</typzgrz></b> <br />");
    ValueLine(out, kDownloadTimeStart, report.DownloadTime, "</dataczaswydr><br/>");
    ValueLine(out, kPeriodFromStart, report.PeriodFrom, "</wydrod> <br />");
    ValueLine(out, kPeriodToStart, report.PeriodTo, "</wydrdo> <br />");
    for (const std::string_view line : kTableStart) {
        Line(out, line);
    }

    // No group is open before the first row, so the first row always opens
    // one. A row opens a new group when its shown site ID differs from the
    // open group's: consecutive rows without a site ID share one group "-".
    std::optional<std::string> group;
    for (int r = 1; r < rowCount; ++r) {
        const std::string& site = grid.Cell(0, r);
        const std::string_view shown = site.empty() ? std::string_view("-") : site;
        if (!group || *group != shown) {
            group = std::string(shown);
            Line(out, "<br/>");
            Line(out, "<tr/>");
            Line(out, "<td colspan=\"16\" style=\"text-align  : left\">");
            ValueLine(out, texts.siteLabel, *group, "</lokaliz></b>");
            Line(out, "</td>");
            Line(out, "</tr>");
            for (const std::string& heading : headings) {
                Line(out, heading);
            }
        }
        Line(out, "<tr>");
        ValueLine(out, kSiteIdStart, *group, kSiteIdEnd);
        for (int c = 1; c < records::kColumnCount; ++c) {
            const std::string_view tag = kCellTags[static_cast<std::size_t>(c)];
            out += "<td><";
            out += tag;
            out += '>';
            AppendEscaped(out, grid.Cell(c, r));
            out += "</";
            out += tag;
            out += "></td>";
            out += kBlankLineEnd;
        }
        Line(out, "</tr>");
        Line(out, kRowSeparator);
    }

    for (const std::string_view line : kClosingStart) {
        out += line;
        out += kLineEnd;
    }
    for (const std::string& line : texts.legend) {
        out += line;
        out += kLineEnd;
    }
    for (const std::string_view line : kClosingEnd) {
        out += line;
        out += kLineEnd;
    }
    return out;
}

}  // namespace tav::reports
