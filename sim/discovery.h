#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

class QUdpSocket;

namespace sim {

class RecorderState;
class SimRecorder;

// A simulated recorder's answer to the discovery probe on UDP port 59806. The
// probe is received on the any-address (one socket shared by every simulated
// recorder of the process); each recorder answers from a socket bound to its
// own address, so that the application sees it there. The answer tells the
// recorder's current medium and transport as its status model has them. A
// recorder in standby answers with power 0; one whose command port is closed
// (restarting, or stopped) does not answer.
class DiscoveryAnswerer : public QObject
{
    Q_OBJECT
public:
    explicit DiscoveryAnswerer(RecorderState* state, QObject* parent = nullptr);
    ~DiscoveryAnswerer() override;

    bool start(QString* error = nullptr);
    void stop();

    QString nickname = QStringLiteral("KZ470");
    QString macAddress = QStringLiteral("00:1B:47:00:00:01");
    bool answering = true; // false: the unit ignores probes

    int probesAnswered() const { return m_answered; }
    // The answer as it goes on the wire.
    QByteArray answer() const;

    static constexpr quint16 port = 59806;

signals:
    void probeAnswered(QHostAddress to, quint16 port);

private:
    friend class ProbeListener;
    void onProbe(const QHostAddress& from, quint16 replyPort);

    RecorderState* m_state;
    SimRecorder* m_recorder;
    QUdpSocket* m_socket = nullptr;
    int m_answered = 0;
};

// The model name a recorder announces (and logs in to its FTP server with).
QString modelName(int model);

// The transport field of the answer for a status of the recorder: 0 stop,
// 1 play, 2 play pause, 3 recording, 4 record pause, 7 none of these.
int discoveryTransport(int status);

// Reads a probe datagram; returns the port its answers go to, or 0 when it is
// not a probe.
quint16 parseProbe(const QByteArray& datagram);

} // namespace sim
