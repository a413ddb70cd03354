// tavelin-cli: the program's welder commands and report conversion for
// scripts and machines without a desktop. See docs/cli.md.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    tav::cli::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    return tav::cli::RunCli(args, console);
}
