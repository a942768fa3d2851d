// Reply handlers of the status model, driven line by line without a network:
// what each reply sets, which change signals it raises and what it asks next.
#include <QMetaProperty>
#include <QSignalSpy>
#include <QtTest>

#include "modelrig.h"

using Expect = QVariantMap;

namespace {

// Setup entries are reply lines, except:
//   "=displayMode"   the user interface switches to total times
//   "=pending"       a browse operation is pending
const QString displayModeOn = QStringLiteral("=displayMode");
const QString browsePending = QStringLiteral("=pending");

void applySetup(ModelRig& rig, const QStringList& setup)
{
    for (const QString& step : setup) {
        if (step == displayModeOn)
            rig.comm.setDisplayMode(true);
        else if (step == browsePending)
            rig.graph.browse.commandPending = 1;
        else
            rig.reply(step);
    }
}

// A property of the status model, or one of a few other observable values.
QVariant observe(ModelRig& rig, const QString& key)
{
    if (key == QLatin1String("lastElapsedTimeFlame"))
        return rig.comm.lastElapsedTimeFlame;
    if (key == QLatin1String("markRedrawState"))
        return rig.comm.markRedrawState;
    if (key == QLatin1String("statusPoll"))
        return rig.comm.statusPollTimerId != 0;
    if (key == QLatin1String("marks")) {
        QStringList times;
        for (int t : rig.graph.mark.markTimes())
            times << QString::number(t);
        return times.join(QLatin1Char(','));
    }
    if (key.startsWith(QLatin1String("permission.")))
        return rig.graph.permission.property(qPrintable(key.mid(11)));
    if (key.startsWith(QLatin1String("menu.")))
        return rig.graph.menu.property(qPrintable(key.mid(5)));
    return rig.comm.property(qPrintable(key));
}

// Records which notify signals of the status model fire, plus the mark list's
// markClear and the popup codes.
class ChangeLog : public QObject
{
public:
    explicit ChangeLog(ModelRig& rig)
    {
        const QMetaObject* mo = rig.comm.metaObject();
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
            const QMetaProperty p = mo->property(i);
            spies.insert(QString::fromLatin1(p.name()), new QSignalSpy(&rig.comm, p.notifySignal()));
        }
        spies.insert(QStringLiteral("markClear"), new QSignalSpy(&rig.graph.mark, &Mark::markClear));
        spies.insert(QStringLiteral("popupReceived"), new QSignalSpy(&rig.comm, &Communication::popupReceived));
    }
    ~ChangeLog() override { qDeleteAll(spies); }
    bool fired(const QString& name) const { return spies.value(name) && !spies.value(name)->isEmpty(); }
    QSignalSpy* spy(const QString& name) const { return spies.value(name); }

private:
    QMap<QString, QSignalSpy*> spies;
};

// A row: the reply after the setup, the values it leaves, the lines it sends
// and the change signals that fire or stay silent.
void row(const char* name, const QStringList& setup, const QString& line, const Expect& expect,
         const QStringList& writes = {}, const QStringList& fired = {}, const QStringList& silent = {})
{
    QTest::newRow(name) << setup << line << expect << writes << fired << silent;
}

QStringList expand(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines) {
        if (l == QLatin1String("<refresh>"))
            out << fullRefreshLines();
        else
            out << l;
    }
    return out;
}

} // namespace

class TestReplies : public QObject
{
    Q_OBJECT

private:
    void addColumns();
    void runRow();

private slots:
    void statusReplies_data();
    void statusReplies() { runRow(); }
    void extendedReplies_data();
    void extendedReplies() { runRow(); }
    void markRedrawAfterDisplayModeChange();
};

void TestReplies::addColumns()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("line");
    QTest::addColumn<Expect>("expect");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QStringList>("fired");
    QTest::addColumn<QStringList>("silent");
}

void TestReplies::runRow()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, line);
    QFETCH(Expect, expect);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, fired);
    QFETCH(QStringList, silent);

    ModelRig rig;
    applySetup(rig, setup);
    rig.writes.clear();
    ChangeLog log(rig);

    rig.reply(line);

    for (auto it = expect.cbegin(); it != expect.cend(); ++it) {
        if (it.key() == QLatin1String("popup")) {
            QSignalSpy* popups = log.spy(QStringLiteral("popupReceived"));
            QCOMPARE(popups->count(), 1);
            QCOMPARE(popups->at(0).at(0), it.value());
        } else {
            QCOMPARE(observe(rig, it.key()), it.value());
        }
    }
    QCOMPARE(rig.takeLines(), expand(writes));
    for (const QString& name : fired)
        QVERIFY2(log.fired(name), qPrintable(name + " did not fire"));
    for (const QString& name : silent)
        QVERIFY2(!log.fired(name), qPrintable(name + " fired"));
}

void TestReplies::statusReplies_data()
{
    addColumns();
    const int hms1005 = 16 * 360000 + 45 * 6000 + 30 * 100 + 40;
    const int maxFrames = 99 * 360000 + 59 * 6000 + 59 * 100 + 99;

    // Time replies: elapsed, remaining, out of range, negative remainders.
    row("D8 elapsed sets texts, not the elapsed frames", {}, "D80005103040",
        { { "playTimeHour", "16" }, { "playTimeMin", "45" }, { "playTimeSec", "30" }, { "playTimeFlame", "40" },
        { "lastElapsedTimeFlame", hms1005 }, { "trackElapsedTimeFlame", 0 } }, {}, { "playTimeHour" },
        { "trackElapsedTimeFlame" });
    row("D8 remaining completes total and elapsed", { "D80001000500" }, "D80102000000",
        { { "remainingTimeHour", "-00" }, { "remainingTimeMin", "02" }, { "trackElapsedTimeFlame", 6500 },
        { "trackTotalTimeFlame", 6500 + 12000 } }, {}, { "trackTotalTimeFlame", "trackElapsedTimeFlame" });
    row("D8 remaining out of range", { "D80005103040" }, "D80100--0000",
        { { "remainingTimeHour", "-99" }, { "remainingTimeMin", "59" }, { "remainingTimeSec", "59" },
        { "remainingTimeFlame", "99" }, { "trackTotalTimeFlame", hms1005 + maxFrames } });
    row("D8 6000 minutes or more is out of range", {}, "D80200601122",
        { { "playTimeHour", "99" }, { "playTimeMin", "59" }, { "playTimeSec", "59" }, { "playTimeFlame", "99" } });
    row("D8 total of 0 becomes 1", { "D80005000000", "D80000000000" }, "D80100000000",
        { { "trackTotalTimeFlame", 1 }, { "trackElapsedTimeFlame", 0 } });
    row("88 beyond the track length gives negative parts", {}, "8800000100",
        { { "trackElapsedTimeFlame", 100 }, { "remainingTimeHour", "-00" }, { "remainingTimeMin", "00" },
        { "remainingTimeSec", "00" }, { "remainingTimeFlame", "-99" } }, {}, { "playTimeSec", "remainingTimeFlame" },
        { "trackTotalTimeFlame" });

    // Transport status.
    row("D0 stop starts the status poll", {}, "D010",
        { { "statusIcon", 16 }, { "statusPoll", true } }, {}, { "statusIcon" });
    row("D0 play stops the poll and asks title and folder", { "D010" }, "D011",
        { { "statusIcon", 17 }, { "statusPoll", false } }, { "07F6A01", "07F6A02" });
    row("D0 busy asks jog mode and detail, keeps jog mode", { "9501" }, "D0FF",
        { { "statusIcon", 255 }, { "jogMode", true }, { "statusPoll", true } }, { "015FF", "07F6A66" }, {},
        { "jogMode", "markClear" });
    row("D0 other status clears jog mode", { "9501" }, "D012",
        { { "jogMode", false } }, { "07F6A01", "07F6A02" }, { "jogMode" });
    row("D0 recording clears the marks first", { "FF03DD0100", "FF03D8010000001000" }, "D083",
        { { "statusIcon", 131 }, { "marks", "" } }, { "07F6A01", "07F6A02" }, { "markClear" });
    row("D0 no status zeroes the times", { "D80001000500", "D80102000000", "D011" }, "D000",
        { { "statusIcon", 0 }, { "playTimeMin", "00" }, { "remainingTimeHour", "00" }, { "trackTotalTimeFlame", 0 },
        { "trackElapsedTimeFlame", 0 }, { "statusPoll", true } }, {},
        { "markClear", "remainingTimeHour", "trackTotalTimeFlame" });
    row("D0 same status is silent", { "D010" }, "D010", {}, {}, {}, { "statusIcon" });

    // Track numbers.
    row("D5 new track asks times and title", {}, "D5001200",
        { { "nowTrackNo", "012" } }, { "05800", "05801", "07F6A01" }, { "nowTrackNo" });
    row("D5 with total times and the edit right", { displayModeOn, "FF6AFE11" }, "D5000501",
        { { "nowTrackNo", "105" } }, { "05802", "05803", "07F6A01", "07F6B05" });
    row("D5 unchanged sends nothing", { "D5001200" }, "D5xx1200", {}, {}, {}, { "nowTrackNo" });
    row("DD total tracks", {}, "DD0501", { { "allTrackNo", "105" } }, {}, { "allTrackNo" });
    row("DD unchanged is silent", { "DD0501" }, "DD0501", {}, {}, {}, { "allTrackNo" });

    // CD type.
    row("D6 0100", {}, "D60100", { { "cdType", "CD-DA" } });
    row("D6 00 prefix", {}, "D60099", { { "cdType", "CD" } });
    row("D6 0112", {}, "D60112", { { "cdType", "CD-RW Data" } });
    row("D6 too long", { "D60101" }, "D601000", { { "cdType", "" } });

    // Play mode.
    row("CE no digit reads 0", { "CE01" }, "CE0x", { { "playMode", "CONTINUE" } }, {}, { "playMode" });
    row("CE 5 is program", {}, "CE05", { { "playMode", "PROGRAM" } });
    row("CE unknown digit changes nothing", { "CE01" }, "CE07", { { "playMode", "SINGLE" } }, {}, {}, { "playMode" });
    row("CE same mode signals again", { "CE00" }, "CE00", {}, {}, { "playMode" });

    // Pitch and key.
    row("A5 plus one digit", {}, "A52100", { { "pitchData", "+2.1" } });
    row("A5 minus two digits", {}, "A50611", { { "pitchData", "-10.6" } });
    row("A5 unchanged signals again", { "A52100" }, "A52100", {}, {}, { "pitchData" });
    row("A5 short is ignored", { "A52100" }, "A5210", { { "pitchData", "+2.1" } }, {}, {}, { "pitchData" });
    row("AD positive", {}, "AD04", { { "keyData", 4 } });
    row("AD negative", {}, "AD13", { { "keyData", -3 } });
    row("AD short is ignored", { "AD13" }, "AD1", { { "keyData", -3 } }, {}, {}, { "keyData" });

    // Flags: "00" is off, anything else on, a short field too.
    row("B0 on", {}, "B001", { { "autoCue", true } });
    row("B1 short reads on", {}, "B10", { { "autoTrack", true } });
    row("B5 off after on", { "B501" }, "B500", { { "pitchStatus", false } }, {}, { "pitchStatus" });
    row("B6 B8 BA BD", { "B6FF", "B802", "BA10" }, "BD01",
        { { "autoReady", true }, { "syncRec", true }, { "incPlay", true }, { "keyStatus", true } });
    row("B5 repeated is silent", { "B501" }, "B501", {}, {}, {}, { "pitchStatus" });
    row("95 jog mode", {}, "9501", { { "jogMode", true } });

    // Change notices.
    row("F6 00 refreshes", {}, "F600", {}, { "<refresh>" });
    row("F6 00 waits for a browse operation", { browsePending }, "F600", {});
    row("F6 03 refreshes in any case", { browsePending }, "F603", {}, { "<refresh>" });
    row("F6 other notice", {}, "F601", {});

    // Lines the dispatcher does not take.
    row("97 is ignored", {}, "9701", {}, {}, {}, { "jogMode" });
    row("lower-case code is ignored", {}, "d010", { { "statusIcon", 0 } });
    row("one character is ignored", {}, "D", {});
    row("unknown code is ignored", {}, "C001", {});
    // The answers to lines that have no answer of their own: code + 0x80, the data repeated.
    row("answer to a transport line", { "D011" }, "9401", { { "statusIcon", 17 } }, {}, {}, { "statusIcon" });
    row("answer to a stop", { "D011" }, "90", { { "statusIcon", 17 } }, {}, {}, { "statusIcon" });
    row("answer to a play-mode set", { "CE01" }, "CD00", { { "playMode", "SINGLE" } }, {}, {}, { "playMode" });
    row("answer to a time search", {}, "AC010000003000", {});
}

void TestReplies::extendedReplies_data()
{
    addColumns();
    const QStringList withRight { "FF6AFE11" };

    // Medium, play area, playlist, folder: follow-ups through the edit right.
    row("01 USB with the edit right", withRight, "FF0110",
        { { "currentMedia", "USB" } }, { "07F6B05", "07F4500" }, { "currentMedia" });
    row("01 same medium does nothing", { "FF6AFE11", "FF0110" }, "FF0110", {}, {}, {}, { "currentMedia" });
    row("01 without the edit right", {}, "FF0101", { { "currentMedia", "SD2" } });
    row("01 unknown code empties", { "FF0111" }, "FF0105", { { "currentMedia", "" } });
    row("07 area 03 empties", { "FF07CF01" }, "FF07CF03", { { "playArea", "" } }, {}, { "playArea" });
    row("07 area with the edit right", withRight, "FF07CF02", { { "playArea", "PLAYLIST" } }, { "07F6B05" });
    row("31 85 playlist name", withRight, "FF3185set 2.ppl",
        { { "playList", "set 2.ppl" } }, { "050", "055", "05D", "07F4500" });
    row("31 80 00 refreshes and lists", withRight, "FF318000", {}, { "<refresh>", "07F4500" });
    row("31 80 other does nothing", withRight, "FF318011", {});
    row("6A 82 new folder refreshes", {}, "FF6A82LIVE", { { "folder", "LIVE" } }, { "<refresh>" });
    row("6A 82 same folder", { "FF6A82LIVE" }, "FF6A82LIVE", {});

    // Values.
    row("04 97 flash load on", {}, "FF049710", { { "flashLoad", true } });
    row("04 97 anything else off", { "FF049710" }, "FF049701", { { "flashLoad", false } });
    row("04 F8 asks flash load", {}, "FF04F8", {}, { "07F0417FF" });
    row("12 91 src", {}, "FF1291000001", { { "src", true } });
    row("6A 84 input locked", {}, "FF6A8409", { { "inputSelect", 9 }, { "digitalInLock", true } });
    row("6A 84 digital input unlocked", {}, "FF6A8482",
        { { "inputSelect", 2 }, { "digitalInLock", false } }, {}, { "inputSelect", "digitalInLock" });
    row("6A 85-88 on", { "FF6A8501", "FF6A8602", "FF6A8701" }, "FF6A8810",
        { { "micPhantom", true }, { "timerEvent", true }, { "upload", true }, { "download", true } });
    row("6A 8A repeat", {}, "FF6A8A03", { { "repeat", 3 } });
    row("6A 8B pair", {}, "FF6A8B3", { { "currentMediaBackupRelay", "SD2-USB" } });
    row("6A 8B not a number reads 0", {}, "FF6A8Bx", { { "currentMediaBackupRelay", "SD1-SD2" } });
    row("6A 8D 8E E0 E1", { "FF6A8D01", "FF6A8E03", "FF6AE001" }, "FF6AE101",
        { { "agc", true }, { "dynamics", 3 }, { "lowCut", true }, { "autoMark", true } });
    row("6A E2 00 is mono mix", {}, "FF6AE200", { { "monoMix", true } });
    row("6A E2 other", { "FF6AE200" }, "FF6AE201", { { "monoMix", false } });
    row("6A E3 track top in hex", {}, "FF6AE31A2B", { { "currentTrackTop", 0x1A2B } });
    row("6A E5 E6", { "FF6AE500" }, "FF6AE62", { { "finalizedCd", "Unfinalized" }, { "statusDetail", 2 } });
    row("6A 81 title starts the mark query", { "D5001200", "D011" }, "FF6A81Song",
        { { "title", "Song" } }, { "07F035D", "07F6A63" });
    row("6A 81 while recording", { "D5001200", "D081" }, "FF6A81Take", { { "title", "Take" } });
    row("6A 81 without a track", { "D011" }, "FF6A81Song", {});

    // Level meters.
    row("6A 89 levels", {}, "FF6A89000180FF0000",
        { { "levelMeterL", 0 }, { "levelMeterR", 0 }, { "levelMeterLPeak", 127 }, { "levelMeterRPeak", 254 } });
    row("6A 89 levels and overs", {}, "FF6A89807F90900001",
        { { "levelMeterL", 127 }, { "levelMeterR", 126 }, { "levelMeterLPeak", 143 }, { "levelMeterRPeak", 143 },
        { "levelMeterLOver", false }, { "levelMeterROver", true } });
    row("6A 89 short: missing overs read off", { "FF6A89000000000101" }, "FF6A8901010101",
        { { "levelMeterLOver", false }, { "levelMeterROver", false }, { "levelMeterL", 0 } }, {},
        { "levelMeterLOver", "levelMeterROver" });
    row("6A 89 only the left over present", { "FF6A89000000000101" }, "FF6A890000000001",
        { { "levelMeterLOver", true }, { "levelMeterROver", false } });

    // Record format: format + 8 * rate, 16 alone.
    row("6A 8C 09", {}, "FF6A8C09",
        { { "recFormat", "Mp3" }, { "recFormatCd", "Mp3" }, { "backupRelay", false }, { "recFs", 1 },
        { "recFsCd", 0 } });
    row("6A 8C 16 keeps the CD rate", { "FF6A8C02" }, "FF6A8C16",
        { { "recFormat", "Wav" }, { "recFormatCd", "" }, { "backupRelay", false }, { "recFs", 2 }, { "recFsCd", 1 } },
        {}, {}, { "recFsCd" });
    row("6A 8C 07 relay with line feed", {}, "FF6A8C07",
        { { "recFormat", "Wav16+Mp3\n(Relay)" }, { "backupRelay", true } });
    row("6A 8C 10 as 2 at rate 1", {}, "FF6A8C10",
        { { "recFormat", "Wav16+Mp3" }, { "recFormatCd", "Mp3" }, { "recFs", 1 }, { "recFsCd", 1 } });
    row("6A 8C 17 and above", { "FF6A8C01" }, "FF6A8C20",
        { { "recFormat", "" }, { "recFormatCd", "" }, { "backupRelay", false }, { "recFs", 1 } });
    row("6A 8C below 0", { "FF6A8C09" }, "FF6A8C-1", { { "recFormat", "" }, { "recFs", 0 } });
    row("6A 8C not a number reads as Wav", { "FF6A8C09" }, "FF6A8Cxx",
        { { "recFormat", "Wav" }, { "recFormatCd", "CD-DA" } });

    // Notices.
    row("6A F6 01 asks the input", {}, "FF6AF601", {}, { "07F6A04" });
    row("6A F6 02 restarts browsing", { "FF6AFE11", "D010", "FF0100" }, "FF6AF602", {}, { "07F6B00", "07F6B05" });
    row("6A F6 02 without a medium", { "FF6AFE11", "D010" }, "FF6AF602", {});
    row("6A F6 10 refreshes", {}, "FF6AF610", {}, { "<refresh>" });
    row("6A F6 70 refreshes", {}, "FF6AF670", {}, { "<refresh>" });
    row("6A F6 20 mark query", {}, "FF6AF620", {}, { "07F035D", "07F6A63" });
    row("6A F6 40 menu values then refresh", {}, "FF6AF640", {}, { "<refresh>" });
    row("6A F6 other", {}, "FF6AF699", {});
    row("6A FA F0 popup", {}, "FF6AFAF002", { { "popup", 2 } });
    row("6A FA menu answer goes to the menu", {}, "FF6AFA1000",
        { { "menu.drawingFinished", false } }, { "07F6A3F00", "07F6A3F01" }, {}, { "popupReceived" });

    // Routed to the other models.
    row("6A FD 00 editable", {}, "FF6AFD00", { { "permission.isReadOnly", false } });
    row("6A FE 11 right held", {}, "FF6AFE11", { { "permission.okPermission", true } });
    row("03 mark count", {}, "FF03DD0200", {}, { "07F03580100" }, { "markClear" });

    // Record request answer.
    row("72 8101 00", {}, "FF72810100", {}, { "01301", "07F6A3F01" });
    row("72 8101 other", {}, "FF72810107", {}, { "01300", "07F6A3F01" });
    row("72 other item", {}, "FF72810000", {});

    row("answer to a folder step", {}, "FF6A9A01", {});
    row("answer to a folder step is no folder report", { "FF6A82LIVE", "FF6A81Song" }, "FF6A9A00",
        { { "folder", "LIVE" }, { "title", "Song" } }, {}, {}, { "folder", "title" });
    row("answer to a mark skip", { "FF03DD0100", "FF03D8010000001000" }, "FF039A00", {}, {}, {}, { "markClear" });
    row("unknown group", {}, "FF99AA", {});
    row("empty extended reply", {}, "FF", {});
}

// After a display mode change the next changed track length signals the marks
// again, once the track top has arrived.
void TestReplies::markRedrawAfterDisplayModeChange()
{
    ModelRig rig;
    rig.replies({ "FF03DD0100", "FF03D8010000001000" });
    rig.writes.clear();
    rig.comm.setDisplayMode(true);
    QCOMPARE(rig.takeLines(), QStringList { "07F6A63" });
    QCOMPARE(rig.comm.markRedrawState, 1);

    rig.comm.setDisplayMode(true); // unchanged: nothing
    QVERIFY(rig.writes.isEmpty());

    QSignalSpy marks(&rig.graph.mark, &Mark::markTimeReceived);
    rig.reply("D80110000000"); // a new total before the track top: no redraw
    QCOMPARE(marks.count(), 0);
    rig.reply("FF6AE31000");
    QCOMPARE(rig.comm.markRedrawState, 2);
    rig.reply("D80110000000"); // same total: still waiting
    QCOMPARE(marks.count(), 0);
    rig.reply("D80120000000");
    QCOMPARE(marks.count(), 1);
    QCOMPARE(marks.at(0).at(0).toInt(), 1000);
    QCOMPARE(rig.comm.markRedrawState, 0);
}

QTEST_GUILESS_MAIN(TestReplies)
#include "tst_replies.moc"
