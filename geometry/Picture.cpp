#include "Picture.h"

namespace {

Picture::Orientation validOrientation(Picture::Orientation orientation)
{
    const int value = static_cast<int>(orientation);
    return value >= 0 && value <= 7 ? orientation : Picture::Up;
}

// Quarter turn clockwise: exact, no resampling.
QImage turnedClockwise(const QImage &grid)
{
    return grid.transformed(QTransform().rotate(90));
}

} // namespace

Picture::Picture(const QImage &grid, Orientation orientation)
    : m_grid(grid.format() == QImage::Format_RGB32 || grid.isNull()
                 ? grid
                 : grid.convertToFormat(QImage::Format_RGB32)),
      m_orientation(validOrientation(orientation))
{
}

QSizeF Picture::size() const
{
    const QSizeF stored = m_grid.size();
    return isSideways(m_orientation) ? stored.transposed() : stored;
}

QTransform Picture::uprightTransform(Orientation orientation, QSizeF stored)
{
    const qreal w = stored.width();
    const qreal h = stored.height();
    // Row-vector matrices: x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy.
    switch (validOrientation(orientation)) {
    case Up:
        return QTransform();
    case Down:
        return QTransform(-1, 0, 0, -1, w, h);
    case Left: // top edge becomes the left edge
        return QTransform(0, -1, 1, 0, 0, w);
    case Right: // top edge becomes the right edge
        return QTransform(0, 1, -1, 0, h, 0);
    case UpMirrored:
        return QTransform(-1, 0, 0, 1, w, 0);
    case DownMirrored:
        return QTransform(1, 0, 0, -1, 0, h);
    case LeftMirrored: // transposed
        return QTransform(0, 1, 1, 0, 0, 0);
    case RightMirrored: // transposed across the other diagonal
        return QTransform(0, -1, -1, 0, h, w);
    }
    return QTransform();
}

Picture Picture::withMetadata(const PhotoMetadata &metadata) const
{
    Picture picture = *this;
    picture.m_metadata = metadata;
    return picture;
}

Picture Picture::upright() const
{
    return turnedUpright().withMetadata(m_metadata);
}

Picture Picture::turnedUpright() const
{
    switch (m_orientation) {
    case Up:
        return *this;
    case Down:
        return Picture(m_grid.mirrored(true, true));
    case Left:
        return Picture(turnedClockwise(m_grid).mirrored(true, true));
    case Right:
        return Picture(turnedClockwise(m_grid));
    case UpMirrored:
        return Picture(m_grid.mirrored(true, false));
    case DownMirrored:
        return Picture(m_grid.mirrored(false, true));
    case LeftMirrored:
        return Picture(turnedClockwise(m_grid).mirrored(true, false));
    case RightMirrored:
        return Picture(turnedClockwise(m_grid).mirrored(false, true));
    }
    return *this;
}
