// The home screen's road: the application's objects and main window logged in
// to a simulated recorder that plays, changes track, pitch and key, reports
// levels and marks, records and switches to its CD drive. The display follows
// every report as the recorder's own front panel would; then the information
// panel is dragged into view and Logout ends the session.
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "simlink.h"
#include "windowrig.h"

namespace {
const QString longTitle = QStringLiteral("Größe & Würde – Ελληνικά – Русский, live from the main hall");
}

class TstHomeE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // No warning all along, teardown included.
    void cleanupTestCase() { rig.stop(); QCOMPARE(windowrig::takeWarnings(), QStringList()); }
    void playingDisplayMoves();
    void trackPitchAndKeyFollowTheRecorder();
    void metersAndMarkArrow();
    void recordingShowsRecordSet();
    void cdMediumHidesTimerAndAutoMark();
    void informationPanelAndLogout();

private:
    QQuickItem* item(const char* name) const { return rig.item(name); }
    QString text(const char* name) const { return item(name)->property("text").toString(); }
    QString statusImage() const { return item("statusIcon")->property("source").toString(); }
    int elapsedSeconds() const
    {
        return item("elapsedTime")->property("minText").toInt() * 60 + item("elapsedTime")->property("secText").toInt();
    }
    QList<QQuickItem*> arrows() const { return windowrig::visualItems(item("timeBar"), QStringLiteral("markArrow")); }
    bool shown(const char* imageStem) const;
    qreal unit() const { return rig.window->property("ptSize").toReal(); }
    void shoot(const QString& name) { QVERIFY(rig.shoot(name)); }

    AppRig rig;
};

void TstHomeE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder& recorder, sim::RecorderState& state) {
        recorder.model = 1; // with a CD drive
        state.medium(QStringLiteral("SD1")).tracks[1].title = longTitle;
        state.panel.autoCue = state.panel.timerEvent = state.panel.phantom = true;
        state.panel.repeat = 3;
    }));
}

// Whether a visible image of the display shows the picture of that stem.
bool TstHomeE2e::shown(const char* imageStem) const
{
    const auto images = item("homeMain")->findChildren<QQuickItem*>();
    return std::any_of(images.begin(), images.end(), [imageStem](QQuickItem* image) {
        return image->isVisible() && image->property("source").toString().endsWith(imageStem + QStringLiteral("_3.png"));
    });
}

void TstHomeE2e::playingDisplayMoves()
{
    rig.state->pressPlay();
    TRY_VERIFY(statusImage().endsWith("Transport_PLAY_3.png"));
    QCOMPARE(text("trackCounter"), QStringLiteral("TRACK 001/003"));
    QCOMPARE(text("title"), QStringLiteral("Opening"));
    for (const char* stem : { "display_AUTOCUE", "display_A-Brepeat", "display_48V", "display_timer_black" })
        QVERIFY2(shown(stem), stem);
    const int start = elapsedSeconds();
    const qreal filled = item("elapsedFill")->width();
    QTRY_VERIFY_WITH_TIMEOUT(elapsedSeconds() >= start + 2, simlink::waitMs);
    QVERIFY(item("elapsedFill")->width() > filled);
}

void TstHomeE2e::trackPitchAndKeyFollowTheRecorder()
{
    QCOMPARE(text("keyValue"), QStringLiteral("OFF"));
    rig.state->seek(2, 0);
    rig.state->panel.pitchOn = rig.state->panel.keyOn = true;
    rig.state->panel.pitchTenths = -15;
    rig.state->panel.key = 3;
    rig.state->announce();
    TRY_COMPARE(text("trackCounter"), QStringLiteral("TRACK 002/003"));
    TRY_COMPARE(text("title"), longTitle);
    QVERIFY(item("title")->property("tempX").toReal() < 0); // wider than the line: it will scroll
    TRY_COMPARE(text("pitchValue"), QStringLiteral("-1.5"));
    TRY_COMPARE(text("keyValue"), QStringLiteral("\u266F3"));
}

void TstHomeE2e::metersAndMarkArrow()
{
    // The recorder counts from 1: 30 is step 29 of 58.
    rig.state->setLevels(30, 20, 41, 0, false, true);
    const qreal step = unit() * 333 / 58;
    QQuickItem* meter = item("levelMeter");
    TRY_COMPARE(meter->findChild<QQuickItem*>("levelL")->width(), 29 * step);
    QCOMPARE(meter->findChild<QQuickItem*>("peakL")->x(), unit() * 14 + 39 * step);
    QVERIFY(!meter->findChild<QQuickItem*>("peakR")->isVisible());
    QVERIFY(meter->findChild<QQuickItem*>("overR")->isVisible());

    rig.recorder->clearLog();
    rig.state->addMark(3000);
    TRY_COMPARE(arrows().size(), 1);
    const QStringList lines = rig.recorder->receivedLines(rig.connection);
    QVERIFY2(simlink::containsRun(lines, { "07F035D", "07F6A63" }) && lines.contains("07F03580100"),
             qPrintable(lines.join(' ')));
    TRY_COMPARE(arrows().first()->x(), unit() * 270 * 3000 / rig.graph->comm.getTrackTotalTimeFlame() - unit() * 6);
    rig.state->setLevels(41, 37, 50, 45, false, false);
    QTRY_VERIFY_WITH_TIMEOUT(elapsedSeconds() >= 2, simlink::waitMs);
    shoot(QStringLiteral("e2e_home_playing.png"));
}

void TstHomeE2e::recordingShowsRecordSet()
{
    rig.state->panel.agc = rig.state->panel.autoTrack = rig.state->panel.autoMark = true;
    rig.state->panel.syncRec = rig.state->panel.lowCut = true;
    rig.state->panel.dynamics = 2;
    rig.state->panel.recordFormat = 8 + 2; // Wav16+Mp3 at 48 kHz
    rig.state->pressRecord(); // record pause
    TRY_VERIFY(statusImage().endsWith("Transport_RECPAUSE_3.png"));
    rig.state->pressRecord();
    TRY_VERIFY(statusImage().endsWith("Transport_REC_3.png"));
    TRY_VERIFY(arrows().isEmpty()); // a recording has no marks yet
    TRY_COMPARE(text("trackCounter"), QStringLiteral("TRACK 004/004"));
    TRY_COMPARE(text("title"), QStringLiteral("REC004"));
    for (const char* stem : { "display_CNP-SOFT", "display-REC_AGC", "display-REC_AUTO-TRACK", "display-REC_AUTO-MARK",
                              "display-REC_SYNC-REC", "display-REC_LOW-CUT", "display_48V", "display_timer_black" })
        QVERIFY2(shown(stem), stem);
    QVERIFY(!shown("display_AUTOCUE") && !item("pitchValue")->isVisible());
    QCOMPARE(item("phantomDisp")->y(), unit() * 64); // third row, right edge
    QCOMPARE(item("recFormat")->childItems().first()->property("text").toString(), QStringLiteral("Wav16+Mp3"));
    QCOMPARE(item("recFs")->childItems().first()->property("text").toString(), QStringLiteral("48 kHz"));
    QTRY_VERIFY_WITH_TIMEOUT(elapsedSeconds() >= 1, simlink::waitMs); // the time the recorder pushes
    shoot(QStringLiteral("e2e_home_recording.png"));

    rig.state->panel.monoMix = true;
    rig.state->announce();
    TRY_VERIFY(item("levelMeterMono")->isVisible());
    QVERIFY(!item("levelMeter")->isVisible());
}

void TstHomeE2e::cdMediumHidesTimerAndAutoMark()
{
    rig.state->selectMedium(QStringLiteral("CD"));
    TRY_VERIFY(statusImage().endsWith("Transport_STOP_3.png"));
    TRY_COMPARE(text("trackCounter"), QStringLiteral("TRACK 001/005"));
    TRY_VERIFY(rig.graph->comm.getTimerEvent() && !shown("display_timer_black"));
    // Finalizing: the busy text takes the symbol's place.
    rig.state->setBusy(1);
    TRY_COMPARE(text("statusDetail"), QStringLiteral("Finalizing"));
    QVERIFY(item("statusDetail")->isVisible() && statusImage().isEmpty());
    shoot(QStringLiteral("e2e_home_cd.png"));
}

void TstHomeE2e::informationPanelAndLogout()
{
    rig.state->panel.input = 2;
    rig.state->panel.digitalInLocked = false;
    rig.state->announce();
    TRY_VERIFY(item("infoUnlocked")->isVisible());
    QVERIFY(item("infoInput")->property("source").toString().endsWith("info_D-COAXIAL_3.png"));

    // Drag the display up, as a finger would, until the panel shows.
    QQuickItem* flick = item("mainFlick");
    QPoint at = flick->mapToScene(QPointF(flick->width() / 2, flick->height() * 0.8)).toPoint();
    QTest::mousePress(rig.window, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 30; ++i) {
        at.ry() -= int(unit() * 14);
        QTest::mouseMove(rig.window, at, 15);
    }
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, at, 15);
    TRY_COMPARE(flick->property("contentY").toReal(), unit() * 309);
    QCOMPARE(text("infoIpValue"), netenv::recorderAddress(0));
    shoot(QStringLiteral("e2e_home_information.png"));

    QVERIFY(rig.click(item("logoutButton")));
    TRY_VERIFY(item("loginscreenbase")->isVisible());
    TRY_VERIFY(!rig.recorder->connection(rig.connection));
}

QTEST_MAIN(TstHomeE2e)

#include "tst_home_e2e.moc"
