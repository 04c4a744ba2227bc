#ifndef VELMORA_PLATFORM_VIEWANIMATION_H
#define VELMORA_PLATFORM_VIEWANIMATION_H

#include <functional>

class QObject;
class QVariant;
class QWidget;
class ViewState;

// View-property animation blocks: begin a block, set its duration, curve, delegate and
// an optional view transition, change view properties through View, commit. The changes
// made while the block is open animate from what is on screen to their new values
// (QPropertyAnimation in a QParallelAnimationGroup underneath); the end action runs once
// when they have all stopped. Blocks nest: a block begun inside another is committed on
// its own. Main thread only.
class ViewAnimation
{
public:
    enum class Curve
    {
        EaseInOut, // the default
        Linear
    };

    enum class Transition
    {
        None,
        CurlUp,   // the page lifts from its lower right corner and uncovers the new content
        CurlDown, // the new content curls down over the old, from the top
        FlipFromRight,
        FlipFromLeft
    };

    ViewAnimation() = delete;

    static void begin();
    static bool isOpen();
    // Defaults: 0.2 s, EaseInOut, no delegate, no transition.
    static void setDuration(double seconds);
    static void setCurve(Curve curve);
    // `didStop` runs on the main thread when the block's animations have stopped (or, for a
    // block that animates nothing, soon after commit); never once `delegate` is destroyed.
    static void setDelegate(QObject *delegate, std::function<void()> didStop);
    // Snapshots `view` now; at commit it is snapshotted again and the change between the two
    // is drawn as the transition over the view's place for the block's duration.
    static void setTransition(Transition transition, QWidget *view);
    static void commit();

    // True while any block's animation or any transition is still running on `view`.
    static bool isAnimating(const QWidget *view);
    // Ends every running animation and transition at once, at its final values.
    static void finishAll();

private:
    friend class View;
    // A presented property of a view moves to `to`: at once without an open block, else at
    // the block's commit.
    static void change(ViewState *state, const char *property, const QVariant &to);
};

#endif
