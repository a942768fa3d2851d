#pragma once

// Shared by the model fuzz targets: the application's objects on a logged-in
// link, every write captured. Input lines are replies as the command channel
// hands them on (without the leading "0"); an empty line stands for the
// person asking for the model's walk. As on a real link, every eleventh
// write pauses and takes in the next reply meanwhile.
#include "fuzzsupport.h"
#include "objectgraph.h"

#include <QQueue>
#include <functional>

namespace fuzz {

class ModelSession
{
public:
    ModelSession()
    {
        graph.telnet.writeSink = [this](const QByteArray& bytes) {
            writes << bytes;
            if (writes.size() % 11 == 0 && !pending.isEmpty())
                take(pending.dequeue());
        };
        graph.comm.sleepTimer.stop();
        graph.comm.sleepClock = [] { return qint64(0); };
        graph.comm.finishedLogin(0);
    }

    // Hands every input line on, running check after each.
    void feed(const uint8_t* data, size_t size, const std::function<void()>& start,
              const std::function<void()>& check)
    {
        m_start = start;
        m_check = check;
        const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
        for (const QByteArray& line : bytes.split('\n'))
            pending.enqueue(QString::fromUtf8(line));
        while (!pending.isEmpty())
            take(pending.dequeue());
        for (const QByteArray& write : qAsConst(writes))
            FUZZ_CHECK(wellFormedWrite(write) && write.startsWith('0'));
    }

    ObjectGraph graph;
    QList<QByteArray> writes;
    QQueue<QString> pending;

private:
    void take(const QString& line)
    {
        if (line.isEmpty())
            m_start();
        else
            graph.comm.recievedData(line);
        m_check();
    }

    std::function<void()> m_start;
    std::function<void()> m_check;
};

} // namespace fuzz
