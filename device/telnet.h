#pragma once

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>

class QTextCodec;
class QTextDecoder;

// Text channel to one recorder on TCP port 23: login dialogue, line framing and
// a simple write flow control. Knows nothing of command meanings.
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
    // Number of flow-control pauses made so far (diagnostics).
    int pauseCount() const { return m_pauseCount; }
    QAbstractSocket::SocketState socketState() const { return socket.state(); }
    // When set, every write goes here instead of the socket, without flow
    // control: lets the models be driven with no network at all (tests).
    std::function<void(const QByteArray&)> writeSink;
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
    void frame(const QString& text);
    bool handleModelLine(const QString& line);
    void resetReceiveState();
    void prepareDialogue(const QString& password);
    void endLoginDialogue();

    QTcpSocket socket;
    QString passwordLine;
    int writeCount = 0;
    QString partialLine;
    QTimer connectTimer;
    bool awaitingModel = false;
    QTextCodec* codec;
    std::unique_ptr<QTextDecoder> decoder;
    bool loginPending = false;
    // Changes with every new or closed link: work begun for one link stops
    // when it finds the number changed (a write's pause may run anything).
    quint64 link = 0;
    int m_pauseCount = 0;
};

// Writes value as a number field (four digits, low pair first) over the four
// characters at field. Values outside 0..9999 leave the field untouched and
// return false: such a field cannot be expressed.
bool setCommandNumberField(char* field, int value);
