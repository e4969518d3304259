#include "text/text_operations.h"

#include <algorithm>
#include <cstddef>

namespace lornette {
namespace {

constexpr std::size_t notFound = std::string_view::npos;

bool isLeadByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

// The length of the character that begins at `index`: 2 for a lead byte with a byte after it.
std::size_t characterLength(std::string_view text, std::size_t index) {
    return isLeadByte(text[index]) && index + 1 < text.size() ? 2 : 1;
}

char asciiLower(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Compares `sought` with the bytes of `text` from the character boundary `index`. A second byte
// of a double-byte character is compared exactly even when it happens to be an ASCII letter.
bool matchesAt(std::string_view text, std::size_t index, std::string_view sought, bool ignoreCase) {
    bool secondByte = false;
    for (std::size_t offset = 0; offset < sought.size(); ++offset) {
        const char byte = text[index + offset];
        const bool foldCase = ignoreCase && !secondByte;
        const bool equal =
            foldCase ? asciiLower(byte) == asciiLower(sought[offset]) : byte == sought[offset];
        if (!equal) {
            return false;
        }
        secondByte = !secondByte && isLeadByte(byte);
    }
    return true;
}

// The index of the first match at a character boundary at or after `notBefore`, scanning the
// characters from `boundary`, which must itself be a character boundary.
std::size_t findFrom(std::string_view text, std::string_view sought, std::size_t boundary,
                     std::size_t notBefore, bool ignoreCase) {
    if (sought.empty()) {
        return notFound;
    }
    for (std::size_t index = boundary; index + sought.size() <= text.size();
         index += characterLength(text, index)) {
        if (index >= notBefore && matchesAt(text, index, sought, ignoreCase)) {
            return index;
        }
    }
    return notFound;
}

// Calls `onPiece` with the text before each match and then with the text after the last one.
template <typename PieceHandler>
void forEachPiece(std::string_view text, std::string_view sought, bool ignoreCase,
                  PieceHandler onPiece) {
    std::size_t pieceStart = 0;
    std::size_t match = findFrom(text, sought, 0, 0, ignoreCase);
    while (match != notFound) {
        onPiece(text.substr(pieceStart, match - pieceStart), true);
        pieceStart = match + sought.size();
        match = findFrom(text, sought, match, pieceStart, ignoreCase);
    }
    onPiece(text.substr(pieceStart), false);
}

bool isSpaceAt(std::string_view text, std::size_t index, std::size_t length) {
    constexpr char fullWidthSpaceByte = '\xA1';
    if (length == 1) {
        return text[index] == ' ';
    }
    return text[index] == fullWidthSpaceByte && text[index + 1] == fullWidthSpaceByte;
}

std::size_t clampedCount(std::string_view text, int count) {
    return count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), text.size());
}

}  // namespace

int findText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    const std::size_t notBefore = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
    const std::size_t match = findFrom(text, sought, 0, notBefore, ignoreCase);
    return match == notFound ? -1 : static_cast<int>(match) + 1;
}

bool containsText(std::string_view text, std::string_view sought, bool ignoreCase) {
    return findText(text, sought, 1, ignoreCase) != -1;
}

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    forEachPiece(text, separator, false, [&pieces](std::string_view piece, bool beforeMatch) {
        if (beforeMatch || !piece.empty()) {
            pieces.emplace_back(piece);
        }
    });
    return pieces;
}

std::string replaceText(std::string_view text, std::string_view sought,
                        std::string_view replacement, bool ignoreCase) {
    std::string result;
    result.reserve(text.size());
    forEachPiece(text, sought, ignoreCase,
                 [&result, replacement](std::string_view piece, bool beforeMatch) {
                     result += piece;
                     if (beforeMatch) {
                         result += replacement;
                     }
                 });
    return result;
}

std::string trimSpaces(std::string_view text) {
    std::size_t first = notFound;
    std::size_t end = 0;
    for (std::size_t index = 0; index < text.size();) {
        const std::size_t length = characterLength(text, index);
        if (!isSpaceAt(text, index, length)) {
            first = std::min(first, index);
            end = index + length;
        }
        index += length;
    }
    return first == notFound ? std::string() : std::string(text.substr(first, end - first));
}

std::string leftBytes(std::string_view text, int count) {
    return std::string(text.substr(0, clampedCount(text, count)));
}

std::string rightBytes(std::string_view text, int count) {
    const std::size_t taken = clampedCount(text, count);
    return std::string(text.substr(text.size() - taken));
}

std::string midBytes(std::string_view text, int position, int count) {
    const std::size_t offset = position <= 1 ? 0 : static_cast<std::size_t>(position) - 1;
    if (offset >= text.size()) {
        return {};
    }
    return leftBytes(text.substr(offset), count);
}

}  // namespace lornette
