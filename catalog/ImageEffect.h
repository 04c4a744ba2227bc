#ifndef VELMORA_CATALOG_IMAGEEFFECT_H
#define VELMORA_CATALOG_IMAGEEFFECT_H

#include <memory>

#include <QString>

#include "ImageProcessingEffect.h"
#include "Picture.h"

class CImageEffect;

// The effect catalogue: four groups of effects with their display names, the current
// choice (group, effect, level), and the engine object for that choice, run through the
// bridge it derives from. The fourth group holds print formats (centred crops) and
// frames, which are computed here with the resizer instead of an engine object.
class ImageEffect : public ImageProcessingEffect
{
public:
    static constexpr int kGroupCount = 4;
    static constexpr int kFrameGroup = 3;
    static constexpr int kDefaultLevel = 10;
    static constexpr int kDefaultFrameLevel = 6;

    // The catalogue itself, for any group and index (outside the tables: 0, null, nullptr).
    static int effectCount(int group); // entries reachable by stepping
    static int tableSize(int group);   // every entry, including those beyond the count
    static QString effectName(int group, int index);
    static std::unique_ptr<CImageEffect> createProcessor(int group, int index);
    static bool isFrame(int group, int index);
    // The name of an entry's level (empty: it has none) and the level it starts at.
    static QString levelName(int group, int index);
    static bool hasLevel(int group, int index) { return !levelName(group, index).isEmpty(); }
    static int defaultLevel(int group, int index);
    // Whether the entry's engine draws random noise: such a step is made again to the byte only
    // from the seed it first ran with.
    static bool drawsNoise(int group, int index);

    ImageEffect() = default;
    ~ImageEffect() override = default;

    void setGroup(int group);
    void setRollback();
    int getEffectCount() const { return effectCount(m_group); }
    QString getEffect(int index) const { return effectName(m_group, index); }
    QString getEffect() const { return getEffect(m_effect); }
    int getEffectIndex(const QString &name) const;
    std::unique_ptr<CImageEffect> getEffectProcessor() const
    {
        return createProcessor(m_group, m_effect);
    }
    void resetProcessor() override;
    void nextEffect();
    void prevEffect();
    bool supportsLevel();
    unsigned char getLevel() const;
    Picture applyLevel(unsigned char level);
    Picture applyEffectStep1() override;

    int effect() const { return m_effect; }
    void setEffect(int effect) { m_effect = effect; }
    int level() const { return m_level; }
    void setLevel(int level) { m_level = level; }

private:
    void step(int delta);

    int m_group = 0;
    int m_effect = 0;
    int m_level = 0;
};

#endif
