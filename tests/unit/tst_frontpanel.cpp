// Front-panel requests: the lines each writes, by transport status, marks and
// arguments, including values that do not fit their command fields.
#include <QtTest>
#include <cmath>
#include <limits>

#include "modelrig.h"

class TestFrontPanel : public QObject
{
    Q_OBJECT

private slots:
    void byStatus_data();
    void byStatus();
    void searchReturnsToItsStatus();
    void pitchAndKey_data();
    void pitchAndKey();
    void timeSearch_data();
    void timeSearch();
};

// Two marks, at 10.00 s and 50.00 s of the current track.
static const QStringList twoMarks { "FF03DD0200", "FF03D8010000001000", "FF03D8020000005000" };

void TestFrontPanel::byStatus_data()
{
    QTest::addColumn<QStringList>("setup"); // reply lines
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("lines");

    const QStringList none;
    QTest::newRow("pause while recording") << QStringList { "D081" } << "pauseRequest" << QStringList { "01301" };
    QTest::newRow("pause while stopped") << QStringList { "D010" } << "pauseRequest" << QStringList { "01401" };
    QTest::newRow("rec while recording") << QStringList { "D081" } << "recRequest" << QStringList { "01302" };

    QStringList stopped = twoMarks;
    stopped.prepend("D010");
    QTest::newRow("previous track while stopped, marks or not")
        << stopped << "trackSkipPreviousRequest" << QStringList { "01A01", "055" };
    QTest::newRow("next track while playing without marks")
        << QStringList { "D011" } << "trackSkipNextRequest" << QStringList { "01A00", "055" };
    QStringList idle = twoMarks;
    idle.prepend("D000");
    QTest::newRow("skip with marks and no status") << idle << "trackSkipPreviousRequest" << none;
    QTest::newRow("previous: no mark a second back")
        << (QStringList { "D011" } + twoMarks + QStringList { "8800001050" }) << "trackSkipPreviousRequest"
        << QStringList { "01A01", "055" };
    QTest::newRow("previous: a mark more than a second back")
        << (QStringList { "D012" } + twoMarks + QStringList { "8800001101" }) << "trackSkipPreviousRequest"
        << QStringList { "07F031A01" };
    QTest::newRow("next: no mark ahead")
        << (QStringList { "D011" } + twoMarks + QStringList { "8800005000" }) << "trackSkipNextRequest"
        << QStringList { "01A00", "055" };
    QTest::newRow("next: a mark ahead")
        << (QStringList { "D011" } + twoMarks + QStringList { "8800004999" }) << "trackSkipNextRequest"
        << QStringList { "07F031A00" };

    QTest::newRow("time skip back while playing") << QStringList { "D011" } << "timeSkipPreviousRequest"
                                                  << QStringList { "01A31" };
    QTest::newRow("time skip ahead in play pause") << QStringList { "D012" } << "timeSkipNextRequest"
                                                   << QStringList { "01A30" };
    QTest::newRow("time skip back, stopped, folder area")
        << QStringList { "D010", "FF07CF01" } << "timeSkipPreviousRequest" << QStringList { "07F6A1A01" };
    QTest::newRow("time skip ahead, stopped, all area")
        << QStringList { "D010", "FF07CF00" } << "timeSkipNextRequest" << none;
    QTest::newRow("time skip while recording") << QStringList { "D081", "FF07CF01" } << "timeSkipNextRequest"
                                               << none;

    QTest::newRow("mark without a track") << none << "markRequest" << none;
    QTest::newRow("mark on a track") << QStringList { "D5000100" } << "markRequest"
                                     << QStringList { "07F0310", "07F035D", "07F6A63" };
    QTest::newRow("pitch off when on") << QStringList { "B501" } << "pitchRequest" << QStringList { "03500" };
    QTest::newRow("key off when on") << QStringList { "BD01" } << "keyRequest" << QStringList { "03D00" };
    QTest::newRow("reverse while stopped") << QStringList { "D010" } << "reverseRequest" << none;
    QTest::newRow("cancel without a search") << none << "cancelForwardRequest" << none;
}

void TestFrontPanel::byStatus()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, request);
    QFETCH(QStringList, lines);

    ModelRig rig;
    rig.replies(setup);
    rig.writes.clear();
    QVERIFY(QMetaObject::invokeMethod(&rig.comm, qPrintable(request)));
    QCOMPARE(rig.takeLines(), lines);
}

void TestFrontPanel::searchReturnsToItsStatus()
{
    ModelRig rig;
    rig.reply("D011");
    rig.writes.clear();
    rig.comm.reverseRequest();
    rig.reply("D012"); // the status moves on during the search
    rig.writes.removeLast(); // its title and folder queries
    rig.comm.cancelReverseRequest();
    rig.comm.cancelForwardRequest(); // a second cancel repeats the line
    QCOMPARE(rig.takeLines(), (QStringList { "01601", "012", "012" }));

    rig.comm.forwardRequest();
    rig.comm.cancelForwardRequest();
    QCOMPARE(rig.takeLines(), (QStringList { "01600", "01401" }));

    rig.reply("D010");
    rig.writes.clear();
    rig.comm.forwardRequest(); // not from stop: forgets the status
    rig.comm.cancelReverseRequest();
    QCOMPARE(rig.takeLines(), QStringList());
}

void TestFrontPanel::pitchAndKey_data()
{
    QTest::addColumn<QString>("current"); // "A5" or "AD" reply before the request, or empty
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("line"); // empty: nothing written

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("pitch zero from the start") << "" << 0.0 << "0250000";
    QTest::newRow("pitch zero when already zero") << "A50000" << 0.0 << "";
    QTest::newRow("pitch 0.09 cuts to zero") << "A50000" << 0.09 << "";
    QTest::newRow("pitch one digit") << "" << 1.5 << "0251500";
    QTest::newRow("pitch two digits, negative") << "" << -12.3 << "0252311";
    QTest::newRow("pitch slider step just below 0.3") << "" << 0.29999999 << "0250300";
    QTest::newRow("pitch unchanged text") << "A51500" << 1.5 << "";
    QTest::newRow("pitch largest that fits") << "" << 99.9 << "0259909";
    QTest::newRow("pitch three digits do not fit") << "" << 100.0 << "";
    QTest::newRow("pitch rounds up to three digits") << "" << 99.9999999 << "";
    QTest::newRow("pitch negative three digits") << "" << -250.0 << "";
    QTest::newRow("pitch not a number") << "" << nan << "";
    QTest::newRow("pitch infinite") << "" << -inf << "";
    QTest::newRow("pitch minus zero is plus zero") << "" << -0.05 << "0250000";
    QTest::newRow("pitch minus zero when at plus zero") << "A50000" << -0.04 << "";

    QTest::newRow("key bottom of the slider") << "" << -6.0 << "02D16";
    QTest::newRow("key zero when zero") << "" << 0.0 << "";
    QTest::newRow("key zero after four") << "AD04" << 0.0 << "02D00";
    QTest::newRow("key unchanged") << "AD13" << -3.0 << "";
    QTest::newRow("key rounds") << "" << 2.5 << "02D03";
    QTest::newRow("key nine fits") << "" << 9.4 << "02D09";
    QTest::newRow("key rounds to ten: does not fit") << "" << 9.6 << "";
    QTest::newRow("key minus ten") << "" << -10.0 << "";
    QTest::newRow("key minus zero is plus zero") << "AD04" << -0.4 << "02D00";
    QTest::newRow("key minus zero when at zero") << "" << -0.3 << "";
    QTest::newRow("key not a number") << "" << nan << "";
}

void TestFrontPanel::pitchAndKey()
{
    QFETCH(QString, current);
    QFETCH(double, value);
    QFETCH(QString, line);

    ModelRig rig;
    if (!current.isEmpty())
        rig.reply(current);
    if (QByteArray(QTest::currentDataTag()).startsWith("pitch"))
        rig.comm.pitchDataSetRequest(value);
    else
        rig.comm.keyDataSetRequest(value);
    QCOMPARE(rig.takeLines(), line.isEmpty() ? QStringList() : QStringList { line });
}

void TestFrontPanel::timeSearch_data()
{
    QTest::addColumn<QStringList>("fields"); // track, hours, minutes, seconds, hundredths
    QTest::addColumn<QString>("line");

    QTest::newRow("largest time") << QStringList { "999", "99", "59", "59", "99" } << "02C990999595999";
    QTest::newRow("track 0") << QStringList { "0", "0", "0", "0", "0" } << "";
    QTest::newRow("track 1000") << QStringList { "1000", "0", "0", "0", "0" } << "";
    QTest::newRow("minutes 60") << QStringList { "1", "0", "60", "0", "0" } << "";
    QTest::newRow("seconds 60") << QStringList { "1", "0", "0", "60", "0" } << "";
    QTest::newRow("hundredths 100") << QStringList { "1", "0", "0", "0", "100" } << "";
    QTest::newRow("hours 100") << QStringList { "1", "100", "0", "0", "0" } << "";
    QTest::newRow("negative seconds") << QStringList { "1", "0", "0", "-1", "0" } << "";
    QTest::newRow("text counts as 0") << QStringList { "5", "x", "", "7", "y" } << "02C050000000700";
}

void TestFrontPanel::timeSearch()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);

    ModelRig rig;
    rig.comm.timeSearchRequest(fields[0], fields[1], fields[2], fields[3], fields[4]);
    QCOMPARE(rig.takeLines(), line.isEmpty() ? QStringList() : QStringList { line });
}

QTEST_GUILESS_MAIN(TestFrontPanel)
#include "tst_frontpanel.moc"
