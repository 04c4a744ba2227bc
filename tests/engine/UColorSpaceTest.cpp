#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "UColorSpace.h"

namespace {

// (red, green, blue) and (Y, Cb, Cr), worked by hand: primaries, white, black, mid grey and
// a mixed colour forward; back, the extremes that the clipping table must absorb.
using Pair = std::pair<Rgb, Rgb>;

TEST(UColorSpace, ConvertsTheWorkedColoursBothWays)
{
    const auto forward = [](const Rgb &c) {
        unsigned char y, cb, cr;
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(c[i]); };
        UColorSpace::RgbtoYCbCr(byte(0), byte(1), byte(2), &y, &cb, &cr);
        EXPECT_EQ(UColorSpace::Luma(byte(0), byte(1), byte(2)), y);
        return Rgb{y, cb, cr};
    };
    const auto back = [](const Rgb &c) {
        unsigned char red, green, blue;
        UColorSpace::YCbCrtoRbg(static_cast<unsigned char>(c[0]), static_cast<unsigned char>(c[1]),
                                static_cast<unsigned char>(c[2]), &red, &green, &blue);
        return Rgb{red, green, blue};
    };
    for (const auto &[rgb, ycc] :
         {Pair{{255, 0, 0}, {81, 90, 239}}, Pair{{0, 255, 0}, {144, 54, 34}},
          Pair{{0, 0, 255}, {40, 239, 110}}, Pair{{255, 255, 255}, {235, 128, 128}},
          Pair{{0, 0, 0}, {16, 128, 128}}, Pair{{128, 128, 128}, {126, 128, 128}},
          Pair{{200, 100, 50}, {122, 91, 175}}})
        EXPECT_EQ(forward(rgb), ycc) << testing::PrintToString(rgb);
    for (const auto &[ycc, rgb] :
         {Pair{{235, 128, 128}, {254, 254, 254}}, Pair{{16, 128, 128}, {0, 0, 0}},
          Pair{{81, 90, 239}, {252, 0, 0}}, Pair{{144, 54, 34}, {0, 254, 0}},
          Pair{{126, 128, 128}, {128, 128, 128}}, Pair{{100, 200, 60}, {0, 124, 242}},
          Pair{{0, 0, 0}, {0, 135, 0}}, Pair{{255, 255, 255}, {255, 125, 255}}})
        EXPECT_EQ(back(ycc), rgb) << testing::PrintToString(ycc);
}

} // namespace
