// Picks in the settings tab's drop-downs while the recorder's lists under
// them are read again, end to end: the application's main window against
// simulated recorders that keep a setting's value by its text when its list
// changes. Whatever the drop-down shows and whenever the tap comes, the
// recorder takes either the entry tapped, by its name in the list it holds
// as it takes the line, or nothing; and the row ends showing the recorder's
// value.
#include <QScopeGuard>
#include <QtTest>
#include <memory>

#include "apprig.h"
#include "menumodel.h"
#include "menurig.h"
#include "menuscreenrig.h"
#include "netenv.h"
#include "simunits.h"
#include "windowrig.h"

class TstMenuPicksE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void stereoMonoAfterAChangeOfFormat_data();
    void stereoMonoAfterAChangeOfFormat();
    void formatAfterChangesOfMedium_data();
    void formatAfterChangesOfMedium();

private:
    SimUnit& unitOf(int model) { return model == 1 ? *dual : *mx; }
    // Logs in to the unit unless logged in to it, sets its front panel and
    // waits until the menu shows its values and reads no list.
    void prepare(SimUnit& unit, const QList<QPair<QString, QString>>& values);
    bool settled(SimUnit& unit) const;
    QQuickItem* row(const QString& text) const { return menuscreen::row(rig, text); }
    QString describe(QQuickItem* row) const { return menuscreen::describe(rig, row); }
    QQuickItem* box(QQuickItem* row) const { return rig.item("menuComboBox", row); }
    void pick(const QString& rowText, const QString& choice) { QVERIFY(menuscreen::pick(rig, rowText, choice)); }
    // Opens the row's drop-down and closes it again: the user has seen its list.
    void look(const QString& rowText);
    // Taps where the row's box is until its drop-down opens, as a person
    // waiting for it to show again, then at once the entry with this text;
    // false, with the drop-down closed, when it shows no such entry.
    bool tapAsItOpens(const QString& rowText, const QString& choice);
    // "ITEM=choice" for every set of that item the recorders took since the
    // last clear, named in the list the recorder held as it took the line.
    QStringList setsOf(const QString& item) const { return sets.filter(QRegularExpression("^" + QRegularExpression::escape(item) + "=")); }

    std::unique_ptr<SimUnit> mx, dual;
    QStringList sets;
    AppRig rig;
    std::unique_ptr<ObjectGraph>& graph = rig.graph;
};

void TstMenuPicksE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    mx = std::make_unique<SimUnit>(3, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:14"));
    dual = std::make_unique<SimUnit>(5, QStringLiteral("Dual"), QStringLiteral("00:1B:47:00:00:16"));
    dual->recorder.model = 1;
    for (SimUnit* unit : { mx.get(), dual.get() }) {
        QVERIFY(unit->start());
        sim::MenuModel* menu = sim::menuModel(unit->recorder);
        menu->listsKeepTexts = true;
        connect(&unit->recorder, &sim::SimRecorder::lineReceived, this, [this, menu](int, const QString& line) {
            if (!line.startsWith(QLatin1String("07F6A7A03")) || line.size() != 25)
                return;
            const sim::SimMenuEntry e { line.mid(9, 2).toInt(), line.mid(13, 2).toInt(), line.mid(17, 2).toInt() };
            const int value = line.mid(21, 2).toInt() + 100 * line.mid(23, 2).toInt();
            if (menu->subitem(e))
                sets << menu->pages[e.page].items[e.item].name + '=' + menu->choices(e).value(value, QStringLiteral("#%1").arg(value));
        });
    }
    QVERIFY(rig.start());
}

void TstMenuPicksE2e::cleanupTestCase()
{
    QCOMPARE(windowrig::takeWarnings(), QStringList());
    rig.close();
    mx.reset();
    dual.reset();
}

bool TstMenuPicksE2e::settled(SimUnit& unit) const
{
    const Menu& menu = graph->menu;
    return menu.drawingFinished && !menu.rebuildingForCd && !menu.rebuildingForStereoMono && !menu.mediumChangePending
        && graph->comm.getCurrentMedia() == unit.services.state->currentMediumName()
        && valueDifference(menu, *sim::menuModel(unit.recorder)).isEmpty()
        && treeDifference(menu, *sim::menuModel(unit.recorder)).isEmpty();
}

void TstMenuPicksE2e::prepare(SimUnit& unit, const QList<QPair<QString, QString>>& values)
{
    sim::SimRecorder& recorder = unit.recorder;
    sim::MenuModel* menu = sim::menuModel(recorder);
    recorder.answerLatencyMs = 0;
    unit.services.state->selectMedium(QStringLiteral("SD1"));
    // Logged in first: the walk makes the recorder's menu of its model anew.
    if (graph->comm.getAddress() != recorder.address().toString() || !graph->comm.getLoginComp()) {
        graph->comm.logoutRequest();
        graph->comm.loginRequest(recorder.address().toString(), recorder.password);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.item("loginscreenbase")->isVisible() && graph->menu.drawingFinished, simlink::waitMs);
    }
    for (const auto& v : values) { // one by one: each in the list the one before leaves
        const sim::SimMenuEntry e = menu->find(v.first);
        const int index = menu->choices(e).indexOf(v.second);
        QVERIFY2(index >= 0, qPrintable(v.second));
        menu->setValue(e, index);
    }
    QTRY_VERIFY_WITH_TIMEOUT(settled(unit), simlink::waitMs);
    TRY_COMPARE(graph->comm.getStatusIcon(), 16); // stopped: the home tab's selectors open
    QVERIFY(rig.showTab(1));
    QTest::qWait(300); // what is on its way arrives
    sets.clear();
    recorder.clearLog();
}

void TstMenuPicksE2e::look(const QString& rowText)
{
    QQuickItem* r = row(rowText);
    QVERIFY(r);
    QVERIFY(menuscreen::show(rig, r));
    QVERIFY(rig.click(box(r)));
    QObject* popup = box(r)->property("popup").value<QObject*>();
    TRY_VERIFY(popup->property("opened").toBool());
    QTest::qWait(100); // drawn
    QTest::keyClick(rig.window, Qt::Key_Escape);
    TRY_VERIFY(!popup->property("visible").toBool());
}

bool TstMenuPicksE2e::tapAsItOpens(const QString& rowText, const QString& choice)
{
    QQuickItem* r = row(rowText);
    if (!r || !menuscreen::show(rig, r))
        return false;
    QObject* popup = box(r)->property("popup").value<QObject*>();
    const QPoint at = AppRig::centre(box(r));
    QElapsedTimer waited;
    waited.start();
    while (!popup->property("opened").toBool() && waited.elapsed() < simlink::waitMs) {
        rig.clickAt(at);
        if (!popup->property("opened").toBool())
            QTest::qWait(20);
    }
    QQuickItem* tapped = menuscreen::entry(rig, r, choice);
    if (tapped)
        return rig.click(tapped);
    QTest::keyClick(rig.window, Qt::Key_Escape);
    return false;
}

// STEREO/MONO, whose list follows the record format, picked once it shows
// again after a change of the format: the user's own pick of REC FORMAT 0.8 s
// before (behind a pick of PLAY AREA), or the front panel's with the
// drop-down open. The recorder holds MP3 with JOINT STEREO, and takes it to
// WAV: STEREO and MONO, its value STEREO. "Seen before": the user had opened
// the drop-down on the MP3 list.
void TstMenuPicksE2e::stereoMonoAfterAChangeOfFormat_data()
{
    QTest::addColumn<int>("model"); // 0 KZ-470MX, 1 KZ-470DUAL
    QTest::addColumn<int>("late");
    QTest::addColumn<bool>("panel");     // the front panel changes the format, the drop-down open
    QTest::addColumn<bool>("seenBefore");
    QTest::addColumn<bool>("valueHeld"); // the recorder answers STEREO/MONO's value after the tap
    QTest::addColumn<QString>("tap");

    QTest::newRow("KZ-470DUAL 200 ms late, MONO, seen before") << 1 << 200 << false << true << false << "MONO";
    QTest::newRow("KZ-470DUAL 200 ms late, JOINT STEREO, seen before") << 1 << 200 << false << true << false << "JOINT STEREO";
    QTest::newRow("KZ-470DUAL 200 ms late, STEREO, seen before") << 1 << 200 << false << true << false << "STEREO";
    QTest::newRow("KZ-470DUAL on time, MONO while its value is read") << 1 << 0 << false << false << true << "MONO";
    QTest::newRow("KZ-470DUAL 200 ms late, MONO while its value is read, seen before")
        << 1 << 200 << false << true << true << "MONO";
    QTest::newRow("KZ-470MX on time, MONO, seen before") << 0 << 0 << false << true << false << "MONO";
    QTest::newRow("KZ-470MX 200 ms late, front panel, MONO") << 0 << 200 << true << true << false << "MONO";
    QTest::newRow("KZ-470DUAL on time, front panel, MONO while its value is read") << 1 << 0 << true << true << true << "MONO";
}

void TstMenuPicksE2e::stereoMonoAfterAChangeOfFormat()
{
    QFETCH(int, model);
    QFETCH(int, late);
    QFETCH(bool, panel);
    QFETCH(bool, seenBefore);
    QFETCH(bool, valueHeld);
    QFETCH(QString, tap);
    SimUnit& unit = unitOf(model);
    sim::SimRecorder& recorder = unit.recorder;
    sim::MenuModel* menu = sim::menuModel(recorder);
    const sim::SimMenuEntry stereoMono = menu->find("STEREO/MONO"), format = menu->find("REC FORMAT");
    const auto restore = qScopeGuard([&] {
        recorder.answerLatencyMs = 0;
        recorder.holdAnswersTo = QRegularExpression();
        recorder.releaseAnswers();
    });
    prepare(unit, { { "PLAY AREA", "ALL" }, { "REC FORMAT", "MP3 128kbps 44.1kHz" }, { "STEREO/MONO", "JOINT STEREO" } });
    if (seenBefore)
        look("STEREO/MONO");
    recorder.answerLatencyMs = late;
    if (valueHeld)
        recorder.holdAnswersTo = QRegularExpression("^" + menuLine("01", stereoMono));

    if (panel) {
        QQuickItem* r = row("STEREO/MONO");
        QVERIFY(rig.click(box(r)));
        QObject* popup = box(r)->property("popup").value<QObject*>();
        TRY_VERIFY(popup->property("opened").toBool());
        menu->setValue(format, menu->choices(format).indexOf("WAV 16bit 48kHz"));
        TRY_VERIFY(!popup->property("visible").toBool()); // its list is read again
    } else {
        pick("PLAY AREA", "FOLDER");
        QTest::qWait(800);
        pick("REC FORMAT", "WAV 16bit 48kHz");
        QTest::qWait(800);
    }
    const bool tapped = tapAsItOpens("STEREO/MONO", tap);
    recorder.holdAnswersTo = QRegularExpression();
    recorder.releaseAnswers();

    QTRY_VERIFY_WITH_TIMEOUT(settled(unit), simlink::waitMs);
    QTest::qWait(late + 300); // nothing further may follow
    QVERIFY(settled(unit));
    QCOMPARE(setsOf("STEREO/MONO"), tapped ? QStringList { "STEREO/MONO=" + tap } : QStringList());
    const QString holds = menu->choices(stereoMono).value(menu->subitem(stereoMono)->current());
    QCOMPARE(holds, tapped ? tap : QStringLiteral("STEREO"));
    QCOMPARE(describe(row("STEREO/MONO")), "C STEREO/MONO = " + holds);
    QVERIFY2(tapped || tap == "JOINT STEREO", "the entry was not in the list");
    QCOMPARE(setsOf("REC FORMAT"), panel ? QStringList() : QStringList { "REC FORMAT=WAV 16bit 48kHz" });
}

// REC FORMAT picked once it shows again after SD2 and, 3 s later, SD1 were
// picked on the home tab, whose lists the menu reads again behind each:
// the recorder holds "WAV 16bit 48kHz". "Seen before": the user had opened
// the drop-down before the changes of medium.
void TstMenuPicksE2e::formatAfterChangesOfMedium_data()
{
    QTest::addColumn<int>("model"); // 0 KZ-470MX, 1 KZ-470DUAL
    QTest::addColumn<int>("late");
    QTest::addColumn<bool>("seenBefore");
    QTest::addColumn<QString>("tap");

    QTest::newRow("KZ-470DUAL 200 ms late, WAV 24bit 96kHz, seen before") << 1 << 200 << true << "WAV 24bit 96kHz";
    QTest::newRow("KZ-470DUAL 200 ms late, WAV 24bit 48kHz, seen before") << 1 << 200 << true << "WAV 24bit 48kHz";
    QTest::newRow("KZ-470DUAL 200 ms late, WAV 24bit 96kHz") << 1 << 200 << false << "WAV 24bit 96kHz";
    QTest::newRow("KZ-470DUAL on time, WAV 24bit 44.1kHz, seen before") << 1 << 0 << true << "WAV 24bit 44.1kHz";
    QTest::newRow("KZ-470MX 200 ms late, WAV 24bit 96kHz, seen before") << 0 << 200 << true << "WAV 24bit 96kHz";
}

void TstMenuPicksE2e::formatAfterChangesOfMedium()
{
    QFETCH(int, model);
    QFETCH(int, late);
    QFETCH(bool, seenBefore);
    QFETCH(QString, tap);
    SimUnit& unit = unitOf(model);
    sim::SimRecorder& recorder = unit.recorder;
    sim::MenuModel* menu = sim::menuModel(recorder);
    const sim::SimMenuEntry format = menu->find("REC FORMAT");
    const auto restore = qScopeGuard([&] { recorder.answerLatencyMs = 0; });
    prepare(unit, { { "REC FORMAT", "WAV 16bit 48kHz" }, { "STEREO/MONO", "STEREO" } });
    if (seenBefore)
        look("REC FORMAT");
    recorder.answerLatencyMs = late;
    const auto homePick = [&](const char* medium) {
        QVERIFY(rig.showTab(0));
        QVERIFY(rig.click(rig.item("currentMediaButton")));
        TRY_VERIFY(rig.item(medium)->isVisible());
        QVERIFY(rig.click(rig.item(medium)));
    };
    homePick("mediaSD2");
    QTest::qWait(3000);
    homePick("mediaSD1");
    QVERIFY(rig.showTab(1));
    // Answered: its lists are read again, or have been.
    QTRY_VERIFY_WITH_TIMEOUT(!graph->menu.mediumChangePending, simlink::waitMs);
    const bool tapped = tapAsItOpens("REC FORMAT", tap);
    QVERIFY(tapped);

    QTRY_VERIFY_WITH_TIMEOUT(settled(unit), simlink::waitMs);
    QTest::qWait(late + 300); // nothing further may follow
    QVERIFY(settled(unit));
    QCOMPARE(unit.services.state->currentMediumName(), QStringLiteral("SD1"));
    QCOMPARE(setsOf("REC FORMAT"), QStringList { "REC FORMAT=" + tap });
    QCOMPARE(menu->choices(format).value(menu->subitem(format)->current()), tap);
    QCOMPARE(describe(row("REC FORMAT")), "C REC FORMAT = " + tap);
}

QTEST_MAIN(TstMenuPicksE2e)
#include "tst_menupicks_e2e.moc"
