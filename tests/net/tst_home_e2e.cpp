// The home screen's road: the application's objects and main window logged in
// to a simulated recorder that plays, changes track, pitch and key, reports
// levels and marks, records and switches to its CD drive. The display follows
// every report as the recorder's own front panel would; then the information
// panel is dragged into view and Logout ends the session.
#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <memory>

#include "globals.h"
#include "netenv.h"
#include "objectgraph.h"
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
    void cleanupTestCase();
    void playingDisplayMoves();
    void trackPitchAndKeyFollowTheRecorder();
    void metersAndMarkArrow();
    void recordingShowsRecordSet();
    void cdMediumHidesTimerAndAutoMark();
    void informationPanelAndLogout();

private:
    QQuickItem* item(const char* name) const { return window->findChild<QQuickItem*>(QLatin1String(name)); }
    QString text(const char* name) const { return item(name)->property("text").toString(); }
    QString statusImage() const { return item("statusIcon")->property("source").toString(); }
    int elapsedSeconds() const
    {
        return item("elapsedTime")->property("minText").toInt() * 60 + item("elapsedTime")->property("secText").toInt();
    }
    QList<QQuickItem*> arrows() const { return windowrig::visualItems(item("timeBar"), QStringLiteral("markArrow")); }
    bool shown(const char* imageStem) const;
    qreal unit() const { return window->property("ptSize").toReal(); }
    void shoot(const QString& name) { QVERIFY(!windowrig::saveFrame(window, name).isNull()); }

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::RecorderState* state = nullptr;
    int connection = 0;
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
    QQuickWindow* window = nullptr;
};

void TstHomeE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    windowrig::collectWarnings();
    recorder = simlink::startRecorder(0);
    QVERIFY(recorder);
    recorder->model = 1; // with a CD drive
    state = sim::statusModel(*recorder);
    state->medium(QStringLiteral("SD1")).tracks[1].title = longTitle;
    state->panel.autoCue = state->panel.timerEvent = state->panel.phantom = true;
    state->panel.repeat = 3;

    engine = std::make_unique<QQmlApplicationEngine>();
    g_rootContext = engine->rootContext();
    QGuiApplication::setFont(QFont(QStringLiteral("Arial")));
    graph = std::make_unique<ObjectGraph>();
    graph->publish(engine->rootContext(), multiFontFor(QLocale(QLocale::English)));
    engine->load(QUrl(QStringLiteral("qrc:/mainDesktop.qml")));
    window = qobject_cast<QQuickWindow*>(engine->rootObjects().value(0));
    QVERIFY(window && QTest::qWaitForWindowExposed(window));
    connection = simlink::logIn(*graph, *recorder, 8000);
    QVERIFY(connection);
    QTRY_VERIFY(!item("loginscreenbase")->isVisible());
}

// The window goes before the objects its bindings read; no warning all along.
void TstHomeE2e::cleanupTestCase()
{
    engine.reset();
    g_rootContext = nullptr;
    graph.reset();
    recorder.reset();
    QCOMPARE(windowrig::takeWarnings(), QStringList());
    windowrig::stopCollecting();
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
    state->pressPlay();
    QTRY_VERIFY(statusImage().endsWith("Transport_PLAY_3.png"));
    QCOMPARE(text("trackCounter"), QStringLiteral("TRACK 001/003"));
    QCOMPARE(text("title"), QStringLiteral("Opening"));
    for (const char* stem : { "display_AUTOCUE", "display_A-Brepeat", "display_48V", "display_timer_black" })
        QVERIFY2(shown(stem), stem);
    const int start = elapsedSeconds();
    const qreal filled = item("elapsedFill")->width();
    QTRY_VERIFY_WITH_TIMEOUT(elapsedSeconds() >= start + 2, 5000);
    QVERIFY(item("elapsedFill")->width() > filled);
}

void TstHomeE2e::trackPitchAndKeyFollowTheRecorder()
{
    QCOMPARE(text("keyValue"), QStringLiteral("OFF"));
    state->seek(2, 0);
    state->panel.pitchOn = state->panel.keyOn = true;
    state->panel.pitchTenths = -15;
    state->panel.key = 3;
    state->announce();
    QTRY_COMPARE(text("trackCounter"), QStringLiteral("TRACK 002/003"));
    QTRY_COMPARE(text("title"), longTitle);
    QVERIFY(item("title")->property("tempX").toReal() < 0); // wider than the line: it will scroll
    QTRY_COMPARE(text("pitchValue"), QStringLiteral("-1.5"));
    QTRY_COMPARE(text("keyValue"), QStringLiteral("\u266F3"));
}

void TstHomeE2e::metersAndMarkArrow()
{
    // The recorder counts from 1: 30 is step 29 of 58.
    state->setLevels(30, 20, 41, 0, false, true);
    const qreal step = unit() * 333 / 58;
    QQuickItem* meter = item("levelMeter");
    QTRY_COMPARE(meter->findChild<QQuickItem*>("levelL")->width(), 29 * step);
    QCOMPARE(meter->findChild<QQuickItem*>("peakL")->x(), unit() * 14 + 39 * step);
    QVERIFY(!meter->findChild<QQuickItem*>("peakR")->isVisible());
    QVERIFY(meter->findChild<QQuickItem*>("overR")->isVisible());

    recorder->clearLog();
    state->addMark(3000);
    QTRY_COMPARE(arrows().size(), 1);
    const QStringList lines = recorder->receivedLines(connection);
    QVERIFY2(simlink::containsRun(lines, { "07F035D", "07F6A63" }) && lines.contains("07F03580100"),
             qPrintable(lines.join(' ')));
    QTRY_COMPARE(arrows().first()->x(), unit() * 270 * 3000 / graph->comm.getTrackTotalTimeFlame() - unit() * 6);
    state->setLevels(41, 37, 50, 45, false, false);
    QTRY_VERIFY_WITH_TIMEOUT(elapsedSeconds() >= 2, 5000);
    shoot(QStringLiteral("e2e_home_playing.png"));
}

void TstHomeE2e::recordingShowsRecordSet()
{
    state->panel.agc = state->panel.autoTrack = state->panel.autoMark = true;
    state->panel.syncRec = state->panel.lowCut = true;
    state->panel.dynamics = 2;
    state->panel.recordFormat = 8 + 2; // Wav16+Mp3 at 48 kHz
    state->pressRecord(); // record pause
    QTRY_VERIFY(statusImage().endsWith("Transport_RECPAUSE_3.png"));
    state->pressRecord();
    QTRY_VERIFY(statusImage().endsWith("Transport_REC_3.png"));
    QTRY_COMPARE(text("trackCounter"), QStringLiteral("TRACK 004/004"));
    QTRY_COMPARE(text("title"), QStringLiteral("REC004"));
    for (const char* stem : { "display_CNP-SOFT", "display-REC_AGC", "display-REC_AUTO-TRACK", "display-REC_AUTO-MARK",
                              "display-REC_SYNC-REC", "display-REC_LOW-CUT", "display_48V", "display_timer_black" })
        QVERIFY2(shown(stem), stem);
    QVERIFY(!shown("display_AUTOCUE") && !item("pitchValue")->isVisible());
    QCOMPARE(item("phantomDisp")->y(), unit() * 64); // third row, right edge
    QCOMPARE(item("recFormat")->childItems().first()->property("text").toString(), QStringLiteral("Wav16+Mp3"));
    QCOMPARE(item("recFs")->childItems().first()->property("text").toString(), QStringLiteral("48 kHz"));
    QTRY_VERIFY_WITH_TIMEOUT(elapsedSeconds() >= 1, 4000); // the time the recorder pushes
    shoot(QStringLiteral("e2e_home_recording.png"));

    state->panel.monoMix = true;
    state->announce();
    QTRY_VERIFY(item("levelMeterMono")->isVisible());
    QVERIFY(!item("levelMeter")->isVisible());
}

void TstHomeE2e::cdMediumHidesTimerAndAutoMark()
{
    state->selectMedium(QStringLiteral("CD"));
    QTRY_VERIFY(statusImage().endsWith("Transport_STOP_3.png"));
    QTRY_COMPARE(text("trackCounter"), QStringLiteral("TRACK 001/005"));
    QVERIFY(graph->comm.getTimerEvent() && !shown("display_timer_black"));
    // Finalizing: the busy text takes the symbol's place.
    state->setBusy(1);
    QTRY_COMPARE(text("statusDetail"), QStringLiteral("Finalizing"));
    QVERIFY(item("statusDetail")->isVisible() && statusImage().isEmpty());
    shoot(QStringLiteral("e2e_home_cd.png"));
}

void TstHomeE2e::informationPanelAndLogout()
{
    state->panel.input = 2;
    state->panel.digitalInLocked = false;
    state->announce();
    QTRY_VERIFY(item("infoUnlocked")->isVisible());
    QVERIFY(item("infoInput")->property("source").toString().endsWith("info_D-COAXIAL_3.png"));

    // Drag the display up, as a finger would, until the panel shows.
    QQuickItem* flick = item("mainFlick");
    QPoint at = flick->mapToScene(QPointF(flick->width() / 2, flick->height() * 0.8)).toPoint();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 30; ++i) {
        at.ry() -= int(unit() * 14);
        QTest::mouseMove(window, at, 15);
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at, 15);
    QTRY_COMPARE(flick->property("contentY").toReal(), unit() * 309);
    QCOMPARE(text("infoIpValue"), netenv::recorderAddress(0));
    shoot(QStringLiteral("e2e_home_information.png"));

    QQuickItem* logout = item("logoutButton");
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                      logout->mapToScene(QPointF(logout->width() / 2, logout->height() / 2)).toPoint());
    QTRY_VERIFY(item("loginscreenbase")->isVisible());
    QTRY_VERIFY(!recorder->connection(connection));
}

QTEST_MAIN(TstHomeE2e)

#include "tst_home_e2e.moc"
