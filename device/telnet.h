#pragma once

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QElapsedTimer>
#include <QList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

class QTextCodec;
class QTextDecoder;

// Text channel to one recorder on TCP port 23: login dialogue, line framing and
// a simple write flow control. Knows nothing of command meanings.
//
// Flow control: no more than eleven writes go out without any text from the
// recorder; a write counts once whatever number of lines it carries, and is
// never split. The 12th write of an unanswered burst waits in a queue, in the
// order writes were made, and goes out after a pause of 1 ms, with up to ten
// more after it (the pause ends with its timer, or with text from the
// recorder once 1 ms has passed). While the queue holds anything, every
// write joins it. Nothing here runs an event loop of its own: a write never
// runs other work before it returns.
//
// The rule holds on the network, not only at the write call: the low-delay
// option is set, so what the socket sends leaves at once rather than waiting
// to be merged with what follows; a pause counts from the moment the writes
// before it have left; and text from the recorder starts the count anew only
// for the writes that had left before that text arrived.
class Telnet : public QObject
{
    Q_OBJECT
public:
    explicit Telnet(QObject* parent = nullptr);
    ~Telnet() override;

    // Set by the owner before connecting when the login is to end right after
    // "Login Successful" without the model query. Cleared by that answer.
    bool skipModelQuery = false;
    // Set on every received chunk; read and cleared by the settings-menu walk.
    bool dataReceived = false;

    void connectToServer(const QString& address, const QString& password, bool fast);

    // Longest reply line kept while waiting for its end; a longer one is dropped.
    static constexpr int maxPartialLine = 64 * 1024;
    // Time allowed for the login dialogue once the TCP connection stands.
    int loginTimeoutMs = 10000;
    // Number of flow-control pauses made so far, and how long they took in
    // all: the event loop wakes in whole milliseconds, so a pause that other
    // events interrupt lasts up to 2 ms (diagnostics).
    int pauseCount() const { return m_pauseCount; }
    qint64 pausedNs() const { return m_pausedNs; }
    // Writes made since the recorder last said anything (diagnostics).
    int unansweredWrites() const { return writeCount; }
    // Writes waiting for the flow control (diagnostics).
    int queuedWrites() const { return int(queue.size()); }
    QAbstractSocket::SocketState socketState() const { return socket.state(); }
    // Whether the connection sends each write at once (diagnostics).
    bool lowDelay() { return socket.socketOption(QAbstractSocket::LowDelayOption).toInt() == 1; }
    // When set, every write goes here instead of the socket, without flow
    // control: lets the models be driven with no network at all (tests).
    std::function<void(const QByteArray&)> writeSink;
    // When set, sees each write as it is handed to the socket, in the order
    // the writes reach the network (diagnostics).
    std::function<void(const QByteArray&)> writeWatcher;
    // When set, sees every write accepted for the recorder as it is made, in
    // the order the recorder will read them, flow control or not.
    std::function<void(const QByteArray&)> writeObserver;
    // With writeSink set: begins a login dialogue as if the connection to the
    // recorder stood, and takes in bytes as if the socket had read them.
    void beginDialogue(const QString& password);
    void takeIn(const QByteArray& bytes) { handleChunk(bytes); }

signals:
    void connectedToServer(int model);
    void errorConnectedToServer();
    void readyRead(QString line);
    void passwordFailed();

public slots:
    void sendData(const char* str);
    void sendDataNoLog(const char* str);
    void close();
    void loginToServer();
    void getData();
    void checkTimeout();
    void closeConnection();
    void error();

private:
    void handleChunk(QByteArray bytes);
    void write(const char* str);
    void writeQueued();
    void put(const QByteArray& bytes);
    void sent();
    void onSent();
    void forgetSends();
    bool mayWriteNow() const { return writeCount < maxUnansweredWrites; }
    bool textWaiting() const;
    void startPause();
    void endPause();
    void dropQueue();
    void frame(const QString& text);
    bool handleModelLine(const QString& line);
    void resetReceiveState();
    void prepareDialogue(const QString& password);
    void endLoginDialogue();

    QTcpSocket socket;
    QString passwordLine;
    // Writes made since the recorder last said anything (or the last pause).
    int writeCount = 0;
    static constexpr int maxUnansweredWrites = 11;
    // Writes handed to the network, since the socket was last read, while
    // text from the recorder already waited to be read.
    int writesAfterUnreadText = 0;
    // Where each write the socket has not handed to the network yet ends, in
    // the bytes written on this link.
    std::deque<qint64> unsent;
    qint64 bytesPut = 0;
    QString partialLine;
    QTimer connectTimer;
    bool awaitingModel = false;
    QTextCodec* codec;
    std::unique_ptr<QTextDecoder> decoder;
    bool loginPending = false;
    // Changes with every new or closed link: framing stops when a handler of
    // one of its lines has closed or replaced the link.
    quint64 link = 0;
    // Writes held by the flow control, oldest first, and the pause.
    static constexpr int pauseMs = 1;
    QList<QByteArray> queue;
    QTimer pacer;
    QElapsedTimer pauseClock;
    bool pauseAwaitsSend = false; // the pause starts once the socket has sent all
    qint64 m_pausedNs = 0;
    int m_pauseCount = 0;
};

// Writes value as a number field (four digits, low pair first) over the four
// characters at field. Values outside 0..9999 leave the field untouched and
// return false: such a field cannot be expressed.
bool setCommandNumberField(char* field, int value);
