// The header lines every request carries unless its caller gave them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lornette {

// `block` with each default line appended, in order, when its name followed by ":" occurs nowhere
// in the block at that point (ASCII case ignored). Each appended line begins with "\r\n".
std::string withDefaultHeaderLines(std::string block, std::string_view url, std::int32_t method);

}  // namespace lornette
