#pragma once

#include <QObject>
#include <QString>

// The fields of one timer event, in the text and number forms the screens read.
struct TimerEventFields
{
    bool enable = false;
    int eventType = 0;
    QString option;
    QString date;
    QString time;
    int timeMode = 0;
    QString repeatIntervalTime;
    int repeatEventCount = 0;

    bool operator==(const TimerEventFields& o) const
    {
        return enable == o.enable && eventType == o.eventType && option == o.option && date == o.date
            && time == o.time && timeMode == o.timeMode && repeatIntervalTime == o.repeatIntervalTime
            && repeatEventCount == o.repeatEventCount;
    }
};

Q_DECLARE_METATYPE(TimerEventFields)

// One timer event of the recorder: a row of the event list, or the model's
// undo copy of the focused row. Setters notify only on a change.
class TimerEventObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enable READ enable WRITE setEnable NOTIFY enableChanged)
    Q_PROPERTY(int eventType READ eventType WRITE setEventType NOTIFY eventTypeChanged)
    Q_PROPERTY(QString option READ option WRITE setOption NOTIFY optionChanged)
    Q_PROPERTY(QString date READ date WRITE setDate NOTIFY dateChanged)
    Q_PROPERTY(QString time READ time WRITE setTime NOTIFY timeChanged)
    Q_PROPERTY(int timeMode READ timeMode WRITE setTimeMode NOTIFY timeModeChanged)
    Q_PROPERTY(QString repeatIntervalTime READ repeatIntervalTime WRITE setRepeatIntervalTime NOTIFY
                   repeatIntervalTimeChanged)
    Q_PROPERTY(int repeatEventCount READ repeatEventCount WRITE setRepeatEventCount NOTIFY repeatEventCountChanged)
public:
    explicit TimerEventObject(QObject* parent = nullptr);

    bool enable() const { return m.enable; }
    int eventType() const { return m.eventType; }
    QString option() const { return m.option; }
    QString date() const { return m.date; }
    QString time() const { return m.time; }
    int timeMode() const { return m.timeMode; }
    QString repeatIntervalTime() const { return m.repeatIntervalTime; }
    int repeatEventCount() const { return m.repeatEventCount; }

    void setEnable(bool value);
    void setEventType(int value);
    void setOption(const QString& value);
    void setDate(const QString& value);
    void setTime(const QString& value);
    void setTimeMode(int value);
    void setRepeatIntervalTime(const QString& value);
    void setRepeatEventCount(int value);

    const TimerEventFields& fields() const { return m; }
    // Takes every field of other, each notified only when it differs.
    void assign(const TimerEventFields& other);

signals:
    void enableChanged();
    void eventTypeChanged();
    void optionChanged();
    void dateChanged();
    void timeChanged();
    void timeModeChanged();
    void repeatIntervalTimeChanged();
    void repeatEventCountChanged();

private:
    TimerEventFields m;
};
