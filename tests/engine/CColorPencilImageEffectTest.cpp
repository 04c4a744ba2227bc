#include <gtest/gtest.h>

#include "CColorPencilImageEffect.h"
#include "LumaPictures.h"

namespace {

struct PencilEntry
{
    int level;
    float scale;
    int difference;
    int grey;
};

using ColorPencilTable = testing::TestWithParam<PencilEntry>;

// Dark entries are lifted by 100, so a line is never darker than luma 100; light entries
// of a widened ramp keep their value.
TEST_P(ColorPencilTable, LiftsOnlyTheDarkEntries)
{
    const PencilEntry c = GetParam();
    DrawingProbe<CColorPencilImageEffect> pencil;
    pencil.SetLevel1(static_cast<unsigned char>(c.level));
    pencil.SetScale(c.scale);
    pencil.BuildSensitivityTable();
    EXPECT_EQ(pencil.mSensitivity[c.difference], c.grey);
}

INSTANTIATE_TEST_SUITE_P(
    LevelsAndScales, ColorPencilTable,
    testing::Values(PencilEntry{10, 1.0f, 23, 255}, PencilEntry{10, 1.0f, 24, 148},
                    PencilEntry{10, 1.0f, 47, 125}, PencilEntry{10, 1.0f, 48, 100},
                    PencilEntry{10, 1.0f, 255, 100}, PencilEntry{0, 0.1f, 240, 129},
                    PencilEntry{0, 0.1f, 245, 224}, PencilEntry{0, 0.1f, 246, 100}));

} // namespace
