// The status model's reply dispatch on a logged-in link: every input line is
// one reply (without its leading "0"), as the command channel hands it on.
#include "fuzzsupport.h"
#include "objectgraph.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    ObjectGraph graph;
    Communication& comm = graph.comm;
    QList<QByteArray> writes;
    graph.telnet.writeSink = [&](const QByteArray& bytes) { writes << bytes; };
    comm.sleepTimer.stop();
    comm.sleepClock = [] { return qint64(0); };
    comm.finishedLogin(0);

    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    for (const QByteArray& line : bytes.split('\n')) {
        comm.recievedData(QString::fromUtf8(line));
        FUZZ_CHECK(graph.mark.markTimes().size() <= Mark::maxMarks);
    }
    // The polls and the mark steps act on whatever the replies left behind.
    comm.sleepCheck();
    graph.mark.skipToPreviousMark(comm.getTrackElapsedTimeFlame());
    graph.mark.skipToNextMark(comm.getTrackElapsedTimeFlame());

    // Replies alone never end the login.
    FUZZ_CHECK(comm.getLoginState() == 2 && comm.getLoginComp());
    for (const QByteArray& write : qAsConst(writes))
        FUZZ_CHECK(fuzz::wellFormedWrite(write) && write.startsWith('0'));
    return 0;
}
