// The cookie texts of a request: what goes out in the "Cookie" header and what the response's
// "Set-Cookie" lines bring back.
#pragma once

#include <string>
#include <string_view>

namespace lornette {

// The cookie text without any "Cookie:" (ASCII case ignored); what follows such a prefix stays.
std::string withoutCookiePrefixes(std::string_view cookies);

// The name=value parts of the "Set-Cookie" lines of a response header text, trimmed and joined
// by "; ". Only lines whose text before ": " is exactly "Set-Cookie" count.
std::string collectReceivedCookies(std::string_view responseHeaders);

}  // namespace lornette
