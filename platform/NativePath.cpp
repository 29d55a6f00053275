#include "platform/NativePath.h"

#include "platform/CodePage.h"

namespace tavrin::platform {

bool EndsWithSeparator(std::string_view folder) {
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < folder.size(); pos += cp932::CharLength(folder, pos)) {
        last = pos;
    }
    return !folder.empty() && last + 1 == folder.size() &&
           (folder[last] == '\\' || folder[last] == '/');
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!folder.empty() && !EndsWithSeparator(folder)) {
        out.push_back(kNativeSeparator);
    }
    out.append(name);
    return out;
}

}  // namespace tavrin::platform
