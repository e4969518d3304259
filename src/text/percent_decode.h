// Percent-decoding of resolver pages.
#pragma once

#include <string>
#include <string_view>

namespace lornette {

// Every "%" takes the two bytes after it as hexadecimal digits, whatever they hold, and stands
// for (16 x high + low) mod 256, a zero byte giving nothing. A digit is its place in
// "0123456789ABCDEF" (small letters as capitals), 0 past the end of the text and -2 for any
// other byte. With convertFromUtf8 the decoded bytes are read as UTF-8 and given in code
// page 936.
std::string percentDecode(std::string_view text, bool convertFromUtf8 = false);

}  // namespace lornette
