// The names a playlist listing reports, the data port a passive-mode reply
// names, which playlist a step to the previous or next one lands on, and the
// load command that the end of a listing writes.
#include <QtTest>

#include "ftpaccess.h"
#include "modelrig.h"

class tst_PlaylistStep : public QObject
{
    Q_OBJECT
private slots:
    void listedName_data();
    void listedName();
    void passivePort_data();
    void passivePort();
    void step_data();
    void step();
    void loadCommand_data();
    void loadCommand();
    void stepsInARow_data();
    void stepsInARow();
};

namespace {

// Stopped in the playlist play area, then a step started by a time skip; the
// FTP dialogue goes nowhere.
void startStep(ModelRig& rig, const QStringList& replies, bool backward)
{
    rig.replies(QStringList { "D010", "FF07CF02" } + replies);
    rig.comm.ftpAccess.writeSink = [](const QByteArray&) {};
    if (backward)
        rig.comm.timeSkipPreviousRequest();
    else
        rig.comm.timeSkipNextRequest();
}

} // namespace

void tst_PlaylistStep::listedName_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain name") << "-rw-r--r-- 1 owner group 1024 Jan 01 00:00 set1.ppl" << "set1.ppl";
    QTest::newRow("blanks inside") << "-rw-r--r-- 1 owner group 1024 Jan 01 00:00 my set.ppl" << "my set.ppl";
    QTest::newRow("runs of blanks, year for time")
        << "-rw-r--r--   1 owner  group      7 Dec  6  2025 a  b  c.ppl" << "a  b  c.ppl";
    QTest::newRow("short line: after the last blank") << "1024 my set.ppl" << "set.ppl";
    QTest::newRow("name alone") << "x.ppl" << "x.ppl";
}

void tst_PlaylistStep::listedName()
{
    QFETCH(QString, line);
    QTEST(listedFileName(line), "name");
}

void tst_PlaylistStep::passivePort_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("port");

    const QString prefix = QStringLiteral("227 Entering Passive Mode (");
    QTest::newRow("plain") << prefix + "10,47,0,11,166,195)" << 166 * 256 + 195;
    QTest::newRow("blanks, no bracket") << prefix + "10,47,0,11, 0, 21" << 21;
    QTest::newRow("too few numbers") << prefix + "10,47,0,11,166)" << -1;
    QTest::newRow("negative") << prefix + "10,47,0,11,-1,195)" << -1;
    QTest::newRow("beyond a byte") << prefix + "10,47,0,11,256,0)" << -1;
    QTest::newRow("beyond any integer") << prefix + "10,47,0,11,99999999999999999999,0)" << -1;
    QTest::newRow("not a number") << prefix + "10,47,0,11,a,b)" << -1;
}

void tst_PlaylistStep::passivePort()
{
    QFETCH(QString, reply);
    QTEST(::passivePort(reply), "port");
}

void tst_PlaylistStep::step_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QString>("expected");

    const QStringList mixed { "b.ppl", "A.ppl", "C.ppl" };
    QTest::newRow("upper case sorts first") << mixed << "C.ppl" << false << "b.ppl";
    QTest::newRow("backward from the first wraps") << mixed << "A.ppl" << true << "b.ppl";
    QTest::newRow("forward from the last wraps") << mixed << "b.ppl" << false << "A.ppl";
    QTest::newRow("one playlist, forward") << QStringList { "x.ppl" } << "x.ppl" << false << "x.ppl";
    QTest::newRow("one playlist, backward") << QStringList { "x.ppl" } << "x.ppl" << true << "x.ppl";
    QTest::newRow("current not listed, backward") << mixed << "gone.ppl" << true << "A.ppl";
    QTest::newRow("no current, forward") << mixed << "" << false << "A.ppl";
    QTest::newRow("empty listing loads nothing") << QStringList() << "A.ppl" << false << "";
}

void tst_PlaylistStep::step()
{
    QFETCH(QStringList, names);
    QFETCH(QString, current);
    QFETCH(bool, backward);
    QTEST(stepPlaylist(names, current, backward), "expected");
}

// The load command for the medium the recorder reports when the listing
// ends: one write, so that no other command can land inside the line.
void tst_PlaylistStep::loadCommand_data()
{
    QTest::addColumn<QString>("mediumReply");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QStringList>("writes");

    QTest::newRow("SD2, next wraps") << "FF0101" << QStringList { "set2.ppl", "set1.ppl" } << false
                                     << QStringList { "07F310000B:/_playlists/set1.ppl\r\n" };
    QTest::newRow("SD1, previous") << "FF0100" << QStringList { "set3.ppl", "set1.ppl", "set2.ppl" } << true
                                   << QStringList { "07F310000A:/_playlists/set1.ppl\r\n" };
    QTest::newRow("USB, name in UTF-8") << "FF0110" << QStringList { "Öl über alles.ppl" } << false
                                        << QStringList { "07F310000C:/_playlists/Öl über alles.ppl\r\n" };
    QTest::newRow("a medium without playlist drive") << "FF0111" << QStringList { "x.ppl" } << false
                                                     << QStringList { "07F310000x.ppl\r\n" };
    QTest::newRow("nothing listed, nothing written") << "FF0100" << QStringList() << false << QStringList();
}

void tst_PlaylistStep::loadCommand()
{
    QFETCH(QString, mediumReply);
    QFETCH(QStringList, listed);
    QFETCH(bool, backward);

    ModelRig rig;
    startStep(rig, { mediumReply, QStringLiteral("FF3185set2.ppl") }, backward);
    for (const QString& name : listed)
        rig.comm.setPlaylist(name);
    rig.writes.clear();
    rig.comm.endPlaylist();
    QTEST(rig.writes, "writes");
}

// Steps and changes of medium as they come; each "end" is the end of the
// listing of set1, set2 and set3 for the step under way.
void tst_PlaylistStep::stepsInARow_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("loads");

    const QString a = QStringLiteral("07F310000A:/_playlists/");
    QTest::newRow("a second step counts from the playlist the first loads")
        << QStringList { "next", "end", "next", "end" } << QStringList { a + "set3.ppl", a + "set1.ppl" };
    QTest::newRow("the report of the load ends the wait")
        << QStringList { "next", "end", "refresh", "FF3185set3.ppl", "previous", "end" }
        << QStringList { a + "set3.ppl", a + "set2.ppl" };
    QTest::newRow("a refused load: the next step counts from the report")
        << QStringList { "next", "end", "refresh", "FF3185set2.ppl", "next", "end" }
        << QStringList { a + "set3.ppl", a + "set3.ppl" };
    QTest::newRow("a report older than the load does not end the wait")
        << QStringList { "refresh", "next", "end", "FF3185set2.ppl", "next", "end" }
        << QStringList { a + "set3.ppl", a + "set1.ppl" };
    QTest::newRow("medium picked during the listing") << QStringList { "next", "pick SD2", "end" } << QStringList();
    QTest::newRow("medium picked and taken back during the listing")
        << QStringList { "next", "pick SD2", "pick SD1", "end" } << QStringList();
    QTest::newRow("the recorder reports another medium") << QStringList { "next", "FF0101", "end" } << QStringList();
    QTest::newRow("the medium reported again, unchanged") << QStringList { "next", "FF0100", "end" }
                                                          << QStringList { a + "set3.ppl" };
    // Taps while the listing of an earlier step is under way count on from it.
    QTest::newRow("two steps in one listing, wrapping round")
        << QStringList { "next", "next", "end" } << QStringList { a + "set1.ppl" };
    QTest::newRow("three steps back in one listing")
        << QStringList { "previous", "previous", "previous", "end" } << QStringList { a + "set2.ppl" };
    QTest::newRow("steps in one listing that cancel out load nothing")
        << QStringList { "next", "previous", "end" } << QStringList();
    QTest::newRow("two steps in the listing of one counting from a load")
        << QStringList { "next", "end", "next", "next", "end" } << QStringList { a + "set3.ppl", a + "set2.ppl" };
    QTest::newRow("a step in the listing after a change of medium starts its own")
        << QStringList { "next", "pick SD2", "next", "end" }
        << QStringList { "07F310000B:/_playlists/set3.ppl" };
    QTest::newRow("a listing that failed takes no more steps")
        << QStringList { "next", "no data port", "next", "end" } << QStringList { a + "set3.ppl" };
}

void tst_PlaylistStep::stepsInARow()
{
    QFETCH(QStringList, events);
    ModelRig rig;
    rig.replies({ "D010", "FF07CF02", "FF0100", "FF3185set2.ppl" });
    rig.comm.ftpAccess.writeSink = [](const QByteArray&) {};
    for (const QString& event : events) {
        if (event == QLatin1String("next"))
            rig.comm.timeSkipNextRequest();
        else if (event == QLatin1String("previous"))
            rig.comm.timeSkipPreviousRequest();
        else if (event == QLatin1String("refresh"))
            rig.comm.requestAllStatus();
        else if (event == QLatin1String("pick SD1"))
            rig.comm.currentMediaSD1Request();
        else if (event == QLatin1String("pick SD2"))
            rig.comm.currentMediaSD2Request();
        else if (event == QLatin1String("no data port"))
            rig.comm.ftpAccess.takeIn("227 Entering Passive Mode (10,47,0,11)\r");
        else if (event == QLatin1String("end")) {
            for (const QString& name : { "set3.ppl", "set1.ppl", "set2.ppl" })
                rig.comm.setPlaylist(name);
            rig.comm.endPlaylist();
        } else
            rig.reply(event);
    }
    QTEST(rig.takeLines().filter(QRegularExpression("^07F310000")), "loads");
}

QTEST_GUILESS_MAIN(tst_PlaylistStep)
#include "tst_playliststep.moc"
