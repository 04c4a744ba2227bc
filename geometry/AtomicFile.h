#ifndef VELMORA_GEOMETRY_ATOMICFILE_H
#define VELMORA_GEOMETRY_ATOMICFILE_H

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

// Replaces a file's contents all at once: the bytes go to a temporary file beside it, are
// flushed to the disk, and only then renamed over the old file. A crash, a full disk or a
// refused write leaves the old file as it was.
//
// A name that is a symbolic link is written through to the link's target. Only a regular
// file is ever replaced: a folder, a device, a FIFO or a socket under the name is refused.
// The temporary file ("<name>.saving-XXXXXX") is locked while it is written, so the
// temporaries of a writer that was killed can be told apart and removed later.
class AtomicFile : public QIODevice
{
public:
    // errno-like code for a name that is not a regular file.
    static constexpr int NotRegularFile = -1;

    explicit AtomicFile(const QString &path);
    ~AtomicFile() override;

    // Creates the temporary file (write-only whatever the mode). False, with error() set,
    // when it cannot be made or the name is not a regular file.
    bool open(OpenMode mode = WriteOnly) override;
    // Makes the written bytes the file's contents; false, with error() set, otherwise.
    // A file that is never committed leaves no trace.
    bool commit();
    // The errno of the first step that failed (NotRegularFile, see above), 0 if none.
    int error() const { return m_error; }
    // The file actually replaced: the path with its links followed.
    QString target() const;

    // 0 on success, otherwise the errno of the step that failed.
    static int save(const QString &path, const QByteArray &bytes);
    // Removes the temporaries that writers of `paths` left behind when they were killed;
    // those of a writer still running are locked and kept. Returns how many went.
    static int removeStaleTemporaries(const QStringList &paths);
    // What went wrong, worded for the user.
    static QString describe(int error);

    // A new temporary file made from `pattern` (ending in XXXXXX, which mkstemp fills in),
    // locked; the descriptor, or -errno.
    static int lockedTemporary(QByteArray *pattern);
    // Removes the unlocked files in `folder` whose names start with `prefix`.
    static int removeUnlocked(const QString &folder, const QString &prefix);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool fail(int error);
    void discard();

    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_error = 0;
};

#endif
