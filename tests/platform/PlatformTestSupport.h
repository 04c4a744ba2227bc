#ifndef VELMORA_TESTS_PLATFORMTESTSUPPORT_H
#define VELMORA_TESTS_PLATFORMTESTSUPPORT_H

// Shared by the platform, editor and app suites: the event loop, windows, pictures, files,
// and two ways to make file writes fail even when the tests run as root.

#include "Picture.h"
#include "TestImages.h"
#include "View.h"
#include "ViewAnimation.h"

#include <QApplication>
#include <QDir>
#include <QGraphicsOpacityEffect>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <linux/capability.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// One QApplication for the whole program, made before anything settles for less; it goes at
// tear-down, while Qt's own globals (input devices among them) still exist.
struct GuiEnvironment : ::testing::Environment
{
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "velmora-tests";
        static char *argv[] = {name, nullptr};
        m_application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override
    {
        // Animations still running would outlive the application and count as leaks.
        ViewAnimation::finishAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_application.reset();
    }

private:
    std::unique_ptr<QApplication> m_application;
};
inline ::testing::Environment *const g_gui =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

template <class Fixture, class Param>
class WithParam : public Fixture, public ::testing::WithParamInterface<Param>
{
};

// Delivers everything already queued (posted events, queued calls, deferred deletes), so
// that what has not happened by then is known not to be on its way.
inline void drainEvents()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Runs the event loop until `done()` holds; false after `ms`.
template <class Predicate> bool waitUntil(Predicate done, int ms = 10000)
{
    return QTest::qWaitFor(done, ms);
}

inline void showExposed(QWidget *window)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
}

// A click (or a double click) through `window`'s platform window.
inline void clickAt(QWidget *window, QPoint at, bool twice = false)
{
    if (twice)
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

// What `widget` and its children draw, on transparent: no window background behind it.
inline QImage renderedAlone(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The opacity a view is drawn with, whatever its model alpha says.
inline qreal shownOpacity(const QWidget *view)
{
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(view->graphicsEffect());
    return effect ? effect->opacity() : 1.0;
}

// Noise when `seed` is given: its JPEG is far larger than a few kilobytes.
inline Picture testPicture(int w = 48, int h = 32, unsigned seed = 0,
                           Picture::Orientation orientation = Picture::Up)
{
    return Picture(seed ? TestImages::random(w, h, seed) : TestImages::labelled(w, h), orientation);
}

inline QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Runs `work` with `folder` read-only and this thread without root's power to override
// permissions (checked per thread); false, without running it, when that power stays.
template <class Work> bool inReadOnlyFolder(const QString &folder, Work work)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    syscall(SYS_capget, &header, saved);
    __user_cap_data_struct reduced[2]{saved[0], saved[1]};
    reduced[0].effective &=
        ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER);
    if (syscall(SYS_capset, &header, reduced) != 0 && geteuid() == 0)
        return false;
    const QByteArray path = QFile::encodeName(folder);
    ::chmod(path.constData(), 0555);
    work();
    syscall(SYS_capset, &header, saved);
    ::chmod(path.constData(), 0755);
    return true;
}

// Runs `work` on a full disk as a writer sees it: file writes past `bytes` fail with EFBIG.
template <class Work> void onFullDisk(rlim_t bytes, Work work)
{
    rlimit saved{}, limit{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = {bytes, saved.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    work();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
}

#endif
