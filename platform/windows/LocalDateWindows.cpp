#include <windows.h>

#include "platform/LocalDate.h"

namespace tavrin::platform {

LocalDate Today() {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay};
}

}  // namespace tavrin::platform
