// Throughput of the command channel's framing: reply lines written in bulk by
// a peer on loopback, read, decoded and split into lines by Telnet and handed
// on with readyRead, counted in lines per second. Run inside the private
// network namespace:
//   tools/netns-run build/bench/kz470-bench --benchmark_filter=Framing
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "telnet.h"

namespace {

// A peer that answers the login dialogue and then only writes.
class Peer : public QObject
{
public:
    Peer()
    {
        listening = server.listen(QHostAddress::LocalHost, 23);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this] {
                const QByteArray in = socket->readAll();
                socket->write(in.contains("1234") ? "Login Successful\r\n" : "Enter Password\r\n");
            });
        });
    }
    QTcpServer server;
    QTcpSocket* socket = nullptr;
    bool listening = false;
};

void BM_Framing(benchmark::State& state)
{
    Peer peer;
    Telnet telnet;
    telnet.skipModelQuery = true;
    bool connected = false;
    QObject::connect(&telnet, &Telnet::connectedToServer, [&] { connected = true; });
    telnet.connectToServer(QStringLiteral("127.0.0.1"), QStringLiteral("1234"), false);
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    QObject::connect(&telnet, &Telnet::connectedToServer, &loop, &QEventLoop::quit);
    if (peer.listening)
        loop.exec();
    if (!connected) {
        state.SkipWithError("no loopback peer on port 23 (run inside tools/netns-run)");
        return;
    }

    // A mix of status, time and level-meter replies.
    const QByteArray mix = "0FF6A89120340560789\r\n0D010\r\n0D5012\r\n08800011200001234\r\n0FF6A89000000000000\r\n";
    const int linesPerMix = mix.count('\n');
    QByteArray burst;
    for (int i = 0; i < 2000; ++i)
        burst += mix;
    const int linesPerBurst = 2000 * linesPerMix;
    int lines = 0;
    QObject::connect(&telnet, &Telnet::readyRead, [&] {
        if (++lines == linesPerBurst)
            loop.quit();
    });
    for (auto _ : state) {
        lines = 0;
        peer.socket->write(burst);
        loop.exec();
    }
    state.SetItemsProcessed(state.iterations() * linesPerBurst);
}

} // namespace

BENCHMARK(BM_Framing)->Unit(benchmark::kMillisecond)->UseRealTime();
