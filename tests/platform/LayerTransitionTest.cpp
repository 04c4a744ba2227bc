#include "LayerTransition.h"
#include "ImageView.h"
#include "PlatformTestSupport.h"
#include "TransitionOverlay.h"

#include <QPainter>

namespace {

using Type = LayerTransition::Type;
using Subtype = LayerTransition::Subtype;

// The half of an 80 x 80 view towards the side new content comes from, and two points at 15%
// and 60% of the way across from that side.
struct Side
{
    Subtype from;
    QRect nearHalf;
    QPoint nearSide, pastMiddle;
};

const Side sides[] = {{Subtype::FromRight, {40, 0, 40, 80}, {67, 40}, {31, 40}},
                      {Subtype::FromLeft, {0, 0, 40, 80}, {12, 40}, {48, 40}},
                      {Subtype::FromTop, {0, 0, 80, 40}, {40, 12}, {40, 48}},
                      {Subtype::FromBottom, {0, 40, 80, 40}, {40, 67}, {40, 31}}};

class LayerTransitionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(200, 200);
        View::setFrame(view, QRectF(10, 10, 80, 80));
    }
    void TearDown() override { ViewAnimation::finishAll(); }
    TransitionOverlay *overlay() const { return parent.findChild<TransitionOverlay *>(); }
    QRgb overlayAt(qreal progress, QPoint at = {40, 40})
    {
        overlay()->setProgress(progress);
        return renderedAlone(overlay()).pixel(at);
    }

    QWidget parent;
    ImageView *view = new ImageView(&parent);
};

TEST_F(LayerTransitionTest, FadesFromTheCaptureOrFromNothingToTheViewAndThenGoes)
{
    LayerTransition::add(view, Type::Push, Subtype::FromLeft, 0.0); // no time: nothing
    ImageView detached;                                             // no place to draw: nothing
    LayerTransition::add(&detached, Type::Push, Subtype::FromLeft, 1.0);
    EXPECT_FALSE(ViewAnimation::isAnimating(&detached) || ViewAnimation::isAnimating(view));
    EXPECT_EQ(overlay(), nullptr);

    view->setImage(Picture(TestImages::solid(4, 4, Qt::red)));
    LayerTransition::capture(view);
    view->setImage(Picture(TestImages::solid(4, 4, Qt::blue)));
    LayerTransition::add(view, Type::Fade, Subtype::None, 60.0);
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlayAt(0.0), qRgb(255, 0, 0));
    EXPECT_EQ(overlayAt(1.0), qRgb(0, 0, 255));
    // Two texts on top of each other are read as neither: one of the two stays under a
    // quarter of its strength all the way.
    for (int step = 0; step <= 40; ++step) { // premultiplied: each colour is its weight
        const QRgb shown = overlayAt(step / 40.0);
        EXPECT_LT(std::min(qRed(shown), qBlue(shown)), 64) << step;
    }
    LayerTransition::capture(view);
    LayerTransition::add(view, Type::Fade, Subtype::None, 60.0);
    LayerTransition::add(view, Type::Fade, Subtype::None, 60.0); // the capture was used up
    EXPECT_EQ(qAlpha(overlayAt(0.0)), 0);
    EXPECT_NEAR(qAlpha(overlayAt(0.5)), 128, 2);
    ViewAnimation::finishAll();
    EXPECT_EQ(overlay(), nullptr) << "the overlay goes when the transition ends";
}

// A transition; at a quarter of the way, the colours near the side the new content comes from
// and past the middle. Before: red near, green far; after: blue near, yellow far.
using Motion = std::tuple<Type, QRgb, QRgb>;
using LayerMotion = WithParam<LayerTransitionTest, std::tuple<Motion, Side>>;

TEST_P(LayerMotion, MovesTheRightPictureTheRightWay)
{
    const auto [motion, side] = GetParam();
    const auto [type, nearSide, pastMiddle] = motion;
    const auto halves = [&](QColor nearColour, QColor farColour) {
        QImage image(80, 80, QImage::Format_RGB32);
        image.fill(farColour);
        QPainter(&image).fillRect(side.nearHalf, nearColour);
        view->setImage(Picture(image));
    };
    halves(Qt::red, Qt::green);
    LayerTransition::capture(view);
    halves(Qt::blue, Qt::yellow);
    LayerTransition::add(view, type, side.from, 60.0);
    EXPECT_EQ(overlayAt(0.25, side.nearSide), nearSide);
    EXPECT_EQ(overlayAt(0.25, side.pastMiddle), pastMiddle);
}

const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
           yellow = qRgb(255, 255, 0);

INSTANTIATE_TEST_SUITE_P(
    LayerTransition, LayerMotion,
    ::testing::Combine(
        // Push: the new picture's far half has come in; the old one's near half moved on.
        // Reveal: the old picture moved away, uncovering the new one where it stands.
        // Move in: the new picture slides over the old, which stays.
        ::testing::Values(Motion{Type::Push, yellow, red}, Motion{Type::Reveal, blue, red},
                          Motion{Type::MoveIn, yellow, green}),
        ::testing::ValuesIn(sides)));

} // namespace
