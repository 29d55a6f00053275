#include "engine/ProjectXml.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

TEST(ProjectXml, ShowsProjectTextInCodePage932) {
    EXPECT_EQ(ProjectTextForDisplay("\xE8\xA1\xA8"), "\x95\x5c");              // UTF-8, no mark
    EXPECT_EQ(ProjectTextForDisplay("\xEF\xBB\xBF\xE8\xA1\xA8"), "\x95\x5c");  // with its mark
    EXPECT_EQ(ProjectTextForDisplay(std::string("\xFF\xFE\x68\x88", 4)), "\x95\x5c");
}

}  // namespace
}  // namespace tavrin
