#ifndef VELMORA_GEOMETRY_RENDERABLE_H
#define VELMORA_GEOMETRY_RENDERABLE_H

#include <QSize>

class QPainter;

// Something that draws its current content into a painter: how the drawing layer takes a
// view without knowing about widgets.
class Renderable
{
public:
    virtual ~Renderable() = default;
    // The size of the content, in logical pixels.
    virtual QSize renderSize() const = 0;
    // Draws the content with its top-left corner at the painter's origin.
    virtual void renderInto(QPainter &painter) const = 0;
};

#endif
