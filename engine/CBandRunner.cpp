#include "CBandRunner.h"

#include <thread>
#include <vector>

#include "CRandom.h"

int CBandRunner::sBands = 0;

int CBandRunner::BandsFor(int rows, int width)
{
    if (static_cast<long>(rows) * width < kMinPixels)
        return 1;
    int bands = sBands > 0 ? sBands : static_cast<int>(std::thread::hardware_concurrency());
    if (bands > rows)
        bands = rows;
    return bands < 1 ? 1 : bands;
}

void CBandRunner::Run(int rows, int width, uint64_t drawsPerRow,
                      const std::function<void(int, int)> &work)
{
    const int bands = BandsFor(rows, width);
    if (bands == 1) {
        work(0, rows);
        return;
    }
    CRandom &caller = CRandom::Current();
    const CRandom start = caller;
    const auto firstRow = [rows, bands](int band) {
        return static_cast<int>(static_cast<int64_t>(rows) * band / bands);
    };
    // Band b runs on a generator that has made the draws of the rows above it.
    const auto generatorFor = [&](int band) {
        CRandom generator = start;
        generator.Skip(drawsPerRow * static_cast<uint64_t>(firstRow(band)));
        return generator;
    };

    std::vector<std::thread> threads;
    std::vector<int> inline_;
    for (int band = 1; band < bands; ++band) {
        try {
            threads.emplace_back([&, band, generator = generatorFor(band)] {
                CRandom::Current() = generator;
                work(firstRow(band), firstRow(band + 1));
            });
        } catch (...) {
            // No thread to be had: the band runs here, after the first.
            inline_.push_back(band);
        }
    }
    work(0, firstRow(1));
    for (int band : inline_) {
        caller = generatorFor(band);
        work(firstRow(band), firstRow(band + 1));
    }
    for (std::thread &thread : threads)
        thread.join();
    caller = start;
    caller.Skip(drawsPerRow * static_cast<uint64_t>(rows));
}
