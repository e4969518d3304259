#include "text/text_operations.h"

#include "support/cp936.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lornette {
namespace {

using test_support::cp936;

// "\xB0\x41" is one double-byte character whose second byte is an ASCII "A".
const std::string characterEndingInA = "\xB0\x41";

struct FindCase {
    std::string description;
    std::string text;
    std::string sought;
    int start;
    bool ignoreCase;
    int expected;
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.description;
}

class FindText : public testing::TestWithParam<FindCase> {};

TEST_P(FindText, FindsTheFirstOccurrenceFromTheStart) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findText(c.text, c.sought, c.start, c.ignoreCase), c.expected) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindText,
    testing::Values(
        FindCase{"from the beginning", "abcabc", "bc", 1, false, 2},
        FindCase{"from a later start", "abcabc", "bc", 3, false, 5},
        FindCase{"a start of zero or less is the beginning", "abcabc", "bc", -4, false, 2},
        FindCase{"a match at the start position counts", "abcabc", "bc", 5, false, 5},
        FindCase{"nothing at or after the start", "abcabc", "bc", 6, false, -1},
        FindCase{"case matters by default", "ABC", "bc", 1, false, -1},
        FindCase{"ASCII case folded on request", "ABC", "bc", 1, true, 2},
        FindCase{"absent", "abc", "x", 1, false, -1},
        FindCase{"empty sought text", "abc", "", 1, false, -1},
        FindCase{"sought longer than the text", "ab", "abc", 1, false, -1},
        FindCase{"never from a second byte", characterEndingInA + "A", "A", 1, false, 3},
        FindCase{"a second byte is not case-folded", characterEndingInA, "a", 1, true, -1},
        FindCase{"a double-byte character matches whole", cp936("中文"), cp936("文"), 1, false, 3},
        FindCase{"no match across two characters", cp936("中文"), "\xD0\xCE", 1, false, -1},
        FindCase{"a start on a second byte moves to the next character", characterEndingInA + "A",
                 "A", 2, false, 3}));

struct SplitCase {
    std::string description;
    std::string text;
    std::string separator;
    std::vector<std::string> expected;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.description;
}

class SplitText : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitText, GivesThePiecesBetweenSeparators) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(splitText(c.text, c.separator), c.expected) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitText,
    testing::Values(
        SplitCase{"empty text", "", ",", {}}, SplitCase{"no separator", "abc", ",", {"abc"}},
        SplitCase{"pieces in order", "a\r\nbb\r\nc", "\r\n", {"a", "bb", "c"}},
        SplitCase{"separator at the start", ",a", ",", {"", "a"}},
        SplitCase{"two separators in a row", "a,,b", ",", {"a", "", "b"}},
        SplitCase{"separator at the very end", "a,b,", ",", {"a", "b"}},
        SplitCase{"the text is one separator", ",", ",", {""}},
        SplitCase{
            "never at a second byte", characterEndingInA + "Ab", "A", {characterEndingInA, "b"}}));

struct ReplaceCase {
    std::string description;
    std::string text;
    std::string sought;
    std::string replacement;
    bool ignoreCase;
    std::string expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* out) {
    *out << c.description;
}

class ReplaceText : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceText, ReplacesEveryOccurrence) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceText(c.text, c.sought, c.replacement, c.ignoreCase), c.expected)
        << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceText,
    testing::Values(ReplaceCase{"every occurrence, case ignored", "Cookie: a=1; COOKIE:b",
                                "cookie:", "", true, " a=1; b"},
                    ReplaceCase{"case-sensitive", "Cookie: a=1; COOKIE:b", "Cookie:", "", false,
                                " a=1; COOKIE:b"},
                    ReplaceCase{"longer replacement", "x#y#", "#", "<>", false, "x<>y<>"},
                    ReplaceCase{"occurrences do not overlap", "aaa", "aa", "b", false, "ba"},
                    ReplaceCase{"second bytes are left alone", characterEndingInA + "A", "A", "",
                                false, characterEndingInA}));

struct TrimCase {
    std::string description;
    std::string text;
    std::string expected;
};

void PrintTo(const TrimCase& c, std::ostream* out) {
    *out << c.description;
}

class TrimSpaces : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpaces, RemovesSpacesAtBothEnds) {
    const TrimCase& c = GetParam();
    EXPECT_EQ(trimSpaces(c.text), c.expected) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimSpaces,
    testing::Values(TrimCase{"ASCII spaces", "  a b  ", "a b"},
                    TrimCase{"full-width spaces", cp936("　a　"), "a"},
                    TrimCase{"mixed", cp936(" 　 值 　"), cp936("值")},
                    TrimCase{"tabs and line breaks stay", "\ta\r\n", "\ta\r\n"},
                    TrimCase{"only spaces", cp936(" 　 "), ""},
                    TrimCase{"a character ending in 0xA1 before a full-width space",
                             "\xB0\xA1\xA1\xA1", "\xB0\xA1"},
                    TrimCase{"a character ending in 0xA1 and a lone 0xA1", "\xB0\xA1\xA1",
                             "\xB0\xA1\xA1"}));

TEST(ByteSlices, TakeWhatThereIs) {
    EXPECT_EQ(leftBytes("abc", 2), "ab");
    EXPECT_EQ(leftBytes("abc", 9), "abc");
    EXPECT_EQ(leftBytes("abc", 0), "");
    EXPECT_EQ(leftBytes("abc", -1), "");
    EXPECT_EQ(rightBytes("abc", 2), "bc");
    EXPECT_EQ(rightBytes("abc", 9), "abc");
    EXPECT_EQ(rightBytes("abc", -3), "");
    EXPECT_EQ(midBytes("abcdef", 2, 3), "bcd");
    EXPECT_EQ(midBytes("abcdef", 5, 10), "ef");
    EXPECT_EQ(midBytes("abcdef", 0, 2), "ab");
    EXPECT_EQ(midBytes("abcdef", 7, 1), "");
    EXPECT_EQ(midBytes("abcdef", 2, 0), "");
}

TEST(ByteSlices, CountBytesNotCharacters) {
    EXPECT_EQ(leftBytes(cp936("中文"), 1), "\xD6");
    EXPECT_EQ(rightBytes(cp936("中文"), 2), cp936("文"));
}

}  // namespace
}  // namespace lornette
