#ifndef VELMORA_TESTS_PLATFORMTESTSUPPORT_H
#define VELMORA_TESTS_PLATFORMTESTSUPPORT_H

// What the platform and settings suites share: the application object, waiting on the
// event loop, test pictures, and two ways to make file writes fail even when the tests
// run as root.

#include "Picture.h"
#include "TestPixels.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline QCoreApplication *testApplication()
{
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "velmora-tests";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    return QCoreApplication::instance();
}

// Runs the event loop until `done()` holds or `ms` pass; false on time-out.
template <class Predicate> bool waitUntil(Predicate done, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for `ms`.
inline void spinFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    waitUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

inline Picture pictureOf(const TestPixels &pixels, Picture::Orientation orientation = Picture::Up)
{
    const QImage view(pixels.bytes.data(), pixels.width, pixels.height, pixels.stride,
                      QImage::Format_RGB32);
    return Picture(view.copy(), orientation);
}

// Drops the calling thread's power to ignore file permissions, as root has; permissions
// are checked per thread, so only writes made from this thread are refused.
class WithoutPermissionOverride
{
public:
    WithoutPermissionOverride()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        const unsigned drop =
            (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
        reduced[0].effective &= ~drop;
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride &) = delete;
    WithoutPermissionOverride &operator=(const WithoutPermissionOverride &) = delete;

    // Root whose override could not be dropped: permission tests cannot run.
    static bool stillPrivileged(const WithoutPermissionOverride &guard)
    {
        return geteuid() == 0 && !guard.m_active;
    }

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

// A full disk as the writer sees it: regular-file writes past `bytes` fail with EFBIG
// (the signal that would otherwise end the process is ignored meanwhile).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};

#endif
