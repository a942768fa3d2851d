// The window's rule for quick second taps, on a small scene: which item, if
// any, the second press of a person's double tap reaches.
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
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

private:
    QQuickItem* item(const char* name) const { return window->findChild<QQuickItem*>(QLatin1String(name)); }
    QPoint centre(const char* name) const { return item(name)->mapToScene(QPointF(item(name)->width() / 2, item(name)->height() / 2)).toPoint(); }
    // Presses and releases at point, `after` ms after the tap before, as the
    // window system stamps a person's taps.
    void tap(QPoint point, int after = 140);

    TapRule rule;
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

void TstTapRule::tap(QPoint point, int after)
{
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
    QTest::addColumn<int>("taps"); // the key's count after them
    QTest::addColumn<int>("coverPresses"); // presses that reached the cover
    QTest::newRow("a step key counts both") << "step" << 2 << 2 << 0;
    QTest::newRow("a step key counts three") << "step" << 3 << 3 << 0;
    QTest::newRow("a key that moved takes no second") << "mover" << 2 << 1 << 0;
    // The opener's second press would land on the cover it opened.
    QTest::newRow("a one-tap key opens once") << "opener" << 2 << 1 << 0;
    // A third tap is a new first tap: on the cover.
    QTest::newRow("a third tap is a tap") << "opener" << 3 << 1 << 1;
}

void TstTapRule::secondTap()
{
    QFETCH(QString, key);
    QFETCH(int, count);
    QFETCH(int, taps);
    QFETCH(int, coverPresses);
    const QPoint at = centre(qPrintable(key));
    for (int i = 0; i < count; ++i)
        tap(at, i == 0 ? 1000 : 140);
    const QVariant counted = item(qPrintable(key))->property("taps");
    QCOMPARE(counted.isValid() ? counted.toInt() : window->property("opened").toInt(), taps);
    QCOMPARE(item("cover")->property("pressed").toInt(), coverPresses);

    // A key whose taps add up takes no second tap once something covers it.
    item("cover")->setVisible(false);
    tap(centre("step"), 1000);
    item("cover")->setVisible(true);
    tap(centre("step"));
    QCOMPARE(item("step")->property("taps").toInt(), (key == "step" ? count : 0) + 1);
}

void TstTapRule::textFieldSelectsAWord()
{
    QQuickItem* field = item("field");
    tap(field->mapToScene(QPointF(15, 25)).toPoint(), 1000);
    tap(field->mapToScene(QPointF(15, 25)).toPoint());
    QCOMPARE(field->property("selectedText").toString(), QStringLiteral("alpha"));
}

QTEST_MAIN(TstTapRule)
#include "tst_taprule.moc"
