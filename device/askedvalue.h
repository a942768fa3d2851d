#pragma once

#include <QObject>
#include <QVariant>
#include <functional>

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
// No wait ends on time: a recorder that holds its answers for a while sends
// them all in order later, and the request's own answer then ends it.
//
// Where the order finds that the recorder left a line of the value
// unanswered, a request or a query of its own, the value is asked for once
// (requery), whether or not a request waits for it; a request whose line it
// was still stands, and that query's answer ends the wait. Should the query
// go unanswered too, the recorder has shown nothing newer: nothing more is
// asked, and the wait ends on the recorder's last report. Only a login or a
// link loss ends a wait otherwise (reset()).
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
    // that the next line's answer is known for its own. Where no later line
    // of the value is on its way, the value is asked for, once: where the
    // line given up was that query, the wait ends instead.
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
    // Whether the value is to be asked for, a line of it having gone
    // unanswered; the query goes once the report being read has been handled.
    bool queryDue() const { return m_queryDue; }

    // Writes a query of the value (a line the order counts for it); false
    // when none can go, or none is wanted (the request it would stand for
    // has made way for another). Where none goes, a wait whose line went
    // unanswered ends, and the recorder's last report shows.
    std::function<bool()> requery;
    // The order that counts this value's lines and answers, set by
    // ReplyOrder::track; none where the counts are kept by hand.
    const ReplyOrder* order = nullptr;

signals:
    // The wait ended: the last request was answered, refused or reset.
    void settled();

private:
    void settle();
    // The answer now due is that of the line written last.
    void awaitLastLine();
    void askAgain();
    bool answered() const { return m_reported >= m_due && m_fencePassed && !m_queryDue; }

    quint64 m_written = 0;
    quint64 m_reported = 0;
    quint64 m_due = 0;
    quint64 m_asks = 0;
    // The line of the last query asked for a line given up, counted as
    // m_written counts; 0 for none on its way.
    quint64 m_query = 0;
    bool m_waiting = false;
    bool m_queryDue = false;
    // From this place in the order on, an answer to a line of another kind
    // shows that the recorder has had the request.
    quint64 m_fence = 0;
    bool m_fencePassed = true;
    QVariant m_value;
};
