#include "http/cookie_merge.h"

#include "text/text_operations.h"

#include <algorithm>
#include <vector>

namespace lornette {
namespace {

constexpr std::string_view itemSeparator = "; ";
constexpr std::string_view fullWidthSpace = "\xA1\xA1";

std::vector<std::string> cookieItems(std::string_view cookies) {
    return splitText(replaceText(replaceText(cookies, " ", ""), fullWidthSpace, ""), ";");
}

std::string cookieName(std::string_view item) {
    const int equalsSign = findText(item, "=");
    return trimSpaces(equalsSign == -1 ? item
                                       : item.substr(0, static_cast<std::size_t>(equalsSign) - 1));
}

bool hasCookieNamed(const std::vector<std::string>& items, const std::string& name) {
    return std::any_of(items.begin(), items.end(),
                       [&name](const std::string& item) { return cookieName(item) == name; });
}

bool isDeleted(std::string_view item) {
    return rightBytes(item, 8) == "=deleted";
}

std::string joinWithoutRepeats(const std::vector<std::string>& items) {
    std::vector<std::string> kept;
    for (const std::string& item : items) {
        if (std::find(kept.begin(), kept.end(), item) == kept.end()) {
            kept.push_back(item);
        }
    }
    std::string joined;
    for (std::size_t index = 0; index < kept.size(); ++index) {
        joined += index == 0 ? "" : itemSeparator;
        joined += kept[index];
    }
    return joined;
}

}  // namespace

std::string mergeCookies(std::string_view submitted, std::string_view received) {
    std::vector<std::string> items = cookieItems(received);
    for (const std::string& item : cookieItems(submitted)) {
        if (!hasCookieNamed(items, cookieName(item))) {
            items.push_back(item);
        }
    }
    std::string written;
    for (const std::string& item : items) {
        if (!isDeleted(item)) {
            written += item;
            written += itemSeparator;
        }
    }
    const std::string trimmed = leftBytes(written, static_cast<int>(written.size()) - 2);
    return joinWithoutRepeats(splitText(trimmed, itemSeparator));
}

}  // namespace lornette
