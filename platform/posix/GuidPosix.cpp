#include <sys/random.h>
#include <cerrno>
#include <cstring>

#include "platform/Faults.h"
#include "platform/Guid.h"

namespace tavrin::platform {

Guid NewGuid() {
    Guid guid;
    unsigned char bytes[16];
    std::size_t filled = 0;
    while (filled < sizeof bytes) {
        if (faults::ShouldFail(faults::Call::Random)) {
            return guid;
        }
        ssize_t got = ::getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return guid;
        }
        filled += static_cast<std::size_t>(got);
    }
    // Version 4 (random) in the high nibble of data3, the RFC 4122 variant in data4[0].
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    guid.data1 = static_cast<std::uint32_t>(bytes[0]) << 24 |
                 static_cast<std::uint32_t>(bytes[1]) << 16 |
                 static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    guid.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    std::memcpy(guid.data4.data(), bytes + 8, 8);
    return guid;
}

}  // namespace tavrin::platform
