#include "BatchJob.h"

#include "ImageFile.h"
#include "ImageResizer.h"
#include "Picture.h"
#include "Recipe.h"

#include <QFileInfo>

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
    picture = Recipe{settings.effects, QSize()}.replay(std::move(picture), &error);
    if (picture.isNull())
        return QStringLiteral("%1: %2").arg(input, error);
    if (!ImageFile::write(picture.withMetadata(metadata), output, &error, settings.quality,
                          warning))
        return error;
    return QString();
}
