#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/OutputWriter.h"

namespace tavrin {

// What became of adding a generated class to a project.
struct ProjectRegistration {
    enum class Status {
        kAdded,
        kAlreadyThere,      // the project held both files already
        kUnreadable,        // `file` could not be read
        kNotXml,            // `file` is not well-formed XML (`detail` says where)
        kNotProject,        // `file` has no Project root in the build system's namespace
        kBadEncoding,       // `file` is in an encoding other than UTF-8 or UTF-16
        kNotUtf8,           // `file` declares no encoding and is not UTF-8 (`detail`: the line)
        kOldFormat,         // `file` is a project of the IDE's 2008 format (.vcproj)
        kTooLarge,          // `file` does not fit in the memory there is to edit it
        kBadPath,           // a file's path cannot be written into the project
        kWriteFailed,       // `file` could not be written; neither file changed
        kHalfWritten,       // the filters could not be written, nor the project put back
        kSameFile,          // the filters file `file` is the project itself under another name
        kChangedMeanwhile,  // another program kept saving `file` while it was being edited
    };
    Status status = Status::kAdded;
    std::string file;
    std::string detail;
    std::vector<std::string> written;  // the files that changed, in the order written
    platform::WriteFailure failure = platform::WriteFailure::kOther;  // why `file` was not written
};

// The path of `file` as the project at `projectPath` names it: relative to the project's
// folder with "\" separators, or whole where they are on different drives. Code page 932 in
// and out; nothing when a path is not valid code page 932.
std::optional<std::string> ProjectRelativePath(std::string_view projectPath, std::string_view file);

// Reads and checks everything RegisterClassFiles will read (the project, and its filters file
// when there is one) without writing anything, so that a project it must refuse is refused
// before any other file is written. Nothing when all is well; else the refusal.
std::optional<ProjectRegistration> CheckProjectFiles(std::string_view projectPath);

// Adds the header and the source file to the project at `projectPath` (.vcxproj, or a shared-items
// .vcxitems) and to its filters file beside it ("<project>.filters"), when that exists. A file the
// project lists already is left out of the filters too: a filters file may lack an item on purpose,
// and its spelling there must be the project's. Both files' new contents are made before either is
// written, and when the second cannot be written the first is put back: either both change or
// neither, short of the put-back failing too (kHalfWritten); an interrupt waits until the pair
// is complete. A file another program saved since it was read is read again and edited anew,
// never overwritten (kChangedMeanwhile when it keeps changing).
ProjectRegistration RegisterClassFiles(std::string_view projectPath, std::string_view headerPath,
                                       std::string_view sourcePath, IOutputWriter& writer);

}  // namespace tavrin
