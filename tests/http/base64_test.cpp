#include "http/base64.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lornette {
namespace {

class EncodeBase64 : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(EncodeBase64, GivesTheRfc4648Text) {
    EXPECT_EQ(encodeBase64(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Rfc4648Vectors, EncodeBase64,
                         testing::Values(std::pair<std::string, std::string>{"", ""},
                                         std::pair<std::string, std::string>{"f", "Zg=="},
                                         std::pair<std::string, std::string>{"fo", "Zm8="},
                                         std::pair<std::string, std::string>{"foo", "Zm9v"},
                                         std::pair<std::string, std::string>{"foob", "Zm9vYg=="},
                                         std::pair<std::string, std::string>{"fooba", "Zm9vYmE="},
                                         std::pair<std::string, std::string>{"foobar",
                                                                             "Zm9vYmFy"}));

INSTANTIATE_TEST_SUITE_P(
    EveryByte, EncodeBase64,
    testing::Values(std::pair<std::string, std::string>{"\xFB\xFF\xBF", "+/+/"},
                    std::pair<std::string, std::string>{std::string("\0\0", 2), "AAA="},
                    std::pair<std::string, std::string>{"user:pass", "dXNlcjpwYXNz"}));

}  // namespace
}  // namespace lornette
