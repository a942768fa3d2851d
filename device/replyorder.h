#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
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
// reports pushed unasked would have to match line for line). The reports that
// answered nothing while it held the order are then matched again against the
// lines after it, so the answers to those are not lost with it. A report that
// agrees with the oldest line and also carries on such a run cannot be told:
// the oldest line's own answer after pushes, or the next line's answer after
// the oldest went unanswered. It is kept until the run decides.
//
// Where the order cannot tell, it asks rather than guesses: a marker, a query
// the recorder never reports unasked and whose answer code no line on its way
// shares (anchor). Its answer proves every line written before it done: the
// reports kept since the last answer are matched to those lines in order, and
// the lines left over went unanswered. A marker is asked when a report that
// answers nothing could be a later line's answer, and once a quiet spell
// while lines wait and none is done (the recorder holds its answers, or lost
// the marker too). A marker the recorder lost holds the order as any line
// does; where every marker's code has a line waiting and reports keep coming
// with none done for a spell, the oldest makes way for a new one. No wait
// ends on time: waits end on answers, on refusals, on the lines given up
// (whose values are then asked for again), or with the link.
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
    // A report beginning with refusal refuses such a line, where one is due.
    void track(const char* prefix, int length, const char* reply, AskedValue* value = nullptr, bool echoes = false,
               const char* refusal = nullptr);
    // line (a query without effect, length characters) is answered by a
    // report beginning with reply that the recorder never sends unasked: an
    // anchor, which may be asked as a marker.
    void markWith(const char* line, int length, const char* reply);

    // A write went out: each of its lines with a known answer takes its place
    // in the order, and the value it asks for counts it.
    void written(const QByteArray& lines);
    // A report came (the reply line without its leading "0"). Returns whether
    // it answers a line; the value it reports then counts it, and every other
    // value learns that a line of another kind has its answer.
    bool answered(const QString& reply);
    // Forgets every line, and the values' counts of them: the link they went
    // on is gone.
    void reset();

    // Writes lines on the command channel: the markers go through it. None
    // where a test plays the recorder's part itself.
    std::function<void(const char*)> send;
    // How long no line may be done while lines wait before another marker
    // is asked.
    int quietMs = 3000;
    // Milliseconds on a steady clock.
    std::function<qint64()> clock;
    // Asks another marker where no line has been done for a quiet spell.
    // Runs on a timer and as reports come; a test that keeps a clock of its
    // own calls it as that clock moves.
    void checkProgress();

    // Place of the first line of the last write: a line with a place at or
    // after it was written with or after the request made with that write.
    quint64 lastWriteStart() const { return m_lastWriteStart; }
    // Whether the line is one whose answer the order counts (diagnostics).
    bool tracks(const QByteArray& line) const { return kindOf(line) >= 0; }
    // Lines still waiting for their answer (diagnostics).
    int unanswered() const { return int(m_lines.size()); }
    // Reports kept since the last answer, which answered no line when they
    // came (diagnostics).
    int kept() const { return int(m_unmatched.size()); }
    // Markers asked so far (diagnostics).
    quint64 markersAsked() const { return m_markersAsked; }
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
        int refusal; // index into m_replies; -1 for none but "F2"
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
    // Index of an answer code, added where new.
    int replyIndex(const char* reply);
    // Index of the answer code the report begins with; -1 for none, refusal
    // for "F2".
    int replyOf(const QString& report) const;
    bool answers(const Line& line, const Report& report) const;
    bool isAnchor(int reply) const { return reply >= 0 && m_anchors.at(std::size_t(reply)); }
    // The report agrees with the oldest line and carries on the run of
    // answers to the lines after it.
    bool cannotTell(const Report& report) const;
    // Keeps a report that answers no line for now; whether, giving up the
    // oldest line, it turned out to answer one after all.
    bool keep(Report report);
    // Every line before the one at `at` is done: the kept reports but the
    // last `after` (which answer lines after it) are matched to them in
    // order, and the lines left over went unanswered.
    void settleBefore(std::size_t at, std::size_t after = 0);
    // Index of the waiting line at place.
    std::size_t indexOf(quint64 place) const;
    void restartRows();
    // The report, taken in the order; whether it answered a line.
    bool take(Report report);
    // Where a run of the kept reports answers the lines right after a
    // waiting anchor, that anchor went unanswered and every line before it
    // is done. Whether the last report then answered a line.
    bool anchorRunsDecide();
    // Asks a marker where none is on its way.
    void askMarker();
    // Sends a marker whose answer code no line on its way shares; false
    // where there is none.
    bool sendMarker();
    // A line is done: the order moves on.
    void progressed();
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
    // Per answer code: whether it is an anchor.
    std::vector<bool> m_anchors;
    // The markers that may be asked, with the answer code of each.
    QList<QPair<QByteArray, int>> m_markers;
    QElapsedTimer m_clock;
    QTimer m_quiet;
    // When a line was last done, and how many reports have come since.
    qint64 m_progressAt = 0;
    quint64 m_reportsSinceProgress = 0;
    // When a marker was last asked.
    qint64 m_askedAt = 0;
    quint64 m_markersAsked = 0;
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
    // The anchors waiting, oldest first: each one's place, and how many of
    // the lines right after it the last kept reports answer in a row (a
    // marker the recorder left unanswered holds the order as any line does).
    struct AnchorRun
    {
        quint64 place;
        std::size_t run;
    };
    std::deque<AnchorRun> m_anchorRuns;
    quint64 m_nextPlace = 1;
    quint64 m_lastWriteStart = 1;
    quint64 m_reports = 0;
    mutable quint64 m_comparisons = 0;
};
