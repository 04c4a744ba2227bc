#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "EffectTestSupport.h"
#include "UCurve.h"
#include "UPixelRows.h"

namespace {

// Every value through the curve's row path, on both kernel sets.
void ExpectRowsFollowTheTable(const UCurve &curve, const unsigned char *table, int stride)
{
    for (bool wide : {false, true}) {
        UPixelRows::UseWideKernels(wide);
        std::vector<unsigned char> row(256);
        std::iota(row.begin(), row.end(), 0);
        curve.ApplyRow(row.data(), 256);
        for (int v = 0; v < 256; ++v)
            ASSERT_EQ(row[v], table[v * stride]) << "value " << v << (wide ? " (wide)" : "");
    }
    UPixelRows::UseWideKernels(true);
}

// Every entry of both level tables against their rules (slopes around 128, offsets of 4 a
// level from 10), and the curves made from them, row by row.
TEST(UCurveTest, EveryLevelCurveHasAnExactArithmeticForm)
{
    for (int level = 0; level < CImageEffect::kLevels; ++level) {
        SCOPED_TRACE(level);
        std::vector<unsigned char> slope, offset, slopeColumn, offsetColumn;
        for (int v = 0; v < 256; ++v) {
            slope.push_back(static_cast<unsigned char>(Slope(v, level)));
            offset.push_back(static_cast<unsigned char>(Clamp(v + 4 * level - 40)));
            slopeColumn.push_back(CImageEffect::sAdjust1[v * CImageEffect::kLevels + level]);
            offsetColumn.push_back(CImageEffect::sAdjust2[v * CImageEffect::kLevels + level]);
        }
        EXPECT_EQ(slopeColumn, slope);
        EXPECT_EQ(offsetColumn, offset);
        EXPECT_TRUE(CImageEffect::sSlopeCurves[level].IsLine());
        EXPECT_TRUE(CImageEffect::sOffsetCurves[level].IsLine());
        ExpectRowsFollowTheTable(CImageEffect::sSlopeCurves[level], slope.data(), 1);
        ExpectRowsFollowTheTable(CImageEffect::sOffsetCurves[level], offset.data(), 1);
    }
}

} // namespace
