// Steps and picks on the home tab tapped faster than the recorder answers:
// the playback settings window's pitch and key keys and the three selectors,
// worked with the mouse against a simulated recorder that answers late. The
// lines the recorder received, where it ends and where the knobs and labels
// end are checked; so is that a change made on the recorder's own panel
// moves the knob while nothing of the user's is on its way.
#include <QQuickItem>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "windowrig.h"

class TstHomeStepsE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { rig.stop(); QCOMPARE(windowrig::takeWarnings(), QStringList()); }
    void init();
    void cleanup();
    void steps_data();
    void steps();
    void quickToggle_data();
    void quickToggle();
    void frontPanelMovesTheKnob_data();
    void frontPanelMovesTheKnob();
    void picks_data();
    void picks();
    void stepsAmongPushes_data();
    void stepsAmongPushes() { amongPushes(&TstHomeStepsE2e::steps); }
    void picksAmongPushes_data();
    void picksAmongPushes() { amongPushes(&TstHomeStepsE2e::picks); }
    void playModePicksAnswered();
    void stepAfterOneIgnored();
    void stepAfterStandby_data();
    void stepAfterStandby();
    void stepsThroughAHold_data();
    void stepsThroughAHold();
    void pausesInAHold_data();
    void pausesInAHold();
    void repickAfterALostLine_data();
    void repickAfterALostLine();

private:
    QQuickItem* item(const char* name, QObject* within = nullptr) const { return rig.item(name, within); }
    void click(QQuickItem* target) { QVERIFY(rig.click(target)); }
    // The pitch, key, medium, play area and play mode sets the recorder received.
    QStringList commands() const;
    // Nothing of the user's is on its way any more.
    bool settled() const;
    QQuickItem* settingRow(const QString& name);
    // Runs a road while the recorder pushes, unasked, its reports of every
    // value the user sets every 130 ms: among its answers to the user's
    // requests and to the polls.
    void amongPushes(void (TstHomeStepsE2e::*road)());
    // The recorder pushes, unasked, its reports of every value the user
    // sets and its status, every 130 ms while pushes runs.
    void pushEvery130Ms(QTimer& pushes);
    // Once nothing is on its way: the recorder received lines and ends on
    // end (key, or pitch in tenths), and the row shows it.
    void endsOn(QQuickItem* settings, const QStringList& lines, int end, const QString& label);

    AppRig rig;
};

void TstHomeStepsE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState&) {}));
    TRY_COMPARE(rig.graph->comm.getStatusIcon(), 16);
}

// Every road starts at pitch +0.0, key 0, SD1, ALL and CONTINUE, with the
// recorder answering at once and nothing on its way.
void TstHomeStepsE2e::init()
{
    rig.recorder->answerLatencyMs = 0;
    sim::RecorderState& state = *rig.state;
    state.panel.pitchTenths = 0;
    state.panel.key = 0;
    state.panel.playArea = 0;
    state.panel.playMode = 0;
    if (state.currentMediumName() != QLatin1String("SD1"))
        state.selectMedium(QStringLiteral("SD1"));
    state.announce();
    Communication& comm = rig.graph->comm;
    TRY_COMPARE(comm.getPitchData(), QStringLiteral("+0.0"));
    TRY_COMPARE(comm.getKeyData(), 0);
    TRY_COMPARE(comm.getCurrentMedia(), QStringLiteral("SD1"));
    TRY_COMPARE(comm.getPlayArea(), QStringLiteral("ALL"));
    TRY_COMPARE(comm.getPlayMode(), QStringLiteral("CONTINUE"));
    TRY_VERIFY(settled());
    rig.recorder->clearLog();
}

void TstHomeStepsE2e::cleanup()
{
    // Answers still on their way come before the next road starts.
    QTest::qWait(rig.recorder->answerLatencyMs + 100);
    rig.recorder->answerLatencyMs = 0;
    item("homeSettingWindowLoader")->setProperty("active", false);
    TRY_VERIFY(settled());
}

QStringList TstHomeStepsE2e::commands() const
{
    static const QRegularExpression set(QStringLiteral("^(025|02D|07F01|07F074F|04D)"));
    QStringList found;
    for (const QString& line : rig.recorder->receivedLines(rig.connection)) {
        if (set.match(line).hasMatch() && !line.endsWith(QLatin1String("FF")))
            found << line;
    }
    return found;
}

bool TstHomeStepsE2e::settled() const
{
    const Communication& comm = rig.graph->comm;
    return !comm.askedPitch.waiting() && !comm.askedKey.waiting() && !comm.askedMedium.waiting()
        && !comm.askedPlayArea.waiting() && !comm.askedPlayMode.waiting();
}

QQuickItem* TstHomeStepsE2e::settingRow(const QString& name)
{
    if (!item("homeSettingWindowLoader")->property("active").toBool())
        rig.click(item("gearButton"));
    QQuickItem* row = nullptr;
    [&] { TRY_VERIFY((row = item(name.toLatin1()))); }();
    return row;
}

// A tap is "+" (step up) or "-" (step down), each `gap` ms after the one
// before; "u" and "d" are the same taps stamped as the window system stamps a
// person's quick taps, so that the second of two arrives as a double click;
// "^" and "v" are a finger's taps up and down, through the touch screen; "n" is the recorder telling of a change (and so the application asking for
// every value again). The recorder answers `late` ms after each line.
void TstHomeStepsE2e::steps_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QString>("taps");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("end"); // key, or pitch in tenths
    QTest::addColumn<QString>("label");

    const QStringList fourSharps { "02D01", "02D02", "02D03", "02D04" };
    const QStringList sixPitchSteps { "0250100", "0250200", "0250300", "0250400", "0250500", "0250600" };
    QTest::newRow("key: four sharps, 400 ms late") << "keyRow" << 400 << 150 << "++++" << fourSharps << 4 << "\u266F4";
    QTest::newRow("key: four sharps, 200 ms late") << "keyRow" << 200 << 120 << "++++" << fourSharps << 4 << "\u266F4";
    QTest::newRow("key: four sharps, answered at once") << "keyRow" << 0 << 150 << "++++" << fourSharps << 4 << "\u266F4";
    QTest::newRow("pitch: six steps up, 400 ms late") << "pitchRow" << 400 << 150 << "++++++" << sixPitchSteps << 6 << "+0.6";
    QTest::newRow("pitch: six steps up, 200 ms late") << "pitchRow" << 200 << 120 << "++++++" << sixPitchSteps << 6 << "+0.6";
    QTest::newRow("key: four sharps and a notice, 400 ms late")
        << "keyRow" << 400 << 150 << "++n++" << fourSharps << 4 << "\u266F4";
    QTest::newRow("key: sharp taken back 150 ms later") << "keyRow" << 400 << 150 << "+-" << QStringList { "02D01", "02D00" } << 0 << "0";
    QTest::newRow("key: sharp taken back 300 ms later") << "keyRow" << 400 << 300 << "+-" << QStringList { "02D01", "02D00" } << 0 << "0";
    QTest::newRow("key: flat taken back, 500 ms late") << "keyRow" << 500 << 150 << "-+" << QStringList { "02D11", "02D00" } << 0 << "0";
    QTest::newRow("pitch: step taken back 150 ms later") << "pitchRow" << 400 << 150 << "+-" << QStringList { "0250100", "0250000" } << 0 << "+0.0";
    QTest::newRow("pitch: down, up, down, 300 ms late") << "pitchRow" << 300 << 120 << "-+-"
                                                        << QStringList { "0250110", "0250000", "0250110" } << -1 << "-0.1";
    QTest::newRow("key: four quick sharps") << "keyRow" << 0 << 150 << "+uuu" << fourSharps << 4 << "\u266F4";
    QTest::newRow("key: two quick flats, 300 ms late")
        << "keyRow" << 300 << 100 << "-d" << QStringList { "02D11", "02D12" } << -2 << "\u266D2";
    QTest::newRow("pitch: three quick steps up, 300 ms late")
        << "pitchRow" << 300 << 150 << "+uu" << QStringList { "0250100", "0250200", "0250300" } << 3 << "+0.3";
    QTest::newRow("pitch: two quick steps down")
        << "pitchRow" << 0 << 120 << "-d" << QStringList { "0250110", "0250210" } << -2 << "-0.2";
    QTest::newRow("pitch: a finger's three quick steps up, 300 ms late")
        << "pitchRow" << 300 << 140 << "^^^" << QStringList { "0250100", "0250200", "0250300" } << 3 << "+0.3";
    QTest::newRow("key: a finger's two quick flats") << "keyRow" << 0 << 140 << "vv" << QStringList { "02D11", "02D12" } << -2 << "\u266D2";
}

void TstHomeStepsE2e::steps()
{
    QFETCH(QString, row);
    QFETCH(int, late);
    QFETCH(int, gap);
    QFETCH(QString, taps);
    QFETCH(QStringList, lines);
    QFETCH(int, end);
    QFETCH(QString, label);

    QQuickItem* settings = settingRow(row);
    QVERIFY(settings);
    rig.recorder->answerLatencyMs = late;
    for (int i = 0; i < taps.size(); ++i) {
        if (taps.at(i) == QLatin1Char('n')) {
            rig.state->announce();
            continue;
        }
        const QChar tap = taps.at(i);
        const bool up = tap == QLatin1Char('+') || tap == QLatin1Char('u') || tap == QLatin1Char('^');
        QQuickItem* key = item(up ? "stepUp" : "stepDown", settings);
        if (tap == QLatin1Char('u') || tap == QLatin1Char('d')) {
            QVERIFY(rig.quickTap(key, gap));
            continue;
        }
        if (tap == QLatin1Char('^') || tap == QLatin1Char('v')) {
            if (i > 0)
                QTest::qWait(gap);
            QVERIFY(rig.fingerTaps(key, 1));
            continue;
        }
        if (i > 0)
            QTest::qWait(gap);
        click(key);
    }
    endsOn(settings, lines, end, label);
}

void TstHomeStepsE2e::endsOn(QQuickItem* settings, const QStringList& lines, int end, const QString& label)
{
    const bool key = settings->objectName() == QLatin1String("keyRow");
    TRY_VERIFY(settled());
    QCOMPARE(commands(), lines);
    QCOMPARE(key ? rig.state->panel.key : rig.state->panel.pitchTenths, end);
    // The knob and the text show where the recorder is.
    TRY_COMPARE(item("value", settings)->property("text").toString(), label);
    QCOMPARE(qRound(item("slider", settings)->property("value").toDouble() * (key ? 1 : 10)), end);
}

// The on/off key double-clicked: one tap, one switch.
void TstHomeStepsE2e::quickToggle_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("line"); // the switch on
    QTest::newRow("key") << "keyRow" << "03D01";
    QTest::newRow("pitch") << "pitchRow" << "03501";
}

void TstHomeStepsE2e::quickToggle()
{
    QFETCH(QString, row);
    QFETCH(QString, line);

    QQuickItem* settings = settingRow(row);
    QVERIFY(settings);
    QVERIFY(rig.taps(item("onOff", settings), 2, 150));
    QTest::qWait(300);
    const QStringList switches = rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^03[5D]0"));
    QCOMPARE(switches.join(' '), line);
    TRY_VERIFY(settings->property("on").toBool());
    // Off again for the roads after.
    QVERIFY(rig.click(item("onOff", settings)));
    TRY_VERIFY(!settings->property("on").toBool());
}

// The recorder's own panel changes the value; nothing of the user's is on
// its way, so the knob and the text follow, and nothing goes back. Where the
// recorder leaves the query that reads the value after its notice
// unanswered, the value is read once more: the knob and the text are right
// within a few answer times. A tap on "+" then steps from there.
void TstHomeStepsE2e::frontPanelMovesTheKnob_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("value"); // key, or pitch in tenths
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("late");
    QTest::addColumn<bool>("lost");
    QTest::newRow("key") << "keyRow" << -2 << "\u266D2" << 300 << false;
    QTest::newRow("pitch") << "pitchRow" << 35 << "+3.5" << 300 << false;
    for (int late : { 0, 200, 500 }) {
        QTest::addRow("key, its query lost, %d ms late", late) << "keyRow" << -2 << "\u266D2" << late << true;
        QTest::addRow("pitch, its query lost, %d ms late", late) << "pitchRow" << 10 << "+1.0" << late << true;
    }
}

void TstHomeStepsE2e::frontPanelMovesTheKnob()
{
    QFETCH(QString, row);
    QFETCH(int, value);
    QFETCH(QString, label);
    QFETCH(int, late);
    QFETCH(bool, lost);

    QQuickItem* settings = settingRow(row);
    QVERIFY(settings);
    QTest::qWait(500); // the reading behind init()'s notice has been answered
    rig.recorder->answerLatencyMs = late;
    const bool key = row == QLatin1String("keyRow");
    const auto restore = qScopeGuard([this] {
        rig.recorder->ignoreLines = QRegularExpression();
        rig.recorder->ignoreTimes = -1;
    });
    if (lost) {
        rig.recorder->ignoreLines = QRegularExpression(key ? QStringLiteral("^02DFF$") : QStringLiteral("^025FF$"));
        rig.recorder->ignoreTimes = 1;
    }
    int& recorder = key ? rig.state->panel.key : rig.state->panel.pitchTenths;
    recorder = value;
    rig.state->announce();
    if (lost)
        TRY_COMPARE(rig.recorder->ignoreTimes, 0);
    const int answered = 6 * late + 2000;
    QTRY_COMPARE_WITH_TIMEOUT(item("value", settings)->property("text").toString(), label, answered);
    TRY_COMPARE(qRound(item("slider", settings)->property("value").toDouble() * (key ? 1 : 10)), value);
    QTest::qWait(late + 400);
    QCOMPARE(commands(), QStringList());
    click(item("stepUp", settings));
    TRY_COMPARE(recorder, value + 1);
    QTest::qWait(late + 400);
    QCOMPARE(commands().size(), 1);
}

// Picks on a selector, each on the list opened again `gap` ms after the one
// before; the recorder answers `late` ms after each line.
void TstHomeStepsE2e::picks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("label"); // the selector's label at the end

    QTest::newRow("medium taken back, 400 ms late")
        << "currentMediaButton" << 400 << 150 << QStringList { "mediaSD2", "mediaSD1" }
        << QStringList { "07F0101", "07F0100" } << "SD1";
    QTest::newRow("medium taken back, 200 ms late")
        << "currentMediaButton" << 200 << 100 << QStringList { "mediaSD2", "mediaSD1" }
        << QStringList { "07F0101", "07F0100" } << "SD1";
    QTest::newRow("play area taken back, 400 ms late")
        << "playAreaButton" << 400 << 200 << QStringList { "areaFOLDER", "areaALL" }
        << QStringList { "07F074F01", "07F074F00" } << "ALL";
    QTest::newRow("play mode taken back, 500 ms late")
        << "playModeButton" << 500 << 250 << QStringList { "modeSINGLE", "modeCONTINUE" }
        << QStringList { "04D01", "04D00" } << "CONTINUE";
    QTest::newRow("play mode picked twice: goes once")
        << "playModeButton" << 400 << 150 << QStringList { "modeSINGLE", "modeSINGLE" }
        << QStringList { "04D01" } << "SINGLE";
    QTest::newRow("one pick goes at once") << "playAreaButton" << 400 << 0 << QStringList { "areaPLAYLIST" }
                                           << QStringList { "07F074F02" } << "PLAYLIST";
}

void TstHomeStepsE2e::picks()
{
    QFETCH(QString, button);
    QFETCH(int, late);
    QFETCH(int, gap);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, lines);
    QFETCH(QString, label);

    QQuickItem* selector = item(button.toLatin1());
    rig.recorder->answerLatencyMs = late;
    for (int i = 0; i < entries.size(); ++i) {
        if (i > 0)
            QTest::qWait(gap);
        click(selector);
        QQuickItem* entry = item(entries.at(i).toLatin1());
        TRY_VERIFY(entry->isVisible());
        click(entry);
    }
    // The last pick goes without waiting for an answer.
    QTRY_COMPARE_WITH_TIMEOUT(commands(), lines, late / 2);
    TRY_VERIFY(settled());
    QCOMPARE(commands(), lines);
    TRY_COMPARE(item("label", selector)->property("text").toString(), label);
}

void TstHomeStepsE2e::pushEvery130Ms(QTimer& pushes)
{
    QObject::connect(&pushes, &QTimer::timeout, [this] {
        for (const char* query : { "025FF", "02DFF", "07F01FF", "07F074FFF", "04E", "050" })
            rig.state->pushReport(QLatin1String(query));
    });
    pushes.start(130);
}

void TstHomeStepsE2e::amongPushes(void (TstHomeStepsE2e::*road)())
{
    QTimer pushes;
    QObject::connect(&pushes, &QTimer::timeout, [this] {
        for (const char* query : { "025FF", "02DFF", "07F01FF", "07F074FFF", "04E" })
            rig.state->pushReport(QLatin1String(query));
    });
    pushes.start(130);
    (this->*road)();
    pushes.stop();
}

// The recorder answers a play-mode pick with "CD", which reports nothing the
// application reads; the query that goes with the pick reports the mode, and
// that report ends the wait, well before the quiet spell.
void TstHomeStepsE2e::playModePicksAnswered()
{
    QQuickItem* selector = item("playModeButton");
    rig.recorder->answerLatencyMs = 400;
    for (const QString& mode : { QStringLiteral("SINGLE"), QStringLiteral("PROGRAM"), QStringLiteral("CONTINUE") }) {
        click(selector);
        QQuickItem* entry = item(("mode" + mode).toLatin1());
        TRY_VERIFY(entry->isVisible());
        click(entry);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.graph->comm.askedPlayMode.waiting(), 1500);
        QCOMPARE(item("label", selector)->property("text").toString(), mode);
    }
    QCOMPARE(commands(), QStringList({ "04D01", "04D04", "04D00" }));
}

// The recorder ignores a step: once it has answered the lines after it, the
// knob goes back to the recorder's value. The step after it is answered and
// ends its wait on its own answer, and the recorder's own panel moves the
// knob again.
void TstHomeStepsE2e::stepAfterOneIgnored()
{
    QQuickItem* settings = settingRow(QStringLiteral("pitchRow"));
    QVERIFY(settings);
    QQuickItem* value = item("value", settings);
    rig.recorder->answerLatencyMs = 200;
    rig.recorder->ignoreLines = QRegularExpression(QStringLiteral("^0250100$"));
    click(item("stepUp", settings));
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 2000);
    QCOMPARE(value->property("text").toString(), QStringLiteral("+0.0"));
    rig.recorder->ignoreLines = QRegularExpression();
    click(item("stepUp", settings));
    QTRY_VERIFY_WITH_TIMEOUT(settled(), 2000);
    QCOMPARE(value->property("text").toString(), QStringLiteral("+0.1"));
    rig.state->panel.pitchTenths = 35;
    rig.state->announce();
    TRY_COMPARE(value->property("text").toString(), QStringLiteral("+3.5"));
    QCOMPARE(qRound(item("slider", settings)->property("value").toDouble() * 10), 35);
    QCOMPARE(commands(), QStringList({ "0250100", "0250100" }));
}

// The recorder goes to standby with the link kept, refusing every line, or
// says nothing for a while, then answers again: a pitch step made then ends
// its wait on its own answer, as before. Lines the silent recorder lost
// cannot be told from answers it holds: the markers the order asks tell,
// one a quiet spell at the most, so there the wait may last up to a quiet
// spell longer; the value is right all the same.
void TstHomeStepsE2e::stepAfterStandby_data()
{
    QTest::addColumn<int>("forMs");
    QTest::addColumn<bool>("silent"); // else it refuses every line
    QTest::newRow("standby for 1 s") << 1000 << false;
    QTest::newRow("standby for 3 s") << 3000 << false;
    QTest::newRow("standby for 30 s") << 30000 << false;
    QTest::newRow("silent for 3 s") << 3000 << true;
}

void TstHomeStepsE2e::stepAfterStandby()
{
    QFETCH(int, forMs);
    QFETCH(bool, silent);

    QQuickItem* settings = settingRow(QStringLiteral("pitchRow"));
    QVERIFY(settings);
    QQuickItem* value = item("value", settings);
    AskedValue& asked = rig.graph->comm.askedPitch;
    const int quietMs = rig.graph->comm.replyOrder.quietMs;
    const auto restore = qScopeGuard([&] {
        rig.recorder->powered = true;
        rig.recorder->ignoreLines = QRegularExpression();
    });
    rig.recorder->answerLatencyMs = 200;
    if (silent)
        rig.recorder->ignoreLines = QRegularExpression(QStringLiteral("."));
    else
        rig.recorder->powered = false;
    QTest::qWait(forMs);
    rig.recorder->powered = true;
    rig.recorder->ignoreLines = QRegularExpression();
    QTest::qWait(500);

    QElapsedTimer waited;
    waited.start();
    click(item("stepUp", settings));
    QVERIFY(asked.waiting());
    QTRY_VERIFY_WITH_TIMEOUT(!asked.waiting(), 10000);
    QVERIFY2(waited.elapsed() < (silent ? 2 * quietMs : quietMs), qPrintable(QString::number(waited.elapsed())));
    QCOMPARE(rig.state->panel.pitchTenths, 1);
    TRY_COMPARE(value->property("text").toString(), QStringLiteral("+0.1"));
    QCOMPARE(commands(), QStringList({ "0250100" }));
}

// One second after the first tap the recorder holds everything it writes for
// `holdMs`, then sends it all in order (a link that stalls while a lost packet
// is sent again, or a busy recorder); pitch "+" is tapped every `gap` ms on
// through the hold and a second after it. Each tap counts from the one before:
// one line per tap, each one step above the one before, and the row ends on
// the last. "pushed": the recorder also pushes its reports of the values
// the user sets and its status every 130 ms, and another controller changes
// the key in the middle of the hold.
void TstHomeStepsE2e::stepsThroughAHold_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<bool>("pushed");
    QTest::newRow("every 300 ms, 200 ms late, held 4 s") << 200 << 300 << 4000 << false;
    QTest::newRow("every 450 ms, 500 ms late, held 4 s") << 500 << 450 << 4000 << false;
    QTest::newRow("every 300 ms, 500 ms late, held 3.3 s, pushed") << 500 << 300 << 3300 << true;
    QTest::newRow("every 450 ms, 200 ms late, held 4 s, pushed") << 200 << 450 << 4000 << true;
    QTest::newRow("every 450 ms, 200 ms late, held 10 s, pushed") << 200 << 450 << 10000 << true;
}

void TstHomeStepsE2e::stepsThroughAHold()
{
    QFETCH(int, late);
    QFETCH(int, gap);
    QFETCH(int, holdMs);
    QFETCH(bool, pushed);

    QQuickItem* settings = settingRow(QStringLiteral("pitchRow"));
    QVERIFY(settings);
    QQuickItem* up = item("stepUp", settings);
    rig.recorder->answerLatencyMs = late;
    QTimer pushes;
    if (pushed)
        pushEvery130Ms(pushes);
    const int taps = (1000 + holdMs + 1000) / gap + 1;
    QStringList lines;
    QElapsedTimer clock;
    clock.start();
    bool held = false;
    bool changed = !pushed;
    for (int i = 0; i < taps; ++i) {
        while (clock.elapsed() < qint64(i) * gap)
            QTest::qWait(int(qint64(i) * gap - clock.elapsed()));
        if (!held && clock.elapsed() >= 1000) {
            rig.recorder->holdEverything(holdMs);
            held = true;
        }
        if (!changed && clock.elapsed() >= 1000 + holdMs / 2) {
            rig.state->panel.key = 3;
            rig.state->announce();
            changed = true;
        }
        click(up);
        const int tenths = i + 1;
        lines << QStringLiteral("025%1%2").arg(tenths % 100, 2, 10, QLatin1Char('0')).arg(tenths / 100, 2, 10, QLatin1Char('0'));
    }
    pushes.stop();
    QVERIFY(held);
    endsOn(settings, lines, taps, QStringLiteral("+%1.%2").arg(taps / 10).arg(taps % 10));
}

// The user taps, 350 ms apart; from the second tap the recorder holds
// everything it writes for `holdMs`, then sends it all in order. The user
// looks `pauseMs`, and taps on (pitch and key: three steps up, then three
// more; the medium: SD2 and USB, then SD2 again and SD1). One line per tap,
// each counting from the one before, so the pick of SD2 after USB goes too;
// the knob shows every step in turn and never anything else, however long
// the answers take (a value older than the user's request); the medium's
// label shows the recorder's media in the order it held them; the recorder
// ends on the last. "pushed": the recorder pushes its reports every 130 ms,
// and another controller changes another value during the hold or after.
void TstHomeStepsE2e::pausesInAHold_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<bool>("pushed");
    QTest::newRow("pitch, 200 ms late, held 3.3 s, looks 3 s") << "pitchRow" << 200 << 3300 << 3000 << false;
    QTest::newRow("pitch, 500 ms late, held 4 s, looks 4 s, pushed") << "pitchRow" << 500 << 4000 << 4000 << true;
    QTest::newRow("pitch, 200 ms late, held 6 s, looks 4 s, pushed") << "pitchRow" << 200 << 6000 << 4000 << true;
    QTest::newRow("pitch, 500 ms late, held 10 s, looks 6 s") << "pitchRow" << 500 << 10000 << 6000 << false;
    QTest::newRow("pitch, 200 ms late, held 30 s, looks 4 s, pushed") << "pitchRow" << 200 << 30000 << 4000 << true;
    QTest::newRow("key, 200 ms late, held 6 s, looks 4 s, pushed") << "keyRow" << 200 << 6000 << 4000 << true;
    QTest::newRow("key, 500 ms late, held 10 s, looks 3 s") << "keyRow" << 500 << 10000 << 3000 << false;
    QTest::newRow("medium, 200 ms late, held 4 s, looks 4 s, pushed") << "currentMediaButton" << 200 << 4000 << 4000 << true;
    QTest::newRow("medium, 200 ms late, held 6 s, looks 5 s") << "currentMediaButton" << 200 << 6000 << 5000 << false;
    QTest::newRow("medium, 200 ms late, held 10 s, looks 4 s, pushed")
        << "currentMediaButton" << 200 << 10000 << 4000 << true;
}

void TstHomeStepsE2e::pausesInAHold()
{
    QFETCH(QString, row);
    QFETCH(int, late);
    QFETCH(int, holdMs);
    QFETCH(int, pauseMs);
    QFETCH(bool, pushed);

    const bool medium = row == QLatin1String("currentMediaButton");
    const bool key = row == QLatin1String("keyRow");
    QQuickItem* settings = medium ? nullptr : settingRow(row);
    QVERIFY(medium || settings);
    QQuickItem* shown = medium ? item("label", item("currentMediaButton")) : item("slider", settings);
    const auto showing = [&] {
        return medium ? shown->property("text").toString()
                      : QString::number(qRound(shown->property("value").toDouble() * (key ? 1 : 10)));
    };
    QStringList seen { showing() };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (showing() != seen.last())
            seen << showing();
    });
    watch.start(5);
    QTimer pushes;
    if (pushed)
        pushEvery130Ms(pushes);
    rig.recorder->answerLatencyMs = late;

    const QStringList media { "SD2", "USB", "SD2", "SD1" };
    const int taps = medium ? 4 : 6;
    const int before = medium ? 2 : 3; // the taps before the pause
    QElapsedTimer clock;
    clock.start();
    QStringList expected { seen.first() };
    for (int i = 0; i < taps; ++i) {
        const qint64 at = qint64(i) * 350 + (i >= before ? pauseMs : 0);
        while (clock.elapsed() < at)
            QTest::qWait(int(at - clock.elapsed()));
        if (i == 1)
            rig.recorder->holdEverything(holdMs);
        if (pushed && i == before) {
            // Another controller, in the middle of the hold or after it.
            if (key)
                rig.state->panel.pitchTenths = 35;
            else
                rig.state->panel.key = -3;
            rig.state->announce();
        }
        if (medium) {
            click(item("currentMediaButton"));
            QQuickItem* entry = item(("media" + media.at(i)).toLatin1());
            TRY_VERIFY(entry->isVisible());
            click(entry);
            expected << media.at(i);
        } else {
            click(item("stepUp", settings));
            expected << QString::number(i + 1);
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(settled() && !rig.recorder->heldForMs(), holdMs + simlink::waitMs);
    QTest::qWait(2 * late + 200);
    pushes.stop();
    watch.stop();
    if (medium) {
        // The media the recorder held, in order: SD1 (before), SD2, USB, SD2, SD1.
        int next = 0;
        for (const QString& label : qAsConst(seen)) {
            while (next < expected.size() && expected.at(next) != label)
                ++next;
            QVERIFY2(next < expected.size(), qPrintable(seen.join(' ')));
        }
        QCOMPARE(seen.last(), media.last());
    } else {
        QCOMPARE(seen.join(' '), expected.join(' '));
    }
    QStringList lines;
    for (int i = 1; i <= taps; ++i) {
        if (medium)
            lines << QStringLiteral("07F01") + (media.at(i - 1) == "USB" ? "10" : media.at(i - 1) == "SD2" ? "01" : "00");
        else if (key)
            lines << QStringLiteral("02D0%1").arg(i);
        else
            lines << QStringLiteral("025%1").arg(i, 2, 10, QLatin1Char('0')) + "00";
    }
    QCOMPARE(commands(), lines);
    if (medium)
        QCOMPARE(rig.state->currentMediumName(), media.last());
    else
        QCOMPARE(key ? rig.state->panel.key : rig.state->panel.pitchTenths, taps);
}

// The recorder reads one line and neither carries it out nor answers it: a
// time poll, the medium poll, or the user's pick of SD2 itself. Then the
// user picks SD2, the recorder switches, another controller switches back to
// SD1 and the recorder tells, and 1 s later the user picks SD2 again. Every
// pick goes, each wait ends on its own answer within a few answer times
// (where the pick was lost, on the answer to the medium read again), and the
// order of answers has caught up.
void TstHomeStepsE2e::repickAfterALostLine_data()
{
    QTest::addColumn<QString>("lost");
    QTest::addColumn<int>("late");
    QTest::newRow("an elapsed-time poll, 200 ms late") << "^05800$" << 200;
    QTest::newRow("a remaining-time poll, 500 ms late") << "^05801$" << 500;
    QTest::newRow("the medium poll, 200 ms late") << "^07F01FF$" << 200;
    QTest::newRow("the medium poll, 500 ms late") << "^07F01FF$" << 500;
    QTest::newRow("the pick, 200 ms late") << "^07F0101$" << 200;
    QTest::newRow("the pick, 500 ms late") << "^07F0101$" << 500;
}

void TstHomeStepsE2e::repickAfterALostLine()
{
    QFETCH(QString, lost);
    QFETCH(int, late);

    Communication& comm = rig.graph->comm;
    QQuickItem* selector = item("currentMediaButton");
    QQuickItem* label = item("label", selector);
    const auto pickSD2 = [&] {
        click(selector);
        QQuickItem* entry = item("mediaSD2");
        TRY_VERIFY(entry->isVisible());
        click(entry);
    };
    // A wait ends on its answer: a few answer times, where a recorder that
    // lost a line kept the order behind for good.
    const int answered = 6 * late + 2000;
    const auto restore = qScopeGuard([this] { rig.recorder->ignoreLines = QRegularExpression(); });
    rig.recorder->answerLatencyMs = late;
    rig.recorder->ignoreLines = QRegularExpression(lost);
    rig.recorder->ignoreTimes = 1;
    const bool pickLost = lost.startsWith(QLatin1String("^07F0101"));
    QStringList lines { "07F0101", "07F0101" };
    if (pickLost) {
        pickSD2();
        TRY_COMPARE(rig.recorder->ignoreTimes, 0);
        // The request stands until the medium read again shows SD1.
        QTRY_VERIFY_WITH_TIMEOUT(!comm.askedMedium.waiting(), answered + late);
        QCOMPARE(label->property("text").toString(), QStringLiteral("SD1"));
        lines << "07F0101";
    } else {
        TRY_COMPARE(rig.recorder->ignoreTimes, 0);
    }
    pickSD2();
    TRY_COMPARE(rig.state->currentMediumName(), QStringLiteral("SD2"));
    QTRY_VERIFY_WITH_TIMEOUT(!comm.askedMedium.waiting(), answered);
    TRY_COMPARE(label->property("text").toString(), QStringLiteral("SD2"));

    rig.state->selectMedium(QStringLiteral("SD1"));
    rig.state->announce();
    TRY_COMPARE(label->property("text").toString(), QStringLiteral("SD1"));
    QTest::qWait(1000);
    pickSD2();
    TRY_COMPARE(rig.state->currentMediumName(), QStringLiteral("SD2"));
    QTRY_VERIFY_WITH_TIMEOUT(!comm.askedMedium.waiting(), answered);
    TRY_COMPARE(label->property("text").toString(), QStringLiteral("SD2"));
    QCOMPARE(commands(), lines);
    // Caught up: what waits is what the polls have just asked.
    QTRY_VERIFY_WITH_TIMEOUT(comm.replyOrder.unanswered() <= 10, 3000);
}

// Every road of the tables again, and answer times above the 500 ms of the
// status poll, which asks for the medium and play area too.
void TstHomeStepsE2e::stepsAmongPushes_data()
{
    steps_data();
    QTest::newRow("pitch: three steps up, pushed, 700 ms late")
        << "pitchRow" << 700 << 150 << "+++" << QStringList { "0250100", "0250200", "0250300" } << 3 << "+0.3";
}

void TstHomeStepsE2e::picksAmongPushes_data()
{
    picks_data();
    QTest::newRow("medium taken back, pushed, 700 ms late")
        << "currentMediaButton" << 700 << 150 << QStringList { "mediaSD2", "mediaSD1" }
        << QStringList { "07F0101", "07F0100" } << "SD1";
    QTest::newRow("play area taken back, pushed, 700 ms late")
        << "playAreaButton" << 700 << 200 << QStringList { "areaFOLDER", "areaALL" }
        << QStringList { "07F074F01", "07F074F00" } << "ALL";
}

QTEST_MAIN(TstHomeStepsE2e)

#include "tst_homesteps_e2e.moc"
