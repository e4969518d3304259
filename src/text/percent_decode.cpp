#include "text/percent_decode.h"

#include "text/code_page.h"

namespace lornette {
namespace {

constexpr std::string_view hexDigits = "0123456789ABCDEF";
constexpr int notADigit = -2;

char asciiUpper(char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

int digitAt(std::string_view text, std::size_t index) {
    if (index >= text.size()) {
        return 0;
    }
    const auto position = hexDigits.find(asciiUpper(text[index]));
    return position == std::string_view::npos ? notADigit : static_cast<int>(position);
}

}  // namespace

std::string percentDecode(std::string_view text, bool convertFromUtf8) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] != '%') {
            decoded += text[index];
            continue;
        }
        const int value = 16 * digitAt(text, index + 1) + digitAt(text, index + 2);
        const auto byte = static_cast<unsigned char>(value & 0xFF);
        if (byte != 0) {
            decoded += static_cast<char>(byte);
        }
        index += 2;
    }
    return convertFromUtf8 ? utf8ToCp936(decoded) : decoded;
}

}  // namespace lornette
