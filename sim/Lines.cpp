#include "sim/Lines.h"

#include <algorithm>
#include <cstdio>

#include "platform/Cp1250.h"

namespace tav::sim {
namespace {

struct Wording {
    const char* code;
    const char* shortType;
    const char* type;
    const char* downloadTime;  // followed by the stamp
    const char* periodStart;   // followed by the date
    const char* periodEnd;
    const char* site;  // followed by the ID
    const char* endOfData;
    const char* noDataMemory;  // UTF-8; converted to Windows-1250
    const char* noDataPeriod;
    const char* dumpTitle;
};

// The blanks that open some lines are part of the wording: they put the
// letters the program looks at where it looks for them.
constexpr Wording kWordings[] = {
    {
        "pl",
        "Zgrzewarka ZT-400 v2.1",
        "           Zgrzewarka ZT-400 wersja polska",
        "DATA POBRANIA: ",
        "Wydruk od: ",
        "Wydruk do: ",
        "Numer lokalizacji: ",
        " LEGENDA: + poprawny, - odrzucony, 1 brak zasilania, 2 brak kontaktu, 3 przerwany "
        "STOP",
        "        Brak zgrzewów w pamięci",
        "        Brak zgrzewów w podanym okresie",
        "ZAWARTOSC PAMIECI ZGRZEWARKI ZT-400",
    },
    {
        "en",
        "Welder ZT-400 v2.1",
        "    Fusion report: welder ZT-400 export",
        "DATE OF DOWNLOAD: ",
        "Starting date: ",
        "Ending date: ",
        "Construction site ID: ",
        " LEGEND: + correct, - rejected, 1 no power, 2 no contact, 3 stopped with STOP",
        "      No welds in memory",
        "      No welds in the given period",
        "MEMORY CONTENTS OF WELDER ZT-400",
    },
    {
        "cs",
        "Svarecka ZT-400 v2.1",
        "      Vypis dat svarecky ZT-400 ceska verze",
        "DATUM STAZENI: ",
        "Tisk od: ",
        "Tisk do: ",
        "Cislo stavby: ",
        " LEGENDA: + svar v poradku, - odmitnut, 1 bez napajeni, 2 bez kontaktu, 3 preruseno "
        "STOP",
        "         Zadne udaje o svarech",
        "         Zadne udaje o svarech ve zvolenem obdobi",
        "OBSAH PAMETI SVARECKY ZT-400",
    },
    {
        "ro",
        "Aparat de sudura ZT-400 v2.1",
        "       Aparat de sudura ZT-400 - lista sudurilor",
        "DATA DESCARCARII: ",
        "Tiparire de la: ",
        "Tiparire pana la: ",
        "Numarul constructiei: ",
        " LEGENDA: + corect, - respins, 1 lipsa alimentare, 2 lipsa contact, 3 oprit cu STOP",
        " Nu exista date de sudura in memorie",
        " Nu exista date de sudura pentru perioada",
        "CONTINUTUL MEMORIEI APARATULUI ZT-400",
    },
};

const Wording& WordingOf(Language language) {
    return kWordings[static_cast<int>(language)];
}

bool AllDigits(std::string_view s) {
    for (const char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// "YYYY.MM.DD" from the 8 frame bytes DDMMYYYY; the key when they are a date.
void ReadFrameDate(std::string_view ddmmyyyy, std::string& text, std::optional<DateKey>& key) {
    if (ddmmyyyy.size() == 8 && AllDigits(ddmmyyyy)) {
        const std::string dotted = std::string(ddmmyyyy.substr(4, 4)) + "." +
                                   std::string(ddmmyyyy.substr(2, 2)) + "." +
                                   std::string(ddmmyyyy.substr(0, 2));
        key = ParseDotDate(dotted);
        if (key) {
            text = dotted;
            return;
        }
    }
    text = std::string(ddmmyyyy);
    key.reset();
}

}  // namespace

std::optional<Language> ParseLanguage(std::string_view code) {
    for (int i = 0; i < 4; ++i) {
        if (code == kWordings[i].code) {
            return static_cast<Language>(i);
        }
    }
    return std::nullopt;
}

const char* LanguageCode(Language language) {
    return WordingOf(language).code;
}

std::string ShortTypeLine(Language language) {
    return WordingOf(language).shortType;
}

std::string TypeLine(Language language) {
    return WordingOf(language).type;
}

std::string DownloadTimeLine(Language language, std::string_view stamp) {
    return WordingOf(language).downloadTime + std::string(stamp);
}

std::string PeriodStartLine(Language language, std::string_view date) {
    return WordingOf(language).periodStart + std::string(date);
}

std::string PeriodEndLine(Language language, std::string_view date) {
    return WordingOf(language).periodEnd + std::string(date);
}

std::string SiteLine(Language language, std::string_view siteId) {
    return WordingOf(language).site + std::string(siteId);
}

std::string RecordLine(const FusionRecord& record) {
    std::string line(kRecordLineLength, '|');
    for (std::size_t f = 0; f < kFieldCount; ++f) {
        const auto [start, width] = kFieldSlices[f];
        std::string_view value = record.fields[f];
        if (value.size() > static_cast<std::size_t>(width)) {
            value = value.substr(0, static_cast<std::size_t>(width));
        }
        const std::size_t pad = static_cast<std::size_t>(width) - value.size();
        auto at = static_cast<std::size_t>(start);
        line.replace(at, pad, pad, ' ');
        line.replace(at + pad, value.size(), value);
    }
    return line;
}

std::string EndOfDataLine(Language language) {
    return WordingOf(language).endOfData;
}

std::string NoDataLine(Language language, bool forPeriod) {
    const Wording& w = WordingOf(language);
    return cp1250::FromUtf8(forPeriod ? w.noDataPeriod : w.noDataMemory);
}

Period ParsePeriodFrame(std::string_view frame) {
    Period p;
    ReadFrameDate(frame.size() >= 11 ? frame.substr(3, 8) : std::string_view(), p.fromText, p.from);
    ReadFrameDate(frame.size() >= 20 ? frame.substr(12, 8) : std::string_view(), p.toText, p.to);
    return p;
}

std::vector<std::string> TableAnswer(const RecordStore& store, Language language,
                                     std::string_view stamp, const std::optional<Period>& period) {
    RecordStore records;
    std::string fromText;
    std::string toText;
    if (period) {
        if (period->from && period->to) {
            records = RecordsInPeriod(store, *period->from, *period->to);
        }
        fromText = period->fromText;
        toText = period->toText;
    } else {
        records = store;
        std::optional<DateKey> first;
        std::optional<DateKey> last;
        for (const FusionRecord& r : store) {
            if (const auto key = ParseDotDate(r.fields[kDate])) {
                first = first ? std::min(*first, *key) : *key;
                last = last ? std::max(*last, *key) : *key;
            }
        }
        const std::string today(stamp.substr(0, 10));
        fromText = first ? FormatDotDate(*first) : today;
        toText = last ? FormatDotDate(*last) : today;
    }

    std::vector<std::string> lines;
    lines.push_back(TypeLine(language));
    lines.push_back(DownloadTimeLine(language, stamp));
    lines.push_back(PeriodStartLine(language, fromText));
    lines.push_back(PeriodEndLine(language, toText));
    if (records.empty()) {
        lines.push_back(NoDataLine(language, period.has_value()));
        return lines;
    }
    std::optional<std::string> site;
    for (const FusionRecord& r : records) {
        if (!site || *site != r.siteId) {
            site = r.siteId;
            if (!r.siteId.empty()) {
                lines.push_back(SiteLine(language, r.siteId));
            }
        }
        lines.push_back(RecordLine(r));
    }
    lines.push_back(EndOfDataLine(language));
    return lines;
}

std::vector<std::string> MemoryDump(const RecordStore& store, Language language,
                                    std::string_view stamp) {
    static constexpr std::size_t kCapacity = 4000;
    std::vector<std::string> lines;
    lines.push_back(WordingOf(language).dumpTitle);
    char buf[256];
    std::snprintf(buf, sizeof buf, "DUMP %.*s  RECORDS %04zu OF %04zu  LANGUAGE %s",
                  static_cast<int>(stamp.size()), stamp.data(), store.size(), kCapacity,
                  LanguageCode(language));
    lines.push_back(buf);
    std::size_t index = 0;
    for (const FusionRecord& r : store) {
        const auto& f = r.fields;
        std::string line = "#";
        std::snprintf(buf, sizeof buf, "%04zu", ++index);
        line += buf;
        line += " SITE=" + r.siteId + " DATE=" + f[kDate] + " TIME=" + f[kTime] +
                " OP=" + f[kOperator] + " NR=" + f[kFusionNumber] + " A/M=" + f[kMode] +
                " MAN=" + f[kManufacturer] + " TYPE=" + f[kFittingType] + " U=" + f[kVoltageSet] +
                "/" + f[kVoltageAchieved] + " T=" + f[kFusionTimeSet] + "/" +
                f[kFusionTimeAchieved] + " C=" + f[kCoolingSet] + "/" + f[kCoolingAchieved] +
                " TA=" + f[kAmbient] + " R=" + f[kResistance] + " EV=" + f[kEvaluation];
        lines.push_back(std::move(line));
    }
    std::snprintf(buf, sizeof buf, "END OF DUMP, FREE %04zu",
                  store.size() < kCapacity ? kCapacity - store.size() : std::size_t{0});
    lines.push_back(buf);
    return lines;
}

}  // namespace tav::sim
