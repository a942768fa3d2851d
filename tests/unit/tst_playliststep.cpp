// Which playlist a step to the previous or next one lands on.
#include <QtTest>

#include "ftpaccess.h"

class tst_PlaylistStep : public QObject
{
    Q_OBJECT
private slots:
    void step_data();
    void step();
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

QTEST_GUILESS_MAIN(tst_PlaylistStep)
#include "tst_playliststep.moc"
