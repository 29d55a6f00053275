#include <iconv.h>
#include <cerrno>
#include <cstddef>
#include <functional>

#include "platform/CodePage.h"

namespace tavrin::platform {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // iconv_open reports failure as (iconv_t)-1; there is no other way to spell it.
    bool Valid() const {
        return m_cd != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
    }

    // Converts all of `input`. When a character cannot be converted, `onError` is asked how
    // many input bytes to skip (0: give up) and "?" is written in their place.
    bool Run(std::string_view input, std::string& output,
             const std::function<std::size_t(std::string_view rest)>& onError) {
        output.clear();
        if (!Valid()) {
            return false;
        }
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::string buffer(input.size() * 2 + 16, '\0');
        while (true) {
            char* out = buffer.data();
            std::size_t outLeft = buffer.size();
            std::size_t result = iconv(m_cd, inLeft > 0 ? &in : nullptr, &inLeft, &out, &outLeft);
            int error = errno;
            output.append(buffer.data(), buffer.size() - outLeft);
            if (result != static_cast<std::size_t>(-1)) {
                if (inLeft == 0) {
                    // Flush any shift state the target encoding needs.
                    out = buffer.data();
                    outLeft = buffer.size();
                    iconv(m_cd, nullptr, nullptr, &out, &outLeft);
                    output.append(buffer.data(), buffer.size() - outLeft);
                    return true;
                }
                continue;
            }
            if (error == E2BIG) {
                continue;
            }
            std::size_t skip = onError ? onError(std::string_view(in, inLeft)) : 0;
            if (skip == 0) {
                return false;
            }
            skip = skip > inLeft ? inLeft : skip;
            output.push_back('?');
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            if (inLeft == 0) {
                return true;
            }
        }
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence at the start of `rest`, or 1 when it is not a valid lead.
std::size_t Utf8SequenceLength(std::string_view rest) {
    auto lead = static_cast<unsigned char>(rest[0]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (length > rest.size()) {
        return rest.size();
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return length;
}

}  // namespace

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8) {
    Converter converter("UTF-8", "CP932");
    return converter.Run(cp932, utf8, nullptr);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
    std::string result;
    // A lead byte takes its trail byte with it when there is one, so that an unassigned
    // double-byte character gives one "?" and its trail byte is not read as a character of its
    // own.
    converter.Run(cp932, result, [](std::string_view rest) { return cp932::CharLength(rest, 0); });
    return result;
}

std::string Utf8ToCp932(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    std::string result;
    converter.Run(utf8, result, Utf8SequenceLength);
    return result;
}

}  // namespace tavrin::platform
