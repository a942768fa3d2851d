#include "timereventobject.h"

#include <utility>

namespace {

template<typename T>
bool change(T& field, const T& value)
{
    return std::exchange(field, value) != value;
}

} // namespace

TimerEventObject::TimerEventObject(QObject* parent)
    : QObject(parent)
{
}

void TimerEventObject::setEnable(bool value)
{
    if (change(m.enable, value))
        emit enableChanged();
}

void TimerEventObject::setEventType(int value)
{
    if (change(m.eventType, value))
        emit eventTypeChanged();
}

void TimerEventObject::setOption(const QString& value)
{
    if (change(m.option, value))
        emit optionChanged();
}

void TimerEventObject::setDate(const QString& value)
{
    if (change(m.date, value))
        emit dateChanged();
}

void TimerEventObject::setTime(const QString& value)
{
    if (change(m.time, value))
        emit timeChanged();
}

void TimerEventObject::setTimeMode(int value)
{
    if (change(m.timeMode, value))
        emit timeModeChanged();
}

void TimerEventObject::setRepeatIntervalTime(const QString& value)
{
    if (change(m.repeatIntervalTime, value))
        emit repeatIntervalTimeChanged();
}

void TimerEventObject::setRepeatEventCount(int value)
{
    if (change(m.repeatEventCount, value))
        emit repeatEventCountChanged();
}

void TimerEventObject::assign(const TimerEventFields& other)
{
    setEnable(other.enable);
    setEventType(other.eventType);
    setOption(other.option);
    setDate(other.date);
    setTime(other.time);
    setTimeMode(other.timeMode);
    setRepeatIntervalTime(other.repeatIntervalTime);
    setRepeatEventCount(other.repeatEventCount);
}
