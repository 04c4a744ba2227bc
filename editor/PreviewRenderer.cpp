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

Picture PreviewRenderer::render(const Picture &thumbnail, const Picture &working)
{
    if (thumbnail.isNull() || working.isNull())
        return Picture();
    m_effect.setImage(thumbnail);
    // Level-dependent widths and radii are given for the working picture; the thumbnail
    // scales them down.
    m_effect.setScale(float(thumbnail.size().width() / working.size().width()));
    return m_effect.applyEffect();
}

RecipeStep PreviewRenderer::step() const
{
    RecipeStep step;
    step.group = m_group;
    step.index = m_effect.effect();
    if (ImageEffect::hasLevel(m_group, step.index))
        step.level = m_effect.getLevel();
    return step;
}
