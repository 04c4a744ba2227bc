#include "DisplayCache.h"

#include "ImageResizer.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

bool sameGrid(const Picture &a, const Picture &b)
{
    return !a.isNull() && !b.isNull() && a.grid().cacheKey() == b.grid().cacheKey() &&
           a.orientation() == b.orientation();
}

} // namespace

DisplayCache::DisplayCache(QObject *parent) : QObject(parent)
{
    m_resizeTimer.setSingleShot(true);
    m_resizeTimer.setInterval(kResizePause);
    connect(&m_resizeTimer, &QTimer::timeout, this, &DisplayCache::remake);
}

void DisplayCache::setViews(QWidget *display, QWidget *preview, bool centreClip)
{
    for (QWidget *view : {m_display.data(), m_preview.data()})
        if (view != nullptr)
            view->removeEventFilter(this);
    m_display = display;
    m_preview = preview;
    m_centreClip = centreClip;
    for (QWidget *view : {display, preview})
        if (view != nullptr)
            view->installEventFilter(this);
}

QSize DisplayCache::deviceBox(const QWidget *view)
{
    if (view == nullptr)
        return {};
    const qreal ratio = view->devicePixelRatioF();
    return QSize(int(std::floor(view->width() * ratio)), int(std::floor(view->height() * ratio)));
}

QSize DisplayCache::fittedSize(QSize size, QSize box)
{
    // A view not laid out yet gets the whole picture; the view fits it until the remake.
    if (box.isEmpty() || (size.width() <= box.width() && size.height() <= box.height()))
        return size;
    return size.scaled(box, Qt::KeepAspectRatio);
}

Picture DisplayCache::fitted(const Picture &picture, QSize box)
{
    if (picture.isNull())
        return Picture();
    const Picture upright = picture.upright();
    const QSize size = fittedSize(upright.grid().size(), box);
    if (size == upright.grid().size())
        return upright;
    return Picture(upright.grid().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QSize DisplayCache::hoverPreviewSize(QSizeF size)
{
    const qreal longSide = std::max(size.width(), size.height());
    const qreal shortSide = std::min(size.width(), size.height());
    const qreal grown = std::max(1.0, std::min(longSide / 640, shortSide / 360));
    return QSize(int(std::lround(kHoverPreview.width() * grown)),
                 int(std::lround(kHoverPreview.height() * grown)));
}

void DisplayCache::growHover(QWidget *hoverView, QSizeF size)
{
    if (hoverView == nullptr || m_preview == nullptr)
        return;
    const QSize box = hoverPreviewSize(size);
    const QPoint inset = m_preview->pos();
    m_preview->resize(box);
    hoverView->resize(box + QSize(2 * inset.x(), 2 * inset.y()));
}

// Only what changed is made again: the display picture when the photo or its size on screen
// changes, the previews' copies when the photo or the preview's box does.
void DisplayCache::setPicture(const Picture &working)
{
    const QSize displayBox = deviceBox(m_display), previewBox = deviceBox(m_preview);
    const bool sameWorking = sameGrid(working, m_working);
    const bool samePreviewBox = previewBox == m_previewBox;
    const QByteArray profile = working.metadata().iccProfile();
    if (profile != m_profile) {
        m_profile = profile;
        m_colorSpace = QColorSpace::fromIccProfile(profile);
        m_displayImage = Picture();
    }
    m_working = working;
    m_displayBox = displayBox;
    m_previewBox = previewBox;

    Picture fit;
    if (!sameWorking || m_displayImage.isNull() ||
        fittedSize(working.size().toSize(), displayBox) != m_displayImage.grid().size()) {
        fit = fitted(working, displayBox);
        m_displayImage = forScreen(fit);
    }
    // The split layout's halves are alike: the preview's copy is the display's, unconverted.
    if (!sameWorking || !samePreviewBox || m_thumbnailImage.isNull())
        m_thumbnailImage =
            !m_centreClip && previewBox == displayBox && !fit.isNull() ? fit : thumbnail(working);
    if (!sameWorking)
        emit workingChanged();
}

Picture DisplayCache::forScreen(const Picture &picture) const
{
    if (picture.isNull() || !m_colorSpace.isValid() ||
        m_colorSpace == QColorSpace(QColorSpace::SRgb))
        return picture;
    QImage grid = picture.grid();
    grid.setColorSpace(m_colorSpace);
    grid.convertToColorSpace(QColorSpace::SRgb);
    return Picture(grid, picture.orientation());
}

// The picture is converted whole, once, and kept: a pan then only cuts from it.
Picture DisplayCache::region(const Picture &picture, const QRect &source, QSize size)
{
    const Picture upright = picture.upright();
    const QRect part = source & upright.grid().rect();
    if (part.isEmpty() || size.isEmpty())
        return Picture();
    if (upright.grid().cacheKey() != m_screenKey) {
        m_screenKey = upright.grid().cacheKey();
        m_screen = forScreen(upright).grid();
    }
    const QImage grid = m_screen.copy(part);
    if (size.width() >= part.width() && size.height() >= part.height())
        return Picture(grid);
    return Picture(grid.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The floating preview shows the centre of the picture at half scale: a window twice its box,
// at the device pixels of the box but never more pixels than the window has.
Picture DisplayCache::thumbnail(const Picture &picture) const
{
    if (picture.isNull())
        return Picture();
    if (!m_centreClip || m_previewBox.isEmpty())
        return fitted(picture, m_previewBox);
    const QSizeF logical = m_preview->size();
    const QSize window(int(logical.width()) * 2, int(logical.height()) * 2);
    const QSize out = m_previewBox.boundedTo(window);
    const QPointF centre(picture.size().width() / 2, picture.size().height() / 2);
    if (out * 2 == window)
        return ImageResizer::clipImage(picture, centre, out.width(), out.height());
    const Picture clip = ImageResizer::fullClip(picture, centre, window.width(), window.height());
    if (clip.isNull() || out == window)
        return clip;
    return Picture(clip.grid().scaled(out, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

bool DisplayCache::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == m_display || watched == m_preview))
        m_resizeTimer.start();
    return QObject::eventFilter(watched, event);
}

void DisplayCache::remake()
{
    if (m_working.isNull() ||
        (deviceBox(m_display) == m_displayBox && deviceBox(m_preview) == m_previewBox))
        return;
    setPicture(m_working);
    emit remade();
}
