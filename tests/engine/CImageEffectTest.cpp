#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "CImageEffect.h"
#include "TestPixels.h"

namespace {

int Adjust1(int v, int level)
{
    return CImageEffect::sAdjust1[v * 21 + level];
}
int Adjust2(int v, int level)
{
    return CImageEffect::sAdjust2[v * 21 + level];
}

// A concrete effect that counts its hooks and blurs on request.
class ProbeEffect : public CImageEffect
{
public:
    void PreProcess() override { ++preProcessed; }
    int ProcessSelf() override
    {
        ++processed;
        if (blur)
            Blur2Rgb();
        return 1;
    }
    int preProcessed = 0;
    int processed = 0;
    bool blur = false;
};

struct SlopeCase
{
    int level;
    std::array<int, 6> values; // for inputs 0, 64, 100, 128, 200, 255
};

class SlopeCurve : public testing::TestWithParam<SlopeCase>
{
};

TEST_P(SlopeCurve, MatchesHandWorkedValues)
{
    const std::array<int, 6> inputs{0, 64, 100, 128, 200, 255};
    for (size_t i = 0; i < inputs.size(); ++i)
        EXPECT_EQ(Adjust1(inputs[i], GetParam().level), GetParam().values[i])
            << "input " << inputs[i] << " level " << GetParam().level;
}

INSTANTIATE_TEST_SUITE_P(Levels, SlopeCurve,
                         testing::Values(SlopeCase{0, {60, 94, 113, 128, 165, 195}},
                                         SlopeCase{5, {30, 79, 106, 128, 182, 225}},
                                         SlopeCase{9, {6, 67, 101, 128, 196, 249}},
                                         SlopeCase{10, {0, 64, 100, 128, 200, 255}},
                                         SlopeCase{11, {0, 60, 98, 128, 203, 255}},
                                         SlopeCase{20, {0, 6, 74, 128, 255, 255}}));

TEST(LevelTables, EveryColumnKeepsTheMiddleAndTheNeutralColumnIsIdentity)
{
    for (int level = 0; level <= 20; ++level)
        EXPECT_EQ(Adjust1(128, level), 128) << level;
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(Adjust1(v, 10), v);
        EXPECT_EQ(Adjust2(v, 10), v);
    }
}

TEST(LevelTables, SlopesAboveTheMiddleNeverFallBelowThoseUnderIt)
{
    for (int v = 129; v < 256; ++v)
        for (int level = 0; level < 20; ++level)
            EXPECT_LE(Adjust1(v, level), Adjust1(v, level + 1)) << v << " at " << level;
}

TEST(LevelTables, OffsetCurvesMoveFourStepsPerLevel)
{
    EXPECT_EQ(Adjust2(0, 0), 0);
    EXPECT_EQ(Adjust2(100, 0), 60);
    EXPECT_EQ(Adjust2(100, 20), 140);
    EXPECT_EQ(Adjust2(255, 20), 255);
    EXPECT_EQ(Adjust2(50, 13), 62);
}

TEST(Noise, AmountZeroDrawsNothing)
{
    ProbeEffect effect;
    CImageEffect::Seed(3);
    for (int v : {0, 17, 255})
        EXPECT_EQ(effect.Noise(static_cast<unsigned char>(v), 0), v);
    EXPECT_EQ(CRandom::Current().Next(), CRandom(3).Next());
}

TEST(Noise, StaysWithinItsBandAndTheByteRange)
{
    ProbeEffect effect;
    CImageEffect::Seed(11);
    for (int amount : {1, 5, 31, 255}) {
        for (int i = 0; i < 2000; ++i) {
            for (int v : {0, 100, 255}) {
                const int noisy =
                    effect.Noise(static_cast<unsigned char>(v), static_cast<unsigned char>(amount));
                ASSERT_GE(noisy, std::max(0, v - 4 * amount));
                ASSERT_LE(noisy, std::min(255, v + 4 * amount - 1));
            }
        }
    }
}

TEST(Noise, EachCallDrawsOneNumberFromTheSequence)
{
    ProbeEffect effect;
    CImageEffect::Seed(21);
    std::srand(21);
    for (int i = 0; i < 50; ++i) {
        const int r = std::rand();
        EXPECT_EQ(effect.Noise(100, 3), 100 + r % 24 - 12);
    }
}

TEST(Process, RefusesAnEmptyPicture)
{
    TestPixels pixels(4, 4);
    const auto before = pixels.bytes;
    for (auto [data, width, height] : {std::tuple<uint8_t *, int, int>{nullptr, 4, 4},
                                       {pixels.data(), 0, 4},
                                       {pixels.data(), 4, 0}}) {
        ProbeEffect effect;
        effect.SetInput(data, static_cast<unsigned short>(width),
                        static_cast<unsigned short>(height), 16);
        EXPECT_EQ(effect.Process(), 0);
        EXPECT_EQ(effect.preProcessed, 0);
        EXPECT_EQ(effect.processed, 0);
    }
    EXPECT_EQ(pixels.bytes, before);
}

TEST(Process, RunsPreProcessThenTheEffect)
{
    TestPixels pixels(1, 1);
    ProbeEffect effect;
    effect.SetInput(pixels.data(), 1, 1, 4);
    EXPECT_EQ(effect.Process(), 1);
    EXPECT_EQ(effect.preProcessed, 1);
    EXPECT_EQ(effect.processed, 1);
}

TEST(Levels, AreClampedToTheTables)
{
    ProbeEffect effect;
    effect.SetLevel1(20);
    EXPECT_EQ(effect.GetLevel1(), 20);
    effect.SetLevel1(21);
    EXPECT_EQ(effect.GetLevel1(), 20);
    effect.SetLevel1(255);
    EXPECT_EQ(effect.GetLevel1(), 20);
    EXPECT_TRUE(effect.GetLevel1Name().IsEmpty());
    EXPECT_TRUE(effect.GetLevel2Name().IsEmpty());
}

void Blur(TestPixels &pixels)
{
    ProbeEffect effect;
    effect.blur = true;
    pixels.processWith(effect);
}

TEST(Blur2Rgb, NarrowPicturesHaveNoInterior)
{
    for (auto [w, h] : {std::pair{2, 5}, std::pair{5, 2}, std::pair{1, 1}}) {
        TestPixels pixels = TestPixels::random(w, h, 4);
        const auto before = pixels.bytes;
        Blur(pixels);
        EXPECT_EQ(pixels.bytes, before) << w << " x " << h;
    }
}

TEST(Blur2Rgb, OnlyTheCentreOfThreeByThreeChanges)
{
    TestPixels pixels = TestPixels::random(3, 3, 8, 12);
    const TestPixels before = pixels;
    Blur(pixels);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            if (x == 1 && y == 1)
                continue;
            EXPECT_EQ(pixels.rgb(x, y), before.rgb(x, y));
        }
    for (int c = 0; c < 3; ++c) {
        const int expected = 2 * ((before.at(1, 0)[c] >> 3) + (before.at(1, 2)[c] >> 3) +
                                  (before.at(0, 1)[c] >> 3) + (before.at(2, 1)[c] >> 3));
        EXPECT_EQ(pixels.at(1, 1)[c], expected) << "byte " << c;
    }
    EXPECT_EQ(pixels.at(1, 1)[3], 0xA5);
    EXPECT_EQ(std::vector<uint8_t>(pixels.bytes.begin() + 12, pixels.bytes.begin() + 24),
              std::vector<uint8_t>(12, 0xA5)); // padding of row 0
}

TEST(Blur2Rgb, WhiteBecomes248InsideAndStaysOnTheBorder)
{
    TestPixels pixels = TestPixels::solid(6, 5, 255, 255, 255);
    Blur(pixels);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool border = x == 0 || y == 0 || x == 5 || y == 4;
            const int v = border ? 255 : 248;
            EXPECT_EQ(pixels.rgb(x, y), (std::vector<int>{v, v, v})) << x << "," << y;
        }
}

} // namespace
