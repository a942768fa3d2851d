// What the user last asked for stands in for the recorder's reports until the
// report to the user's own request has come: counted by the lines written and
// the reports read, in order.
#include <QtTest>

#include "askedvalue.h"
#include "replyorder.h"

class TstAskedValue : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void quietSpellEndsTheWait();
    void inTheRecordersOrder_data();
    void inTheRecordersOrder();
    void costPerReport_data();
    void costPerReport();
};

namespace {
// words, each followed by a space, n times over
QString times(int n, const QString& words)
{
    return QString(words + ' ').repeated(n);
}

// The order of a value's lines ("025", reported by "A5") among lines of two
// other kinds, on a clock the test moves.
struct OrderRig
{
    OrderRig()
    {
        order.clock = [this] { return now; };
        order.track("025", -1, "A5", &asked);
        order.track("055", 3, "D5");
        order.track("050", 3, "D0");
    }
    qint64 now = 0;
    AskedValue asked;
    ReplyOrder order;
};
} // namespace

// A script of steps: "w" a line written, "a<value>" a request after a written
// line, "n<value>" a request answered by the next line, "r" a report, "x" a
// reset. After each step: "W" waiting, "-" not waiting.
void TstAskedValue::answers_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("states");
    QTest::addColumn<int>("settled");
    QTest::newRow("nothing asked: reports change nothing") << "w r r" << "- - -" << 0;
    QTest::newRow("one set, its report") << "w a1 r" << "- W -" << 1;
    QTest::newRow("a query ahead answers first") << "w w a1 r r" << "- - W W -" << 1;
    QTest::newRow("steps faster than the answers wait for the last")
        << "w a1 w a2 w a3 r r r" << "- W W W W W W W -" << 1;
    QTest::newRow("answered by the next query") << "n16 r w r" << "W W W -" << 1;
    QTest::newRow("a notice counts but never runs past the lines")
        << "r r w a1 r" << "- - - W -" << 1;
    QTest::newRow("reset ends the wait and the count") << "w w a1 x w r" << "- - W - - -" << 1;
}

void TstAskedValue::answers()
{
    QFETCH(QString, script);
    QFETCH(QString, states);
    QFETCH(int, settled);
    AskedValue asked;
    QSignalSpy spy(&asked, &AskedValue::settled);
    const QStringList steps = script.split(' ');
    const QStringList expected = states.split(' ');
    QCOMPARE(steps.size(), expected.size());
    QString last;
    for (int i = 0; i < steps.size(); ++i) {
        const QString step = steps.at(i);
        switch (step.at(0).toLatin1()) {
        case 'w': asked.lineWritten(); break;
        case 'a': asked.asked(step.mid(1)); last = step.mid(1); break;
        case 'n': asked.asked(step.mid(1), true); last = step.mid(1); break;
        case 'r': asked.reported(); break;
        case 'x': asked.reset(); break;
        }
        QVERIFY2(asked.waiting() == (expected.at(i) == "W"), qPrintable("after step " + QString::number(i)));
        if (asked.waiting())
            QCOMPARE(asked.value().toString(), last);
    }
    QCOMPARE(spy.count(), settled);
}

void TstAskedValue::quietSpellEndsTheWait()
{
    AskedValue asked;
    asked.quietMs = 50;
    QSignalSpy spy(&asked, &AskedValue::settled);
    asked.lineWritten();
    asked.lineWritten();
    asked.asked(3);
    // A report keeps the wait alive; the second never comes.
    QTest::qWait(30);
    asked.reported();
    QTest::qWait(30);
    QVERIFY(asked.waiting());
    QVERIFY(spy.wait(200));
    QVERIFY(!asked.waiting());
}

// Counted in the recorder's order of answers, with unasked reports among the
// answers: "v" a line of the value written ("av": and the user asks for what
// it sets), "o" a line of another kind, "V" and "O" a report of each, "s" a
// line of a third kind the recorder leaves unanswered unless "S" answers it,
// "F" a refusal, "t<ms>" time passes, "x" a reset. After each step: "W"
// waiting, "-" not.
void TstAskedValue::inTheRecordersOrder_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("states");

    QTest::newRow("a report while another line is due answers nothing")
        << "o av V O V o O" << "- W W W W W -";
    QTest::newRow("however many come among the answers")
        << "o o av V V V O O V V o O" << "- - W W W W W W W W W -";
    QTest::newRow("one just where the answer was due holds until a later answer")
        << "av o V V O" << "W W W W -";
    QTest::newRow("sets faster than the answers wait for the last")
        << "av av V O V o O" << "W W W W W W -";
    QTest::newRow("a later line of the value answered shows it too") << "av v V V" << "W W W -";
    QTest::newRow("an answer to a line written before the request does not show it")
        << "o av O V" << "- W W W";
    QTest::newRow("a line left unanswered is given up once stale")
        << "o av V t5000 V o O" << "- W W W W W -";
    QTest::newRow("a line given up is no longer waited for")
        << "av t5000 o O av V o O" << "W W W - W W W -";
    QTest::newRow("the answers to the next three lines give it up at once, and count")
        << "s av o o V O O t5000 o O av V o O" << "- W W W W W - - - - W W W -";
    QTest::newRow("answers in a row only: one of another line between breaks the row")
        << "s av o o V O V O" << "- W W W W W W W";
    QTest::newRow("a reset forgets every line") << "o av x V O" << "- W - - -";

    QTest::newRow("a refusal answers the oldest line, whatever its code") << "o av F F" << "- W W -";
    QTest::newRow("a refused earlier line of the value keeps the wait") << "v av F o F" << "- W W W -";
    QTest::newRow("refusals with no line waiting answer nothing") << "F F av V o O" << "- - W W W -";
    // A recorder in standby refuses every line; powered on, it answers again.
    QTest::newRow("a stretch of refused lines, then answers")
        << "o s o s av o s F F F F F F F av V o O" << "- - - - W W W W W W W - - - W W W -";
    // Lines the recorder lost while it said nothing for the quiet spell: the
    // polls' pattern, which the answers to the lines after them would match
    // one for one.
    QTest::newRow("unanswered lines repeating the polls, then answers")
        << "o t20 O " + times(15, "o s t200") + "o s t20 O S av t20 V o t20 O"
        << "- - - " + times(15, "- - -") + "- - - - - W W W W W -";
    QTest::newRow("unanswered lines for 30 s, then answers")
        << "o t20 O " + times(150, "o s o s t200") + "o s t20 O S av t20 V o t20 O"
        << "- - - " + times(150, "- - - - -") + "- - - - - W W W W W -";
    QTest::newRow("a step among the unanswered lines ends once answers come")
        << "o t20 O " + times(10, "o s t200") + "av " + times(10, "o s t200") + "o t20 O av t20 V o t20 O"
        << "- - - " + times(10, "- - -") + "W " + times(10, "W W W") + "W W - W W W W W -";
    QTest::newRow("refused, then unanswered, then answers")
        << "o t20 O " + times(5, "o s F F t200") + times(16, "o s t200") + "o s t20 O S av t20 V o t20 O"
        << "- - - " + times(5, "- - - - -") + times(16, "- - -") + "- - - - - W W W W W -";
    // Late after a silence as before it: the answers to the lines written
    // since are not taken for the lost ones'.
    // A stall of the application itself: nothing was written while it lasted,
    // so the reports after it are the old lines' answers, in order.
    QTest::newRow("after a stall of the application the answers come in order")
        << "o t20 O av o t1500 o v V O O V" << "- - - W W W W W W - - -";
    // A report pushed unasked just after a poll went out matches it at once:
    // the recorder is no quicker for that.
    QTest::newRow("a recorder late by 1200 ms that pushes its status")
        << "o s t1200 O S s t50 S av o t500 s t600 S t600 V O S"
        << "- - - - - - - - W W W W W W W W - -";
    // Slower by less than the quiet spell from one answer to the next, with
    // a report pushed unasked first: late, not silent.
    QTest::newRow("a recorder that turns 1200 ms slower")
        << "o s t5 O S av o " + times(6, "s t200") + "S V O S"
        << "- - - - - W W " + times(6, "W W") + "W W - -";
    QTest::newRow("a recorder late by 400 ms, silent, then late again")
        << "o o t400 O o t400 O " + times(16, "o s t200") + "av o t200 o t200 V O t200 O"
        << "- - - - - - - " + times(16, "- - -") + "W W W W W W - - -";
}

void TstAskedValue::inTheRecordersOrder()
{
    QFETCH(QString, script);
    QFETCH(QString, states);
    OrderRig rig;
    ReplyOrder& order = rig.order;
    AskedValue& asked = rig.asked;
    const QStringList steps = script.split(' ');
    const QStringList expected = states.split(' ');
    QCOMPARE(steps.size(), expected.size());
    int sets = 0;
    QVERIFY(!steps.last().isEmpty());
    for (int i = 0; i < steps.size(); ++i) {
        const QString step = steps.at(i);
        if (step == "v" || step == "av") {
            order.written(QByteArray("025") + QByteArray::number(++sets).rightJustified(4, '0') + "\r\n");
            if (step == "av")
                asked.asked(sets);
        } else if (step == "s") {
            order.written("050\r\n");
        } else if (step == "o") {
            order.written("055\r\n");
        } else if (step == "V" || step == "O") {
            order.answered(step == "V" ? QStringLiteral("A50000") : QStringLiteral("D5000100"));
        } else if (step == "S") {
            order.answered(QStringLiteral("D010"));
        } else if (step == "F") {
            order.answered(QStringLiteral("F2"));
        } else if (step.startsWith('t')) {
            rig.now += step.mid(1).toInt();
        } else if (step == "x") {
            order.reset();
            asked.reset();
        }
        QVERIFY2(asked.waiting() == (expected.at(i) == "W"), qPrintable("after step " + QString::number(i)));
    }
}

// However many lines wait and however many unasked reports have come while
// the oldest line held the order, one more report is compared with a few
// lines only.
void TstAskedValue::costPerReport_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("reports");
    QTest::newRow("a few") << 8 << 8;
    QTest::newRow("many lines") << 4000 << 8;
    QTest::newRow("many reports") << 8 << 5000;
    QTest::newRow("many of both") << 4000 << 5000;
}

void TstAskedValue::costPerReport()
{
    QFETCH(int, lines);
    QFETCH(int, reports);
    OrderRig rig;
    // The oldest line is never answered; the pitch line behind it is, and
    // the recorder pushes its value unasked on top.
    rig.order.written("050\r\n0250001\r\n");
    for (int i = 2; i < lines; ++i)
        rig.order.written("055\r\n");
    for (int i = 0; i < reports; ++i)
        rig.order.answered(QStringLiteral("A50000"));
    const quint64 before = rig.order.comparisons();
    rig.order.answered(QStringLiteral("A50000"));
    QVERIFY2(rig.order.comparisons() - before <= 4, qPrintable(QString::number(rig.order.comparisons() - before)));
    // And the order still works: the lines are there, the oldest given up
    // once it has waited the quiet spell, and the pitch line answered.
    QCOMPARE(rig.order.unanswered(), lines);
    rig.order.fences = false;
    rig.asked.asked(1);
    rig.now += 5000;
    rig.order.answered(QStringLiteral("A50000"));
    QVERIFY(!rig.asked.waiting());
    QCOMPARE(rig.order.unanswered(), lines - 2);
}

QTEST_GUILESS_MAIN(TstAskedValue)
#include "tst_askedvalue.moc"
