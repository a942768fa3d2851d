// Discovery over the real broadcast path of the private network: the probe,
// recorders that move and passwords that persist. (Listing and ageing are
// shown end to end, answers are read without a network.)
#include <QtTest>
#include <QUdpSocket>

#include "datasettings.h"
#include "netenv.h"
#include "recorderstate.h"
#include "simunits.h"
#include "udpmachinelist.h"
#include "udppowercontrol.h"

namespace {
const QString macA = QStringLiteral("00:1B:47:00:00:0A");
const QString macB = QStringLiteral("00:1B:47:00:00:0B");
const QString macC = QStringLiteral("00:1B:47:00:00:0C");
} // namespace

class tst_Discovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init() { QFile::remove(DataSettings::fileName()); }
    void probeFollowsTheLoginScreen();
    void movedRecorderKeepsPasswordsAndPlace();
    void passwordsSurviveRestart();
};

void tst_Discovery::probeFollowsTheLoginScreen()
{
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress(QHostAddress::AnyIPv4), UdpPowerControl::discoveryPort,
                          QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    auto nextProbe = [&listener](quint16* fromPort) {
        if (!listener.waitForReadyRead(2000))
            return QByteArray();
        QByteArray datagram(int(listener.pendingDatagramSize()), '\0');
        listener.readDatagram(datagram.data(), datagram.size(), nullptr, fromPort);
        return datagram;
    };
    auto drain = [&listener] {
        while (listener.hasPendingDatagrams())
            listener.readDatagram(nullptr, 0);
    };

    PublishedRows published;
    UdpPowerControl udpc;
    QTest::qWait(200);
    QVERIFY2(!listener.hasPendingDatagrams(), "discovery must wait for the application to become active");

    udpc.appStateChanged(true);
    quint16 port = 0;
    QByteArray probe = nextProbe(&port);
    const QByteArray hex = QByteArray::number(port, 16);
    QCOMPARE(probe, QByteArray("\0\0\0", 3) + char(11 + hex.size()) + "KZ470PING\n" + hex + '\n');

    // Going inactive leaves discovery running; hiding the login screen stops it.
    udpc.appStateChanged(false);
    QVERIFY(udpc.isDiscoveryRunning());
    udpc.appStateChanged(true);
    udpc.visibleStateChanged(false);
    QVERIFY(!udpc.isDiscoveryRunning());

    // Showing it again starts afresh: a new probe at once, showRefresh false
    // until the first list cycle.
    udpc.setShowRefresh(true);
    drain();
    udpc.visibleStateChanged(true);
    QVERIFY(!nextProbe(&port).isEmpty());
    QCOMPARE(udpc.showRefresh(), false);
}

void tst_Discovery::movedRecorderKeepsPasswordsAndPlace()
{
    SimUnit first(0, QStringLiteral("First"), macA);
    auto moving = std::make_unique<SimUnit>(1, QStringLiteral("Mover"), macB);
    QVERIFY(first.start());
    QVERIFY(moving->start());

    PublishedRows published;
    UdpPowerControl udpc;
    DataSettings settings;
    udpc.setDataSettings(&settings);
    udpc.appStateChanged(true);
    QTRY_VERIFY(published.find(udpc, macA) && published.find(udpc, macB));
    UdpMachineList* row = published.find(udpc, macB);
    const int place = published.rows().indexOf(row);
    udpc.saveIPPass(macB, QStringLiteral("ip-secret"));
    udpc.saveAdminPass(macB, QStringLiteral("admin-secret"));

    // The recorder comes back on another address, under a new nickname.
    moving.reset();
    SimUnit moved(4, QStringLiteral("Moved"), macB);
    QVERIFY(moved.start());
    udpc.visibleStateChanged(false);
    udpc.visibleStateChanged(true);
    QTRY_COMPARE(row->ipaddr(), netenv::recorderAddress(4));

    QCOMPARE(published.find(udpc, macB), row);
    QCOMPARE(published.rows().size(), 2);
    QCOMPARE(published.rows().indexOf(row), place);
    QCOMPARE(row->nickname(), QStringLiteral("Moved"));
    QCOMPARE(row->ippass(), QStringLiteral("ip-secret"));
    QCOMPARE(row->adminpass(), QStringLiteral("admin-secret"));

    // The login goes to the new address with the stored password.
    QSignalSpy login(&udpc, &UdpPowerControl::loginRequest);
    udpc.checkAndLogin(macB);
    QVERIFY(login.wait(2000));
    QCOMPARE(login.at(0), (QVariantList { netenv::recorderAddress(4), QStringLiteral("ip-secret") }));
}

void tst_Discovery::passwordsSurviveRestart()
{
    SimUnit unit(0, QStringLiteral("Stage"), macA);
    QVERIFY(unit.start());
    PublishedRows published;
    DataSettings settings;
    const QString ipPassword = QStringLiteral("ip pässword");
    {
        UdpPowerControl udpc;
        udpc.setDataSettings(&settings);
        udpc.appStateChanged(true);
        QTRY_VERIFY(published.find(udpc, macA));
        udpc.saveIPPass(macA, ipPassword);
        udpc.saveAdminPass(macA, QStringLiteral("admin"));
        udpc.saveAppPass(QStringLiteral("app"));
        udpc.saveIPPass(QStringLiteral("00:00:00:00:00:00"), QStringLiteral("for no one"));
    }
    UdpPowerControl udpc;
    udpc.setDataSettings(&settings);
    QCOMPARE(udpc.appPassword(), QStringLiteral("app"));
    udpc.appStateChanged(true);
    QTRY_VERIFY(published.find(udpc, macA));
    UdpMachineList* row = published.find(udpc, macA);
    QCOMPARE(row->ippass(), ipPassword);
    QCOMPARE(row->adminpass(), QStringLiteral("admin"));
    QCOMPARE(udpc.loadIPPass(QStringLiteral("00:00:00:00:00:00")), QString());

    udpc.saveAppPass(QString());
    QCOMPARE(udpc.loadAppPass(), QString());
}

QTEST_MAIN(tst_Discovery)
#include "tst_discovery.moc"
