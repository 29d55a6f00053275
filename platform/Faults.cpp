#include "platform/Faults.h"

namespace tavrin::platform::faults {

namespace {

constexpr int kCallKinds = static_cast<int>(Call::Random) + 1;

// Tavrin runs on one thread, and so do the tests that arm faults; plain counters suffice.
// -1: not armed; otherwise the number of calls still to succeed before one fails.
int g_countdowns[kCallKinds] = {-1, -1, -1, -1, -1, -1, -1};
Hook g_hooks[kCallKinds] = {};
bool g_anyArmed = false;

}  // namespace

void Arm(Call call, int successes) {
    g_countdowns[static_cast<int>(call)] = successes < 0 ? 0 : successes;
    g_anyArmed = true;
}

void SetHook(Call call, Hook hook) {
    g_hooks[static_cast<int>(call)] = hook;
    g_anyArmed = true;
}

void Clear() {
    for (int& countdown : g_countdowns) {
        countdown = -1;
    }
    for (Hook& hook : g_hooks) {
        hook = nullptr;
    }
    g_anyArmed = false;
}

bool ShouldFail(Call call) {
    if (!g_anyArmed) {
        return false;
    }
    if (Hook hook = g_hooks[static_cast<int>(call)]) {
        hook();
    }
    int& countdown = g_countdowns[static_cast<int>(call)];
    if (countdown < 0) {
        return false;
    }
    if (countdown == 0) {
        countdown = -1;
        return true;
    }
    --countdown;
    return false;
}

}  // namespace tavrin::platform::faults
