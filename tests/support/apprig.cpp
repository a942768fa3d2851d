#include "apprig.h"

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QQmlContext>
#include <QTest>

#include "globals.h"
#include "windowrig.h"

bool AppRig::start()
{
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
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    if (engine->rootObjects().size() == 1)
        window = qobject_cast<QQuickWindow*>(engine->rootObjects().first());
    if (!window || !QTest::qWaitForWindowExposed(window)) {
        qWarning("the main window did not show");
        return false;
    }
    return true;
}

void AppRig::close()
{
    window = nullptr;
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
}

QQuickItem* AppRig::item(const char* name, QQuickItem* within) const
{
    QObject* root = within ? static_cast<QObject*>(within) : static_cast<QObject*>(window);
    auto* found = root->findChild<QQuickItem*>(QLatin1String(name));
    if (!found)
        qWarning() << "no item" << name;
    return found;
}

bool AppRig::click(QQuickItem* target)
{
    if (!target || !target->isVisible()) {
        qWarning() << "cannot click" << (target ? target->objectName() : QStringLiteral("nothing"));
        return false;
    }
    clickAt(target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    return true;
}

void AppRig::clickAt(QPoint point)
{
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, point);
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
