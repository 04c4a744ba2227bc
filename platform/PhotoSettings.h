#ifndef VELMORA_APP_PHOTOSETTINGS_H
#define VELMORA_APP_PHOTOSETTINGS_H

#include "Picture.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

// The user's choices and the last working picture, kept between runs in an INI file
// (readable by QSettings; the picture is JPEG in base64 under "image").
// One instance lives while the application runs and is reached through settings().
// Setters change memory only; save() writes everything and is atomic, so an interrupted
// or refused save leaves the previous file readable.
class PhotoSettings : public QObject
{
    Q_OBJECT

public:
    // Turns a picture into the bytes stored under "image".
    using Encoder = std::function<QByteArray(const Picture &)>;

    // Loads from `fileName` (defaultFileName() when empty) and becomes the shared instance.
    explicit PhotoSettings(const QString &fileName = QString());
    ~PhotoSettings();

    // The shared instance, or null before one is made or after it is destroyed.
    static PhotoSettings *settings();
    // $VELMORA_SETTINGS when set, otherwise Velmora/settings.ini in the user's config folder.
    static QString defaultFileName();

    QString fileName() const { return m_fileName; }

    void load();
    // False when the file could not be written (the previous file is then intact) or the
    // held picture could not be encoded (the options are written, the picture is not).
    bool save();

    // Holds `image` unless it is the picture already held; a new one must be written again.
    void markImage(const Picture &image);

    bool animation() const { return m_animation; }
    void setAnimation(bool on) { m_animation = on; }
    bool update() const { return m_update; }
    void setUpdate(bool on) { m_update = on; }
    bool lefthand() const { return m_lefthand; }
    void setLefthand(bool on) { m_lefthand = on; }
    qint32 segment() const { return m_segment; }
    void setSegment(qint32 segment) { m_segment = segment; }
    qint32 photoSize() const { return m_photoSize; }
    void setPhotoSize(qint32 size) { m_photoSize = size; }
    qint32 uiType() const { return m_uiType; }
    void setUiType(qint32 type) { m_uiType = type; }
    const Picture &image() const { return m_image; }
    void setImage(const Picture &image);
    // The held picture is already in the file as it is now.
    bool imageSaved() const { return m_imageSaved; }

    // The main window's size and place, as QWidget::saveGeometry gives them; empty when unknown.
    QByteArray windowGeometry() const { return m_windowGeometry; }
    void setWindowGeometry(const QByteArray &geometry) { m_windowGeometry = geometry; }
    // The folder the last photo was picked from; empty when unknown.
    QString lastFolder() const { return m_lastFolder; }
    void setLastFolder(const QString &folder) { m_lastFolder = folder; }

    // Replaces the JPEG encoder (quality 90) used for "image".
    void setEncoder(Encoder encoder);

signals:
    // The held picture is another one now (markImage, setImage, load).
    void imageChanged();

private:
    void hold(const Picture &image);
    // The file's keys and values; a damaged or unreadable file is set aside and reads empty.
    QMap<QString, QString> readStore();
    void setAside(const QString &why);

    QString m_fileName;
    Encoder m_encoder;
    bool m_animation = true;
    bool m_update = false;
    bool m_lefthand = false;
    qint32 m_segment = 0;
    qint32 m_photoSize = 0;
    qint32 m_uiType = 0;
    Picture m_image;
    bool m_imageSaved = false;
    QByteArray m_windowGeometry;
    QString m_lastFolder;
};

#endif
