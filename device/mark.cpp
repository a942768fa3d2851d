#include "mark.h"

#include "replyfields.h"
#include "telnet.h"

#include <QTimerEvent>

using replyfields::numberField;

Mark::Mark(QObject* parent)
    : QObject(parent)
{
    // A mark query the recorder left unanswered is made again.
    listAsked.requery = [this] {
        if (!telnet)
            return false;
        sendQuery();
        return true;
    };
}

Mark::~Mark() = default;

void Mark::sendQuery()
{
    telnet->sendData(queryCommand);
}

void Mark::startQuery()
{
    sendQuery();
    stopPoll();
    pollTimerId = startTimer(250, Qt::CoarseTimer);
}

void Mark::timerEvent(QTimerEvent* event)
{
    if (pollTimerId != 0 && event->timerId() == pollTimerId)
        sendQuery();
}

void Mark::stopPoll()
{
    if (pollTimerId != 0) {
        killTimer(pollTimerId);
        pollTimerId = 0;
    }
}

void Mark::parseMarkReply(QString data)
{
    const QString code = data.left(2);
    if (code == QLatin1String("DD")) {
        marks.clear();
        emit markClear();
        stopPoll();
        markCount = numberField(data, 2);
        if (markCount != 0)
            telnet->sendData("07F03580100\r\n");
    } else if (code == QLatin1String("D8")) {
        const int n = numberField(data, 2);
        const int t = replyfields::frames(data.mid(6, 2), data.mid(8, 2), data.mid(10, 2), data.mid(12, 2));
        if (marks.contains(t))
            return; // a repeated time ends the walk
        if (marks.size() >= maxMarks)
            return; // more than a track can hold: not from a sound recorder
        marks.append(t);
        emit markTimeReceived(t);
        if (n < markCount) {
            char command[] = "07F0358xxxx\r\n";
            if (setCommandNumberField(command + 7, n + 1))
                telnet->sendData(command);
        }
    }
}

void Mark::reemitMarks()
{
    emit markClear();
    const QList<int> snapshot = marks; // a receiver may clear the list meanwhile
    for (int t : snapshot)
        emit markTimeReceived(t);
}

void Mark::clearMarks()
{
    marks.clear();
    emit markClear();
    stopPoll();
}

int Mark::skipToPreviousMark(int position)
{
    int target = -1;
    for (int m : qAsConst(marks)) {
        if (m + 100 < position && m > target)
            target = m;
    }
    telnet->sendData(target >= 0 ? "07F031A01\r\n" : "01A01\r\n055\r\n");
    return target;
}

int Mark::skipToNextMark(int position)
{
    int target = -1;
    for (int m : qAsConst(marks)) {
        if (m > position && (target < 0 || m < target))
            target = m;
    }
    telnet->sendData(target >= 0 ? "07F031A00\r\n" : "01A00\r\n055\r\n");
    return target;
}
