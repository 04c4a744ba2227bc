#include "ImageUtils.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "Canvas.h"

namespace {

int side(qreal length)
{
    return static_cast<int>(std::lround(length));
}

} // namespace

Picture ImageUtils::screenshot(const Renderable &view)
{
    const QSize size = view.renderSize();
    Canvas canvas(size.width(), size.height(), Canvas::TopDown);
    if (QPainter *painter = canvas.painter())
        view.renderInto(*painter);
    return canvas.picture();
}

Picture ImageUtils::drawImage(const Picture &image, QSizeF toSize)
{
    Canvas canvas(side(toSize.width()), side(toSize.height()), Canvas::TopDown);
    canvas.drawPicture(image, QRectF(QPointF(0, 0), toSize));
    return canvas.picture();
}

Picture ImageUtils::drawImage(const Picture &image, QSizeF toSize, const QRectF &at)
{
    // A new canvas is already black.
    Canvas canvas(side(toSize.width()), side(toSize.height()), Canvas::TopDown);
    canvas.drawPicture(image, at);
    return canvas.picture();
}

QRectF ImageUtils::letterboxRect(QSizeF imageSize, QSizeF toSize, bool withLetterbox)
{
    const double W = toSize.width();
    const double H = toSize.height();
    const double ia = imageSize.width() / imageSize.height();
    const double ta = W / H;
    const bool fitWidth = withLetterbox ? ia > ta : ia <= ta;
    if (fitWidth)
        return QRectF(0, (H - W / ia) / 2, W, W / ia);
    return QRectF((W - ia * H) / 2, 0, ia * H, H);
}

Picture ImageUtils::drawImage(const Picture &image, QSizeF toSize, bool withLetterbox)
{
    if (image.isNull())
        return Picture();
    return drawImage(image, toSize, letterboxRect(image.size(), toSize, withLetterbox));
}

Picture ImageUtils::drawText(const QString &text, const QFont &withFont, const Picture &onto)
{
    const QSizeF size = onto.size();
    Canvas canvas(side(size.width()), side(size.height()), Canvas::TopDown);
    canvas.drawPicture(onto, QRectF(QPointF(0, 0), size));
    QPainter *painter = canvas.painter();
    if (!painter)
        return Picture();
    const QSizeF measured = QFontMetricsF(withFont).size(Qt::TextSingleLine, text);
    const qreal x = (size.width() - measured.width()) * 0.5 + 1;
    const qreal y = size.height() - measured.height() - 8;
    painter->setFont(withFont);
    painter->setRenderHint(QPainter::TextAntialiasing);
    painter->setPen(QColor(0, 0, 0, 191));
    painter->drawText(QRectF(QPointF(x, y), measured), Qt::AlignLeft | Qt::AlignTop, text);
    painter->setPen(QColor(255, 255, 255, 191));
    painter->drawText(QRectF(QPointF(x - 2, y - 2), measured), Qt::AlignLeft | Qt::AlignTop, text);
    return canvas.picture();
}
