// libFuzzer's entry point for one target, named by TAVRIN_FUZZ_TARGET when compiled.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tavrin::fuzz::TAVRIN_FUZZ_TARGET(data, size);
}
