#include "laterqueue.h"

#include <algorithm>

namespace sim {

LaterQueue::LaterQueue(QObject* parent)
    : QObject(parent)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LaterQueue::run);
}

void LaterQueue::add(qint64 due, const std::function<void()>& step)
{
    if (!m_steps.isEmpty())
        due = std::max(due, m_steps.last().due);
    m_steps.enqueue({ due, step });
    if (m_steps.size() == 1)
        run();
}

void LaterQueue::run()
{
    while (!m_steps.isEmpty()) {
        const qint64 held = heldFor ? heldFor() : 0;
        const qint64 wait = std::max(held, m_steps.head().due - now());
        if (wait > 0) {
            m_timer.start(int(wait));
            return;
        }
        // A step may queue further ones: they wait behind the rest.
        const std::function<void()> step = m_steps.dequeue().step;
        step();
    }
}

} // namespace sim
