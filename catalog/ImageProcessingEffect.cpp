#include "ImageProcessingEffect.h"

namespace {

constexpr int kMaxField = 65535;

} // namespace

ImageProcessingEffect::ImageProcessingEffect() = default;

// The engine object goes first, then the picture and any copy a render left behind.
ImageProcessingEffect::~ImageProcessingEffect()
{
    m_processor.reset();
}

void ImageProcessingEffect::setProcessor(std::unique_ptr<CImageEffect> processor)
{
    m_processor = std::move(processor);
}

void ImageProcessingEffect::discardCopy()
{
    m_imageData = QImage();
    m_bits = nullptr;
}

Picture ImageProcessingEffect::applyEffectStep1()
{
    discardCopy();
    m_refusal.clear();
    if (m_image.isNull() || !m_processor)
        return Picture();
    const QImage &grid = m_image.grid();
    // 4 bytes a pixel make the row length the tightest of the three limits.
    const qint64 rowBytes = qint64(grid.width()) * 4;
    if (grid.width() > kMaxField || grid.height() > kMaxField || rowBytes > kMaxField ||
        grid.bytesPerLine() > kMaxField) {
        m_refusal = QStringLiteral("The picture is %1 x %2 pixels; effects work on pictures "
                                   "at most %3 pixels wide and %4 pixels high.")
                        .arg(grid.width())
                        .arg(grid.height())
                        .arg(kMaxField / 4)
                        .arg(kMaxField);
        return Picture();
    }
    // Pictures hold the engine's layout already; anything else is converted, which is
    // then the one copy.
    m_imageData = grid.format() == QImage::Format_RGB32
                      ? grid.copy()
                      : grid.convertToFormat(QImage::Format_RGB32);
    if (m_imageData.isNull()) {
        m_refusal = QStringLiteral("There is not enough memory to copy the picture.");
        return Picture();
    }
    m_bits = m_imageData.bits();
    m_width = static_cast<unsigned short>(m_imageData.width());
    m_height = static_cast<unsigned short>(m_imageData.height());
    m_stride = static_cast<unsigned short>(m_imageData.bytesPerLine());
    return Picture();
}

void ImageProcessingEffect::applyEffectStep2()
{
    if (!m_bits || !m_processor)
        return;
    if (m_scale != 0.0f)
        m_processor->SetScale(m_scale);
    m_processor->SetInput(m_bits, m_width, m_height, m_stride);
    m_processor->Process();
}

Picture ImageProcessingEffect::applyEffectStep3()
{
    if (!m_bits)
        return Picture();
    // The new picture shares the copy's storage; dropping our handle leaves it the owner.
    Picture result(m_imageData);
    m_imageData = QImage();
    m_bits = nullptr;
    return result;
}

Picture ImageProcessingEffect::applyEffect()
{
    Picture finished = applyEffectStep1();
    if (!finished.isNull())
        return finished;
    applyEffectStep2();
    return applyEffectStep3();
}

void ImageProcessingEffect::resetProcessor() {}
