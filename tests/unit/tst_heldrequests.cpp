// The queue of requests that wait for a list's numbering: what goes, in
// which order, what is dropped and with what, and what is reported.
#include <QtTest>
#include <functional>

#include "heldrequests.h"

namespace {

// A queue driven by a script: the numbering's state is a flag, every send
// and every report is logged.
struct Rig
{
    HeldRequests::EditOrder order; // shared by the two queues once shareOrder()
    HeldRequests queue;
    bool current = true;
    // Another tab's queue with a numbering of its own.
    HeldRequests other;
    bool otherCurrent = true;
    QStringList log;
    QStringList names; // what the items named now: a request for "x" still names it while listed
    QObject owners[3]; // windows
    bool tellDrops = false; // requests log "unsent NAME" when they leave unsent

    Rig()
    {
        queue.numberingCurrent = [this] { return current; };
        queue.reportDrop = [this] { log << "told"; };
        other.numberingCurrent = [this] { return otherCurrent; };
        other.reportDrop = [this] { log << "told"; };
    }
    void shareOrder()
    {
        queue.shareOrder(order);
        other.shareOrder(order);
    }
    // An edit (or, unset, a request that is no edit) for that queue.
    void submitTo(HeldRequests& q, const QString& name, bool edit = true, bool numbered = true)
    {
        HeldRequests::Request r = request(name, numbered);
        r.edit = edit;
        q.submit(r);
    }
    HeldRequests::Request request(const QString& name, bool numbered = true)
    {
        HeldRequests::Request r;
        r.numbered = numbered;
        r.stillNames = [this, name](bool) { return !name.startsWith('x') || names.contains(name); };
        r.send = [this, name] {
            log << name;
            return !name.startsWith('!'); // cannot be written
        };
        if (tellDrops)
            r.dropped = [this, name] { log << "unsent " + name; };
        return r;
    }
    void submit(const QString& name, int owner = -1, int actsOn = 0, int kind = 0, bool numbered = true,
                bool confirmed = true)
    {
        HeldRequests::Request r = request(name, numbered);
        r.owner = owner >= 0 ? &owners[owner] : nullptr;
        r.actsOn = actsOn;
        r.kind = kind;
        r.confirmed = confirmed;
        queue.submit(r);
    }
    // A request of a window that the test destroys itself.
    void submitFor(const QString& name, QObject* window)
    {
        HeldRequests::Request r = request(name);
        r.owner = window;
        queue.submit(r);
    }
    void readAgain()
    {
        current = true;
        queue.run();
    }
};

using Script = std::function<void(Rig&)>;

} // namespace

Q_DECLARE_METATYPE(Script)

class TstHeldRequests : public QObject
{
    Q_OBJECT
private slots:
    void queue_data();
    void queue();
};

void TstHeldRequests::queue_data()
{
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("log"); // sends by name, "told" per reported drop (after the sends)

    QTest::newRow("numbering current, nothing waits: at once") << Script([](Rig& r) {
        r.submit("a");
        r.submit("b", -1, 0, 0, false);
    }) << QStringList { "a", "b" };
    QTest::newRow("stale: waits, in order, until read again") << Script([](Rig& r) {
        r.current = false;
        r.submit("a");
        r.submit("b", -1, 0, 0, false); // names no number: keeps its turn
        r.queue.run();
        r.log << "read";
        r.readAgain();
    }) << QStringList { "read", "a", "b" };
    QTest::newRow("moved or gone: dropped, told unless not confirmed") << Script([](Rig& r) {
        r.current = false;
        r.submit("x1");
        r.submit("x2", -1, 0, 0, true, false);
        r.submit("c");
        r.readAgain();
        r.submit("x3"); // at once, already moved
    }) << QStringList { "c", "told", "told" };
    QTest::newRow("a send that moves the numbering holds the rest") << Script([](Rig& r) {
        r.current = false;
        HeldRequests::Request edit = r.request("edit");
        edit.send = [&r] {
            r.log << "edit";
            r.current = false;
            return true;
        };
        r.queue.submit(edit);
        r.submit("a");
        r.readAgain();
        r.log << "read";
        r.readAgain();
    }) << QStringList { "edit", "read", "a" };
    QTest::newRow("a window's OK again takes its request's place") << Script([](Rig& r) {
        r.current = false;
        r.submit("a");
        r.submit("rename1", 0);
        r.submit("b");
        r.submit("rename2", 0);
        QVERIFY(r.queue.isHeld(&r.owners[0]));
        r.readAgain();
        QVERIFY(!r.queue.isHeld(&r.owners[0]));
    }) << QStringList { "a", "rename2", "b" };
    QTest::newRow("a window withdraws its own request only") << Script([](Rig& r) {
        r.current = false;
        r.submit("select");
        r.submit("delete", 1, 0, 1);
        r.submit("undo", -1, r.queue.lastOf(1), 1, false);
        r.submit("sort", -1, 0, 1);
        r.queue.withdraw(&r.owners[1]); // the undo acted on the delete: told
        r.queue.withdraw(&r.owners[2]); // nothing of that window waits
        r.readAgain();
    }) << QStringList { "told", "select", "sort" };
    // Closed by the application, or destroyed: what the user confirmed is
    // told, once, whatever else drops it afterwards; the menu's own
    // information request is not.
    QTest::newRow("a window closed otherwise: dropped and told once") << Script([](Rig& r) {
        r.current = false;
        r.submit("delete", 0);
        r.submit("info", 1, 0, 0, true, false);
        r.submit("a");
        r.queue.drop(&r.owners[0]);
        r.queue.drop(&r.owners[1]);
        r.queue.drop(&r.owners[0]);
        QVERIFY(!r.queue.isHeld(&r.owners[0]));
        r.readAgain();
    }) << QStringList { "told", "a" };
    QTest::newRow("a window destroyed: its request dropped and told") << Script([](Rig& r) {
        r.current = false;
        auto* picker = new QObject;
        r.submitFor("pick", picker);
        r.submit("a");
        delete picker;
        r.readAgain();
        r.queue.dropAll();
    }) << QStringList { "told", "a" };
    QTest::newRow("dropped with what it acted on, and on theirs") << Script([](Rig& r) {
        r.current = false;
        r.submit("open", -1, 0, 2);
        r.submit("x-sort", -1, r.queue.lastOf(2), 1);
        r.submit("undo", -1, r.queue.lastOf(1), 1, false);
        r.submit("undo again", -1, r.queue.lastOf(1), 1, false);
        r.submit("select");
        r.names << "open";
        r.readAgain();
    }) << QStringList { "open", "select", "told", "told", "told" };
    QTest::newRow("a request made from a send keeps its turn") << Script([](Rig& r) {
        r.current = false;
        HeldRequests::Request first = r.request("first");
        first.send = [&r] {
            r.log << "first";
            r.submit("made then");
            return true;
        };
        r.queue.submit(first);
        r.submit("second");
        r.readAgain();
    }) << QStringList { "first", "second", "made then" };
    // A tab that may no longer change the medium drops its edits, and what
    // acts on them, and refuses new ones until it may again; its other
    // requests keep their turn.
    QTest::newRow("kinds refused: told, the others go") << Script([](Rig& r) {
        r.current = false;
        r.submit("open", -1, 0, 2);
        r.submit("rename", 0, 0, 1);
        r.submit("undo", -1, r.queue.lastOf(1), 1, false);
        r.submit("sort", -1, r.queue.lastOf(2), 1);
        r.submit("select");
        r.submit("info", 1, 0, 1, true, false);
        r.queue.refuseFromNowOn(1);
        QVERIFY(!r.queue.isHeld(&r.owners[0]));
        r.submit("late edit", -1, 0, 1);
        r.readAgain();
        r.queue.refuseFromNowOn(0);
        r.submit("edit again", -1, 0, 1);
    }) << QStringList { "told", "told", "told", "told", "open", "select", "edit again" };
    // Its turn came, and it could not be written (the edit right went).
    QTest::newRow("not written: told, with what acts on it") << Script([](Rig& r) {
        r.current = false;
        r.submit("!delete", -1, 0, 1);
        r.submit("undo", -1, r.queue.lastOf(1), 1, false);
        r.submit("b");
        r.readAgain();
        r.submit("!at once");
    }) << QStringList { "!delete", "b", "told", "told", "!at once", "told" };
    // The application closes: its windows go after the queue has shut.
    QTest::newRow("shut down: nothing sent or told any more") << Script([](Rig& r) {
        r.current = false;
        auto* window = new QObject;
        r.submitFor("rename", window);
        r.submit("a");
        r.queue.shutDown();
        delete window;
        r.queue.drop(&r.owners[0]);
        QVERIFY(!r.queue.submit(r.request("b")));
        r.readAgain();
        r.queue.dropAll();
        QVERIFY(r.queue.isEmpty());
    }) << QStringList {};
    // The model hears of each request that leaves unsent, once, before the
    // reports: whatever drops it, also when nobody is told.
    QTest::newRow("a request gone unsent is told to its model") << Script([](Rig& r) {
        r.tellDrops = true;
        r.current = false;
        r.submit("x-moved");
        r.submit("!unwritten");
        r.submit("edit", 0, 0, 1);
        r.submit("undo", -1, r.queue.lastOf(1), 1, false);
        r.submit("edit again", 0, 0, 1); // in the place of the first
        r.submit("info", 1, 0, 0, true, false);
        r.submit("rename", 2);
        r.submit("kept");
        r.queue.withdraw(&r.owners[1]);
        r.queue.drop(&r.owners[2]);
        r.queue.refuseFromNowOn(1);
        r.submit("refused", -1, 0, 1);
        r.readAgain();
        r.submit("late", -1, 0, 0);
        r.current = false;
        r.submit("gone with the list");
        r.queue.dropAll();
        r.submit("at shut-down");
        r.queue.shutDown();
    }) << QStringList { "unsent info", "unsent rename", "told", "unsent edit again", "unsent undo", "told", "told",
                        "unsent refused", "told", "!unwritten", "kept", "unsent x-moved", "unsent !unwritten", "told",
                        "told", "late", "unsent gone with the list", "told" };
    // Two tabs that edit one thing share an order of edits: an edit goes
    // after every edit made before it in either queue; what is no edit keeps
    // only its turn in its own queue.
    QTest::newRow("shared order: edits in the order made, across the queues") << Script([](Rig& r) {
        r.shareOrder();
        r.current = false;
        r.submitTo(r.queue, "a1");
        r.submitTo(r.other, "b-read", false);
        r.submitTo(r.other, "b1");
        r.submitTo(r.other, "b-later", false, false);
        r.submitTo(r.queue, "a-read", false);
        r.log << QString("sent %1, waiting %2").arg(r.queue.editsSent()).arg(r.other.editsWaiting());
        r.readAgain();
        r.log << QString("sent %1, waiting %2").arg(r.other.editsSent()).arg(r.queue.editsWaiting());
    }) << QStringList { "b-read", "sent 0, waiting 2", "a1", "a-read", "b1", "b-later", "sent 2, waiting 0" };
    // Dropped, withdrawn, refused or gone with its list, an edit gives the
    // next one its turn.
    QTest::newRow("shared order: an edit gone unsent gives the next its turn") << Script([](Rig& r) {
        const auto edit = [&r](const QString& name, int owner, int kind) {
            HeldRequests::Request e = r.request(name);
            e.edit = true;
            e.owner = owner >= 0 ? &r.owners[owner] : nullptr;
            e.kind = kind;
            r.queue.submit(e);
        };
        r.shareOrder();
        r.current = false;
        edit("x-moved", -1, 0);
        r.submitTo(r.other, "b1");
        r.readAgain();
        r.current = false;
        edit("rename", 0, 0);
        r.submitTo(r.other, "b2");
        r.queue.withdraw(&r.owners[0]);
        edit("a3", -1, 1);
        r.submitTo(r.other, "b3");
        r.queue.refuseFromNowOn(1);
        edit("a4", -1, 0);
        r.submitTo(r.other, "b4");
        r.queue.dropAll();
    }) << QStringList { "told", "b1", "b2", "told", "b3", "told", "b4" };
    QTest::newRow("the list gone: every confirmed request told") << Script([](Rig& r) {
        r.current = false;
        r.submit("a");
        r.submit("info", -1, 0, 0, true, false);
        r.submit("b", 0);
        r.queue.dropAll();
        QVERIFY(r.queue.isEmpty());
        r.readAgain();
    }) << QStringList { "told", "told" };
}

void TstHeldRequests::queue()
{
    QFETCH(Script, script);
    QFETCH(QStringList, log);
    Rig rig;
    script(rig);
    QCOMPARE(rig.log, log);
}

QTEST_GUILESS_MAIN(TstHeldRequests)
#include "tst_heldrequests.moc"
