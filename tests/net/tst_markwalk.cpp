// Marks of the current track against a simulated recorder: they arrive one by
// one as the recorder reports them, and the previous/next skips choose between
// a mark and a track.
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "netenv.h"
#include "simlink.h"

class TestMarkWalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marksArriveOneByOne();
    void skipsChooseMarkOrTrack_data();
    void skipsChooseMarkOrTrack();
    void markRequestSetsMarkAtPosition();
    void recordingClearsMarks();
    void cleanupTestCase();

private:
    // Paused at position of track 1, with the three marks known to the application.
    bool pauseAt(int position);

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::RecorderState* state = nullptr;
    std::unique_ptr<ObjectGraph> app;
    int connection = 0;
    const QList<int> threeMarks { 1000, 5000, 9000 };
};

void TestMarkWalk::initTestCase()
{
    netenv::requirePrivateNetwork();
    recorder = simlink::startRecorder(6);
    QVERIFY(recorder);
    state = sim::statusModel(*recorder);
    app = std::make_unique<ObjectGraph>();
    connection = simlink::logIn(*app, *recorder);
    QVERIFY(connection);
}

void TestMarkWalk::cleanupTestCase()
{
    app.reset();
    recorder.reset();
}

bool TestMarkWalk::pauseAt(int position)
{
    if (state->status() != sim::RecorderState::PlayPaused)
        state->pressPause();
    state->seek(1, position);
    state->announce();
    Communication& comm = app->comm;
    return QTest::qWaitFor([&] {
        return comm.getStatusIcon() == 18 && comm.getNowTrackNo() == "001" && comm.getTrackElapsedTimeFlame() == position
            && app->mark.markTimes() == threeMarks;
    }, 5000);
}

void TestMarkWalk::marksArriveOneByOne()
{
    QSignalSpy times(&app->mark, &Mark::markTimeReceived);
    for (int t : threeMarks)
        state->addMark(t);
    QTRY_COMPARE(app->mark.markTimes(), threeMarks);
    QList<int> received;
    for (const QList<QVariant>& args : times)
        received << args.at(0).toInt();
    QCOMPARE(received.mid(received.size() - 3), threeMarks); // the last walk brought all three, in order
    QVERIFY(simlink::containsRun(recorder->receivedLines(connection), { "07F03580100" }));
    QVERIFY(simlink::containsRun(recorder->receivedLines(connection), { "07F03580300" }));
}

void TestMarkWalk::skipsChooseMarkOrTrack_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("next");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("landing");

    QTest::newRow("previous: the mark before, more than a second back")
        << 5050 << false << QStringList { "07F031A01" } << 1 << 1000;
    QTest::newRow("previous: a mark just over a second back") << 5101 << false << QStringList { "07F031A01" } << 1
                                                              << 5000;
    QTest::newRow("previous: none a second back goes to the track")
        << 1050 << false << QStringList { "01A01", "055" } << 1 << 0;
    QTest::newRow("next: the following mark") << 1000 << true << QStringList { "07F031A00" } << 1 << 5000;
    QTest::newRow("next: after the last mark goes to the next track")
        << 9000 << true << QStringList { "01A00", "055" } << 2 << 0;
}

void TestMarkWalk::skipsChooseMarkOrTrack()
{
    QFETCH(int, position);
    QFETCH(bool, next);
    QFETCH(QStringList, lines);
    QFETCH(int, track);
    QFETCH(int, landing);

    QVERIFY(pauseAt(position));
    recorder->clearLog();
    if (next)
        app->comm.trackSkipNextRequest();
    else
        app->comm.trackSkipPreviousRequest();
    QTRY_VERIFY(simlink::containsRun(recorder->receivedLines(connection), lines));
    QCOMPARE(state->trackNumber(), track);
    QCOMPARE(state->position(), landing);
    QTRY_COMPARE(app->comm.getTrackElapsedTimeFlame(), landing);
}

void TestMarkWalk::markRequestSetsMarkAtPosition()
{
    QVERIFY(pauseAt(3000));
    app->comm.markRequest();
    const QList<int> four { 1000, 3000, 5000, 9000 };
    QTRY_COMPARE(state->current().tracks.at(0).marks, four);
    QTRY_COMPARE(app->mark.markTimes(), four);
}

void TestMarkWalk::recordingClearsMarks()
{
    QTRY_VERIFY(!app->mark.markTimes().isEmpty());
    QSignalSpy cleared(&app->mark, &Mark::markClear);
    state->pressRecord();
    QTRY_COMPARE(app->comm.getStatusIcon(), 131);
    QVERIFY(cleared.count() >= 1);
    QVERIFY(app->mark.markTimes().isEmpty());
}

QTEST_GUILESS_MAIN(TestMarkWalk)
#include "tst_markwalk.moc"
