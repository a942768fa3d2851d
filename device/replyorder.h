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
// answers the oldest line whatever its code: that line is done.
//
// Should the recorder leave a line unanswered, the lines after it would never
// match again. The oldest line is given up once the reports since the last
// answer answer the three lines after it in a row, or once it has waited
// longer than the quiet spell and a report answers a later line. The reports
// that answered nothing while it held the order are then matched again
// against the lines after it, so the answers to those are not lost with it.
//
// Lines written while the recorder said nothing at all (it lost the link's
// lines for a while) repeat the polls' own pattern, so the answers to the
// lines after them would match them one for one, each a few seconds late,
// and hold every wait that long. So after such a silence the first report
// answers the line of its code that has waited about as long as the recorder
// took to answer before; the lines before that one went unanswered.
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
    // Reports kept since the last answer, which answered no line when they
    // came (diagnostics).
    int kept() const { return int(m_unmatched.size()); }
    // How many times a line and a report have been compared (diagnostics: a
    // report costs a few comparisons however many lines and reports wait).
    quint64 comparisons() const { return m_comparisons; }

    // How long the oldest line may wait before a later answer gives it up.
    int staleMs = 3000;
    // How much longer than it took to answer before the recorder may say
    // nothing while lines wait, before those lines are taken as lost; never
    // less than staleMs, as a recorder that has turned slower by less than
    // that is late, not silent, and still answers every line.
    int silenceMs = 1000;
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
        int reply; // index into m_replies
        AskedValue* value;
    };
    // A report that answered nothing when it came, the place of the next
    // line written then (it cannot answer that line or any after it), and
    // when it came.
    struct Report
    {
        int reply;
        quint64 before;
        qint64 at;
    };
    struct Line
    {
        quint64 place;
        int kind;
        int reply;
        qint64 at; // when it was written
    };
    // Lines written and not answered: at most this many are kept.
    static constexpr int maxLines = 4096;
    // Reports kept while a line holds the order: enough for the quiet spell.
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
    // After a silence: the line that the report answers, if one waited about
    // as long as the recorder took to answer before; else -1.
    int afterSilence(int reply, qint64 now) const;
    // The oldest line has its answer (or its refusal), which came at `at`.
    void answerOldest(qint64 at, bool refused = false);
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
    // When a line last had its answer, and how long the recorder takes to
    // answer.
    qint64 m_heardAt = 0;
    qint64 m_answerTime = 0;
    mutable quint64 m_comparisons = 0;
};
