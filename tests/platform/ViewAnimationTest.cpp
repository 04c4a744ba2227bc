#include "ImageView.h"
#include "PlatformTestSupport.h"
#include "TransitionOverlay.h"

#include <memory>

namespace {

constexpr double shortTime = 0.05, longTime = 60.0;

class ViewAnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(200, 200);
        View::setFrame(view, QRectF(0, 0, 20, 20));
    }
    void TearDown() override { ViewAnimation::finishAll(); }
    // A linear block of `seconds` around `change`, whose end action is counted in `stops`.
    void block(double seconds, const std::function<void()> &change, QObject *owner = nullptr)
    {
        ViewAnimation::begin();
        ViewAnimation::setDuration(seconds);
        ViewAnimation::setCurve(ViewAnimation::Curve::Linear);
        ViewAnimation::setDelegate(owner ? owner : &delegate, [this] {
            ++stops;
            geometryAtStop = view ? view->geometry() : QRect();
        });
        change();
        ViewAnimation::commit();
    }
    void animate(const QRectF &frame, double seconds = shortTime)
    {
        block(seconds, [&] { View::setFrame(view, frame); });
    }

    QWidget parent;
    QPointer<QWidget> view = new QWidget(&parent);
    QObject delegate;
    int stops = 0;
    QRect geometryAtStop;
};

TEST_F(ViewAnimationTest, ModelValuesAreNewAtOnceTheScreenFollowsAndTheEndActionRunsOnceAfter)
{
    block(shortTime, [&] {
        View::setFrame(view, QRectF(100, 50, 40, 40));
        View::setAlpha(view, 0.0);
        EXPECT_EQ(std::pair(View::frame(view), View::alpha(view)),
                  std::pair(QRectF(100, 50, 40, 40), 0.0));
        EXPECT_EQ(view->geometry(), QRect(0, 0, 20, 20)) << "nothing moves before the commit";
    });
    EXPECT_EQ(view->geometry(), QRect(0, 0, 20, 20)) << "the animation starts from the screen";
    ASSERT_TRUE(waitUntil([this] { return stops > 0; }));
    EXPECT_EQ(geometryAtStop, QRect(100, 50, 40, 40));
    EXPECT_DOUBLE_EQ(shownOpacity(view), 0.0);
    block(shortTime, [&] { View::setFrame(view, View::frame(view)); }); // nothing animates
    EXPECT_EQ(stops, 1) << "queued, not run inside commit";
    drainEvents();
    EXPECT_EQ(stops, 2);
    // No end action once the delegate has died; the animation itself carries on.
    auto doomed = std::make_unique<QObject>(), empty = std::make_unique<QObject>();
    block(
        shortTime, [&] { View::setAlpha(view, 0.5); }, doomed.get());
    block(
        shortTime, [] {}, empty.get());
    doomed.reset();
    empty.reset();
    ASSERT_TRUE(waitUntil([&] { return !ViewAnimation::isAnimating(view); }));
    drainEvents();
    EXPECT_EQ(stops, 2);
    EXPECT_DOUBLE_EQ(shownOpacity(view), 0.5);
}

// Blocks come only from the animation bracket, which never nests them.
TEST_F(ViewAnimationTest, ARestartGoesOnFromTheScreenAndASetterStopsIt)
{
    animate(QRectF(140, 40, 20, 20), longTime);
    ASSERT_TRUE(waitUntil([this] { return view->x() > 0; }));
    const QRect midway = view->geometry();
    animate(QRectF(0, 100, 20, 20), longTime);
    EXPECT_EQ(view->geometry(), midway);
    // The first block lost its only animation: it is over.
    ASSERT_TRUE(waitUntil([this] { return stops == 1; }));
    View::setFrame(view, QRectF(5, 5, 10, 10)); // outside a block: at once, and it stops the slide
    ViewAnimation::finishAll();
    EXPECT_EQ(view->geometry(), QRect(5, 5, 10, 10));
    EXPECT_EQ(stops, 2);
    animate(QRectF(100, 0, 20, 20), longTime);
    ViewAnimation::finishAll();
    EXPECT_EQ(view->geometry(), QRect(100, 0, 20, 20)) << "finished at the end";
    animate(QRectF(0, 0, 20, 20), longTime);
    delete view.data(); // a dead view is left alone
    ViewAnimation::finishAll();
    EXPECT_EQ(stops, 4);
}

// A transition of a solid-colour picture, red before and blue after, is drawn over the view.
TEST_F(ViewAnimationTest, ATransitionIsDrawnOverTheViewUntilItEndsOrAnotherReplacesIt)
{
    auto *image = new ImageView(Picture(TestImages::solid(4, 4, Qt::red)), &parent);
    View::setFrame(image, QRectF(20, 20, 80, 60));
    const auto overlay = [&] { return parent.findChild<TransitionOverlay *>(); };
    const auto overlayAt = [&](qreal progress) {
        overlay()->setProgress(progress);
        return renderedAlone(overlay()).pixel(40, 30);
    };
    const auto transition = [&](ViewAnimation::Transition kind, double seconds, bool toBlue) {
        block(seconds, [&] {
            ViewAnimation::setTransition(kind, image);
            if (toBlue)
                image->setImage(Picture(TestImages::solid(4, 4, Qt::blue)));
            View::setHidden(image, false);
        });
    };
    const QWidget above(&parent); // stays above the overlay
    transition(ViewAnimation::Transition::CurlUp, shortTime, true);
    ASSERT_NE(overlay(), nullptr);
    EXPECT_TRUE(overlay()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(parent.children().indexOf(overlay()), parent.children().indexOf(image) + 1);
    EXPECT_EQ(overlayAt(0.0), qRgb(255, 0, 0));
    ASSERT_TRUE(waitUntil([&] { return !ViewAnimation::isAnimating(image); }));
    EXPECT_EQ(stops, 1);

    View::setHidden(image, true); // a hidden view starts from nothing
    transition(ViewAnimation::Transition::CurlDown, longTime, false);
    EXPECT_EQ(qAlpha(overlayAt(0.0)), 0);
    EXPECT_EQ(overlayAt(1.0), qRgb(0, 0, 255));
    transition(ViewAnimation::Transition::CurlDown, longTime, true);
    delete image; // the overlay goes with its view
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(overlay(), nullptr);
}

} // namespace
