// A person creates a timer event on the real window, logged in to a simulated
// KZ-470DUAL, and edits every field through the pickers and wheel editors by
// mouse and keyboard: each event type with its option, the time and the repeat
// on the wheels (drags and a flick), the record input, a playback file picked
// or typed, a download target typed. Every Save is checked against the exact
// line the recorder received and the event it keeps; Cancel and the backdrop
// change nothing. Pictures go to <build>/tests/screenshots.
#include <QtTest>
#include <functional>
#include <memory>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstTimerEventEditorsE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { rig.close(); recorder.reset(); }
    void everyTypeAndField();
    void cancelAndBackdropChangeNothing();
    void closesWithoutQmlWarnings()
    {
        rig.close();
        QCOMPARE(windowrig::takeWarnings(), QStringList());
    }

private:
    // The first item of the visual tree that passes the test.
    QQuickItem* find(const std::function<bool(QQuickItem*)>& test, QQuickItem* within = nullptr) const
    {
        QList<QQuickItem*> pending { within ? within : rig.window->contentItem() };
        while (!pending.isEmpty() && pending.first()) {
            QQuickItem* item = pending.takeFirst();
            if (test(item))
                return item;
            pending << item->childItems();
        }
        return nullptr;
    }
    QQuickItem* named(const QString& name, QQuickItem* within = nullptr) const { return rig.shown(name, within); }
    QQuickItem* button(const QString& text) const
    {
        return find([&](QQuickItem* i) { return i->inherits("QQuickMouseArea") && i->property("text") == text && i->isVisible(); });
    }
    // A part of the event's row, the list's only one; null while the list is being read.
    QQuickItem* row(const char* part) const
    {
        QQuickItem* first = AppRig::rowAt(named("timerEventListView"), 0);
        return first ? find([&](QQuickItem* i) { return i->objectName() == part; }, first) : nullptr;
    }
    QString rowText(const char* part) const { return row(part) ? row(part)->property("text").toString() : QString(); }
    QQuickItem* dialog(const char* host) const { return named(host)->property("item").value<QQuickItem*>(); }
    int wheel(const char* name) const { return named(name) ? named(name)->property("currentIndex").toInt() : -1; }
    // At the centre, or at a height in units (a dialog's backdrop above its box).
    void click(QQuickItem* target, qreal y = -1)
    {
        QVERIFY(target && target->isVisible());
        const qreal at = y < 0 ? target->height() / 2 : y * rig.window->property("ptSize").toReal();
        rig.clickAt(target->mapToScene(QPointF(target->width() / 2, at)).toPoint());
    }
    void open(QQuickItem* opener, const char* host)
    {
        click(opener);
        TRY_VERIFY(dialog(host));
    }
    void chooseType(int row)
    {
        open(this->row("rowTypeBox"), "timerEventTypeLoader");
        click(named("typeRow" + QString::number(row)));
        click(named("typeOk"));
    }
    void turn(const char* wheel, int items, bool flick = false);
    void type(const QString& text);
    void save(const QString& type, const QString& input, const QString& mode, const QString& option);
    void shoot(const QString& name) { QVERIFY(rig.shoot(name)); }

    std::unique_ptr<sim::SimRecorder> recorder;
    AppRig rig;
    QString created = QDate::currentDate().toString("yyMMdd");
    QString time = "000000", repeat = "000001"; // hhmmss; interval hhmm and count
};

void TstTimerEventEditorsE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    recorder = simlink::startRecorder(8);
    QVERIFY(recorder);
    recorder->model = 1; // offers the Dante input
    sim::timerEvents(*recorder)->events.clear();
    QVERIFY(rig.start() && rig.logIn(*recorder));
    rig.clickTab(4); // timer events
    TRY_VERIFY(rig.graph->permission.okPermission());

    click(named("addEvent"));
    TRY_COMPARE(rig.graph->tev.focus(), 0);
    QCOMPARE(recorder->receivedLines(rig.connection).filter("07F4740"),
             QStringList("07F47400100" + created + "000000000100000001"));
}

// Drags the wheel by a number of items (positive: on to higher numbers), the
// finger at rest before it lifts; or flicks it that way and lets it spin out.
void TstTimerEventEditorsE2e::turn(const char* name, int items, bool flick)
{
    QQuickItem* wheel = named(name);
    QVERIFY(wheel);
    const int steps = flick ? 2 : 8, delay = flick ? 16 : 30;
    QPointF at = wheel->mapToScene(QPointF(wheel->width() / 2, wheel->height() / 2));
    QTest::mousePress(rig.window, Qt::LeftButton, Qt::NoModifier, at.toPoint());
    for (int i = 0; i < qAbs(items) * steps; ++i) {
        at.ry() -= (items > 0 ? 1 : -1) * wheel->height() / 5 / steps;
        QTest::mouseMove(rig.window, at.toPoint(), delay);
    }
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, at.toPoint(), flick ? delay : 400);
    TRY_VERIFY(!wheel->property("moving").toBool());
}

// Replaces the text of the open input window, key by key.
void TstTimerEventEditorsE2e::type(const QString& text)
{
    QQuickItem* field = find([](QQuickItem* i) { return i->inherits("QQuickTextInput") && i->isVisible(); });
    QVERIFY(field);
    click(field);
    QTest::keyClick(rig.window, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text)
        QTest::keyClick(rig.window, c.toLatin1());
    QCOMPARE(field->property("text").toString(), text);
}

// Saves the event: the recorder receives its line and keeps the event so.
void TstTimerEventEditorsE2e::save(const QString& type, const QString& input, const QString& mode, const QString& option)
{
    const QString block = "01" + type + created + "00" + time + input + mode + repeat;
    recorder->clearLog();
    QSignalSpy reread(&rig.graph->tev, &TimerEvent::setNewFocus);
    click(row("rowSave"));
    TRY_COMPARE(recorder->receivedLines(rig.connection).filter("07F4742"), QStringList("07F47420100" + block + option));
    const sim::SimTimerEvent kept = sim::timerEvents(*recorder)->events.value(0);
    QCOMPARE(kept.block + "|" + kept.option, block + "|" + option);
    // The list is read anew and the saved event comes back focused, its row in view.
    TRY_COMPARE(reread.count(), 1);
    QCOMPARE(rig.graph->tev.focus(), 0);
    TRY_VERIFY(row("rowSave") && row("rowSave")->isVisible());
}

void TstTimerEventEditorsE2e::everyTypeAndField()
{
    // PLAY at its end time, set on the wheels, with a file picked in a folder.
    open(row("rowTypeBox"), "timerEventTypeLoader");
    click(named("typeRow1"));
    shoot("timerevent_type.png");
    click(named("typeOk"));
    open(row("rowTimeBox"), "timerEventTimeEditLoader");
    turn("hourTumbler", 3);
    turn("minutesTumbler", 4, true);
    turn("secTumbler", -2); // back past "00"
    const int minutes = wheel("minutesTumbler");
    QVERIFY2(minutes > 4, "flung on past the finger");
    QCOMPARE(QList<int>({ wheel("hourTumbler"), wheel("secTumbler") }), QList<int>({ 3, 58 }));
    shoot("timerevent_time.png");
    click(named("timeOk"));
    time = QString("03%1").arg(minutes, 2, 10, QLatin1Char('0')) + "58";
    open(row("rowRepeatBox"), "timerEventRepeatEditLoader");
    turn("countTumbler", -1); // from 1 round to 100
    turn("intervalHourTumbler", 1);
    turn("intervalMinutesTumbler", -3);
    shoot("timerevent_repeat.png");
    click(named("repeatOk"));
    repeat = "015700";
    open(row("rowOption"), "timerEventBrowseLoader");
    while (!rig.graph->browse.nowFolderName().isEmpty()) { // the picker opens on the browser's folder
        const QString was = rig.graph->browse.nowFolderName();
        click(named("upIcon", dialog("timerEventBrowseLoader")));
        TRY_VERIFY(rig.graph->browse.nowFolderName() != was);
    }
    for (const char* entry : { "row_LIVE", "row_2017", "row_Encore.mp3" }) {
        TRY_VERIFY(named(entry));
        if (QString(entry).endsWith("mp3"))
            shoot("timerevent_playfile.png");
        click(named(entry));
    }
    save("00", "00", "01", "\\LIVE\\2017\\Encore.mp3");
    QCOMPARE(QStringList({ rowText("rowTime"), rowText("rowCount"), rowText("rowInterval"), rowText("rowTimeMode"), rowText("rowOption") }),
             QStringList({ "03:" + time.mid(2, 2) + ":58", "100", "01:57", "END TIME", "Encore.mp3" }));
    shoot("timerevent_edited.png");

    // REPEAT PLAY keeps the file; the count back to 1; a path typed through the picker's pencil.
    chooseType(2);
    open(row("rowRepeatBox"), "timerEventRepeatEditLoader");
    turn("countTumbler", 1);
    click(named("repeatOk"));
    repeat = "015701";
    open(row("rowOption"), "timerEventBrowseLoader");
    open(find([](QQuickItem* i) { return i->property("source").toString().endsWith("rename-W.svg"); }), "timerEventPlayTargetLoader");
    QCOMPARE(dialog("timerEventPlayTargetLoader")->property("field").toString(), QStringLiteral("/LIVE/2017/Encore.mp3"));
    type("LIVE/Clos\\ing.wav"); // a typed "\" is dropped
    shoot("timerevent_playtarget.png");
    click(button("OK"));
    save("01", "00", "00", "LIVE\\Closing.wav");
    QCOMPARE(rowText("rowCount") + " " + rowText("rowOption"), QStringLiteral("1 Closing.wav"));

    // RECORD starts from the first input; the recorder offers Dante.
    chooseType(3);
    open(row("rowOption"), "timerEventRecInputLoader");
    click(named("recInputRow4"));
    shoot("timerevent_recinput.png");
    click(named("recInputOk"));
    save("02", "04", "00", "");
    QCOMPARE(rowText("rowOption"), QStringLiteral("DIGITAL(Dante)"));

    chooseType(4); // STOP
    save("03", "00", "00", "");
    chooseType(5); // DOWNLOAD, to a typed target
    open(row("rowOption"), "timerEventDlTargetLoader");
    type("DL_TARGET02");
    shoot("timerevent_dltarget.png");
    click(button("OK"));
    save("04", "00", "00", "DL_TARGET02");
    chooseType(6); // DELETE & DOWNLOAD keeps the target
    save("05", "00", "00", "DL_TARGET02");
}

void TstTimerEventEditorsE2e::cancelAndBackdropChangeNothing()
{
    recorder->clearLog();
    open(row("rowTimeBox"), "timerEventTimeEditLoader");
    turn("hourTumbler", 2);
    click(named("timeCancel"));
    open(row("rowRepeatBox"), "timerEventRepeatEditLoader");
    turn("countTumbler", 3);
    click(dialog("timerEventRepeatEditLoader"), 20);
    open(row("rowTypeBox"), "timerEventTypeLoader");
    click(named("typeRow0"));
    click(dialog("timerEventTypeLoader"), 20);
    open(row("rowTypeBox"), "timerEventTypeLoader");
    click(named("typeRow3"));
    click(named("typeCancel"));
    open(row("rowOption"), "timerEventDlTargetLoader");
    type("ELSEWHERE");
    click(dialog("timerEventDlTargetLoader"), 20);
    TRY_VERIFY(!dialog("timerEventDlTargetLoader"));
    QCOMPARE(recorder->receivedLines(rig.connection).filter("07F47"), QStringList());
    save("05", "00", "00", "DL_TARGET02");
}

QTEST_MAIN(TstTimerEventEditorsE2e)
#include "tst_timerevent_editors_e2e.moc"
