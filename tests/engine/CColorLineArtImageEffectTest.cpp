#include <gtest/gtest.h>

#include "CColorLineArtImageEffect.h"
#include "LumaPictures.h"

namespace {

using LineArtProbe = DrawingProbe<CColorLineArtImageEffect>;

TEST(ColorLineArt, LinesStayAndFlatAreasTintUnlessNearlyWhite)
{
    TestPixels pixels = LumaPicture(4, 2, {232, 232, 100, 100, 232, 232, 100, 100});
    LineArtProbe lineArt;
    ASSERT_EQ(Apply(lineArt, pixels), 1);
    const std::vector<int> drawn = {lineArt.Drawn(0, 0), lineArt.Drawn(1, 0), lineArt.Drawn(2, 0),
                                    lineArt.Drawn(3, 0), lineArt.Drawn(0, 1), lineArt.Drawn(1, 1),
                                    lineArt.Drawn(2, 1), lineArt.Drawn(3, 1)};
    EXPECT_EQ(drawn, (std::vector<int>{239, 239, 0, 192, 239, 239, 0, 192}));
}

} // namespace
