// The timer-event tab of the real window on the real objects, logged in to a
// simulated KZ-470DUAL and driven by mouse: the rows, also after the medium
// has been a CD, switching, the schedule editor with its calendar, Save and
// Cancel, the filter dialog (also when the recorder refuses a select), adding
// and deleting, the focused row of a long list kept clear of the footer, and
// taps on rows while the recorder has renumbered its events and the list is
// being read again: those that no longer name their event are told (also
// when another controller deletes the event while it is read again), a Save
// on the application's own earlier write goes, a Save of what that write
// carried is done already. Save tapped again and again, also once the event
// has left a filtered list, is never told as undone. After a Save while
// another controller changes the list, no other event is focused. A tab that
// turns read-only or unavailable, or is left for the home tab, writes nothing
// more, tells once of what waited and closes its windows. Whatever a person
// does while the list is read again, the recorder ends with their last Save
// or switch, or they are told; a tap on a new event's row never reaches an
// event added after it alike.
// Pictures go to <build>/tests/screenshots.
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstTimerEventScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { rig.close(); recorder.reset(); }
    void rowsShowTheRecorderEvents();
    void switchOnAndOff();
    void scheduleEditedThroughEditorAndCalendar();
    void calendarMonthKeysCountEveryTap();
    void cancelRestores();
    void filterByTodayAndByDate();
    void addAndDelete();
    void addedToLongListShowsWhole_data();
    void addedToLongListShowsWhole();
    void tappedRowShowsWhole();
    void readOnlyState();
    void tapsBeforeTheListIsReadAgain_data();
    void tapsBeforeTheListIsReadAgain();
    void saveAgainBeforeTheListIsReadAgain();
    void saveTappedAgain_data();
    void saveTappedAgain();
    void lastWordReachesTheRecorder_data();
    void lastWordReachesTheRecorder();
    void secondAddNeverTakesTheFirstsTap_data();
    void secondAddNeverTakesTheFirstsTap();
    void deleteKnownByItsEvent();
    void switchWhileItsEventIsDeletedElsewhere();
    void focusAfterASaveWhileTheListChangesElsewhere_data();
    void focusAfterASaveWhileTheListChangesElsewhere();
    void lockedTabSendsNothing_data();
    void lockedTabSendsNothing();
    void closesWithoutQmlWarnings() { rig.close(); QCOMPARE(windowrig::takeWarnings(), QStringList()); }

private:
    QQuickItem* find(const QString& name, QObject* within = nullptr) const;
    QQuickItem* row(int index) const;
    QQuickItem* shownRow(int index) const;
    QString focusedRowFaults(int index) const;
    QQuickItem* rowPart(int index, const char* name) const { return find(name, row(index)); }
    void click(QQuickItem* target) { QVERIFY(rig.click(target)); }
    void clickDay(int day);
    void shoot(const QString& name) { QVERIFY(rig.shoot(name)); }
    QString rowText(int index, const char* name) const
    {
        QQuickItem* part = row(index) ? rowPart(index, name) : nullptr; // rows come and go with every reload
        return part ? part->property("text").toString() : QString();
    }
    QString block(int event) const { return timers->events.at(event).block; }
    // The timer-event lines the recorder has received since its log was cleared.
    QStringList timerLines() const { return recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F47")); }
    static QStringList walk(const QString& query, int count)
    {
        QStringList lines { "07F475D" + query };
        for (int n = 1; n <= count; ++n)
            lines << "07F4757" + sim::numberField(n);
        return lines;
    }
    bool listShows(int rows);
    void loadEvents(int count);
    void focusAndOpenSchedule(int index);
    void saveRow(int index, int event, const QString& schedule);
    void saveSixteenthWithTheListHeld();
    void playEvents(int count, const QString& filter);
    void editableTab();
    void waitUntilQuiet();
    QString recorderEvents() const;
    QString openWindows() const;

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::TimerEventList* timers = nullptr;
    AppRig rig;
    ObjectGraph* graph = nullptr;
};

void TstTimerEventScreen::initTestCase()
{
    netenv::requirePrivateNetwork();
    recorder = simlink::startRecorder(8);
    QVERIFY(recorder);
    timers = sim::timerEvents(*recorder);
    timers->events = sim::TimerEventList::sampleEvents().mid(0, 4);
    timers->today = QDate(2017, 10, 26);
    recorder->model = 1; // with a CD drive
    QVERIFY(rig.start() && rig.logIn(*recorder));
    graph = rig.graph.get();
    rig.clickTab(4); // timer events
    QTRY_VERIFY(graph->permission.okPermission());
    QVERIFY(listShows(4));
}

// Searched in the visual tree, where the items of repeaters and grids hang too:
// a visible item of that name first.
QQuickItem* TstTimerEventScreen::find(const QString& name, QObject* within) const
{
    QList<QQuickItem*> queue { within ? qobject_cast<QQuickItem*>(within) : rig.window->contentItem() };
    QQuickItem* hidden = nullptr;
    while (!queue.isEmpty()) {
        QQuickItem* item = queue.takeFirst();
        if (!item)
            continue;
        if (item->objectName() == name) {
            if (item->isVisible())
                return item;
            hidden = hidden ? hidden : item;
        }
        queue << item->childItems();
    }
    return hidden;
}

QQuickItem* TstTimerEventScreen::row(int index) const
{
    QQuickItem* list = find("timerEventListView");
    QMetaObject::invokeMethod(list, "forceLayout");
    // Scrolled to the top as a person would before tapping it (ListView.Beginning).
    QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 0));
    return shownRow(index);
}

// The row where the list has it now, without scrolling; null when the list
// has not made it.
QQuickItem* TstTimerEventScreen::shownRow(int index) const
{
    return AppRig::rowAt(find("timerEventListView"), index);
}

// What of the focused row at that index does not lie whole between the top of
// the list and the footer strip (its border may touch the row): the row itself,
// Delete, Save, Cancel; and where the scroll bar gets in the way. Empty when
// all of it shows.
QString TstTimerEventScreen::focusedRowFaults(int index) const
{
    QQuickItem* item = shownRow(index);
    if (!item)
        return QStringLiteral("no row %1").arg(index);
    const qreal top = find("timerEventListView")->mapToScene({}).y();
    const qreal footer = find("timerEventFooter")->mapToScene({}).y() + 1;
    QStringList hidden;
    for (const char* name : { "", "rowDelete", "rowSave", "rowCancel" }) {
        QQuickItem* part = *name ? find(name, item) : item;
        const QRectF box = part ? part->mapRectToScene(QRectF(0, 0, part->width(), part->height())) : QRectF();
        if (!part || !part->isVisible() || box.top() < top || box.bottom() > footer)
            hidden << QStringLiteral("%1 %2..%3 outside %4..%5").arg(*name ? name : "row").arg(box.top()).arg(box.bottom()).arg(top).arg(footer);
    }
    hidden << windowrig::layoutFaults(find("timerEventListView")->parentItem()).filter("ScrollBar");
    return hidden.join("; ");
}

// A day of the month the calendar shows.
void TstTimerEventScreen::clickDay(int day)
{
    click(find("day" + QString::number(day), find("monthGrid")));
}

bool TstTimerEventScreen::listShows(int rows)
{
    return QTest::qWaitFor([&] {
        return find("timerEventListView")->property("count").toInt() == rows && graph->tev.events().size() == rows;
    });
}

// The third row is given the 16th and saved; the answer to the list query
// that follows is held, so that the rows shown stay those the Save was made on.
void TstTimerEventScreen::saveSixteenthWithTheListHeld()
{
    focusAndOpenSchedule(2);
    clickDay(16);
    click(find("scheduleOk"));
    recorder->holdAnswersTo = QRegularExpression("^07F475D");
    click(rowPart(2, "rowSave"));
    QTRY_VERIFY(recorder->holdsAnswers());
}

// The sample events over and over, as many as asked for, read anew by the
// application on the recorder's change notice.
void TstTimerEventScreen::loadEvents(int count)
{
    const QList<sim::SimTimerEvent> sample = sim::TimerEventList::sampleEvents();
    timers->events.clear();
    for (int i = 0; i < count; ++i)
        timers->events << sample.at(i % sample.size());
    recorder->sendLineToLoggedIn("0FF47F6");
    waitUntilQuiet();
    QVERIFY(listShows(count));
}

void TstTimerEventScreen::focusAndOpenSchedule(int index)
{
    if (graph->tev.focus() != index)
        click(rowPart(index, "rowFocusLower"));
    QTRY_COMPARE(graph->tev.focus(), index);
    click(rowPart(index, "rowSchedule"));
    QTRY_VERIFY(find("scheduleOk"));
}

// Saves the focused row and waits for the recorder's record of it.
void TstTimerEventScreen::saveRow(int index, int event, const QString& schedule)
{
    QSignalSpy reloaded(&graph->tev, &TimerEvent::setNewFocus);
    click(rowPart(index, "rowSave"));
    QTRY_COMPARE(block(event).mid(4, 8), schedule);
    QVERIFY(reloaded.count() || reloaded.wait());
    QCOMPARE(graph->tev.focus(), index); // the saved event comes back focused
}

// Also after the medium has been a CD with the tab open: one walk reads the
// whole list again.
void TstTimerEventScreen::rowsShowTheRecorderEvents()
{
    sim::statusModel(*recorder)->selectMedium("CD");
    QTRY_VERIFY(rig.textShown("TIMER EVENT cannot be used while current media is CD."));
    QVERIFY(listShows(0));
    recorder->clearLog();
    sim::statusModel(*recorder)->selectMedium("SD1");
    QVERIFY(listShows(4));
    QTest::qWait(200); // nothing more follows
    QCOMPARE(timerLines(), walk("AA0000", 4));

    const QStringList dates = { "EVERY DAY", "", "2017/10/26", "2018/**/15" };
    const QStringList times = { "07:30:00", "09:00:00", "12:00:00", "18:00:00" };
    const QStringList options = { "TAKE0001.wav", "DIGITAL(XLR)", "TAKE0002.wav", "" };
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rowText(i, "rowTime"), times.at(i));
        QCOMPARE(rowText(i, "rowOption"), options.at(i));
        QCOMPARE(rowText(i, "rowNumber"), QString::number(i + 1));
        if (!dates.at(i).isEmpty())
            QCOMPARE(rowText(i, "rowDate"), dates.at(i));
    }
    QVERIFY(rowPart(1, "rowWeek")); // Monday to Friday as tiles
    QCOMPARE(rowText(2, "rowInterval"), QStringLiteral("01:30"));
    QCOMPARE(rowText(2, "rowCount"), QStringLiteral("5"));
    QVERIFY(rowPart(0, "rowTimeMode")->isVisible());
    QVERIFY(!rowPart(2, "rowTimeMode")->isVisible()); // repeat play
    QCOMPARE(find("filterLabel")->property("text").toString(), QStringLiteral("All"));
    row(0); // back at the top
    shoot("timerevent_list.png");
}

void TstTimerEventScreen::switchOnAndOff()
{
    // The recorder names the written event, and the reloaded list focuses it.
    click(rowPart(2, "rowSwitch"));
    QTRY_COMPARE(block(2).left(2), QStringLiteral("01"));
    QTRY_COMPARE(graph->tev.focus(), 2);
    QCOMPARE(rowText(2, "switchText"), QStringLiteral("ON"));
    click(rowPart(2, "rowSwitch"));
    QTRY_COMPARE(block(2).left(2), QStringLiteral("00"));
    QTRY_COMPARE(rowText(2, "switchText"), QStringLiteral("OFF"));
    QTRY_COMPARE(graph->tev.focus(), 2);
}

// Every schedule form, each chosen as a person would and saved to the recorder.
void TstTimerEventScreen::scheduleEditedThroughEditorAndCalendar()
{
    focusAndOpenSchedule(0);
    shoot("timerevent_schedule.png");
    click(find("scheduleDayMon")); // first tap: week page
    click(find("scheduleDayMon"));
    click(find("scheduleDayWed"));
    click(find("scheduleOk"));
    QTRY_VERIFY(rowPart(0, "rowWeek"));
    shoot("timerevent_focused.png");
    saveRow(0, 0, "0000008a");

    // The calendar opens on this month.
    const QDate today = QDate::currentDate();
    focusAndOpenSchedule(0);
    clickDay(15);
    shoot("timerevent_calendar.png");
    click(find("scheduleOk"));
    saveRow(0, 0, today.toString("yyMM") + "1500");

    focusAndOpenSchedule(0); // opens on the saved date
    click(find("scheduleEveryMonth"));
    click(find("scheduleOk"));
    QTRY_COMPARE(rowText(0, "rowDate"), today.toString("yyyy") + "/**/15");
    saveRow(0, 0, today.toString("yy") + "001500");

    focusAndOpenSchedule(0);
    click(find("scheduleEveryDay"));
    click(find("scheduleOk"));
    saveRow(0, 0, "00000000");
}

// The calendar's month keys tapped as quickly as people do: the window
// system makes the second tap a double click, and it steps all the same.
void TstTimerEventScreen::calendarMonthKeysCountEveryTap()
{
    const QDate today = QDate::currentDate();
    focusAndOpenSchedule(0);
    QVERIFY(rig.taps(find("nextMonth"), 3, 150));
    QVERIFY(rig.quickTap(find("previousMonth"), 600)); // alone: no double click
    clickDay(15);
    click(find("scheduleOk"));
    saveRow(0, 0, today.addMonths(2).toString("yyMM") + "1500");

    focusAndOpenSchedule(0); // back to every day, as the roads after expect
    click(find("scheduleEveryDay"));
    click(find("scheduleOk"));
    saveRow(0, 0, "00000000");
}

void TstTimerEventScreen::cancelRestores()
{
    const QString before = block(3);
    focusAndOpenSchedule(3);
    click(find("scheduleEveryDay"));
    click(find("scheduleOk"));
    QTRY_COMPARE(rowText(3, "rowDate"), QStringLiteral("EVERY DAY"));
    click(rowPart(3, "rowCancel"));
    QTRY_COMPARE(graph->tev.focus(), -1);
    QCOMPARE(rowText(3, "rowDate"), QStringLiteral("2018/**/15"));
    QCOMPARE(block(3), before);
}

void TstTimerEventScreen::filterByTodayAndByDate()
{
    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    shoot("timerevent_filter.png");
    click(find("filterShowToday"));
    click(find("filterOk"));
    QTRY_COMPARE(find("filterLabel")->property("text").toString(), QStringLiteral("Today"));
    QVERIFY(listShows(3)); // every day, week days and the date itself on Thursday 26 October 2017
    QCOMPARE(rowText(2, "rowDate"), QStringLiteral("2017/10/26"));

    // A select the recorder refuses is given up after a while and the list read again.
    timers->selectAnswer = sim::TimerEventList::RefuseSelects;
    recorder->clearLog();
    click(rowPart(2, "rowFocusLower"));
    QTRY_COMPARE_WITH_TIMEOUT(timerLines(), QStringList { "07F47550300" } + walk("DD0000", 3), 5000);
    timers->selectAnswer = sim::TimerEventList::AnswerSelects;
    QVERIFY(listShows(3));
    QCOMPARE(rowText(2, "rowDate"), QStringLiteral("2017/10/26"));
    QCOMPARE(graph->tev.focus(), -1);

    const QDate day(QDate::currentDate().year(), QDate::currentDate().month(), 15);
    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    clickDay(15);
    click(find("filterOk"));
    QTRY_COMPARE(find("filterLabel")->property("text").toString(), day.toString("yyyy/MM/dd"));
    QCOMPARE(graph->tev.filterDate(), day);
    QVERIFY(listShows(day.dayOfWeek() <= 5 ? 2 : 1)); // every day, and week days on a week day

    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    click(find("filterShowAll"));
    click(find("filterOk"));
    QVERIFY(listShows(4));
}

void TstTimerEventScreen::addAndDelete()
{
    click(find("addEvent"));
    QVERIFY(listShows(5));
    QTRY_COMPARE(graph->tev.focus(), 4);
    // The new event, last in a list longer than the screen, shows whole above
    // the footer, without a scroll by hand; the scroll bar keeps off the
    // footer and the rows' buttons.
    QTRY_COMPARE(focusedRowFaults(4), QString());
    shoot("timerevent_added.png");
    QCOMPARE(block(4).mid(4, 6), QDate::currentDate().toString("yyMMdd"));

    const QString second = block(1);
    click(rowPart(1, "rowFocusLower"));
    QTRY_COMPARE(graph->tev.focus(), 1);
    click(rowPart(1, "rowDelete"));
    QCOMPARE(find("deleteCheck")->property("text").toString(), QStringLiteral("Delete selected event?"));
    shoot("timerevent_delete.png");
    click(find("deleteOk"));
    QVERIFY(listShows(4));
    for (const sim::SimTimerEvent& e : qAsConst(timers->events))
        QVERIFY(e.block != second);

    click(find("footerPage"));
    const qreal screenRight = (rig.window->width() + rig.window->property("appWidth").toReal()) / 2;
    QTRY_VERIFY(find("deleteAll")->mapToScene(QPointF(find("deleteAll")->width(), 0)).x() < screenRight);
    click(find("deleteAll"));
    QCOMPARE(find("deleteCheck")->property("text").toString(), QStringLiteral("Delete all events?"));
    click(find("deleteCancel"));
    QCOMPARE(timers->events.size(), 4);
    click(find("deleteAll"));
    click(find("deleteOk"));
    QVERIFY(listShows(0));
    QVERIFY(timers->events.isEmpty());
    click(find("footerPage"));
    QTRY_COMPARE(find("footerPage")->parentItem()->rotation(), 270.0); // back at the start
}

void TstTimerEventScreen::addedToLongListShowsWhole_data()
{
    QTest::addColumn<int>("events");
    QTest::newRow("10 events") << 10;
    QTest::newRow("29 events") << 29;
}

// The list is read anew after the add. Once that walk is over, the new event,
// focused at the end of a list far longer than the rows the list has made,
// shows whole above the footer, and still does once the window has drawn it.
void TstTimerEventScreen::addedToLongListShowsWhole()
{
    QFETCH(int, events);
    loadEvents(events);
    QSignalSpy walked(&graph->tev, &TimerEvent::setNewFocus);
    click(find("addEvent"));
    QVERIFY(walked.wait());
    QCOMPARE(graph->tev.focus(), events);
    QCOMPARE(focusedRowFaults(events), QString());
    shoot(QStringLiteral("timerevent_added_%1.png").arg(events + 1));
    QCOMPARE(focusedRowFaults(events), QString());
}

// A tap on a row that the footer half covers, and on one scrolled half out at
// the top: the taller focused row moves into view whole.
void TstTimerEventScreen::tappedRowShowsWhole()
{
    loadEvents(12);
    row(0); // at the top: the fourth row runs under the footer
    QQuickItem* low = shownRow(3);
    QVERIFY(low && low->mapToScene({ 0, low->height() }).y() > find("timerEventFooter")->mapToScene({}).y());
    click(find("rowFocusUpper", low));
    QTRY_COMPARE(graph->tev.focus(), 3);
    QCOMPARE(focusedRowFaults(3), QString());

    QQuickItem* list = find("timerEventListView");
    row(6);
    list->setProperty("contentY", list->property("contentY").toReal() + shownRow(6)->height() / 2);
    click(find("rowFocusLower", shownRow(6)));
    QTRY_COMPARE(graph->tev.focus(), 6);
    QCOMPARE(focusedRowFaults(6), QString());
    shoot("timerevent_tapped.png");
    QCOMPARE(focusedRowFaults(6), QString());
}

void TstTimerEventScreen::readOnlyState()
{
    timers->events = sim::TimerEventList::sampleEvents().mid(0, 2);
    recorder->sendLineToLoggedIn("0FF47F6");
    QVERIFY(listShows(2));
    sim::statusModel(*recorder)->setReadOnly(true);
    QTRY_VERIFY(graph->permission.isReadOnly());
    click(rowPart(0, "rowFocusLower"));
    click(rowPart(0, "rowSwitch"));
    QCOMPARE(graph->tev.focus(), -1);
    QCOMPARE(block(0).left(2), QStringLiteral("01"));
    shoot("timerevent_readonly.png");
    sim::statusModel(*recorder)->setReadOnly(false);
    QTRY_VERIFY(!graph->permission.isReadOnly());
}

void TstTimerEventScreen::tapsBeforeTheListIsReadAgain_data()
{
    QTest::addColumn<QString>("filter"); // the date field of the list query
    QTest::addColumn<QStringList>("taps"); // after the first Save, before the list is read again
    QTest::addColumn<bool>("told"); // that a tap could not be done
    const QString today = "DD0000", day = QDate::currentDate().toString("yyMM") + "15";
    for (const QString& filter : { today, day }) {
        const QString name = filter == today ? "today: " : "one day: ";
        QTest::newRow(qPrintable(name + "Save tapped twice")) << filter << QStringList { "save" } << false;
        QTest::newRow(qPrintable(name + "Save, then the switch of row 4")) << filter << QStringList { "switch" } << true;
        QTest::newRow(qPrintable(name + "Save, then Delete on row 4")) << filter << QStringList { "delete" } << true;
        QTest::newRow(qPrintable(name + "Save twice, the switch of row 4, its delete question left open"))
            << filter << QStringList { "save", "switch", "question" } << true;
    }
}

// With a filter on, the third event gets a day that takes it out of the list
// and is saved. The recorder renumbers at once; while the list query of its
// change notice waits for the answer, the person taps on rows that still show
// the old numbering. Afterwards the recorder holds exactly what the person
// did (the one event with its new day, nothing overwritten, nothing deleted),
// and the rows show its list. The second Save carries what the first wrote,
// which the recorder took: it is done already, neither sent again nor told
// as undone, although its event has left the list read again.
void TstTimerEventScreen::tapsBeforeTheListIsReadAgain()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, taps);
    QFETCH(bool, told);
    // Six play events on the filter's day (every day for today), told apart by their hour.
    QList<sim::SimTimerEvent> events;
    for (int n = 1; n <= 6; ++n)
        events << sim::SimTimerEvent { "0100" + (filter == "DD0000" ? "000000" : filter) + "000" + QString::number(n)
                                           + QString(12, '0') + "01",
                                       QString("\\TAKE000%1.wav").arg(n) };
    recorder->answerLatencyMs = 0;
    timers->events = events;
    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    if (filter == "DD0000")
        click(find("filterShowToday"));
    else
        clickDay(15);
    click(find("filterOk"));
    QVERIFY(listShows(6));

    // Answers come late from here on, each 200 ms after its request.
    recorder->answerLatencyMs = 200;
    QSignalSpy answers(&graph->telnet, &Telnet::readyRead);
    focusAndOpenSchedule(2);
    clickDay(16);
    click(find("scheduleOk"));
    const QDate moved(QDate::currentDate().year(), QDate::currentDate().month(), 16);
    QTRY_COMPARE(rowText(2, "rowDate"), moved.toString("yyyy/MM/dd"));
    events[2].block.replace(4, 6, moved.toString("yyMMdd"));
    // The focused row's re-read from the whole list ends with its own list counted again.
    QTRY_VERIFY(std::any_of(answers.begin(), answers.end(),
                            [&](const QList<QVariant>& a) { return a.at(0).toString().contains("FF47DD" + filter); }));

    recorder->clearLog();
    recorder->holdAnswersTo = QRegularExpression("^07F475D");
    click(rowPart(2, "rowSave"));
    QTRY_VERIFY(recorder->holdsAnswers());
    const QStringList written { "07F47420300" + events.at(2).block + events.at(2).option };
    QCOMPARE(timerLines().filter("07F474"), written);
    for (const QString& what : taps) {
        if (what == "save") {
            click(rowPart(2, "rowSave"));
        } else if (what == "switch") {
            click(rowPart(3, "rowSwitch"));
        } else {
            click(rowPart(3, "rowFocusLower"));
            QTRY_COMPARE(graph->tev.focus(), 3);
            click(rowPart(3, "rowDelete"));
            if (what == "delete")
                click(find("deleteOk"));
        }
    }
    recorder->releaseAnswers();

    // Settled: the rows are the recorder's list for the filter, and a line
    // sent after everything else has reached the recorder.
    const auto settled = [&] {
        return listShows(std::count_if(timers->events.begin(), timers->events.end(),
                                       [&](const sim::SimTimerEvent& e) { return timers->matches(e, filter); }));
    };
    const bool readAgain = settled();
    graph->telnet.sendData("07F475600\r\n");
    QTRY_VERIFY(timerLines().contains("07F475600"));
    QCOMPARE(timers->events.size(), events.size());
    for (int i = 0; i < events.size(); ++i)
        QCOMPARE(block(i) + timers->events.at(i).option, events.at(i).block + events.at(i).option);
    QVERIFY(readAgain && settled());
    QVERIFY(!find("deleteCheck")->isVisible());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(rowText(i, "rowTime"), QString("0%1:00:00").arg(i < 2 ? i + 1 : i + 2));
    QCOMPARE(timerLines().filter("07F474"), written);
    // A tap on a row that had become another event's is told; a Save of what
    // is on the recorder already is not.
    if (told)
        QVERIFY(rig.dismissMessage("Unable to complete this action."));
    else
        QVERIFY(!QTest::qWaitFor([&] { return rig.textShown("Unable to complete this action."); }, 1000));
}

// All events listed, answers late: the third gets the 16th and is saved;
// before the list is read again, END TIME is chosen for it and it is saved
// again. The event read again differs from the row the second Save was made
// on only by the first Save: it goes, and the recorder keeps both changes.
void TstTimerEventScreen::saveAgainBeforeTheListIsReadAgain()
{
    recorder->answerLatencyMs = 0;
    graph->tev.showAll();
    const QString day = QDate::currentDate().toString("yyMM") + "15";
    timers->events.clear();
    for (int n = 1; n <= 4; ++n)
        timers->events << sim::SimTimerEvent { "0100" + day + "000" + QString::number(n) + QString(12, '0') + "01", "" };
    recorder->sendLineToLoggedIn("0FF47F6");
    QVERIFY(listShows(4));
    QString expected = block(2);
    expected.replace(4, 6, QDate::currentDate().toString("yyMM") + "16").replace(20, 2, "01");

    recorder->answerLatencyMs = 200;
    saveSixteenthWithTheListHeld();
    click(rowPart(2, "rowTypeBox"));
    QTRY_VERIFY(find("typeRow1"));
    click(find("typeRow1"));
    click(find("typeOk"));
    QTRY_COMPARE(rowText(2, "rowTimeMode"), QStringLiteral("END TIME"));
    click(rowPart(2, "rowSave"));
    recorder->holdAnswersTo = QRegularExpression();
    recorder->releaseAnswers();
    QTRY_COMPARE_WITH_TIMEOUT(block(2), expected, 10000);
    recorder->answerLatencyMs = 0;
    QVERIFY(listShows(4));
    QTest::qWait(500);
    QCOMPARE(block(2), expected);
    QVERIFY(!rig.textShown("Unable to complete this action."));
}

void TstTimerEventScreen::saveTappedAgain_data()
{
    QTest::addColumn<QString>("filter");  // the date field of the list query
    QTest::addColumn<int>("latency");     // ms from each request to its answer
    QTest::addColumn<QList<int>>("gaps"); // ms from one tap on Save to the next
    // The list is read anew (and shown empty) two answers after the first
    // Save: every tap comes before that. Under the whole list the second
    // goes before the recorder has answered the first, the third after it.
    const QString day = QDate::currentDate().toString("yyMM") + "15";
    for (const int gap : { 200, 500 }) {
        const QString apart = QStringLiteral(" twice, %1 s apart").arg(gap / 1000.0);
        QTest::newRow(qPrintable("today:" + apart)) << "DD0000" << gap << QList<int> { gap };
        QTest::newRow(qPrintable("one day:" + apart)) << day << gap << QList<int> { gap };
    }
    QTest::newRow("all: three times, 0.1 s apart") << "AA0000" << 200 << QList<int> { 100, 100 };
    QTest::newRow("all: three times, 0.2 s and 0.5 s apart") << "AA0000" << 500 << QList<int> { 200, 500 };
}

// One person, answers late: the third event is given the 16th, which takes
// it out of a filtered list, and Save is tapped again and again as on a slow
// link. The recorder ends with what was saved, every write it got carries
// it, and nobody is told that anything was not done.
void TstTimerEventScreen::saveTappedAgain()
{
    QFETCH(QString, filter);
    QFETCH(int, latency);
    QFETCH(QList<int>, gaps);
    playEvents(4, filter);
    QList<sim::SimTimerEvent> saved = timers->events;
    saved[2].block.replace(4, 6, QDate::currentDate().toString("yyMM") + "16");

    recorder->answerLatencyMs = latency;
    QSignalSpy told(&graph->tev, &TimerEvent::execFailed);
    focusAndOpenSchedule(2);
    clickDay(16);
    click(find("scheduleOk"));
    waitUntilQuiet(); // a filter's re-read of the focused event
    recorder->clearLog();
    click(rowPart(2, "rowSave"));
    for (const int gap : qAsConst(gaps)) {
        QTest::qWait(gap);
        click(rowPart(2, "rowSave"));
    }
    waitUntilQuiet();
    recorder->answerLatencyMs = 0;

    // What the recorder got and keeps, whole, so that a failure shows it.
    const QString write = "07F47420300" + saved.at(2).block + saved.at(2).option;
    const QStringList written = timerLines().filter(QRegularExpression("^07F474[024]"));
    QVERIFY2(!written.isEmpty() && written.count(write) == written.size(), qPrintable(written.join(' ')));
    QStringList expected;
    for (const sim::SimTimerEvent& e : qAsConst(saved))
        expected << e.block + e.option;
    QCOMPARE(recorderEvents(), expected.join(' '));
    QCOMPARE(told.count(), 0);
    QVERIFY(!QTest::qWaitFor([&] { return rig.textShown("Unable to complete this action."); }, 1000));
}

void TstTimerEventScreen::lastWordReachesTheRecorder_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("taps"); // after the first Save, before the list is read again
    QTest::addColumn<bool>("twins");       // the fourth event is the third's twin
    QTest::addColumn<QString>("third");    // what the recorder ends with for the third event
    QTest::addColumn<int>("told");
    QTest::newRow("the 17th saved, then the 16th again: the 16th")
        << 4 << QStringList { "save:17", "save:16" } << false << "16th" << 0;
    QTest::newRow("deleted, then saved again on its row: told once")
        << 4 << QStringList { "delete:2", "save:16" } << false << "gone" << 1;
    QTest::newRow("twin events: deleted, then its row saved with the 17th: told once, the twin kept")
        << 4 << QStringList { "delete:2", "save:17" } << true << "gone" << 1;
    QTest::newRow("another row, then its switch: the 16th switched off")
        << 4 << QStringList { "focus:1", "switch" } << false << "16th off" << 0;
    QTest::newRow("twin events: the first deleted, then the third's switch: told once, the twin kept")
        << 6 << QStringList { "delete:0", "switch" } << true << "16th" << 1;
    QTest::newRow("twin events: the first deleted, then the third saved with the 17th: told once, the twin kept")
        << 6 << QStringList { "delete:0", "save:17" } << true << "16th" << 1;
}

// One person, the whole list, the answer to its query held: the third event
// is given the 16th and saved, and the person goes on on the rows shown
// before the list has been read again (Save another day, Delete of it or of
// the first, another row, the switch). The recorder ends with their last
// word, or they are told once; a twin of the third keeps its fields.
void TstTimerEventScreen::lastWordReachesTheRecorder()
{
    QFETCH(int, count);
    QFETCH(QStringList, taps);
    QFETCH(bool, twins);
    QFETCH(QString, third);
    QFETCH(int, told);
    playEvents(count, "AA0000");
    if (twins) {
        timers->events[3] = timers->events.at(2);
        recorder->sendLineToLoggedIn("0FF47F6");
        waitUntilQuiet();
        QVERIFY(listShows(count));
    }
    QList<sim::SimTimerEvent> expected = timers->events;
    if (third == "gone")
        expected.removeAt(2);
    else
        expected[2].block.replace(4, 6, QDate::currentDate().toString("yyMM") + "16");
    if (third.endsWith("off"))
        expected[2].block.replace(0, 2, "00");
    if (taps.contains("delete:0"))
        expected.removeFirst();

    QSignalSpy failed(&graph->tev, &TimerEvent::execFailed);
    saveSixteenthWithTheListHeld();
    for (const QString& tap : qAsConst(taps)) {
        const int arg = tap.section(':', 1).toInt();
        if (tap.startsWith("save")) {
            focusAndOpenSchedule(2);
            clickDay(arg);
            click(find("scheduleOk"));
            click(rowPart(2, "rowSave"));
        } else if (tap.startsWith("delete")) {
            if (graph->tev.focus() != arg)
                click(rowPart(arg, "rowFocusLower"));
            QTRY_COMPARE(graph->tev.focus(), arg);
            click(rowPart(arg, "rowDelete"));
            click(find("deleteOk"));
            QTRY_COMPARE(graph->tev.focus(), -1);
        } else if (tap.startsWith("focus")) {
            click(rowPart(arg, "rowFocusLower"));
            QTRY_COMPARE(graph->tev.focus(), arg);
        } else {
            click(rowPart(2, "rowSwitch"));
        }
    }
    recorder->holdAnswersTo = QRegularExpression();
    recorder->releaseAnswers();
    waitUntilQuiet();

    QStringList events;
    for (const sim::SimTimerEvent& e : qAsConst(expected))
        events << e.block + e.option;
    QCOMPARE(recorderEvents(), events.join(' '));
    QCOMPARE(failed.count(), told);
    if (told)
        QVERIFY(rig.dismissMessage("Unable to complete this action."));
    else
        QVERIFY(!QTest::qWaitFor([&] { return rig.textShown("Unable to complete this action."); }, 1000));
}

void TstTimerEventScreen::secondAddNeverTakesTheFirstsTap_data()
{
    QTest::addColumn<QString>("tap"); // on the first new event's row, before the list is read again
    QTest::newRow("its switch") << "switch";
    QTest::newRow("another day and Save") << "save";
}

// One person, today's list of one every-day event, answers late: add, the
// new event given another day of this month and saved (it leaves the list
// once it is read again), add again at once, then a tap on the first new
// event's row before the list is read. The second new event, alike as read,
// keeps what it was created with; the first keeps its Save, and the person
// is told once of the tap.
void TstTimerEventScreen::secondAddNeverTakesTheFirstsTap()
{
    QFETCH(QString, tap);
    const QDate simToday = timers->today;
    timers->today = QDate::currentDate();
    playEvents(1, "DD0000");
    click(find("addEvent"));
    QVERIFY(listShows(2));
    QTRY_COMPARE(graph->tev.focus(), 1);
    waitUntilQuiet(); // the new event read again from the whole list
    const sim::SimTimerEvent added = timers->events.at(1);
    const int day = QDate::currentDate().day() == 20 ? 21 : 20;
    sim::SimTimerEvent saved = added;
    saved.block.replace(8, 2, QString::number(day)).replace(18, 2, "00"); // a play event is written with no input

    recorder->answerLatencyMs = 300;
    QSignalSpy failed(&graph->tev, &TimerEvent::execFailed);
    focusAndOpenSchedule(1);
    clickDay(day);
    click(find("scheduleOk"));
    recorder->holdAnswersTo = QRegularExpression("^07F475D");
    click(rowPart(1, "rowSave"));
    QTRY_VERIFY(recorder->holdsAnswers());
    click(find("addEvent"));
    QTRY_COMPARE(timers->events.size(), 3);
    if (tap == "switch") {
        click(rowPart(1, "rowSwitch"));
    } else {
        focusAndOpenSchedule(1);
        clickDay(day + 1);
        click(find("scheduleOk"));
        click(rowPart(1, "rowSave"));
    }
    recorder->releaseAnswers();
    waitUntilQuiet();
    recorder->answerLatencyMs = 0;
    timers->today = simToday;

    QCOMPARE(recorderEvents(), QStringList({ timers->events.at(0).block + timers->events.at(0).option,
                                             saved.block + saved.option, added.block + added.option })
                                   .join(' '));
    QCOMPARE(failed.count(), 1);
    QVERIFY(rig.dismissMessage("Unable to complete this action."));
}

// One person, answers late: the recorder holds s1 s3 s2 s4, and today's
// list shows s1 and s2. The whole list is chosen, and before it shows, both
// rows are deleted. Once it shows, s1's delete goes; before the list is read
// again, the whole list's second row (s3) is deleted. s2's delete then goes
// to the second row of the list read by then, which does not make s3's
// done: s3 is deleted, or the person is told once.
void TstTimerEventScreen::deleteKnownByItsEvent()
{
    editableTab();
    QStringList shown; // sN at N o'clock; s3 and s4 not today's
    timers->events.clear();
    for (int n : { 1, 3, 2, 4 }) {
        timers->events << sim::SimTimerEvent { "0100" + QString(n > 2 ? "171027" : "000000") + "000"
                                                   + QString::number(n) + QString(12, '0') + "01",
                                               QString("\\TAKE000%1.wav").arg(n) };
        shown << timers->events.last().block + timers->events.last().option;
    }
    graph->tev.showToday();
    waitUntilQuiet();
    QVERIFY(listShows(2));

    recorder->answerLatencyMs = 300;
    QSignalSpy failed(&graph->tev, &TimerEvent::execFailed);
    const auto deleteRow = [this](int index) {
        click(rowPart(index, "rowFocusLower"));
        QTRY_COMPARE(graph->tev.focus(), index);
        click(rowPart(index, "rowDelete"));
        click(find("deleteOk"));
        QTRY_COMPARE(graph->tev.focus(), -1);
    };
    recorder->holdAnswersTo = QRegularExpression("^07F475D");
    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    click(find("filterShowAll"));
    click(find("filterOk"));
    QTRY_VERIFY(recorder->holdsAnswers());
    deleteRow(0);
    deleteRow(1);
    recorder->releaseAnswers();
    recorder->holdAnswersTo = QRegularExpression("^07F475D");
    QVERIFY(listShows(4));
    QTRY_VERIFY(recorder->holdsAnswers()); // s1 deleted, the list asked for again
    QCOMPARE(timers->events.size(), 3);
    QCOMPARE(rowText(1, "rowTime"), QStringLiteral("03:00:00"));
    deleteRow(1);
    recorder->releaseAnswers();
    waitUntilQuiet();
    recorder->answerLatencyMs = 0;

    const QString s4 = shown.last();
    if (recorderEvents() == s4) {
        QCOMPARE(failed.count(), 0);
    } else {
        QCOMPARE(recorderEvents(), shown.at(1) + ' ' + s4);
        QCOMPARE(failed.count(), 1);
        QVERIFY(rig.dismissMessage("Unable to complete this action."));
    }
}

// Today's events listed, answers late: the second row is focused, and while
// its event is read again from the whole list, another controller deletes
// it, so that its number in the whole list reads the event after it. The
// switch of the row, tapped meanwhile, names the deleted event: nothing is
// written, the person is told, and the rows show the recorder's list.
void TstTimerEventScreen::switchWhileItsEventIsDeletedElsewhere()
{
    recorder->answerLatencyMs = 0;
    // Play events told apart by their hour; the second is not today's.
    QList<sim::SimTimerEvent> events;
    for (int n = 1; n <= 4; ++n)
        events << sim::SimTimerEvent { "0100" + QString(n == 2 ? "171027" : "000000") + "000" + QString::number(n)
                                           + QString(12, '0') + "01",
                                       QString("\\TAKE000%1.wav").arg(n) };
    timers->events = events;
    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    click(find("filterShowToday"));
    click(find("filterOk"));
    QVERIFY(listShows(3));
    QCOMPARE(rowText(1, "rowTime"), QStringLiteral("03:00:00"));

    recorder->answerLatencyMs = 200;
    recorder->clearLog();
    timers->changeElsewhere = [](QList<sim::SimTimerEvent>& list) { list.removeAt(2); };
    timers->changeElsewhereOn = QRegularExpression("^07F475DAA0000$");
    recorder->holdAnswersTo = QRegularExpression("^07F475DAA0000$");
    click(rowPart(1, "rowFocusLower"));
    QTRY_VERIFY(recorder->holdsAnswers()); // the whole list is asked for: the event is gone
    QCOMPARE(timerLines(), (QStringList { "07F47550200", "07F475DAA0000" }));
    QCOMPARE(timers->events.size(), 3);
    click(rowPart(1, "rowSwitch"));
    recorder->holdAnswersTo = QRegularExpression();
    recorder->releaseAnswers();

    QVERIFY(listShows(2));
    graph->telnet.sendData("07F475600\r\n"); // reaches the recorder after everything else
    QTRY_VERIFY(timerLines().contains("07F475600"));
    recorder->answerLatencyMs = 0;
    // What the recorder got and keeps, whole, so that a failure shows it.
    QCOMPARE(timerLines().filter("07F474").join(' '), QString());
    events.removeAt(2);
    QStringList kept, expected;
    for (int i = 0; i < timers->events.size(); ++i)
        kept << block(i) + timers->events.at(i).option;
    for (const sim::SimTimerEvent& e : qAsConst(events))
        expected << e.block + e.option;
    QCOMPARE(kept.join(' '), expected.join(' '));
    QCOMPARE(rowText(1, "rowTime"), QStringLiteral("04:00:00"));
    QVERIFY(rig.dismissMessage("Unable to complete this action."));
}

// Play events on the 15th of this month (every day for the today list),
// told apart by their hour (event n at n o'clock), read by the application
// with the filter of that date field ("AA0000" all, "DD0000" today,
// otherwise the 15th) while the tab is editable.
void TstTimerEventScreen::playEvents(int count, const QString& filter)
{
    editableTab();
    const QDate day(QDate::currentDate().year(), QDate::currentDate().month(), 15);
    timers->events.clear();
    for (int n = 1; n <= count; ++n)
        timers->events << sim::SimTimerEvent { "0100" + (filter == "DD0000" ? "000000" : day.toString("yyMMdd")) + "000"
                                                   + QString::number(n) + QString(12, '0') + "01",
                                               QString("\\TAKE000%1.wav").arg(n) };
    if (filter == "AA0000")
        graph->tev.showAll();
    else if (filter == "DD0000")
        graph->tev.showToday();
    else
        graph->tev.showDate(day);
    waitUntilQuiet();
    QVERIFY(listShows(count));
}

// The tab shown with the edit right, writable and available, without a
// window or message open, the recorder answering at once (also after a
// failure).
void TstTimerEventScreen::editableTab()
{
    sim::RecorderState* state = sim::statusModel(*recorder);
    recorder->answerLatencyMs = 0;
    recorder->releaseAnswers();
    timers->changeElsewhereOn = QRegularExpression();
    state->setReadOnly(false);
    state->panel.playMode = state->panel.playArea = 0;
    state->announce();
    if (!graph->permission.okPermission())
        rig.clickTab(4);
    QTRY_VERIFY(graph->permission.okPermission() && !graph->permission.isReadOnly() && !graph->tev.disabledAreaAndMode());
    if (rig.textShown("Unable to complete this action."))
        rig.dismissMessage("Unable to complete this action.");
    for (const char* cancel : { "filterCancel", "deleteCancel" }) {
        if (find(cancel) && find(cancel)->isVisible())
            click(find(cancel));
    }
    QTRY_COMPARE(openWindows(), QString());
}

// Waits until the application has nothing more to ask of the timer events:
// it asks the recorder something that only this answers, again and again,
// until no timer-event line went out between two questions. The recorder
// answers in order, so by then every answer to what went before has been
// handled.
void TstTimerEventScreen::waitUntilQuiet()
{
    static int asked = 0;
    for (int round = 0, before = -1; round < 100; ++round) {
        const QString answer = QStringLiteral("QUIET%1").arg(++asked);
        recorder->setReply("QUIET", { "0" + answer });
        QSignalSpy answers(&graph->telnet, &Telnet::readyRead);
        graph->telnet.sendData("QUIET\r\n");
        QTRY_VERIFY(answers.contains({ answer }));
        QStringList lines = recorder->receivedLines(rig.connection);
        lines = lines.mid(0, lines.lastIndexOf("QUIET")).filter(QRegularExpression("^07F47"));
        if (std::exchange(before, lines.size()) == before)
            return;
    }
    QFAIL("the application keeps asking");
}

// The recorder's events, whole.
QString TstTimerEventScreen::recorderEvents() const
{
    QStringList events;
    for (const sim::SimTimerEvent& e : qAsConst(timers->events))
        events << e.block + e.option;
    return events.join(' ');
}

// The tab's windows still open (also while another tab shows).
QString TstTimerEventScreen::openWindows() const
{
    QStringList open;
    for (const char* loader : { "timerEventFilterLoader", "timerEventScheduleLoader", "timerEventTypeLoader" }) {
        if (find(loader)->property("active").toBool())
            open << loader;
    }
    if (find("deleteCheck")->isVisible())
        open << "deleteCheck";
    return open.join(' ');
}

void TstTimerEventScreen::focusAfterASaveWhileTheListChangesElsewhere_data()
{
    QTest::addColumn<QString>("filter");
    QTest::newRow("one day: the saved event put back on the day") << QDate::currentDate().toString("yyMM") + "15";
    QTest::newRow("all: the event before it deleted") << QStringLiteral("AA0000");
}

// Answers late: the third event is given the 16th and saved. Before the list
// is read again, another controller changes the list: under the day filter it
// puts the event back on the 15th, so that the number the recorder answered
// the write with (one past the day's list then) names the last event; on the
// whole list it deletes the second event, so that the third is the fourth.
// The application focuses the event it wrote or none, never the event that
// took the number.
void TstTimerEventScreen::focusAfterASaveWhileTheListChangesElsewhere()
{
    QFETCH(QString, filter);
    playEvents(6, filter);
    const sim::SimTimerEvent third = timers->events.at(2);
    recorder->answerLatencyMs = 200;
    focusAndOpenSchedule(2);
    clickDay(16);
    click(find("scheduleOk"));
    waitUntilQuiet(); // the day filter's re-read of the focused event
    timers->changeElsewhereOn = QRegularExpression("^07F475D" + filter + "$");
    if (filter == "AA0000")
        timers->changeElsewhere = [](QList<sim::SimTimerEvent>& list) { list.removeAt(1); };
    else
        timers->changeElsewhere = [third](QList<sim::SimTimerEvent>& list) { list[2] = third; };
    recorder->clearLog();
    click(rowPart(2, "rowSave"));
    waitUntilQuiet();
    recorder->answerLatencyMs = 0;

    QVERIFY(listShows(filter == "AA0000" ? 5 : 6));
    QCOMPARE(timerLines().filter("07F4742").size(), 1);
    const QString written = "03:00:00 " + QDate::currentDate().toString("yyyy/MM") + "/16";
    const TimerEventObject* focused = graph->tev.row(graph->tev.focus());
    const QString shown = focused ? focused->time() + ' ' + focused->date() : QString();
    QVERIFY2(!focused || shown == written,
             qPrintable(QString("focused row %1: %2; written: %3").arg(graph->tev.focus()).arg(shown, written)));
}

void TstTimerEventScreen::lockedTabSendsNothing_data()
{
    QTest::addColumn<QString>("reason"); // why the tab becomes read-only or unavailable
    QTest::addColumn<QString>("tap");    // held while the list is read again
    QTest::newRow("read-only recorder, a second Save held") << "read-only" << "save";
    QTest::newRow("play mode PROGRAM, a switch held") << "play mode" << "switch";
    QTest::newRow("play area FOLDER, a delete held") << "play area" << "delete";
    QTest::newRow("home tab, a second Save held") << "home" << "save";
}

// All events listed, answers late: the third is given the 16th and saved.
// While the list is read again, a second Save of it (with the 17th), the
// switch or the delete of the fourth is held, and the filter dialog opened.
// Then the tab becomes read-only or unavailable: the recorder gets nothing
// more and keeps its events as the first Save left them, the person is told
// once that the held tap was not done, and the tab's windows close.
void TstTimerEventScreen::lockedTabSendsNothing()
{
    QFETCH(QString, reason);
    QFETCH(QString, tap);
    playEvents(4, "AA0000");
    recorder->answerLatencyMs = 200;
    QSignalSpy told(&graph->tev, &TimerEvent::execFailed);
    recorder->clearLog();
    saveSixteenthWithTheListHeld();
    const QStringList written = timerLines().filter("07F474");
    const QString kept = recorderEvents();
    if (tap == "save") {
        focusAndOpenSchedule(2);
        clickDay(17);
        click(find("scheduleOk"));
        click(rowPart(2, "rowSave"));
    } else if (tap == "switch") {
        click(rowPart(3, "rowSwitch"));
    } else {
        click(rowPart(3, "rowFocusLower"));
        click(rowPart(3, "rowDelete"));
        click(find("deleteOk"));
    }
    click(find("filterButton"));
    QTRY_VERIFY(find("filterOk"));
    QCOMPARE(told.count(), 0);

    sim::RecorderState* state = sim::statusModel(*recorder);
    if (reason == "read-only")
        state->setReadOnly(true);
    else if (reason == "home")
        rig.clickTab(0);
    else if (reason == "play mode")
        state->panel.playMode = 4; // PROGRAM
    else
        state->panel.playArea = 1; // FOLDER
    state->announce();
    QTRY_VERIFY(graph->permission.isReadOnly() || !graph->permission.okPermission() || graph->tev.disabledAreaAndMode());
    recorder->releaseAnswers();
    waitUntilQuiet();

    // What the recorder got and keeps, whole, so that a failure shows it.
    QCOMPARE(timerLines().filter(QRegularExpression("^07F474[024]")).join(' '), written.join(' '));
    QCOMPARE(recorderEvents(), kept);
    QCOMPARE(openWindows(), QString());
    QCOMPARE(told.count(), 1);
    QVERIFY(rig.dismissMessage("Unable to complete this action."));
    editableTab();
}

QTEST_MAIN(TstTimerEventScreen)
#include "tst_timerevent_screen.moc"
