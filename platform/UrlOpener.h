#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::platform {

// Result codes of opening a link, in the numbering of the Windows shell: a code above
// kOpenedAbove means the target was opened or the command started; the others name the
// reason it was not (2 file not found, 5 access denied, 31 no associated application, ...).
inline constexpr int kOpenedAbove = 32;

// Opening a link target (a URL or a "mailto:" address, code page 932) with what the user's
// system offers. An interface, so that the code deciding what to open can be tested without
// ever starting a program.
class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;

    // Opens `target` with the system's handler for it: the shell's "open" on Windows,
    // xdg-open on POSIX.
    virtual int OpenWithDefaultHandler(std::string_view target) = 0;

    // The command line registered for opening web pages, with "%1" where the page goes
    // (Windows: the open command of the ".htm" file type; POSIX: the Exec line of the
    // default text/html application). Nothing when none is registered or it cannot be read.
    virtual std::optional<std::string> RegisteredBrowserCommand() = 0;

    // Starts `commandLine` (program and arguments, blank-separated, double quotes grouping)
    // without waiting for it to finish. Never runs it through a command interpreter.
    virtual int RunCommand(std::string_view commandLine) = 0;
};

// The opener of the running system.
IUrlOpener& SystemUrlOpener();

}  // namespace tavrin::platform
