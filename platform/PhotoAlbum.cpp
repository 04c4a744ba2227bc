#include "PhotoAlbum.h"

#include "AtomicFile.h"
#include "ImageFile.h"
#include "MainThread.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using SaveResult = PhotoAlbum::SaveResult;
using Error = PhotoAlbum::Error;

Error classify(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Error::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOTDIR:
    case ENOENT:
        return Error::NotWritable;
    default:
        return Error::WriteFailed;
    }
}

SaveResult failure(int error, const QString &folder)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    SaveResult result;
    result.error = classify(error);
    switch (result.error) {
    case Error::DiskFull:
        result.message = QStringLiteral("The picture was not saved: the disk holding \"%1\" is "
                                        "full (%2).")
                             .arg(folder, reason);
        break;
    case Error::NotWritable:
        result.message = QStringLiteral("The picture was not saved: the album folder \"%1\" "
                                        "cannot be written (%2).")
                             .arg(folder, reason);
        break;
    default:
        result.message =
            QStringLiteral("The picture was not saved into \"%1\" (%2).").arg(folder, reason);
        break;
    }
    return result;
}

// Writes all of `bytes` to `fd` and makes it durable; returns 0 or the errno.
int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (::fsync(fd) != 0)
        return errno;
    return 0;
}

// Gives the finished temporary file a name no other picture has. link() and
// renameat2(RENAME_NOREPLACE) both fail rather than replace, so concurrent saves in the
// same second cannot take each other's name.
int claimName(const QByteArray &temporary, const QString &folder, const QString &base,
              QString *claimed)
{
    // The first picture of a second takes the plain name, the next ones _1, _2, ...
    for (int n = 0; n < 100000; ++n) {
        const QString name =
            n == 0 ? base + QStringLiteral(".jpg") : QStringLiteral("%1_%2.jpg").arg(base).arg(n);
        const QString path = QDir(folder).filePath(name);
        const QByteArray target = QFile::encodeName(path);
        int error = 0;
        if (::link(temporary.constData(), target.constData()) == 0) {
            ::unlink(temporary.constData());
        } else if (errno == EEXIST) {
            continue;
        } else if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                               RENAME_NOREPLACE) != 0) {
            error = errno;
            if (error == EEXIST)
                continue;
            return error;
        }
        *claimed = path;
        return 0;
    }
    return EEXIST;
}

// Name order with digit runs compared as numbers, so "_2" comes before "_10" whatever
// the locale's collation can do.
bool numericLess(const QString &a, const QString &b)
{
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Without leading zeros, a longer run is a larger number.
            const QStringView runA = QStringView(a).mid(i, endA - i);
            const QStringView runB = QStringView(b).mid(j, endB - j);
            const int lengthA = static_cast<int>(runA.size()),
                      lengthB = static_cast<int>(runB.size());
            if (lengthA != lengthB)
                return lengthA < lengthB;
            const int order = runA.compare(runB);
            if (order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const int order = QString::compare(a.mid(i, 1), b.mid(j, 1), Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

PhotoAlbum::PhotoAlbum(const QString &folder)
    : m_folder(folder.isEmpty() ? defaultFolder() : folder)
{
}

QString PhotoAlbum::defaultFolder()
{
    const QString configured = qEnvironmentVariable("VELMORA_ALBUM");
    if (!configured.isEmpty())
        return configured;
    QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (pictures.isEmpty())
        pictures = QDir::home().filePath(QStringLiteral("Pictures"));
    return QDir(pictures).filePath(QStringLiteral("Velmora"));
}

void PhotoAlbum::save(const Picture &picture, QObject *context, Completion done) const
{
    QPointer<QObject> guard(context);
    const bool guarded = context != nullptr;
    const QString folder = m_folder;
    QThreadPool::globalInstance()->start([picture, folder, clock = m_clock, guard, guarded, done] {
        const SaveResult result = saveNow(picture, folder, clock());
        // The guard is only read on the main thread, where its object lives.
        MainThread::post([guard, guarded, done, result] {
            if (done && (!guarded || guard))
                done(result);
        });
    });
}

PhotoAlbum::SaveResult PhotoAlbum::saveNow(const Picture &picture, const QString &folder,
                                           const QDateTime &when)
{
    if (picture.isNull())
        return {Error::NoPicture, {}, QStringLiteral("There is no picture to save.")};

    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        return {Error::NotWritable,
                {},
                QStringLiteral("The picture was not saved: the album folder \"%1\" cannot be "
                               "created.")
                    .arg(folder)};
    }

    const QByteArray bytes = ImageFile::encodeJpeg(picture, 90);
    if (bytes.isEmpty()) {
        return {
            Error::EncodeFailed, {}, QStringLiteral("The picture could not be encoded as JPEG.")};
    }

    // Written under a hidden temporary name first: the album never lists a partial file.
    // The temporary stays locked until it has its name, so that the ones of a save that was
    // killed are told apart and removed here.
    const QString prefix = QStringLiteral(".velmora-save-");
    AtomicFile::removeUnlocked(folder, prefix);
    QByteArray temporary = QFile::encodeName(QDir(folder).filePath(prefix + "XXXXXX"));
    const int fd = AtomicFile::lockedTemporary(&temporary);
    if (fd < 0)
        return failure(-fd, folder);
    int error = writeAll(fd, bytes);
    QString path;
    if (error == 0) {
        // mkstemp makes the file private to the owner; an album picture is not.
        if (::fchmod(fd, 0644) != 0)
            error = errno;
        const QString base = QStringLiteral("Velmora_") + when.toString("yyyyMMdd_HHmmss");
        if (error == 0)
            error = claimName(temporary, folder, base, &path);
    }
    if (error != 0)
        ::unlink(temporary.constData());
    ::close(fd); // the bytes are already synced
    if (error != 0)
        return failure(error, folder);

    // Make the new directory entry durable too.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {Error::None, path, {}};
}

QStringList PhotoAlbum::pictures() const
{
    const QDir dir(m_folder);
    // Hidden files (the temporaries of saves in progress) are not listed.
    QStringList names =
        dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
                       QStringLiteral("*.JPG"), QStringLiteral("*.JPEG"), QStringLiteral("*.PNG")},
                      QDir::Files | QDir::Readable);
    std::sort(names.begin(), names.end(), numericLess);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths << dir.absoluteFilePath(name);
    return paths;
}
