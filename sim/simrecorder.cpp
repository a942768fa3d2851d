#include "simrecorder.h"

#include <algorithm>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <utility>

namespace sim {

namespace {
constexpr int maxLineBytes = 64 * 1024;
}

SimConnection::SimConnection(SimRecorder* recorder, QTcpSocket* socket, int id)
    : QObject(recorder)
    , m_recorder(recorder)
    , m_socket(socket)
    , m_id(id)
{
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_later.heldFor = [recorder] { return recorder->heldForMs(); };
    connect(socket, &QTcpSocket::readyRead, this, &SimConnection::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, [this] { emit closed(m_id); });
}

SimConnection::~SimConnection() = default;

bool SimConnection::isOpen() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void SimConnection::send(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_capturing) {
        m_held += bytes;
        return;
    }
    later([this, bytes] { queue(bytes); });
}

// Runs what goes out after the recorder's answer latency, in the order made:
// when the latency is lowered, what follows waits for what went before.
void SimConnection::later(const std::function<void()>& step)
{
    if (m_recorder->answerLatencyMs <= 0 && m_later.isEmpty() && m_recorder->heldForMs() <= 0)
        step();
    else
        m_later.add(m_later.now() + m_recorder->answerLatencyMs, step);
}

void SimConnection::queue(const QByteArray& bytes)
{
    if (m_recorder->splitBytes) {
        for (char byte : bytes)
            m_outgoing.enqueue(QByteArray(1, byte));
    } else if (m_recorder->splitWrites && bytes.size() > 1) {
        const int half = bytes.size() / 2;
        m_outgoing.enqueue(bytes.left(half));
        m_outgoing.enqueue(bytes.mid(half));
    } else {
        m_outgoing.enqueue(bytes);
    }
    if (!m_pumping)
        pump();
}

void SimConnection::sendLine(const QString& line)
{
    send(line.toUtf8() + "\r\n");
}

// Writes the queued segments one after the other, each after the configured delay.
void SimConnection::pump()
{
    if (m_outgoing.isEmpty()) {
        m_pumping = false;
        return;
    }
    m_pumping = true;
    if (const qint64 held = m_recorder->heldForMs(); held > 0) {
        QTimer::singleShot(int(held), this, [this] { pump(); });
        return;
    }
    const int delay = m_recorder->splitWrites ? qMax(m_recorder->replyDelayMs, m_recorder->splitGapMs)
        : m_recorder->splitBytes              ? qMax(m_recorder->replyDelayMs, 1)
                                              : m_recorder->replyDelayMs;
    auto writeOne = [this] {
        if (m_outgoing.isEmpty()) {
            m_pumping = false;
            return;
        }
        const QByteArray chunk = m_outgoing.dequeue();
        if (chunk.isEmpty()) {
            m_outgoing.clear();
            m_pumping = false;
            if (m_socket)
                m_socket->disconnectFromHost();
            return;
        }
        if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
            m_socket->write(chunk);
            m_socket->flush();
        }
        pump();
    };
    if (delay > 0)
        QTimer::singleShot(delay, this, writeOne);
    else
        writeOne();
}

void SimConnection::closeAfterWrites()
{
    m_silenced = true;
    later([this] {
        m_outgoing.enqueue(QByteArray()); // marks the end of the link
        if (!m_pumping)
            pump();
    });
}

// Bytes that mean nothing to a client: NULs, line ends, stray "0" starts and
// invalid UTF-8 among printable text; the same sequence on every run.
QByteArray SimConnection::garbage()
{
    static const char pieces[][8] = { "\0", "\r", "\n", "0", "\r\n0", "\xff\xfe", "\xe3\x81", "FF6A", "Enter", "~" };
    QByteArray bytes;
    for (int i = 0; i < 64; ++i) {
        m_garbageSeed = m_garbageSeed * 1103515245u + 12345u;
        const char* piece = pieces[(m_garbageSeed >> 16) % (sizeof pieces / sizeof pieces[0])];
        bytes += *piece ? QByteArray(piece) : QByteArray(1, '\0');
    }
    return bytes;
}

void SimConnection::disconnectFromClient()
{
    if (m_socket)
        m_socket->disconnectFromHost();
}

void SimConnection::releaseHeld()
{
    const QByteArray held = std::exchange(m_held, QByteArray());
    if (held.isEmpty() || !isOpen())
        return;
    m_socket->write(held);
    m_socket->flush();
}

void SimConnection::onReadyRead()
{
    if (!m_socket)
        return;
    m_buffer += m_socket->readAll();
    for (;;) {
        const int lf = m_buffer.indexOf('\n');
        if (lf < 0)
            break;
        QByteArray raw = m_buffer.left(lf);
        m_buffer.remove(0, lf + 1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        handleLine(raw);
        if (!m_socket)
            return;
    }
    if (m_buffer.size() > maxLineBytes)
        m_buffer.clear();
}

void SimConnection::handleLine(const QByteArray& raw)
{
    const QString line = QString::fromUtf8(raw);
    if (m_recorder->m_log.size() >= SimRecorder::maxLogEntries)
        m_recorder->m_log.removeFirst(); // a long demo run keeps only the recent past
    m_recorder->m_log.append({ m_id, line });
    emit m_recorder->lineReceived(m_id, line);

    if (m_silenced)
        return;
    const SimRecorder::Behaviour behaviour = m_recorder->behaviour;
    if (behaviour == SimRecorder::Behaviour::Garbage) {
        send(garbage());
        return;
    }
    const bool drop = (behaviour == SimRecorder::Behaviour::DropOnPassword && m_phase == AwaitPassword)
        || (behaviour == SimRecorder::Behaviour::DropOnModelQuery && m_phase == LoggedIn);
    if (drop) {
        m_socket->abort();
        return;
    }
    switch (m_phase) {
    case AwaitHello:
        if (m_recorder->behaviour == SimRecorder::Behaviour::Silent)
            return;
        sendLine(QStringLiteral("Enter Password"));
        m_phase = AwaitPassword;
        if (m_recorder->behaviour == SimRecorder::Behaviour::StopAfterPrompt)
            m_silenced = true;
        if (behaviour == SimRecorder::Behaviour::DropAfterPrompt)
            closeAfterWrites();
        return;
    case AwaitPassword:
        if (line == m_recorder->password) {
            sendLine(QStringLiteral("Login Successful"));
            m_phase = LoggedIn;
            emit m_recorder->loggedIn(m_id);
        } else {
            // The next line from the client brings a new prompt.
            sendLine(QStringLiteral("Password Failed"));
            m_phase = AwaitHello;
        }
        return;
    case LoggedIn: {
        const QRegularExpression& hold = m_recorder->holdAnswersTo;
        m_capturing = !hold.pattern().isEmpty() && hold.match(line).hasMatch();
        m_recorder->dispatch(this, line);
        m_capturing = false;
        if (behaviour == SimRecorder::Behaviour::DropAfterLogin && line == QLatin1String("07F6A64"))
            closeAfterWrites();
        return;
    }
    }
}

SimRecorder::SimRecorder(const QHostAddress& address, QObject* parent)
    : QObject(parent)
    , m_address(address)
{
    // The model query is part of every login.
    addCommandHandler([this](SimConnection* c, const QString& line) {
        if (line != QLatin1String("07F6A64"))
            return false;
        c->sendLine(QStringLiteral("0FF6AE4%1").arg(model, 2, 10, QLatin1Char('0')));
        return true;
    });
}

SimRecorder::~SimRecorder()
{
    stop();
}

bool SimRecorder::start(QString* error)
{
    if (m_server && m_server->isListening())
        return true;
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &SimRecorder::onNewConnection);
    }
    if (!m_server->listen(m_address, 23)) {
        if (error)
            *error = m_server->errorString();
        return false;
    }
    return true;
}

void SimRecorder::stop()
{
    if (m_server)
        m_server->close();
    disconnectAll();
}

bool SimRecorder::isListening() const
{
    return m_server && m_server->isListening();
}

void SimRecorder::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        auto* c = new SimConnection(this, socket, m_nextId++);
        m_connections.append(c);
        if (behaviour == Behaviour::DropOnConnect)
            socket->disconnectFromHost();
        connect(c, &SimConnection::closed, this, [this, c](int id) {
            m_connections.removeAll(c);
            emit connectionClosed(id);
            c->deleteLater();
        });
        emit connectionOpened(c->id());
    }
}

void SimRecorder::dispatch(SimConnection* connection, const QString& line)
{
    for (const Handler& handler : qAsConst(m_standbyHandlers)) {
        if (handler(connection, line))
            return;
    }
    if (!powered) {
        connection->sendLine(QStringLiteral("0F2"));
        return;
    }
    if (!ignoreLines.pattern().isEmpty() && ignoreTimes != 0 && ignoreLines.match(line).hasMatch()) {
        if (ignoreTimes > 0)
            --ignoreTimes;
        return;
    }
    for (const auto& reply : qAsConst(m_replies)) {
        if (reply.first == line) {
            for (const QString& r : reply.second)
                connection->sendLine(r);
            return;
        }
    }
    for (const Handler& handler : qAsConst(m_handlers)) {
        if (handler(connection, line))
            return;
    }
}

void SimRecorder::addCommandHandler(const Handler& handler)
{
    m_handlers.append(handler);
}

void SimRecorder::addStandbyHandler(const Handler& handler)
{
    m_standbyHandlers.append(handler);
}

void SimRecorder::setReply(const QString& commandLine, const QStringList& replyLines)
{
    for (auto& reply : m_replies) {
        if (reply.first == commandLine) {
            reply.second = replyLines;
            return;
        }
    }
    m_replies.append({ commandLine, replyLines });
}

void SimRecorder::clearReplies()
{
    m_replies.clear();
}

QStringList SimRecorder::receivedLines() const
{
    QStringList lines;
    for (const LogEntry& e : m_log)
        lines << e.line;
    return lines;
}

QStringList SimRecorder::receivedLines(int connection) const
{
    QStringList lines;
    for (const LogEntry& e : m_log) {
        if (e.connection == connection)
            lines << e.line;
    }
    return lines;
}

void SimRecorder::clearLog()
{
    m_log.clear();
}

QList<SimConnection*> SimRecorder::connections() const
{
    return m_connections;
}

SimConnection* SimRecorder::connection(int id) const
{
    for (SimConnection* c : m_connections) {
        if (c->id() == id)
            return c;
    }
    return nullptr;
}

void SimRecorder::sendToAll(const QByteArray& raw)
{
    for (SimConnection* c : qAsConst(m_connections))
        c->send(raw);
}

void SimRecorder::sendLineToLoggedIn(const QString& line)
{
    for (SimConnection* c : qAsConst(m_connections)) {
        if (c->phase() == SimConnection::LoggedIn)
            c->sendLine(line);
    }
}

void SimRecorder::releaseAnswers()
{
    holdAnswersTo = QRegularExpression();
    for (SimConnection* c : qAsConst(m_connections))
        c->releaseHeld();
}

void SimRecorder::holdEverything(int ms)
{
    m_holdEnd = QDeadlineTimer(ms, Qt::PreciseTimer);
}

qint64 SimRecorder::heldForMs() const
{
    return m_holdEnd.remainingTime() > 0 ? m_holdEnd.remainingTime() : 0;
}

bool SimRecorder::holdsAnswers() const
{
    for (SimConnection* c : m_connections) {
        if (c->holdsAnswers())
            return true;
    }
    return false;
}

void SimRecorder::disconnectAll()
{
    const auto list = m_connections;
    for (SimConnection* c : list)
        c->disconnectFromClient();
}

} // namespace sim
