#include "Recipe.h"

#include "CImageEffect.h"
#include "ImageEffect.h"

Picture Recipe::applyStep(Picture picture, const RecipeStep &step, QString *error)
{
    ImageEffect catalogue;
    catalogue.setGroup(step.group);
    catalogue.setEffect(step.index);
    catalogue.resetProcessor();
    // With no picture set yet, applyLevel only sets the level.
    if (step.level >= 0)
        catalogue.applyLevel(static_cast<unsigned char>(step.level));
    else if (ImageEffect::isFrame(step.group, step.index))
        catalogue.setLevel(ImageEffect::kDefaultFrameLevel);
    if (step.seed)
        CImageEffect::Seed(*step.seed);
    catalogue.setImage(picture);
    catalogue.setScale(1.0f);
    // Once the pixels are copied the picture they came from goes, so that an effect holds one
    // copy of the picture beside its own planes, not two.
    Picture result = catalogue.applyEffectStep1();
    if (result.isNull() && catalogue.refusal().isEmpty()) {
        picture = Picture();
        catalogue.setImage(Picture());
        catalogue.applyEffectStep2();
        result = catalogue.applyEffectStep3();
    }
    if (result.isNull())
        *error = QStringLiteral("'%1' could not be applied: %2")
                     .arg(step.name(), catalogue.refusal().isEmpty()
                                           ? QStringLiteral("the picture is not supported")
                                           : catalogue.refusal());
    return result;
}

Picture Recipe::replay(Picture picture, QString *error) const
{
    for (const RecipeStep &step : steps) {
        picture = applyStep(std::move(picture), step, error);
        if (picture.isNull())
            return picture;
    }
    return picture;
}
