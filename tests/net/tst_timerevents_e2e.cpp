// Timer events against a simulated recorder over the real command channel,
// with the edit right held: the list for each filter, the reloads the
// recorder's state causes and edits during re-reads. Creating, editing,
// cancelling, switching and deleting are the window's roads
// (tst_timerevent_editors_e2e, tst_timerevent_screen); the encoding is the
// codec's table.
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "netenv.h"
#include "simlink.h"
#include "timereventcodec.h"
#include "timereventcommands.h"

namespace codec = timereventcodec;

namespace {

QString wire(const sim::SimTimerEvent& e)
{
    return e.block + e.option;
}

QString fieldsText(const TimerEventFields& e)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 [%8]").arg(e.enable).arg(e.eventType).arg(e.date, e.time)
        .arg(e.timeMode).arg(e.repeatIntervalTime).arg(e.repeatEventCount).arg(e.option);
}

} // namespace

class TestTimerEventsE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void listMatchesRecorderForEachFilter_data();
    void listMatchesRecorderForEachFilter();
    void recorderStateReloads();
    void editsLandOnTheirOwnEvent();
    void cleanupTestCase();

private:
    // The application's rows, field for field.
    QStringList appList() const;
    // The recorder's events of a list query's date field, field for field.
    QStringList recorderList(const QString& query) const;
    bool settledOn(const QString& query);

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::TimerEventList* timers = nullptr;
    sim::RecorderState* state = nullptr;
    std::unique_ptr<ObjectGraph> app;
    TimerEvent* tev = nullptr;
};

QStringList TestTimerEventsE2e::appList() const
{
    QStringList rows;
    for (QObject* o : tev->events()) {
        rows << fieldsText(static_cast<TimerEventObject*>(o)->fields());
    }
    return rows;
}

QStringList TestTimerEventsE2e::recorderList(const QString& query) const
{
    QStringList rows;
    for (const sim::SimTimerEvent& e : qAsConst(timers->events)) {
        if (timers->matches(e, query))
            rows << fieldsText(codec::decodeRecord(wire(e)));
    }
    return rows;
}

bool TestTimerEventsE2e::settledOn(const QString& query)
{
    return QTest::qWaitFor([&] { return appList() == recorderList(query); }, 5000);
}

void TestTimerEventsE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    recorder = simlink::startRecorder(7);
    QVERIFY(recorder);
    recorder->model = 1; // plays CDs and offers Dante
    state = sim::statusModel(*recorder);
    timers = sim::timerEvents(*recorder);
    timers->today = QDate(2017, 10, 26);
    app = std::make_unique<ObjectGraph>();
    tev = &app->tev;
    tev->today = [] { return QDate(2017, 10, 26); };
    QVERIFY(simlink::logIn(*app, *recorder));
    QVERIFY(tev->enableDante());
    QVERIFY(tev->events().isEmpty()); // no list without the edit right
    app->permission.requestPermission();
    QTRY_VERIFY(app->permission.okPermission());
    tev->startTimerEvent(); // as the main window does when the right is granted
    QVERIFY(settledOn("AA0000"));
}

void TestTimerEventsE2e::init()
{
    tev->showAll();
    timers->events = sim::TimerEventList::sampleEvents();
    recorder->sendLineToLoggedIn("0FF47F6");
    QVERIFY(settledOn("AA0000"));
}

void TestTimerEventsE2e::cleanupTestCase()
{
    app.reset();
    recorder.reset();
}

void TestTimerEventsE2e::listMatchesRecorderForEachFilter_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("rows");
    QTest::newRow("all") << "AA0000" << 11;
    QTest::newRow("today, a Thursday") << "DD0000" << 7;
    QTest::newRow("the 15th of a month") << "180315" << 7;
    QTest::newRow("a Saturday") << "261226" << 6;
}

void TestTimerEventsE2e::listMatchesRecorderForEachFilter()
{
    QFETCH(QString, query);
    QFETCH(int, rows);
    if (query == "DD0000")
        tev->showToday();
    else if (query != "AA0000")
        tev->showDate(QDate::fromString("20" + query, "yyyyMMdd"));
    QVERIFY(settledOn(query));
    QCOMPARE(appList().size(), rows);
}

void TestTimerEventsE2e::recorderStateReloads()
{
    QSignalSpy cd(tev, &TimerEvent::mediaCDChanged);
    state->selectMedium("CD");
    QTRY_VERIFY(tev->mediaCD());
    QVERIFY(tev->events().isEmpty());
    state->selectMedium("SD1");
    QVERIFY(settledOn("AA0000"));
    QCOMPARE(cd.count(), 2);

    state->setStatus(sim::RecorderState::NoStatus);
    QTRY_COMPARE(app->comm.getStatusIcon(), 0);
    timers->events.removeLast(); // unannounced: only the reload shows it
    state->setStatus(sim::RecorderState::Stopped);
    QVERIFY(settledOn("AA0000"));

    timers->events.removeFirst(); // another controller's change
    recorder->sendLineToLoggedIn("0FF47F6");
    QVERIFY(settledOn("AA0000"));
}

// Edits made while a filtered row is re-read, or while the list is rebuilt,
// go to the event they were made on or nowhere.
void TestTimerEventsE2e::editsLandOnTheirOwnEvent()
{
    tev->showToday();
    QVERIFY(settledOn("DD0000"));
    QList<sim::SimTimerEvent> expected = timers->events;
    tev->setFocus(1); // event 2; the recorder switches to the full list to re-read it
    tev->changeTime(11, 11, 11);
    tev->updateEvent();
    expected[1].block.replace(12, 6, "111111");
    QTRY_COMPARE(wire(timers->events.at(1)), wire(expected.at(1)));
    QVERIFY(settledOn("DD0000"));

    tev->setFocus(2); // re-read, then another controller deletes an event before the save
    tev->changeTime(12, 12, 12);
    timers->events.removeFirst();
    recorder->sendLineToLoggedIn("0FF47F6");
    QVERIFY(settledOn("DD0000"));
    tev->updateEvent(); // the edited row is gone: nothing to save
    tev->changeEnable(0);
    QTRY_COMPARE(timers->events.first().block.left(2), QStringLiteral("00"));
    QVERIFY(settledOn("DD0000"));
    expected.removeFirst();
    expected[0].block.replace(0, 2, "00");
    QStringList want, have;
    for (const sim::SimTimerEvent& e : qAsConst(expected))
        want << wire(e);
    for (const sim::SimTimerEvent& e : qAsConst(timers->events))
        have << wire(e);
    QCOMPARE(have, want);
}

QTEST_MAIN(TestTimerEventsE2e)
#include "tst_timerevents_e2e.moc"
