#include "CNightGainImageEffect.h"

#include <cstring>

#include "UColorSpace.h"

namespace {

// A hand-drawn curve: it lifts the shadows steeply and is not monotonic at 71 -> 72.
// clang-format off
constexpr unsigned char kNightGainCurve[256] = {
     16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  16,
     16,  16,  16,  16,  16,  16,  16,  16,  16,  16,  17,  17,  17,  17,  17,  17,
     18,  18,  18,  18,  18,  19,  19,  19,  19,  20,  20,  20,  21,  21,  22,  22,
     23,  23,  24,  24,  25,  26,  26,  27,  28,  28,  29,  30,  30,  31,  32,  33,
     33,  34,  35,  36,  37,  38,  39,  40,  36,  37,  38,  40,  41,  43,  45,  46,
     48,  50,  52,  55,  57,  60,  63,  66,  69,  73,  76,  79,  83,  87,  90,  93,
     96,  98,  99, 101, 102, 104, 105, 107, 108, 110, 111, 113, 114, 116, 117, 119,
    120, 122, 123, 124, 126, 127, 128, 129, 131, 132, 133, 134, 135, 137, 138, 139,
    140, 140, 141, 142, 143, 143, 144, 144, 145, 145, 146, 146, 147, 147, 147, 148,
    148, 148, 149, 149, 149, 149, 150, 150, 150, 151, 151, 151, 151, 152, 152, 152,
    152, 153, 153, 153, 153, 154, 154, 154, 154, 155, 155, 155, 155, 156, 156, 156,
    156, 157, 157, 157, 157, 158, 158, 158, 158, 159, 159, 159, 159, 160, 160, 160,
    160, 161, 161, 161, 162, 162, 162, 163, 163, 163, 164, 164, 164, 165, 165, 166,
    166, 167, 168, 168, 169, 170, 171, 172, 173, 174, 176, 177, 179, 180, 182, 184,
    186, 189, 191, 194, 196, 199, 202, 206, 210, 214, 218, 222, 227, 232, 237, 239,
    239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239, 239,
};
// clang-format on

} // namespace

CNightGainImageEffect::CNightGainImageEffect()
{
    // Called directly: the curve is ready as soon as the object exists.
    CNightGainImageEffect::BuildLevelsTable();
}

void CNightGainImageEffect::BuildLevelsTable()
{
    std::memcpy(mLevels, kNightGainCurve, sizeof mLevels);
}

int CNightGainImageEffect::ProcessSelf()
{
    // The chroma would pass through column 10 of the slope curves, which is the identity,
    // so only luma is looked up.
    const UCurve levels(mLevels, 1);
    RemapYCbCr(Curves{&levels, nullptr, nullptr});
    return 1;
}
