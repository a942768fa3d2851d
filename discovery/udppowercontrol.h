#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "telnet.h"

class DataSettings;
class UdpMachineList;

// Discovery of recorders on the network, their stored passwords and remote power control.
class UdpPowerControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showRefresh READ showRefresh WRITE setShowRefresh NOTIFY showRefreshChanged)
    Q_PROPERTY(QString loginedNickname READ loginedNickname WRITE setLoginedNickname NOTIFY loginedNicknameChanged)
    Q_PROPERTY(QString appPassword READ appPassword WRITE setAppPassword NOTIFY appPasswordChanged)
    Q_PROPERTY(int telnetPhase READ telnetPhase WRITE setTelnetPhase NOTIFY telnetPhaseChanged)
    Q_PROPERTY(int telnetConnecting READ telnetConnecting WRITE setTelnetConnecting NOTIFY telnetConnectingChanged)
public:
    explicit UdpPowerControl(QObject* parent = nullptr);
    ~UdpPowerControl() override;

    void setDataSettings(DataSettings* settings) { dataSettings = settings; }

    bool showRefresh() const { return m_showRefresh; }
    void setShowRefresh(bool v);
    QString loginedNickname() const { return m_loginedNickname; }
    void setLoginedNickname(const QString& v);
    QString appPassword() const { return m_appPassword; }
    void setAppPassword(const QString& v);
    int telnetPhase() const { return m_telnetPhase; }
    void setTelnetPhase(int v);
    int telnetConnecting() const { return m_telnetConnecting; }
    void setTelnetConnecting(int v);

    Q_INVOKABLE void appStateChanged(bool active);
    Q_INVOKABLE void visibleStateChanged(bool visible);
    // What the login screen calls; they do nothing in this stand-in.
    Q_INVOKABLE void refreshList() {}
    Q_INVOKABLE void saveIPPass(QString, QString) {}
    Q_INVOKABLE void saveAdminPass(QString, QString) {}
    Q_INVOKABLE void saveAppPass(QString) {}
    Q_INVOKABLE void turnOnMachine(QString) {}
    Q_INVOKABLE void turnOffMachine(QString) {}
    Q_INVOKABLE void restartMachine(QString) {}
    Q_INVOKABLE void checkAndLogin(QString) {}

signals:
    void showRefreshChanged();
    void loginedNicknameChanged();
    void appPasswordChanged();
    void initCompleted();
    void popupMessage(QString arg);
    void changeToUnknownPowerState(int arg_index);
    void loginRequest(QString arg_ipaddr, QString arg_ippass);
    void telnetPhaseChanged();
    void telnetConnectingChanged();

private:
    DataSettings* dataSettings = nullptr;
    Telnet powerTelnet;
    QList<UdpMachineList*> machines;
    bool m_showRefresh = false;
    QString m_loginedNickname;
    QString m_appPassword;
    int m_telnetPhase = 0;
    int m_telnetConnecting = 0;
    bool appActive = false;
    bool loginVisible = false;
};
