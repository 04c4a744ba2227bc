#include "ZoomImageView.h"

#include "EditorTestSupport.h"

#include "DisplayCache.h"
#include "HoverController.h"
#include "Timer.h"

#include <QElapsedTimer>
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

    const QImage m_picture = TestImages::random(800, 600, 7);
    QWidget m_window;
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
    struct Parent : QWidget
    {
        int releases = 0;
        void mouseReleaseEvent(QMouseEvent *) override { ++releases; }
    };
    auto *parent = new Parent;
    m_view->setParent(parent);
    parent->setParent(&m_window);
    parent->resize(200, 150);
    parent->show();
    m_view->show();
    drag({100, 75}, {150, 75});
    EXPECT_EQ(parent->releases, 1) << "fitted: a touch";
    m_view->zoomToActualPixels();
    drag({100, 75}, {102, 75});
    EXPECT_EQ(parent->releases, 2) << "short of the tap distance: a tap";
    const qreal r = m_view->devicePixelRatioF();
    drag({100, 75}, {130, 55});
    EXPECT_EQ(parent->releases, 2) << "a pan is no touch";
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

// An apply or an undo (a picture of the same size) keeps the zoom and the place; a resize
// keeps the point at the centre; a picture of another size is fitted.
TEST_F(ZoomImageViewTest, TheSameSizeKeepsTheZoomAndResizingKeepsTheCentre)
{
    m_view->zoomTo(2, {60, 50});
    const QPointF centre = m_view->pictureAt({100, 75});
    show(TestImages::random(800, 600, 8));
    EXPECT_EQ(m_view->zoom(), 2.0);
    m_view->resize(160, 100);
    EXPECT_EQ(m_view->pictureAt({80, 50}), centre);
    show(TestImages::random(600, 600, 8));
    EXPECT_TRUE(m_view->isFitted());
}

// The editor: held, the picture shows the photo as taken with its badge, at the zoom it has,
// and the preview the picture without the effect; let go, they show the edit again. Neither
// hold is a tap: the hidden hover stays hidden, no gesture is posted.
class ZoomInEditorTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        m_editor->editPhoto(Picture(TestImages::quadrants(400, 300)), false, false);
        m_picture = m_editor->view()->findChild<ZoomImageView *>();
    }
    // Pressed on `view`'s centre for `ms` (or longer, on a busy machine: `whileHeld` is told
    // how long), then let go.
    void press(QWidget *view, int ms, const std::function<void(qint64)> &whileHeld)
    {
        const QPoint at = view->mapTo(m_window, view->rect().center());
        QElapsedTimer held;
        held.start();
        QTest::mousePress(m_window->windowHandle(), Qt::LeftButton, {}, at);
        QTest::qWait(ms);
        whileHeld(held.elapsed());
        QTest::mouseRelease(m_window->windowHandle(), Qt::LeftButton, {}, at);
    }

    ZoomImageView *m_picture = nullptr;
};

TEST_P(ZoomInEditorTest, HoldingShowsTheOriginalAndIsNoTap)
{
    changeGroup(1); // black and white
    applyAndWait();
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    m_picture->zoomToActualPixels();
    // The red quadrant's middle, as drawn: grey once edited.
    const auto red = [this] {
        const QPointF device =
            (QPointF(100, 75) - m_picture->pictureAt({0, 0})) * m_picture->zoom();
        return QColor(m_picture->grab().toImage().pixel(device.toPoint()));
    };
    const QColor edited = red();
    ASSERT_LT(edited.hsvSaturation(), 10);
    press(m_picture, 200,
          [&](qint64 ms) { EXPECT_TRUE(ms >= 380 || !m_picture->hasStandIn()) << "not held yet"; });

    Recorder gestures({"Single Tap", "Double Tap", "Swipe Left", "Swipe Right"});
    const int held = 550; // past the 0.4 s a hold takes
    press(preview(), held,
          [&](qint64) { EXPECT_EQ(preview()->image().grid(), m_editor->thumbnailImage().grid()); });
    EXPECT_NE(preview()->image().grid(), m_editor->thumbnailImage().grid());
    HoverController *hover = m_editor->hoverController();
    if (hover) {
        EXPECT_FALSE(Timer::isPending(hover->tapTimer())) << "no toggle on its way";
        hover->showHoverView(false);
        ViewAnimation::finishAll();
    }
    press(m_picture, held, [&](qint64) {
        EXPECT_TRUE(m_picture->hasStandIn());
        EXPECT_EQ(m_picture->zoom(), 1.0);
        EXPECT_EQ(red(), QColor(Qt::red));
    });
    EXPECT_EQ(red(), edited);
    QTest::keyPress(m_window, Qt::Key_Backslash);
    EXPECT_EQ(red(), QColor(Qt::red));
    QTest::keyRelease(m_window, Qt::Key_Backslash);
    EXPECT_EQ(red(), edited);

    EXPECT_TRUE(changed.isEmpty()) << "nothing applied";
    drainEvents();
    EXPECT_TRUE(gestures.names.isEmpty()) << gestures.names.join(", ").toStdString();
    if (hover) {
        EXPECT_EQ(View::alpha(hover->hoverView()), 0.0) << "the hover did not come back";
    }
}

// The keys step the zoom (one to one is what the view above pins pixel for pixel).
TEST_P(ZoomInEditorTest, ZoomKeys)
{
    const auto key = [this](int key) {
        QTest::keyClick(m_window, Qt::Key(key), Qt::ControlModifier);
    };
    key(Qt::Key_1);
    EXPECT_EQ(m_picture->zoom(), 1.0);
    for (int i = 0; i < 8; ++i)
        key(Qt::Key_Equal);
    EXPECT_EQ(m_picture->zoom(), ZoomImageView::kMaxZoom);
    key(Qt::Key_Minus);
    EXPECT_EQ(m_picture->zoom(), ZoomImageView::kMaxZoom / ZoomImageView::kZoomStep);
    key(Qt::Key_0);
    EXPECT_TRUE(m_picture->isFitted());
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ZoomInEditorTest,
                         ::testing::Values(PhotoViewController::kPhotoView,
                                           PhotoViewController::kSplitPhotoView),
                         [](const auto &info) { return info.param.toStdString(); });

} // namespace
