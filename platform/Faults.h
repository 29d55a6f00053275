#pragma once

namespace tavrin::platform::faults {

// A seam through which tests make the platform's system calls fail, the way well-kept
// libraries let their tests fail a write or a rename to prove that nothing is lost. The
// implementations ask ShouldFail before each call they guard; outside tests nothing is ever
// armed and the check costs one load.

enum class Call {
    Open,    // opening a file for reading, or creating the temporary output file
    Read,    // reading file content
    Write,   // writing file content (a full disk)
    Flush,   // flushing written content to the disk
    Close,   // closing a written file
    Rename,  // putting the finished temporary file in place
    Random,  // the secure random source behind GUIDs
};

// Arms `call` to fail once after `successes` further successful calls of the same kind.
void Arm(Call call, int successes = 0);

// Runs `hook` whenever `call` is about to be made, before ShouldFail decides; a test raises
// a signal from it to interrupt an operation at a chosen point. Null removes it.
using Hook = void (*)();
void SetHook(Call call, Hook hook);

// Disarms every call and removes every hook.
void Clear();

// Used by the implementations: true when this call of `call` must fail.
bool ShouldFail(Call call);

// Arms a call for the lifetime of a test scope.
class ScopedFault {
public:
    explicit ScopedFault(Call call, int successes = 0) { Arm(call, successes); }
    ~ScopedFault() { Clear(); }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;
};

}  // namespace tavrin::platform::faults
