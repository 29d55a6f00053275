#include <iostream>

#include "cli/CliApp.h"
#include "cli/TerminalEncoding.h"

int main(int argc, char** argv) {
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
