// Bands on the cores give the bytes of one thread, for every effect and several seeds, and
// leave the calling thread's generator where one thread would.

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CBandRunner.h"
#include "EffectTestSupport.h"

namespace {

struct BandCount
{
    explicit BandCount(int bands) { CBandRunner::SetBands(bands); }
    ~BandCount() { CBandRunner::SetBands(0); }
};

std::pair<std::vector<uint8_t>, int> RunInBands(const NamedEffect &e, int bands,
                                                const TestPixels &input, unsigned seed)
{
    const BandCount count(bands);
    auto effect = e.make();
    TestPixels pixels = input;
    Apply(*effect, pixels, 7, seed);
    return {pixels.bytes, CRandom::Current().Next()};
}

class Banded : public testing::TestWithParam<NamedEffect>
{
};

TEST_P(Banded, GivesTheBytesOfOneThread)
{
    const TestPixels input = TestPixels::random(640, 420, 17, 4);
    for (unsigned seed : {3u, 4096u, 4000000000u}) {
        const auto single = RunInBands(GetParam(), 1, input, seed);
        for (int bands : {2, 5})
            ASSERT_EQ(RunInBands(GetParam(), bands, input, seed), single)
                << bands << " bands, seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Effects, Banded, testing::ValuesIn(kAllEffects),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CBandRunner, CoversEveryRowOnceAndLeavesSmallPicturesInOneBand)
{
    const BandCount count(4);
    EXPECT_EQ(CBandRunner::BandsFor(240, 320), 1);
    EXPECT_EQ(CBandRunner::BandsFor(3, 1 << 20), 3); // never more bands than rows
    EXPECT_EQ(CBandRunner::BandsFor(1001, 1000), 4);

    std::vector<std::atomic<int>> visits(1001);
    std::mutex guard;
    std::vector<std::pair<int, int>> bands;
    CBandRunner::Run(1001, 1000, 0, [&](int first, int end) {
        for (int row = first; row < end; ++row)
            ++visits[row];
        const std::lock_guard<std::mutex> lock(guard);
        bands.emplace_back(first, end);
    });
    EXPECT_TRUE(std::all_of(visits.begin(), visits.end(), [](const auto &v) { return v == 1; }));
    EXPECT_EQ(bands.size(), 4u);
}

// Each band draws from the generator as one thread would at its rows: the numbers a band
// sees are those of its rows in the single sequence.
TEST(CBandRunner, GivesEachBandTheDrawsOfItsRows)
{
    const BandCount count(3);
    const int rows = 700, width = 400, perRow = 3;
    CImageEffect::Seed(12);
    std::vector<int> drawn(static_cast<size_t>(rows) * perRow);
    CBandRunner::Run(rows, width, perRow, [&](int first, int end) {
        CRandom::Current().Draw(drawn.data() + first * perRow, (end - first) * perRow);
    });
    const int after = CRandom::Current().Next();
    CRandom single(12);
    for (int i = 0; i < rows * perRow; ++i)
        ASSERT_EQ(drawn[i], single.Next()) << "draw " << i;
    EXPECT_EQ(after, single.Next());
}

} // namespace
