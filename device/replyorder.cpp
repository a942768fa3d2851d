#include "replyorder.h"

#include "askedvalue.h"

#include <algorithm>

ReplyOrder::ReplyOrder()
{
    m_clock.start();
    clock = [this] { return m_clock.elapsed(); };
    m_quiet.setSingleShot(true);
    QObject::connect(&m_quiet, &QTimer::timeout, [this] { checkProgress(); });
}

int ReplyOrder::replyIndex(const char* reply)
{
    const QString code = QString::fromLatin1(reply);
    int index = m_replies.indexOf(code);
    if (index < 0) {
        index = m_replies.size();
        m_replies.append(code);
        m_waiting.push_back(0);
        m_anchors.push_back(false);
    }
    return index;
}

void ReplyOrder::track(const char* prefix, int length, const char* reply, AskedValue* value, bool echoes,
                       const char* refusal)
{
    const int index = replyIndex(reply);
    m_kinds.append({ QByteArray(prefix), length, index, value, echoes, refusal ? replyIndex(refusal) : -1 });
    if (value && !m_values.contains(value)) {
        m_values.append(value);
        value->order = this;
    }
}

void ReplyOrder::markWith(const char* line, int length, const char* reply)
{
    track(line, length, reply);
    const int index = replyIndex(reply);
    m_anchors[std::size_t(index)] = true;
    m_markers.append({ QByteArray(line) + "\r\n", index });
}

int ReplyOrder::kindOf(const QByteArray& line) const
{
    for (int i = 0; i < m_kinds.size(); ++i) {
        const Kind& kind = m_kinds.at(i);
        if (line.startsWith(kind.prefix) && (kind.length < 0 || line.size() == kind.length))
            return i;
    }
    return -1;
}

int ReplyOrder::replyOf(const QString& report) const
{
    if (report == QLatin1String("F2"))
        return refusal;
    int found = -1;
    for (int i = 0; i < m_replies.size(); ++i) {
        if (report.startsWith(m_replies.at(i)) && (found < 0 || m_replies.at(i).size() > m_replies.at(found).size()))
            found = i;
    }
    return found;
}

void ReplyOrder::written(const QByteArray& lines)
{
    m_lastWriteStart = m_nextPlace;
    for (const QByteArray& piece : lines.split('\n')) {
        const QByteArray line = piece.trimmed();
        const int kind = kindOf(line);
        if (kind < 0)
            continue;
        if (m_lines.size() >= std::size_t(maxLines)) {
            // So many unanswered: the reports kept for them say nothing more.
            giveUpOldest();
            m_unmatched.clear();
            restartRows();
        }
        if (m_lines.empty())
            progressed();
        const Kind& k = m_kinds.at(kind);
        const QByteArray set = k.echoes ? line.mid(k.prefix.size()) : QByteArray();
        if (isAnchor(k.reply))
            m_anchorRuns.push_back({ m_nextPlace, 0 });
        m_lines.push_back({ m_nextPlace++, kind, k.reply, set == "FF" ? QString() : QString::fromLatin1(set) });
        ++m_waiting[std::size_t(k.reply)];
        if (AskedValue* value = k.value)
            value->lineWritten();
    }
    // Checked on the timer, never here: a marker must not go out ahead of
    // the lines being written.
    if (!m_lines.empty() && !m_quiet.isActive())
        m_quiet.start(quietMs);
}

bool ReplyOrder::answers(const Line& line, const Report& report) const
{
    ++m_comparisons;
    return line.place < report.before && line.reply == report.reply
        && (line.echo.isEmpty() || line.echo == report.data);
}

bool ReplyOrder::answered(const QString& reply)
{
    const quint64 number = ++m_reports;
    const int code = replyOf(reply);
    // A report that answers no line at all is a notice and is not kept.
    if (code == -1 || m_lines.empty())
        return false;
    ++m_reportsSinceProgress;
    const bool done = take({ code, m_nextPlace, number, code >= 0 ? reply.mid(m_replies.at(code).size()) : QString() });
    checkProgress();
    return done;
}

bool ReplyOrder::take(Report report)
{
    const int code = report.reply;
    const bool refused = code == refusal || code == m_kinds.at(m_lines.front().kind).refusal;
    if (refused || (answers(m_lines.front(), report) && !cannotTell(report))) {
        answerOldest(report.number, refused);
        return true;
    }
    if (isAnchor(code) && m_waiting[std::size_t(code)] > 0) {
        // Answers the first line of its code: every line before it is done.
        std::size_t at = 0;
        while (at < m_lines.size() && !answers(m_lines[at], report))
            ++at;
        if (at < m_lines.size()) {
            settleBefore(at);
            answerOldest(report.number);
            return true;
        }
    }
    // Unasked, unless the oldest line went unanswered. Then it is given up,
    // and the reports that came while it held the order are taken again, in
    // order: most were the answers to the lines after it.
    if (keep(std::move(report)))
        return true;
    // A report a later line waits for: should the oldest have gone
    // unanswered, a marker tells.
    if (!m_lines.empty() && m_waiting[std::size_t(code)] > (m_lines.front().reply == code ? 1 : 0))
        askMarker();
    return false;
}

bool ReplyOrder::cannotTell(const Report& report) const
{
    return !skipsUnanswered && !isAnchor(report.reply) && !m_unmatched.empty() && m_row >= 2
        && m_row < m_lines.size() && answers(m_lines[m_row], report);
}

bool ReplyOrder::keep(Report report)
{
    if (m_unmatched.size() >= std::size_t(maxKept))
        m_unmatched.pop_front();
    const int code = report.reply;
    m_unmatched.push_back(std::move(report));
    extendRow(m_unmatched.back());
    while (!m_lines.empty() && oldestSkipped(code)) {
        giveUpOldest();
        if (replay())
            return true;
    }
    return anchorRunsDecide();
}

std::size_t ReplyOrder::indexOf(quint64 place) const
{
    const auto at = std::lower_bound(m_lines.begin(), m_lines.end(), place,
                                     [](const Line& line, quint64 p) { return line.place < p; });
    return std::size_t(at - m_lines.begin());
}

bool ReplyOrder::anchorRunsDecide()
{
    constexpr std::size_t inARow = 3;
    for (const AnchorRun& anchor : m_anchorRuns) {
        if (anchor.run < inARow)
            continue;
        settleBefore(indexOf(anchor.place), anchor.run);
        giveUpOldest();
        return replay();
    }
    return false;
}

int ReplyOrder::laterLinesAnswering(int reply) const
{
    return m_waiting[std::size_t(reply)] - (m_lines.front().reply == reply ? 1 : 0);
}

void ReplyOrder::extendRow(const Report& report)
{
    if (m_row < m_lines.size() && answers(m_lines[m_row], report))
        ++m_row;
    else
        m_row = m_lines.size() > 1 && answers(m_lines[1], report) ? 2 : 1;
    for (AnchorRun& anchor : m_anchorRuns) {
        const std::size_t after = indexOf(anchor.place) + 1;
        if (after + anchor.run < m_lines.size() && answers(m_lines[after + anchor.run], report))
            ++anchor.run;
        else
            anchor.run = after < m_lines.size() && answers(m_lines[after], report) ? 1 : 0;
    }
}

void ReplyOrder::restartRows()
{
    m_row = 1;
    for (AnchorRun& anchor : m_anchorRuns)
        anchor.run = 0;
}

// The recorder answers in order, so the oldest line went unanswered when,
// since the last answer, the next three lines have had their answers in a
// row. (Where a test answers only some lines, when a later line has its
// answer.)
bool ReplyOrder::oldestSkipped(int reply) const
{
    constexpr std::size_t inARow = 3;
    return m_row > inARow || (skipsUnanswered && laterLinesAnswering(reply) > 0);
}

bool ReplyOrder::replay()
{
    std::deque<Report> reports;
    reports.swap(m_unmatched);
    restartRows();
    bool last = false;
    for (const Report& report : reports) {
        last = !m_lines.empty() && answers(m_lines.front(), report) && !cannotTell(report);
        if (last) {
            answerOldest(report.number);
        } else {
            m_unmatched.push_back(report);
            extendRow(report);
        }
    }
    return last;
}

void ReplyOrder::settleBefore(std::size_t at, std::size_t after)
{
    std::deque<Report> reports;
    reports.swap(m_unmatched);
    std::deque<Report> later(reports.end() - std::ptrdiff_t(after), reports.end());
    reports.resize(reports.size() - after);
    std::size_t next = 0;
    for (; at > 0; --at) {
        std::size_t match = next;
        while (match < reports.size() && !answers(m_lines.front(), reports[match]))
            ++match;
        if (match < reports.size()) {
            answerOldest(reports[match].number);
            next = match + 1;
        } else {
            giveUpOldest();
        }
    }
    m_unmatched = std::move(later);
    restartRows();
}

void ReplyOrder::askMarker()
{
    if (m_anchorRuns.empty())
        sendMarker();
}

bool ReplyOrder::sendMarker()
{
    if (!send || skipsUnanswered)
        return false;
    for (const auto& marker : qAsConst(m_markers)) {
        if (m_waiting[std::size_t(marker.second)] == 0) {
            ++m_markersAsked;
            m_askedAt = clock();
            send(marker.first.constData());
            return true;
        }
    }
    return false;
}

void ReplyOrder::progressed()
{
    m_progressAt = clock();
    m_reportsSinceProgress = 0;
}

// No line has been done for a quiet spell while lines wait: the recorder
// holds its answers, or it lost a line and the markers asked since. Another
// marker is asked, once a spell. Where every marker's code has a line
// waiting while reports come, the oldest such line, which the recorder would
// have answered by then, makes way for it.
void ReplyOrder::checkProgress()
{
    if (m_lines.empty()) {
        m_quiet.stop();
        return;
    }
    const qint64 now = clock();
    const qint64 due = std::max(m_progressAt, m_askedAt) + quietMs;
    if (now < due) {
        m_quiet.start(int(due - now));
        return;
    }
    m_quiet.start(quietMs);
    m_askedAt = now;
    if (sendMarker() || m_reportsSinceProgress < 3 || m_anchorRuns.empty() || !send || skipsUnanswered)
        return;
    const std::size_t at = indexOf(m_anchorRuns.front().place);
    const Line lost = m_lines[at];
    if (AskedValue* value = m_kinds.at(lost.kind).value)
        value->givenUp();
    --m_waiting[std::size_t(lost.reply)];
    m_anchorRuns.pop_front();
    m_lines.erase(m_lines.begin() + std::ptrdiff_t(at));
    restartRows();
    sendMarker();
}

void ReplyOrder::popOldest()
{
    progressed();
    if (!m_anchorRuns.empty() && m_anchorRuns.front().place == m_lines.front().place)
        m_anchorRuns.pop_front();
    --m_waiting[std::size_t(m_lines.front().reply)];
    m_lines.pop_front();
}

void ReplyOrder::answerOldest(quint64 report, bool refused)
{
    const Line line = m_lines.front();
    popOldest();
    // The reports before an answer were sent unasked (or answered lines
    // written after one left unanswered: those lines wait for a later
    // answer, which is late, never wrong).
    m_unmatched.clear();
    restartRows();
    if (onAnswer)
        onAnswer(line.place, report);
    AskedValue* own = m_kinds.at(line.kind).value;
    if (own) {
        if (refused)
            own->refused();
        else
            own->reported();
    }
    for (AskedValue* value : qAsConst(m_values)) {
        if (value != own)
            value->otherAnswered(line.place);
    }
}

// A line the recorder left unanswered: its value stops waiting for it, or
// every later answer would be counted one short.
void ReplyOrder::giveUpOldest()
{
    if (AskedValue* value = m_kinds.at(m_lines.front().kind).value)
        value->givenUp();
    popOldest();
}

void ReplyOrder::reset()
{
    m_lines.clear();
    m_anchorRuns.clear();
    std::fill(m_waiting.begin(), m_waiting.end(), 0);
    m_unmatched.clear();
    m_row = 1;
    m_quiet.stop();
    for (AskedValue* value : qAsConst(m_values))
        value->reset();
}
