#include <objbase.h>

#include "platform/Com.h"

namespace tavrin::platform {

namespace {

// CoUninitialize must balance only a CoInitialize that succeeded; one refused because the
// thread runs COM in another mode must not be undone.
thread_local int t_started = 0;

}  // namespace

void BeginComUse() {
    HRESULT result = ::CoInitialize(nullptr);
    if (SUCCEEDED(result)) {
        ++t_started;
    }
}

void EndComUse() {
    if (t_started > 0) {
        --t_started;
        ::CoUninitialize();
    }
}

}  // namespace tavrin::platform
