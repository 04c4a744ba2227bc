#include "ImageTableViewCell.h"

#include "ImageView.h"
#include "View.h"

#include <QLabel>

ImageTableViewCell::ImageTableViewCell(const QString &reuseIdentifier, QWidget *parent)
    : CustomTableViewCell(reuseIdentifier, parent)
{
    resize(320, Height);
    label()->setGeometry(60, 11, 217, 21);
    imageView()->setGeometry(20, 6, 32, 32);
    imageView()->show();
}

ImageTableViewCell *ImageTableViewCell::initWithIdentifier(const QString &reuseIdentifier)
{
    return new ImageTableViewCell(reuseIdentifier);
}

void ImageTableViewCell::setImage(const Picture &image)
{
    imageView()->setImage(image);
}

void ImageTableViewCell::enable(bool enabled)
{
    m_enabledLook = enabled;
    View::setAlpha(imageView(), enabled ? 1.0 : 0.5);
    QPalette palette = label()->palette();
    palette.setColor(QPalette::WindowText, enabled ? QColor(Qt::black) : QColor(Qt::gray));
    label()->setPalette(palette);
    setSelectionStyle(enabled ? SelectionStyleBlue : SelectionStyleNone);
}
