#include "text/code_page.h"

#include "support/cp936.h"

#include <gtest/gtest.h>

namespace {

using lornette::fromWideText;
using lornette::toWideText;
using lornette::utf8ToCp936;
using lornette::WideText;
using test_support::cp936;

constexpr UINT unknownCodePage = 1;

TEST(CodePage, ReadsUtf8ByDefault) {
    EXPECT_EQ(toWideText("a\xE6\x96\x87"), WideText(u"a文"));
}

TEST(CodePage, ReadsAnsiCodePage) {
    EXPECT_EQ(toWideText(cp936("中文"), CP_ACP), WideText(u"中文"));
}

TEST(CodePage, WritesAnsiCodePageByDefault) {
    EXPECT_EQ(fromWideText(u"中a"), cp936("中a"));
}

TEST(CodePage, ConvertsUtf8ToCp936) {
    EXPECT_EQ(utf8ToCp936("下载 \xE2\x82\xAC"), cp936("下载 €"));
}

TEST(CodePage, EmptyTextStaysEmpty) {
    EXPECT_EQ(toWideText(""), WideText());
    EXPECT_EQ(fromWideText(WideText()), "");
    EXPECT_EQ(utf8ToCp936(""), "");
}

TEST(CodePage, TextThatCannotBeReadIsEmpty) {
    EXPECT_EQ(toWideText("abc", unknownCodePage), WideText());
}

// The buffer holds twice the ANSI length, terminator included, and starts out as spaces.
TEST(CodePage, FailedConversionGivesSpacesOnly) {
    EXPECT_EQ(fromWideText(u"abc", unknownCodePage), std::string(8, ' '));
}

}  // namespace
