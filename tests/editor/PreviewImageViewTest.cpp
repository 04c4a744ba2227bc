#include "PreviewImageView.h"
#include "EditorTestSupport.h"

#include <cmath>

namespace {

TEST(PreviewImageView, ClassifiesATouchByTapCountAndTravel)
{
    const double nan = std::nan("");
    // The end of a touch from (100, 100), its tap count, and the gesture it makes.
    const std::tuple<QPointF, int, const char *> cases[] = {
        {{170, 150}, 1, "Swipe Right"}, // both limits hold
        {{30, 50}, 1, "Swipe Left"},     {{169.9, 100}, 1, "Single Tap"},
        {{170, 150.1}, 1, "Single Tap"}, {{170, 100}, 2, "Double Tap"},
        {{300, 100}, 3, "Swipe Right"},  {{300, 100}, 0, "Swipe Right"},
        {{nan, 100}, 1, "Single Tap"},   {{300, nan}, 1, "Single Tap"}};
    for (const auto &[end, tapCount, expected] : cases)
        EXPECT_EQ(PreviewImageView::gesture(QPointF(100, 100), end, tapCount), expected)
            << end.x() << "," << end.y() << " x" << tapCount;
}

} // namespace
