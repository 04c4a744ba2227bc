#include "ZoomImageView.h"

#include "EditorTestSupport.h"

#include "DisplayCache.h"

#include <QWheelEvent>

namespace {

// A 800 x 600 picture of random pixels in a 200 x 150 view inside a window.
class ZoomImageViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(200, 150);
        m_view = new ZoomImageView(&m_window);
        m_view->resize(200, 150);
        View::setUserInteractionEnabled(m_view, true);
        m_cache.setViews(m_view, nullptr, false);
        m_view->setDisplayCache(&m_cache);
        show(m_picture);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    void show(const QImage &picture)
    {
        m_cache.setPicture(Picture(picture));
        m_view->setImage(m_cache.displayImage());
    }
    QImage drawn() const { return m_view->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(m_window.windowHandle(), Qt::LeftButton, {}, from);
        QTest::mouseMove(m_window.windowHandle(), (from + to) / 2);
        QTest::mouseMove(m_window.windowHandle(), to);
        QTest::mouseRelease(m_window.windowHandle(), Qt::LeftButton, {}, to);
    }

    // Counts the touches that reach the window past the view.
    struct Window : QWidget
    {
        int releases = 0;
        void mouseReleaseEvent(QMouseEvent *) override { ++releases; }
    };

    const QImage m_picture = TestImages::random(800, 600, 7);
    Window m_window;
    ZoomImageView *m_view = nullptr;
    DisplayCache m_cache;
};

// One to one is one picture pixel per device pixel (so half a point at 2x); at four each
// picture pixel is a sharp block of four by four. Steps run from the fit through one to one up
// to four and back, and go no further either way.
TEST_F(ZoomImageViewTest, DevicePixelsAtOneToOneAndFour)
{
    const int r = int(m_view->devicePixelRatioF());
    EXPECT_DOUBLE_EQ(m_view->zoom(), 0.25 * r) << "fitted";
    const QImage fitted = drawn();
    m_view->setStandIn(Picture(m_picture), QString());
    EXPECT_EQ(drawn(), fitted) << "a stand-in lies exactly where the picture lay";
    m_view->setStandIn(Picture(), QString());
    m_view->zoomToActualPixels();
    EXPECT_EQ(drawn(), m_picture.copy(400 - 100 * r, 300 - 75 * r, 200 * r, 150 * r));

    m_view->fit();
    QList<qreal> steps{m_view->zoom()};
    while (steps.size() < 20 && steps.back() != 4.0)
        m_view->zoomIn(), steps << m_view->zoom();
    EXPECT_TRUE(steps.contains(1.0)) << "one to one is a step";
    EXPECT_EQ(steps.back(), 4.0);
    m_view->zoomIn();
    EXPECT_EQ(m_view->zoom(), 4.0);
    const QImage blocks = drawn();
    const QPoint centre(100 * r, 75 * r);
    for (const auto &[device, picture] : {std::pair{centre, QPoint(400, 300)},
                                          {centre + QPoint(3, 3), QPoint(400, 300)},
                                          {centre + QPoint(4, -1), QPoint(401, 299)},
                                          {centre - QPoint(5, 0), QPoint(398, 300)}})
        EXPECT_EQ(blocks.pixel(device), m_picture.pixel(picture))
            << device.x() << "," << device.y();

    int outSteps = 0;
    while (!m_view->isFitted() && outSteps < 20)
        m_view->zoomOut(), ++outSteps;
    EXPECT_LT(outSteps, 20);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 0.25 * r);
}

// Zoomed, a drag moves the picture under the pointer up to its edges and is kept from the
// views above; at the fit, or short of the tap distance, the touch goes on to them. Ctrl +
// wheel zooms about the cursor; the plain wheel does not zoom.
TEST_F(ZoomImageViewTest, DragPansWithinTheEdgesAndTheWheelZoomsAboutTheCursor)
{
    drag({100, 75}, {150, 75});
    EXPECT_EQ(m_window.releases, 1) << "fitted: a touch";
    m_view->zoomToActualPixels();
    drag({100, 75}, {102, 75});
    EXPECT_EQ(m_window.releases, 2) << "short of the tap distance: a tap";
    const qreal r = m_view->devicePixelRatioF();
    drag({100, 75}, {130, 55});
    EXPECT_EQ(m_window.releases, 2) << "a pan is no touch";
    EXPECT_EQ(m_view->pictureAt({100, 75}), QPointF(400 - 30 * r, 300 + 20 * r));
    for (int i = 0; i < 3; ++i)
        drag({10, 10}, {190, 140});
    EXPECT_EQ(m_view->pictureAt({0, 0}), QPointF(0, 0));
    for (int i = 0; i < 6; ++i)
        drag({190, 140}, {10, 10});
    EXPECT_EQ(m_view->pictureAt({200, 150}), QPointF(800, 600));

    const auto wheel = [this](QPointF at, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, m_view->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_view, &event);
    };
    m_view->fit();
    const QPointF at(30, 40);
    const QPointF under = m_view->pictureAt(at);
    wheel(at, Qt::NoModifier);
    EXPECT_TRUE(m_view->isFitted());
    wheel(at, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(m_view->zoom(), 0.25 * r * ZoomImageView::kZoomStep);
    EXPECT_NEAR(m_view->pictureAt(at).x(), under.x(), 1e-9);
    EXPECT_NEAR(m_view->pictureAt(at).y(), under.y(), 1e-9);
}

// A resize keeps the point at the centre; a picture of another size is fitted (an apply keeps
// the zoom: the editor's hold test zooms before it applies).
TEST_F(ZoomImageViewTest, ResizingKeepsTheCentreAndAnotherSizeIsFitted)
{
    m_view->zoomTo(2, {60, 50});
    const QPointF centre = m_view->pictureAt({100, 75});
    m_view->resize(160, 100);
    EXPECT_EQ(m_view->pictureAt({80, 50}), centre);
    show(TestImages::random(600, 600, 8));
    EXPECT_TRUE(m_view->isFitted());
}

} // namespace
