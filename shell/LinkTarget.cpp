#include "shell/LinkTarget.h"

#include <optional>
#include <utility>

namespace tavrin::shell {

namespace {

// The part of a registered command that stays in front of the target.
std::string_view CommandBeforePlaceholder(std::string_view command) {
    // The bytes searched for are all below 0x40, so none of them can be the trail byte of a
    // double-byte character.
    std::size_t cut = command.find("\"%1\"");
    if (cut == std::string_view::npos) {
        cut = command.find("%1");
    }
    return command.substr(0, cut);
}

// The shell's result codes with the reasons the system gives for them.
constexpr std::pair<int, std::string_view> kOpenErrorReasons[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30,
     "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
     "processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

}  // namespace

std::string BuildFallbackCommand(std::string_view registeredCommand, std::string_view target) {
    std::string command(CommandBeforePlaceholder(registeredCommand));
    command += ' ';
    command += target;
    return command;
}

int OpenTarget(platform::IUrlOpener& opener, std::string_view target) {
    int result = opener.OpenWithDefaultHandler(target);
    if (IsOpened(result)) {
        return result;
    }
    std::optional<std::string> registered = opener.RegisteredBrowserCommand();
    if (!registered) {
        return result;
    }
    // A command that names no program before its placeholder would start the target itself
    // as a program; it is no usable registration.
    if (CommandBeforePlaceholder(*registered).find_first_not_of(" \t") == std::string_view::npos) {
        return result;
    }
    return opener.RunCommand(BuildFallbackCommand(*registered, target));
}

std::string OpenErrorReason(int code) {
    for (const auto& [known, reason] : kOpenErrorReasons) {
        if (known == code) {
            return std::string(reason);
        }
    }
    return "Unknown Error (" + std::to_string(code) + ") occurred.";
}

std::string OpenErrorMessage(int code) {
    return "Unable to open hyperlink:\n\n" + OpenErrorReason(code);
}

}  // namespace tavrin::shell
