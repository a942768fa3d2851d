#pragma once

#include <QList>
#include <QObject>

class Telnet;

// Mark points of the current track.
class Mark : public QObject
{
    Q_OBJECT
public:
    explicit Mark(QObject* parent = nullptr);

    Telnet* telnet = nullptr;

    void clearMarks();

signals:
    void markTimeReceived(int time);
    void markClear();

private:
    QList<int> marks;
};
