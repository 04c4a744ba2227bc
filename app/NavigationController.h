#ifndef VELMORA_APP_NAVIGATIONCONTROLLER_H
#define VELMORA_APP_NAVIGATIONCONTROLLER_H

#include "NavigationStack.h"

// The application's navigation stack: it turns only to portrait, so the menu and its
// screens stay upright while the window is wider than tall.
class NavigationController : public NavigationStack
{
    Q_OBJECT

public:
    using NavigationStack::NavigationStack;

    bool shouldAutorotateToInterfaceOrientation(int orientation) override;
};

#endif
