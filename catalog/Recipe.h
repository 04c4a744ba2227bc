#ifndef VELMORA_CATALOG_RECIPE_H
#define VELMORA_CATALOG_RECIPE_H

#include <QList>
#include <QSize>
#include <QString>

#include "Picture.h"
#include "RecipeStep.h"

// An edit as a list of steps, each made again to the byte from the picture before it: the
// editor's history and velmora-cli's effect stack are both recipes.
class Recipe
{
public:
    QList<RecipeStep> steps;
    QSize workingSize; // the box the photo was reduced to; empty: not recorded

    // One step applied to an upright picture at full scale; a null picture and `error` on
    // failure. A step with a seed re-seeds the calling thread's noise generator first.
    static Picture applyStep(Picture picture, const RecipeStep &step, QString *error);

    // Every step in order, each on the result of the one before.
    Picture replay(Picture picture, QString *error) const;
};

#endif
