#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The names most like `wanted`, for a "did you mean" hint after a name was not found: up to
// `count` of `names`, fewest edits first (a character inserted, removed or replaced; ASCII
// letters compared without case, a double-byte character of code page 932 counting as one),
// names of equal distance in their given order.
std::vector<std::string> ClosestNames(const std::vector<std::string>& names,
                                      std::string_view wanted, std::size_t count);

}  // namespace tavrin
