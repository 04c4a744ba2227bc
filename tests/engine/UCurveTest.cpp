#include <gtest/gtest.h>

#include <algorithm>
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

unsigned char Clamped(int value, int least = 0, int greatest = 255)
{
    return static_cast<unsigned char>(std::clamp(value, least, greatest));
}

struct Shape
{
    const char *name;
    unsigned char (*entry)(int v);
    bool line;
};

// Lines of every kind the effects build (stretches clamped to the video range, shifts,
// steep and falling ones, constants) take the arithmetic form; anything else keeps the table.
TEST(UCurveTest, TakesTheArithmeticFormExactlyForClampedLines)
{
    const Shape shapes[] = {
        {"stretch to 16..239", [](int v) { return Clamped(int(1.7 * (v - 90) + 128.0), 16, 239); },
         true},
        {"shift", [](int v) { return Clamped(v + 128 - 201); }, true},
        {"steep", [](int v) { return Clamped((v - 100) * 40); }, true},
        {"falling", [](int v) { return Clamped(int(300 - 1.37 * v)); }, true},
        {"constant", [](int) { return Clamped(77); }, true},
        {"squares", [](int v) { return Clamped(v * v / 255); }, false},
        {"a line with one entry off", [](int v) { return Clamped(v / 2 + (v == 131)); }, false},
    };
    for (const Shape &shape : shapes) {
        SCOPED_TRACE(shape.name);
        unsigned char table[256];
        for (int v = 0; v < 256; ++v)
            table[v] = shape.entry(v);
        const UCurve curve(table, 1);
        EXPECT_EQ(curve.IsLine(), shape.line);
        ExpectRowsFollowTheTable(curve, table, 1);
    }
}

} // namespace
