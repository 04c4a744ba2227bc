#ifndef VELMORA_TESTS_EDITORTESTSUPPORT_H
#define VELMORA_TESTS_EDITORTESTSUPPORT_H

// Shared by the editor suites: the platform support and an editor on a phone-sized stack.

#include "../platform/PlatformTestSupport.h"
#include "AnimationBlock.h"
#include "NavigationStack.h"
#include "NotificationCenter.h"
#include "PhotoSettings.h"
#include "PhotoViewController.h"
#include "PreviewImageView.h"
#include "SegmentedControl.h"

#include <QSignalSpy>
#include <QTemporaryDir>

// An editor in the layout the parameter names, pushed onto a 360 x 640 stack in an active
// window, with animation off and its settings and album in a folder of its own.
class EditorTest : public ::testing::TestWithParam<QString>
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
        m_window = m_stack.view()->window();
        m_window->activateWindow(); // for the keys
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
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
    QWidget *m_window = nullptr;
};

#endif
