// The apply round trip through the bridge (copy the picture's pixels, run the effect over
// the copy, make the new picture of it) against step 2 alone, on the full working size:
// what the copy and the new picture add to the effect.

#include <benchmark/benchmark.h>

#include <memory>

#include <QImage>

#include "BenchPictures.h"
#include "CBandRunner.h"
#include "CBrightnessImageEffect.h"
#include "CColorNegativeImageEffect.h"
#include "CNightVisionImageEffect.h"
#include "CSepiaImageEffect.h"
#include "ImageProcessingEffect.h"
#include "Picture.h"

namespace {

class Bridge : public ImageProcessingEffect
{
public:
    explicit Bridge(std::unique_ptr<CImageEffect> effect) { setProcessor(std::move(effect)); }
};

template <class Effect> void BM_apply(benchmark::State &state)
{
    // One thread: the round trip's own cost, timed in CPU time like the effects.
    CBandRunner::SetBands(1);
    Bridge bridge(std::make_unique<Effect>());
    bridge.setImage(Picture(bench::MakeFullGrid()));
    bridge.setScale(1.0f);
    bench::Best best; // steps 1-3, then step 2 alone
    for (auto _ : state) {
        double start = bench::ThreadSeconds();
        Picture result = bridge.applyEffect();
        benchmark::DoNotOptimize(result);
        const double whole = bench::ThreadSeconds() - start;
        state.SetIterationTime(whole);
        // The result lives on as the editor's new picture: its release is not timed.
        result = Picture();

        bridge.applyEffectStep1();
        start = bench::ThreadSeconds();
        bridge.applyEffectStep2();
        const double step2 = bench::ThreadSeconds() - start;
        benchmark::DoNotOptimize(bridge.applyEffectStep3());
        best.Add(whole, step2);
    }
    CBandRunner::SetBands(0);
    state.counters["apply_ms"] = best.first * 1e3;
    state.counters["step2_ms"] = best.second * 1e3;
    state.counters["x_step2"] = best.Ratio();
}

BENCHMARK_TEMPLATE(BM_apply, CColorNegativeImageEffect)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_apply, CSepiaImageEffect)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_apply, CBrightnessImageEffect)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_apply, CNightVisionImageEffect)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
