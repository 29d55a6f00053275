#pragma once

#include <array>
#include <cstdint>

namespace tavrin::platform {

// The layout Windows gives a GUID, so that its text form is the familiar one.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    bool IsNull() const;
};

// A fresh GUID: on Windows from CoCreateGuid, elsewhere a version-4 GUID from the system's
// secure random source. All zeros when no GUID could be had.
Guid NewGuid();

}  // namespace tavrin::platform
