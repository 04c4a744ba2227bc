#ifndef VELMORA_TESTS_EFFECTTESTSUPPORT_H
#define VELMORA_TESTS_EFFECTTESTSUPPORT_H

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

// Every effect of the engine: its name, its catalogue entry ("group:index display name", as
// the catalogue's tables give them) and its slider's name (null: none).
struct NamedEffect
{
    const char *name;
    std::unique_ptr<CImageEffect> (*make)();
    const char *entry;
    const char *level = nullptr;
};
// clang-format off
inline const NamedEffect kAllEffects[] = {
    {"Brightness", Make<CBrightnessImageEffect>, "0:3 Adjust Brightness", "Brightness"},
    {"Contrast", Make<CContrastImageEffect>, "0:4 Adjust Contrast", "Contrast"},
    {"Saturation", Make<CColorSaturationImageEffect>, "0:6 Adjust Saturation", "Saturation"},
    {"ColorBalance", Make<CColorBalanceImageEffect>, "0:5 Adjust Color Balance", "Color Balance"},
    {"AutoCorrection", Make<CAutoCorrectionImageEffect>, "0:0 Auto Correction"},
    {"AutoSaturation", Make<CAutoSaturationImageEffect>, "0:2 Saturated"},
    {"AutoColorBalance", Make<CAutoColorBalanceImageEffect>, "0:1 White Balance"},
    {"BlackAndWhite", Make<CBlackAndWhiteImageEffect>, "1:0 Black and White"},
    {"Sepia", Make<CSepiaImageEffect>, "1:2 Sepia"}, {"XRay", Make<CXRayImageEffect>, "1:3 Negative"},
    {"ColorNegative", Make<CColorNegativeImageEffect>, "0:7 Color Negative"},
    {"DramaticBlackAndWhite", Make<CDramaticBlackAndWhiteImageEffect>, "1:1 Dramatic Black and White"},
    {"SkintoneHighlight", Make<CBlackAndWhiteSkintoneHighlightImageEffect>, "2:8 B/W w/ Skin tone Highlight"},
    {"NightVision", Make<CNightVisionImageEffect>, "1:4 Night Vision"},
    {"Photo30s", Make<C30sPhotoImageEffect>, "2:6 30's Photo"},
    {"Photo70s", Make<C70sPhotoImageEffect>, "2:7 70's Photo"},
    {"InfraRed", Make<CInfraRedImageEffect>, "1:5 Infrared"},
    {"NightGain", Make<CNightGainImageEffect>, "0:8 Night Gain"},
    {"Stencil", Make<CStencilImageEffect>, "2:4 Stencil", "Level"},
    {"Ink", Make<CInkedImageEffect>, "2:0 Pencil", "Sensitivity"},
    {"Sculpture", Make<CSculptureImageEffect>, "2:2 Sculpture", "Sensitivity"},
    {"ColorSculpture", Make<CColorSculptureImageEffect>, "2:3 Sculpture with Color", "Sensitivity"},
    {"ColorLineArt", Make<CColorLineArtImageEffect>, "2:1 Pencil with Color", "Sensitivity"},
    {"ColorPencil", Make<CColorPencilImageEffect>, "2:10 Color Pencil", "Sensitivity"},
    {"Posterization", Make<CPosterizationImageEffect>, "2:5 Posterize", "Details"},
    {"WaterColor", Make<CWaterColorImageEffect>, "2:9 Water Color", "Details"},
};
// clang-format on
inline std::string EffectName(const testing::TestParamInfo<NamedEffect> &info)
{
    return info.param.name;
}

// Sets the kernels and band count, and restores the machine's however a test ends.
struct Settings
{
    Settings(bool wide, int bands) { Set(wide, bands); }
    ~Settings() { Set(true, 0); }
    static void Set(bool wide, int bands)
    {
        UPixelRows::UseWideKernels(wide);
        CBandRunner::SetBands(bands);
    }
};

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
// Distance from 128 scaled by (67 + 6L) / 127 up to level 10, by 127 / (187 - 6L) above.
inline int Slope(int v, int level)
{
    const double s = level <= 10 ? (67 + 6 * level) / 127.0 : 127.0 / (187 - 6 * level);
    return level == 10 ? v : Clamp(static_cast<int>(s * (v - 128) + 128.0));
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
