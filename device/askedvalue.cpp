#include "askedvalue.h"

#include "replyorder.h"

AskedValue::AskedValue(QObject* parent)
    : QObject(parent)
{
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &AskedValue::settle);
}

void AskedValue::asked(const QVariant& value, bool afterNextLine)
{
    m_value = value;
    ++m_asks;
    m_due = m_written + (afterNextLine ? 1 : 0);
    m_waiting = true;
    m_fence = order ? order->lastWriteStart() : 0;
    m_fencePassed = !order || !order->fences;
    m_quiet.start(quietMs);
}

void AskedValue::reported()
{
    // Counted by hand, a report nobody asked for (a notice, another
    // controller's set) moves the count ahead; it never runs past the lines
    // written. The recorder's order of answers tells of answers only. A
    // report past the one due shows that the recorder has had the request.
    const bool pastTheAnswer = m_reported >= m_due;
    if (m_reported < m_written)
        ++m_reported;
    if (!m_waiting)
        return;
    if (pastTheAnswer && m_reported > m_due)
        m_fencePassed = true;
    if (answered())
        settle();
    else
        m_quiet.start(quietMs);
}

void AskedValue::givenUp()
{
    if (m_reported < m_written)
        ++m_reported;
    if (m_waiting && answered())
        settle();
}

void AskedValue::refused()
{
    if (m_reported < m_written)
        ++m_reported;
    if (!m_waiting)
        return;
    if (m_reported >= m_due) {
        m_fencePassed = true;
        settle();
    } else {
        m_quiet.start(quietMs);
    }
}

void AskedValue::otherAnswered(quint64 place)
{
    if (!m_waiting || m_fencePassed || place < m_fence)
        return;
    m_fencePassed = true;
    if (answered())
        settle();
}

void AskedValue::reset()
{
    m_written = 0;
    m_reported = 0;
    settle();
}

void AskedValue::settle()
{
    m_quiet.stop();
    if (!m_waiting)
        return;
    m_waiting = false;
    emit settled();
}
