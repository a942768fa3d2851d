// What the user last asked for stands in for the recorder's reports until the
// report to the user's own request has come: counted by the lines written and
// the reports read, in order.
#include <QtTest>

#include "askedvalue.h"

class TstAskedValue : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void quietSpellEndsTheWait();
};

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

QTEST_GUILESS_MAIN(TstAskedValue)
#include "tst_askedvalue.moc"
