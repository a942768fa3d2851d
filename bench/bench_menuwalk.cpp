// The whole settings-menu walk of the realistic menu against the simulated
// recorder over loopback, after one login: wall time per walk, the request
// lines it takes, and how it compares with the round trips the protocol
// cannot avoid (the longest chain of requests that each wait for the answer
// before) times the measured loopback round trip, plus the 1 ms waits of the
// channel's flow control (measured as long as they take here).
// Run it inside the private network namespace: tools/netns-run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "benchlink.h"
#include "menumodel.h"
#include "objectgraph.h"
#include "recorderstate.h"
#include "simrecorder.h"

namespace {

// Waits in the event loop, sleeping between events, until done() holds;
// false after timeoutMs.
template <typename F>
bool waitFor(F done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The longest chain of requests that each wait for the one before:
// page count, page name, item count, item name, subitem count, subitem name,
// info, then the names of one subitem one by one.
int chainedRoundTrips(sim::MenuModel& menu)
{
    int longest = 1;
    for (int p = 0; p < menu.pages.size(); ++p) {
        longest = qMax(longest, 2);
        for (int i = 0; i < menu.pages[p].items.size(); ++i) {
            for (int s = 0; s < menu.pages[p].items[i].subitems.size(); ++s) {
                const bool range = menu.pages[p].items[i].subitems[s].type == 1;
                longest = qMax(longest, 7 + (range ? 0 : menu.choices({ p, i, s }).size()));
            }
        }
    }
    return longest;
}

void BM_MenuWalk(benchmark::State& state)
{
    const QHostAddress loopback(QHostAddress::LocalHost);
    sim::SimRecorder recorder(loopback);
    recorder.model = int(state.range(0));
    sim::installStatusModel(recorder); // with the realistic menu of the model
    sim::MenuModel* menu = sim::menuModel(recorder);
    QString error;
    if (!recorder.start(&error)) {
        state.SkipWithError(qPrintable("cannot listen on loopback port 23 (run it in tools/netns-run): " + error));
        return;
    }
    ObjectGraph app;
    int walks = 0;
    QObject::connect(&app.menu, &Menu::menuCompleted, [&] { ++walks; });
    app.comm.loginRequest(loopback.toString(), recorder.password);
    if (!waitFor([&] { return walks == 1; })) {
        state.SkipWithError("the first walk did not complete");
        return;
    }

    // The loopback round trip through both ends' handling: value requests
    // answered by the recorder and handed to the model.
    int answered = 0;
    auto counting = QObject::connect(&app.telnet, &Telnet::readyRead, [&] { ++answered; });
    const int trips = 200;
    QElapsedTimer clock;
    clock.start();
    for (int n = 0; n < trips; ++n) {
        app.telnet.sendData("07F6A7A01000000000000\r\n");
        const int before = answered;
        waitFor([&] { return answered > before; });
    }
    const double roundTripUs = clock.nsecsElapsed() / 1000.0 / trips;
    QObject::disconnect(counting);

    double lines = 0;
    double wallUs = 0;
    const int pausesBefore = app.telnet.pauseCount();
    const qint64 pausedBefore = app.telnet.pausedNs();
    for (auto _ : state) {
        recorder.clearLog();
        const int before = walks;
        clock.restart();
        app.telnet.sendData("07F6A7A10\r\n");
        if (!waitFor([&] { return walks > before; })) {
            state.SkipWithError("a walk did not complete");
            return;
        }
        wallUs += clock.nsecsElapsed() / 1000.0;
        lines += recorder.receivedLines().filter(QStringLiteral("07F6A7A")).size();
    }
    const double n = double(state.iterations());
    const int chain = chainedRoundTrips(*menu);
    // The channel's flow control makes every twelfth write of an unanswered
    // burst wait 1 ms, in practice up to 2 ms while other events come (the
    // event loop wakes in whole milliseconds): those waits, as long as they
    // took, belong to the floor too.
    const double pauseUs = flowPauseSince(app.telnet, pausesBefore, pausedBefore) * 1e6;
    const double pauses = (app.telnet.pauseCount() - pausesBefore) / n;
    state.counters["request_lines"] = lines / n;
    state.counters["flow_pauses"] = pauses;
    state.counters["flow_pause_us"] = pauseUs;
    state.counters["ratio_to_floor"] = wallUs / n / (chain * roundTripUs + pauses * pauseUs);
    state.counters["chained_round_trips"] = chain;
    state.counters["loopback_rtt_us"] = roundTripUs;
    state.counters["walk_ms"] = wallUs / n / 1000.0;
    state.counters["ratio_to_chain"] = wallUs / n / (chain * roundTripUs);
    state.counters["ratio_to_lines"] = wallUs / n / (lines / n * roundTripUs);
}

} // namespace

BENCHMARK(BM_MenuWalk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
