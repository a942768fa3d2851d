// Listing the recorder's 300-entry folder over the command channel against a
// simulated recorder on loopback: one request and answer per entry, so the
// wall time is set by the round trips. Reported beside it: the measured
// round trips of one status query and of one entry request, and the ratio of
// the listing's wall time to (round trips x each round trip, plus the flow
// control's 1 ms waits). Run inside the private network namespace:
//   tools/netns-run build/bench/kz470-bench --benchmark_filter=Browse
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
    // The refresh pair, the folder's own entry and information, the file
    // information and one exchange per entry, of which a file's entry is the
    // request repeated most.
    measureWalk(
        state, link, 1 + 3 + 300, [&] { link.app.browse.openFolder(archive); },
        [&] {
            return !link.app.browse.listing() && link.app.browse.nowFolderName() == "Archive"
                && link.app.browse.entries().size() == 300;
        },
        QStringLiteral("07F6B21"), QStringLiteral("FF6B"));
}

} // namespace

BENCHMARK(BM_BrowseList300)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
