#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

// What crosses the loopback to and from the recorders' command port (TCP 23),
// as the kernel stamps each segment when it passes: the order and the times
// at which lines reach a recorder, whatever the reading side is doing. Only
// possible inside the private network namespace, where the test is allowed
// to watch its own loopback.
class WireCapture
{
public:
    struct Segment
    {
        qint64 ns;          // the kernel's stamp (wall clock, nanoseconds)
        bool toRecorder;    // sent to port 23, else from it
        quint16 peerPort;   // the connection's port on the application's side
        QByteArray payload; // never empty
    };

    ~WireCapture() { stop(); }

    // Starts watching; false with the reason when the capture cannot be made.
    bool start(QString* error = nullptr);
    // Stops watching and keeps what was seen.
    void stop();
    QList<Segment> segments() const;
    // Segments the kernel had to drop because the capture fell behind.
    unsigned drops() const { return m_drops; }
    // Lines sent to the recorders, one entry per line.
    QList<QByteArray> linesToRecorder() const;
    // The first of `writes` (all that one connection handed to the network,
    // in order) to reach the recorder as the (maxWrites + 1)th since the
    // recorder last said anything on that connection or since the sender
    // last paused for at least pauseNs, with its place; empty when every
    // write kept that rule. A write has arrived with its last byte. Also
    // says so when no connection carried exactly these writes.
    QString firstFlooding(int maxWrites, qint64 pauseNs, const QList<QByteArray>& writes) const;

private:
    void run();

    int m_fd = -1;
    std::thread m_thread;
    std::atomic<bool> m_running { false };
    mutable std::mutex m_mutex;
    QList<Segment> m_segments;
    std::map<quint64, quint32> m_sent; // flow (ports) -> sequence number past its furthest byte
    unsigned m_drops = 0;
};
