#include "ApplicationId.h"

namespace {
int sAppId = 0;
}

void ApplicationId::setId(int id)
{
    sAppId = id;
}

int ApplicationId::getId()
{
    return sAppId;
}
