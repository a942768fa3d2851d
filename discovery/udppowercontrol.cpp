#include "udppowercontrol.h"

#include "datasettings.h"
#include "globals.h"
#include "linesafe.h"
#include "udpmachinelist.h"

#include <QDataStream>
#include <QHostAddress>
#include <QMutexLocker>
#include <QNetworkInterface>
#include <QTimerEvent>
#include <QUdpSocket>
#include <QVariant>
#include <memory>

// Settings groups of the stored passwords; the app password uses its group as key.
static const QString ipPassGroup = QStringLiteral("IPPass");
static const QString adminPassGroup = QStringLiteral("AdminPass");
static const QString appPassGroup = QStringLiteral("AppPass");

namespace {

// Entries beyond this are not listed: answers with ever new MAC addresses
// must not make the list grow without end.
constexpr int maxMachines = 512;

const QString loginModelName = QStringLiteral("loginModel");

UdpMachineList* row(const QList<QObject*>& list, int i)
{
    return static_cast<UdpMachineList*>(list.at(i));
}

} // namespace

UdpPowerControl::UdpPowerControl(QObject* parent)
    : QObject(parent)
{
    emit telnetConnectingChanged();
    connectTelnetSignals();
    changeAppPassword(loadAppPass());

    powerReplyTimer.setSingleShot(true);
    connect(&powerReplyTimer, &QTimer::timeout, this, [this] { failAction(QStringLiteral("ERROR: login failed ")); });

    // The login screen binds to the list before the first discovery cycle.
    publishContextProperty(loginModelName, QVariant::fromValue(QList<QObject*>()));
    visibleStateChanged(true);
}

// The rows are left alive: the object goes only when the program ends, and
// whatever still holds the published list may read them until then.
UdpPowerControl::~UdpPowerControl()
{
    setDiscoveryRunning(false);
}

void UdpPowerControl::setDataSettings(DataSettings* settings)
{
    dataSettings = settings;
}

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

void UdpPowerControl::changeAppPassword(const QString& v)
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

// ---------------------------------------------------------------------------
// Discovery

void UdpPowerControl::appStateChanged(bool arg)
{
    {
        QMutexLocker lock(&discoveryMutex);
        if (arg == appActive)
            return;
        appActive = arg;
        if (!appActive || !loginVisible)
            return;
    }
    // Started outside the lock: what the start emits may call back here.
    setDiscoveryRunning(true);
}

void UdpPowerControl::visibleStateChanged(bool arg)
{
    {
        QMutexLocker lock(&discoveryMutex);
        if (arg == loginVisible)
            return;
        loginVisible = arg;
        if (loginVisible && !appActive)
            return;
    }
    setDiscoveryRunning(loginVisible);
}

void UdpPowerControl::setDiscoveryRunning(bool run)
{
    if (!run) {
        if (!udpSocket)
            return;
        killTimer(timerId);
        timerId = 0;
        udpSocket->close();
        udpSocket->deleteLater();
        udpSocket = nullptr;
        return;
    }
    if (udpSocket)
        return;

    udpSocket = new QUdpSocket(this);
    udpSocket->bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    connect(udpSocket, &QUdpSocket::readyRead, this, &UdpPowerControl::processPendingDatagram);
    {
        QMutexLocker lock(&probeMutex);
        // The probe names the port the answers are to come back to.
        const QByteArray payload = "KZ470PING\n" + QByteArray::number(udpSocket->localPort(), 16) + '\n';
        probeDatagram.clear();
        QDataStream stream(&probeDatagram, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_4_0);
        stream << payload;

        broadcastEntries.clear();
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface& itf : interfaces) {
            const auto entries = itf.addressEntries();
            for (const QNetworkAddressEntry& entry : entries) {
                const QStringList parts = entry.broadcast().toString().split(QLatin1Char('.'));
                if (parts.size() == 4 && parts.at(0) != QLatin1String("127"))
                    broadcastEntries.append(entry);
            }
        }
    }
    setShowRefresh(false);
    listPublished = false;
    timerId = startTimer(tickMs, Qt::CoarseTimer);
    sendProbe();
}

void UdpPowerControl::sendProbe()
{
    QMutexLocker lock(&probeMutex);
    tickCount = 0;
    if (!udpSocket)
        return;
    for (const QNetworkAddressEntry& entry : qAsConst(broadcastEntries))
        udpSocket->writeDatagram(probeDatagram, entry.broadcast(), discoveryPort);
}

void UdpPowerControl::timerEvent(QTimerEvent* event)
{
    if (timerId == 0 || event->timerId() != timerId)
        return;
    ++waitTicks;
    ++tickCount;
    if (tickCount % 3 == 0) {
        if (!listPublished) {
            listPublished = true;
            publishList();
            emit initCompleted();
            setShowRefresh(true);
        }
        for (int i = 0; i < machineList.size(); ++i) {
            UdpMachineList* m = row(machineList, i);
            if (++m->m_count == 3)
                emit changeToUnknownPowerState(i);
        }
        sendProbe();
    }
    if (m_telnetPhase == WaitingForAnswer) {
        if (waitTicks == 3)
            failAction(QStringLiteral("ERROR: connecting... "));
        else
            sendProbe();
    }
    ++m_telnetConnecting;
    emit telnetConnectingChanged();
}

void UdpPowerControl::refreshList()
{
    publishList();
}

void UdpPowerControl::publishList()
{
    publishContextProperty(loginModelName, QVariant::fromValue(machineList));
}

void UdpPowerControl::processPendingDatagram()
{
    while (udpSocket && udpSocket->hasPendingDatagrams()) {
        QByteArray datagram(int(qMax<qint64>(udpSocket->pendingDatagramSize(), 0)), '\0');
        QHostAddress sender;
        const qint64 size = udpSocket->readDatagram(datagram.data(), datagram.size(), &sender);
        if (size < 0)
            return;
        datagram.truncate(int(size));
        addOrUpdateMachine(datagram, sender);
    }
}

void UdpPowerControl::addOrUpdateMachine(const QByteArray& datagram, const QHostAddress& sender)
{
    std::unique_ptr<UdpMachineList> fresh(new UdpMachineList(datagram, sender));
    if (fresh->m_count == -1)
        return;

    int index = -1;
    for (int i = 0; i < machineList.size(); ++i) {
        if (row(machineList, i)->m_macaddr == fresh->m_macaddr) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        if (machineList.size() >= maxMachines)
            return;
        fresh->m_ippass = loadIPPass(fresh->m_macaddr);
        fresh->m_adminpass = loadAdminPass(fresh->m_macaddr);
        machineList.append(fresh.release());
        return;
    }

    // The recorder keeps its place and its passwords; everything it reports
    // (its address too) is taken from the new answer. The row shows the
    // change at once: a recorder that was shown as unknown is back by itself.
    UdpMachineList* entry = row(machineList, index);
    entry->setModelname(fresh->m_modelname);
    entry->setNickname(fresh->m_nickname);
    entry->setCmedia(fresh->m_cmedia);
    entry->setPowerstate(fresh->m_powerstate);
    entry->transportStatus = fresh->transportStatus;
    entry->setIpaddr(fresh->m_ipaddr);
    entry->setCmediaicon(fresh->m_cmediaicon);
    entry->setTransporticon(fresh->m_transporticon);
    entry->setCount(0);

    if (m_telnetPhase == WaitingForAnswer && targetMachine && targetMachine->m_macaddr == entry->m_macaddr)
        continueAction(entry, index);
}

// ---------------------------------------------------------------------------
// Password store

QString UdpPowerControl::readSetting(const QString& group, const QString& key)
{
    // The settings keep no state, so a fresh object reads the same file
    // before the shared one is handed over.
    if (dataSettings)
        return dataSettings->getValue(group, key);
    return DataSettings().getValue(group, key);
}

void UdpPowerControl::writeSetting(const QString& group, const QString& key, const QString& value)
{
    if (dataSettings)
        dataSettings->setValue(group, key, value);
    else
        DataSettings().setValue(group, key, value);
}

void UdpPowerControl::saveIPPass(QString arg_macaddr, QString arg_passwd)
{
    UdpMachineList* machine = findMachineByMac(arg_macaddr);
    if (!machine)
        return;
    machine->m_ippass = arg_passwd;
    writeSetting(ipPassGroup, arg_macaddr, arg_passwd);
}

void UdpPowerControl::saveAdminPass(QString arg_macaddr, QString arg_passwd)
{
    UdpMachineList* machine = findMachineByMac(arg_macaddr);
    if (!machine)
        return;
    machine->m_adminpass = arg_passwd;
    writeSetting(adminPassGroup, arg_macaddr, arg_passwd);
}

void UdpPowerControl::saveAppPass(QString arg_passwd)
{
    writeSetting(appPassGroup, appPassGroup, arg_passwd);
}

QString UdpPowerControl::loadIPPass(QString arg_macaddr)
{
    return readSetting(ipPassGroup, arg_macaddr);
}

QString UdpPowerControl::loadAdminPass(QString arg_macaddr)
{
    return readSetting(adminPassGroup, arg_macaddr);
}

QString UdpPowerControl::loadAppPass()
{
    return readSetting(appPassGroup, appPassGroup);
}

UdpMachineList* UdpPowerControl::findMachineByMac(const QString& mac)
{
    for (QObject* o : qAsConst(machineList)) {
        auto* m = static_cast<UdpMachineList*>(o);
        if (m->m_macaddr == mac)
            return m;
    }
    emit popupMessage(QStringLiteral("Error: not found. ") + targetNickname());
    return nullptr;
}

QString UdpPowerControl::targetNickname() const
{
    return targetMachine ? targetMachine->m_nickname : QString();
}

// ---------------------------------------------------------------------------
// Login hand-off and power control

void UdpPowerControl::turnOnMachine(QString arg_macaddr)
{
    startAction(arg_macaddr, TurnOn);
}

void UdpPowerControl::turnOffMachine(QString arg_macaddr)
{
    startAction(arg_macaddr, TurnOff);
}

void UdpPowerControl::restartMachine(QString arg_macaddr)
{
    startAction(arg_macaddr, Restart);
}

void UdpPowerControl::checkAdminPass(QString arg_macaddr)
{
    startAction(arg_macaddr, AdminCheck);
}

void UdpPowerControl::checkAndLogin(QString arg_macaddr)
{
    startAction(arg_macaddr, Login);
}

// Every action first waits for a fresh answer of its recorder, so that it
// uses the recorder's current address and power state.
void UdpPowerControl::startAction(const QString& mac, PendingAction action)
{
    UdpMachineList* machine = findMachineByMac(mac);
    if (!machine)
        return;

    // A new action abandons the previous one: its power channel must not
    // carry this recorder's administrator password or power command.
    powerReplyTimer.stop();
    powerTelnet.close();

    if (action != AdminCheck)
        setTelnetConnecting(0);
    targetMachine = machine;
    if (action == TurnOn || action == TurnOff || action == Restart)
        machine->m_count += 5; // counts as not answering until it answers
    if (action == TurnOn || action == AdminCheck || action == Login)
        powerTelnet.skipModelQuery = true;
    pendingAction = action;
    setTelnetPhase(WaitingForAnswer);
    waitTicks = 0;
    sendProbe();
}

void UdpPowerControl::continueAction(UdpMachineList* machine, int index)
{
    const bool on = machine->m_powerstate == 1;
    switch (pendingAction) {
    case TurnOn:
        if (on)
            endAction();
        else
            connectTelnet(machine);
        break;
    case TurnOff:
        if (on) {
            connectTelnet(machine);
        } else {
            endAction();
            emit changeToUnknownPowerState(index);
        }
        break;
    case Restart:
        if (on) {
            connectTelnet(machine);
        } else {
            endAction();
            emit popupMessage(QStringLiteral("Power OFF  ") + machine->m_nickname);
            emit changeToUnknownPowerState(index);
        }
        break;
    case Login:
        endAction();
        if (on) {
            emit loginRequest(machine->m_ipaddr, machine->m_ippass);
            setTelnetConnecting(100);
        } else {
            emit popupMessage(QStringLiteral("Power OFF") + QChar(0x3000) + QChar(0x3000) + machine->m_nickname);
            emit changeToUnknownPowerState(index);
        }
        break;
    default:
        break;
    }
}

void UdpPowerControl::connectTelnetSignals()
{
    connect(&powerTelnet, &Telnet::connectedToServer, this, &UdpPowerControl::telnetFinishedLogin);
    connect(&powerTelnet, &Telnet::errorConnectedToServer, this, &UdpPowerControl::telnetFailedLogin);
    connect(&powerTelnet, &Telnet::readyRead, this, &UdpPowerControl::telnetRecievedData);
    connect(&powerTelnet, &Telnet::passwordFailed, this, &UdpPowerControl::telnetPasswordFailed);
}

void UdpPowerControl::connectTelnet(UdpMachineList* machine)
{
    enterPowerPhase(PowerConnecting);
    targetMachine = machine;
    powerTelnet.connectToServer(machine->m_ipaddr, machine->m_ippass, false);
}

void UdpPowerControl::enterPowerPhase(Phase phase)
{
    powerReplyTimer.start(powerReplyTimeoutMs);
    setTelnetPhase(phase);
}

void UdpPowerControl::telnetFinishedLogin(int model)
{
    Q_UNUSED(model)
    if (m_telnetPhase != PowerConnecting || !targetMachine)
        return;
    enterPowerPhase(AdminPasswordSent);
    const QByteArray line = "07F1141" + lineSafe(targetMachine->m_adminpass).toLatin1() + "\r\n";
    powerTelnet.sendData(line.constData());
}

void UdpPowerControl::telnetRecievedData(QString str)
{
    const bool accepted = str == QLatin1String("FF11D101");
    const bool refused = str == QLatin1String("FF11D100");
    switch (pendingAction) {
    case TurnOn:
    case TurnOff:
    case Restart:
        if (m_telnetPhase == AdminPasswordSent) {
            if (accepted) {
                enterPowerPhase(PowerCommandSent);
                powerTelnet.sendData(pendingAction == TurnOn ? "07500\r\n"
                                         : pendingAction == TurnOff ? "07511\r\n"
                                                                    : "07580\r\n");
            } else if (refused) {
                failAction(QStringLiteral("ERROR: Admin Password "));
            }
        } else if (m_telnetPhase == PowerCommandSent) {
            if (str == QLatin1String("F2")) {
                failAction(pendingAction == TurnOn ? QStringLiteral("ERROR: can not turn on ")
                               : pendingAction == TurnOff ? QStringLiteral("ERROR: can not turn off ")
                                                          : QStringLiteral("ERROR: can not restart "));
            } else {
                endAction();
            }
        }
        break;
    case AdminCheck:
        if (refused)
            failAction(QStringLiteral("ERROR: Admin Password "));
        else
            endAction();
        break;
    default:
        break;
    }
}

void UdpPowerControl::telnetFailedLogin()
{
    // Only an action that uses the power channel can fail on it.
    if (m_telnetPhase < PowerConnecting)
        return;
    failAction(QStringLiteral("ERROR: login failed "));
}

void UdpPowerControl::telnetPasswordFailed()
{
    if (m_telnetPhase < PowerConnecting)
        return;
    failAction(QStringLiteral("ERROR: wrong IP Password "));
}

void UdpPowerControl::endAction()
{
    // The state is settled before the phase is announced, so that whoever
    // reacts to the announcement may start the next action at once.
    powerReplyTimer.stop();
    pendingAction = NoAction;
    powerTelnet.close();
    setTelnetPhase(Idle);
}

void UdpPowerControl::failAction(const QString& text)
{
    endAction();
    emit popupMessage(text + targetNickname());
}
