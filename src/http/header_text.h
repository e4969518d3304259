// Small text operations with which HTTP header lines are built and taken apart. Texts are code
// page 936 bytes; positions are 1-based.
#pragma once

#include <string>
#include <string_view>

namespace lornette {

// The header block with the words of each line's name capitalised: the first byte of the name and
// the first byte after each "-" in it become upper case when they are ASCII lower-case letters;
// nothing else changes. Lines without ":" (empty ones included) are dropped; the remaining lines
// are joined with "\r\n", with none after the last.
std::string normaliseHeaderNames(std::string_view block);

// The word with its first byte upper-cased when that byte is an ASCII lower-case letter.
std::string capitaliseFirst(std::string_view word);

// The trimmed text before the first ":" of the line; empty when the line holds no ":".
std::string headerName(std::string_view line);

// The trimmed text after the first ":" of the line; empty when the line holds no ":".
std::string headerValue(std::string_view line);

// The text from its beginning up to the first occurrence of `separator` found from `start`;
// empty when the separator is not found.
std::string textBefore(std::string_view text, std::string_view separator, int start = 1,
                       bool ignoreCase = false);

// The text between the first `startMarker` found from `start` and the next `endMarker` after it;
// empty when either is missing. "#引号" in a marker stands for a double quote.
std::string textBetween(std::string_view text, std::string_view startMarker,
                        std::string_view endMarker, int start = 1, bool ignoreCase = false);

}  // namespace lornette
