#include <gtest/gtest.h>

#include "CText.h"

namespace {

// Capacities by hand from (9 length + 9) / 8: 0 -> 1, 10 -> 12, 20 -> 23.
TEST(CText, KeepsAnEighthOfHeadRoomGrowsOnlyAndCopiesOwnTheirBuffer)
{
    EXPECT_EQ(CText().GetCapacity(), 1u);
    EXPECT_TRUE(CText("").IsEmpty());
    CText text("Brightness");
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_EQ(text.GetCapacity(), 12u);
    text.Resize(20);
    EXPECT_EQ(text.GetCapacity(), 23u);
    text.Resize(5); // already room: nothing changes
    EXPECT_EQ(text.GetCapacity(), 23u);
    CText copy(text), assigned("x");
    assigned = text;
    assigned = assigned;
    for (const CText *t : {&text, &copy, &assigned})
        EXPECT_STREQ(t->Get(), "Brightness");
    EXPECT_NE(copy.Get(), text.Get());
    EXPECT_NE(assigned.Get(), text.Get());
}

} // namespace
