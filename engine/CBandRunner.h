#ifndef VELMORA_ENGINE_CBANDRUNNER_H
#define VELMORA_ENGINE_CBANDRUNNER_H

#include <cstdint>
#include <functional>

// Splits the rows of a picture into bands and runs them on the cores at once, with the
// result byte for byte that of one thread: each band draws its noise from the calling
// thread's generator jumped to the band's first draw, and afterwards the calling thread's
// generator stands where one thread would have left it. The one place the engine makes
// threads.
class CBandRunner
{
public:
    CBandRunner() = delete;

    // Runs work(firstRow, endRow) over rows 0 .. rows - 1, each row of `width` pixels
    // drawing `drawsPerRow` numbers, in row order within a band.
    static void Run(int rows, int width, uint64_t drawsPerRow,
                    const std::function<void(int, int)> &work);

    // How many bands a picture gets: one below the size that pays for threads.
    static int BandsFor(int rows, int width);

    // 0: one band per core. Tests set a count to exercise the split on any machine;
    // the pixel threshold still applies.
    static void SetBands(int bands) { sBands = bands; }
    static constexpr long kMinPixels = 1L << 18;

private:
    static int sBands;
};

#endif
