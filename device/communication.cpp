#include "communication.h"

#include "telnet.h"

#include <QTimer>

Communication::Communication(QObject* parent)
    : QObject(parent)
{
    m_address = dataSettings.getValue(QStringLiteral("Login"), QStringLiteral("Address"));
    m_password = dataSettings.getValue(QStringLiteral("Login"), QStringLiteral("ps"));
}

void Communication::setLoginState(int state)
{
    m_loginState = state;
    emit loginStateChanged(state);
}

void Communication::setLoginComp(bool comp)
{
    m_loginComp = comp;
    emit loginCompChanged(comp);
}

void Communication::loginRequest(const QString& address, const QString& password)
{
    m_address = address;
    emit addressChanged(address);
    m_password = password;
    emit passwordChanged(password);
    setLoginState(1);
    telnet->connectToServer(address, password, false);
}

void Communication::logoutRequest()
{
    telnet->close();
    setLoginState(0);
    setLoginComp(false);
}

void Communication::finishedLogin(int model)
{
    m_model = model;
    emit modelChanged(model);
    setLoginState(2);
    dataSettings.setValue(QStringLiteral("Login"), QStringLiteral("Address"), m_address);
    dataSettings.setValue(QStringLiteral("Login"), QStringLiteral("ps"), m_password);
    QTimer::singleShot(800, this, [this] {
        if (m_loginState == 2)
            setLoginComp(true);
    });
}

void Communication::failedLogin()
{
    setLoginState(0);
    setLoginComp(false);
}

void Communication::recievedData(QString)
{
}

void Communication::passwordFailed()
{
    telnet->close();
    setLoginState(0);
    emit popupReceived(100);
}

void Communication::startLevelMeter()
{
}

void Communication::stopLevelMeter()
{
}
