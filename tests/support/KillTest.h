#ifndef VELMORA_TESTS_KILLTEST_H
#define VELMORA_TESTS_KILLTEST_H

// Crash safety: a child process repeats some work (saving, writing) and is killed at a random
// moment, many times over; the caller checks what is on disk after each kill.

#include <cstdlib>
#include <functional>
#include <random>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace KillTest {

// Rounds to run: a few in the normal test run, more with VELMORA_KILL_ROUNDS set.
inline int rounds(int quick)
{
    const char *asked = std::getenv("VELMORA_KILL_ROUNDS");
    return asked ? std::max(1, std::atoi(asked)) : quick;
}

// In a child: the write that would take any file past `bytes` kills this process, after the
// bytes below the limit are written. A kill in the middle of a write, where a random delay
// hardly ever lands.
inline void dieWhenAFileReaches(rlim_t bytes)
{
    const rlimit limit{bytes, bytes}, noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, SIG_DFL);
}

// Forks `rounds` children (each with the programs it starts) that each run `work(done)`, which
// calls `done()` after every finished step and never returns. Each child is killed after a random
// delay of up to `maxDelayUs` from its first finished step (or its end); `check()` runs after
// each kill. Returns the number of steps the children finished, so the caller can tell that work
// went on, or -1 when a child ran half a minute without finishing a step (the work is broken).
inline long killRepeatedly(int rounds, unsigned maxDelayUs,
                           const std::function<void(const std::function<void()> &)> &work,
                           const std::function<void()> &check, unsigned seed = 1)
{
    std::mt19937 random(seed);
    long finished = 0;
    for (int round = 0; round < rounds; ++round) {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0)
            return -1;
        const pid_t child = ::fork();
        if (child == 0) {
            ::setpgid(0, 0); // its own group, so that programs it starts die with it
            ::close(pipe[0]);
            work([&] { (void)!::write(pipe[1], "+", 1); });
            ::_exit(0);
        }
        ::setpgid(child, child);
        ::close(pipe[1]);
        char step;
        pollfd firstStep{pipe[0], POLLIN, 0};
        const bool stuck = ::poll(&firstStep, 1, 30000) == 0;
        if (!stuck && ::read(pipe[0], &step, 1) == 1)
            ++finished;
        ::usleep(random() % maxDelayUs);
        ::kill(-child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        if (stuck) {
            ::close(pipe[0]);
            return -1;
        }
        while (::read(pipe[0], &step, 1) == 1)
            ++finished;
        ::close(pipe[0]);
        check();
    }
    return finished;
}

} // namespace KillTest

#endif
