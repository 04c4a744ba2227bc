#include "PreviewImageView.h"
#include "EditorTestSupport.h"

#include <cmath>

namespace {

TEST(PreviewImageView, ClassifiesATouchByTapCountAndTravel)
{
    const double nan = std::nan("");
    const struct
    {
        QPointF end; // from (100, 100)
        int tapCount;
        const char *expected;
    } cases[] = {{{170, 150}, 1, "Swipe Right"}, // both limits hold
                 {{30, 50}, 1, "Swipe Left"},     {{169.9, 100}, 1, "Single Tap"},
                 {{170, 150.1}, 1, "Single Tap"}, {{170, 100}, 2, "Double Tap"},
                 {{100, 100}, 1, "Single Tap"},   {{300, 100}, 3, "Swipe Right"},
                 {{300, 100}, 0, "Swipe Right"},  {{nan, 100}, 1, "Single Tap"},
                 {{300, nan}, 1, "Single Tap"}};
    for (const auto &c : cases)
        EXPECT_EQ(PreviewImageView::gesture(QPointF(100, 100), c.end, c.tapCount), c.expected)
            << c.end.x() << "," << c.end.y() << " x" << c.tapCount;
}

// Sees every release that reaches it.
class Parent : public QWidget
{
protected:
    void mouseReleaseEvent(QMouseEvent *) override { ++releases; }

public:
    int releases = 0;
};

TEST(PreviewImageView, PostsItsOwnGesturesAndPassesEveryTouchOn)
{
    Parent parent;
    parent.resize(300, 300);
    auto *preview = new PreviewImageView(&parent);
    View::setFrame(preview, QRectF(0, 0, 300, 300));
    View::setUserInteractionEnabled(preview, true);
    auto *child = new QWidget(preview);
    View::setFrame(child, QRectF(200, 200, 50, 50));
    showExposed(&parent);
    Recorder posts{{"Single Tap", "Double Tap", "Swipe Left", "Swipe Right"}};
    // Qt Test delivers to `view` itself; what it ignores goes on to its parents.
    const auto drag = [](QWidget *view, QPoint from, QPoint to) {
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
    };
    drag(preview, {150, 100}, {70, 120});
    EXPECT_EQ(preview->startTouchPosition(), QPointF(150, 100));
    EXPECT_EQ(posts.names, QStringList{"Swipe Left"});
    EXPECT_EQ(parent.releases, 1);
    drag(child, {10, 10}, {20, 20}); // began on another view: nothing posted
    EXPECT_EQ(posts.names.size(), 1);
    EXPECT_EQ(parent.releases, 2);
}

} // namespace
