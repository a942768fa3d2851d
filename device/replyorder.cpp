#include "replyorder.h"

#include "askedvalue.h"

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
        if (m_lines.size() >= std::size_t(maxLines))
            m_lines.pop_front();
        m_lines.push_back({ m_nextPlace++, kind, clock() });
        if (AskedValue* value = m_kinds.at(kind).value)
            value->lineWritten();
    }
}

bool ReplyOrder::answered(const QString& reply)
{
    const auto answers = [&](const Line& line) { return reply.startsWith(m_kinds.at(line.kind).reply); };
    if (!m_lines.empty() && answers(m_lines.front())) {
        answer(0);
        return true;
    }
    // Unasked, unless the oldest line has waited so long that it will not be
    // answered: then the first later line this report answers is the one.
    if (!m_lines.empty() && clock() - m_lines.front().at > staleMs) {
        for (std::size_t i = 1; i < m_lines.size(); ++i) {
            if (answers(m_lines[i])) {
                answer(i);
                return true;
            }
        }
    }
    return false;
}

void ReplyOrder::answer(std::size_t index)
{
    const Line line = m_lines[index];
    m_lines.erase(m_lines.begin(), m_lines.begin() + std::ptrdiff_t(index) + 1);
    AskedValue* own = m_kinds.at(line.kind).value;
    if (own)
        own->reported();
    for (AskedValue* value : qAsConst(m_values)) {
        if (value != own)
            value->otherAnswered(line.place);
    }
}

void ReplyOrder::reset()
{
    m_lines.clear();
}
