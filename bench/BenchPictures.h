#ifndef VELMORA_BENCH_BENCHPICTURES_H
#define VELMORA_BENCH_BENCHPICTURES_H

// What the engine benchmarks share: the test picture, the yardstick and best-of timing.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>

#include <time.h>
#include <vector>

#include <benchmark/benchmark.h>

#include <QImage>

namespace bench {

constexpr int kFullWidth = 1600;
constexpr int kFullHeight = 1200;

// A photo-like picture in the engine's layout: smooth gradients with a little grain, so
// that the automatic corrections and thresholds see a spread of values.
inline std::vector<unsigned char> MakePicture(int width, int height)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 4);
    std::mt19937 generator(1234);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char *p = bytes.data() + (static_cast<size_t>(y) * width + x) * 4;
            const int base[3] = {40 + 150 * x / width, 30 + 180 * y / height,
                                 60 + 120 * (x + y) / (width + height)};
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<unsigned char>(std::clamp(base[c] + grain(generator), 0, 255));
            p[3] = 0xFF;
        }
    return bytes;
}

// The same picture at the working size, as the pictures the editor and the bridge hold.
inline QImage MakeFullGrid()
{
    const std::vector<unsigned char> bytes = MakePicture(kFullWidth, kFullHeight);
    QImage grid(kFullWidth, kFullHeight, QImage::Format_RGB32);
    for (int y = 0; y < grid.height(); ++y)
        std::memcpy(grid.scanLine(y), bytes.data() + static_cast<size_t>(y) * 4 * grid.width(),
                    4 * static_cast<size_t>(grid.width()));
    return grid;
}

// Seconds of CPU time the calling thread has used: unlike the wall clock, it does not count
// the time other processes hold the core, so one-thread ratios hold on a busy machine.
inline double ThreadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

inline double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The yardstick: one scalar table pass, dst[i] = table[src[i]], over the bytes of a
// picture, on one thread.
class TablePass
{
public:
    TablePass(int width, int height) : mSource(MakePicture(width, height)), mTarget(mSource.size())
    {
        for (int i = 0; i < 256; ++i)
            mTable[i] = static_cast<unsigned char>(255 - i);
    }

    // Out of line: one copy of the loop for every benchmark, so that none is timed
    // against a yardstick the compiler laid out differently.
    __attribute__((noinline)) double Seconds()
    {
        const double start = ThreadSeconds();
        const unsigned char *src = mSource.data();
        unsigned char *dst = mTarget.data();
        const size_t size = mSource.size();
        for (size_t i = 0; i < size; ++i)
            dst[i] = mTable[src[i]];
        benchmark::DoNotOptimize(dst);
        benchmark::ClobberMemory();
        return ThreadSeconds() - start;
    }

private:
    std::vector<unsigned char> mSource;
    std::vector<unsigned char> mTarget;
    unsigned char mTable[256];
};

// Best of each of two timings taken in turn, and their ratio: a load that comes and goes
// slows both alike, and the best is the run it touched least.
struct Best
{
    double first = 1e9, second = 1e9;
    void Add(double a, double b)
    {
        first = std::min(first, a);
        second = std::min(second, b);
    }
    double Ratio() const { return first / second; }
};

} // namespace bench

#endif
