// A person creates a timer event on the real window, logged in to a simulated
// KZ-470DUAL, and edits every field through the pickers and wheel editors by
// mouse and keyboard: each event type with its option, the time and the repeat
// on the wheels (drags and a flick), the record input, a playback file from the
// browser or typed, a download target typed. Every Save is checked against the
// exact line the recorder received and the event it keeps; Cancel and the
// backdrop change nothing. Pictures go to <build>/tests/screenshots.
#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <functional>
#include <memory>

#include "globals.h"
#include "netenv.h"
#include "simlink.h"
#include "timereventcommands.h"
#include "windowrig.h"

class TstTimerEventEditorsE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void playAtItsEndFromAPickedFile();
    void repeatPlayOfATypedPath();
    void recordFromDante();
    void stopAndDownloads();
    void cancelAndBackdropChangeNothing();
    void closesWithoutQmlWarnings();

private:
    QQuickItem* find(const QString& name, QQuickItem* within = nullptr) const;
    QQuickItem* rowPart(const char* name) const;
    QString rowText(const char* name) const { return rowPart(name)->property("text").toString(); }
    void click(QQuickItem* target);
    void clickAt(QQuickItem* within, qreal x, qreal y);
    void open(const char* rowBox, const char* dialogPart);
    void chooseType(int row);
    void turn(const QString& wheel, int items, bool flick = false);
    int wheel(const QString& name) const { return find(name)->property("currentIndex").toInt(); }
    void typeInto(const QString& text);
    QQuickItem* button(const QString& text, QQuickItem* within) const;
    void shoot(const QString& name) { QVERIFY(!windowrig::saveFrame(window, name).isNull()); }
    // Saves the event: the line the recorder receives, and then keeps.
    void save(const QString& line);
    QString block(const QString& type, const QString& time, const QString& input, const QString& mode,
                  const QString& interval, const QString& count) const
    {
        return "01" + type + created + time + input + mode + interval + count;
    }

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::TimerEventList* timers = nullptr;
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
    QQuickWindow* window = nullptr;
    int connection = 0;
    qreal pt = 1;
    QString created; // the event's date field: the day it was created, no week days
    QString time;    // hhmmss, as last saved
};

void TstTimerEventEditorsE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    windowrig::collectWarnings();
    recorder = simlink::startRecorder(8);
    QVERIFY(recorder);
    recorder->model = 1; // offers the Dante input
    timers = sim::timerEvents(*recorder);
    timers->events.clear();

    engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    graph = std::make_unique<ObjectGraph>();
    graph->publish(engine->rootContext(), multiFontFor(QLocale(QLocale::English)));
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    QCOMPARE(engine->rootObjects().size(), 1);
    window = qobject_cast<QQuickWindow*>(engine->rootObjects().first());
    QVERIFY(window && QTest::qWaitForWindowExposed(window));
    connection = simlink::logIn(*graph, *recorder);
    QVERIFY(connection);
    QTRY_VERIFY(!find("loginscreenbase")->isVisible());
    pt = window->property("ptSize").toReal();
    // The timer-event tab: the fifth of 80 units with gaps of 3.5, on the screen area's top edge.
    const qreal left = (window->width() - window->property("appWidth").toReal()) / 2;
    const int tabY = qRound((window->height() - window->property("appHeight").toReal()) / 2);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(qRound(left + (4 * 83.5 + 40) * pt), tabY));
    QTRY_VERIFY(graph->permission.okPermission());
    QVERIFY(graph->tev.enableDante());

    click(find("addEvent"));
    created = QDate::currentDate().toString("yyMMdd") + "00";
    time = "000000";
    QTRY_COMPARE(timers->events.size(), 1);
    QCOMPARE(recorder->receivedLines(connection).filter("07F4740").value(0),
             "07F47400100" + QDate::currentDate().toString("yyMMdd") + "000000000100000001");
    QTRY_COMPARE(graph->tev.focus(), 0);
}

void TstTimerEventEditorsE2e::cleanupTestCase()
{
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
    recorder.reset();
    windowrig::stopCollecting();
}

// A visible item of that name first.
QQuickItem* TstTimerEventEditorsE2e::find(const QString& name, QQuickItem* within) const
{
    const QList<QQuickItem*> found = windowrig::visualItems(within ? within : window->contentItem(), name);
    for (QQuickItem* item : found) {
        if (item->isVisible())
            return item;
    }
    return found.value(0);
}

// A part of the event's row, the list's only one.
QQuickItem* TstTimerEventEditorsE2e::rowPart(const char* name) const
{
    QQuickItem* list = find("timerEventListView");
    QQuickItem* row = nullptr;
    QMetaObject::invokeMethod(list, "forceLayout");
    QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, row), Q_ARG(int, 0));
    return row ? find(name, row) : nullptr;
}

void TstTimerEventEditorsE2e::click(QQuickItem* target)
{
    QVERIFY(target);
    QVERIFY2(target->isVisible(), qPrintable(target->objectName()));
    clickAt(target, target->width() / 2, target->height() / 2);
}

void TstTimerEventEditorsE2e::clickAt(QQuickItem* within, qreal x, qreal y)
{
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, within->mapToScene(QPointF(x, y)).toPoint());
}

void TstTimerEventEditorsE2e::open(const char* rowBox, const char* dialogPart)
{
    click(rowPart(rowBox));
    QTRY_VERIFY(find(dialogPart) && find(dialogPart)->isVisible());
}

void TstTimerEventEditorsE2e::chooseType(int row)
{
    open("rowTypeBox", "typeOk");
    click(find("typeRow" + QString::number(row)));
    click(find("typeOk"));
    QTRY_VERIFY(!find("typeOk"));
}

// Drags the wheel by a number of items (positive: on to higher numbers), a
// finger at rest before it lifts; or flicks it that way and lets it spin out.
void TstTimerEventEditorsE2e::turn(const QString& name, int items, bool flick)
{
    QQuickItem* wheel = find(name);
    QVERIFY(wheel);
    const int perItem = flick ? 2 : 8;
    const qreal step = wheel->height() / 5 / perItem;
    QPoint at = wheel->mapToScene(QPointF(wheel->width() / 2, wheel->height() / 2)).toPoint();
    QPointF exact = at;
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < qAbs(items) * perItem; ++i) {
        exact.ry() -= items > 0 ? step : -step;
        at = exact.toPoint();
        QTest::mouseMove(window, at, flick ? 16 : 30);
    }
    if (!flick)
        QTest::mouseMove(window, at, 400);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at, flick ? 16 : 400);
    QTRY_VERIFY(!wheel->property("moving").toBool());
}

// The first item under root, in the visual tree, that passes the test.
static QQuickItem* search(QQuickItem* root, const std::function<bool(QQuickItem*)>& test)
{
    if (test(root))
        return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = search(child, test))
            return found;
    }
    return nullptr;
}

// A dialog's text button.
QQuickItem* TstTimerEventEditorsE2e::button(const QString& text, QQuickItem* within) const
{
    return search(within, [&](QQuickItem* item) {
        return item->inherits("QQuickMouseArea") && item->property("text").toString() == text;
    });
}

// Replaces the text of the open input window's field, key by key.
void TstTimerEventEditorsE2e::typeInto(const QString& text)
{
    QQuickItem* field = search(window->contentItem(), [](QQuickItem* item) {
        return item->inherits("QQuickTextInput") && item->isVisible() && item->property("selectByMouse").toBool();
    });
    click(field);
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_Backspace);
    for (const QChar c : text) {
        for (const QEvent::Type t : { QEvent::KeyPress, QEvent::KeyRelease }) {
            QKeyEvent key(t, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QGuiApplication::sendEvent(window, &key);
        }
    }
    QCOMPARE(field->property("text").toString(), text);
}

void TstTimerEventEditorsE2e::save(const QString& line)
{
    recorder->clearLog();
    click(rowPart("rowSave"));
    QTRY_COMPARE(recorder->receivedLines(connection).filter("07F4742"), QStringList(line));
    QTRY_COMPARE(timers->events.at(0).block + timers->events.at(0).option, line.mid(11));
    QTRY_COMPARE(graph->tev.focus(), 0); // the saved event comes back focused
}

void TstTimerEventEditorsE2e::playAtItsEndFromAPickedFile()
{
    open("rowTypeBox", "typeOk");
    click(find("typeRow1"));
    shoot("timerevent_type.png");
    click(find("typeOk"));
    QTRY_COMPARE(rowText("rowTimeMode"), QStringLiteral("END TIME"));

    open("rowTimeBox", "timeOk");
    turn("hourTumbler", 3);
    turn("minutesTumbler", 4, true);
    turn("secTumbler", -2); // back past "00"
    const int minutes = wheel("minutesTumbler");
    QCOMPARE(QList<int>({ wheel("hourTumbler"), wheel("secTumbler") }), QList<int>({ 3, 58 }));
    QVERIFY2(minutes > 4, qPrintable(QString::number(minutes))); // flung further than the finger went
    shoot("timerevent_time.png");
    click(find("timeOk"));
    time = QString("03%1").arg(minutes, 2, 10, QLatin1Char('0')) + "58";
    QTRY_COMPARE(rowText("rowTime"), QString("03:%1:58").arg(minutes, 2, 10, QLatin1Char('0')));

    open("rowRepeatBox", "repeatOk");
    turn("countTumbler", -1); // from 1 round to 100
    turn("intervalHourTumbler", 1);
    turn("intervalMinutesTumbler", -3);
    QCOMPARE(find("countTumbler")->property("currentItem").value<QQuickItem*>()->property("text").toString(),
             QStringLiteral("100 "));
    shoot("timerevent_repeat.png");
    click(find("repeatOk"));
    QTRY_COMPARE(rowText("rowCount"), QStringLiteral("100"));
    QCOMPARE(rowText("rowInterval"), QStringLiteral("01:57"));

    // The picker opens on the folder the browser shows; up to the medium's root.
    click(rowPart("rowOption"));
    QTRY_VERIFY(find("timerEventBrowseLoader")->property("item").value<QQuickItem*>());
    QQuickItem* picker = find("timerEventBrowseLoader");
    while (!graph->browse.nowFolderName().isEmpty()) {
        const QString was = graph->browse.nowFolderName();
        click(find("upIcon", picker));
        QTRY_VERIFY(graph->browse.nowFolderName() != was);
    }
    QTRY_VERIFY(find("row_LIVE", picker));
    click(find("row_LIVE", picker));
    QTRY_VERIFY(find("row_2017", picker));
    click(find("row_2017", picker));
    QTRY_VERIFY(find("row_Encore.mp3", picker));
    shoot("timerevent_playfile.png");
    click(find("row_Encore.mp3", picker));
    QTRY_COMPARE(rowText("rowOption"), QStringLiteral("Encore.mp3"));
    QVERIFY(!find("timerEventBrowseLoader")->property("active").toBool());

    save("07F47420100" + block("00", time, "00", "01", "0157", "00") + "\\LIVE\\2017\\Encore.mp3");
}

void TstTimerEventEditorsE2e::repeatPlayOfATypedPath()
{
    chooseType(2); // the play file stays
    QTRY_VERIFY(!rowPart("rowTimeMode")->isVisible());
    QCOMPARE(rowText("rowOption"), QStringLiteral("Encore.mp3"));

    open("rowRepeatBox", "repeatOk");
    QCOMPARE(wheel("countTumbler"), 99);
    turn("countTumbler", 1); // from 100 round to 1
    click(find("repeatOk"));
    QTRY_COMPARE(rowText("rowCount"), QStringLiteral("1"));

    // The pencil of the picker: the path typed with "/", a typed "\" dropped.
    click(rowPart("rowOption"));
    QTRY_VERIFY(find("timerEventBrowseLoader")->property("item").value<QQuickItem*>());
    click(search(find("timerEventBrowseLoader"), [](QQuickItem* item) {
        return item->property("source").toString().endsWith("icon_47x30_rename-W.svg");
    }));
    QTRY_VERIFY(find("timerEventPlayTargetLoader")->property("item").value<QQuickItem*>());
    QQuickItem* input = find("timerEventPlayTargetLoader")->property("item").value<QQuickItem*>();
    QCOMPARE(input->property("field").toString(), QStringLiteral("/LIVE/2017/Encore.mp3"));
    typeInto("LIVE/Clos\\ing.wav");
    shoot("timerevent_playtarget.png");
    click(button("OK", input));
    QTRY_COMPARE(rowText("rowOption"), QStringLiteral("Closing.wav"));

    save("07F47420100" + block("01", time, "00", "00", "0157", "01") + "LIVE\\Closing.wav");
}

void TstTimerEventEditorsE2e::recordFromDante()
{
    chooseType(3);
    QTRY_COMPARE(rowText("rowOption"), QStringLiteral("ANALOG(UNBAL.)"));
    open("rowOption", "recInputOk");
    QVERIFY(find("recInputRow4")->isVisible());
    click(find("recInputRow2"));
    click(find("recInputRow4"));
    shoot("timerevent_recinput.png");
    click(find("recInputOk"));
    QTRY_COMPARE(rowText("rowOption"), QStringLiteral("DIGITAL(Dante)"));

    save("07F47420100" + block("02", time, "04", "00", "0157", "01"));
}

void TstTimerEventEditorsE2e::stopAndDownloads()
{
    chooseType(4);
    QTRY_COMPARE(rowText("rowOption"), QString());
    save("07F47420100" + block("03", time, "00", "00", "0157", "01"));

    chooseType(5);
    click(rowPart("rowOption"));
    QTRY_VERIFY(find("timerEventDlTargetLoader")->property("item").value<QQuickItem*>());
    QQuickItem* input = find("timerEventDlTargetLoader")->property("item").value<QQuickItem*>();
    QVERIFY(!button("OK", input)->isVisible()); // nothing typed yet
    typeInto("DL_TARGET02");
    shoot("timerevent_dltarget.png");
    click(button("OK", input));
    QTRY_COMPARE(rowText("rowOption"), QStringLiteral("DL_TARGET02"));
    save("07F47420100" + block("04", time, "00", "00", "0157", "01") + "DL_TARGET02");

    chooseType(6); // the target stays
    save("07F47420100" + block("05", time, "00", "00", "0157", "01") + "DL_TARGET02");
}

void TstTimerEventEditorsE2e::cancelAndBackdropChangeNothing()
{
    const QString shown = rowText("rowTime") + rowText("rowCount") + rowText("rowInterval") + rowText("rowOption");
    recorder->clearLog();
    // Taps on the dimmed area: above the dialog boxes, inside the list's area.
    auto backdrop = [&](const char* host) { clickAt(find(host), find(host)->width() / 2, 20 * pt); };

    open("rowTimeBox", "timeOk");
    turn("hourTumbler", 2);
    click(find("timeCancel"));
    open("rowRepeatBox", "repeatOk");
    turn("countTumbler", 3);
    backdrop("timerEventRepeatEditLoader");
    open("rowTypeBox", "typeOk");
    click(find("typeRow0"));
    backdrop("timerEventTypeLoader");
    open("rowTypeBox", "typeOk");
    click(find("typeRow3"));
    click(find("typeCancel"));
    click(rowPart("rowOption"));
    QTRY_VERIFY(find("timerEventDlTargetLoader")->property("item").value<QQuickItem*>());
    typeInto("ELSEWHERE");
    backdrop("timerEventDlTargetLoader");
    QTRY_VERIFY(!find("timerEventDlTargetLoader")->property("item").value<QQuickItem*>());

    QCOMPARE(rowText("rowTime") + rowText("rowCount") + rowText("rowInterval") + rowText("rowOption"), shown);
    QCOMPARE(recorder->receivedLines(connection).filter("07F47"), QStringList());
    save("07F47420100" + block("05", time, "00", "00", "0157", "01") + "DL_TARGET02");
}

void TstTimerEventEditorsE2e::closesWithoutQmlWarnings()
{
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

QTEST_MAIN(TstTimerEventEditorsE2e)
#include "tst_timerevent_editors_e2e.moc"
