// The transport keys, skips and playlist steps of the home screen tapped
// faster than a late recorder answers: through the real window against a
// simulated recorder that answers every request 200 to 500 ms late. Each tap
// counts from where the user's taps before it lead, or waits for the
// recorder's report where a tap before it led where only that shows, and the
// recorder ends where the user's last tap asked.
#include <QQuickItem>
#include <QtTest>
#include <functional>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "simunits.h"
#include "windowrig.h"

class TstHomeTransportE2e;
using Step = std::function<void(TstHomeTransportE2e&)>;
Q_DECLARE_METATYPE(Step)

class TstHomeTransportE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase()
    {
        app.close();
        unit.reset();
        QCOMPARE(windowrig::takeWarnings(), QStringList());
    }
    void tapsWithinOneAnswerTime_data();
    void tapsWithinOneAnswerTime();

public:
    // Waits until the application shows what the recorder holds.
    void waitForStatus(int status) { TRY_COMPARE(comm().getStatusIcon(), status); }
    void waitForMarks(const QList<int>& marks) { TRY_COMPARE(app.graph->mark.markTimes(), marks); }
    // Stopped, paused or playing at a place of a track of SD1 with one mark.
    void pausedAt(int track, int frames, int mark);
    // Stopped in the playlist play area of SD1, set1 loaded; SD2 holds the
    // same playlists, none loaded.
    void stoppedInPlaylists();
    Communication& comm() const { return app.graph->comm; }
    QStringList loads() const { return unit->recorder.receivedLines().filter(QRegularExpression("^07F310000")); }

    AppRig app;
    // While running, the recorder pushes its status unasked every 130 ms.
    QTimer statusPushes;
    std::unique_ptr<SimUnit> unit;
    sim::RecorderState* state = nullptr;
    int takes = 0; // tracks on SD1 when the taps begin
};

void TstHomeTransportE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    QVERIFY(unit->start());
    state = unit->services.state;
    QVERIFY(app.start());
    QVERIFY(app.logIn(unit->recorder));
    waitForStatus(16);
    statusPushes.setInterval(130);
    connect(&statusPushes, &QTimer::timeout, this, [this] { state->pushReport(QStringLiteral("050")); });
}

void TstHomeTransportE2e::pausedAt(int track, int frames, int mark)
{
    state->seek(track, frames);
    state->addMark(mark);
    state->setStatus(sim::RecorderState::PlayPaused);
    waitForStatus(18);
    waitForMarks({ mark });
    TRY_COMPARE(comm().getTrackElapsedTimeFlame(), frames);
}

void TstHomeTransportE2e::stoppedInPlaylists()
{
    const QStringList sets { "set1.ppl", "set2.ppl", "set3.ppl" };
    state->medium("SD2").playlists = sets;
    state->medium("SD2").playlist.clear();
    state->current().playlists = sets;
    state->setPlaylist("set1.ppl");
    state->panel.playArea = 2;
    state->announce();
    TRY_VERIFY(comm().getPlayArea() == "PLAYLIST" && comm().getPlayList() == "set1.ppl");
}

void TstHomeTransportE2e::tapsWithinOneAnswerTime_data()
{
    QTest::addColumn<Step>("prepare");
    QTest::addColumn<int>("latency");
    // "name" or "name@ms": ms after the tap before it ("poll": the 1000 ms
    // status poll comes early; "pushes": the recorder starts pushing its
    // status); "name~ms": held until
    // the recorder searches, then ms longer; "name^ms" as the window system
    // stamps a tap ms after the one before (within its double-click interval,
    // a double click)
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<Step>("check");       // once everything has been answered

    using S = sim::RecorderState;
    const auto endsIn = [](int status, int newTakes) {
        return Step([status, newTakes](TstHomeTransportE2e& t) {
            QCOMPARE(t.state->status(), status);
            QCOMPARE(t.state->medium("SD1").tracks.size(), t.takes + newTakes);
        });
    };
    const Step recordPaused = [](TstHomeTransportE2e& t) {
        t.state->pressRecord();
        t.waitForStatus(S::RecordPaused);
    };
    const Step thirdRecordState = [](TstHomeTransportE2e& t) {
        t.state->setStatus(S::RecordOther);
        t.waitForStatus(S::RecordOther);
    };
    const Step recording = [](TstHomeTransportE2e& t) {
        t.state->pressRecord();
        t.state->pressRecord();
        t.waitForStatus(S::Recording);
    };

    QTest::newRow("REC, then STOP from record pause")
        << recordPaused << 400 << QStringList { "recButton", "stopButton@150" } << endsIn(S::Stopped, 0);
    QTest::newRow("REC, then STOP from stop")
        << Step() << 200 << QStringList { "recButton", "stopButton@150" } << endsIn(S::Stopped, 0);
    QTest::newRow("PLAY, then a click on FF stays in its folder")
        << Step([](TstHomeTransportE2e& t) {
               t.state->panel.playArea = 1;
               t.state->current().folderIndex = 0;
               t.state->seek(1, 0);
               t.state->announce();
               TRY_COMPARE(t.comm().getPlayArea(), QStringLiteral("FOLDER"));
           })
        << 300 << QStringList { "playButton", "forwardButton@150" }
        << Step([](TstHomeTransportE2e& t) {
               QCOMPARE(t.state->current().folderIndex, 0);
               QCOMPARE(t.state->status(), int(S::Playing));
               QVERIFY(t.state->position() >= 1000);
           });
    QTest::newRow("PAUSE twice while playing")
        << Step([](TstHomeTransportE2e& t) {
               t.state->pressPlay();
               t.waitForStatus(S::Playing);
           })
        << 400 << QStringList { "pauseButton", "pauseButton@150" } << endsIn(S::Playing, 0);
    // The recorder pushes its status every 130 ms; the status query of the
    // 1000 ms poll goes right after the first PAUSE, while reports older
    // than the PAUSE are still on their way. Answer times below and above
    // the poll's period.
    const Step playing = [](TstHomeTransportE2e& t) {
        t.state->pressPlay();
        t.waitForStatus(S::Playing);
    };
    QTest::newRow("PAUSE twice while playing, the status pushed, 400 ms late")
        << playing << 400 << QStringList { "pushes", "pauseButton@600", "poll@50", "pauseButton@250" }
        << endsIn(S::Playing, 0);
    QTest::newRow("PAUSE twice while playing, the status pushed, 1200 ms late")
        << playing << 1200 << QStringList { "pushes", "pauseButton@1300", "poll@50", "pauseButton@250" }
        << endsIn(S::Playing, 0);
    QTest::newRow("PAUSE twice while recording")
        << recording << 400 << QStringList { "pauseButton", "pauseButton@150" } << endsIn(S::Recording, 0);
    QTest::newRow("PAUSE, then REC while recording")
        << recording << 200 << QStringList { "pauseButton", "recButton@150" } << endsIn(S::Recording, 0);
    QTest::newRow("PAUSE twice from record pause")
        << recordPaused << 400 << QStringList { "pauseButton", "pauseButton@150" } << endsIn(S::RecordPaused, 0);
    QTest::newRow("PAUSE, then REC from record pause")
        << recordPaused << 300 << QStringList { "pauseButton", "recButton@150" } << endsIn(S::Recording, 1);
    QTest::newRow("PAUSE twice from the third record state")
        << thirdRecordState << 400 << QStringList { "pauseButton", "pauseButton@150" }
        << endsIn(S::RecordPaused, 0);
    QTest::newRow("PAUSE, then REC from the third record state")
        << thirdRecordState << 300 << QStringList { "pauseButton", "recButton@150" } << endsIn(S::Recording, 1);
    QTest::newRow("PLAY from record pause, then PAUSE at once")
        << recordPaused << 300 << QStringList { "playButton", "pauseButton@100" } << endsIn(S::RecordPaused, 0);
    QTest::newRow("next twice from before a mark")
        << Step([](TstHomeTransportE2e& t) { t.pausedAt(1, 500, 1000); }) << 400
        << QStringList { "trackSkipNextButton", "trackSkipNextButton@150" }
        << Step([](TstHomeTransportE2e& t) { QCOMPARE(t.state->trackNumber(), 2); });
    QTest::newRow("previous twice from after a mark")
        << Step([](TstHomeTransportE2e& t) { t.pausedAt(2, 3000, 1000); }) << 500
        << QStringList { "trackSkipPreviousButton", "trackSkipPreviousButton@300" }
        << Step([](TstHomeTransportE2e& t) { QCOMPARE(t.state->trackNumber(), 1); });
    // With DISPLAY on, the times are the medium's; the mark lies ten seconds
    // into the second track, the recorder five seconds in.
    const Step totalTimes = [](TstHomeTransportE2e& t) {
        t.pausedAt(2, 500, 1000);
        QVERIFY(t.app.click(t.app.item("displayButton")));
        TRY_VERIFY(t.comm().getDisplayMode() && t.comm().getCurrentTrackTop() == t.state->current().tracks.at(0).length);
        TRY_COMPARE(t.comm().getTrackElapsedTimeFlame(), t.state->current().tracks.at(0).length + 500);
    };
    const auto backToTrackTimes = [](int track, int position) {
        return Step([track, position](TstHomeTransportE2e& t) {
            QCOMPARE(t.state->trackNumber(), track);
            QCOMPARE(t.state->position(), position);
            QVERIFY(t.app.click(t.app.item("displayButton")));
            TRY_VERIFY(!t.comm().getDisplayMode());
        });
    };
    QTest::newRow("next in total times goes to the mark ahead")
        << totalTimes << 0 << QStringList { "trackSkipNextButton" } << backToTrackTimes(2, 1000);
    QTest::newRow("previous in total times, before the only mark, goes to the track before")
        << totalTimes << 0 << QStringList { "trackSkipPreviousButton" } << backToTrackTimes(1, 0);
    // The recorder's FTP server is as late as its command port: a second
    // playlist step tapped within the first one's listing counts on from it,
    // and the one listing loads where both lead.
    const auto endsOnPlaylist = [](const QString& name, const QStringList& loads) {
        return Step([name, loads](TstHomeTransportE2e& t) {
            QCOMPARE(t.state->current().playlist, name);
            QCOMPARE(t.loads(), loads);
        });
    };
    const QString sd1 = QStringLiteral("07F310000A:/_playlists/");
    const Step inPlaylists = [](TstHomeTransportE2e& t) { t.stoppedInPlaylists(); };
    const auto sent = [](const QString& line, int times) {
        return Step([line, times](TstHomeTransportE2e& t) { QCOMPARE(t.unit->recorder.receivedLines().filter(QRegularExpression("^" + line + "$")).size(), times); });
    };
    const auto stoppedAtTrack = [](int track) {
        return Step([track](TstHomeTransportE2e& t) {
            // Stopped as the application sees it, too: while it shows a
            // pause, a skip goes by the marks.
            t.state->seek(track, 0);
            t.state->announce();
            QTest::qWait(500);
            TRY_VERIFY(t.comm().getStatusIcon() == 16 && t.comm().getNowTrackNo() == QString::number(track).rightJustified(3, '0'));
        });
    };
    const auto endsAtTrack = [](int track) {
        return Step([track](TstHomeTransportE2e& t) { QCOMPARE(t.state->trackNumber(), track); });
    };
    QTest::newRow("next tapped twice quickly while stopped")
        << stoppedAtTrack(1) << 300 << QStringList { "trackSkipNextButton", "trackSkipNextButton^150" } << endsAtTrack(3);
    QTest::newRow("previous tapped twice quickly while stopped")
        << stoppedAtTrack(3) << 300 << QStringList { "trackSkipPreviousButton", "trackSkipPreviousButton^150" }
        << endsAtTrack(1);
    QTest::newRow("FF tapped twice quickly while paused")
        << Step([](TstHomeTransportE2e& t) { t.pausedAt(1, 500, 1000); }) << 300
        << QStringList { "forwardButton", "forwardButton^150" } << sent("01A30", 2);
    QTest::newRow("REW tapped twice quickly while paused")
        << Step([](TstHomeTransportE2e& t) { t.pausedAt(2, 5000, 1000); }) << 300
        << QStringList { "reverseButton", "reverseButton^120" } << sent("01A31", 2);
    QTest::newRow("PLAY double-clicked while stopped: one press")
        << Step() << 300 << QStringList { "playButton", "playButton^150" } << sent("012", 1);
    QTest::newRow("PAUSE double-clicked while playing: one press")
        << Step([](TstHomeTransportE2e& t) {
               t.state->pressPlay();
               t.waitForStatus(S::Playing);
           })
        << 300 << QStringList { "pauseButton", "pauseButton^150" } << endsIn(S::PlayPaused, 0);
    QTest::newRow("two playlist steps")
        << inPlaylists << 300 << QStringList { "forwardButton", "forwardButton@250" }
        << endsOnPlaylist("set3.ppl", { sd1 + "set3.ppl" });
    QTest::newRow("two playlist steps, the second late in the listing")
        << inPlaylists << 500 << QStringList { "forwardButton", "forwardButton@2500" }
        << endsOnPlaylist("set3.ppl", { sd1 + "set3.ppl" });
    QTest::newRow("two playlist steps back wrap round")
        << inPlaylists << 200 << QStringList { "reverseButton", "reverseButton@400" }
        << endsOnPlaylist("set2.ppl", { sd1 + "set2.ppl" });
    QTest::newRow("a playlist step forward and one back")
        << inPlaylists << 400 << QStringList { "forwardButton", "reverseButton@300" }
        << endsOnPlaylist("set1.ppl", {});
    QTest::newRow("two playlist steps on time")
        << inPlaylists << 0 << QStringList { "forwardButton", "forwardButton@250" }
        << endsOnPlaylist("set3.ppl", { sd1 + "set2.ppl", sd1 + "set3.ppl" });
    // The recorder tells every application of each load, the one that asked
    // included: that report comes unasked among the answers to the polls.
    QTest::newRow("a playlist step, then once it has settled two more 400 ms apart, 500 ms late")
        << Step([](TstHomeTransportE2e& t) {
               t.stoppedInPlaylists();
               t.unit->recorder.answerLatencyMs = 500;
               QVERIFY(t.app.click(t.app.item("forwardButton")));
               QTRY_VERIFY_WITH_TIMEOUT(t.comm().getPlayList() == "set2.ppl" && !t.comm().askedPlaylist.waiting()
                                            && t.unit->services.ftp.openSessions() == 0,
                                        20000);
               QTest::qWait(1000);
           })
        << 500 << QStringList { "forwardButton", "forwardButton@400" } << endsOnPlaylist("set1.ppl", { sd1 + "set1.ppl" });
    QTest::newRow("a playlist step while the medium changes")
        << Step([](TstHomeTransportE2e& t) {
               t.stoppedInPlaylists();
               t.unit->services.ftp.listingDelayMs = 1200;
           })
        << 300 << QStringList { "forwardButton", "currentMediaButton@150", "mediaSD2" }
        << Step([](TstHomeTransportE2e& t) {
               QCOMPARE(t.state->currentMediumName(), QStringLiteral("SD2"));
               QCOMPARE(t.state->medium("SD2").playlist, QString());
               QCOMPARE(t.state->medium("SD1").playlist, QStringLiteral("set1.ppl"));
               QCOMPARE(t.loads(), QStringList());
           });
    // Where a search ends only the recorder's report shows; the skip after it
    // goes by that report, not by where the search began. (These come last:
    // the next click on FF or REW ends the search again.)
    QTest::newRow("FF held past the last mark, then next at once")
        << Step([](TstHomeTransportE2e& t) { t.pausedAt(2, 800, 1000); }) << 500
        << QStringList { "forwardButton~350", "trackSkipNextButton@0" }
        << Step([](TstHomeTransportE2e& t) { QCOMPARE(t.state->trackNumber(), 3); });
    QTest::newRow("REW held past the only mark, then previous at once")
        << Step([](TstHomeTransportE2e& t) { t.pausedAt(2, 1300, 1000); }) << 500
        << QStringList { "reverseButton~350", "trackSkipPreviousButton@0" }
        << Step([](TstHomeTransportE2e& t) { QCOMPARE(t.state->trackNumber(), 1); });
}

void TstHomeTransportE2e::tapsWithinOneAnswerTime()
{
    QFETCH(Step, prepare);
    QFETCH(int, latency);
    QFETCH(QStringList, taps);
    QFETCH(Step, check);

    // From a stopped SD1 at its first track, with nothing of the user's in flight.
    statusPushes.stop();
    unit->recorder.answerLatencyMs = 0;
    unit->services.ftp.listingDelayMs = 0;
    state->selectMedium(QStringLiteral("SD1"));
    state->pressStop();
    state->panel.playArea = 0;
    state->announce();
    TRY_VERIFY(comm().getStatusIcon() == 16 && comm().getCurrentMedia() == "SD1" && comm().getPlayArea() == "ALL");
    QTest::qWait(500);
    if (prepare)
        prepare(*this);
    if (QTest::currentTestFailed())
        return;
    takes = state->medium("SD1").tracks.size();
    unit->recorder.clearLog();
    unit->services.ftp.clearLog();

    unit->recorder.answerLatencyMs = latency;
    for (const QString& tap : taps) {
        const QStringList parts = tap.split(QRegularExpression("[@~^]"));
        const bool held = tap.contains('~');
        const bool quick = tap.contains('^');
        if (parts.size() > 1 && !held && !quick)
            QTest::qWait(parts.at(1).toInt());
        if (parts.at(0) == QLatin1String("poll")) {
            comm().sleepCheck();
            continue;
        }
        if (parts.at(0) == QLatin1String("pushes")) {
            statusPushes.start();
            continue;
        }
        QQuickItem* key = app.item(parts.at(0).toLatin1());
        QVERIFY(key);
        TRY_VERIFY(key->isVisible());
        if (quick) {
            QVERIFY(app.quickTap(key, parts.at(1).toInt()));
            continue;
        }
        if (!held) {
            QVERIFY(app.click(key));
            continue;
        }
        QTest::mousePress(app.window, Qt::LeftButton, Qt::NoModifier, AppRig::centre(key));
        QVERIFY(QTest::qWaitFor([this] { return state->searchSpeed() != 0; }, simlink::waitMs));
        QTest::qWait(parts.at(1).toInt());
        QTest::mouseRelease(app.window, Qt::LeftButton, Qt::NoModifier, AppRig::centre(key));
    }
    // Past the last answer to the taps and the status query after it.
    QTest::qWait(2000 + 2 * latency);
    // A playlist step's listing takes several round trips: past its end, the
    // load it writes and the answer to that.
    if (!unit->services.ftp.receivedLines().isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(unit->services.ftp.openSessions(), 0, 20000);
        QTest::qWait(1000 + 2 * latency);
    }
    statusPushes.stop();
    TRY_COMPARE(comm().getStatusIcon(), state->status());
    check(*this);
    unit->recorder.answerLatencyMs = 0;
}

QTEST_MAIN(TstHomeTransportE2e)
#include "tst_hometransport_e2e.moc"
