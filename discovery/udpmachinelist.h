#pragma once

#include <QObject>
#include <QString>

// One recorder found on the network (a row of the login screen's list).
class UdpMachineList : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString modelname READ modelname WRITE setModelname NOTIFY modelnameChanged)
    Q_PROPERTY(QString nickname READ nickname WRITE setNickname NOTIFY nicknameChanged)
    Q_PROPERTY(QString ipaddr READ ipaddr WRITE setIpaddr NOTIFY ipaddrChanged)
    Q_PROPERTY(QString cmedia READ cmedia WRITE setCmedia NOTIFY cmediaChanged)
    Q_PROPERTY(QString cmediaicon READ cmediaicon WRITE setCmediaicon NOTIFY cmediaiconChanged)
    Q_PROPERTY(QString transporticon READ transporticon WRITE setTransporticon NOTIFY transporticonChanged)
    Q_PROPERTY(int powerstate READ powerstate WRITE setPowerstate NOTIFY powerstateChanged)
    Q_PROPERTY(int count READ count WRITE setCount NOTIFY countChanged)
    Q_PROPERTY(QString ippass READ ippass WRITE setIppass NOTIFY ippassChanged)
    Q_PROPERTY(QString adminpass READ adminpass WRITE setAdminpass NOTIFY adminpassChanged)
    Q_PROPERTY(QString macaddr READ macaddr WRITE setMacaddr NOTIFY macaddrChanged)
public:
    explicit UdpMachineList(QObject* parent = nullptr);

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
    KZ_ROW_FIELD(QString, cmediaicon, setCmediaicon)
    KZ_ROW_FIELD(QString, transporticon, setTransporticon)
    KZ_ROW_FIELD(int, powerstate, setPowerstate)
    KZ_ROW_FIELD(int, count, setCount)
    KZ_ROW_FIELD(QString, ippass, setIppass)
    KZ_ROW_FIELD(QString, adminpass, setAdminpass)
    KZ_ROW_FIELD(QString, macaddr, setMacaddr)
#undef KZ_ROW_FIELD

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
    QString m_modelname;
    QString m_nickname;
    QString m_ipaddr;
    QString m_cmedia;
    QString m_cmediaicon;
    QString m_transporticon;
    int m_powerstate = 0;
    int m_count = 0;
    QString m_ippass;
    QString m_adminpass;
    QString m_macaddr;
};
