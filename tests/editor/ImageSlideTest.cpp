#include "ImageSlide.h"
#include "EditorTestSupport.h"

namespace {

class ImageSlideTest : public ::testing::Test
{
protected:
    ImageSlideTest()
    {
        parent.resize(360, 640);
        View::setFrame(source, QRectF(10, 20, 200, 150));
        View::setFrame(box, QRectF(100, 200, 80, 60));
        View::setFrame(target, QRectF(0, 0, 40, 30));
        source->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    }
    // The slide is only the parent's while it flies.
    ~ImageSlideTest() override { View::removeFromSuperview(&slide); }
    bool idle() const
    {
        return View::isHidden(&slide) && slide.image().isNull() && !View::superview(&slide);
    }

    AnimationBlock animation;
    const Picture picture{TestImages::labelled(20, 15)};
    QWidget parent;
    ImageView *source = new ImageView(picture, &parent);
    QWidget *box = new QWidget(&parent);
    ImageView *target = new ImageView(box);
    ImageSlide slide;
};

// Without an animation the slide still ends and delivers.
TEST_F(ImageSlideTest, FliesACopyToAPointOrIntoAViewThenLeaves)
{
    slide.slideFrom(source, QPointF(316, 44));
    EXPECT_EQ(View::superview(&slide), &parent);
    EXPECT_FALSE(View::isHidden(&slide));
    EXPECT_EQ(slide.contentMode(), ImageView::ContentMode::ScaleAspectFit);
    EXPECT_EQ(slide.image().grid(), picture.grid());
    EXPECT_EQ(View::frame(&slide), QRectF(316, 44, 0, 0));
    ViewAnimation::finishAll();
    ASSERT_TRUE(waitUntil([&] { return idle(); }));
    EXPECT_EQ(source->image().grid(), picture.grid()) << "the source is left as it was";

    slide.slideFrom(source, QPointF(0, 0));
    slide.slideFrom(source, target);
    EXPECT_EQ(slide.toView(), target);
    EXPECT_EQ(View::frame(&slide), QRectF(100, 200, 40, 30));
    ViewAnimation::finishAll();
    ASSERT_TRUE(waitUntil([&] { return !target->image().isNull(); }));
    EXPECT_EQ(target->image().grid(), picture.grid());
    EXPECT_EQ(slide.toView(), nullptr);
    EXPECT_TRUE(idle());

    target->setImage(Picture());
    QWidget other;
    ASSERT_TRUE(animation.start(&other, true, 0));
    slide.slideFrom(source, target);
    EXPECT_EQ(target->image().grid(), picture.grid());
    EXPECT_TRUE(idle());
    animation.end(&other, true);
}

} // namespace
