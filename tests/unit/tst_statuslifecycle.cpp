// Link lifecycle and periodic traffic of the status model without a network:
// the sleep check against a fake clock, the status and time polls, the order
// of the signals on logout and on a refused password, and the delayed switch
// to the main screens.
#include <QSignalSpy>
#include <QtTest>

#include "modelrig.h"
#include "signalorder.h"

namespace {

const QString keepAlive = QStringLiteral("050\r\n055\r\n05D\r\n");

void sendTimerEvent(QObject* target, int id)
{
    QTimerEvent event(id);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

class TestStatusLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void sleepCheck_data();
    void sleepCheck();
    void polls_data();
    void polls();
    void loginWritesAndCompletion();
    void signalOrder_data();
    void signalOrder();
    void failureBeforeCompletionKeepsLoginScreen();
    void linkLostDuringRefreshStopsPolling();
};

void TestStatusLifecycle::sleepCheck_data()
{
    QTest::addColumn<QList<qint64>>("ticks"); // clock readings, one per tick
    QTest::addColumn<int>("loggedInFrom");     // index of the first tick while logged in
    QTest::addColumn<int>("keepAlives");
    QTest::addColumn<int>("refreshes");

    using Ticks = QList<qint64>;
    QTest::newRow("first tick never refreshes") << Ticks { 50000 } << 0 << 1 << 0;
    QTest::newRow("gap of 5000 ms") << Ticks { 0, 5000 } << 0 << 2 << 0;
    QTest::newRow("gap of 5001 ms") << Ticks { 0, 5001 } << 0 << 2 << 1;
    QTest::newRow("clock set back") << Ticks { 100000, 0 } << 0 << 2 << 0;
    QTest::newRow("logged out: silent") << Ticks { 0, 9000 } << 2 << 0 << 0;
    QTest::newRow("previous tick kept while logged out") << Ticks { 0, 9000, 10000 } << 2 << 1 << 0;
    QTest::newRow("sleep while logged in") << Ticks { 0, 1000, 61000, 62000 } << 0 << 4 << 1;
}

void TestStatusLifecycle::sleepCheck()
{
    QFETCH(QList<qint64>, ticks);
    QFETCH(int, loggedInFrom);
    QFETCH(int, keepAlives);
    QFETCH(int, refreshes);

    ModelRig rig;
    qint64 now = 0;
    rig.comm.sleepClock = [&now] { return now; };
    for (int i = 0; i < ticks.size(); ++i) {
        if (i == loggedInFrom) {
            rig.comm.finishedLogin(0);
            rig.writes.clear();
        }
        now = ticks.at(i);
        rig.comm.sleepCheck();
    }
    QCOMPARE(rig.writes.count(keepAlive), keepAlives);
    QCOMPARE(rig.writes.count(QStringLiteral("07F6A63\r\n056\r\n07F6A65\r\n")), refreshes);
}

void TestStatusLifecycle::polls_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<bool>("menuDone");
    QTest::addColumn<bool>("displayMode");
    QTest::addColumn<bool>("statusPoll"); // which timer ticks: the status or the time poll
    QTest::addColumn<QStringList>("writes");

    const QString batch = QStringLiteral("055\r\n07F01FF\r\n07F3105\r\n07F6A02\r\n");
    QTest::newRow("status poll before the menu walk") << QStringList { "D010" } << false << false << true
                                                      << QStringList();
    QTest::newRow("status poll while stopped") << QStringList { "D010" } << true << false << true
                                               << QStringList { batch };
    QTest::newRow("status poll while busy asks the status alone first")
        << QStringList { "D0FF" } << true << false << true << QStringList { "050\r\n", batch };
    QTest::newRow("time poll before the menu walk") << QStringList { "D011" } << false << false << false
                                                    << QStringList();
    QTest::newRow("time poll, track times") << QStringList { "D011" } << true << false << false
                                            << QStringList { "05800\r\n05801\r\n" };
    QTest::newRow("time poll, total times") << QStringList { "D011" } << true << true << false
                                            << QStringList { "05802\r\n05803\r\n" };
    QTest::newRow("time poll silent in record pause") << QStringList { "D083" } << true << false << false
                                                      << QStringList();
}

void TestStatusLifecycle::polls()
{
    QFETCH(QStringList, replies);
    QFETCH(bool, menuDone);
    QFETCH(bool, displayMode);
    QFETCH(bool, statusPoll);
    QFETCH(QStringList, writes);

    ModelRig rig;
    rig.comm.finishedLogin(0);
    rig.comm.changeLoginComp(); // starts the time poll
    rig.replies(replies);
    if (menuDone)
        rig.finishMenuWalk();
    rig.comm.setDisplayMode(displayMode);
    rig.writes.clear();

    const int id = statusPoll ? rig.comm.statusPollTimerId : rig.comm.timePollTimerId;
    QVERIFY(id != 0);
    sendTimerEvent(&rig.comm, id);
    QCOMPARE(rig.writes, writes);
}

// What a successful login writes, and the switch to the main screens that
// bindings see 800 ms later.
void TestStatusLifecycle::loginWritesAndCompletion()
{
    ModelRig rig;
    rig.grantEditRight();
    QSignalSpy comp(&rig.comm, &Communication::loginCompChanged);
    QSignalSpy model(&rig.comm, &Communication::modelChanged);
    rig.writes.clear();

    rig.comm.finishedLogin(1);
    QStringList expected = fullRefreshLines();
    expected << "07F4500" << "07F6A7A10" << "07F6A7D" << "07F6A7EFF" << "07F475600";
    QCOMPARE(rig.takeLines(), expected);
    QCOMPARE(rig.comm.getLoginState(), 2);
    QVERIFY(rig.comm.getLoginComp()); // read directly: already complete
    QCOMPARE(comp.count(), 0);        // bindings: not yet
    QCOMPARE(rig.comm.getModel(), 1);

    QVERIFY(comp.wait(2000));
    QCOMPARE(comp.at(0).at(0).toBool(), true);
    QVERIFY(rig.comm.timePollTimerId != 0);

    rig.comm.finishedLogin(1); // the same model again still signals
    QCOMPARE(model.count(), 2);
}

void TestStatusLifecycle::signalOrder_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<QStringList>("order");

    const QStringList reset { "loginComp false", "statusIcon 0", "currentMedia \"\"" };
    QTest::newRow("failure while idle") << "failedLogin" << (reset + QStringList { "loginState 0" });
    QTest::newRow("logout") << "logoutRequest"
                            << (QStringList { "loginState 4" } + reset + QStringList { "loginState 0" });
    QTest::newRow("refused password ends the link once")
        << "passwordFailed" << (QStringList { "popup 100", "loginState 4" } + reset + QStringList { "loginState 0" });
}

void TestStatusLifecycle::signalOrder()
{
    QFETCH(QString, event);
    QFETCH(QStringList, order);

    ModelRig rig;
    rig.reply("D011");
    rig.reply("FF0100");
    rig.reply("FF6A89807F90900101");
    Permission& permission = rig.graph.permission;
    permission.requestPermission();
    rig.grantEditRight();
    QSignalSpy marksCleared(&rig.graph.mark, &Mark::markClear);
    QSignalSpy rightChanged(&permission, &Permission::okPermissionChanged);
    SignalOrder log(rig.comm);
    QVERIFY(QMetaObject::invokeMethod(&rig.comm, qPrintable(event)));
    QCOMPARE(log.entries, order);
    QCOMPARE(marksCleared.count(), 1);
    // The edit right ends with the link, and nothing asks for it any more.
    QVERIFY(!permission.okPermission());
    QCOMPARE(rightChanged.count(), 1);
    QCOMPARE(permission.getKeepAliveTimerId(), 0);
    QVERIFY(!rig.graph.menu.drawingFinished);
    // The meters come to rest: the next recorder may send no levels.
    const Communication& c = rig.comm;
    QCOMPARE(QList<int>({ c.getLevelMeterL(), c.getLevelMeterR(), c.getLevelMeterLPeak(), c.getLevelMeterRPeak(),
                          c.getLevelMeterLOver(), c.getLevelMeterROver() }), QList<int>({ 0, 0, 0, 0, 0, 0 }));
    QCOMPARE(rig.graph.telnet.socketState(), QAbstractSocket::UnconnectedState); // no reconnect
}

// A link that ends within 800 ms of a successful login must not bring up the
// main screens afterwards.
void TestStatusLifecycle::failureBeforeCompletionKeepsLoginScreen()
{
    ModelRig rig;
    QSignalSpy comp(&rig.comm, &Communication::loginCompChanged);
    rig.comm.finishedLogin(0);
    rig.comm.logoutRequest();
    QTest::qWait(900);
    QVERIFY(!rig.comm.getLoginComp());
    QCOMPARE(comp.count(), 1);
    QCOMPARE(comp.at(0).at(0).toBool(), false);
    QCOMPARE(rig.comm.timePollTimerId, 0);
}

// Should the link be lost between the writes of a full refresh, nothing
// polls once the loss is handled, not even the refresh's mark query.
void TestStatusLifecycle::linkLostDuringRefreshStopsPolling()
{
    ModelRig rig;
    rig.comm.finishedLogin(0);
    rig.comm.changeLoginComp();
    int writes = 0;
    rig.graph.telnet.writeSink = [&](const QByteArray&) {
        if (++writes == 3)
            rig.comm.failedLogin();
    };
    rig.comm.requestAllStatus();
    QCOMPARE(rig.graph.mark.getPollTimerId(), 0);
    QCOMPARE(rig.comm.statusPollTimerId, 0);
    QCOMPARE(rig.comm.timePollTimerId, 0);
}

QTEST_GUILESS_MAIN(TestStatusLifecycle)
#include "tst_statuslifecycle.moc"
