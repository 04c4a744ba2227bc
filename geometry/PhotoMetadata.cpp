#include "PhotoMetadata.h"

#include <exiv2/exiv2.hpp>

#include "MetadataBlocks.h"

#include <mutex>

struct PhotoMetadata::Data
{
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
    QByteArray icc;
};

namespace {

void setWarning(QString *warning, const QString &message)
{
    if (warning)
        *warning = message;
}

void lockXmp(void *mutex, bool lock)
{
    auto *xmpMutex = static_cast<std::mutex *>(mutex);
    if (lock)
        xmpMutex->lock();
    else
        xmpMutex->unlock();
}

// Once per process, before the first use from any thread: the XMP toolkit is not
// reentrant without a lock, and the library's own messages would reach stderr beside ours.
void prepareLibrary()
{
    static std::mutex xmpMutex;
    static const bool prepared = [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        return Exiv2::XmpParser::initialize(lockXmp, &xmpMutex);
    }();
    Q_UNUSED(prepared);
}

const Exiv2::byte *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const Exiv2::byte *>(bytes.constData());
}

QString damaged(const QString &reason)
{
    return QStringLiteral("the metadata is damaged and is left out (%1)").arg(reason);
}

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

void setIfPresent(Exiv2::ExifData &exif, const char *key, uint32_t value)
{
    if (exif.findKey(Exiv2::ExifKey(key)) != exif.end())
        exif[key] = value;
}

void setIfPresent(Exiv2::XmpData &xmp, const char *key, int value)
{
    if (xmp.findKey(Exiv2::XmpKey(key)) != xmp.end())
        xmp[key] = std::to_string(value);
}

} // namespace

PhotoMetadata PhotoMetadata::read(const QByteArray &fileBytes, QString *warning)
{
    const bool png = fileBytes.startsWith(kPngSignature);
    if (!png && !fileBytes.startsWith("\xFF\xD8"))
        return PhotoMetadata();
    // The library trusts some of what blocks claim (a profile's size, an EXIF count) and
    // drops the rest in silence: a claim beyond the bytes there is damage, seen first here.
    const QString overrun = MetadataBlocks::overrun(fileBytes);
    if (!overrun.isEmpty()) {
        setWarning(warning, damaged(overrun));
        return PhotoMetadata();
    }
    prepareLibrary();
    try {
        // The library inflates compressed PNG chunks only up to a small bound, so a
        // compression bomb in a text or profile chunk costs nothing here.
        const auto image = Exiv2::ImageFactory::open(bytesOf(fileBytes), long(fileBytes.size()));
        image->readMetadata();
        auto data = std::make_shared<Data>();
        data->exif = image->exifData();
        data->xmp = image->xmpData();
        data->iptc = image->iptcData();
        if (image->iccProfileDefined()) {
            const Exiv2::DataBuf *profile = image->iccProfile();
            data->icc = QByteArray(reinterpret_cast<const char *>(profile->pData_),
                                   qsizetype(profile->size_));
        }
        PhotoMetadata metadata;
        if (!data->exif.empty() || !data->xmp.empty() || !data->iptc.empty() ||
            !data->icc.isEmpty())
            metadata.m_data = std::move(data);
        return metadata;
    } catch (const std::exception &failure) {
        setWarning(warning, damaged(QString::fromLocal8Bit(failure.what())));
        return PhotoMetadata();
    }
}

int PhotoMetadata::exifOrientation() const
{
    if (!m_data)
        return 0;
    const auto found = m_data->exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (found == m_data->exif.end() || found->count() == 0)
        return 0;
    const long value = found->toLong();
    return value >= 1 && value <= 8 ? int(value) : 0;
}

QByteArray PhotoMetadata::iccProfile() const
{
    return m_data ? m_data->icc : QByteArray();
}

QByteArray PhotoMetadata::embedIn(const QByteArray &encoded, QSize size, QString *warning) const
{
    if (!m_data)
        return encoded;
    prepareLibrary();
    try {
        const auto image = Exiv2::ImageFactory::open(bytesOf(encoded), long(encoded.size()));
        Exiv2::ExifData exif = m_data->exif;
        if (!exif.empty()) {
            // The old picture's thumbnail would show the unedited photo in file browsers.
            Exiv2::ExifThumb(exif).erase();
            exif["Exif.Image.Orientation"] = uint16_t(1); // the pixels are written upright
            exif["Exif.Photo.PixelXDimension"] = uint32_t(size.width());
            exif["Exif.Photo.PixelYDimension"] = uint32_t(size.height());
            setIfPresent(exif, "Exif.Image.ImageWidth", uint32_t(size.width()));
            setIfPresent(exif, "Exif.Image.ImageLength", uint32_t(size.height()));
        }
        Exiv2::XmpData xmp = m_data->xmp;
        setIfPresent(xmp, "Xmp.tiff.Orientation", 1);
        setIfPresent(xmp, "Xmp.tiff.ImageWidth", size.width());
        setIfPresent(xmp, "Xmp.tiff.ImageLength", size.height());
        setIfPresent(xmp, "Xmp.exif.PixelXDimension", size.width());
        setIfPresent(xmp, "Xmp.exif.PixelYDimension", size.height());
        image->setExifData(exif);
        image->setXmpData(xmp);
        image->setIptcData(m_data->iptc);
        if (!m_data->icc.isEmpty()) {
            Exiv2::DataBuf profile(bytesOf(m_data->icc), long(m_data->icc.size()));
            image->setIccProfile(profile, false);
        }
        image->writeMetadata();

        Exiv2::BasicIo &io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf written = io.read(long(io.size()));
        if (written.size_ <= 0)
            throw Exiv2::Error(Exiv2::kerErrorMessage, "nothing was written");
        return QByteArray(reinterpret_cast<const char *>(written.pData_), written.size_);
    } catch (const std::exception &failure) {
        setWarning(warning, QStringLiteral("the metadata could not be written and is left out (%1)")
                                .arg(QString::fromLocal8Bit(failure.what())));
        return encoded;
    }
}
