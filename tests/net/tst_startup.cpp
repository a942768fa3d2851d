// The application's start-up: the real object graph and the main window
// document, loaded with no QML warning, then a login to a simulated recorder.
#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QtTest>

#include "globals.h"
#include "netenv.h"
#include "objectgraph.h"
#include "simrecorder.h"

namespace {
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

void collectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
        warnings << message;
    previousHandler(type, context, message);
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void loadsMainWindowWithoutWarnings();
    void listModelsExistBeforeLoad();
    void logsInToSimulatedRecorder();
    void closesWithoutWarnings();

private:
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
};

void TestStartup::initTestCase()
{
    netenv::requirePrivateNetwork();
    previousHandler = qInstallMessageHandler(collectWarnings);
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    graph = std::make_unique<ObjectGraph>();
    graph->publish(engine->rootContext(), multiFontFor(QLocale(QLocale::English)));
}

void TestStartup::listModelsExistBeforeLoad()
{
    for (const char* name : { "browseModel", "timerEventModel", "loginModel" })
        QVERIFY2(engine->rootContext()->contextProperty(QLatin1String(name)).isValid(), name);
}

void TestStartup::loadsMainWindowWithoutWarnings()
{
    warnings.clear();
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    QCOMPARE(engine->rootObjects().size(), 1);
    auto* window = qobject_cast<QQuickWindow*>(engine->rootObjects().first());
    QVERIFY(window);
    QTest::qWait(200); // bindings settle and first frame renders
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

void TestStartup::logsInToSimulatedRecorder()
{
    sim::SimRecorder recorder(QHostAddress(netenv::recorderAddress(0)));
    recorder.password = "secret";
    recorder.model = 1;
    QVERIFY(recorder.start());
    warnings.clear();
    Communication& comm = graph->comm;
    QSignalSpy comp(&comm, &Communication::loginCompChanged);
    comm.loginRequest(recorder.address().toString(), "secret");
    QTRY_VERIFY_WITH_TIMEOUT(comm.getLoginComp(), 5000);
    QCOMPARE(comm.getModel(), 1);
    QCOMPARE(comm.dataSettings.getValue("Login", "Address"), recorder.address().toString());
    QCOMPARE(comm.dataSettings.getValue("Login", "ps"), QStringLiteral("secret"));
    QTest::qWait(200);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    comm.logoutRequest();
}

void TestStartup::closesWithoutWarnings()
{
    // As at exit: the documents go before the objects they read.
    warnings.clear();
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
