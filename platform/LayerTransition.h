#ifndef VELMORA_PLATFORM_LAYERTRANSITION_H
#define VELMORA_PLATFORM_LAYERTRANSITION_H

class QWidget;

// Layer transitions: fade, push, reveal and move in, each (but fade) from one of four sides.
// The "before" picture is the view as captured by capture(), or, without a capture, nothing
// (as if the view had been empty); the "after" picture is the view when the transition is
// added. The transition is drawn over the view's place in its parent (the view itself is
// kept from showing meanwhile) for the given duration, then removed. Main thread only.
class LayerTransition
{
public:
    enum class Type
    {
        Fade,
        Push,   // the new content pushes the old out
        Reveal, // the old content moves out, uncovering the new
        MoveIn  // the new content moves in over the old
    };

    enum class Subtype
    {
        None,
        FromRight,
        FromLeft,
        FromTop,
        FromBottom
    };

    enum class Timing
    {
        Linear,
        EaseInOut
    };

    LayerTransition() = delete;

    // Remembers how `view` looks now, as the starting picture of its next transition.
    static void capture(QWidget *view);
    static void add(QWidget *view, Type type, Subtype subtype, double seconds,
                    Timing timing = Timing::Linear);
};

#endif
