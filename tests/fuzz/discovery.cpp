// The discovery answer parser: every input is one answer datagram.
#include "fuzzsupport.h"
#include "udpmachinelist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    const QByteArray datagram(reinterpret_cast<const char*>(data), int(size));
    const UdpMachineList row(datagram, QHostAddress(QStringLiteral("10.47.0.11")));
    if (row.count() == -1)
        return 0; // not to be listed
    FUZZ_CHECK(row.count() == 0);
    FUZZ_CHECK(!row.macaddr().isEmpty());
    FUZZ_CHECK(row.ipaddr() == QLatin1String("10.47.0.11"));
    FUZZ_CHECK(row.nickname().size() <= UdpMachineList::maxNickname);
    // A cut nickname never ends in half a character.
    const QString nickname = row.nickname();
    FUZZ_CHECK(nickname.size() < UdpMachineList::maxNickname || !nickname.at(nickname.size() - 1).isHighSurrogate());
    FUZZ_CHECK(row.powerstate() == 0 || row.powerstate() == 1);
    FUZZ_CHECK(row.powerstate() == 1 || (row.cmedia().isEmpty() && row.cmediaicon() == UdpMachineList::NoMediaIcon));
    FUZZ_CHECK(row.cmediaicon() >= UdpMachineList::NoMediaIcon && row.cmediaicon() <= UdpMachineList::CdIcon);
    FUZZ_CHECK(row.transporticon() >= UdpMachineList::NoTransportIcon
               && row.transporticon() <= UdpMachineList::PauseIcon);
    for (const QString& field : { row.modelname(), row.nickname(), row.macaddr(), row.cmedia() })
        FUZZ_CHECK(!field.contains(QLatin1Char('\n')) && !field.contains(QChar(0)));
    return 0;
}
