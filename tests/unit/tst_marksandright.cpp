// The mark list's walk and skips, and the edit right's request, keep-alive and
// return, driven without a network.
#include <QSignalSpy>
#include <QtTest>

#include "modelrig.h"

namespace {

void tick(QObject* target, int id)
{
    QTimerEvent event(id);
    QCoreApplication::sendEvent(target, &event);
}

QList<int> received(const QSignalSpy& spy)
{
    QList<int> times;
    for (const QList<QVariant>& args : spy)
        times << args.at(0).toInt();
    return times;
}

} // namespace

class TestMarksAndRight : public QObject
{
    Q_OBJECT

private slots:
    void markWalk_data();
    void markWalk();
    void markQueryPolls();
    void reemitAndClear();
    void editRight();
    void readOnly_data();
    void readOnly();
};

void TestMarksAndRight::markWalk_data()
{
    QTest::addColumn<QStringList>("replies"); // after "FF03"
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<int>("clears");

    using Times = QList<int>;
    QTest::newRow("no marks") << QStringList { "DD0000" } << Times {} << QStringList {} << 1;
    QTest::newRow("first of three")
        << QStringList { "DD0300", "D8010000012345" } << Times { 1 * 6000 + 23 * 100 + 45 }
        << QStringList { "07F03580100", "07F03580200" } << 1;
    QTest::newRow("last mark ends the walk")
        << QStringList { "DD0200", "D8010000001000", "D8020001000000" } << Times { 1000, 360000 }
        << QStringList { "07F03580100", "07F03580200" } << 1;
    QTest::newRow("a repeated time ends the walk")
        << QStringList { "DD0300", "D8010000001000", "D8020000001000" } << Times { 1000 }
        << QStringList { "07F03580100", "07F03580200" } << 1;
    QTest::newRow("next follows the recorder's number")
        << QStringList { "DD0001", "D8990000001000" } << Times { 1000 }
        << QStringList { "07F03580100", "07F03580001" } << 1;
    QTest::newRow("a new count starts over")
        << QStringList { "DD0100", "D8010000001000", "DD0000" } << Times { 1000 } << QStringList { "07F03580100" }
        << 2;
    QTest::newRow("other answers are ignored") << QStringList { "9A01", "" } << Times {} << QStringList {} << 0;
}

void TestMarksAndRight::markWalk()
{
    QFETCH(QStringList, replies);
    QFETCH(QList<int>, times);
    QFETCH(QStringList, requests);
    QFETCH(int, clears);

    ModelRig rig;
    Mark& mark = rig.graph.mark;
    QSignalSpy spyTimes(&mark, &Mark::markTimeReceived);
    QSignalSpy spyClear(&mark, &Mark::markClear);
    for (const QString& r : replies)
        mark.parseMarkReply(r);
    QCOMPARE(received(spyTimes), times);
    QCOMPARE(rig.takeLines(), requests);
    QCOMPARE(spyClear.count(), clears);
}

void TestMarksAndRight::markQueryPolls()
{
    ModelRig rig;
    Mark& mark = rig.graph.mark;
    mark.startQuery();
    mark.startQuery(); // restarts: still one poll
    QVERIFY(mark.getPollTimerId() != 0);
    QCOMPARE(rig.takeLines(), (QStringList { "07F035D", "07F6A63", "07F035D", "07F6A63" }));

    // Repeats by itself, once per period.
    QTRY_VERIFY_WITH_TIMEOUT(!rig.writes.isEmpty(), 1000);
    QCOMPARE(rig.takeLines(), (QStringList { "07F035D", "07F6A63" }));
    mark.parseMarkReply("DD0000");
    QCOMPARE(mark.getPollTimerId(), 0);
}

void TestMarksAndRight::reemitAndClear()
{
    ModelRig rig;
    Mark& mark = rig.graph.mark;
    QSignalSpy spyClear(&mark, &Mark::markClear);
    QSignalSpy spyTimes(&mark, &Mark::markTimeReceived);
    mark.reemitMarks();
    QCOMPARE(spyClear.count(), 1);
    QCOMPARE(spyTimes.count(), 0);

    for (const char* r : { "DD0200", "D8010000002000", "D8020000001000" })
        mark.parseMarkReply(r);
    spyTimes.clear();
    mark.reemitMarks();
    QCOMPARE(received(spyTimes), (QList<int> { 2000, 1000 })); // in list order

    mark.startQuery();
    mark.clearMarks();
    QVERIFY(mark.markTimes().isEmpty());
    QCOMPARE(mark.getPollTimerId(), 0);
    QCOMPARE(mark.getMarkCount(), 2);
}

void TestMarksAndRight::editRight()
{
    ModelRig rig;
    Permission& p = rig.graph.permission;
    QSignalSpy changed(&p, &Permission::okPermissionChanged);

    p.requestPermission();
    const int keepAlive = p.getKeepAliveTimerId();
    QVERIFY(keepAlive != 0);
    p.requestPermission(); // not held yet: asks again, one keep-alive only
    QCOMPARE(p.getKeepAliveTimerId(), keepAlive);
    QCOMPARE(rig.takeLines(), (QStringList { "07F6A7E11", "07F6A7E11" }));

    rig.reply("FF6AFE11");
    QVERIFY(p.okPermission());
    QCOMPARE(changed.count(), 1);
    p.requestPermission(); // held: nothing to ask
    tick(&p, keepAlive);   // the keep-alive asks also while held
    QCOMPARE(rig.takeLines(), QStringList { "07F6A7E11" });

    rig.reply("FF6AFE1x"); // not a state: nothing changes
    QVERIFY(p.okPermission());
    rig.reply("FF6AFE10"); // taken away
    QVERIFY(!p.okPermission());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(p.getKeepAliveTimerId(), keepAlive);

    rig.reply("FF6AFE11");
    p.returnPermission();
    QVERIFY(!p.okPermission());
    QCOMPARE(p.getKeepAliveTimerId(), 0);
    QCOMPARE(rig.takeLines(), QStringList { "07F6A7E10" });

    p.returnPermission(); // not held: nothing sent
    QVERIFY(rig.writes.isEmpty());

    // The answer to a request arrives after the return: held, without a
    // keep-alive, and given back.
    p.requestPermission();
    p.returnPermission();
    rig.reply("FF6AFE11");
    QVERIFY(p.okPermission());
    QCOMPARE(p.getKeepAliveTimerId(), 0);
    rig.writes.clear();
    p.returnPermission();
    QCOMPARE(rig.takeLines(), QStringList { "07F6A7E10" });

    changed.clear();
    p.returnPermissionDelay(); // not held, no keep-alive: returns anyway
    QCOMPARE(rig.takeLines(), QStringList { "07F6A7E10" });
    QCOMPARE(changed.count(), 0);

    rig.reply("FF6AFE11");
    p.requestPermission();
    p.returnPermissionDelay(); // keep-alive running: nothing at all
    QVERIFY(p.okPermission());
    QVERIFY(rig.writes.isEmpty());
}

void TestMarksAndRight::readOnly_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("emitted");

    QTest::newRow("00 editable") << "00" << false << 1;
    QTest::newRow("01") << "01" << true << 0;
    QTest::newRow("10") << "10" << true << 0;
    QTest::newRow("empty") << "" << true << 0;
    QTest::newRow("one character") << "0" << true << 0;
}

void TestMarksAndRight::readOnly()
{
    QFETCH(QString, value);
    QFETCH(bool, readOnly);
    QFETCH(int, emitted);

    ModelRig rig;
    Permission& p = rig.graph.permission;
    QVERIFY(p.isReadOnly()); // until the recorder says otherwise
    QSignalSpy changed(&p, &Permission::isReadOnlyChanged);
    rig.reply("FF6AFD" + value);
    QCOMPARE(p.isReadOnly(), readOnly);
    QCOMPARE(changed.count(), emitted);
}

QTEST_GUILESS_MAIN(TestMarksAndRight)
#include "tst_marksandright.moc"
