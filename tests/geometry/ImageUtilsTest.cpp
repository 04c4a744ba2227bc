#include <gtest/gtest.h>

#include <QPainter>

#include "ImageUtils.h"
#include "TestImages.h"

namespace {

class Swatch : public Renderable
{
public:
    QSize renderSize() const override { return QSize(20, 10); }
    void renderInto(QPainter &painter) const override { painter.fillRect(0, 0, 5, 5, Qt::white); }
};

TEST(ImageUtils, ScreenshotRendersTheViewAtItsSize)
{
    QImage expected = TestImages::solid(20, 10, Qt::black);
    QPainter(&expected).fillRect(0, 0, 5, 5, Qt::white);
    EXPECT_EQ(ImageUtils::screenshot(Swatch()).grid(), expected);
}

} // namespace
