#include "cli/TerminalEncoding.h"

#include <algorithm>

#include "platform/NativePath.h"
#include "platform/Terminal.h"

namespace tavrin::cli {

std::vector<std::filesystem::path> NativeArguments(int argc, NativeChar** argv) {
    return std::vector<std::filesystem::path>(argv + std::min(argc, 1), argv + argc);
}

bool ArgumentsAsCp932(int argc, NativeChar** argv, std::vector<std::string>& arguments,
                      std::string& unconvertible, std::size_t skip) {
    arguments.clear();
    bool ok = true;
    for (int i = 1 + static_cast<int>(skip); i < argc; ++i) {
        const std::filesystem::path argument(argv[i]);
        std::string cp932;
        if (!platform::FromNativePathExactly(argument, cp932) && ok) {
            unconvertible = platform::NativeToTerminal(argument);
            ok = false;
        }
        arguments.push_back(std::move(cp932));
    }
    return ok;
}

}  // namespace tavrin::cli
