// The home screen's time skips while the recorder is stopped in the playlist
// play area: the application lists the medium's playlists over FTP, loads the
// neighbour of the current one and learns the new playlist from the recorder.
#include <QtTest>
#include <memory>

#include "netenv.h"
#include "objectgraph.h"
#include "recorderstate.h"
#include "simlink.h"
#include "simunits.h"

class tst_PlaylistStepping : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void timeSkipStepsThroughPlaylists_data();
    void timeSkipStepsThroughPlaylists();
    void secondClickWhileListingLoadsOnce();

private:
    // Stopped in the playlist play area of medium, with these files in its
    // playlist folder and current loaded; waits until the application knows.
    void prepare(const QString& medium, const QStringList& files, const QString& current);
    // Playlist-load lines the recorder received from the application.
    QStringList loadsReceived() const;

    std::unique_ptr<SimUnit> unit;
    sim::RecorderState* state = nullptr;
    std::unique_ptr<ObjectGraph> app;
    int connection = 0;
};

void tst_PlaylistStepping::initTestCase()
{
    netenv::requirePrivateNetwork();
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    QVERIFY(unit->start());
    state = unit->services.state;
    app = std::make_unique<ObjectGraph>();
    connection = simlink::logIn(*app, unit->recorder);
    QVERIFY(connection != 0);
}

void tst_PlaylistStepping::cleanupTestCase()
{
    app.reset();
    unit.reset();
}

void tst_PlaylistStepping::init()
{
    unit->services.ftp.listingDelayMs = 0;
    unit->services.ftp.clearLog();
}

void tst_PlaylistStepping::prepare(const QString& medium, const QStringList& files, const QString& current)
{
    state->selectMedium(medium);
    state->current().playlists = files;
    state->setPlaylist(current);
    state->panel.playArea = 2;
    state->announce();
    const Communication& comm = app->comm;
    QTRY_VERIFY(comm.getStatusIcon() == 16 && comm.getPlayArea() == "PLAYLIST" && comm.getCurrentMedia() == medium
                && comm.getPlayList() == current);
    unit->recorder.clearLog();
}

QStringList tst_PlaylistStepping::loadsReceived() const
{
    return unit->recorder.receivedLines(connection).filter(QRegularExpression(QStringLiteral("^07F310000")));
}

void tst_PlaylistStepping::timeSkipStepsThroughPlaylists_data()
{
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QString>("loaded"); // the line the recorder receives; "" for none
    QTest::addColumn<QString>("reported");

    const QStringList sets { "set3.ppl", "set1.ppl", "set2.ppl" };
    const QStringList mixedCase { "b.ppl", "A.ppl", "C.ppl" };
    const QStringList xyz { "x.ppl", "y.ppl", "z.ppl" };
    QTest::newRow("SD1 next") << "SD1" << sets << "set1.ppl" << false << "07F310000A:/_playlists/set2.ppl"
                              << "set2.ppl";
    QTest::newRow("SD1 next wraps to the first") << "SD1" << sets << "set3.ppl" << false
                                                 << "07F310000A:/_playlists/set1.ppl" << "set1.ppl";
    QTest::newRow("SD1 previous wraps to the last") << "SD1" << sets << "set1.ppl" << true
                                                    << "07F310000A:/_playlists/set3.ppl" << "set3.ppl";
    QTest::newRow("SD2 next in case-sensitive order") << "SD2" << mixedCase << "C.ppl" << false
                                                      << "07F310000B:/_playlists/b.ppl" << "b.ppl";
    QTest::newRow("SD2 previous wraps") << "SD2" << mixedCase << "A.ppl" << true << "07F310000B:/_playlists/b.ppl"
                                        << "b.ppl";
    QTest::newRow("SD2 one playlist loads it again") << "SD2" << QStringList { "evening.ppl" } << "evening.ppl"
                                                     << true << "07F310000B:/_playlists/evening.ppl" << "evening.ppl";
    QTest::newRow("USB previous") << "USB" << xyz << "y.ppl" << true << "07F310000C:/_playlists/x.ppl" << "x.ppl";
    QTest::newRow("USB next wraps") << "USB" << xyz << "z.ppl" << false << "07F310000C:/_playlists/x.ppl"
                                    << "x.ppl";
    QTest::newRow("USB current not listed: the first") << "USB" << xyz << "gone.ppl" << true
                                                       << "07F310000C:/_playlists/x.ppl" << "x.ppl";
    QTest::newRow("USB without playlist files: nothing loaded")
        << "USB" << QStringList { "notes.txt" } << "y.ppl" << false << "" << "y.ppl";
}

void tst_PlaylistStepping::timeSkipStepsThroughPlaylists()
{
    QFETCH(QString, medium);
    QFETCH(QStringList, files);
    QFETCH(QString, current);
    QFETCH(bool, backward);
    QFETCH(QString, loaded);
    QFETCH(QString, reported);
    prepare(medium, files, current);

    Communication& comm = app->comm;
    QSignalSpy listed(&unit->services.ftp, &sim::FtpServer::listingSent);
    if (backward)
        comm.timeSkipPreviousRequest();
    else
        comm.timeSkipNextRequest();
    QVERIFY(listed.wait(3000));
    QCOMPARE(listed.at(0).at(0).toString(), medium);

    if (loaded.isEmpty()) {
        QTest::qWait(300);
        QCOMPARE(loadsReceived(), QStringList());
    } else {
        QTRY_COMPARE(loadsReceived(), QStringList { loaded });
    }
    QTRY_COMPARE(state->current().playlist, reported);
    QTRY_COMPARE(comm.getPlayList(), reported);
    QCOMPARE(state->currentMediumName(), medium);
}

// A second click while the first step still waits for its listing replaces
// that step: one load, of the neighbour of the playlist both started from.
void tst_PlaylistStepping::secondClickWhileListingLoadsOnce()
{
    prepare(QStringLiteral("SD1"), { "set1.ppl", "set2.ppl", "set3.ppl" }, QStringLiteral("set1.ppl"));
    unit->services.ftp.listingDelayMs = 300;
    Communication& comm = app->comm;
    QSignalSpy listed(&unit->services.ftp, &sim::FtpServer::listingSent);
    comm.timeSkipNextRequest();
    QTRY_VERIFY(unit->services.ftp.receivedLines().contains(QStringLiteral("LIST")));
    comm.timeSkipNextRequest();
    QVERIFY(listed.wait(3000));
    QTRY_COMPARE(comm.getPlayList(), QStringLiteral("set2.ppl"));
    QTest::qWait(500); // past the listing of the first step
    QCOMPARE(loadsReceived(), QStringList { "07F310000A:/_playlists/set2.ppl" });
    QCOMPARE(listed.count(), 1);
    QCOMPARE(state->current().playlist, QStringLiteral("set2.ppl"));
}

QTEST_MAIN(tst_PlaylistStepping)
#include "tst_playliststepping.moc"
