#include "ImageResizer.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QtMath>

#include "Canvas.h"

namespace {

int truncated(double value)
{
    if (!(value > 0))
        return 0;
    return value >= INT_MAX ? INT_MAX : static_cast<int>(value);
}

// A window in top-down grid coordinates, widened to whole pixels and cut to the grid.
QImage cutWindow(const QImage &grid, const QRectF &window)
{
    // Edges are held to the grid before they become integers: a centre far outside it
    // (or not a number) must not overflow the conversion. The grid's edges are whole, so
    // this cuts exactly as widening first would.
    const auto held = [](qreal edge, int limit) {
        return edge > 0 ? std::min<qreal>(edge, limit) : 0;
    };
    const int left = static_cast<int>(std::floor(held(window.left(), grid.width())));
    const int top = static_cast<int>(std::floor(held(window.top(), grid.height())));
    const int right = static_cast<int>(std::ceil(held(window.right(), grid.width())));
    const int bottom = static_cast<int>(std::ceil(held(window.bottom(), grid.height())));
    const QRect cut = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & grid.rect();
    if (cut.isEmpty())
        return QImage();
    return grid.copy(cut);
}

enum class Fallback
{
    Centred,
    FarEdge
};

Picture clip(const Picture &image, QPointF at, unsigned width, unsigned height, double zoom,
             Fallback fallback)
{
    const QImage &grid = image.grid();
    if (image.isNull() || width == 0 || height == 0)
        return Picture();
    const double iw = grid.width();
    const double ih = grid.height();
    QRectF window;
    if (iw >= zoom * width && ih >= zoom * height) {
        window = QRectF(at.x() - zoom * width / 2, at.y() - zoom * height / 2, zoom * width,
                        zoom * height);
        window.moveLeft(std::max<qreal>(window.left(), 0));
        window.moveTop(std::max<qreal>(window.top(), 0));
    } else {
        const double ta = double(width) / height;
        const double ia = iw / ih;
        const bool centred = fallback == Fallback::Centred;
        if (ia > ta) {
            const unsigned cw = static_cast<unsigned>(ih * ta);
            window = QRectF(centred ? (iw - cw) * 0.5 : iw - cw, 0, cw, ih);
        } else {
            const unsigned ch = static_cast<unsigned>(iw / ta);
            window = QRectF(0, centred ? (ih - ch) * 0.5 : ih - ch, iw, ch);
        }
    }
    const QImage cut = cutWindow(grid, window);
    Canvas canvas(truncated(width), truncated(height));
    canvas.drawGrid(cut, QRectF(0, 0, width, height));
    return canvas.picture();
}

} // namespace

QSize ImageResizer::fittedSize(QSizeF size, QSizeF box)
{
    const double w = size.width();
    const double h = size.height();
    const double tw = box.width();
    const double th = box.height();
    if (!(tw > 0 && th > 0))
        return QSize(truncated(w), truncated(h));
    const double bw = w > h ? std::max(tw, th) : std::min(tw, th);
    const double bh = w > h ? std::min(tw, th) : std::max(tw, th);
    if (!(w > bw && h > bh))
        return QSize(truncated(w), truncated(h));
    // The side that sets the scale lands on the box exactly; dividing by a rounded scale
    // could drop it a pixel below and then four more to the multiple of 4.
    int fw, fh;
    if (w / bw >= h / bh) {
        fw = truncated(bw);
        fh = truncated(h * bw / w);
    } else {
        fw = truncated(w * bh / h);
        fh = truncated(bh);
    }
    return QSize(fw - fw % 4, fh - fh % 4);
}

Picture ImageResizer::colorMatch(const Picture &image, QSizeF toSize)
{
    if (image.isNull())
        return Picture();
    const QSize out = fittedSize(image.size(), toSize);
    // Upright already and at the size asked for: drawing it would only copy it.
    if (image.orientation() == Picture::Up && out == image.grid().size())
        return Picture(image.grid());
    const int W = out.width();
    const int H = out.height();
    Canvas canvas(W, H);
    QRectF rect(0, 0, W, H);
    switch (image.orientation()) {
    case Picture::Up:
        break;
    case Picture::Down:
        canvas.translate(W, H);
        canvas.rotate(180);
        break;
    case Picture::Left:
        canvas.translate(W, 0);
        canvas.rotate(90);
        rect = QRectF(0, 0, H, W);
        break;
    case Picture::Right:
        canvas.translate(0, H);
        canvas.rotate(-90);
        rect = QRectF(0, 0, H, W);
        break;
    case Picture::UpMirrored:
        canvas.translate(W, 0);
        canvas.scale(-1, 1);
        break;
    case Picture::DownMirrored:
        canvas.translate(0, H);
        canvas.scale(1, -1);
        break;
    case Picture::LeftMirrored:
        canvas.translate(W, H);
        canvas.rotate(90);
        canvas.scale(-1, 1);
        rect = QRectF(0, 0, H, W);
        break;
    case Picture::RightMirrored:
        canvas.rotate(90);
        canvas.scale(1, -1);
        rect = QRectF(0, 0, H, W);
        break;
    }
    canvas.drawGrid(image.grid(), rect);
    return canvas.picture();
}

Picture ImageResizer::resizeImage(const Picture &image, float aspectRatio)
{
    if (image.isNull() || !(aspectRatio > 0))
        return Picture();
    const double w = image.size().width();
    const double h = image.size().height();
    const double r = w / h;
    double a = aspectRatio;
    if ((r > 1 && a < 1) || (r < 1 && a > 1))
        a = 1 / a;
    const double W = a < r ? a * h : w;
    const double H = a < r ? h : w / a;
    Canvas canvas(static_cast<int>(std::lround(W)), static_cast<int>(std::lround(H)),
                  Canvas::TopDown);
    canvas.drawPicture(image, QRectF((W - w) / 2, (H - h) / 2, w, h));
    return canvas.picture();
}

Picture ImageResizer::addBorder(const Picture &image, float width, const QColor &withColor)
{
    if (image.isNull())
        return Picture();
    const double w = image.size().width();
    const double h = image.size().height();
    Canvas canvas(truncated(w), truncated(h));
    canvas.drawGrid(image.grid(), QRectF(0, 0, w, h));
    const double t = double(width) * w;
    canvas.fillRect(QRectF(0, 0, w, t), withColor);
    canvas.fillRect(QRectF(0, 0, t, h), withColor);
    canvas.fillRect(QRectF(0, h - t, w, t), withColor);
    canvas.fillRect(QRectF(w - t, 0, t, h), withColor);
    return canvas.picture();
}

Picture ImageResizer::resizeImage(const Picture &image, unsigned width, unsigned height,
                                  bool keepAspectRatio, bool letterbox)
{
    Q_UNUSED(letterbox);
    const quint64 iw = image.grid().width();
    const quint64 ih = image.grid().height();
    if (iw == 0 || ih == 0 || width == 0 || height == 0)
        return Picture();
    Canvas canvas(truncated(width), truncated(height));
    QRectF rect(0, 0, width, height);
    if (keepAspectRatio) {
        // Integer arithmetic gives the exact truncation of iw / ih x height.
        if (iw * height < ih * width) {
            const quint64 dw = iw * height / ih;
            rect = QRectF((width - dw) / 2, 0, dw, height);
        } else {
            const quint64 dh = ih * width / iw;
            rect = QRectF(0, (height - dh) / 2, width, dh);
        }
    }
    canvas.drawGrid(image.grid(), rect);
    return canvas.picture();
}

Picture ImageResizer::clipImage(const Picture &image, QPointF at, unsigned width, unsigned height)
{
    return clip(image, at, width, height, 2, Fallback::Centred);
}

Picture ImageResizer::fullClip(const Picture &image, QPointF at, unsigned width, unsigned height)
{
    return clip(image, at, width, height, 1, Fallback::FarEdge);
}

Picture ImageResizer::drawImage(const Picture &image, QSizeF to, QPointF centeredAt, float scale,
                                float rotate)
{
    if (image.isNull())
        return Picture();
    const int w = truncated(to.width());
    const int h = truncated(to.height());
    const double hw = w / 2.0;
    const double hh = h / 2.0;
    const double theta = rotate;
    const double F = hw * std::cos(theta) + hh * std::sin(theta);
    const double G = hh * std::cos(theta) - hw * std::sin(theta);
    Canvas canvas(w, h);
    canvas.scale(scale, scale);
    canvas.translate(centeredAt.x() - F, centeredAt.y() - G);
    canvas.rotate(-qRadiansToDegrees(theta));
    canvas.drawGrid(image.grid(), QRectF(0, 0, w, h));
    return canvas.picture();
}
