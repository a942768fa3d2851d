// The timer-event model driven by scripted recorder replies, with every write
// captured: list walks, re-reads under a filter, writes and the gating rules.
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

#include "globals.h"
#include "modelrig.h"
#include "recorderstate.h"
#include "timereventcommands.h"

namespace {

const QList<sim::SimTimerEvent> sample = sim::TimerEventList::sampleEvents();

QString nf(int n)
{
    return sim::numberField(n);
}

QString record(int number)
{
    const sim::SimTimerEvent& e = sample.at(number - 1);
    return "FF47D7" + nf(number) + e.block + e.option;
}

// A rig with the edit right, a medium, a stopped transport and play area and
// mode that allow timer events.
struct Rig : ModelRig
{
    Rig()
    {
        g_rootContext = engine.rootContext();
        replies({ "FF6AFE11", "FF0100", "D010", "FF07CF00", "CE00" });
        takeLines();
        // As the screen's availability notice does when it hides.
        QObject::connect(&tev, &TimerEvent::mediaCDChanged, [this] {
            if (!tev.mediaCD())
                tev.startTimerEvent();
        });
    }
    ~Rig() { g_rootContext = nullptr; }

    QStringList timerLines() { return takeLines().filter(QRegularExpression("^07F47")); }
    int published() const
    {
        return engine.rootContext()->contextProperty("timerEventModel").value<QList<QObject*>>().size();
    }
    QString dates() const
    {
        QStringList out;
        for (QObject* o : tev.events())
            out << o->property("date").toString();
        return out.join('|');
    }
    // Steps: "list:N" loads (unless a load is under way), answers the query
    // with events 1..N and forgets the lines so far; "count:N", "rec:K",
    // "reply:LINE", "focus:ROW", "expire" (the select's time-out), "day:N"
    // (the local date N days on), "lock:0|1" (as the screen sets it),
    // "show:N" (the one-day list of the local date N days on), "time:H"
    // (the focused row given H o'clock),
    // "call:METHOD[:ARG]".
    void run(const QStringList& steps)
    {
        for (const QString& step : steps) {
            const QString what = step.section(':', 0, 0), arg = step.section(':', 1);
            if (what == "list") {
                tev.startTimerEvent();
                reply("FF47DDAA0000" + nf(arg.toInt()));
                for (int k = 1; k <= arg.toInt(); ++k)
                    reply(record(k));
                takeLines();
            } else if (what == "count") {
                reply("FF47DDAA0000" + nf(arg.toInt()));
            } else if (what == "rec") {
                reply(record(arg.toInt()));
            } else if (what == "reply") {
                reply(arg);
            } else if (what == "focus") {
                tev.setFocus(arg.toInt());
            } else if (what == "expire") {
                QTimerEvent expiry(tev.getSelectTimerId());
                QCoreApplication::sendEvent(&tev, &expiry);
            } else if (what == "day") {
                tev.today = [day = QDate::currentDate().addDays(arg.toInt())] { return day; };
            } else if (what == "lock") {
                tev.setLocked(arg == "1");
            } else if (what == "time") {
                tev.changeTime(arg.toInt(), 0, 0);
            } else if (what == "show") {
                tev.showDate(tev.today().addDays(arg.toInt()));
            } else {
                const QByteArray method = arg.section(':', 0, 0).toLatin1();
                const QString value = arg.section(':', 1);
                bool isNumber = false;
                const int n = value.toInt(&isNumber);
                const bool ok = value.isEmpty() ? QMetaObject::invokeMethod(&tev, method)
                    : isNumber ? QMetaObject::invokeMethod(&tev, method, Q_ARG(int, n))
                               : QMetaObject::invokeMethod(&tev, method, Q_ARG(QString, value));
                QVERIFY2(ok, method);
            }
        }
    }

    QQmlEngine engine;
    TimerEvent& tev = graph.tev;
};

} // namespace

class TestTimerEventModel : public QObject
{
    Q_OBJECT
private slots:
    void walkFollowsRecordNumbers_data();
    void walkFollowsRecordNumbers();
    void commands_data();
    void commands();
    void heldWritesOnTheFocusedEvent_data();
    void heldWritesOnTheFocusedEvent();
    void lockedTab_data();
    void lockedTab();
    void leavingARowUndoesItsEdits();
};

void TestTimerEventModel::walkFollowsRecordNumbers_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("answered"); // record numbers the recorder answers with
    QTest::addColumn<QStringList>("reads");
    QTest::addColumn<int>("rows");

    const QString r1 = "07F47570100", r2 = "07F47570200", r3 = "07F47570300";
    QTest::newRow("empty list") << 0 << QList<int> {} << QStringList {} << 0;
    QTest::newRow("three events") << 3 << QList<int> { 1, 2, 3 } << QStringList { r1, r2, r3 } << 3;
    QTest::newRow("record without a number") << 3 << QList<int> { 0 } << QStringList { r1 } << 0;
    QTest::newRow("same record twice") << 3 << QList<int> { 1, 1 } << QStringList { r1, r2 } << 1;
    QTest::newRow("number past the count") << 2 << QList<int> { 1, 5 } << QStringList { r1, r2 } << 2;
    QTest::newRow("recorder skips a number") << 3 << QList<int> { 2, 3 } << QStringList { r1, r3 } << 2;
}

// The list is published once, when the walk ends, and the walk always ends.
void TestTimerEventModel::walkFollowsRecordNumbers()
{
    QFETCH(int, count);
    QFETCH(QList<int>, answered);
    QFETCH(QStringList, reads);
    QFETCH(int, rows);
    Rig rig;
    rig.run({ "call:startTimerEvent", "count:" + QString::number(count) });
    for (int number : answered) {
        QCOMPARE(rig.published(), 0);
        rig.reply(number ? "FF47D7" + nf(number) + sample.at(number - 1).block : QStringLiteral("FF47D7"));
    }
    QCOMPARE(rig.timerLines(), QStringList { "07F475DAA0000" } + reads);
    QCOMPARE(rig.published(), rows);
    rig.tev.startTimerEvent(); // idle again: a new load goes out
    QCOMPARE(rig.timerLines(), QStringList { "07F475DAA0000" });
}

void TestTimerEventModel::commands_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QString>("dates"); // of the rows afterwards
    QTest::addColumn<int>("focus");

    const QString all = "07F475DAA0000", today = "07F475DDD0000", dates3 = "EVERY DAY|_MTWTF_|2017/10/26";
    const QString ended = "reply:FF47DDDD0000" + nf(3);
    const auto write = [](int row, int event, const QString& enable = QString()) {
        const sim::SimTimerEvent& e = sample.at(event - 1);
        return "07F4742" + nf(row) + (enable.isEmpty() ? e.block : enable + e.block.mid(2)) + e.option;
    };
    const QStringList reread = { "call:showToday", "list:3", "focus:1", "reply:FF47D5" + nf(6) };
    QTest::newRow("one load at a time") << QStringList { "call:startTimerEvent", "call:startTimerEvent" }
                                        << QStringList { all } << "" << -1;
    QTest::newRow("play area FOLDER") << QStringList { "reply:FF07CF01", "call:startTimerEvent" } << QStringList {}
                                      << "" << -1;
    QTest::newRow("no edit right, then a grant")
        << QStringList { "reply:FF6AFE10", "call:startTimerEvent", "reply:FF6AFE11", "call:startTimerEvent" }
        << QStringList { all } << "" << -1;
    QTest::newRow("edit right lost in a walk") << QStringList { "call:startTimerEvent", "reply:FF6AFE10", "count:3",
                                                                "reply:FF6AFE11", "call:startTimerEvent" }
                                               << QStringList { all, all } << "" << -1;
    QTest::newRow("delete all") << QStringList { "list:3", "focus:1", "call:deleteItem:-1" }
                                << QStringList { "07F47440000" } << dates3 << -1;
    QTest::newRow("a Save refused on a locked tab does not stay on its row")
        << QStringList { "list:3", "lock:1", "focus:1", "call:changeWeek:_M_____", "call:updateEvent", "focus:0" }
        << QStringList {} << dates3 << 0;
    QTest::newRow("rows out of range") << QStringList { "list:3", "call:deleteItem:3", "call:changeEnable:-1", "focus:5" }
                                       << QStringList {} << dates3 << -1;
    QTest::newRow("focus without filter") << QStringList { "list:3", "focus:1" } << QStringList {} << dates3 << 1;
    QTest::newRow("re-read under a filter")
        << QStringList { "call:showToday", "list:3", "focus:1", "reply:FF47D5" + nf(6), "count:11", "rec:6", ended }
        << QStringList { "07F47550200", all, "07F47570600", today } << "EVERY DAY|S_____S|2017/10/26" << 1;
    QTest::newRow("focus moved during a re-read")
        << QStringList { "call:showToday", "list:3", "focus:1", "reply:FF47D5" + nf(6), "focus:2", "count:11",
                         "rec:6", ended }
        << QStringList { "07F47550200", all, "07F47570600", today } << dates3 << 2;
    QTest::newRow("focus moved while the list is read again")
        << QStringList { "call:showToday", "list:3", "call:startTimerEvent", "focus:1", "count:3",
                         "reply:FF47D5" + nf(2), "rec:1", "rec:2", "rec:3" }
        << QStringList { today, "07F47570100", "07F47570200", "07F47570300" } << dates3 << -1;
    QTest::newRow("list rebuilt during a re-read")
        << QStringList { "call:showToday", "list:3", "focus:1", "reply:FF47D5" + nf(6), "call:showAll", "count:11",
                         "reply:FF0101", "list:2", "focus:1", "rec:6" }
        << QStringList {} << "EVERY DAY|_MTWTF_" << 1;
    QTest::newRow("written event out of the list") << QStringList { "reply:FF47C0" + nf(9), "list:3" }
                                                   << QStringList {} << dates3 << -1;
    QTest::newRow("filter change in a walk reloads after it")
        << QStringList { "call:startTimerEvent", "count:2", "call:showToday", "rec:1", "rec:2" }
        << QStringList { all, "07F47570100", "07F47570200", today } << "" << -1;
    QTest::newRow("change notice in a walk reads the list again at once")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "reply:FF47F6", "reply:F2", "count:2", "rec:1",
                         "rec:2" }
        << QStringList { all, "07F47570100", "07F47570200", all, "07F47570100", "07F47570200" } << "EVERY DAY|_MTWTF_"
        << -1;
    QTest::newRow("unanswered select given up after a while")
        << QStringList { "call:showToday", "list:3", "focus:2", "reply:F2", "expire", "count:3", "rec:1", "rec:2", "rec:3" }
        << QStringList { "07F47550300", today, "07F47570100", "07F47570200", "07F47570300" } << dates3 << -1;
    QTest::newRow("unanswered select gives way to a load")
        << QStringList { "call:showToday", "list:3", "focus:2", "call:showAll", "count:2", "rec:1", "rec:2",
                         "reply:FF47D5" + nf(8) }
        << QStringList { "07F47550300", all, "07F47570100", "07F47570200" } << "EVERY DAY|_MTWTF_" << -1;
    QTest::newRow("two requests held during a re-read go out in order")
        << reread + QStringList { "call:changeEnable:2", "call:updateEvent", "count:11", "rec:6", ended }
        << QStringList { "07F47550200", all, "07F47570600", today, write(3, 3, "01"), write(2, 2), today }
        << "EVERY DAY|S_____S|2017/10/26" << 1;
    QTest::newRow("filter change during a re-read: the save keeps the rows' numbering")
        << reread + QStringList { "call:showAll", "call:updateEvent", "count:11", "rec:6", ended }
        << QStringList { "07F47550200", all, "07F47570600", today, write(2, 2), all } << "EVERY DAY|S_____S|2017/10/26"
        << 1;
    QTest::newRow("new day under the today filter: read again, the switch dropped")
        << QStringList { "call:showToday", "list:3", "day:1", "call:changeEnable:2", "count:2", "rec:1", "rec:2" }
        << QStringList { today, "07F47570100", "07F47570200" } << "EVERY DAY|_MTWTF_" << -1;
    QTest::newRow("medium CD and back in a walk: one walk, the whole list")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "reply:FF0111", "reply:FF0100", "rec:2", "count:3",
                         "count:3", "rec:1", "rec:2", "rec:3" }
        << QStringList { all, "07F47570100", "07F47570200", all, "07F47570100", "07F47570200", "07F47570300" } << dates3
        << -1;
    QTest::newRow("short record is off")
        << QStringList { "call:startTimerEvent", "count:1", "reply:FF47D70100", "call:changeEnable:0" }
        << QStringList { all, "07F47570100", "07F4742010001" + QString(26, '0'), all }
        << "EVERY DAY" << -1;
    QTest::newRow("no status empties the list, a status reads it again")
        << QStringList { "list:3", "reply:D000", "reply:D010", "count:1", "rec:1" } << QStringList { all, "07F47570100" }
        << "EVERY DAY" << -1;
    // Record `number` of the recorder's list holding sample event `event`.
    const auto holding = [](int number, int event) {
        const sim::SimTimerEvent& e = sample.at(event - 1);
        return "reply:FF47D7" + nf(number) + e.block + e.option;
    };
    // The application's own delete or add moves the recorder's numbering: a
    // numbered command tapped before the list has been read again is held,
    // and dropped when its number names another event by then.
    QTest::newRow("switch after a delete, before the reload's count")
        << QStringList { "list:3", "call:deleteItem:0", "reply:FF47C4" + nf(1), "reply:FF47F6", "call:changeEnable:1",
                         "count:2", holding(1, 2), holding(2, 3) }
        << QStringList { "07F47440100", all, "07F47570100", "07F47570200" } << "_MTWTF_|2017/10/26" << -1;
    QTest::newRow("switch after a delete, before its change notice")
        << QStringList { "list:3", "call:deleteItem:0", "call:changeEnable:1", "reply:FF47C4" + nf(1), "reply:FF47F6",
                         "count:2", holding(1, 2), holding(2, 3) }
        << QStringList { "07F47440100", all, "07F47570100", "07F47570200" } << "_MTWTF_|2017/10/26" << -1;
    // The added event comes last: the third row still names the same event.
    // The fourth read is not what was added: it is not focused.
    QTest::newRow("delete after an add, before the reload's count")
        << QStringList { "list:3", "call:createNewEvent", "reply:FF47C0" + nf(4), "reply:FF47F6", "call:deleteItem:2",
                         "count:4", "rec:1", "rec:2", "rec:3", "rec:4" }
        << QStringList { "07F47400100" + QDate::currentDate().toString("yyMMdd") + "000000000100000001", all,
                         "07F47570100", "07F47570200", "07F47570300", "07F47570400", "07F47440300" }
        << dates3 + "|2018/00/15" << -1;

    QTest::newRow("a switch held behind a delete waits for the list read after it")
        << reread + QStringList { "call:deleteItem:0", "call:changeEnable:1", "count:11", "rec:6", ended, "count:2",
                                  holding(1, 2), holding(2, 3) }
        << QStringList { "07F47550200", all, "07F47570600", today, "07F47440100", today, "07F47570100", "07F47570200" }
        << "_MTWTF_|2017/10/26" << -1;
    QTest::newRow("the list read again after a delete numbers the rows")
        << QStringList { "list:3", "call:deleteItem:0", "reply:FF47F6", "count:2", "rec:1", "rec:2", "call:changeEnable:1" }
        << QStringList { "07F47440100", all, "07F47570100", "07F47570200", write(2, 2, "00"), all } << "EVERY DAY|_MTWTF_"
        << -1;
    // A list query sent after the rows were read (the change notice's) and a
    // save while a filter is active (the event may leave the list) make the
    // rows' numbers stale until a listing read after them: numbered taps
    // meanwhile wait, and go out only where their number still names the
    // event they were made on.
    const QStringList readAgain = reread + QStringList { "count:11", "rec:6", ended };
    const QString reread6 = "07F47550200", read6 = "07F47570600";
    const auto reads = [](int count) {
        QStringList lines;
        for (int n = 1; n <= count; ++n)
            lines << "07F4757" + nf(n);
        return lines;
    };
    QTest::newRow("save under a filter moves the event out: a second save done already, a switch made before the reload dropped")
        << readAgain + QStringList { "call:changeWeek:_M_____", "call:updateEvent", "call:updateEvent", "call:changeEnable:2",
                                     "reply:FF47C2" + nf(3), "reply:FF47F6", "count:2", holding(1, 1), holding(2, 3) }
        << QStringList { reread6, all, read6, today, "07F4742" + nf(2) + "010000000082" + sample.at(5).block.mid(12)
                             + sample.at(5).option, today } + reads(2)
        << "EVERY DAY|2017/10/26" << -1;
    QTest::newRow("switch and delete during a reload of the same list go out: their events kept their numbers")
        << QStringList { "list:3", "reply:FF47F6", "call:changeEnable:1", "call:deleteItem:2", "count:3", "rec:1", "rec:2",
                         "rec:3" }
        << QStringList { all } + reads(3) + QStringList { write(2, 2, "00"), "07F47440300", all } << dates3 << -1;
    QTest::newRow("switch during a reload of the same list is dropped: its event moved")
        << QStringList { "list:3", "reply:FF47F6", "call:changeEnable:1", "count:3", holding(1, 1), holding(2, 3),
                         holding(3, 2) }
        << QStringList { all } + reads(3) << "EVERY DAY|2017/10/26|_MTWTF_" << -1;
    QTest::newRow("a save held during a reload under a filter goes out, the switch behind it after the next listing")
        << readAgain + QStringList { "reply:FF47F6", "call:updateEvent", "call:changeEnable:0", "count:3", holding(1, 1),
                                     holding(2, 6), holding(3, 3), "count:3", "rec:1", "rec:2", "rec:3" }
        << QStringList { reread6, all, read6, today, today } + reads(3) + QStringList { write(2, 6), today } + reads(3)
            + QStringList { write(1, 1, "00"), today }
        << dates3 << -1;
    QTest::newRow("change notice during a re-read: a switch held meanwhile waits for the list read again")
        << reread + QStringList { "call:changeEnable:2", "reply:FF47F6", "count:11", "rec:6", ended, "count:3", "rec:1",
                                  "rec:2", "rec:3" }
        << QStringList { reread6, all, read6, today, today } + reads(3) + QStringList { write(3, 3, "01"), today } << dates3
        << -1;
    QTest::newRow("nothing held forever: a switch whose list comes back empty is dropped")
        << QStringList { "list:3", "reply:FF47F6", "call:changeEnable:1", "count:0", "call:startTimerEvent" }
        << QStringList { all, all } << "" << -1;
    QTest::newRow("change notice before the count is answered by it")
        << QStringList { "call:startTimerEvent", "reply:FF47F6", "count:1", "rec:1" }
        << QStringList { all, "07F47570100" } << "EVERY DAY" << -1;
    // The list read after a switch focuses the event switched, unless the
    // row it was answered with holds another event by then.
    const QStringList switched = { "list:3", "call:changeEnable:2", "reply:FF47C2" + nf(3), "reply:FF47F6", "count:3",
                                   "rec:1", "rec:2" };
    const sim::SimTimerEvent& third = sample.at(2);
    QTest::newRow("switch read back as written: focused")
        << switched + QStringList { "reply:FF47D7" + nf(3) + "01" + third.block.mid(2) + third.option }
        << QStringList { write(3, 3, "01"), all } + reads(3) << dates3 << 2;
    QTest::newRow("switch changed elsewhere before the list is read: nothing focused")
        << switched + QStringList { "rec:3" } << QStringList { write(3, 3, "01"), all } + reads(3) << dates3 << -1;
}

void TestTimerEventModel::commands()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, sent);
    QFETCH(QString, dates);
    QFETCH(int, focus);
    Rig rig;
    rig.run(steps);
    QCOMPARE(rig.timerLines(), sent);
    if (!dates.isEmpty())
        QCOMPARE(rig.dates(), dates);
    QCOMPARE(rig.tev.focus(), focus);
}

void TestTimerEventModel::heldWritesOnTheFocusedEvent_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("written"); // the writes and deletes sent
    QTest::addColumn<int>("told");            // drops reported

    const auto holding = [](int number, int event) {
        const sim::SimTimerEvent& e = sample.at(event - 1);
        return "reply:FF47D7" + nf(number) + e.block + e.option;
    };
    const auto write = [](int row, int event, const QString& enable = QString()) {
        const sim::SimTimerEvent& e = sample.at(event - 1);
        return "07F4742" + nf(row) + (enable.isEmpty() ? e.block : enable + e.block.mid(2)) + e.option;
    };
    // Today's three events, the second focused and read again from the whole
    // list, where it is the sixth.
    const QStringList reread = { "call:showToday", "list:3", "focus:1", "reply:FF47D5" + nf(6), "count:11" };
    const QString counted2 = "reply:FF47DDDD0000" + nf(2), counted3 = "reply:FF47DDDD0000" + nf(3);
    // It is read as sample event 6 and given Monday alone, which takes it out
    // of today's list, and saved; a second tap follows before the list is read.
    const QStringList moved = reread + QStringList { holding(6, 6), counted3, "call:changeWeek:_M_____", "call:updateEvent" };
    const QString movedWrite = "07F4742" + nf(2) + "010000000082" + sample.at(5).block.mid(12) + sample.at(5).option;

    QTest::newRow("Save again of what the accepted first Save wrote, the event gone from the list: done")
        << moved + QStringList { "call:updateEvent", "reply:FF47C2" + nf(3), "reply:FF47F6", "count:2", holding(1, 1),
                                 holding(2, 3) }
        << QStringList { movedWrite } << 0;
    QTest::newRow("Save again, tapped twice more, the saved event read in another row of today's list: done")
        << moved + QStringList { "call:updateEvent", "call:updateEvent", "reply:FF47C2" + nf(3), "reply:FF47F6", "count:3",
                                 holding(1, 1), holding(2, 3), "reply:FF47D7" + nf(3) + movedWrite.mid(11) }
        << QStringList { movedWrite } << 0;
    QTest::newRow("Save again after the first Save was refused: the event is still there, written again")
        << moved + QStringList { "call:updateEvent", "count:3", holding(1, 1), holding(2, 6), holding(3, 3) }
        << QStringList { movedWrite, movedWrite } << 0;
    QTest::newRow("Save again with another option: dropped, the event has left the list")
        << moved + QStringList { "call:changeOption:x", "call:updateEvent", "reply:FF47C2" + nf(3), "reply:FF47F6",
                                 "count:2", holding(1, 1), holding(2, 3) }
        << QStringList { movedWrite } << 1;
    QTest::newRow("Save again once the list has been read between: written again")
        << moved + QStringList { "reply:FF47C2" + nf(3), "reply:FF47F6", "count:3", holding(1, 1), holding(2, 6),
                                 holding(3, 3), "focus:1", "reply:FF47D5" + nf(6), "count:11", holding(6, 6), counted3,
                                 "call:changeWeek:_M_____", "call:updateEvent" }
        << QStringList { movedWrite, movedWrite } << 0;
    // The whole list, its second event given Monday alone and saved; the
    // recorder takes the write and tells of the change, and Save is tapped
    // again before the list is read again. Done only where the list read
    // then shows what the first Save wrote.
    const QString edited = "010200000082" + sample.at(1).block.mid(12), editedWrite = "07F4742" + nf(2) + edited;
    const QStringList savedTwice = { "list:3", "focus:1", "call:changeWeek:_M_____", "call:updateEvent",
                                     "reply:FF47C2" + nf(2), "reply:FF47F6", "call:updateEvent", "count:3", "rec:1" };
    QTest::newRow("Save again, the event put back as read by another controller: written again")
        << savedTwice + QStringList { "rec:2", "rec:3" } << QStringList { editedWrite, editedWrite } << 0;
    QTest::newRow("Save again, the event given other content by another controller: dropped")
        << savedTwice + QStringList { holding(2, 5), "rec:3" } << QStringList { editedWrite } << 1;
    QTest::newRow("Save again, the list read shows what the first Save wrote: done")
        << savedTwice + QStringList { "reply:FF47D7" + nf(2) + edited, "rec:3" } << QStringList { editedWrite } << 0;
    // An event added between the two Saves takes the second row of the list
    // read again: the row says nothing of the saved event any more.
    QTest::newRow("Save again after an add that moved the saved event on: done")
        << QStringList { "list:3", "focus:1", "call:changeWeek:_M_____", "call:updateEvent", "call:createNewEvent",
                         "reply:FF47C2" + nf(2), "reply:FF47F6", "call:updateEvent", "reply:FF47C0" + nf(2), "count:4",
                         "rec:1", holding(2, 4), "reply:FF47D7" + nf(3) + edited, "rec:3" }
        << QStringList { editedWrite } << 0;
    // Another controller deletes the focused event while it is read again:
    // the whole list's sixth is then another event, the one that takes the
    // row once the list is read again. A switch tapped meanwhile names the
    // deleted event.
    QTest::newRow("re-read told of a change: the switch dropped")
        << reread + QStringList { "call:changeEnable:1", "reply:FF47F6", holding(6, 3), counted2, "count:2",
                                  holding(1, 1), holding(2, 3) }
        << QStringList {} << 1;
    QTest::newRow("re-read untold, the list shorter when counted again: the switch dropped")
        << reread + QStringList { "call:changeEnable:1", holding(6, 3), counted2, "count:2", holding(1, 1),
                                  holding(2, 3) }
        << QStringList {} << 1;
    QTest::newRow("re-read told of a change, the count unchanged: the event read teaches nothing")
        << reread + QStringList { "call:changeEnable:1", "reply:FF47F6", holding(6, 6), counted3, "count:3",
                                  holding(1, 1), holding(2, 6), holding(3, 3) }
        << QStringList {} << 1;
    QTest::newRow("re-read with the list unchanged: the switch goes to the event as read")
        << reread + QStringList { "call:changeEnable:1", holding(6, 6), counted3 }
        << QStringList { write(2, 2, "00") } << 0;

    // One user, the list answer late: an event given a week (Monday "82",
    // Tuesday "84") and saved, then more taps on the rows shown. The last
    // write on the event is the user's last word, or the user is told.
    const auto weekly = [](int event, const QString& week) {
        const QString block = sample.at(event - 1).block;
        return block.left(4) + "000000" + week + block.mid(12);
    };
    const auto switched = [](const QString& block) { return (block.startsWith("01") ? "00" : "01") + block.mid(2); };
    const auto writeOf = [](int number, int event, const QString& block) {
        return "07F4742" + nf(number) + block + sample.at(event - 1).option;
    };
    const auto recordOf = [](int number, int event, const QString& block) {
        return "reply:FF47D7" + nf(number) + block + sample.at(event - 1).option;
    };
    const QString mon = weekly(2, "82"), tue = weekly(2, "84"), mon3 = weekly(3, "82"), mon6 = weekly(6, "82");
    const QStringList savedMon = { "list:3", "focus:1", "call:changeWeek:_M_____", "call:updateEvent",
                                   "reply:FF47C2" + nf(2), "reply:FF47F6" };
    const QStringList readMon = { "count:3", "rec:1", recordOf(2, 2, mon), "rec:3" };
    const QStringList readAfterDelete = { "count:2", "rec:1", holding(2, 3) };
    const QString saveMon = "call:changeWeek:_M_____", saveTue = "call:changeWeek:__T____", save = "call:updateEvent";
    QTest::newRow("Save A, Save B, Save A again: each goes, the last too")
        << savedMon + QStringList { saveTue, save, saveMon, save } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, tue), writeOf(2, 2, mon) } << 0;
    QTest::newRow("Save A, the edit undone by hand, Save again: the event as it was goes back")
        << savedMon + QStringList { "call:changeWeek:_MTWTF_", save } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, sample.at(1).block) } << 0;
    QTest::newRow("Save A, its switch, Save A again: the last goes")
        << savedMon + QStringList { "call:changeEnable:1", save } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(mon)), writeOf(2, 2, mon) } << 0;
    QTest::newRow("today: Save A, its switch, Save A again: the last goes")
        << reread + QStringList { holding(6, 6), counted3, saveMon, save, "reply:FF47C2" + nf(2), "reply:FF47F6",
                                  "call:changeEnable:1", save, counted3, holding(1, 1), recordOf(2, 6, mon6), holding(3, 3) }
        << QStringList { writeOf(2, 6, mon6), writeOf(2, 6, switched(mon6)), writeOf(2, 6, mon6) } << 0;
    QTest::newRow("Save A, another row's switch, Save A again: done")
        << savedMon + QStringList { "call:changeEnable:2", save } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(3, 3, switched(sample.at(2).block)) } << 0;
    QTest::newRow("today: the switch tapped twice: done")
        << QStringList { "call:showToday", "list:3", "call:changeEnable:1", "call:changeEnable:1", "reply:FF47C2" + nf(2),
                         "reply:FF47F6", counted3, holding(1, 1), recordOf(2, 2, switched(sample.at(1).block)), holding(3, 3) }
        << QStringList { writeOf(2, 2, switched(sample.at(1).block)) } << 0;
    QTest::newRow("Save, Delete, Save again on its row: told")
        << savedMon + QStringList { "call:deleteItem:1", "focus:1", saveMon, save } + readMon + readAfterDelete
        << QStringList { writeOf(2, 2, mon), "07F47440200" } << 1;
    QTest::newRow("twin events: Save, Delete, Save B on its row: told, the twin untouched")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "rec:2", holding(3, 2), "focus:1", saveMon, save,
                         "reply:FF47C2" + nf(2), "reply:FF47F6", "call:deleteItem:1", "focus:1", saveTue, save, "count:3",
                         "rec:1", recordOf(2, 2, mon), holding(3, 2), "count:2", "rec:1", holding(2, 2) }
        << QStringList { writeOf(2, 2, mon), "07F47440200" } << 1;
    QTest::newRow("twin events: Delete tapped again on its row: done, the twin kept")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "rec:2", holding(3, 2), "call:deleteItem:1",
                         "call:deleteItem:1", "reply:FF47C4" + nf(2), "reply:FF47F6", "count:2", "rec:1", holding(2, 2) }
        << QStringList { "07F47440200" } << 0;
    QTest::newRow("Save A, Delete all, Save A again: told")
        << savedMon + QStringList { "call:deleteItem:-1", "focus:1", save, "count:3", "reply:FF47F6", "count:0" }
        << QStringList { writeOf(2, 2, mon), "07F47440000" } << 1;
    QTest::newRow("Save A, Delete of an earlier row, Save A again: done")
        << QStringList { "list:3", "focus:2", saveMon, save, "reply:FF47C2" + nf(3), "reply:FF47F6", "call:deleteItem:0",
                         "focus:2", saveMon, save, "count:3", "rec:1", "rec:2", recordOf(3, 3, mon3), "count:2", holding(1, 2),
                         recordOf(2, 3, mon3) }
        << QStringList { writeOf(3, 3, mon3), "07F47440100" } << 0;
    QTest::newRow("Save, another row, the switch: the saved content switched")
        << savedMon + QStringList { "focus:0", "call:changeEnable:1" } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(mon)) } << 0;
    QTest::newRow("Save, another edit, Cancel, the switch: the saved content switched")
        << savedMon + QStringList { saveTue, "call:cancelUpdate", "call:changeEnable:1" } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(mon)) } << 0;
    QTest::newRow("Save A, the filter changed, Save A again on the rows shown: done")
        << QStringList { "list:3", "focus:1", saveMon, save, "call:showToday", save, "reply:FF47C2" + nf(2),
                         "reply:FF47F6", counted2, holding(1, 1), holding(2, 3) }
        << QStringList { writeOf(2, 2, mon) } << 0;
    QTest::newRow("Save A, the list read, Save A again: written again")
        << savedMon + readMon + QStringList { save } << QStringList { writeOf(2, 2, mon), writeOf(2, 2, mon) } << 0;
    QTest::newRow("Save A, another medium, Save A on its rows: written again")
        << savedMon + QStringList { "reply:FF0111", "reply:FF0100", "count:3" } + readMon + QStringList { "focus:1", save }
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, mon) } << 0;

    // A Save that waited and went nowhere leaves its row: the row keeps the
    // last Save that went, or the event as read.
    const QString b2 = sample.at(1).block, notice = "reply:FF47F6";
    const QStringList tueDropped = savedMon + QStringList { saveTue, save, "lock:1", "lock:0" };
    QTest::newRow("Save A went, Save B dropped by a lock, another row, the switch: A switched")
        << tueDropped + QStringList { "focus:0", "call:changeEnable:1" } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(mon)) } << 1;
    QTest::newRow("Save A went, Save B dropped by a lock, Cancel, the switch: A switched")
        << tueDropped + QStringList { "call:cancelUpdate", "call:changeEnable:1" } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(mon)) } << 1;
    QTest::newRow("Save A went, Save B dropped by a lock, the switch of the row still focused: B as shown")
        << tueDropped + QStringList { "call:changeEnable:1" } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(tue)) } << 1;
    QTest::newRow("Save A went, Save B dropped by the home tab, another row, the switch: A switched")
        << savedMon + QStringList { saveTue, save, "reply:FF6AFE10", "lock:1", "reply:FF6AFE11", "lock:0",
                                    "call:startTimerEvent", "focus:0", "call:changeEnable:1" } + readMon
        << QStringList { writeOf(2, 2, mon), writeOf(2, 2, switched(mon)) } << 1;
    QTest::newRow("a first Save dropped by a lock, another row, the switch: the event as read switched")
        << QStringList { "list:3", notice, "focus:1", saveMon, save, "lock:1", "lock:0", "focus:0",
                         "call:changeEnable:1", "count:3", "rec:1", "rec:2", "rec:3" }
        << QStringList { writeOf(2, 2, switched(b2)) } << 1;

    // Twin events, the second and third alike: a request on either, once the
    // rows may have been numbered anew, never reaches the other.
    const QString answered = "reply:FF47C2" + nf(2);
    const QStringList twins = { "call:startTimerEvent", "count:3", "rec:1", "rec:2", holding(3, 2) };
    const QStringList twinSaved = twins + QStringList { "focus:1", saveMon, save, answered, notice };
    const QStringList readTwins = { "count:3", "rec:1", recordOf(2, 2, mon), holding(3, 2) };
    const QStringList readWithoutFirst = { "count:2", recordOf(1, 2, mon), holding(2, 2) };
    QTest::newRow("twins: Save, the first deleted, the switch: told, the twin untouched")
        << twinSaved + QStringList { "call:deleteItem:0", "call:changeEnable:1" } + readTwins + readWithoutFirst
        << QStringList { writeOf(2, 2, mon), "07F47440100" } << 1;
    QTest::newRow("twins: Save, the first deleted, Save B: told, the twin untouched")
        << twinSaved + QStringList { "call:deleteItem:0", "focus:1", saveTue, save } + readTwins + readWithoutFirst
        << QStringList { writeOf(2, 2, mon), "07F47440100" } << 1;
    // Under Today, a Save that gives the first twin another day takes it out.
    const QStringList todaysTwinSaved = { "call:showToday", "count:3", "rec:1", "rec:2", holding(3, 2), "focus:1",
                                          "reply:FF47D5" + nf(2), "count:3", holding(2, 2), counted3, saveMon, save,
                                          answered, notice };
    const QStringList readTodaysTwin = { counted2, holding(1, 1), holding(2, 2) };
    QTest::newRow("today: twins, a Save moves the first out, its switch: told, the twin untouched")
        << todaysTwinSaved + QStringList { "call:changeEnable:1" } + readTodaysTwin
        << QStringList { writeOf(2, 2, mon) } << 1;
    QTest::newRow("today: twins, a Save moves the first out, Save B on its row: told, the twin untouched")
        << todaysTwinSaved + QStringList { saveTue, save } + readTodaysTwin << QStringList { writeOf(2, 2, mon) } << 1;
    // The third already holds what the second is saved with: once the first
    // is deleted, the second's row holds the third, a twin of what it became.
    QTest::newRow("a row that now holds a twin of what its event became: the switch told")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "rec:2", recordOf(3, 2, mon), "focus:1", saveMon,
                         save, answered, notice, "call:deleteItem:0", "call:changeEnable:1", "count:3", "rec:1",
                         recordOf(2, 2, mon), recordOf(3, 2, mon), "count:2", recordOf(1, 2, mon), recordOf(2, 2, mon) }
        << QStringList { writeOf(2, 2, mon), "07F47440100" } << 1;
    QTest::newRow("twins: another controller deletes the first, the switch: told")
        << twins + QStringList { notice, "call:changeEnable:1", "count:2", holding(1, 2), holding(2, 2) }
        << QStringList {} << 1;
    QTest::newRow("twins: both switched: both go")
        << twins + QStringList { "call:changeEnable:1", "call:changeEnable:2", answered, notice, "count:3", "rec:1",
                                 recordOf(2, 2, switched(b2)), holding(3, 2) }
        << QStringList { writeOf(2, 2, switched(b2)), writeOf(3, 2, switched(b2)) } << 0;
    QTest::newRow("twins: a Save on each: both go")
        << twinSaved + QStringList { "focus:2", saveTue, save } + readTwins
        << QStringList { writeOf(2, 2, mon), writeOf(3, 2, weekly(2, "84")) } << 0;
    QTest::newRow("twins: Save, the first deleted, Save again: done")
        << twinSaved + QStringList { "call:deleteItem:0", "focus:1", save } + readTwins + readWithoutFirst
        << QStringList { writeOf(2, 2, mon), "07F47440100" } << 0;

    // Events this application made alike: two adds carry the same event. The
    // first new event is given Monday alone and saved, which takes it out of
    // today's list, and a second add follows before the list is read again:
    // the first's row then holds the second, which no request on it reaches.
    const QString added = "0100" + QDate::currentDate().toString("yyMMdd") + "000000000100000001";
    // As the row writes it back: a play event carries no input code.
    const QString addedRow = added.left(18) + "00" + added.mid(20), addedMon = "0100" "00000082" + addedRow.mid(12);
    const auto addedRecord = [](int number, const QString& block) { return "reply:FF47D7" + nf(number) + block; };
    const auto addedWrite = [](int number, const QString& block) { return "07F4742" + nf(number) + block; };
    const QString add = "call:createNewEvent", addAnswered = "reply:FF47C0" + nf(2);
    const QStringList todayAdded = { "call:showToday", "count:1", "rec:1", add, addAnswered, notice, "count:2",
                                     "rec:1", addedRecord(2, added) };
    // The new event, focused, is read again from the whole list.
    const QStringList addedReread = { "reply:FF47D5" + nf(2), "count:2", addedRecord(2, added), "count:2" };
    const QStringList savedOut = todayAdded + addedReread + QStringList { saveMon, save, add };
    const QStringList readSecond = { answered, addAnswered, notice, "count:2", "rec:1", addedRecord(2, added) };
    const QStringList monWritten = { addedWrite(2, addedMon) };
    QTest::newRow("today: add, Save out of the list, add, the first's switch: told, the second untouched")
        << savedOut + QStringList { "call:changeEnable:1" } + readSecond << monWritten << 1;
    QTest::newRow("today: add, Save out of the list, add, another row, the first's switch: told")
        << savedOut + QStringList { "focus:0", "call:changeEnable:1" } + readSecond << monWritten << 1;
    QTest::newRow("today: add, Save out of the list, add, Save B on the first's row: told")
        << savedOut + QStringList { saveTue, save } + readSecond << monWritten << 1;
    QTest::newRow("today: add, Save out of the list, add, the first's delete: told")
        << savedOut + QStringList { "call:deleteItem:1" } + readSecond << monWritten << 1;
    QTest::newRow("one day of today: add, Save out of the list, add, the first's switch: told")
        << QStringList { "show:0", "count:1", "rec:1", add, addAnswered, notice, "count:2", "rec:1",
                         addedRecord(2, added) }
            + addedReread + QStringList { saveMon, save, add, "call:changeEnable:1" } + readSecond
        << monWritten << 1;
    QTest::newRow("today: Save held behind the new event's read, add, its switch: told")
        << todayAdded + QStringList { "reply:FF47D5" + nf(2), saveMon, save, add, "call:changeEnable:1", "count:2",
                                      addedRecord(2, added), "count:2" } + readSecond
        << monWritten << 1;
    QTest::newRow("today: add, Save out of the list, add, Save again: done")
        << savedOut + QStringList { save } + readSecond << monWritten << 0;
    QTest::newRow("today: add, Save out of the list, add, the other row's switch: goes")
        << savedOut + QStringList { "call:changeEnable:0" } + readSecond
        << monWritten + QStringList { writeOf(1, 1, switched(sample.at(0).block)) } << 0;
    QTest::newRow("today: add, Save kept in the list, add, the first's switch: goes")
        << todayAdded + addedReread + QStringList { "call:changeOption:x", save, add, "call:changeEnable:1", answered,
                                                    addAnswered, notice, "count:3", "rec:1", addedRecord(2, addedRow + "x"),
                                                    addedRecord(3, added) }
        << QStringList { addedWrite(2, addedRow + "x"), addedWrite(2, switched(addedRow) + "x") } << 0;
    QTest::newRow("whole list: add, Save, add, the first's switch: goes")
        << QStringList { "list:1", add, addAnswered, notice, "count:2", "rec:1", addedRecord(2, added), saveMon, save,
                         add, "call:changeEnable:1", answered, addAnswered, notice, "count:3", "rec:1",
                         addedRecord(2, addedMon), addedRecord(3, added) }
        << QStringList { addedWrite(2, addedMon), addedWrite(2, switched(addedMon)) } << 0;
    // Lookalikes made by this application's own writes, with a delete of an
    // earlier row: the row now holds what another event was written to.
    const QString off2 = switched(b2);
    QTest::newRow("alike but for the switch, each switched, the first row deleted, then the first's delete: told")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "rec:2", recordOf(3, 2, off2), "call:changeEnable:1",
                         "call:changeEnable:2", "call:deleteItem:0", "call:deleteItem:1", answered, notice, "count:3",
                         "rec:1", recordOf(2, 2, off2), recordOf(3, 2, off2), "reply:FF47C2" + nf(3),
                         "reply:FF47C4" + nf(1), notice, "count:2", recordOf(1, 2, off2), holding(2, 2) }
        << QStringList { writeOf(2, 2, off2), writeOf(3, 2, b2), "07F47440100" } << 1;
    QTest::newRow("a Save copies the second event onto the third, the first deleted, the second's delete: told")
        << QStringList { "call:startTimerEvent", "count:3", "rec:1", "rec:2", recordOf(3, 2, mon), "focus:1", saveMon,
                         save, "focus:2", "call:changeWeek:_MTWTF_", save, "call:deleteItem:0", "call:deleteItem:1",
                         answered, "reply:FF47C2" + nf(3), "reply:FF47C4" + nf(1), notice, "count:2",
                         recordOf(1, 2, mon), holding(2, 2) }
        << QStringList { writeOf(2, 2, mon), writeOf(3, 2, b2), "07F47440100" } << 1;

    // A delete is known by its event. Today's list shows s1 and s2 of the
    // whole list s1 s3 s2 s4 (sample events 1, 3, 5, 4); the whole list is
    // chosen and both rows deleted before it is read. Once it is, s1's delete
    // goes, and before the list is read again a tap on its rows; then s2's
    // delete goes to the second row of the list read by then.
    const QStringList todaysDeleted = { "call:showToday", counted2, holding(1, 1), holding(2, 5), "call:showAll",
                                        "call:deleteItem:0", "call:deleteItem:1", "count:4", holding(1, 1), holding(2, 3),
                                        holding(3, 5), holding(4, 4) };
    const QStringList s2Deleted = { "count:3", holding(1, 3), holding(2, 5), holding(3, 4),
                                    "count:2", holding(1, 3), holding(2, 4) };
    const QStringList bothDeletes = { "07F47440100", "07F47440200" };
    QTest::newRow("two deletes held, then s3's: not taken for done by s2's at its number, told")
        << todaysDeleted + QStringList { "call:deleteItem:1" } + s2Deleted << bothDeletes << 1;
    QTest::newRow("two deletes held, then s3's switch: told")
        << todaysDeleted + QStringList { "call:changeEnable:1" } + s2Deleted << bothDeletes << 1;
    QTest::newRow("two deletes held, then a Save on s3: told")
        << todaysDeleted + QStringList { "focus:1", "time:9", save } + s2Deleted << bothDeletes << 1;
    QTest::newRow("two deletes held, then s2's delete on the whole list: done")
        << todaysDeleted + QStringList { "call:deleteItem:2" } + s2Deleted << bothDeletes << 0;

    // A Save made on rows before a request's and sent after them, at its row,
    // is its own event's write: the request meets the event as saved.
    const auto timed = [](int event, int hour) {
        const QString block = sample.at(event - 1).block;
        return block.left(12) + QString::number(hour).rightJustified(2, '0') + block.mid(14);
    };
    const QString on1 = switched(sample.at(0).block), s5 = timed(5, 8), s9 = timed(9, 9);
    QTest::newRow("today: a switch, Saves on the second and the third, the third's delete on the next list: goes")
        << QStringList { "call:showToday", counted3, holding(1, 1), holding(2, 5), holding(3, 9), "call:changeEnable:0",
                         "focus:1", "time:8", save, "focus:2", "time:9", save, "reply:FF47C2" + nf(1), counted3,
                         recordOf(1, 1, on1), holding(2, 5), holding(3, 9), "call:deleteItem:2", "reply:FF47C2" + nf(2),
                         counted3, recordOf(1, 1, on1), recordOf(2, 5, s5), holding(3, 9), "reply:FF47C2" + nf(3),
                         counted3, recordOf(1, 1, on1), recordOf(2, 5, s5), recordOf(3, 9, s9) }
        << QStringList { writeOf(1, 1, on1), writeOf(2, 5, s5), writeOf(3, 9, s9), "07F47440300" } << 0;
    const QString a2 = timed(2, 8);
    QTest::newRow("whole list: add, the fourth's delete, a Save on the second, then the third's and its delete: go")
        << QStringList { "list:4", add, "call:deleteItem:3", "focus:1", "time:8", save, "reply:FF47C0" + nf(5), "count:5",
                         "rec:1", "rec:2", "rec:3", "rec:4", addedRecord(5, added), "call:deleteItem:2", "call:deleteItem:1",
                         "count:4", "rec:1", "rec:2", "rec:3", addedRecord(4, added), answered, "count:3", "rec:1",
                         recordOf(2, 2, a2), addedRecord(3, added) }
        << QStringList { "07F47440400", writeOf(2, 2, a2), "07F47440300", "07F47440200" } << 0;
}

// Writes held on the focused event until the list has been read again: done
// already, sent, or dropped and reported, by what the application knows its
// event has become.
void TestTimerEventModel::heldWritesOnTheFocusedEvent()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, written);
    QFETCH(int, told);
    Rig rig;
    QSignalSpy failed(&rig.tev, &TimerEvent::execFailed);
    rig.run(steps);
    QCOMPARE(rig.timerLines().filter(QRegularExpression("^07F474[24]")), written);
    QCOMPARE(failed.count(), told);
}

void TestTimerEventModel::lockedTab_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<int>("told");
    const QString all = "07F475DAA0000", reads = "07F47570100 07F47570200 07F47570300";
    QTest::newRow("what waits is dropped when the tab locks, each told once")
        << QStringList { "list:3", "reply:FF47F6", "call:changeEnable:1", "call:deleteItem:2", "lock:1", "count:3", "rec:1",
                         "rec:2", "rec:3" }
        << (QStringList { all } + reads.split(' ')) << 2;
    QTest::newRow("taps on a locked tab: nothing sent, each told")
        << QStringList { "list:3", "lock:1", "call:changeEnable:1", "call:createNewEvent", "call:deleteItem:-1", "focus:0",
                         "call:updateEvent" }
        << QStringList {} << 4;
    QTest::newRow("locked and unavailable: the list emptied, nothing told")
        << QStringList { "list:3", "lock:1", "reply:FF07CF01", "call:changeEnable:1", "call:createNewEvent" } << QStringList {}
        << 0;
    QTest::newRow("unlocked again: a switch goes out")
        << QStringList { "list:3", "lock:1", "lock:0", "call:changeEnable:1" }
        << QStringList { "07F4742" + nf(2) + "00" + sample.at(1).block.mid(2), all } << 0;
}

// While the screen locks the tab nothing is written: what waits and every
// tap meanwhile is told instead, unless the tab is unavailable as well.
void TestTimerEventModel::lockedTab()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, sent);
    QFETCH(int, told);
    Rig rig;
    QSignalSpy failed(&rig.tev, &TimerEvent::execFailed);
    rig.run(steps);
    QCOMPARE(rig.timerLines(), sent);
    QCOMPARE(failed.count(), told);
}

// Only the fields that were edited are written back, each with one notice.
void TestTimerEventModel::leavingARowUndoesItsEdits()
{
    Rig rig;
    rig.run({ "list:3", "focus:0" });
    auto* row = static_cast<TimerEventObject*>(rig.tev.events().at(0));
    rig.tev.changeTime(1, 2, 3);
    rig.tev.changeDate(QDate(2017, 10, 26), true);
    QCOMPARE(row->date(), QStringLiteral("2017/00/26"));
    rig.tev.changeDate(QDate(1999, 1, 1), false); // the dialogs' "no date"
    rig.tev.changeDate(QDate(), false);
    QCOMPARE(rig.tev.getDateOfFocus(), QStringLiteral("2017/00/26"));
    QSignalSpy time(row, &TimerEventObject::timeChanged), date(row, &TimerEventObject::dateChanged),
        option(row, &TimerEventObject::optionChanged);
    rig.tev.setFocus(1);
    QCOMPARE(row->fields().time, QStringLiteral("07:30:00"));
    QCOMPARE(row->date(), QStringLiteral("EVERY DAY"));
    QCOMPARE((QList<int> { time.count(), date.count(), option.count() }), (QList<int> { 1, 1, 0 }));

    rig.tev.changeRecInput(QString());
    rig.tev.cancelUpdate();
    QCOMPARE(rig.tev.focus(), 1);
    QCOMPARE(rig.tev.row(1)->option(), QStringLiteral("DIGITAL(XLR)"));
    rig.tev.changeOption("x");
    rig.tev.onReadOnlyChanged(true);
    QCOMPARE(rig.tev.focus(), -1);
    QCOMPARE(rig.tev.row(1)->option(), QStringLiteral("DIGITAL(XLR)"));

    // Without a focused row the editing calls change and send nothing.
    rig.run({ "call:updateEvent", "call:cancelUpdate", "call:changeOption:x", "call:changeWeek:SMTWTFS" });
    rig.tev.changeTime(1, 2, 3);
    rig.tev.changeDate(QDate(2020, 1, 1), false);
    QCOMPARE(rig.tev.getDateOfFocus(), QString());
    QCOMPARE(rig.dates() + " " + row->fields().time, QStringLiteral("EVERY DAY|_MTWTF_|2017/10/26 07:30:00"));
    QCOMPARE(rig.timerLines(), QStringList {});
}

QTEST_GUILESS_MAIN(TestTimerEventModel)
#include "tst_timereventmodel.moc"
