#include "Picture.h"

Picture::Picture(const QImage &grid, Orientation orientation)
    : m_grid(grid.format() == QImage::Format_RGB32 || grid.isNull()
                 ? grid
                 : grid.convertToFormat(QImage::Format_RGB32)),
      m_orientation(orientation)
{
}

QSizeF Picture::size() const
{
    const QSizeF stored = m_grid.size();
    return isSideways(m_orientation) ? stored.transposed() : stored;
}
