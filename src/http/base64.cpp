#include "http/base64.h"

#include <cstddef>
#include <cstdint>

namespace lornette {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 24-bit group of up to three bytes from `offset`, missing bytes counting as zero.
std::uint32_t groupAt(std::string_view bytes, std::size_t offset) {
    std::uint32_t group = 0;
    for (std::size_t index = 0; index < 3; ++index) {
        const std::size_t position = offset + index;
        const auto byte =
            position < bytes.size() ? static_cast<unsigned char>(bytes[position]) : 0U;
        group = (group << 8) | byte;
    }
    return group;
}

}  // namespace

std::string encodeBase64(std::string_view bytes) {
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t offset = 0; offset < bytes.size(); offset += 3) {
        const std::uint32_t group = groupAt(bytes, offset);
        const std::size_t available = bytes.size() - offset;
        for (std::size_t sextet = 0; sextet < 4; ++sextet) {
            const bool carriesData = sextet <= available;
            const std::size_t shift = 18 - 6 * sextet;
            encoded += carriesData ? alphabet[(group >> shift) & 0x3F] : '=';
        }
    }
    return encoded;
}

}  // namespace lornette
