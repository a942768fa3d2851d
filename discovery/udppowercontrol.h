#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QNetworkAddressEntry>
#include <QObject>
#include <QString>
#include <QTimer>

#include "telnet.h"

class DataSettings;
class QHostAddress;
class QTimerEvent;
class QUdpSocket;
class UdpMachineList;

// Finds the recorders on the local network with a UDP broadcast probe and
// lists them for the login screen (`loginModel`), keeps their passwords, hands
// a chosen recorder over to the login and switches recorders on, off or
// restarts them over a command channel of its own.
//
// Discovery runs while the application is active and the login screen
// visible, on a 1111 ms tick: every third tick is a list cycle that ages the
// entries and probes again.
class UdpPowerControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showRefresh READ showRefresh WRITE setShowRefresh NOTIFY showRefreshChanged)
    Q_PROPERTY(QString loginedNickname READ loginedNickname WRITE setLoginedNickname NOTIFY loginedNicknameChanged)
    Q_PROPERTY(QString appPassword READ appPassword WRITE changeAppPassword NOTIFY appPasswordChanged)
    Q_PROPERTY(int telnetPhase READ telnetPhase WRITE setTelnetPhase NOTIFY telnetPhaseChanged)
    Q_PROPERTY(int telnetConnecting READ telnetConnecting WRITE setTelnetConnecting NOTIFY telnetConnectingChanged)
public:
    enum PendingAction { NoAction, AdminCheck, TurnOn, TurnOff, Restart, Login };
    // Phases of a pending action (`telnetPhase`).
    enum Phase { Idle, WaitingForAnswer, PowerConnecting, AdminPasswordSent, PowerCommandSent };

    static constexpr quint16 discoveryPort = 59806;
    static constexpr int tickMs = 1111;

    explicit UdpPowerControl(QObject* parent = nullptr);
    ~UdpPowerControl() override;

    void setDataSettings(DataSettings* settings);

    bool showRefresh() const { return m_showRefresh; }
    void setShowRefresh(bool v);
    QString loginedNickname() const { return m_loginedNickname; }
    void setLoginedNickname(const QString& v);
    QString appPassword() const { return m_appPassword; }
    void changeAppPassword(const QString& v);
    int telnetPhase() const { return m_telnetPhase; }
    void setTelnetPhase(int v);
    int telnetConnecting() const { return m_telnetConnecting; }
    void setTelnetConnecting(int v);

    // Time the recorder has to answer on the power channel in each of the
    // phases connecting, administrator password sent and power command sent.
    int powerReplyTimeoutMs = 10000;
    // Discovery runs exactly while this is true.
    bool isDiscoveryRunning() const { return udpSocket != nullptr; }

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

public slots:
    void telnetFinishedLogin(int model);
    void telnetFailedLogin();
    void telnetRecievedData(QString str);
    void telnetPasswordFailed();

private slots:
    void processPendingDatagram();

public:
    Q_INVOKABLE void refreshList();
    Q_INVOKABLE void visibleStateChanged(bool arg);
    Q_INVOKABLE void saveIPPass(QString arg_macaddr, QString arg_passwd);
    Q_INVOKABLE void saveAdminPass(QString arg_macaddr, QString arg_passwd);
    Q_INVOKABLE void saveAppPass(QString arg_passwd);
    Q_INVOKABLE QString loadIPPass(QString arg_macaddr);
    Q_INVOKABLE QString loadAdminPass(QString arg_macaddr);
    Q_INVOKABLE QString loadAppPass();
    Q_INVOKABLE void turnOnMachine(QString arg_macaddr);
    Q_INVOKABLE void turnOffMachine(QString arg_macaddr);
    Q_INVOKABLE void restartMachine(QString arg_macaddr);
    Q_INVOKABLE void checkAdminPass(QString arg_macaddr);
    Q_INVOKABLE void checkAndLogin(QString arg_macaddr);
    Q_INVOKABLE void appStateChanged(bool arg);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void setDiscoveryRunning(bool run);
    void sendProbe();
    void addOrUpdateMachine(const QByteArray& datagram, const QHostAddress& sender);
    void publishList();
    UdpMachineList* findMachineByMac(const QString& mac);
    void connectTelnetSignals();
    void connectTelnet(UdpMachineList* machine);
    void startAction(const QString& mac, PendingAction action);
    void continueAction(UdpMachineList* machine, int index);
    void endAction();
    void failAction(const QString& text);
    void enterPowerPhase(Phase phase);
    QString targetNickname() const;
    QString readSetting(const QString& group, const QString& key);
    void writeSetting(const QString& group, const QString& key, const QString& value);

    bool m_showRefresh = false;
    QString m_loginedNickname;
    QString m_appPassword;
    QMutex discoveryMutex;
    bool appActive = false;
    bool loginVisible = true;
    QList<QObject*> machineList;
    QList<QNetworkAddressEntry> broadcastEntries;
    int m_telnetPhase = Idle;
    int m_telnetConnecting = 100;
    Telnet powerTelnet;
    int pendingAction = NoAction;
    UdpMachineList* targetMachine = nullptr;
    DataSettings* dataSettings = nullptr;
    QUdpSocket* udpSocket = nullptr;
    QByteArray probeDatagram;
    bool listPublished = false;
    int timerId = 0;
    int tickCount = 0;
    int waitTicks = 0;
    QMutex probeMutex;
    // Ends a power action whose recorder stops answering on the power channel.
    QTimer powerReplyTimer;
};
