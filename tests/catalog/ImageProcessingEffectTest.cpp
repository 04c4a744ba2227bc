#include <thread>

#include <gtest/gtest.h>

#include "Canvas.h"
#include "ImageProcessingEffect.h"
#include "ImageResizer.h"
#include "TestImages.h"

namespace {

// Inverts the colour bytes, as the negative effect does, and records what it was lent.
class Inverting : public CImageEffect
{
public:
    explicit Inverting(bool *destroyed = nullptr) : m_destroyed(destroyed) {}
    ~Inverting() override
    {
        if (m_destroyed)
            *m_destroyed = true;
    }
    int ProcessSelf() override
    {
        ++calls;
        lent = mData;
        for (int y = 0; y < mHeight; ++y) {
            unsigned char *p = Row(y);
            for (int x = 0; x < mWidth; ++x, p += 4) {
                p[0] = 255 - p[0];
                p[1] = 255 - p[1];
                p[2] = 255 - p[2];
            }
        }
        return 1;
    }
    int calls = 0;
    const unsigned char *lent = nullptr;

private:
    bool *m_destroyed;
};

class Bridge : public ImageProcessingEffect
{
public:
    Inverting *useInverting(bool *destroyed = nullptr)
    {
        auto effect = std::make_unique<Inverting>(destroyed);
        Inverting *raw = effect.get();
        setProcessor(std::move(effect));
        return raw;
    }
};

// A canvas picture whose fourth bytes vary, so that keeping them is visible.
Picture canvasPicture(int w, int h)
{
    QImage grid = ImageResizer::colorMatch(Picture(TestImages::random(w, h, 7)), QSizeF()).grid();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            grid.scanLine(y)[4 * x + 3] = static_cast<uchar>(x * 31 + y);
    return Picture(grid);
}

TEST(Bridge, NothingWithoutAPictureOrAnEngineObject)
{
    Bridge bridge;
    EXPECT_TRUE(bridge.applyEffect().isNull());
    Inverting *effect = bridge.useInverting();
    EXPECT_TRUE(bridge.applyEffect().isNull());
    EXPECT_EQ(effect->calls, 0);

    Bridge noEngine;
    noEngine.setImage(canvasPicture(4, 4));
    EXPECT_TRUE(noEngine.applyEffect().isNull());
}

TEST(Bridge, NegativeRewritesColourBytesAndKeepsTheFourth)
{
    Bridge bridge;
    bridge.useInverting();
    const Picture input = canvasPicture(13, 9);
    const QImage before = input.grid().copy();
    bridge.setImage(input);
    const Picture output = bridge.applyEffect();
    ASSERT_EQ(output.grid().size(), QSize(13, 9));
    for (int y = 0; y < 9; ++y) {
        const uchar *in = before.constScanLine(y);
        const uchar *out = output.grid().constScanLine(y);
        for (int i = 0; i < 4 * 13; ++i)
            ASSERT_EQ(out[i], i % 4 == 3 ? in[i] : 255 - in[i]) << "row " << y << " byte " << i;
    }
    EXPECT_EQ(input.grid(), before);
}

TEST(Bridge, TheOnePixelCopyBecomesTheNewPicture)
{
    Bridge bridge;
    Inverting *effect = bridge.useInverting();
    const Picture input = canvasPicture(8, 8);
    bridge.setImage(input);
    const Picture output = bridge.applyEffect();
    EXPECT_EQ(output.grid().constBits(), effect->lent);
    EXPECT_NE(effect->lent, input.grid().constBits());
}

TEST(Bridge, ASecondStepThreeReturnsNothing)
{
    Bridge bridge;
    bridge.useInverting();
    bridge.setImage(canvasPicture(4, 4));
    EXPECT_TRUE(bridge.applyEffectStep1().isNull());
    bridge.applyEffectStep2();
    EXPECT_FALSE(bridge.applyEffectStep3().isNull());
    EXPECT_TRUE(bridge.applyEffectStep3().isNull());
}

TEST(Bridge, ZeroScaleKeepsTheEngineScale)
{
    Bridge bridge;
    Inverting *effect = bridge.useInverting();
    bridge.setImage(canvasPicture(4, 4));
    bridge.applyEffect();
    EXPECT_FLOAT_EQ(effect->GetScale(), 1.0f);
    effect->SetScale(0.3f);
    bridge.applyEffect();
    EXPECT_FLOAT_EQ(effect->GetScale(), 0.3f);
    bridge.setScale(0.25f);
    bridge.applyEffect();
    EXPECT_FLOAT_EQ(effect->GetScale(), 0.25f);
}

TEST(Bridge, StepTwoOnAWorkerGivesTheSameResult)
{
    const Picture input = canvasPicture(64, 48);
    Bridge here;
    here.useInverting();
    here.setImage(input);
    const Picture expected = here.applyEffect();

    Bridge there;
    there.useInverting();
    there.setImage(input);
    there.applyEffectStep1();
    std::thread worker([&there] { there.applyEffectStep2(); });
    worker.join();
    EXPECT_EQ(there.applyEffectStep3().grid(), expected.grid());
}

TEST(Bridge, OtherLayoutsAreConvertedBeforeProcessing)
{
    // A picture's grid is always the engine layout, even from a 24-bit image.
    QImage rgb888(5, 2, QImage::Format_RGB888);
    rgb888.fill(QColor(10, 20, 30));
    Bridge bridge;
    bridge.useInverting();
    bridge.setImage(Picture(rgb888));
    const QImage out = bridge.applyEffect().grid();
    ASSERT_EQ(out.format(), QImage::Format_RGB32);
    EXPECT_EQ(out.pixel(4, 1), qRgb(245, 235, 225));
}

struct Oversized
{
    int width, height;
    bool refused;
};

class BridgeLimits : public ::testing::TestWithParam<Oversized>
{
};

TEST_P(BridgeLimits, PicturesBeyondSixteenBitFieldsAreRefusedNotTruncated)
{
    Bridge bridge;
    Inverting *effect = bridge.useInverting();
    bridge.setImage(Picture(TestImages::solid(GetParam().width, GetParam().height, Qt::black)));
    const Picture output = bridge.applyEffect();
    if (GetParam().refused) {
        EXPECT_TRUE(output.isNull());
        EXPECT_EQ(effect->calls, 0);
        EXPECT_FALSE(bridge.refusal().isEmpty());
    } else {
        ASSERT_EQ(output.grid().size(), QSize(GetParam().width, GetParam().height));
        EXPECT_EQ(output.grid().pixel(GetParam().width - 1, GetParam().height - 1),
                  qRgb(255, 255, 255));
        EXPECT_TRUE(bridge.refusal().isEmpty());
    }
}

// A row of 16384 pixels is 65536 bytes, one more than the stride field holds.
INSTANTIATE_TEST_SUITE_P(Sizes, BridgeLimits,
                         ::testing::Values(Oversized{16383, 1, false}, Oversized{16384, 1, true},
                                           Oversized{1, 65535, false}, Oversized{1, 65536, true}));

TEST(Bridge, ACopyLeftByAnUnfinishedRenderGoesWithTheObject)
{
    bool destroyed = false;
    {
        Bridge bridge;
        bridge.useInverting(&destroyed);
        bridge.setImage(canvasPicture(32, 32));
        bridge.applyEffectStep1();
        bridge.applyEffectStep2();
    }
    // The sanitizer build checks that the copy did not leak.
    EXPECT_TRUE(destroyed);
}

class FinishingBridge : public Bridge
{
public:
    Picture applyEffectStep1() override { return Picture(TestImages::solid(2, 2, Qt::red)); }
};

TEST(Bridge, AFinishedPictureFromStepOneEndsTheRender)
{
    FinishingBridge bridge;
    Inverting *effect = bridge.useInverting();
    bridge.setImage(canvasPicture(4, 4));
    EXPECT_EQ(bridge.applyEffect().grid().size(), QSize(2, 2));
    EXPECT_EQ(effect->calls, 0);
}

} // namespace
