#include <gtest/gtest.h>

#include <cstring>

#include "CText.h"

namespace {

struct CapacityCase
{
    const char *text;
    unsigned long capacity;
};

class CTextCapacity : public testing::TestWithParam<CapacityCase>
{
};

TEST_P(CTextCapacity, AllocatesAboutAnEighthOfHeadRoom)
{
    const CText text(GetParam().text);
    EXPECT_EQ(text.GetCapacity(), GetParam().capacity);
    EXPECT_STREQ(text.Get(), GetParam().text);
}

// (9 * length + 9) / 8 by hand: 0 -> 1, 1 -> 2, 8 -> 10, 10 -> 12, 20 -> 23.
INSTANTIATE_TEST_SUITE_P(Lengths, CTextCapacity,
                         testing::Values(CapacityCase{"", 1}, CapacityCase{"x", 2},
                                         CapacityCase{"Contrast", 10},
                                         CapacityCase{"Brightness", 12},
                                         CapacityCase{"Twenty characters!!!", 23}));

TEST(CText, EmptyTextIsEmptyAndOtherTextsAreNot)
{
    EXPECT_TRUE(CText("").IsEmpty());
    EXPECT_TRUE(CText().IsEmpty());
    EXPECT_FALSE(CText("Level").IsEmpty());
}

TEST(CText, ResizeKeepsTheTextAndOnlyGrows)
{
    CText text("Brightness");
    text.Resize(20);
    EXPECT_EQ(text.GetCapacity(), 23u);
    EXPECT_STREQ(text.Get(), "Brightness");
    text.Resize(5); // already room: nothing changes
    EXPECT_EQ(text.GetCapacity(), 23u);
    EXPECT_STREQ(text.Get(), "Brightness");
}

TEST(CText, ExactFitReallocates)
{
    CText text("abc"); // capacity (9*3+9)/8 = 4 = length + 1
    ASSERT_EQ(text.GetCapacity(), 4u);
    text.Resize(3);
    EXPECT_EQ(text.GetCapacity(), 4u);
    EXPECT_STREQ(text.Get(), "abc");
}

TEST(CText, CopiesOwnTheirBuffer)
{
    CText original("Sensitivity");
    CText copy(original);
    CText assigned("x");
    assigned = original;
    EXPECT_NE(copy.Get(), original.Get());
    EXPECT_NE(assigned.Get(), original.Get());
    EXPECT_STREQ(copy.Get(), "Sensitivity");
    EXPECT_STREQ(assigned.Get(), "Sensitivity");
    assigned = assigned;
    EXPECT_STREQ(assigned.Get(), "Sensitivity");
}

} // namespace
