#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>

#include "cli/CliApp.h"
#include "cli/Messages.h"
#include "cli/TerminalEncoding.h"
#include "engine/StringTable.h"
#include "platform/CurrentDirectory.h"
#include "platform/Terminal.h"
#include "platform/TextFile.h"

namespace {

using tavrin::cli::Tr;
using tavrin::cli::UsageText;
using tavrin::platform::NativeToTerminal;
using tavrin::platform::ToTerminal;

// What did not reach the reader was not done: a listing lost on a full disk or a closed pipe
// must not look like success to a script, whatever the command itself achieved. A reader that
// closed the pipe early (`| head -1`) stopped reading on purpose: that is not worth a message.
int CheckStandardStreams(const tavrin::platform::TerminalStreams& streams, int status) {
    std::cout.flush();
    const bool outWritten = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!outWritten && !streams.OutputReaderGone()) {
        std::cerr << "tavrin-cli: " << ToTerminal(Tr("cannot write standard output")) << '\n';
    }
    std::cerr.flush();
    const bool errWritten = std::cerr.good() && std::fflush(stderr) == 0 && !std::ferror(stderr);
    return outWritten && errWritten ? status : tavrin::cli::kExitFailed;
}

}  // namespace

namespace {

template <typename Char>
int RunCli(int argc, Char** argv) {
    tavrin::platform::TerminalStreams streams;
    // The leading -C folders are entered here, and only here, as the system names them: before
    // any argument passes through code page 932, so that tavrin-cli works in folders whose names
    // code page 932 cannot hold.
    const std::vector<std::filesystem::path> native = tavrin::cli::NativeArguments(argc, argv);
    std::size_t skip = 0;
    while (skip < native.size() && native[skip] == "-C") {
        if (skip + 1 == native.size()) {
            std::cerr << "tavrin-cli: " << ToTerminal(Tr("option -C needs a folder")) << '\n'
                      << UsageText();
            return CheckStandardStreams(streams, tavrin::cli::kExitUsage);
        }
        if (!tavrin::platform::ChangeCurrentDirectoryNative(native[skip + 1])) {
            // The folder as the system names it, which code page 932 may not hold.
            const std::string folder = NativeToTerminal(native[skip + 1]);
            const std::string_view inserts[] = {folder};
            std::cerr << "tavrin-cli: "
                      << tavrin::FormatText(ToTerminal(Tr("cannot change to folder \"%s\"")),
                                            inserts)
                      << '\n'
                      << UsageText();
            return CheckStandardStreams(streams, tavrin::cli::kExitUsage);
        }
        skip += 2;
    }
    std::vector<std::string> arguments;
    std::string unconvertible;
    if (!tavrin::cli::ArgumentsAsCp932(argc, argv, arguments, unconvertible, skip)) {
        // The argument as typed: terminal text already.
        const std::string_view inserts[] = {unconvertible};
        std::cerr << "tavrin-cli: "
                  << tavrin::FormatText(
                         ToTerminal(Tr("\"%s\" holds characters that code page 932 cannot hold")),
                         inserts)
                  << '\n';
        return CheckStandardStreams(streams, tavrin::cli::kExitUsage);
    }
    // Ctrl-C in the middle of a generation must not leave a hidden half-written file behind.
    tavrin::platform::RemoveTemporaryFilesOnInterrupt();
    tavrin::cli::CliApp app(std::cout, std::cerr, tavrin::platform::ReadTerminalLine);
    int status = tavrin::cli::kExitFailed;
    try {
        status = app.Run(arguments);
    } catch (const std::bad_alloc&) {
        // The engine fails a generation that does not fit by itself; this is for the rest.
        std::cerr << "tavrin-cli: " << ToTerminal(Tr("out of memory")) << '\n';
    }
    return CheckStandardStreams(streams, status);
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
