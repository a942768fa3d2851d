#include "ftpserver.h"

#include "discovery.h"
#include "laterqueue.h"
#include "recorderstate.h"
#include "simrecorder.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <limits>

namespace sim {

namespace {

constexpr int pieceBytes = 7; // split writes: bytes per piece
constexpr int pieceGapMs = 5;
constexpr int maxLineBytes = 64 * 1024;

// Writes to a socket in order, whole or in small pieces, and runs actions
// queued between the writes once everything before them has gone out. It
// keeps the recorder's pace: each write or action leaves the recorder's answer
// latency after it was made, and each write waits the recorder's reply delay
// after the one before it, as on the command port; nothing overtakes what was
// made before it, even when the pace changes in between.
class PacedWriter : public QObject
{
public:
    PacedWriter(QTcpSocket* socket, const bool* split, const SimRecorder* recorder, QObject* parent)
        : QObject(parent)
        , m_socket(socket)
        , m_split(split)
        , m_recorder(recorder)
    {
        m_later.heldFor = [recorder] { return recorder->heldForMs(); };
    }

    void write(const QByteArray& bytes)
    {
        const qint64 made = m_later.now() + m_recorder->answerLatencyMs;
        if (*m_split) {
            for (int i = 0; i < bytes.size(); i += pieceBytes)
                writeAt(made, bytes.mid(i, pieceBytes));
        } else {
            writeAt(made, bytes);
        }
    }

    void then(const std::function<void()>& action)
    {
        m_later.add(m_later.now() + m_recorder->answerLatencyMs, action);
    }

private:
    // A write follows the one before it by the reply delay, and a piece of a
    // split write by at least the gap between pieces.
    void writeAt(qint64 due, const QByteArray& bytes)
    {
        const int delay = m_recorder->replyDelayMs;
        const int gap = *m_split ? qMax(pieceGapMs, delay) : delay;
        due = std::max({ due + delay, m_lastWrite + gap, m_later.lastDue() });
        m_lastWrite = due;
        m_later.add(due, [this, bytes] {
            if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
                m_socket->write(bytes);
                m_socket->flush();
            }
        });
    }

    QPointer<QTcpSocket> m_socket;
    const bool* m_split;
    const SimRecorder* m_recorder;
    LaterQueue m_later;
    qint64 m_lastWrite = std::numeric_limits<int>::min();
};

// A medium's playlist folder in the Unix listing style: "total N", then one
// line per entry, folders first.
QByteArray folderListing(const SimMedium& medium)
{
    QByteArray listing = "total " + QByteArray::number(medium.playlistSubfolders.size() + medium.playlists.size())
        + "\r\n";
    for (const QString& name : medium.playlistSubfolders)
        listing += "drwxr-xr-x 1 owner group    0 Jan 01 00:00 " + name.toUtf8() + "\r\n";
    for (const QString& name : medium.playlists)
        listing += "-rw-r--r-- 1 owner group 1024 Jan 01 00:00 " + name.toUtf8() + "\r\n";
    return listing;
}

} // namespace

// One client's control connection.
class FtpSession : public QObject
{
public:
    FtpSession(FtpServer* server, QTcpSocket* socket)
        : QObject(server)
        , m_server(server)
        , m_control(socket)
        , m_writer(socket, &server->splitWrites, server->m_recorder, this)
    {
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &FtpSession::onReadyRead);
        connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        if (!server->m_recorder->powered) {
            reply("421 Service not available");
            m_writer.then([this] { m_control->disconnectFromHost(); });
            return;
        }
        reply("220 KZ470 FTP server ready");
    }

private:
    void reply(const QByteArray& text) { m_writer.write(text + "\r\n"); }

    void onReadyRead()
    {
        m_buffer += m_control->readAll();
        for (int lf = m_buffer.indexOf('\n'); lf >= 0; lf = m_buffer.indexOf('\n')) {
            QByteArray raw = m_buffer.left(lf);
            m_buffer.remove(0, lf + 1);
            if (raw.endsWith('\r'))
                raw.chop(1);
            handle(QString::fromUtf8(raw));
        }
        if (m_buffer.size() > maxLineBytes)
            m_buffer.clear();
    }

    void handle(const QString& line)
    {
        m_server->m_log.append(line);
        emit m_server->lineReceived(line);
        const int blank = line.indexOf(QLatin1Char(' '));
        const QString verb = line.left(blank < 0 ? line.size() : blank).toUpper();
        const QString arg = blank < 0 ? QString() : line.mid(blank + 1);

        if (verb == QLatin1String("USER")) {
            m_userAccepted = arg == modelName(m_server->m_recorder->model);
            reply(m_userAccepted ? "331 Password required" : "530 Not logged in");
        } else if (verb == QLatin1String("PASS")) {
            m_loggedIn = m_userAccepted && arg == m_server->m_recorder->password;
            reply(m_loggedIn ? "230 Logged in" : "530 Login incorrect");
        } else if (verb == QLatin1String("QUIT")) {
            reply("221 Goodbye");
            m_writer.then([this] { m_control->disconnectFromHost(); });
        } else if (!m_loggedIn) {
            reply("530 Not logged in");
        } else if (verb == QLatin1String("TYPE") || verb == QLatin1String("NOOP")) {
            reply("200 OK"); // for ordinary FTP clients; listings are text either way
        } else if (verb == QLatin1String("CWD")) {
            changeFolder(arg);
        } else if (verb == QLatin1String("PASV")) {
            openPassive();
        } else if (verb == QLatin1String("LIST")) {
            if (!m_passive) {
                reply("425 Use PASV first");
                return;
            }
            m_listPending = true;
            reply("150 Here comes the directory listing");
            sendListing();
        } else {
            reply("502 Command not implemented");
        }
    }

    void changeFolder(QString path)
    {
        if (path.endsWith(QLatin1Char('/')))
            path.chop(1);
        const QString medium = mediumOfDrive(path.left(2));
        if (medium.isEmpty() || path.mid(2) != QLatin1String("/_playlists")) {
            reply("550 No such folder");
            return;
        }
        m_medium = medium;
        reply("250 Directory changed");
    }

    void openPassive()
    {
        delete m_passive;
        delete m_data;
        m_passive = new QTcpServer(this);
        const QHostAddress address = m_server->m_recorder->address();
        if (!m_passive->listen(address, 0)) {
            reply("425 Cannot open data connection");
            return;
        }
        connect(m_passive.data(), &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_passive->nextPendingConnection();
            if (!socket || m_data) {
                delete socket;
                return;
            }
            m_data = socket;
            socket->setParent(this);
            sendListing();
        });
        const quint32 ip = m_server->passiveHost.isNull() ? address.toIPv4Address()
                                                          : m_server->passiveHost.toIPv4Address();
        QByteArray numbers = QByteArray::number(ip >> 24) + ',' + QByteArray::number((ip >> 16) & 0xff) + ','
            + QByteArray::number((ip >> 8) & 0xff) + ',' + QByteArray::number(ip & 0xff);
        if (!m_server->shortPassiveReply) {
            const quint16 p = m_passive->serverPort();
            numbers += ',' + QByteArray::number(p >> 8) + ',' + QByteArray::number(p & 0xff);
        }
        reply("227 Entering Passive Mode (" + numbers + ")");
    }

    // Sends the folder once LIST has come and the data connection stands,
    // then closes the data connection; "226" follows its close.
    void sendListing()
    {
        if (!m_listPending || !m_data)
            return;
        m_listPending = false;
        QPointer<QTcpSocket> data = m_data;
        const QString medium = m_medium;
        QTimer::singleShot(m_server->listingDelayMs, this, [this, data, medium] {
            if (!data || data->state() != QAbstractSocket::ConnectedState)
                return;
            const QByteArray listing = folderListing(m_server->m_state->medium(medium));
            auto* writer = new PacedWriter(data, &m_server->splitWrites, m_server->m_recorder, data);
            writer->write(listing);
            writer->then([this, data, medium] {
                connect(data.data(), &QTcpSocket::disconnected, this, [this] { reply("226 Transfer complete"); });
                ++m_server->m_listings;
                emit m_server->listingSent(medium);
                data->disconnectFromHost();
            });
        });
    }

    FtpServer* m_server;
    QTcpSocket* m_control;
    PacedWriter m_writer;
    QByteArray m_buffer;
    bool m_userAccepted = false;
    bool m_loggedIn = false;
    bool m_listPending = false;
    QString m_medium;
    QPointer<QTcpServer> m_passive;
    QPointer<QTcpSocket> m_data;
};

FtpServer::FtpServer(RecorderState* state, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_recorder(state->recorder())
{
}

FtpServer::~FtpServer()
{
    stop();
}

bool FtpServer::start(QString* error)
{
    if (isListening())
        return true;
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &FtpServer::onNewConnection);
    }
    if (!m_server->listen(m_recorder->address(), port)) {
        if (error)
            *error = m_server->errorString();
        return false;
    }
    return true;
}

void FtpServer::stop()
{
    if (m_server)
        m_server->close();
}

bool FtpServer::isListening() const
{
    return m_server && m_server->isListening();
}

void FtpServer::onNewConnection()
{
    m_sessions.erase(std::remove_if(m_sessions.begin(), m_sessions.end(),
                                    [](const QPointer<FtpSession>& session) { return session.isNull(); }),
                     m_sessions.end());
    while (QTcpSocket* socket = m_server->nextPendingConnection())
        m_sessions.append(new FtpSession(this, socket));
}

int FtpServer::openSessions() const
{
    int open = 0;
    for (const QPointer<FtpSession>& session : m_sessions)
        open += session ? 1 : 0;
    return open;
}

} // namespace sim
