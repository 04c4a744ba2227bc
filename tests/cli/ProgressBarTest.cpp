#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ProgressBar.h"

namespace {

// Two inputs, the second failing, reported through a bar for `total` inputs.
void runBatch(std::FILE *stream, int total)
{
    ProgressBar bar(total, stream);
    bar.advance();
    bar.message("b.png: damaged");
    bar.advance();
    bar.finish();
    std::fflush(stream);
}

std::string bar(int filled, const char *count)
{
    return "\r[" + std::string(filled, '#') + std::string(30 - filled, '.') + "] " + count;
}

TEST(ProgressBar, DrawsOnATerminalOnlyAndOnlyForMoreThanOneInput)
{
    // A pseudo-terminal in raw mode: what the bar writes arrives unchanged at the master.
    int master = -1, slave = -1;
    termios raw{};
    ASSERT_TRUE(openpty(&master, &slave, nullptr, nullptr, nullptr) == 0 &&
                tcgetattr(slave, &raw) == 0);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    std::FILE *terminal = fdopen(slave, "w");
    // What the terminal shows, read as it arrives until `expected` is complete.
    const auto shows = [&](const std::string &expected) {
        std::string got;
        pollfd ready{master, POLLIN, 0};
        char buffer[4096];
        while (got.size() < expected.size() && poll(&ready, 1, 5000) > 0)
            got.append(buffer, size_t(std::max<ssize_t>(0, read(master, buffer, sizeof buffer))));
        EXPECT_EQ(got, expected);
    };
    runBatch(terminal, 2);
    shows(bar(0, "0/2") + bar(15, "1/2") + "\r\033[Kb.png: damaged\n" + bar(15, "1/2") +
          bar(30, "2/2") + "\r\033[K");
    runBatch(terminal, 1); // a single input needs no bar
    shows("b.png: damaged\n");
    std::fclose(terminal);
    close(master);
}

} // namespace
