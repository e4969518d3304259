#include "support/cp936.h"

#include <unicode/ucnv.h>

#include <stdexcept>
#include <vector>

namespace test_support {
namespace {

std::string convert(const char* to, const char* from, std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    std::vector<char> out(text.size() * 4 + 4);
    const int32_t written = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()),
                                         text.data(), static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("test text cannot be converted");
    }
    return std::string(out.data(), static_cast<std::size_t>(written));
}

}  // namespace

std::string cp936(std::string_view utf8Text) {
    return convert("windows-936-2000", "UTF-8", utf8Text);
}

std::string utf8(std::string_view cp936Text) {
    return convert("UTF-8", "windows-936-2000", cp936Text);
}

}  // namespace test_support
