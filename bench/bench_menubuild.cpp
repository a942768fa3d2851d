// How long the settings menu screen takes to lay out the realistic menu:
// the handling of the answer that completes the walk, which emits
// menuCompleted and, within it, builds the rows up to drawingFinished, in the
// application's real window (offscreen), with the recorder's menu answered
// in-process by the simulator's menu model. The window's event loop is
// blocked for that long after each login.
// Run it with QT_QPA_PLATFORM=offscreen (and through tools/netns-run).
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QHostAddress>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <benchmark/benchmark.h>

#include "globals.h"
#include "menumodel.h"
#include "objectgraph.h"
#include "simrecorder.h"

namespace {

void BM_MenuBuild(benchmark::State& state)
{
    sim::SimRecorder recorder { QHostAddress(QHostAddress::LocalHost) }; // never started
    recorder.model = int(state.range(0));
    sim::MenuModel* menu = sim::installMenuModel(recorder);

    ObjectGraph graph;
    QQmlApplicationEngine engine; // goes before the objects it shows
    g_rootContext = engine.rootContext();
    QStringList written;
    graph.telnet.writeSink = [&](const QByteArray& bytes) { written << QString::fromLatin1(bytes).split("\r\n", Qt::SkipEmptyParts); };
    // The answer that completes the walk is handled with the whole build in
    // it: QML handlers run as part of the signal's emission.
    QElapsedTimer clock;
    qint64 buildNs = 0;
    graph.publish(engine.rootContext(), QFont(QStringLiteral("Arial")));
    engine.load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));

    // Answers every menu command written, and what the answers cause.
    auto pump = [&] {
        for (int n = 0; n < 100000 && !written.isEmpty(); ++n) {
            const QString line = written.takeFirst();
            QStringList replies;
            menu->answersTo(line, &replies);
            for (const QString& reply : qAsConst(replies)) {
                const bool drawn = graph.menu.drawingFinished;
                clock.start();
                graph.comm.recievedData(reply.mid(1));
                if (!drawn && graph.menu.drawingFinished)
                    buildNs = clock.nsecsElapsed();
            }
        }
    };
    double rows = 0;
    for (auto _ : state) {
        buildNs = 0;
        graph.telnet.sendData("07F6A7A10\r\n");
        pump();
        if (buildNs == 0) {
            state.SkipWithError("the menu was not drawn");
            break;
        }
        state.SetIterationTime(buildNs / 1e9);
        rows = engine.rootObjects().first()->findChild<QObject*>(QStringLiteral("menuArea"))->property("contentHeight").toReal()
            / (engine.rootObjects().first()->property("ptSize").toReal() * 50);
        // The rows of the last build go now, as they would in the event loop.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["rows"] = rows;
    g_rootContext = nullptr;
}

} // namespace

// A fixed count: each build is a whole window's work, and tens of them tell enough.
BENCHMARK(BM_MenuBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
