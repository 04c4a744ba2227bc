#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "CImageEffect.h"
#include "TestPixels.h"

namespace {

// A concrete effect that counts its hooks.
class ProbeEffect : public CImageEffect
{
public:
    void PreProcess() override { ++preProcessed; }
    int ProcessSelf() override { return ++processed; }
    int preProcessed = 0;
    int processed = 0;
};

// None drawn for amount 0; otherwise the next number of the sequence moves the value by
// r mod 8 amount - 4 amount within the byte range, even for the largest amount.
TEST(Noise, DrawsOneNumberPerCallAndStaysInTheByteRange)
{
    ProbeEffect effect;
    CImageEffect::Seed(21);
    std::srand(21);
    for (int value = 0; value < 256; ++value) {
        const auto v = static_cast<unsigned char>(value);
        EXPECT_EQ(effect.Noise(v, 0), value);
        const int shifted = value + std::rand() % 2040 - 1020;
        EXPECT_EQ(effect.Noise(v, 255), shifted < 0 ? 0 : (shifted > 255 ? 255 : shifted));
    }
}

TEST(Process, RefusesAnEmptyPictureAndOtherwiseRunsPreProcessThenTheEffect)
{
    TestPixels pixels(4, 4);
    const auto before = pixels.bytes;
    ProbeEffect effect;
    for (auto [data, width, height] : {std::tuple<uint8_t *, int, int>{nullptr, 4, 4},
                                       {pixels.data(), 0, 4},
                                       {pixels.data(), 4, 0}}) {
        effect.SetInput(data, static_cast<unsigned short>(width),
                        static_cast<unsigned short>(height), 16);
        EXPECT_EQ(effect.Process(), 0);
    }
    EXPECT_EQ(effect.preProcessed + effect.processed, 0);
    EXPECT_EQ(pixels.bytes, before);
    EXPECT_EQ(pixels.processWith(effect), 1);
    EXPECT_EQ(effect.preProcessed, 1);
    EXPECT_EQ(effect.processed, 1);
}

} // namespace
