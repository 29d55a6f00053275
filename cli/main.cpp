#include <iostream>

#include "cli/CliApp.h"
#include "cli/TerminalEncoding.h"
#include "cli/TerminalStreams.h"

namespace {

template <typename Char>
int RunCli(int argc, Char** argv) {
    tavrin::cli::TerminalStreams streams;
    std::vector<std::string> arguments;
    std::string unconvertible;
    if (!tavrin::cli::ArgumentsAsCp932(argc, argv, arguments, unconvertible)) {
        std::cerr << "tavrin-cli: \"" << unconvertible
                  << "\" holds characters that code page 932 cannot hold\n";
        return tavrin::cli::kExitUsage;
    }
    tavrin::cli::CliApp app(std::cout, std::cerr, tavrin::cli::ReadTerminalLine);
    return app.Run(arguments);
}

}  // namespace

#ifdef _WIN32
// The wide entry point: the narrow arguments have already lost what the ANSI code page cannot
// hold, which on a Western system is every Japanese character.
int wmain(int argc, wchar_t** argv) {
    return RunCli(argc, argv);
}
#else
int main(int argc, char** argv) {
    return RunCli(argc, argv);
}
#endif
