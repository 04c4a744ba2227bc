#include "PhotoSettings.h"

#include "Log.h"
#include "PictureJpeg.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

PhotoSettings *s_shared = nullptr;

const QString kSaved = QStringLiteral("saved");
const QString kAnimation = QStringLiteral("animation");
const QString kUpdate = QStringLiteral("update");
const QString kLeftHand = QStringLiteral("left hand");
const QString kGroup = QStringLiteral("group");
const QString kPhotoSize = QStringLiteral("photo size");
const QString kUiType = QStringLiteral("ui type");
const QString kImage = QStringLiteral("image");

// Unsigned, so that a negative stored value is out of range too.
qint32 checked(qint32 value, quint32 highest)
{
    return static_cast<quint32>(value) > highest ? 0 : value;
}

bool samePicture(const Picture &a, const Picture &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.grid().cacheKey() == b.grid().cacheKey() && a.orientation() == b.orientation();
}

QByteArray encodeJpeg(const Picture &picture)
{
    return PictureJpeg::encode(picture, 90);
}

} // namespace

PhotoSettings::PhotoSettings(const QString &fileName)
    : m_fileName(fileName.isEmpty() ? defaultFileName() : fileName), m_encoder(encodeJpeg)
{
    load();
    s_shared = this;
}

PhotoSettings::~PhotoSettings()
{
    if (s_shared == this)
        s_shared = nullptr;
}

PhotoSettings *PhotoSettings::settings()
{
    return s_shared;
}

QString PhotoSettings::defaultFileName()
{
    const QString configured = qEnvironmentVariable("VELMORA_SETTINGS");
    if (!configured.isEmpty())
        return configured;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("Velmora/settings.ini"));
}

void PhotoSettings::setEncoder(Encoder encoder)
{
    m_encoder = encoder ? std::move(encoder) : Encoder(encodeJpeg);
}

std::unique_ptr<QSettings> PhotoSettings::openStore()
{
    auto store = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
    if (store->status() == QSettings::NoError)
        return store;
    const QString why = store->status() == QSettings::FormatError
                            ? QStringLiteral("it is damaged")
                            : QStringLiteral("it cannot be read");
    store.reset();
    setAside(why);
    return std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
}

void PhotoSettings::setAside(const QString &why)
{
    // Renamed, never deleted: whatever is left in it can still be recovered by hand.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_fileName + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_fileName + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (QFile::rename(m_fileName, aside)) {
        qCWarning(velmoraLog).noquote()
            << QStringLiteral("Settings file \"%1\" was not used because %2; it is kept as \"%3\" "
                              "and the settings start afresh.")
                   .arg(m_fileName, why, aside);
    } else {
        qCWarning(velmoraLog).noquote()
            << QStringLiteral("Settings file \"%1\" was not used because %2, and it could not be "
                              "moved aside; the settings start afresh.")
                   .arg(m_fileName, why);
    }
}

void PhotoSettings::load()
{
    const std::unique_ptr<QSettings> store = openStore();
    m_image = Picture();
    m_imageSaved = false;
    if (store->value(kSaved).toBool()) {
        m_animation = store->value(kAnimation).toBool();
        m_update = store->value(kUpdate).toBool();
        m_lefthand = store->value(kLeftHand).toBool();
        m_segment = store->value(kGroup).toInt();
        m_photoSize = store->value(kPhotoSize).toInt();
        m_uiType = store->value(kUiType).toInt();
        const QVariant image = store->value(kImage);
        if (image.isValid()) {
            m_image = PictureJpeg::decode(image.toByteArray());
            // Unreadable bytes count as stored: the next save drops them.
            m_imageSaved = true;
            if (m_image.isNull())
                qCWarning(velmoraLog).noquote()
                    << QStringLiteral("The stored picture in \"%1\" could not be read.")
                           .arg(m_fileName);
        }
    } else {
        m_animation = true;
        m_update = false;
        m_lefthand = false;
        m_segment = 0;
        m_photoSize = 0;
        m_uiType = 0;
    }
    m_segment = checked(m_segment, 2);
    m_photoSize = checked(m_photoSize, 2);
    m_uiType = checked(m_uiType, 1);
}

bool PhotoSettings::save()
{
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    const std::unique_ptr<QSettings> store = openStore();
    store->setValue(kSaved, true);
    store->setValue(kAnimation, m_animation);
    store->setValue(kUpdate, m_update);
    store->setValue(kLeftHand, m_lefthand);
    store->setValue(kGroup, m_segment);
    store->setValue(kPhotoSize, m_photoSize);
    store->setValue(kUiType, m_uiType);

    bool wroteImage = false;
    if (m_image.isNull()) {
        store->remove(kImage);
    } else if (!m_imageSaved) {
        const QByteArray bytes = m_encoder(m_image);
        if (bytes.isEmpty()) {
            qCWarning(velmoraLog).noquote() << QStringLiteral("The picture could not be encoded "
                                                              "for the settings file.");
        } else {
            store->setValue(kImage, bytes);
            wroteImage = true;
        }
    }

    // QSettings writes the INI file through a temporary file and a rename: a failed write
    // leaves the previous file whole.
    store->sync();
    if (store->status() != QSettings::NoError) {
        qCWarning(velmoraLog).noquote()
            << QStringLiteral("The settings could not be written to \"%1\".").arg(m_fileName);
        return false;
    }
    // Only a picture that reached the disk counts as saved; otherwise the next save tries again.
    if (wroteImage)
        m_imageSaved = true;
    return true;
}

void PhotoSettings::markImage(const Picture &image)
{
    if (samePicture(image, m_image))
        return;
    m_image = image;
    m_imageSaved = false;
}
