#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>
#include <set>

#include "EffectTestSupport.h"
#include "ImageEffect.h"
#include "TestImages.h"

namespace {

// A catalogue on one entry, with its engine object made.
std::unique_ptr<ImageEffect> at(int group, int index)
{
    auto catalogue = std::make_unique<ImageEffect>();
    catalogue->setGroup(group);
    catalogue->setEffect(index);
    catalogue->resetProcessor();
    return catalogue;
}

// Group, entries reached by stepping, entries in the table, the first and the last entry.
using GroupCase = std::tuple<int, int, int, const char *, const char *>;
using CatalogueGroup = testing::TestWithParam<GroupCase>;

// Stepping forward visits every reachable entry once and wraps; backward is the reverse.
TEST_P(CatalogueGroup, HasItsTableAndStepsThroughTheReachableEntries)
{
    const auto [group, count, size, first, last] = GetParam();
    ImageEffect catalogue;
    catalogue.setGroup(group);
    EXPECT_EQ(catalogue.getEffectCount(), count);
    EXPECT_EQ((QStringList{catalogue.getEffect(-1), catalogue.getEffect(0),
                           catalogue.getEffect(size - 1), catalogue.getEffect(size)}),
              (QStringList{"", first, last, ""}));
    for (int i = 1; i <= count; ++i) {
        catalogue.nextEffect();
        EXPECT_EQ(catalogue.effect(), i % count);
        // An engine object exists exactly for the pixel effects.
        EXPECT_EQ(catalogue.getEffectProcessor() != nullptr, group != 3);
    }
    for (int i = count - 1; i >= -1; --i) {
        catalogue.prevEffect();
        EXPECT_EQ(catalogue.effect(), (i + count) % count);
    }
}

INSTANTIATE_TEST_SUITE_P(Groups, CatalogueGroup,
                         testing::Values(GroupCase{0, 9, 9, "Auto Correction", "Night Gain"},
                                         GroupCase{1, 5, 6, "Black and White", "Infrared"},
                                         GroupCase{2, 8, 11, "Pencil", "Color Pencil"},
                                         GroupCase{3, 10, 10, "Square", "Black border"}));

TEST(ImageEffect, LevelsFollowTheChoiceAndFramesSetTheirsBeforeTheWrap)
{
    const auto monochrome = at(1, 0);
    EXPECT_EQ(monochrome->getEffectIndex("Night Vision"), 4);
    EXPECT_EQ(monochrome->getEffectIndex("Infrared"), -1) << "beyond the count: never found";
    EXPECT_TRUE(at(2, 9)->supportsLevel()) << "reached directly, it has an engine object";
    EXPECT_FALSE(at(0, 8)->supportsLevel()); // Night Gain
    EXPECT_FALSE(ImageEffect::hasLevel(3, 0));

    auto levelled = at(0, 3); // Adjust Brightness
    levelled->applyLevel(17);
    EXPECT_EQ(levelled->getLevel(), 17);
    levelled->nextEffect(); // a new engine object starts at its own default
    EXPECT_EQ(levelled->getLevel(), 10);

    auto frames = at(3, 7);
    frames->nextEffect();
    ASSERT_EQ(frames->getEffect(), "White border");
    EXPECT_EQ(frames->getLevel(), 6);
    frames->setGroup(3);
    frames->prevEffect(); // from "Square" back to "Black border": index -1 is no frame
    EXPECT_EQ(frames->getEffect(), "Black border");
    EXPECT_EQ(frames->getLevel(), 10);
    frames->nextEffect(); // wraps to "Square"
    EXPECT_FALSE(frames->supportsLevel());
}

// Each entry of the pixel groups, by its place and name, renders through the catalogue what
// the engine class that name stands for renders when made directly, at the same level and
// seed. On this picture all 26 differ, so an entry running a sibling's engine cannot pass.
TEST(ImageEffect, EveryEntryRunsTheEngineItsNameStandsFor)
{
    const TestPixels input = TestPixels::random(17, 9, 8);
    std::set<QByteArray> outputs;
    for (int group = 0; group < 3; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index) {
            auto catalogue = at(group, index);
            const QString entry =
                QString("%1:%2 %3").arg(group).arg(index).arg(catalogue->getEffect());
            const NamedEffect *named =
                std::find_if(std::begin(kAllEffects), std::end(kAllEffects),
                             [&](const NamedEffect &e) { return entry == e.entry; });
            ASSERT_NE(named, std::end(kAllEffects)) << entry.toStdString();
            catalogue->applyLevel(13); // no picture yet: only the level is set
            catalogue->setImage(Picture(QImage(input.bytes.data(), 17, 9, QImage::Format_RGB32)));
            CImageEffect::Seed(5);
            const QImage output = catalogue->applyEffect().grid();
            TestPixels pixels = input;
            Apply(*named->make(), pixels, 13, 5);
            EXPECT_EQ(output, QImage(pixels.bytes.data(), 17, 9, QImage::Format_RGB32))
                << named->name;
            outputs.insert(
                QByteArray(reinterpret_cast<const char *>(output.constBits()), 4 * 17 * 9));
        }
    EXPECT_EQ(outputs.size(), std::size(kAllEffects));
}

TEST(ImageEffect, GivesNothingOutsideTheCatalogue)
{
    const Picture input(TestImages::random(9, 7, 3));
    auto catalogue = at(0, 7);
    catalogue->setImage(input);
    catalogue->applyEffectStep1(); // a copy waits for steps 2 and 3 that never come
    catalogue->setGroup(3);
    catalogue->setEffect(10); // beyond the table
    catalogue->resetProcessor();
    EXPECT_TRUE(catalogue->applyEffect().isNull());
    for (int group : {-1, 4}) {
        catalogue = at(group, 0);
        catalogue->nextEffect();
        catalogue->prevEffect();
        catalogue->setImage(input);
        EXPECT_TRUE(catalogue->getEffectCount() == 0 && catalogue->applyEffect().isNull());
    }
}

// A print format crops in the first step, without an engine object: a square upright, its
// short side across (the resizer's own tests turn the formats to other shapes).
TEST(ImageEffect, PrintFormatsCropASquareInTheFirstStep)
{
    for (const auto &[name, width] : {std::pair{"Square", 1200},
                                      {"3 x 4", 900},
                                      {"3 x 5", 720},
                                      {"4 x 6 (2 x 3)", 800},
                                      {"5 x 7", 857},
                                      {"8 x 10", 960},
                                      {"16 : 9 (HDTV)", 675},
                                      {"16 : 10 (Wide LCD)", 750}}) {
        const auto catalogue = at(3, at(3, 0)->getEffectIndex(name));
        catalogue->setImage(Picture(TestImages::quadrants(1200, 1200)));
        EXPECT_EQ(catalogue->applyEffectStep1().grid().size(), QSize(width, 1200)) << name;
    }
}

TEST(ImageEffect, BordersAreLevelTwoHundredthsOfTheWidth)
{
    for (auto [index, level, width] : {std::tuple{8, 6, 48}, {8, 20, 160}, {9, 6, 48}}) {
        const QColor border = index == 8 ? Qt::white : Qt::black;
        const QColor inside = index == 8 ? Qt::black : Qt::white;
        auto catalogue = at(3, index);
        catalogue->setImage(Picture(TestImages::solid(1600, 1200, inside)));
        const QImage grid = catalogue->applyLevel(static_cast<unsigned char>(level)).grid();
        ASSERT_EQ(grid.size(), QSize(1600, 1200));
        EXPECT_EQ((QList<QColor>{grid.pixel(width - 1, 600), grid.pixel(width + 1, 600)}),
                  (QList<QColor>{border, inside}))
            << level;
    }
}

// A refused render leaves nothing for the crop that follows to report.
TEST(ImageEffect, ACropAfterARefusedRenderReportsNoRefusal)
{
    auto catalogue = at(0, 7);
    catalogue->setImage(Picture(TestImages::solid(16384, 1, Qt::gray))); // too wide to render
    EXPECT_TRUE(catalogue->applyEffect().isNull() && !catalogue->refusal().isEmpty());
    catalogue->setGroup(3);
    EXPECT_FALSE(catalogue->applyEffect().isNull());
    EXPECT_EQ(catalogue->refusal(), QString());
}

} // namespace
