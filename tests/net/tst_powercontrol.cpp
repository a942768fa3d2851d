// Remote power control and the login hand-off, end to end against simulated
// recorders on the private network.
#include <QtTest>

#include "datasettings.h"
#include "netenv.h"
#include "recorderstate.h"
#include "simunits.h"
#include "telnet.h"
#include "udpmachinelist.h"
#include "udppowercontrol.h"

#include <memory>

namespace {
const QString stageMac = QStringLiteral("00:1B:47:00:00:01"); // on
const QString foyerMac = QStringLiteral("00:1B:47:00:00:02"); // in standby
const QChar ideographicSpace(0x3000);

enum Fault { NoFault, WrongAdminPassword, RefusedCommand, WrongIpPassword, SilentChannel, NoAnswer };
} // namespace
Q_DECLARE_METATYPE(Fault)

class tst_PowerControl : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup();
    void powerActions_data();
    void powerActions();
    void outcomes_data();
    void outcomes();
    void newActionLeavesThePreviousRecorderAlone();
    void unknownRecorderChangesNothing();

private:
    void runAction(UdpPowerControl::PendingAction action, const QString& mac);

    std::unique_ptr<PublishedRows> published;
    std::unique_ptr<SimUnit> stage;
    std::unique_ptr<SimUnit> foyer;
    std::unique_ptr<UdpPowerControl> udpc;
    DataSettings settings;
    QList<int> phases; // every telnetPhase announced
};

void tst_PowerControl::init()
{
    QFile::remove(DataSettings::fileName());
    published = std::make_unique<PublishedRows>();
    stage = std::make_unique<SimUnit>(0, QStringLiteral("Stage"), stageMac);
    stage->services.power.adminPassword = QStringLiteral("stage-admin");
    foyer = std::make_unique<SimUnit>(1, QStringLiteral("Foyer"), foyerMac);
    foyer->services.power.adminPassword = QStringLiteral("foyer-admin");
    foyer->recorder.powered = false;
    QVERIFY(stage->start());
    QVERIFY(foyer->start());

    udpc = std::make_unique<UdpPowerControl>();
    udpc->setDataSettings(&settings);
    phases.clear();
    connect(udpc.get(), &UdpPowerControl::telnetPhaseChanged, this, [this] { phases << udpc->telnetPhase(); });
    udpc->appStateChanged(true);
    QTRY_VERIFY(published->find(*udpc, stageMac) && published->find(*udpc, foyerMac));
    for (SimUnit* unit : { stage.get(), foyer.get() }) {
        udpc->saveIPPass(unit->services.discovery.macAddress, unit->recorder.password);
        udpc->saveAdminPass(unit->services.discovery.macAddress, unit->services.power.adminPassword);
        unit->recorder.clearLog();
    }
}

void tst_PowerControl::cleanup()
{
    udpc.reset();
    stage.reset();
    foyer.reset();
    published.reset();
}

// Starts the action and waits until it has ended.
void tst_PowerControl::runAction(UdpPowerControl::PendingAction action, const QString& mac)
{
    phases.clear();
    switch (action) {
    case UdpPowerControl::TurnOn:
        udpc->turnOnMachine(mac);
        break;
    case UdpPowerControl::TurnOff:
        udpc->turnOffMachine(mac);
        break;
    case UdpPowerControl::Restart:
        udpc->restartMachine(mac);
        break;
    default:
        udpc->checkAndLogin(mac);
        break;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!phases.isEmpty() && phases.last() == UdpPowerControl::Idle, 5000);
}

// Successful actions, with every line the recorder receives on the power
// channel, and the power state the list shows afterwards.
void tst_PowerControl::powerActions_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("onTheStage");
    QTest::addColumn<QString>("storedAdminPassword");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("powerAfter");

    // Turning on logs in without the model query, turning off with it.
    QTest::newRow("turn on") << int(UdpPowerControl::TurnOn) << false << "foyer-admin"
                             << QStringList { "", "1234", "07F1141foyer-admin", "07500" } << 1;
    QTest::newRow("turn off") << int(UdpPowerControl::TurnOff) << true << "stage-admin"
                              << QStringList { "", "1234", "07F6A64", "07F1141stage-admin", "07511" } << 0;
    QTest::newRow("restart") << int(UdpPowerControl::Restart) << true << "stage-admin"
                             << QStringList { "", "1234", "07F6A64", "07F1141stage-admin", "07580" } << 1;
    // CR, LF and NUL in a stored password must not make lines of their own.
    QTest::newRow("line breaks in the admin password")
        << int(UdpPowerControl::TurnOn) << false << QStringLiteral("foyer-\r\n07500\r\n") + QChar(0) + "admin"
        << QStringList { "", "1234", "07F1141foyer-07500admin", "07500" } << 1;
}

void tst_PowerControl::powerActions()
{
    QFETCH(int, action);
    QFETCH(bool, onTheStage);
    QFETCH(QString, storedAdminPassword);
    QFETCH(QStringList, lines);
    QFETCH(int, powerAfter);
    SimUnit* unit = onTheStage ? stage.get() : foyer.get();
    const QString mac = unit->services.discovery.macAddress;
    unit->services.power.adminPassword = lines.at(lines.size() - 2).mid(7); // what the check line carries
    unit->services.power.restartMs = 300;
    udpc->saveAdminPass(mac, storedAdminPassword);
    QSignalSpy messages(udpc.get(), &UdpPowerControl::popupMessage);
    QSignalSpy restarted(&unit->services.power, &sim::PowerCommands::restarted);

    runAction(UdpPowerControl::PendingAction(action), mac);
    QCOMPARE(phases, (QList<int> { 1, 2, 3, 4, 0 }));
    QCOMPARE(messages.count(), 0);
    QCOMPARE(unit->recorder.receivedLines(), lines);
    if (action == UdpPowerControl::Restart)
        QVERIFY(restarted.wait(2000));
    QCOMPARE(unit->recorder.powered, powerAfter == 1);

    // Shown anew, the login screen probes at once and sees the new state.
    udpc->visibleStateChanged(false);
    udpc->visibleStateChanged(true);
    UdpMachineList* row = published->find(*udpc, mac);
    QTRY_VERIFY(row->count() == 0 && row->powerstate() == powerAfter);
}

// How every action ends, with the message it shows.
void tst_PowerControl::outcomes_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("onTheStage"); // else the recorder in standby
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message"); // "" for none
    QTest::addColumn<bool>("unknownPower");

    QTest::newRow("turn on, wrong admin password") << int(UdpPowerControl::TurnOn) << false << WrongAdminPassword
                                                   << "ERROR: Admin Password Foyer" << false;
    QTest::newRow("turn on refused") << int(UdpPowerControl::TurnOn) << false << RefusedCommand
                                     << "ERROR: can not turn on Foyer" << false;
    QTest::newRow("turn off refused") << int(UdpPowerControl::TurnOff) << true << RefusedCommand
                                      << "ERROR: can not turn off Stage" << false;
    QTest::newRow("restart refused") << int(UdpPowerControl::Restart) << true << RefusedCommand
                                     << "ERROR: can not restart Stage" << false;
    QTest::newRow("wrong IP password") << int(UdpPowerControl::TurnOff) << true << WrongIpPassword
                                       << "ERROR: wrong IP Password Stage" << false;
    QTest::newRow("silent power channel times out") << int(UdpPowerControl::TurnOn) << false << SilentChannel
                                                    << "ERROR: login failed Foyer" << false;
    QTest::newRow("no discovery answer") << int(UdpPowerControl::TurnOn) << false << NoAnswer
                                         << "ERROR: connecting... Foyer" << false;
    QTest::newRow("restart while in standby") << int(UdpPowerControl::Restart) << false << NoFault
                                              << "Power OFF  Foyer" << true;
    QTest::newRow("login while in standby") << int(UdpPowerControl::Login) << false << NoFault
                                            << QStringLiteral("Power OFF") + ideographicSpace + ideographicSpace
            + QStringLiteral("Foyer")
                                            << true;
    QTest::newRow("turn on when on") << int(UdpPowerControl::TurnOn) << true << NoFault << "" << false;
    QTest::newRow("turn off when off") << int(UdpPowerControl::TurnOff) << false << NoFault << "" << true;
}

void tst_PowerControl::outcomes()
{
    QFETCH(int, action);
    QFETCH(bool, onTheStage);
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    QFETCH(bool, unknownPower);
    SimUnit* unit = onTheStage ? stage.get() : foyer.get();
    const QString mac = unit->services.discovery.macAddress;
    switch (fault) {
    case WrongAdminPassword:
        unit->services.power.adminPassword = QStringLiteral("changed");
        break;
    case RefusedCommand:
        unit->services.power.refuseCommands = true;
        break;
    case WrongIpPassword:
        udpc->saveIPPass(mac, QStringLiteral("wrong"));
        break;
    case SilentChannel:
        unit->services.power.silent = true;
        udpc->powerReplyTimeoutMs = 300;
        break;
    case NoAnswer:
        unit->services.discovery.answering = false;
        break;
    case NoFault:
        break;
    }
    const bool wasOn = unit->recorder.powered;
    QSignalSpy messages(udpc.get(), &UdpPowerControl::popupMessage);
    QSignalSpy unknown(udpc.get(), &UdpPowerControl::changeToUnknownPowerState);
    QSignalSpy login(udpc.get(), &UdpPowerControl::loginRequest);

    runAction(UdpPowerControl::PendingAction(action), mac);
    QCOMPARE(messages.count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(messages.at(0).at(0).toString(), message);
    QCOMPARE(unknown.count(), unknownPower ? 1 : 0);
    if (unknownPower)
        QCOMPARE(unknown.at(0).at(0).toInt(), published->rows().indexOf(published->find(*udpc, mac)));
    QCOMPARE(login.count(), 0);
    QCOMPARE(unit->recorder.powered, wasOn);
    // The power channel is closed after every action.
    QTRY_COMPARE(unit->recorder.connections().size(), 0);
}

// A second action while the first still talks to its recorder: the first
// recorder's channel is dropped at once, and it receives neither the second
// one's administrator password nor its command.
void tst_PowerControl::newActionLeavesThePreviousRecorderAlone()
{
    stage->services.power.silent = true;
    udpc->turnOffMachine(stageMac);
    QTRY_COMPARE(stage->services.power.adminPasswordsReceived(), QStringList { "stage-admin" });
    QCOMPARE(udpc->telnetPhase(), int(UdpPowerControl::AdminPasswordSent));

    QSignalSpy messages(udpc.get(), &UdpPowerControl::popupMessage);
    foyer->services.discovery.answering = false; // the new target takes its time
    phases.clear();
    udpc->turnOnMachine(foyerMac);
    QTRY_COMPARE_WITH_TIMEOUT(stage->recorder.connections().size(), 0, 800);
    foyer->services.discovery.answering = true; // answers the probe of the next tick

    QTRY_VERIFY_WITH_TIMEOUT(!phases.isEmpty() && phases.last() == UdpPowerControl::Idle, 3000);
    QCOMPARE(messages.count(), 0);
    QVERIFY(foyer->recorder.powered);
    QCOMPARE(stage->services.power.adminPasswordsReceived(), QStringList { "stage-admin" });
    QVERIFY(!stage->recorder.receivedLines().contains(QStringLiteral("07500")));
    QVERIFY(stage->recorder.powered);
}

void tst_PowerControl::unknownRecorderChangesNothing()
{
    QSignalSpy messages(udpc.get(), &UdpPowerControl::popupMessage);
    QSignalSpy phase(udpc.get(), &UdpPowerControl::telnetPhaseChanged);
    QSignalSpy connecting(udpc.get(), &UdpPowerControl::telnetConnectingChanged);
    const QString stranger = QStringLiteral("00:00:5E:00:53:FF");
    // Before any action there is no last target to name.
    udpc->turnOnMachine(stranger);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.at(0).at(0).toString(), QStringLiteral("Error: not found. "));
    QVERIFY(phase.isEmpty() && connecting.isEmpty());

    runAction(UdpPowerControl::Login, stageMac); // the stage becomes the last target
    for (QSignalSpy* spy : { &messages, &phase, &connecting })
        spy->clear();
    udpc->turnOnMachine(stranger);
    udpc->checkAndLogin(stranger);
    udpc->saveAdminPass(stranger, QStringLiteral("x"));
    QCOMPARE(messages.count(), 3);
    for (const QList<QVariant>& m : qAsConst(messages))
        QCOMPARE(m.at(0).toString(), QStringLiteral("Error: not found. Stage"));
    QCOMPARE(phase.count(), 0);
    QCOMPARE(connecting.count(), 0);
    QCOMPARE(udpc->loadAdminPass(stranger), QString());
}

QTEST_MAIN(tst_PowerControl)
#include "tst_powercontrol.moc"
