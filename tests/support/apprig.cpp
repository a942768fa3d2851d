#include "apprig.h"

#include <QElapsedTimer>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QQmlContext>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>

#include "globals.h"
#include "simlink.h"
#include "windowrig.h"

bool AppRig::start()
{
    windowrig::collectWarnings();
    engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    // Layouts are drawn for Arial's metrics; Liberation Sans shares them.
    const QString family = QFontInfo(QGuiApplication::font()).family();
    if (family != QLatin1String("Arial") && family != QLatin1String("Liberation Sans")) {
        qWarning("%s stands in for Arial: install fonts-liberation", qPrintable(family));
        return false;
    }
    graph = std::make_unique<ObjectGraph>();
    graph->publish(engine->rootContext(), multiFontFor(QLocale(QLocale::English)));
    engine->load(QUrl(document));
    if (engine->rootObjects().size() == 1)
        window = qobject_cast<QQuickWindow*>(engine->rootObjects().first());
    if (!window || !QTest::qWaitForWindowExposed(window, simlink::waitMs)) {
        qWarning("the main window did not show");
        return false;
    }
    return true;
}

bool AppRig::start(const std::function<void(sim::SimRecorder&, sim::RecorderState&)>& prepare)
{
    recorder = simlink::startRecorder(0);
    if (!recorder)
        return false;
    state = sim::statusModel(*recorder);
    prepare(*recorder, *state);
    return start() && logIn(*recorder);
}

bool AppRig::logIn(sim::SimRecorder& to)
{
    connection = simlink::logIn(*graph, to);
    return connection != 0 && QTest::qWaitFor([this] { return !loginScreen()->isVisible(); }, simlink::waitMs);
}

void AppRig::close()
{
    window = nullptr;
    if (graph)
        graph->shutDown();
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
    windowrig::stopCollecting();
}

void AppRig::stop()
{
    close();
    state = nullptr;
    recorder.reset();
}

QQuickItem* AppRig::item(const char* name, QObject* within) const
{
    return (within ? within : window)->findChild<QQuickItem*>(QLatin1String(name));
}

QQuickItem* AppRig::loginScreen() const
{
    QQuickItem* named = item("loginScreen"); // the portrait window names its own
    return named ? named : item("loginscreenbase");
}

QList<QQuickItem*> AppRig::allShown(const QString& prefix, QQuickItem* within) const
{
    QList<QQuickItem*> found, todo { within ? within : window->contentItem() };
    while (!todo.isEmpty()) {
        QQuickItem* next = todo.takeFirst();
        if (!next->isVisible())
            continue;
        if (next->objectName().startsWith(prefix))
            found << next;
        todo << next->childItems();
    }
    return found;
}

QStringList AppRig::rowNames(const QString& prefix, QQuickItem* within) const
{
    QMap<qreal, QString> byPlace;
    for (QQuickItem* row : within ? allShown(prefix, within) : QList<QQuickItem*>()) {
        if (row->height() > 0)
            byPlace.insert(row->mapToScene(QPointF()).y(), row->objectName().mid(prefix.size()));
    }
    return byPlace.values();
}

QQuickItem* AppRig::shown(const QString& name, QQuickItem* within) const
{
    for (QQuickItem* candidate : allShown(name, within)) {
        if (candidate->objectName() == name)
            return candidate;
    }
    return nullptr;
}

QQuickItem* AppRig::withText(const QString& text, QObject* within) const
{
    for (QQuickItem* candidate : (within ? within : window)->findChildren<QQuickItem*>()) {
        if (candidate->isVisible() && candidate->property("text").toString() == text)
            return candidate;
    }
    return nullptr;
}

QQuickItem* AppRig::textInput(QObject* within) const
{
    for (QQuickItem* candidate : within->findChildren<QQuickItem*>()) {
        if (candidate->inherits("QQuickTextInput"))
            return candidate;
    }
    return nullptr;
}

QPoint AppRig::centre(QQuickItem* target)
{
    return target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
}

QString AppRig::tapEach(const QStringList& names, QQuickItem* within)
{
    for (const QString& name : names) {
        if (!QTest::qWaitFor([&] { return shown(name, within); }, simlink::waitMs) || !click(shown(name, within)))
            return name;
    }
    return QString();
}

bool AppRig::dismissMessage(const QString& text)
{
    return QTest::qWaitFor([&] { return textShown(text); }, simlink::waitMs) && click(withText(text))
        && QTest::qWaitFor([&] { return !textShown(text); }, simlink::waitMs);
}

bool AppRig::click(QQuickItem* target)
{
    if (!target || !target->isVisible()) {
        qWarning() << "cannot click" << (target ? target->objectName() : QStringLiteral("nothing"));
        return false;
    }
    clickAt(centre(target));
    return true;
}

void AppRig::clickAt(QPoint point)
{
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, point);
}

bool AppRig::quickPress(QQuickItem* target, int afterMs)
{
    if (!target || !target->isVisible()) {
        qWarning() << "cannot tap" << (target ? target->objectName() : QStringLiteral("nothing"));
        return false;
    }
    quickPressAt(centre(target), afterMs);
    return true;
}

void AppRig::quickPressAt(QPoint at, int afterMs)
{
    QTest::qWait(afterMs);
    // QTest moves its clock on by its double-click interval after every
    // release; the press goes back to afterMs after that release.
    QTest::lastMouseTimestamp += afterMs - QTest::mouseDoubleClickInterval;
    QTestPrivate::qtestMouseButtons = Qt::LeftButton;
    qt_handleMouseEvent(window, at, window->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress,
                        Qt::NoModifier, ++QTest::lastMouseTimestamp);
    QCoreApplication::processEvents();
}

bool AppRig::doubleTap(QQuickItem* target, int gapMs)
{
    if (!target || !target->isVisible()) {
        qWarning() << "cannot tap" << (target ? target->objectName() : QStringLiteral("nothing"));
        return false;
    }
    doubleTapAt(centre(target), gapMs);
    return true;
}

void AppRig::doubleTapAt(QPoint at, int gapMs)
{
    quickTapsAt(at, 2, gapMs);
}

bool AppRig::quickTaps(QQuickItem* target, int count, int gapMs)
{
    if (!target || !target->isVisible()) {
        qWarning() << "cannot tap" << (target ? target->objectName() : QStringLiteral("nothing"));
        return false;
    }
    quickTapsAt(centre(target), count, gapMs);
    return true;
}

void AppRig::quickTapsAt(QPoint at, int count, int gapMs)
{
    clickAt(at);
    for (int i = 1; i < count; ++i) {
        quickPressAt(at, gapMs);
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    }
}

bool AppRig::fingerTaps(QQuickItem* target, int count, int gapMs)
{
    if (!target || !target->isVisible()) {
        qWarning() << "cannot tap" << (target ? target->objectName() : QStringLiteral("nothing"));
        return false;
    }
    return fingerTapsAt(centre(target), count, gapMs);
}

namespace {

// Where a finger's touch went while it is installed on `on`: whether the
// window got its press, and whether an item got its press or release (a
// touch, or the mouse event the window makes of it for an item that takes
// no touches). On the application it sees every receiver before the
// application's own filters decide; on the window only what they let on.
class TouchWatch : public QObject
{
public:
    TouchWatch(QObject* on, QQuickWindow* window)
        : m_on(on)
        , m_window(window)
    {
        m_on->installEventFilter(this);
    }
    ~TouchWatch() override { m_on->removeEventFilter(this); }

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        const bool touch = type == QEvent::TouchBegin || type == QEvent::TouchEnd;
        const bool fromTouch = (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)
            && static_cast<QMouseEvent*>(event)->source() != Qt::MouseEventNotSynthesized;
        if (!touch && !fromTouch)
            return false;
        if (receiver == m_window)
            windowPressed = windowPressed || type == QEvent::TouchBegin || type == QEvent::MouseButtonPress;
        else if (qobject_cast<QQuickItem*>(receiver))
            itemReached = true;
        return false;
    }

    bool windowPressed = false;
    bool itemReached = false;

private:
    QObject* m_on;
    QQuickWindow* m_window;
};

} // namespace

bool AppRig::fingerTapsAt(QPoint at, int count, int gapMs)
{
    static QTouchDevice* const touchScreen = QTest::createTouchDevice();
    bool anyReached = false;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            QTest::qWait(gapMs);
        // Installed last, the application's watch sees the touch before the
        // window's tap rule, which may hold back a later tap of a burst.
        TouchWatch sent(QCoreApplication::instance(), window);
        TouchWatch passed(window, window);
        QTest::touchEvent(window, touchScreen).press(0, at, window);
        QTest::qWait(20);
        QTest::touchEvent(window, touchScreen).release(0, at, window);
        const char* fault = nullptr;
        if (!sent.windowPressed)
            fault = "never reached the window";
        else if (passed.windowPressed && !sent.itemReached)
            fault = "reached no item";
        if (fault) {
            qWarning("finger tap %d of %d at (%d, %d) %s", i + 1, count, at.x(), at.y(), fault);
            return false;
        }
        anyReached = anyReached || sent.itemReached;
    }
    if (!anyReached)
        qWarning("no finger tap of %d at (%d, %d) reached an item", count, at.x(), at.y());
    return anyReached;
}

bool AppRig::quickTap(QQuickItem* target, int afterMs)
{
    if (!quickPress(target, afterMs))
        return false;
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, centre(target));
    return true;
}

bool AppRig::taps(QQuickItem* target, int count, int gapMs)
{
    if (!click(target))
        return false;
    for (int i = 1; i < count; ++i) {
        if (!quickTap(target, gapMs))
            return false;
    }
    return true;
}

void AppRig::scroll(QQuickItem* target, int delta, Qt::ScrollPhase phase)
{
    const QPointF at = centre(target);
    const QPoint pixels = phase == Qt::NoScrollPhase ? QPoint() : QPoint(0, delta);
    QWheelEvent wheel(at, window->mapToGlobal(at.toPoint()), pixels, QPoint(0, delta), Qt::NoButton, Qt::NoModifier, phase, false);
    // A touchpad's speed is its distance over the time between its events.
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    wheel.setTimestamp(ulong(clock.elapsed()) + 1);
    QGuiApplication::sendEvent(window, &wheel);
}

void AppRig::clickTab(int index)
{
    if (QQuickItem* indicator = item("pageIndicator")) {
        QList<QQuickItem*> dots;
        for (QQuickItem* dot : indicator->property("contentItem").value<QQuickItem*>()->childItems()) {
            if (dot->width() > 0)
                dots << dot;
        }
        std::sort(dots.begin(), dots.end(), [](QQuickItem* a, QQuickItem* b) { return a->x() < b->x(); });
        click(dots.value(index));
        return;
    }
    const qreal left = (window->width() - window->property("appWidth").toReal()) / 2;
    const qreal top = (window->height() - window->property("appHeight").toReal()) / 2;
    clickAt(QPoint(qRound(left + (index * 83.5 + 40) * window->property("ptSize").toReal()), qRound(top)));
}

QQuickItem* AppRig::screen(int tab) const
{
    if (QQuickItem* pages = item("swipeView")) {
        QQuickItem* page = nullptr;
        QMetaObject::invokeMethod(pages, "itemAt", Q_RETURN_ARG(QQuickItem*, page), Q_ARG(int, tab));
        return page && page->inherits("QQuickLoader") ? page->property("item").value<QQuickItem*>() : page;
    }
    return window->contentItem()->childItems().at(0)->childItems().at(tab);
}

bool AppRig::showTab(int tab)
{
    clickTab(tab);
    const QQuickItem* pages = item("swipeView");
    const auto shows = [&] {
        QQuickItem* shown = screen(tab);
        return shown && shown->isVisible() && (!pages || qAbs(shown->mapToScene(QPointF()).x()) < 1)
            && (tab < 2 || graph->permission.okPermission());
    };
    return QTest::qWaitFor(shows, simlink::waitMs);
}

QQuickItem* AppRig::rowAt(QQuickItem* list, int index)
{
    QQuickItem* row = nullptr;
    if (list)
        QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, row), Q_ARG(int, index));
    return row;
}

bool AppRig::typeInto(QQuickItem* field, const QString& text)
{
    if (!click(field))
        return false;
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    // One event per character, as a keyboard with that character would send.
    for (const QChar c : text) {
        for (const QEvent::Type type : { QEvent::KeyPress, QEvent::KeyRelease }) {
            QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QGuiApplication::sendEvent(window, &key);
        }
    }
    return true;
}

bool AppRig::textShown(const QString& text) const
{
    const auto items = window->findChildren<QQuickItem*>();
    for (QQuickItem* candidate : items) {
        if (!candidate->isVisible() || candidate->property("text").toString() != text)
            continue;
        qreal opacity = 1;
        for (QQuickItem* i = candidate; i; i = i->parentItem())
            opacity *= i->opacity();
        if (opacity > 0.5)
            return true;
    }
    return false;
}

bool AppRig::shoot(const QString& fileName)
{
    return !windowrig::saveFrame(window, fileName).isNull();
}
