#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class AskedValue;

// The order in which the recorder answers. The recorder answers the lines it
// is sent one after another, in the order they were written, each with a
// report whose code is the line's own code + 0x80. Every line written whose
// answer is known is noted here with that answer's code; a report is the
// answer to the oldest line still unanswered when the two agree. A report of
// any other code was sent unasked: a change notice, another controller's
// change, or a value the recorder pushes on its own. It answers nothing, so
// however many of them come among the answers, no wait for an answer ends on
// one of them. A refusal ("F2", as a recorder in standby answers every line)
// answers the oldest line whatever its code: that line is done. Where a line
// sets a value that its answer reports back (a pitch or key step), the two
// agree only when the report carries what the line set: a report the
// recorder pushed before it had the line carries the value before, and
// answers nothing.
//
// A recorder answers every line, late or not: a recorder that holds its
// answers for a while (a stalled link that sends a lost packet again, or a
// busy recorder) then sends them all, in order, so the oldest line's own
// answer comes first however long it was held. How long a line has waited
// therefore tells nothing: a line is never taken as unanswered on time alone,
// nor are the lines written while the recorder said nothing.
//
// Should the recorder leave a line unanswered all the same, the lines after it
// would never match again. The oldest line is given up once the reports since
// the last answer answer the three lines after it in a row (a run that
// reports pushed unasked would have to match line for line). The reports that answered nothing while it held
// the order are then matched again against the lines after it, so the answers
// to those are not lost with it. Where a report of the oldest line's code
// comes, it is that line's answer: were the line lost, the report answers a
// later line of the same code, and the order stays behind, never ahead (a
// wait lasts longer, up to its value's quiet spell; no wait ends on an older
// line's answer).
class ReplyOrder
{
public:
    ReplyOrder();

    // Lines that begin with prefix (and have length characters, when it is not
    // -1) are answered by a report beginning with reply (code and data, as
    // "FF3185"); that report reports value, where value is not null. With
    // echoes, the answer to a line that sets the value carries what the line
    // set (the characters after prefix; "FF" asks and takes any): a report
    // that carries something else answers another line, or none.
    void track(const char* prefix, int length, const char* reply, AskedValue* value = nullptr, bool echoes = false);

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
    // Reports kept since the last answer, which answered no line when they
    // came (diagnostics).
    int kept() const { return int(m_unmatched.size()); }
    // How many times a line and a report have been compared (diagnostics: a
    // report costs a few comparisons however many lines and reports wait).
    quint64 comparisons() const { return m_comparisons; }

    // Where a test answers only the lines that matter to it: a report answers
    // the oldest line of its code, and the lines before that one are taken as
    // unanswered. Never on a link: a recorder answers every line.
    bool skipsUnanswered = false;
    // Whether a wait holds until the recorder shows it has had the request
    // (AskedValue); off where a test answers only the lines that matter.
    bool fences = true;
    // Told of every line that has its answer or its refusal: the line's
    // place and the number of the report that answered it, counting every
    // report from 1 (diagnostics; a line given up is not told).
    std::function<void(quint64 place, quint64 report)> onAnswer;

private:
    struct Kind
    {
        QByteArray prefix;
        int length;
        int reply; // index into m_replies
        AskedValue* value;
        bool echoes;
    };
    // A report that answered nothing when it came, and the place of the next
    // line written then (it cannot answer that line or any after it).
    struct Report
    {
        int reply;
        quint64 before;
        quint64 number;
        QString data; // after the answer code
    };
    struct Line
    {
        quint64 place;
        int kind;
        int reply;
        QString echo; // what its answer carries; empty for anything
    };
    // Lines written and not answered: at most this many are kept.
    static constexpr int maxLines = 4096;
    // Reports kept while a line holds the order.
    static constexpr int maxKept = 256;
    static constexpr int refusal = -2;

    int kindOf(const QByteArray& line) const;
    // Index of the answer code the report begins with; -1 for none, refusal
    // for "F2".
    int replyOf(const QString& report) const;
    bool answers(const Line& line, const Report& report) const;
    // The lines after the oldest that a report with this code answers.
    int laterLinesAnswering(int reply) const;
    bool oldestSkipped(int reply) const;
    // Counts a kept report into the row of answers to the lines after the
    // oldest.
    void extendRow(const Report& report);
    // The oldest line has its answer, report number `report` (or its
    // refusal).
    void answerOldest(quint64 report, bool refused = false);
    void giveUpOldest();
    void popOldest();
    // Takes the reports that answered nothing since the last answer again,
    // against the lines as they now stand; whether the last one answered.
    bool replay();

    QList<Kind> m_kinds;
    QStringList m_replies;
    QList<AskedValue*> m_values;
    std::deque<Line> m_lines;
    // How many waiting lines each answer code answers.
    std::vector<int> m_waiting;
    // The reports that answered nothing since the last answer, oldest first.
    std::deque<Report> m_unmatched;
    // How far the kept reports answer the lines after the oldest in a row:
    // the index of the next line due in the row.
    std::size_t m_row = 1;
    quint64 m_nextPlace = 1;
    quint64 m_lastWriteStart = 1;
    quint64 m_reports = 0;
    mutable quint64 m_comparisons = 0;
};
