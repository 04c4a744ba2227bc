#ifndef VELMORA_CATALOG_IMAGEPROCESSINGEFFECT_H
#define VELMORA_CATALOG_IMAGEPROCESSINGEFFECT_H

#include <memory>

#include <QImage>
#include <QString>

#include "CImageEffect.h"
#include "Picture.h"

// Renders a picture through an engine object in three steps:
//   1. (main thread) copy the picture's pixels, once;
//   2. (any thread) the engine object rewrites that copy in place;
//   3. (main thread) the copy becomes the new picture's storage, without a second copy.
// Steps of two renders must not interleave, and image, scale and the engine object must
// stay unchanged from step 1 to step 3. Step 2 touches only the copy and the engine object.
//
// A picture too large for the engine's 16-bit width, height or row length is refused in
// step 1: the render yields a null picture and refusal() says why.
class ImageProcessingEffect
{
public:
    ImageProcessingEffect();
    virtual ~ImageProcessingEffect();
    ImageProcessingEffect(const ImageProcessingEffect &) = delete;
    ImageProcessingEffect &operator=(const ImageProcessingEffect &) = delete;

    // Null here; a subclass may return a finished picture, which ends the render.
    virtual Picture applyEffectStep1();
    void applyEffectStep2();
    Picture applyEffectStep3();
    Picture applyEffect();
    virtual void resetProcessor();

    const Picture &image() const { return m_image; }
    void setImage(const Picture &image) { m_image = image; }
    // Width of image over the width of the full working picture; 0 leaves the engine
    // object's own scale.
    float scale() const { return m_scale; }
    void setScale(float scale) { m_scale = scale; }

    // Why the last step 1 refused the picture; empty when it did not.
    QString refusal() const { return m_refusal; }

protected:
    CImageEffect *processor() const { return m_processor.get(); }
    void setProcessor(std::unique_ptr<CImageEffect> processor);
    // Drops a pixel copy that an unfinished render left, so steps 2 and 3 do nothing.
    void discardCopy();

private:
    std::unique_ptr<CImageEffect> m_processor;
    Picture m_image;
    float m_scale = 0.0f;
    // The pixel copy from step 1 to step 3; m_bits is taken on the main thread so that
    // step 2 never touches the QImage itself.
    QImage m_imageData;
    unsigned char *m_bits = nullptr;
    unsigned short m_width = 0;
    unsigned short m_height = 0;
    unsigned short m_stride = 0;
    QString m_refusal;
};

#endif
