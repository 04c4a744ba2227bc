#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "UColorSpace.h"

namespace {

// The tables against the formulas in plain arithmetic, across both ranges; the backward
// direction reaches far outside 0..255 and so exercises the clipping table.
TEST(UColorSpace, AgreesWithTheFormulasEverywhere)
{
    for (int a = 0; a < 256; a += 3)
        for (int b = 0; b < 256; b += 5)
            for (int c = 0; c < 256; c += 7) {
                unsigned char y, cb, cr, red, green, blue;
                UColorSpace::RgbtoYCbCr(a, b, c, &y, &cb, &cr);
                const ycc::Ycc expected = ycc::ToYcc(a, b, c);
                ASSERT_EQ((Rgb{y, cb, cr, UColorSpace::Luma(a, b, c)}),
                          (Rgb{expected.y, expected.cb, expected.cr, expected.y}))
                    << a << "," << b << "," << c;
                UColorSpace::YCbCrtoRbg(a, b, c, &red, &green, &blue);
                ASSERT_EQ((Rgb{red, green, blue}), ycc::ToRgb(a, b, c))
                    << a << "," << b << "," << c;
            }
}

// Hand-worked: the clipping table absorbs sums far below 0 and above 255.
TEST(UColorSpace, ClipsTheExtremes)
{
    unsigned char red, green, blue;
    UColorSpace::YCbCrtoRbg(0, 0, 0, &red, &green, &blue);
    EXPECT_EQ((Rgb{red, green, blue}), (Rgb{0, 135, 0}));
    UColorSpace::YCbCrtoRbg(255, 255, 255, &red, &green, &blue);
    EXPECT_EQ((Rgb{red, green, blue}), (Rgb{255, 125, 255}));
}

} // namespace
