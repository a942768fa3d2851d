#pragma once

// What the walk benchmarks share: the application's objects logged in to a
// simulated recorder on the private network, holding the edit right, and the
// measured round trip of one request on that link.
#include <benchmark/benchmark.h>
#include <functional>

#include "objectgraph.h"
#include "simrecorder.h"

// Runs the event loop until done() holds, checked after every reply line
// and every 10 ms, or until 10 s have passed.
bool runUntil(Telnet& telnet, const std::function<bool()>& done);

struct Link
{
    // Logs in to a simulated recorder on the first recorder address, waits for
    // the settings-menu walk, takes the edit right and lets the media browser
    // list its first folder; ok tells whether all of it happened.
    Link();
    // The number of the shown folder's sub-folder of that name.
    int folder(const QString& name) const;

    sim::SimRecorder recorder;
    ObjectGraph app;
    bool ok = false;
};

// Mean round trip of a request and its answer (the first reply line that
// starts with replyPrefix), in seconds; by default a status query.
double roundTrip(Link& link, int samples, const QByteArray& request = "050\r\n",
                 const QString& replyPrefix = QStringLiteral("D0"));
// The last line the recorder received that starts with prefix, ended with CR LF.
QByteArray lastRequest(const Link& link, const QString& prefix);

// The mean wall time of the flow control's wait, a 1 ms single-shot timer,
// in seconds, with the event loop idle.
double flowPause();
// The mean length of the flow-control pauses the channel has made since it
// had made `pauses` of them, taking `pausedNs` in all, in seconds; as long as
// flowPause() when it has made none since.
double flowPauseSince(const Telnet& telnet, int pauses, qint64 pausedNs);

// Times one walk per benchmark iteration, from start() until done() holds,
// and reports the mean against its floor: roundTrips times the round trip of
// the request the walk repeats (the last sent that starts with request,
// answered by a line that starts with reply), plus the waits of the
// channel's flow control (as long as they took); and for comparison the same with
// the round trip of a status query.
void measureWalk(benchmark::State& state, Link& link, int roundTrips, const std::function<void()>& start,
                 const std::function<bool()>& done, const QString& request, const QString& reply);
