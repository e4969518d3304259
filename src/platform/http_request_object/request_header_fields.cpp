#include "platform/http_request_object/request_header_fields.h"

#include <algorithm>

namespace lornette::platform {
namespace {

bool isTokenCharacter(char character) {
    constexpr std::string_view punctuation = "!#$%&'*+-.^_`|~";
    const bool letter =
        (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
    const bool digit = character >= '0' && character <= '9';
    return letter || digit || punctuation.find(character) != std::string_view::npos;
}

bool isFieldValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

char asciiLower(char character) {
    return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a')
                                                : character;
}

}  // namespace

bool isHttpToken(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isTokenCharacter);
}

bool equalIgnoringAsciiCase(std::string_view first, std::string_view second) {
    return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                      [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

bool RequestHeaderFields::set(const std::string& name, const std::string& value) {
    if (!isHttpToken(name) || !isFieldValue(value)) {
        return false;
    }
    const auto existing = std::find_if(
        fields_.begin(), fields_.end(),
        [&name](const HeaderField& field) { return equalIgnoringAsciiCase(field.name, name); });
    if (existing != fields_.end()) {
        existing->value = value;
    } else {
        fields_.push_back({name, value});
    }
    return true;
}

bool RequestHeaderFields::contains(std::string_view name) const {
    return std::any_of(fields_.begin(), fields_.end(), [name](const HeaderField& field) {
        return equalIgnoringAsciiCase(field.name, name);
    });
}

}  // namespace lornette::platform
