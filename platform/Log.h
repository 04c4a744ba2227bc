#ifndef VELMORA_PLATFORM_LOG_H
#define VELMORA_PLATFORM_LOG_H

#include <QLoggingCategory>

// The one category for Velmora's diagnostic lines: qCInfo(velmoraLog) << ...;
// one line per message. Silence it with QT_LOGGING_RULES="velmora=false".
Q_DECLARE_LOGGING_CATEGORY(velmoraLog)

#endif
