// The command-line parser on any arguments: it gives an invocation or says why not, never
// both, and the request built from an invocation is complete.
#include <algorithm>
#include <string>

#include "cli/CliApp.h"
#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {

int FuzzCliArguments(const std::uint8_t* data, std::size_t size) {
    // Each argument ends with a NUL byte; bytes after the last one make a last argument.
    std::vector<std::string> arguments;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        arguments.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    const cli::ParsedArguments parsed = cli::ParseArguments(arguments);
    Check(parsed.invocation.has_value() != !parsed.error.empty(),
          "an invocation or an error, never both");
    if (parsed.invocation && parsed.invocation->command == cli::Command::kGenerate) {
        static const CTemplateTable table = [] {
            CTemplateTable loaded;
            loaded.LoadBytes("[Template]\nT = h.txt, c.txt\n[T]\n$$SNAME$$ = b, CBase\n");
            return loaded;
        }();
        const GenerationRequest request =
            cli::BuildRequest(table, parsed.invocation->generate, "/cwd");
        Check(parsed.invocation->generate.outputFolder || request.outputFolder == "/cwd",
              "no output folder means the current directory");
    }
    return 0;
}

}  // namespace tavrin::fuzz
