// The application as a process, against a bare Qt Quick window started the
// same way in the same run (both are the window probes of windowprobe.cpp,
// run as children on the offscreen platform with the software renderer):
//   StartUp     wall time from starting the process to its first frame;
//   Memory      resident memory once shown (the bare window) and once logged
//               in with every tab opened (the application);
//   CpuPlaying  CPU time per second of wall time on the home tab, logged in to
//               a simulated recorder that plays and sends level reports;
//   CpuIdle     the same at the login screen, three recorders answering the
//               discovery probe.
// The simulated recorders run in this process, so their work is not counted.
// Run it inside the private network namespace:
//   tools/netns-run build/bench/kz470-bench-process
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

#include "livepanel.h"
#include "recorderservices.h"
#include "recorderstate.h"
#include "simrecorder.h"

namespace {

// Runs the event loop (the simulated recorders live in it) for ms.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// One probe process.
class Probe
{
public:
    Probe(bool bare, const QStringList& args)
    {
        static QTemporaryDir home; // the application keeps its settings here, not in the user's
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QString dir = QCoreApplication::applicationDirPath();
        clock.start();
        process.start(dir + (bare ? "/kz470-probe-bare" : "/kz470-probe-app"), args);
    }
    ~Probe()
    {
        process.kill();
        process.waitForFinished(5000);
    }

    // Waits for the probe to print word; the seconds since its start, or -1.
    double waitFor(const QByteArray& word, int timeoutMs = 30000)
    {
        QEventLoop loop;
        double seen = -1;
        const auto take = [&] {
            while (seen < 0 && process.canReadLine()) {
                if (process.readLine().trimmed() == word)
                    seen = clock.nsecsElapsed() / 1e9;
            }
            if (seen >= 0 || process.state() == QProcess::NotRunning)
                loop.quit();
        };
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, take);
        QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        take();
        if (seen < 0 && process.state() != QProcess::NotRunning)
            loop.exec();
        return seen;
    }

    // Resident memory in MiB.
    double residentMiB() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
        }
        return 0;
    }

    // CPU time of all its threads so far, in seconds.
    double cpuSeconds() const
    {
        double total = 0;
        const QString tasks = QStringLiteral("/proc/%1/task").arg(process.processId());
        for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile stat(tasks + '/' + task + QStringLiteral("/schedstat"));
            if (stat.open(QIODevice::ReadOnly))
                total += stat.readAll().split(' ').value(0).toDouble() / 1e9;
        }
        return total;
    }

    // Percent of one core used over the next ms of wall time.
    double cpuPercent(int ms)
    {
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        pause(ms);
        return 100 * (cpuSeconds() - before) / (wall.nsecsElapsed() / 1e9);
    }

    QProcess process;
    QElapsedTimer clock;
};

// Simulated recorders with discovery, power control and FTP, on the recorder
// addresses of the private network.
struct Recorders
{
    explicit Recorders(int count)
    {
        for (int n = 0; n < count; ++n) {
            recorders.push_back(std::make_unique<sim::SimRecorder>(QHostAddress(QStringLiteral("10.47.0.%1").arg(11 + n))));
            units.push_back(std::make_unique<sim::RecorderServices>(recorders.back().get()));
            ok = units.back()->start() && ok;
        }
    }
    ~Recorders()
    {
        units.clear();
        recorders.clear();
    }
    std::vector<std::unique_ptr<sim::SimRecorder>> recorders;
    std::vector<std::unique_ptr<sim::RecorderServices>> units;
    bool ok = true;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

const char noNetwork[] = "cannot start the simulated recorders (run it inside tools/netns-run)";

void BM_StartUp(benchmark::State& state)
{
    std::vector<double> bare, app;
    // A first start of each fills the file caches.
    Probe(true, {}).waitFor("frame");
    Probe(false, {}).waitFor("frame");
    for (auto _ : state) {
        const double b = Probe(true, {}).waitFor("frame");
        const double a = Probe(false, {}).waitFor("frame");
        if (a < 0 || b < 0) {
            state.SkipWithError("a probe did not show its window");
            return;
        }
        bare.push_back(b);
        app.push_back(a);
        state.SetIterationTime(a);
    }
    state.counters["bare_ms"] = median(bare) * 1e3;
    state.counters["app_ms"] = median(app) * 1e3;
    state.counters["ratio"] = median(app) / median(bare);
}

void BM_Memory(benchmark::State& state)
{
    Recorders sim(1);
    if (!sim.ok) {
        state.SkipWithError(noNetwork);
        return;
    }
    double bare = 0, app = 0;
    for (auto _ : state) {
        Probe barewindow(true, {});
        barewindow.waitFor("ready");
        pause(500);
        bare = barewindow.residentMiB();
        Probe application(false, { "--login", "10.47.0.11", sim.recorders[0]->password });
        if (application.waitFor("ready") < 0) {
            state.SkipWithError("the application did not log in");
            return;
        }
        pause(500);
        app = application.residentMiB();
    }
    state.counters["bare_mib"] = bare;
    state.counters["app_mib"] = app;
    state.counters["ratio"] = app / bare;
}

void BM_CpuPlaying(benchmark::State& state)
{
    Recorders sim(1);
    if (!sim.ok) {
        state.SkipWithError(noNetwork);
        return;
    }
    sim::RecorderState* recorder = sim.units[0]->state;
    new sim::LivePanel(recorder); // level reports ten times a second while playing
    recorder->setStatus(sim::RecorderState::Playing);
    double percent = 0;
    for (auto _ : state) {
        Probe application(false, { "--login", "10.47.0.11", sim.recorders[0]->password });
        if (application.waitFor("ready") < 0) {
            state.SkipWithError("the application did not log in");
            return;
        }
        pause(1000);
        percent = application.cpuPercent(int(state.range(0)));
    }
    state.counters["cpu_percent"] = percent;
}

void BM_CpuIdle(benchmark::State& state)
{
    Recorders sim(3);
    if (!sim.ok) {
        state.SkipWithError(noNetwork);
        return;
    }
    double percent = 0;
    for (auto _ : state) {
        Probe application(false, { "--active" });
        if (application.waitFor("ready") < 0) {
            state.SkipWithError("the application did not show");
            return;
        }
        pause(5000); // the list fills after three ticks of discovery
        percent = application.cpuPercent(int(state.range(0)));
    }
    state.counters["cpu_percent"] = percent;
}

} // namespace

BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_Memory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CpuPlaying)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CpuIdle)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
