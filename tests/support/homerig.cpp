#include "homerig.h"

#include <QFont>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include "globals.h"
#include "simlink.h"

bool HomeRig::start(const std::function<void(sim::SimRecorder&, sim::RecorderState&)>& prepare)
{
    recorder = simlink::startRecorder(0);
    if (!recorder)
        return false;
    state = sim::statusModel(*recorder);
    prepare(*recorder, *state);

    engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    graph = std::make_unique<ObjectGraph>();
    graph->publish(engine->rootContext(), multiFontFor(QLocale(QLocale::English)));
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    window = qobject_cast<QQuickWindow*>(engine->rootObjects().value(0));
    if (!window || !QTest::qWaitForWindowExposed(window))
        return false;
    connection = simlink::logIn(*graph, *recorder, 8000);
    return connection != 0 && QTest::qWaitFor([this] { return !item("loginscreenbase")->isVisible(); });
}

void HomeRig::stop()
{
    engine.reset();
    window = nullptr;
    g_rootContext = nullptr;
    graph.reset();
    recorder.reset();
}

QQuickItem* HomeRig::item(const char* name, QObject* within) const
{
    return (within ? within : window)->findChild<QQuickItem*>(QLatin1String(name));
}

QPoint HomeRig::centre(QQuickItem* target)
{
    return target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
}
