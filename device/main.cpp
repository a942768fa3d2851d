#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <memory>

#include "globals.h"
#include "objectgraph.h"

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    auto engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    const QLocale locale = QLocale::system();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));

    const QVariant multiFont = multiFontFor(locale);
    ObjectGraph graph;
    graph.publish(engine->rootContext(), multiFont);

    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    const int result = app.exec();
    // The documents go first, so no binding is evaluated against an object
    // that is already gone; then the objects, in reverse order of construction.
    // What their windows were waiting for goes before them, untold.
    graph.shutDown();
    engine.reset();
    g_rootContext = nullptr;
    return result;
}
