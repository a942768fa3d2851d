#include "udpmachinelist.h"

#include <QRegularExpression>
#include <QStringList>

// Tested on the lower-cased medium text of an answer; a match at position 0 counts.
static const QRegularExpression cdMediaPattern(QStringLiteral("cd.*"));
static const QRegularExpression sdMediaPattern(QStringLiteral("sd.*"));

namespace {

// Answer fields, LF-separated.
enum Field { ModelField = 1, NicknameField, MacField, MediaField, PowerField, TransportField, FieldCount };

bool matchesAtStart(const QRegularExpression& pattern, const QString& text)
{
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() && match.capturedStart() == 0;
}

int transportIcon(int status)
{
    switch (status) {
    case 0:
        return UdpMachineList::StopIcon;
    case 1:
        return UdpMachineList::PlayIcon;
    case 2:
        return UdpMachineList::PauseIcon;
    case 3:
    case 4:
        return UdpMachineList::RecordIcon;
    case 7:
        return UdpMachineList::NoTransportIcon;
    default:
        return status >= 12 ? UdpMachineList::NoTransportIcon : UdpMachineList::PlayIcon;
    }
}

// The first `length` characters, without splitting a surrogate pair.
QString leftCharacters(const QString& text, int length)
{
    QString cut = text.left(length);
    if (cut.size() < text.size() && !cut.isEmpty() && cut.at(cut.size() - 1).isHighSurrogate())
        cut.chop(1);
    return cut;
}

} // namespace

UdpMachineList::UdpMachineList(const QByteArray& datagram, const QHostAddress& sender)
    : QObject(nullptr)
{
    QByteArray bytes = datagram;
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QStringList fields = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    // The MAC address is the key of the list and of the stored passwords: an
    // answer without one cannot be listed.
    if (fields.size() < FieldCount || fields.at(MacField).isEmpty()) {
        m_count = -1;
        return;
    }

    m_ipaddr = sender.toString();
    m_modelname = fields.at(ModelField);
    m_nickname = leftCharacters(fields.at(NicknameField), maxNickname);
    m_macaddr = fields.at(MacField);
    m_cmedia = fields.at(MediaField);
    m_powerstate = fields.at(PowerField).toInt();
    transportStatus = fields.at(TransportField).toInt();
    m_count = 0;

    // Anything but 1 means the recorder is in standby.
    if (m_powerstate != 1) {
        m_powerstate = 0;
        m_cmedia.clear();
        return;
    }

    m_transporticon = transportIcon(transportStatus);
    const QString medium = m_cmedia.toLower();
    if (medium == QLatin1String("usb")) {
        m_cmediaicon = UsbIcon;
    } else if (matchesAtStart(sdMediaPattern, medium)) {
        m_cmediaicon = SdIcon;
    } else if (matchesAtStart(cdMediaPattern, medium)) {
        m_cmediaicon = CdIcon;
        m_cmedia = m_cmedia.left(2);
    }
}
