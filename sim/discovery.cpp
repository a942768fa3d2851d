#include "discovery.h"

#include "recorderstate.h"
#include "simrecorder.h"

#include <QDataStream>
#include <QList>
#include <QUdpSocket>

namespace sim {

// The one socket of the process that receives probes; it hands each probe to
// every simulated recorder that answers.
class ProbeListener : public QObject
{
public:
    static ProbeListener* acquire(DiscoveryAnswerer* answerer, QString* error)
    {
        if (!s_instance) {
            auto* listener = new ProbeListener;
            if (!listener->m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), DiscoveryAnswerer::port,
                                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
                if (error)
                    *error = listener->m_socket.errorString();
                delete listener;
                return nullptr;
            }
            s_instance = listener;
        }
        if (!s_instance->m_answerers.contains(answerer))
            s_instance->m_answerers.append(answerer);
        return s_instance;
    }

    static void release(DiscoveryAnswerer* answerer)
    {
        if (!s_instance)
            return;
        s_instance->m_answerers.removeAll(answerer);
        if (s_instance->m_answerers.isEmpty()) {
            delete s_instance;
            s_instance = nullptr;
        }
    }

private:
    ProbeListener()
    {
        connect(&m_socket, &QUdpSocket::readyRead, this, &ProbeListener::onReadyRead);
    }

    void onReadyRead()
    {
        while (m_socket.hasPendingDatagrams()) {
            QByteArray datagram(int(qMax<qint64>(m_socket.pendingDatagramSize(), 0)), '\0');
            QHostAddress from;
            const qint64 size = m_socket.readDatagram(datagram.data(), datagram.size(), &from);
            if (size < 0)
                return;
            datagram.truncate(int(size));
            const quint16 replyPort = parseProbe(datagram);
            if (replyPort == 0)
                continue;
            const auto answerers = m_answerers;
            for (DiscoveryAnswerer* a : answerers)
                a->onProbe(from, replyPort);
        }
    }

    static ProbeListener* s_instance;
    QUdpSocket m_socket;
    QList<DiscoveryAnswerer*> m_answerers;
};

ProbeListener* ProbeListener::s_instance = nullptr;

QString modelName(int model)
{
    return model == 1 ? QStringLiteral("KZ-470DUAL") : QStringLiteral("KZ-470MX");
}

quint16 parseProbe(const QByteArray& datagram)
{
    QDataStream stream(datagram);
    stream.setVersion(QDataStream::Qt_4_0);
    QByteArray payload;
    stream >> payload;
    if (stream.status() != QDataStream::Ok || !payload.startsWith("KZ470PING\n"))
        return 0;
    const QList<QByteArray> fields = payload.split('\n');
    bool ok = false;
    const quint16 port = fields.value(1).toUShort(&ok, 16);
    return ok ? port : 0;
}

int discoveryTransport(int status)
{
    switch (status) {
    case RecorderState::Stopped: return 0;
    case RecorderState::Playing: return 1;
    case RecorderState::PlayPaused: return 2;
    case RecorderState::Recording:
    case RecorderState::RecordOther: return 3;
    case RecorderState::RecordPaused: return 4;
    default: return 7;
    }
}

DiscoveryAnswerer::DiscoveryAnswerer(RecorderState* state, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_recorder(state->recorder())
{
}

DiscoveryAnswerer::~DiscoveryAnswerer()
{
    stop();
}

bool DiscoveryAnswerer::start(QString* error)
{
    if (m_socket)
        return true;
    auto* socket = new QUdpSocket(this);
    if (!socket->bind(m_recorder->address(), 0)) {
        if (error)
            *error = socket->errorString();
        delete socket;
        return false;
    }
    if (!ProbeListener::acquire(this, error)) {
        delete socket;
        return false;
    }
    m_socket = socket;
    return true;
}

void DiscoveryAnswerer::stop()
{
    ProbeListener::release(this);
    delete m_socket;
    m_socket = nullptr;
}

QByteArray DiscoveryAnswerer::answer() const
{
    const QStringList fields { QStringLiteral("KZ470"),
                               modelName(m_recorder->model),
                               nickname,
                               macAddress,
                               m_state->currentMediumName(),
                               QString::number(m_recorder->powered ? 1 : 0),
                               QString::number(discoveryTransport(m_state->status())) };
    return fields.join(QLatin1Char('\n')).toUtf8() + '\n';
}

void DiscoveryAnswerer::onProbe(const QHostAddress& from, quint16 replyPort)
{
    if (!m_socket || !answering || !m_recorder->isListening())
        return;
    m_socket->writeDatagram(answer(), from, replyPort);
    ++m_answered;
    emit probeAnswered(from, replyPort);
}

} // namespace sim
