#include <gtest/gtest.h>

#include <QColor>

#include "CImageEffect.h"
#include "ImageEffect.h"
#include "TestImages.h"

namespace {

struct GroupCase
{
    int group;
    int count;
    int size;
    const char *first;
    const char *last; // the last entry of the table, beyond the count where there are more
};

class CatalogueGroup : public testing::TestWithParam<GroupCase>
{
};

TEST_P(CatalogueGroup, HasItsCountTableAndNames)
{
    const GroupCase &c = GetParam();
    ImageEffect catalogue;
    catalogue.setGroup(c.group);
    EXPECT_EQ(catalogue.getEffectCount(), c.count);
    EXPECT_EQ(ImageEffect::tableSize(c.group), c.size);
    EXPECT_EQ(catalogue.getEffect(0), QString(c.first));
    EXPECT_EQ(catalogue.getEffect(c.size - 1), QString(c.last));
    EXPECT_TRUE(catalogue.getEffect(c.size).isNull());
    EXPECT_TRUE(catalogue.getEffect(-1).isNull());
}

INSTANTIATE_TEST_SUITE_P(Groups, CatalogueGroup,
                         testing::Values(GroupCase{0, 9, 9, "Auto Correction", "Night Gain"},
                                         GroupCase{1, 5, 6, "Black and White", "Infrared"},
                                         GroupCase{2, 8, 11, "Pencil", "Color Pencil"},
                                         GroupCase{3, 10, 10, "Square", "Black border"}));

class WalkGroup : public testing::TestWithParam<int>
{
};

// Stepping forward visits every reachable entry once and wraps; backward is the reverse.
TEST_P(WalkGroup, ForwardAndBackWrapAround)
{
    ImageEffect catalogue;
    catalogue.setGroup(GetParam());
    const int count = catalogue.getEffectCount();
    for (int i = 1; i <= count; ++i) {
        catalogue.nextEffect();
        EXPECT_EQ(catalogue.effect(), i % count);
        EXPECT_EQ(catalogue.getEffect(), ImageEffect::effectName(GetParam(), i % count));
        // An engine object exists exactly for the pixel effects.
        EXPECT_EQ(catalogue.getEffectProcessor() != nullptr, GetParam() != 3);
    }
    for (int i = count - 1; i >= -1; --i) {
        catalogue.prevEffect();
        EXPECT_EQ(catalogue.effect(), (i + count) % count);
    }
}

INSTANTIATE_TEST_SUITE_P(Groups, WalkGroup, testing::Values(0, 1, 2, 3));

TEST(ImageEffect, EntriesBeyondTheCountAreNamedButNeverFound)
{
    ImageEffect catalogue;
    catalogue.setGroup(1);
    EXPECT_EQ(catalogue.getEffect(5), "Infrared");
    EXPECT_EQ(catalogue.getEffectIndex("Infrared"), -1);
    EXPECT_EQ(catalogue.getEffectIndex("Night Vision"), 4);
    catalogue.setGroup(2);
    EXPECT_EQ(catalogue.getEffect(10), "Color Pencil");
    EXPECT_TRUE(catalogue.getEffect(11).isNull());
    EXPECT_EQ(catalogue.getEffectIndex("Water Color"), -1);
    EXPECT_EQ(catalogue.getEffectIndex("pencil"), -1); // exact names only
    // Reached by setting the index directly, they have engine objects.
    catalogue.setEffect(9);
    catalogue.resetProcessor();
    EXPECT_TRUE(catalogue.supportsLevel());
}

TEST(ImageEffect, LevelsFollowTheChoice)
{
    ImageEffect catalogue;
    catalogue.setGroup(0);
    catalogue.nextEffect();
    catalogue.nextEffect();
    catalogue.nextEffect();
    ASSERT_EQ(catalogue.getEffect(), "Adjust Brightness");
    EXPECT_TRUE(catalogue.supportsLevel());
    EXPECT_EQ(catalogue.getLevel(), 10);
    catalogue.applyLevel(17);
    EXPECT_EQ(catalogue.getLevel(), 17);
    catalogue.nextEffect(); // a new engine object starts at its own default
    EXPECT_EQ(catalogue.getLevel(), 10);

    catalogue.setEffect(8);
    catalogue.resetProcessor();
    ASSERT_EQ(catalogue.getEffect(), "Night Gain");
    EXPECT_FALSE(catalogue.supportsLevel());

    catalogue.setGroup(2);
    catalogue.setEffect(4);
    catalogue.resetProcessor();
    ASSERT_EQ(catalogue.getEffect(), "Stencil");
    EXPECT_TRUE(catalogue.supportsLevel());
}

TEST(ImageEffect, FrameLevelsAreSetBeforeTheWrap)
{
    ImageEffect catalogue;
    catalogue.setGroup(3);
    for (int i = 0; i < 8; ++i)
        catalogue.nextEffect();
    ASSERT_EQ(catalogue.getEffect(), "White border");
    EXPECT_TRUE(catalogue.supportsLevel());
    EXPECT_EQ(catalogue.getLevel(), 6);
    catalogue.nextEffect();
    EXPECT_EQ(catalogue.getEffect(), "Black border");
    EXPECT_EQ(catalogue.getLevel(), 6);

    catalogue.setGroup(3);
    catalogue.prevEffect(); // from "Square" back to "Black border": index -1 is no frame
    EXPECT_EQ(catalogue.getEffect(), "Black border");
    EXPECT_EQ(catalogue.getLevel(), 10);
    catalogue.nextEffect(); // wraps to "Square"
    EXPECT_FALSE(catalogue.supportsLevel());
}

TEST(ImageEffect, AGroupOutsideTheCatalogueIsEmpty)
{
    for (int group : {-1, 4, 5}) {
        ImageEffect catalogue;
        catalogue.setGroup(group);
        EXPECT_EQ(catalogue.getEffectCount(), 0);
        EXPECT_TRUE(catalogue.getEffect().isNull());
        EXPECT_EQ(catalogue.getEffectProcessor(), nullptr);
        catalogue.nextEffect();
        EXPECT_EQ(catalogue.effect(), 0);
        catalogue.prevEffect();
        EXPECT_EQ(catalogue.effect(), -1);
        EXPECT_FALSE(catalogue.supportsLevel());
        catalogue.setImage(Picture(TestImages::solid(8, 8, Qt::gray)));
        EXPECT_TRUE(catalogue.applyEffect().isNull());
    }
}

TEST(ImageEffect, AnUnfinishedRenderLeavesNothingForTheFormats)
{
    ImageEffect catalogue;
    catalogue.setGroup(0);
    catalogue.setImage(Picture(TestImages::solid(8, 8, Qt::gray)));
    catalogue.applyEffectStep1(); // a copy waits for steps 2 and 3 that never come
    catalogue.setGroup(3);
    catalogue.setEffect(10); // beyond the table
    catalogue.resetProcessor();
    EXPECT_TRUE(catalogue.applyEffect().isNull());
}

TEST(ImageEffect, RendersAPixelEffectThroughTheBridge)
{
    ImageEffect catalogue;
    catalogue.setGroup(0);
    catalogue.setEffect(7);
    catalogue.resetProcessor();
    ASSERT_EQ(catalogue.getEffect(), "Color Negative");
    const QImage input = TestImages::random(9, 7, 3);
    catalogue.setImage(Picture(input));
    catalogue.setScale(1.0f);
    const Picture negative = catalogue.applyEffect();
    ASSERT_FALSE(negative.isNull());
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const QRgb in = input.pixel(x, y), out = negative.grid().pixel(x, y);
            EXPECT_EQ(qRed(out), 255 - qRed(in));
            EXPECT_EQ(qGreen(out), 255 - qGreen(in));
            EXPECT_EQ(qBlue(out), 255 - qBlue(in));
        }
}

struct FormatCase
{
    int index;
    QSize input;
    QSize output;
};

class PrintFormat : public testing::TestWithParam<FormatCase>
{
};

TEST_P(PrintFormat, CropsInTheFirstStepWithoutAnEngineObject)
{
    ImageEffect catalogue;
    catalogue.setGroup(3);
    catalogue.setEffect(GetParam().index);
    catalogue.resetProcessor();
    catalogue.setImage(
        Picture(TestImages::quadrants(GetParam().input.width(), GetParam().input.height())));
    const Picture result = catalogue.applyEffectStep1();
    ASSERT_FALSE(result.isNull());
    EXPECT_EQ(result.size(), QSizeF(GetParam().output));
    EXPECT_EQ(result.orientation(), Picture::Up);
}

INSTANTIATE_TEST_SUITE_P(Crops, PrintFormat,
                         testing::Values(FormatCase{0, {600, 400}, {400, 400}},
                                         FormatCase{1, {1600, 1200}, {1600, 1200}},
                                         FormatCase{1, {1200, 1200}, {900, 1200}},
                                         FormatCase{5, {400, 600}, {400, 500}},
                                         FormatCase{6, {1600, 1200}, {1600, 900}},
                                         FormatCase{7, {1600, 1200}, {1600, 1000}}));

TEST(ImageEffect, BordersAreLevelTwoHundredthsOfTheWidth)
{
    for (auto [level, width] : {std::pair{6, 48}, std::pair{20, 160}}) {
        ImageEffect catalogue;
        catalogue.setGroup(3);
        for (int i = 0; i < 8; ++i)
            catalogue.nextEffect();
        catalogue.setImage(Picture(TestImages::solid(1600, 1200, Qt::black)));
        const Picture framed = catalogue.applyLevel(static_cast<unsigned char>(level));
        ASSERT_FALSE(framed.isNull());
        EXPECT_EQ(framed.size(), QSizeF(1600, 1200));
        const QImage &grid = framed.grid();
        EXPECT_EQ(QColor(grid.pixel(width - 1, 600)), QColor(Qt::white)) << level;
        EXPECT_EQ(QColor(grid.pixel(width + 1, 600)), QColor(Qt::black)) << level;
        EXPECT_EQ(QColor(grid.pixel(800, width - 1)), QColor(Qt::white)) << level;
        EXPECT_EQ(QColor(grid.pixel(800, 1200 - width + 1)), QColor(Qt::white)) << level;
    }
}

TEST(ImageEffect, ListingHelpersDescribeLevels)
{
    EXPECT_EQ(ImageEffect::levelName(0, 3), "Brightness");
    EXPECT_EQ(ImageEffect::defaultLevel(0, 3), 10);
    EXPECT_TRUE(ImageEffect::levelName(1, 2).isEmpty());
    EXPECT_FALSE(ImageEffect::hasLevel(3, 0));
    EXPECT_TRUE(ImageEffect::hasLevel(3, 9));
    EXPECT_EQ(ImageEffect::defaultLevel(3, 8), 6);
    EXPECT_TRUE(ImageEffect::levelName(7, 0).isEmpty());
}

} // namespace
