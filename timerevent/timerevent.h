#pragma once

#include <QList>
#include <QObject>
#include <QString>

class Telnet;
class Permission;

// Model of the recorder's timer events.
class TimerEvent : public QObject
{
    Q_OBJECT
public:
    explicit TimerEvent(QObject* parent = nullptr);
    ~TimerEvent() override;

    Telnet* telnet = nullptr;
    Permission* permission = nullptr;

    Q_INVOKABLE void startTimerEvent();
    void parseTimerEventResponse(QString data);

public slots:
    void showData();
    void setCurrentMedia(QString media);
    void setPlayArea(QString area);
    void setPlayMode(QString mode);
    void setStatus(int status);
    void onReadOnlyChanged(bool readOnly);

private:
    QList<QObject*> timerEventModel;
    QString currentMedia;
    QString playArea;
    QString playMode;
    int status = 0;
};
