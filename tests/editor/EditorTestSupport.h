#ifndef VELMORA_TESTS_EDITORTESTSUPPORT_H
#define VELMORA_TESTS_EDITORTESTSUPPORT_H

// Shared by the editor suites: the platform support and a recorder of posted notifications.

#include "../platform/PlatformTestSupport.h"
#include "AnimationBlock.h"
#include "NotificationCenter.h"

#include <QStringList>

// Records the names of the notifications as they are posted.
struct Recorder : QObject
{
    explicit Recorder(const QStringList &names)
    {
        for (const QString &name : names)
            NotificationCenter::defaultCenter().addObserver(this, &Recorder::record, name);
    }
    void record(const Notification &posted) { names << posted.name; }

    QStringList names;
};

#endif
