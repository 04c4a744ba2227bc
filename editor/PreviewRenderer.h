#ifndef VELMORA_EDITOR_PREVIEWRENDERER_H
#define VELMORA_EDITOR_PREVIEWRENDERER_H

#include "ImageEffect.h"
#include "Picture.h"
#include "RecipeStep.h"

// The effect the user is choosing (group, effect, level) and its previews. It has a catalogue
// object of its own, so that a preview never changes what an apply is running with; the
// apply takes the choice as a recipe step.
class PreviewRenderer
{
public:
    ImageEffect &effect() { return m_effect; }
    const ImageEffect &effect() const { return m_effect; }
    int group() const { return m_group; }
    // Selects the group, its first effect and that effect's default level.
    void setGroup(int group);
    // Sets the level without rendering: the next render shows it.
    void setLevel(unsigned char level);

    // The chosen effect on `thumbnail`, a smaller copy of `working`.
    Picture render(const Picture &thumbnail, const Picture &working);

    // The choice as a step (an entry without a level takes none).
    RecipeStep step() const;

private:
    ImageEffect m_effect;
    int m_group = 0;
};

#endif
