// Throughput of the status model's reply handling: the replies of a full
// status refresh, the periodic time and status polls, and level-meter reports,
// handed to the model as the command channel would hand them on.
#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include "objectgraph.h"

namespace {

// A rig with writes going nowhere and the settings-menu walk finished, so the
// replies take the same paths as on a live link.
struct Rig
{
    Rig()
    {
        graph.telnet.writeSink = [](const QByteArray&) {};
        graph.comm.recievedData(QStringLiteral("FF6AFA1000"));
        graph.menu.setDrawingFinished(true);
    }
    ObjectGraph graph;
};

const QStringList statusReplies = {
    "D010", "D5012", "DD045", "D8002300154000", "8800011200001234", "CE01", "B500", "A5+012",
    "BD00", "AD03", "B601", "B000", "BA00", "B100", "B800", "FF01 00",
};

const QStringList levelReplies = {
    "FF6A89120340560789", "FF6A89000000000000", "FF6A89230045006700",
};

void runReplies(benchmark::State& state, const QStringList& lines)
{
    Rig rig;
    for (auto _ : state) {
        for (const QString& line : lines)
            rig.graph.comm.recievedData(line);
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

void BM_StatusReplies(benchmark::State& state)
{
    runReplies(state, statusReplies);
}

void BM_LevelMeterReplies(benchmark::State& state)
{
    runReplies(state, levelReplies);
}

} // namespace

BENCHMARK(BM_StatusReplies);
BENCHMARK(BM_LevelMeterReplies);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
