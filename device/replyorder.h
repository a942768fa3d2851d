#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <deque>
#include <functional>

class AskedValue;

// The order in which the recorder answers. The recorder answers the lines it
// is sent one after another, in the order they were written, each with a
// report whose code is the line's own code + 0x80. Every line written whose
// answer is known is noted here with that answer's code; a report is the
// answer to the oldest line still unanswered when the two agree. A report of
// any other code was sent unasked: a change notice, another controller's
// change, or a value the recorder pushes on its own. It answers nothing, so
// however many of them come among the answers, no wait for an answer ends on
// one of them.
//
// Should the recorder leave a line unanswered, the lines after it would never
// match again. The oldest line is given up once the reports since the last
// answer answer the three lines after it in a row, or once it has waited
// longer than the quiet spell and a report answers a later line. The reports
// that answered nothing while it held the order are then matched again
// against the lines after it, so the answers to those are not lost with it.
class ReplyOrder
{
public:
    ReplyOrder();

    // Lines that begin with prefix (and have length characters, when it is not
    // -1) are answered by a report beginning with reply (code and data, as
    // "FF3185"); that report reports value, where value is not null.
    void track(const char* prefix, int length, const char* reply, AskedValue* value = nullptr);

    // A write went out: each of its lines with a known answer takes its place
    // in the order, and the value it asks for counts it.
    void written(const QByteArray& lines);
    // A report came (the reply line without its leading "0"). Returns whether
    // it answers a line; the value it reports then counts it, and every other
    // value learns that a line of another kind has its answer.
    bool answered(const QString& reply);
    // Forgets every line: the link they went on is gone.
    void reset();

    // Place of the first line of the last write: a line with a place at or
    // after it was written with or after the request made with that write.
    quint64 lastWriteStart() const { return m_lastWriteStart; }
    // Lines still waiting for their answer (diagnostics).
    int unanswered() const { return int(m_lines.size()); }

    // How long the oldest line may wait before a later answer gives it up.
    int staleMs = 3000;
    // Whether a wait holds until the recorder shows it has had the request
    // (AskedValue); off where a test answers only the lines that matter.
    bool fences = true;
    // Time source in ms; a steady clock unless a test sets another.
    std::function<qint64()> clock;

private:
    struct Kind
    {
        QByteArray prefix;
        int length;
        QString reply;
        AskedValue* value;
    };
    // A report that answered nothing when it came, and the place of the
    // next line written then: it cannot answer that line or any after it.
    struct Report
    {
        QString text;
        quint64 before;
    };
    struct Line
    {
        quint64 place;
        int kind;
        qint64 at; // when it was written
    };
    // Lines written and not answered: at most this many are kept.
    static constexpr int maxLines = 4096;

    int kindOf(const QByteArray& line) const;
    bool answers(const Line& line, const QString& reply) const;
    bool answers(const Line& line, const Report& report) const;
    bool oldestSkipped(const QString& reply) const;
    bool answersAnyLine(const QString& report) const;
    // The oldest line has its answer.
    void answerOldest();
    void giveUp(const Line& line);
    // Takes the reports that answered nothing since the last answer again,
    // against the lines as they now stand; whether the last one answered.
    bool replay();

    QList<Kind> m_kinds;
    QList<AskedValue*> m_values;
    std::deque<Line> m_lines;
    // The reports that answered nothing since the last answer, oldest first.
    std::deque<Report> m_unmatched;
    quint64 m_nextPlace = 1;
    quint64 m_lastWriteStart = 1;
};
