#include "ImageSlide.h"
#include "EditorTestSupport.h"

namespace {

// Without an animation the slide still ends and delivers.
TEST(ImageSlide, FliesACopyToAPointOrIntoAViewThenLeaves)
{
    AnimationBlock animation;
    const Picture picture{TestImages::labelled(20, 15)};
    QWidget parent;
    parent.resize(360, 640);
    auto *source = new ImageView(picture, &parent);
    View::setFrame(source, QRectF(10, 20, 200, 150));
    source->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    auto *box = new QWidget(&parent);
    View::setFrame(box, QRectF(100, 200, 80, 60));
    auto *target = new ImageView(box);
    View::setFrame(target, QRectF(0, 0, 40, 30));
    ImageSlide slide; // goes before the parent, which holds it only while it flies
    const auto idle = [&] {
        return View::isHidden(&slide) && slide.image().isNull() && !View::superview(&slide);
    };

    slide.slideFrom(source, QPointF(316, 44));
    EXPECT_EQ(View::superview(&slide), &parent);
    EXPECT_FALSE(View::isHidden(&slide));
    EXPECT_EQ(slide.image().grid(), picture.grid());
    EXPECT_EQ(View::frame(&slide), QRectF(316, 44, 0, 0));
    ViewAnimation::finishAll();
    ASSERT_TRUE(waitUntil(idle));
    EXPECT_EQ(source->image().grid(), picture.grid()) << "the source is left as it was";

    slide.slideFrom(source, QPointF(0, 0));
    slide.slideFrom(source, target);
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
