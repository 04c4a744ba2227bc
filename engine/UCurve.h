#ifndef VELMORA_ENGINE_UCURVE_H
#define VELMORA_ENGINE_UCURVE_H

#include "UPixelRows.h"

// A curve over byte values: a 256-entry table, composed once from a column of a level
// table, and, where the table is a clamped straight line, the fixed-point form that gives
// every entry exactly. A row through that form runs in the vector kernels; a table read
// per byte cannot be vectorised.
class UCurve
{
public:
    // Every value to 0 until assigned; constant-initialised, so static arrays of curves are
    // ready before any code runs.
    UCurve() = default;
    // The entries `stride` apart from `column`.
    UCurve(const unsigned char *column, int stride);
    static UCurve Constant(unsigned char value);

    unsigned char operator()(unsigned char value) const { return mTable[value]; }
    bool IsLine() const { return mIsLine; }
    // Every byte of `from` through the curve into `to`, which may be `from`.
    void ApplyRow(const unsigned char *from, int width, unsigned char *to) const;
    void ApplyRow(unsigned char *values, int width) const { ApplyRow(values, width, values); }

private:
    bool FitLine();

    unsigned char mTable[256] = {};
    UPixelRows::Line mLine = {};
    bool mIsLine = false;
};

#endif
