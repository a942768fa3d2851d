#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

class UdpPowerControl;

// One recorder found on the network (a row of the login screen's list), made
// from its answer to the discovery probe. UdpPowerControl takes each new
// answer in through the properties, so a listed row follows it at once; the
// ageing of `count` is written directly and shows when the row is marked
// unknown. The login screen writes `count` and `ippass` through the properties.
class UdpMachineList : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString modelname READ modelname WRITE setModelname NOTIFY modelnameChanged)
    Q_PROPERTY(QString nickname READ nickname WRITE setNickname NOTIFY nicknameChanged)
    Q_PROPERTY(QString ipaddr READ ipaddr WRITE setIpaddr NOTIFY ipaddrChanged)
    Q_PROPERTY(QString cmedia READ cmedia WRITE setCmedia NOTIFY cmediaChanged)
    Q_PROPERTY(int cmediaicon READ cmediaicon WRITE setCmediaicon NOTIFY cmediaiconChanged)
    Q_PROPERTY(int transporticon READ transporticon WRITE setTransporticon NOTIFY transporticonChanged)
    Q_PROPERTY(int powerstate READ powerstate WRITE setPowerstate NOTIFY powerstateChanged)
    Q_PROPERTY(int count READ count WRITE setCount NOTIFY countChanged)
    Q_PROPERTY(QString ippass READ ippass WRITE setIppass NOTIFY ippassChanged)
    Q_PROPERTY(QString adminpass READ adminpass WRITE setAdminpass NOTIFY adminpassChanged)
    Q_PROPERTY(QString macaddr READ macaddr WRITE setMacaddr NOTIFY macaddrChanged)
public:
    // Medium icons.
    enum { NoMediaIcon = 0, UsbIcon = 1, SdIcon = 2, CdIcon = 3 };
    // Transport icons.
    enum { NoTransportIcon = 0, StopIcon = 1, PlayIcon = 2, RecordIcon = 3, PauseIcon = 4 };
    // The longest nickname a row keeps.
    static constexpr int maxNickname = 16;

    // Parses one answer to the probe. An answer with fewer than seven fields,
    // or with an empty MAC address, gives a row with `count` -1, which is not
    // to be listed.
    UdpMachineList(const QByteArray& datagram, const QHostAddress& sender);

#define KZ_ROW_FIELD(Type, name, Setter)                                                                               \
    Type name() const { return m_##name; }                                                                             \
    void Setter(const Type& v)                                                                                         \
    {                                                                                                                  \
        if (m_##name == v)                                                                                             \
            return;                                                                                                    \
        m_##name = v;                                                                                                  \
        emit name##Changed();                                                                                          \
    }
    KZ_ROW_FIELD(QString, modelname, setModelname)
    KZ_ROW_FIELD(QString, nickname, setNickname)
    KZ_ROW_FIELD(QString, ipaddr, setIpaddr)
    KZ_ROW_FIELD(QString, cmedia, setCmedia)
    KZ_ROW_FIELD(int, cmediaicon, setCmediaicon)
    KZ_ROW_FIELD(int, transporticon, setTransporticon)
    KZ_ROW_FIELD(int, powerstate, setPowerstate)
    KZ_ROW_FIELD(int, count, setCount)
    KZ_ROW_FIELD(QString, ippass, setIppass)
    KZ_ROW_FIELD(QString, adminpass, setAdminpass)
    KZ_ROW_FIELD(QString, macaddr, setMacaddr)
#undef KZ_ROW_FIELD

    // Transport status number as the answer gave it.
    int transportStatus = 0;

signals:
    void modelnameChanged();
    void nicknameChanged();
    void ipaddrChanged();
    void cmediaChanged();
    void cmediaiconChanged();
    void transporticonChanged();
    void powerstateChanged();
    void countChanged();
    void ippassChanged();
    void adminpassChanged();
    void macaddrChanged();

private:
    friend class UdpPowerControl;

    QString m_modelname;
    QString m_nickname;
    QString m_ipaddr;
    QString m_cmedia;
    int m_cmediaicon = NoMediaIcon;
    int m_transporticon = NoTransportIcon;
    int m_powerstate = 0;
    int m_count = 0;
    QString m_ippass;
    QString m_adminpass;
    QString m_macaddr;
};
