// The fast path (row kernels, composed tables, bands on the cores) against the reference
// path (one thread, pixel by pixel through the tables) on random pictures: every effect,
// every level, several seeds, both kernel sets. Not one byte may differ, nor where the
// generator stands afterwards.

#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "CBandRunner.h"
#include "EffectTestSupport.h"
#include "UPixelRows.h"

namespace {

struct Shape
{
    int width, height, padding;
};

// Bytes after a run, and the draw the generator would give next.
std::pair<std::vector<uint8_t>, int> Output(const NamedEffect &e, bool reference,
                                            const TestPixels &input, int level, unsigned seed,
                                            float scale = 1.0f)
{
    auto effect = e.make();
    effect->SetReferencePath(reference);
    effect->SetScale(scale);
    TestPixels pixels = input;
    Apply(*effect, pixels, level, seed);
    return {pixels.bytes, CRandom::Current().Next()};
}

// Restores the machine's kernels and band count however a test ends.
struct Settings
{
    Settings(bool wide, int bands)
    {
        UPixelRows::UseWideKernels(wide);
        CBandRunner::SetBands(bands);
    }
    ~Settings()
    {
        UPixelRows::UseWideKernels(true);
        CBandRunner::SetBands(0);
    }
};

class FastPath : public testing::TestWithParam<std::tuple<NamedEffect, bool>>
{
};

TEST_P(FastPath, MatchesTheReferenceOnSmallPicturesAtEveryLevel)
{
    const auto &[e, wide] = GetParam();
    const Settings settings(wide, 0);
    // Odd widths, padded rows, single rows and columns, a row of more than one vector.
    const Shape shapes[] = {{1, 1, 0}, {2, 9, 4}, {7, 5, 3}, {33, 17, 12}, {131, 3, 0}};
    for (const Shape &s : shapes)
        for (int level = 0; level <= 20; ++level) {
            // A seed of its own for every level: the noise effects meet 21 of them.
            const unsigned seed = 1u + 7919u * static_cast<unsigned>(level);
            const TestPixels input = TestPixels::random(s.width, s.height, seed, s.padding);
            // A preview scale too, for the effects whose tables depend on it.
            const float scale = level % 2 ? 0.25f : 1.0f;
            ASSERT_EQ(Output(e, false, input, level, seed, scale),
                      Output(e, true, input, level, seed, scale))
                << s.width << "x" << s.height << " level " << level << " seed " << seed;
        }
}

TEST_P(FastPath, MatchesTheReferenceInBandsOnALargePicture)
{
    const auto &[e, wide] = GetParam();
    // Three bands, so that no band boundary falls on a power of two.
    const Settings settings(wide, 3);
    const TestPixels input = TestPixels::random(515, 511, 5, 8);
    ASSERT_GT(CBandRunner::BandsFor(input.height, input.width), 1);
    for (int level : {0, 13, 20})
        ASSERT_EQ(Output(e, false, input, level, 2024u + level),
                  Output(e, true, input, level, 2024u + level))
            << "level " << level;
}

INSTANTIATE_TEST_SUITE_P(Effects, FastPath,
                         testing::Combine(testing::ValuesIn(kAllEffects), testing::Bool()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Wide" : "Baseline");
                         });

} // namespace
