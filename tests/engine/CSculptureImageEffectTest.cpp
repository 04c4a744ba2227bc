#include <gtest/gtest.h>

#include "CSculptureImageEffect.h"
#include "LumaPictures.h"

namespace {

struct SculptureProbe : DrawingProbe<CSculptureImageEffect>
{
    int Signed(int difference) const { return mSignedSensitivity[255 + difference]; }
};

struct Relief
{
    int difference;
    int drawn;
};

using SculptureDiagonal = testing::TestWithParam<Relief>;

// Only the upper-left neighbour counts: the other two differ wildly and change nothing.
TEST_P(SculptureDiagonal, LightWhereBrighterThanUpperLeftDarkWhereDarker)
{
    TestPixels pixels = LumaPicture(2, 2, {100, 30, 220, 100 + GetParam().difference});
    SculptureProbe relief;
    ASSERT_EQ(Apply(relief, pixels), 1);
    EXPECT_EQ(relief.Drawn(1, 1), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(Level10, SculptureDiagonal,
                         testing::Values(Relief{0, 144}, Relief{23, 144}, Relief{-23, 144},
                                         Relief{24, 207}, Relief{-24, 48}, Relief{48, 255},
                                         Relief{-48, 0}));

TEST(SculptureEdges, FirstRowIsHorizontalFirstColumnVertical)
{
    TestPixels pixels = LumaPicture(2, 2, {100, 130, 76, 100});
    SculptureProbe relief;
    Apply(relief, pixels);
    EXPECT_EQ(relief.Drawn(1, 0), 213);
    EXPECT_EQ(relief.Drawn(0, 0), 213);
    EXPECT_EQ(relief.Drawn(0, 1), 48);
}

TEST(SculptureTable, LightGreysOfTheRampFlattenToMidGrey)
{
    // Level 0 at scale 0.1: i0 = 123, j0 = 246, so the ramp starts above 191.
    SculptureProbe relief;
    relief.SetLevel1(0);
    relief.SetScale(0.1f);
    relief.BuildSensitivityTable();
    EXPECT_EQ(relief.Signed(0), 144);
    EXPECT_EQ(relief.Signed(123), 144);
    EXPECT_EQ(relief.Signed(-123), 144);
    EXPECT_EQ(relief.Signed(180), 66);
    EXPECT_EQ(relief.Signed(-180), 189);
    EXPECT_EQ(relief.Signed(255), 255);
    EXPECT_EQ(relief.Signed(-255), 0);
}

} // namespace
