#include "ImageEffect.h"

#include <memory>

#include <QColor>

#include "C30sPhotoImageEffect.h"
#include "C70sPhotoImageEffect.h"
#include "CAutoColorBalanceImageEffect.h"
#include "CAutoCorrectionImageEffect.h"
#include "CAutoSaturationImageEffect.h"
#include "CBlackAndWhiteImageEffect.h"
#include "CBlackAndWhiteSkintoneHighlightImageEffect.h"
#include "CBrightnessImageEffect.h"
#include "CColorBalanceImageEffect.h"
#include "CColorLineArtImageEffect.h"
#include "CColorNegativeImageEffect.h"
#include "CColorPencilImageEffect.h"
#include "CColorSaturationImageEffect.h"
#include "CColorSculptureImageEffect.h"
#include "CContrastImageEffect.h"
#include "CDramaticBlackAndWhiteImageEffect.h"
#include "CInfraRedImageEffect.h"
#include "CInkedImageEffect.h"
#include "CNightGainImageEffect.h"
#include "CNightVisionImageEffect.h"
#include "CPosterizationImageEffect.h"
#include "CSculptureImageEffect.h"
#include "CSepiaImageEffect.h"
#include "CStencilImageEffect.h"
#include "CWaterColorImageEffect.h"
#include "CXRayImageEffect.h"
#include "ImageResizer.h"

namespace {

struct Entry
{
    const char *name;
    CImageEffect *(*create)();
    float ratio;        // print formats: the crop's aspect ratio
    bool noise = false; // the engine draws random noise
};

template <class Effect> CImageEffect *make()
{
    return new Effect;
}

struct Group
{
    const Entry *entries;
    int size;
    int count; // reachable by stepping
};

const Entry kAdjustments[] = {
    {"Auto Correction", make<CAutoCorrectionImageEffect>, 0},
    {"White Balance", make<CAutoColorBalanceImageEffect>, 0},
    {"Saturated", make<CAutoSaturationImageEffect>, 0},
    {"Adjust Brightness", make<CBrightnessImageEffect>, 0},
    {"Adjust Contrast", make<CContrastImageEffect>, 0},
    {"Adjust Color Balance", make<CColorBalanceImageEffect>, 0},
    {"Adjust Saturation", make<CColorSaturationImageEffect>, 0},
    {"Color Negative", make<CColorNegativeImageEffect>, 0},
    {"Night Gain", make<CNightGainImageEffect>, 0},
};

const Entry kMonochrome[] = {
    {"Black and White", make<CBlackAndWhiteImageEffect>, 0},
    {"Dramatic Black and White", make<CDramaticBlackAndWhiteImageEffect>, 0},
    {"Sepia", make<CSepiaImageEffect>, 0},
    {"Negative", make<CXRayImageEffect>, 0},
    {"Night Vision", make<CNightVisionImageEffect>, 0, true},
    {"Infrared", make<CInfraRedImageEffect>, 0, true},
};

const Entry kArtistic[] = {
    {"Pencil", make<CInkedImageEffect>, 0},
    {"Pencil with Color", make<CColorLineArtImageEffect>, 0},
    {"Sculpture", make<CSculptureImageEffect>, 0},
    {"Sculpture with Color", make<CColorSculptureImageEffect>, 0},
    {"Stencil", make<CStencilImageEffect>, 0},
    {"Posterize", make<CPosterizationImageEffect>, 0},
    {"30's Photo", make<C30sPhotoImageEffect>, 0, true},
    {"70's Photo", make<C70sPhotoImageEffect>, 0, true},
    {"B/W w/ Skin tone Highlight", make<CBlackAndWhiteSkintoneHighlightImageEffect>, 0},
    {"Water Color", make<CWaterColorImageEffect>, 0, true},
    {"Color Pencil", make<CColorPencilImageEffect>, 0},
};

// Ratios are single-precision, as the resizer takes them (2/3 is 0.6666667).
const Entry kFormats[] = {
    {"Square", nullptr, 1.0f},
    {"3 x 4", nullptr, 0.75f},
    {"3 x 5", nullptr, 0.6f},
    {"4 x 6 (2 x 3)", nullptr, 2.0f / 3.0f},
    {"5 x 7", nullptr, 5.0f / 7.0f},
    {"8 x 10", nullptr, 0.8f},
    {"16 : 9 (HDTV)", nullptr, 0.5625f},
    {"16 : 10 (Wide LCD)", nullptr, 0.625f},
    {"White border", nullptr, 0},
    {"Black border", nullptr, 0},
};

const Group kGroups[ImageEffect::kGroupCount] = {
    {kAdjustments, 9, 9},
    {kMonochrome, 6, 5},
    {kArtistic, 11, 8},
    {kFormats, 10, 10},
};

const Entry *entry(int group, int index)
{
    if (group < 0 || group >= ImageEffect::kGroupCount || index < 0 || index >= kGroups[group].size)
        return nullptr;
    return &kGroups[group].entries[index];
}

} // namespace

int ImageEffect::effectCount(int group)
{
    return group >= 0 && group < kGroupCount ? kGroups[group].count : 0;
}

int ImageEffect::tableSize(int group)
{
    return group >= 0 && group < kGroupCount ? kGroups[group].size : 0;
}

QString ImageEffect::effectName(int group, int index)
{
    const Entry *e = entry(group, index);
    return e != nullptr ? QString::fromLatin1(e->name) : QString();
}

std::unique_ptr<CImageEffect> ImageEffect::createProcessor(int group, int index)
{
    const Entry *e = entry(group, index);
    return std::unique_ptr<CImageEffect>(e != nullptr && e->create != nullptr ? e->create()
                                                                               : nullptr);
}

bool ImageEffect::isFrame(int group, int index)
{
    return group == kFrameGroup && (index == 8 || index == 9);
}

QString ImageEffect::levelName(int group, int index)
{
    if (isFrame(group, index))
        return QStringLiteral("Width");
    const std::unique_ptr<CImageEffect> engine = createProcessor(group, index);
    return engine ? QString::fromLatin1(engine->GetLevel1Name().Get()) : QString();
}

int ImageEffect::defaultLevel(int group, int index)
{
    if (isFrame(group, index))
        return kDefaultFrameLevel;
    const std::unique_ptr<CImageEffect> engine = createProcessor(group, index);
    return engine ? engine->GetLevel1() : 0;
}

bool ImageEffect::drawsNoise(int group, int index)
{
    const Entry *e = entry(group, index);
    return e != nullptr && e->noise;
}

void ImageEffect::setGroup(int group)
{
    m_group = group;
    m_effect = 0;
    m_level = kDefaultLevel;
    resetProcessor();
}

void ImageEffect::setRollback()
{
    m_effect = 0;
    resetProcessor();
}

int ImageEffect::getEffectIndex(const QString &name) const
{
    for (int i = 0; i < getEffectCount(); ++i)
        if (name == getEffect(i))
            return i;
    return -1;
}

void ImageEffect::resetProcessor()
{
    setProcessor(getEffectProcessor());
}

void ImageEffect::nextEffect()
{
    step(+1);
}

void ImageEffect::prevEffect()
{
    step(-1);
}

void ImageEffect::step(int delta)
{
    m_effect += delta;
    // The frame level is chosen before the wrap: stepping back from the first entry
    // lands on "Black border" with the engine's default level.
    m_level = isFrame(m_group, m_effect) ? kDefaultFrameLevel : kDefaultLevel;
    if (delta > 0 && m_effect >= getEffectCount())
        m_effect = 0;
    else if (delta < 0 && m_effect < 0)
        m_effect = getEffectCount() - 1;
    resetProcessor();
}

bool ImageEffect::supportsLevel()
{
    if (CImageEffect *engine = processor())
        return !engine->GetLevel1Name().IsEmpty();
    return isFrame(m_group, m_effect);
}

unsigned char ImageEffect::getLevel() const
{
    if (const CImageEffect *engine = processor())
        return engine->GetLevel1();
    return static_cast<unsigned char>(m_level & 0xFF);
}

Picture ImageEffect::applyLevel(unsigned char level)
{
    if (CImageEffect *engine = processor())
        engine->SetLevel1(level);
    else
        m_level = level;
    return applyEffect();
}

Picture ImageEffect::applyEffectStep1()
{
    if (m_group != kFrameGroup)
        return ImageProcessingEffect::applyEffectStep1();
    // Crops and frames finish here. The bridge's first step, with no engine object in this
    // group, only drops what an earlier render left: a pixel copy that would reach steps 2
    // and 3, and a refusal that would be reported for this picture.
    ImageProcessingEffect::applyEffectStep1();
    const Entry *e = entry(m_group, m_effect);
    if (e == nullptr || image().isNull())
        return Picture();
    if (isFrame(m_group, m_effect)) {
        const float width = static_cast<float>(m_level / 200.0);
        return ImageResizer::addBorder(image(), width, m_effect == 8 ? Qt::white : Qt::black);
    }
    const Picture cropped = ImageResizer::resizeImage(image(), e->ratio);
    return ImageResizer::colorMatch(cropped, QSizeF(0, 0));
}
