// tavelin-welder-sim: a simulated electrofusion welder on a pseudo-terminal,
// published as a port name (COMn) that Tavelin finds. Runs until SIGINT or
// SIGTERM.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "sim/Records.h"
#include "sim/Server.h"

namespace {

constexpr const char* kHelp = R"(Usage: tavelin-welder-sim [options]

Simulated electrofusion welder. Answers Tavelin's command frames on a
pseudo-terminal that it publishes as a port name: a symlink COMn in a ports
directory. Start Tavelin with TAVELIN_PORTS set to that directory and it
finds the welder there. Runs until interrupted (Ctrl+C, SIGINT or SIGTERM),
then removes its link.

Port:
  --ports-dir DIR     publish the link in DIR (created when missing, kept at
                      exit). Default: $TAVELIN_PORTS when set, otherwise a new
                      temporary directory, removed at exit.
  --com NAME          the link's name, COM1..COM20 or just the number
                      (default COM3).
  On start the program prints the directory, the link and the slave device.

Memory:
  --records FILE      load the welder's records from FILE (format below).
  --generate N        N generated records (default 24 when --records is not
                      given); dates ascending from 2009.03.02 over 60 days.
  --sites K           spread generated records over K construction sites
                      (default 3).
  --seed S            generator seed (default 1); the same seed gives the same
                      records.
  --save-records FILE also write the records in use to FILE, in the records
                      file format, then go on.

Welder:
  --language LANG     pl, en, cs or ro (default pl): the wording of the type
                      line, header, site and closing lines.
  --download-time "YYYY.MM.DD HH:MM"
                      the download time written into answers (default: the
                      local time).
  --pace              send at the real line rate of 9600 baud 8N1 (960 bytes
                      per second); without it answers go out at once.

Faults (all off by default; k counts the lines of a bulk answer - "TZC",
"TZD", "TZK" - already sent, 0 meaning before the first line):
  --silent            answer nothing at all.
  --no-type-line      answer identify ("ZGRZ") but never send the type line.
  --count-delta D     the record count reply is off by D (kept within 0..9999).
  --raw-reply CMD=BYTES
                      send BYTES in place of the answer to CMD (TZA, TZB, TZF,
                      TZC, TZD, TZK, TZERASE); escapes \r \n \t \\ \xHH, e.g.
                      --raw-reply 'TZF=12A4\r\n' or --raw-reply 'TZERASE=OK\n\r'.
                      Repeatable.
  --answer-as CMD=OTHER
                      answer CMD as if OTHER had been asked, e.g. TZC=TZK.
                      Repeatable.
  --lowercase-erase   acknowledge an erase with "ok" CR LF.
  --stall-after K     pause after line K of bulk answers ...
  --stall-ms T        ... for T milliseconds (default 1500).
  --hang-up-after K   close the pseudo-terminal after line K of the first bulk
                      answer, as an unplugged cable; the program's reads then
                      see end-of-file. The simulator keeps running.
  --overlong-after K  send a line of more than 10000 bytes after line K ...
  --overlong-length L ... of L bytes (default 10100).
  --garbage-prefix N  send N random bytes in front of every answer.
  --garbage-lines N   send a line of N random bytes between the lines of bulk
                      answers. Random bytes are control bytes and bytes
                      128..255, never CR, LF or 26.
  --talker            send without pause all the time, answering nothing.

  -h, --help          this text.

Records file format (bytes as stored: ASCII or Windows-1250; LF or CR LF):
  # comment; blank lines are ignored
  site 1024
  2009.03.15;07:42;1;12;A;ZKP;M 110;39.5;39.4;120;120;10;10;21;1.25;+
  "site ID" (at most 8 bytes) starts a construction site for the records
  after it. A record holds 16 fields separated by ';': date YYYY.MM.DD, time,
  operator, fusion number, A/M, fitting manufacturer, fitting type, voltage
  set and achieved, fusion time set and achieved, cooling time set and
  achieved, ambient temperature, resistance, evaluation (+ - 1 2 3). Each
  field fits its column of the welder's 79-character record line (10, 5, 2,
  4, 1, 4, 10, 4, 4, 3, 3, 2, 2, 3, 4, 2 characters).

Exit status: 0 after a signal, 1 when the welder cannot start, 2 for a wrong
option.
)";

[[noreturn]] void Usage(const std::string& message) {
    std::fprintf(stderr, "tavelin-welder-sim: %s\nTry --help.\n", message.c_str());
    std::exit(2);
}

// Backslash escapes of --raw-reply.
std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        switch (c) {
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case '\\':
                out += '\\';
                break;
            case 'x': {
                const std::string hex(text.substr(i + 1, 2));
                char* end = nullptr;
                const long v = std::strtol(hex.c_str(), &end, 16);
                if (hex.size() != 2 || end != hex.c_str() + 2) {
                    Usage("bad \\x escape in " + std::string(text));
                }
                out += static_cast<char>(v);
                i += 2;
                break;
            }
            default:
                Usage("unknown escape \\" + std::string(1, c));
        }
    }
    return out;
}

long Number(const std::string& option, const char* text, long lo, long hi) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) {
        Usage(option + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi));
    }
    return v;
}

std::pair<std::string, std::string> CommandPair(const std::string& option, const char* text,
                                                bool escapes) {
    const std::string_view arg(text);
    const std::size_t eq = arg.find('=');
    if (eq == std::string_view::npos) {
        Usage(option + " needs CMD=...");
    }
    const std::string command(arg.substr(0, eq));
    if (tav::sim::CommandOf(command + "XXXXXXXXXXXXXXXXXXXXX") != command) {
        Usage("unknown command " + command + " (TZA TZB TZF TZC TZD TZK TZERASE)");
    }
    std::string value(arg.substr(eq + 1));
    if (escapes) {
        value = Unescape(value);
    } else if (tav::sim::CommandOf(value + "XXXXXXXXXXXXXXXXXXXXX") != value) {
        Usage("unknown command " + value);
    }
    return {command, value};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tav::sim;
    std::string portsDir;
    std::string comName = "COM3";
    std::string recordsFile;
    std::string saveFile;
    std::optional<std::size_t> generate;
    GeneratorOptions gen;
    gen.count = 24;
    Language language = Language::Polish;
    std::string stamp;
    bool pace = false;
    Faults faults;
    bool stallMsGiven = false;

    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                Usage(opt + " needs a value");
            }
            return argv[++i];
        };
        if (opt == "-h" || opt == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (opt == "--ports-dir") {
            portsDir = value();
        } else if (opt == "--com") {
            std::string name = value();
            if (name.rfind("COM", 0) == 0) {
                name = name.substr(3);
            }
            comName = "COM" + std::to_string(Number("--com", name.c_str(), 1, 20));
        } else if (opt == "--records") {
            recordsFile = value();
        } else if (opt == "--generate") {
            generate = static_cast<std::size_t>(Number(opt, value(), 0, 9999));
        } else if (opt == "--sites") {
            gen.sites = static_cast<std::size_t>(Number(opt, value(), 1, 9999));
        } else if (opt == "--seed") {
            gen.seed = static_cast<std::uint32_t>(Number(opt, value(), 0, 2147483647));
        } else if (opt == "--save-records") {
            saveFile = value();
        } else if (opt == "--language") {
            const auto lang = ParseLanguage(value());
            if (!lang) {
                Usage("--language takes pl, en, cs or ro");
            }
            language = *lang;
        } else if (opt == "--download-time") {
            stamp = value();
        } else if (opt == "--pace") {
            pace = true;
        } else if (opt == "--silent") {
            faults.silent = true;
        } else if (opt == "--no-type-line") {
            faults.noTypeLine = true;
        } else if (opt == "--count-delta") {
            faults.countDelta = static_cast<int>(Number(opt, value(), -9999, 9999));
        } else if (opt == "--raw-reply") {
            const auto [command, bytes] = CommandPair(opt, value(), true);
            faults.rawReply[command] = bytes;
        } else if (opt == "--answer-as") {
            const auto [command, other] = CommandPair(opt, value(), false);
            faults.answerAs[command] = other;
        } else if (opt == "--lowercase-erase") {
            faults.lowerCaseErase = true;
        } else if (opt == "--stall-after") {
            faults.stallAfterLine = static_cast<int>(Number(opt, value(), 0, 1000000));
        } else if (opt == "--stall-ms") {
            faults.stallMs = static_cast<std::uint32_t>(Number(opt, value(), 0, 3600000));
            stallMsGiven = true;
        } else if (opt == "--hang-up-after") {
            faults.hangUpAfterLine = static_cast<int>(Number(opt, value(), 0, 1000000));
        } else if (opt == "--overlong-after") {
            faults.overlongAfterLine = static_cast<int>(Number(opt, value(), 0, 1000000));
        } else if (opt == "--overlong-length") {
            faults.overlongLength = static_cast<std::size_t>(Number(opt, value(), 1, 10000000));
        } else if (opt == "--garbage-prefix") {
            faults.garbagePrefix = static_cast<std::size_t>(Number(opt, value(), 0, 100000));
        } else if (opt == "--garbage-lines") {
            faults.garbageLineLength = static_cast<std::size_t>(Number(opt, value(), 0, 100000));
        } else if (opt == "--talker") {
            faults.talker = true;
        } else {
            Usage("unknown option " + opt);
        }
    }
    if (faults.stallAfterLine >= 0 && !stallMsGiven) {
        faults.stallMs = 1500;
    }
    if (!recordsFile.empty() && generate) {
        Usage("--records and --generate exclude each other");
    }

    RecordStore store;
    try {
        if (!recordsFile.empty()) {
            store = LoadRecordFile(recordsFile);
        } else {
            gen.count = generate.value_or(gen.count);
            store = GenerateRecords(gen);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavelin-welder-sim: %s\n", e.what());
        return 1;
    }
    if (!saveFile.empty()) {
        std::FILE* out = std::fopen(saveFile.c_str(), "wb");
        const std::string text = FormatRecordText(store);
        if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
            std::fclose(out) != 0) {
            std::fprintf(stderr, "tavelin-welder-sim: cannot write %s\n", saveFile.c_str());
            return 1;
        }
    }

    bool ownDir = false;
    if (portsDir.empty()) {
        if (const char* env = std::getenv("TAVELIN_PORTS"); env != nullptr && *env != '\0') {
            portsDir = env;
        } else {
            const char* tmp = std::getenv("TMPDIR");
            std::string templ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                                "/tavelin-ports-XXXXXX";
            if (mkdtemp(templ.data()) == nullptr) {
                std::fprintf(stderr, "tavelin-welder-sim: cannot make a temporary directory: %s\n",
                             std::strerror(errno));
                return 1;
            }
            portsDir = templ;
            ownDir = true;
        }
    }
    if (!ownDir && mkdir(portsDir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "tavelin-welder-sim: cannot make %s: %s\n", portsDir.c_str(),
                     std::strerror(errno));
        return 1;
    }

    // The signals are taken by sigwait below; the server thread inherits the
    // blocked mask, so they always reach this thread.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    WelderServer server(std::move(store), language);
    server.SetFaults(faults);
    server.SetPacing(pace);
    server.SetDownloadTime(stamp);
    const std::string link = portsDir + "/" + comName;
    int status = 0;
    try {
        server.Start();
        if (!server.Publish(link)) {
            std::fprintf(stderr, "tavelin-welder-sim: cannot make the link %s: %s\n", link.c_str(),
                         std::strerror(errno));
            status = 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavelin-welder-sim: %s\n", e.what());
        status = 1;
    }
    if (status == 0) {
        std::printf(
            "Ports directory: %s\n%s -> %s\nRecords: %zu, language: %s%s\n"
            "Start Tavelin with: TAVELIN_PORTS=%s\n",
            portsDir.c_str(), comName.c_str(), server.SlavePath().c_str(), server.Records().size(),
            LanguageCode(language), pace ? ", paced" : "", portsDir.c_str());
        std::fflush(stdout);
        int sig = 0;
        sigwait(&signals, &sig);
    }
    server.Stop();
    if (ownDir) {
        rmdir(portsDir.c_str());
    }
    return status;
}
