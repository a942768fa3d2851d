#include "heldrequests.h"

#include <algorithm>
#include <utility>

bool HeldRequests::submit(Request request)
{
    watch(request.owner);
    if (request.owner) {
        for (Waiting& w : m_waiting) {
            if (w.request.owner == request.owner) {
                w.request = std::move(request);
                m_changed = true;
                finish();
                return true;
            }
        }
    }
    const int ticket = ++m_lastTicket;
    if (m_waiting.isEmpty() && mayGo(request)) {
        settle(request, ticket, false);
        finish();
        return false;
    }
    m_waiting.append({ std::move(request), ticket });
    m_changed = true;
    finish();
    return true;
}

void HeldRequests::run()
{
    // A send that leads here again finds its loop still running.
    if (m_running)
        return;
    m_running = true;
    while (!m_waiting.isEmpty() && mayGo(m_waiting.first().request)) {
        const Waiting next = m_waiting.takeFirst();
        m_changed = true;
        settle(next.request, next.ticket, true);
    }
    m_running = false;
    finish();
}

void HeldRequests::withdraw(const QObject* owner)
{
    remove(owner, false);
}

void HeldRequests::drop(const QObject* owner)
{
    remove(owner, true);
}

void HeldRequests::remove(const QObject* owner, bool report)
{
    const auto it = std::find_if(m_waiting.begin(), m_waiting.end(),
                                 [owner](const Waiting& w) { return owner && w.request.owner == owner; });
    if (it == m_waiting.end())
        return;
    const int ticket = it->ticket;
    const bool confirmed = it->request.confirmed;
    m_waiting.erase(it);
    m_changed = true;
    drop(ticket, report && confirmed);
    finish();
}

void HeldRequests::watch(const QObject* owner)
{
    if (!owner || m_watched.contains(owner))
        return;
    m_watched.insert(owner);
    QObject::connect(owner, &QObject::destroyed, &m_lifetimes, [this, owner] {
        m_watched.remove(owner);
        drop(owner);
    });
}

void HeldRequests::dropAll()
{
    for (const Waiting& w : std::exchange(m_waiting, {})) {
        m_changed = true;
        m_unreported += w.request.confirmed;
    }
    finish();
}

bool HeldRequests::isHeld(const QObject* owner) const
{
    return owner && std::any_of(m_waiting.begin(), m_waiting.end(), [owner](const Waiting& w) { return w.request.owner == owner; });
}

int HeldRequests::lastOf(int kinds) const
{
    for (auto it = m_waiting.rbegin(); it != m_waiting.rend(); ++it) {
        if (it->request.kind & kinds)
            return it->ticket;
    }
    return 0;
}

void HeldRequests::settle(const Request& r, int ticket, bool waited)
{
    if (!r.stillNames || r.stillNames(waited))
        r.send();
    else
        drop(ticket, r.confirmed);
}

// A request has gone without being sent: so do those that act on its result,
// and on theirs.
void HeldRequests::drop(int ticket, bool report)
{
    m_unreported += report;
    QList<int> gone { ticket };
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (it->request.actsOn && gone.contains(it->request.actsOn)) {
            gone << it->ticket;
            m_unreported += it->request.confirmed;
            it = m_waiting.erase(it);
            m_changed = true;
        } else {
            ++it;
        }
    }
}

// Reports and notices go out once the queue is in order again.
void HeldRequests::finish()
{
    if (m_running)
        return;
    for (int n = std::exchange(m_unreported, 0); n > 0; --n) {
        if (reportDrop)
            reportDrop();
    }
    if (std::exchange(m_changed, false) && changed)
        changed();
}
