// Playlist listings over FTP from a simulated recorder, and what a broken
// server must not do to them.
#include <QtTest>

#include "ftpaccess.h"
#include "netenv.h"
#include "recorderstate.h"
#include "simunits.h"

namespace {
const QString password = QStringLiteral("1234");

} // namespace

class tst_FtpAccess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { unit.reset(); }
    void init();
    void listings_data();
    void listings();
    void stalledSteps_data();
    void stalledSteps();

private:
    // Lists a medium; returns the names reported, and how often the listing ended.
    QStringList list(FtpAccess& ftp, const QString& media, int* ends, int model = 0);

    std::unique_ptr<SimUnit> unit;
    sim::RecorderState* state = nullptr;
};

void tst_FtpAccess::initTestCase()
{
    netenv::requirePrivateNetwork();
    unit = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:01"));
    state = unit->services.state;
    QVERIFY(unit->start());
}

void tst_FtpAccess::init()
{
    state->medium("SD1").playlists = QStringList { "set2.ppl", "live.ppl", "set1.ppl" };
    state->medium("USB").playlists = QStringList { "x.ppl", "y.ppl", "z.ppl" };
    state->medium("USB").playlistSubfolders.clear();
    unit->services.ftp.splitWrites = false;
    unit->services.ftp.shortPassiveReply = false;
    unit->services.ftp.passiveHost = QHostAddress();
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

// What a listing reports: playlist files only, by their whole names, whole
// even when its lines arrive in pieces. It always comes from the recorder: a
// passive reply that names another machine does not send the application there.
void tst_FtpAccess::listings_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("elsewhere"); // the passive reply names another machine

    QTest::newRow("playlist files only, second model")
        << 1 << false << QStringList { "old.ppl" } << QStringList { "set1.ppl", "notes.txt", "my set.ppl" }
        << QStringList { "set1.ppl", "my set.ppl" } << false;
    QTest::newRow("lines split across segments")
        << 0 << true << QStringList() << QStringList { "Ärger-über-Öl.ppl", "a long name.ppl" }
        << QStringList { "Ärger-über-Öl.ppl", "a long name.ppl" } << false;
    QTest::newRow("empty folder") << 0 << false << QStringList() << QStringList() << QStringList() << false;
    QTest::newRow("passive reply naming another host")
        << 0 << false << QStringList() << QStringList { "x.ppl", "y.ppl" } << QStringList { "x.ppl", "y.ppl" } << true;
}

void tst_FtpAccess::listings()
{
    QFETCH(int, model);
    QFETCH(bool, split);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(bool, elsewhere);
    if (elsewhere)
        unit->services.ftp.passiveHost = QHostAddress(netenv::deadAddress());
    unit->recorder.model = model;
    unit->services.ftp.splitWrites = split;
    state->medium("USB").playlistSubfolders = folders;
    state->medium("USB").playlists = files;

    FtpAccess ftp;
    int ends = 0;
    QTEST(list(ftp, QStringLiteral("USB"), &ends, model), "names");
    QCOMPARE(ends, 1);
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
