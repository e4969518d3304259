// Test sources are UTF-8; the program's texts are code page 936. These convert between the two
// so that a test can state its texts readably.
#pragma once

#include <string>
#include <string_view>

namespace test_support {

// The code page 936 bytes of a UTF-8 text.
std::string cp936(std::string_view utf8);

// The UTF-8 form of a code page 936 text.
std::string utf8(std::string_view cp936Text);

}  // namespace test_support
