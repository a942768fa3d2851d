// Which playlist a step to the previous or next one lands on, and the load
// command that the end of a listing writes.
#include <QtTest>

#include "ftpaccess.h"
#include "modelrig.h"

class tst_PlaylistStep : public QObject
{
    Q_OBJECT
private slots:
    void step_data();
    void step();
    void loadCommand_data();
    void loadCommand();
};

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

// The writes of the load command, one entry per write, for the medium the
// recorder reports when the listing ends.
void tst_PlaylistStep::loadCommand_data()
{
    QTest::addColumn<QString>("mediumReply");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<QStringList>("writes");

    QTest::newRow("SD2, next wraps") << "FF0101" << QStringList { "set2.ppl", "set1.ppl" } << false
                                     << QStringList { "07F310000", "B:/_playlists/", "set1.ppl", "\r\n" };
    QTest::newRow("SD1, previous") << "FF0100" << QStringList { "set3.ppl", "set1.ppl", "set2.ppl" } << true
                                   << QStringList { "07F310000", "A:/_playlists/", "set1.ppl", "\r\n" };
    QTest::newRow("USB, name in UTF-8") << "FF0110" << QStringList { "Öl über alles.ppl" } << false
                                        << QStringList { "07F310000", "C:/_playlists/", "Öl über alles.ppl", "\r\n" };
    QTest::newRow("a medium without playlist drive") << "FF0111" << QStringList { "x.ppl" } << false
                                                     << QStringList { "07F310000", "", "x.ppl", "\r\n" };
    QTest::newRow("nothing listed, nothing written") << "FF0100" << QStringList() << false << QStringList();
}

void tst_PlaylistStep::loadCommand()
{
    QFETCH(QString, mediumReply);
    QFETCH(QStringList, listed);
    QFETCH(bool, backward);

    ModelRig rig;
    rig.replies({ mediumReply, QStringLiteral("FF3185set2.ppl") });
    rig.comm.playlistStepBackward = backward;
    for (const QString& name : listed)
        rig.comm.setPlaylist(name);
    rig.writes.clear();
    rig.comm.endPlaylist();
    QTEST(rig.writes, "writes");
}

QTEST_GUILESS_MAIN(tst_PlaylistStep)
#include "tst_playliststep.moc"
