#ifndef VELMORA_PLATFORM_IMAGEVIEW_H
#define VELMORA_PLATFORM_IMAGEVIEW_H

#include "Picture.h"

#include <QWidget>

// A view that shows a picture, upright (its orientation tag applied), in one of the content
// modes. Like the phone's image view it takes no touches until user interaction is enabled
// (View::setUserInteractionEnabled).
class ImageView : public QWidget
{
    Q_OBJECT

public:
    enum class ContentMode
    {
        ScaleToFill, // the default: stretched to the bounds
        ScaleAspectFit,
        ScaleAspectFill,
        Center,
        // Fitted like ScaleAspectFit but never past one picture pixel per device pixel; a
        // picture made for the view's device pixels is drawn pixel for pixel.
        ScaleDownToFit
    };

    explicit ImageView(QWidget *parent = nullptr);
    explicit ImageView(const Picture &image, QWidget *parent = nullptr);

    const Picture &image() const { return m_image; }
    void setImage(const Picture &image);

    ContentMode contentMode() const { return m_contentMode; }
    void setContentMode(ContentMode mode);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_image;
    ContentMode m_contentMode = ContentMode::ScaleToFill;
};

#endif
