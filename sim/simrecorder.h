#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>

#include "laterqueue.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace sim {

class SimRecorder;

// One client connection to the simulated command port.
class SimConnection : public QObject
{
    Q_OBJECT
public:
    enum Phase { AwaitHello, AwaitPassword, LoggedIn };

    SimConnection(SimRecorder* recorder, QTcpSocket* socket, int id);
    ~SimConnection() override;

    int id() const { return m_id; }
    Phase phase() const { return m_phase; }
    bool isOpen() const;
    SimRecorder* recorder() const { return m_recorder; }

    // Queues raw bytes; the recorder's delay and split settings apply.
    void send(const QByteArray& bytes);
    // Queues one reply line; CR LF is added.
    void sendLine(const QString& line);
    void disconnectFromClient();
    // Writes the held answers at once, ahead of anything queued with a delay.
    void releaseHeld();
    bool holdsAnswers() const { return !m_held.isEmpty(); }

signals:
    void closed(int id);

private:
    void onReadyRead();
    void handleLine(const QByteArray& raw);
    void later(const std::function<void()>& step);
    void queue(const QByteArray& bytes);
    void pump();
    void closeAfterWrites();
    QByteArray garbage();

    SimRecorder* m_recorder;
    QPointer<QTcpSocket> m_socket;
    int m_id;
    Phase m_phase = AwaitHello;
    QByteArray m_buffer;
    QQueue<QByteArray> m_outgoing;
    bool m_pumping = false;
    bool m_silenced = false;
    bool m_capturing = false;
    QByteArray m_held;
    quint32 m_garbageSeed = 1;
    // Steps made by later() and not yet run: a step never overtakes one made
    // before it, whatever the latency was.
    LaterQueue m_later;
};

struct LogEntry
{
    int connection;
    QString line;
};

// A simulated recorder: the command port 23 with its login dialogue, a log of
// every received line and scriptable replies and faults. Further services of a
// recorder (status, discovery, FTP, power) attach to it.
class SimRecorder : public QObject
{
    Q_OBJECT
public:
    enum class Behaviour {
        Normal,
        Silent,          // accepts connections, never says anything
        StopAfterPrompt, // prompts for the password, then says nothing more
        // The link drops at one step of the login dialogue:
        DropOnConnect,    // as soon as the connection is made
        DropAfterPrompt,  // right after the password prompt
        DropOnPassword,   // when the password arrives, without an answer
        DropOnModelQuery, // when the model is asked for, after "Login Successful"
        DropAfterLogin,   // right after the model answer
        Garbage,          // answers every line with bytes of no meaning
    };

    explicit SimRecorder(const QHostAddress& address, QObject* parent = nullptr);
    ~SimRecorder() override;

    // Starts listening on the command port of the recorder's address.
    bool start(QString* error = nullptr);
    void stop();
    bool isListening() const;

    QHostAddress address() const { return m_address; }

    QString password = QStringLiteral("1234");
    int model = 0; // 0 KZ-470MX, 1 KZ-470DUAL
    Behaviour behaviour = Behaviour::Normal;
    int replyDelayMs = 0;   // every write waits this long after the one before it
    // Every write leaves this long after it was made, whatever else is on its
    // way: a recorder that answers each request late but keeps up.
    int answerLatencyMs = 0;
    bool splitWrites = false; // every write goes out as two segments
    int splitGapMs = 30;
    bool splitBytes = false;  // every write goes out one byte at a time, 1 ms apart
    // What the recorder writes while it handles a command line that matches
    // this pattern is held back until releaseAnswers(), which writes it all at
    // once: it lies in the client's socket, unread, when that call returns.
    // An empty pattern holds nothing.
    QRegularExpression holdAnswersTo;
    // A recorder that ignores a request: a command line that matches this
    // pattern is read and neither carried out nor answered. An empty pattern
    // ignores nothing.
    QRegularExpression ignoreLines;
    // How many more lines matching ignoreLines are ignored; -1: every one.
    int ignoreTimes = -1;
    void releaseAnswers();
    bool holdsAnswers() const;
    // Everything the recorder writes on every channel, what is on its way
    // and what it writes meanwhile, waits until ms have passed and then goes
    // out in the order made: a link that stalls while a lost packet is sent
    // again, or a busy recorder. The lines that come meanwhile are taken as
    // they come.
    void holdEverything(int ms);
    // How much longer what the recorder writes is held; 0 when it is not.
    qint64 heldForMs() const;

    // Handlers see every command line of a logged-in connection, in the order
    // added; the first that returns true has answered it.
    using Handler = std::function<bool(SimConnection* connection, const QString& line)>;
    void addCommandHandler(const Handler& handler);
    // Handlers that also work while the unit is in standby (power control);
    // they see every command line before the others.
    void addStandbyHandler(const Handler& handler);
    // False while the unit is in standby: it still accepts logins, but every
    // line that no standby handler answers is refused with "0F2".
    bool powered = true;
    // Fixed answer for one exact command line (takes precedence over handlers).
    void setReply(const QString& commandLine, const QStringList& replyLines);
    void clearReplies();

    static constexpr int maxLogEntries = 100000;
    const QList<LogEntry>& log() const { return m_log; }
    QStringList receivedLines() const;
    QStringList receivedLines(int connection) const;
    void clearLog();

    QList<SimConnection*> connections() const;
    SimConnection* connection(int id) const;
    void sendToAll(const QByteArray& raw);
    void sendLineToLoggedIn(const QString& line);
    void disconnectAll();

signals:
    void connectionOpened(int id);
    void loggedIn(int id);
    void connectionClosed(int id);
    void lineReceived(int id, QString line);

private:
    friend class SimConnection;
    void onNewConnection();
    void dispatch(SimConnection* connection, const QString& line);

    QHostAddress m_address;
    QTcpServer* m_server = nullptr;
    QList<SimConnection*> m_connections;
    QList<Handler> m_handlers;
    QList<Handler> m_standbyHandlers;
    QList<QPair<QString, QStringList>> m_replies;
    QList<LogEntry> m_log;
    int m_nextId = 1;
    QDeadlineTimer m_holdEnd;
};

} // namespace sim
