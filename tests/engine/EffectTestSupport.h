#ifndef VELMORA_TESTS_ENGINE_EFFECTTESTSUPPORT_H
#define VELMORA_TESTS_ENGINE_EFFECTTESTSUPPORT_H

// All 26 effects, running one over test pixels, and plain-arithmetic models of the colour
// conversions and curves written from the formulas, not from the engine's tables.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
#include "TestPixels.h"

using Rgb = std::vector<int>;

template <class T> std::unique_ptr<CImageEffect> Make()
{
    return std::make_unique<T>();
}

// Every effect of the engine: its name, its slider's name (null: none), and whether it is grainy.
struct NamedEffect
{
    const char *name;
    std::unique_ptr<CImageEffect> (*make)();
    const char *level = nullptr;
    bool noisy = false;
};
// clang-format off
inline const NamedEffect kAllEffects[] = {
    {"Brightness", Make<CBrightnessImageEffect>, "Brightness"},
    {"Contrast", Make<CContrastImageEffect>, "Contrast"},
    {"Saturation", Make<CColorSaturationImageEffect>, "Saturation"},
    {"ColorBalance", Make<CColorBalanceImageEffect>, "Color Balance"},
    {"AutoCorrection", Make<CAutoCorrectionImageEffect>},
    {"AutoSaturation", Make<CAutoSaturationImageEffect>},
    {"AutoColorBalance", Make<CAutoColorBalanceImageEffect>},
    {"BlackAndWhite", Make<CBlackAndWhiteImageEffect>}, {"Sepia", Make<CSepiaImageEffect>},
    {"XRay", Make<CXRayImageEffect>}, {"ColorNegative", Make<CColorNegativeImageEffect>},
    {"DramaticBlackAndWhite", Make<CDramaticBlackAndWhiteImageEffect>},
    {"SkintoneHighlight", Make<CBlackAndWhiteSkintoneHighlightImageEffect>},
    {"NightVision", Make<CNightVisionImageEffect>, nullptr, true},
    {"Photo30s", Make<C30sPhotoImageEffect>, nullptr, true},
    {"Photo70s", Make<C70sPhotoImageEffect>, nullptr, true},
    {"InfraRed", Make<CInfraRedImageEffect>, nullptr, true},
    {"NightGain", Make<CNightGainImageEffect>}, {"Stencil", Make<CStencilImageEffect>, "Level"},
    {"Ink", Make<CInkedImageEffect>, "Sensitivity"},
    {"Sculpture", Make<CSculptureImageEffect>, "Sensitivity"},
    {"ColorSculpture", Make<CColorSculptureImageEffect>, "Sensitivity"},
    {"ColorLineArt", Make<CColorLineArtImageEffect>, "Sensitivity"},
    {"ColorPencil", Make<CColorPencilImageEffect>, "Sensitivity"},
    {"Posterization", Make<CPosterizationImageEffect>, "Details"},
    {"WaterColor", Make<CWaterColorImageEffect>, "Details", true},
};
// clang-format on
inline std::string EffectName(const testing::TestParamInfo<NamedEffect> &info)
{
    return info.param.name;
}

inline int Apply(CImageEffect &effect, TestPixels &pixels, int level = 10, unsigned seed = 7)
{
    effect.SetLevel1(static_cast<unsigned char>(level));
    CImageEffect::Seed(seed);
    return pixels.processWith(effect);
}

inline int Clamp(int v, int low = 0, int high = 255)
{
    return v < low ? low : (v > high ? high : v);
}
inline int FloorDiv(int v, int d)
{
    return static_cast<int>(std::floor(static_cast<double>(v) / d));
}
inline Rgb ToYcc(int r, int g, int b)
{
    return {Clamp(16 + FloorDiv(66 * r + 129 * g + 25 * b, 256)),
            Clamp(128 + FloorDiv(-38 * r - 74 * g + 112 * b, 256)),
            Clamp(128 + FloorDiv(112 * r - 94 * g - 18 * b, 256))};
}
inline Rgb ToRgb(int y, int cb, int cr)
{
    const int luma = 149 * (y - 16);
    return {Clamp(FloorDiv(luma + 204 * (cr - 128), 128)),
            Clamp(FloorDiv(luma - 50 * (cb - 128) - 104 * (cr - 128), 128)),
            Clamp(FloorDiv(luma + 258 * (cb - 128), 128))};
}

#endif
