#include "engine/ProjectXml.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

const std::string kProject =
    "<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">";

// A standard filter as a filters file without it gets it: `indent` deep, `eol` line ends.
std::string Filter(std::string_view name, std::string_view id, std::string_view extensions,
                   const std::string& eol, const std::string& indent) {
    return "<Filter Include=\"" + std::string(name) + "\">" + eol + indent +
           "  <UniqueIdentifier>" + std::string(id) + "</UniqueIdentifier>" + eol + indent +
           "  <Extensions>" + std::string(extensions) + "</Extensions>" + eol + indent +
           "</Filter>";
}

std::string HeaderFilter(const std::string& eol, const std::string& indent) {
    return Filter("Header Files", "{93995380-89BD-4b04-88EB-625FBE52EBFB}",
                  "h;hh;hpp;hxx;h++;hm;inl;inc;ipp;xsd", eol, indent);
}

std::string SourceFilter(const std::string& eol, const std::string& indent) {
    return Filter("Source Files", "{4FC737F1-C7A5-4376-A066-2A32D752A2FF}",
                  "cpp;c;cc;cxx;c++;cppm;ixx;def;odl;idl;hpj;bat;asm;asmx", eol, indent);
}

// Shapes the IDE does not write but a hand-edited project may have; the class is "R&D.h" and
// "b&c.cpp", whose "&" must be written as "&amp;" and compared unescaped.
TEST(ProjectXml, InsertsAsTextWhateverTheShapeAroundIt) {
    const std::string tricky =
        "\n  <ItemGroup>\n    <!-- <ClInclude Include=\"z.h\"> -->\n"
        "    <ClInclude Include=\"R&amp;D.h\" Condition=\"'$(A)'>'1'\" />\n"
        "    <ClCompile Include=\"a.cpp\"><![CDATA[</ClCompile>]]></ClCompile>\n";
    const struct {
        const char* name;
        ProjectFileKind kind;
        std::string in;
        std::string out;
    } cases[] = {
        {"nothing in the project: new groups before its end tag", ProjectFileKind::kProject,
         kProject + "\r\n</Project>\r\n",
         kProject + "\r\n  <ItemGroup>\r\n    <ClInclude Include=\"R&amp;D.h\" />\r\n" +
             "  </ItemGroup>\r\n  <ItemGroup>\r\n    <ClCompile Include=\"b&amp;c.cpp\" />\r\n" +
             "  </ItemGroup>\r\n</Project>\r\n"},
        {"nothing in the filters: both standard filters in one new group",
         ProjectFileKind::kFilters, kProject + "\r\n</Project>\r\n",
         kProject + "\r\n  <ItemGroup>\r\n    " + HeaderFilter("\r\n", "    ") + "\r\n    " +
             SourceFilter("\r\n", "    ") + "\r\n  </ItemGroup>\r\n  <ItemGroup>\r\n" +
             "    <ClInclude Include=\"R&amp;D.h\">\r\n      <Filter>Header Files</Filter>\r\n" +
             "    </ClInclude>\r\n  </ItemGroup>\r\n  <ItemGroup>\r\n" +
             "    <ClCompile Include=\"b&amp;c.cpp\">\r\n      <Filter>Source Files</Filter>\r\n" +
             "    </ClCompile>\r\n  </ItemGroup>\r\n</Project>\r\n"},
        {"everything on one line", ProjectFileKind::kProject,
         kProject + "<ItemGroup><ClInclude Include=\"a.h\"/><ClCompile Include=\"a.cpp\"/>" +
             "</ItemGroup></Project>",
         kProject + "<ItemGroup><ClInclude Include=\"a.h\"/><ClInclude Include=\"R&amp;D.h\"/>" +
             "<ClCompile Include=\"a.cpp\"/><ClCompile Include=\"b&amp;c.cpp\"/>" +
             "</ItemGroup></Project>"},
        {"comments, character data and \">\" in a value are stepped over; the escaped header "
         "is there",
         ProjectFileKind::kFilters, kProject + tricky + "  </ItemGroup>\n</Project>\n",
         kProject + "\n  <ItemGroup>\n    " + SourceFilter("\n", "    ") + "\n  </ItemGroup>" +
             tricky + "    <ClCompile Include=\"b&amp;c.cpp\">\n" +
             "      <Filter>Source Files</Filter>\n    </ClCompile>\n  </ItemGroup>\n</Project>\n"},
    };
    for (const auto& c : cases) {
        ProjectXmlEdit edit = AddClassItems(c.in, c.kind, "R&D.h", "b&c.cpp");
        EXPECT_EQ(edit.status, ProjectXmlEdit::Status::kChanged) << c.name;
        EXPECT_EQ(edit.bytes, c.out) << c.name;
    }
}

TEST(ProjectXml, ShowsProjectTextInCodePage932) {
    EXPECT_EQ(ProjectTextForDisplay("\xE8\xA1\xA8"), "\x95\x5c");              // UTF-8, no mark
    EXPECT_EQ(ProjectTextForDisplay("\xEF\xBB\xBF\xE8\xA1\xA8"), "\x95\x5c");  // with its mark
    EXPECT_EQ(ProjectTextForDisplay(std::string("\xFF\xFE\x68\x88", 4)), "\x95\x5c");
}

}  // namespace
}  // namespace tavrin
