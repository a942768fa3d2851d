// The real application window on the real objects, logged in to a simulated
// recorder: it must load and run without a single QML warning, and pictures of
// it are written to <build>/tests/screenshots for people to look at.
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QtTest>
#include <memory>

#include "globals.h"
#include "netenv.h"
#include "objectgraph.h"
#include "simrecorder.h"
#include "windowrig.h"

namespace {

// Colours of a rendered picture, allowing for rounding in blending.
bool near(const QColor& actual, const QColor& expected)
{
    const bool ok = qAbs(actual.red() - expected.red()) <= 2 && qAbs(actual.green() - expected.green()) <= 2
                    && qAbs(actual.blue() - expected.blue()) <= 2;
    if (!ok)
        qInfo() << "colour" << actual.name() << "expected" << expected.name();
    return ok;
}

} // namespace

// One session, in the order of the slots: a failed login, a login, the tabs.
class TstShellRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void wrongPasswordShowsPopup();
    void loggedInMainWindow();
    void editTabsWithoutPermissionShowNotice();
    void closesWithoutQmlWarnings();

private:
    // Centre of tab `index` (0 home .. 4 timer event) in window coordinates.
    QPoint tabCentre(int index) const;
    qreal windowReal(const char* name) const { return m_window->property(name).toReal(); }
    QImage frame() { return windowrig::frame(m_window); }
    QImage grab(const QString& name) { return windowrig::saveFrame(m_window, name); }
    void clickAt(QPoint point);

    std::unique_ptr<sim::SimRecorder> m_recorder;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<ObjectGraph> m_graph;
    QQuickWindow* m_window = nullptr;
};

void TstShellRender::initTestCase()
{
    netenv::requirePrivateNetwork();
    windowrig::collectWarnings();

    m_recorder = std::make_unique<sim::SimRecorder>(QHostAddress(netenv::recorderAddress(0)));
    QString error;
    QVERIFY2(m_recorder->start(&error), qPrintable(error));

    // The start-up sequence of the application.
    m_engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = m_engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    // Layouts are drawn for Arial's metrics; Liberation Sans shares them.
    const QString family = QFontInfo(QGuiApplication::font()).family();
    QVERIFY2(family == QLatin1String("Arial") || family == QLatin1String("Liberation Sans"),
             qPrintable(family + QStringLiteral(" stands in for Arial: install fonts-liberation")));
    m_graph = std::make_unique<ObjectGraph>();
    m_graph->publish(m_engine->rootContext(), multiFontFor(QLocale::system()));
    m_engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    QCOMPARE(m_engine->rootObjects().size(), 1);
    m_window = qobject_cast<QQuickWindow*>(m_engine->rootObjects().first());
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_window->size(), QSize(450, 815));
}

void TstShellRender::cleanupTestCase()
{
    m_engine.reset();
    g_rootContext = nullptr;
    m_graph.reset();
    m_recorder.reset();
    windowrig::stopCollecting();
}

QPoint TstShellRender::tabCentre(int index) const
{
    // Tabs of 80 units with gaps of 3.5 from the screen area's left edge; the
    // screen area lies half a header below the window's centre.
    const qreal left = (m_window->width() - windowReal("appWidth")) / 2;
    return QPoint(qRound(left + (index * 83.5 + 40) * windowReal("ptSize")),
                  qRound((m_window->height() - windowReal("appHeight")) / 2));
}

void TstShellRender::clickAt(QPoint point)
{
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, point);
}

void TstShellRender::wrongPasswordShowsPopup()
{
    m_graph->comm.loginRequest(netenv::recorderAddress(0), QStringLiteral("0000"));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->property("oldMessage").toInt(), 100, 5000);
    QTest::qWait(600); // the fade-in
    QVERIFY(!m_graph->comm.getLoginComp());

    const QImage image = grab(QStringLiteral("shell_popup.png"));
    QVERIFY(!image.isNull());
    // The light grey message bar lies 10 units below the window's top.
    const qreal pt = windowReal("ptSize");
    const QPoint onPopup(m_window->width() / 2 - qRound(150 * pt), qRound(15 * pt));
    QVERIFY(near(image.pixelColor(onPopup), QColor("#E8E8E8")));

    // A tap takes it away; beneath it lies the selected home tab.
    clickAt(QPoint(m_window->width() / 2, qRound(30 * pt)));
    QTest::qWait(600); // the fade-out
    QCOMPARE(frame().pixelColor(onPopup), QColor(Qt::black));
}

void TstShellRender::loggedInMainWindow()
{
    QSignalSpy loginComp(&m_graph->comm, &Communication::loginCompChanged);
    m_graph->comm.loginRequest(netenv::recorderAddress(0), m_recorder->password);
    // The window hears of the login by the signal, 800 ms after the recorder
    // accepted it; until then the login screen covers the window.
    QTRY_VERIFY_WITH_TIMEOUT(!loginComp.isEmpty() && loginComp.last().at(0).toBool(), 5000);

    const QImage image = grab(QStringLiteral("shell_home.png"));
    QVERIFY(!image.isNull());
    // At this size the band above the screen area is exactly the tab row.
    const qreal pt = windowReal("ptSize");
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));                                      // home tab, selected
    QCOMPARE(image.pixelColor(tabCentre(0) + QPoint(qRound(41.75 * pt), 0)), QColor("#BBBBBB")); // gap between tabs
    QCOMPARE(image.pixelColor(tabCentre(1) + QPoint(0, -14)), QColor("#7F7F7F"));               // menu tab
    QCOMPARE(image.pixelColor(225, 500), QColor(Qt::black));                                    // screen area
}

void TstShellRender::editTabsWithoutPermissionShowNotice()
{
    QVERIFY(!m_graph->permission.okPermission());
    clickAt(tabCentre(2));
    QCOMPARE(m_window->property("screenSelect").toInt(), 2);
    const QImage image = grab(QStringLiteral("shell_notice.png"));
    // The notice's grey box, and the tab bar above the dimmed area stays light.
    const qreal pt = windowReal("ptSize");
    QCOMPARE(image.pixelColor(m_window->width() / 2 + qRound(154 * pt), qRound(214 * pt)), QColor("#DBDBDB"));
    QCOMPARE(image.pixelColor(tabCentre(0) + QPoint(qRound(41.75 * pt), 0)), QColor("#BBBBBB"));

    clickAt(tabCentre(0)); // the tab bar is still usable
    QCOMPARE(m_window->property("screenSelect").toInt(), 0);
}

void TstShellRender::closesWithoutQmlWarnings()
{
    // The window goes before the objects its bindings read.
    m_engine.reset();
    g_rootContext = nullptr;
    m_graph.reset();
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

QTEST_MAIN(TstShellRender)

#include "tst_shell_render.moc"
