// Text operations on code page 936 texts, counted in bytes.
//
// Positions are 1-based byte positions. A byte of 0x80 or more leads a double-byte character:
// searching, splitting and trimming step over such a character whole, so a match never begins on
// its second byte. Every operation returns a new text and leaves its arguments unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lornette {

// The position of the first occurrence of `sought` that begins at or after `start` (1 or less:
// the beginning), counted from the beginning of `text`; -1 when there is none or `sought` is
// empty. With `ignoreCase`, ASCII letters match regardless of case; other bytes must be equal.
int findText(std::string_view text, std::string_view sought, int start = 1,
             bool ignoreCase = false);

bool containsText(std::string_view text, std::string_view sought, bool ignoreCase = false);

// The pieces between occurrences of `separator`, in order. An empty text gives no pieces; a
// separator at the start or two in a row give an empty piece; one at the very end gives none.
std::vector<std::string> splitText(std::string_view text, std::string_view separator);

// `text` with every occurrence of `sought`, found as `findText` finds it, replaced.
std::string replaceText(std::string_view text, std::string_view sought,
                        std::string_view replacement, bool ignoreCase = false);

// `text` without the ASCII spaces and full-width spaces (0xA1 0xA1) at its start and its end.
std::string trimSpaces(std::string_view text);

// The first, the last, or from `position` on, at most `count` bytes; nothing for a count of 0 or
// less. A position of 1 or less is the beginning.
std::string leftBytes(std::string_view text, int count);
std::string rightBytes(std::string_view text, int count);
std::string midBytes(std::string_view text, int position, int count);

}  // namespace lornette
