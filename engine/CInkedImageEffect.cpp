#include "CInkedImageEffect.h"

CInkedImageEffect::CInkedImageEffect()
{
    mLevel1 = 10;
}

CText CInkedImageEffect::GetLevel1Name()
{
    return CText("Sensitivity");
}

void CInkedImageEffect::SetLevel1(unsigned char level)
{
    const unsigned char previous = mLevel1;
    CImageEffect::SetLevel1(level);
    if (mLevel1 != previous)
        BuildSensitivityTable();
}

void CInkedImageEffect::BuildSensitivityTable()
{
    // A preview is smaller than the full picture: widen the thresholds so that it shows the
    // same amount of detail. A scale that is not in (0, 1] (none set, NaN) means full size.
    if (!(mScale > 0.0f) || mScale > 1.0f)
        mScale = 1.0f;
    const float widen = 1.0f / mScale - 1.0f;
    const float k = static_cast<float>(1 + 0.2 * widen);

    // Both thresholds stay inside the table: a j0 of 256 would wrap the ramp's top to black.
    const int d = 22 - mLevel1;
    const double first = (2 * d) * static_cast<double>(k);
    const double last = static_cast<double>(k) * (4 * d);
    const int i0 = first >= 255.0 ? 255 : static_cast<int>(first);
    const int j0 = last >= 255.0 ? 255 : static_cast<int>(last);

    for (int n = 0; n < 256; ++n) {
        if (n < i0)
            mSensitivity[n] = 255;
        else if (n < j0)
            mSensitivity[n] = static_cast<unsigned char>(j0 - (n - i0));
        else
            mSensitivity[n] = 0;
    }
}

void CInkedImageEffect::ProcessY()
{
    BuildSensitivityTable();
    DrawEdges([](unsigned char v, unsigned char) { return v; });
}

int CInkedImageEffect::ProcessSelfInColor()
{
    PreparePlanes({&mYPlane, &mCbPlane, &mCrPlane, &mYPlane2});
    ConvertToYuv();
    ProcessY();
    ProcessRgbFromYuv(mYPlane2.get(), mCbPlane.get(), mCrPlane.get());
    return 1;
}
