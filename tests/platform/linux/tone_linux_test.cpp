#include "platform/linux/tone_linux.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

// Upward zero crossings count whole periods, so they measure the frequency the samples carry.
int upwardCrossings(const std::vector<std::int16_t>& s) {
    int n = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0)
            ++n;
    return n;
}

TEST(ToneTest, CarriesTheFrequencyForTheDuration) {
    struct Case {
        int hz, ms;
    };
    for (const Case c : {Case{2000, 100}, Case{440, 250}, Case{37, 1000}, Case{6000, 50}}) {
        const auto samples = makeTone(c.hz, c.ms);
        EXPECT_EQ(samples.size(), static_cast<std::size_t>(kToneSampleRate * c.ms / 1000)) << c.hz;
        const int expectedPeriods = c.hz * c.ms / 1000;
        EXPECT_NEAR(upwardCrossings(samples), expectedPeriods, 1) << c.hz << " Hz";
    }
}

TEST(ToneTest, FadesInAndOutAndStaysBelowClipping) {
    const auto samples = makeTone(1000, 100);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
    const auto loudest = [](auto from, auto to) {
        int peak = 0;
        for (auto i = from; i != to; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(*i)));
        return peak;
    };
    const int first = loudest(samples.begin(), samples.begin() + 44);       // the first millisecond
    const int middle = loudest(samples.begin() + 441, samples.end() - 441); // away from the fades
    EXPECT_LT(first, middle / 4);
    EXPECT_GT(middle, 8000);
    EXPECT_LT(middle, 16000);
}

TEST(ToneTest, NothingForNoTimeOrNoFrequency) {
    EXPECT_TRUE(makeTone(2000, 0).empty());
    EXPECT_TRUE(makeTone(2000, -5).empty());
    EXPECT_TRUE(makeTone(0, 100).empty());
    // A tone shorter than both fades together still starts and ends at rest.
    const auto tiny = makeTone(2000, 3);
    ASSERT_EQ(tiny.size(), 132u);
    EXPECT_EQ(tiny.front(), 0);
    EXPECT_EQ(tiny.back(), 0);
}

} // namespace
} // namespace qs::linuxos
