#ifndef VELMORA_EDITOR_DISPLAYCACHE_H
#define VELMORA_EDITOR_DISPLAYCACHE_H

#include "Picture.h"

#include <QByteArray>
#include <QColorSpace>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTimer>

class QWidget;

// The pictures the editor puts on screen, made for the device pixels of the views that show
// them: the working picture fitted to its view, and the small copies previews are rendered
// on, fitted to the preview's view or cut from the picture's centre. None is larger than the
// working picture. What goes on screen is converted from the working picture's colour profile
// to sRGB; the working picture itself keeps its values and its profile.
//
// When a view changes size the pictures are made again, once the resizing has paused, so that
// dragging a window edge does not queue a remake for every step of the drag.
class DisplayCache : public QObject
{
    Q_OBJECT

public:
    // How long a resize waits for the next before the pictures are remade, in milliseconds.
    static constexpr int kResizePause = 60;
    // The floating preview's box in a phone-sized window (360 x 640 or 640 x 360).
    static constexpr QSize kHoverPreview{128, 96};

    explicit DisplayCache(QObject *parent = nullptr);

    // `display` shows the working picture, `preview` the previews. With `centreClip` previews
    // are made on a window of the picture's centre at half scale (the floating preview),
    // otherwise on the whole picture.
    void setViews(QWidget *display, QWidget *preview, bool centreClip);

    // Makes the pictures for `working`.
    void setPicture(const Picture &working);
    const Picture &displayImage() const { return m_displayImage; }
    const Picture &thumbnailImage() const { return m_thumbnailImage; }
    const Picture &workingImage() const { return m_working; }

    // A picture made from the working picture, in sRGB for the screen.
    Picture forScreen(const Picture &picture) const;
    // The part `source` of the upright `picture`, for the screen: what a zoomed view shows.
    // Smoothly reduced to `size` device pixels when that is smaller; otherwise at its own
    // pixels, which the view enlarges as crisp blocks while it draws them.
    Picture region(const Picture &picture, const QRect &source, QSize size);

    // A view's size in device pixels.
    static QSize deviceBox(const QWidget *view);
    // Upright and reduced to fit `box` when larger; never enlarged. An empty box keeps the size.
    static Picture fitted(const Picture &picture, QSize box);
    static QSize fittedSize(QSize size, QSize box);
    // The floating preview's box in a container of `size`: the phone's, grown with the window.
    static QSize hoverPreviewSize(QSizeF size);
    // Sizes the preview view to that box and `hoverView`, the window around it, to match.
    void growHover(QWidget *hoverView, QSizeF size);

signals:
    // The views' boxes changed and the pictures were made again for them.
    void remade();
    // setPicture was given another working picture.
    void workingChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Picture thumbnail(const Picture &picture) const;
    void remake();

    QPointer<QWidget> m_display;
    QPointer<QWidget> m_preview;
    bool m_centreClip = false;
    QTimer m_resizeTimer;

    Picture m_working;
    QByteArray m_profile;
    QColorSpace m_colorSpace;
    QSize m_displayBox;
    QSize m_previewBox;
    Picture m_displayImage;
    Picture m_thumbnailImage;
    qint64 m_screenKey = 0; // the picture m_screen was converted from
    QImage m_screen;
};

#endif
