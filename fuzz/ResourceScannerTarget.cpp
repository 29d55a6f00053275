// The resource script scanner on any bytes, with or without a byte order mark: every ID it
// lists is the start of a line of the script.
#include <string>
#include <string_view>

#include "engine/ResourceScanner.h"
#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {

int FuzzResourceScanner(const std::uint8_t* data, std::size_t size) {
    CResourceScanner scanner;
    const bool found =
        scanner.ScanBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(found == !scanner.GetIds().empty(), "Scan is true exactly when an ID was found");
    for (const std::string& id : scanner.GetIds()) {
        Check(!id.empty(), "an ID is never empty");
        Check(id.find_first_of(" \n") == std::string::npos, "an ID holds no space or line feed");
    }
    return 0;
}

}  // namespace tavrin::fuzz
