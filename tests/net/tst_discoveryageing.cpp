// A recorder that stops answering ages, list cycle by list cycle, and is
// reported as of unknown power state once, on the third cycle. Takes about
// fourteen seconds: the discovery tick is the real one.
#include <QtTest>

#include "datasettings.h"
#include "netenv.h"
#include "simunits.h"
#include "udpmachinelist.h"
#include "udppowercontrol.h"

class tst_DiscoveryAgeing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void silentRecorderAges();
};

void tst_DiscoveryAgeing::silentRecorderAges()
{
    const QString quietMac = QStringLiteral("00:1B:47:00:00:01");
    const QString liveMac = QStringLiteral("00:1B:47:00:00:02");
    SimUnit quiet(0, QStringLiteral("Quiet"), quietMac);
    SimUnit live(1, QStringLiteral("Live"), liveMac);
    QVERIFY(quiet.start());
    QVERIFY(live.start());

    PublishedRows published;
    UdpPowerControl udpc;
    QSignalSpy unknown(&udpc, &UdpPowerControl::changeToUnknownPowerState);
    udpc.appStateChanged(true);
    QTRY_VERIFY(published.find(udpc, quietMac) && published.find(udpc, liveMac));
    quiet.services.discovery.answering = false;
    UdpMachineList* quietRow = published.find(udpc, quietMac);
    UdpMachineList* liveRow = published.find(udpc, liveMac);
    const int quietIndex = published.rows().indexOf(quietRow);

    // One more per list cycle (every 3.3 s); the signal comes at 3 only.
    const int cycle = 3 * UdpPowerControl::tickMs;
    QList<int> seen;
    for (int expected = 1; expected <= 4; ++expected) {
        QTRY_COMPARE_WITH_TIMEOUT(quietRow->count(), expected, cycle + 500);
        seen << unknown.count();
    }
    QCOMPARE(seen, (QList<int> { 0, 0, 1, 1 }));
    QCOMPARE(unknown.at(0).at(0).toInt(), quietIndex);
    QTRY_COMPARE(liveRow->count(), 0); // aged by the cycle, renewed by its answer
}

QTEST_MAIN(tst_DiscoveryAgeing)
#include "tst_discoveryageing.moc"
