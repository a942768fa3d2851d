#include "signalorder.h"

#include "communication.h"

SignalOrder::SignalOrder(Communication& comm)
{
    connect(&comm, &Communication::loginStateChanged, this, [this](int v) { add("loginState", QString::number(v)); });
    connect(&comm, &Communication::loginCompChanged, this,
            [this](bool v) { add("loginComp", v ? QStringLiteral("true") : QStringLiteral("false")); });
    connect(&comm, &Communication::statusIconChanged, this, [this](int v) { add("statusIcon", QString::number(v)); });
    connect(&comm, &Communication::currentMediaChanged, this,
            [this](const QString& v) { add("currentMedia", QLatin1Char('"') + v + QLatin1Char('"')); });
    connect(&comm, &Communication::popupReceived, this, [this](int v) { add("popup", QString::number(v)); });
}

void SignalOrder::add(const char* name, const QString& value)
{
    entries << QLatin1String(name) + QLatin1Char(' ') + value;
}
