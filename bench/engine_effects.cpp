// Every engine effect on the full working size (1600 x 1200) and on a 128 x 96 preview,
// against memcpy of the same 1600 x 1200 buffer. The x_memcpy counter is the effect's time
// divided by the time of that memcpy.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "C30sPhotoImageEffect.h"
#include "C70sPhotoImageEffect.h"
#include "CAutoColorBalanceImageEffect.h"
#include "CAutoCorrectionImageEffect.h"
#include "CAutoSaturationImageEffect.h"
#include "CBlackAndWhiteImageEffect.h"
#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"
#include "CBrightnessImageEffect.h"
#include "CColorBalanceImageEffect.h"
#include "CColorLineArtImageEffect.h"
#include "CColorNegativeImageEffect.h"
#include "CColorPencilImageEffect.h"
#include "CColorSaturationImageEffect.h"
#include "CColorSculptureImageEffect.h"
#include "CContrastImageEffect.h"
#include "CDramaticBlackAndWhiteImageEffect.h"
#include "CInfraRedImageEffect.h"
#include "CInkedImageEffect.h"
#include "CNightGainImageEffect.h"
#include "CNightVisionImageEffect.h"
#include "CPosterizationImageEffect.h"
#include "CSculptureImageEffect.h"
#include "CSepiaImageEffect.h"
#include "CStencilImageEffect.h"
#include "CWaterColorImageEffect.h"
#include "CXRayImageEffect.h"

namespace {

constexpr int kFullWidth = 1600;
constexpr int kFullHeight = 1200;

// A photo-like test picture: smooth gradients with a little grain, so that the automatic
// corrections and thresholds see a spread of values.
std::vector<unsigned char> makePicture(int width, int height)
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

double memcpySeconds = 0;

// The reference: the best of many copies of the full buffer, measured once.
double measureMemcpy()
{
    const size_t size = static_cast<size_t>(kFullWidth) * kFullHeight * 4;
    std::vector<unsigned char> from(size, 1), to(size);
    double best = 1e9;
    for (int run = 0; run < 200; ++run) {
        const auto start = std::chrono::steady_clock::now();
        std::memcpy(to.data(), from.data(), size);
        benchmark::ClobberMemory();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        from[run % size] = to[(run * 7) % size];
    }
    return best;
}

void BM_memcpy(benchmark::State &state)
{
    const size_t size = static_cast<size_t>(kFullWidth) * kFullHeight * 4;
    std::vector<unsigned char> from(size, 1), to(size);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.counters["x_memcpy"] = took.count() / state.iterations() / memcpySeconds;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}

template <class Effect> void BM_effect(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    std::vector<unsigned char> pixels = makePicture(width, height);
    Effect effect;
    effect.SetLevel1(10);
    effect.SetScale(static_cast<float>(width) / kFullWidth);
    // The effect runs over its own previous output: the cost of one run does not depend
    // on the content drifting, and no copy is timed.
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        effect.SetInput(pixels.data(), static_cast<unsigned short>(width),
                        static_cast<unsigned short>(height),
                        static_cast<unsigned short>(4 * width));
        benchmark::DoNotOptimize(effect.Process());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (width == kFullWidth)
        state.counters["x_memcpy"] = took.count() / state.iterations() / memcpySeconds;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * width * height);
}

#define VELMORA_EFFECT_BENCHMARK(Effect)                                                           \
    BENCHMARK_TEMPLATE(BM_effect, Effect)                                                          \
        ->Args({kFullWidth, kFullHeight})                                                          \
        ->Args({128, 96})                                                                          \
        ->Unit(benchmark::kMillisecond)

BENCHMARK(BM_memcpy)->Unit(benchmark::kMillisecond);
VELMORA_EFFECT_BENCHMARK(CAutoCorrectionImageEffect);
VELMORA_EFFECT_BENCHMARK(CAutoColorBalanceImageEffect);
VELMORA_EFFECT_BENCHMARK(CAutoSaturationImageEffect);
VELMORA_EFFECT_BENCHMARK(CBrightnessImageEffect);
VELMORA_EFFECT_BENCHMARK(CContrastImageEffect);
VELMORA_EFFECT_BENCHMARK(CColorBalanceImageEffect);
VELMORA_EFFECT_BENCHMARK(CColorSaturationImageEffect);
VELMORA_EFFECT_BENCHMARK(CColorNegativeImageEffect);
VELMORA_EFFECT_BENCHMARK(CNightGainImageEffect);
VELMORA_EFFECT_BENCHMARK(CBlackAndWhiteImageEffect);
VELMORA_EFFECT_BENCHMARK(CDramaticBlackAndWhiteImageEffect);
VELMORA_EFFECT_BENCHMARK(CSepiaImageEffect);
VELMORA_EFFECT_BENCHMARK(CXRayImageEffect);
VELMORA_EFFECT_BENCHMARK(CNightVisionImageEffect);
VELMORA_EFFECT_BENCHMARK(CInfraRedImageEffect);
VELMORA_EFFECT_BENCHMARK(C30sPhotoImageEffect);
VELMORA_EFFECT_BENCHMARK(C70sPhotoImageEffect);
VELMORA_EFFECT_BENCHMARK(CBlackAndWhiteSkintoneHighlightImageEffect);
VELMORA_EFFECT_BENCHMARK(CInkedImageEffect);
VELMORA_EFFECT_BENCHMARK(CColorLineArtImageEffect);
VELMORA_EFFECT_BENCHMARK(CSculptureImageEffect);
VELMORA_EFFECT_BENCHMARK(CColorSculptureImageEffect);
VELMORA_EFFECT_BENCHMARK(CColorPencilImageEffect);
VELMORA_EFFECT_BENCHMARK(CStencilImageEffect);
VELMORA_EFFECT_BENCHMARK(CPosterizationImageEffect);
VELMORA_EFFECT_BENCHMARK(CWaterColorImageEffect);

// Prints, after the usual report, one table row per effect: its time at both sizes and
// its ratio to memcpy, ready for the README.
class TableReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            std::string name = run.benchmark_name();
            const bool preview = name.find("/128/") != std::string::npos;
            const size_t open = name.find('<'), close = name.find('>');
            const std::string effect = open != std::string::npos
                                           ? name.substr(open + 1, close - open - 1)
                                           : std::string("memcpy");
            if (std::find(order.begin(), order.end(), effect) == order.end())
                order.push_back(effect);
            const double ms = run.GetAdjustedRealTime();
            if (preview)
                rows[effect].previewMs = ms;
            else
                rows[effect].fullMs = ms;
            const auto ratio = run.counters.find("x_memcpy");
            if (!preview && ratio != run.counters.end())
                rows[effect].ratio = ratio->second.value;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n| effect | 1600 x 1200 (ms) | x memcpy | 128 x 96 (ms) |\n");
        std::printf("|---|---:|---:|---:|\n");
        for (const std::string &effect : order) {
            const Row &row = rows[effect];
            std::printf("| %s | %.2f | %.1f | %s |\n", effect.c_str(), row.fullMs, row.ratio,
                        row.previewMs > 0 ? std::to_string(row.previewMs).substr(0, 5).c_str()
                                          : "");
        }
    }

private:
    struct Row
    {
        double fullMs = 0, ratio = 0, previewMs = 0;
    };
    std::map<std::string, Row> rows;
    std::vector<std::string> order;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    memcpySeconds = measureMemcpy();
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
