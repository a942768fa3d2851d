#include "wirecapture.h"

#include <QMap>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/if_packet.h>
#include <net/ethernet.h>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

bool WireCapture::start(QString* error)
{
    const auto fail = [error](const char* what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    m_fd = ::socket(AF_PACKET, SOCK_RAW, htons(ETH_P_ALL));
    if (m_fd < 0)
        return fail("packet socket");
    sockaddr_ll where {};
    where.sll_family = AF_PACKET;
    where.sll_protocol = htons(ETH_P_ALL);
    where.sll_ifindex = int(if_nametoindex("lo"));
    const int on = 1;
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0)
        return fail("bind to lo");
    if (::setsockopt(m_fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) != 0)
        return fail("time stamps");
    m_running = true;
    m_thread = std::thread([this] { run(); });
    return true;
}

void WireCapture::stop()
{
    if (m_thread.joinable()) {
        m_running = false;
        m_thread.join();
    }
    if (m_fd >= 0) {
        tpacket_stats stats {};
        socklen_t size = sizeof stats;
        if (::getsockopt(m_fd, SOL_PACKET, PACKET_STATISTICS, &stats, &size) == 0)
            m_drops += stats.tp_drops;
        ::close(m_fd);
        m_fd = -1;
    }
}

QList<WireCapture::Segment> WireCapture::segments() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_segments;
}

QList<QByteArray> WireCapture::linesToRecorder() const
{
    QList<QByteArray> lines;
    for (const Segment& segment : segments()) {
        if (segment.toRecorder)
            lines += segment.payload.split('\n').mid(0, segment.payload.count('\n'));
    }
    return lines;
}

QString WireCapture::firstFlooding(int maxWrites, qint64 pauseNs, const QList<QByteArray>& writes) const
{
    const QList<Segment> all = segments();
    QByteArray expected;
    QList<qint64> ends; // where each write ends in the connection's bytes
    for (const QByteArray& w : writes)
        ends << (expected += w).size();
    QMap<quint16, QByteArray> sent;
    for (const Segment& segment : all) {
        if (segment.toRecorder)
            sent[segment.peerPort] += segment.payload;
    }
    const quint16 port = sent.key(expected, 0);
    if (!port)
        return QStringLiteral("no connection carried exactly the %1 writes").arg(writes.size());
    int run = 0, next = 0;
    qint64 lastSent = 0, arrived = 0;
    for (const Segment& segment : all) {
        if (segment.peerPort != port)
            continue;
        if (!segment.toRecorder) {
            run = 0;
            continue;
        }
        if (lastSent && segment.ns - lastSent >= pauseNs)
            run = 0;
        lastSent = segment.ns;
        arrived += segment.payload.size();
        for (; next < ends.size() && ends.at(next) <= arrived; ++next) {
            if (++run > maxWrites)
                return QStringLiteral("%1 is write %2 without a pause or an answer")
                    .arg(QString::fromLatin1(writes.at(next).trimmed()))
                    .arg(run);
        }
    }
    return QString();
}

void WireCapture::run()
{
    unsigned char frame[65536];
    char control[256];
    // Once told to stop, what the kernel still holds is read before leaving.
    for (;;) {
        const bool stopping = !m_running;
        pollfd ready { m_fd, POLLIN, 0 };
        if (::poll(&ready, 1, stopping ? 0 : 20) <= 0) {
            if (stopping)
                break;
            continue;
        }
        sockaddr_ll from {};
        iovec part { frame, sizeof frame };
        msghdr message {};
        message.msg_name = &from;
        message.msg_namelen = sizeof from;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t size = ::recvmsg(m_fd, &message, 0);
        // Loopback shows each packet twice, leaving and arriving: the arrival counts.
        if (size < 14 + 20 + 20 || from.sll_pkttype == PACKET_OUTGOING)
            continue;
        qint64 ns = 0;
        for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
                timespec stamp;
                std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
                ns = qint64(stamp.tv_sec) * 1000000000LL + stamp.tv_nsec;
            }
        }
        const unsigned char* ip = frame + 14;
        if ((ip[0] >> 4) != 4 || ip[9] != IPPROTO_TCP)
            continue;
        const int ipLength = (ip[2] << 8) | ip[3];
        const int ipHeader = (ip[0] & 15) * 4;
        const unsigned char* tcp = ip + ipHeader;
        if (14 + ipLength > size || ipHeader + 20 > ipLength)
            continue;
        const int tcpHeader = (tcp[12] >> 4) * 4;
        const int sourcePort = (tcp[0] << 8) | tcp[1];
        const int targetPort = (tcp[2] << 8) | tcp[3];
        const int payload = ipLength - ipHeader - tcpHeader;
        if (payload <= 0 || (sourcePort != 23 && targetPort != 23))
            continue;
        // A segment sent again (the peer's acknowledgement was late) brings
        // nothing new: only bytes past the flow's furthest yet count.
        const quint32 sequence = (quint32(tcp[4]) << 24) | (quint32(tcp[5]) << 16) | (quint32(tcp[6]) << 8) | tcp[7];
        const quint64 flow = (quint64(sourcePort) << 16) | quint64(targetPort);
        const auto seen = m_sent.find(flow);
        int repeated = 0;
        if (seen != m_sent.end()) {
            const qint32 ahead = qint32(seen->second - sequence);
            repeated = qBound(0, int(ahead), payload);
        }
        if (repeated >= payload)
            continue;
        m_sent[flow] = sequence + quint32(payload);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_segments.append({ ns, targetPort == 23, quint16(targetPort == 23 ? sourcePort : targetPort),
                            QByteArray(reinterpret_cast<const char*>(tcp + tcpHeader + repeated), payload - repeated) });
    }
}
