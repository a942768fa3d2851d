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
    const QStringList none;
    const int hms1005 = 16 * 360000 + 45 * 6000 + 30 * 100 + 40;
    const int maxFrames = 99 * 360000 + 59 * 6000 + 59 * 100 + 99;

    // Time replies: elapsed, remaining, out of range, negative remainders.
    QTest::newRow("D8 elapsed sets texts, not the elapsed frames")
        << none << "D80005103040"
        << Expect { { "playTimeHour", "16" }, { "playTimeMin", "45" }, { "playTimeSec", "30" },
                    { "playTimeFlame", "40" }, { "lastElapsedTimeFlame", hms1005 }, { "trackElapsedTimeFlame", 0 } }
        << none << QStringList { "playTimeHour" } << QStringList { "trackElapsedTimeFlame" };
    QTest::newRow("D8 remaining completes total and elapsed")
        << QStringList { "D80001000500" } << "D80102000000"
        << Expect { { "remainingTimeHour", "-00" }, { "remainingTimeMin", "02" }, { "trackElapsedTimeFlame", 6500 },
                    { "trackTotalTimeFlame", 6500 + 12000 } }
        << none << QStringList { "trackTotalTimeFlame", "trackElapsedTimeFlame" } << none;
    QTest::newRow("D8 remaining out of range")
        << QStringList { "D80005103040" } << "D80100--0000"
        << Expect { { "remainingTimeHour", "-99" }, { "remainingTimeMin", "59" }, { "remainingTimeSec", "59" },
                    { "remainingTimeFlame", "99" }, { "trackTotalTimeFlame", hms1005 + maxFrames } }
        << none << none << none;
    QTest::newRow("D8 6000 minutes or more is out of range")
        << none << "D80200601122"
        << Expect { { "playTimeHour", "99" }, { "playTimeMin", "59" }, { "playTimeSec", "59" },
                    { "playTimeFlame", "99" } }
        << none << none << none;
    QTest::newRow("D8 total of 0 becomes 1")
        << QStringList { "D80005000000", "D80000000000" } << "D80100000000"
        << Expect { { "trackTotalTimeFlame", 1 }, { "trackElapsedTimeFlame", 0 } } << none << none << none;
    QTest::newRow("88 beyond the track length gives negative parts")
        << none << "8800000100"
        << Expect { { "trackElapsedTimeFlame", 100 }, { "remainingTimeHour", "-00" }, { "remainingTimeMin", "00" },
                    { "remainingTimeSec", "00" }, { "remainingTimeFlame", "-99" } }
        << none << QStringList { "playTimeSec", "remainingTimeFlame" } << QStringList { "trackTotalTimeFlame" };

    // Transport status.
    QTest::newRow("D0 stop starts the status poll")
        << none << "D010" << Expect { { "statusIcon", 16 }, { "statusPoll", true } } << none
        << QStringList { "statusIcon" } << none;
    QTest::newRow("D0 play stops the poll and asks title and folder")
        << QStringList { "D010" } << "D011" << Expect { { "statusIcon", 17 }, { "statusPoll", false } }
        << QStringList { "07F6A01", "07F6A02" } << none << none;
    QTest::newRow("D0 busy asks jog mode and detail, keeps jog mode")
        << QStringList { "9501" } << "D0FF" << Expect { { "statusIcon", 255 }, { "jogMode", true }, { "statusPoll", true } }
        << QStringList { "015FF", "07F6A66" } << none << QStringList { "jogMode", "markClear" };
    QTest::newRow("D0 other status clears jog mode")
        << QStringList { "9501" } << "D012" << Expect { { "jogMode", false } } << QStringList { "07F6A01", "07F6A02" }
        << QStringList { "jogMode" } << none;
    QTest::newRow("D0 recording clears the marks first")
        << QStringList { "FF03DD0100", "FF03D8010000001000" } << "D083"
        << Expect { { "statusIcon", 131 }, { "marks", "" } }
        << QStringList { "07F6A01", "07F6A02" } << QStringList { "markClear" } << none;
    QTest::newRow("D0 no status zeroes the times")
        << QStringList { "D80001000500", "D80102000000", "D011" } << "D000"
        << Expect { { "statusIcon", 0 }, { "playTimeMin", "00" }, { "remainingTimeHour", "00" },
                    { "trackTotalTimeFlame", 0 }, { "trackElapsedTimeFlame", 0 }, { "statusPoll", true } }
        << none << QStringList { "markClear", "remainingTimeHour", "trackTotalTimeFlame" } << none;
    QTest::newRow("D0 same status is silent") << QStringList { "D010" } << "D010" << Expect {} << none << none
                                              << QStringList { "statusIcon" };

    // Track numbers.
    QTest::newRow("D5 new track asks times and title")
        << none << "D5001200" << Expect { { "nowTrackNo", "012" } } << QStringList { "05800", "05801", "07F6A01" }
        << QStringList { "nowTrackNo" } << none;
    QTest::newRow("D5 with total times and the edit right")
        << QStringList { displayModeOn, "FF6AFE11" } << "D5000501" << Expect { { "nowTrackNo", "105" } }
        << QStringList { "05802", "05803", "07F6A01", "07F6B05" } << none << none;
    QTest::newRow("D5 unchanged sends nothing")
        << QStringList { "D5001200" } << "D5xx1200" << Expect {} << none << none << QStringList { "nowTrackNo" };
    QTest::newRow("DD total tracks") << none << "DD0501" << Expect { { "allTrackNo", "105" } } << none
                                     << QStringList { "allTrackNo" } << none;
    QTest::newRow("DD unchanged is silent") << QStringList { "DD0501" } << "DD0501" << Expect {} << none << none
                                            << QStringList { "allTrackNo" };

    // CD type.
    QTest::newRow("D6 0100") << none << "D60100" << Expect { { "cdType", "CD-DA" } } << none << none << none;
    QTest::newRow("D6 00 prefix") << none << "D60099" << Expect { { "cdType", "CD" } } << none << none << none;
    QTest::newRow("D6 0112") << none << "D60112" << Expect { { "cdType", "CD-RW Data" } } << none << none << none;
    QTest::newRow("D6 too long") << QStringList { "D60101" } << "D601000" << Expect { { "cdType", "" } } << none
                                 << none << none;

    // Play mode.
    QTest::newRow("CE no digit reads 0") << QStringList { "CE01" } << "CE0x" << Expect { { "playMode", "CONTINUE" } }
                                         << none << QStringList { "playMode" } << none;
    QTest::newRow("CE 5 is program") << none << "CE05" << Expect { { "playMode", "PROGRAM" } } << none << none << none;
    QTest::newRow("CE unknown digit changes nothing")
        << QStringList { "CE01" } << "CE07" << Expect { { "playMode", "SINGLE" } } << none << none
        << QStringList { "playMode" };
    QTest::newRow("CE same mode signals again") << QStringList { "CE00" } << "CE00" << Expect {} << none
                                                << QStringList { "playMode" } << none;

    // Pitch and key.
    QTest::newRow("A5 plus one digit") << none << "A52100" << Expect { { "pitchData", "+2.1" } } << none << none
                                       << none;
    QTest::newRow("A5 minus two digits") << none << "A50611" << Expect { { "pitchData", "-10.6" } } << none << none
                                         << none;
    QTest::newRow("A5 unchanged signals again") << QStringList { "A52100" } << "A52100" << Expect {} << none
                                                << QStringList { "pitchData" } << none;
    QTest::newRow("A5 short is ignored") << QStringList { "A52100" } << "A5210" << Expect { { "pitchData", "+2.1" } }
                                         << none << none << QStringList { "pitchData" };
    QTest::newRow("AD positive") << none << "AD04" << Expect { { "keyData", 4 } } << none << none << none;
    QTest::newRow("AD negative") << none << "AD13" << Expect { { "keyData", -3 } } << none << none << none;
    QTest::newRow("AD short is ignored") << QStringList { "AD13" } << "AD1" << Expect { { "keyData", -3 } } << none
                                         << none << QStringList { "keyData" };

    // Flags: "00" is off, anything else on, a short field too.
    QTest::newRow("B0 on") << none << "B001" << Expect { { "autoCue", true } } << none << none << none;
    QTest::newRow("B1 short reads on") << none << "B10" << Expect { { "autoTrack", true } } << none << none << none;
    QTest::newRow("B5 off after on") << QStringList { "B501" } << "B500" << Expect { { "pitchStatus", false } }
                                     << none << QStringList { "pitchStatus" } << none;
    QTest::newRow("B6 B8 BA BD")
        << QStringList { "B6FF", "B802", "BA10" } << "BD01"
        << Expect { { "autoReady", true }, { "syncRec", true }, { "incPlay", true }, { "keyStatus", true } } << none
        << none << none;
    QTest::newRow("B5 repeated is silent") << QStringList { "B501" } << "B501" << Expect {} << none << none
                                           << QStringList { "pitchStatus" };
    QTest::newRow("95 jog mode") << none << "9501" << Expect { { "jogMode", true } } << none << none << none;

    // Change notices.
    QTest::newRow("F6 00 refreshes") << none << "F600" << Expect {} << QStringList { "<refresh>" } << none << none;
    QTest::newRow("F6 00 waits for a browse operation")
        << QStringList { browsePending } << "F600" << Expect {} << none << none << none;
    QTest::newRow("F6 03 refreshes in any case")
        << QStringList { browsePending } << "F603" << Expect {} << QStringList { "<refresh>" } << none << none;
    QTest::newRow("F6 other notice") << none << "F601" << Expect {} << none << none << none;

    // Lines the dispatcher does not take.
    QTest::newRow("97 is ignored") << none << "9701" << Expect {} << none << none << QStringList { "jogMode" };
    QTest::newRow("lower-case code is ignored") << none << "d010" << Expect { { "statusIcon", 0 } } << none << none
                                                << none;
    QTest::newRow("one character is ignored") << none << "D" << Expect {} << none << none << none;
    QTest::newRow("unknown code is ignored") << none << "C001" << Expect {} << none << none << none;
}

void TestReplies::extendedReplies_data()
{
    addColumns();
    const QStringList none;
    const QStringList withRight { "FF6AFE11" };

    // Medium, play area, playlist, folder: follow-ups through the edit right.
    QTest::newRow("01 USB with the edit right")
        << withRight << "FF0110" << Expect { { "currentMedia", "USB" } } << QStringList { "07F6B05", "07F4500" }
        << QStringList { "currentMedia" } << none;
    QTest::newRow("01 same medium does nothing")
        << QStringList { "FF6AFE11", "FF0110" } << "FF0110" << Expect {} << none << none
        << QStringList { "currentMedia" };
    QTest::newRow("01 without the edit right") << none << "FF0101" << Expect { { "currentMedia", "SD2" } } << none
                                               << none << none;
    QTest::newRow("01 unknown code empties")
        << QStringList { "FF0111" } << "FF0105" << Expect { { "currentMedia", "" } } << none << none << none;
    QTest::newRow("07 area 03 empties")
        << QStringList { "FF07CF01" } << "FF07CF03" << Expect { { "playArea", "" } } << none
        << QStringList { "playArea" } << none;
    QTest::newRow("07 area with the edit right") << withRight << "FF07CF02" << Expect { { "playArea", "PLAYLIST" } }
                                                 << QStringList { "07F6B05" } << none << none;
    QTest::newRow("31 85 playlist name") << withRight << "FF3185set 2.ppl" << Expect { { "playList", "set 2.ppl" } }
                                         << QStringList { "050", "055", "05D", "07F4500" } << none << none;
    QTest::newRow("31 80 00 refreshes and lists")
        << withRight << "FF318000" << Expect {} << QStringList { "<refresh>", "07F4500" } << none << none;
    QTest::newRow("31 80 other does nothing") << withRight << "FF318011" << Expect {} << none << none << none;
    QTest::newRow("6A 82 new folder refreshes") << none << "FF6A82LIVE" << Expect { { "folder", "LIVE" } }
                                                << QStringList { "<refresh>" } << none << none;
    QTest::newRow("6A 82 same folder") << QStringList { "FF6A82LIVE" } << "FF6A82LIVE" << Expect {} << none << none
                                       << none;

    // Values.
    QTest::newRow("04 97 flash load on") << none << "FF049710" << Expect { { "flashLoad", true } } << none << none
                                         << none;
    QTest::newRow("04 97 anything else off")
        << QStringList { "FF049710" } << "FF049701" << Expect { { "flashLoad", false } } << none << none << none;
    QTest::newRow("04 F8 asks flash load") << none << "FF04F8" << Expect {} << QStringList { "07F0417FF" } << none
                                           << none;
    QTest::newRow("12 91 src") << none << "FF1291000001" << Expect { { "src", true } } << none << none << none;
    QTest::newRow("6A 84 input locked") << none << "FF6A8409"
                                        << Expect { { "inputSelect", 9 }, { "digitalInLock", true } } << none << none
                                        << none;
    QTest::newRow("6A 84 digital input unlocked")
        << none << "FF6A8482" << Expect { { "inputSelect", 2 }, { "digitalInLock", false } } << none
        << QStringList { "inputSelect", "digitalInLock" } << none;
    QTest::newRow("6A 85-88 on")
        << QStringList { "FF6A8501", "FF6A8602", "FF6A8701" } << "FF6A8810"
        << Expect { { "micPhantom", true }, { "timerEvent", true }, { "upload", true }, { "download", true } } << none
        << none << none;
    QTest::newRow("6A 8A repeat") << none << "FF6A8A03" << Expect { { "repeat", 3 } } << none << none << none;
    QTest::newRow("6A 8B pair") << none << "FF6A8B3" << Expect { { "currentMediaBackupRelay", "SD2-USB" } } << none
                                << none << none;
    QTest::newRow("6A 8B not a number reads 0")
        << none << "FF6A8Bx" << Expect { { "currentMediaBackupRelay", "SD1-SD2" } } << none << none << none;
    QTest::newRow("6A 8D 8E E0 E1")
        << QStringList { "FF6A8D01", "FF6A8E03", "FF6AE001" } << "FF6AE101"
        << Expect { { "agc", true }, { "dynamics", 3 }, { "lowCut", true }, { "autoMark", true } } << none << none
        << none;
    QTest::newRow("6A E2 00 is mono mix") << none << "FF6AE200" << Expect { { "monoMix", true } } << none << none
                                          << none;
    QTest::newRow("6A E2 other") << QStringList { "FF6AE200" } << "FF6AE201" << Expect { { "monoMix", false } }
                                 << none << none << none;
    QTest::newRow("6A E3 track top in hex") << none << "FF6AE31A2B" << Expect { { "currentTrackTop", 0x1A2B } }
                                            << none << none << none;
    QTest::newRow("6A E5 E6")
        << QStringList { "FF6AE500" } << "FF6AE62"
        << Expect { { "finalizedCd", "Unfinalized" }, { "statusDetail", 2 } } << none << none << none;
    QTest::newRow("6A 81 title starts the mark query")
        << QStringList { "D5001200", "D011" } << "FF6A81Song" << Expect { { "title", "Song" } }
        << QStringList { "07F035D", "07F6A63" } << none << none;
    QTest::newRow("6A 81 while recording")
        << QStringList { "D5001200", "D081" } << "FF6A81Take" << Expect { { "title", "Take" } } << none << none
        << none;
    QTest::newRow("6A 81 without a track") << QStringList { "D011" } << "FF6A81Song" << Expect {} << none << none
                                           << none;

    // Level meters.
    QTest::newRow("6A 89 levels")
        << none << "FF6A89000180FF0000"
        << Expect { { "levelMeterL", 0 }, { "levelMeterR", 0 }, { "levelMeterLPeak", 127 }, { "levelMeterRPeak", 254 } }
        << none << none << none;
    QTest::newRow("6A 89 levels and overs")
        << none << "FF6A89807F90900001"
        << Expect { { "levelMeterL", 127 }, { "levelMeterR", 126 }, { "levelMeterLPeak", 143 },
                    { "levelMeterRPeak", 143 }, { "levelMeterLOver", false }, { "levelMeterROver", true } }
        << none << none << none;
    QTest::newRow("6A 89 short: missing overs read off")
        << QStringList { "FF6A89000000000101" } << "FF6A8901010101"
        << Expect { { "levelMeterLOver", false }, { "levelMeterROver", false }, { "levelMeterL", 0 } } << none
        << QStringList { "levelMeterLOver", "levelMeterROver" } << none;
    QTest::newRow("6A 89 only the left over present")
        << QStringList { "FF6A89000000000101" } << "FF6A890000000001"
        << Expect { { "levelMeterLOver", true }, { "levelMeterROver", false } } << none << none << none;

    // Record format: format + 8 * rate, 16 alone.
    QTest::newRow("6A 8C 09")
        << none << "FF6A8C09"
        << Expect { { "recFormat", "Mp3" }, { "recFormatCd", "Mp3" }, { "backupRelay", false }, { "recFs", 1 },
                    { "recFsCd", 0 } }
        << none << none << none;
    QTest::newRow("6A 8C 16 keeps the CD rate")
        << QStringList { "FF6A8C02" } << "FF6A8C16"
        << Expect { { "recFormat", "Wav" }, { "recFormatCd", "" }, { "backupRelay", false }, { "recFs", 2 },
                    { "recFsCd", 1 } }
        << none << none << QStringList { "recFsCd" };
    QTest::newRow("6A 8C 07 relay with line feed")
        << none << "FF6A8C07" << Expect { { "recFormat", "Wav16+Mp3\n(Relay)" }, { "backupRelay", true } } << none
        << none << none;
    QTest::newRow("6A 8C 10 as 2 at rate 1")
        << none << "FF6A8C10"
        << Expect { { "recFormat", "Wav16+Mp3" }, { "recFormatCd", "Mp3" }, { "recFs", 1 }, { "recFsCd", 1 } }
        << none << none << none;
    QTest::newRow("6A 8C 17 and above")
        << QStringList { "FF6A8C01" } << "FF6A8C20"
        << Expect { { "recFormat", "" }, { "recFormatCd", "" }, { "backupRelay", false }, { "recFs", 1 } } << none
        << none << none;
    QTest::newRow("6A 8C below 0") << QStringList { "FF6A8C09" } << "FF6A8C-1"
                                   << Expect { { "recFormat", "" }, { "recFs", 0 } } << none << none << none;
    QTest::newRow("6A 8C not a number reads as Wav")
        << QStringList { "FF6A8C09" } << "FF6A8Cxx" << Expect { { "recFormat", "Wav" }, { "recFormatCd", "CD-DA" } }
        << none << none << none;

    // Notices.
    QTest::newRow("6A F6 01 asks the input") << none << "FF6AF601" << Expect {} << QStringList { "07F6A04" } << none
                                             << none;
    QTest::newRow("6A F6 02 restarts browsing")
        << QStringList { "FF6AFE11", "D010", "FF0100" } << "FF6AF602" << Expect {}
        << QStringList { "07F6B00", "07F6B05" } << none << none;
    QTest::newRow("6A F6 02 without a medium") << QStringList { "FF6AFE11", "D010" } << "FF6AF602" << Expect {}
                                               << none << none << none;
    QTest::newRow("6A F6 10 refreshes") << none << "FF6AF610" << Expect {} << QStringList { "<refresh>" } << none
                                        << none;
    QTest::newRow("6A F6 70 refreshes") << none << "FF6AF670" << Expect {} << QStringList { "<refresh>" } << none
                                        << none;
    QTest::newRow("6A F6 20 mark query") << none << "FF6AF620" << Expect {} << QStringList { "07F035D", "07F6A63" }
                                         << none << none;
    QTest::newRow("6A F6 40 menu values then refresh")
        << none << "FF6AF640" << Expect {} << QStringList { "<refresh>" } << none << none;
    QTest::newRow("6A F6 other") << none << "FF6AF699" << Expect {} << none << none << none;
    QTest::newRow("6A FA F0 popup") << none << "FF6AFAF002" << Expect { { "popup", 2 } } << none << none << none;
    QTest::newRow("6A FA menu answer goes to the menu")
        << none << "FF6AFA1000" << Expect { { "menu.drawingFinished", false } } << QStringList { "07F6A3F00", "07F6A3F01" }
        << none << QStringList { "popupReceived" };

    // Routed to the other models.
    QTest::newRow("6A FD 00 editable") << none << "FF6AFD00" << Expect { { "permission.isReadOnly", false } } << none
                                       << none << none;
    QTest::newRow("6A FE 11 right held") << none << "FF6AFE11" << Expect { { "permission.okPermission", true } }
                                         << none << none << none;
    QTest::newRow("03 mark count") << none << "FF03DD0200" << Expect {} << QStringList { "07F03580100" }
                                   << QStringList { "markClear" } << none;

    // Record request answer.
    QTest::newRow("72 8101 00") << none << "FF72810100" << Expect {} << QStringList { "01301", "07F6A3F01" } << none
                                << none;
    QTest::newRow("72 8101 other") << none << "FF72810107" << Expect {} << QStringList { "01300", "07F6A3F01" }
                                   << none << none;
    QTest::newRow("72 other item") << none << "FF72810000" << Expect {} << none << none << none;

    QTest::newRow("unknown group") << none << "FF99AA" << Expect {} << none << none << none;
    QTest::newRow("empty extended reply") << none << "FF" << Expect {} << none << none << none;
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
