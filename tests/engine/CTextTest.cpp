#include <gtest/gtest.h>

#include "CText.h"

namespace {

// Capacity (9 length + 9) / 8: 12 for "Brightness".
TEST(CText, HoldsItsTextWithHeadRoomInABufferOfItsOwn)
{
    CText text("Brightness"), copy(text), assigned("x");
    assigned = text;
    assigned = assigned;
    EXPECT_TRUE(CText("").IsEmpty() && !text.IsEmpty());
    EXPECT_EQ(text.GetCapacity(), 12u);
    for (const CText *t : {&text, &copy, &assigned})
        EXPECT_STREQ(t->Get(), "Brightness");
    EXPECT_TRUE(copy.Get() != text.Get() && assigned.Get() != text.Get());
}

} // namespace
