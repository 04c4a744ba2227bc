#include "LayerTransition.h"

#include "ViewState.h"

#include <QWidget>

void LayerTransition::capture(QWidget *view)
{
    if (view == nullptr)
        return;
    ViewState *state = ViewState::of(view);
    state->captured = view->grab().toImage();
    state->hasCapture = true;
}

void LayerTransition::add(QWidget *view, Type, Subtype, double, Timing)
{
    if (view == nullptr)
        return;
    ViewState *state = ViewState::of(view);
    state->captured = QImage();
    state->hasCapture = false;
}
