// The emulated desktop's code-page conversions, held to what Windows does for the program's
// code pages: UTF-8 and 936 (the ANSI code page).
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace {

std::u16string toWide(UINT codePage, const std::string& text) {
    const int units = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    EXPECT_EQ(MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), units), units);
    return wide;
}

std::string fromWide(UINT codePage, const std::u16string& wide) {
    const int bytes =
        WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    EXPECT_EQ(
        WideCharToMultiByte(codePage, 0, wide.c_str(), -1, text.data(), bytes, nullptr, nullptr),
        bytes);
    return text;
}

struct ToWideCase {
    const char* name;
    UINT codePage;
    std::string text;
    std::u16string expected;  // with the terminator, as the -1 length counts it
};

void PrintTo(const ToWideCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class ToWide : public testing::TestWithParam<ToWideCase> {};

TEST_P(ToWide, Converts) {
    EXPECT_EQ(toWide(GetParam().codePage, GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, ToWide,
    testing::Values(ToWideCase{"Utf8", CP_UTF8, "a\xE6\x96\x87", std::u16string(u"a\u6587\0", 3)},
                    ToWideCase{"InvalidUtf8Byte", CP_UTF8,
                               "a\xFF"
                               "b",
                               std::u16string(u"a\uFFFDb\0", 4)},
                    ToWideCase{"TruncatedUtf8", CP_UTF8, "\xE6\x96",
                               std::u16string(u"\uFFFD\0", 2)},
                    ToWideCase{"Cp936", 936,
                               "\xCE\xC4"
                               "a",
                               std::u16string(u"\u6587a\0", 3)},
                    ToWideCase{"Cp936EuroSign", 936, "\x80", std::u16string(u"\u20AC\0", 2)},
                    ToWideCase{"AnsiIs936", CP_ACP, "\xCE\xC4", std::u16string(u"\u6587\0", 2)}),
    [](const auto& testCase) { return testCase.param.name; });

struct FromWideCase {
    const char* name;
    UINT codePage;
    std::u16string wide;
    std::string expected;  // with the terminator
};

void PrintTo(const FromWideCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class FromWide : public testing::TestWithParam<FromWideCase> {};

TEST_P(FromWide, Converts) {
    EXPECT_EQ(fromWide(GetParam().codePage, GetParam().wide), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, FromWide,
    testing::Values(
        FromWideCase{"Utf8", CP_UTF8, u"a\u6587", std::string("a\xE6\x96\x87\0", 5)},
        FromWideCase{"LoneSurrogateToUtf8", CP_UTF8, std::u16string{u'a', char16_t(0xD800)},
                     std::string("a\xEF\xBF\xBD\0", 5)},
        FromWideCase{"Cp936", 936, u"\u6587a",
                     std::string("\xCE\xC4"
                                 "a\0",
                                 4)},
        FromWideCase{"Cp936EuroSign", 936, u"\u20AC", std::string("\x80\0", 2)},
        FromWideCase{"Cp936Lacks", 936, u"a\u0E01b", std::string("a?b\0", 4)},
        FromWideCase{"Cp936BestFit", 936, u"\u00C0", std::string("\xA8\xA4\0", 3)},
        FromWideCase{"SurrogatePairPerUnit", 936, u"\U0001F600", std::string("??\0", 3)},
        FromWideCase{"AnsiIs936", CP_ACP, u"\u6587", std::string("\xCE\xC4\0", 3)}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(CodePageConversion, AnsiCodePageIs936) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(CodePageConversion, CountedLengthLeavesTerminatorOut) {
    std::u16string wide(4, u'x');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, wide.data(), 4), 3);
    EXPECT_EQ(wide, u"abcx");

    std::string text(3, 'x');
    EXPECT_EQ(WideCharToMultiByte(936, 0, u"\u6587", 1, text.data(), 3, nullptr, nullptr), 2);
    EXPECT_EQ(text, "\xCE\xC4x");
}

TEST(CodePageConversion, TooSmallBufferGivesZero) {
    std::u16string wide(2, u'\0');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, wide.data(), 2), 0);
    std::string text(2, '\0');
    EXPECT_EQ(WideCharToMultiByte(936, 0, u"\u6587", -1, text.data(), 2, nullptr, nullptr), 0);
}

TEST(CodePageConversion, RefusesWhatItDoesNotKnow) {
    std::u16string wide(8, u'\0');
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, wide.data(), 8), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 1, "abc", -1, wide.data(), 8), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 0, wide.data(), 8), 0);
    std::string text(8, '\0');
    EXPECT_EQ(WideCharToMultiByte(1252, 0, u"abc", -1, text.data(), 8, nullptr, nullptr), 0);
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", -1, text.data(), 8, nullptr, &usedDefault),
              0);
}

}  // namespace
