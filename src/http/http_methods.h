// The request methods HttpRequest knows, by number.
#pragma once

#include <cstdint>
#include <string>

namespace lornette {

inline constexpr std::int32_t postMethod = 1;

// The method text of `method`; a number outside 0 to 7 gives "GET".
const std::string& httpMethodText(std::int32_t method);

}  // namespace lornette
