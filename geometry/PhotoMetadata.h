#ifndef VELMORA_GEOMETRY_PHOTOMETADATA_H
#define VELMORA_GEOMETRY_PHOTOMETADATA_H

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

// What a photo file says beside its pixels: the EXIF, XMP and IPTC records (date taken,
// camera, exposure, location, ...) and the ICC colour profile. Read once from the source
// file and carried with its pictures, so the files written from them keep it: effects
// change the values of the pixels, not what the photo is or the space its colours are in.
// Immutable and cheap to copy.
class PhotoMetadata
{
public:
    PhotoMetadata() = default;

    // The metadata of a JPEG or PNG file's bytes; none for other formats. Damaged metadata
    // gives none, and *warning says what was wrong (the pixels are read all the same).
    static PhotoMetadata read(const QByteArray &fileBytes, QString *warning = nullptr);

    bool isEmpty() const { return !m_data; }
    // The EXIF orientation, 1 (top-left) to 8; 0 when the records do not say.
    int exifOrientation() const;
    // The profile exactly as the source file had it; empty when it had none.
    QByteArray iccProfile() const;

    // `encoded` (a JPEG or PNG file of an upright picture of `size`, as written) with this
    // metadata put in: orientation "top-left", the pixel dimensions of `size`, no
    // thumbnail of the old picture. When the metadata cannot be written the file comes
    // back as it was and *warning says why.
    QByteArray embedIn(const QByteArray &encoded, QSize size, QString *warning = nullptr) const;

private:
    struct Data;
    std::shared_ptr<const Data> m_data;
};

#endif
