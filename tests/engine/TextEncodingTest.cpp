#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"

namespace tavrin {
namespace {

// The cases, with what each shows, are in the fixture.
TEST(TextEncoding, DecodesByTheMarkAndEncodesBackTheSameBytes) {
    const char* const kNames[] = {"cp932", "utf-8", "utf-16le", "utf-16be"};
    for (const std::vector<std::string>& c : testing::ReadCases("encoding/decode.txt")) {
        const DecodedText decoded = DecodeText(c.at(0));
        EXPECT_EQ(kNames[static_cast<int>(decoded.encoding)], c.at(1)) << c[0];
        EXPECT_EQ(decoded.lossless, c.at(3) == "1") << c[0];
        if (decoded.lossless) {
            EXPECT_EQ(decoded.cp932, c.at(2)) << c[0];
            EXPECT_EQ(EncodeText(decoded.cp932, decoded.encoding), c[0]);
        }
    }
}

}  // namespace
}  // namespace tavrin
