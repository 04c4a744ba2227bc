#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "CImageEffect.h"
#include "TestPixels.h"

namespace {

// A concrete effect that counts its preparations.
class ProbeEffect : public CImageEffect
{
public:
    void PreProcess() override { ++preProcessed; }
    int ProcessSelf() override { return 1; }
    int preProcessed = 0;
};

// glibc's first draws after seed 1 are 1804289383, 846930886, 1681692777, 1714636915 and
// 1957747793: r mod 8a - 4a moves the value, clamped to the byte (1957747793 mod 2040 = 593);
// amount 0 draws nothing.
TEST(Noise, MovesByTheNextDrawAsWorkedByHand)
{
    ProbeEffect effect;
    CImageEffect::Seed(1);
    EXPECT_EQ((std::vector<int>{effect.Noise(100, 1), effect.Noise(100, 0), effect.Noise(100, 1),
                                effect.Noise(0, 1), effect.Noise(250, 2), effect.Noise(255, 255)}),
              (std::vector<int>{103, 100, 102, 0, 245, 0}));
}

TEST(Process, RefusesAnEmptyPictureAndOtherwiseRunsPreProcessAndTheEffect)
{
    TestPixels pixels(4, 4);
    ProbeEffect effect;
    for (auto [data, width, height] : {std::tuple<uint8_t *, int, int>{nullptr, 4, 4},
                                       {pixels.bytes.data(), 0, 4},
                                       {pixels.bytes.data(), 4, 0}}) {
        effect.SetInput(data, static_cast<unsigned short>(width),
                        static_cast<unsigned short>(height), 16);
        EXPECT_EQ(effect.Process(), 0);
    }
    EXPECT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(effect.preProcessed, 1);
}

} // namespace
