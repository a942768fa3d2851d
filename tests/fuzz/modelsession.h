#pragma once

// Shared by the model fuzz targets: the application's objects on a logged-in
// link, every write captured. Input lines are replies as the command channel
// hands them on (without the leading "0"); an empty line stands for the
// person asking for the model's walk. As on a real link, replies are taken in
// only between handlers, never inside a write.
#include "fuzzsupport.h"
#include "objectgraph.h"

#include <functional>

namespace fuzz {

class ModelSession
{
public:
    ModelSession()
    {
        graph.telnet.writeSink = [this](const QByteArray& bytes) { writes << bytes; };
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
            take(QString::fromUtf8(line));
        for (const QByteArray& write : qAsConst(writes))
            FUZZ_CHECK(wellFormedWrite(write) && write.startsWith('0'));
    }

    ObjectGraph graph;
    QList<QByteArray> writes;

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
