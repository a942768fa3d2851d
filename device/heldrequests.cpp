#include "heldrequests.h"

#include <algorithm>
#include <utility>

HeldRequests::HeldRequests()
{
    m_ownOrder.m_queues << this;
}

HeldRequests::~HeldRequests()
{
    m_order->m_queues.removeOne(this);
}

void HeldRequests::shareOrder(EditOrder& order)
{
    m_order->m_queues.removeOne(this);
    m_order = &order;
    order.m_queues << this;
}

// An edit takes the next turn of the order; a request that is no edit none.
int HeldRequests::takeTurn(const Request& r)
{
    if (!r.edit)
        return 0;
    m_order->m_waiting << ++m_order->m_lastTurn;
    return m_order->m_lastTurn;
}

// An edit has gone out or been dropped: the next edit of the order, in
// whichever queue, has its turn once this queue is in order again.
void HeldRequests::leaveOrder(int turn, bool went)
{
    if (!turn)
        return;
    m_order->m_waiting.removeOne(turn);
    m_order->m_sent += went;
    m_turnsLeft = true;
}

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
                // The version confirmed last keeps the place of the first.
                if (!w.turn)
                    w.turn = takeTurn(request);
                w.request = std::move(request);
                m_changed = true;
                finish();
                return true;
            }
        }
    }
    const int ticket = ++m_lastTicket;
    const int turn = takeTurn(request);
    if (m_waiting.isEmpty() && mayGo(request, turn)) {
        const bool went = settle(request, ticket, turn, false);
        finish();
        return went;
    }
    m_waiting.append({ std::move(request), ticket, turn });
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
    while (!m_waiting.isEmpty() && mayGo(m_waiting.first().request, m_waiting.first().turn)) {
        const Waiting next = m_waiting.takeFirst();
        m_changed = true;
        settle(next.request, next.ticket, next.turn, true);
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
        leaveOrder(w.turn, false);
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
    for (const Waiting& w : std::exchange(m_waiting, {}))
        m_order->m_waiting.removeOne(w.turn);
    m_turnsLeft = false;
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

bool HeldRequests::settle(const Request& r, int ticket, int turn, bool waited)
{
    if ((!r.stillNames || r.stillNames(waited)) && r.send()) {
        leaveOrder(turn, true);
        return true;
    }
    leaveOrder(turn, false);
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
    leaveOrder(it->turn, false);
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
            leaveOrder(it->turn, false);
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
// notices go out, once the queue is in order again; last, when edits have
// left the order, every queue that shares it is woken for the next turn.
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
    if (!std::exchange(m_turnsLeft, false))
        return;
    for (HeldRequests* queue : QList<HeldRequests*>(m_order->m_queues)) {
        if (queue->m_shutDown)
            continue;
        if (queue->wake)
            queue->wake();
        else
            queue->run();
    }
}
