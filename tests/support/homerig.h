#pragma once

#include <QPoint>
#include <QQmlApplicationEngine>
#include <functional>
#include <memory>

#include "objectgraph.h"
#include "recorderstate.h"
#include "simrecorder.h"

class QQuickItem;
class QQuickWindow;

// The start of an end-to-end test of the home screen: a simulated recorder
// on the first recorder address, and the application's objects and main
// window logged in to it (inside the private network namespace only).
class HomeRig
{
public:
    ~HomeRig() { stop(); }

    // Starts the recorder, lets prepare set it up, starts the application and
    // logs in; false when any of it fails.
    bool start(const std::function<void(sim::SimRecorder&, sim::RecorderState&)>& prepare);
    // The window goes first, then the objects its bindings read, then the recorder.
    void stop();

    QQuickItem* item(const char* name, QObject* within = nullptr) const;
    static QPoint centre(QQuickItem* target);

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::RecorderState* state = nullptr;
    int connection = 0; // the recorder's id of the application's connection
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
    QQuickWindow* window = nullptr;
};
