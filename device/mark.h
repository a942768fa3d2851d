#pragma once

#include <QList>
#include <QObject>

#include "askedvalue.h"

class Telnet;
class QTimerEvent;

// Mark points of the current track, read from the recorder one by one. Every
// position is a time in frames (hundredths of a second from the track start).
class Mark : public QObject
{
    Q_OBJECT
public:
    explicit Mark(QObject* parent = nullptr);
    ~Mark() override;

    // The mark-count query followed by the current-track-top query.
    static constexpr const char* queryCommand = "07F035D\r\n07F6A63\r\n";
    // Mark numbers travel as four digits: no track holds more marks than this.
    static constexpr int maxMarks = 9999;

    Telnet* telnet = nullptr;

    // Sends the query and (re)starts the 250 ms poll that repeats it until the
    // count reply arrives. The list is kept until then.
    void startQuery();
    // One "FF03" reply, the text after "FF03".
    void parseMarkReply(QString data);
    // Signals the stored marks again: markClear, then every mark in list order.
    void reemitMarks();
    // Empties the list, signals markClear and stops the poll; the count stays.
    void clearMarks();
    // Steps back to a mark lying more than one second before position, or, with
    // none, to the previous track. Returns the position the recorder goes to,
    // the nearest such mark, or -1 for the other track.
    int skipToPreviousMark(int position);
    // Steps forward to a mark after position, or, with none, to the next track.
    // Returns the nearest mark after position, or -1 for the other track.
    int skipToNextMark(int position);

    // The list as the user's requests leave it: the status model's order of
    // answers counts every query written, and every count reply answering
    // one. While a skip to another track waits for the list of that track,
    // the marks held are of the track left behind.
    AskedValue listAsked;

    const QList<int>& markTimes() const { return marks; }
    // The marks held, for a mark display made after they were signalled.
    Q_INVOKABLE QList<int> heldMarks() const { return marks; }
    int getMarkCount() const { return markCount; }
    int getPollTimerId() const { return pollTimerId; }

signals:
    void markTimeReceived(int time);
    void markClear();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void stopPoll();
    void sendQuery();

    QList<int> marks;
    int markCount = 0;
    int pollTimerId = 0;
};
