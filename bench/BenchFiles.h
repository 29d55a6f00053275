#pragma once

#include <string>
#include <string_view>

namespace tavrin::bench {

// The sizes bench/compare measures: a 20,000-line template and a 100,000-line (8 MB)
// resource script.
constexpr int kTemplateLines = 20000;
constexpr int kScriptLines = 100000;

// Writes `bytes` to `name` in the temporary folder and returns its path.
std::string WriteBenchFile(std::string_view name, std::string_view bytes);

}  // namespace tavrin::bench
