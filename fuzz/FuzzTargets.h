#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The bodies of the fuzzing targets, kept apart from libFuzzer's entry point so that the
// ordinary tests can replay every input that ever found a fault, in every preset. Each reads
// through the engine's memory seams: a real file would add nothing but time. A broken
// invariant aborts, which libFuzzer reports as a crash and a test as a dead test program.
namespace tavrin::fuzz {

int FuzzIniFile(const std::uint8_t* data, std::size_t size);
int FuzzTemplateTable(const std::uint8_t* data, std::size_t size);
int FuzzResourceScanner(const std::uint8_t* data, std::size_t size);
int FuzzPatternMatcher(const std::uint8_t* data, std::size_t size);
int FuzzExpandLine(const std::uint8_t* data, std::size_t size);
int FuzzCliArguments(const std::uint8_t* data, std::size_t size);
int FuzzProjectXml(const std::uint8_t* data, std::size_t size);
int FuzzUnifiedDiff(const std::uint8_t* data, std::size_t size);

// The input cut at NUL bytes into at most `count` fields; the last one takes the rest,
// NUL bytes and all. Missing fields are empty.
std::vector<std::string_view> SplitFields(const std::uint8_t* data, std::size_t size,
                                          std::size_t count);

// Aborts with `what` on standard error when `condition` does not hold.
void Check(bool condition, const char* what);

}  // namespace tavrin::fuzz
