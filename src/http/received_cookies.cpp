#include "http/received_cookies.h"

#include "http/header_text.h"
#include "text/text_operations.h"

namespace lornette {
namespace {

constexpr std::string_view cookieSeparator = "; ";

std::string cookieOfLine(std::string_view line) {
    if (containsText(line, ";")) {
        return trimSpaces(textBetween(line, "Set-Cookie:", ";"));
    }
    return trimSpaces(replaceText(line, "Set-Cookie:", "", true));
}

}  // namespace

std::string withoutCookiePrefixes(std::string_view cookies) {
    return replaceText(cookies, "Cookie:", "", true);
}

std::string collectReceivedCookies(std::string_view responseHeaders) {
    std::string cookies;
    for (const std::string& line : splitText(responseHeaders, "\r\n")) {
        if (textBefore(line, ": ") == "Set-Cookie") {
            cookies += cookieOfLine(line);
            cookies += cookieSeparator;
        }
    }
    if (std::string_view(cookies).ends_with(cookieSeparator)) {
        cookies.resize(cookies.size() - cookieSeparator.size());
    }
    return cookies;
}

}  // namespace lornette
