// The diff shown by --diff: whatever the two texts, applied to the old text it gives the new
// one, and it is empty exactly when they are equal.
// Input: context NUL old text NUL new text; the context's first byte (mod 5) is the number of
// unchanged lines around each change.
#include <string>

#include "engine/UnifiedDiff.h"
#include "fuzz/FuzzTargets.h"
#include "tests/support/ApplyDiff.h"

namespace tavrin::fuzz {

int FuzzUnifiedDiff(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> fields = SplitFields(data, size, 3);
    const int context = fields[0].empty() ? 3 : static_cast<unsigned char>(fields[0][0]) % 5;
    const std::string diff = UnifiedDiff(fields[1], fields[2], "old", "new", context);
    Check(diff.empty() == (fields[1] == fields[2]), "a diff exactly when the texts differ");
    Check(testing::ApplyUnifiedDiff(fields[1], diff) == std::string(fields[2]),
          "the diff turns the old text into the new one");
    return 0;
}

}  // namespace tavrin::fuzz
