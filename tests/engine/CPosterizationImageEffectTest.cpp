#include <set>

#include <gtest/gtest.h>

#include "CPosterizationImageEffect.h"
#include "LumaPictures.h"

namespace {

// Every value 0..255 in each channel (blue runs the other way).
TestPixels AllValues()
{
    TestPixels pixels(256, 1);
    for (int i = 0; i < 256; ++i)
        pixels.set(i, 0, static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                   static_cast<uint8_t>(255 - i));
    return pixels;
}

std::set<int> Steps(int first, int step, int count, bool top)
{
    std::set<int> values;
    for (int k = 0; k < count; ++k)
        values.insert(first + k * step);
    if (top)
        values.insert(255);
    return values;
}

using PosterizeValues = testing::TestWithParam<std::pair<int, std::set<int>>>;

TEST_P(PosterizeValues, EachChannelTakesOnlyTheBinCentres)
{
    TestPixels pixels = AllValues();
    CPosterizationImageEffect posterize;
    posterize.SetLevel1(static_cast<unsigned char>(GetParam().first));
    ASSERT_EQ(Apply(posterize, pixels), 1);
    for (int channel = 0; channel < 3; ++channel) {
        std::set<int> seen;
        for (int x = 0; x < 256; ++x)
            seen.insert(pixels.at(x, 0)[channel]);
        EXPECT_EQ(seen, GetParam().second) << "channel " << channel;
    }
}

// At level 3 the bins are 13 wide and the last centre, 253, is the highest value.
INSTANTIATE_TEST_SUITE_P(Levels, PosterizeValues,
                         testing::Values(std::pair{0, Steps(5, 11, 23, true)},
                                         std::pair{3, Steps(6, 13, 20, false)},
                                         std::pair{10, Steps(10, 21, 12, true)},
                                         std::pair{20, Steps(63, 127, 2, true)}));

} // namespace
