#include "PhotoViewController.h"

#include "EditorTestSupport.h"

#include "DisplayCache.h"
#include "HoverController.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "NavigationBar.h"
#include "Slider.h"
#include "TaggedPhotos.h"
#include "Timer.h"
#include "ViewState.h"
#include "ZoomImageView.h"

#include <QAbstractButton>
#include <QEasingCurve>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QProcess>
#include <QPropertyAnimation>

#include <functional>
#include <optional>

namespace {

// Group 0 starts on a levelled pixel effect; group 3 holds crops and frames, which finish
// without a worker thread.
constexpr int kPixelGroup = 0;
constexpr int kFrameGroup = 3;

class PhotoViewControllerTest : public EditorTest
{
protected:
    bool shown(const char *name) const { return !View::isHidden(outlet(name)); }
    // What the user does: a key with its modifiers, a click on a button.
    std::function<void()> key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) const
    {
        return [=] { QTest::keyClick(m_window, pressed, modifiers); };
    }
    std::function<void()> click(const char *button) const
    {
        return [=] { outlet<QAbstractButton>(button)->click(); };
    }
    ImageEffect &effect() const { return m_editor->imageEffect(); }
    const Picture &baseline() const { return m_editor->baselineImage(); }
};

// Five steps, a noise effect last, walked back to the photo as taken and forward again by the
// keys and buttons with room for two pictures: a dropped picture is remade on the worker to
// the same bytes. Applying after an undo drops the steps ahead; Revert to Original is a step of
// its own; a new photo starts afresh.
TEST_P(PhotoViewControllerTest, TheHistoryWalksBackAndForthAndRemakesDroppedPicturesExactly)
{
    m_settings.setPhotoSize(2);
    m_editor->editPhoto(Picture(TestImages::quadrants(960, 1280)), false);
    EXPECT_EQ(baseline().size(), QSizeF(480, 640)) << "the web size, turned to the picture";
    m_editor->session().setBudget(2 * 480 * 640 * 4);
    changeGroup(1); // Black and White ... Night Vision, which draws noise
    std::vector<QImage> made{baseline().grid()};
    for (int step = 0; step < 5; ++step, m_editor->next()) {
        applyAndWait();
        made.push_back(baseline().grid());
    }
    ASSERT_TRUE(ImageEffect::drawsNoise(1, 4));
    int remade = 0;
    QWidget *row = outlet("bottomRow");
    const auto walk = [&](const std::function<void()> &press, int to) {
        press();
        if (m_editor->isApplying()) {
            ++remade;
            EXPECT_TRUE(shown("busyIndicator"));
        }
        ASSERT_TRUE(waitUntil([&] { return !m_editor->isApplying(); }));
        EXPECT_EQ(baseline().grid(), made[to]) << to;
        EXPECT_EQ(shown("undoButton"), to > 0) << to;
        EXPECT_EQ(shown("redoButton"), to < 5) << to;
        row->layout()->activate(); // no room left of its right edge, with or without them
        EXPECT_EQ(row->childrenRect().right(), row->width() - 1) << to;
    };
    walk(key(Qt::Key_Z, Qt::ControlModifier), 4);
    EXPECT_EQ(remade, 0) << "the picture one step back is kept";
    for (int to = 3; to >= 0; --to)
        walk(to % 2 ? key(Qt::Key_Z, Qt::ControlModifier) : click("undoButton"), to);
    for (int to = 1; to <= 5; ++to)
        walk(to % 3 == 0   ? key(Qt::Key_Y, Qt::ControlModifier)
             : to % 3 == 1 ? key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier)
                           : click("redoButton"),
             to);
    EXPECT_GT(remade, 1);

    walk(click("undoButton"), 4);
    walk(click("undoButton"), 3);
    changeGroup(0);
    applyAndWait();
    EXPECT_FALSE(shown("redoButton")) << "the steps ahead are gone";
    m_editor->revertToOriginal();
    EXPECT_EQ(baseline().grid(), made[0]);
    EXPECT_TRUE(shown("undoButton")) << "a step of its own";

    m_settings.setPhotoSize(1);
    m_editor->editPhoto(Picture(TestImages::quadrants(2048, 1536)), false);
    EXPECT_EQ(baseline().size(), QSizeF(1024, 768));
    EXPECT_FALSE(shown("undoButton") || shown("redoButton"));
    m_settings.setPhotoSize(2); // the stored picture continued is kept as it is
    m_editor->editPhoto(Picture(TestImages::quadrants(1600, 1200)), true);
    EXPECT_EQ(baseline().size(), QSizeF(1600, 1200));
}

// What the editor made, saved as a recipe, velmora-cli makes again to the pixel from the same
// photo file at the same working size (a JPEG twice that size is decoded at half scale by both,
// not whole and then scaled). A recipe applied in the editor adds a step a line; a damaged one is
// reported with its file and line and changes nothing, as do a save that cannot be written and a
// file that is no picture.
TEST_P(PhotoViewControllerTest, ARecipeSavedInTheEditorGivesVelmoraClisPixels)
{
    m_settings.setPhotoSize(2);
    const QString photo = m_folder.filePath("photo.jpg");
    ASSERT_TRUE(TestImages::random(1280, 960, 8).save(photo, nullptr, 90));
    ASSERT_TRUE(m_editor->openFile(photo));
    changeGroup(1);
    for (int i = 0; i < 4; ++i) // Night Vision, which draws noise
        m_editor->next();
    applyAndWait();
    changeGroup(kFrameGroup); // the square print format
    applyAndWait();
    EXPECT_EQ(baseline().size(), QSizeF(480, 480));
    changeGroup(kPixelGroup);
    m_editor->next();
    applyAndWait();
    const QString recipe = m_folder.filePath("look.velmora");
    ASSERT_TRUE(m_editor->editMenu()->saveRecipe(recipe));
    QProcess cli;
    cli.start(VELMORA_CLI_PATH,
              {"apply", "--recipe", recipe, photo, "-o", m_folder.filePath("cli.png")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(m_folder.filePath("cli.png")).convertToFormat(QImage::Format_RGB32),
              baseline().grid());

    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    EXPECT_FALSE(m_editor->editMenu()->saveRecipe(m_folder.filePath("missing/look.velmora")));
    const QString damaged = m_folder.filePath("damaged.velmora");
    ASSERT_TRUE(writeFile(damaged, "velmora-recipe 1\nsize web\nSepia\nNo Such Look\n"));
    EXPECT_FALSE(m_editor->openFile(damaged));
    EXPECT_FALSE(m_editor->editMenu()->applyRecipe(damaged));
    ASSERT_EQ(reported.size(), 3);
    EXPECT_TRUE(reported.last().first().toString().startsWith(damaged + ":4:"));
    QUndoStack *history = m_editor->session().undoStack();
    EXPECT_EQ(history->count(), 3);
    ASSERT_TRUE(m_editor->editMenu()->applyRecipe(recipe));
    ASSERT_TRUE(waitUntil([&] { return !m_editor->isApplying(); }));
    EXPECT_EQ(history->count(), 6) << "a step a line";

    // Save's menu opens leftwards from the button at the window's edge, Revert offered.
    EditMenu *menu = m_editor->editMenu();
    menu->popup(m_window->mapToGlobal(QPoint(m_window->width() - 20, 40)));
    EXPECT_LE(menu->geometry().right(), m_window->geometry().right());
    EXPECT_TRUE(menu->actions().first()->isEnabled());
    menu->hide();
}

// The preview shows the effect on the thumbnail and the slider its level. A preview made while
// an effect applies (a step to the next effect) has a catalogue object of its own: the apply
// ends with the effect and level chosen when it started.
TEST_P(PhotoViewControllerTest, ThePreviewShowsTheEffectAndTheSliderItsLevelWhileAnApplyKeepsIt)
{
    m_editor->editPhoto(Picture(TestImages::random(800, 600, 5)), false);
    const Picture before = baseline();
    const bool hover = GetParam() == PhotoViewController::kPhotoView;
    const Picture thumbnail = m_editor->thumbnailImage();
    if (hover) { // the centre of the picture at half scale, at the phone's size
        EXPECT_EQ(thumbnail.grid(),
                  ImageResizer::clipImage(baseline(), QPointF(400, 300), 128, 96).grid());
    }
    ImageEffect reference;
    reference.setGroup(kPixelGroup);
    for (int step = 0; step < 3; ++step) { // Adjust Brightness, which has a level
        m_editor->next();
        reference.nextEffect();
    }
    reference.setImage(thumbnail);
    reference.setScale(float(thumbnail.size().width() / 800.0));
    EXPECT_EQ(preview()->image().grid(), reference.applyEffect().grid());
    EXPECT_EQ(outlet<QLabel>("effectLabel")->text(),
              QStringLiteral("Preview: %1").arg(reference.getEffect()));

    auto *slider = outlet<Slider>("levelSlider");
    for (auto [value, level] : {std::pair{9.5f, 10}, {9.49f, 9}, {20.0f, 20}, {0.0f, 0}}) {
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
    slider->setValue(14);
    m_editor->changeLevel();
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    post("Double Tap");
    ASSERT_TRUE(m_editor->isApplying());
    m_editor->next();
    waitFor(changed);
    reference.applyLevel(14);
    reference.setImage(before);
    reference.setScale(1.0f);
    EXPECT_EQ(baseline().grid(), reference.applyEffect().grid());
}

// The camera's records and profile stay with the photo through applies and an undo, into
// the album and into the picture kept for the next run. Ctrl+S during an apply saves the
// picture the apply ends with; the busy panel shows meanwhile and the picture flies to the
// album's corner, in either orientation; a save that cannot be written is reported, no picture
// flying.
TEST_P(PhotoViewControllerTest, SavingAndLeavingKeepThePictureWithItsMetadata)
{
    const QString camera = m_folder.filePath("camera.jpg");
    ASSERT_TRUE(writeFile(camera, TaggedPhotos::cameraJpeg(TestImages::quadrants(240, 160))));
    ASSERT_TRUE(m_editor->openFile(camera));
    applyAndWait();
    m_editor->undo();
    changeGroup(1); // black and white
    QWidget *busy = outlet("busyIndicator");
    const QPointer<ImageView> slide = outlet<ImageView>("imageSlide");
    for (const QSize size : {QSize(360, 640), QSize(640, 360)}) {
        m_stack.view()->resize(size);
        drainEvents();
        QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
        post("Double Tap");
        ASSERT_TRUE(m_editor->isApplying());
        QTest::keyClick(m_window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(View::isHidden(busy));
        waitFor(saved);
        EXPECT_TRUE(View::isHidden(busy));
        const QString written = saved.first().at(0).toString();
        EXPECT_TRUE(filesIn(m_folder.filePath("album")).contains(QFileInfo(written).fileName()));
        const QImage album(written);
        ASSERT_EQ(album.size(), baseline().size());
        EXPECT_LT(album.pixelColor(30, 30).hsvSaturation(), 40) << "the applied picture";
        EXPECT_EQ(TaggedPhotos::tagsOf(written).exifValue("Exif.Image.Make"), "Harbour Optics");
        // The picture flies from its place to the album's corner, then goes.
        QWidget *over = View::superview(outlet("originalView"));
        EXPECT_EQ(View::frame(slide), QRectF(View::bounds(over).width() - 44, 44, 0, 0));
        EXPECT_EQ(slide->image().grid(), m_editor->displayImage().grid());
        ViewAnimation::finishAll();
        ASSERT_TRUE(waitUntil([&] { return View::isHidden(slide) && !View::superview(slide); }));
        m_editor->undo();
    }
    m_editor->setAlbumFolder(camera); // a file where the folder should be
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    QSignalSpy reported(m_editor.get(), &PhotoViewController::errorReported);
    m_editor->save();
    waitFor(saved);
    EXPECT_EQ(reported.size(), 1);
    EXPECT_TRUE(View::isHidden(slide) && !View::superview(slide)) << "nothing slides";
    m_stack.popViewControllerAnimated(false); // leaving keeps the picture and group
    EXPECT_EQ(m_settings.segment(), 1);
    EXPECT_EQ(m_settings.image().grid().cacheKey(), baseline().grid().cacheKey());
    ASSERT_TRUE(m_settings.save());
    m_settings.load();
    EXPECT_EQ(m_settings.image().metadata().iccProfile(), TaggedPhotos::displayP3Profile());
}

// A save waiting on an apply that fails goes ahead with the picture as it stands.
TEST_P(PhotoViewControllerTest, ASaveWaitingOnAFailedApplySavesThePictureAsItStands)
{
    const Picture wide(TestImages::random(17000, 2, 1)); // wider than the engine takes
    m_editor->editPhoto(wide, false);
    QSignalSpy saved(m_editor.get(), &PhotoViewController::saveFinished);
    post("Double Tap");
    ASSERT_TRUE(m_editor->isApplying());
    QTest::keyClick(m_window, Qt::Key_S, Qt::ControlModifier);
    waitFor(saved);
    EXPECT_EQ(QImage(saved.first().at(0).toString()).size(), QSize(17000, 2));
}

// Touches and keys reach the editor; turning the window splits the container along its long
// side, and the labels step below the bar.
TEST_P(PhotoViewControllerTest, TouchesKeysAndTheWindowsShape)
{
    m_editor->editPhoto(Picture(TestImages::quadrants(400, 300)), false);
    const auto frame = [this](const char *name) { return View::frame(outlet(name)); };
    if (HoverController *hover = m_editor->hoverController()) {
        // A touch on the picture that no view takes shows the hidden hover.
        hover->showHoverView(false);
        clickAt(m_window, outlet("originalView")->mapTo(m_window, QPoint(20, 100)));
        EXPECT_EQ(View::alpha(hover->hoverView()), 1.0);
    } else {
        const QRectF tall = View::bounds(outlet("containerView"));
        const QRectF bottom(0, tall.height() / 2, tall.width(), tall.height() / 2);
        EXPECT_EQ(frame("previewView"), bottom);
        EXPECT_EQ(frame("originalView"), bottom.translated(0, -bottom.height()));
        m_stack.view()->resize(640, 360);
        QCoreApplication::processEvents();
        const QRectF wide = View::bounds(outlet("containerView"));
        const QRectF right(wide.width() / 2, 0, wide.width() / 2, wide.height());
        EXPECT_EQ(frame("originalView"), right.translated(-right.width(), 0));
        EXPECT_EQ(frame("previewView"), right);
        EXPECT_EQ(frame("effectLabel").top(), 0) << "at the preview's top, below the bar";
        EXPECT_EQ(frame("promptLabel"),
                  frame("effectLabel").translated(0, frame("effectLabel").height()));
    }
    // From the second effect of a group: where each key and button leads, both ends wrapping.
    auto *segments = outlet<SegmentedControl>("groupSegments");
    const auto swipeLeft = [this] { // through the window, as a finger would
        const QPoint from = preview()->mapTo(m_window, preview()->rect().center());
        QTest::mousePress(m_window->windowHandle(), Qt::LeftButton, {}, from);
        QTest::mouseRelease(m_window->windowHandle(), Qt::LeftButton, {}, from - QPoint(80, 0));
    };
    QObject stranger; // only the preview's gestures count
    const struct
    {
        int from;
        std::function<void()> press;
        int group, effect;
    } steps[] = {{0, key(Qt::Key_Right), 0, 2},
                 {0, key(Qt::Key_Left), 0, 0},
                 {0, click("nextButton"), 0, 2},
                 {0, click("prevButton"), 0, 0},
                 {0, key(Qt::Key_Up), 3, 0},
                 {3, key(Qt::Key_Down), 0, 0},
                 {1, key(Qt::Key_Down), 2, 0},
                 {2, key(Qt::Key_Up), 1, 0},
                 {0, [&] { post("Swipe Left", &stranger); }, 0, 1},
                 {0, swipeLeft, 0, 0}};
    for (const auto &step : steps) {
        changeGroup(step.from);
        m_editor->next();
        step.press();
        EXPECT_EQ(segments->selectedSegmentIndex(), step.group) << step.from;
        EXPECT_EQ(effect().effect(), step.effect) << step.from;
    }
    // A double tap on the preview applies; the keys wait while an apply runs.
    post("Double Tap", &stranger);
    EXPECT_FALSE(m_editor->isApplying());
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    clickAt(m_window, preview()->mapTo(m_window, preview()->rect().center()), true);
    waitFor(changed);
    QTest::keyClick(m_window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_editor->session().undoStack()->index(), 0);
    QTest::keyClick(m_window, Qt::Key_Return);
    QTest::keyClick(m_window, Qt::Key_Right);
    waitFor(changed, 3); // an undo and another apply
    EXPECT_EQ(effect().effect(), 0);
    QTest::keyClick(m_window, Qt::Key_Enter, Qt::KeypadModifier);
    waitFor(changed, 4);
    // The group segments are touch controls: a click leaves no keyboard focus to draw.
    clickAt(m_window, segments->mapTo(m_window, segments->rect().center()));
    EXPECT_FALSE(segments->hasFocus());
}

// The pictures are made for the device pixels of their views at every window size: a photo
// smaller than its view is shown pixel for pixel (a one-pixel line stays one device pixel
// wide, at 2x too), the previews follow their boxes, and no bar lies over a picture's view.
TEST_P(PhotoViewControllerTest, PicturesFollowTheDevicePixelsOfTheirBoxesUncovered)
{
    m_settings.setPhotoSize(2);
    QImage lined = TestImages::solid(639, 479, Qt::black);
    QPainter(&lined).fillRect(300, 0, 1, lined.height(), Qt::white);
    m_editor->editPhoto(Picture(lined), false);
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
    const auto placed = [&](QWidget *w) { return QRect(w->mapTo(m_window, QPoint()), w->size()); };
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
    changeGroup(kFrameGroup); // a square crop: the preview keeps the photo's colour
    const auto centre = [](const Picture &shown) {
        return shown.grid().pixelColor(shown.grid().width() / 2, shown.grid().height() / 2);
    };
    const QColor displayed = centre(m_editor->displayImage()),
                 previewed = centre(preview()->image());
    EXPECT_GT(displayed.hsvSaturation(), centre(baseline()).hsvSaturation() + 15);
    key(Qt::Key_Equal, Qt::ControlModifier)(); // zoomed in, the part in view is drawn alike
    EXPECT_EQ(centre(Picture(outlet("originalView")->grab().toImage())), displayed);
    // Converted once: the preview renders on the photo's own values.
    for (int difference : {displayed.red() - previewed.red(), displayed.green() - previewed.green(),
                           displayed.blue() - previewed.blue()})
        EXPECT_LE(std::abs(difference), 2);
}

// What runs on a view: its transition's duration and curve, and which quarters of the view
// show the new picture half-way through; null without a transition.
struct Running
{
    int ms;
    QEasingCurve::Type curve;
    QString newAt;
};
std::optional<Running> runningOn(QWidget *view)
{
    ViewState *state = ViewState::find(view);
    auto *animation =
        state ? qobject_cast<QPropertyAnimation *>(state->transition.data()) : nullptr;
    if (animation == nullptr)
        return std::nullopt;
    auto *overlay = qobject_cast<QWidget *>(animation->targetObject());
    overlay->setProperty("progress", 0.5);
    const QImage midway = overlay->grab().toImage();
    ViewAnimation::finishAll();
    const QImage after = view->grab().toImage();
    QString shownNew; // the quarters' centres that show the new picture
    for (const auto &[name, x, y] :
         {std::tuple{"TL", 1, 1}, {"TR", 3, 1}, {"BL", 1, 3}, {"BR", 3, 3}}) {
        const QPoint at(after.width() * x / 4, after.height() * y / 4);
        if (midway.pixel(at) == after.pixel(at))
            shownNew += QLatin1String(name);
    }
    return Running{animation->duration(), animation->easingCurve().type(), shownNew};
}

// Next is revealed from the left, previous from the right, in 0.6 s at an even pace; a new
// photo lifts the old page from its lower right corner, an undo lays the page down from the
// top, in 0.75 s easing in and out. With animation off nothing animates.
TEST_P(PhotoViewControllerTest, EachChangeRunsItsAnimationOnlyWhenAnimationIsOn)
{
    m_editor->editPhoto(Picture(TestImages::random(400, 300, 5)), false);
    applyAndWait();
    const struct
    {
        std::function<void()> act;
        const char *view;
        Running expected;
    } cases[] = {
        {[&] { m_editor->next(); }, "previewView", {600, QEasingCurve::Linear, "TLBL"}},
        {[&] { m_editor->prev(); }, "previewView", {600, QEasingCurve::Linear, "TRBR"}},
        {[&] { post("Swipe Left"); }, "previewView", {600, QEasingCurve::Linear, "TRBR"}},
        {[&] { m_editor->undo(); }, "originalView", {750, QEasingCurve::InOutQuad, ""}},
        {[&] { m_editor->editPhoto(Picture(TestImages::random(400, 300, 2)), false, true); },
         "originalView",
         {750, QEasingCurve::InOutQuad, "BR"}}};
    for (bool animated : {true, false}) {
        m_settings.setAnimation(animated);
        for (const auto &c : cases) {
            c.act();
            const std::optional<Running> running = runningOn(outlet(c.view));
            SCOPED_TRACE(c.expected.newAt.toStdString() + c.view);
            ASSERT_EQ(running.has_value(), animated);
            if (!animated)
                continue;
            EXPECT_EQ(running->ms, c.expected.ms);
            EXPECT_EQ(running->curve, c.expected.curve);
            EXPECT_EQ(running->newAt, c.expected.newAt);
        }
    }
}

// The hover hides 5 s after it last showed and a tap toggles it after 0.5 s, the bars with it,
// unless a second tap follows; a swipe leaves it hidden, a turn of the window shows it; leaving
// leaves the menu's bar alone when the hover's timer fires.
TEST_P(PhotoViewControllerTest, TheHoversTimesThroughATurnAndALeave)
{
    HoverController *hover = m_editor->hoverController();
    if (hover == nullptr)
        GTEST_SKIP() << "no hover in this layout";
    hover->setHideInterval(0.05);
    m_editor->editPhoto(Picture(TestImages::quadrants(400, 300)), false);
    hover->setHideInterval(HoverController::kHideInterval);
    const QPointer<QTimer> first = hover->hideTimer();
    // A touch on the preview reaches the editor too, which keeps the hover up 5 s more.
    clickAt(m_window, preview()->mapTo(m_window, QPoint(12, 12))); // not where other tests click
    EXPECT_FALSE(Timer::isPending(first)) << "the earlier wait is dropped";
    ASSERT_TRUE(Timer::isPending(hover->hideTimer()));
    EXPECT_EQ(hover->hideTimer()->interval(), 5000);
    ASSERT_TRUE(Timer::isPending(hover->tapTimer()));
    EXPECT_EQ(hover->tapTimer()->interval(), 500);
    post("Double Tap", outlet("originalView"));
    EXPECT_FALSE(Timer::isPending(hover->tapTimer())) << "the second tap cancels the toggle";
    hover->setTapInterval(0.01);
    QWidget *hoverView = hover->hoverView();
    for (double alpha : {0.0, 1.0, 0.0}) {
        if (alpha == 1.0)
            View::setAlpha(hoverView, 0.5); // caught half-faded, it counts as hidden
        post("Single Tap");
        ASSERT_TRUE(waitUntil([&] { return View::alpha(hoverView) == alpha; }));
        EXPECT_EQ(View::alpha(outlet("toolBar")) + View::alpha(m_stack.navigationBar()), 2 * alpha);
    }
    post("Swipe Right");
    EXPECT_EQ(effect().effect(), 1);
    EXPECT_EQ(View::alpha(hoverView), 0.0) << "a swipe steps without showing it";
    for (const QSize size : {QSize(640, 360), QSize(360, 640)}) {
        hover->showHoverView(false);
        ViewAnimation::finishAll();
        m_stack.view()->resize(size);
        drainEvents();
        ViewAnimation::finishAll();
        EXPECT_EQ(View::alpha(hoverView), 1.0) << size.width();
    }
    hover->setHideInterval(0.01);
    m_stack.popViewControllerAnimated(false);
    ASSERT_TRUE(waitUntil([&] { return !Timer::isPending(hover->hideTimer()); }));
    ViewAnimation::finishAll();
    EXPECT_EQ(View::alpha(m_stack.navigationBar()), 1.0);
}

// Held, the picture shows the photo as taken with its badge, at the zoom the keys gave it (kept
// through an apply), and the preview the picture without the effect; let go, they show the edit
// again. Neither hold is a tap: the hidden hover stays hidden, nothing applies.
TEST_P(PhotoViewControllerTest, HoldingShowsTheOriginalAndIsNoTap)
{
    m_editor->editPhoto(Picture(TestImages::quadrants(400, 300)), false, false);
    auto *picture = m_editor->view()->findChild<ZoomImageView *>();
    const auto zoomKey = [&](Qt::Key key) {
        QTest::keyClick(m_window, key, Qt::ControlModifier);
        return picture->zoom();
    };
    EXPECT_EQ(zoomKey(Qt::Key_1), 1.0);
    EXPECT_EQ(zoomKey(Qt::Key_Equal), ZoomImageView::kZoomStep);
    EXPECT_EQ(zoomKey(Qt::Key_Minus), 1.0);
    changeGroup(1); // black and white
    applyAndWait();
    QSignalSpy changed(m_editor.get(), &PhotoViewController::imageChanged);
    // The red quadrant's middle, as drawn: grey once edited.
    const auto red = [picture] {
        const QPointF device = (QPointF(100, 75) - picture->pictureAt({0, 0})) * picture->zoom();
        return QColor(picture->grab().toImage().pixel(device.toPoint()));
    };
    const QColor edited = red();
    ASSERT_LT(edited.hsvSaturation(), 10);
    // Pressed on `view`'s centre for `ms` (or longer, on a busy machine: `whileHeld` is told
    // how long), then let go.
    const auto press = [this](QWidget *view, int ms, const std::function<void(qint64)> &whileHeld) {
        const QPoint at = view->mapTo(m_window, view->rect().center());
        QElapsedTimer held;
        held.start();
        QTest::mousePress(m_window->windowHandle(), Qt::LeftButton, {}, at);
        QTest::qWait(ms);
        whileHeld(held.elapsed());
        QTest::mouseRelease(m_window->windowHandle(), Qt::LeftButton, {}, at);
    };
    press(picture, 200,
          [&](qint64 ms) { EXPECT_TRUE(ms >= 380 || !picture->hasStandIn()) << "not held yet"; });

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
    press(picture, held, [&](qint64) {
        EXPECT_TRUE(picture->hasStandIn());
        EXPECT_EQ(picture->zoom(), 1.0);
        EXPECT_EQ(red(), QColor(Qt::red));
    });
    EXPECT_EQ(red(), edited);
    QTest::keyPress(m_window, Qt::Key_Backslash);
    EXPECT_EQ(red(), QColor(Qt::red));
    QTest::keyRelease(m_window, Qt::Key_Backslash);
    EXPECT_EQ(red(), edited);

    EXPECT_TRUE(changed.isEmpty()) << "nothing applied";
    drainEvents();
    EXPECT_EQ(effect().effect(), 0) << "no swipe";
    if (hover) {
        EXPECT_EQ(View::alpha(hover->hoverView()), 0.0) << "the hover did not come back";
    }
    zoomKey(Qt::Key_0);
    EXPECT_TRUE(picture->isFitted());
}

// The stored choices reach a new editor: its group, the hover's side in a wide window, and the
// slider following the drag or waiting for its release (whatever the animation setting says).
TEST_P(PhotoViewControllerTest, OpensWithTheStoredChoices)
{
    m_stack.popToRootViewControllerAnimated(false);
    m_stack.view()->resize(640, 360);
    // Each row sets one of the three switches, so a switch read in place of another shows.
    for (const auto &[group, update, lefthand, animation] :
         {std::tuple{1, true, false, false}, {2, false, true, false}, {3, false, false, true}}) {
        m_settings.setSegment(group);
        m_settings.setUpdate(update);
        m_settings.setLefthand(lefthand);
        m_settings.setAnimation(animation);
        PhotoViewController editor(GetParam());
        m_stack.pushViewController(&editor, false);
        editor.editPhoto(Picture(TestImages::quadrants(400, 300)), false);
        ImageEffect reference;
        reference.setGroup(group);
        const auto *label = editor.view()->findChild<QLabel *>(QStringLiteral("effectLabel"));
        EXPECT_EQ(label->text(), QStringLiteral("Preview: %1").arg(reference.getEffect()));
        EXPECT_EQ(editor.view()->findChild<Slider *>()->isContinuous(), update);
        if (HoverController *hover = editor.hoverController()) {
            EXPECT_EQ(View::frame(hover->hoverView()).center().x() < 320, lefthand);
        }
        ViewAnimation::finishAll();
        m_stack.popViewControllerAnimated(false);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PhotoViewControllerTest,
                         ::testing::Values(PhotoViewController::kPhotoView,
                                           PhotoViewController::kSplitPhotoView),
                         [](const auto &info) { return info.param.toStdString(); });

} // namespace
