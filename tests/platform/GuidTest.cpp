#include "platform/Guid.h"

#include <gtest/gtest.h>

#include "platform/Faults.h"

namespace tavrin::platform {
namespace {

TEST(Guid, FreshVersion4GuidsDiffer) {
    Guid a = NewGuid();
    Guid b = NewGuid();
    EXPECT_FALSE(a.IsNull());
    EXPECT_EQ(a.data3 >> 12, 4);
    EXPECT_EQ(a.data4[0] & 0xC0, 0x80);
    EXPECT_FALSE(a.data1 == b.data1 && a.data2 == b.data2 && a.data4 == b.data4);
}

TEST(Guid, NoRandomnessGivesTheNullGuid) {
    faults::ScopedFault fault(faults::Call::Random);
    EXPECT_TRUE(NewGuid().IsNull());
}

}  // namespace
}  // namespace tavrin::platform
