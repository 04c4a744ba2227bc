#ifndef VELMORA_GEOMETRY_PICTURE_H
#define VELMORA_GEOMETRY_PICTURE_H

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QTransform>

#include "PhotoMetadata.h"

// An immutable, implicitly shared picture: a pixel grid in the engine's layout
// (QImage::Format_RGB32, bytes blue, green, red, 0xFF) and an orientation tag that says
// how the grid must be turned to stand upright, and the metadata of the photo it shows.
// Operations return new pictures; only upright() keeps the metadata, the places that
// carry a photo through its edits pass it on with withMetadata().
class Picture
{
public:
    enum Orientation
    {
        Up = 0,
        Down = 1,
        Left = 2,
        Right = 3,
        UpMirrored = 4,
        DownMirrored = 5,
        LeftMirrored = 6,
        RightMirrored = 7,
    };

    Picture() = default;
    // The grid is converted to Format_RGB32 when it is in any other format.
    // Tags outside 0..7 are read as Up.
    explicit Picture(const QImage &grid, Orientation orientation = Up);

    bool isNull() const { return m_grid.isNull(); }
    const QImage &grid() const { return m_grid; }
    Orientation orientation() const { return m_orientation; }
    const PhotoMetadata &metadata() const { return m_metadata; }
    Picture withMetadata(const PhotoMetadata &metadata) const;
    // The upright size: the grid's size, turned for the left and right orientations.
    QSizeF size() const;

    // Maps points of the stored grid (top-down, pixel corners) to the upright picture.
    QTransform uprightTransform() const { return uprightTransform(m_orientation, m_grid.size()); }
    static QTransform uprightTransform(Orientation orientation, QSizeF stored);
    // The same picture with its pixels turned upright and the tag Up; an exact pixel copy.
    Picture upright() const;

    static bool isSideways(Orientation orientation) { return (orientation & 2) != 0; }

private:
    Picture turnedUpright() const;

    QImage m_grid;
    Orientation m_orientation = Up;
    PhotoMetadata m_metadata;
};

#endif
