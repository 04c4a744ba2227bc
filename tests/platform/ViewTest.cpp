#include "PlatformTestSupport.h"

#include <limits>

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();

// Outside an animation block the widget changes at once, within what it can show; subviews
// move and convert; touches go off for a zero alpha or no interaction, each reason kept.
TEST(View, ChangesAtOnceSubviewsMoveAndConvertAndTouchesGoOffForEachReason)
{
    QWidget parent;
    QWidget *view = new QWidget(&parent);
    View::setAlpha(view, 0.25);
    EXPECT_DOUBLE_EQ(shownOpacity(view), 0.25);
    View::setAlpha(view, 1.0);
    EXPECT_EQ(view->graphicsEffect(), nullptr) << "an opaque view pays for no effect";

    view->setGeometry(5, 6, 70, 80); // as a layout would
    EXPECT_EQ(View::frame(view), QRectF(5, 6, 70, 80));
    View::setAlpha(view, 0.5);
    EXPECT_EQ(view->geometry(), QRect(5, 6, 70, 80));

    View::setFrame(view, QRectF(nan, -1e300, 1e300, 10));
    EXPECT_EQ(view->geometry(), QRect(0, -10000000, 0, 0));

    QWidget second;
    QWidget *a = new QWidget(&parent), *b = new QWidget(&parent);
    View::setHidden(view, true);
    View::addSubview(&second, view);
    EXPECT_TRUE(View::isHidden(view));
    View::setHidden(view, false);
    View::removeFromSuperview(view);
    EXPECT_FALSE(view->isVisible()) << "a detached view is no window of its own";
    View::addSubview(&parent, view);
    parent.show();
    EXPECT_TRUE(view->isVisible());

    a->setGeometry(10, 20, 200, 200);
    auto *inner = new QWidget(a);
    inner->setGeometry(5, 5, 50, 50);
    b->setGeometry(100, 0, 50, 50);
    EXPECT_EQ(View::convertRect(QRectF(1, 2, 3, 4), inner, b), QRectF(-84, 27, 3, 4));

    const auto touchable = [](QWidget *v) {
        return !v->testAttribute(Qt::WA_TransparentForMouseEvents);
    };
    const std::function<void(QWidget *, bool)> turnOff[] = {
        [](QWidget *v, bool off) { View::setAlpha(v, off ? 0.0 : 1.0); },
        [](QWidget *v, bool off) { View::setUserInteractionEnabled(v, !off); }};
    for (int first : {0, 1}) {
        const auto &one = turnOff[first], &other = turnOff[1 - first];
        one(view, true);
        EXPECT_FALSE(touchable(view)) << first;
        other(view, true);
        one(view, false);
        EXPECT_FALSE(touchable(view)) << "lifting one reason keeps the other";
        other(view, false);
        EXPECT_TRUE(touchable(view)) << first;
        QWidget glass; // touches off set by someone else stay off
        glass.setAttribute(Qt::WA_TransparentForMouseEvents);
        one(&glass, true);
        one(&glass, false);
        EXPECT_FALSE(touchable(&glass)) << first;
    }
}

} // namespace
