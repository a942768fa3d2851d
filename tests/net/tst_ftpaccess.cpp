// Playlist listings over FTP from a simulated recorder, the step to the
// previous or next playlist, and what a broken server must not do to it.
#include <QtTest>

#include "ftpaccess.h"
#include "netenv.h"
#include "simunits.h"
#include "telnet.h"

namespace {
const QString password = QStringLiteral("1234");

} // namespace
Q_DECLARE_METATYPE(QList<sim::FolderEntry>)

class tst_FtpAccess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void stepLoadsTheNeighbour_data();
    void stepLoadsTheNeighbour();
    void listings_data();
    void listings();
    void secondStepWhileOneIsOpen();
    void stalledSteps_data();
    void stalledSteps();

private:
    // Lists a medium; returns the names reported, and how often the listing ended.
    QStringList list(FtpAccess& ftp, const QString& media, int* ends, int model = 0);

    std::unique_ptr<SimUnit> unit;
    sim::PlaylistFolders* playlists = nullptr;
};

void tst_FtpAccess::initTestCase()
{
    netenv::requirePrivateNetwork();
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    playlists = &unit->services.playlists;
    QVERIFY(unit->start());
}

void tst_FtpAccess::cleanupTestCase()
{
    unit.reset();
}

void tst_FtpAccess::init()
{
    playlists->setPlaylists(QStringLiteral("SD1"), { "set2.ppl", "live.ppl", "set1.ppl" });
    playlists->setPlaylists(QStringLiteral("SD2"), { "b.ppl", "A.ppl", "C.ppl" });
    playlists->setPlaylists(QStringLiteral("USB"), { "x.ppl", "y.ppl", "z.ppl" });
    unit->services.ftp.splitWrites = false;
    unit->services.ftp.shortPassiveReply = false;
    unit->services.ftp.listingDelayMs = 0;
    unit->recorder.model = 0;
    unit->services.ftp.clearLog();
}

QStringList tst_FtpAccess::list(FtpAccess& ftp, const QString& media, int* ends, int model)
{
    QSignalSpy names(&ftp, &FtpAccess::receivedPlaylist);
    QSignalSpy end(&ftp, &FtpAccess::endPlaylist);
    ftp.connectFtp(netenv::recorderAddress(0), password, media, model);
    if (!end.wait(3000))
        qWarning("the listing did not end");
    QTest::qWait(100); // anything after the end would be a fault
    *ends = end.count();
    QStringList result;
    for (const QList<QVariant>& n : qAsConst(names))
        result << n.at(0).toString();
    return result;
}

void tst_FtpAccess::stepLoadsTheNeighbour_data()
{
    QTest::addColumn<QString>("media");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QString>("expected");

    QTest::newRow("SD1 next wraps to the first") << "SD1" << "set2.ppl" << false << "live.ppl";
    QTest::newRow("SD1 previous wraps to the last") << "SD1" << "live.ppl" << true << "set2.ppl";
    QTest::newRow("SD2 next in case-sensitive order") << "SD2" << "C.ppl" << false << "b.ppl";
    QTest::newRow("SD2 previous wraps") << "SD2" << "A.ppl" << true << "b.ppl";
    QTest::newRow("USB previous") << "USB" << "y.ppl" << true << "x.ppl";
    QTest::newRow("USB next") << "USB" << "y.ppl" << false << "z.ppl";
    QTest::newRow("USB, current not there") << "USB" << "gone.ppl" << true << "x.ppl";
}

void tst_FtpAccess::stepLoadsTheNeighbour()
{
    QFETCH(QString, media);
    QFETCH(QString, current);
    QFETCH(bool, backward);
    QFETCH(QString, expected);
    playlists->current = current;

    FtpAccess ftp;
    int ends = 0;
    const QString chosen = stepPlaylist(list(ftp, media, &ends), current, backward);
    QCOMPARE(ends, 1);
    QCOMPARE(chosen, expected);

    // The load command, in four writes as the status model sends it, and the
    // status query that follows: the recorder reports the new playlist.
    Telnet telnet;
    QSignalSpy loggedIn(&telnet, &Telnet::connectedToServer);
    QSignalSpy replies(&telnet, &Telnet::readyRead);
    telnet.connectToServer(netenv::recorderAddress(0), password, false);
    QVERIFY(loggedIn.wait(2000));
    const QByteArray folderPath = playlistDrive(media).toLatin1() + "/_playlists/";
    const QByteArray name = chosen.toUtf8();
    for (const char* piece : { "07F310000", folderPath.constData(), name.constData(), "\r\n" })
        telnet.sendData(piece);
    telnet.sendData("07F3105\r\n");
    QTRY_COMPARE(replies.count(), 3);
    const QString report = QStringLiteral("FF3185") + expected;
    QCOMPARE(replies.at(0).at(0).toString(), QStringLiteral("FF318000"));
    QCOMPARE(replies.at(1).at(0).toString(), report);
    QCOMPARE(replies.at(2).at(0).toString(), report);
    QCOMPARE(playlists->currentMedium, media);
}

// What a listing reports: playlist files only, by the text after the last
// blank, whole even when its lines arrive in pieces.
void tst_FtpAccess::listings_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QList<sim::FolderEntry>>("entries");
    QTest::addColumn<QStringList>("names");

    const QList<sim::FolderEntry> mixed { { "set1.ppl", false }, { "old.ppl", true }, { "notes.txt", false },
                                          { "my set.ppl", false } };
    QTest::newRow("playlist files only, second model") << 1 << false << mixed << QStringList { "set1.ppl", "set.ppl" };
    QTest::newRow("lines split across segments")
        << 0 << true << QList<sim::FolderEntry> { { "Ärger-über-Öl.ppl", false }, { "a long name.ppl", false } }
        << QStringList { "Ärger-über-Öl.ppl", "name.ppl" };
    QTest::newRow("empty folder") << 0 << false << QList<sim::FolderEntry>() << QStringList();
}

void tst_FtpAccess::listings()
{
    QFETCH(int, model);
    QFETCH(bool, split);
    QFETCH(QList<sim::FolderEntry>, entries);
    unit->recorder.model = model;
    unit->services.ftp.splitWrites = split;
    playlists->folders[QStringLiteral("USB")] = entries;

    FtpAccess ftp;
    int ends = 0;
    QTEST(list(ftp, QStringLiteral("USB"), &ends, model), "names");
    QCOMPARE(ends, 1);
}

// A step started while the previous one still waits for its listing gets
// its own listing only, and one end.
void tst_FtpAccess::secondStepWhileOneIsOpen()
{
    unit->services.ftp.listingDelayMs = 300;
    FtpAccess ftp;
    ftp.connectFtp(netenv::recorderAddress(0), password, QStringLiteral("SD1"), 0);
    QTRY_VERIFY(unit->services.ftp.receivedLines().contains(QStringLiteral("LIST")));
    int ends = 0;
    QStringList names = list(ftp, QStringLiteral("USB"), &ends);
    QTest::qWait(400); // past the first step's listing
    QCOMPARE(ends, 1);
    QCOMPARE(names, (QStringList { "x.ppl", "y.ppl", "z.ppl" }));
}

// Steps that cannot complete end quietly: no listing, no end, nothing more sent.
void tst_FtpAccess::stalledSteps_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("media");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<bool>("shortPassive");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("unknown model") << 2 << "SD1" << password << false << QStringList();
    QTest::newRow("medium without playlists") << 0 << "CD" << password << false
                                              << QStringList { "USER KZ-470MX", "PASS 1234" };
    QTest::newRow("line breaks in the password") << 0 << "SD1" << "12\r\n34\nDELE x" << false
                                                 << QStringList { "USER KZ-470MX", "PASS 1234DELE x" };
    QTest::newRow("passive reply without port")
        << 0 << "SD1" << password << true << QStringList { "USER KZ-470MX", "PASS 1234", "CWD A:/_playlists", "PASV" };
}

void tst_FtpAccess::stalledSteps()
{
    QFETCH(int, model);
    QFETCH(QString, media);
    QFETCH(QString, pass);
    QFETCH(bool, shortPassive);
    QFETCH(QStringList, sent);
    unit->services.ftp.shortPassiveReply = shortPassive;

    FtpAccess ftp;
    QSignalSpy names(&ftp, &FtpAccess::receivedPlaylist);
    QSignalSpy end(&ftp, &FtpAccess::endPlaylist);
    ftp.connectFtp(netenv::recorderAddress(0), pass, media, model);
    QTRY_COMPARE(unit->services.ftp.receivedLines(), sent);
    QTest::qWait(300); // and nothing after that
    QCOMPARE(unit->services.ftp.receivedLines(), sent);
    QCOMPARE(names.count(), 0);
    QCOMPARE(end.count(), 0);
}

QTEST_MAIN(tst_FtpAccess)
#include "tst_ftpaccess.moc"
