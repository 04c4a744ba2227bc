#ifndef VELMORA_EDITOR_PREVIEWRENDERER_H
#define VELMORA_EDITOR_PREVIEWRENDERER_H

#include "ImageEffect.h"
#include "Picture.h"

// The effect the user is choosing (group, effect, level) and its previews. It has a catalogue
// object of its own, so that a preview never changes the one an apply is running with; the
// apply takes a copy of the choice.
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

    // The chosen effect on `thumbnail`, a smaller copy of `working`; `previousThumbnail` is
    // the same copy of the picture before the last step, or null.
    Picture render(const Picture &thumbnail, const Picture &previousThumbnail,
                   const Picture &working);

    // Makes `target` the same choice, with no picture yet.
    void copyChoiceTo(ImageEffect &target) const;

private:
    ImageEffect m_effect;
    int m_group = 0;
};

#endif
