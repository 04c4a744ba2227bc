#include "LayerTransition.h"
#include "ImageView.h"
#include "PlatformTestSupport.h"
#include "TransitionOverlay.h"

namespace {

using Type = LayerTransition::Type;
using Subtype = LayerTransition::Subtype;

// The editor's tests read the reveals' sides as they run; push and move in no screen uses.
TEST(LayerTransition, FadesFromTheCaptureOrFromNothingToTheViewAndThenGoes)
{
    QWidget parent;
    parent.resize(200, 200);
    auto *view = new ImageView(&parent);
    View::setFrame(view, QRectF(10, 10, 80, 80));
    const auto overlay = [&] { return parent.findChild<TransitionOverlay *>(); };
    const auto overlayAt = [&](qreal progress) {
        overlay()->setProgress(progress);
        return renderedAlone(overlay()).pixel(40, 40);
    };
    ImageView detached; // no place to draw: nothing
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

} // namespace
