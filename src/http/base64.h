// Base64 with the standard alphabet of RFC 4648, padded with "=".
#pragma once

#include <string>
#include <string_view>

namespace lornette {

std::string encodeBase64(std::string_view bytes);

}  // namespace lornette
