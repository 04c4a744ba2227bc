#include "ActivityView.h"
#include "EditorTestSupport.h"

namespace {

TEST(ActivityView, TheSpinnerRunsOnlyWhileThePanelShowsItsTextCentredInFront)
{
    AnimationBlock animation;
    QWidget root;
    auto *panel = new ActivityView(&root);
    const auto spinning = [panel] { return panel->activityIndicator()->isAnimating(); };
    panel->startAnimating(QStringLiteral("Saving photo"));
    EXPECT_TRUE(spinning());
    panel->stopAnimating();
    EXPECT_FALSE(spinning());

    auto *inView = new QWidget(&root);
    View::setFrame(inView, QRectF(50, 60, 300, 200));
    QWidget other; // while another bracket is open the panel shows at once
    ASSERT_TRUE(animation.start(&other, true, 0));
    panel->startAnimating(QStringLiteral("Applying filter"), inView);
    EXPECT_FALSE(View::isHidden(panel));
    EXPECT_EQ(panel->label()->text(), "Applying filter");
    animation.end(&other, true);
    EXPECT_EQ(View::center(panel), QPointF(150, 100));
    ViewAnimation::finishAll();

    // Left of the spinner and above the text, inside the rounded corners: at most a tenth of
    // the contrast of what lies behind comes through, too little to read text by.
    EXPECT_GE(renderedAlone(panel).pixelColor(8, 20).alphaF(), 0.9);
}

// Read from where a touch at the panel's centre lands: the panel (or its content) while it
// shows, whatever was added to or raised in its parent after it.
TEST(ActivityView, StaysInFrontOfWhatIsAddedOrRaisedAfterIt)
{
    AnimationBlock animation;
    QWidget root;
    root.resize(300, 300);
    auto *panel = new ActivityView(&root);
    auto *before = new QWidget(&root);
    before->setGeometry(root.rect());
    const auto inFront = [panel] {
        QWidget *top = panel->parentWidget()->childAt(panel->geometry().center());
        return top == panel || panel->isAncestorOf(top);
    };
    panel->startAnimating(QStringLiteral("Saving photo"));
    ViewAnimation::finishAll();
    before->raise();
    EXPECT_TRUE(inFront()) << "a view raised";
    auto *moved = new QWidget;
    View::addSubview(&root, moved);
    View::setFrame(moved, QRectF(root.rect()));
    EXPECT_TRUE(inFront()) << "a view added";

    auto *inView = new QWidget(&root);
    inView->setGeometry(root.rect());
    auto *sibling = new QWidget(inView);
    sibling->setGeometry(inView->rect());
    panel->startAnimating(QStringLiteral("Applying filter"), inView);
    sibling->raise();
    EXPECT_TRUE(inFront());
}

} // namespace
