#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <functional>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The name with every symbolic link followed, also to a target that does not exist yet.
QByteArray followLinks(const QByteArray &path, int *error)
{
    QByteArray current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.constData(), link.data(), link.size());
        if (length < 0) {
            *error = errno;
            return current;
        }
        link.truncate(length);
        if (!link.startsWith('/')) {
            const int slash = current.lastIndexOf('/');
            link.prepend(slash < 0 ? QByteArray() : current.left(slash + 1));
        }
        current = link;
    }
    *error = ELOOP;
    return current;
}

// The permission bits a new file gets, read without changing the process's umask (which
// other threads may be creating files under).
mode_t newFileMode()
{
    static const mode_t mode = [] {
        mode_t mask = 022;
        if (std::FILE *status = std::fopen("/proc/self/status", "re")) {
            char line[128];
            while (std::fgets(line, sizeof line, status))
                if (std::sscanf(line, "Umask: %o", &mask) == 1)
                    break;
            std::fclose(status);
        }
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

void syncFolderOf(const QByteArray &path)
{
    const int slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(qMax(slash, 1));
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

AtomicFile::AtomicFile(const QString &path)
{
    int error = 0;
    m_target = followLinks(QFile::encodeName(path), &error);
    m_error = error;
}

AtomicFile::~AtomicFile()
{
    discard();
}

QString AtomicFile::target() const
{
    return QFile::decodeName(m_target);
}

bool AtomicFile::fail(int error)
{
    if (m_error == 0)
        m_error = error;
    setErrorString(describe(m_error));
    return false;
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
    if (isOpen())
        QIODevice::close();
}

bool AtomicFile::open(OpenMode)
{
    if (m_error != 0)
        return fail(m_error);
    struct stat info;
    if (::stat(m_target.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return fail(S_ISDIR(info.st_mode) ? EISDIR : NotRegularFile);
    QByteArray temporary = m_target + ".saving-XXXXXX";
    const int fd = lockedTemporary(&temporary);
    if (fd < 0)
        return fail(-fd);
    m_fd = fd;
    m_temporary = temporary;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 AtomicFile::readData(char *, qint64)
{
    return -1;
}

qint64 AtomicFile::writeData(const char *data, qint64 size)
{
    if (m_fd < 0 || m_error != 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t written = ::write(m_fd, data + done, size_t(size - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            fail(errno);
            return -1;
        }
        done += written;
    }
    return done;
}

bool AtomicFile::commit()
{
    if (m_fd < 0 || m_error != 0) {
        discard();
        return fail(m_error != 0 ? m_error : EBADF);
    }
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat old;
    const mode_t mode =
        ::stat(m_target.constData(), &old) == 0 ? old.st_mode & 07777 : newFileMode();
    int error = 0;
    if (::fchmod(m_fd, mode) != 0 || ::fsync(m_fd) != 0)
        error = errno;
    if (::close(m_fd) != 0 && error == 0)
        error = errno;
    m_fd = -1;
    if (error == 0 && ::rename(m_temporary.constData(), m_target.constData()) != 0)
        error = errno;
    if (error != 0) {
        discard();
        return fail(error);
    }
    m_temporary.clear();
    QIODevice::close();
    syncFolderOf(m_target);
    return true;
}

int AtomicFile::save(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    if (file.open() && file.write(bytes) == bytes.size() && file.commit())
        return 0;
    return file.error() != 0 ? file.error() : EIO;
}

int AtomicFile::lockedTemporary(QByteArray *pattern)
{
    const QByteArray base = *pattern;
    for (int attempt = 0; attempt < 8; ++attempt) {
        QByteArray name = base;
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return -errno;
        // A cleaner may have taken the new file for a stale one before the lock: then the
        // name no longer leads to this file, and another is made.
        struct stat mine, named;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 &&
            ::stat(name.constData(), &named) == 0 && mine.st_ino == named.st_ino &&
            mine.st_dev == named.st_dev) {
            *pattern = name;
            return fd;
        }
        ::close(fd);
    }
    return -EAGAIN;
}

namespace {

// Removes the unlocked regular files in `folder` that `ours` claims. Unlocked means their
// writer is gone: a running writer holds the lock to the end.
int removeUnlockedIf(const QString &folder, const QString &pattern,
                     const std::function<bool(const QString &)> &ours)
{
    int removed = 0;
    const QStringList names = QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (!ours(name))
            continue;
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened, named;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            ::lstat(path.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
            S_ISREG(opened.st_mode) && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

} // namespace

int AtomicFile::removeUnlocked(const QString &folder, const QString &prefix)
{
    return removeUnlockedIf(folder, prefix + QLatin1Char('*'),
                            [](const QString &) { return true; });
}

int AtomicFile::removeStaleTemporaries(const QStringList &paths)
{
    // One listing per folder, however many names it holds.
    QHash<QString, QSet<QString>> names;
    for (const QString &path : paths) {
        int error = 0;
        const QFileInfo target(QFile::decodeName(followLinks(QFile::encodeName(path), &error)));
        names[target.absolutePath()].insert(target.fileName());
    }
    int removed = 0;
    const QString marker = QStringLiteral(".saving-");
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        removed += removeUnlockedIf(
            it.key(), QLatin1Char('*') + marker + QStringLiteral("??????"),
            [&](const QString &name) { return it->contains(name.left(name.lastIndexOf(marker))); });
    return removed;
}

QString AtomicFile::describe(int error)
{
    switch (error) {
    case 0:
        return QString();
    case NotRegularFile:
        return QStringLiteral("it is not a regular file (a device, pipe or socket)");
    case EISDIR:
        return QStringLiteral("it is a folder");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("no space left on the disk");
    case EFBIG:
        return QStringLiteral("the file size limit was reached (ulimit -f)");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}
