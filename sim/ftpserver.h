#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QTcpServer;

namespace sim {

class RecorderState;
class SimRecorder;
class FtpSession;

// A simulated recorder's FTP server on port 21 of its address: login with the
// model name and the recorder's password, CWD to a medium's "_playlists"
// folder ("A:/_playlists" for SD1, "B:" SD2, "C:" USB), PASV and LIST. The
// listing (the folder as the status model holds it) goes over the passive
// data connection, which the server then closes, and "226" follows. A unit in
// standby turns every client away. The server is as late as the recorder's
// command port: every reply and the listing keep the recorder's answer latency
// and reply delay.
class FtpServer : public QObject
{
    Q_OBJECT
public:
    explicit FtpServer(RecorderState* state, QObject* parent = nullptr);
    ~FtpServer() override;

    bool start(QString* error = nullptr);
    void stop();
    bool isListening() const;

    static constexpr quint16 port = 21;

    // Faults.
    bool splitWrites = false;         // every reply and the listing go out in small pieces
    bool shortPassiveReply = false;   // the 227 reply names the host but no port
    QHostAddress passiveHost;         // when set, the 227 reply names this host instead of the recorder
    int listingDelayMs = 0;           // the listing waits this long on the data connection

    // Every command line received, over all sessions, in order.
    QStringList receivedLines() const { return m_log; }
    void clearLog() { m_log.clear(); }
    int listingsSent() const { return m_listings; }
    // Control connections still open: dialogues not yet ended by either side.
    int openSessions() const;

signals:
    void lineReceived(QString line);
    void listingSent(QString medium);

private:
    friend class FtpSession;
    void onNewConnection();

    RecorderState* m_state;
    SimRecorder* m_recorder;
    QTcpServer* m_server = nullptr;
    QStringList m_log;
    int m_listings = 0;
    QList<QPointer<FtpSession>> m_sessions;
};

} // namespace sim
