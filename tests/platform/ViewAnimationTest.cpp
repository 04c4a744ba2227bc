#include "ViewAnimation.h"
#include "ImageView.h"
#include "PlatformTestSupport.h"
#include "TransitionOverlay.h"
#include "View.h"

#include <QWidget>

#include <memory>

namespace {

constexpr double shortTime = 0.05;

bool settles(const QWidget *view)
{
    return waitUntil([view] { return !ViewAnimation::isAnimating(view); });
}

class ViewAnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(200, 200);
        view = new QWidget(&parent);
        View::setFrame(view, QRectF(0, 0, 20, 20));
    }
    void TearDown() override
    {
        ViewAnimation::finishAll();
        EXPECT_FALSE(ViewAnimation::isOpen());
    }

    // A block of `seconds` that moves the view to `frame`, with an end action counted in
    // `stops` unless `delegate` is given as null.
    void animate(const QRectF &frame, double seconds = shortTime)
    {
        ViewAnimation::begin();
        ViewAnimation::setDuration(seconds);
        ViewAnimation::setCurve(ViewAnimation::Curve::Linear);
        ViewAnimation::setDelegate(&delegate, [this] {
            ++stops;
            geometryAtStop = view ? view->geometry() : QRect();
        });
        View::setFrame(view, frame);
        ViewAnimation::commit();
    }

    QWidget parent;
    QPointer<QWidget> view;
    QObject delegate;
    int stops = 0;
    QRect geometryAtStop;
};

TEST_F(ViewAnimationTest, ModelValuesAreNewAtOnceAndTheScreenFollows)
{
    ViewAnimation::begin();
    EXPECT_TRUE(ViewAnimation::isOpen());
    ViewAnimation::setDuration(shortTime);
    View::setFrame(view, QRectF(100, 50, 40, 40));
    View::setAlpha(view, 0.0);
    View::setScale(view, 2.0);
    EXPECT_EQ(View::frame(view), QRectF(100, 50, 40, 40));
    EXPECT_EQ(View::alpha(view), 0.0);
    EXPECT_EQ(View::scale(view), 2.0);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 20, 20)) << "nothing moves before the commit";
    ViewAnimation::commit();
    EXPECT_FALSE(ViewAnimation::isOpen());
    EXPECT_EQ(view->geometry(), QRect(0, 0, 20, 20)) << "the animation starts from the screen";
    EXPECT_DOUBLE_EQ(shownOpacity(view), 1.0);
    EXPECT_TRUE(ViewAnimation::isAnimating(view));
    EXPECT_EQ(View::frame(view), QRectF(100, 50, 40, 40));

    ASSERT_TRUE(settles(view));
    EXPECT_EQ(view->geometry(), QRect(80, 30, 80, 80));
    EXPECT_DOUBLE_EQ(shownOpacity(view), 0.0);
}

TEST_F(ViewAnimationTest, TheEndActionRunsOnceAfterTheAnimation)
{
    animate(QRectF(60, 60, 20, 20));
    QCoreApplication::processEvents();
    EXPECT_EQ(stops, 0);
    ASSERT_TRUE(waitUntil([this] { return stops > 0; }));
    EXPECT_EQ(geometryAtStop, QRect(60, 60, 20, 20));
    drainEvents();
    EXPECT_EQ(stops, 1);
}

TEST_F(ViewAnimationTest, AnEmptyBlockRunsItsEndActionSoonAfterCommit)
{
    ViewAnimation::begin();
    ViewAnimation::setDelegate(&delegate, [this] { ++stops; });
    View::setFrame(view, View::frame(view)); // no change: nothing animates
    ViewAnimation::commit();
    EXPECT_EQ(stops, 0) << "queued, not run inside commit";
    ASSERT_TRUE(waitUntil([this] { return stops == 1; }));
}

TEST_F(ViewAnimationTest, NoEndActionOnceTheDelegateHasDied)
{
    auto doomed = std::make_unique<QObject>();
    auto empty = std::make_unique<QObject>();
    bool ran = false;
    ViewAnimation::begin();
    ViewAnimation::setDuration(shortTime);
    ViewAnimation::setDelegate(doomed.get(), [&] { ran = true; });
    View::setAlpha(view, 0.5);
    ViewAnimation::commit();
    ViewAnimation::begin();
    ViewAnimation::setDelegate(empty.get(), [&] { ran = true; });
    ViewAnimation::commit();
    doomed.reset();
    empty.reset();
    ASSERT_TRUE(settles(view));
    drainEvents();
    EXPECT_FALSE(ran);
    EXPECT_DOUBLE_EQ(shownOpacity(view), 0.5) << "the animation itself carries on";
}

TEST_F(ViewAnimationTest, AnInnerBlockCommitsOnItsOwn)
{
    int outerStops = 0;
    ViewAnimation::begin();
    ViewAnimation::setDuration(60.0);
    ViewAnimation::setDelegate(&delegate, [&] { ++outerStops; });
    View::setAlpha(view, 0.0);
    animate(QRectF(40, 40, 20, 20)); // short, inside the long one
    EXPECT_TRUE(ViewAnimation::isOpen());
    ViewAnimation::commit();

    ASSERT_TRUE(waitUntil([this] { return stops == 1; }));
    EXPECT_EQ(view->geometry(), QRect(40, 40, 20, 20));
    EXPECT_TRUE(ViewAnimation::isAnimating(view)) << "the outer block's alpha runs on";
    EXPECT_GT(shownOpacity(view), 0.5);
    EXPECT_EQ(outerStops, 0);
    ViewAnimation::finishAll();
    EXPECT_EQ(outerStops, 1);
    EXPECT_DOUBLE_EQ(shownOpacity(view), 0.0);
    EXPECT_FALSE(ViewAnimation::isAnimating(view));
}

TEST_F(ViewAnimationTest, ARestartedPropertyGoesOnFromTheScreenToTheLastValue)
{
    animate(QRectF(100, 0, 20, 20), 60.0);
    ASSERT_TRUE(waitUntil([this] { return view->x() > 0; }));
    const QRect midway = view->geometry();
    animate(QRectF(0, 100, 20, 20), 60.0);
    EXPECT_EQ(view->geometry(), midway);
    // The first block lost its only animation: it is over.
    ASSERT_TRUE(waitUntil([this] { return stops == 1; }));
    EXPECT_EQ(View::frame(view), QRectF(0, 100, 20, 20));
    ViewAnimation::finishAll();
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(view->geometry(), QRect(0, 100, 20, 20));
}

TEST_F(ViewAnimationTest, ASetterOutsideABlockStopsTheAnimationThere)
{
    animate(QRectF(100, 0, 20, 20), 60.0);
    View::setFrame(view, QRectF(5, 5, 10, 10));
    EXPECT_EQ(view->geometry(), QRect(5, 5, 10, 10));
    EXPECT_FALSE(ViewAnimation::isAnimating(view));
    ViewAnimation::finishAll();
    EXPECT_EQ(view->geometry(), QRect(5, 5, 10, 10));
}

TEST_F(ViewAnimationTest, ADeadViewIsLeftAlone)
{
    animate(QRectF(100, 0, 20, 20), 60.0);
    delete view.data();
    ViewAnimation::finishAll();
    EXPECT_EQ(stops, 1);
}

// Solid-colour views for transitions: red before, blue after.
class TransitionTest : public ViewAnimationTest
{
protected:
    void SetUp() override
    {
        ViewAnimationTest::SetUp();
        image = new ImageView(Picture(TestImages::solid(4, 4, Qt::red)), &parent);
        View::setFrame(image, QRectF(20, 20, 80, 60));
    }

    TransitionOverlay *overlay() const { return parent.findChild<TransitionOverlay *>(); }

    QRgb overlayAt(qreal progress, QPoint at = {40, 30})
    {
        overlay()->setProgress(progress);
        return renderedAlone(overlay()).pixel(at);
    }

    ImageView *image = nullptr;
};

TEST_F(TransitionTest, AViewTransitionIsDrawnOverTheViewUntilItEnds)
{
    const QWidget above(&parent); // stays above the overlay
    ViewAnimation::begin();
    ViewAnimation::setDuration(shortTime);
    ViewAnimation::setTransition(ViewAnimation::Transition::CurlUp, image);
    ViewAnimation::setDelegate(&delegate, [this] {
        ++stops;
        EXPECT_EQ(overlay(), nullptr);
    });
    image->setImage(Picture(TestImages::solid(4, 4, Qt::blue)));
    EXPECT_EQ(overlay(), nullptr);
    ViewAnimation::commit();

    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlay()->geometry(), image->geometry());
    EXPECT_TRUE(overlay()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(parent.children().indexOf(overlay()), parent.children().indexOf(image) + 1);
    EXPECT_DOUBLE_EQ(shownOpacity(image), 0.0) << "the view itself is kept from showing";
    EXPECT_TRUE(ViewAnimation::isAnimating(image));
    EXPECT_EQ(overlayAt(0.0), qRgb(255, 0, 0));
    EXPECT_EQ(overlayAt(1.0), qRgb(0, 0, 255));

    ASSERT_TRUE(settles(image));
    EXPECT_EQ(overlay(), nullptr);
    EXPECT_EQ(image->graphicsEffect(), nullptr) << "the view shows again";
    EXPECT_EQ(stops, 1);
}

TEST_F(TransitionTest, AHiddenViewStartsFromNothing)
{
    View::setHidden(image, true);
    ViewAnimation::begin();
    ViewAnimation::setDuration(shortTime);
    ViewAnimation::setTransition(ViewAnimation::Transition::FlipFromLeft, image);
    View::setHidden(image, false);
    ViewAnimation::commit();
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(qAlpha(overlayAt(0.0)), 0);
    EXPECT_EQ(overlayAt(1.0), qRgb(255, 0, 0));
}

TEST_F(TransitionTest, ANewTransitionReplacesARunningOne)
{
    for (int i = 0; i < 2; ++i) {
        ViewAnimation::begin();
        ViewAnimation::setDuration(60.0);
        ViewAnimation::setTransition(ViewAnimation::Transition::FlipFromRight, image);
        ViewAnimation::commit();
    }
    EXPECT_EQ(parent.findChildren<TransitionOverlay *>().size(), 1);
    ViewAnimation::finishAll();
    EXPECT_EQ(overlay(), nullptr);
    EXPECT_EQ(image->graphicsEffect(), nullptr);
}

TEST_F(TransitionTest, TheOverlayGoesWithItsView)
{
    ViewAnimation::begin();
    ViewAnimation::setDuration(60.0);
    ViewAnimation::setTransition(ViewAnimation::Transition::CurlDown, image);
    ViewAnimation::commit();
    delete image;
    EXPECT_FALSE(overlay()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(overlay(), nullptr);
}

struct Frame
{
    ViewAnimation::Transition transition;
    qreal progress;
    QPoint at;
    bool showsAfter;
};

class TransitionFrames : public WithParam<TransitionTest, Frame>
{
};

// What a person sees part way: where the old page still lies and where the new one shows.
TEST_P(TransitionFrames, ShowTheRightPictureInTheRightPlace)
{
    const Frame frame = GetParam();
    ViewAnimation::begin();
    ViewAnimation::setDuration(60.0);
    ViewAnimation::setTransition(frame.transition, image);
    image->setImage(Picture(TestImages::solid(4, 4, Qt::blue)));
    ViewAnimation::commit();
    const QRgb pixel = overlayAt(frame.progress, frame.at);
    EXPECT_EQ(qRed(pixel) > qBlue(pixel), !frame.showsAfter) << std::hex << pixel;
}

using T = ViewAnimation::Transition;
INSTANTIATE_TEST_SUITE_P(
    ViewAnimation, TransitionFrames,
    ::testing::Values(
        // The curl starts at the lower right corner; the top left goes last.
        Frame{T::CurlUp, 0.3, {78, 58}, true}, Frame{T::CurlUp, 0.3, {2, 2}, false},
        Frame{T::CurlUp, 0.9, {2, 2}, false}, Frame{T::CurlUp, 0.97, {40, 30}, true},
        // Curling down, the new page lies down from the top left and covers the corner last.
        Frame{T::CurlDown, 0.3, {2, 2}, true}, Frame{T::CurlDown, 0.3, {78, 58}, false},
        Frame{T::CurlDown, 0.97, {78, 58}, false},
        // A flip shows the old face for the first half, the new for the second.
        Frame{T::FlipFromRight, 0.3, {40, 30}, false}, Frame{T::FlipFromRight, 0.7, {40, 30}, true},
        Frame{T::FlipFromLeft, 0.3, {40, 30}, false}, Frame{T::FlipFromLeft, 0.7, {40, 30}, true}));

TEST(ViewTransitionFlip, TheSideItFlipsFromComesForward)
{
    const QImage before = TestImages::solid(100, 100, Qt::red);
    for (auto kind :
         {TransitionOverlay::Kind::FlipFromRight, TransitionOverlay::Kind::FlipFromLeft}) {
        QImage frame(100, 100, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        TransitionOverlay::paintFrame(painter, frame.rect(), kind, TransitionOverlay::Side::Right,
                                      before, before, 0.25);
        painter.end();
        // The nearer edge stands taller: its top is higher up.
        const auto top = [&](int x) {
            int y = 0;
            while (y < 100 && qAlpha(frame.pixel(x, y)) == 0)
                ++y;
            return y;
        };
        int left = 0, right = 99;
        while (qAlpha(frame.pixel(left, 50)) == 0)
            ++left;
        while (qAlpha(frame.pixel(right, 50)) == 0)
            --right;
        const bool rightNearer = top(right - 1) < top(left + 1);
        EXPECT_EQ(rightNearer, kind == TransitionOverlay::Kind::FlipFromRight);
    }
}

} // namespace
