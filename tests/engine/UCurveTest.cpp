#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "CImageEffect.h"
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

TEST(UCurveTest, EveryLevelCurveHasAnExactArithmeticForm)
{
    for (int level = 0; level < CImageEffect::kLevels; ++level) {
        SCOPED_TRACE(level);
        EXPECT_TRUE(CImageEffect::sSlopeCurves[level].IsArithmetic());
        EXPECT_TRUE(CImageEffect::sOffsetCurves[level].IsArithmetic());
        ExpectRowsFollowTheTable(CImageEffect::sSlopeCurves[level], CImageEffect::sAdjust1 + level,
                                 CImageEffect::kLevels);
        ExpectRowsFollowTheTable(CImageEffect::sOffsetCurves[level], CImageEffect::sAdjust2 + level,
                                 CImageEffect::kLevels);
    }
}

TEST(UCurveTest, ACurveWithoutALinearFormKeepsItsTable)
{
    std::vector<unsigned char> squares(256), steep(256), constant(256, 77);
    for (int v = 0; v < 256; ++v) {
        squares[v] = static_cast<unsigned char>(v * v / 255);
        steep[v] = static_cast<unsigned char>(v < 100 ? 0 : v < 103 ? (v - 100) * 100 : 255);
    }
    // A wrong slope hint, or a curve that is not a clamped line, falls back to the table.
    const UCurve curved(squares.data(), 1, 1.0), misled(steep.data(), 1, 1.0);
    EXPECT_FALSE(curved.IsArithmetic());
    EXPECT_FALSE(misled.IsArithmetic());
    ExpectRowsFollowTheTable(curved, squares.data(), 1);
    ExpectRowsFollowTheTable(misled, steep.data(), 1);
    // Steep and clamped at both ends is still a line when the hint is right.
    const UCurve steepLine(steep.data(), 1, 100.0 / 1.0);
    ExpectRowsFollowTheTable(steepLine, steep.data(), 1);
    ExpectRowsFollowTheTable(UCurve::Constant(77), constant.data(), 1);
}

} // namespace
