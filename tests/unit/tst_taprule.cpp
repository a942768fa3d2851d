// The window's rule for quick taps, on a small scene: which item, if any, the
// second and later taps of a person's burst reach, by mouse or by finger.
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QtTest>

#include "taprule.h"

Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global, Qt::MouseButtons state,
                                      Qt::MouseButton button, QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);

namespace {

// A one-tap key that opens a cover over the keys below it, a key whose taps
// add up and one that steps aside when tapped (both the application's own
// TapKey), and a text field.
const char* const scene = R"(
import QtQuick 2.8
import QtQuick.Controls 2.1
import QtQuick.Window 2.2
Window {
    width: 400; height: 300; visible: true
    property int opened: 0
    Button { objectName: "opener"; x: 0; y: 0; width: 100; height: 50; onClicked: { opened++; cover.visible = true } }
    TapKey { objectName: "step"; x: 0; y: 100; width: 100; height: 50; property int taps: 0; onTapped: taps++ }
    TapKey { objectName: "mover"; x: 200; y: 100; width: 100; height: 50; property int taps: 0; onTapped: { taps++; x = 250 } }
    TextField { objectName: "field"; x: 0; y: 200; width: 300; height: 50; text: "alpha beta"; selectByMouse: true }
    Flickable { objectName: "list"; x: 300; y: 160; width: 100; height: 140; contentHeight: 1000
                MouseArea { width: 100; height: 1000 } }
    MouseArea { id: cover; objectName: "cover"; visible: false; width: 400; height: 160
                property int pressed: 0; onPressed: pressed++ }
}
)";

} // namespace

class TstTapRule : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondTap_data();
    void secondTap();
    void textFieldSelectsAWord();
    void fingerDragsAList();

private:
    QQuickItem* item(const char* name) const { return window->findChild<QQuickItem*>(QLatin1String(name)); }
    QPoint centre(const char* name) const { return item(name)->mapToScene(QPointF(item(name)->width() / 2, item(name)->height() / 2)).toPoint(); }
    // Presses and releases at point, `after` ms after the tap before, as the
    // window system stamps a person's taps: the mouse's on a clock of its
    // own, a finger's through the window's touch events, as they come.
    void tap(QPoint point, int after = 140, bool finger = false);
    // Longer than the double-click time.
    static int pause() { return QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200; }

    TapRule rule;
    QTouchDevice* touchScreen = QTest::createTouchDevice();
    std::unique_ptr<QQmlEngine> engine;
    QQuickWindow* window = nullptr;
    int clock = 1000;
};

void TstTapRule::init()
{
    engine = std::make_unique<QQmlEngine>();
    QQmlComponent component(engine.get());
    component.setData(scene, QUrl(QStringLiteral("qrc:/taprulescene.qml"))); // beside the documents
    window = qobject_cast<QQuickWindow*>(component.create());
    QVERIFY2(window, qPrintable(component.errorString()));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    qApp->installEventFilter(&rule);
}

void TstTapRule::cleanup()
{
    qApp->removeEventFilter(&rule);
    delete window;
    engine.reset();
}

void TstTapRule::tap(QPoint point, int after, bool finger)
{
    if (finger) {
        QTest::qWait(after);
        QTest::touchEvent(window, touchScreen).press(0, point, window);
        QTest::qWait(20);
        QTest::touchEvent(window, touchScreen).release(0, point, window);
        return;
    }
    clock += after;
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        qt_handleMouseEvent(window, point, window->mapToGlobal(point), held, Qt::LeftButton, type, Qt::NoModifier, clock);
        clock += 20;
        QCoreApplication::processEvents();
    }
}

void TstTapRule::secondTap_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("count"); // quick taps at one point
    QTest::addColumn<int>("paused"); // the tap that comes after a pause (none when 0)
    QTest::addColumn<bool>("finger");
    QTest::addColumn<int>("taps"); // the key's count after them
    QTest::addColumn<int>("coverPresses"); // presses that reached the cover
    for (const bool finger : { false, true }) {
        const char* by = finger ? "finger" : "mouse";
        QTest::addRow("%s: a step key counts both", by) << "step" << 2 << 0 << finger << 2 << 0;
        QTest::addRow("%s: a step key counts three", by) << "step" << 3 << 0 << finger << 3 << 0;
        QTest::addRow("%s: a key that moved takes no second", by) << "mover" << 2 << 0 << finger << 1 << 0;
        // The opener's second press would land on the cover it opened.
        QTest::addRow("%s: a one-tap key opens once", by) << "opener" << 2 << 0 << finger << 1 << 0;
        // The window system pairs taps two by two; a burst goes on.
        QTest::addRow("%s: a third tap is one with the first", by) << "opener" << 3 << 0 << finger << 1 << 0;
        QTest::addRow("%s: a tap after a pause is a tap", by) << "opener" << 4 << 4 << finger << 1 << 1;
    }
    QTest::newRow("mouse: four quick taps are one") << "opener" << 4 << 0 << false << 1 << 0;
    QTest::newRow("mouse: a step key counts four, one after a pause") << "step" << 4 << 4 << false << 4 << 0;
}

void TstTapRule::secondTap()
{
    QFETCH(QString, key);
    QFETCH(int, count);
    QFETCH(int, paused);
    QFETCH(bool, finger);
    QFETCH(int, taps);
    QFETCH(int, coverPresses);
    const QPoint at = centre(qPrintable(key));
    for (int i = 0; i < count; ++i)
        tap(at, i == 0 || i + 1 == paused ? pause() : 140, finger);
    const QVariant counted = item(qPrintable(key))->property("taps");
    QCOMPARE(counted.isValid() ? counted.toInt() : window->property("opened").toInt(), taps);
    QCOMPARE(item("cover")->property("pressed").toInt(), coverPresses);

    // A key whose taps add up takes no second tap once something covers it.
    item("cover")->setVisible(false);
    tap(centre("step"), pause(), finger);
    item("cover")->setVisible(true);
    tap(centre("step"), 140, finger);
    QCOMPARE(item("step")->property("taps").toInt(), (key == "step" ? count : 0) + 1);
}

void TstTapRule::textFieldSelectsAWord()
{
    QQuickItem* field = item("field");
    tap(field->mapToScene(QPointF(15, 25)).toPoint(), 1000);
    tap(field->mapToScene(QPointF(15, 25)).toPoint());
    QCOMPARE(field->property("selectedText").toString(), QStringLiteral("alpha"));
}

// A finger drags a list as before, also where it tapped just before.
void TstTapRule::fingerDragsAList()
{
    QQuickItem* list = item("list");
    const QPoint at = centre("list");
    tap(at, pause(), true);
    QTest::qWait(pause());
    QTest::touchEvent(window, touchScreen).press(0, at, window);
    for (int y = 10; y <= 100; y += 10) {
        QTest::qWait(16);
        QTest::touchEvent(window, touchScreen).move(0, at - QPoint(0, y), window);
    }
    QTest::touchEvent(window, touchScreen).release(0, at - QPoint(0, 100), window);
    QTRY_VERIFY(list->property("contentY").toReal() > 50);
}

QTEST_MAIN(TstTapRule)
#include "tst_taprule.moc"
