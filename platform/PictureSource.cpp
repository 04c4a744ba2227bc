#include "PictureSource.h"

#include "ImageFile.h"
#include "PhotoAlbum.h"

#include <QFileInfo>

#ifdef VELMORA_HAVE_MULTIMEDIA
#include <QCameraDevice>
#include <QMediaDevices>
#endif

namespace {

PictureSource::LoadResult refused(const QString &error, const QString &detail = QString())
{
    return {Picture(), error, detail};
}

QString userMessage(ImageFile::ReadError kind)
{
    switch (kind) {
    case ImageFile::ReadError::NotAPicture:
        return QStringLiteral("This file is not a photo Velmora can open (JPEG or PNG).");
    case ImageFile::ReadError::Damaged:
        return QStringLiteral("This photo is damaged or incomplete, so Velmora cannot open it.");
    case ImageFile::ReadError::TooLarge:
        return QStringLiteral("This photo is too large for Velmora to open.");
    default:
        return QStringLiteral("This file cannot be read. It may have been moved, or you may not "
                              "have permission to open it.");
    }
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
    // Both cases: file names are matched case-sensitively here, and cameras write .JPG.
    return QStringLiteral("JPEG and PNG photos (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)");
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
    if (!loader) {
        ImageFile::ReadError kind = ImageFile::ReadError::None;
        const Picture picture = ImageFile::read(path, &error, fitBox, nullptr, &kind);
        return picture.isNull() ? refused(userMessage(kind), error) : LoadResult{picture, {}, {}};
    }
    const Picture picture = loader(path, &error);
    if (picture.isNull()) {
        if (error.isEmpty())
            error = QStringLiteral("The file \"%1\" could not be read as a picture.").arg(path);
        return refused(error);
    }
    return {picture, {}, {}};
}
