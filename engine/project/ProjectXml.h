#pragma once

#include <string>
#include <string_view>

// Adding a class's two files to a C++ project file (.vcxproj) or its filters file
// (.vcxproj.filters) the way the IDE's class wizard does. The file is parsed to find where the
// items belong, and the new items are then inserted into the original bytes as text: every
// other byte (byte order mark, encoding, line ends, indentation, attribute order, comments)
// stays as the user's tools wrote it, which rewriting the document from a tree would not keep.
namespace tavrin {

enum class ProjectFileKind {
    kProject,  // items as <ClInclude Include="..." />
    kFilters,  // items with the <Filter> they are shown under
};

struct ProjectXmlEdit {
    enum class Status {
        kChanged,
        kUnchanged,    // every item asked for was there already
        kNotXml,       // not well-formed XML
        kNotProject,   // no Project root in the build system's namespace
        kOldFormat,    // a project of the IDE's 2008 format (.vcproj)
        kBadEncoding,  // neither UTF-8 nor UTF-16 behind its mark, or broken UTF-16
        kNotUtf8,      // no mark, no encoding declared, and bytes that are not UTF-8
        kTooLarge,     // the file does not fit in the memory there is to edit it
    };
    Status status = Status::kUnchanged;
    std::string bytes;          // the whole new file when changed
    std::string detail;         // what the parser found wrong, and where
    bool headerListed = false;  // the file had the header already
    bool sourceListed = false;
};

// The class's two files as items of a project. Both are UTF-8 paths relative to the folder of
// the file that lists them, with "\" separators, as the IDE writes them; an empty one is not
// added. Items of a shared-items project (.vcxitems), which other projects import, are written
// behind $(MSBuildThisFileDirectory): a bare relative path in an imported file would resolve
// against each importing project instead.
struct ClassItems {
    std::string header;  // ClInclude
    std::string source;  // ClCompile
    bool sharedItems = false;
};

// The items added to the file's bytes, each where the IDE would put it: in the first group
// without a condition that holds items of its kind, before the first of them whose Include
// sorts after it (ordinal, ignoring case, as the build system compares), else after the last.
// An item the file has already is not added again: the same path in another letter case,
// with "/" for "\", a leading ".\", a prefix naming the project's folder, the build
// system's %XX escapes, or matched by a wildcard Include (and not by its Exclude).
ProjectXmlEdit AddClassItems(std::string_view fileBytes, ProjectFileKind kind,
                             const ClassItems& items);

// The file's text as code page 932, for showing a change on the terminal: a project file
// without a byte order mark is UTF-8, where other text files are code page 932.
std::string ProjectTextForDisplay(std::string_view fileBytes);

}  // namespace tavrin
