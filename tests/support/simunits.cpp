#include "simunits.h"

#include "globals.h"
#include "netenv.h"
#include "udpmachinelist.h"
#include "udppowercontrol.h"

#include <QQmlContext>
#include <QtDebug>

SimUnit::SimUnit(int n, const QString& nickname, const QString& mac)
    : recorder(QHostAddress(netenv::recorderAddress(n)))
    , services(&recorder)
{
    services.discovery.nickname = nickname;
    services.discovery.macAddress = mac;
}

bool SimUnit::start()
{
    QString error;
    if (services.start(&error))
        return true;
    qWarning() << "simulated recorder" << recorder.address() << "cannot start:" << error;
    return false;
}

PublishedRows::PublishedRows()
{
    g_rootContext = engine.rootContext();
}

PublishedRows::~PublishedRows()
{
    g_rootContext = nullptr;
}

QList<UdpMachineList*> PublishedRows::rows() const
{
    QList<UdpMachineList*> list;
    const auto objects = engine.rootContext()->contextProperty(QStringLiteral("loginModel")).value<QList<QObject*>>();
    for (QObject* o : objects)
        list << qobject_cast<UdpMachineList*>(o);
    return list;
}

UdpMachineList* PublishedRows::find(UdpPowerControl& udpc, const QString& mac)
{
    udpc.refreshList();
    const auto list = rows();
    for (UdpMachineList* m : list) {
        if (m && m->macaddr() == mac)
            return m;
    }
    return nullptr;
}
