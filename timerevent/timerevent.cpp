#include "timerevent.h"

#include "globals.h"
#include "permission.h"
#include "telnet.h"

#include <QVariant>

TimerEvent::TimerEvent(QObject* parent)
    : QObject(parent)
{
    publishContextProperty(QStringLiteral("timerEventModel"), QVariant::fromValue(timerEventModel));
}

TimerEvent::~TimerEvent()
{
    qDeleteAll(timerEventModel);
}

void TimerEvent::startTimerEvent()
{
    if (permission && permission->okPermission() && telnet)
        telnet->sendData("07F475DAA0000\r\n");
}

void TimerEvent::showData()
{
    startTimerEvent();
}

void TimerEvent::parseTimerEventResponse(QString)
{
}

void TimerEvent::setCurrentMedia(QString media)
{
    currentMedia = media;
}

void TimerEvent::setPlayArea(QString area)
{
    playArea = area;
}

void TimerEvent::setPlayMode(QString mode)
{
    playMode = mode;
}

void TimerEvent::setStatus(int s)
{
    status = s;
}

void TimerEvent::onReadOnlyChanged(bool)
{
}
