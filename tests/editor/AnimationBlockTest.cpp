#include "EditorTestSupport.h"

#include <memory>
#include <optional>

namespace {

using Type = LayerTransition::Type;
using Subtype = LayerTransition::Subtype;

class AnimationBlockTest : public ::testing::Test
{
protected:
    void TearDown() override { ViewAnimation::finishAll(); }

    AnimationBlock block; // the shared instance while the test runs
    QWidget parent;
    QWidget *view = new QWidget(&parent);
    QWidget *other = new QWidget(&parent);
};

TEST_F(AnimationBlockTest, AStartThatFailsLeavesNothingOpenAndItsEndDoesNothing)
{
    EXPECT_EQ(AnimationBlock::animation(), &block) << "the newest is the shared one";
    EXPECT_FALSE(block.start(view, false, 0));
    EXPECT_FALSE(block.start(nullptr, true, 0));
    block.enable(false);
    EXPECT_FALSE(block.start(view, true, 0));
    EXPECT_FALSE(block.started());
    EXPECT_FALSE(ViewAnimation::isOpen());
    block.enable(true);

    // The change made in a refused bracket lands at once.
    const QRectF target(5, 6, 70, 80);
    const bool started = block.start(view, false, 0);
    View::setFrame(view, target);
    block.end(view, started);
    EXPECT_EQ(View::frame(view), target);
    EXPECT_FALSE(ViewAnimation::isAnimating(view));
}

TEST_F(AnimationBlockTest, OnlyOneBracketOpensAndOnlyAnEndForItsViewClosesIt)
{
    ASSERT_TRUE(block.start(view, true, 2));
    EXPECT_FALSE(block.start(other, true, 0)) << "nested";
    block.end(view, false);
    block.end(other, true);
    EXPECT_TRUE(block.started()) << "an end for another view leaves it open";
    EXPECT_FALSE(block.start(other, true, 0));
    block.end(view, true);
    EXPECT_FALSE(block.started());
    EXPECT_EQ(block.view(), nullptr);
    EXPECT_TRUE(block.start(other, true, 0));
    block.end(other, true);
}

// Each code from -1 to 21, as this suite reads the table: B a platform block (property or
// view transition), F fade, P push, R reveal, M move in, then the side (Right, Left, Top,
// Bottom); nothing for codes that do not animate.
const char *const kCodes[] = {"",   "B",  "B",  "F",  "B",  "B",  "B",  "B",
                              "PR", "PL", "PT", "PB", "RR", "RL", "RT", "RB",
                              "MR", "ML", "MT", "MB", "B",  "B",  ""};

using AnimationCodeTest = WithParam<AnimationBlockTest, int>;

TEST_P(AnimationCodeTest, PicksItsKindAndTransitionByCode)
{
    const int code = GetParam();
    const QByteArray expected = kCodes[code + 1];
    const std::optional<Type> types[] = {Type::Push, Type::Reveal, Type::MoveIn, Type::Fade};
    const std::optional<Type> type = expected.isEmpty() || expected == "B"
                                         ? std::nullopt
                                         : types[QByteArray("PRMF").indexOf(expected[0])];
    const Subtype sides[] = {Subtype::None, Subtype::FromRight, Subtype::FromLeft, Subtype::FromTop,
                             Subtype::FromBottom};
    EXPECT_EQ(AnimationBlock::getType(code), type);
    EXPECT_EQ(AnimationBlock::getSubtype(code),
              sides[expected.size() == 2 ? QByteArray("RLTB").indexOf(expected[1]) + 1 : 0]);

    ASSERT_TRUE(block.start(view, true, code));
    EXPECT_EQ(block.type(), code);
    EXPECT_EQ(ViewAnimation::isOpen(), expected == "B");
    block.end(view, true);
    EXPECT_FALSE(ViewAnimation::isOpen());
    EXPECT_FALSE(block.started());
}

INSTANTIATE_TEST_SUITE_P(AllCodes, AnimationCodeTest, ::testing::Range(-1, 22));

TEST_F(AnimationBlockTest, TheEndActionRunsForAPropertyBlockButNeverForALayerTransition)
{
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

    ASSERT_TRUE(block.start(view, true, 19)); // zoom codes scale the view up and back
    EXPECT_DOUBLE_EQ(View::scale(view), 1.3);
    block.end(view, true);
    ASSERT_TRUE(block.start(view, true, 20));
    EXPECT_DOUBLE_EQ(View::scale(view), 1.0);
    block.end(view, true);
}

TEST_F(AnimationBlockTest, TheTimedStartAnimatesForTheGivenTime)
{
    // Shared: the animation is still running when the test body returns, and TearDown ends it.
    const auto ended = std::make_shared<int>(0);
    ASSERT_TRUE(block.start(
        view, true, 0, [ended] { ++*ended; }, 1000.0));
    View::setAlpha(view, 0.0);
    block.end(view, true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ViewAnimation::isAnimating(view)) << "far from the table's 0.75 s";
    ASSERT_TRUE(block.start(other, true, 0, {}, 0.001));
    View::setAlpha(other, 0.0);
    block.end(other, true, 1000.0);
    EXPECT_TRUE(waitUntil([&] { return !ViewAnimation::isAnimating(other); }));
    EXPECT_EQ(*ended, 0);
}

} // namespace
