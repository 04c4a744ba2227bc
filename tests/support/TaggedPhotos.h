#ifndef VELMORA_TESTS_TAGGEDPHOTOS_H
#define VELMORA_TESTS_TAGGEDPHOTOS_H

// Photo files carrying what a camera stores beside the pixels, and a reader of what a
// written file carries, for the suites that check metadata is kept.

#include <QByteArray>
#include <QColorSpace>
#include <QString>
#include <QtEndian>

#include "TestImages.h"

#include <exiv2/exiv2.hpp>
#include <zlib.h>

namespace TaggedPhotos {

// A wide-gamut profile, as phones store: not sRGB, so a lost profile shifts colours.
inline QByteArray displayP3Profile()
{
    return QColorSpace(QColorSpace::DisplayP3).iccProfile();
}

inline Exiv2::ExifData cameraExif(uint16_t orientation)
{
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Harbour Optics";
    exif["Exif.Image.Model"] = "HX-7";
    exif["Exif.Image.Orientation"] = orientation;
    exif["Exif.Photo.DateTimeOriginal"] = "2021:06:05 14:03:09";
    exif["Exif.Photo.ExposureTime"] = Exiv2::Rational(1, 250);
    exif["Exif.Photo.PixelXDimension"] = uint32_t(4000);
    exif["Exif.Photo.PixelYDimension"] = uint32_t(3000);
    Exiv2::URationalValue latitude;
    latitude.read("48/1 23/1 1234/100");
    exif.add(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude"), &latitude);
    const QByteArray thumbnail = TestImages::encoded(QImage(16, 12, QImage::Format_RGB32), "jpeg");
    Exiv2::ExifThumb(exif).setJpegThumbnail(
        reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()), long(thumbnail.size()));
    return exif;
}

// A camera JPEG of `grid`, by default stored turned (orientation 6: turn clockwise to view),
// with make, model, date taken, exposure, GPS position, a thumbnail, XMP, IPTC and a P3
// profile.
inline QByteArray cameraJpeg(const QImage &grid, uint16_t orientation = 6)
{
    const QByteArray plain = TestImages::encoded(grid, "jpeg");
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(plain.constData()),
                                           long(plain.size()));
    image->setExifData(cameraExif(orientation));
    Exiv2::XmpData xmp;
    xmp["Xmp.dc.title"] = "Quay at dawn";
    xmp["Xmp.tiff.Orientation"] = std::to_string(orientation);
    image->setXmpData(xmp);
    Exiv2::IptcData iptc;
    iptc["Iptc.Application2.City"] = "Brest";
    image->setIptcData(iptc);
    const QByteArray profile = displayP3Profile();
    Exiv2::DataBuf icc(reinterpret_cast<const Exiv2::byte *>(profile.constData()),
                       long(profile.size()));
    image->setIccProfile(icc, false);
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf bytes = io.read(long(io.size()));
    return QByteArray(reinterpret_cast<const char *>(bytes.pData_), bytes.size_);
}

inline QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray chunk(4, '\0'), crc(4, '\0');
    const QByteArray body = type + data;
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))),
        crc.data());
    return chunk + body + crc;
}

// The same photo as a PNG: the EXIF in an eXIf chunk, the profile in iCCP, right after the
// header chunk (at byte 8 + 25). A profile's zlib stream is what qCompress makes, after the
// length it puts in front.
inline QByteArray cameraPng(const QImage &grid, uint16_t orientation = 6)
{
    Exiv2::Blob tiff;
    Exiv2::ExifParser::encode(tiff, Exiv2::littleEndian, cameraExif(orientation));
    const QByteArray exif(reinterpret_cast<const char *>(tiff.data()), qsizetype(tiff.size()));
    const QByteArray icc = QByteArray("Display P3\0\0", 12) + qCompress(displayP3Profile()).mid(4);
    return TestImages::encoded(grid, "png")
        .insert(8 + 25, pngChunk("eXIf", exif) + pngChunk("iCCP", icc));
}

// What a written file carries, as a photo manager would read it.
struct Tags
{
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
    QByteArray icc;

    // The value under `key`, "" where there is none (looked up in copies: a missing key is added).
    std::string exifValue(const char *key) const { return Exiv2::ExifData(exif)[key].toString(); }
    std::string xmpValue(const char *key) const { return Exiv2::XmpData(xmp)[key].toString(); }
    std::string iptcValue(const char *key) const { return Exiv2::IptcData(iptc)[key].toString(); }
    bool hasThumbnail() const { return Exiv2::ExifThumbC(exif).copy().size_ > 0; }
    bool isEmpty() const { return exif.empty() && xmp.empty() && iptc.empty() && icc.isEmpty(); }
};

inline Tags tagsOf(const QString &path)
{
    auto image = Exiv2::ImageFactory::open(path.toStdString());
    image->readMetadata();
    const Exiv2::DataBuf *icc = image->iccProfileDefined() ? image->iccProfile() : nullptr;
    return {image->exifData(), image->xmpData(), image->iptcData(),
            icc ? QByteArray(reinterpret_cast<const char *>(icc->pData_), icc->size_)
                : QByteArray()};
}

} // namespace TaggedPhotos

#endif
