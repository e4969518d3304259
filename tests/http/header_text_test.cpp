#include "http/header_text.h"

#include "support/cp936.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace lornette {
namespace {

using test_support::cp936;

struct HelperCase {
    std::string description;
    std::function<std::string()> call;
    std::string expected;
};

void PrintTo(const HelperCase& c, std::ostream* out) {
    *out << c.description;
}

class HeaderTextHelpers : public testing::TestWithParam<HelperCase> {};

TEST_P(HeaderTextHelpers, GiveTheExpectedText) {
    const HelperCase& c = GetParam();
    EXPECT_EQ(c.call(), c.expected) << c.description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderTextHelpers,
    testing::Values(
        HelperCase{"normalise: empty and colon-less lines dropped, no space added",
                   [] {
                       return normaliseHeaderNames(
                           "\r\naccept-language: zh-cn\r\nuser-agent:x\r\nno colon here");
                   },
                   "Accept-Language: zh-cn\r\nUser-Agent:x"},
        HelperCase{"normalise: other letters keep their case",
                   [] { return normaliseHeaderNames("content-TYPE: a"); }, "Content-TYPE: a"},
        HelperCase{"normalise: a dash at the end of the name",
                   [] { return normaliseHeaderNames("x-: 1"); }, "X-: 1"},
        HelperCase{"normalise: a dash at the start of the name",
                   [] { return normaliseHeaderNames("-a: 1"); }, "-A: 1"},
        HelperCase{"normalise: dashes in a row", [] { return normaliseHeaderNames("a--b: 1"); },
                   "A--B: 1"},
        HelperCase{"normalise: the value is left alone",
                   [] { return normaliseHeaderNames("x-a: b-c: d"); }, "X-A: b-c: d"},
        HelperCase{"normalise: a name beginning with a double-byte character",
                   [] { return normaliseHeaderNames(cp936("名-x: 1")); }, cp936("名-X: 1")},
        HelperCase{"normalise: an empty block", [] { return normaliseHeaderNames(""); }, ""},
        HelperCase{"normalise: no line with a colon",
                   [] { return normaliseHeaderNames("a\r\nb\r\n"); }, ""},
        HelperCase{"capitalise: the first byte only", [] { return capitaliseFirst("aBC"); }, "ABC"},
        HelperCase{"capitalise: a non-letter first", [] { return capitaliseFirst("1a"); }, "1a"},
        HelperCase{"capitalise: a double-byte first character",
                   [] { return capitaliseFirst(cp936("名a")); }, cp936("名a")},
        HelperCase{"capitalise: an empty word", [] { return capitaliseFirst(""); }, ""},
        HelperCase{"name: trimmed", [] { return headerName("Accept :  */* "); }, "Accept"},
        HelperCase{"value: trimmed", [] { return headerValue("Accept :  */* "); }, "*/*"},
        HelperCase{"value: later colons belong to it", [] { return headerValue("Host: a:81"); },
                   "a:81"},
        HelperCase{"value: full-width spaces trimmed, tabs kept",
                   [] { return headerValue(cp936("X:　\tv　")); }, "\tv"},
        HelperCase{"name: no colon", [] { return headerName("novalue"); }, ""},
        HelperCase{"value: no colon", [] { return headerValue("novalue"); }, ""},
        HelperCase{"before: found", [] { return textBefore("Set-Cookie: a=1", ": "); },
                   "Set-Cookie"},
        HelperCase{"before: not found", [] { return textBefore("Set-Cookie: a=1", "; "); }, ""},
        HelperCase{"before: counted from the beginning, not from the start",
                   [] { return textBefore("a;b;c", ";", 3); }, "a;b"},
        HelperCase{"before: a start of zero is the beginning",
                   [] { return textBefore("a;b", ";", 0); }, "a"},
        HelperCase{"before: case folded on request",
                   [] { return textBefore("xSEPy", "sep", 1, true); }, "x"},
        HelperCase{"between: untrimmed",
                   [] { return textBetween("Set-Cookie: a=1; path=/", "Set-Cookie:", ";"); },
                   " a=1"},
        HelperCase{"between: markers that touch", [] { return textBetween("ab", "a", "b"); }, ""},
        HelperCase{"between: no end marker", [] { return textBetween("ab", "a", ";"); }, ""},
        HelperCase{"between: no start marker", [] { return textBetween("ab", "x", "b"); }, ""},
        HelperCase{"between: from the start position",
                   [] { return textBetween("[1] [2]", "[", "]", 2); }, "2"},
        HelperCase{"between: case folded on request",
                   [] { return textBetween("<A>x</A>", "<a>", "</a>", 1, true); }, "x"},
        HelperCase{"between: the double-quote escape in both markers",
                   [] { return textBetween("x=\"5\"", cp936("x=#引号"), cp936("#引号")); }, "5"}));

}  // namespace
}  // namespace lornette
