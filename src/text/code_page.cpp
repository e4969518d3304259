#include "text/code_page.h"

namespace lornette {

WideText toWideText(const std::string& text, UINT codePage) {
    const int units = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    if (units <= 0) {
        return {};
    }
    WideText wide(static_cast<std::size_t>(units), WCHAR{0});
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), units);
    return wide.substr(0, wide.find(WCHAR{0}));
}

std::string fromWideText(const WideText& wide, UINT codePage) {
    const int ansiBytes =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (ansiBytes <= 0) {
        return {};
    }
    // Twice the ANSI length holds the text in code page 936, whatever the ANSI code page is.
    const int capacity = 2 * ansiBytes;
    std::string text(static_cast<std::size_t>(capacity), ' ');
    WideCharToMultiByte(codePage, 0, wide.c_str(), -1, text.data(), capacity, nullptr, nullptr);
    return text.substr(0, text.find('\0'));
}

std::string utf8ToCp936(const std::string& text) {
    return fromWideText(toWideText(text, CP_UTF8), codePage936);
}

}  // namespace lornette
