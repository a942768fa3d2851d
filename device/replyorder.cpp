#include "replyorder.h"

#include "askedvalue.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>

ReplyOrder::ReplyOrder()
{
    clock = [] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

void ReplyOrder::track(const char* prefix, int length, const char* reply, AskedValue* value)
{
    const QString code = QString::fromLatin1(reply);
    int index = m_replies.indexOf(code);
    if (index < 0) {
        index = m_replies.size();
        m_replies.append(code);
        m_waiting.push_back(0);
    }
    m_kinds.append({ QByteArray(prefix), length, index, value });
    if (value && !m_values.contains(value)) {
        m_values.append(value);
        value->order = this;
    }
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
            m_row = 1;
        }
        const int reply = m_kinds.at(kind).reply;
        m_lines.push_back({ m_nextPlace++, kind, reply, clock() });
        ++m_waiting[std::size_t(reply)];
        if (AskedValue* value = m_kinds.at(kind).value)
            value->lineWritten();
    }
}

bool ReplyOrder::answers(const Line& line, const Report& report) const
{
    ++m_comparisons;
    return line.place < report.before && line.reply == report.reply;
}

bool ReplyOrder::answered(const QString& reply)
{
    const int code = replyOf(reply);
    // A report that answers no line at all is a notice and is not kept.
    if (code == -1 || m_lines.empty())
        return false;
    const qint64 now = clock();
    const Line& oldest = m_lines.front();
    // Silent, not just slower than before: no answer for the quiet spell.
    if (now - std::max(m_heardAt, oldest.at) > std::max<qint64>(silenceMs + m_answerTime, staleMs)) {
        const int line = afterSilence(code, now);
        if (line >= 0) {
            for (int i = 0; i < line; ++i)
                giveUpOldest();
            answerOldest(now, code == refusal);
            return true;
        }
    }
    if (code == refusal || oldest.reply == code) {
        answerOldest(now, code == refusal);
        return true;
    }
    // Unasked, unless the oldest line went unanswered. Then it is given up,
    // and the reports that came while it held the order are taken again, in
    // order: most were the answers to the lines after it.
    if (m_unmatched.size() >= std::size_t(maxKept))
        m_unmatched.pop_front();
    m_unmatched.push_back({ code, m_nextPlace, now });
    extendRow(m_unmatched.back());
    while (!m_lines.empty() && oldestSkipped(code)) {
        giveUpOldest();
        if (replay())
            return true;
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
}

// The recorder answers in order, so the oldest line went unanswered when,
// since the last answer, the next three lines have had their answers in a
// row; or when it has waited longer than the quiet spell and this report
// answers a later line.
bool ReplyOrder::oldestSkipped(int reply) const
{
    constexpr std::size_t inARow = 3;
    return m_row > inARow || (clock() - m_lines.front().at > staleMs && laterLinesAnswering(reply) > 0);
}

// The recorder takes about as long to answer after a silence as before it;
// of two lines as near to that, the older. Only the lines written since the
// silence are looked at, newest first.
int ReplyOrder::afterSilence(int reply, qint64 now) const
{
    // A silence is the recorder's only where the application went on writing
    // through it. After a stall of the application itself nothing was
    // written in its middle, and the reports are the old lines' own answers,
    // in order.
    const qint64 from = std::max(m_heardAt, m_lines.front().at);
    bool wroteThrough = false;
    for (std::size_t i = m_lines.size(); i-- > 0 && !wroteThrough;) {
        ++m_comparisons;
        const qint64 at = m_lines[i].at;
        if (at - from < silenceMs / 2)
            break;
        wroteThrough = now - at >= silenceMs / 2;
    }
    if (!wroteThrough)
        return -1;
    int found = -1;
    qint64 nearest = std::numeric_limits<qint64>::max();
    for (std::size_t i = m_lines.size(); i-- > 0;) {
        const Line& line = m_lines[i];
        ++m_comparisons;
        const qint64 waited = now - line.at;
        if (waited > m_answerTime + silenceMs)
            break;
        if (reply != refusal && line.reply != reply)
            continue;
        const qint64 off = std::abs(waited - m_answerTime);
        if (off <= nearest) {
            nearest = off;
            found = int(i);
        }
    }
    return found;
}

bool ReplyOrder::replay()
{
    std::deque<Report> reports;
    reports.swap(m_unmatched);
    m_row = 1;
    bool last = false;
    for (const Report& report : reports) {
        last = !m_lines.empty() && answers(m_lines.front(), report);
        if (last) {
            answerOldest(report.at);
        } else {
            m_unmatched.push_back(report);
            extendRow(report);
        }
    }
    return last;
}

void ReplyOrder::popOldest()
{
    --m_waiting[std::size_t(m_lines.front().reply)];
    m_lines.pop_front();
}

void ReplyOrder::answerOldest(qint64 at, bool refused)
{
    const Line line = m_lines.front();
    popOldest();
    // The reports before an answer were sent unasked.
    m_unmatched.clear();
    m_row = 1;
    m_heardAt = at;
    // How long the recorder takes: the longest recent answer, forgotten
    // slowly, as a report it pushes unasked may match a line just written.
    m_answerTime = std::max(at - line.at, m_answerTime - m_answerTime / 8);
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
    std::fill(m_waiting.begin(), m_waiting.end(), 0);
    m_unmatched.clear();
    m_row = 1;
    m_heardAt = 0;
    m_answerTime = 0;
}
