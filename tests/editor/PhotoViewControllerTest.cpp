#include "PhotoViewController.h"

#include "EditorTestSupport.h"

#include "DisplayCache.h"
#include "HoverController.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "NavigationBar.h"
#include "PhotoSettings.h"
#include "PreviewImageView.h"
#include "SegmentedControl.h"
#include "Slider.h"
#include "TaggedPhotos.h"
#include "Timer.h"
#include "ViewState.h"

#include <QLabel>
#include <QLayout>
#include <QSignalSpy>
#include <QEasingCurve>
#include <QFileInfo>
#include <QPropertyAnimation>
#include <QTemporaryDir>

namespace {

// Group 0 starts on a levelled pixel effect; group 3 holds crops and frames, which finish
// without a worker thread.
constexpr int kPixelGroup = 0;
constexpr int kFrameGroup = 3;

class PhotoViewControllerTest : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        m_settings.setAnimation(false);
        m_editor = std::make_unique<PhotoViewController>(GetParam());
        m_editor->setAlbumFolder(m_folder.filePath("album"));
        m_stack.view()->resize(360, 640);
        m_stack.view()->show();
        m_stack.pushViewController(m_editor.get(), false);
    }
    void TearDown() override
    {
        ViewAnimation::finishAll();
        m_stack.popToRootViewControllerAnimated(false);
    }

    template <class T = QWidget> T *outlet(const char *name) const
    {
        return m_editor->view()->findChild<T *>(QString::fromLatin1(name));
    }
    bool undoShown() const { return !View::isHidden(outlet("undoButton")); }
    // Room left of the bottom row's right edge: none, with or without Undo.
    int rowGap() const
    {
        QWidget *row = outlet("bottomRow");
        row->layout()->activate();
        int right = -1;
        for (QWidget *child : row->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(row))
                right = std::max(right, child->geometry().right());
        return row->width() - 1 - right;
    }
    // Where a widget lies in the window.
    QRect placed(QWidget *widget) const
    {
        return QRect(widget->mapTo(widget->window(), QPoint()), widget->size());
    }
    PreviewImageView *preview() const { return outlet<PreviewImageView>("previewView"); }
    ImageEffect &effect() const { return m_editor->imageEffect(); }
    const Picture &baseline() const { return m_editor->baselineImage(); }
    void post(const char *name, QObject *sender = nullptr)
    {
        NotificationCenter::defaultCenter().post(name, sender ? sender : preview());
    }
    void changeGroup(int group)
    {
        outlet<SegmentedControl>("groupSegments")->setSelectedSegmentIndex(group);
        m_editor->changeGroup();
    }
    // Waits until `spy` has seen `count` signals.
    static void waitFor(QSignalSpy &spy, int count = 1)
    {
        ASSERT_TRUE(spy.size() >= count || spy.wait(10000));
    }
    void applyAndWait()
    {
        QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
        post("Double Tap");
        waitFor(changed);
    }

    QTemporaryDir m_folder;
    PhotoSettings m_settings{m_folder.filePath("settings.ini")};
    AnimationBlock m_animation;
    ViewController m_menu;
    NavigationStack m_stack{&m_menu};
    std::unique_ptr<PhotoViewController> m_editor;
};

TEST_P(PhotoViewControllerTest, UndoHasOneLevelAndANewPhotoIsFittedAndStartsAfresh)
{
    m_settings.setPhotoSize(2);
    m_editor->edit(Picture(TestImages::quadrants(960, 1280)), false, false);
    EXPECT_EQ(baseline().size(), QSizeF(480, 640)) << "the web size, turned to the picture";
    EXPECT_EQ(rowGap(), 0);
    applyAndWait();
    const Picture first = baseline();
    EXPECT_TRUE(undoShown());
    EXPECT_EQ(rowGap(), 0);
    applyAndWait();
    m_editor->undo();
    EXPECT_EQ(baseline().grid().cacheKey(), first.grid().cacheKey());
    EXPECT_FALSE(undoShown()) << "one level only";

    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    m_editor->edit(baseline(), true, true);
    EXPECT_TRUE(changed.isEmpty()) << "the current picture handed in again changes nothing";
    applyAndWait();
    m_settings.setPhotoSize(1);
    m_editor->edit(Picture(TestImages::quadrants(2048, 1536)), false, false);
    EXPECT_EQ(baseline().size(), QSizeF(1024, 768));
    EXPECT_FALSE(undoShown());
    // A large JPEG is decoded at the reduced scale that fits the working size, as velmora-cli
    // decodes it, not whole and then scaled.
    const QString large = m_folder.filePath("large.jpg");
    ASSERT_TRUE(TestImages::random(2048, 1536, 3).save(large, nullptr, 90));
    ASSERT_TRUE(m_editor->openFile(large));
    EXPECT_EQ(baseline().grid(), ImageFile::read(large, nullptr, QSize(1024, 768)).grid());
}

TEST_P(PhotoViewControllerTest, ThePreviewShowsTheEffectOnTheThumbnailAndTheSliderItsLevel)
{
    m_editor->edit(Picture(TestImages::quadrants(1600, 1200)), false, false);
    const bool hover = GetParam() == PhotoViewController::kPhotoView;
    const Picture thumbnail = m_editor->thumbnailImage();
    if (hover) { // the centre of the picture at half scale, at the phone's size
        EXPECT_EQ(thumbnail.grid(),
                  ImageResizer::clipImage(baseline(), QPointF(800, 600), 128, 96).grid());
    }
    m_editor->next();
    ImageEffect reference;
    reference.setGroup(kPixelGroup);
    reference.nextEffect();
    reference.setImage(thumbnail);
    reference.setScale(float(thumbnail.size().width() / 1600.0));
    EXPECT_EQ(preview()->image().grid(), reference.applyEffect().grid());
    EXPECT_EQ(outlet<QLabel>("effectLabel")->text(),
              QStringLiteral("Preview: %1").arg(reference.getEffect()));

    auto *slider = outlet<Slider>("levelSlider");
    for (auto [value, level] : {std::pair{9.5f, 10}, {9.49f, 9}}) {
        slider->setValue(value);
        m_editor->changeLevel();
        EXPECT_EQ(effect().getLevel(), level) << value;
        EXPECT_EQ(outlet<QLabel>("levelLabel")->text(), QStringLiteral("Level %1").arg(level));
    }
    for (int i = 0; i < ImageEffect::effectCount(kPixelGroup); ++i, m_editor->next()) {
        const bool hasLevel = effect().supportsLevel();
        EXPECT_EQ(View::isHidden(slider), !hasLevel) << i;
        EXPECT_EQ(View::isHidden(outlet("applyLabel")), hasLevel) << i;
        EXPECT_TRUE(!hasLevel || slider->value() == float(effect().getLevel())) << i;
    }
}

// Bad files and refused saves change nothing; gestures count only from the preview; one
// apply runs at a time; frames need no worker.
TEST_P(PhotoViewControllerTest, FailuresAreReportedAndPreviewGesturesStepAndApplyOneAtATime)
{
    m_editor->edit(Picture(TestImages::quadrants(1600, 1200)), false, false);
    ASSERT_TRUE(writeFile(m_folder.filePath("blocked"), "not a picture"));
    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    EXPECT_FALSE(m_editor->openFile(m_folder.filePath("blocked")));
    EXPECT_EQ(reported.size(), 1);
    m_editor->setAlbumFolder(m_folder.filePath("blocked")); // a file where the folder should be
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    m_editor->save();
    waitFor(saved);
    EXPECT_EQ(reported.size(), 2);
    EXPECT_TRUE(View::isHidden(outlet("imageSlide"))) << "nothing slides";

    post("Swipe Right");
    EXPECT_EQ(effect().effect(), 1);
    QObject stranger;
    post("Swipe Left", &stranger);
    post("Swipe Left");
    post("Swipe Left");
    EXPECT_EQ(effect().effect(), ImageEffect::effectCount(kPixelGroup) - 1);
    post("Double Tap", &stranger);
    EXPECT_FALSE(m_editor->isApplying());

    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    post("Double Tap");
    ASSERT_TRUE(m_editor->isApplying());
    post("Double Tap");
    waitFor(changed);
    drainEvents(); // a second worker would have queued its result by now
    EXPECT_EQ(changed.size(), 1);

    changeGroup(kFrameGroup);
    post("Double Tap");
    EXPECT_FALSE(m_editor->isApplying());
    EXPECT_EQ(baseline().size(), QSizeF(1200, 1200)); // the square print format
}

// The camera's records and profile stay with the photo through applies and an undo, into
// the album and into the picture kept for the next run. Ctrl+S during an apply saves the
// picture the apply ends with; the busy panel shows meanwhile and the picture flies to the
// album's corner, in either orientation.
TEST_P(PhotoViewControllerTest, SavingAndLeavingKeepThePictureWithItsMetadata)
{
    const QString camera = m_folder.filePath("camera.jpg");
    ASSERT_TRUE(writeFile(camera, TaggedPhotos::cameraJpeg(TestImages::quadrants(240, 160))));
    ASSERT_TRUE(m_editor->openFile(camera));
    applyAndWait();
    m_editor->undo();
    changeGroup(1); // black and white
    QWidget *window = m_stack.view()->window();
    QWidget *busy = outlet("busyIndicator");
    for (const QSize size : {QSize(360, 640), QSize(640, 360)}) {
        m_stack.view()->resize(size);
        drainEvents();
        QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
        post("Double Tap");
        ASSERT_TRUE(m_editor->isApplying());
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(View::isHidden(busy));
        waitFor(saved);
        EXPECT_TRUE(View::isHidden(busy));
        const QString written = saved.first().at(0).toString();
        EXPECT_TRUE(filesIn(m_folder.filePath("album")).contains(QFileInfo(written).fileName()));
        const QImage album(written);
        ASSERT_EQ(album.size(), baseline().size());
        EXPECT_LT(album.pixelColor(30, 30).hsvSaturation(), 40) << "the applied picture";
        EXPECT_EQ(TaggedPhotos::tagsOf(written).exifValue("Exif.Image.Make"), "Harbour Optics");
        const double right = View::bounds(View::superview(outlet("originalView"))).width();
        EXPECT_EQ(View::frame(outlet("imageSlide")), QRectF(right - 44, 44, 0, 0));
        ViewAnimation::finishAll();
        m_editor->undo();
    }
    m_stack.popViewControllerAnimated(false); // leaving keeps the picture and group
    EXPECT_EQ(m_settings.segment(), 1);
    EXPECT_EQ(m_settings.image().grid().cacheKey(), baseline().grid().cacheKey());
    ASSERT_TRUE(m_settings.save());
    m_settings.load();
    EXPECT_EQ(m_settings.image().metadata().iccProfile(), TaggedPhotos::displayP3Profile());
}

// Touches and keys reach the editor; turning the window splits the container along its long
// side, and the labels step below the bar.
TEST_P(PhotoViewControllerTest, TouchesKeysAndTheWindowsShape)
{
    m_editor->edit(Picture(TestImages::quadrants(400, 300)), false, false);
    QWidget *window = m_stack.view()->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const auto frame = [this](const char *name) { return View::frame(outlet(name)); };
    if (HoverController *hover = m_editor->hoverController()) {
        // A touch on the picture that no view takes shows the hidden hover.
        hover->showHoverView(false);
        clickAt(window, outlet("originalView")->mapTo(window, QPoint(20, 100)));
        EXPECT_EQ(View::alpha(hover->hoverView()), 1.0);
    } else {
        const QRectF tall = View::bounds(outlet("containerView"));
        EXPECT_EQ(frame("previewView"),
                  QRectF(0, tall.height() / 2, tall.width(), tall.height() / 2));
        m_stack.view()->resize(640, 360);
        QCoreApplication::processEvents();
        const QRectF wide = View::bounds(outlet("containerView"));
        const QRectF right(wide.width() / 2, 0, wide.width() / 2, wide.height());
        EXPECT_EQ(frame("originalView"), right.translated(-right.width(), 0));
        EXPECT_EQ(frame("previewView"), right);
        EXPECT_EQ(frame("effectLabel").top(), 0) << "at the preview's top, below the bar";
    }
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_EQ(effect().effect(), 1);
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(outlet<SegmentedControl>("groupSegments")->selectedSegmentIndex(), 1);
    EXPECT_EQ(effect().effect(), 0);
    // A double tap on the preview applies; the keys wait while it runs.
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    clickAt(window, preview()->mapTo(window, preview()->rect().center()), true);
    QTest::keyClick(window, Qt::Key_Right);
    waitFor(changed);
    EXPECT_EQ(effect().effect(), 0);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(m_editor->previousImage().isNull());
    QTest::keyClick(window, Qt::Key_Return);
    waitFor(changed, 3); // an undo and another apply
    // The group segments are touch controls: a click leaves no keyboard focus to draw.
    QWidget *segments = outlet("groupSegments");
    clickAt(window, segments->mapTo(window, segments->rect().center()));
    EXPECT_FALSE(segments->hasFocus());
}

// The pictures are made for the device pixels of their views at every window size: a photo
// smaller than its view is shown pixel for pixel (a one-pixel line stays one device pixel
// wide, at 2x too), the previews follow their boxes, and no bar lies over a picture's view.
TEST_P(PhotoViewControllerTest, PicturesFollowTheDevicePixelsOfTheirBoxesUncovered)
{
    m_settings.setPhotoSize(2);
    QImage lined = TestImages::solid(639, 479, Qt::black);
    for (int y = 0; y < lined.height(); ++y)
        lined.setPixel(300, y, qRgb(255, 255, 255));
    m_editor->edit(Picture(lined), false, false);
    auto *original = outlet<ImageView>("originalView");
    const qreal ratio = original->devicePixelRatioF();
    const QSize working(639, 479);
    // Inside the box, and either the whole photo or touching the box.
    const auto fits = [&](QSize picture, QWidget *view) {
        const QSizeF box = QSizeF(view->size()) * ratio;
        return picture.width() <= box.width() && picture.height() <= box.height() &&
               (picture == working || picture.width() >= box.width() - 1 ||
                picture.height() >= box.height() - 1);
    };
    const bool hover = GetParam() == PhotoViewController::kPhotoView;
    for (const QSize window : {QSize(360, 640), QSize(640, 360), QSize(1280, 960)}) {
        // The floating preview: the phone's 128 x 96, twice that in a window twice the phone's.
        const QSize hoverBox = QSize(128, 96) * (window.width() > 640 ? 2 : 1) * ratio;
        const auto previewFits = [&] {
            const QSize previewed = preview()->image().grid().size();
            return hover ? previewed == hoverBox : fits(previewed, preview());
        };
        m_stack.view()->resize(window);
        // The pictures are remade once the resizing pauses.
        for (int i = 0;
             i < 200 && !(fits(m_editor->displayImage().grid().size(), original) && previewFits());
             ++i)
            QTest::qWait(10);
        drainEvents();
        const QSize shown = m_editor->displayImage().grid().size();
        EXPECT_TRUE(fits(shown, original)) << window.width() << " " << shown.width();
        EXPECT_TRUE(previewFits()) << window.width();
        if (shown == working) {
            const QImage drawn = original->grab().toImage();
            int lit = 0;
            for (int x = 0; x < drawn.width(); ++x)
                lit += qGray(drawn.pixel(x, drawn.height() / 2)) > 40;
            EXPECT_EQ(lit, 1) << window.width();
        }
        QWidget *pictures = hover ? original : outlet("containerView");
        for (QWidget *bar : {outlet("toolBar"), static_cast<QWidget *>(m_stack.navigationBar())})
            EXPECT_FALSE(placed(bar).intersects(placed(pictures))) << window.width();
    }
}

// A photo with a wide-gamut profile is shown in the screen's sRGB, more saturated than its
// values read as sRGB; the working picture keeps its values and its profile.
TEST_P(PhotoViewControllerTest, AProfiledPhotoIsShownInSrgbAndKeepsItsValues)
{
    const QString path = m_folder.filePath("wide.jpg");
    ASSERT_TRUE(writeFile(
        path, TaggedPhotos::cameraJpeg(TestImages::solid(64, 48, QColor(200, 120, 60)), 1)));
    ASSERT_TRUE(m_editor->openFile(path));
    EXPECT_EQ(baseline().grid(), ImageFile::read(path, nullptr, QSize(1600, 1200)).grid());
    EXPECT_EQ(baseline().metadata().iccProfile(), TaggedPhotos::displayP3Profile());
    changeGroup(kFrameGroup); // a square crop: the preview keeps the photo's colour
    const auto centre = [](const Picture &shown) {
        return shown.grid().pixelColor(shown.grid().width() / 2, shown.grid().height() / 2);
    };
    const QColor displayed = centre(m_editor->displayImage()),
                 previewed = centre(preview()->image());
    EXPECT_GT(displayed.hsvSaturation(), centre(baseline()).hsvSaturation() + 15);
    // Converted once: the preview renders on the photo's own values.
    for (int difference : {displayed.red() - previewed.red(), displayed.green() - previewed.green(),
                           displayed.blue() - previewed.blue()})
        EXPECT_LE(std::abs(difference), 2);
}

// A preview made while an effect applies (after a resize, a step to the next effect) has a
// catalogue object of its own: the apply ends with the effect chosen when it started.
TEST_P(PhotoViewControllerTest, APreviewDuringAnApplyLeavesTheApplyAlone)
{
    m_editor->edit(Picture(TestImages::random(800, 600, 5)), false, false);
    const Picture before = baseline();
    for (int step = 0; step < 3; ++step)
        m_editor->next();
    outlet<Slider>("levelSlider")->setValue(14);
    m_editor->changeLevel();
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    post("Double Tap");
    ASSERT_TRUE(m_editor->isApplying());
    m_editor->next();
    waitFor(changed);
    ImageEffect reference;
    reference.setGroup(kPixelGroup);
    for (int step = 0; step < 3; ++step)
        reference.nextEffect();
    ASSERT_TRUE(reference.supportsLevel());
    reference.applyLevel(14);
    reference.setImage(before);
    reference.setScale(1.0f);
    EXPECT_EQ(baseline().grid(), reference.applyEffect().grid());
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PhotoViewControllerTest,
                         ::testing::Values(PhotoViewController::kPhotoView,
                                           PhotoViewController::kSplitPhotoView),
                         [](const auto &info) { return info.param.toStdString(); });

} // namespace
