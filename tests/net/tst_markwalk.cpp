// Marks of the current track against a simulated recorder: they arrive one by
// one as the recorder reports them, a skip lands on a mark, a new mark joins
// the list and recording empties it. Which skip each position chooses is
// checked without a network.
#include <QSignalSpy>
#include <QtTest>

#include "netenv.h"
#include "simlink.h"

class TestMarkWalk : public QObject
{
    Q_OBJECT
private slots:
    void marksFollowTheRecorder();
};

void TestMarkWalk::marksFollowTheRecorder()
{
    netenv::requirePrivateNetwork();
    auto recorder = simlink::startRecorder(6);
    QVERIFY(recorder);
    sim::RecorderState& state = *sim::statusModel(*recorder);
    ObjectGraph app;
    const int connection = simlink::logIn(app, *recorder);
    QVERIFY(connection);
    Communication& comm = app.comm;

    const QList<int> threeMarks { 1000, 5000, 9000 };
    for (int t : threeMarks)
        state.addMark(t);
    state.pressPause();
    state.seek(1, 5050);
    state.announce();
    QTRY_VERIFY(comm.getStatusIcon() == 18 && comm.getTrackElapsedTimeFlame() == 5050
                && app.mark.markTimes() == threeMarks);
    QVERIFY(simlink::containsRun(recorder->receivedLines(connection), { "07F03580300" }));

    recorder->clearLog();
    comm.trackSkipPreviousRequest();
    QTRY_COMPARE(comm.getTrackElapsedTimeFlame(), 1000);
    QCOMPARE(recorder->receivedLines(connection).first(), QStringLiteral("07F031A01"));
    QCOMPARE(state.position(), 1000);

    state.seek(1, 3000);
    state.announce();
    QTRY_COMPARE(comm.getTrackElapsedTimeFlame(), 3000);
    comm.markRequest();
    const QList<int> four { 1000, 3000, 5000, 9000 };
    QTRY_COMPARE(app.mark.markTimes(), four);
    QCOMPARE(state.current().tracks.at(0).marks, four);

    QSignalSpy cleared(&app.mark, &Mark::markClear);
    state.pressRecord();
    QTRY_COMPARE(comm.getStatusIcon(), 131);
    QVERIFY(cleared.count() >= 1);
    QVERIFY(app.mark.markTimes().isEmpty());
}

QTEST_GUILESS_MAIN(TestMarkWalk)
#include "tst_markwalk.moc"
