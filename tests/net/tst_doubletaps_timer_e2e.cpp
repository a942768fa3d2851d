// A person's quick double tap on the timer-event tab of the real window,
// logged in to a simulated recorder answering at once and late: on "+", on a
// row's ON/OFF switch, on the filter key and on the boxes of the focused row
// that open a window, the second tap is one with the first. "+" adds one
// event, the switch writes once, and the window opened stays open with
// nothing chosen in it. "+" adds one event for three quick taps and for a
// finger's taps too. The calendar's month keys count both taps, a finger's
// as well. A single tap does what it always did.
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstDoubleTapsTimerE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase() { rig.stop(); }
    void addEventOnce_data();
    void addEventOnce();
    void switchOnce_data();
    void switchOnce();
    void windowStaysOpen_data();
    void windowStaysOpen();
    void monthKeysCountBothTaps();
    void closesWithoutQmlWarnings()
    {
        rig.close();
        QCOMPARE(windowrig::takeWarnings(), QStringList());
    }

private:
    // Rows on time and late for a double tap, and a single tap on time.
    static void tapRows();
    void tap(QQuickItem* target, int taps, bool finger = false)
    {
        QVERIFY(finger ? rig.fingerTaps(target, taps) : rig.quickTaps(target, taps));
    }
    QQuickItem* list() const { return rig.shown("timerEventListView"); }
    QQuickItem* rowPart(int index, const QString& name) const { return rig.shown(name, AppRig::rowAt(list(), index)); }
    QStringList timerLines() const
    {
        return rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F47"));
    }
    // Whether the rows show the recorder's events, as many and each on or off.
    bool rowsShowRecorder() const;
    void waitUntilQuiet();
    // What a row shows of its event.
    QString rowFields(int index) const
    {
        const TimerEventObject* row = rig.graph->tev.row(index);
        QStringList fields;
        for (const char* name : { "enable", "eventType", "option", "date", "time", "timeMode", "repeatIntervalTime", "repeatEventCount" })
            fields << row->property(name).toString();
        return fields.join('|');
    }
    // Focuses the first row, so that its boxes open their windows.
    void focusFirstRow();

    sim::TimerEventList* timers = nullptr;
    AppRig rig;
    const QList<sim::SimTimerEvent> sample = sim::TimerEventList::sampleEvents().mid(0, 4);
};

void TstDoubleTapsTimerE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([this](sim::SimRecorder& recorder, sim::RecorderState&) {
        timers = sim::timerEvents(recorder);
        timers->events = sample;
    }));
    QVERIFY(rig.showTab(4));
}

// The tab shows the four sample events, none focused, under the whole list,
// with no window open; the recorder answers at once and its log is empty.
void TstDoubleTapsTimerE2e::init()
{
    rig.recorder->answerLatencyMs = 0;
    for (QObject* loader : rig.window->findChildren<QObject*>(QRegularExpression("^timerEvent.*Loader$")))
        loader->setProperty("active", false);
    rig.item("deleteCheck")->setVisible(false);
    rig.graph->tev.setFocus(-1);
    if (rig.graph->tev.filter() != 0)
        rig.graph->tev.showAll();
    timers->events = sample;
    rig.recorder->sendLineToLoggedIn("0FF47F6");
    QTRY_VERIFY_WITH_TIMEOUT(rowsShowRecorder(), 20000);
    waitUntilQuiet();
    QMetaObject::invokeMethod(list(), "positionViewAtBeginning");
    rig.recorder->clearLog();
}

void TstDoubleTapsTimerE2e::tapRows()
{
    QTest::addColumn<int>("latency");
    QTest::addColumn<int>("taps");
    QTest::addColumn<bool>("finger");
    QTest::newRow("double tap, on time") << 0 << 2 << false;
    QTest::newRow("double tap, late") << 300 << 2 << false;
    QTest::newRow("single tap") << 0 << 1 << false;
}

void TstDoubleTapsTimerE2e::addEventOnce_data()
{
    tapRows();
    QTest::newRow("three taps, on time") << 0 << 3 << false;
    QTest::newRow("three taps, late") << 300 << 3 << false;
    QTest::newRow("finger's double tap, on time") << 0 << 2 << true;
    QTest::newRow("finger's three taps, late") << 300 << 3 << true;
}

bool TstDoubleTapsTimerE2e::rowsShowRecorder() const
{
    const TimerEvent& tev = rig.graph->tev;
    if (tev.events().size() != timers->events.size() || list()->property("count").toInt() != tev.events().size())
        return false;
    for (int i = 0; i < timers->events.size(); ++i) {
        if (tev.row(i)->enable() != (timers->events.at(i).block.at(1) == '1'))
            return false;
    }
    return true;
}

// Until the recorder has received no timer-event line for a while.
void TstDoubleTapsTimerE2e::waitUntilQuiet()
{
    for (int before = -1, now = 0; before != now;) {
        before = timerLines().size();
        QTest::qWait(rig.recorder->answerLatencyMs + 500);
        now = timerLines().size();
    }
}

void TstDoubleTapsTimerE2e::focusFirstRow()
{
    QVERIFY(rig.click(rowPart(0, "rowFocusLower")));
    TRY_COMPARE(rig.graph->tev.focus(), 0);
    waitUntilQuiet();
    rig.recorder->clearLog();
}

// One create line, one new event, and the list read again focuses it.
void TstDoubleTapsTimerE2e::addEventOnce()
{
    QFETCH(int, latency);
    QFETCH(int, taps);
    QFETCH(bool, finger);
    rig.recorder->answerLatencyMs = latency;
    tap(rig.shown("addEvent"), taps, finger);
    QTRY_COMPARE_WITH_TIMEOUT(timers->events.size(), 5, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(rowsShowRecorder(), 20000);
    waitUntilQuiet();

    const QString created = "07F47400100" + QDate::currentDate().toString("yyMMdd") + "000000000100000001";
    QCOMPARE(timerLines().filter("07F474"), QStringList(created));
    QCOMPARE(timers->events.size(), 5);
    QVERIFY(rowsShowRecorder());
    QCOMPARE(rig.graph->tev.focus(), 4);
}

void TstDoubleTapsTimerE2e::switchOnce_data()
{
    QTest::addColumn<int>("latency");
    QTest::addColumn<int>("taps");
    QTest::addColumn<int>("event");
    for (int event : { 0, 2 }) {
        const char* way = event == 0 ? "ON to OFF" : "OFF to ON";
        QTest::addRow("%s, double tap, on time", way) << 0 << 2 << event;
        QTest::addRow("%s, double tap, late", way) << 300 << 2 << event;
        QTest::addRow("%s, single tap", way) << 0 << 1 << event;
    }
}

// One write of the event turned over; the row shows it so.
void TstDoubleTapsTimerE2e::switchOnce()
{
    QFETCH(int, latency);
    QFETCH(int, taps);
    QFETCH(int, event);
    QString turned = sample.at(event).block;
    turned[1] = turned.at(1) == '0' ? '1' : '0';
    const QString switchText = turned.at(1) == '1' ? "ON" : "OFF";
    rig.recorder->answerLatencyMs = latency;
    tap(rowPart(event, "rowSwitch"), taps);
    QTRY_COMPARE_WITH_TIMEOUT(timers->events.at(event).block, turned, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(rowsShowRecorder(), 20000);
    waitUntilQuiet();

    const QString written = "07F4742" + sim::numberField(event + 1) + turned + sample.at(event).option;
    QCOMPARE(timerLines().filter("07F474"), QStringList(written));
    QCOMPARE(timers->events.at(event).block, turned);
    QCOMPARE(rowPart(event, "switchText")->property("text").toString(), switchText);
}

void TstDoubleTapsTimerE2e::windowStaysOpen_data()
{
    QTest::addColumn<int>("latency");
    QTest::addColumn<int>("taps");
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("window");
    // Without the rule, the second tap lands on the filter key again (which
    // closes its window), on the backdrop of the schedule and time windows,
    // and on a file of the playback file picker (which picks it). The type
    // picker's box, under the finger, takes it and does nothing.
    const char* roads[][2] = { { "filterButton", "timerEventFilterLoader" },
                               { "rowSchedule", "timerEventScheduleLoader" },
                               { "rowTimeBox", "timerEventTimeEditLoader" },
                               { "rowOption", "timerEventBrowseLoader" },
                               { "rowTypeBox", "timerEventTypeLoader" } };
    for (const auto& road : roads) {
        QTest::addRow("%s, double tap, on time", road[0]) << 0 << 2 << road[0] << road[1];
        QTest::addRow("%s, double tap, late", road[0]) << 300 << 2 << road[0] << road[1];
        QTest::addRow("%s, single tap", road[0]) << 0 << 1 << road[0] << road[1];
    }
}

// The window opens and stays open; nothing is chosen, nothing written. The
// boxes are those of the first row (a play event), focused first.
void TstDoubleTapsTimerE2e::windowStaysOpen()
{
    QFETCH(int, latency);
    QFETCH(int, taps);
    QFETCH(QString, opener);
    QFETCH(QString, window);
    const bool filter = opener == "filterButton";
    if (!filter)
        focusFirstRow();
    const QString before = rowFields(0);
    rig.recorder->answerLatencyMs = latency;
    tap(filter ? rig.shown(opener) : rowPart(0, opener), taps);
    QTest::qWait(latency + 1000);

    QVERIFY(rig.item(window.toLatin1())->property("active").toBool());
    QCOMPARE(rig.graph->tev.filter(), 0);
    QCOMPARE(rowFields(0), before);
    QCOMPARE(timerLines(), QStringList());
}

// In the schedule window's calendar: a double tap on a month key moves two
// months, a single tap one, a finger's three taps three.
void TstDoubleTapsTimerE2e::monthKeysCountBothTaps()
{
    focusFirstRow();
    QVERIFY(rig.click(rowPart(0, "rowSchedule")));
    TRY_VERIFY(rig.shown("nextMonth"));
    QQuickItem* grid = rig.shown("monthGrid");
    const auto shown = [grid] {
        return QDate(grid->property("year").toInt(), grid->property("month").toInt() + 1, 1);
    };
    const QDate opened = shown();
    QVERIFY(rig.doubleTap(rig.shown("nextMonth")));
    TRY_COMPARE(shown(), opened.addMonths(2));
    QTest::qWait(1000);
    QVERIFY(rig.click(rig.shown("previousMonth")));
    QVERIFY(rig.doubleTap(rig.shown("previousMonth")));
    TRY_COMPARE(shown(), opened.addMonths(-1));
    QTest::qWait(1000);
    QCOMPARE(shown(), opened.addMonths(-1));
    QVERIFY(rig.fingerTaps(rig.shown("nextMonth"), 3));
    TRY_COMPARE(shown(), opened.addMonths(2));
    QTest::qWait(1000);
    QCOMPARE(shown(), opened.addMonths(2));
    QCOMPARE(timerLines(), QStringList());
}

QTEST_MAIN(TstDoubleTapsTimerE2e)
#include "tst_doubletaps_timer_e2e.moc"
