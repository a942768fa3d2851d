#include "ftpaccess.h"

#include "linesafe.h"

#include <QHostAddress>
#include <QSignalBlocker>
#include <cstring>

FtpAccess::FtpAccess(QObject* parent)
    : QObject(parent)
{
    connect(&controlSocket, &QTcpSocket::connected, this, &FtpAccess::getFtp);
    connect(&controlSocket, &QTcpSocket::disconnected, this, &FtpAccess::closeConnectionFtp);
    connect(&controlSocket, &QTcpSocket::readyRead, this, &FtpAccess::getFtp);
    connect(&controlSocket, &QAbstractSocket::errorOccurred, this, &FtpAccess::errorFtp);
    connect(&dataSocket, &QTcpSocket::connected, this, &FtpAccess::getFtpData);
    connect(&dataSocket, &QTcpSocket::disconnected, this, &FtpAccess::closeConnectionFtpData);
    connect(&dataSocket, &QTcpSocket::readyRead, this, &FtpAccess::getFtpData);
    connect(&dataSocket, &QAbstractSocket::errorOccurred, this, &FtpAccess::errorFtpData);
}

FtpAccess::~FtpAccess()
{
    abort(); // no signal may reach a half-destroyed object
}

void FtpAccess::abort()
{
    // Without its signals: a closing data connection would otherwise report
    // a complete listing.
    const QSignalBlocker blockControl(controlSocket);
    const QSignalBlocker blockData(dataSocket);
    controlSocket.abort();
    dataSocket.abort();
    controlPending.clear();
    dataPending.clear();
    sinkOpen = false;
    m_listing = false;
}

bool FtpAccess::listing() const
{
    return m_listing && m_lastArrival.isValid() && !m_lastArrival.hasExpired(quietLimitMs);
}

// Nothing more can come of the listing: no names and no end.
void FtpAccess::endStep()
{
    m_listing = false;
}

void FtpAccess::connectFtp(QString address, QString password, QString media, int model)
{
    abort(); // a step still running gives way to this one
    if (writeSink)
        sinkOpen = true;
    else
        controlSocket.connectToHost(QHostAddress(address), controlPort, QIODevice::ReadWrite);
    loginPassword = password;
    mediaName = media;
    modelCode = model;
    m_listing = true;
    m_lastArrival.start();
}

void FtpAccess::sendFtp(const char* str)
{
    if (writeSink)
        writeSink(QByteArray(str));
    else
        controlSocket.write(str, qint64(std::strlen(str)));
}

bool FtpAccess::controlOpen() const
{
    return writeSink ? sinkOpen : controlSocket.state() == QAbstractSocket::ConnectedState;
}

void FtpAccess::closeControl()
{
    sinkOpen = false;
    controlSocket.close();
}

QStringList takeLines(QByteArray& pending, QByteArray arrival)
{
    const int nul = arrival.indexOf('\0');
    if (nul >= 0)
        arrival.truncate(nul);
    pending += arrival;

    QStringList lines;
    int start = 0;
    for (int cr = pending.indexOf('\r'); cr >= 0; cr = pending.indexOf('\r', start)) {
        lines << QString::fromUtf8(pending.mid(start, cr - start)).remove(QLatin1Char('\n'));
        start = cr + 1;
    }
    pending.remove(0, start);
    if (pending.size() > FtpAccess::maxPendingLine)
        pending.clear();
    return lines;
}

static QByteArray readArrival(QTcpSocket& socket)
{
    return socket.isReadable() ? socket.readAll() : QByteArray();
}

void FtpAccess::getFtp()
{
    takeIn(readArrival(controlSocket));
}

void FtpAccess::takeIn(const QByteArray& bytes)
{
    m_lastArrival.start();
    const QStringList lines = takeLines(controlPending, bytes);
    for (const QString& line : lines) {
        if (!controlOpen())
            return;
        handleReply(line);
    }
}

void FtpAccess::handleReply(const QString& line)
{
    const QStringRef code = line.leftRef(3);
    if (code == QLatin1String("220")) {
        if (modelCode == 0)
            sendFtp("USER KZ-470MX\r\n");
        else if (modelCode == 1)
            sendFtp("USER KZ-470DUAL\r\n");
        else {
            closeControl();
            endStep();
        }
    } else if (code == QLatin1String("331")) {
        const QByteArray pass = "PASS " + lineSafe(loginPassword).toUtf8() + "\r\n";
        sendFtp(pass.constData());
    } else if (code == QLatin1String("230")) {
        const QString drive = playlistDrive(mediaName);
        if (!drive.isEmpty()) {
            const QByteArray cwd = "CWD " + drive.toLatin1() + "/_playlists\r\n";
            sendFtp(cwd.constData());
        }
    } else if (code == QLatin1String("250")) {
        sendFtp("PASV\r\n");
    } else if (code == QLatin1String("227")) {
        openDataConnection(line);
    } else if (code == QLatin1String("226")) {
        closeControl();
    }
}

void FtpAccess::openDataConnection(const QString& reply)
{
    const int port = passivePort(reply);
    if (port < 0) {
        closeControl(); // no address to list from: give the step up
        endStep();
        return;
    }
    // The listing is fetched from the recorder itself, whatever host the reply
    // names: a reply must not send the application to another machine.
    if (!writeSink)
        dataSocket.connectToHost(controlSocket.peerAddress(), quint16(port), QIODevice::ReadWrite);
    sendFtp("LIST\r\n");
}

// The numbers start at character 27. The port's two numbers are bytes: a
// reply with anything else there names no port.
int passivePort(const QString& reply)
{
    QString text = reply;
    text.remove(QLatin1Char(')'));
    const QStringList parts = text.mid(27).split(QLatin1Char(','));
    if (parts.size() < 6)
        return -1;
    bool highOk = false;
    bool lowOk = false;
    const int high = parts.at(4).trimmed().toInt(&highOk);
    const int low = parts.at(5).trimmed().toInt(&lowOk);
    if (!highOk || !lowOk || high < 0 || high > 255 || low < 0 || low > 255)
        return -1;
    return high * 256 + low;
}

void FtpAccess::errorFtp()
{
    controlSocket.close();
    controlLost();
}

void FtpAccess::closeConnectionFtp()
{
    controlSocket.close();
    controlLost();
}

// Without the control connection the listing goes on only on a data
// connection that is already open or opening.
void FtpAccess::controlLost()
{
    if (dataSocket.state() == QAbstractSocket::UnconnectedState)
        endStep();
}

void FtpAccess::getFtpData()
{
    takeInListing(readArrival(dataSocket));
}

void FtpAccess::takeInListing(const QByteArray& bytes)
{
    m_lastArrival.start();
    const QStringList lines = takeLines(dataPending, bytes);
    for (const QString& line : lines)
        handleListingLine(line);
}

void FtpAccess::handleListingLine(const QString& line)
{
    if (isListedPlaylist(line))
        emit receivedPlaylist(listedFileName(line));
}

void FtpAccess::errorFtpData()
{
    // A closing peer is reported here before the disconnection: take in what
    // it sent before closing drops it.
    getFtpData();
    dataSocket.close();
    // A data connection that had opened has now ended the listing; one that
    // never opened ends the step without a listing.
    endStep();
}

void FtpAccess::closeConnectionFtpData()
{
    getFtpData();
    dataSocket.close();
    endListing();
}

void FtpAccess::endListing()
{
    endStep();
    // The last line of a listing may end without CR.
    const QByteArray rest = dataPending;
    dataPending.clear();
    handleListingLine(QString::fromUtf8(rest).remove(QLatin1Char('\n')));
    emit endPlaylist();
}

bool isListedPlaylist(const QString& line)
{
    // Directory entries begin with "d".
    return line.endsWith(QLatin1String(".ppl")) && !line.startsWith(QLatin1Char('d'));
}

QString listedFileName(const QString& line)
{
    // Permissions, links, owner, group, size, month, day and time (or year)
    // come before the name; the name is the rest of the line, blanks and all.
    constexpr int fieldsBeforeName = 8;
    int pos = 0;
    for (int field = 0; field < fieldsBeforeName; ++field) {
        while (pos < line.size() && line.at(pos) == QLatin1Char(' '))
            ++pos;
        while (pos < line.size() && line.at(pos) != QLatin1Char(' '))
            ++pos;
    }
    while (pos < line.size() && line.at(pos) == QLatin1Char(' '))
        ++pos;
    if (pos < line.size())
        return line.mid(pos);
    // A shorter line: its name is the text after the last blank.
    return line.mid(line.lastIndexOf(QLatin1Char(' ')) + 1);
}

QString playlistDrive(const QString& media)
{
    if (media == QLatin1String("SD1"))
        return QStringLiteral("A:");
    if (media == QLatin1String("SD2"))
        return QStringLiteral("B:");
    if (media == QLatin1String("USB"))
        return QStringLiteral("C:");
    return QString();
}

QString stepPlaylist(QStringList names, const QString& current, bool backward)
{
    if (names.isEmpty())
        return QString();
    names.sort(Qt::CaseSensitive);
    const int i = names.indexOf(current);
    if (i < 0)
        return names.first();
    const int last = names.size() - 1;
    if (backward)
        return names.at(i == 0 ? last : i - 1);
    return names.at(i == last ? 0 : i + 1);
}
