#pragma once

#include <QPoint>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QString>
#include <memory>

#include "objectgraph.h"

// The application as start-up makes it, for end-to-end tests: the object
// graph published on a QML engine, mainDesktop.qml loaded and its window
// shown, driven as a person would (inside the private network namespace only).
class AppRig
{
public:
    // Starts the application; false (with a warning) when it cannot show.
    bool start();
    // As at exit: the window goes before the objects its bindings read.
    void close();

    // The item of that objectName within `within` (the window when null).
    QQuickItem* item(const char* name, QQuickItem* within = nullptr) const;
    // Clicks the centre of a visible item; false when there is nothing to click.
    bool click(QQuickItem* target);
    void clickAt(QPoint point);
    // Whether a visible item, more than half opaque, shows this text.
    bool textShown(const QString& text) const;
    // Writes the window's next frame to screenshots/; false when it cannot.
    bool shoot(const QString& fileName);

    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
    QQuickWindow* window = nullptr;
};
