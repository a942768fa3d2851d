#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QQmlApplicationEngine>
#include <QQmlContext>

#include "globals.h"
#include "objectgraph.h"

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    g_rootContext = engine.rootContext();
    const QLocale locale = QLocale::system();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));

    const QVariant multiFont = multiFontFor(locale);
    ObjectGraph graph;
    graph.publish(engine.rootContext(), multiFont);

    engine.load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    return app.exec();
}
