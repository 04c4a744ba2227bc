#ifndef VELMORA_EDITOR_ANIMATIONBLOCK_H
#define VELMORA_EDITOR_ANIMATIONBLOCK_H

#include "LayerTransition.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

// The one bracket around every animated change of a view: start, change the view, end with
// what start returned. The code picks the animation: 0 and 1 property blocks (ease in-out,
// linear), 2 and 7-18 layer transitions (fade; push, reveal, move in from right, left, top,
// bottom), 3-6 view transitions (curl up, curl down, flip from right, from left), 19 and 20
// a zoom to 1.3 and back; any other code opens and closes without animating.
// Only one bracket is open at a time. Main thread only.
class AnimationBlock : public QObject
{
    Q_OBJECT

public:
    using EndAction = std::function<void()>;

    // Becomes the shared instance.
    explicit AnimationBlock(QObject *parent = nullptr);
    ~AnimationBlock() override;

    // The most recently created instance (one is made on first use if none exists).
    static AnimationBlock *animation();

    bool enabled() const { return m_enabled; }
    void enable(bool enabled) { m_enabled = enabled; }
    bool started() const { return m_started; }
    int type() const { return m_type; }
    QWidget *view() const { return m_view; }

    // False, changing nothing, when disabled, not wanted, without a view, or while another
    // bracket is open. `selector` runs when a property block or view transition has stopped;
    // layer transitions never call it.
    bool start(QWidget *view, bool wantsAnimation, int animation, EndAction selector = {});
    bool start(QWidget *view, bool wantsAnimation, int animation, EndAction selector,
               double withTime);
    // Closes the bracket that start opened for `view` (nothing when `animated` is false).
    void end(QWidget *view, bool animated);
    void end(QWidget *view, bool animated, double withTime);

    static std::optional<LayerTransition::Type> getType(int animation);
    static LayerTransition::Subtype getSubtype(int animation);

private:
    bool open(QWidget *view, bool wantsAnimation, int animation, const EndAction &selector,
              std::optional<double> seconds);
    void close(QWidget *view, bool animated, std::optional<double> seconds);

    bool m_enabled = true;
    bool m_started = false;
    int m_type = 0;
    QPointer<QWidget> m_view;
};

#endif
