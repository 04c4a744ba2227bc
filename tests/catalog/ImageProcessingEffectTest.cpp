#include <gtest/gtest.h>

#include "ImageProcessingEffect.h"
#include "TestImages.h"

namespace {

// Inverts the colour bytes, as the negative effect does, and notes what it was lent.
class Inverting : public CImageEffect
{
public:
    int ProcessSelf() override
    {
        ++calls;
        lent = mData;
        for (int y = 0; y < mHeight; ++y)
            for (int i = 0; i < 4 * mWidth; ++i)
                Row(y)[i] = i % 4 == 3 ? Row(y)[i] : 255 - Row(y)[i];
        return 1;
    }
    int calls = 0;
    const unsigned char *lent = nullptr;
};

// Renders through an Inverting; step 1 hands back `finished` when there is one.
class Bridge : public ImageProcessingEffect
{
public:
    Bridge() { setProcessor(std::unique_ptr<CImageEffect>(inverting = new Inverting)); }
    Picture applyEffectStep1() override
    {
        return finished.isNull() ? ImageProcessingEffect::applyEffectStep1() : finished;
    }
    Inverting *inverting;
    Picture finished;
};

// A picture whose fourth bytes vary, so that keeping them is visible.
Picture withFourthBytes(int w, int h)
{
    QImage grid = TestImages::random(w, h, 7);
    for (int i = 0; i < w * h; ++i)
        grid.scanLine(i / w)[4 * (i % w) + 3] = static_cast<uchar>(i * 31);
    return Picture(grid);
}

TEST(Bridge, NothingWithoutAPictureOrAnEngineObject)
{
    Bridge noPicture;
    EXPECT_TRUE(noPicture.applyEffect().isNull());
    EXPECT_EQ(noPicture.inverting->calls, 0);
    ImageProcessingEffect noEngine;
    noEngine.setImage(withFourthBytes(4, 4));
    EXPECT_TRUE(noEngine.applyEffect().isNull());
}

TEST(Bridge, TheEngineRewritesOneCopyAndKeepsTheFourthBytes)
{
    const Picture input = withFourthBytes(13, 9);
    const QImage before = input.grid().copy();
    Bridge bridge;
    bridge.setImage(input);
    const QImage output = bridge.applyEffect().grid();
    ASSERT_EQ(output.size(), QSize(13, 9));
    for (int i = 0; i < 4 * 13 * 9; ++i) {
        const uchar in = before.constBits()[i];
        ASSERT_EQ(output.constBits()[i], i % 4 == 3 ? in : 255 - in) << "byte " << i;
    }
    EXPECT_EQ(input.grid(), before);
    // The copy the engine was lent is the new picture's storage, and the bridge keeps no
    // hold on it: another step 2 must not write into a picture already handed out.
    EXPECT_EQ(output.constBits(), bridge.inverting->lent);
    EXPECT_NE(bridge.inverting->lent, input.grid().constBits());
    EXPECT_TRUE(output.isDetached());
    const QImage handedOut = output.copy();
    bridge.applyEffectStep2();
    EXPECT_EQ(output, handedOut);
    EXPECT_EQ(bridge.inverting->calls, 1);
}

TEST(Bridge, StepThreeHandsTheCopyOverOnceAndZeroScaleKeepsTheEngineScale)
{
    Bridge bridge;
    bridge.setImage(withFourthBytes(4, 4));
    bridge.inverting->SetScale(0.3f);
    EXPECT_TRUE(bridge.applyEffectStep1().isNull());
    bridge.applyEffectStep2();
    EXPECT_FALSE(bridge.applyEffectStep3().isNull());
    EXPECT_TRUE(bridge.applyEffectStep3().isNull());
    EXPECT_FLOAT_EQ(bridge.inverting->GetScale(), 0.3f);
    bridge.setScale(0.25f);
    bridge.applyEffect();
    EXPECT_FLOAT_EQ(bridge.inverting->GetScale(), 0.25f);
    // A finished picture from step 1 ends the render.
    bridge.finished = Picture(TestImages::solid(2, 2, Qt::red));
    EXPECT_EQ(bridge.applyEffect().grid().size(), QSize(2, 2));
    EXPECT_EQ(bridge.inverting->calls, 2);
}

// A row of 16384 pixels is 65536 bytes, one more than the stride field holds.
using BridgeLimits = ::testing::TestWithParam<std::tuple<int, int, bool>>;

TEST_P(BridgeLimits, PicturesBeyondSixteenBitFieldsAreRefusedNotTruncated)
{
    const auto [width, height, refused] = GetParam();
    Bridge bridge;
    bridge.setImage(Picture(TestImages::solid(width, height, Qt::black)));
    const QImage output = bridge.applyEffect().grid();
    EXPECT_EQ(bridge.refusal().isEmpty(), !refused);
    EXPECT_EQ(bridge.inverting->calls, refused ? 0 : 1);
    EXPECT_EQ(output, refused ? QImage() : TestImages::solid(width, height, Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Sizes, BridgeLimits,
                         ::testing::Values(std::tuple(16383, 1, false), std::tuple(16384, 1, true),
                                           std::tuple(1, 65535, false),
                                           std::tuple(1, 65536, true)));

} // namespace
