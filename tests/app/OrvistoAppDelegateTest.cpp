#include "../platform/PlatformTestSupport.h"

#include "HelpController.h"
#include "ImageTableViewCell.h"
#include "ImageView.h"
#include "MessageBanner.h"
#include "NavigationBar.h"
#include "NavigationController.h"
#include "OrvistoAppDelegate.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "RootViewController.h"

#include <QAbstractButton>
#include <QScreen>
#include <QTemporaryDir>

namespace {

class OrvistoAppDelegateTest : public ::testing::Test
{
protected:
    // The application on the test's settings file, its window active so that keys reach it.
    std::unique_ptr<OrvistoAppDelegate> launch()
    {
        auto delegate = std::make_unique<OrvistoAppDelegate>(file);
        delegate->applicationDidFinishLaunching();
        delegate->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(delegate->window()));
        return delegate;
    }

    QTemporaryDir folder;
    const QString file = folder.filePath("settings.ini");
};

// Settings are saved when the application goes to the background, and at quit with the
// picture being edited. A message is about the screen it shows over, and goes with it.
TEST_F(OrvistoAppDelegateTest, ResigningOrQuittingSavesTheSettingsAndTheEditedPicture)
{
    {
        const auto delegate = launch();
        delegate->applicationWillResignActive();
        EXPECT_TRUE(QFileInfo::exists(file));
        EXPECT_FALSE(delegate->openPhoto(folder.filePath("gone.jpg")));
        ASSERT_NE(MessageBanner::shown(delegate->window()), nullptr);
        delegate->rootViewController()->showHelp();
        EXPECT_TRUE(waitUntil([&] { return !MessageBanner::shown(delegate->window()); }));
        EXPECT_TRUE(delegate->openPhoto(QString::fromUtf8(qgetenv("VELMORA_SOURCE_DIR")) +
                                        "/resources/samples/coffee.png"));
        delegate->applicationWillTerminate(); // the editor leaves and hands its picture over
    }
    EXPECT_FALSE(PhotoSettings(file).image().isNull());
}

// A stored value Qt cannot read leaves the first size; one off every screen is brought onto it.
TEST_F(OrvistoAppDelegateTest, TheWindowComesBackWhereItWasLeft)
{
    const QRect left(30, 40, 420, 500);
    launch()->window()->setGeometry(left);
    EXPECT_EQ(launch()->window()->geometry(), left);

    QWidget away;
    away.setGeometry(5000, 4000, 300, 400);
    for (const QByteArray &stored : {QByteArray("damaged"), away.saveGeometry()}) {
        {
            PhotoSettings settings(file);
            settings.setWindowGeometry(stored);
            ASSERT_TRUE(settings.save());
        }
        const QRect shown = launch()->window()->geometry();
        EXPECT_EQ(shown.size(), stored == "damaged" ? QSize(360, 640) : QSize(300, 400));
        EXPECT_TRUE(stored == "damaged" ||
                    QGuiApplication::primaryScreen()->availableGeometry().contains(shown));
    }
}

// The window's keys go back, show help, pick a photo and turn full screen on and off; each
// return to the menu shows the picture just edited, the first one included; and an editor
// that applies an effect is left neither by its back button nor by any key.
TEST_F(OrvistoAppDelegateTest, KeysNavigateAndTheMenuShowsThePictureJustEditedButAnApplyStays)
{
    const auto delegate = launch();
    QWidget *window = delegate->window();
    NavigationController *stack = delegate->navigationController();
    RootViewController *menu = delegate->rootViewController();
    const auto press = [&](QKeyCombination keys) {
        QTest::keyClick(window, keys.key(), keys.keyboardModifiers());
    };
    const auto top = [&] { return stack->topViewController(); };

    press(Qt::Key_F1);
    EXPECT_EQ(top(), menu->helpController());
    press(Qt::Key_Escape);
    EXPECT_EQ(top(), menu);
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(stack->modalViewController(), menu->imagePickerController());
    press(Qt::ALT | Qt::Key_Left);
    EXPECT_TRUE(waitUntil([&] { return stack->modalViewController() == nullptr; }));
    press(Qt::Key_F11);
    EXPECT_TRUE(window->isFullScreen());
    press(Qt::Key_F11);
    EXPECT_FALSE(window->isFullScreen());

    ImageTableViewCell *continueRow = menu->cell({0, 0});
    for (QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
        menu->editPhoto(Picture(TestImages::solid(64, 48, colour)), false);
        ASSERT_EQ(top(), menu->photoViewController());
        press(Qt::ALT | Qt::Key_Left);
        EXPECT_EQ(top(), menu);
        EXPECT_TRUE(continueRow->isEnabledLook());
        EXPECT_EQ(continueRow->imageView()->image().grid().pixelColor(16, 16), colour);
    }

    menu->editPhoto(Picture(TestImages::quadrants(1600, 1200)), false);
    PhotoViewController *editor = menu->photoViewController();
    press(Qt::Key_Return); // applies the effect shown
    ASSERT_TRUE(editor->isApplying());
    QAbstractButton *back = stack->navigationBar()->backButton();
    back->click();
    for (QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), Qt::ALT | Qt::Key_Left,
                                 Qt::CTRL | Qt::Key_O, QKeyCombination(Qt::Key_F1)})
        press(keys);
    EXPECT_TRUE(top() == editor && stack->modalViewController() == nullptr);
    EXPECT_TRUE(waitUntil([&] { return !editor->isApplying(); }));
    back->click();
    EXPECT_EQ(top(), menu);
}

} // namespace
