// Two control applications logged in to one simulated recorder contend for
// its edit right.
#include <QSignalSpy>
#include <QtTest>

#include "netenv.h"
#include "simlink.h"

class TestEditRightContention : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void oneHoldsTheOtherWaits();
};

void TestEditRightContention::oneHoldsTheOtherWaits()
{
    auto recorder = simlink::startRecorder(5);
    QVERIFY(recorder);
    sim::RecorderState* state = sim::statusModel(*recorder);
    ObjectGraph first;
    ObjectGraph second;
    const int c1 = simlink::logIn(first, *recorder);
    const int c2 = simlink::logIn(second, *recorder);
    QVERIFY(c1 && c2);
    // The queries after each login bring the flags in line with the recorder.
    QTRY_VERIFY(!first.permission.isReadOnly() && !second.permission.isReadOnly());
    QVERIFY(!first.permission.okPermission() && !second.permission.okPermission());

    first.permission.requestPermission();
    QTRY_VERIFY(first.permission.okPermission());
    QCOMPARE(state->editRightHolder(), c1);

    QSignalSpy secondChanged(&second.permission, &Permission::okPermissionChanged);
    recorder->clearLog();
    second.permission.requestPermission();
    // Refused, and asked again by the keep-alive; the holder's keep-alive runs too.
    QTRY_VERIFY_WITH_TIMEOUT(recorder->receivedLines(c2).count("07F6A7E11") >= 2, 4000);
    QVERIFY(recorder->receivedLines(c1).contains("07F6A7E11"));
    QVERIFY(!second.permission.okPermission());
    QCOMPARE(secondChanged.count(), 0);
    QVERIFY(first.permission.okPermission());

    first.permission.returnPermission();
    QVERIFY(!first.permission.okPermission());
    QTRY_VERIFY(recorder->receivedLines(c1).contains("07F6A7E10"));
    QTRY_VERIFY_WITH_TIMEOUT(second.permission.okPermission(), 4000);
    QCOMPARE(secondChanged.count(), 1);
    QCOMPARE(state->editRightHolder(), c2);

    // Now the second one's list requests go out, the first one's stay home.
    recorder->clearLog();
    first.pl.initAll();
    second.pl.initAll();
    QTRY_VERIFY(recorder->receivedLines(c2).contains("07F4500"));
    QVERIFY(!recorder->receivedLines(c1).contains("07F4500"));
}

QTEST_GUILESS_MAIN(TestEditRightContention)
#include "tst_editrightcontention.moc"
