// Reading the recorder's list of timer events over the command channel
// against a simulated recorder on loopback: the list query, then each event
// requested once the one before has arrived. Reported beside the wall time:
// the measured round trips of one status query and of one event's
// request, and the ratio of the walk's wall time to (round trips x each
// round trip, plus the flow control's 1 ms waits). Run inside the private
// network namespace:
//   tools/netns-run build/bench/kz470-bench --benchmark_filter=TimerEvent
#include <benchmark/benchmark.h>

#include "benchlink.h"
#include "timereventcommands.h"

namespace {

void BM_TimerEventWalk(benchmark::State& state)
{
    Link link;
    if (!link.ok) {
        state.SkipWithError("no simulated recorder (run inside tools/netns-run)");
        return;
    }
    // The sample events over and over, to the length asked for.
    sim::TimerEventList* recorderEvents = sim::timerEvents(link.recorder);
    const QList<sim::SimTimerEvent> sample = sim::TimerEventList::sampleEvents();
    recorderEvents->events.clear();
    for (int i = 0; i < state.range(0); ++i)
        recorderEvents->events << sample.at(i % sample.size());
    const int count = recorderEvents->events.size();

    int records = 0;
    QObject::connect(&link.app.telnet, &Telnet::readyRead, [&](const QString& line) {
        if (line.startsWith(QLatin1String("FF47D7")))
            ++records;
    });
    // The list query answered with the count, then one exchange per event.
    measureWalk(
        state, link, 1 + count,
        [&] {
            records = 0;
            link.app.tev.startTimerEvent();
        },
        [&] { return records == count && link.app.tev.events().size() == count; }, QStringLiteral("07F4757"),
        QStringLiteral("FF47D7"));
}

} // namespace

BENCHMARK(BM_TimerEventWalk)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
