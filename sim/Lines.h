// The text the simulated welder sends: its type lines, the header, site,
// record and closing lines of a table answer, and its memory dump, in the
// four languages it can work in. Lines are returned without their CR LF.
//
// The program tells the kinds of line apart by single characters at fixed
// positions (c[n] is the byte at position n):
//
//   type line      c[34]=='a' || c[34]=='x' || c[32]=='c' || c[36]=='t'; the
//                  language from c[12] together with c[34], c[32] or c[36]
//   download time  c[0] 'D'/'P' and c[2] 'T'/'I'
//   period start   W..o (c[7]), S..d (c[9]), T..e (c[10]) or T..o (c[5])
//   period end     W..d (c[7]), E..t (c[9]), T..a (c[10]) or T..d (c[5])
//   site           c[0] 'N'/'C' and c[1] 'u'/'o'/'i'; the ID after ": "
//   record         c[0]=='|', c[5]=='.', c[8]=='.'
//   end of data    c[1] 'L'/'E' and c[3] 'G'/'P'
//   no data        (c[11],c[16]) is (k,z), (l,n), (d,d) or (c,o)
//
// tried in that order. Every wording below passes the test of its own kind
// and fails all those tried before it; in particular no line other than the
// type line has 'a'/'x' at 34, 'c' at 32 or 't' at 36.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Records.h"

namespace tav::sim {

enum class Language { Polish, English, Czech, Romanian };

// "pl", "en", "cs", "ro".
std::optional<Language> ParseLanguage(std::string_view code);
const char* LanguageCode(Language language);

// The line answering "TZB" (short: at most 30 bytes, CR LF added by the
// caller), e.g. "Zgrzewarka ZT-400 v2.1".
std::string ShortTypeLine(Language language);

// The type line that opens a table answer; names the welder and, by its
// wording, the language.
std::string TypeLine(Language language);

// "DATA POBRANIA: 2009.03.15 10:22" and its translations; `stamp` is
// "YYYY.MM.DD HH:MM".
std::string DownloadTimeLine(Language language, std::string_view stamp);

// "Wydruk od: 2009.03.01" / "Wydruk do: ..." and translations; `date` is
// written as given.
std::string PeriodStartLine(Language language, std::string_view date);
std::string PeriodEndLine(Language language, std::string_view date);

// "Numer lokalizacji: 1024" and translations.
std::string SiteLine(Language language, std::string_view siteId);

// The 79-character record line: '|' at 0 and between the fields, each field
// right-aligned in its slice (cut to the slice when longer).
std::string RecordLine(const FusionRecord& record);

// The end-of-data line: the legend of the evaluation codes.
std::string EndOfDataLine(Language language);

// The no-data line: nothing in memory ("TZC") or in the asked period ("TZD").
std::string NoDataLine(Language language, bool forPeriod);

// The requested period of a "TZD" answer, as the two dates were written in
// the frame (DDMMYYYY each). `from`/`to` are set when the dates are valid.
struct Period {
    std::string fromText;  // "YYYY.MM.DD", or the 8 bytes as received
    std::string toText;
    std::optional<DateKey> from;
    std::optional<DateKey> to;
};

// Reads the period out of a 24-byte "TZD" frame (positions 3..10 and 12..19).
Period ParsePeriodFrame(std::string_view frame);

// The lines of a table answer: type, download time, period start, period
// end, then for each run of records of one site a site line (none for
// records of no site) followed by their record lines, then the end-of-data
// line; or, when there is no record, the four header lines and the no-data
// line. Without `period` ("TZC") all records are sent and the period lines
// carry the first and last record date (the download date when memory is
// empty). With it ("TZD") the records dated inside it, both ends included.
std::vector<std::string> TableAnswer(const RecordStore& store, Language language,
                                     std::string_view stamp,
                                     const std::optional<Period>& period = std::nullopt);

// The "TZK" memory dump: a header, one line per stored record in the dump
// layout ("#0001 SITE=1024 DATE=2009.03.15 TIME=07:42 ..."), a footer. The
// byte 26 that closes the dump is not among these lines: the welder sends it
// after the last CR LF.
std::vector<std::string> MemoryDump(const RecordStore& store, Language language,
                                    std::string_view stamp);

// The byte that ends the memory dump.
inline constexpr char kEndOfDump = 26;

}  // namespace tav::sim
