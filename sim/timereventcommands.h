#pragma once

// The simulated recorder's timer events: the list it keeps and runs, and the
// "07F47" commands with which control applications list, read, select, write,
// create and delete them.
//
// Attaching it: sim::installTimerEvents(recorder) creates the one
// TimerEventList of a SimRecorder (a child object) and adds its command
// handler; installStatusModel does so for every recorder. sim::timerEvents()
// finds it.
//
// Each event is held as it travels: the 28-character field block and the
// option text. The events keep their order of creation. A list query makes
// the asking connection's view (all events, today's, or one day's); every
// numbered command counts from 1 within that view. Writes, creates and deletes
// are answered with the event's number in the view (one past its end when the
// event has left it) and then tell every application "0FF47F6". Only the
// holder of the edit right may change the list; others, a number outside the
// view and a malformed block get "0F2". A change by another controller can
// be made to arrive between two commands of an application.

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <functional>

namespace sim {

class SimConnection;
class SimRecorder;

struct SimTimerEvent
{
    QString block;  // 28 characters
    QString option; // the text after the block
};

class TimerEventList : public QObject
{
    Q_OBJECT
public:
    explicit TimerEventList(SimRecorder* recorder);

    // A realistic set: every event type, every date form, every record input.
    static QList<SimTimerEvent> sampleEvents();

    QList<SimTimerEvent> events = sampleEvents();
    // The recorder's own date, for the "today" list.
    QDate today = QDate::currentDate();
    // Refuses every change, as a recorder busy with its own work would.
    bool refuseChanges = false;
    // How selects are met: answered, refused with "0F2" as a number outside
    // the view is, or left unanswered.
    enum SelectAnswer { AnswerSelects, RefuseSelects, IgnoreSelects };
    SelectAnswer selectAnswer = AnswerSelects;
    // Dante is offered by the KZ-470DUAL unless set otherwise.
    int danteOffered = -1;
    // Another controller's change, made when the next command line that
    // matches changeElsewhereOn arrives, before that line is answered; every
    // application is told "0FF47F6" as of any change. The pattern is cleared
    // then: one change per setting.
    QRegularExpression changeElsewhereOn;
    std::function<void(QList<SimTimerEvent>& events)> changeElsewhere;

    bool handleCommand(SimConnection* connection, const QString& line);

    // Whether the event matches a list query's date field ("AA0000" all,
    // "DD0000" today, "yymmdd" one day).
    bool matches(const SimTimerEvent& event, const QString& query) const;

private:
    QList<int> view(int connection) const;
    bool mayChange(SimConnection* connection) const;
    void answerChange(SimConnection* connection, const QString& code, int eventIndex);

    SimRecorder* m_recorder;
    QHash<int, QString> m_views; // connection -> date field of its last list query
};

TimerEventList* installTimerEvents(SimRecorder& recorder);
TimerEventList* timerEvents(const SimRecorder& recorder);

} // namespace sim
