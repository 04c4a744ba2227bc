#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "ImageEffect.h"
#include "Recipe.h"
#include "TestImages.h"

namespace {

const QByteArray kHead = "velmora-recipe 1\nsize full\n";

RecipeStep step(const char *text, std::optional<unsigned> seed = std::nullopt)
{
    RecipeStep parsed;
    QString error;
    EXPECT_TRUE(RecipeStep::parse(text, &parsed, &error)) << text;
    parsed.seed = seed;
    return parsed;
}

// A damaged recipe is refused at its line (0: the file as a whole) with its reason.
TEST(Recipe, ADamagedRecipeIsRefusedAtItsLineWithItsReason)
{
    for (const auto &[bytes, at, because] :
         {std::tuple{QByteArray("this is not a recipe\n\x01\x02\n"), 1, "not a recipe"},
          {"# mine\n" + kHead, 1, "not a recipe"},
          {"velmora-recipe %2\nsize full\n", 1, "version '%2'"},
          {"velmora-recipe 1\n\n# look\nSepia\n", 4, "no size line"},
          {"velmora-recipe 1", 1, "no size line"},
          {kHead + "Sepia\nsize web\n", 4, "second size line"},
          {kHead + "\n# a comment\nVignette=4\n", 5, "unknown effect 'Vignette'"},
          {kHead + "Sepia=5\n", 3, "has no level"},
          {kHead + "Sepia seed=4\n", 3, "draws no noise"},
          {kHead + "Sepia\nSep" + QByteArray(1, '\0') + "ia\n", 4, "binary"},
          {kHead + "Sepia\r\n\xC3\x28\n", 4, "UTF-8"},
          {kHead + QByteArray("Sepia\n").repeated(10001), 10003, "10000"},
          {"velmora-recipe 1\n" + QByteArray(1 << 20, '#'), 0, "larger"}}) {
        Recipe recipe;
        int line = -1;
        QString reason;
        EXPECT_FALSE(Recipe::parse(bytes, &recipe, &line, &reason)) << because;
        EXPECT_EQ(line, at) << reason.toStdString();
        EXPECT_TRUE(reason.contains(because)) << reason.toStdString();
    }
}

// Accepted as they stand and refused once the part after ">" replaces the last line, so that
// each limit is probed from both sides.
TEST(Recipe, EachLimitIsAcceptedUpToItAndRefusedBeyond)
{
    const char *limits[] = {"size 65535x1 > size 65536x1",
                            "size 1X1 > size 0x1",
                            "size original > size huge",
                            "size 640x480 > size 640x",
                            "Posterize=20 > Posterize=21",
                            "Posterize=0 > Posterize=-1",
                            "Posterize=10 > Posterize=lots",
                            "Sepia > Sepia=",
                            "3:0 > 4:0",
                            "2:10 > 2:11",
                            "1:0 > 4294967297:0",
                            "1:0 > 1:99999999999",
                            "30's Photo seed=4294967295 > 30's Photo seed=4294967296",
                            "Night Vision seed=0 > Night Vision seed=-1",
                            "Infrared > Infrared seed="};
    for (const char *limit : limits) {
        const QByteArray text(limit);
        const QByteArray head = text.startsWith("size") ? "velmora-recipe 1\n" : kHead;
        Recipe recipe;
        int line = 0;
        QString reason;
        EXPECT_TRUE(Recipe::parse(head + text.left(text.indexOf(" > ")), &recipe, &line, &reason))
            << limit << ": " << reason.toStdString();
        EXPECT_FALSE(
            Recipe::parse(head + text.mid(text.indexOf(" > ") + 3), &recipe, &line, &reason))
            << limit;
    }
}

// As a person may write one: another editor's byte-order mark and line ends, comments, blank
// lines, the -s words, names in any case.
TEST(Recipe, ReadsARecipeAsAPersonMayWriteIt)
{
    Recipe read;
    int line = 0;
    QString reason;
    EXPECT_TRUE(Recipe::parse("\xEF\xBB\xBFvelmora-recipe 1\r\n# mine\r\n\r\n  size web \r\n"
                              "\tnight vision  seed=3\r\n30's photo\r\n",
                              &read, &line, &reason))
        << line << reason.toStdString();
    EXPECT_EQ(read, (Recipe{{step("Night Vision", 3), step("30's Photo")}, QSize(640, 480)}));
}

// What stands on the disk is never half a recipe, and every refusal names the file.
TEST(Recipe, FilesThatCannotBeReadOrWrittenAreNamed)
{
    QTemporaryDir dir;
    QString error;
    Recipe recipe;
    EXPECT_FALSE(Recipe::read(dir.filePath("absent.velmora"), &recipe, &error));
    EXPECT_EQ(error, dir.filePath("absent.velmora") + ": No such file or directory");
    ASSERT_TRUE(writeFile(dir.filePath("large"), kHead + QByteArray(1 << 20, '#')));
    EXPECT_FALSE(Recipe::read(dir.filePath("large"), &recipe, &error));
    EXPECT_EQ(error, dir.filePath("large") + ": the file is over 1024 KB, larger than any recipe");
}

// A step is remade to the byte from its seed; the entries that draw noise differ between two
// seeds, and only they.
TEST(Recipe, ASeedRemakesTheNoiseOfExactlyTheEntriesThatDrawIt)
{
    const Picture picture(TestImages::random(40, 30, 9));
    for (int group = 0; group < ImageEffect::kGroupCount; ++group)
        for (int index = 0; index < ImageEffect::tableSize(group); ++index) {
            const auto made = [&](unsigned seed) {
                QString error;
                return Recipe::applyStep(picture, RecipeStep{group, index, -1, seed}, &error)
                    .grid();
            };
            const QImage first = made(1);
            const QString name = ImageEffect::effectName(group, index);
            EXPECT_EQ(made(1), first) << name.toStdString();
            EXPECT_EQ(made(2) != first, ImageEffect::drawsNoise(group, index))
                << name.toStdString();
        }
}

} // namespace
