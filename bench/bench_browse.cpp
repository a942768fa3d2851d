// Listing the recorder's 300-entry folder over the command channel against a
// simulated recorder on loopback: one request and answer per entry, so the
// wall time is set by the round trips. Reported beside it: the measured
// round trip of one status query and the ratio of the listing's wall time to
// (round trips x that round trip). Run inside the private network namespace:
//   tools/netns-run build/bench/kz470-bench --benchmark_filter=Browse
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

#include "objectgraph.h"
#include "mediafiles.h"
#include "recorderstate.h"
#include "simrecorder.h"

namespace {

// Runs the event loop until done() holds, checked after every reply line
// and every 10 ms, or until 10 s have passed.
bool runUntil(Telnet& telnet, const std::function<bool()>& done)
{
    QEventLoop loop;
    const auto quitWhenDone = [&] {
        if (done())
            loop.quit();
    };
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, quitWhenDone);
    QObject::connect(&telnet, &Telnet::readyRead, &loop, quitWhenDone);
    check.start(10);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

struct Link
{
    Link()
        : recorder(QHostAddress(QStringLiteral("10.47.0.11")))
    {
        sim::installStatusModel(recorder);
        ok = recorder.start();
        app.comm.loginRequest(recorder.address().toString(), recorder.password);
        ok = ok && runUntil(app.telnet, [this] { return app.comm.getLoginComp() && app.menu.drawingFinished; });
        app.permission.requestPermission();
        ok = ok && runUntil(app.telnet, [this] { return app.permission.okPermission(); });
        app.browse.restartBrowse();
        ok = ok && runUntil(app.telnet, [this] { return !app.browse.listing() && app.browse.nowFolderName() == "LIVE"; });
    }
    // The number of the shown folder's sub-folder of that name.
    int folder(const QString& name) const
    {
        for (QObject* o : app.browse.entries()) {
            if (o->property("name").toString() == name)
                return o->property("number").toInt();
        }
        return -1;
    }
    sim::SimRecorder recorder;
    ObjectGraph app;
    bool ok = false;
};

// Mean round trip of a status query and its answer, in seconds.
double roundTrip(Link& link, int samples)
{
    int answers = 0;
    const auto counting = QObject::connect(&link.app.telnet, &Telnet::readyRead, [&](const QString& line) {
        if (line.startsWith(QLatin1String("D0")))
            ++answers;
    });
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < samples; ++i) {
        link.app.telnet.sendData("050\r\n");
        runUntil(link.app.telnet, [&] { return answers > i; });
    }
    QObject::disconnect(counting);
    return clock.nsecsElapsed() / 1e9 / samples;
}

void BM_BrowseList300(benchmark::State& state)
{
    Link link;
    if (!link.ok) {
        state.SkipWithError("no simulated recorder (run inside tools/netns-run)");
        return;
    }
    link.app.browse.upFolder();
    int archive = -1;
    runUntil(link.app.telnet, [&] { return !link.app.browse.listing() && (archive = link.folder("Archive")) >= 0; });
    const double rtt = roundTrip(link, 200);
    // The refresh pair, the folder's own entry and information, the file
    // information and one exchange per entry.
    const int roundTrips = 1 + 3 + 300;
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        link.app.browse.openFolder(archive);
        runUntil(link.app.telnet, [&] { return !link.app.browse.listing() && link.app.browse.nowFolderName() == "Archive"
                                              && link.app.browse.entries().size() == 300;
        });
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["round_trip_us"] = rtt * 1e6;
    state.counters["round_trips"] = roundTrips;
    state.counters["ratio"] = total / state.iterations() / (roundTrips * rtt);
}

} // namespace

BENCHMARK(BM_BrowseList300)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
