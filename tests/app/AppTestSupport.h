#ifndef VELMORA_TESTS_APPTESTSUPPORT_H
#define VELMORA_TESTS_APPTESTSUPPORT_H

#include "Log.h"

#include <QStringList>

// Captures the lines Velmora writes to its diagnostic log while it lives.
class LogCapture
{
public:
    LogCapture() : m_previous(qInstallMessageHandler(&LogCapture::handle)) { lines().clear(); }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    static QStringList &lines()
    {
        static QStringList captured;
        return captured;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        if (context.category && QByteArray(context.category) == velmoraLog().categoryName())
            lines() << message;
    }
    QtMessageHandler m_previous;
};

#endif
