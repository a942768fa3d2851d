#include "heldrequests.h"

#include <algorithm>
#include <utility>

bool HeldRequests::submit(Request request)
{
    if (m_shutDown)
        return false;
    if (request.kind & m_refused) {
        m_unreported += request.confirmed;
        unsent(request);
        finish();
        return false;
    }
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
        const bool went = settle(request, ticket, false);
        finish();
        return went;
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
    dropAt(it, report);
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
        unsent(w.request);
    }
    finish();
}

void HeldRequests::refuseFromNowOn(int kinds)
{
    m_refused = kinds;
    QList<int> tickets;
    for (const Waiting& w : qAsConst(m_waiting)) {
        if (w.request.kind & kinds)
            tickets << w.ticket;
    }
    for (const int ticket : qAsConst(tickets)) {
        const auto it = std::find_if(m_waiting.begin(), m_waiting.end(),
                                     [ticket](const Waiting& w) { return w.ticket == ticket; });
        if (it != m_waiting.end()) // unless gone with one it acted on
            dropAt(it, true);
    }
    finish();
}

void HeldRequests::shutDown()
{
    m_shutDown = true;
    m_waiting.clear();
    m_unreported = 0;
    m_unsent.clear();
    m_changed = false;
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

bool HeldRequests::settle(const Request& r, int ticket, bool waited)
{
    if ((!r.stillNames || r.stillNames(waited)) && r.send())
        return true;
    m_unreported += r.confirmed;
    unsent(r);
    dropActingOn(ticket);
    return false;
}

// A waiting request is dropped, reported when confirmed and `report` says
// so, and what acts on it with it.
void HeldRequests::dropAt(QList<Waiting>::iterator it, bool report)
{
    const int ticket = it->ticket;
    m_unreported += report && it->request.confirmed;
    unsent(it->request);
    m_waiting.erase(it);
    m_changed = true;
    dropActingOn(ticket);
}

// A request has gone without being sent: so do those that act on its result,
// and on theirs, each reported when confirmed.
void HeldRequests::dropActingOn(int ticket)
{
    QList<int> gone { ticket };
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (it->request.actsOn && gone.contains(it->request.actsOn)) {
            gone << it->ticket;
            m_unreported += it->request.confirmed;
            unsent(it->request);
            it = m_waiting.erase(it);
            m_changed = true;
        } else {
            ++it;
        }
    }
}

void HeldRequests::unsent(const Request& r)
{
    if (r.dropped)
        m_unsent << r.dropped;
}

// The models hear of their requests gone unsent, then the reports and
// notices go out, once the queue is in order again.
void HeldRequests::finish()
{
    if (m_running || m_shutDown)
        return;
    for (const auto& dropped : std::exchange(m_unsent, {}))
        dropped();
    for (int n = std::exchange(m_unreported, 0); n > 0; --n) {
        if (reportDrop)
            reportDrop();
    }
    if (std::exchange(m_changed, false) && changed)
        changed();
}
