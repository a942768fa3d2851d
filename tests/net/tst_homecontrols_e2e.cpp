// The front panel driven as a person would: the application's objects and
// main window logged in to a simulated recorder with a CD drive, every key,
// selector and window worked with the mouse and keyboard, and the exact
// command lines the recorder received checked after each gesture.
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "windowrig.h"

class TstHomeControlsE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { rig.stop(); QCOMPARE(windowrig::takeWarnings(), QStringList()); }
    void transportKeys();
    void rewAndFfClickVersusHold();
    void markDisplayAndPageArrow();
    void selectors_data();
    void selectors();
    void timeSearch();
    void playbackSettings();
    void lockAndUnlock();
    void lockByTaps_data();
    void lockByTaps();
    void keysWhileLocked_data();
    void keysWhileLocked();
    void fingerTapsReachingNothingFail();
    void doubleTapActsOnce_data();
    void doubleTapActsOnce();
    void timeSkipToTheNextFolder();

private:
    QQuickItem* item(const char* name, QObject* within = nullptr) const { return rig.item(name, within); }
    static QPoint centre(QQuickItem* target) { return AppRig::centre(target); }
    void click(QQuickItem* target) { QVERIFY(rig.click(target)); }
    void click(const char* name) { click(item(name)); }
    // The front-panel commands the recorder received since the log was cleared
    // (the status queries of the polls and refreshes left out).
    QStringList commands() const;
    void waitForStatus(int status) { TRY_COMPARE(rig.graph->comm.getStatusIcon(), status); }
    void shoot(const QString& name) { QVERIFY(rig.shoot(name)); }

    AppRig rig;
};

void TstHomeControlsE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder& recorder, sim::RecorderState&) { recorder.model = 1; }));
    waitForStatus(16);
}

QStringList TstHomeControlsE2e::commands() const
{
    static const QRegularExpression command(QStringLiteral("^(01|02|03[57D]|04D|07F01|07F074F|07F0310|07F72|07F6A3F)"));
    QStringList found;
    for (const QString& line : rig.recorder->receivedLines(rig.connection)) {
        if (command.match(line).hasMatch() && !line.endsWith(QLatin1String("FF")))
            found << line;
    }
    return found;
}

void TstHomeControlsE2e::transportKeys()
{
    struct Step
    {
        const char* key;
        QStringList lines;
        int status; // reported afterwards
    };
    const Step steps[] = {
        { "playButton", { "012", "07F6A3F01" }, 17 },
        { "pauseButton", { "01401" }, 18 },
        { "pauseButton", { "01D" }, 17 },
        { "stopButton", { "010" }, 16 },
        { "trackSkipNextButton", { "01A00" }, 16 },
        { "trackSkipPreviousButton", { "01A01" }, 16 },
        // May a recording start? The recorder says yes: record pause, then record.
        { "recButton", { "07F720101", "01301", "07F6A3F01" }, 130 },
        { "recButton", { "07F720101", "01300", "07F6A3F01" }, 129 },
        { "stopButton", { "010" }, 16 },
    };
    for (const Step& step : steps) {
        rig.recorder->clearLog();
        click(step.key);
        TRY_COMPARE(commands(), step.lines);
        waitForStatus(step.status);
    }
}

void TstHomeControlsE2e::rewAndFfClickVersusHold()
{
    rig.state->seek(1, 0); // away from the short track just recorded
    click("playButton");
    waitForStatus(17);
    // A plain click skips and cancels nothing, first click included.
    rig.recorder->clearLog();
    click("forwardButton");
    click("reverseButton");
    TRY_COMPARE(commands(), QStringList({ "01A30", "01A31" }));

    // Held: a search, then its end on release.
    rig.recorder->clearLog();
    QTest::mousePress(rig.window, Qt::LeftButton, Qt::NoModifier, centre(item("forwardButton")));
    TRY_COMPARE(commands(), QStringList({ "01600" }));
    TRY_COMPARE(rig.state->searchSpeed(), 10);
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, centre(item("forwardButton")));
    TRY_COMPARE(commands(), QStringList({ "01600", "012" }));
    TRY_COMPARE(rig.state->searchSpeed(), 1);

    // A tap, and at once a second press held: the tap skips, the hold
    // searches (the window system makes that press a double click).
    rig.recorder->clearLog();
    click("forwardButton");
    QVERIFY(rig.quickPress(item("forwardButton"), 150));
    TRY_COMPARE(commands(), QStringList({ "01A30", "01600" }));
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, centre(item("forwardButton")));
    TRY_COMPARE(commands(), QStringList({ "01A30", "01600", "012" }));
    QTest::qWait(300);
    QCOMPARE(commands(), QStringList({ "01A30", "01600", "012" }));

    // Held, then the screen scrolls away under the finger: the search ends all the same.
    rig.recorder->clearLog();
    QPoint at = centre(item("reverseButton"));
    QTest::mousePress(rig.window, Qt::LeftButton, Qt::NoModifier, at);
    TRY_COMPARE(commands(), QStringList({ "01601" }));
    for (int i = 0; i < 10; ++i)
        QTest::mouseMove(rig.window, at -= QPoint(0, 20), 15);
    TRY_COMPARE(commands(), QStringList({ "01601", "012" }));
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, at);
    TRY_VERIFY(!item("mainFlick")->property("moving").toBool());
    QCOMPARE(commands(), QStringList({ "01601", "012" }));
    item("mainFlick")->setProperty("contentY", 0);
}

void TstHomeControlsE2e::markDisplayAndPageArrow()
{
    const auto arrows = [this] { return windowrig::visualItems(item("timeBar"), QStringLiteral("markArrow")).size(); };
    QCOMPARE(arrows(), 0);
    rig.recorder->clearLog();
    QTest::mousePress(rig.window, Qt::LeftButton, Qt::NoModifier, centre(item("markButton")));
    TRY_COMPARE(commands(), QStringList({ "07F0310" }));
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, centre(item("markButton")));
    TRY_COMPARE(rig.state->current().tracks.value(rig.state->trackNumber() - 1).marks.size(), 1);
    TRY_COMPARE(arrows(), 1);

    // DISPLAY switches the readouts to the medium's total times and back.
    rig.recorder->clearLog();
    click("displayButton");
    TRY_VERIFY(rig.recorder->receivedLines(rig.connection).contains("05802"));
    QVERIFY(rig.graph->comm.getDisplayMode());
    click("displayButton");
    QVERIFY(!rig.graph->comm.getDisplayMode());
    click("stopButton");
    waitForStatus(16);

    // The page arrow scrolls to the information panel and back.
    QQuickItem* flick = item("mainFlick");
    click("pageArrow");
    TRY_COMPARE(flick->property("contentY").toReal(), flick->property("contentHeight").toReal() - flick->height());
    click("pageArrow");
    TRY_COMPARE(flick->property("contentY").toReal(), 0.0);
}

void TstHomeControlsE2e::selectors_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("entries"); // the current value first
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("shot");
    QTest::newRow("medium") << "currentMediaButton" << QStringList { "mediaSD1", "mediaSD2", "mediaUSB", "mediaCD", "mediaSD1" }
                            << QStringList { "07F0101", "07F0110", "07F0111", "07F0100" } << "e2e_home_medium_list.png";
    QTest::newRow("play area") << "playAreaButton" << QStringList { "areaALL", "areaFOLDER", "areaPLAYLIST", "areaALL" }
                               << QStringList { "07F074F01", "07F074F02", "07F074F00" } << "e2e_home_area_list.png";
    QTest::newRow("play mode") << "playModeButton"
                               << QStringList { "modeCONTINUE", "modeSINGLE", "modePROGRAM", "modeRANDOM", "modeCONTINUE" }
                               << QStringList { "04D01", "04D04", "04D06", "04D00" } << "e2e_home_mode_list.png";
}

// Every entry in turn; choosing the current value sends nothing.
void TstHomeControlsE2e::selectors()
{
    QFETCH(QString, button);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, lines);
    QFETCH(QString, shot);
    QQuickItem* selector = item(button.toLatin1());
    rig.recorder->clearLog();
    for (int i = 0; i < entries.size(); ++i) {
        click(selector);
        QQuickItem* entry = item(entries.at(i).toLatin1());
        TRY_VERIFY(entry->isVisible());
        if (i == 1)
            shoot(shot);
        click(entry);
        QVERIFY(!entry->isVisible());
        TRY_COMPARE(commands(), lines.mid(0, i));
        // The label follows the recorder's report.
        TRY_COMPARE(item("label", selector)->property("text").toString(),
                     item("label", entry)->property("text").toString());
    }
    QVERIFY(item("lockButton")->isVisible());
}

void TstHomeControlsE2e::timeSearch()
{
    click("timeSearchButton");
    QQuickItem* track = item("timeSearchTrack");
    TRY_VERIFY(track && track->isVisible());
    click(track);
    // Enter walks track, hours, minutes, seconds, hundredths.
    for (const char* typed : { "3", "0", "1", "30", "0" }) {
        for (const char* c = typed; *c; ++c)
            QTest::keyClick(rig.window, *c);
        QTest::keyClick(rig.window, Qt::Key_Return);
    }
    QVERIFY(track->hasActiveFocus());
    shoot(QStringLiteral("e2e_home_time_search.png"));
    rig.recorder->clearLog();
    click("timeSearchOk");
    TRY_COMPARE(commands(), QStringList({ "02C030001003000" }));
    QVERIFY(!item("timeSearchWindowLoader")->property("active").toBool());
    TRY_COMPARE(rig.state->trackNumber(), 3);
    QCOMPARE(rig.state->position(), 9000);
    TRY_COMPARE(item("trackCounter")->property("text").toString(), QStringLiteral("TRACK 003/004"));
}

void TstHomeControlsE2e::playbackSettings()
{
    click("gearButton");
    QQuickItem* pitch = item("pitchRow");
    QQuickItem* key = item("keyRow");
    TRY_VERIFY(pitch && key);
    rig.recorder->clearLog();
    click(item("onOff", pitch));
    TRY_VERIFY(rig.graph->comm.getPitchStatus());
    // Three steps down and three up come back to +0.0, never to a minus zero.
    const char* const reports[] = { "-0.1", "-0.2", "-0.3", "-0.2", "-0.1", "+0.0" };
    for (int i = 0; i < 6; ++i) {
        click(item(i < 3 ? "stepDown" : "stepUp", pitch));
        TRY_COMPARE(rig.graph->comm.getPitchData(), QString::fromLatin1(reports[i]));
    }
    QCOMPARE(commands(), QStringList({ "03501", "0250110", "0250210", "0250310", "0250210", "0250110", "0250000" }));

    // Key on, one sharp, then one drag to the right end: one request.
    rig.recorder->clearLog();
    click(item("onOff", key));
    TRY_VERIFY(rig.graph->comm.getKeyStatus());
    click(item("stepUp", key));
    TRY_COMPARE(rig.graph->comm.getKeyData(), 1);
    QQuickItem* slider = item("slider", key);
    QPoint at = centre(slider->property("handle").value<QQuickItem*>());
    QTest::mousePress(rig.window, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 12; ++i)
        QTest::mouseMove(rig.window, at += QPoint(20, 0), 15);
    QTest::mouseRelease(rig.window, Qt::LeftButton, Qt::NoModifier, at);
    TRY_COMPARE(rig.graph->comm.getKeyData(), 6);
    QCOMPARE(commands(), QStringList({ "03D01", "02D01", "02D06" }));
    QCOMPARE(item("value", key)->property("text").toString(), QStringLiteral("\u266F6"));

    // A-B repeat: set A, set B, off; and flash load.
    rig.recorder->clearLog();
    QQuickItem* ab = item("abRepeatButton");
    for (const char* text : { "Set B", "A-B Repeat ON", "Set A" }) {
        click(ab);
        TRY_COMPARE(item("label", ab)->property("text").toString(), QString::fromLatin1(text));
        if (rig.graph->comm.getRepeat() == 3)
            shoot(QStringLiteral("e2e_home_settings.png"));
    }
    click("flashLoadButton");
    TRY_VERIFY(rig.graph->comm.getFlashLoad());
    QCOMPARE(commands(), QStringList({ "02A", "02B", "03700", "017" }));

    // A click beside the panel closes the window.
    QTest::mouseClick(rig.window, Qt::LeftButton, Qt::NoModifier, centre(item("display")));
    QVERIFY(!item("homeSettingWindowLoader")->property("active").toBool());
}

void TstHomeControlsE2e::lockAndUnlock()
{
    QQuickItem* key = item("lockButton");
    QTest::mouseDClick(rig.window, Qt::LeftButton, Qt::NoModifier, centre(key));
    TRY_VERIFY(item("lockScreen")->isVisible());
    shoot(QStringLiteral("e2e_home_locked.png"));
    rig.recorder->clearLog();
    click("playButton"); // swallowed by the lock
    QTest::mouseDClick(rig.window, Qt::LeftButton, Qt::NoModifier, centre(key));
    TRY_VERIFY(!item("lockScreen")->isVisible());
    click("pauseButton");
    TRY_COMPARE(commands(), QStringList({ "01401" }));
}

// Quick taps on the lock key, by mouse or finger: the second locks, and
// those after it reach neither the lock nor its unlock area, so the window
// locks once and stays locked. A double tap on the unlock area, by mouse or
// finger, unlocks.
void TstHomeControlsE2e::lockByTaps_data()
{
    QTest::addColumn<int>("taps");
    QTest::addColumn<bool>("finger");
    QTest::addColumn<bool>("unlockByFinger");
    QTest::newRow("mouse, two clicks") << 2 << false << true;
    QTest::newRow("mouse, four clicks") << 4 << false << false;
    QTest::newRow("finger, two taps") << 2 << true << true;
    QTest::newRow("finger, three taps") << 3 << true << false;
    QTest::newRow("finger, four taps") << 4 << true << true;
}

void TstHomeControlsE2e::lockByTaps()
{
    QFETCH(int, taps);
    QFETCH(bool, finger);
    QFETCH(bool, unlockByFinger);
    QQuickItem* key = item("lockButton");
    QQuickItem* lock = item("lockScreen");
    QQuickItem* unlock = item("unlockArea");
    QVERIFY(!lock->isVisible());
    QSignalSpy changes(lock, &QQuickItem::visibleChanged);
    const auto unlocked = qScopeGuard([lock] { lock->setVisible(false); }); // whatever fails
    QTest::qWait(500); // the taps before are no double tap with these
    QVERIFY(finger ? rig.fingerTaps(key, taps) : rig.quickTaps(key, taps));
    QTest::qWait(500);
    QVERIFY(lock->isVisible());
    QCOMPARE(changes.count(), 1);
    QVERIFY(unlockByFinger ? rig.fingerTaps(unlock, 2) : rig.doubleTap(unlock));
    QVERIFY(!lock->isVisible());
    QCOMPARE(changes.count(), 2);
}

// While the window is locked no key reaches a control, whichever had the
// focus (a transport key, a step key or the slider in the settings window,
// the gear) and however the window was locked: Space, Return, arrows and
// letters act on nothing, and Tab moves to nothing. Unlocked, the control
// that had the focus takes its key again. A row's lines are what the
// focusing click and the key after unlocking send: a line sent while locked
// would come between them.
void TstHomeControlsE2e::keysWhileLocked_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("row"); // the settings window's row holding it
    QTest::addColumn<bool>("settings"); // the settings window shows before the click and after the key
    QTest::addColumn<bool>("finger");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("lines");
    const int space = Qt::Key_Space;
    QTest::newRow("STOP, mouse") << "stopButton" << "" << false << false << space << QStringList({ "010", "010" });
    QTest::newRow("PITCH +, finger") << "stepUp" << "pitchRow" << true << true << space
                                     << QStringList({ "0250100", "0250200" });
    QTest::newRow("pitch slider, mouse") << "slider" << "pitchRow" << true << false << int(Qt::Key_Right)
                                         << QStringList({ "0250300" });
    // The click closes the window; locked, Space does not open it.
    QTest::newRow("gear, finger") << "gearButton" << "" << true << true << space << QStringList();
}

void TstHomeControlsE2e::keysWhileLocked()
{
    QFETCH(QString, control);
    QFETCH(QString, row);
    QFETCH(bool, settings);
    QFETCH(bool, finger);
    QFETCH(int, key);
    QFETCH(QStringList, lines);
    QQuickItem* lock = item("lockScreen");
    QQuickItem* loader = item("homeSettingWindowLoader");
    const auto settingsShown = [loader] { return loader->property("active").toBool(); };
    const auto done = qScopeGuard([lock, loader] { // whatever fails
        lock->setVisible(false);
        loader->setProperty("active", false);
    });
    loader->setProperty("active", settings);
    rig.recorder->clearLog();
    QQuickItem* target = item(control.toLatin1(), row.isEmpty() ? nullptr : item(row.toLatin1()));
    if (QQuickItem* knob = target->property("handle").value<QQuickItem*>())
        target = knob; // a slider takes the focus there without moving
    click(target);
    const bool settingsLocked = settingsShown();

    QTest::qWait(500); // the click before is no tap of the lock's
    QVERIFY(finger ? rig.fingerTaps(item("lockButton"), 2) : rig.quickTaps(item("lockButton"), 2));
    TRY_VERIFY(lock->isVisible());
    for (const int typed : { Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Right, Qt::Key_Up, Qt::Key_A,
                             Qt::Key_Tab, Qt::Key_Space, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Space }) {
        QTest::keyClick(rig.window, Qt::Key(typed), typed == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(settingsShown(), settingsLocked);
    }
    QTest::qWait(500); // a new burst of taps
    QVERIFY(finger ? rig.fingerTaps(item("unlockArea"), 2) : rig.doubleTap(item("unlockArea")));
    TRY_VERIFY(!lock->isVisible());

    QTest::keyClick(rig.window, Qt::Key(key));
    TRY_COMPARE(commands(), lines);
    QCOMPARE(settingsShown(), settings);
}

// The rig's finger taps fail when they reach no item, so that a check that
// a tap acts once cannot pass without one: a tap where nothing takes a
// press, and taps whose touches something swallows before the window.
void TstHomeControlsE2e::fingerTapsReachingNothingFail()
{
    class Swallow : public QObject
    {
    public:
        bool eventFilter(QObject*, QEvent* event) override
        {
            const bool touch = event->type() >= QEvent::TouchBegin && event->type() <= QEvent::TouchEnd;
            if (touch)
                event->accept(); // not turned into mouse events instead
            return touch;
        }
    };
    QCOMPARE(windowrig::takeWarnings(), QStringList()); // those before this test's own
    const QPoint nowhere(rig.window->width() + 20, 100); // the window fills with items that take presses
    QVERIFY(!rig.fingerTapsAt(nowhere, 1));

    QQuickItem* lock = item("lockScreen");
    const auto unlocked = qScopeGuard([lock] { lock->setVisible(false); }); // whatever fails
    const QPoint key = centre(item("lockButton"));
    Swallow swallow;
    QCoreApplication::instance()->installEventFilter(&swallow);
    const bool tapped = rig.fingerTapsAt(key, 2);
    QCoreApplication::instance()->removeEventFilter(&swallow);
    QVERIFY(!tapped);
    QVERIFY(!lock->isVisible());
    QCOMPARE(windowrig::takeWarnings(),
             QStringList({ QString("finger tap 1 of 1 at (%1, 100) reached no item").arg(nowhere.x()),
                           QString("no finger tap of 2 at (%1, %2) reached an item").arg(key.x()).arg(key.y()) }));
}

// A person's double tap on a key whose first tap opens or closes something:
// the key acts once, and the second press, at the same point, reaches nothing
// the first tap put under the finger (the lock key under the play-mode list,
// the backdrop of the time search window). So do three quick taps, and a
// finger's taps.
void TstHomeControlsE2e::doubleTapActsOnce_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("taps");
    QTest::addColumn<bool>("finger");
    QTest::newRow("on time") << 0 << 2 << false;
    QTest::newRow("300 ms late") << 300 << 2 << false;
    QTest::newRow("three taps, on time") << 0 << 3 << false;
    QTest::newRow("finger, on time") << 0 << 2 << true;
    QTest::newRow("finger, three taps, 300 ms late") << 300 << 3 << true;
}

void TstHomeControlsE2e::doubleTapActsOnce()
{
    QFETCH(int, late);
    QFETCH(int, taps);
    QFETCH(bool, finger);
    const auto onTime = qScopeGuard([this] { rig.recorder->answerLatencyMs = 0; });
    const auto settle = [&] { QTest::qWait(late + 1000); };
    const auto quickTaps = [&](QQuickItem* key) {
        return finger ? rig.fingerTaps(key, taps) : rig.quickTaps(key, taps);
    };
    QQuickItem* mode = item("playModeButton");
    rig.recorder->clearLog();
    click("stopButton"); // the play mode is picked while stopped
    TRY_COMPARE(commands(), QStringList({ "010" }));
    waitForStatus(16);
    rig.recorder->clearLog();
    click(mode);
    TRY_VERIFY(item("modeRANDOM")->isVisible());
    rig.recorder->answerLatencyMs = late;
    QVERIFY(quickTaps(item("modeRANDOM")));
    TRY_COMPARE(commands(), QStringList({ "04D06" }));
    settle();
    QCOMPARE(commands(), QStringList({ "04D06" }));
    QVERIFY(!item("modeRANDOM")->isVisible());
    QVERIFY(!item("lockScreen")->isVisible());
    TRY_COMPARE(item("label", mode)->property("text").toString(), QStringLiteral("RANDOM"));

    rig.recorder->clearLog();
    QVERIFY(quickTaps(item("timeSearchButton")));
    settle();
    QVERIFY(item("timeSearchWindowLoader")->property("active").toBool());
    QVERIFY(item("timeSearchTrack")->isVisible());
    QCOMPARE(commands(), QStringList());
    item("timeSearchWindowLoader")->setProperty("active", false);

    // Back to CONTINUE, with one tap on each.
    rig.recorder->answerLatencyMs = 0;
    click(mode);
    TRY_VERIFY(item("modeCONTINUE")->isVisible());
    click(item("modeCONTINUE"));
    TRY_COMPARE(item("label", mode)->property("text").toString(), QStringLiteral("CONTINUE"));
}

// Stopped in the folder play area, the time skip moves to the next folder.
void TstHomeControlsE2e::timeSkipToTheNextFolder()
{
    click("stopButton");
    waitForStatus(16);
    rig.state->panel.playArea = 1;
    rig.state->announce();
    TRY_COMPARE(rig.graph->comm.getPlayArea(), QStringLiteral("FOLDER"));
    rig.recorder->clearLog();
    click("forwardButton");
    TRY_COMPARE(rig.graph->comm.getFolder(), QStringLiteral("LIVE\\2017"));
    QCOMPARE(rig.state->current().folderIndex, 2);
    QVERIFY(rig.recorder->receivedLines(rig.connection).contains("07F6A1A00"));
}

QTEST_MAIN(TstHomeControlsE2e)

#include "tst_homecontrols_e2e.moc"
