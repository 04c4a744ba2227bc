#ifndef VELMORA_GEOMETRY_REGULARFILE_H
#define VELMORA_GEOMETRY_REGULARFILE_H

#include <QByteArray>
#include <QString>

// Reads a file that may come from anywhere. Only a regular file is opened: a folder, a
// FIFO, a device or a socket is refused from its type, before anything could block or
// stream without end, and callers read no more than they set out to.
class RegularFile
{
public:
    explicit RegularFile(const QString &path) : m_path(path) {}
    ~RegularFile();

    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    // False, with errorString() saying why, when the file cannot be opened or is not a
    // regular file.
    bool open();
    // The size when opened.
    qint64 size() const { return m_size; }
    // Appends up to `count` bytes from where the last read stopped (fewer at the end).
    bool read(qint64 count, QByteArray *into);
    // Reads go on from `offset` bytes into the file.
    bool seek(qint64 offset);
    QString errorString() const { return m_error; }
    // The name exists but is not a regular file.
    bool wrongType() const { return m_wrongType; }

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
    qint64 m_size = 0;
    bool m_wrongType = false;
};

#endif
