// The command channel's flow control as the recorder meets it, through the
// real window: a login, its whole-status request and settings-menu walk,
// and the settings tab's requests, watched on the network. No more than
// eleven lines reach the recorder without its text or a pause of at least
// 1 ms between them (only a lower bound on time is checked).
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
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
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    QTRY_VERIFY_WITH_TIMEOUT(rig.graph->menu.drawingFinished, 10000);
    QVERIFY(rig.showTab(1));
    QTRY_VERIFY(rig.shown("menuArea"));
    QTest::qWait(500); // what the tab asked for has been answered
    rig.stop();
    capture.stop();
    QCOMPARE(capture.drops(), 0u);
    QVERIFY2(capture.linesToRecorder().size() > 100, "the walk was seen");
    QCOMPARE(capture.firstFlooding(11, 1000000), QString());
}

QTEST_MAIN(TstFlowControlE2e)
#include "tst_flowcontrol_e2e.moc"
