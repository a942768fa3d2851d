// Timer-event taps made on rows that may carry old numbers, through the real
// window against a simulated recorder that answers late. A confirmed switch,
// delete or Save whose number no longer names the event the person chose is
// dropped, and the person is told once; a Save still goes when the event
// differs from the row it was made on only by this application's own
// accepted write.
#include <QElapsedTimer>
#include <QtTest>
#include <algorithm>
#include <functional>

#include "apprig.h"
#include "netenv.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstHeldRequestsTimerEvents;
using Step = std::function<void(TstHeldRequestsTimerEvents&)>;
Q_DECLARE_METATYPE(Step)

class TstHeldRequestsTimerEvents : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void cleanup() { rig.stop(); }
    void timerTapDroppedIsTold_data();
    void timerTapDroppedIsTold();
    void timerSecondSaveOnOwnWriteGoes();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    static QString told() { return QStringLiteral("Unable to complete this action."); }
    // No timer-event answer for a while: what the taps led to has happened.
    void quiet()
    {
        int heard = 0;
        const auto counting = connect(&rig.graph->telnet, &Telnet::readyRead, this, [&heard](const QString& line) {
            heard += line.startsWith("FF47");
        });
        QElapsedTimer clock;
        clock.start();
        for (int seen = -1; seen != heard && clock.elapsed() < 20000; QTest::qWait(600))
            seen = heard;
        disconnect(counting);
    }
    // The message shows, goes when tapped, and does not come again.
    void toldOnce(const QString& recorder)
    {
        QVERIFY2(rig.dismissMessage(told()), qPrintable("not told; " + recorder));
        quiet();
        QVERIFY2(!rig.textShown(told()), qPrintable("told again; " + recorder));
    }
    void release()
    {
        rig.recorder->holdAnswersTo = QRegularExpression();
        rig.recorder->releaseAnswers();
    }
    // --- timer-event tab (screen 4) ------------------------------------------
    // Play events on one date (yymmdd), told apart by their hour.
    static QList<sim::SimTimerEvent> playEvents(const QString& date, int count)
    {
        QList<sim::SimTimerEvent> events;
        for (int n = 1; n <= count; ++n)
            events << sim::SimTimerEvent { "0100" + date + "000" + QString::number(n) + QString(12, '0') + "01",
                                           QString("\\TAKE000%1.wav").arg(n) };
        return events;
    }
    void startTimers(const QList<sim::SimTimerEvent>& events)
    {
        QVERIFY(rig.start([&](sim::SimRecorder& recorder, sim::RecorderState&) { sim::timerEvents(recorder)->events = events; }));
        timers = sim::timerEvents(*rig.recorder);
        QVERIFY(rig.showTab(4));
        QVERIFY(listShows(events.size()));
    }
    bool listShows(int count)
    {
        return QTest::qWaitFor([&] {
            QQuickItem* list = rig.shown("timerEventListView");
            return list && list->property("count").toInt() == count && rig.graph->tev.events().size() == count;
        }, 20000);
    }
    QQuickItem* eventRow(int index) const
    {
        QQuickItem* list = rig.shown("timerEventListView");
        if (!list)
            return nullptr;
        QMetaObject::invokeMethod(list, "forceLayout");
        QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 0));
        return AppRig::rowAt(list, index);
    }
    void tapRow(int index, const char* part)
    {
        QQuickItem* row = eventRow(index);
        QVERIFY2(row && rig.click(rig.shown(part, row)), part);
    }
    QString rowText(int index, const char* part) const
    {
        QQuickItem* row = eventRow(index);
        QQuickItem* item = row ? rig.shown(part, row) : nullptr;
        return item ? item->property("text").toString() : QString();
    }
    void clickDay(int day) { QVERIFY(rig.click(rig.shown("day" + QString::number(day), rig.shown("monthGrid")))); }
    // Focuses the row and gives its event this day of the month through the
    // schedule editor; not saved.
    void moveToDay(int index, int day)
    {
        if (rig.graph->tev.focus() != index)
            tapRow(index, "rowFocusLower");
        QTRY_COMPARE(rig.graph->tev.focus(), index);
        tapRow(index, "rowSchedule");
        QTRY_VERIFY(rig.shown("scheduleOk"));
        clickDay(day);
        QVERIFY(rig.click(rig.shown("scheduleOk")));
        QTRY_COMPARE(rowText(index, "rowDate"), QDate::currentDate().toString("yyyy/MM/") + QString::number(day));
    }
    // The recorder's events, block and option, one a line.
    QString blocks() const
    {
        QStringList out;
        for (const sim::SimTimerEvent& e : qAsConst(timers->events))
            out << e.block + " " + e.option;
        return out.join('\n');
    }
    static QString blocks(const QList<sim::SimTimerEvent>& events)
    {
        QStringList out;
        for (const sim::SimTimerEvent& e : events)
            out << e.block + " " + e.option;
        return out.join('\n');
    }

    AppRig rig;
    sim::TimerEventList* timers = nullptr;
};

// One-day filter: event 3 gets the next day and is saved, which takes it out
// of the list; before the list is read again, row 4 is switched or deleted.
// Row 4 is event 5 by then.
void TstHeldRequestsTimerEvents::timerTapDroppedIsTold_data()
{
    QTest::addColumn<QString>("second");
    QTest::newRow("Save, then the switch of row 4") << "switch";
    QTest::newRow("Save, then Delete on row 4 with OK") << "delete";
}

void TstHeldRequestsTimerEvents::timerTapDroppedIsTold()
{
    QFETCH(QString, second);
    const QString filter = QDate::currentDate().toString("yyMM") + "15";
    QList<sim::SimTimerEvent> events = playEvents(filter, 6);
    startTimers(events);
    QVERIFY(rig.click(rig.shown("filterButton")));
    QTRY_VERIFY(rig.shown("filterOk"));
    clickDay(15);
    QVERIFY(rig.click(rig.shown("filterOk")));
    QTRY_COMPARE(rig.graph->tev.filter(), 2);
    quiet(); // the day's list read
    QVERIFY(listShows(6));

    rig.recorder->answerLatencyMs = 200;
    QSignalSpy answers(&rig.graph->telnet, &Telnet::readyRead);
    moveToDay(2, 16);
    events[2].block.replace(4, 6, QDate::currentDate().toString("yyMM") + "16");
    // The focused row's re-read from the whole list ends with its own list counted again.
    QTRY_VERIFY(std::any_of(answers.begin(), answers.end(),
                            [&](const QList<QVariant>& a) { return a.at(0).toString().contains("FF47DD" + filter); }));

    rig.recorder->holdAnswersTo = QRegularExpression("^07F475D");
    tapRow(2, "rowSave");
    QTRY_VERIFY(rig.recorder->holdsAnswers());
    if (second == "switch") {
        tapRow(3, "rowSwitch");
    } else {
        tapRow(3, "rowFocusLower");
        QTRY_COMPARE(rig.graph->tev.focus(), 3);
        tapRow(3, "rowDelete");
        QVERIFY(rig.click(rig.shown("deleteOk")));
    }
    release();
    rig.recorder->answerLatencyMs = 0;
    quiet();
    QVERIFY(listShows(5));
    QCOMPARE(blocks(), blocks(events));
    toldOnce("the recorder's events:\n" + blocks());
}

// All events listed: event 3 gets the next day and is saved; before the list
// is read again, END TIME is chosen for it and it is saved again. The event
// read again differs from the row only by the first Save.
void TstHeldRequestsTimerEvents::timerSecondSaveOnOwnWriteGoes()
{
    QList<sim::SimTimerEvent> events = playEvents(QDate::currentDate().toString("yyMM") + "15", 4);
    startTimers(events);
    rig.recorder->answerLatencyMs = 200;
    moveToDay(2, 16);
    rig.recorder->holdAnswersTo = QRegularExpression("^07F475D");
    tapRow(2, "rowSave");
    QTRY_VERIFY(rig.recorder->holdsAnswers());

    tapRow(2, "rowTypeBox");
    QTRY_VERIFY(rig.shown("typeRow1"));
    QVERIFY(rig.click(rig.shown("typeRow1")));
    QVERIFY(rig.click(rig.shown("typeOk")));
    QTRY_COMPARE(rowText(2, "rowTimeMode"), QStringLiteral("END TIME"));
    tapRow(2, "rowSave");
    release();
    rig.recorder->answerLatencyMs = 0;
    quiet();
    QVERIFY(listShows(4));
    events[2].block.replace(4, 6, QDate::currentDate().toString("yyMM") + "16").replace(20, 2, "01");
    QCOMPARE(blocks(), blocks(events));
    QVERIFY(!rig.textShown(told()));
}

QTEST_MAIN(TstHeldRequestsTimerEvents)
#include "tst_heldrequests_timerevents_e2e.moc"
