#include "replyorder.h"

#include "askedvalue.h"

#include <algorithm>

ReplyOrder::ReplyOrder() = default;

void ReplyOrder::track(const char* prefix, int length, const char* reply, AskedValue* value, bool echoes)
{
    const QString code = QString::fromLatin1(reply);
    int index = m_replies.indexOf(code);
    if (index < 0) {
        index = m_replies.size();
        m_replies.append(code);
        m_waiting.push_back(0);
    }
    m_kinds.append({ QByteArray(prefix), length, index, value, echoes });
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
        const Kind& k = m_kinds.at(kind);
        const QByteArray set = k.echoes ? line.mid(k.prefix.size()) : QByteArray();
        m_lines.push_back({ m_nextPlace++, kind, k.reply, set == "FF" ? QString() : QString::fromLatin1(set) });
        ++m_waiting[std::size_t(k.reply)];
        if (AskedValue* value = m_kinds.at(kind).value)
            value->lineWritten();
    }
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
    Report report { code, m_nextPlace, number, code >= 0 ? reply.mid(m_replies.at(code).size()) : QString() };
    if (code == refusal || answers(m_lines.front(), report)) {
        answerOldest(number, code == refusal);
        return true;
    }
    // Unasked, unless the oldest line went unanswered. Then it is given up,
    // and the reports that came while it held the order are taken again, in
    // order: most were the answers to the lines after it.
    if (m_unmatched.size() >= std::size_t(maxKept))
        m_unmatched.pop_front();
    m_unmatched.push_back(std::move(report));
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
    m_row = 1;
    bool last = false;
    for (const Report& report : reports) {
        last = !m_lines.empty() && answers(m_lines.front(), report);
        if (last) {
            answerOldest(report.number);
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

void ReplyOrder::answerOldest(quint64 report, bool refused)
{
    const Line line = m_lines.front();
    popOldest();
    // The reports before an answer were sent unasked (or answered lines
    // written after one left unanswered: those lines wait for a later
    // answer, which is late, never wrong).
    m_unmatched.clear();
    m_row = 1;
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
    std::fill(m_waiting.begin(), m_waiting.end(), 0);
    m_unmatched.clear();
    m_row = 1;
}
