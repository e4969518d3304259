#include "text/regex_object.h"

#include "platform/emu/control.h"
#include "support/cp936.h"

#include <gtest/gtest.h>

namespace {

using lornette::RegexObject;
using test_support::cp936;

class RegexObjectTest : public testing::Test {
  protected:
    RegexObject regex;
};

TEST_F(RegexObjectTest, RejectedPatternGivesFalseAndEmptyResults) {
    EXPECT_FALSE(regex.create("(a", "abc"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchText(1, 1), "");
}

TEST_F(RegexObjectTest, PatternThatFindsNothingStillSucceeds) {
    EXPECT_TRUE(regex.create("(x)", "abc"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchText(1, 1), "");
}

TEST_F(RegexObjectTest, EmptySubjectSucceedsWithoutMatches) {
    EXPECT_TRUE(regex.create("(a)", ""));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchText(1, 1), "");
}

TEST_F(RegexObjectTest, IndicesOutsideMatchesAndGroupsGiveEmptyText) {
    ASSERT_TRUE(regex.create("(a)(b)", "ab ab"));
    ASSERT_EQ(regex.matchCount(), 2);
    EXPECT_EQ(regex.subMatchText(2, 2), "b");
    EXPECT_EQ(regex.subMatchText(3, 1), "");
    EXPECT_EQ(regex.subMatchText(1, 3), "");
    EXPECT_EQ(regex.subMatchText(0, 1), "");
    EXPECT_EQ(regex.subMatchText(1, 0), "");
    EXPECT_EQ(regex.subMatchText(-2147483647 - 1, 1), "");
}

TEST_F(RegexObjectTest, GroupThatTookNoPartReadsLikeEmptyGroup) {
    ASSERT_TRUE(regex.create("(a)|(b)(c*)", "b"));
    EXPECT_EQ(regex.subMatchText(1, 1), "");
    EXPECT_EQ(regex.subMatchText(1, 2), "b");
    EXPECT_EQ(regex.subMatchText(1, 3), "");
}

TEST_F(RegexObjectTest, SecondCreateDescribesOnlyTheSecondSubject) {
    ASSERT_TRUE(regex.create("(\\d)", "1 2 3"));
    ASSERT_TRUE(regex.create("(\\w+)", "x"));
    EXPECT_EQ(regex.matchCount(), 1);
    EXPECT_EQ(regex.subMatchText(1, 1), "x");
    EXPECT_EQ(regex.subMatchText(2, 1), "");
}

TEST_F(RegexObjectTest, FailedSecondCreateDropsTheFirstMatches) {
    ASSERT_TRUE(regex.create("(a)", "a"));
    EXPECT_FALSE(regex.create("(", "a"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchText(1, 1), "");
}

TEST_F(RegexObjectTest, DefaultsIgnoreCase) {
    ASSERT_TRUE(regex.create("([a-z0-9]{4})", "AB12"));
    EXPECT_EQ(regex.subMatchText(1, 1), "AB12");
    ASSERT_TRUE(regex.create("([a-z0-9]{4})", "AB12", true));
    EXPECT_EQ(regex.matchCount(), 0);
}

TEST_F(RegexObjectTest, DefaultsAreMultiLineAndGlobal) {
    ASSERT_TRUE(regex.create("(\\w+)$", "ab\r\ncd"));
    EXPECT_EQ(regex.matchCount(), 2);
    EXPECT_EQ(regex.subMatchText(1, 1), "ab");
    ASSERT_TRUE(regex.create("(\\w+)$", "ab\r\ncd", false, false, false));
    EXPECT_EQ(regex.matchCount(), 1);
    EXPECT_EQ(regex.subMatchText(1, 1), "cd");
}

TEST_F(RegexObjectTest, DotTakesCarriageReturnButNotLineFeed) {
    ASSERT_TRUE(regex.create("(a.b)", "a\rb a\nb"));
    EXPECT_EQ(regex.matchCount(), 1);
    EXPECT_EQ(regex.subMatchText(1, 1), "a\rb");
}

TEST_F(RegexObjectTest, ChineseCharacterIsOneNonWordCharacter) {
    ASSERT_TRUE(regex.create("(\\W)(\\W)", cp936("中文")));
    EXPECT_EQ(regex.matchCount(), 1);
    EXPECT_EQ(regex.subMatchText(1, 1), cp936("中"));
    EXPECT_EQ(regex.subMatchText(1, 2), cp936("文"));
}

TEST_F(RegexObjectTest, ShareLinkWithCodeAfterChineseLabel) {
    const std::string text = cp936("看这个 pan.lornette.test/s/1AbC 提取码：Ab12\r\n好");
    ASSERT_TRUE(regex.create("pan.lornette.test/s/(.*?[~\\s])\\W.*?([a-z0-9]{4})", text));
    EXPECT_EQ(regex.subMatchText(1, 1), "1AbC ");
    EXPECT_EQ(regex.subMatchText(1, 2), "Ab12");
}

TEST_F(RegexObjectTest, ResolverRowsInPageOrder) {
    const std::string page = cp936(
        "<tr><td>甲.zip</td><td>1 MB</td><td><a target=\"_blank\" href=\"http://d/1\">点我下载</a>"
        "\n<TR><TD>乙.rar</TD><TD>2 KB</TD><TD><A TARGET=\"x\" HREF=\"http://d/2\">点我下载</A>"
        "\n<tr><td>丙</td><td>3</td><td><a target=\"\" href=\"http://d/3\">别的</a>");
    ASSERT_TRUE(regex.create(
        cp936("<td>(.*?)</td><td>(.*?)</td><td><a target=\".*?\" href=\"(.*?)\">点我下载</a>"),
        page));
    ASSERT_EQ(regex.matchCount(), 2);
    EXPECT_EQ(regex.subMatchText(1, 1), cp936("甲.zip"));
    EXPECT_EQ(regex.subMatchText(2, 1), cp936("乙.rar"));
    EXPECT_EQ(regex.subMatchText(2, 2), "2 KB");
    EXPECT_EQ(regex.subMatchText(2, 3), "http://d/2");
}

TEST(RegexObjectCom, InitialisationNestsPerObjectAndUnwindsInReverse) {
    const int before = emu::control::comInitialisationDepth();
    {
        RegexObject outer;
        EXPECT_EQ(emu::control::comInitialisationDepth(), before + 1);
        {
            RegexObject inner;
            inner.create("(a)", "a");
            EXPECT_EQ(emu::control::comInitialisationDepth(), before + 2);
        }
        EXPECT_EQ(emu::control::comInitialisationDepth(), before + 1);
    }
    EXPECT_EQ(emu::control::comInitialisationDepth(), before);
}

}  // namespace
