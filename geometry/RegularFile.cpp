#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString typeRefusal(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe (FIFO), not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    return QStringLiteral("it is not a regular file");
}

} // namespace

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RegularFile::open()
{
    const QByteArray name = QFile::encodeName(m_path);
    struct stat before;
    if (::stat(name.constData(), &before) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // Opening some devices has effects of its own, so the type is checked first; the
    // descriptor is checked again in case the name was swapped in between.
    if (!S_ISREG(before.st_mode)) {
        m_wrongType = true;
        m_error = typeRefusal(before.st_mode);
        return false;
    }
    m_fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat opened;
    if (::fstat(m_fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        m_wrongType = true;
        m_error = typeRefusal(opened.st_mode);
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_size = opened.st_size;
    return true;
}

bool RegularFile::read(qint64 count, QByteArray *into)
{
    if (m_fd < 0)
        return false;
    const qsizetype start = into->size();
    into->resize(start + count);
    qint64 done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_fd, into->data() + start + done, size_t(count - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            into->resize(start);
            return false;
        }
        if (got == 0)
            break;
        done += got;
    }
    into->resize(start + done);
    return true;
}

bool RegularFile::seek(qint64 offset)
{
    if (m_fd < 0)
        return false;
    if (::lseek(m_fd, off_t(offset), SEEK_SET) < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}
