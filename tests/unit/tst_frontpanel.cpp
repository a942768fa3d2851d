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
    void whereKeysLead_data();
    void whereKeysLead();
    void countsFromTheLastRequest_data();
    void countsFromTheLastRequest();
    void pitchAndKey_data();
    void pitchAndKey();
    void whileUnanswered_data();
    void whileUnanswered();
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

    rig.comm.requestAllStatus(); // the recorder shows play pause after the cancels
    rig.reply("D012");
    rig.writes.clear();
    rig.comm.forwardRequest();
    rig.comm.cancelForwardRequest();
    QCOMPARE(rig.takeLines(), (QStringList { "01600", "01401" }));

    rig.comm.requestAllStatus();
    rig.reply("D010");
    rig.writes.clear();
    rig.comm.forwardRequest(); // not from stop: forgets the status
    rig.comm.cancelReverseRequest();
    QCOMPARE(rig.takeLines(), QStringList());
}

// Where each transport key leads from each status code the recorder reports:
// the lines it writes, and the status the next key counts from until the
// recorder shows it (-1: unknown, the next key that chooses by the status
// waits for the report). The skips and the search keep the status.
void TestFrontPanel::whereKeysLead_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("leadsTo");

    const int u = Communication::unknownStatus;
    const QList<int> codes { 0, 1, 16, 17, 18, 128, 129, 130, 131, 255 };
    struct Key
    {
        const char* request;
        QList<QStringList> lines; // by status, in the order of codes; one entry: the same for all
        QList<int> leadsTo;       // by status; empty: the status stays
    };
    const QStringList pause { "01401" }, next { "01A00", "055" }, rec { "07F720101" };
    const Key keys[] = {
        { "stopRequest", { { "010" } }, { u, u, 16, 16, 16, u, 16, 16, 16, u } },
        { "playRequest", { { "012", "07F6A3F01" } }, { u, u, 17, 17, 17, u, u, u, u, u } },
        { "pauseRequest", { pause, pause, pause, pause, { "01D" }, pause, { "01301" }, pause, pause, pause },
          { u, u, 18, 18, 17, u, 130, 129, 129, u } },
        { "recRequest", { rec, rec, rec, rec, rec, rec, { "01302" }, rec, rec, rec }, {} },
        { "trackSkipNextRequest", { next }, {} },
        { "forwardRequest", { {}, {}, {}, { "01600" }, { "01600" }, {}, {}, {}, {}, {} }, {} },
    };
    for (const Key& key : keys) {
        for (int i = 0; i < codes.size(); ++i) {
            const int status = codes.at(i);
            QTest::addRow("%s from %d", key.request, status)
                << status << key.request << key.lines.value(key.lines.size() == 1 ? 0 : i)
                << (key.leadsTo.isEmpty() ? status : key.leadsTo.at(i));
        }
    }
}

void TestFrontPanel::whereKeysLead()
{
    QFETCH(int, status);
    QFETCH(QString, request);
    QFETCH(int, leadsTo);

    ModelRig rig;
    rig.reply(QStringLiteral("D0%1").arg(status, 2, 16, QLatin1Char('0')).toUpper());
    QCOMPARE(rig.comm.transportStatus(), status);
    rig.writes.clear();
    QVERIFY(QMetaObject::invokeMethod(&rig.comm, qPrintable(request)));
    QTEST(rig.takeLines(), "lines");
    QCOMPARE(rig.comm.transportStatus(), leadsTo);

    // PAUSE chooses by the status: it goes at once where that is known, else
    // waits for the report.
    rig.comm.pauseRequest();
    QCOMPARE(rig.takeLines().isEmpty(), leadsTo == Communication::unknownStatus);
    QCOMPARE(rig.comm.heldTransportKeys(), leadsTo == Communication::unknownStatus ? 1 : 0);
}

// Requests made before the recorder has shown the effect of the one before:
// each counts from where the user's last request leads. Besides request
// names, "refresh" writes the status queries and any other text is a reply;
// in the setup, "display" shows the total times.
void TestFrontPanel::countsFromTheLastRequest_data()
{
    QTest::addColumn<QStringList>("setup"); // reply lines
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("lines"); // transport, skip and record lines written

    const QStringList markAt10s { "FF03DD0100", "FF03D8010000001000" };
    QTest::newRow("pause twice while playing")
        << QStringList { "D011" } << QStringList { "pauseRequest", "pauseRequest" } << QStringList { "01401", "01D" };
    QTest::newRow("pause, then rec while recording")
        << QStringList { "D081" } << QStringList { "pauseRequest", "recRequest", "FF72810101" }
        << QStringList { "01301", "07F720101", "01300", "07F6A3F01" };
    QTest::newRow("a status report older than the pause")
        << QStringList { "D011" } << QStringList { "refresh", "pauseRequest", "D011", "pauseRequest" }
        << QStringList { "01401", "01D" };
    QTest::newRow("the status answered after the pause ends the wait")
        << QStringList { "D011" } << QStringList { "pauseRequest", "refresh", "D010", "pauseRequest" }
        << QStringList { "01401", "01401" };
    QTest::newRow("play, then a time skip while stopped in the folder area")
        << QStringList { "D010", "FF07CF01" } << QStringList { "playRequest", "timeSkipNextRequest" }
        << QStringList { "012", "07F6A3F01", "01A30" };
    QTest::newRow("stop, then a time skip while playing in the folder area")
        << QStringList { "D011", "FF07CF01" } << QStringList { "stopRequest", "timeSkipNextRequest" }
        << QStringList { "010", "07F6A1A00" };
    QTest::newRow("rec, then pause: the record line does not go")
        << QStringList { "D010" } << QStringList { "recRequest", "pauseRequest", "FF72810100" }
        << QStringList { "07F720101", "01401" };
    QTest::newRow("rec twice: only the second goes on")
        << QStringList { "D010" } << QStringList { "recRequest", "recRequest", "FF72810100", "FF72810100" }
        << QStringList { "07F720101", "07F720101", "01301", "07F6A3F01" };
    QTest::newRow("rec answered, then pause twice counts from record pause")
        << QStringList { "D010" } << QStringList { "recRequest", "FF72810100", "pauseRequest", "pauseRequest" }
        << QStringList { "07F720101", "01301", "07F6A3F01", "01401", "01301" };
    QTest::newRow("next twice before a mark ahead")
        << (QStringList { "D012", "8800000500" } + markAt10s)
        << QStringList { "trackSkipNextRequest", "trackSkipNextRequest" } << QStringList { "07F031A00", "01A00" };
    QTest::newRow("next after a skip to another track goes by track")
        << (QStringList { "D011", "8800006000" } + twoMarks)
        << QStringList { "trackSkipNextRequest", "trackSkipNextRequest" } << QStringList { "01A00", "01A00" };
    QTest::newRow("the marks read again after a skip to another track")
        << (QStringList { "D011", "8800006000" } + twoMarks)
        << QStringList { "trackSkipNextRequest", "D5000200", "FF6A81Next", "FF03DD0100", "FF03D8010000001000",
                         "D80000000000", "D80100001000", "trackSkipNextRequest" }
        << QStringList { "01A00", "07F031A00" };
    QTest::newRow("a time skip, then next counts from ten seconds on")
        << (QStringList { "D011", "8800004500" } + twoMarks)
        << QStringList { "timeSkipNextRequest", "trackSkipNextRequest" } << QStringList { "01A30", "01A00" };
    QTest::newRow("a time search, then previous counts from the time searched")
        << (QStringList { "D5000100", "D012", "8800000500" } + markAt10s)
        << QStringList { "timeSearch 1 0 0 30 0", "trackSkipPreviousRequest" }
        << QStringList { "02C010000003000", "07F031A01" };
    // With the total times shown the elapsed time is the medium's: the track
    // starts one minute in, and the mark lies ten seconds into the track.
    QTest::newRow("next in total times, five seconds into the second track")
        << (QStringList { "D011", "display", "FF6AE31770", "8800010500" } + markAt10s)
        << QStringList { "trackSkipNextRequest" } << QStringList { "07F031A00" };
    QTest::newRow("previous in total times, before the only mark")
        << (QStringList { "D011", "display", "FF6AE31770", "8800010500" } + markAt10s)
        << QStringList { "trackSkipPreviousRequest" } << QStringList { "01A01" };
    QTest::newRow("previous in total times, past the mark")
        << (QStringList { "D011", "display", "FF6AE31770", "8800013000" } + markAt10s)
        << QStringList { "trackSkipPreviousRequest" } << QStringList { "07F031A01" };
    QTest::newRow("play from record pause, then pause waits for the report")
        << QStringList { "D082" } << QStringList { "playRequest", "pauseRequest", "refresh", "D081" }
        << QStringList { "012", "07F6A3F01", "01301" };
    QTest::newRow("a report older than the play does not release the pause")
        << QStringList { "D082" } << QStringList { "refresh", "playRequest", "pauseRequest", "D082" }
        << QStringList { "012", "07F6A3F01" };
    QTest::newRow("keys held keep their order")
        << QStringList { "D083" }
        << QStringList { "playRequest", "pauseRequest", "stopRequest", "recRequest", "refresh", "D082" }
        << QStringList { "012", "07F6A3F01", "01401", "010", "07F720101" };
    QTest::newRow("a held key that leads where only a report shows holds the next")
        << QStringList { "D082" }
        << QStringList { "playRequest", "pauseRequest", "pauseRequest", "refresh", "D000", "refresh", "D012" }
        << QStringList { "012", "07F6A3F01", "01401", "01D" };
    QTest::newRow("a link loss ends the wait: chosen from the last report")
        << QStringList { "D082" } << QStringList { "playRequest", "pauseRequest", "login" }
        << QStringList { "012", "07F6A3F01", "01401" };
    QTest::newRow("a quiet spell does not end the wait: the key still waits for the report")
        << QStringList { "D081" } << QStringList { "playRequest", "pauseRequest", "quiet" }
        << QStringList { "012", "07F6A3F01" };
    QTest::newRow("FF held past the last mark, then next waits for the position")
        << (QStringList { "D011", "8800000500" } + twoMarks)
        << QStringList { "forwardRequest", "cancelForwardRequest", "trackSkipNextRequest", "D5000100",
                         "D80000005500", "D80100010000" }
        << QStringList { "01600", "012", "01A00" };
    QTest::newRow("REW held past the only mark, then previous waits for the position")
        << (QStringList { "D012", "8800001500" } + markAt10s)
        << QStringList { "reverseRequest", "cancelReverseRequest", "trackSkipPreviousRequest", "D5000100",
                         "D80000000500", "D80100010000" }
        << QStringList { "01601", "01401", "01A01" };
    QTest::newRow("after a search, PAUSE needs no position")
        << QStringList { "D011" } << QStringList { "forwardRequest", "cancelForwardRequest", "pauseRequest" }
        << QStringList { "01600", "012", "01401" };
    QTest::newRow("play, then a hold on FF from stop")
        << QStringList { "D010" } << QStringList { "playRequest", "forwardRequest", "cancelForwardRequest" }
        << QStringList { "012", "07F6A3F01", "01600", "012" };
}

void TestFrontPanel::countsFromTheLastRequest()
{
    QFETCH(QStringList, setup);
    QFETCH(QStringList, events);

    ModelRig rig;
    rig.comm.replyOrder.quietMs = 200;
    for (const QString& line : setup) {
        if (line == QLatin1String("display"))
            rig.comm.setDisplayMode(true);
        else
            rig.reply(line);
    }
    for (const QString& event : events) {
        if (event == QLatin1String("refresh"))
            rig.comm.requestAllStatus();
        else if (event == QLatin1String("login"))
            rig.comm.finishedLogin(0);
        else if (event == QLatin1String("quiet"))
            QTest::qWait(400);
        else if (event.startsWith(QLatin1String("timeSearch "))) {
            const QStringList f = event.split(' ').mid(1);
            rig.comm.timeSearchRequest(f[0], f[1], f[2], f[3], f[4]);
        } else if (event.endsWith(QLatin1String("Request")))
            QVERIFY(QMetaObject::invokeMethod(&rig.comm, qPrintable(event)));
        else
            rig.reply(event);
        QCoreApplication::processEvents(); // held keys go after the report is read
    }
    static const QRegularExpression transport(QStringLiteral("^(01[0-9A-E]|02C|07F72|07F031A|07F6A1A|07F6A3F01)"));
    QTEST(rig.takeLines().filter(transport), "lines");
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

// The user's own sets and picks stand in for the reports until the report
// to the last of them comes: a script of requests ("k<key>", "p<pitch>",
// "m<medium>", "a<area>", "o<mode>"), replies ("r<line>") and a login ("L").
void TestFrontPanel::whileUnanswered_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("lines"); // the sets written, in order
    QTest::addColumn<QString>("shown");     // keyShown, pitchShown or the pick at the end

    QTest::newRow("key: a step taken back goes") << "k1 k0" << QStringList { "02D01", "02D00" } << "0";
    QTest::newRow("key: the same step again does not") << "k1 k1" << QStringList { "02D01" } << "1";
    QTest::newRow("key: an older answer does not stand in")
        << "k1 k2 rAD01 k2 k3" << QStringList { "02D01", "02D02", "02D03" } << "3";
    QTest::newRow("key: answered, the report rules") << "k1 rAD01 k1" << QStringList { "02D01" } << "1";
    QTest::newRow("key: the answer to a query ahead of the set does not end the wait")
        << "L k1 rAD00 k0" << QStringList { "02D01", "02D00" } << "0";
    QTest::newRow("key: a login ends the wait") << "k1 L k0" << QStringList { "02D01" } << "0";
    QTest::newRow("pitch: a step taken back goes") << "p0.1 p0" << QStringList { "0250100", "0250000" } << "+0.0";
    QTest::newRow("pitch: an older answer does not stand in")
        << "p0.1 p0.2 rA50100 p0.2" << QStringList { "0250100", "0250200" } << "+0.2";
    QTest::newRow("pitch: answered, the report rules")
        << "p0.1 rA50100 rA50200 p0.2" << QStringList { "0250100" } << "+0.2";
    QTest::newRow("medium: the pick stands in") << "mSD2" << QStringList { "07F0101" } << "SD2";
    QTest::newRow("medium: answered, the report rules")
        << "mSD2 rFF0100" << QStringList { "07F0101" } << "SD1";
    QTest::newRow("play area: the last pick stands in")
        << "aFOLDER aALL rFF07CF01" << QStringList { "07F074F01", "07F074F00" } << "ALL";
    QTest::newRow("play mode: answered, the report rules")
        << "oSINGLE rCE01 rCE00" << QStringList { "04D01" } << "CONTINUE";
}

void TestFrontPanel::whileUnanswered()
{
    QFETCH(QString, script);
    QFETCH(QStringList, lines);
    QFETCH(QString, shown);

    ModelRig rig;
    rig.replies({ "AD00", "A50000", "FF0100", "FF07CF00", "CE00" });
    rig.takeLines();
    QStringList written;
    QString last;
    for (const QString& step : script.split(QLatin1Char(' '))) {
        const QString arg = step.mid(1);
        switch (step.at(0).toLatin1()) {
        case 'k': rig.comm.keyDataSetRequest(arg.toDouble()); break;
        case 'p': rig.comm.pitchDataSetRequest(arg.toDouble()); break;
        case 'm': QMetaObject::invokeMethod(&rig.comm, qPrintable(QStringLiteral("currentMedia%1Request").arg(arg))); break;
        case 'a':
        case 'o': {
            const QString request = (step.at(0) == QLatin1Char('a') ? QStringLiteral("playArea%1%2Request")
                                                                    : QStringLiteral("playMode%1%2Request"))
                                        .arg(arg.left(1), arg.mid(1).toLower());
            QMetaObject::invokeMethod(&rig.comm, qPrintable(request));
            break;
        }
        case 'r': rig.reply(arg); break;
        case 'L': rig.comm.finishedLogin(0); break;
        }
        if (step.at(0) != QLatin1Char('r') && step.at(0) != QLatin1Char('L'))
            last = step.left(1);
        for (const QString& line : rig.takeLines()) {
            if (QRegularExpression(QStringLiteral("^(02D|025|07F01|07F074F|04D)..")).match(line).hasMatch()
                && !line.endsWith(QLatin1String("FF")))
                written << line;
        }
    }
    QCOMPARE(written, lines);
    const QString at = last == QLatin1String("k") ? QString::number(rig.comm.getKeyShown())
        : last == QLatin1String("p")              ? rig.comm.getPitchShown()
        : last == QLatin1String("m")              ? rig.comm.mediumPick()
        : last == QLatin1String("a")              ? rig.comm.playAreaPick()
                                                  : rig.comm.playModePick();
    QCOMPARE(at, shown);
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
