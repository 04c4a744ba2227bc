#include "NavigationController.h"

bool NavigationController::shouldAutorotateToInterfaceOrientation(int orientation)
{
    return orientation == Portrait;
}
