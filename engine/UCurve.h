#ifndef VELMORA_ENGINE_UCURVE_H
#define VELMORA_ENGINE_UCURVE_H

// A curve over byte values: a 256-entry table, composed once from a column of a level
// table, and its arithmetic form where it has one that gives every entry exactly (entry v
// is clamp(v * mul + add, 0, 255 << 16) >> 16). A row through the arithmetic form runs in
// the vector kernels; a table read per byte cannot be vectorised.
class UCurve
{
public:
    // Every value to 0 until assigned; constant-initialised, so static arrays of curves are
    // ready before any code runs.
    UCurve() = default;
    // Entries `stride` apart from `column`; `slope` is about how much an entry rises per
    // value, where the search for the arithmetic form starts.
    UCurve(const unsigned char *column, int stride, double slope);
    static UCurve Constant(unsigned char value);

    unsigned char operator()(unsigned char value) const { return mTable[value]; }
    bool IsArithmetic() const { return mArithmetic; }
    // Every byte of the row through the curve.
    void ApplyRow(unsigned char *values, int width) const;

private:
    bool Fit(double slope);

    unsigned char mTable[256] = {};
    int mMul = 0;
    int mAdd = 0;
    bool mArithmetic = false;
};

#endif
