#include "permission.h"

#include "telnet.h"

#include <QTimerEvent>

namespace {
const char* const requestCommand = "07F6A7E11\r\n";
const char* const returnCommand = "07F6A7E10\r\n";
}

Permission::Permission(QObject* parent)
    : QObject(parent)
{
}

Permission::~Permission() = default;

void Permission::setOkPermission(bool value)
{
    if (m_okPermission == value)
        return;
    m_okPermission = value;
    emit okPermissionChanged();
}

void Permission::requestPermission()
{
    if (!m_okPermission)
        telnet->sendData(requestCommand);
    if (keepAliveTimerId == 0)
        keepAliveTimerId = startTimer(2500, Qt::CoarseTimer);
}

void Permission::timerEvent(QTimerEvent* event)
{
    // The keep-alive asks also while the right is held.
    if (keepAliveTimerId != 0 && event->timerId() == keepAliveTimerId)
        telnet->sendData(requestCommand);
}

void Permission::returnPermission()
{
    if (m_okPermission) {
        setOkPermission(false);
        telnet->sendData(returnCommand);
    }
    if (keepAliveTimerId != 0) {
        killTimer(keepAliveTimerId);
        keepAliveTimerId = 0;
    }
}

void Permission::dropRight()
{
    if (keepAliveTimerId != 0) {
        killTimer(keepAliveTimerId);
        keepAliveTimerId = 0;
    }
    setOkPermission(false);
}

void Permission::returnPermissionDelay()
{
    if (keepAliveTimerId != 0)
        return;
    setOkPermission(false);
    telnet->sendData(returnCommand);
}

void Permission::onReadOnlyReply(QString value)
{
    const bool readOnly = value.left(2) != QLatin1String("00");
    if (readOnly == m_isReadOnly)
        return;
    m_isReadOnly = readOnly;
    emit isReadOnlyChanged(readOnly);
}

void Permission::onPermissionReply(QString value)
{
    const QString state = value.left(2);
    if (state == QLatin1String("10"))
        setOkPermission(false);
    else if (state == QLatin1String("11"))
        setOkPermission(true);
}
