// A window started the way the application starts, run as a child process by
// the process benchmarks (bench_process.cpp), which read what it prints:
//   "frame"  when its first frame has been drawn,
//   "ready"  when it has reached the state its options ask for,
// after which it runs on until it is ended.
//
// Built twice: kz470-probe-app starts the application's object graph and
// mainDesktop.qml as device/main.cpp does; kz470-probe-bare (KZ_BARE_WINDOW)
// links Qt Quick only and shows one Window with one Text. Options of the
// application's probe:
//   --active                  asks for the window to be the active one, so
//                             that the login screen searches for recorders
//   --login ADDRESS PASSWORD  logs in, opens every tab once and ends on the
//                             home tab
// and, for both, --exit: quits once ready (for profiling the start).
// Run it only inside a private network namespace (tools/netns-run).
#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#ifndef KZ_BARE_WINDOW
#include "globals.h"
#include "objectgraph.h"
#endif

namespace {

bool exitWhenReady = false;

void say(const char* word)
{
    std::printf("%s\n", word);
    std::fflush(stdout);
    if (exitWhenReady && word == QByteArray("ready"))
        QCoreApplication::quit();
}

#ifndef KZ_BARE_WINDOW
// Calls done() once test() holds, checking every 20 ms.
void when(std::function<bool()> test, std::function<void()> done)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, test = std::move(test), done = std::move(done)] {
        if (!test())
            return;
        timer->stop();
        timer->deleteLater();
        done();
    });
    timer->start();
}
#endif

void announceFirstFrame(QQuickWindow* window, std::function<void()> then)
{
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(window, &QQuickWindow::frameSwapped, window, [connection, then] {
        QObject::disconnect(*connection);
        say("frame");
        then();
    });
}

#ifndef KZ_BARE_WINDOW
// Clicks the tabs one after the other, each once its screen has had time to
// fill (and, for a tab that needs the edit right, once the right is held).
void visitTabs(QQuickWindow* window, ObjectGraph* graph, QStringList tabs, std::function<void()> done)
{
    if (tabs.isEmpty()) {
        done();
        return;
    }
    const QString name = tabs.takeFirst();
    QObject* tab = window->findChild<QObject*>(name);
    if (tab)
        QMetaObject::invokeMethod(tab, "clicked");
    const bool needsRight = name != QLatin1String("tabHomeButton") && name != QLatin1String("tabMenuButton");
    auto settled = std::make_shared<bool>(false);
    QTimer::singleShot(700, [settled] { *settled = true; });
    when([=] { return *settled && (!needsRight || graph->permission.okPermission()); },
         [=] { visitTabs(window, graph, tabs, done); });
}
#endif

} // namespace

int main(int argc, char* argv[])
{
#ifdef KZ_BARE_WINDOW
    QGuiApplication app(argc, argv);
    exitWhenReady = app.arguments().contains(QStringLiteral("--exit"));
    QQmlApplicationEngine engine;
    engine.loadData("import QtQuick 2.8\nimport QtQuick.Window 2.2\n"
                    "Window { visible: true; width: 450; height: 815; Text { text: \"KZ470\" } }");
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    announceFirstFrame(window, [] { say("ready"); });
    return app.exec();
#else
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    exitWhenReady = args.contains(QStringLiteral("--exit"));
    auto engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    ObjectGraph graph;
    graph.publish(engine->rootContext(), multiFontFor(QLocale::system()));
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    auto* window = qobject_cast<QQuickWindow*>(engine->rootObjects().value(0));
    if (!window)
        return 1;

    const int login = args.indexOf(QStringLiteral("--login"));
    announceFirstFrame(window, [&, login] {
        if (args.contains(QStringLiteral("--active")))
            window->requestActivate();
        if (login < 0 || login + 2 >= args.size()) {
            say("ready");
            return;
        }
        graph.comm.loginRequest(args.at(login + 1), args.at(login + 2));
        when([&] { return graph.comm.getLoginComp() && graph.menu.drawingFinished; },
             [&] {
                 visitTabs(window, &graph,
                           { QStringLiteral("tabMenuButton"), QStringLiteral("tabBrowseButton"),
                             QStringLiteral("tabPlaylistButton"), QStringLiteral("tabTimerEventButton"),
                             QStringLiteral("tabHomeButton") },
                           [] { say("ready"); });
             });
    });
    const int result = app.exec();
    engine.reset();
    g_rootContext = nullptr;
    return result;
#endif
}
