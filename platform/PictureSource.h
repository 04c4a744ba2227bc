#ifndef VELMORA_PLATFORM_PICTURESOURCE_H
#define VELMORA_PLATFORM_PICTURESOURCE_H

#include "Picture.h"

#include <QString>
#include <QStringList>

#include <functional>

class PhotoAlbum;

// Where pictures come from: the photo library (any image file the user picks), the
// camera, and the saved-photos album. Reading the chosen file is the caller's loader,
// so the same intake and its error messages serve every source.
class PictureSource
{
public:
    enum SourceType
    {
        PhotoLibrary = 0,
        Camera = 1,
        SavedPhotosAlbum = 2
    };

    // Reads a picture file; on failure returns a null picture and may say why in `error`.
    using Loader = std::function<Picture(const QString &path, QString *error)>;

    struct LoadResult
    {
        Picture picture;
        QString error;  // for the user, when there is no picture
        QString detail; // the intake's own account of it (file and reason), for the log

        bool ok() const { return !picture.isNull(); }
    };

    PictureSource() = delete;

    // The library and the album always are; the camera only when one is attached and the
    // build has camera support.
    static bool isSourceTypeAvailable(int sourceType);
    static bool cameraAvailable();

    // A file-dialog filter for the photos the intake reads with everything they carry.
    static QString imageFileFilter();
    // The pictures offered by the saved-photos source.
    static QStringList savedPhotos(const PhotoAlbum &album);

    // Loads the file chosen from `sourceType`; without a loader, through the image-file
    // intake (ImageFile::read), whose failures are put in the user's words (the intake's
    // own, naming the file and the reason, go to `detail`). `fitBox` is the
    // working size the picture will be fitted to: a large JPEG is then decoded at the reduced
    // scale that still fits to the same size, which saves most of its time and memory.
    static LoadResult load(int sourceType, const QString &path, const Loader &loader = {},
                           QSize fitBox = QSize());
};

#endif
