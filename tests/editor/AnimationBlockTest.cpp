#include "EditorTestSupport.h"

namespace {

class AnimationBlockTest : public ::testing::Test
{
protected:
    void TearDown() override { ViewAnimation::finishAll(); }

    AnimationBlock block; // the shared instance while the test runs
    QWidget parent;
    QWidget *view = new QWidget(&parent);
    QWidget *other = new QWidget(&parent);
};

TEST_F(AnimationBlockTest, OneBracketOpensWhenWantedClosesForItsViewAndRunsItsEndAction)
{
    EXPECT_EQ(AnimationBlock::animation(), &block) << "the newest is the shared one";
    EXPECT_FALSE(block.start(view, false, 0));
    EXPECT_FALSE(block.start(nullptr, true, 0));
    block.enable(false);
    EXPECT_FALSE(block.start(view, true, 0));
    block.enable(true);
    ASSERT_TRUE(block.start(view, true, 2));
    EXPECT_FALSE(block.start(other, true, 0)) << "nested";
    block.end(view, false);
    block.end(other, true);
    EXPECT_TRUE(block.started()) << "an end for another view leaves it open";
    block.end(view, true);

    // A property block calls its end action, a layer transition never.
    int ended = 0, layerEnded = 0;
    ASSERT_TRUE(block.start(view, true, 12, [&] { ++layerEnded; }));
    block.end(view, true);
    ASSERT_TRUE(block.start(view, true, 0, [&] { ++ended; }));
    View::setAlpha(view, 0.5);
    block.end(view, true);
    ViewAnimation::finishAll();
    ASSERT_TRUE(waitUntil([&] { return ended > 0; }));
    drainEvents();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(layerEnded, 0);
}

} // namespace
