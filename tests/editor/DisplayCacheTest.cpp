#include "DisplayCache.h"

#include "EditorTestSupport.h"

#include <QSignalSpy>

namespace {

// The floating preview's box: the phone's in a phone-sized window either way up and in
// anything smaller, and growing with the shorter of the window's two stretches beyond it.
using HoverBoxes = ::testing::TestWithParam<std::pair<QSize, QSize>>;

TEST_P(HoverBoxes, GrowWithTheWindowFromThePhonesSize)
{
    const auto [window, box] = GetParam();
    EXPECT_EQ(DisplayCache::hoverPreviewSize(window), box);
}

INSTANTIATE_TEST_SUITE_P(
    DisplayCache, HoverBoxes,
    ::testing::Values(std::pair{QSize(360, 640), QSize(128, 96)},
                      std::pair{QSize(640, 360), QSize(128, 96)},
                      std::pair{QSize(200, 200), QSize(128, 96)},
                      std::pair{QSize(1280, 960), QSize(256, 192)},
                      std::pair{QSize(1920, 540), QSize(192, 144)}));

// Dragging a window edge resizes the views many times; the pictures are made again once the
// drag pauses, for the last size, upright and no larger than the photo.
TEST(DisplayCache, RemakesOnceAfterAResizeBurst)
{
    QWidget display, preview;
    display.resize(100, 80);
    preview.resize(100, 80);
    display.show();
    preview.show();
    DisplayCache cache;
    cache.setViews(&display, &preview, false);
    cache.setPicture(Picture(TestImages::quadrants(300, 400), Picture::Left), Picture());
    EXPECT_EQ(cache.displayImage().grid().size(), QSize(100, 75) * display.devicePixelRatio());
    QSignalSpy remade(&cache, &DisplayCache::remade);
    for (int width = 110; width <= 500; width += 10) {
        display.resize(width, width);
        QCoreApplication::sendPostedEvents();
    }
    ASSERT_TRUE(remade.wait(2000));
    drainEvents();
    EXPECT_EQ(remade.size(), 1);
    EXPECT_EQ(cache.displayImage().grid().size(), QSize(400, 300));
}

} // namespace
