#!/usr/bin/env python3
"""Builds the expected report files the report writer tests compare against.

The files are assembled here line by line from the fixed texts of the report
formats, on their own and without running any part of the program, so that a
fault in the writer cannot slip into the expected bytes. Run it from any
directory; it writes next to itself:

    report_0.htm .. report_4.htm   HTML report, document language 0..4
    report_0.txt .. report_3.txt   text report, Polish, English, Czech, Romanian
    textview.txt                   copy of a three-line text view

All texts are written in Windows-1250 with CR LF line ends. Values put into
the HTML document have '&', '<' and '>' written as entities.
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = "\r\n"

# ---------------------------------------------------------------- the table
# Columns: site ID, date, time, operator, fusion number, A/M, manufacturer,
# fitting type, U set, U achieved, fusion time set, achieved, cooling time set,
# achieved, ambient temperature, resistance, evaluation code.
ROWS = [
    ["", "2024.03.01", "08:15", "1", "0001", "A", "FRI", "d32 mufa",
     "39.5", "39.4", "60", "61", "6", "6", "12", "1.2", "+"],
    ["0001", "2024.03.02", "09:40", "12", "0002", "M", "P&M", "Trójnik 63",
     "40.0", "39.8", "120", "118", "10", "10", "-5", "0.85", "-"],
    ["0001", "2024.03.02", "10:05", "12", "0003", "A", "PLA", "ELEKTROMUFA12",
     "39.5", "39.6", "90", "45", "8", "0", "", "2.10", "3"],
    ["Hala <2> & Co", "2024.03.04", "13:30", "7", "0004", "M", "A<B", "kolano 90",
     "39.5", "39.5", "75", "75", "7", "7", "21", "1.05", "1"],
]
COMPANY = "Zakład Instalacji Wodnych Łódź & Syn"
TYPE_LINE = "Zgrzewarka ZT-400 <v1.3>"
DOWNLOAD_TIME = "Data wydruku: 2024.03.05 14:22"
PERIOD_FROM = "Wydruk od: 2024.03.01"
PERIOD_TO = "Wydruk do: 2024.03.05"

TEXT_VIEW = ["Wykaz zgrzewów", "", "  Nr 1  +  zgrzew prawidłowy"]


def esc(value):
    return value.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


# ---------------------------------------------------------------- HTML report
HTML_HEADINGS = {
    0: ["Data zgrzewu", "Godzina zgrzewu", "Nr Operatora", "Nr zgrzewu ", "A/M",
        "Producent kształtki", "Typ kształtki", "U zgrz. zadane[V]", "U zgrz. wykonane[V]",
        "Czas zgrz. zadany[s]", "Czas zgrz. wykonany[s]", "Studzenie zadane[min]",
        "Studzenie wykonane[min]", "Temp. otoczenia[stC]", "Rezystancja<br/>kształtki[Ohm]",
        "Ocena zgrzewu"],
    1: ["Fusion date", "Fusion time", "Operator ID", "Fusion number", "A/M",
        "Fitting manufacturer", "Fitting type", "Fusion voltage set[V]",
        "Fusion voltage average[V]", "Fusion time set[s]", "Fusion time elapsed[s]",
        "Cooling time set[min]", "Cooling time elapsed[min]", "Ambient temperatre[C]",
        "Fitting<br/>resistance[Ohm]", "Fusion evaluation"],
    2: ["Data", "Hodina", "Cislo operatora", "Porad cislo svaru", "A/M",
        "Nazev vyrobce elektrospojky", "Tvarovka", "Napeti urcene obsluhou[V]",
        "Prumerna hodnota napeti[V]", "Delka doby svarovani[s]", "Skutecna doba svarovani[s]",
        "Delka doby chlazeni[min]", "Skutecna doba chlazeni[min]", "Teplota okoli[C]",
        "Rezist. elektrot.[Ohm]", "Hodnoceni svaru"],
    3: ["Data", "Timp", "Numarul operatorului", "Num. succes. a sudurii", "A/M",
        "Produc. de electrofiting", "Electrofiting", "Tensiunea selectata[V]",
        "Val. medie a tens.[V]", "Timpul sudurii selectat[s]", "Timpul real de sudare[s]",
        "Timpul de racire selectat[min]", "Timpul real de racire[min]",
        "Temperatura mediului[C]", "Valoarea rezistentei[Ohm]", "Evaluarea sudurii"],
}
HTML_HEADINGS[4] = HTML_HEADINGS[1]

CELL_TAGS = ["data", "czas", "nrop", "nrzgrz", "am", "prod", "typ", "uzad", "uwyk", "czzad",
             "czwyk", "czszad", "czswyk", "tempr", "rezys", "ocena"]

HTML_TITLE = {
    0: "<p align=center>RAPORT ZGRZEWANIA</p>",
    1: "<p align=center>FUSION REPORT</p>",
    2: "<p align=center>SEZNAM SVARU</p>",
    3: "<p align=center>SPECIFICATIA SUDURILOR</p>",
}
HTML_COMPANY_LABEL = {
    0: "Firma: <nazwafirmy>",
    1: "Company: <nazwafirmy>",
    2: "Firma: <nazwafirmy>",
    3: "Compania: <nazwafirmy>",
}
HTML_SITE_LABEL = {
    0: '<b style="color: blue">Lokalizacja: <lokaliz>',
    1: '<b style="color: blue">Construction site ID: <lokaliz>',
    2: '<b style="color: blue">Cislo stavby: <lokaliz>',
    3: '<b style="color: blue">Numarul constructiei: <lokaliz>',
}
HTML_LEGEND = {
    0: [
        "<b>LEGENDA:</b><br/>",
        "<b>A/M</b> - Rodzaj nastawy: A-automatyczna(skaner), M-manualna.<br/><br/>",
        "<b>Symbol oceny zgrzewu:</b><br/>",
        "<b>+</b>  zgrzew prawidłowy zaakceptowany klawiszem TAK.<br/>",
        "<b>-</b>   brak akceptacji zgrzewu klawiszem.<br/>",
        "<b>Nr 1</b>  brak zasilania lub wyłączenie zgrzewarki.<br/>",
        "<b>Nr 2</b>  brak styku w obwodzie zgrzewania.<br/>",
        "<b>Nr 3</b>  przerwanie zgrzewania klawiszem STOP.<br/>",
    ],
    1: [
        "<b>LEGEND:</b><br/>",
        "<b>A/M</b> - AUTOMATIC/MANUAL fusion parameters setting<br/><br/>",
        "<b>Fusion evaluation codes:</b><br/>",
        "<b>+</b>  Fusion correct,  accepted by pressing the OK key<br/>",
        "<b>-</b>   Fusion  not accepted by the user<br/>",
        "<b>Nr 1</b>  No power supply  or device turned off<br/>",
        "<b>Nr 2</b>  Output  circuit broken (no fitting)<br/>",
        "<b>Nr 3</b>  Fusion  interruped by the operator with the STOP key<br/>",
    ],
    2: [
        "<b>LEGENDA:</b><br/>",
        "<b>A/M</b> - Druh nastaveni. A-automaticke (skaner), M-rucni<br/><br/>",
        "<b>Hodnoceni svaru:</b><br/>",
        "<b>+</b>  spravny svar potvrzeny klavesou OK<br/>",
        "<b>-</b>   Chybi potvrzeni svaru klavesou<br/>",
        "<b>Nr 1</b>  Chybi proud nebo je svarecka vypnuta<br/>",
        "<b>Nr 2</b>  Neni kontakt v topnem obvodu<br/>",
        "<b>Nr 3</b>  Preruseni ohrevu klav. STOP<br/>",
    ],
    3: [
        "<b>EXPLICATIE:</b><br/>",
        "<b>A/M</b> - Optiune de selectare: A-automatica(scaner), M-manuala<br/><br/>",
        "<b>Evaluarea sudurii:</b><br/>",
        "<b>+</b>  sudura corecta confirmata cu tasta OK<br/>",
        "<b>-</b>   sudura nu sa confirmat cu tasta <br/>",
        "<b>Nr 1</b>  lipsa de alimentare sau deconectarea aparatului de sudura <br/>",
        "<b>Nr 2</b>  lipsa contactului in circuitul de incalzire<br/>",
        "<b>Nr 3</b>  intreruperea incalzirii cu tasta STOP<br/>",
    ],
}

HEAD = [
    '<!DOCTYPE HTML PUBLIC "-//W3C//Dth HTML 4.01 Transitional//EN">',
    '<meta http-equiv="Content-Type" content="text/html; charset=windows-1250" />',
    "<html>",
    "<head>",
    "<title>Raport zgrzewania</title>",
    "</head>",
    "<body>",
    "<style>",
    "p { color: black;",
    " " * 4 + "font-size: 23;",
    "\t\t" + "background-color: yellow;",
    "}",
    "TABLE {",
    " " * 4 + "border-collapse : collapse;",
    " " * 4 + "table_layout: fixed;",
    "\t\t" + "border" + " " * 10 + ": solid 2px blue;",
    "}",
    "TD {",
    " " * 4 + "border" + " " * 6 + ": solid 1px blue;",
    " " * 4 + "padding     : 5px;",
    "\t\t" + "text-align  : center;",
    "}",
    "TH {",
    " " * 4 + "border      : solid 1px black;",
    " " * 4 + "color       : white;",
    " " * 4 + "background  : blue;",
    " " * 4 + "font-size   : 15;",
    " " * 4 + "font-weight : bolder;",
    " " * 4 + "padding     : 1px;",
    "\t\t" + "text-align  : center;",
    "}",
    "</style>",
    "<!" + "-" * 33 + " TYTUł  " + "-" * 36 + ">",
]


def html_report(lang):
    v = 1 if lang == 4 else lang
    lines = list(HEAD)
    lines.append(HTML_TITLE[v])
    lines.append("<!morvalentfusionreport%d/morvalentfusionreport>" % len(ROWS))
    lines.append("<!jezykdokum%d/jezykdokum>" % lang)
    lines.append(HTML_COMPANY_LABEL[v] + esc(COMPANY) + "</nazwafirmy><br /><br />")
    lines.append("<b><typzgrz>" + esc(TYPE_LINE) + "</typzgrz></b> <br />")
    lines.append("<dataczaswydr>" + esc(DOWNLOAD_TIME) + "</dataczaswydr><br/>")
    lines.append("<wydrod>" + esc(PERIOD_FROM) + "</wydrod> <br />")
    lines.append("<wydrdo>" + esc(PERIOD_TO) + "</wydrdo> <br />")
    lines += [
        "<table table-layout: fixed>",
        "<!",
        '<colgroup span="1" align="left">',
        '<colgroup span="1" align="center">',
        '<colgroup span="2" align="right">',
        '<colgroup span="1" align="center">',
        '<colgroup span="2" align="left">',
        '<colgroup span="8" align="right">',
        '<colgroup span="1" align="center">',
    ]
    group = None  # no group open yet
    for row in ROWS:
        site = row[0] if row[0] != "" else "-"
        if site != group:
            group = site
            lines += [
                "<br/>",
                "<tr/>",
                '<td colspan="16" style="text-align  : left">',
                HTML_SITE_LABEL[v] + esc(group) + "</lokaliz></b>",
                "</td>",
                "</tr>",
            ]
            lines += ["<th>" + h + "</th>" for h in HTML_HEADINGS[v]]
            lines.append("</tr>")
        lines.append("<tr>")
        lines.append("<!lok" + esc(group) + "/lok>")
        for tag, cell in zip(CELL_TAGS, row[1:]):
            lines.append("<td><" + tag + ">" + esc(cell) + "</" + tag + "></td>")
        lines.append("</tr>")
        lines.append("<!" + "-" * 75 + ">")
    out = "".join(line + " " + CRLF for line in lines)
    closing = [
        "<! " + "=" * 28 + " KONIEC " + "=" * 46 + " >",
        "<lokaliz></lokaliz>" + " " * 5 + "<! musi byc dla celow algorytmu wyszukiwania>",
        '<td style="color: black; text-align  : left" colspan="16">',
    ]
    closing += HTML_LEGEND[v]
    closing += ["</td>", "</table>", "</body>", "</html>"]
    out += "".join(line + CRLF for line in closing)
    return out.encode("cp1250")


# ---------------------------------------------------------------- text report
WIDTHS = [10, 5, 2, 4, 1, 4, 10, 4, 4, 3, 3, 2, 2, 3, 4, 2]

TEXT_TITLE = {
    0: " " * 25 + "WYKAZ ZGRZEWOW",
    1: " " * 25 + "FUSION REPORT",
    2: " " * 25 + "SEZNAM SVARU",
    3: " " * 19 + "SPECIFICATIA SUDURILOR",
}
TEXT_COMPANY_LABEL = {0: "Firma:", 1: "Company name:", 2: "Firma:", 3: "Compania:"}
TEXT_SITE_LABEL = {
    0: "Numer budowy:",
    1: "Construction site ID:",
    2: "Cislo stavby:",
    3: "Numarul constructiei:",
}
BOX_PL = [
    "_" * 80,
    "|   DATA   |GODZ.|NR| NR |A|PROD|   TYP    |Uzad|Uwyk|Czz|Czw|Sz|Sw|To |REZ |OC|",
    "| ZGRZEWU  |ZGRZ.|OP|ZGRZ|M|KSZT|KSZTALTKI |[V] |[V] |sek|sek|mi|mi|stC|omy |EN|",
    "|          |     |  |    | |    |          |    |    |   |   |  |  |   |    |  |",
    "-" * 80,
]
BOX_EN = [
    "_" * 80,
    "| FUSION   |FUSIO|OP|FUS.|A|PROD|ELECTROFIT|Uset|Uavr|Ts |Te |Cs|Ce|Ta | RES|EV|",
    "|  DATE    |TIME |ER|NR  |M|UCER|-TING TYPE|[V] |[V] |sec|sec|mi|mi|o^C|ohm |AL|",
    "|          |     |  |    | |    |          |    |    |   |   |  |  |   |    |  |",
    "-" * 80,
]
RULE = "|" + "-" * 78 + "|"
TEXT_LEGEND = {
    0: [
        RULE,
        "|LEGENDA                                                                       |",
        RULE,
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
        RULE,
    ],
    1: [
        RULE,
        "|LEGEND                                                                        |",
        RULE,
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
        RULE,
    ],
    2: [
        RULE,
        "|LEGENDA                                                                       |",
        RULE,
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
        RULE,
    ],
    3: [
        RULE,
        "|EXPLICATIE                                                                    |",
        RULE,
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
        RULE,
    ],
}


def text_report(lang):
    lines = [
        TEXT_TITLE[lang],
        "",
        TEXT_COMPANY_LABEL[lang] + COMPANY,
        TYPE_LINE,
        DOWNLOAD_TIME,
        PERIOD_FROM,
        PERIOD_TO,
        "",
    ]
    group = ""
    for r, row in enumerate(ROWS, start=1):
        if row[0] != group:
            if r != 1:
                lines.append("-" * 80)
            group = row[0]
            lines.append(TEXT_SITE_LABEL[lang] + group)
            lines += BOX_PL if lang == 0 else BOX_EN
        # Right-aligned in its box, never cut; widths count Windows-1250 bytes.
        line = ""
        for width, cell in zip(WIDTHS, row[1:]):
            pad = max(0, width - len(cell.encode("cp1250")))
            line += "|" + " " * pad + cell
        lines.append(line + "|")
    lines += TEXT_LEGEND[lang]
    return "".join(line + CRLF for line in lines).encode("cp1250")


def text_view_copy(lines):
    return "".join(line + " " + CRLF for line in lines).encode("cp1250")


def main():
    for lang in range(5):
        with open(os.path.join(HERE, "report_%d.htm" % lang), "wb") as f:
            f.write(html_report(lang))
    for lang in range(4):
        with open(os.path.join(HERE, "report_%d.txt" % lang), "wb") as f:
            f.write(text_report(lang))
    with open(os.path.join(HERE, "textview.txt"), "wb") as f:
        f.write(text_view_copy(TEXT_VIEW))


if __name__ == "__main__":
    main()
