#include "text/percent_decode.h"

#include "support/cp936.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using lornette::percentDecode;
using test_support::cp936;

struct DecodeCase {
    const char* name;
    std::string text;
    bool convertFromUtf8;
    std::string expected;
};

void PrintTo(const DecodeCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class PercentDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(PercentDecode, Decodes) {
    const DecodeCase& decode = GetParam();
    EXPECT_EQ(percentDecode(decode.text, decode.convertFromUtf8), decode.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, PercentDecode,
    testing::Values(DecodeCase{"UpperAndLowerHexDigits", "%41%4a%4A", false, "AJJ"},
                    DecodeCase{"Utf8EscapesConverted", "%E6%96%87", true, cp936("文")},
                    DecodeCase{"PercentAtEnd", "ab%", false, "ab"},
                    DecodeCase{"OneDigitAtEnd", "ab%4", false, "ab\x40"},
                    DecodeCase{"ZeroByteDropped", "a%00b", false, "ab"},
                    DecodeCase{"TwoNonDigits", "%zz", false, "\xDE"},
                    DecodeCase{"NonDigitThenDigit", "%G1", false, "\xE1"},
                    DecodeCase{"DigitThenNonDigit", "%1z", false, "\x0E"},
                    DecodeCase{"PercentAsHighDigit", "%%41", false,
                               "\xE4"
                               "1"},
                    DecodeCase{"LineFeedAsDigit", "a%\nbc", false,
                               "a\xEB"
                               "c"},
                    DecodeCase{"BytesOfMultiByteCharacterAsDigits", "%\xE6\x96", false, "\xDE"},
                    DecodeCase{"PlusStaysPlus", "a+b%2B", false, "a+b+"},
                    DecodeCase{"TextWithoutPercentUnchanged", "file \xE6\x96\x87.zip", false,
                               "file \xE6\x96\x87.zip"},
                    DecodeCase{"PageConvertedFromUtf8", "文件%20名.zip", true,
                               cp936("文件 名.zip")},
                    DecodeCase{"EuroSignIs0x80", "%E2%82%AC", true, "\x80"},
                    DecodeCase{"InvalidUtf8", "a%FFb", true, "a?b"},
                    DecodeCase{"CharacterCp936Lacks", "a%E0%B8%81b", true, "a?b"},
                    DecodeCase{"EmptyText", "", true, ""}),
    [](const auto& testCase) { return testCase.param.name; });

}  // namespace
