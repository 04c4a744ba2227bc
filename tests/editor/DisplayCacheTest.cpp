#include "DisplayCache.h"

#include "EditorTestSupport.h"

#include <QSignalSpy>

namespace {

// Dragging a window edge resizes the views many times; the pictures are made again once the
// drag pauses, for the last size, upright and no larger than the photo.
TEST(DisplayCache, RemakesOnceAfterAResizeBurst)
{
    QWidget display;
    display.resize(100, 80);
    display.show();
    DisplayCache cache;
    cache.setViews(&display, nullptr, false);
    cache.setPicture(Picture(TestImages::quadrants(300, 400), Picture::Left));
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
