#ifndef VELMORA_PLATFORM_ATOMICFILE_H
#define VELMORA_PLATFORM_ATOMICFILE_H

#include <QByteArray>
#include <QString>

// Replaces a file's contents all at once: the bytes go to a temporary file beside it, are
// flushed to the disk, and only then renamed over the old file. A crash, a full disk or a
// refused write leaves the old file as it was.
class AtomicFile
{
public:
    AtomicFile() = delete;

    // 0 on success, otherwise the errno of the step that failed.
    static int write(const QString &path, const QByteArray &bytes);
};

#endif
