#pragma once

#include <QObject>
#include <QTimer>
#include <QVariant>

// One front-panel value the user sets and the recorder reports (the pitch, the
// key, the medium, the transport status, ...), seen from the user's side while
// the user's own requests for it are on their way.
//
// Every line that makes the recorder report the value, a set or a query, is
// counted as it is written, and every report as it is read. The recorder
// answers in the order it was asked, so the user's last request has its answer
// once as many reports have come as lines had been written up to it. Until
// then what the user last asked for stands in for the reports, which are
// older than it: a step counts from it and a pick is compared with it.
//
// The status model counts in the recorder's order of answers (ReplyOrder): a
// report the recorder sends unasked answers no line and is not counted. One
// that comes just where the answer was due cannot be told from it, so there
// the wait also holds until the recorder shows it has had the request: a line
// of another kind written with or after it has its answer, or a later line of
// the value has. So the wait never ends on a report the recorder wrote before
// it had the request.
//
// A refusal of the line the wait is for ends it too: the request was not
// taken, and the recorder's own value shows again.
//
// A login or a link loss ends the wait (reset()), and so does a quiet spell
// with no report at all, so a lost answer holds nothing for good. Where the
// order of answers cannot tell a held answer from a lost line's, it waits,
// and the quiet spell is the longest such a wait lasts after the last request
// or report of the value.
class ReplyOrder;

class AskedValue : public QObject
{
    Q_OBJECT
public:
    explicit AskedValue(QObject* parent = nullptr);

    // A line went out that the recorder answers with one report of the value.
    void lineWritten() { ++m_written; }
    // The user asked for value. Its answer is the report to the line written
    // last; with afterNextLine, the report to the next line written (for a
    // request that is not answered itself but shows in the next query).
    void asked(const QVariant& value, bool afterNextLine = false);
    // One report came; settles the wait when it answers the last request.
    void reported();
    // A line of the value was given up unanswered: it is counted as done, so
    // that the next line's answer is known for its own.
    void givenUp();
    // The recorder refused a line of the value: it is done, and the value
    // stays what the recorder last reported. A refusal comes only as the
    // answer to its line, so it needs no other sign that the recorder has
    // had the request.
    void refused();
    // The answer came to a line of another kind, at place in the order.
    void otherAnswered(quint64 place);
    // Forgets every line and request: the link they went on is gone.
    void reset();

    // While true, value() is the user's last request and the reports are older.
    bool waiting() const { return m_waiting; }
    QVariant value() const { return m_value; }
    // How many requests the user has made so far: a change shows that one
    // was made in between.
    quint64 asks() const { return m_asks; }
    // Lines of the value written, and how many of them are done (answered,
    // refused or given up), in the order they were written.
    quint64 linesWritten() const { return m_written; }
    quint64 linesDone() const { return m_reported; }

    // How long a wait lasts without any report before it is given up.
    int quietMs = 3000;
    // The order that counts this value's lines and answers, set by
    // ReplyOrder::track; none where the counts are kept by hand.
    const ReplyOrder* order = nullptr;

signals:
    // The wait ended: the last request was answered, given up or reset.
    void settled();

private:
    void settle();
    bool answered() const { return m_reported >= m_due && m_fencePassed; }

    quint64 m_written = 0;
    quint64 m_reported = 0;
    quint64 m_due = 0;
    quint64 m_asks = 0;
    bool m_waiting = false;
    // From this place in the order on, an answer to a line of another kind
    // shows that the recorder has had the request.
    quint64 m_fence = 0;
    bool m_fencePassed = true;
    QVariant m_value;
    QTimer m_quiet;
};
