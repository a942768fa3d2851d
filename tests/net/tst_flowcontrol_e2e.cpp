// The command channel's flow control as the recorder meets it, through the
// real window: a login, its whole-status request and settings-menu walk,
// and the settings tab's requests, watched on the network. No more than
// eleven writes reach the recorder without its text or a pause of at least
// 1 ms between them (only a lower bound on time is checked), and the
// whole-status request's five writes of several lines go out together.
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "windowrig.h"
#include "wirecapture.h"

class TstFlowControlE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void loginAndSettingsKeepThePace();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }
};

void TstFlowControlE2e::loginAndSettingsKeepThePace()
{
    WireCapture capture;
    QString error;
    QVERIFY2(capture.start(&error), qPrintable(error));
    AppRig rig;
    rig.recorder = simlink::startRecorder(0);
    QVERIFY(rig.recorder);
    QVERIFY(rig.start());
    // Every write of the application's link, and the pauses made before it left.
    QList<QByteArray> writes;
    QList<int> pausesBefore;
    Telnet& telnet = rig.graph->telnet;
    telnet.writeWatcher = [&](const QByteArray& w) {
        writes << w;
        pausesBefore << telnet.pauseCount();
    };
    QVERIFY(rig.logIn(*rig.recorder));
    QTRY_VERIFY_WITH_TIMEOUT(rig.graph->menu.drawingFinished, simlink::waitMs);
    QVERIFY(rig.showTab(1));
    TRY_VERIFY(rig.shown("menuArea"));
    QTest::qWait(500); // what the tab asked for has been answered
    rig.stop();
    capture.stop();
    QCOMPARE(capture.drops(), 0u);
    QVERIFY2(writes.size() > 100, "the walk was seen");
    QCOMPARE(capture.firstFlooding(11, 1000000, writes), QString());

    // The whole-status request, nothing unanswered before it: no pause.
    const int first = writes.indexOf("03F00\r\n050\r\n055\r\n05D\r\n030FF\r\n036FF\r\n03AFF\r\n04E\r\n035FF\r\n07F6A0A\r\n");
    QVERIFY(first > 0 && first + 5 <= writes.size());
    QVERIFY(writes.at(first + 4).startsWith("07F6A63\r\n"));
    QCOMPARE(pausesBefore.at(first + 4), pausesBefore.at(first));
}

QTEST_MAIN(TstFlowControlE2e)
#include "tst_flowcontrol_e2e.moc"
