#include "LayerTransition.h"
#include "ImageView.h"
#include "PlatformTestSupport.h"
#include "TransitionOverlay.h"

namespace {

using Type = LayerTransition::Type;
using Subtype = LayerTransition::Subtype;

// Along the axis of a subtype: 0 at the side the new content comes from, 1 across.
QPoint along(Subtype from, qreal u, int size)
{
    const int near = qRound(size * u), far = size - 1 - near, middle = size / 2;
    switch (from) {
    case Subtype::FromLeft:
        return {near, middle};
    case Subtype::FromTop:
        return {middle, near};
    case Subtype::FromBottom:
        return {middle, far};
    default:
        return {far, middle};
    }
}

// A picture whose half towards the subtype's side is `nearColour`, the other `farColour`.
Picture halves(Subtype from, QColor nearColour, QColor farColour, int size = 80)
{
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool nearHalf = from == Subtype::FromLeft     ? x < size / 2
                                  : from == Subtype::FromTop    ? y < size / 2
                                  : from == Subtype::FromBottom ? y >= size / 2
                                                                : x >= size / 2;
            image.setPixel(x, y, (nearHalf ? nearColour : farColour).rgb());
        }
    return Picture(image);
}

class LayerTransitionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(200, 200);
        view = new ImageView(&parent);
        View::setFrame(view, QRectF(10, 10, 80, 80));
    }
    void TearDown() override { ViewAnimation::finishAll(); }

    TransitionOverlay *overlay() const { return parent.findChild<TransitionOverlay *>(); }

    QRgb overlayAt(qreal progress, QPoint at)
    {
        overlay()->setProgress(progress);
        return renderedAlone(overlay()).pixel(at);
    }

    QWidget parent;
    ImageView *view = nullptr;
};

TEST_F(LayerTransitionTest, FadesFromTheCaptureToTheViewAndThenGoes)
{
    view->setImage(Picture(TestImages::solid(4, 4, Qt::red)));
    LayerTransition::capture(view);
    view->setImage(Picture(TestImages::solid(4, 4, Qt::blue)));
    LayerTransition::add(view, Type::Fade, Subtype::None, 0.05);
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlay()->geometry(), QRect(10, 10, 80, 80));
    EXPECT_TRUE(ViewAnimation::isAnimating(view));
    EXPECT_EQ(overlayAt(0.0, {40, 40}), qRgb(255, 0, 0));
    EXPECT_EQ(overlayAt(1.0, {40, 40}), qRgb(0, 0, 255));
    const QRgb half = overlayAt(0.5, {40, 40});
    EXPECT_NEAR(qRed(half), 128, 2);
    EXPECT_NEAR(qBlue(half), 128, 2);
    EXPECT_GE(qAlpha(half), 253) << "a cross-fade, not one picture laid over the other";

    ASSERT_TRUE(waitUntil([this] { return !ViewAnimation::isAnimating(view); }));
    EXPECT_EQ(overlay(), nullptr);
    EXPECT_EQ(view->graphicsEffect(), nullptr);
}

TEST_F(LayerTransitionTest, WithoutACaptureTheViewComesOutOfNothing)
{
    view->setImage(Picture(TestImages::solid(4, 4, Qt::red)));
    LayerTransition::capture(view);
    LayerTransition::add(view, Type::Fade, Subtype::None, 60.0);
    LayerTransition::add(view, Type::Fade, Subtype::None, 60.0); // the capture was used up
    EXPECT_EQ(parent.findChildren<TransitionOverlay *>().size(), 1);
    EXPECT_EQ(qAlpha(overlayAt(0.0, {40, 40})), 0);
    EXPECT_NEAR(qAlpha(overlayAt(0.5, {40, 40})), 128, 2);
}

TEST_F(LayerTransitionTest, NothingHappensWithoutAPlaceToDrawOrATime)
{
    ImageView detached;
    LayerTransition::add(&detached, Type::Push, Subtype::FromLeft, 1.0);
    LayerTransition::add(view, Type::Push, Subtype::FromLeft, 0.0);
    EXPECT_FALSE(ViewAnimation::isAnimating(&detached));
    EXPECT_FALSE(ViewAnimation::isAnimating(view));
    EXPECT_EQ(overlay(), nullptr);
}

struct Motion
{
    Type type;
    Subtype from;
    // At a quarter of the way: the colours near the side the new content comes from and
    // past the middle. Before: red near, green far; after: blue near, yellow far.
    QRgb nearSide;
    QRgb pastMiddle;
};

using LayerMotion = WithParam<LayerTransitionTest, Motion>;

TEST_P(LayerMotion, MovesTheRightPictureTheRightWay)
{
    const Motion m = GetParam();
    view->setImage(halves(m.from, Qt::red, Qt::green));
    LayerTransition::capture(view);
    view->setImage(halves(m.from, Qt::blue, Qt::yellow));
    LayerTransition::add(view, m.type, m.from, 60.0);
    EXPECT_EQ(overlayAt(0.25, along(m.from, 0.15, 80)), m.nearSide);
    EXPECT_EQ(overlayAt(0.25, along(m.from, 0.6, 80)), m.pastMiddle);
}

const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
           yellow = qRgb(255, 255, 0);

std::vector<Motion> motions()
{
    std::vector<Motion> all;
    for (Subtype from :
         {Subtype::FromRight, Subtype::FromLeft, Subtype::FromTop, Subtype::FromBottom}) {
        // Push: the new picture's far half has come in; the old one's near half moved on.
        all.push_back({Type::Push, from, yellow, red});
        // Reveal: the old picture moved away, uncovering the new one where it stands.
        all.push_back({Type::Reveal, from, blue, red});
        // Move in: the new picture slides over the old, which stays.
        all.push_back({Type::MoveIn, from, yellow, green});
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(LayerTransition, LayerMotion, ::testing::ValuesIn(motions()));

} // namespace
