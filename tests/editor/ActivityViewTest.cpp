#include "ActivityView.h"
#include "EditorTestSupport.h"

namespace {

class ActivityViewTest : public ::testing::Test
{
protected:
    void TearDown() override { ViewAnimation::finishAll(); }

    bool spinning() const { return panel->activityIndicator()->isAnimating(); }

    AnimationBlock animation;
    QWidget root;
    ActivityView *panel = new ActivityView(&root);
};

TEST_F(ActivityViewTest, TheSpinnerRunsOnlyWhileThePanelShowsItsText)
{
    View::setHidden(panel, true);
    EXPECT_FALSE(spinning());
    panel->startAnimating(QStringLiteral("Saving photo"));
    EXPECT_FALSE(View::isHidden(panel));
    EXPECT_EQ(panel->label()->text(), "Saving photo");
    EXPECT_TRUE(panel->label()->font().bold());
    EXPECT_TRUE(spinning());
    panel->startAnimating(QStringLiteral("Applying filter"));
    EXPECT_EQ(panel->label()->text(), "Applying filter");
    panel->stopAnimating();
    EXPECT_TRUE(View::isHidden(panel));
    EXPECT_FALSE(spinning());

    QWidget other; // while another bracket is open the panel shows at once
    ASSERT_TRUE(animation.start(&other, true, 0));
    panel->startAnimating(QStringLiteral("Saving photo"));
    EXPECT_FALSE(View::isHidden(panel));
    EXPECT_EQ(animation.view(), &other) << "the open bracket is left alone";
    animation.end(&other, true);
}

TEST_F(ActivityViewTest, StartingInAViewCentresThePanelInFrontInsideIt)
{
    auto *inView = new QWidget(&root);
    View::setFrame(inView, QRectF(50, 60, 300, 200));
    QWidget *sibling = new QWidget(inView);
    panel->startAnimating(QStringLiteral("Saving photo"), inView);
    EXPECT_EQ(View::superview(panel), inView);
    EXPECT_EQ(View::center(panel), QPointF(150, 100));
    const auto order = inView->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_GT(order.indexOf(panel), order.indexOf(sibling)) << "in front";
}

TEST_F(ActivityViewTest, LookingThroughLeavesOnlyTheSpinnerAndText)
{
    // Left of the spinner and above the text, inside the rounded corners.
    const QPoint probe(8, 20);
    const QColor drawn = renderedAlone(panel).pixelColor(probe);
    EXPECT_NEAR(drawn.alphaF(), 0.5, 0.02);
    EXPECT_NEAR(drawn.redF(), 0.2, 0.02);
    panel->setLookThrough(true);
    EXPECT_EQ(renderedAlone(panel).pixelColor(probe).alpha(), 0);
}

} // namespace
