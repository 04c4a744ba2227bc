#ifndef VELMORA_PLATFORM_MAINTHREAD_H
#define VELMORA_PLATFORM_MAINTHREAD_H

#include <functional>

class QObject;

// Hands work to the main thread's event loop from any thread. The caller never waits:
// the work is queued even when the caller is the main thread itself.
class MainThread
{
public:
    MainThread() = delete;

    static bool isCurrent();

    // Runs `work` on the main thread. Needs the application object to exist.
    static void post(std::function<void()> work);
    // Same, but the work is dropped when `context` (a main-thread object) is destroyed
    // before it runs, so a completion never reaches a dead receiver.
    static void post(QObject *context, std::function<void()> work);
};

#endif
