#include "PhotoViewController.h"

#include "EditorTestSupport.h"

#include "HoverController.h"
#include "ImageEffect.h"
#include "ImageResizer.h"
#include "ImageSlide.h"
#include "NavigationStack.h"
#include "PhotoSettings.h"
#include "PreviewImageView.h"
#include "SegmentedControl.h"
#include "Slider.h"
#include "TaggedPhotos.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

namespace {

// Group 0 starts on a levelled pixel effect; group 3 holds crops and frames, which finish
// without a worker thread.
constexpr int kPixelGroup = 0;
constexpr int kFrameGroup = 3;

bool same(const Picture &a, const Picture &b)
{
    return a.grid().cacheKey() == b.grid().cacheKey();
}

Picture photo(int w = 200, int h = 150)
{
    return Picture(TestImages::quadrants(w, h));
}

class PhotoViewControllerTest : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
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
    PreviewImageView *preview() const { return outlet<PreviewImageView>("previewView"); }
    ImageEffect &effect() const { return m_editor->imageEffect(); }
    void post(const char *name, QObject *sender = nullptr)
    {
        NotificationCenter::defaultCenter().post(name, sender ? sender : preview());
    }
    void changeGroup(int group)
    {
        outlet<SegmentedControl>("groupSegments")->setSelectedSegmentIndex(group);
        m_editor->changeGroup();
    }
    // Waits until `changed` has seen `count` new pictures.
    static void waitFor(QSignalSpy &changed, int count = 1)
    {
        if (changed.size() < count) {
            ASSERT_TRUE(changed.wait(10000));
        }
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

TEST_P(PhotoViewControllerTest, UndoHasOneLevelAndTheButtonFollowsIt)
{
    m_editor->edit(photo(), false, false);
    const Picture original = m_editor->baselineImage();
    EXPECT_TRUE(m_editor->previousImage().isNull());
    EXPECT_FALSE(undoShown());
    applyAndWait();
    const Picture first = m_editor->baselineImage();
    EXPECT_NE(first.grid(), original.grid());
    EXPECT_TRUE(undoShown());
    applyAndWait();
    m_editor->undo();
    EXPECT_TRUE(same(m_editor->baselineImage(), first));
    EXPECT_FALSE(undoShown());
    m_editor->undo(); // one level only
    EXPECT_TRUE(same(m_editor->baselineImage(), first));

    // The current picture handed in again changes nothing.
    applyAndWait();
    const Picture previous = m_editor->previousImage();
    m_editor->next();
    const Picture shown = preview()->image();
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    m_editor->edit(m_editor->baselineImage(), true, true);
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_TRUE(same(m_editor->previousImage(), previous));
    EXPECT_TRUE(same(preview()->image(), shown));
}

TEST_P(PhotoViewControllerTest, ANewPhotoIsFittedToTheWorkingSizeOfTheSetting)
{
    m_settings.setPhotoSize(1);
    m_editor->edit(photo(2048, 1536), false, false);
    EXPECT_EQ(m_editor->baselineImage().size(), QSizeF(1024, 768));
    applyAndWait();
    ASSERT_TRUE(undoShown());
    m_settings.setPhotoSize(2);
    m_editor->edit(photo(1536, 2048), false, false); // turned to the picture's shape
    EXPECT_EQ(m_editor->baselineImage().size(), QSizeF(480, 640));
    EXPECT_TRUE(m_editor->previousImage().isNull()) << "a new photo starts afresh";
    EXPECT_FALSE(undoShown());
}

TEST_P(PhotoViewControllerTest, DisplayThumbnailAndPreviewFollowTheLayout)
{
    m_editor->edit(photo(1600, 1200), false, false);
    const bool hover = GetParam() == PhotoViewController::kPhotoView;
    EXPECT_EQ(m_editor->displayImage().size(), hover ? QSizeF(416, 312) : QSizeF(320, 240));
    const Picture thumbnail = m_editor->thumbnailImage();
    EXPECT_EQ(thumbnail.size(), hover ? QSizeF(128, 96) : QSizeF(320, 240));
    if (hover) { // the centre of the picture at half scale
        EXPECT_EQ(
            thumbnail.grid(),
            ImageResizer::clipImage(m_editor->baselineImage(), QPointF(800, 600), 128, 96).grid());
    }
    // The preview is the effect on the thumbnail at its scale.
    m_editor->next();
    ImageEffect reference;
    reference.setGroup(kPixelGroup);
    reference.nextEffect();
    reference.setImage(thumbnail);
    reference.setScale(float(thumbnail.size().width() / 1600.0));
    EXPECT_EQ(preview()->image().grid(), reference.applyEffect().grid());
    EXPECT_EQ(outlet<QLabel>("effectLabel")->text(),
              QStringLiteral("Preview: %1").arg(reference.getEffect()));
}

TEST_P(PhotoViewControllerTest, TheSliderRoundsToTheNearestLevelAndGivesWayToTheApplyLabel)
{
    m_editor->edit(photo(), false, false);
    auto *slider = outlet<Slider>("levelSlider");
    slider->setValue(9.5f);
    m_editor->changeLevel();
    EXPECT_EQ(effect().getLevel(), 10);
    slider->setValue(9.49f);
    m_editor->changeLevel();
    EXPECT_EQ(effect().getLevel(), 9);

    auto *applyLabel = outlet("applyLabel");
    EXPECT_EQ(View::frame(applyLabel), View::frame(slider));
    int withLevel = 0;
    for (int i = 0; i < ImageEffect::effectCount(kPixelGroup); ++i, m_editor->next()) {
        const bool hasLevel = effect().supportsLevel();
        withLevel += hasLevel;
        EXPECT_EQ(View::isHidden(slider), !hasLevel) << i;
        EXPECT_EQ(View::isHidden(applyLabel), hasLevel) << i;
        if (hasLevel) {
            EXPECT_EQ(slider->value(), float(effect().getLevel())) << i;
        }
    }
    EXPECT_GT(withLevel, 0);
    EXPECT_LT(withLevel, ImageEffect::effectCount(kPixelGroup));
}

TEST_P(PhotoViewControllerTest, OnlyGesturesOnThePreviewStepOrApply)
{
    m_editor->edit(photo(), false, false);
    const int count = ImageEffect::effectCount(kPixelGroup);
    post("Swipe Right");
    EXPECT_EQ(effect().effect(), 1);
    post("Swipe Left");
    post("Swipe Left");
    EXPECT_EQ(effect().effect(), count - 1);
    QObject stranger;
    post("Swipe Left", &stranger);
    EXPECT_EQ(effect().effect(), count - 1);
    post("Double Tap", &stranger);
    EXPECT_FALSE(m_editor->isApplying());
    drainEvents();
    EXPECT_TRUE(m_editor->previousImage().isNull());
}

TEST_P(PhotoViewControllerTest, ASecondApplyWhileTheWorkerRunsIsRefused)
{
    m_editor->edit(photo(1600, 1200), false, false);
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    post("Double Tap");
    ASSERT_TRUE(m_editor->isApplying());
    EXPECT_FALSE(
        View::isUserInteractionEnabled(qobject_cast<QScrollArea *>(m_editor->view())->widget()));
    post("Double Tap");
    waitFor(changed);
    // The completion waits for the running worker: a second one would have queued its result.
    drainEvents();
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_FALSE(m_editor->isApplying());
}

TEST_P(PhotoViewControllerTest, CropsAndFramesFinishWithoutAWorker)
{
    m_editor->edit(photo(400, 300), false, false);
    changeGroup(kFrameGroup);
    EXPECT_EQ(effect().getEffect(), ImageEffect::effectName(kFrameGroup, 0));
    post("Double Tap");
    EXPECT_FALSE(m_editor->isApplying());
    EXPECT_EQ(m_editor->baselineImage().size(), QSizeF(300, 300)); // the square print format
}

TEST_P(PhotoViewControllerTest, SavingWritesTheWorkingPictureAsItWasBeforeAnApplyUnderWay)
{
    changeGroup(1); // black and white
    m_editor->edit(photo(1600, 1200), false, false);
    const QImage before = m_editor->baselineImage().grid();
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    post("Double Tap");
    m_editor->save();
    ASSERT_TRUE(saved.wait(10000));
    waitFor(changed);
    const QImage written(saved.first().at(0).toString());
    ASSERT_EQ(written.size(), before.size());
    // A JPEG of the colour picture, not of its black-and-white result.
    auto distance = [&written](const QImage &image) {
        qint64 sum = 0;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7) {
                const QRgb a = written.pixel(x, y), b = image.pixel(x, y);
                sum += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                       qAbs(qBlue(a) - qBlue(b));
            }
        return sum;
    };
    EXPECT_LT(distance(before) * 2, distance(m_editor->baselineImage().grid()));
}

// The camera's records and profile stay with the photo through applies and an undo, into
// the album and into the picture kept for the next run.
TEST_P(PhotoViewControllerTest, TheAlbumAndTheStoredPictureKeepThePhotosMetadata)
{
    const QString camera = m_folder.filePath("camera.jpg");
    ASSERT_TRUE(writeFile(camera, TaggedPhotos::cameraJpeg(TestImages::quadrants(240, 160))));
    ASSERT_TRUE(m_editor->openFile(camera));
    applyAndWait();
    m_editor->undo();
    applyAndWait();
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    m_editor->save();
    ASSERT_TRUE(saved.wait(10000));

    const TaggedPhotos::Tags album = TaggedPhotos::tagsOf(saved.first().at(0).toString());
    EXPECT_EQ(album.exifValue("Exif.Image.Make"), "Harbour Optics");
    EXPECT_EQ(album.exifValue("Exif.Image.Orientation"), "1");
    EXPECT_EQ(album.icc, TaggedPhotos::displayP3Profile());
    m_editor->viewWillDisappear(false); // leaving the editor keeps the picture for next time
    ASSERT_TRUE(m_settings.save());
    m_settings.load();
    EXPECT_EQ(m_settings.image().metadata().iccProfile(), TaggedPhotos::displayP3Profile());
}

TEST_P(PhotoViewControllerTest, BadFilesAndRefusedSavesAreReportedAndChangeNothing)
{
    m_editor->edit(photo(), false, false);
    const Picture before = m_editor->baselineImage();
    ASSERT_TRUE(writeFile(m_folder.filePath("blocked"), "not a picture"));
    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    EXPECT_FALSE(m_editor->openFile(m_folder.filePath("blocked")));
    EXPECT_EQ(reported.size(), 1);
    EXPECT_TRUE(same(m_editor->baselineImage(), before));

    m_editor->setAlbumFolder(m_folder.filePath("blocked")); // a file where the folder should be
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    m_editor->save();
    ASSERT_TRUE(saved.wait(10000));
    EXPECT_TRUE(saved.first().at(0).toString().isEmpty());
    EXPECT_EQ(reported.size(), 2);
    EXPECT_TRUE(View::isHidden(outlet("imageSlide"))) << "nothing slides";
}

TEST_P(PhotoViewControllerTest, LeavingMarksThePictureAndGroupForNextTime)
{
    m_editor->edit(photo(), false, false);
    changeGroup(2);
    m_stack.popViewControllerAnimated(false);
    EXPECT_EQ(m_settings.segment(), 2);
    EXPECT_TRUE(same(m_settings.image(), m_editor->baselineImage()));
}

TEST_P(PhotoViewControllerTest, TouchesAndKeysReachTheEditor)
{
    m_editor->edit(photo(400, 300), false, false);
    QWidget *window = m_stack.view()->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    if (HoverController *hover = m_editor->hoverController()) {
        // A touch on the picture that no view takes shows the hidden hover.
        hover->showHoverView(false);
        QWidget *original = outlet("originalView");
        clickAt(window, original->mapTo(window, QPoint(20, original->height() / 2)));
        EXPECT_EQ(View::alpha(hover->hoverView()), 1.0);
    }
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_EQ(effect().effect(), 1);
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(outlet<SegmentedControl>("groupSegments")->selectedSegmentIndex(), 1);
    EXPECT_EQ(effect().effect(), 0);

    // A double tap on the preview applies; the keys wait while it runs.
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    clickAt(window, preview()->mapTo(window, preview()->rect().center()), true);
    EXPECT_TRUE(m_editor->isApplying());
    QTest::keyClick(window, Qt::Key_Right);
    waitFor(changed);
    EXPECT_EQ(effect().effect(), 0);
    EXPECT_FALSE(m_editor->previousImage().isNull());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(m_editor->previousImage().isNull());
    QTest::keyClick(window, Qt::Key_Return);
    waitFor(changed, 3);
    EXPECT_FALSE(m_editor->previousImage().isNull());
}

std::string layoutName(const ::testing::TestParamInfo<QString> &info)
{
    return info.param.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PhotoViewControllerTest,
                         ::testing::Values(PhotoViewController::kPhotoView,
                                           PhotoViewController::kSplitPhotoView),
                         layoutName);

using SplitLayoutTest = PhotoViewControllerTest;

// Turning the window splits the container along its long side; labels step under the bar.
TEST_P(SplitLayoutTest, TheContainerIsSplitByTheWindowsShape)
{
    m_editor->edit(photo(400, 300), false, false);
    auto *label = outlet<QLabel>("effectLabel");
    const auto halves = [&](bool sideBySide) {
        QCoreApplication::processEvents();
        const QRectF all = View::bounds(outlet("containerView"));
        const QRectF first(0, 0, all.width() / (sideBySide ? 2 : 1),
                           all.height() / (sideBySide ? 1 : 2));
        const QPointF step = sideBySide ? QPointF(first.width(), 0) : QPointF(0, first.height());
        return View::frame(outlet("originalView")) == first &&
               View::frame(outlet("previewView")) == first.translated(step);
    };
    EXPECT_TRUE(halves(false));
    m_stack.view()->resize(640, 360);
    EXPECT_EQ(m_editor->interfaceOrientation(), 3);
    EXPECT_TRUE(halves(true));
    const QRectF preview = View::frame(outlet("previewView"));
    const double height = View::frame(label).height();
    EXPECT_EQ(View::frame(label), QRectF(preview.x(), 32, preview.width(), height));
    EXPECT_EQ(View::frame(outlet("promptLabel")),
              QRectF(preview.x(), 32 + height, preview.width(), height));
    m_editor->relocateLabels(3, false, false);
    EXPECT_EQ(View::frame(label).top(), 0) << "without the bar";

    m_stack.view()->resize(360, 640);
    EXPECT_TRUE(halves(false));
    EXPECT_EQ(View::frame(label).topLeft(), View::frame(outlet("previewView")).topLeft());
}

INSTANTIATE_TEST_SUITE_P(Split, SplitLayoutTest,
                         ::testing::Values(PhotoViewController::kSplitPhotoView), layoutName);

} // namespace
