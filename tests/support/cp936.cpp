#include "support/cp936.h"

#include "platform/emu/control.h"

namespace test_support {

std::string cp936(std::string_view utf8Text) {
    return emu::control::ansiFromUtf8(utf8Text);
}

std::string utf8(std::string_view cp936Text) {
    return emu::control::utf8FromAnsi(cp936Text);
}

}  // namespace test_support
