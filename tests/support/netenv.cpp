#include "netenv.h"

#include <QNetworkInterface>
#include <QtGlobal>

namespace netenv {

void requirePrivateNetwork()
{
    // Only the namespace's own interfaces may exist: lo and the veth pair.
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& itf : interfaces) {
        const QString name = itf.name();
        if (name != QLatin1String("lo") && name != QLatin1String("kz0") && name != QLatin1String("kz1"))
            qFatal("socket tests run only inside tools/netns-run (found interface %s)", qPrintable(name));
    }
}

} // namespace netenv
