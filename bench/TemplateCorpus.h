#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tavrin::bench {

// A large, realistic template: 80-byte lines of C++ with Japanese comments, eight declared
// keywords, and a "$$GUID()$$" and a "$$LARGE(" on some lines. The same every time, so that
// runs and the comparison with perl measure the same bytes.
std::string MakeTemplate(int lines);

// The eight keywords with the values a generation gives them.
std::vector<std::pair<std::string, std::string>> CorpusKeywords();

}  // namespace tavrin::bench
