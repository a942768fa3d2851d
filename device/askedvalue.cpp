#include "askedvalue.h"

#include "replyorder.h"

AskedValue::AskedValue(QObject* parent)
    : QObject(parent)
{
}

void AskedValue::asked(const QVariant& value, bool afterNextLine)
{
    m_value = value;
    ++m_asks;
    m_waiting = true;
    m_queryDue = false;
    awaitLastLine();
    if (afterNextLine)
        ++m_due;
}

void AskedValue::awaitLastLine()
{
    m_due = m_written;
    m_fence = order ? order->lastWriteStart() : 0;
    m_fencePassed = !order || !order->fences;
}

void AskedValue::reported()
{
    // Counted by hand, a report nobody asked for (a notice, another
    // controller's set) moves the count ahead; it never runs past the lines
    // written. The recorder's order of answers tells of answers only. A
    // report past the one due shows that the recorder has had the request.
    const bool pastTheAnswer = m_reported >= m_due;
    if (m_reported < m_written) {
        ++m_reported;
        // The answer to a line after the one given up shows the value.
        m_queryDue = false;
    }
    if (!m_waiting)
        return;
    if (pastTheAnswer && m_reported > m_due)
        m_fencePassed = true;
    if (answered())
        settle();
}

void AskedValue::givenUp()
{
    if (m_reported >= m_written)
        return;
    ++m_reported;
    if (m_query != 0 && m_reported == m_query) {
        // The query asked for a line lost went unanswered too: the recorder
        // has shown nothing newer, and asking again would only repeat it.
        m_query = 0;
        if (m_waiting && m_reported >= m_due) {
            m_fencePassed = true;
            settle();
        }
        return;
    }
    if (m_reported < m_written) {
        // A later line of the value is on its way: its answer shows the value.
        if (m_waiting && answered())
            settle();
        return;
    }
    // What the recorder holds now is not known: asked once the report being
    // read has been handled.
    if (!m_queryDue) {
        m_queryDue = true;
        QMetaObject::invokeMethod(this, &AskedValue::askAgain, Qt::QueuedConnection);
    }
}

void AskedValue::askAgain()
{
    if (!m_queryDue)
        return;
    m_queryDue = false;
    if (m_reported < m_written) {
        // A line of the value went out since: its answer shows the value.
        if (m_waiting && m_due <= m_reported)
            awaitLastLine();
        return;
    }
    const quint64 before = m_written;
    if (requery && requery() && m_written > before) {
        m_query = m_written;
        if (m_waiting)
            awaitLastLine();
    } else if (m_waiting && m_due <= m_reported) {
        settle();
    }
}

void AskedValue::refused()
{
    if (m_reported < m_written)
        ++m_reported;
    if (!m_waiting || m_reported < m_due)
        return;
    // Refused: the request, or the query made for it, was not taken.
    m_fencePassed = true;
    settle();
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
    m_query = 0;
    settle();
}

void AskedValue::settle()
{
    m_queryDue = false;
    if (!m_waiting)
        return;
    m_waiting = false;
    emit settled();
}
