#include "timereventobject.h"

TimerEventObject::TimerEventObject(QObject* parent)
    : QObject(parent)
{
}
