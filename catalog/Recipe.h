#ifndef VELMORA_CATALOG_RECIPE_H
#define VELMORA_CATALOG_RECIPE_H

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include "Picture.h"
#include "RecipeStep.h"

// An edit as a list of steps, each made again to the byte from the picture before it: the
// editor's history and velmora-cli's effect stack are both recipes.
//
// As a file (".velmora"), UTF-8 text, one item a line:
//   velmora-recipe 1              the version, always the first line
//   size 1600x1200                the working size: WIDTHxHEIGHT, full, medium, web or original
//   Adjust Brightness=14          then one step a line, NAME or NAME=LEVEL as velmora-cli -e takes
//   it, Night Vision seed=42          with " seed=N" on an entry that draws noise
// Blank lines and lines starting with '#' are skipped after the version line.
class Recipe
{
public:
    static constexpr int kVersion = 1;
    // Larger files are refused unread: a recipe is a few hundred bytes.
    static constexpr qint64 kMaxBytes = qint64(1) << 20;
    static constexpr int kMaxSteps = 10000;

    QList<RecipeStep> steps;
    QSize workingSize; // the box the photo was reduced to; empty: the photo kept its own size

    // One step applied to an upright picture at full scale; a null picture and `error` on
    // failure. A step with a seed re-seeds the calling thread's noise generator first.
    static Picture applyStep(Picture picture, const RecipeStep &step, QString *error);

    // Every step in order, each on the result of the one before.
    Picture replay(Picture picture, QString *error) const;

    // Reads a recipe file. False, with `error` as "FILE:LINE: reason" ("FILE: reason" when the
    // file as a whole is refused), for a file that cannot be read or any line that is wrong.
    static bool read(const QString &path, Recipe *recipe, QString *error);
    // The same from a file's bytes; `line` is 1-based, 0 for the bytes as a whole.
    static bool parse(const QByteArray &bytes, Recipe *recipe, int *line, QString *reason);
    // The file's bytes, as parse reads them back. A seed is written only for a step that draws
    // noise.
    QByteArray text() const;
    // Replaces the file at `path` at once (a failure leaves the old one); false with "FILE:
    // reason" in `error`.
    bool write(const QString &path, QString *error) const;

    // A working size as velmora-cli's -s and the size line give it: full (1600x1200), medium
    // (1024x768), web (640x480), original (empty: not reduced) or WIDTHxHEIGHT.
    static bool parseSize(const QString &text, QSize *size);

    bool operator==(const Recipe &other) const
    {
        return steps == other.steps && workingSize == other.workingSize;
    }
};

#endif
