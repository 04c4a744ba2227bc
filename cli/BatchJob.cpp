#include "BatchJob.h"

#include "ImageEffect.h"
#include "ImageFile.h"
#include "ImageResizer.h"
#include "Picture.h"

#include <QFileInfo>

Picture BatchJob::applyEffects(Picture picture, const QList<EffectStep> &effects, QString *error)
{
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
        catalogue.setImage(picture);
        catalogue.setScale(1.0f);
        // Once the pixels are copied the picture they came from goes, so that an effect
        // holds one copy of the picture beside its own planes, not two.
        Picture result = catalogue.applyEffectStep1();
        if (result.isNull() && catalogue.refusal().isEmpty()) {
            picture = Picture();
            catalogue.setImage(Picture());
            catalogue.applyEffectStep2();
            result = catalogue.applyEffectStep3();
        }
        if (result.isNull()) {
            *error = QStringLiteral("'%1' could not be applied: %2")
                         .arg(step.name(), catalogue.refusal().isEmpty()
                                               ? QStringLiteral("the picture is not supported")
                                               : catalogue.refusal());
            return Picture();
        }
        picture = std::move(result);
    }
    return picture;
}

qint64 BatchJob::memoryNeeded(const QString &input, const Settings &settings)
{
    const QSize stored = ImageFile::storedSize(input);
    if (stored.isEmpty())
        return qint64(1) << 20; // refused before anything large is made
    const qint64 file = QFileInfo(input).size();
    const qint64 pixels = qMin(qint64(stored.width()) * stored.height(), ImageFile::kMaxPixels);
    qint64 working = pixels;
    if (!settings.workingSize.isEmpty())
        working =
            qMin(pixels, qint64(settings.workingSize.width()) * settings.workingSize.height());
    // Decoding holds the file's bytes and the picture, fitting holds two pictures, an effect
    // its copy and its planes (up to three bytes a pixel); writing only the result.
    return qMax(file + 2 * pixels * 4, working * (4 + 4 + 3)) + (qint64(16) << 20);
}

QString BatchJob::run(const QString &input, const QString &output, const Settings &settings,
                      QString *warning)
{
    QString error;
    Picture picture = ImageFile::read(input, &error, settings.workingSize, warning);
    if (picture.isNull())
        return error;
    // Taken now: the pictures made below from this one do not carry it.
    const PhotoMetadata metadata = settings.strip ? PhotoMetadata() : picture.metadata();
    const QSizeF box = settings.workingSize.isEmpty() ? QSizeF(0, 0) : QSizeF(settings.workingSize);
    // Each stage replaces the picture, so the one before it is freed as soon as it can be.
    picture = ImageResizer::colorMatch(picture, box);
    if (picture.isNull())
        return QStringLiteral("%1: the picture could not be brought upright").arg(input);
    picture = applyEffects(std::move(picture), settings.effects, &error);
    if (picture.isNull())
        return QStringLiteral("%1: %2").arg(input, error);
    if (!ImageFile::write(picture.withMetadata(metadata), output, &error, settings.quality,
                          warning))
        return error;
    return QString();
}
