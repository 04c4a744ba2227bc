// 30's and 70's photos, infrared and the colour negative.

#include <vector>

#include <gtest/gtest.h>

#include "ApplyEffect.h"
#include "C30sPhotoImageEffect.h"
#include "C70sPhotoImageEffect.h"
#include "CColorNegativeImageEffect.h"
#include "CInfraRedImageEffect.h"

namespace {

TEST(ColorNegative, InvertsEachColourByte)
{
    CColorNegativeImageEffect effect;
    EXPECT_EQ(ApplyToPixel(effect, 10, 20, 30), (std::vector<int>{245, 235, 225}));
}

TEST(ColorNegative, GivesThePictureBackWhenAppliedTwice)
{
    TestPixels pixels = TestPixels::random(19, 11, 3, 5);
    const auto original = pixels.bytes;
    CColorNegativeImageEffect effect;
    Apply(effect, pixels);
    EXPECT_NE(pixels.bytes, original);
    Apply(effect, pixels);
    EXPECT_EQ(pixels.bytes, original);
}

TEST(InfraRed, SeesOnlyTheRedChannelHeldToTheStudioRange)
{
    CInfraRedImageEffect effect;
    // Each pixel alone with the same seed: the same draws, so only the input matters.
    const auto plain = ApplyToPixel(effect, 100, 0, 0);
    EXPECT_EQ(ApplyToPixel(effect, 100, 255, 17), plain);
    EXPECT_EQ(ApplyToPixel(effect, 0, 40, 40), ApplyToPixel(effect, 16, 200, 0));
    EXPECT_EQ(ApplyToPixel(effect, 255, 0, 0), ApplyToPixel(effect, 239, 0, 0));
    EXPECT_NE(ApplyToPixel(effect, 101, 0, 0), plain);
}

TEST(Photo30s, DiscardsThePixelsOwnChroma)
{
    // Pure red and grey 76 share luma 81.
    C30sPhotoImageEffect effect;
    EXPECT_EQ(ApplyToPixel(effect, 255, 0, 0), ApplyToPixel(effect, 76, 76, 76));
}

TEST(Photo70s, KeepsTheColourOfAPixel)
{
    // Pure red and grey 76 share luma 81 but not their chroma.
    C70sPhotoImageEffect effect;
    const auto red = ApplyToPixel(effect, 255, 0, 0);
    EXPECT_NE(red, ApplyToPixel(effect, 76, 76, 76));
    EXPECT_GT(red[0], red[1] + 60);
}

} // namespace
