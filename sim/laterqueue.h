#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QTimer>
#include <functional>

namespace sim {

// Steps that run at their due times, in the order they were queued: a step
// due earlier than one queued before it waits for that one. One timer runs
// them, so none overtakes another however late the timer wakes.
class LaterQueue : public QObject
{
public:
    explicit LaterQueue(QObject* parent = nullptr);

    // Now, on the clock the due times count on (ms).
    qint64 now() const { return m_clock.elapsed(); }
    bool isEmpty() const { return m_steps.isEmpty(); }
    // When the last step queued is due; now when none waits.
    qint64 lastDue() const { return m_steps.isEmpty() ? now() : m_steps.last().due; }
    // Queues step to run at due, or behind the last step queued.
    void add(qint64 due, const std::function<void()>& step);
    // How much longer every step must wait, whatever its due time; none
    // while unset or not above 0.
    std::function<qint64()> heldFor;

private:
    void run();

    struct Step
    {
        qint64 due;
        std::function<void()> step;
    };
    QElapsedTimer m_clock;
    QTimer m_timer;
    QQueue<Step> m_steps;
};

} // namespace sim
