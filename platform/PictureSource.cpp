#include "PictureSource.h"

#include "ImageFile.h"
#include "PhotoAlbum.h"

#include <QFileInfo>
#include <QImageReader>

#ifdef VELMORA_HAVE_MULTIMEDIA
#include <QCameraDevice>
#include <QMediaDevices>
#endif

namespace {

PictureSource::LoadResult refused(const QString &error)
{
    return {Picture(), error};
}

} // namespace

bool PictureSource::cameraAvailable()
{
#ifdef VELMORA_HAVE_MULTIMEDIA
    return !QMediaDevices::videoInputs().isEmpty();
#else
    return false;
#endif
}

bool PictureSource::isSourceTypeAvailable(int sourceType)
{
    switch (sourceType) {
    case PhotoLibrary:
    case SavedPhotosAlbum:
        return true;
    case Camera:
        return cameraAvailable();
    default:
        return false;
    }
}

QString PictureSource::imageFileFilter()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("Images (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList PictureSource::savedPhotos(const PhotoAlbum &album)
{
    return album.pictures();
}

PictureSource::LoadResult PictureSource::load(int sourceType, const QString &path,
                                              const Loader &loader, QSize fitBox)
{
    if (!isSourceTypeAvailable(sourceType))
        return refused(QStringLiteral("This picture source is not available."));
    if (path.isEmpty())
        return refused(QStringLiteral("No picture was chosen."));
    const QFileInfo info(path);
    if (!info.exists())
        return refused(QStringLiteral("The file \"%1\" does not exist.").arg(path));
    if (!info.isFile())
        return refused(QStringLiteral("\"%1\" is not a picture file.").arg(path));
    QString error;
    const Picture picture = loader ? loader(path, &error) : ImageFile::read(path, &error, fitBox);
    if (picture.isNull()) {
        if (error.isEmpty())
            error = QStringLiteral("The file \"%1\" could not be read as a picture.").arg(path);
        return refused(error);
    }
    return {picture, {}};
}
