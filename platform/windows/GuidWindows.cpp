#include <objbase.h>

#include <cstring>

#include "platform/Faults.h"
#include "platform/Guid.h"

namespace tavrin::platform {

Guid NewGuid() {
    Guid guid;
    GUID created{};
    if (faults::ShouldFail(faults::Call::Random)) {
        return guid;
    }
    // A failure leaves the GUID all zeros, which the caller takes as "no GUID".
    ::CoCreateGuid(&created);
    guid.data1 = created.Data1;
    guid.data2 = created.Data2;
    guid.data3 = created.Data3;
    std::memcpy(guid.data4.data(), created.Data4, 8);
    return guid;
}

}  // namespace tavrin::platform
