#include "udppowercontrol.h"

#include "globals.h"
#include "udpmachinelist.h"

#include <QVariant>

UdpPowerControl::UdpPowerControl(QObject* parent)
    : QObject(parent)
{
    publishContextProperty(QStringLiteral("loginModel"), QVariant::fromValue(QList<QObject*>()));
}

UdpPowerControl::~UdpPowerControl() = default;

void UdpPowerControl::setShowRefresh(bool v)
{
    if (m_showRefresh == v)
        return;
    m_showRefresh = v;
    emit showRefreshChanged();
}

void UdpPowerControl::setLoginedNickname(const QString& v)
{
    if (m_loginedNickname == v)
        return;
    m_loginedNickname = v;
    emit loginedNicknameChanged();
}

void UdpPowerControl::setAppPassword(const QString& v)
{
    if (m_appPassword == v)
        return;
    m_appPassword = v;
    emit appPasswordChanged();
}

void UdpPowerControl::setTelnetPhase(int v)
{
    if (m_telnetPhase == v)
        return;
    m_telnetPhase = v;
    emit telnetPhaseChanged();
}

void UdpPowerControl::setTelnetConnecting(int v)
{
    if (m_telnetConnecting == v)
        return;
    m_telnetConnecting = v;
    emit telnetConnectingChanged();
}

void UdpPowerControl::appStateChanged(bool active)
{
    appActive = active;
}

void UdpPowerControl::visibleStateChanged(bool visible)
{
    loginVisible = visible;
}
