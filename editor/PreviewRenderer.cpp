#include "PreviewRenderer.h"

void PreviewRenderer::setGroup(int group)
{
    m_group = group;
    m_effect.setGroup(group);
}

void PreviewRenderer::setLevel(unsigned char level)
{
    // The catalogue renders on setting a level; without a picture that costs nothing.
    m_effect.setImage(Picture());
    m_effect.applyLevel(level);
}

Picture PreviewRenderer::render(const Picture &thumbnail, const Picture &previousThumbnail,
                                const Picture &working)
{
    if (thumbnail.isNull() || working.isNull())
        return Picture();
    m_effect.setImage(thumbnail);
    m_effect.setPreviousImage(previousThumbnail);
    // Level-dependent widths and radii are given for the working picture; the thumbnail
    // scales them down.
    m_effect.setScale(float(thumbnail.size().width() / working.size().width()));
    return m_effect.applyEffect();
}

void PreviewRenderer::copyChoiceTo(ImageEffect &target) const
{
    target.setImage(Picture());
    target.setGroup(m_group);
    target.setEffect(m_effect.effect());
    target.resetProcessor();
    // Without a picture the level is only set; nothing is rendered.
    target.applyLevel(m_effect.getLevel());
}
