#ifndef VELMORA_PLATFORM_PHOTOALBUM_H
#define VELMORA_PLATFORM_PHOTOALBUM_H

#include "Picture.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// The photo album: a folder of JPEG files. Saving encodes and writes off the main thread,
// under a new name that never replaces an existing picture, and a half-written file is
// never visible under that name. The completion comes back on the main thread.
class PhotoAlbum
{
public:
    enum class Error
    {
        None,
        NoPicture,
        NotWritable,
        DiskFull,
        EncodeFailed,
        WriteFailed
    };

    struct SaveResult
    {
        Error error = Error::None;
        QString filePath; // the new picture, when saved
        QString message;  // what went wrong, for the user

        bool ok() const { return error == Error::None; }
    };

    using Completion = std::function<void(const SaveResult &)>;
    // The time a saved picture is named after; read on the saving thread.
    using Clock = std::function<QDateTime()>;

    // The album in `folder`; an empty folder means defaultFolder().
    explicit PhotoAlbum(const QString &folder = QString());

    // Pictures/Velmora in the user's pictures folder, or $VELMORA_ALBUM when set.
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Saves on a worker thread; `done` runs on the main thread unless `context` (a
    // main-thread object) has been destroyed by then.
    void save(const Picture &picture, QObject *context, Completion done) const;

    // The whole save on the calling thread: encode, write, name. `save` runs this.
    static SaveResult saveNow(const Picture &picture, const QString &folder,
                              const QDateTime &when = QDateTime::currentDateTime());

    // The album's pictures, oldest name first, as absolute paths.
    QStringList pictures() const;

private:
    QString m_folder;
    Clock m_clock = [] { return QDateTime::currentDateTime(); };
};

#endif
