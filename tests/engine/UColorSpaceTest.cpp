#include <gtest/gtest.h>

#include <array>

#include "UColorSpace.h"

namespace {

using Triple = std::array<int, 3>;

struct ProductCase
{
    const char *name;
    const int *table;
    int factor;
    int offset; // entry i holds factor * (i - offset)
};

class ProductTable : public testing::TestWithParam<ProductCase>
{
};

TEST_P(ProductTable, HoldsItsProductForEveryByte)
{
    const ProductCase &c = GetParam();
    for (int i : {0, 1, 16, 127, 128, 200, 255})
        EXPECT_EQ(c.table[i], c.factor * (i - c.offset)) << c.name << "[" << i << "]";
}

INSTANTIATE_TEST_SUITE_P(Tables, ProductTable,
                         testing::Values(ProductCase{"RedCy", UColorSpace::sRedCy, 66, 0},
                                         ProductCase{"GreenCy", UColorSpace::sGreenCy, 129, 0},
                                         ProductCase{"BlueCy", UColorSpace::sBlueCy, 25, 0},
                                         ProductCase{"RedCb", UColorSpace::sRedCb, -38, 0},
                                         ProductCase{"GreenCb", UColorSpace::sGreenCb, -74, 0},
                                         ProductCase{"BlueCb", UColorSpace::sBlueCb, 112, 0},
                                         ProductCase{"RedCr", UColorSpace::sRedCr, 112, 0},
                                         ProductCase{"GreenCr", UColorSpace::sGreenCr, -94, 0},
                                         ProductCase{"BlueCr", UColorSpace::sBlueCr, -18, 0},
                                         ProductCase{"Y", UColorSpace::sY, 149, 16},
                                         ProductCase{"CrRed", UColorSpace::sCrRed, 204, 128},
                                         ProductCase{"CbGreen", UColorSpace::sCbGreen, -50, 128},
                                         ProductCase{"CrGreen", UColorSpace::sCrGreen, -104, 128},
                                         ProductCase{"CbBlue", UColorSpace::sCbBlue, 258, 128}),
                         [](const testing::TestParamInfo<ProductCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(UColorSpace, ClippingTableClampsItsWholeRange)
{
    EXPECT_EQ(UColorSpace::sCliping, UColorSpace::sClipingTable + 384);
    for (int k = -384; k < 640; ++k)
        ASSERT_EQ(UColorSpace::sCliping[k], k < 0 ? 0 : (k > 255 ? 255 : k)) << k;
}

struct ConversionCase
{
    Triple rgb;
    Triple ycbcr;
    Triple back; // rgb after a round trip
};

class RgbRoundTrip : public testing::TestWithParam<ConversionCase>
{
};

TEST_P(RgbRoundTrip, ConvertsAndComesBack)
{
    const ConversionCase &c = GetParam();
    unsigned char y, cb, cr, r, g, b;
    UColorSpace::RgbtoYCbCr(c.rgb[0], c.rgb[1], c.rgb[2], &y, &cb, &cr);
    EXPECT_EQ((Triple{y, cb, cr}), c.ycbcr);
    EXPECT_EQ(UColorSpace::Luma(c.rgb[0], c.rgb[1], c.rgb[2]), c.ycbcr[0]);
    UColorSpace::YCbCrtoRbg(y, cb, cr, &r, &g, &b);
    EXPECT_EQ((Triple{r, g, b}), c.back);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, RgbRoundTrip,
    testing::Values(ConversionCase{{0, 0, 0}, {16, 128, 128}, {0, 0, 0}},
                    ConversionCase{{255, 255, 255}, {235, 128, 128}, {254, 254, 254}},
                    ConversionCase{{128, 128, 128}, {126, 128, 128}, {128, 128, 128}},
                    ConversionCase{{255, 0, 0}, {81, 90, 239}, {252, 0, 0}}));

struct BackwardCase
{
    Triple ycbcr;
    Triple rgb;
};

class YCbCrToRgb : public testing::TestWithParam<BackwardCase>
{
};

TEST_P(YCbCrToRgb, ClipsOutOfRangeSums)
{
    const BackwardCase &c = GetParam();
    unsigned char r, g, b;
    UColorSpace::YCbCrtoRbg(c.ycbcr[0], c.ycbcr[1], c.ycbcr[2], &r, &g, &b);
    EXPECT_EQ((Triple{r, g, b}), c.rgb);
}

INSTANTIATE_TEST_SUITE_P(Extremes, YCbCrToRgb,
                         testing::Values(BackwardCase{{0, 0, 0}, {0, 135, 0}},
                                         BackwardCase{{255, 255, 255}, {255, 125, 255}}));

TEST(UColorSpace, ForwardResultsStayInStudioRange)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                unsigned char y, cb, cr;
                UColorSpace::RgbtoYCbCr(r, g, b, &y, &cb, &cr);
                ASSERT_GE(y, 16);
                ASSERT_LE(y, 235);
                ASSERT_GE(cb, 16);
                ASSERT_LE(cb, 240);
                ASSERT_GE(cr, 16);
                ASSERT_LE(cr, 240);
            }
}

} // namespace
