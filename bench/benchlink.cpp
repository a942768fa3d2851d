#include "benchlink.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "recorderstate.h"

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

Link::Link()
    : recorder(QHostAddress(QStringLiteral("10.47.0.11")))
{
    sim::installStatusModel(recorder);
    ok = recorder.start();
    // The settings-menu screen draws the menu once the walk is complete.
    QObject::connect(&app.menu, &Menu::menuCompleted, &app.menu, [this] { app.menu.setDrawingFinished(true); });
    app.comm.loginRequest(recorder.address().toString(), recorder.password);
    ok = ok && runUntil(app.telnet, [this] { return app.comm.getLoginComp() && app.menu.drawingFinished; });
    app.permission.requestPermission();
    ok = ok && runUntil(app.telnet, [this] { return app.permission.okPermission(); });
    app.browse.restartBrowse();
    ok = ok && runUntil(app.telnet, [this] { return !app.browse.listing() && app.browse.nowFolderName() == "LIVE"; });
}

int Link::folder(const QString& name) const
{
    for (QObject* o : app.browse.entries()) {
        if (o->property("name").toString() == name)
            return o->property("number").toInt();
    }
    return -1;
}

double roundTrip(Link& link, int samples, const QByteArray& request, const QString& replyPrefix)
{
    int answers = 0;
    const auto counting = QObject::connect(&link.app.telnet, &Telnet::readyRead, [&](const QString& line) {
        if (line.startsWith(replyPrefix))
            ++answers;
    });
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < samples; ++i) {
        link.app.telnet.sendData(request.constData());
        runUntil(link.app.telnet, [&] { return answers > i; });
    }
    QObject::disconnect(counting);
    return clock.nsecsElapsed() / 1e9 / samples;
}

QByteArray lastRequest(const Link& link, const QString& prefix)
{
    const QStringList lines = link.recorder.receivedLines().filter(prefix);
    return lines.isEmpty() ? QByteArray() : lines.last().toLatin1() + "\r\n";
}

double flowPause()
{
    const int samples = 200;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < samples; ++i) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return clock.nsecsElapsed() / 1e9 / samples;
}

double flowPauseSince(const Telnet& telnet, int pauses, qint64 pausedNs)
{
    const int made = telnet.pauseCount() - pauses;
    return made > 0 ? (telnet.pausedNs() - pausedNs) / 1e9 / made : flowPause();
}

void measureWalk(benchmark::State& state, Link& link, int roundTrips, const std::function<void()>& start,
                 const std::function<bool()>& done, const QString& request, const QString& reply)
{
    const double statusRtt = roundTrip(link, 200);
    double total = 0;
    const int pausesBefore = link.app.telnet.pauseCount();
    const qint64 pausedBefore = link.app.telnet.pausedNs();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        start();
        if (!runUntil(link.app.telnet, done)) {
            state.SkipWithError("the walk did not complete");
            return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    // The recorder's own work differs between requests.
    const double walkRtt = roundTrip(link, 200, lastRequest(link, request), reply);
    const double mean = total / state.iterations();
    // The channel's flow control makes every twelfth write of an unanswered
    // burst wait 1 ms, in practice up to 2 ms while other events come (the
    // event loop wakes in whole milliseconds): those waits, as long as they
    // took, belong to the floor too.
    const double pause = flowPauseSince(link.app.telnet, pausesBefore, pausedBefore);
    const double pauses = double(link.app.telnet.pauseCount() - pausesBefore) / state.iterations();
    state.counters["flow_pauses"] = pauses;
    state.counters["flow_pause_us"] = pause * 1e6;
    state.counters["status_round_trip_us"] = statusRtt * 1e6;
    state.counters["ratio_to_status"] = mean / (roundTrips * statusRtt + pauses * pause);
    state.counters["round_trip_us"] = walkRtt * 1e6;
    state.counters["round_trips"] = roundTrips;
    state.counters["ratio"] = mean / (roundTrips * walkRtt + pauses * pause);
}
