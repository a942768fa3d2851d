// The timer-event field block and option text as they travel on the command
// channel, driven without a model.
#include <QtTest>

#include "timereventcodec.h"

namespace codec = timereventcodec;

namespace {

QStringList show(const TimerEventFields& e)
{
    return { e.enable ? "on" : "off", QString::number(e.eventType), e.option, e.date, e.time,
             QString::number(e.timeMode), e.repeatIntervalTime, QString::number(e.repeatEventCount) };
}

TimerEventFields fieldsOf(bool on, int type, const QString& option, const QString& date, const QString& time,
                       int mode, const QString& interval, int count)
{
    return { on, type, option, date, time, mode, interval, count };
}

} // namespace

class TestTimerEventCodec : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void decodesReceivedForms_data();
    void decodesReceivedForms();
    void numericFieldsStayDigits();
    void optionBytes_data();
    void optionBytes();
};

void TestTimerEventCodec::roundTrip_data()
{
    QTest::addColumn<TimerEventFields>("fields");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("option"); // what follows the block on the wire

    QTest::newRow("every day, play at start")
        << fieldsOf(true, 0, "\\FOLDER01\\TAKE0001.wav", "EVERY DAY", "07:30:00", 0, "00:00", 1)
        << "0100000000000730000000000001" << "\\FOLDER01\\TAKE0001.wav";
    QTest::newRow("Monday to Friday, record XLR")
        << fieldsOf(true, 2, "DIGITAL(XLR)", "_MTWTF_", "09:00:00", 0, "00:00", 1) << "0102000000be0900000300000001" << "";
    QTest::newRow("a date, repeat play off, 5 times every 1:30")
        << fieldsOf(false, 1, "\\TAKE0002.wav", "2017/10/26", "12:00:00", 0, "01:30", 5)
        << "0001171026001200000000013005" << "\\TAKE0002.wav";
    QTest::newRow("every month, stop")
        << fieldsOf(true, 3, "", "2018/00/15", "18:00:00", 0, "00:00", 1) << "0103180015001800000000000001" << "";
    QTest::newRow("weekend, play to an end, 100 times")
        << fieldsOf(true, 0, "\\LIVE\\2017\\TAKE0003.wav", "S_____S", "22:15:30", 1, "00:00", 100)
        << "0100000000c12215300001000000" << "\\LIVE\\2017\\TAKE0003.wav";
    QTest::newRow("every week day") << fieldsOf(true, 4, "T", "SMTWTFS", "23:59:59", 0, "23:59", 99)
                                    << "0104000000ff2359590000235999" << "T";
    QTest::newRow("no week day") << fieldsOf(true, 5, "", "_______", "00:00:00", 0, "00:00", 1)
                                 << "0105000000800000000000000001" << "";
    QTest::newRow("last year, Dante") << fieldsOf(true, 2, "DIGITAL(Dante)", "2099/12/31", "01:02:03", 0, "00:00", 2)
                                      << "0102991231000102030400000002" << "";
    QTest::newRow("first year, balanced") << fieldsOf(true, 2, "ANALOG(BAL.)", "2000/01/01", "00:00:00", 0, "00:00", 1)
                                          << "0102000101000000000100000001" << "";
    QTest::newRow("foreign option text") << fieldsOf(true, 4, "Ziel-Größe-録音", "EVERY DAY", "03:00:00", 0, "00:00", 1)
                                         << "0104000000000300000000000001" << "Ziel-Größe-録音";
}

void TestTimerEventCodec::roundTrip()
{
    QFETCH(TimerEventFields, fields);
    QFETCH(QString, block);
    QFETCH(QString, option);
    QCOMPARE(QString::fromLatin1(codec::encodeBlock(fields)), block);
    QCOMPARE(codec::writesOption(fields.eventType) ? QString::fromUtf8(codec::optionBytes(fields.option)) : QString(),
             option);
    QCOMPARE(show(codec::decodeRecord(block + option)), show(fields));
}

void TestTimerEventCodec::decodesReceivedForms_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<TimerEventFields>("fields");

    QTest::newRow("upper-case week") << "0100000000C12215300001000000"
                                     << fieldsOf(true, 0, "", "S_____S", "22:15:30", 1, "00:00", 100);
    QTest::newRow("day 00 is every day whatever the year says")
        << "0100171000000730000000000001x" << fieldsOf(true, 0, "x", "EVERY DAY", "07:30:00", 0, "00:00", 1);
    QTest::newRow("unknown record input") << "0102000000000900000700000001"
                                          << fieldsOf(true, 2, "", "EVERY DAY", "09:00:00", 0, "00:00", 1);
    QTest::newRow("enable other than 00 is on") << "0700000000000000000000000001"
                                                << fieldsOf(true, 0, "", "EVERY DAY", "00:00:00", 0, "00:00", 1);
    QTest::newRow("type outside the list kept") << "0109000000000000000000000001stop"
                                                << fieldsOf(true, 9, "stop", "EVERY DAY", "00:00:00", 0, "00:00", 1);
    QTest::newRow("short record") << "" << fieldsOf(false, 0, "", "EVERY DAY", "00:00:00", 0, "00:00", 100);
    QTest::newRow("record cut inside the enable field") << "0" << fieldsOf(false, 0, "", "EVERY DAY", "00:00:00", 0, "00:00", 100);
    QTest::newRow("letters in the date") << "0100xx10zz000730000000000001"
                                         << fieldsOf(true, 0, "", "EVERY DAY", "07:30:00", 0, "00:00", 1);
}

void TestTimerEventCodec::decodesReceivedForms()
{
    QFETCH(QString, record);
    QFETCH(TimerEventFields, fields);
    QCOMPARE(show(codec::decodeRecord(record)), show(fields));
}

// Whatever a row holds, the recorder never reads a letter or a blank where it
// expects digits.
void TestTimerEventCodec::numericFieldsStayDigits()
{
    const QList<TimerEventFields> odd = {
        fieldsOf(true, 123, "unknown label", "", "ab:cd:ef", -1, "", 0),
        fieldsOf(false, 2, "no such input", "     00", "7:5:9", 0, "1:5", 101),
        fieldsOf(true, 0, "", "1999/1/1", "", 0, "xx:yy", 100),
    };
    for (const TimerEventFields& e : odd) {
        const QString block = QString::fromLatin1(codec::encodeBlock(e));
        QVERIFY2(QRegularExpression("^\\d{10}[0-9a-f]{2}\\d{16}$").match(block).hasMatch(), qPrintable(block));
    }
}

void TestTimerEventCodec::optionBytes_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("sent");

    const QString euro = QString::fromUtf8("\xe2\x82\xac");
    QTest::newRow("800 ASCII") << QString(800, 'a') << QByteArray(768, 'a');
    QTest::newRow("exactly 768 bytes") << QString(766, 'a') + QString::fromUtf8("\xc3\xa9")
                                       << QByteArray(766, 'a') + "\xc3\xa9";
    QTest::newRow("character across the limit") << QString(767, 'a') + euro + "b" << QByteArray(767, 'a');
    QTest::newRow("character ending at the limit") << QString(765, 'a') + euro + "b" << QByteArray(765, 'a') + euro.toUtf8();
    QTest::newRow("line ends and NUL dropped") << QString::fromUtf8("a\r\n07F47440000\r\nb\tc") + QChar(0) + "d"
                                               << QByteArray("a07F47440000bcd");
}

void TestTimerEventCodec::optionBytes()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, sent);
    QCOMPARE(codec::optionBytes(option), sent);
}

QTEST_GUILESS_MAIN(TestTimerEventCodec)
#include "tst_timereventcodec.moc"
