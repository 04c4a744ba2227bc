#include "PreviewImageView.h"
#include "EditorTestSupport.h"

#include <QMouseEvent>

#include <cmath>

namespace {

struct GestureCase
{
    QPointF end; // from (100, 100)
    int tapCount;
    const char *expected;
};

using PreviewGestureTest = ::testing::TestWithParam<GestureCase>;

TEST_P(PreviewGestureTest, ClassifiesATouchByTapCountAndTravel)
{
    const GestureCase &c = GetParam();
    EXPECT_EQ(PreviewImageView::gesture(QPointF(100, 100), c.end, c.tapCount), c.expected);
}

const double kNaN = std::nan("");
INSTANTIATE_TEST_SUITE_P(
    Thresholds, PreviewGestureTest,
    ::testing::Values(
        GestureCase{{170, 150}, 1, "Swipe Right"}, // both limits hold
        GestureCase{{30, 50}, 1, "Swipe Left"}, GestureCase{{169.9, 100}, 1, "Single Tap"},
        GestureCase{{170, 150.1}, 1, "Single Tap"},
        GestureCase{{170, 100}, 2, "Double Tap"}, // never a swipe
        GestureCase{{100, 100}, 2, "Double Tap"}, GestureCase{{100, 100}, 1, "Single Tap"},
        GestureCase{{300, 100}, 3, "Swipe Right"}, GestureCase{{300, 100}, 0, "Swipe Right"},
        GestureCase{{kNaN, 100}, 1, "Single Tap"}, GestureCase{{300, kNaN}, 1, "Single Tap"}));

// Sees every release that reaches it.
class Parent : public QWidget
{
protected:
    void mouseReleaseEvent(QMouseEvent *) override { ++releases; }

public:
    int releases = 0;
};

class PreviewTouchTest : public ::testing::Test
{
protected:
    PreviewTouchTest()
    {
        parent.resize(300, 300);
        View::setFrame(preview, QRectF(0, 0, 300, 300));
        View::setUserInteractionEnabled(preview, true);
        View::setFrame(child, QRectF(200, 200, 50, 50));
        parent.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    // Qt Test delivers to `view` itself; what it ignores goes on to its parents.
    static void drag(QWidget *view, QPoint from, QPoint to)
    {
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
    }

    Parent parent;
    PreviewImageView *preview = new PreviewImageView(&parent);
    QWidget *child = new QWidget(preview);
    Recorder posts{{"Single Tap", "Double Tap", "Swipe Left", "Swipe Right"}};
};

TEST_F(PreviewTouchTest, PostsItsOwnGesturesAsItselfAndPassesEveryTouchOn)
{
    drag(preview, {150, 100}, {70, 120});
    EXPECT_EQ(preview->startTouchPosition(), QPointF(150, 100));
    EXPECT_EQ(posts.names, QStringList{"Swipe Left"});
    EXPECT_EQ(posts.senders.value(0), preview);
    EXPECT_EQ(parent.releases, 1);
    drag(child, {10, 10}, {20, 20}); // began on another view: nothing posted
    EXPECT_EQ(posts.names.size(), 1);
    EXPECT_EQ(parent.releases, 2);
}

} // namespace
