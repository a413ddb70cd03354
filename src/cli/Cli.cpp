#include "cli/Cli.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>
#include <utility>

#include "cli/Export.h"
#include "link/CommPort.h"
#include "link/Exchange.h"
#include "link/TextReception.h"
#include "link/WelderSearch.h"
#include "platform/Cp1250.h"
#include "platform/PortNames.h"
#include "platform/Tick.h"
#include "records/GridData.h"
#include "records/RecordTable.h"
#include "records/TableDownload.h"
#include "records/TableReception.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportFile.h"
#include "reports/TextReport.h"
#include "shell/Settings.h"
#include "shell/Texts.h"

namespace tav::cli {
namespace {

using text::Id;
using text::Pair;

constexpr int kPortCount = link::kLastSearchPort;

// ------------------------------------------------------------------ texts

// Texts of the tool that the window does not have. UTF-8, Polish first.
namespace msg {
constexpr Pair kUnknownCommand{"nieznane polecenie: ", "unknown command: "};
constexpr Pair kNoCommand{"nie podano polecenia", "no command given"};
constexpr Pair kUnknownOption{"nieznana opcja: ", "unknown option: "};
constexpr Pair kMissingValue{"brak wartości opcji ", "missing value for "};
constexpr Pair kBadLanguage{"język musi być pl lub en: ", "the language must be pl or en: "};
constexpr Pair kBadPort{"nazwa portu musi mieć postać COM1..COM20 albo ścieżki od /: ",
                        "a port name must be COM1..COM20 or a path starting with /: "};
constexpr Pair kNeedOutput{"brak pliku wynikowego (-o PLIK)", "no output file given (-o FILE)"};
constexpr Pair kExtraArgument{"zbędny argument: ", "unexpected argument: "};
constexpr Pair kConvertArgs{"convert wymaga dwóch plików: WEJŚCIE WYJŚCIE",
                            "convert needs two files: IN OUT"};
constexpr Pair kPeriodBoth{"--from i --to podaje się razem", "--from and --to go together"};
constexpr Pair kTryHelp{"Więcej informacji: tavelin-cli --help",
                        "Try 'tavelin-cli --help' for more information."};
constexpr Pair kOnlyText{"Tekst można zapisać tylko jako plik tekstowy (*.txt)",
                         "Text can only be saved as a text file (*.txt)"};
constexpr Pair kExists1{"Plik '", "File '"};
constexpr Pair kExists2{"' już istnieje; użyj --force, aby go zastąpić.",
                        "' already exists; use --force to replace it."};
constexpr Pair kCannotRead{"Nie można odczytać pliku '", "Cannot read the file '"};
constexpr Pair kEraseRefused{
    "Wymazanie pamięci zgrzewarki jest operacją nieodwracalną i usuwa wszystkie zgrzewy. "
    "Aby wymazać pamięć, dodaj --yes.",
    "Erasing the welder's memory is irreversible and deletes every fusion record. "
    "Add --yes to erase it."};
constexpr Pair kNoWelderOnPort{"Brak zgrzewarki na porcie ", "No welder on port "};
constexpr Pair kNoWelderAnswered{"port się otwiera, ale zgrzewarka nie odpowiada",
                                 "the port opens, but no welder answers"};
constexpr Pair kOpens{"otwiera się", "opens"};
constexpr Pair kDoesNotOpen{"nie otwiera się: ", "does not open: "};
constexpr Pair kNone{"brak", "none"};
constexpr Pair kLinkFailed{"Awaria łącza podczas pobierania: ", "The link failed during the download: "};
constexpr Pair kWelderFellSilent{"zgrzewarka przestała odpowiadać",
                                 "the welder fell silent"};
constexpr Pair kRecordsReceived{"Odebrane zgrzewy: ", "Records received: "};
constexpr Pair kLinesReceived{"Odebrane linie: ", "Lines received: "};
constexpr Pair kPartialWritten{"Niepełny raport zapisano w pliku ", "Partial report written to "};
constexpr Pair kPartialNotWritten{"Raport nie został zapisany (--keep-partial zapisuje odebrane dane).",
                                  "No report written (--keep-partial writes what was received)."};
constexpr Pair kIncompleteWritten{"Raport mimo to zapisano w pliku ",
                                  "The report was written all the same to "};
constexpr Pair kSaved1{"Zapisano ", "Saved "};
constexpr Pair kSavedRecords{" zgrzewów w pliku ", " records to "};
constexpr Pair kSavedLines{" linii w pliku ", " lines to "};
constexpr Pair kSearching{"Szukam zgrzewarki: ", "Searching for the welder: "};
constexpr Pair kEraseNoAnswer{"Zgrzewarka nie potwierdziła wymazania pamięci.",
                              "The welder did not acknowledge the erase."};
}  // namespace msg

// ------------------------------------------------------------------ help

constexpr std::string_view kHelpEn = R"(Usage: tavelin-cli [--lang pl|en] COMMAND [options]

Downloads fusion records from the welder and converts fusion reports, without
a window. Every command writes exactly what the program's window writes.

Commands:
  ports      list COM1..COM20: the device behind each and whether it opens
  find       search for the welder and print its port and type line
  download   download the records as a report (HTML, text, CSV or JSON)
  text       download the welder's own text report
  erase      erase the welder's memory (needs --yes)
  convert    convert a report file into another kind

Options for every command:
  --lang pl|en   language of the messages (default en)
  -h, --help     help for the tool, or for a command after its name
  --version      print the version

Exit status: 0 done, 1 unexpected error, 2 wrong usage, 3 no welder answered,
4 records or header lines missing (the report is still written), 5 the output
file cannot be written, 6 not a fusion report, 7 the link failed during the
command.

Run 'tavelin-cli COMMAND --help' for the options of a command.
)";

constexpr std::string_view kHelpPl = R"(Użycie: tavelin-cli [--lang pl|en] POLECENIE [opcje]

Pobiera zgrzewy ze zgrzewarki i przekształca raporty zgrzewania bez okna
programu. Każde polecenie zapisuje dokładnie to, co zapisuje okno programu.

Polecenia:
  ports      lista COM1..COM20: urządzenie za każdą nazwą i czy się otwiera
  find       szuka zgrzewarki, wypisuje jej port i linię typu
  download   pobiera zgrzewy jako raport (HTML, tekst, CSV lub JSON)
  text       pobiera raport tekstowy zgrzewarki
  erase      wymazuje pamięć zgrzewarki (wymaga --yes)
  convert    przekształca plik raportu w raport innego rodzaju

Opcje wszystkich poleceń:
  --lang pl|en   język komunikatów (domyślnie en)
  -h, --help     pomoc do programu albo, po nazwie polecenia, do polecenia
  --version      wypisuje wersję

Kod wyjścia: 0 gotowe, 1 nieoczekiwany błąd, 2 błędne użycie, 3 zgrzewarka nie
odpowiada, 4 brak części zgrzewów lub linii nagłówka (raport jest zapisany),
5 nie można zapisać pliku wynikowego, 6 to nie jest raport zgrzewania,
7 awaria łącza w trakcie polecenia.

Opcje polecenia: tavelin-cli POLECENIE --help
)";

struct CommandHelp {
    std::string_view en;
    std::string_view pl;
};

const std::map<std::string, CommandHelp, std::less<>>& CommandHelps() {
    static const std::map<std::string, CommandHelp, std::less<>> helps = {
        {"ports",
         {R"(Usage: tavelin-cli ports

Lists the port names COM1..COM20 as this machine resolves them: the device
behind each name (or none) and whether it opens.
)",
          R"(Użycie: tavelin-cli ports

Wypisuje nazwy portów COM1..COM20 tak, jak rozwiązuje je ten komputer:
urządzenie za każdą nazwą (albo brak) i czy port się otwiera.
)"}},
        {"find",
         {R"(Usage: tavelin-cli find [--port COMn]

Searches for the welder as the window's connect command does: one pass over
COM1..COM20, or only the named port. Prints the port and the welder's type
line. Exit status 3 when no welder answers.
)",
          R"(Użycie: tavelin-cli find [--port COMn]

Szuka zgrzewarki tak jak polecenie połączenia w oknie: jedno przejście po
COM1..COM20 albo tylko podany port. Wypisuje port i linię typu zgrzewarki.
Kod wyjścia 3, gdy żadna zgrzewarka nie odpowiada.
)"}},
        {"download",
         {R"(Usage: tavelin-cli download [--port COMn] [--from YYYY-MM-DD --to YYYY-MM-DD]
                            [--company NAME] [--force] [--keep-partial] -o FILE

Downloads all records, or the records of a period, into a report. The kind
follows the file name: .htm/.html an HTML report, .csv CSV (UTF-8 with a
byte-order mark), .json JSON, anything else the text report (".txt" is
appended when the name lacks it, ".htm" when an HTML name lacks it).

  --port COMn      use this port instead of searching COM1..COM20
  --from, --to     the period, both dates included
  --company NAME   company name in the report (default: from config.cfg in
                   the current directory, if there is one)
  -o, --output FILE  the report file
  --force          replace an existing file
  --keep-partial   write the records received when the link fails

Exit status 4 when fewer or more records arrived than the welder announced,
or header lines are missing (the report is written); 7 when the link fails
during the download (the report is written only with --keep-partial).
)",
          R"(Użycie: tavelin-cli download [--port COMn] [--from RRRR-MM-DD --to RRRR-MM-DD]
                            [--company NAZWA] [--force] [--keep-partial] -o PLIK

Pobiera wszystkie zgrzewy albo zgrzewy z okresu do raportu. Rodzaj raportu
wynika z nazwy pliku: .htm/.html raport HTML, .csv CSV (UTF-8 ze znacznikiem
BOM), .json JSON, inne raport tekstowy (do nazwy bez ".txt" dopisywane jest
".txt", do nazwy HTML bez ".htm" - ".htm").

  --port COMn      ten port zamiast szukania po COM1..COM20
  --from, --to     okres, obie daty włącznie
  --company NAZWA  nazwa firmy w raporcie (domyślnie z config.cfg w bieżącym
                   katalogu, jeśli jest)
  -o, --output PLIK  plik raportu
  --force          zastępuje istniejący plik
  --keep-partial   zapisuje odebrane zgrzewy, gdy łącze zawiedzie

Kod wyjścia 4, gdy dotarło mniej lub więcej zgrzewów, niż podała zgrzewarka,
albo brak linii nagłówka (raport jest zapisany); 7 przy awarii łącza w
trakcie pobierania (raport tylko z --keep-partial).
)"}},
        {"text",
         {R"(Usage: tavelin-cli text [--port COMn] [--memory] [--force] [--keep-partial] -o FILE

Downloads the welder's own text report of all fusions (with --memory: the
whole memory; this waits 10 seconds after the last byte) and writes it as the
window writes its text view (".txt" is appended when the name lacks it).
)",
          R"(Użycie: tavelin-cli text [--port COMn] [--memory] [--force] [--keep-partial] -o PLIK

Pobiera raport tekstowy zgrzewarki ze wszystkimi zgrzewami (z --memory: całą
zawartość pamięci; czeka 10 sekund po ostatnim bajcie) i zapisuje go tak, jak
okno zapisuje widok tekstu (do nazwy bez ".txt" dopisywane jest ".txt").
)"}},
        {"erase",
         {R"(Usage: tavelin-cli erase [--port COMn] --yes

Erases every record in the welder's memory. Irreversible: without --yes
nothing is sent. Exit status 0 only when the welder acknowledges the erase.
)",
          R"(Użycie: tavelin-cli erase [--port COMn] --yes

Wymazuje wszystkie zgrzewy z pamięci zgrzewarki. Nieodwracalne: bez --yes nic
nie jest wysyłane. Kod wyjścia 0 tylko wtedy, gdy zgrzewarka potwierdzi.
)"}},
        {"convert",
         {R"(Usage: tavelin-cli convert [--force] IN OUT

Reads a report as the window's Open command does (a name whose extension
contains "htm" as an HTML fusion report, anything else as plain text) and
writes it in the kind OUT asks for: HTML, text report, CSV or JSON. A text
file can only be written as text. Exit status 6 for an HTML file that is not
a fusion report.
)",
          R"(Użycie: tavelin-cli convert [--force] WEJŚCIE WYJŚCIE

Czyta raport tak jak polecenie Otwórz w oknie (plik z rozszerzeniem
zawierającym "htm" jako raport HTML, inne jako zwykły tekst) i zapisuje go w
rodzaju, którego żąda WYJŚCIE: HTML, raport tekstowy, CSV albo JSON. Tekst
można zapisać tylko jako tekst. Kod wyjścia 6 dla pliku HTML, który nie jest
raportem zgrzewania.
)"}},
    };
    return helps;
}

// ------------------------------------------------------------------ command line

struct Options {
    std::string command;
    std::vector<std::string> positional;
    std::uint8_t lang = 1;
    bool help = false;
    bool version = false;
    std::optional<std::string> port;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> company;
    std::optional<std::string> output;
    bool force = false;
    bool keepPartial = false;
    bool memory = false;
    bool yes = false;
    std::set<std::string> given;  // options used, by their long name
};

// Options each command takes, beyond --lang, --help and --version.
const std::map<std::string, std::set<std::string>, std::less<>>& CommandOptions() {
    static const std::map<std::string, std::set<std::string>, std::less<>> options = {
        {"ports", {}},
        {"find", {"--port"}},
        {"download",
         {"--port", "--from", "--to", "--company", "--output", "--force", "--keep-partial"}},
        {"text", {"--port", "--memory", "--output", "--force", "--keep-partial"}},
        {"erase", {"--port", "--yes"}},
        {"convert", {"--force"}},
    };
    return options;
}

class UsageError {
public:
    explicit UsageError(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

std::string Tr(const Pair& pair, std::uint8_t lang) {
    return std::string(lang == 1 ? pair.en : pair.pl);
}

std::string Tr(Id id, std::uint8_t lang) {
    return std::string(text::For(id, lang));
}

// The language is needed for the very first message, so it is looked for
// before anything else is parsed.
std::uint8_t PreScanLanguage(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view value;
        if (args[i] == "--lang" && i + 1 < args.size()) {
            value = args[i + 1];
        } else if (args[i].starts_with("--lang=")) {
            value = std::string_view(args[i]).substr(7);
        }
        if (value == "pl") {
            return 0;
        }
    }
    return 1;
}

bool IsPortName(std::string_view name) {
    if (name.starts_with("/")) {
        return true;
    }
    if (!name.starts_with("COM") || name.size() < 4 || name.size() > 5) {
        return false;
    }
    int number = 0;
    for (const char c : name.substr(3)) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + (c - '0');
    }
    return name[3] != '0' && number >= 1 && number <= kPortCount;
}

Options ParseCommandLine(const std::vector<std::string>& args, std::uint8_t lang) {
    Options o;
    o.lang = lang;
    static const std::set<std::string, std::less<>> withValue = {
        "--lang", "--port", "--from", "--to", "--company", "--output"};
    static const std::set<std::string, std::less<>> flags = {
        "--help", "--version", "--force", "--keep-partial", "--memory", "--yes"};
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (onlyPositional || arg == "-" || !arg.starts_with("-")) {
            if (o.command.empty()) {
                o.command = arg;
            } else {
                o.positional.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.resize(eq);
        }
        if (arg == "-o") {
            arg = "--output";
        } else if (arg == "-h") {
            arg = "--help";
        }
        if (withValue.contains(arg)) {
            std::string value;
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                throw UsageError(Tr(msg::kMissingValue, lang) + arg);
            }
            o.given.insert(arg);
            if (arg == "--lang") {
                if (value != "pl" && value != "en") {
                    throw UsageError(Tr(msg::kBadLanguage, lang) + value);
                }
                o.lang = value == "pl" ? 0 : 1;
            } else if (arg == "--port") {
                if (!IsPortName(value)) {
                    throw UsageError(Tr(msg::kBadPort, lang) + value);
                }
                o.port = value;
            } else if (arg == "--from") {
                o.from = value;
            } else if (arg == "--to") {
                o.to = value;
            } else if (arg == "--company") {
                o.company = value;
            } else {
                o.output = value;
            }
        } else if (flags.contains(arg) && !inlineValue) {
            o.given.insert(arg);
            o.help = o.help || arg == "--help";
            o.version = o.version || arg == "--version";
            o.force = o.force || arg == "--force";
            o.keepPartial = o.keepPartial || arg == "--keep-partial";
            o.memory = o.memory || arg == "--memory";
            o.yes = o.yes || arg == "--yes";
        } else {
            throw UsageError(Tr(msg::kUnknownOption, lang) + args[i]);
        }
    }
    return o;
}

// Checks that the command exists and takes the options given.
void CheckCommand(const Options& o) {
    const auto& all = CommandOptions();
    const auto found = all.find(o.command);
    if (found == all.end()) {
        throw UsageError(Tr(msg::kUnknownCommand, o.lang) + o.command);
    }
    for (const std::string& option : o.given) {
        if (option == "--lang" || option == "--help" || option == "--version") {
            continue;
        }
        if (!found->second.contains(option)) {
            throw UsageError(Tr(msg::kUnknownOption, o.lang) + option);
        }
    }
    if (o.command == "convert") {
        if (o.positional.size() != 2) {
            throw UsageError(Tr(msg::kConvertArgs, o.lang));
        }
    } else if (!o.positional.empty()) {
        throw UsageError(Tr(msg::kExtraArgument, o.lang) + o.positional.front());
    }
}

// ------------------------------------------------------------------ messages and progress

class Reporter {
public:
    Reporter(Console& console, std::uint8_t lang) : c_(console), lang_(lang) {}

    std::uint8_t Lang() const { return lang_; }
    std::string T(const Pair& pair) const { return Tr(pair, lang_); }
    std::string T(Id id) const { return Tr(id, lang_); }

    // A message on stderr (ends a progress line first).
    void Message(std::string_view line) {
        EndProgress();
        c_.err << line << '\n' << std::flush;
    }
    // A result on stdout.
    void Result(std::string_view line) {
        EndProgress();
        c_.out << line << '\n' << std::flush;
    }
    // A progress line, rewritten in place; only on a terminal.
    void Progress(std::string_view line) {
        if (!c_.progress) {
            return;
        }
        c_.err << "\r\x1b[K" << line << std::flush;
        progressShown_ = true;
    }
    void EndProgress() {
        if (progressShown_) {
            c_.err << "\r\x1b[K" << std::flush;
            progressShown_ = false;
        }
    }

private:
    Console& c_;
    std::uint8_t lang_;
    bool progressShown_ = false;
};

std::string PortErrorText(const ECommError& e, std::uint8_t lang) {
    return Tr(Id::SerialPortError, lang) + std::to_string(e.Code) + ": " +
           std::strerror(static_cast<int>(e.LastError));
}

// ------------------------------------------------------------------ output files

enum class OutKind { Html, Text, Csv, Json };

struct OutFile {
    OutKind kind = OutKind::Text;
    std::string path;  // the name actually written
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The kind a file name asks for and the name written: CSV and JSON by their
// extensions, otherwise the rules of the window's Save as (HTML when the
// extension contains "htm", else text; a missing ".htm" or ".txt" appended).
OutFile ResolveOutput(const std::string& name) {
    const std::string_view ext = reports::FileExtension(name);
    if (EqualsIgnoringCase(ext, ".csv")) {
        return {OutKind::Csv, name};
    }
    if (EqualsIgnoringCase(ext, ".json")) {
        return {OutKind::Json, name};
    }
    const reports::ReportKind kind = reports::ReportKindOf(name);
    return {kind == reports::ReportKind::Html ? OutKind::Html : OutKind::Text,
            reports::FinalReportFileName(name, kind)};
}

bool Exists(const std::string& path) {
    struct stat st{};
    return lstat(path.c_str(), &st) == 0;
}

// Refuses an existing file unless --force; kExitOk when the name may be used.
int CheckOverwrite(const OutFile& out, const Options& o, Reporter& r) {
    if (!o.force && Exists(out.path)) {
        r.Message(r.T(msg::kExists1) + out.path + r.T(msg::kExists2));
        return kExitCannotWrite;
    }
    return kExitOk;
}

// Writes through a temporary file renamed into place.
int WriteOutput(const OutFile& out, const Options& o, std::string_view bytes, Reporter& r) {
    if (const int refused = CheckOverwrite(out, o, r); refused != kExitOk) {
        return refused;
    }
    int error = 0;
    const std::uint8_t result = reports::SaveFileSafely(out.path, bytes, &error);
    if (result == reports::kSaveWritten) {
        return kExitOk;
    }
    const Id id = result == reports::kSaveOpenError ? Id::FileOpenError : Id::WriteError;
    r.Message(r.T(id) + " " + out.path + ": " + std::strerror(error));
    return kExitCannotWrite;
}

// ------------------------------------------------------------------ table reports

// The fields a report is written from, as the window holds them.
struct TableData {
    records::GridData grid;
    std::string company;       // Windows-1250
    std::string typeLine;      // status panel 1
    std::string downloadTime;  // Edit3
    std::string periodFrom;
    std::string periodTo;
    int language = 1;  // the document language, "none" already replaced
};

std::string Render(const TableData& data, OutKind kind) {
    const reports::ReportSnapshot snapshot{data.grid,       data.company,    data.typeLine,
                                           data.downloadTime, data.periodFrom, data.periodTo,
                                           data.language};
    switch (kind) {
        case OutKind::Html: return reports::WriteHtmlReport(snapshot);
        case OutKind::Text: return reports::WriteTextReport(snapshot);
        case OutKind::Csv: return WriteCsvReport(snapshot);
        case OutKind::Json: return WriteJsonReport(snapshot);
    }
    return {};
}

// The company name of config.cfg in the current directory, as the window
// starts with it; empty without a readable file.
std::string CompanyFromSettings() {
    SettingsRecordBytes record{};
    if (ReadSettingsFile("config.cfg", record) != 0) {
        return {};
    }
    return SettingsCompany(record);
}

// ------------------------------------------------------------------ the welder link

struct Link {
    TCommPort port;
    link::RxBuffer rx{};
    std::string typeLine;  // the answer to the type frame, without its line end
};

void CloseQuietly(TCommPort& port) {
    try {
        port.Close();
    } catch (const ECommError&) {
        // The descriptor is released even when close() fails.
    }
}

// Why `name` does not open, for the message of a search on one port.
std::string OpenFailure(const std::string& name, std::uint8_t lang) {
    TCommPort probe;
    try {
        probe.SetPortName(name);
        probe.Open();
    } catch (const ECommError& e) {
        return PortErrorText(e, lang);
    }
    CloseQuietly(probe);
    return Tr(msg::kNoWelderAnswered, lang);
}

// The welder on --port, or the first of COM1..COM20 where it answers, found
// as the window's connect command finds it (one pass).
int Connect(const Options& o, Link& l, Reporter& r) {
    link::SearchCallbacks callbacks;
    callbacks.tryingPort = [&r](int, const std::string& name) {
        r.Progress(r.T(msg::kSearching) + name + "?");
    };
    const link::SearchResult result = o.port ? link::SearchPort(l.port, l.rx, *o.port, callbacks)
                                             : link::SearchPass(l.port, l.rx, callbacks);
    r.EndProgress();
    if (result.welder) {
        l.typeLine = result.welder->typeLine;
        return kExitOk;
    }
    if (o.port) {
        const std::string reason = result.portsOpened == 0 ? OpenFailure(*o.port, r.Lang())
                                                           : r.T(msg::kNoWelderAnswered);
        r.Message(r.T(msg::kNoWelderOnPort) + *o.port + ": " + reason);
    }
    r.Message(r.T(Id::WelderNotResponding));
    return kExitNoWelder;
}

// ------------------------------------------------------------------ commands

int CmdPorts(Reporter& r) {
    for (int n = link::kFirstSearchPort; n <= kPortCount; ++n) {
        const std::string name = link::SearchPortName(n);
        const std::optional<std::string> device = ResolvePortName(name);
        std::string line = name + (n < 10 ? "   " : "  ");
        if (!device) {
            line += r.T(msg::kNone);
            r.Result(line);
            continue;
        }
        line += *device + "  ";
        TCommPort port;
        try {
            port.SetPortName(name);
            port.Open();
            line += r.T(msg::kOpens);
        } catch (const ECommError& e) {
            line += r.T(msg::kDoesNotOpen) + std::strerror(static_cast<int>(e.LastError));
        }
        CloseQuietly(port);
        r.Result(line);
    }
    return kExitOk;
}

// A device's text made safe for a terminal: control characters (which could
// carry escape sequences) become blanks.
std::string PrintableText(std::string_view cp1250Bytes) {
    std::string clean(cp1250Bytes);
    for (char& c : clean) {
        const char16_t code = cp1250::ToUnicode(static_cast<std::uint8_t>(c));
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            c = ' ';
        }
    }
    return cp1250::ToUtf8(clean);
}

int CmdFind(const Options& o, Reporter& r) {
    Link l;
    if (const int status = Connect(o, l, r); status != kExitOk) {
        return status;
    }
    r.Result(l.port.GetPortName() + "  " + PrintableText(l.typeLine));
    return kExitOk;
}

// A date of the period: YYYY-MM-DD.
bool IsIsoDate(std::string_view date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') {
        return false;
    }
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (date[i] < '0' || date[i] > '9') {
            return false;
        }
    }
    const int month = (date[5] - '0') * 10 + (date[6] - '0');
    const int day = (date[8] - '0') * 10 + (date[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// What the table reception hands over, applied to the tool's own table as
// the window applies it to its grid.
class TableCollector final : public records::TableLineSink {
public:
    TableCollector(TableData& data, records::RecordTableState& state, Reporter& r)
        : data_(data), state_(state), r_(r) {}

    std::uint8_t ParseRecordLine(std::string_view line) override {
        records::LineEffects effects;
        const std::uint8_t result =
            records::ApplyRecordLine(state_, data_.grid, line, GetTickCount(), effects);
        if (effects.typeLineStatus) {
            data_.typeLine = *effects.typeLineStatus;
        }
        if (effects.downloadTime) {
            data_.downloadTime = *effects.downloadTime;
        }
        return result;
    }
    std::uint32_t LastLineTick() const override { return state_.LastLineTick; }
    void Pump() override {
        if (state_.RecordsParsed != shown_) {
            shown_ = state_.RecordsParsed;
            r_.Progress(r_.T(msg::kRecordsReceived) + std::to_string(shown_));
        }
    }

private:
    TableData& data_;
    records::RecordTableState& state_;
    Reporter& r_;
    std::int32_t shown_ = -1;
};

// The rows received before a failure, without the empty row that follows
// the last record while a download runs.
void DropOpenRow(records::GridData& grid) {
    const int last = grid.RowCount() - 1;
    if (last < 2) {
        return;
    }
    for (const std::string& cell : grid.Row(last)) {
        if (!cell.empty()) {
            return;
        }
    }
    grid.SetRowCount(last);
}

int CmdDownload(const Options& o, Reporter& r) {
    if (!o.output) {
        throw UsageError(r.T(msg::kNeedOutput));
    }
    const bool period = o.from.has_value() || o.to.has_value();
    if (o.from.has_value() != o.to.has_value()) {
        throw UsageError(r.T(msg::kPeriodBoth));
    }
    std::optional<link::Frame> periodFrame;
    if (period) {
        if (!IsIsoDate(*o.from) || !IsIsoDate(*o.to)) {
            throw UsageError(r.T(Id::InvalidDate) + " " + (IsIsoDate(*o.from) ? *o.to : *o.from));
        }
        if (*o.from > *o.to) {
            throw UsageError(r.T(Id::FromAfterTo));
        }
        periodFrame = link::MakePeriodFrame(*o.from, *o.to);
    }
    const OutFile out = ResolveOutput(*o.output);
    if (const int refused = CheckOverwrite(out, o, r); refused != kExitOk) {
        return refused;
    }

    TableData data;
    data.company = o.company ? cp1250::FromUtf8(*o.company) : CompanyFromSettings();
    records::RecordTableState state;
    state.InterfaceLanguage = r.Lang();

    Link l;
    if (const int status = Connect(o, l, r); status != kExitOk) {
        return status;
    }

    TableCollector collector(data, state, r);
    records::ReceptionEnd end = records::ReceptionEnd::Silence;
    int announced = 0;
    try {
        announced = link::QueryRecordCount(true, l.port, l.rx);
        if (announced == 0) {
            r.Message(r.T(Id::NoDataInMemory));
            return kExitOk;
        }
        if (announced == -1) {
            r.Message(r.T(Id::WelderNotResponding));
            return kExitNoWelder;
        }
        end = records::RunTableDownload(
            l.port, l.rx, periodFrame ? *periodFrame : link::MakeFrame(link::kAllRecordsTemplate),
            period ? records::TableDownloadKind::Period : records::TableDownloadKind::AllRecords,
            state, data.grid, collector);
    } catch (const ECommError& e) {
        r.Message(r.T(msg::kLinkFailed) + PortErrorText(e, r.Lang()));
        end = records::ReceptionEnd::Silence;
        announced = -2;  // marks the port failure below
    }

    const auto finish = [&]() {
        data.periodFrom = state.PeriodFrom;
        data.periodTo = state.PeriodTo;
        data.language = state.DocumentLanguage == -1 ? state.InterfaceLanguage
                                                     : state.DocumentLanguage;
        return Render(data, out.kind);
    };
    const std::string received =
        r.T(msg::kRecordsReceived) + std::to_string(state.RecordsParsed);

    if (end == records::ReceptionEnd::Silence) {
        if (announced != -2) {
            r.Message(r.T(Id::WelderNotResponding) + " (" + r.T(msg::kWelderFellSilent) + ")");
        }
        r.Message(received);
        if (!o.keepPartial) {
            r.Message(r.T(msg::kPartialNotWritten));
            return kExitLinkFailed;
        }
        DropOpenRow(data.grid);
        if (WriteOutput(out, o, finish(), r) == kExitOk) {
            r.Message(r.T(msg::kPartialWritten) + out.path);
        }
        return kExitLinkFailed;
    }
    if (end == records::ReceptionEnd::NoData) {
        if (period) {
            r.Message(r.T(Id::NoFusionsInPeriod));
            return kExitOk;
        }
        r.Message(r.T(Id::NoFusionsInMemory));
    }

    int status = kExitOk;
    if (!period && state.RecordsParsed != announced) {
        r.Message(r.T(Id::CountMismatch1) + std::to_string(state.RecordsParsed) +
                  r.T(Id::CountMismatch2) + std::to_string(announced) +
                  r.T(Id::CountMismatch3));
        status = kExitIncomplete;
    } else if (const auto warning = records::CheckHeaderLines(state)) {
        r.Message(r.Lang() == 1 ? warning->english : warning->polish);
        status = kExitIncomplete;
    }
    if (const int written = WriteOutput(out, o, finish(), r); written != kExitOk) {
        return written;
    }
    if (status == kExitIncomplete) {
        r.Message(r.T(msg::kIncompleteWritten) + out.path);
    } else {
        r.Message(r.T(msg::kSaved1) + std::to_string(state.RecordsParsed) +
                  r.T(msg::kSavedRecords) + out.path);
    }
    return status;
}

// Collects the lines of a text download.
class TextCollector final : public link::TextLineSink {
public:
    explicit TextCollector(Reporter& r) : r_(r) {}
    void AddLine(std::string_view line) override {
        lines.emplace_back(line);
        r_.Progress(r_.T(msg::kLinesReceived) + std::to_string(lines.size()));
    }
    std::vector<std::string> lines;

private:
    Reporter& r_;
};

// Only text can hold text: HTML gets the window's refusal, CSV and JSON ours.
int RefuseTableKindForText(OutKind kind, Reporter& r) {
    if (kind == OutKind::Html) {
        throw UsageError(r.T(Id::HtmlNotForText));
    }
    if (kind != OutKind::Text) {
        throw UsageError(r.T(msg::kOnlyText));
    }
    return kExitOk;
}

int CmdText(const Options& o, Reporter& r) {
    if (!o.output) {
        throw UsageError(r.T(msg::kNeedOutput));
    }
    const OutFile out = ResolveOutput(*o.output);
    RefuseTableKindForText(out.kind, r);
    if (const int refused = CheckOverwrite(out, o, r); refused != kExitOk) {
        return refused;
    }
    Link l;
    if (const int status = Connect(o, l, r); status != kExitOk) {
        return status;
    }
    const auto kind =
        o.memory ? link::TextDownloadKind::WholeMemory : link::TextDownloadKind::AllFusions;
    TextCollector collector(r);
    std::string accumulator;
    try {
        link::RunTextDownload(l.port, l.rx, kind, accumulator, collector);
    } catch (const ECommError& e) {
        r.Message(r.T(msg::kLinkFailed) + PortErrorText(e, r.Lang()));
        r.Message(r.T(msg::kLinesReceived) + std::to_string(collector.lines.size()));
        if (!o.keepPartial) {
            r.Message(r.T(msg::kPartialNotWritten));
            return kExitLinkFailed;
        }
        if (WriteOutput(out, o, reports::WriteTextViewCopy(collector.lines), r) == kExitOk) {
            r.Message(r.T(msg::kPartialWritten) + out.path);
        }
        return kExitLinkFailed;
    }
    if (collector.lines.empty()) {
        r.Message(r.T(Id::WelderNotResponding));
        return kExitNoWelder;
    }
    if (const int written = WriteOutput(out, o, reports::WriteTextViewCopy(collector.lines), r);
        written != kExitOk) {
        return written;
    }
    r.Message(r.T(msg::kSaved1) + std::to_string(collector.lines.size()) + r.T(msg::kSavedLines) +
              out.path);
    return kExitOk;
}

int CmdErase(const Options& o, Reporter& r) {
    if (!o.yes) {
        r.Message(r.T(msg::kEraseRefused));
        return kExitUsage;
    }
    Link l;
    if (const int status = Connect(o, l, r); status != kExitOk) {
        return status;
    }
    link::EraseReply reply = link::EraseReply::NoAnswer;
    try {
        reply = link::EraseMemory(l.port, l.rx);
    } catch (const ECommError& e) {
        r.Message(r.T(msg::kLinkFailed) + PortErrorText(e, r.Lang()));
        return kExitLinkFailed;
    }
    switch (reply) {
        case link::EraseReply::Erased:
            r.Result(r.T(Id::MemoryErased));
            return kExitOk;
        case link::EraseReply::Refused:
            r.Message(r.T(Id::EraseFailed));
            return kExitNoWelder;
        case link::EraseReply::NoAnswer:
            break;
    }
    r.Message(r.T(msg::kEraseNoAnswer));
    return kExitNoWelder;
}

int CmdConvert(const Options& o, Reporter& r) {
    const std::string& in = o.positional[0];
    const OutFile out = ResolveOutput(o.positional[1]);
    std::vector<std::string> lines;
    int error = 0;
    if (!reports::LoadFileLines(in, lines, &error)) {
        r.Message(r.T(msg::kCannotRead) + in + "': " + std::strerror(error));
        return kExitUnexpected;
    }
    if (reports::ReportKindOf(in) != reports::ReportKind::Html) {
        // Any other file is text, as the window's Open loads it into its
        // text view; only text can be written from it.
        RefuseTableKindForText(out.kind, r);
        return WriteOutput(out, o, reports::WriteTextViewCopy(lines), r);
    }
    reports::TagCursors cursors{};
    const reports::HtmlImportResult imported =
        reports::ImportHtmlReport(lines, cursors, r.Lang());
    if (!imported.IsReport) {
        r.Message(r.T(Id::NotAReport));
        return kExitNotAReport;
    }
    TableData data;
    reports::LoadRowsIntoGrid(imported.Rows, data.grid);
    data.company = imported.CompanyName;
    data.typeLine = imported.TypeLine;
    data.downloadTime = imported.DownloadTime;
    data.periodFrom = imported.PeriodFrom;
    data.periodTo = imported.PeriodTo;
    data.language = imported.DocumentLanguage == -1 ? r.Lang() : imported.DocumentLanguage;
    return WriteOutput(out, o, Render(data, out.kind), r);
}

int Dispatch(const Options& o, Reporter& r) {
    if (o.command == "ports") {
        return CmdPorts(r);
    }
    if (o.command == "find") {
        return CmdFind(o, r);
    }
    if (o.command == "download") {
        return CmdDownload(o, r);
    }
    if (o.command == "text") {
        return CmdText(o, r);
    }
    if (o.command == "erase") {
        return CmdErase(o, r);
    }
    return CmdConvert(o, r);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Console& console) {
    std::uint8_t lang = PreScanLanguage(args);
    try {
        const Options o = ParseCommandLine(args, lang);
        lang = o.lang;
        Reporter r(console, lang);
        if (o.version) {
            r.Result("tavelin-cli " + std::string(text::Get(Id::Version).en));
            return kExitOk;
        }
        if (o.command.empty()) {
            if (o.help) {
                console.out << (lang == 1 ? kHelpEn : kHelpPl) << std::flush;
                return kExitOk;
            }
            throw UsageError(Tr(msg::kNoCommand, lang));
        }
        if (o.help) {
            const auto& helps = CommandHelps();
            const auto found = helps.find(o.command);
            if (found == helps.end()) {
                throw UsageError(Tr(msg::kUnknownCommand, lang) + o.command);
            }
            console.out << (lang == 1 ? found->second.en : found->second.pl) << std::flush;
            return kExitOk;
        }
        CheckCommand(o);
        const int status = Dispatch(o, r);
        // A result that could not be printed (a full disk behind stdout) is
        // a failure too.
        console.out.flush();
        if (status == kExitOk && !console.out) {
            r.Message(Tr(Id::UnexpectedError, lang) + std::strerror(EIO));
            return kExitUnexpected;
        }
        return status;
    } catch (const UsageError& e) {
        Reporter r(console, lang);
        r.Message("tavelin-cli: " + e.Message());
        r.Message(Tr(msg::kTryHelp, lang));
        return kExitUsage;
    } catch (const ECommError& e) {
        Reporter r(console, lang);
        r.Message(PortErrorText(e, lang));
        return kExitLinkFailed;
    } catch (const std::exception& e) {
        Reporter r(console, lang);
        r.Message(Tr(Id::UnexpectedError, lang) + e.what());
        return kExitUnexpected;
    } catch (...) {
        Reporter r(console, lang);
        r.Message(Tr(Id::UnexpectedError, lang) + "?");
        return kExitUnexpected;
    }
}

}  // namespace tav::cli
