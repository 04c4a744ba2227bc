// The fast path (row kernels, composed tables, bands on the cores) against the reference
// path (one thread, pixel by pixel through the tables) on random pictures: every effect,
// level and kernel set, several seeds. Not one byte may differ, nor where the generator
// stands afterwards, and neither path may write a fourth byte or row padding.

#include <tuple>

#include <gtest/gtest.h>

#include "EffectTestSupport.h"

namespace {

std::vector<uint8_t> ForeignBytes(const TestPixels &pixels)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < pixels.bytes.size(); ++i)
        if (i % pixels.stride >= 4u * pixels.width || i % pixels.stride % 4 == 3)
            bytes.push_back(pixels.bytes[i]);
    return bytes;
}

// Bytes after a run on a copy of the input, and the draw the generator would give next.
std::pair<std::vector<uint8_t>, int> Output(CImageEffect &effect, const TestPixels &input,
                                            int level, unsigned seed)
{
    TestPixels pixels = input;
    EXPECT_EQ(Apply(effect, pixels, level, seed), 1);
    EXPECT_EQ(ForeignBytes(pixels), ForeignBytes(input));
    return {pixels.bytes, CRandom::Current().Next()};
}

using FastPath = testing::TestWithParam<NamedEffect>;

// Odd widths, padded rows, single rows and columns, a row of more than one vector.
const std::tuple<int, int, int> kSizes[] = {{1, 1, 0}, {1, 5, 3},    {5, 1, 2},  {2, 9, 4},
                                            {7, 5, 3}, {33, 17, 12}, {131, 3, 0}};

// One object per path throughout: planes and tables must follow the size, level and scale.
TEST_P(FastPath, MatchesTheReferenceOnSmallPicturesAtEveryLevel)
{
    for (bool wide : {false, true}) {
        const Settings settings(wide, 0);
        auto fast = GetParam().make(), reference = GetParam().make();
        reference->SetReferencePath(true);
        for (auto [w, h, padding] : kSizes)
            for (int level = 0; level <= 20; ++level) {
                // A seed of its own for every level: the noise effects meet 21 of them.
                const unsigned seed = 1u + 7919u * static_cast<unsigned>(level);
                const TestPixels input = TestPixels::random(w, h, seed, padding);
                fast->SetScale(level % 2 ? 0.25f : 1.0f);
                reference->SetScale(fast->GetScale());
                ASSERT_EQ(Output(*fast, input, level, seed), Output(*reference, input, level, seed))
                    << w << "x" << h << " level " << level << (wide ? " wide" : " baseline");
            }
    }
}

// Bands of either kernel set against one thread, at counts that put no boundary on a power
// of two.
TEST_P(FastPath, MatchesTheReferenceInBandsOnALargePicture)
{
    const TestPixels input = TestPixels::random(515, 511, 5, 8);
    for (auto [level, seed] : {std::pair{0, 3u}, {13, 4096u}, {20, 4000000000u}}) {
        const auto run = [&, level = level, seed = seed](bool reference, bool wide, int bands) {
            const Settings settings(wide, bands);
            EXPECT_EQ(CBandRunner::BandsFor(511, 515), bands); // above the size that is split
            auto effect = GetParam().make();
            effect->SetReferencePath(reference);
            return Output(*effect, input, level, seed);
        };
        const auto oneThread = run(true, true, 1);
        EXPECT_EQ(run(false, true, 3), oneThread) << "wide, level " << level;
        EXPECT_EQ(run(false, false, 5), oneThread) << "baseline, level " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(Effects, FastPath, testing::ValuesIn(kAllEffects), EffectName);

} // namespace
