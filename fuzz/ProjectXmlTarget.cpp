// The project editor: whatever the file holds, it either refuses it or inserts the items
// without taking a byte away, into a file that is still a project holding both of them.
// Input: header NUL source NUL flags NUL file bytes; the flags' first byte picks a filters
// file (bit 0) and a shared-items project (bit 1).
#include <string>

#include "engine/project/ProjectXml.h"
#include "fuzz/FuzzTargets.h"

namespace tavrin::fuzz {

namespace {

// A path as the registration hands one over: UTF-8 without control characters, and without
// the blanks at its ends that the build system would trim away.
bool UsablePath(std::string_view path) {
    if (!path.empty() && (path.front() == ' ' || path.back() == ' ')) {
        return false;
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || c == 0x7F) {
            return false;
        }
        if (c >= 0x80) {
            // Only two- and three-byte characters, as code page 932 yields.
            const std::size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE1 && c <= 0xEC ? 3 : 0;
            if (length == 0 || i + length > path.size()) {
                return false;
            }
            for (std::size_t k = 1; k < length; ++k) {
                if ((static_cast<unsigned char>(path[i + k]) & 0xC0) != 0x80) {
                    return false;
                }
            }
            i += length - 1;
        }
    }
    return true;
}

// Whether every byte of `old` is in `now`, in order.
bool Kept(std::string_view old, std::string_view now) {
    std::size_t at = 0;
    for (char c : old) {
        at = now.find(c, at);
        if (at == std::string_view::npos) {
            return false;
        }
        ++at;
    }
    return true;
}

}  // namespace

int FuzzProjectXml(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> fields = SplitFields(data, size, 4);
    if (!UsablePath(fields[0]) || !UsablePath(fields[1])) {
        return 0;
    }
    const unsigned flags = fields[2].empty() ? 0 : static_cast<unsigned char>(fields[2][0]);
    const ProjectFileKind kind =
        (flags & 1) != 0 ? ProjectFileKind::kFilters : ProjectFileKind::kProject;
    const ClassItems items{std::string(fields[0]), std::string(fields[1]), (flags & 2) != 0};
    const ProjectXmlEdit edit = AddClassItems(fields[3], kind, items);
    if (edit.status != ProjectXmlEdit::Status::kChanged) {
        return 0;
    }
    Check(Kept(fields[3], edit.bytes), "every byte of the file is kept");
    const ProjectXmlEdit again = AddClassItems(edit.bytes, kind, items);
    Check(again.status == ProjectXmlEdit::Status::kUnchanged, "a second run adds nothing");
    Check(
        again.headerListed == !items.header.empty() && again.sourceListed == !items.source.empty(),
        "the second run finds both items");
    return 0;
}

}  // namespace tavrin::fuzz
