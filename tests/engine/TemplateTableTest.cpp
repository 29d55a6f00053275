#include "engine/TemplateTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// One line per template ("* name|header|source"), then one per keyword ("  keyword|first|value").
std::string Dump(const CTemplateTable& table) {
    std::string dump;
    for (int index = 0; index < table.GetCount(); ++index) {
        const CTemplateEntry& entry = table.GetAt(index);
        dump += "* " + entry.name + "|" + entry.headerTemplate + "|" + entry.sourceTemplate + "\n";
        for (const CTemplateKeyword& keyword : entry.keywords) {
            dump += "  " + keyword.keyword + "|" + keyword.firstField + "|" + keyword.value + "\n";
        }
    }
    return dump;
}

// The field rules side by side, as the fixture's head lists them; lookups by exact name only.
TEST(TemplateTableTest, LoadsTableAsGoldenAndLooksUpExactlyWithTheFirstWinning) {
    CTemplateTable table;
    table.SetFileName(TAVRIN_FIXTURES_DIR "/table/template.tbl");
    ASSERT_TRUE(table.Load());
    EXPECT_EQ(Dump(table), testing::ReadFixture("table/template.expected"));

    for (const std::vector<std::string>& c : testing::ReadCases("table/lookups.txt")) {
        const CTemplateEntry* entry = table.FindEntry(c.at(0));
        const CTemplateKeyword* keyword = table.FindKeyword(c[0], c.at(1));
        EXPECT_EQ(c[1].empty() ? (entry ? entry->headerTemplate : "(none)")
                               : (keyword ? keyword->value : "(none)"),
                  c.at(2))
            << c[0] << " " << c[1];
    }
}

// The cases are in the fixture, each loaded over a table that loads: nothing of it may stay.
TEST(TemplateTableTest, LoadsOnlyUsableTemplates) {
    CTemplateTable table;
    for (const std::vector<std::string>& c : testing::ReadCases("table/loads.txt")) {
        ASSERT_TRUE(table.LoadBytes(testing::ReadFixture("table/template.tbl")));
        EXPECT_EQ(table.LoadBytes(c[0]), c[1] != "0") << c[0];
        EXPECT_EQ(table.GetCount(), std::stoi(c[1])) << c[0];
        EXPECT_EQ(table.LineOutsideCp932(), std::stoi(c[2])) << c[0];
    }
    table.SetFileName(TAVRIN_FIXTURES_DIR "/table/no-such-file.tbl");
    EXPECT_FALSE(table.Load());
}

// Reading the whole file again for every template made a table of 6,000 templates take 13 s.
TEST(TemplateTableTest, LoadsLargeTablesInLinearTime) {
    std::string list = "[Template]\r\n";
    std::string sections;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = "T" + std::to_string(i);
        list += name + " = " + name + "_h.txt, " + name + "_cpp.txt\r\n";
        sections += "[" + name + "]\r\n$$SNAME$$ = base, C" + name + "\r\n";
    }
    CTemplateTable table;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(table.LoadBytes(list + sections));
    // Quadratic reading takes minutes here; linear well under a second even with sanitizers.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(table.FindKeyword("T19999", "$$SNAME$$")->value, "CT19999");
}

// The cases, with what each shows, are in the fixture.
TEST(TemplateTableTest, FindsTemplateFilesBesideTheTableFirst) {
    auto exists = [](std::string_view path) { return path.find("missing") == path.npos; };
    for (const std::vector<std::string>& c : testing::ReadCases("table/resolve.txt")) {
        ASSERT_EQ(c.size(), 3u) << c[0];
        EXPECT_EQ(ResolveTemplateFile(c[0], c[1], exists), c[2]) << c[0] << " " << c[1];
    }
}

}  // namespace
}  // namespace tavrin
