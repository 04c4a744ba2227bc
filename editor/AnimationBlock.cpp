#include "AnimationBlock.h"

#include "View.h"
#include "ViewAnimation.h"

namespace {

AnimationBlock *s_shared = nullptr;

constexpr double kBlockSeconds = 0.75;
constexpr double kZoomSeconds = 0.5;
constexpr double kLayerSeconds = 0.6;

bool isPropertyBlock(int code)
{
    return (code >= 0 && code <= 1) || (code >= 3 && code <= 6) || code == 19 || code == 20;
}

ViewAnimation::Transition viewTransition(int code)
{
    switch (code) {
    case 3:
        return ViewAnimation::Transition::CurlUp;
    case 4:
        return ViewAnimation::Transition::CurlDown;
    case 5:
        return ViewAnimation::Transition::FlipFromRight;
    case 6:
        return ViewAnimation::Transition::FlipFromLeft;
    default:
        return ViewAnimation::Transition::None;
    }
}

} // namespace

AnimationBlock::AnimationBlock(QObject *parent) : QObject(parent)
{
    s_shared = this;
}

AnimationBlock::~AnimationBlock()
{
    if (s_shared == this)
        s_shared = nullptr;
}

AnimationBlock *AnimationBlock::animation()
{
    // Callers reach the instance from anywhere; without one they would have nothing to call.
    if (!s_shared) {
        static AnimationBlock fallback;
        s_shared = &fallback;
    }
    return s_shared;
}

bool AnimationBlock::start(QWidget *view, bool wantsAnimation, int animation, EndAction selector)
{
    return open(view, wantsAnimation, animation, selector, std::nullopt);
}

bool AnimationBlock::start(QWidget *view, bool wantsAnimation, int animation, EndAction selector,
                           double withTime)
{
    return open(view, wantsAnimation, animation, selector, withTime);
}

void AnimationBlock::end(QWidget *view, bool animated)
{
    close(view, animated, std::nullopt);
}

void AnimationBlock::end(QWidget *view, bool animated, double withTime)
{
    close(view, animated, withTime);
}

bool AnimationBlock::open(QWidget *view, bool wantsAnimation, int animation,
                          const EndAction &selector, std::optional<double> seconds)
{
    if (!m_enabled || m_started || !wantsAnimation || !view)
        return false;
    m_started = true;
    m_view = view;
    m_type = animation;

    if (isPropertyBlock(animation)) {
        const bool zoom = animation >= 19;
        ViewAnimation::begin();
        ViewAnimation::setDuration(seconds.value_or(zoom ? kZoomSeconds : kBlockSeconds));
        if (animation == 1)
            ViewAnimation::setCurve(ViewAnimation::Curve::Linear);
        if (selector)
            ViewAnimation::setDelegate(view, selector);
        if (zoom)
            View::setScale(view, animation == 19 ? 1.3 : 1.0);
        else
            ViewAnimation::setTransition(viewTransition(animation), view);
    } else if (getType(animation)) {
        // The transition is drawn from how the view looks before the caller changes it.
        LayerTransition::capture(view);
    }
    return true;
}

void AnimationBlock::close(QWidget *view, bool animated, std::optional<double> seconds)
{
    if (!m_started || !animated || !view || view != m_view)
        return;
    if (isPropertyBlock(m_type))
        ViewAnimation::commit();
    else if (const auto type = getType(m_type))
        LayerTransition::add(view, *type, getSubtype(m_type), seconds.value_or(kLayerSeconds),
                             LayerTransition::Timing::Linear);
    m_view = nullptr;
    m_started = false;
}

std::optional<LayerTransition::Type> AnimationBlock::getType(int animation)
{
    if (animation == 2)
        return LayerTransition::Type::Fade;
    if (animation < 7 || animation > 18)
        return std::nullopt;
    static constexpr LayerTransition::Type kByRow[] = {
        LayerTransition::Type::Push, LayerTransition::Type::Reveal, LayerTransition::Type::MoveIn};
    return kByRow[(animation - 7) / 4];
}

LayerTransition::Subtype AnimationBlock::getSubtype(int animation)
{
    if (animation < 7 || animation > 18)
        return LayerTransition::Subtype::None;
    static constexpr LayerTransition::Subtype kBySide[] = {
        LayerTransition::Subtype::FromRight, LayerTransition::Subtype::FromLeft,
        LayerTransition::Subtype::FromTop, LayerTransition::Subtype::FromBottom};
    return kBySide[(animation - 7) % 4];
}
