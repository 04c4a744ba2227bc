#include "PhotoViewController.h"

#include "EditorTestSupport.h"

#include "ActivityView.h"
#include "AnimationBlock.h"
#include "HoverController.h"
#include "ImageEffect.h"
#include "ImageResizer.h"
#include "ImageSlide.h"
#include "NavigationStack.h"
#include "NotificationCenter.h"
#include "PhotoSettings.h"
#include "PreviewImageView.h"
#include "SegmentedControl.h"
#include "Slider.h"
#include "TaggedPhotos.h"
#include "TestImages.h"
#include "View.h"
#include "ViewAnimation.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Waits for `spy` to hold `count` signals, unless it holds them already.
void waitFor(QSignalSpy &spy, int count = 1)
{
    if (spy.size() < count) {
        ASSERT_TRUE(spy.wait(10000));
    }
}

// Group 0 starts on a levelled pixel effect; group 3 holds crops and frames, which finish
// without a worker thread.
constexpr int kPixelGroup = 0;
constexpr int kFrameGroup = 3;

class PhotoViewControllerTest : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_settings = std::make_unique<PhotoSettings>(m_folder.filePath("settings.ini"));
        m_settings->setAnimation(false);
        m_animation = std::make_unique<AnimationBlock>();
        m_editor = std::make_unique<PhotoViewController>(GetParam());
        m_editor->setAlbumFolder(m_folder.filePath("album"));
        m_stack = std::make_unique<NavigationStack>(&m_menu);
        m_stack->view()->resize(360, 640);
        m_stack->view()->show();
        m_stack->pushViewController(m_editor.get(), false);
    }

    void TearDown() override
    {
        ViewAnimation::finishAll();
        m_stack.reset();
        m_editor.reset();
    }

    template <class T> T *outlet(const char *name) const
    {
        return m_editor->view()->findChild<T *>(QString::fromLatin1(name));
    }

    bool undoShown() const { return !View::isHidden(outlet<QAbstractButton>("undoButton")); }
    PreviewImageView *preview() const { return outlet<PreviewImageView>("previewView"); }
    void post(const char *name, QObject *sender = nullptr)
    {
        NotificationCenter::defaultCenter().post(name, sender ? sender : preview());
    }
    void changeGroup(int group)
    {
        outlet<SegmentedControl>("groupSegments")->setSelectedSegmentIndex(group);
        m_editor->changeGroup();
    }
    // Applies the current effect and waits for the result to become the working picture.
    void applyAndWait()
    {
        QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
        post("Double Tap");
        waitFor(changed);
    }

    QTemporaryDir m_folder;
    ViewController m_menu;
    std::unique_ptr<PhotoSettings> m_settings;
    std::unique_ptr<AnimationBlock> m_animation;
    std::unique_ptr<PhotoViewController> m_editor;
    std::unique_ptr<NavigationStack> m_stack;
};

std::string layoutName(const ::testing::TestParamInfo<QString> &info)
{
    return info.param.toStdString();
}

Picture photo(int w = 200, int h = 150)
{
    return Picture(TestImages::quadrants(w, h));
}

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
    EXPECT_TRUE(undoShown());
    m_editor->undo();
    EXPECT_EQ(m_editor->baselineImage().grid().cacheKey(), first.grid().cacheKey());
    EXPECT_FALSE(undoShown());

    m_editor->undo(); // one level only
    EXPECT_EQ(m_editor->baselineImage().grid().cacheKey(), first.grid().cacheKey());
}

TEST_P(PhotoViewControllerTest, TheCurrentPictureHandedInAgainChangesNothing)
{
    m_editor->edit(photo(), false, false);
    applyAndWait();
    const Picture previous = m_editor->previousImage();
    m_editor->next();
    const Picture shown = preview()->image();

    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    m_editor->edit(m_editor->baselineImage(), true, true);
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_EQ(m_editor->previousImage().grid().cacheKey(), previous.grid().cacheKey());
    EXPECT_EQ(preview()->image().grid().cacheKey(), shown.grid().cacheKey());
}

TEST_P(PhotoViewControllerTest, ANewPhotoIsFittedToTheWorkingSizeOfTheSetting)
{
    m_settings->setPhotoSize(1);
    m_editor->edit(photo(2048, 1536), false, false);
    EXPECT_EQ(m_editor->baselineImage().size(), QSizeF(1024, 768));

    applyAndWait();
    ASSERT_TRUE(undoShown());
    m_settings->setPhotoSize(2);
    m_editor->edit(photo(1536, 2048), false, false); // turned to the picture's shape
    EXPECT_EQ(m_editor->baselineImage().size(), QSizeF(480, 640));
    EXPECT_TRUE(m_editor->previousImage().isNull()) << "a new photo starts afresh";
    EXPECT_FALSE(undoShown());
}

TEST_P(PhotoViewControllerTest, DisplayAndThumbnailFollowTheLayout)
{
    m_editor->edit(photo(1600, 1200), false, false);
    const bool hover = GetParam() == PhotoViewController::kPhotoView;
    EXPECT_EQ(m_editor->displayImage().size(), hover ? QSizeF(416, 312) : QSizeF(320, 240));
    EXPECT_EQ(m_editor->thumbnailImage().size(), hover ? QSizeF(128, 96) : QSizeF(320, 240));
    if (hover) {
        // The centre of the picture at half scale.
        const Picture expected =
            ImageResizer::clipImage(m_editor->baselineImage(), QPointF(800, 600), 128, 96);
        EXPECT_EQ(m_editor->thumbnailImage().grid(), expected.grid());
    }
}

TEST_P(PhotoViewControllerTest, ThePreviewIsTheEffectOnTheThumbnailAtItsScale)
{
    m_editor->edit(photo(640, 480), false, false);
    m_editor->next();
    ImageEffect reference;
    reference.setGroup(kPixelGroup);
    reference.nextEffect();
    reference.setImage(m_editor->thumbnailImage());
    reference.setScale(float(m_editor->thumbnailImage().size().width() / 640.0));
    EXPECT_EQ(preview()->image().grid(), reference.applyEffect().grid());
    EXPECT_EQ(outlet<QLabel>("effectLabel")->text(),
              QStringLiteral("Preview: %1").arg(reference.getEffect()));
}

TEST_P(PhotoViewControllerTest, TheSliderRoundsToTheNearestLevel)
{
    m_editor->edit(photo(), false, false);
    auto *slider = outlet<Slider>("levelSlider");
    slider->setValue(9.5f);
    m_editor->changeLevel();
    EXPECT_EQ(m_editor->imageEffect().getLevel(), 10);
    slider->setValue(9.49f);
    m_editor->changeLevel();
    EXPECT_EQ(m_editor->imageEffect().getLevel(), 9);
}

TEST_P(PhotoViewControllerTest, TheApplyLabelTakesTheSlidersPlaceForEffectsWithoutALevel)
{
    m_editor->edit(photo(), false, false);
    auto *slider = outlet<Slider>("levelSlider");
    auto *applyLabel = outlet<QLabel>("applyLabel");
    EXPECT_EQ(View::frame(applyLabel), View::frame(slider));
    int withLevel = 0, without = 0;
    for (int i = 0; i < ImageEffect::effectCount(kPixelGroup); ++i, m_editor->next()) {
        const bool hasLevel = m_editor->imageEffect().supportsLevel();
        (hasLevel ? withLevel : without)++;
        EXPECT_EQ(View::isHidden(slider), !hasLevel) << i;
        EXPECT_EQ(View::isHidden(applyLabel), hasLevel) << i;
        if (hasLevel) {
            EXPECT_EQ(slider->value(), float(m_editor->imageEffect().getLevel())) << i;
        }
    }
    EXPECT_GT(withLevel, 0);
    EXPECT_GT(without, 0);
}

TEST_P(PhotoViewControllerTest, OnlyADoubleTapOnThePreviewApplies)
{
    m_editor->edit(photo(), false, false);
    QObject stranger;
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    post("Double Tap", &stranger);
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_editor->isApplying());
    EXPECT_TRUE(changed.isEmpty());
    applyAndWait();
    EXPECT_FALSE(m_editor->previousImage().isNull());
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
    ASSERT_TRUE(changed.wait(10000));
    QTest::qWait(50);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_FALSE(m_editor->isApplying());
}

TEST_P(PhotoViewControllerTest, SwipesOnThePreviewStepEffectsAndOthersOnlyShowTheHover)
{
    m_editor->edit(photo(), false, false);
    const int count = ImageEffect::effectCount(kPixelGroup);
    post("Swipe Right");
    EXPECT_EQ(m_editor->imageEffect().effect(), 1);
    post("Swipe Left");
    post("Swipe Left");
    EXPECT_EQ(m_editor->imageEffect().effect(), count - 1);
    QObject stranger;
    post("Swipe Left", &stranger);
    EXPECT_EQ(m_editor->imageEffect().effect(), count - 1);
}

TEST_P(PhotoViewControllerTest, CropsAndFramesFinishWithoutAWorker)
{
    m_editor->edit(photo(400, 300), false, false);
    changeGroup(kFrameGroup);
    EXPECT_EQ(m_editor->imageEffect().getEffect(), ImageEffect::effectName(kFrameGroup, 0));
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
    const QImage after = m_editor->baselineImage().grid();
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
    EXPECT_LT(distance(before) * 2, distance(after));
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
    ASSERT_TRUE(m_settings->save());
    m_settings->load();
    EXPECT_EQ(m_settings->image().metadata().iccProfile(), TaggedPhotos::displayP3Profile());
}

TEST_P(PhotoViewControllerTest, ARefusedSaveIsReportedAndNothingSlides)
{
    m_editor->edit(photo(), false, false);
    // A file where the album folder should be.
    ASSERT_TRUE(writeFile(m_folder.filePath("blocked"), {}));
    m_editor->setAlbumFolder(m_folder.filePath("blocked"));
    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    m_editor->save();
    ASSERT_TRUE(saved.wait(10000));
    EXPECT_TRUE(saved.first().at(0).toString().isEmpty());
    EXPECT_EQ(reported.size(), 1);
    EXPECT_TRUE(View::isHidden(outlet<ImageSlide>("imageSlide")));
}

TEST_P(PhotoViewControllerTest, AnUnreadableFileIsReportedAndChangesNothing)
{
    m_editor->edit(photo(), false, false);
    const Picture before = m_editor->baselineImage();
    const QString broken = m_folder.filePath("broken.jpg");
    ASSERT_TRUE(writeFile(broken, "not a picture"));
    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    EXPECT_FALSE(m_editor->openFile(broken));
    EXPECT_EQ(reported.size(), 1);
    EXPECT_EQ(m_editor->baselineImage().grid().cacheKey(), before.grid().cacheKey());
}

TEST_P(PhotoViewControllerTest, LeavingMarksThePictureAndGroupForNextTime)
{
    m_editor->edit(photo(), false, false);
    changeGroup(2);
    m_stack->popViewControllerAnimated(false);
    EXPECT_EQ(m_settings->segment(), 2);
    EXPECT_EQ(m_settings->image().grid().cacheKey(), m_editor->baselineImage().grid().cacheKey());
}

TEST_P(PhotoViewControllerTest, TouchesAndKeysReachTheEditor)
{
    m_editor->edit(photo(400, 300), false, false);
    QWidget *window = m_stack->view()->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto *original = outlet<QWidget>("originalView");
    PreviewImageView *preview = this->preview();

    if (HoverController *hover = m_editor->hoverController()) {
        // A touch on the picture that no view takes shows the hidden hover.
        hover->showHoverView(false);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          original->mapTo(window, QPoint(20, original->height() / 2)));
        EXPECT_EQ(View::alpha(hover->hoverView()), 1.0);
    }

    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_EQ(m_editor->imageEffect().effect(), 1);
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(outlet<SegmentedControl>("groupSegments")->selectedSegmentIndex(), 1);
    EXPECT_EQ(m_editor->imageEffect().effect(), 0);

    // A double tap on the preview applies; the keys wait while it runs.
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    // Through the window, as the system delivers them: press, release, double-click, release.
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       preview->mapTo(window, preview->rect().center()));
    EXPECT_TRUE(m_editor->isApplying());
    QTest::keyClick(window, Qt::Key_Right);
    waitFor(changed);
    EXPECT_EQ(m_editor->imageEffect().effect(), 0);
    EXPECT_FALSE(m_editor->previousImage().isNull());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(m_editor->previousImage().isNull());
    QTest::keyClick(window, Qt::Key_Return);
    waitFor(changed, 3);
    EXPECT_FALSE(m_editor->previousImage().isNull());
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PhotoViewControllerTest,
                         ::testing::Values(PhotoViewController::kPhotoView,
                                           PhotoViewController::kSplitPhotoView),
                         layoutName);

// The split layout's geometry.
class SplitLayoutTest : public PhotoViewControllerTest
{
};

TEST_P(SplitLayoutTest, TheContainerIsSplitByOrientationAndTheLabelsStepUnderTheBar)
{
    auto *container = outlet<QWidget>("containerView");
    auto *original = outlet<QWidget>("originalView");
    auto *preview = outlet<QWidget>("previewView");
    auto *label = outlet<QLabel>("effectLabel");
    auto *prompt = outlet<QLabel>("promptLabel");
    ASSERT_NE(container, nullptr);

    container->resize(320, 480);
    m_editor->relocateto(1);
    EXPECT_EQ(View::frame(original), QRectF(0, 0, 320, 240));
    EXPECT_EQ(View::frame(preview), QRectF(0, 240, 320, 240));
    EXPECT_EQ(View::frame(label).topLeft(), QPointF(0, 240));

    container->resize(480, 320);
    m_editor->relocateto(3);
    EXPECT_EQ(View::frame(original), QRectF(0, 0, 240, 320));
    EXPECT_EQ(View::frame(preview), QRectF(240, 0, 240, 320));
    const double height = View::frame(label).height();
    EXPECT_EQ(View::frame(label), QRectF(240, 32, 240, height));
    EXPECT_EQ(View::frame(prompt), QRectF(240, 32 + height, 240, height));

    m_editor->relocateLabels(3, false, false);
    EXPECT_EQ(View::frame(label).top(), 0);
}

INSTANTIATE_TEST_SUITE_P(Split, SplitLayoutTest,
                         ::testing::Values(PhotoViewController::kSplitPhotoView), layoutName);

} // namespace
