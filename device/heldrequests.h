#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <functional>

// Requests that name an item of one of the recorder's lists by its number.
//
// The recorder numbers a list anew as soon as it applies an edit, while the
// rows on the screen keep the numbers of the list they were read with. A
// request made on those rows must not reach the item that has taken the
// number meanwhile. So while its model says that the rows are not the
// recorder's numbering, a request waits here, and every request made after
// it waits behind it, so that the recorder gets them in the order they were
// made. Once the rows carry the numbering again, each goes out only if its
// number still names what the user chose; otherwise it is dropped.
//
// A request belongs to the window that made it (or to a tap, which has no
// window): while it waits, its window may put the version the user confirmed
// last in its place, or the user may withdraw it (Cancel), and nothing else.
// When the window goes for any other reason (the application closed it, or
// it was destroyed), its request is dropped. A request that acts on the
// result of another one waiting before it (an undo on an edit, a request on
// the shown folder on the opening of another) is dropped with that one, and
// so is one that cannot be written when its turn comes. Every dropped
// request that the user confirmed is reported, once. When the application
// closes, what waits is forgotten: nothing more is sent or reported.
//
// Queues whose edits change one thing (the browse and playlist tabs, which
// both edit the files of the recorder's medium) share one order of edits:
// an edit goes only once every edit made before it, in any of those queues,
// has gone or been dropped, so that the recorder gets them in the order the
// user made them.
class HeldRequests
{
public:
    // The order of the edits of the queues that share it; it outlives them.
    class EditOrder
    {
        friend class HeldRequests;
        QList<HeldRequests*> m_queues;
        QList<int> m_waiting; // the turns of the edits that wait, oldest first
        int m_lastTurn = 0;
        int m_sent = 0; // edits that went out
    };

    HeldRequests();
    ~HeldRequests();
    HeldRequests(const HeldRequests&) = delete;
    HeldRequests& operator=(const HeldRequests&) = delete;

    struct Request
    {
        // The window that made it; null for a tap.
        const QObject* owner = nullptr;
        // Whether its number still names what the user chose. `waited` tells
        // that the rows it was made on have been read again since: the item
        // must be found on them. Unset: it names nothing that can move.
        std::function<bool(bool waited)> stillNames;
        // Writes it; false when it could not go (the edit right is gone, or
        // the window it was for): it is then dropped like one that names
        // nothing any more.
        std::function<bool()> send;
        // Waits while the numbering is not current; otherwise for its turn
        // and whatever the model's `unnumberedMayGo` says.
        bool numbered = true;
        // The waiting request whose result it acts on (see lastOf), 0 none.
        int actsOn = 0;
        // The user confirmed it: a drop is reported.
        bool confirmed = true;
        // The model's kind of request, for lastOf and refuseFromNowOn.
        int kind = 0;
        // An edit: it goes in its turn among the edits of every queue that
        // shares this queue's order.
        bool edit = false;
        // Whether it may go yet, besides its numbering and its turn (unset:
        // it may). Checked while it is first in the queue.
        std::function<bool()> ready;
        // Told once when it leaves the queue unsent: dropped, refused or
        // withdrawn; not when its owner puts a newer version in its place,
        // nor once the queue has shut down. Called when the queue is in
        // order again, before the drops are reported.
        std::function<void()> dropped;
    };

    // Set by the model: whether its rows carry the recorder's numbering,
    // whether a request that names no number may go now (unset: it may), a
    // report of one dropped request, and a notice that what waits has changed.
    std::function<bool()> numberingCurrent;
    std::function<bool()> unnumberedMayGo;
    std::function<void()> reportDrop;
    std::function<void()> changed;
    // Set by the model: what it does when an edit has left the order, so that
    // an edit of this queue may have its turn (unset: run()).
    std::function<void()> wake;

    // From now on its edits take their turns in `order` with those of the
    // other queues that share it (at start-up, before anything waits); until
    // then the queue has an order of its own.
    void shareOrder(EditOrder& order);
    // Edits of its order that have gone out, and that wait now in the queues
    // that share it.
    int editsSent() const { return m_order->m_sent; }
    int editsWaiting() const { return m_order->m_waiting.size(); }

    // Sends the request at once while nothing waits and the numbering allows
    // it (it is dropped instead when its number already names another item);
    // otherwise it waits, in the place of its owner's waiting request if
    // there is one. Returns whether it was taken: it went out, or it waits;
    // false when it was refused or dropped at once (and reported). An owner
    // that is destroyed drops its waiting request.
    bool submit(Request request);
    // The numbering may be current again: what waits goes out or is dropped,
    // in order, as long as it is.
    void run();
    // The owner's waiting request is forgotten without a report (the user
    // has cancelled it); what acts on it is dropped.
    void withdraw(const QObject* owner);
    // The owner's waiting request is dropped, and reported when confirmed:
    // its window has gone without the user cancelling it.
    void drop(const QObject* owner);
    // Everything that waits is dropped: its list is gone.
    void dropAll();
    // The model's tab may not do these kinds of request from now on, until
    // the next call (0: all again): what waits of them is dropped, with what
    // acts on it, and every new one is refused. Each one confirmed is
    // reported.
    void refuseFromNowOn(int kinds);
    // The application closes: what waits is forgotten, neither sent nor
    // reported, and nothing is taken any more.
    void shutDown();

    bool isEmpty() const { return m_waiting.isEmpty(); }
    bool isHeld(const QObject* owner) const;
    // The last waiting request of any kind in the mask, for a new request
    // to act on; 0 when none waits.
    int lastOf(int kinds) const;

private:
    struct Waiting
    {
        Request request;
        int ticket;
        int turn; // in the order of edits; 0 for a request that is no edit
    };

    bool mayGo(const Request& r, int turn) const
    {
        if (turn && m_order->m_waiting.value(0) != turn)
            return false;
        if (r.ready && !r.ready())
            return false;
        const auto& allows = r.numbered ? numberingCurrent : unnumberedMayGo;
        return !allows || allows();
    }
    int takeTurn(const Request& r);
    void leaveOrder(int turn, bool went);
    bool settle(const Request& r, int ticket, int turn, bool waited);
    void remove(const QObject* owner, bool report);
    void dropAt(QList<Waiting>::iterator it, bool report);
    void dropActingOn(int ticket);
    void unsent(const Request& r);
    void finish();
    void watch(const QObject* owner);

    QList<Waiting> m_waiting;
    int m_lastTicket = 0;
    int m_unreported = 0;
    QList<std::function<void()>> m_unsent; // `dropped` of those gone unsent, still to be called
    bool m_changed = false;
    bool m_turnsLeft = false; // edits of this queue have left the order
    bool m_running = false;
    bool m_shutDown = false;
    int m_refused = 0; // kinds refused now
    // Owners whose destruction is watched; the connections end with the queue.
    QSet<const QObject*> m_watched;
    EditOrder m_ownOrder;
    EditOrder* m_order = &m_ownOrder;
    QObject m_lifetimes;
};
