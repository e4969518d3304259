#include "http/header_text.h"

#include "text/text_operations.h"

#include <cstddef>

namespace lornette {
namespace {

constexpr std::string_view lineBreak = "\r\n";

// The byte length of the text before the first ":", or -1 when the line holds none.
int nameLength(std::string_view line) {
    const int colon = findText(line, ":");
    return colon == -1 ? -1 : colon - 1;
}

// Capitalises every "-"-separated word of `name`; empty words and their dashes stay as they are.
std::string capitaliseNameWords(std::string_view name) {
    std::string result;
    std::size_t wordStart = 0;
    while (true) {
        const int dash = findText(name, "-", static_cast<int>(wordStart) + 1);
        const std::size_t wordEnd = dash == -1 ? name.size() : static_cast<std::size_t>(dash) - 1;
        result += capitaliseFirst(name.substr(wordStart, wordEnd - wordStart));
        if (dash == -1) {
            return result;
        }
        result += '-';
        wordStart = wordEnd + 1;
    }
}

std::string withDoubleQuotes(std::string_view marker) {
    return replaceText(marker, "#引号", "\"");
}

}  // namespace

std::string normaliseHeaderNames(std::string_view block) {
    std::string result;
    for (const std::string& line : splitText(block, lineBreak)) {
        const int length = nameLength(line);
        if (length == -1) {
            continue;
        }
        if (!result.empty()) {
            result += lineBreak;
        }
        const std::string_view text = line;
        const auto nameEnd = static_cast<std::size_t>(length);
        result += capitaliseNameWords(text.substr(0, nameEnd));
        result += text.substr(nameEnd);
    }
    return result;
}

std::string capitaliseFirst(std::string_view word) {
    std::string result(word);
    if (!result.empty() && result.front() >= 'a' && result.front() <= 'z') {
        result.front() = static_cast<char>(result.front() - 'a' + 'A');
    }
    return result;
}

std::string headerName(std::string_view line) {
    const int length = nameLength(line);
    return length == -1 ? std::string() : trimSpaces(leftBytes(line, length));
}

std::string headerValue(std::string_view line) {
    const int length = nameLength(line);
    return length == -1 ? std::string()
                        : trimSpaces(line.substr(static_cast<std::size_t>(length) + 1));
}

std::string textBefore(std::string_view text, std::string_view separator, int start,
                       bool ignoreCase) {
    const int position = findText(text, separator, start <= 0 ? 1 : start, ignoreCase);
    return position == -1 ? std::string() : leftBytes(text, position - 1);
}

std::string textBetween(std::string_view text, std::string_view startMarker,
                        std::string_view endMarker, int start, bool ignoreCase) {
    const std::string opening = withDoubleQuotes(startMarker);
    const std::string closing = withDoubleQuotes(endMarker);
    const int openingPosition = findText(text, opening, start, ignoreCase);
    if (openingPosition == -1) {
        return {};
    }
    const int contentPosition = openingPosition + static_cast<int>(opening.size());
    const int closingPosition = findText(text, closing, contentPosition, ignoreCase);
    if (closingPosition == -1) {
        return {};
    }
    return midBytes(text, contentPosition, closingPosition - contentPosition);
}

}  // namespace lornette
