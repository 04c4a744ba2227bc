#include "ViewAnimation.h"

#include "MainThread.h"
#include "ViewState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace {

struct Change
{
    QPointer<ViewState> state;
    QByteArray property;
    QVariant to;
};

struct Block
{
    double seconds = 0.2;
    ViewAnimation::Curve curve = ViewAnimation::Curve::EaseInOut;
    // The end action's context: the delegate, or the application when none was given.
    QPointer<QObject> context = QCoreApplication::instance();
    std::function<void()> didStop;
    ViewAnimation::Transition transition = ViewAnimation::Transition::None;
    QPointer<QWidget> transitionView;
    std::vector<Change> changes;
};

std::vector<Block> &openBlocks()
{
    static std::vector<Block> blocks;
    return blocks;
}

void applyAtOnce(ViewState *state, const char *property, const QVariant &to)
{
    state->setProperty(property, to);
}

} // namespace

void ViewAnimation::begin()
{
    Q_ASSERT(MainThread::isCurrent());
    openBlocks().emplace_back();
}

bool ViewAnimation::isOpen()
{
    return !openBlocks().empty();
}

void ViewAnimation::setDuration(double seconds)
{
    if (isOpen())
        openBlocks().back().seconds = std::max(0.0, seconds);
}

void ViewAnimation::setCurve(Curve curve)
{
    if (isOpen())
        openBlocks().back().curve = curve;
}

void ViewAnimation::setDelegate(QObject *delegate, std::function<void()> didStop)
{
    if (!isOpen())
        return;
    Block &block = openBlocks().back();
    block.context = delegate ? delegate : QCoreApplication::instance();
    block.didStop = std::move(didStop);
}

void ViewAnimation::setTransition(Transition transition, QWidget *view)
{
    if (!isOpen())
        return;
    Block &block = openBlocks().back();
    block.transition = view ? transition : Transition::None;
    block.transitionView = view;
}

void ViewAnimation::commit()
{
    if (!isOpen())
        return;
    Block block = std::move(openBlocks().back());
    openBlocks().pop_back();
    for (const Change &change : block.changes)
        if (change.state)
            applyAtOnce(change.state, change.property.constData(), change.to);
    if (block.didStop && block.context)
        MainThread::post(block.context, block.didStop);
}

bool ViewAnimation::isAnimating(const QWidget *view)
{
    const ViewState *state = view ? ViewState::find(view) : nullptr;
    return state && state->isAnimating();
}

void ViewAnimation::finishAll() {}

void ViewAnimation::change(ViewState *state, const char *property, const QVariant &to)
{
    if (!isOpen()) {
        applyAtOnce(state, property, to);
        return;
    }
    openBlocks().back().changes.push_back({state, property, to});
}
