#include "ActivityView.h"
#include "EditorTestSupport.h"

namespace {

// The spinner runs only while the panel shows (at once while another bracket is open), its text
// centred in the view it is put in and in front of whatever is added to or raised in its parent
// after it: a touch at its centre lands on the panel or its content.
TEST(ActivityView, SpinsOnlyWhileShownWithItsTextCentredInFront)
{
    AnimationBlock animation;
    QWidget root;
    root.resize(400, 300);
    auto *panel = new ActivityView(&root);
    auto *before = new QWidget(&root);
    before->setGeometry(root.rect());
    const auto spinning = [panel] { return panel->activityIndicator()->isAnimating(); };
    const auto inFront = [panel] {
        QWidget *top = panel->parentWidget()->childAt(panel->geometry().center());
        return top == panel || panel->isAncestorOf(top);
    };
    panel->startAnimating(QStringLiteral("Saving photo"));
    EXPECT_TRUE(spinning());
    ViewAnimation::finishAll();
    before->raise();
    EXPECT_TRUE(inFront()) << "a view raised";
    auto *added = new QWidget;
    View::addSubview(&root, added);
    View::setFrame(added, QRectF(root.rect()));
    EXPECT_TRUE(inFront()) << "a view added";
    panel->stopAnimating();
    EXPECT_FALSE(spinning());

    auto *inView = new QWidget(&root);
    View::setFrame(inView, QRectF(50, 60, 300, 200));
    auto *sibling = new QWidget(inView);
    sibling->setGeometry(inView->rect());
    QWidget other;
    ASSERT_TRUE(animation.start(&other, true, 0));
    panel->startAnimating(QStringLiteral("Applying filter"), inView);
    EXPECT_FALSE(View::isHidden(panel));
    EXPECT_EQ(panel->label()->text(), "Applying filter");
    animation.end(&other, true);
    EXPECT_EQ(View::center(panel), QPointF(150, 100));
    sibling->raise();
    EXPECT_TRUE(inFront()) << "a view raised in the view it is put in";
    ViewAnimation::finishAll();

    // Left of the spinner and above the text, inside the rounded corners: at most a tenth of
    // the contrast of what lies behind comes through, too little to read text by.
    EXPECT_GE(renderedAlone(panel).pixelColor(8, 20).alphaF(), 0.9);
}

} // namespace
