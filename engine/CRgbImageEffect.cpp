#include "CRgbImageEffect.h"

// Out of line so that the family's vtable has one home.
CRgbImageEffect::~CRgbImageEffect() = default;
