#include "PhotoSettings.h"

#include "AtomicFile.h"
#include "ImageFile.h"
#include "Log.h"
#include "RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QUrl>

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
const QString kWindowGeometry = QStringLiteral("window geometry");
const QString kLastFolder = QStringLiteral("last folder");

// Far more than the options and a working picture take; a larger file is damaged.
constexpr qint64 kMaxFileBytes = qint64(256) << 20;
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Unsigned and 64 bits wide, so that negative values and values beyond 32 bits are out of
// range too instead of wrapping into it.
qint32 checked(qint64 value, quint64 highest)
{
    return static_cast<quint64>(value) > highest ? 0 : static_cast<qint32>(value);
}

bool samePicture(const Picture &a, const Picture &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.grid().cacheKey() == b.grid().cacheKey() && a.orientation() == b.orientation();
}

QByteArray encodeJpeg(const Picture &picture)
{
    return ImageFile::encodeJpeg(picture, 90);
}

// Missing reads as no, like an empty or "false" value.
bool toBool(const QString &value)
{
    const QString v = value.trimmed().toLower();
    return !(v.isEmpty() || v == QLatin1String("false") || v == QLatin1String("0"));
}

qint64 toInteger(const QString &value)
{
    bool ok = false;
    const qint64 number = value.trimmed().toLongLong(&ok);
    return ok ? number : 0;
}

// Keys are written the way QSettings writes INI keys, so either can read the file.
QByteArray escapedKey(const QString &key)
{
    QByteArray out;
    for (const char c : key.toUtf8()) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-' || c == '.')
            out += c;
        else
            out += '%' + QByteArray::number(static_cast<unsigned char>(c), 16)
                             .toUpper()
                             .rightJustified(2, '0');
    }
    return out;
}

QString unescapedKey(const QByteArray &key)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(key));
}

// Reads "key=value" lines of the [General] section. A file that is not of that shape
// (binary bytes, a line cut short, an unclosed section) is damaged.
bool parseIni(const QByteArray &bytes, QMap<QString, QString> *values)
{
    if (bytes.contains('\0'))
        return false;
    bool general = true;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            if (!line.endsWith(']'))
                return false;
            const QByteArray section = line.mid(1, line.size() - 2).trimmed();
            general = section.isEmpty() || section == "General";
            continue;
        }
        const int equals = line.indexOf('=');
        if (equals <= 0)
            return false;
        if (!general)
            continue;
        QString value = QString::fromUtf8(line.mid(equals + 1)).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        values->insert(unescapedKey(line.left(equals).trimmed()), value);
    }
    return true;
}

QByteArray serializeIni(const QMap<QString, QString> &values)
{
    QByteArray out("[General]\n");
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        out += escapedKey(it.key()) + '=' + it.value().toUtf8() + '\n';
    return out;
}

QString boolText(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
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

QMap<QString, QString> PhotoSettings::readStore()
{
    QMap<QString, QString> values;
    if (!QFileInfo::exists(m_fileName))
        return values;
    RegularFile file(m_fileName);
    if (!file.open()) {
        // A folder, a device or a FIFO under the name is not ours to move away.
        if (file.wrongType())
            qCWarning(velmoraLog).noquote()
                << QStringLiteral("Settings file \"%1\" was not used because %2; the settings "
                                  "start afresh.")
                       .arg(m_fileName, file.errorString());
        else
            setAside(QStringLiteral("it cannot be read"));
        return values;
    }
    QByteArray bytes;
    if (file.size() > kMaxFileBytes) {
        setAside(QStringLiteral("it is far too large"));
        return values;
    }
    if (!file.read(file.size(), &bytes)) {
        setAside(QStringLiteral("it cannot be read"));
        return values;
    }
    // Some editors start a UTF-8 file with a byte-order mark.
    if (bytes.startsWith(kByteOrderMark))
        bytes.remove(0, kByteOrderMark.size());
    if (!parseIni(bytes, &values)) {
        values.clear();
        setAside(QStringLiteral("it is damaged"));
    }
    return values;
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
    // What saves that were killed left behind.
    AtomicFile::removeStaleTemporaries({m_fileName});
    const QMap<QString, QString> store = readStore();
    Picture image;
    m_imageSaved = false;
    m_windowGeometry.clear();
    m_lastFolder.clear();
    qint64 segment = 0, photoSize = 0, uiType = 0;
    if (toBool(store.value(kSaved))) {
        m_animation = toBool(store.value(kAnimation));
        m_update = toBool(store.value(kUpdate));
        m_lefthand = toBool(store.value(kLeftHand));
        segment = toInteger(store.value(kGroup));
        photoSize = toInteger(store.value(kPhotoSize));
        uiType = toInteger(store.value(kUiType));
        if (store.contains(kImage)) {
            QString error;
            image =
                ImageFile::decode(QByteArray::fromBase64(store.value(kImage).toLatin1()), &error);
            // Unreadable bytes count as stored: the next save drops them.
            m_imageSaved = true;
            if (image.isNull())
                qCWarning(velmoraLog).noquote()
                    << QStringLiteral("The stored picture in \"%1\" could not be read.")
                           .arg(m_fileName);
        }
        m_windowGeometry = QByteArray::fromBase64(store.value(kWindowGeometry).toLatin1());
        // A URL, so that no character of a folder's name can break the file's lines.
        m_lastFolder = QUrl(store.value(kLastFolder)).toLocalFile();
    } else {
        m_animation = true;
        m_update = false;
        m_lefthand = false;
    }
    m_segment = checked(segment, 2);
    m_photoSize = checked(photoSize, 2);
    m_uiType = checked(uiType, 1);
    hold(image);
}

bool PhotoSettings::save()
{
    // Keys this version does not know are kept as they are.
    QMap<QString, QString> store = readStore();
    store.insert(kSaved, boolText(true));
    store.insert(kAnimation, boolText(m_animation));
    store.insert(kUpdate, boolText(m_update));
    store.insert(kLeftHand, boolText(m_lefthand));
    store.insert(kGroup, QString::number(m_segment));
    store.insert(kPhotoSize, QString::number(m_photoSize));
    store.insert(kUiType, QString::number(m_uiType));
    const auto insertOrRemove = [&store](const QString &key, const QString &value) {
        if (value.isEmpty())
            store.remove(key);
        else
            store.insert(key, value);
    };
    insertOrRemove(kWindowGeometry, QString::fromLatin1(m_windowGeometry.toBase64()));
    insertOrRemove(kLastFolder,
                   m_lastFolder.isEmpty()
                       ? QString()
                       : QUrl::fromLocalFile(m_lastFolder).toString(QUrl::FullyEncoded));

    bool wroteImage = false, lostImage = false;
    if (m_image.isNull()) {
        store.remove(kImage);
    } else if (!m_imageSaved || !store.contains(kImage)) {
        // Also when the file lost its picture behind our back.
        const QByteArray bytes = m_encoder(m_image);
        // Base64 takes a third more; a file past the limit would not be read back.
        if (bytes.isEmpty() || bytes.size() / 3 * 4 > kMaxFileBytes - (qint64(1) << 20)) {
            qCWarning(velmoraLog).noquote()
                << QStringLiteral("The picture could not be encoded for the settings file.");
            lostImage = true;
        } else {
            store.insert(kImage, QString::fromLatin1(bytes.toBase64()));
            wroteImage = true;
        }
    }

    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    const int error = AtomicFile::save(m_fileName, serializeIni(store));
    if (error != 0) {
        qCWarning(velmoraLog).noquote()
            << QStringLiteral("The settings could not be written to \"%1\": %2.")
                   .arg(m_fileName, AtomicFile::describe(error));
        return false;
    }
    // Only a picture that reached the disk counts as saved; otherwise the next save tries again.
    if (wroteImage)
        m_imageSaved = true;
    // The options are written, but the picture the user last had is not: not a success.
    return !lostImage;
}

void PhotoSettings::markImage(const Picture &image)
{
    if (samePicture(image, m_image))
        return;
    hold(image);
    m_imageSaved = false;
}

void PhotoSettings::setImage(const Picture &image)
{
    hold(image);
}

void PhotoSettings::hold(const Picture &image)
{
    const bool changed = !samePicture(image, m_image);
    m_image = image;
    if (changed)
        emit imageChanged();
}
