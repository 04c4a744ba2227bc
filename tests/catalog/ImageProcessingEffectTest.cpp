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

struct Bridge : ImageProcessingEffect
{
    Bridge() { setProcessor(std::unique_ptr<CImageEffect>(inverting = new Inverting)); }
    Inverting *inverting;
};

// A picture whose fourth bytes vary, so that keeping them is visible.
Picture withFourthBytes(int w, int h)
{
    QImage grid = TestImages::random(w, h, 7);
    for (int i = 0; i < w * h; ++i)
        grid.scanLine(i / w)[4 * (i % w) + 3] = static_cast<uchar>(i * 31);
    return Picture(grid);
}

TEST(Bridge, TheEngineRewritesOneCopyKeepingTheFourthBytesAndNoHoldOnIt)
{
    const Picture input = withFourthBytes(13, 9);
    const QImage before = input.grid().copy();
    Bridge bridge;
    EXPECT_TRUE(bridge.applyEffect().isNull()); // no picture yet
    bridge.setImage(input);
    bridge.inverting->SetScale(0.3f);
    const QImage output = bridge.applyEffect().grid();
    EXPECT_FLOAT_EQ(bridge.inverting->GetScale(), 0.3f) << "no scale set: the engine's kept";
    ASSERT_EQ(output.size(), QSize(13, 9));
    for (int i = 0; i < 4 * 13 * 9; ++i) {
        const uchar in = before.constBits()[i];
        ASSERT_EQ(output.constBits()[i], i % 4 == 3 ? in : 255 - in) << "byte " << i;
    }
    EXPECT_EQ(input.grid(), before);
    // The copy the engine was lent is the new picture's storage, and the bridge keeps no
    // hold on it: another step 2 must not write into a picture already handed out.
    EXPECT_EQ(output.constBits(), bridge.inverting->lent);
    EXPECT_TRUE(output.isDetached());
    const QImage handedOut = output.copy();
    bridge.applyEffectStep2();
    EXPECT_EQ(output, handedOut);
    EXPECT_TRUE(bridge.applyEffectStep3().isNull());
    EXPECT_EQ(bridge.inverting->calls, 1);
    bridge.setScale(0.25f);
    bridge.applyEffect();
    EXPECT_FLOAT_EQ(bridge.inverting->GetScale(), 0.25f);
}

// A row of 16384 pixels is 65536 bytes, one more than the stride field holds.
TEST(Bridge, RefusesPicturesBeyondSixteenBitFieldsInsteadOfTruncatingThem)
{
    for (auto [width, height, refused] :
         {std::tuple{16383, 1, false}, {16384, 1, true}, {1, 65535, false}, {1, 65536, true}}) {
        Bridge bridge;
        bridge.setImage(Picture(TestImages::solid(width, height, Qt::black)));
        const QImage output = bridge.applyEffect().grid();
        EXPECT_EQ(bridge.refusal().isEmpty(), !refused) << width << "x" << height;
        EXPECT_EQ(output, refused ? QImage() : TestImages::solid(width, height, Qt::white));
    }
}

} // namespace
