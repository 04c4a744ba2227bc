#include "BatchJob.h"

#include "ImageEffect.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "Picture.h"

Picture BatchJob::applyEffects(const Picture &picture, const QList<EffectStep> &effects,
                               QString *error)
{
    Picture result = picture;
    for (const EffectStep &step : effects) {
        ImageEffect catalogue;
        catalogue.setGroup(step.group);
        catalogue.setEffect(step.index);
        catalogue.resetProcessor();
        // With no picture set yet, applyLevel only sets the level.
        if (step.level >= 0)
            catalogue.applyLevel(static_cast<unsigned char>(step.level));
        else if (ImageEffect::isFrame(step.group, step.index))
            catalogue.setLevel(ImageEffect::kDefaultFrameLevel);
        catalogue.setImage(result);
        catalogue.setScale(1.0f);
        result = catalogue.applyEffect();
        if (result.isNull()) {
            *error = QStringLiteral("'%1' could not be applied: %2")
                         .arg(step.name(), catalogue.refusal().isEmpty()
                                               ? QStringLiteral("the picture is not supported")
                                               : catalogue.refusal());
            return Picture();
        }
    }
    return result;
}

QString BatchJob::run(const QString &input, const QString &output, const Settings &settings,
                      QString *warning)
{
    QString error;
    const Picture picture = ImageFile::read(input, &error, settings.workingSize, warning);
    if (picture.isNull())
        return error;
    const QSizeF box = settings.workingSize.isEmpty() ? QSizeF(0, 0) : QSizeF(settings.workingSize);
    const Picture upright = ImageResizer::colorMatch(picture, box);
    if (upright.isNull())
        return QStringLiteral("%1: the picture could not be brought upright").arg(input);
    const Picture result = applyEffects(upright, settings.effects, &error);
    if (result.isNull())
        return QStringLiteral("%1: %2").arg(input, error);
    const PhotoMetadata metadata = settings.strip ? PhotoMetadata() : picture.metadata();
    if (!ImageFile::write(result.withMetadata(metadata), output, &error, settings.quality, warning))
        return error;
    return QString();
}
