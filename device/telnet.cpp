#include "telnet.h"

#include "linesafe.h"

#include <QHostAddress>
#include <QTextCodec>
#include <utility>
#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#endif

Telnet::Telnet(QObject* parent)
    : QObject(parent)
    , codec(QTextCodec::codecForName("UTF-8"))
    , decoder(codec->makeDecoder())
{
    connectTimer.setSingleShot(false);
    pacer.setSingleShot(true);
    pacer.setTimerType(Qt::PreciseTimer);
    pacer.setInterval(pauseMs);
    connect(&socket, &QTcpSocket::connected, this, &Telnet::loginToServer);
    connect(&socket, &QTcpSocket::disconnected, this, &Telnet::closeConnection);
    connect(&socket, &QTcpSocket::readyRead, this, &Telnet::getData);
    connect(&socket, &QAbstractSocket::errorOccurred, this, &Telnet::error);
    connect(&socket, &QTcpSocket::bytesWritten, this, &Telnet::onSent);
    connect(&connectTimer, &QTimer::timeout, this, &Telnet::checkTimeout);
    connect(&pacer, &QTimer::timeout, this, &Telnet::endPause);
}

Telnet::~Telnet()
{
    // The socket closes as the members go: nothing of that may reach this object.
    socket.disconnect(this);
    connectTimer.disconnect(this);
    pacer.disconnect(this);
}

void Telnet::resetReceiveState()
{
    partialLine.clear();
    awaitingModel = false;
    decoder.reset(codec->makeDecoder());
}

void Telnet::connectToServer(const QString& address, const QString& password, bool fast)
{
    // A connection still standing (or still being made) is dropped first, so
    // the new login never talks to the old peer.
    if (socket.state() != QAbstractSocket::UnconnectedState) {
        connectTimer.stop();
        const QSignalBlocker blocker(this);
        socket.abort();
    }
    prepareDialogue(password);
    connectTimer.stop();
    connectTimer.start(fast ? 500 : 10000);
    socket.connectToHost(QHostAddress(address), 23, QIODevice::ReadWrite);
}

void Telnet::prepareDialogue(const QString& password)
{
    resetReceiveState();
    ++link;
    passwordLine = lineSafe(password) + QStringLiteral("\r\n");
    writeCount = 0;
    forgetSends();
    dropQueue();
    loginPending = true;
}

void Telnet::beginDialogue(const QString& password)
{
    if (!writeSink)
        return;
    prepareDialogue(password);
    writeSink(QByteArray("\r\n"));
}

void Telnet::sendData(const char* str)
{
    sendDataNoLog(str);
}

void Telnet::sendDataNoLog(const char* str)
{
    if (writeSink) {
        if (writeObserver)
            writeObserver(QByteArray(str));
        writeSink(QByteArray(str));
        return;
    }
    // Until the login dialogue is over, anything written would be read by the
    // recorder as the answer to its prompt: commands are dropped until then,
    // as they are on a closed link.
    if (socket.state() != QAbstractSocket::ConnectedState || loginPending)
        return;
    if (writeObserver)
        writeObserver(QByteArray(str));
    write(str);
}

// Writes with flow control: the 12th write without an answer waits in the
// queue for the next pause.
void Telnet::write(const char* str)
{
    if (writeSink) {
        writeSink(QByteArray(str));
        return;
    }
    if (queue.isEmpty() && mayWriteNow()) {
        put(QByteArray(str));
        return;
    }
    queue.append(QByteArray(str));
    if (!pacer.isActive())
        startPause();
}

// Sends what waits, oldest first, until the count allows no more; the rest
// waits for the next pause.
void Telnet::writeQueued()
{
    if (socket.state() != QAbstractSocket::ConnectedState) {
        dropQueue();
        return;
    }
    while (!queue.isEmpty() && mayWriteNow())
        put(queue.takeFirst());
    if (!queue.isEmpty() && !pacer.isActive())
        startPause();
}

// Hands the bytes to the socket, which sends them when the event loop next
// turns (or before a pause: startPause); what leaves is followed in sent().
void Telnet::put(const QByteArray& bytes)
{
    if (writeWatcher)
        writeWatcher(bytes);
    socket.write(bytes);
    bytesPut += bytes.size();
    unsent.push_back(bytesPut);
    ++writeCount;
}

// Follows the writes the socket has handed to the network since last asked.
// Those that left while text from the recorder already waited to be read
// reach the recorder after that text, so it answers none of them.
void Telnet::sent()
{
    const qint64 gone = bytesPut - socket.bytesToWrite();
    int writes = 0;
    while (!unsent.empty() && unsent.front() <= gone) {
        ++writes;
        unsent.pop_front();
    }
    if (writes > 0 && textWaiting())
        writesAfterUnreadText += writes;
}

void Telnet::onSent()
{
    sent();
    if (pauseAwaitsSend && socket.bytesToWrite() == 0)
        startPause();
}

void Telnet::forgetSends()
{
    writesAfterUnreadText = 0;
    unsent.clear();
    bytesPut = 0;
}

// Whether text from the recorder has arrived that the socket has not read
// yet; when that cannot be told, it is assumed.
bool Telnet::textWaiting() const
{
#ifdef Q_OS_UNIX
    int waiting = 0;
    if (::ioctl(int(socket.socketDescriptor()), FIONREAD, &waiting) == 0)
        return waiting > 0;
#endif
    return true;
}

void Telnet::endPause()
{
    // The event loop wakes in whole milliseconds; should it ever wake early,
    // the pause goes on.
    if (pauseClock.nsecsElapsed() < pauseMs * 1000000LL) {
        pacer.start();
        return;
    }
    pacer.stop();
    writeCount = 0;
    ++m_pauseCount;
    m_pausedNs += pauseClock.nsecsElapsed();
    writeQueued();
}

// The pause counts from the moment the writes before it have left: they are
// handed to the network first, and while the socket still holds some of them
// (the network takes no more for now), it starts when the last has gone.
void Telnet::startPause()
{
    pauseAwaitsSend = false;
    socket.flush();
    if (socket.bytesToWrite() > 0) {
        pauseAwaitsSend = true;
        return;
    }
    pauseClock.start();
    pacer.start();
}

void Telnet::dropQueue()
{
    queue.clear();
    pacer.stop();
    pauseAwaitsSend = false;
}

void Telnet::close()
{
    connectTimer.stop();
    loginPending = false;
    writeCount = 0;
    forgetSends();
    dropQueue();
    socket.abort();
    socket.close();
    resetReceiveState();
    ++link;
}

void Telnet::loginToServer()
{
    // The connection stands; the login dialogue gets its own time-out.
    connectTimer.stop();
    if (loginPending)
        connectTimer.start(loginTimeoutMs);
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    forgetSends();
    put(QByteArray("\r\n"));
    writeCount = 0;
}

void Telnet::endLoginDialogue()
{
    loginPending = false;
    awaitingModel = false; // a refusal ends the wait for the model answer too
    connectTimer.stop();
}

void Telnet::getData()
{
    // The recorder has answered: the count starts anew, but for the writes
    // that went out after this text had already arrived (the recorder saw
    // them after saying it) and for those still to go out.
    if (socket.bytesAvailable() > 0) {
        sent();
        writeCount = qMin(writeCount, std::exchange(writesAfterUnreadText, 0) + int(unsent.size()));
        // A pause already as long as it has to be ends here.
        if (pacer.isActive() && pauseClock.nsecsElapsed() >= pauseMs * 1000000LL)
            endPause();
    }
    // Everything that has arrived is taken in; a handler may end the link.
    const quint64 current = link;
    while (current == link && socket.bytesAvailable() > 0)
        handleChunk(socket.readAll());
    // A link made anew meanwhile (a reconnect from inside a handler) may have
    // had its first text announced while this call was still running, which
    // the socket does not do: take it in from the event loop.
    if (current != link)
        QTimer::singleShot(0, this, [this, next = link] {
            if (next == link)
                getData();
        });
}

void Telnet::handleChunk(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QString text = decoder->toUnicode(bytes);
    dataReceived = true;

    if (text.startsWith(QLatin1String("Enter Password"))) {
        const QByteArray line = codec->fromUnicode(passwordLine);
        write(line.constData());
        return;
    }
    // The dialogue's answers count only while it runs: on a link that stands,
    // such a text is not a reply line and is dropped by the framing.
    if (loginPending && text.startsWith(QLatin1String("Login Successful"))) {
        if (skipModelQuery) {
            skipModelQuery = false;
            endLoginDialogue();
            emit connectedToServer(0);
        } else {
            write("07F6A64\r\n");
            awaitingModel = true;
        }
        return;
    }
    if (loginPending && text.startsWith(QLatin1String("Password Failed"))) {
        endLoginDialogue();
        emit passwordFailed();
        return;
    }
    if (awaitingModel) {
        // The answer usually comes alone in its chunk.
        if (text.startsWith(QLatin1String("0FF6AE4")) && text.size() >= 9) {
            handleModelLine(text.mid(1, 8));
            return;
        }
        if (text.startsWith(QLatin1String("0F2\r\n"))) {
            handleModelLine(QStringLiteral("F2"));
            return;
        }
        // Otherwise look for it among the lines of the chunk.
    }
    frame(text);
}

// Handles a line while the model answer is awaited; returns true when it was the answer.
bool Telnet::handleModelLine(const QString& line)
{
    if (line.startsWith(QLatin1String("FF6AE4"))) {
        awaitingModel = false;
        const QString model = line.mid(6, 2);
        if (model == QLatin1String("01")) {
            endLoginDialogue();
            emit connectedToServer(1);
        } else if (model == QLatin1String("00")) {
            endLoginDialogue();
            emit connectedToServer(0);
        } else {
            close();
            emit errorConnectedToServer();
        }
        return true;
    }
    if (line == QLatin1String("F2")) {
        awaitingModel = false;
        close();
        emit errorConnectedToServer();
        return true;
    }
    return false;
}

void Telnet::frame(const QString& text)
{
    const quint64 current = link;
    const QStringList pieces = text.split(QLatin1Char('\n'));
    for (const QString& piece : pieces) {
        QString line = partialLine + piece;
        if (line.isEmpty() || line.at(0) != QLatin1Char('0'))
            continue;
        if (line.endsWith(QLatin1Char('\r'))) {
            partialLine.clear();
            line.remove(QLatin1Char('\r'));
            line.remove(0, 1);
            if (!(awaitingModel && handleModelLine(line)))
                emit readyRead(line);
            if (current != link)
                return; // the link ended or was replaced while the line was handled
        } else if (line.size() > maxPartialLine) {
            partialLine.clear(); // a peer that never ends its line
        } else {
            partialLine = line;
        }
    }
}

void Telnet::checkTimeout()
{
    if (socket.state() == QAbstractSocket::ConnectingState
        || (loginPending && socket.state() == QAbstractSocket::ConnectedState)) {
        close();
        emit errorConnectedToServer();
    }
}

void Telnet::closeConnection()
{
    socket.close();
}

void Telnet::error()
{
    close();
    // Reported from the next pass of the event loop: a receiver that connects
    // again at once must not do so from inside the socket's own error signal.
    const quint64 current = link;
    QTimer::singleShot(0, this, [this, current] {
        if (current == link)
            emit errorConnectedToServer();
    });
}

bool setCommandNumberField(char* field, int value)
{
    if (!field || value < 0 || value > 9999)
        return false;
    const QByteArray digits = QByteArray::number(value).rightJustified(4, '0');
    field[0] = digits[2];
    field[1] = digits[3];
    field[2] = digits[0];
    field[3] = digits[1];
    return true;
}
