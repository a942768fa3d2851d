// Listing the recorder's 300-entry folder over the command channel against a
// simulated recorder on loopback: one request and answer per entry, so the
// wall time is set by the round trips. Reported beside it: the measured
// round trips of one status query and of one entry request, and the ratio of
// the listing's wall time to (round trips x each round trip). Run inside the private network namespace:
//   tools/netns-run build/bench/kz470-bench --benchmark_filter=Browse
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include "benchlink.h"

namespace {

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
    // The recorder's own work differs between requests: the floor is also
    // taken with the request the listing repeats, a file's entry.
    const double entryRtt = roundTrip(link, 200, lastRequest(link, "07F6B21"), QStringLiteral("FF6B"));
    const double mean = total / state.iterations();
    state.counters["status_round_trip_us"] = rtt * 1e6;
    state.counters["ratio_to_status"] = mean / (roundTrips * rtt);
    state.counters["round_trip_us"] = entryRtt * 1e6;
    state.counters["round_trips"] = roundTrips;
    state.counters["ratio"] = mean / (roundTrips * entryRtt);
}

} // namespace

BENCHMARK(BM_BrowseList300)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
