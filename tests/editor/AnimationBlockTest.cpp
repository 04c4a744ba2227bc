#include "AnimationBlock.h"
#include "EditorTestSupport.h"
#include "View.h"
#include "ViewAnimation.h"

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

TEST_F(AnimationBlockTest, ANewInstanceIsTheSharedOneAndStartsEnabledAndClosed)
{
    EXPECT_EQ(AnimationBlock::animation(), &block);
    EXPECT_TRUE(block.enabled());
    EXPECT_FALSE(block.started());
    EXPECT_EQ(block.view(), nullptr);
}

TEST_F(AnimationBlockTest, AStartThatFailsLeavesNothingOpenAndItsEndDoesNothing)
{
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

// Property blocks and view transitions open a platform block for the bracket; layer
// transitions and unknown codes do not.
class AnimationCodeTest : public AnimationBlockTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(AnimationCodeTest, OpensAPlatformBlockOnlyForPropertyAndViewTransitionCodes)
{
    const int code = GetParam();
    const bool property = (code >= 0 && code <= 1) || (code >= 3 && code <= 6) || code >= 19;
    ASSERT_TRUE(block.start(view, true, code));
    EXPECT_EQ(block.type(), code);
    EXPECT_EQ(ViewAnimation::isOpen(), property && code <= 20);
    block.end(view, true);
    EXPECT_FALSE(ViewAnimation::isOpen());
    EXPECT_FALSE(block.started());
}

INSTANTIATE_TEST_SUITE_P(AllCodes, AnimationCodeTest, ::testing::Range(-1, 22));

struct TypeCase
{
    int code;
    std::optional<Type> type;
    Subtype subtype;
};

class AnimationTypeTest : public ::testing::TestWithParam<TypeCase>
{
};

TEST_P(AnimationTypeTest, NamesTheLayerTransitionOfACode)
{
    EXPECT_EQ(AnimationBlock::getType(GetParam().code), GetParam().type);
    EXPECT_EQ(AnimationBlock::getSubtype(GetParam().code), GetParam().subtype);
}

const std::optional<Type> kNone;
INSTANTIATE_TEST_SUITE_P(
    Table, AnimationTypeTest,
    ::testing::Values(
        TypeCase{-1, kNone, Subtype::None}, TypeCase{0, kNone, Subtype::None},
        TypeCase{1, kNone, Subtype::None}, TypeCase{2, Type::Fade, Subtype::None},
        TypeCase{3, kNone, Subtype::None}, TypeCase{4, kNone, Subtype::None},
        TypeCase{5, kNone, Subtype::None}, TypeCase{6, kNone, Subtype::None},
        TypeCase{7, Type::Push, Subtype::FromRight}, TypeCase{8, Type::Push, Subtype::FromLeft},
        TypeCase{9, Type::Push, Subtype::FromTop}, TypeCase{10, Type::Push, Subtype::FromBottom},
        TypeCase{11, Type::Reveal, Subtype::FromRight},
        TypeCase{12, Type::Reveal, Subtype::FromLeft}, TypeCase{13, Type::Reveal, Subtype::FromTop},
        TypeCase{14, Type::Reveal, Subtype::FromBottom},
        TypeCase{15, Type::MoveIn, Subtype::FromRight},
        TypeCase{16, Type::MoveIn, Subtype::FromLeft}, TypeCase{17, Type::MoveIn, Subtype::FromTop},
        TypeCase{18, Type::MoveIn, Subtype::FromBottom}, TypeCase{19, kNone, Subtype::None},
        TypeCase{20, kNone, Subtype::None}, TypeCase{21, kNone, Subtype::None}));

TEST_F(AnimationBlockTest, ZoomCodesScaleTheViewUpAndBack)
{
    ASSERT_TRUE(block.start(view, true, 19));
    EXPECT_DOUBLE_EQ(View::scale(view), 1.3);
    block.end(view, true);
    ASSERT_TRUE(block.start(view, true, 20));
    EXPECT_DOUBLE_EQ(View::scale(view), 1.0);
    block.end(view, true);
}

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
    waitUntil([] { return false; }, 50);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(layerEnded, 0);
}

TEST_F(AnimationBlockTest, TheTimedStartAnimatesForTheGivenTime)
{
    int ended = 0;
    ASSERT_TRUE(block.start(
        view, true, 0, [&] { ++ended; }, 1000.0));
    View::setAlpha(view, 0.0);
    block.end(view, true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ViewAnimation::isAnimating(view)) << "far from the table's 0.75 s";
    ASSERT_TRUE(block.start(other, true, 0, {}, 0.001));
    View::setAlpha(other, 0.0);
    block.end(other, true, 1000.0);
    EXPECT_TRUE(waitUntil([&] { return !ViewAnimation::isAnimating(other); }));
    EXPECT_EQ(ended, 0);
}

} // namespace
