#include "globals.h"

#include <QQmlContext>
#include <QString>
#include <QVariant>

QQmlContext* g_rootContext = nullptr;

void publishContextProperty(const QString& name, const QVariant& value)
{
    if (g_rootContext)
        g_rootContext->setContextProperty(name, value);
}
