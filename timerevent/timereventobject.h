#pragma once

#include <QObject>

// One timer event of the recorder.
class TimerEventObject : public QObject
{
    Q_OBJECT
public:
    explicit TimerEventObject(QObject* parent = nullptr);
};
