// The simulated recorder's answers to the lines that have no answer of their
// own: "0", the command code + 0x80, the data as sent; an extended line
// ("07F" group item) is answered "0FF", its group and the item + 0x80.
#include <QtTest>

#include "recorderstate.h"

class TestSimReplyRule : public QObject
{
    Q_OBJECT
private slots:
    void replyRule_data();
    void replyRule();
};

void TestSimReplyRule::replyRule_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("answer"); // empty: the line is not one the rule can answer

    QTest::newRow("stop, no data") << "010" << "090";
    QTest::newRow("pause") << "01401" << "09401";
    QTest::newRow("play-mode set") << "04D01" << "0CD01";
    QTest::newRow("time search keeps its data") << "02C010000300000" << "0AC010000300000";
    QTest::newRow("folder skip forward") << "07F6A1A00" << "0FF6A9A00";
    QTest::newRow("folder skip back") << "07F6A1A01" << "0FF6A9A01";
    QTest::newRow("extended of another group") << "07F031A01" << "0FF039A01";
    QTest::newRow("extended without data") << "07F0310" << "0FF0390";
    QTest::newRow("code not hex") << "0ZZ01" << "";
    QTest::newRow("code cut short") << "01" << "";
    QTest::newRow("extended without item") << "07F6A" << "";
    QTest::newRow("extended item cut short") << "07F6A1" << "";
}

void TestSimReplyRule::replyRule()
{
    QFETCH(QString, line);
    QFETCH(QString, answer);
    QCOMPARE(sim::replyTo(line), answer);
}

QTEST_MAIN(TestSimReplyRule)
#include "tst_simreplyrule.moc"
