// The home screen's time skips while the recorder is stopped in the playlist
// play area, where a real link shows more than the playlist road: a second
// click during the listing, and a step cut short by the end of the link. (The
// load line goes out in one write: the step table shows it.)
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
    void secondClickWhileListingCountsOn();
    void stepEndsWithTheLink_data();
    void stepEndsWithTheLink();

private:
    // Stopped in the playlist play area of medium, with these files in its
    // playlist folder and current loaded; waits until the application knows.
    void prepare(const QString& medium, const QStringList& files, const QString& current);
    // Playlist-load lines a recorder received since prepare().
    static QStringList loadsReceived(const sim::SimRecorder& recorder);
    QStringList loadsReceived() const { return loadsReceived(unit->recorder); }

    std::unique_ptr<SimUnit> unit;
    std::unique_ptr<sim::SimRecorder> other;
    sim::RecorderState* state = nullptr;
    std::unique_ptr<ObjectGraph> app;
};

void tst_PlaylistStepping::initTestCase()
{
    netenv::requirePrivateNetwork();
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    QVERIFY(unit->start());
    other = simlink::startRecorder(1);
    QVERIFY(other);
    state = unit->services.state;
    app = std::make_unique<ObjectGraph>();
}

void tst_PlaylistStepping::cleanupTestCase()
{
    app.reset();
    other.reset();
    unit.reset();
}

void tst_PlaylistStepping::init()
{
    unit->services.ftp.listingDelayMs = 0;
    unit->services.ftp.clearLog();
    Communication& comm = app->comm;
    if (comm.getLoginComp() && comm.getAddress() == unit->recorder.address().toString())
        return;
    comm.logoutRequest();
    QVERIFY(simlink::logIn(*app, unit->recorder) != 0);
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
    other->clearLog();
}

QStringList tst_PlaylistStepping::loadsReceived(const sim::SimRecorder& recorder)
{
    return recorder.receivedLines().filter(QRegularExpression(QStringLiteral("^07F310000")));
}

// A second click while the first step still waits for its listing counts on
// from it: one listing, one load, two playlists on.
void tst_PlaylistStepping::secondClickWhileListingCountsOn()
{
    prepare(QStringLiteral("SD1"), { "set1.ppl", "set2.ppl", "set3.ppl" }, QStringLiteral("set1.ppl"));
    unit->services.ftp.listingDelayMs = 300;
    Communication& comm = app->comm;
    QSignalSpy listed(&unit->services.ftp, &sim::FtpServer::listingSent);
    comm.timeSkipNextRequest();
    QTRY_VERIFY(unit->services.ftp.receivedLines().contains(QStringLiteral("LIST")));
    comm.timeSkipNextRequest();
    QVERIFY(listed.wait(3000));
    QTRY_COMPARE(comm.getPlayList(), QStringLiteral("set3.ppl"));
    QTest::qWait(500); // past the listing of the first step
    QCOMPARE(loadsReceived(), QStringList { "07F310000A:/_playlists/set3.ppl" });
    QCOMPARE(listed.count(), 1);
    QCOMPARE(state->current().playlist, QStringLiteral("set3.ppl"));
}

// A step whose listing is still under way when the link ends is dropped: its
// load reaches neither the recorder that comes back nor the next one logged in to.
void tst_PlaylistStepping::stepEndsWithTheLink_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("logout, then another recorder") << "logout";
    QTest::newRow("login to another recorder") << "login";
    QTest::newRow("link lost and rejoined") << "lost";
}

void tst_PlaylistStepping::stepEndsWithTheLink()
{
    QFETCH(QString, end);
    prepare(QStringLiteral("SD1"), { "set1.ppl", "set2.ppl" }, QStringLiteral("set1.ppl"));
    unit->services.ftp.listingDelayMs = 1500;
    Communication& comm = app->comm;
    QSignalSpy listingEnded(&comm.ftpAccess, &FtpAccess::endPlaylist);
    comm.timeSkipNextRequest();
    QTRY_VERIFY(unit->services.ftp.receivedLines().contains(QStringLiteral("LIST")));

    if (end == QLatin1String("logout"))
        comm.logoutRequest();
    if (end == QLatin1String("lost")) {
        QSignalSpy states(&comm, &Communication::loginStateChanged);
        unit->recorder.disconnectAll();
        QTRY_VERIFY_WITH_TIMEOUT(states.count() >= 2 && comm.getLoginState() == 2, 3000);
    } else {
        QVERIFY(simlink::logIn(*app, *other) != 0);
    }
    listingEnded.wait(2000); // past the listing
    QTest::qWait(100);
    QCOMPARE(loadsReceived(*other), QStringList());
    QCOMPARE(loadsReceived(), QStringList());
    QCOMPARE(listingEnded.count(), 0);
}

QTEST_MAIN(tst_PlaylistStepping)
#include "tst_playliststepping.moc"
