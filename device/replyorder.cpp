#include "replyorder.h"

#include "askedvalue.h"

#include <algorithm>
#include <chrono>

ReplyOrder::ReplyOrder()
{
    clock = [] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

void ReplyOrder::track(const char* prefix, int length, const char* reply, AskedValue* value)
{
    m_kinds.append({ QByteArray(prefix), length, QString::fromLatin1(reply), value });
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

void ReplyOrder::written(const QByteArray& lines)
{
    m_lastWriteStart = m_nextPlace;
    for (const QByteArray& piece : lines.split('\n')) {
        const QByteArray line = piece.trimmed();
        const int kind = kindOf(line);
        if (kind < 0)
            continue;
        if (m_lines.size() >= std::size_t(maxLines)) {
            giveUp(m_lines.front());
            m_lines.pop_front();
        }
        m_lines.push_back({ m_nextPlace++, kind, clock() });
        if (AskedValue* value = m_kinds.at(kind).value)
            value->lineWritten();
    }
}

bool ReplyOrder::answers(const Line& line, const QString& reply) const
{
    return reply.startsWith(m_kinds.at(line.kind).reply);
}

bool ReplyOrder::answers(const Line& line, const Report& report) const
{
    return line.place < report.before && answers(line, report.text);
}

bool ReplyOrder::answered(const QString& reply)
{
    if (m_lines.empty())
        return false;
    if (answers(m_lines.front(), reply)) {
        answerOldest();
        return true;
    }
    // Unasked, unless the oldest line went unanswered. Then it is given up,
    // and the reports that came while it held the order are taken again, in
    // order: most were the answers to the lines after it. A report that
    // answers no line at all is a notice and is not kept.
    if (!answersAnyLine(reply))
        return false;
    if (m_unmatched.size() >= std::size_t(maxLines))
        m_unmatched.pop_front();
    m_unmatched.push_back({ reply, m_nextPlace });
    while (!m_lines.empty() && oldestSkipped(reply)) {
        giveUp(m_lines.front());
        m_lines.pop_front();
        if (replay())
            return true;
    }
    return false;
}

// The recorder answers in order, so the oldest line went unanswered when,
// since the last answer, the next three lines have had their answers in a
// row; or when it has waited longer than the quiet spell and this report
// answers a later line.
bool ReplyOrder::oldestSkipped(const QString& reply) const
{
    constexpr std::size_t inARow = 3;
    std::size_t next = 1;
    for (const Report& report : m_unmatched) {
        if (next < m_lines.size() && answers(m_lines[next], report)) {
            if (++next > inARow)
                return true;
        } else {
            next = m_lines.size() > 1 && answers(m_lines[1], report) ? 2 : 1;
        }
    }
    return clock() - m_lines.front().at > staleMs
        && std::any_of(m_lines.begin() + 1, m_lines.end(), [&](const Line& line) { return answers(line, reply); });
}

bool ReplyOrder::answersAnyLine(const QString& report) const
{
    return std::any_of(m_kinds.begin(), m_kinds.end(), [&](const Kind& kind) { return report.startsWith(kind.reply); });
}

bool ReplyOrder::replay()
{
    std::deque<Report> reports;
    reports.swap(m_unmatched);
    bool last = false;
    for (const Report& report : reports) {
        last = !m_lines.empty() && answers(m_lines.front(), report);
        if (last)
            answerOldest();
        else
            m_unmatched.push_back(report);
    }
    return last;
}

void ReplyOrder::answerOldest()
{
    const Line line = m_lines.front();
    m_lines.pop_front();
    // The reports before an answer were sent unasked.
    m_unmatched.clear();
    AskedValue* own = m_kinds.at(line.kind).value;
    if (own)
        own->reported();
    for (AskedValue* value : qAsConst(m_values)) {
        if (value != own)
            value->otherAnswered(line.place);
    }
}

// A line the recorder left unanswered: its value stops waiting for it, or
// every later answer would be counted one short.
void ReplyOrder::giveUp(const Line& line)
{
    if (AskedValue* value = m_kinds.at(line.kind).value)
        value->givenUp();
}

void ReplyOrder::reset()
{
    m_lines.clear();
    m_unmatched.clear();
}
