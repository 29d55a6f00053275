#include "platform/Guid.h"

namespace tavrin::platform {

bool Guid::IsNull() const {
    if (data1 != 0 || data2 != 0 || data3 != 0) {
        return false;
    }
    for (std::uint8_t b : data4) {
        if (b != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace tavrin::platform
