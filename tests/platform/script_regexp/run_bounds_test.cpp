// Every run of the engine ends, with a defined result, however large the subject or however
// much the pattern backtracks.
#include "engine_runner.h"

#include <gtest/gtest.h>

namespace {

using test_support::firstGroups;

constexpr std::size_t fourMebibytes = 4 * 1024 * 1024;

TEST(RunBounds, LongSubjectIsSearchedToItsEnd) {
    const std::u16string subject = std::u16string(fourMebibytes, u'a') + u"b";
    EXPECT_EQ(firstGroups(u"(b)", subject), std::vector<std::u16string>{u"b"});
}

TEST(RunBounds, ExponentialBacktrackingFails) {
    EXPECT_EQ(firstGroups(u"((a+)+)$", std::u16string(40, u'a') + u"!"), std::nullopt);
}

TEST(RunBounds, ScanRetriedFromEveryPositionOfLongSubjectFails) {
    EXPECT_EQ(firstGroups(u"(a.*?[yz])", std::u16string(fourMebibytes, u'a')), std::nullopt);
}

TEST(RunBounds, TooManyStoredGroupsFails) {
    std::u16string manyGroups;
    for (int group = 0; group < 1000; ++group) {
        manyGroups += u"()";
    }
    EXPECT_EQ(firstGroups(manyGroups, std::u16string(10'000, u'a')), std::nullopt);
}

}  // namespace
