// The matching rules of the script engine's RegExp object, as the program relies on them, held
// against the engine of this platform. Options default to the program's: ignore case,
// multi-line, global.
#include "engine_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using test_support::EngineOptions;
using test_support::firstGroups;
using test_support::unsetGroup;
using Groups = std::vector<std::u16string>;

constexpr EngineOptions caseSensitive{false, true, true};
constexpr EngineOptions singleLine{true, false, true};
constexpr EngineOptions firstOnly{true, true, false};

struct RuleCase {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    Groups expected;
    EngineOptions options = {};

    void PrintTo(const RuleCase& testCase, std::ostream* out) { *out << testCase.name; }
};

class MatchingRule : public testing::TestWithParam<RuleCase> {};

TEST_P(MatchingRule, FindsTheExpectedMatches) {
    const RuleCase& rule = GetParam();
    EXPECT_EQ(firstGroups(rule.pattern, rule.subject, rule.options), rule.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ScriptEngine, MatchingRule,
    testing::Values(
        // "." stops at a line feed only.
        RuleCase{"DotMatchesCarriageReturn", u"(a.b)", u"a\rb", {u"a\rb"}},
        RuleCase{"DotStopsAtLineFeed", u"(a.b)", u"a\nb", {}},
        // Multi-line anchors stand at line feeds and carriage returns.
        RuleCase{"DollarBeforeCarriageReturn", u"(\\w+)$", u"ab\rcd", {u"ab", u"cd"}},
        RuleCase{"DollarBeforeLineFeed", u"(\\w+)$", u"ab\ncd\n", {u"ab", u"cd"}},
        RuleCase{"CaretAfterEitherBreak", u"^(\\w)", u"ab\rcd\r\nef", {u"a", u"c", u"e"}},
        RuleCase{"SingleLineDollarAtEndOnly", u"(\\w+)$", u"ab\ncd", {u"cd"}, singleLine},
        RuleCase{"SingleLineDollarNotBeforeFinalBreak", u"(b)$", u"ab\n", {}, singleLine},
        RuleCase{"SingleLineCaretAtStartOnly", u"^(\\w)", u"ab\ncd", {u"a"}, singleLine},
        // Character classes keep their ASCII meanings.
        RuleCase{"WhiteSpace",
                 u"(\\s)",
                 u" \t\n\v\f\r\u00A0\u3000x",
                 {u" ", u"\t", u"\n", u"\v", u"\f", u"\r"}},
        RuleCase{"NonWordCharacters", u"(\\W)", u"a中_文!é1", {u"中", u"文", u"!", u"é"}},
        RuleCase{"WordCharactersIgnoreKelvinAndLongS", u"(\\w)", u"\u212Ak\u017Fs", {u"k", u"s"}},
        RuleCase{"NonWordInClassIgnoringCase", u"([~\\W])", u"k~K中", {u"~", u"中"}},
        RuleCase{"WhiteSpaceInClass", u"([~\\s])", u"a~ b\tc", {u"~", u" ", u"\t"}},
        RuleCase{"DigitsAreAscii", u"(\\d+)", u"12\u0663\uFF14", {u"12"}},
        RuleCase{"WordBoundaryIsAscii", u"(\\b\\w)", u"ab 中c", {u"a", u"c"}},
        // Case-insensitive comparison.
        RuleCase{"ClassAcceptsCapitals", u"([a-z0-9]{4})", u"AB12cd34", {u"AB12", u"cd34"}},
        RuleCase{"TagInCapitals", u"(<td>)", u"<TD><td>", {u"<TD>", u"<td>"}},
        RuleCase{"GreekLetters", u"(αβ)", u"ΑΒ", {u"ΑΒ"}},
        RuleCase{"FullWidthLetters", u"([ａ-ｚ])", u"Ａ", {u"Ａ"}},
        RuleCase{"KelvinSignIsNoK", u"(k)", u"\u212A", {}},
        RuleCase{"CaseSensitiveWhenAsked", u"([a-z]{2})", u"ABcd", {u"cd"}, caseSensitive},
        // Repetition and scanning.
        RuleCase{"CountedRange", u"(a{2,3})", u"aaaaaaa", {u"aaa", u"aaa"}},
        RuleCase{"LazyRepetition", u"(a.*?b)", u"aXbYb", {u"aXb"}},
        RuleCase{"GlobalMatchesDoNotOverlap", u"(aba)", u"ababa", {u"aba"}},
        RuleCase{"NotGlobalStopsAtFirst", u"(a)", u"aaa", {u"a"}, firstOnly},
        RuleCase{"EmptyMatchMovesOnOneUnit", u"(x*)", u"ab", {u"", u"", u""}},
        RuleCase{"EmptyAndLongMatches", u"(a*)", u"baaa", {u"", u"aaa", u""}},
        // Groups.
        RuleCase{"GroupThatTookNoPart", u"(a)?b", u"b", {unsetGroup}},
        RuleCase{"BackReferenceToUnsetGroupIsEmpty", u"(a)?\\1b", u"b", {unsetGroup}},
        RuleCase{"BackReference", u"(\\w)\\1", u"abba", {u"b"}},
        // Escapes as the script engine reads them.
        RuleCase{"HexUnicodeAndVerticalTab", u"(\\x41\\u0042\\v)", u"AB\v AB\n", {u"AB\v"}},
        RuleCase{
            "OctalEscape", u"(\\101\\0)", std::u16string(u"A\0", 2), {std::u16string(u"A\0", 2)}},
        RuleCase{"LettersWithoutEscapeMeaning", u"(\\A\\Q\\z\\h)", u"AQzh", {u"AQzh"}},
        RuleCase{"ControlLetter", u"(\\cJ)", u"\n", {u"\n"}},
        RuleCase{"BraceWithoutCount", u"(a{,2}b{)", u"a{,2}b{", {u"a{,2}b{"}},
        RuleCase{"EmptyClassMatchesNothing", u"(a[])", u"a", {}},
        RuleCase{"NegatedEmptyClassMatchesAnything", u"([^])", u"\n", {u"\n"}}),
    [](const auto& testCase) { return testCase.param.name; });

class RejectedPattern : public testing::TestWithParam<std::u16string> {};

TEST_P(RejectedPattern, FailsTheRun) {
    EXPECT_EQ(firstGroups(GetParam(), u"a(b)*c+?{}"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(ScriptEngine, RejectedPattern,
                         testing::Values(u"(a", u"a)", u"*a", u"a**", u"a++", u"a|?", u"(?<n>a)",
                                         u"(?i)a", u"(*CR)a", u"[b-a]", u"[a", u"a{3,1}", u"a\\",
                                         u"^*"));

}  // namespace
