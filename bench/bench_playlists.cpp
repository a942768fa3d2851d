// Reading the recorder's playlists over the command channel against a
// simulated recorder on loopback, as the playlist tab does when it shows: the
// list of playlist files with their dates, and the 100 entries of the loaded
// playlist (99 of them filled). Each half is two chained round trips (the
// counts, then the list and the occupied blocks of entries, the requests of
// one step going out together). Reported beside the wall time: the measured
// round trips of one status query and of one block of entries, and the ratio
// of the walk's wall time to (round trips x each round trip, plus the flow
// control's 1 ms waits). Run inside the private network namespace:
//   tools/netns-run build/bench/kz470-bench --benchmark_filter=Playlist
#include <benchmark/benchmark.h>

#include "benchlink.h"
#include "playlistcommands.h"
#include "recorderstate.h"

namespace {

void BM_PlaylistWalk(benchmark::State& state)
{
    Link link;
    if (!link.ok) {
        state.SkipWithError("no simulated recorder (run inside tools/netns-run)");
        return;
    }
    sim::RecorderState* recorder = sim::statusModel(link.recorder);
    recorder->current().playlist = QStringLiteral("set2.ppl"); // 99 entries
    const int files = sim::playlistBook(link.recorder)->names(recorder->currentMediumName()).size();

    int listed = 0;
    bool entriesRead = false;
    QObject::connect(&link.app.telnet, &Telnet::readyRead, [&](const QString& line) {
        if (line.startsWith(QLatin1String("FF4585")))
            ++listed;
    });
    QObject::connect(&link.app.pl, &Playlist::entryListRecived, [&] { entriesRead = true; });
    measureWalk(
        state, link, 2,
        [&] {
            listed = 0;
            entriesRead = false;
            link.app.pl.initPpl();
            link.app.pl.initEntry();
        },
        [&] { return listed == files && entriesRead && link.app.pl.receivedEntryCount == 99; },
        QStringLiteral("07F4511"), QStringLiteral("FF4591"));
}

} // namespace

BENCHMARK(BM_PlaylistWalk)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
