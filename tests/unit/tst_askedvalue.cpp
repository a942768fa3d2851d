// What the user last asked for stands in for the recorder's reports until the
// report to the user's own request has come: counted by the lines written and
// the reports read, in order.
#include <QtTest>
#include <deque>

#include "askedvalue.h"
#include "replyorder.h"

class TstAskedValue : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void noWaitEndsOnTime();
    void inTheRecordersOrder_data();
    void inTheRecordersOrder();
    void heldThenAnswered_data();
    void heldThenAnswered();
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
// other kinds, with a marker it may ask.
struct OrderRig
{
    // echoes: a set's answer carries what it set.
    explicit OrderRig(bool echoes = false)
    {
        order.track("025", -1, "A5", &asked, echoes);
        order.track("055", 3, "D5");
        order.track("050", 3, "D0");
        order.markWith("07F6A64", 7, "FF6AE4");
        order.markWith("056", 3, "D6");
        // The markers and queries the order asks for go out at once.
        order.send = [this](const char* lines) {
            sent << QString::fromLatin1(lines).trimmed();
            order.written(lines);
        };
        asked.requery = [this] {
            order.send("025FF\r\n");
            return true;
        };
    }
    AskedValue asked;
    ReplyOrder order;
    QStringList sent;
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

// However long the answer takes, the request stands until it comes.
void TstAskedValue::noWaitEndsOnTime()
{
    AskedValue asked;
    QSignalSpy spy(&asked, &AskedValue::settled);
    asked.lineWritten();
    asked.lineWritten();
    asked.asked(3);
    asked.reported();
    QTest::qWait(100);
    QVERIFY(asked.waiting());
    QCOMPARE(asked.value().toInt(), 3);
    asked.reported();
    QVERIFY(!asked.waiting());
    QCOMPARE(spy.count(), 1);
}

// Counted in the recorder's order of answers, with unasked reports among the
// answers: "v" a line of the value written ("av": and the user asks for what
// it sets), "o" a line of another kind, "V" and "O" a report of each, "s" a
// line of a third kind the recorder leaves unanswered unless "S" answers it,
// "F" a refusal, "M" the answer to a marker, "t<ms>" time passes (the order
// takes no note of how long), "q" the event loop runs, "x" a reset. After
// each step: "W" waiting, "-" not. Then the lines the order sent itself, in
// order: "m" a marker, "q" a query of the value.
void TstAskedValue::inTheRecordersOrder_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("sent");

    // A report that could be a later line's answer has a marker asked; the
    // marker's answer in its place shows the recorder has had the request.
    QTest::newRow("a report while another line is due answers nothing")
        << "o av V O V M o O" << "- W W W W - - -" << "m";
    QTest::newRow("however many come among the answers")
        << "o o av V V V O O V V M o O" << "- - W W W W W W W W - - -" << "m";
    QTest::newRow("one just where the answer was due holds until a later answer")
        << "av o V V O" << "W W W W -" << "";
    QTest::newRow("sets faster than the answers wait for the last")
        << "av av V O V o O" << "W W W W W W -" << "";
    QTest::newRow("a later line of the value answered shows it too") << "av v V V" << "W W W -" << "";
    QTest::newRow("an answer to a line written before the request does not show it")
        << "o av O V" << "- W W W" << "";
    // A line left unanswered: the marker's answer proves every line before
    // it done, and no wait ends on time or on an older line's answer.
    QTest::newRow("a line left unanswered, its lone answer: the marker tells")
        << "o av V M t5000 V o O" << "- W W - - - - -" << "m";
    QTest::newRow("a line left unanswered, a later line's answer: the marker tells")
        << "av t5000 o O av M V o O" << "W W W W W W W W -" << "m";
    // The request's own line given up: the request stands, and the value is
    // asked for; that query's answer ends the wait.
    QTest::newRow("the request's line given up: its value is asked for")
        << "av t5000 o o o O O O q M V o O" << "W W W W W W W W W W W W -" << "m q";
    // Asked once whether or not a request waits; where the query goes
    // unanswered too, nothing more is asked, and a wait ends.
    QTest::newRow("a line of the value given up with nothing asked: its value is asked for")
        << "v t5000 o o o O O O q M V o O" << "- - - - - - - - - - - - -" << "m q";
    QTest::newRow("the query given up too: the wait ends, nothing more is asked")
        << "av o o o O O O q M o o o O O O q M o O q" << "W W W W W W W W W W W W W W - - - - - -" << "m q m";
    QTest::newRow("the query given up too, nothing asked: nothing more is asked")
        << "v o o o O O O q M o o o O O O q M v o o o O O O q M V"
        << "- - - - - - - - - - - - - - - - - - - - - - - - - - -" << "m q m m q";
    QTest::newRow("the answers to the next three lines give it up at once, and count")
        << "s av o o V O O M t5000 o O av V o O" << "- W W W W W - - - - - W W W -" << "m";
    QTest::newRow("answers in a row only: one of another line between breaks the row; the marker tells")
        << "s av o o V O V O M" << "- W W W W W W W -" << "m";
    QTest::newRow("a reset forgets every line") << "o av x V O" << "- W - - -" << "";

    QTest::newRow("a refusal answers the oldest line, whatever its code") << "o av F F" << "- W W -" << "";
    QTest::newRow("a refused earlier line of the value keeps the wait") << "v av F o F" << "- W W W -" << "";
    QTest::newRow("refusals with no line waiting answer nothing") << "F F av V o O" << "- - W W W -" << "";
    // A recorder in standby refuses every line; powered on, it answers again.
    QTest::newRow("a stretch of refused lines, then answers")
        << "o s o s av o s F F F F F F F av V o O" << "- - - - W W W W W W W - - - W W W -" << "";
    // Lines the recorder lost while it said nothing for a while: the polls'
    // pattern, which the answers to the lines after them match one for one.
    // Those answers cannot be told from answers held that long: the marker
    // asked behind the request tells.
    QTest::newRow("unanswered lines repeating the polls, then answers")
        << "o t20 O " + times(15, "o s t200") + "o s t20 O S av t20 V M o t20 O"
        << "- - - " + times(15, "- - -") + "- - - - - W W W - - - -" << "m";
    QTest::newRow("unanswered lines for 30 s, then answers")
        << "o t20 O " + times(150, "o s o s t200") + "o s t20 O S av t20 V M o t20 O"
        << "- - - " + times(150, "- - - - -") + "- - - - - W W W - - - -" << "m";
    // Lost with them, the request's line is given up and its value asked for.
    QTest::newRow("a step among the unanswered lines, then answers")
        << "o t20 O " + times(10, "o s t200") + "av " + times(10, "o s t200") + "o t20 O av t20 V M q V o t20 O"
        << "- - - " + times(10, "- - -") + "W " + times(10, "W W W") + "W W W W W W W W W W W -" << "m q";
    QTest::newRow("refused, then unanswered, then answers")
        << "o t20 O " + times(5, "o s F F t200") + times(16, "o s t200") + "o s t20 O S av t20 V M o t20 O"
        << "- - - " + times(5, "- - - - -") + times(16, "- - -") + "- - - - - W W W - - - -" << "m";
    // A stall of the application itself: nothing was written while it lasted,
    // so the reports after it are the old lines' answers, in order.
    QTest::newRow("after a stall of the application the answers come in order")
        << "o t20 O av o t1500 o v V O O V" << "- - - W W W W W W - - -" << "";
    // A report pushed unasked just after a poll went out matches it at once:
    // the recorder is no quicker for that.
    QTest::newRow("a recorder late by 1200 ms that pushes its status")
        << "o s t1200 O S s t50 S av o t500 s t600 S t600 V O S M"
        << "- - - - - - - - W W W W W W W W - - -" << "m";
    // Slower from one answer to the next, with a report pushed unasked
    // first: late, not silent.
    QTest::newRow("a recorder that turns 1200 ms slower")
        << "o s t5 O S av o " + times(6, "s t200") + "S V O S M"
        << "- - - - - W W " + times(6, "W W") + "W W - - -" << "m";
    QTest::newRow("a recorder late by 400 ms, silent, then late again")
        << "o o t400 O o t400 O " + times(16, "o s t200") + "av o t200 o t200 V O t200 O M q V o O"
        << "- - - - - - - " + times(16, "- - -") + "W W W W W W W W W W W W W -" << "m q";
}

void TstAskedValue::inTheRecordersOrder()
{
    QFETCH(QString, script);
    QFETCH(QString, states);
    QFETCH(QString, sent);
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
        } else if (step == "M") {
            order.answered(QStringLiteral("FF6AE400"));
        } else if (step == "F") {
            order.answered(QStringLiteral("F2"));
        } else if (step.startsWith('t')) {
            // Time passes: the order takes no note of how long.
        } else if (step == "q") {
            QTest::qWait(1);
        } else if (step == "x") {
            order.reset();
            asked.reset();
        }
        QVERIFY2(asked.waiting() == (expected.at(i) == "W"), qPrintable("after step " + QString::number(i)));
    }
    QStringList kinds;
    for (const QString& line : qAsConst(rig.sent))
        kinds << (line == QLatin1String("07F6A64") ? "m" : line == QLatin1String("056") ? "m2" : line == QLatin1String("025FF") ? "q" : line);
    QCOMPARE(kinds.join(' '), sent);
}

// A pitch key tapped every `gap` ms from `tapsFrom` to `tapsTo`, each step one
// above what the user last asked while that waits, else above the value the
// last report showed; the polls write "050" every second and "055" every
// 500 ms. The recorder answers each line `late` ms after it, in order, with
// its value at that moment. From `holdAt` it holds everything it writes for
// `holdFor` ms and then sends it all, in order, one report every 10 ms while
// the taps go on; it leaves unanswered every
// line that comes from `dropFrom` to `dropTo`. `pushes`: "" none, "p" the
// recorder pushes its pitch and status every 130 ms, "c" another controller
// sets the pitch to +5.0 at 2 s (the recorder tells this application), "pc"
// both. The markers and queries the order asks for are lines like any other.
// Every report is tagged with the line it answers: a wait ends only once its
// own line's answer has come (or, where lines were dropped, a later line's),
// and without pushes no report is ever taken for the answer to a line
// written after the one it answers.
void TstAskedValue::heldThenAnswered_data()
{
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("tapsFrom");
    QTest::addColumn<int>("tapsTo");
    QTest::addColumn<int>("holdAt");
    QTest::addColumn<int>("holdFor");
    QTest::addColumn<int>("dropFrom");
    QTest::addColumn<int>("dropTo");
    QTest::addColumn<QString>("pushes");

    for (int holdFor : { 0, 2800, 3300, 4000, 10000, 30000 }) {
        for (const QString& pushes : { QString(), QStringLiteral("p"), QStringLiteral("c"), QStringLiteral("pc") }) {
            for (int gap : { 300, 450 }) {
                for (int late : { 200, 500 }) {
                    const QString name = QStringLiteral("%1, taps every %2 ms, %3 ms late%4")
                                             .arg(holdFor ? QStringLiteral("held %1 ms").arg(holdFor) : QStringLiteral("not held"))
                                             .arg(gap).arg(late)
                                             .arg(pushes.isEmpty() ? QString() : ", pushes " + pushes);
                    QTest::newRow(qPrintable(name))
                        << gap << late << 0 << 1000 + holdFor + 2000 << 1000 << holdFor << -1 << -1 << pushes;
                }
            }
        }
    }
    // Taps that stop during the hold, and begin again after it.
    QTest::newRow("taps stop in a 10 s hold") << 300 << 200 << 0 << 4000 << 1000 << 10000 << -1 << -1 << "p";
    QTest::newRow("taps on through a 30 s hold and after") << 300 << 500 << 0 << 33000 << 1000 << 30000 << -1 << -1 << "pc";
    // A recorder that loses every line for a while, then answers again.
    QTest::newRow("lines lost for 3 s, taps after") << 300 << 200 << 4500 << 8000 << -1 << 0 << 1000 << 4000 << "";
    QTest::newRow("lines lost for 3 s among pushes, taps after")
        << 450 << 500 << 4500 << 8000 << -1 << 0 << 1000 << 4000 << "pc";
    QTest::newRow("lines lost for 30 s, taps before and after")
        << 300 << 200 << 0 << 34000 << -1 << 0 << 1500 << 31500 << "p";
    QTest::newRow("held 4 s, then lines lost for 3 s") << 300 << 200 << 0 << 12000 << 1000 << 4000 << 6000 << 9000 << "p";
}

void TstAskedValue::heldThenAnswered()
{
    QFETCH(int, gap);
    QFETCH(int, late);
    QFETCH(int, tapsFrom);
    QFETCH(int, tapsTo);
    QFETCH(int, holdAt);
    QFETCH(int, holdFor);
    QFETCH(int, dropFrom);
    QFETCH(int, dropTo);
    QFETCH(QString, pushes);

    OrderRig rig(true);
    struct Report
    {
        qint64 due;
        QString text;
        int line; // the line it answers; 0 for a push
    };
    std::deque<Report> onTheWay;
    int lines = 0;          // lines written; a line's place in the order is its number
    QSet<int> answered;     // lines whose answer has come
    int recorder = 0;       // the recorder's pitch, in tenths
    int shown = 0;          // the pitch the last report showed
    int asked = 0;          // the line of the user's last request
    int report = 0;         // the line the report being read answers
    QList<int> sent;        // the pitch the taps set, in order
    bool dropping = false;
    const auto pitch = [](int tenths) { return QStringLiteral("A5%1").arg(tenths, 4, 10, QLatin1Char('0')); };
    const auto answer = [&](qint64 now, const QString& text, int line) {
        qint64 due = now + late;
        // What was held goes out one report every 10 ms, the taps going on.
        const bool held = holdAt >= 0 && due >= holdAt && due < holdAt + holdFor;
        if (held)
            due = holdAt + holdFor;
        if (!onTheWay.empty())
            due = std::max(due, onTheWay.back().due + (held ? 10 : 0));
        onTheWay.push_back({ due, text, line });
    };
    const auto write = [&](qint64 now, const QByteArray& line, const QString& reply) {
        rig.order.written(line + "\r\n");
        ++lines;

        if (!dropping)
            answer(now, reply, lines);
    };
    qint64 now = 0;
    // The markers and the queries of the pitch the order asks for.
    rig.order.send = [&](const char* text) {
        const QByteArray line = QByteArray(text).trimmed();
        write(now, line, line == "07F6A64" ? QStringLiteral("FF6AE400") : line == "056" ? QStringLiteral("D600") : pitch(recorder));
    };
    rig.order.clock = [&] { return now; };
    rig.order.onAnswer = [&](quint64 place, quint64) {
        if (report)
            QVERIFY2(int(place) <= report, qPrintable(QStringLiteral("line %1's answer taken for line %2").arg(report).arg(place)));
    };
    bool endedEarly = false;
    QObject::connect(&rig.asked, &AskedValue::settled, [&] {
        // Ended by the report being read, or by a later one's line: its own
        // line's answer has come. Where lines were dropped, the report being
        // read answers that line or a later one, or is one the recorder
        // pushed with the value set.
        if (dropFrom < 0 ? !answered.contains(asked) : report && report < asked)
            endedEarly = true;
    });

    // The application writes until `end`; then what is on its way comes.
    const qint64 end = std::max<qint64>(tapsTo, holdAt + holdFor) + 2000;
    for (now = 0; now <= end || !onTheWay.empty(); now += 10) {
        QCoreApplication::processEvents(); // a query asked for goes
        rig.order.checkProgress();
        dropping = dropFrom >= 0 && now >= dropFrom && now < dropTo;
        while (!onTheWay.empty() && onTheWay.front().due <= now) {
            const Report r = onTheWay.front();
            onTheWay.pop_front();
            report = r.line;
            if (r.line)
                answered.insert(r.line);
            if (r.text.startsWith(QLatin1String("A5")))
                shown = r.text.mid(2).toInt();
            rig.order.answered(r.text);
            QVERIFY(!endedEarly);
            if (QTest::currentTestFailed())
                return;
        }
        if (now > end)
            continue;
        if (now % 1000 == 0)
            write(now, "050", QStringLiteral("D010"));
        if (now % 500 == 0)
            write(now, "055", QStringLiteral("D5000100"));
        if (pushes.contains('p') && now % 130 == 0) {
            answer(now, pitch(recorder), 0);
            answer(now, QStringLiteral("D010"), 0);
        }
        if (pushes.contains('c') && now == 2000) {
            recorder = 50;
            answer(now, pitch(recorder), 0);
        }
        if (now >= tapsFrom && now < tapsTo && (now - tapsFrom) % gap == 0) {
            const int value = (rig.asked.waiting() ? rig.asked.value().toInt() : shown) + 1;
            sent << value;
            write(now, "025" + QByteArray::number(value).rightJustified(4, '0'), pitch(value));
            if (!dropping)
                recorder = value;
            rig.asked.asked(value);
            asked = lines;
        }
    }
    QVERIFY(onTheWay.empty());
    // One line per tap, each one step above the one before (or above the
    // other controller's value, where that showed when the user tapped).
    for (int i = 0; i < sent.size(); ++i) {
        if (sent.at(i) != (i ? sent.at(i - 1) : 0) + 1)
            QVERIFY2(pushes.contains('c') && sent.at(i) == 51, qPrintable(QString::number(i)));
    }
    QVERIFY2(!rig.asked.waiting(), qPrintable(QStringLiteral("%1 lines waiting, %2 markers asked")
                                                   .arg(rig.order.unanswered()).arg(rig.order.markersAsked())));
    QCOMPARE(recorder, sent.last());
    QCOMPARE(shown, recorder);
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
    rig.order.send = nullptr; // matching alone, no markers
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
    // And the order still works: the lines are there; once the next two lines
    // have their answers too, three in a row, the oldest is given up and the
    // pitch line has its answer.
    QCOMPARE(rig.order.unanswered(), lines);
    rig.order.fences = false;
    rig.asked.asked(1);
    rig.order.answered(QStringLiteral("D5000100"));
    QVERIFY(rig.asked.waiting());
    rig.order.answered(QStringLiteral("D5000100"));
    QVERIFY(!rig.asked.waiting());
    QCOMPARE(rig.order.unanswered(), lines - 4);
}

QTEST_GUILESS_MAIN(TstAskedValue)
#include "tst_askedvalue.moc"
