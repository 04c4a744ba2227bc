#include "EditorTestSupport.h"

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

// Each code from -1 to 21 as this suite reads the table: B a platform block (property or
// view transition), F fade, P push, R reveal, M move in, then the side (Right, Left, Top,
// Bottom); nothing for codes that do not animate.
TEST_F(AnimationBlockTest, EachCodePicksItsKindAndTransition)
{
    const char *const codes[] = {"",   "B",  "B",  "F",  "B",  "B",  "B",  "B",
                                 "PR", "PL", "PT", "PB", "RR", "RL", "RT", "RB",
                                 "MR", "ML", "MT", "MB", "B",  "B",  ""};
    const Subtype sides[] = {Subtype::None, Subtype::FromRight, Subtype::FromLeft, Subtype::FromTop,
                             Subtype::FromBottom};
    for (int code = -1; code <= 21; ++code) {
        SCOPED_TRACE(code);
        const QByteArray expected = codes[code + 1];
        const int kind = expected.isEmpty() ? -1 : QByteArray("PRMF").indexOf(expected[0]);
        const Type types[] = {Type::Push, Type::Reveal, Type::MoveIn, Type::Fade};
        EXPECT_EQ(AnimationBlock::getType(code),
                  kind < 0 ? std::nullopt : std::optional<Type>(types[kind]));
        EXPECT_EQ(AnimationBlock::getSubtype(code),
                  sides[expected.size() == 2 ? QByteArray("RLTB").indexOf(expected[1]) + 1 : 0]);
        ASSERT_TRUE(block.start(view, true, code));
        EXPECT_EQ(block.type(), code);
        EXPECT_EQ(ViewAnimation::isOpen(), expected == "B");
        block.end(view, true);
        EXPECT_FALSE(ViewAnimation::isOpen());
    }
}

} // namespace
