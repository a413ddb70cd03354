// tavelin-cli: the welder commands and report conversion without a window,
// for scripts and unattended downloads. Every command runs the program's own
// link, receive loops, line classifier and report writers; this unit only
// reads the command line, drives them and reports the outcome.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tav::cli {

// Exit statuses. A failure never ends with 0.
enum ExitCode : int {
    kExitOk = 0,
    kExitUnexpected = 1,  // anything not covered below
    kExitUsage = 2,       // wrong command line, or a request the data cannot meet
    kExitNoWelder = 3,    // no welder answered (or it did not acknowledge)
    kExitIncomplete = 4,  // records or header lines missing; the report is written
    kExitCannotWrite = 5, // the output file cannot be written (or exists, without --force)
    kExitNotAReport = 6,  // an HTML file without its report marker
    kExitLinkFailed = 7,  // the link failed in the middle of a command
};

struct Console {
    std::ostream& out;  // results: port lists, the welder found
    std::ostream& err;  // messages and progress
    // Progress is shown on `err` only when it is a terminal.
    bool progress = false;
};

// Runs one command line (without the program name) and returns the exit
// status. Never throws.
int RunCli(const std::vector<std::string>& args, Console& console);

}  // namespace tav::cli
