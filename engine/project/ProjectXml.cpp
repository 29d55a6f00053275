#include "engine/project/ProjectXml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <vector>

#include "engine/Mbcs.h"
#include "engine/TextEncoding.h"
#include "platform/CodePage.h"

namespace tavrin {

namespace {

constexpr std::string_view kBuildNamespace = "http://schemas.microsoft.com/developer/msbuild/2003";

// The filters the IDE makes for a new project, with the identifiers and extensions it gives
// them, for a filters file that has none yet.
struct StandardFilter {
    std::string_view name;
    std::string_view identifier;
    std::string_view extensions;
};
constexpr StandardFilter kHeaderFilter = {"Header Files", "{93995380-89BD-4b04-88EB-625FBE52EBFB}",
                                          "h;hh;hpp;hxx;h++;hm;inl;inc;ipp;xsd"};
constexpr StandardFilter kSourceFilter = {"Source Files", "{4FC737F1-C7A5-4376-A066-2A32D752A2FF}",
                                          "cpp;c;cc;cxx;c++;cppm;ixx;def;odl;idl;hpj;bat;asm;asmx"};

// The file as UTF-8 and how to turn UTF-8 back into its bytes.
struct XmlText {
    TextEncoding encoding = TextEncoding::kCp932;  // kCp932 stands for UTF-8 without a mark
    std::string utf8;
};

bool Decode(std::string_view bytes, XmlText& text) {
    text.encoding = EncodingOfMark(bytes);
    if (text.encoding == TextEncoding::kCp932 && bytes.size() >= 2 &&
        (bytes[0] == '\0' || bytes[1] == '\0')) {
        return false;  // UTF-16 without its mark: not something the IDE writes
    }
    bool lossless = true;
    text.utf8 = ContentAsUtf8(bytes, text.encoding, lossless);
    // A broken UTF-16 unit would not come back as it was.
    return lossless;
}

std::string Encode(const XmlText& text) {
    return Utf8WithMark(text.utf8, text.encoding);
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The line of `offset` in `text`, counted from 1.
std::size_t LineOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// Where `text` stops being UTF-8 (overlong forms and surrogates included); npos when it is.
std::size_t InvalidUtf8At(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size()) {
            return i;
        }
        const auto second = static_cast<unsigned char>(text[i + 1 < text.size() ? i + 1 : i]);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
            return i;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return i;
            }
        }
        i += length;
    }
    return std::string_view::npos;
}

constexpr std::string_view kThisFileDirectory = "$(MSBuildThisFileDirectory)";

// The build system's own escapes for the characters it would otherwise read as list
// separators, item, property or metadata references, quotes or wildcards.
std::string EscapedForBuild(std::string_view path) {
    static constexpr std::string_view kSpecial = "%;$@'*?";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : path) {
        if (kSpecial.find(c) == std::string_view::npos) {
            out.push_back(c);
        } else {
            out += {'%', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
        }
    }
    return out;
}

// Whether Include value `a` sorts before `b` as the build system orders them when it adds an
// item: ordinal with ASCII letters in upper case, so that "_" and "\" come after every letter.
bool SortsBefore(std::string_view a, std::string_view b) {
    auto upper = [](char c) {
        return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return upper(x) < upper(y); });
}

// An Include value as the build system resolves it to files: escapes decoded, "/" as "\",
// ASCII letters folded (the IDE finds "./Src/A.h" and "src\a.h" to be the same file),
// wildcards kept apart from the characters they stand for.
using PathPattern = std::vector<int>;
constexpr int kAnyRun = -1;      // "*": any characters within one name
constexpr int kAnyOne = -2;      // "?": one character within one name
constexpr int kAnyFolders = -3;  // "**\": any number of whole folders, none included
constexpr int kAnyPath = -4;     // "**" elsewhere: anything

int HexValue(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// The properties that name the project's folder stand for nothing in a path relative to it.
// In a shared-items project only $(MSBuildThisFileDirectory) names its own folder; the others
// name the folder of the project that imports it.
std::string_view WithoutFolderProperty(std::string_view include, bool sharedItems) {
    static constexpr std::string_view kProperties[] = {kThisFileDirectory, "$(ProjectDir)",
                                                       "$(MSBuildProjectDirectory)"};
    for (std::size_t i = 0; i < (sharedItems ? 1 : std::size(kProperties)); ++i) {
        if (mbcs::StartsWithIgnoringAsciiCase(include, kProperties[i])) {
            include.remove_prefix(kProperties[i].size());
            while (!include.empty() && (include[0] == '\\' || include[0] == '/')) {
                include.remove_prefix(1);
            }
            break;
        }
    }
    return include;
}

PathPattern ComparablePath(std::string_view include, bool sharedItems) {
    const std::string_view path = WithoutFolderProperty(include, sharedItems);
    PathPattern out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (c == '*' && i + 1 < path.size() && path[i + 1] == '*') {
            const bool folders = i + 2 < path.size() && (path[i + 2] == '\\' || path[i + 2] == '/');
            out.push_back(folders ? kAnyFolders : kAnyPath);
            i += folders ? 2 : 1;
            continue;
        }
        if (c == '*' || c == '?') {
            out.push_back(c == '*' ? kAnyRun : kAnyOne);
            continue;
        }
        if (c == '%' && i + 2 < path.size() && HexValue(path[i + 1]) >= 0 &&
            HexValue(path[i + 2]) >= 0) {
            c = static_cast<char>(HexValue(path[i + 1]) * 16 + HexValue(path[i + 2]));
            i += 2;
        }
        out.push_back(c == '/' ? '\\' : static_cast<unsigned char>(mbcs::ToLowerAscii(c)));
    }
    while (out.size() > 2 && out[0] == '.' && out[1] == '\\') {
        out.erase(out.begin(), out.begin() + 2);
    }
    return out;
}

// Whether `pattern` matches all of the plain `path`; one row of the table at a time, from the
// end of the pattern, so that no wildcard can make it slow.
bool Matches(const PathPattern& pattern, const PathPattern& path) {
    const std::size_t n = path.size();
    std::vector<char> next(n + 1, 0);  // the rest of the pattern matches path from j on
    std::vector<char> row(n + 1, 0);
    next[n] = 1;
    for (std::size_t i = pattern.size(); i-- > 0;) {
        const int p = pattern[i];
        for (std::size_t j = n + 1; j-- > 0;) {
            const bool inName = j < n && path[j] != '\\';
            bool match = false;
            if (p == kAnyPath) {
                match = next[j] != 0 || (j < n && row[j + 1] != 0);
            } else if (p == kAnyRun) {
                match = next[j] != 0 || (inName && row[j + 1] != 0);
            } else if (p == kAnyOne) {
                match = inName && next[j + 1] != 0;
            } else if (p == kAnyFolders) {
                match = next[j] != 0;
                for (std::size_t k = j + 1; k <= n && !match; ++k) {
                    match = path[k - 1] == '\\' && next[k] != 0;
                }
            } else {
                match = j < n && path[j] == p && next[j + 1] != 0;
            }
            row[j] = match ? 1 : 0;
        }
        std::swap(row, next);
    }
    return next[0] != 0;
}

// Whether one of the ";"-separated paths of `list` names `path`.
bool ListNames(std::string_view list, const PathPattern& path, bool sharedItems) {
    while (!list.empty()) {
        std::size_t semicolon = std::min(list.find(';'), list.size());
        std::string_view part = list.substr(0, semicolon);
        while (!part.empty() && IsSpace(part.front())) {
            part.remove_prefix(1);
        }
        while (!part.empty() && IsSpace(part.back())) {
            part.remove_suffix(1);
        }
        if (!part.empty() && Matches(ComparablePath(part, sharedItems), path)) {
            return true;
        }
        list.remove_prefix(std::min(semicolon + 1, list.size()));
    }
    return false;
}

// Whether the existing item stands for the file at `path` already.
bool ItemNames(const pugi::xml_node& item, const PathPattern& path, bool sharedItems) {
    return ListNames(item.attribute("Include").value(), path, sharedItems) &&
           !ListNames(item.attribute("Exclude").value(), path, sharedItems);
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

// The end of the tag that opens at `lt`, past its ">"; a ">" inside a quoted attribute value
// does not end it.
std::size_t TagEnd(std::string_view text, std::size_t lt) {
    char quote = 0;
    for (std::size_t i = lt + 1; i < text.size(); ++i) {
        if (quote != 0) {
            quote = text[i] == quote ? 0 : quote;
        } else if (text[i] == '"' || text[i] == '\'') {
            quote = text[i];
        } else if (text[i] == '>') {
            return i + 1;
        }
    }
    return text.size();
}

std::size_t PastMarker(std::string_view text, std::size_t from, std::string_view marker) {
    std::size_t at = text.find(marker, from);
    return at == std::string_view::npos ? text.size() : at + marker.size();
}

// The end of the element whose start tag opens at `lt`, past its end tag. The parser has
// already found the document well-formed, so counting tags suffices; comments, character data
// sections and processing instructions are stepped over whole.
std::size_t ElementEnd(std::string_view text, std::size_t lt) {
    int depth = 0;
    std::size_t pos = lt;
    while (pos < text.size()) {
        pos = text.find('<', pos);
        if (pos == std::string_view::npos) {
            break;
        }
        std::string_view rest = text.substr(pos);
        if (rest.starts_with("<!--")) {
            pos = PastMarker(text, pos + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            pos = PastMarker(text, pos + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            pos = PastMarker(text, pos + 2, "?>");
        } else if (rest.starts_with("</")) {
            pos = TagEnd(text, pos);
            if (--depth == 0) {
                return pos;
            }
        } else {
            std::size_t end = TagEnd(text, pos);
            bool empty = end >= 2 && text[end - 2] == '/';
            if (!empty) {
                ++depth;
            } else if (depth == 0) {
                return end;
            }
            pos = end;
        }
    }
    return text.size();
}

// Where one new piece of text goes. Pieces at the same place keep the order they were made in.
struct Insertion {
    std::size_t at;
    std::function<std::string()> text;  // made at the end, when every item is known
};

class Editor {
public:
    Editor(std::string_view text, const pugi::xml_node& root, bool sharedItems)
        : m_text(text), m_root(root), m_sharedItems(sharedItems) {
        m_lineEnd = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
        m_indentUnit = DetectIndentUnit();
        m_emptyTagEnd = DetectEmptyTagEnd();
    }

    // Adds the item unless the file has it, in a filters file with the filter it is shown
    // under. False when the file has it.
    bool AddItem(const char* kind, std::string_view path, const StandardFilter& standard,
                 bool withFilter) {
        const std::string include =
            std::string(m_sharedItems ? kThisFileDirectory : "") + EscapedForBuild(path);
        const PathPattern wanted = ComparablePath(include, m_sharedItems);
        pugi::xml_node group;
        for (pugi::xml_node itemGroup : m_root.children("ItemGroup")) {
            for (pugi::xml_node item : itemGroup.children(kind)) {
                if (ItemNames(item, wanted, m_sharedItems)) {
                    return false;
                }
                // A group under a condition would build the class in some configurations only.
                if (!group && !itemGroup.attribute("Condition")) {
                    group = itemGroup;
                }
            }
        }
        std::string filter;
        if (withFilter) {
            filter = ChooseFilter(kind, standard);
        }
        if (group) {
            AddToGroup(group, kind, include, filter);
        } else {
            AddGroup(kind, include, filter);
        }
        return true;
    }

    bool Changed() const { return !m_insertions.empty(); }

    std::string Result() const {
        std::vector<Insertion> sorted = m_insertions;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Insertion& a, const Insertion& b) { return a.at < b.at; });
        std::string out;
        std::size_t from = 0;
        for (const Insertion& insertion : sorted) {
            out.append(m_text.substr(from, insertion.at - from));
            out.append(insertion.text());
            from = insertion.at;
        }
        out.append(m_text.substr(from));
        return out;
    }

private:
    void Insert(std::size_t at, std::string text) {
        m_insertions.push_back({at, [text = std::move(text)] { return text; }});
    }

    std::size_t Start(const pugi::xml_node& node) const {
        return static_cast<std::size_t>(node.offset_debug() - 1);
    }

    std::size_t End(const pugi::xml_node& node) const { return ElementEnd(m_text, Start(node)); }

    // What puts a new node where the node stands: the line end before it and the indentation
    // of its line, or the white space before it where it shares its line. Blank lines above it
    // are not copied: they belong where they are, and copying them doubled them with each item.
    std::string Separator(const pugi::xml_node& node) const {
        std::size_t start = Start(node);
        std::size_t from = start;
        while (from > 0 && IsSpace(m_text[from - 1])) {
            --from;
        }
        std::string_view space = m_text.substr(from, start - from);
        const std::size_t lf = space.rfind('\n');
        if (lf == std::string_view::npos) {
            return std::string(space);
        }
        const bool crlf = lf > 0 && space[lf - 1] == '\r';
        return (crlf ? "\r\n" : "\n") + std::string(space.substr(lf + 1));
    }

    static std::string Indentation(const std::string& separator) {
        std::size_t lf = separator.rfind('\n');
        return lf == std::string::npos ? std::string() : separator.substr(lf + 1);
    }

    // The separator one level deeper: nothing deeper where the items share one line.
    std::string Deeper(const std::string& separator) const {
        return separator.find('\n') == std::string::npos ? separator : separator + m_indentUnit;
    }

    // How far a child is indented beyond its parent in this file; two spaces, as the IDE
    // writes, when nothing shows it.
    std::string DetectIndentUnit() const {
        for (pugi::xml_node group : m_root.children()) {
            pugi::xml_node child = group.first_child();
            if (group.type() != pugi::node_element || child.type() != pugi::node_element) {
                continue;
            }
            std::string outer = Indentation(Separator(group));
            std::string inner = Indentation(Separator(child));
            if (Separator(child).find('\n') != std::string::npos && inner.size() > outer.size() &&
                inner.starts_with(outer)) {
                return inner.substr(outer.size());
            }
        }
        return "  ";
    }

    // " />" as the IDE writes an empty element, or "/>" where this file's items have no blank.
    std::string DetectEmptyTagEnd() const {
        for (pugi::xml_node group : m_root.children("ItemGroup")) {
            for (pugi::xml_node item : group.children()) {
                if (item.type() == pugi::node_element && !item.first_child()) {
                    std::size_t end = TagEnd(m_text, Start(item));
                    if (end >= 3 && m_text[end - 2] == '/') {
                        return m_text[end - 3] == ' ' ? " />" : "/>";
                    }
                }
            }
        }
        return " />";
    }

    std::string ItemText(const std::string& kind, std::string_view include,
                         const std::string& filter, const std::string& separator) const {
        std::string open = "<" + kind + " Include=\"" + Escaped(include) + "\"";
        if (filter.empty()) {
            return open + m_emptyTagEnd;
        }
        return open + ">" + Deeper(separator) + "<Filter>" + Escaped(filter) + "</Filter>" +
               separator + "</" + kind + ">";
    }

    // Into the group that holds the items of this kind, before the first of them that sorts
    // after the new one, whether or not the group is in order, as the IDE adds an item.
    void AddToGroup(const pugi::xml_node& group, const char* kind, std::string_view include,
                    const std::string& filter) {
        pugi::xml_node last;
        for (pugi::xml_node item : group.children(kind)) {
            if (SortsBefore(include, item.attribute("Include").value())) {
                std::string separator = Separator(item);
                Insert(Start(item), ItemText(kind, include, filter, separator) + separator);
                return;
            }
            last = item;
        }
        std::string separator = Separator(last);
        Insert(End(last), separator + ItemText(kind, include, filter, separator));
    }

    std::string GroupText(const std::string& separator, const std::string& content) const {
        return "<ItemGroup>" + Deeper(separator) + content + separator + "</ItemGroup>";
    }

    // A new group where the IDE puts one: after the last group of files, else before the
    // import of the C++ build rules, else at the end of the project.
    void AddGroupText(const std::function<std::string(const std::string&)>& content) {
        pugi::xml_node lastFiles;
        pugi::xml_node lastGroup;
        pugi::xml_node rules;
        for (pugi::xml_node child : m_root.children()) {
            std::string_view name = child.name();
            if (name == "ItemGroup") {
                lastGroup = child;
                if (!child.attribute("Label") && child.first_child().type() == pugi::node_element) {
                    lastFiles = child;
                }
            } else if (name == "Import" && !rules &&
                       std::string_view(child.attribute("Project").value())
                           .ends_with("Microsoft.Cpp.targets")) {
                rules = child;
            }
        }
        if (!lastFiles) {
            lastFiles = rules ? pugi::xml_node() : lastGroup;
        }
        if (lastFiles) {
            std::string separator = Separator(lastFiles);
            m_insertions.push_back({End(lastFiles), [this, separator, content] {
                                        return separator +
                                               GroupText(separator, content(Deeper(separator)));
                                    }});
        } else if (rules) {
            std::string separator = Separator(rules);
            m_insertions.push_back({Start(rules), [this, separator, content] {
                                        return GroupText(separator, content(Deeper(separator))) +
                                               separator;
                                    }});
        } else {
            // Nothing in the project to stand beside: before its end tag.
            std::size_t end = End(m_root);
            std::size_t close = m_text.rfind("</", end);
            while (close > 0 && IsSpace(m_text[close - 1])) {
                --close;
            }
            std::string separator = m_lineEnd + m_indentUnit;
            m_insertions.push_back({close, [this, separator, content] {
                                        return separator +
                                               GroupText(separator, content(Deeper(separator)));
                                    }});
        }
    }

    void AddGroup(const char* kind, std::string_view include, const std::string& filter) {
        std::string name(kind);
        std::string path(include);
        AddGroupText([this, name, path, filter](const std::string& separator) {
            return ItemText(name, path, filter, separator);
        });
    }

    // The filter that holds most of the items of this kind (the first of equals), else the
    // standard one, which is defined first when the file lacks it.
    std::string ChooseFilter(const char* kind, const StandardFilter& standard) {
        std::vector<std::pair<std::string, int>> counts;
        for (pugi::xml_node group : m_root.children("ItemGroup")) {
            for (pugi::xml_node item : group.children(kind)) {
                std::string filter = item.child("Filter").child_value();
                if (filter.empty()) {
                    continue;
                }
                auto found = std::find_if(counts.begin(), counts.end(),
                                          [&](const auto& count) { return count.first == filter; });
                if (found == counts.end()) {
                    counts.emplace_back(filter, 1);
                } else {
                    ++found->second;
                }
            }
        }
        auto most =
            std::max_element(counts.begin(), counts.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        if (most != counts.end()) {
            return most->first;
        }
        DefineFilter(standard);
        return std::string(standard.name);
    }

    void DefineFilter(const StandardFilter& standard) {
        pugi::xml_node lastFilter;
        for (pugi::xml_node group : m_root.children("ItemGroup")) {
            for (pugi::xml_node filter : group.children("Filter")) {
                if (standard.name == filter.attribute("Include").value()) {
                    return;
                }
                lastFilter = filter;
            }
        }
        if (lastFilter) {
            std::string separator = Separator(lastFilter);
            Insert(End(lastFilter), separator + FilterText(standard, separator));
            return;
        }
        // Both standard filters, when both are missing, go into one new group: the group is
        // placed when the first is needed and written out with all of them at the end.
        m_newFilters.push_back(standard);
        if (m_newFilters.size() > 1) {
            return;
        }
        auto filters = [this](const std::string& separator) {
            std::string text;
            for (const StandardFilter& filter : m_newFilters) {
                text += (text.empty() ? "" : separator) + FilterText(filter, separator);
            }
            return text;
        };
        // The IDE keeps the filters' own group first.
        for (pugi::xml_node group : m_root.children("ItemGroup")) {
            if (!group.attribute("Label") && group.first_child().type() == pugi::node_element) {
                std::string separator = Separator(group);
                m_insertions.push_back(
                    {Start(group), [this, separator, filters] {
                         return GroupText(separator, filters(Deeper(separator))) + separator;
                     }});
                return;
            }
        }
        AddGroupText(filters);
    }

    std::string FilterText(const StandardFilter& filter, const std::string& separator) const {
        std::string inner = Deeper(separator);
        return "<Filter Include=\"" + std::string(filter.name) + "\">" + inner +
               "<UniqueIdentifier>" + std::string(filter.identifier) + "</UniqueIdentifier>" +
               inner + "<Extensions>" + std::string(filter.extensions) + "</Extensions>" +
               separator + "</Filter>";
    }

    std::string_view m_text;
    pugi::xml_node m_root;
    bool m_sharedItems;
    std::string m_lineEnd;
    std::string m_indentUnit;
    std::string m_emptyTagEnd;
    std::vector<Insertion> m_insertions;
    std::vector<StandardFilter> m_newFilters;
};

bool IsUnicodeName(std::string_view encoding) {
    std::string folded;
    for (char c : encoding) {
        folded.push_back(mbcs::ToLowerAscii(c));
    }
    // The names XML and the IDE use; UTF-16 may name its byte order too.
    return folded.empty() || folded == "utf-8" || folded == "utf8" || folded == "utf-16" ||
           folded == "utf-16le" || folded == "utf-16be" || folded == "utf16";
}

}  // namespace

namespace {

ProjectXmlEdit EditItems(std::string_view fileBytes, ProjectFileKind kind,
                         const ClassItems& items) {
    ProjectXmlEdit edit;
    XmlText text;
    if (!Decode(fileBytes, text)) {
        edit.status = ProjectXmlEdit::Status::kBadEncoding;
        return edit;
    }
    // Line ends are left as they are, so that every node starts where it starts in the file.
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(
        text.utf8.data(), text.utf8.size(),
        (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_declaration, pugi::encoding_utf8);
    if (parsed.status == pugi::status_out_of_memory) {
        edit.status = ProjectXmlEdit::Status::kTooLarge;
        return edit;
    }
    if (!parsed) {
        edit.status = ProjectXmlEdit::Status::kNotXml;
        edit.detail = std::string(parsed.description()) + " on line " +
                      std::to_string(LineOf(text.utf8, static_cast<std::size_t>(parsed.offset)));
        return edit;
    }
    int roots = 0;
    std::string_view encoding;
    for (pugi::xml_node child : document.children()) {
        roots += child.type() == pugi::node_element ? 1 : 0;
        if (child.type() == pugi::node_declaration) {
            encoding = child.attribute("encoding").value();
        }
    }
    pugi::xml_node root = document.document_element();
    // Before its encoding, which is that of the system it was saved on.
    if (std::string_view(root.name()) == "VisualStudioProject") {
        edit.status = ProjectXmlEdit::Status::kOldFormat;
        return edit;
    }
    if (!IsUnicodeName(encoding)) {
        edit.status = ProjectXmlEdit::Status::kBadEncoding;
        edit.detail = "encoding " + std::string(encoding);
        return edit;
    }
    // The parser takes the bytes as they come; a file in the system's code page, as older
    // projects with a Japanese comment are, is not the UTF-8 that it claims or is assumed to be.
    const bool utf16 =
        text.encoding == TextEncoding::kUtf16Le || text.encoding == TextEncoding::kUtf16Be;
    const std::size_t invalid = utf16 ? std::string_view::npos : InvalidUtf8At(text.utf8);
    if (invalid != std::string_view::npos) {
        const bool declared = !encoding.empty() || text.encoding == TextEncoding::kUtf8;
        edit.status = declared ? ProjectXmlEdit::Status::kNotXml : ProjectXmlEdit::Status::kNotUtf8;
        edit.detail = std::string(declared ? "bytes that are not UTF-8 on line " : "line ") +
                      std::to_string(LineOf(text.utf8, invalid));
        return edit;
    }
    if (roots != 1) {
        edit.status = ProjectXmlEdit::Status::kNotXml;
        edit.detail = "more than one root element";
        return edit;
    }
    if (std::string_view(root.name()) != "Project" ||
        root.attribute("xmlns").value() != kBuildNamespace) {
        edit.status = ProjectXmlEdit::Status::kNotProject;
        edit.detail = std::string("root element ") + root.name();
        return edit;
    }
    std::size_t rootTagEnd = TagEnd(text.utf8, static_cast<std::size_t>(root.offset_debug() - 1));
    if (text.utf8[rootTagEnd - 2] == '/') {
        edit.status = ProjectXmlEdit::Status::kNotProject;
        edit.detail = "an empty Project element";
        return edit;
    }
    const bool withFilter = kind == ProjectFileKind::kFilters;
    Editor editor(text.utf8, root, items.sharedItems);
    edit.headerListed = !items.header.empty() &&
                        !editor.AddItem("ClInclude", items.header, kHeaderFilter, withFilter);
    edit.sourceListed = !items.source.empty() &&
                        !editor.AddItem("ClCompile", items.source, kSourceFilter, withFilter);
    if (!editor.Changed()) {
        return edit;
    }
    text.utf8 = editor.Result();
    edit.status = ProjectXmlEdit::Status::kChanged;
    edit.bytes = Encode(text);
    return edit;
}

}  // namespace

ProjectXmlEdit AddClassItems(std::string_view fileBytes, ProjectFileKind kind,
                             const ClassItems& items) {
    try {
        return EditItems(fileBytes, kind, items);
    } catch (const std::bad_alloc&) {
        ProjectXmlEdit edit;  // the parser says so itself; copies of the text throw
        edit.status = ProjectXmlEdit::Status::kTooLarge;
        return edit;
    }
}

std::string ProjectTextForDisplay(std::string_view fileBytes) {
    DecodedText decoded = DecodeText(fileBytes);
    if (decoded.encoding == TextEncoding::kCp932) {
        return platform::Utf8ToCp932(fileBytes);
    }
    return decoded.cp932;
}

}  // namespace tavrin
