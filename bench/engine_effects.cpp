// Every engine effect at the full working size (1600 x 1200) on one thread and in bands on
// all cores, and on a 320 x 240 preview, each against the table-pass yardstick: one scalar
// pass dst[i] = table[src[i]] over the same number of bytes, on one thread. The machine may
// be shared, so absolute times are noisy: every iteration times the effect and then the
// yardstick, and the ratio is that of the best of each, taken in the same run. One-thread
// runs are timed in the thread's CPU time, which other processes on the core do not
// inflate; banded runs can only be timed on the wall clock.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "BenchPictures.h"
#include "C30sPhotoImageEffect.h"
#include "C70sPhotoImageEffect.h"
#include "CAutoColorBalanceImageEffect.h"
#include "CAutoCorrectionImageEffect.h"
#include "CAutoSaturationImageEffect.h"
#include "CBandRunner.h"
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

using bench::kFullHeight;
using bench::kFullWidth;
constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 240;

void BM_tablePass(benchmark::State &state)
{
    bench::TablePass pass(kFullWidth, kFullHeight);
    for (auto _ : state)
        state.SetIterationTime(pass.Seconds());
    state.counters["x_table"] = 1.0;
}

// Args: width, height, bands (1: one thread, 0: one band per core).
template <class Effect> void BM_effect(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const bool oneThread = state.range(2) == 1;
    const auto now = oneThread ? bench::ThreadSeconds : bench::WallSeconds;
    CBandRunner::SetBands(static_cast<int>(state.range(2)));
    std::vector<unsigned char> pixels = bench::MakePicture(width, height);
    bench::TablePass yardstick(width, height);
    Effect effect;
    effect.SetLevel1(10);
    effect.SetScale(static_cast<float>(width) / kFullWidth);
    bench::Best best;
    // The effect runs over its own previous output: no copy is timed.
    for (auto _ : state) {
        const double start = now();
        effect.SetInput(pixels.data(), static_cast<unsigned short>(width),
                        static_cast<unsigned short>(height),
                        static_cast<unsigned short>(4 * width));
        benchmark::DoNotOptimize(effect.Process());
        benchmark::ClobberMemory();
        const double seconds = now() - start;
        state.SetIterationTime(seconds);
        best.Add(seconds, yardstick.Seconds());
    }
    CBandRunner::SetBands(0);
    state.counters["x_table"] = best.Ratio();
    state.counters["best_ms"] = best.first * 1e3;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * width * height);
}

#define VELMORA_EFFECT_BENCHMARK(Effect)                                                           \
    BENCHMARK_TEMPLATE(BM_effect, Effect)                                                          \
        ->Args({kFullWidth, kFullHeight, 1})                                                       \
        ->Args({kFullWidth, kFullHeight, 0})                                                       \
        ->Args({kPreviewWidth, kPreviewHeight, 1})                                                 \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond)

BENCHMARK(BM_tablePass)->UseManualTime()->Unit(benchmark::kMillisecond);
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

// After the usual report, the tables for the README: per effect its best time and ratio
// to the yardstick on one thread and in bands, and its best preview time; then the apply
// round trips.
class TableReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const std::string name = run.benchmark_name();
            const auto counter = [&](const char *key) {
                const auto found = run.counters.find(key);
                return found == run.counters.end() ? 0.0 : found->second.value;
            };
            if (name.rfind("BM_apply", 0) == 0) {
                applies.push_back({Between(name, '<', '>'), counter("step2_ms"),
                                   counter("apply_ms"), counter("x_step2")});
                continue;
            }
            if (name.rfind("BM_effect", 0) != 0)
                continue;
            const std::string effect = Between(name, '<', '>');
            if (std::find(order.begin(), order.end(), effect) == order.end())
                order.push_back(effect);
            Row &row = rows[effect];
            if (name.find("/320/") != std::string::npos)
                row.previewMs = counter("best_ms");
            else if (name.find("/1200/1/") != std::string::npos)
                row.one = {counter("best_ms"), counter("x_table")};
            else
                row.banded = {counter("best_ms"), counter("x_table")};
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf(
            "\n| effect | 1 thread (ms) | x table | bands (ms) | x table | 320 x 240 (ms) |\n");
        std::printf("|---|---:|---:|---:|---:|---:|\n");
        for (const std::string &effect : order) {
            const Row &row = rows[effect];
            std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.3f |\n", effect.c_str(), row.one.ms,
                        row.one.ratio, row.banded.ms, row.banded.ratio, row.previewMs);
        }
        if (applies.empty())
            return;
        std::printf("\n| apply round trip | step 2 (ms) | steps 1-3 (ms) | x step 2 |\n");
        std::printf("|---|---:|---:|---:|\n");
        for (const Apply &apply : applies)
            std::printf("| %s | %.2f | %.2f | %.2f |\n", apply.effect.c_str(), apply.step2Ms,
                        apply.applyMs, apply.ratio);
    }

private:
    static std::string Between(const std::string &name, char open, char close)
    {
        const size_t from = name.find(open), to = name.find(close);
        return from == std::string::npos ? name : name.substr(from + 1, to - from - 1);
    }

    struct Timing
    {
        double ms = 0, ratio = 0;
    };
    struct Row
    {
        Timing one, banded;
        double previewMs = 0;
    };
    struct Apply
    {
        std::string effect;
        double step2Ms, applyMs, ratio;
    };
    std::map<std::string, Row> rows;
    std::vector<std::string> order;
    std::vector<Apply> applies;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
