#include "engine/project/ProjectXml.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tavrin {
namespace {

const std::string kProject =
    "<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">";

// Groups in a short notation, all on one line: "I:name" a header, "C:name" a source, "|"
// between groups, "?" before the first item of a group under a condition.
std::string Groups(std::string_view notation) {
    std::string out = kProject;
    std::istringstream words{std::string(notation)};
    std::string word;
    bool open = false;
    while (words >> word) {
        if (word == "|") {
            out += "</ItemGroup>";
            open = false;
            continue;
        }
        if (!open) {
            out += word[0] == '?' ? "<ItemGroup Condition=\"'$(A)'=='1'\">" : "<ItemGroup>";
            open = true;
        }
        word.erase(0, word[0] == '?' ? 1 : 0);
        out += std::string("<") + (word[0] == 'I' ? "ClInclude" : "ClCompile") + " Include=\"" +
               word.substr(2) + "\"/>";
    }
    return out + (open ? "</ItemGroup>" : "") + "</Project>";
}

// The IDE's rule: into the first group without a condition that has items of the kind, before
// the first of them whose Include sorts after the new one, in order ignoring case as the
// build system compares (ordinal on upper case: "_" and "\" after letters, "/" before them),
// whether or not the group is sorted; after the last of them where none sorts after.
TEST(ProjectXml, PlacesAnItemWhereTheIdeWould) {
    const struct {
        const char* name;
        const char* in;
        const char* header;
        const char* out;
    } cases[] = {
        {"sorted", "I:A.h I:C.h", "B.h", "I:A.h I:B.h I:C.h"},
        {"sorts last", "I:A.h I:B.h", "Z.h", "I:A.h I:B.h I:Z.h"},
        {"case ignored", "I:apple.h I:Cherry.h", "banana.h", "I:apple.h I:banana.h I:Cherry.h"},
        {"unsorted", "I:Main.h I:App.h I:Zoom.h I:Doc.h", "Sub.h",
         "I:Main.h I:App.h I:Sub.h I:Zoom.h I:Doc.h"},
        {"unsorted, the first sorts after", "I:stdafx.h I:App.h", "Res.h",
         "I:Res.h I:stdafx.h I:App.h"},
        {"\"_\" after letters", "I:Clipboard.h I:ClipIds.h I:Clip_Export.h", "ClipView.h",
         "I:Clipboard.h I:ClipIds.h I:ClipView.h I:Clip_Export.h"},
        {"\"\\\" after letters", "I:srcA.h I:src\\x.h", "srcB.h", "I:srcA.h I:srcB.h I:src\\x.h"},
        {"mixed separators", "I:src/b.h I:src\\d.h", "src\\c.h", "I:src/b.h I:src\\c.h I:src\\d.h"},
        {"mixed separators, \"/\" first", "I:src\\a.h I:src/z.h", "src\\b.h",
         "I:src\\a.h I:src/z.h I:src\\b.h"},
        {"other kinds skipped", "C:z.cpp I:A.h C:a.cpp I:C.h", "B.h",
         "C:z.cpp I:A.h C:a.cpp I:B.h I:C.h"},
        {"conditioned group skipped", "?I:A.h | I:X.h", "B.h", "?I:A.h | I:B.h I:X.h"},
        {"only conditioned groups", "?I:A.h", "B.h", "?I:A.h | I:B.h"},
        {"the first group of the kind", "C:a.cpp | I:M.h | I:A.h", "B.h",
         "C:a.cpp | I:B.h I:M.h | I:A.h"},
    };
    for (const auto& c : cases) {
        ProjectXmlEdit edit =
            AddClassItems(Groups(c.in), ProjectFileKind::kProject, ClassItems{c.header, "", false});
        EXPECT_EQ(edit.bytes, Groups(c.out)) << c.name;
    }
}

// Whether an existing item names the new file already, as the build system resolves both.
TEST(ProjectXml, FindsTheFileUnderEverySpellingTheBuildResolves) {
    const struct {
        const char* include;
        const char* exclude;
        const char* header;
        bool sharedItems;
        bool listed;
    } cases[] = {
        {"./NEW.H", "", "New.h", false, true},
        {"..\\src\\*.h", "", "..\\src\\New.h", false, true},
        {"..\\src\\*.h", "", "..\\src\\ui\\New.h", false, false},
        {"..\\src\\**\\*.h", "", "..\\src\\New.h", false, true},
        {"..\\src\\**\\*.h", "", "..\\src\\a\\b\\New.h", false, true},
        {"src/**", "", "src\\a\\New.h", false, true},
        {"src\\N?w.h", "", "src\\New.h", false, true},
        {"src\\*.h", "src\\New*.h;x.h", "src\\New.h", false, false},
        {"a.h; src\\New.h", "", "src\\New.h", false, true},
        {"src\\%2A.h", "", "src\\New.h", false, false},
        {"x%3By%25.h", "", "x;y%.h", false, true},
        {"$(ProjectDir)New.h", "", "New.h", false, true},
        {"$(MSBuildProjectDirectory)\\New.h", "", "New.h", false, true},
        {"$(msbuildthisfiledirectory)New.h", "", "New.h", false, true},
        {"$(SolutionDir)New.h", "", "New.h", false, false},
        {"$(MSBuildThisFileDirectory)New.h", "", "New.h", true, true},
        {"$(ProjectDir)New.h", "", "New.h", true, false},
    };
    for (const auto& c : cases) {
        const std::string project = kProject + "<ItemGroup><ClInclude Include=\"" + c.include +
                                    "\" Exclude=\"" + c.exclude + "\"/></ItemGroup></Project>";
        ProjectXmlEdit edit = AddClassItems(project, ProjectFileKind::kProject,
                                            ClassItems{c.header, "", c.sharedItems});
        EXPECT_EQ(edit.headerListed, c.listed) << c.include << " for " << c.header;
    }
}

TEST(ProjectXml, ShowsProjectTextInCodePage932) {
    EXPECT_EQ(ProjectTextForDisplay("\xE8\xA1\xA8"), "\x95\x5c");              // UTF-8, no mark
    EXPECT_EQ(ProjectTextForDisplay("\xEF\xBB\xBF\xE8\xA1\xA8"), "\x95\x5c");  // with its mark
    EXPECT_EQ(ProjectTextForDisplay(std::string("\xFF\xFE\x68\x88", 4)), "\x95\x5c");
}

}  // namespace
}  // namespace tavrin
