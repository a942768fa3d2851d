// The settings menu screen end to end: the application's object graph and
// main window against a simulated recorder. After a login the settings tab
// lists the recorder's whole menu; choices, a millisecond range and phantom
// power (with its confirmation) are set with the mouse, as a person would,
// and each reaches the recorder and comes back.
#include <QScopeGuard>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "apprig.h"
#include "menumodel.h"
#include "menurig.h"
#include "menuscreenrig.h"
#include "netenv.h"
#include "simunits.h"
#include "windowrig.h"

// Whether the recorder and the home tab both hold the value picked.
using Ends = std::function<bool(const sim::SimPanel&, const Communication&)>;
Q_DECLARE_METATYPE(Ends)

class TstMenuScreenE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void rowsShowRecorderMenu();
    void dropDownMadeWhenOpened();
    void choiceReachesRecorder();
    void rangeReachesRecorder();
    void rangeStepsFasterThanAnswers_data();
    void rangeStepsFasterThanAnswers();
    void rangePausesInAHold_data();
    void rangePausesInAHold();
    void rangeRowWhoseNodeIsGone_data();
    void rangeRowWhoseNodeIsGone();
    void phantomPowerNeedsConfirmation();
    void phantomConfirmationEndsWithItsTree_data();
    void phantomConfirmationEndsWithItsTree();
    void mediumChangeMarksCurrentMedium();
    void logoutClosesOpenList();
    void pickOnAListAboutToChange_data();
    void pickOnAListAboutToChange();
    void phantomPickBeforeValuesAreRead_data();
    void phantomPickBeforeValuesAreRead();
    void pickAfterAChangeOfMedium_data();
    void pickAfterAChangeOfMedium();
    void mediumPicksWhileListsAreRead_data();
    void mediumPicksWhileListsAreRead();
    void homeTabChangeShowsInTheRow_data();
    void homeTabChangeShowsInTheRow();
    void menuPickTakenBackOnTheHomeTab();
    void doubleTapActsOnce_data();
    void doubleTapActsOnce();
    void menuPickShowsOnTheHomeTab_data();
    void menuPickShowsOnTheHomeTab();

private:
    QQuickItem* named(const char* name, QObject* within = nullptr) const { return rig.item(name, within); }
    QList<QQuickItem*> rows() const { return menuscreen::rows(rig); }
    QQuickItem* row(const QString& text) const { return menuscreen::row(rig, text); }
    QString describe(QQuickItem* row) const { return menuscreen::describe(rig, row); }
    // The entry with this text in the open list of a row's drop-down.
    QQuickItem* entry(QQuickItem* row, const QString& text) const { return menuscreen::entry(rig, row, text); }
    void show(QQuickItem* row) { QVERIFY2(menuscreen::show(rig, row), "the row does not come into view"); }
    void click(QQuickItem* target) { QVERIFY(rig.click(target)); }
    // Opens the row's drop-down and picks the entry with this text.
    void pick(const QString& rowText, const QString& choice) { QVERIFY(menuscreen::pick(rig, rowText, choice)); }
    // The value and set commands the recorder received since forget(), which
    // first lets what is on its way arrive.
    QStringList received() const { return unit->recorder.receivedLines().filter(QRegularExpression("^07F6A7A0[13]")); }
    void forget()
    {
        QTest::qWait(300);
        unit->recorder.clearLog();
    }

    // Sets values at the recorder's front panel and waits until every row
    // shows the recorder's value in the recorder's list.
    void frontPanel(const QList<QPair<sim::SimMenuEntry, int>>& values);
    // DELAY Lch at +20 msec, its range panel open; the row at *r.
    void openDelayLch(QQuickItem** r);
    // No list is being read or about to be, and every row shows the
    // recorder's value.
    bool settled() const;
    // The set commands the recorder received for one entry.
    QStringList setsOf(const sim::SimMenuEntry& e) const { return received().filter(menuLine("03", e)); }

    // Logs in to recorder and waits until the menu is drawn with its values.
    bool logInTo(sim::SimRecorder& recorder);

    std::unique_ptr<SimUnit> unit, other, dual;
    sim::MenuModel* recorderMenu = nullptr;
    AppRig rig;
    std::unique_ptr<ObjectGraph>& graph = rig.graph;
    QQuickWindow*& window = rig.window;
};

void TstMenuScreenE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    unit = std::make_unique<SimUnit>(3, QStringLiteral("Stage"), QStringLiteral("00:1B:47:00:00:14"));
    QVERIFY(unit->start());
    recorderMenu = sim::menuModel(unit->recorder);
    recorderMenu->setValue(recorderMenu->find("INPUT DELAY", "DELAY Rch"), 150);
    // A second recorder on the balanced input with a microphone gain on Lch,
    // where phantom power on the left needs the confirmation.
    other = std::make_unique<SimUnit>(4, QStringLiteral("Hall"), QStringLiteral("00:1B:47:00:00:15"));
    QVERIFY(other->start());
    sim::MenuModel* otherMenu = sim::menuModel(other->recorder);
    otherMenu->setValue(otherMenu->find("INPUT SELECT"), 1);
    otherMenu->setValue(otherMenu->find("INPUT GAIN", "INPUT GAIN Lch"), 1);

    QVERIFY(rig.start());
    graph->comm.loginRequest(unit->recorder.address().toString(), unit->recorder.password);
    QTRY_VERIFY_WITH_TIMEOUT(!named("loginscreenbase")->isVisible() && graph->menu.drawingFinished, simlink::waitMs);
    click(named("tabMenuButton"));
    TRY_VERIFY(named("menuArea")->isVisible());
}

void TstMenuScreenE2e::cleanupTestCase()
{
    QCOMPARE(windowrig::takeWarnings(), QStringList());
    rig.close();
    unit.reset();
    other.reset();
    dual.reset();
}

// Every page, item and subitem the menu shows, in the recorder's order, with
// the recorder's values and its current medium marked; hidden pages, items
// and subitems are left out.
void TstMenuScreenE2e::rowsShowRecorderMenu()
{
    static const QStringList hiddenPages = { "PLAYLIST", "MARK LIST", "NETWORK 1", "NETWORK 2", "FTP CLIENT", "SNTP", "SYSTEM 1", "SYSTEM 2" };
    QStringList expected;
    for (int p = 0; p < recorderMenu->pages.size(); ++p) {
        const sim::SimMenuPage& page = recorderMenu->pages[p];
        if (hiddenPages.contains(page.name))
            continue;
        if (!page.name.back().isDigit() || page.name.endsWith('1'))
            expected << "P " + (page.name.endsWith('1') ? page.name.chopped(2) : page.name);
        for (int i = 0; i < page.items.size(); ++i) {
            const sim::SimMenuItem& item = page.items[i];
            if (item.name == "REMOTE POWER CONTROL")
                continue;
            if (item.subitems.size() > 1)
                expected << "H " + item.name;
            for (int s = 0; s < item.subitems.size(); ++s) {
                const sim::SimMenuSubitem& sub = item.subitems[s];
                QString name = item.subitems.size() == 1 ? item.name : QString(sub.name).replace(QRegularExpression("^INPUT LEVEL\\((.)\\)"), "LEVEL (\\1)");
                if (name == unit->services.state->currentMediumName())
                    name += "(CURRENT)";
                const QStringList choices = recorderMenu->choices({ p, i, s });
                if (!sub.visible)
                    continue;
                if (sub.type == 1)
                    expected << QStringLiteral("R %1 = %2%3 msec").arg(name).arg(sub.current() > 100 ? "+" : "").arg(sub.current() * 10 - 1000);
                else
                    expected << QStringLiteral("C %1 = %2").arg(name, choices.value(sub.readOnly ? 0 : sub.current()));
            }
        }
    }
    QStringList shown;
    QTRY_VERIFY_WITH_TIMEOUT((shown.clear(), [&] { for (QQuickItem* r : rows()) shown << describe(r); }(), shown == expected), simlink::waitMs);
    QCOMPARE(shown, expected);
    QCOMPARE(named("menuArea")->property("contentHeight").toReal(), rows().size() * 50 * window->property("ptSize").toReal());
    QVERIFY(!windowrig::saveFrame(window, QStringLiteral("e2e_menu_top.png")).isNull());
}

// A row's drop-down, its list and entries, are made when it first opens:
// made with every row, they would cost the menu megabytes.
void TstMenuScreenE2e::dropDownMadeWhenOpened()
{
    const auto popupsOf = [](QQuickItem* box) {
        const QList<QObject*> parts = box->findChildren<QObject*>();
        return int(std::count_if(parts.begin(), parts.end(), [](QObject* o) { return o->inherits("QQuickPopup"); }));
    };
    QList<QQuickItem*> boxes;
    for (QQuickItem* r : rows()) {
        if (r->property("modelList").isValid())
            boxes << named("menuComboBox", r);
    }
    QVERIFY(boxes.size() > 20);
    for (QQuickItem* box : boxes)
        QCOMPARE(popupsOf(box), 0);

    QQuickItem* r = row("INPUT SELECT");
    QQuickItem* opened = named("menuComboBox", r);
    show(r);
    click(opened);
    TRY_VERIFY(entry(r, "DIGITAL COAX"));
    for (QQuickItem* box : boxes)
        QCOMPARE(popupsOf(box), box == opened ? 1 : 0);
    QObject* popup = opened->property("popup").value<QObject*>();
    QMetaObject::invokeMethod(popup, "close");
    TRY_VERIFY(!popup->property("visible").toBool());
}

void TstMenuScreenE2e::choiceReachesRecorder()
{
    forget();
    QQuickItem* r = row("INPUT SELECT");
    show(r);
    click(named("menuComboBox", r));
    TRY_VERIFY(entry(r, "DIGITAL COAX"));
    QVERIFY(!windowrig::saveFrame(window, QStringLiteral("e2e_menu_choice_open.png")).isNull());
    click(entry(r, "DIGITAL COAX"));
    TRY_COMPARE(received().value(0), QStringLiteral("07F6A7A030000000000000200"));
    TRY_COMPARE(describe(r), QStringLiteral("C INPUT SELECT = DIGITAL COAX"));
    // A digital input has its own LEVEL choices: the rows take them up.
    const QStringList levels = recorderMenu->choices(recorderMenu->find("INPUT LEVEL", "INPUT LEVEL(L)"));
    TRY_COMPARE(named("menuComboBox", row("LEVEL (L)"))->property("count").toInt(), levels.size());
    QCOMPARE(recorderMenu->subitem(recorderMenu->find("INPUT SELECT"))->current(), 2);
    // Balanced, for the phantom power that follows.
    pick("INPUT SELECT", "ANALOG BAL");
    TRY_COMPARE(describe(r), QStringLiteral("C INPUT SELECT = ANALOG BAL"));
}

void TstMenuScreenE2e::rangeReachesRecorder()
{
    QQuickItem* r = row("DELAY Lch");
    show(r);
    forget();
    click(named("rangeButton", r));
    TRY_VERIFY(named("rangeBar", r)->isVisible());
    click(named("rangePlusButton", r));
    click(named("rangePlusButton", r));
    QVERIFY(!windowrig::saveFrame(window, QStringLiteral("e2e_menu_range_open.png")).isNull());
    TRY_COMPARE(received().filter("07F6A7A03"), (QStringList { "07F6A7A030100010000000101", "07F6A7A030100010000000201" }));
    TRY_COMPARE(describe(r), QStringLiteral("R DELAY Lch = +20 msec"));
    click(named("rangeOkButton", r));
    TRY_VERIFY(!named("rangeBar", r)->isVisible());
    QCOMPARE(recorderMenu->subitem(recorderMenu->find("INPUT DELAY", "DELAY Lch"))->current(), 102);
}

// The minus and plus keys tapped faster than the recorder answers: each
// step counts from the one before, never from an older answer, and the row
// ends on the recorder's value.
void TstMenuScreenE2e::openDelayLch(QQuickItem** r)
{
    frontPanel({ { recorderMenu->find("INPUT DELAY", "DELAY Lch"), 102 } });
    *r = row("DELAY Lch");
    show(*r);
    click(named("rangeButton", *r));
    TRY_VERIFY(named("rangeBar", *r)->isVisible());
}

void TstMenuScreenE2e::rangeStepsFasterThanAnswers_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("gap");
    // "+" plus, "-" minus, from +20 msec; "q" before a tap: stamped as the
    // window system stamps a tap `gap` after the one before (so a double click)
    QTest::addColumn<QString>("taps");
    QTest::addColumn<QList<int>>("sets");
    QTest::addColumn<QString>("shown");

    QTest::newRow("four plus, 400 ms late") << 400 << 150 << "++++" << QList<int> { 103, 104, 105, 106 } << "+60 msec";
    QTest::newRow("three minus, 200 ms late") << 200 << 120 << "---" << QList<int> { 101, 100, 99 } << "-10 msec";
    QTest::newRow("plus taken back, 400 ms late") << 400 << 150 << "+-" << QList<int> { 103, 102 } << "+20 msec";
    QTest::newRow("four plus tapped quickly") << 300 << 150 << "+q++q+" << QList<int> { 103, 104, 105, 106 } << "+60 msec";
    QTest::newRow("two minus tapped quickly") << 0 << 120 << "-q-" << QList<int> { 101, 100 } << "0 msec";
    QTest::newRow("plus taken back quickly") << 300 << 150 << "+q-" << QList<int> { 103, 102 } << "+20 msec";
}

void TstMenuScreenE2e::rangeStepsFasterThanAnswers()
{
    QFETCH(int, late);
    QFETCH(int, gap);
    QFETCH(QString, taps);
    QFETCH(QList<int>, sets);
    QFETCH(QString, shown);

    const sim::SimMenuEntry e = recorderMenu->find("INPUT DELAY", "DELAY Lch");
    QQuickItem* r = nullptr;
    openDelayLch(&r);
    QVERIFY(r);
    unit->recorder.answerLatencyMs = late;
    const auto onTime = qScopeGuard([this] { unit->recorder.answerLatencyMs = 0; });
    for (int k = 0; k < taps.size(); ++k) {
        const bool quick = taps.at(k) == QLatin1Char('q');
        QQuickItem* key = named(taps.at(quick ? ++k : k) == QLatin1Char('+') ? "rangePlusButton" : "rangeMinusButton", r);
        if (quick) {
            QVERIFY(rig.quickTap(key, gap));
            continue;
        }
        if (k > 0)
            QTest::qWait(gap);
        click(key);
    }
    QStringList lines;
    for (int value : sets)
        lines << menuLine("03", e, value);
    TRY_COMPARE(setsOf(e), lines);
    TRY_COMPARE(describe(r), QStringLiteral("R DELAY Lch = ") + shown);
    QTest::qWait(late + 100);
    QCOMPARE(setsOf(e), lines);
    QCOMPARE(recorderMenu->subitem(e)->current(), sets.last());
    QCOMPARE(named("rangeSlideBar", r)->property("value").toInt(), sets.last() * 10 - 1000);
    click(named("rangeOkButton", r));
    TRY_VERIFY(!named("rangeBar", r)->isVisible());
}

// Plus tapped every 350 ms from +20 msec; from the second tap the recorder
// holds everything it writes for `holdMs`, then sends it all in order. The
// user looks `pauseMs` after the third tap and taps three more. One set per
// tap, each a step above the one before; the knob shows every step in turn
// and nothing else; the recorder ends on +80 msec. "told": during the hold
// the recorder tells that its menu changed elsewhere, so every value is
// read again among the sets.
void TstMenuScreenE2e::rangePausesInAHold_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<bool>("told");
    QTest::newRow("200 ms late, held 3.3 s, looks 3 s") << 200 << 3300 << 3000 << false;
    QTest::newRow("500 ms late, held 6 s, looks 4 s, told") << 500 << 6000 << 4000 << true;
    QTest::newRow("200 ms late, held 10 s, looks 6 s") << 200 << 10000 << 6000 << false;
}

void TstMenuScreenE2e::rangePausesInAHold()
{
    QFETCH(int, late);
    QFETCH(int, holdMs);
    QFETCH(int, pauseMs);
    QFETCH(bool, told);

    const sim::SimMenuEntry e = recorderMenu->find("INPUT DELAY", "DELAY Lch");
    QQuickItem* r = nullptr;
    openDelayLch(&r);
    QVERIFY(r);
    QQuickItem* knob = named("rangeSlideBar", r);
    QList<int> seen { knob->property("value").toInt() };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (knob->property("value").toInt() != seen.last())
            seen << knob->property("value").toInt();
    });
    watch.start(5);
    unit->recorder.answerLatencyMs = late;
    const auto onTime = qScopeGuard([this] { unit->recorder.answerLatencyMs = 0; });
    QElapsedTimer clock;
    clock.start();
    QStringList lines;
    QList<int> expected { 20 };
    for (int i = 0; i < 6; ++i) {
        const qint64 at = qint64(i) * 350 + (i >= 3 ? pauseMs : 0);
        while (clock.elapsed() < at)
            QTest::qWait(int(at - clock.elapsed()));
        if (i == 1)
            unit->recorder.holdEverything(holdMs);
        if (told && i == 2)
            unit->recorder.sendLineToLoggedIn(QStringLiteral("0FF6AF640"));
        click(named("rangePlusButton", r));
        lines << menuLine("03", e, 103 + i);
        expected << 30 + 10 * i;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!unit->recorder.heldForMs() && !r->property("held").toBool(), holdMs + simlink::waitMs);
    TRY_COMPARE(describe(r), QStringLiteral("R DELAY Lch = +80 msec"));
    QTest::qWait(late + 100);
    watch.stop();
    QCOMPARE(seen, expected);
    QCOMPARE(setsOf(e), lines);
    QCOMPARE(recorderMenu->subitem(e)->current(), 108);
    click(named("rangeOkButton", r));
    TRY_VERIFY(!named("rangeBar", r)->isVisible());
}

// The recorder's menu no longer has DELAY Rch and it told nothing: it
// answers no line that names it. A step sends its set; the value is asked
// once more and, unanswered too, nothing more: the knob goes back to the
// recorder's last report and stands no longer.
void TstMenuScreenE2e::rangeRowWhoseNodeIsGone_data()
{
    QTest::addColumn<int>("late");
    QTest::newRow("on time") << 0;
    QTest::newRow("200 ms late") << 200;
    QTest::newRow("500 ms late") << 500;
}

void TstMenuScreenE2e::rangeRowWhoseNodeIsGone()
{
    QFETCH(int, late);
    const sim::SimMenuEntry e = recorderMenu->find("INPUT DELAY", "DELAY Rch");
    QQuickItem* r = row("DELAY Rch");
    show(r);
    click(named("rangeButton", r));
    TRY_VERIFY(named("rangeBar", r)->isVisible());
    QQuickItem* knob = named("rangeSlideBar", r);
    const QString shown = describe(r);
    const int reported = knob->property("value").toInt();
    QList<sim::SimMenuSubitem>& subitems = recorderMenu->pages[e.page].items[e.item].subitems;
    QCOMPARE(subitems.size(), e.subitem + 1);
    const sim::SimMenuSubitem gone = subitems.takeLast();
    const auto restore = qScopeGuard([&] {
        unit->recorder.answerLatencyMs = 0;
        subitems.append(gone);
    });
    unit->recorder.answerLatencyMs = late;
    forget();
    click(named("rangePlusButton", r));
    const QStringList lines { menuLine("03", e, gone.value + 1), menuLine("01", e) };
    const auto sent = [&] { return received().filter(QRegularExpression("^" + menuLine("0[13]", e))); };
    QTRY_VERIFY_WITH_TIMEOUT(!r->property("held").toBool(), 6 * late + 4000);
    QCOMPARE(sent(), lines);
    QCOMPARE(knob->property("value").toInt(), reported);
    QCOMPARE(describe(r), shown);
    QTest::qWait(3000 + 2 * late);
    QCOMPARE(sent(), lines);
    click(named("rangeOkButton", r));
    TRY_VERIFY(!named("rangeBar", r)->isVisible());
}

void TstMenuScreenE2e::phantomPowerNeedsConfirmation()
{
    forget(); // a gain picked while the LEVEL lists still follow the new input is put back
    pick("INPUT GAIN Lch", "MIC LOW");
    TRY_COMPARE(recorderMenu->subitem(recorderMenu->find("INPUT GAIN", "INPUT GAIN Lch"))->current(), 1);
    TRY_COMPARE(describe(row("INPUT GAIN Lch")), QStringLiteral("C INPUT GAIN Lch = MIC LOW"));
    QQuickItem* phantom = row("PHANTOM(+48V)Lch");
    forget();

    pick("PHANTOM(+48V)Lch", "ON");
    QQuickItem* cancel = named("phantomCancelButton");
    TRY_VERIFY(cancel->isVisible());
    TRY_COMPARE(cancel->parentItem()->opacity(), 1.0); // faded in
    QVERIFY(!windowrig::saveFrame(window, QStringLiteral("e2e_menu_phantom.png")).isNull());
    click(cancel);
    TRY_COMPARE(describe(phantom), QStringLiteral("C PHANTOM(+48V)Lch = OFF"));
    QVERIFY2(received().filter("07F6A7A03").isEmpty(), qPrintable(received().join(' ')));
    QVERIFY(received().contains("07F6A7A01000002000000")); // every value read again

    pick("PHANTOM(+48V)Lch", "ON");
    TRY_VERIFY(named("phantomOkButton")->isVisible());
    click(named("phantomOkButton"));
    TRY_COMPARE(received().filter("07F6A7A03"), QStringList { "07F6A7A030000020000000100" });
    TRY_COMPARE(describe(phantom), QStringLiteral("C PHANTOM(+48V)Lch = ON"));
    QVERIFY(unit->services.state->panel.phantom);
}

// The confirmation names a place in the menu tree of one login: a logout
// and a login to another recorder, a lost link or a new walk of the menu
// hides it, nothing reaches either recorder, not even from a press where its
// OK was, and the row shows the recorder's value again.
void TstMenuScreenE2e::phantomConfirmationEndsWithItsTree_data()
{
    QTest::addColumn<int>("end"); // 0 logout and login to the other recorder, 1 link loss, 2 new walk
    QTest::newRow("logout, login to another recorder") << 0;
    QTest::newRow("link loss, reconnection") << 1;
    QTest::newRow("new menu walk") << 2;
}

void TstMenuScreenE2e::phantomConfirmationEndsWithItsTree()
{
    QFETCH(int, end);
    pick("PHANTOM(+48V)Lch", "OFF");
    TRY_COMPARE(describe(row("PHANTOM(+48V)Lch")), QStringLiteral("C PHANTOM(+48V)Lch = OFF"));
    QTest::qWait(300);
    pick("PHANTOM(+48V)Lch", "ON");
    QQuickItem* ok = named("phantomOkButton");
    TRY_VERIFY(ok->isVisible());
    const QPoint okAt = ok->mapToScene(QPointF(ok->width() / 2, ok->height() / 2)).toPoint();
    sim::SimRecorder& from = graph->comm.getAddress() == unit->recorder.address().toString() ? unit->recorder : other->recorder;
    sim::SimRecorder& to = end == 0 ? (&from == &unit->recorder ? other->recorder : unit->recorder) : from;
    unit->recorder.clearLog();
    other->recorder.clearLog();
    if (end == 0) {
        graph->comm.logoutRequest();
        graph->comm.loginRequest(to.address().toString(), to.password);
    } else if (end == 1) {
        from.disconnectAll();
    } else {
        QStringList pageCount;
        QVERIFY(sim::menuModel(from)->answersTo("07F6A7A10", &pageCount));
        from.sendLineToLoggedIn(pageCount.value(0));
    }
    TRY_VERIFY(!ok->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(graph->comm.getLoginComp() && !named("loginscreenbase")->isVisible()
                                 && graph->menu.drawingFinished && row("PHANTOM(+48V)Lch"), simlink::waitMs);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, okAt);
    TRY_COMPARE(describe(row("PHANTOM(+48V)Lch")), QStringLiteral("C PHANTOM(+48V)Lch = OFF"));
    QTest::qWait(300);
    const auto sets = [](const sim::SimRecorder& r) { return r.receivedLines().filter("07F6A7A03"); };
    QCOMPARE(sets(unit->recorder) + sets(other->recorder), QStringList());
    QVERIFY(!sim::statusModel(to)->panel.phantom);
    if (&to != &from) { // back to the first recorder for the roads that follow
        graph->comm.logoutRequest();
        graph->comm.loginRequest(from.address().toString(), from.password);
        QTRY_VERIFY_WITH_TIMEOUT(!named("loginscreenbase")->isVisible() && graph->menu.drawingFinished, simlink::waitMs);
    }
}

void TstMenuScreenE2e::mediumChangeMarksCurrentMedium()
{
    recorderMenu->selectMedium("USB");
    QTRY_VERIFY_WITH_TIMEOUT(row("USB(CURRENT)"), simlink::waitMs);
    QVERIFY(row("SD1") && row("SD2"));
    TRY_COMPARE(describe(row("CAPACITY")), QStringLiteral("C CAPACITY = 64GB"));
}

// A long drop-down open at logout closes; logged in again, the rows are
// built anew without a warning and mark the current medium at once.
void TstMenuScreenE2e::logoutClosesOpenList()
{
    QQuickItem* box = named("menuComboBox", row("TIME ZONE"));
    show(row("TIME ZONE"));
    click(box);
    QObject* popup = box->property("popup").value<QObject*>();
    TRY_VERIFY(popup->property("visible").toBool());
    QCOMPARE(box->property("count").toInt(), 27);
    graph->comm.logoutRequest();
    TRY_VERIFY(!popup->property("visible").toBool());
    QVERIFY(!box->hasActiveFocus());
    graph->comm.loginRequest(unit->recorder.address().toString(), unit->recorder.password);
    QTRY_VERIFY_WITH_TIMEOUT(!named("loginscreenbase")->isVisible() && graph->menu.drawingFinished, simlink::waitMs);
    TRY_VERIFY(row("TIME ZONE"));
    QTRY_VERIFY_WITH_TIMEOUT(row("USB(CURRENT)"), simlink::waitMs);
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

void TstMenuScreenE2e::frontPanel(const QList<QPair<sim::SimMenuEntry, int>>& values)
{
    unit->recorder.answerLatencyMs = 0;
    unit->recorder.clearLog();
    recorderMenu->setValues(values);
    TRY_VERIFY(received().contains("07F6A7A01000000000000")); // every value read again
    QTRY_VERIFY_WITH_TIMEOUT(settled() && treeDifference(graph->menu, *recorderMenu).isEmpty(), simlink::waitMs);
    forget();
}

bool TstMenuScreenE2e::settled() const
{
    const Menu& menu = graph->menu;
    return !menu.inputChangePending && !menu.rebuildingInputLevel && !menu.rebuildingForStereoMono
        && valueDifference(menu, *recorderMenu).isEmpty();
}

// A pick on a list that a change just sent may alter, with the recorder
// answering 400 ms late and holding the change's answer until the pick is
// made: the recorder ends with the entry the user picked, or with its own
// value, shown in the row, and nothing was sent for it; never with the entry
// that stood at the picked place in the other list.
void TstMenuScreenE2e::pickOnAListAboutToChange_data()
{
    QTest::addColumn<QString>("changed"); // "ROW=choice" picked first; "" nothing
    QTest::addColumn<QString>("picked");  // "ROW=choice" picked while the change is unanswered

    QTest::newRow("INPUT SELECT, then LEVEL (L)") << "INPUT SELECT=DIGITAL COAX" << "LEVEL (L)=+2dB";
    QTest::newRow("INPUT GAIN Lch, then LEVEL (L)") << "INPUT GAIN Lch=MIC LOW" << "LEVEL (L)=+2dB";
    QTest::newRow("REC FORMAT, then STEREO/MONO") << "REC FORMAT=MP3 128kbps 44.1kHz" << "STEREO/MONO=MONO";
    QTest::newRow("LEVEL (L) with nothing pending") << "" << "LEVEL (L)=+2dB";
}

void TstMenuScreenE2e::pickOnAListAboutToChange()
{
    QFETCH(QString, changed);
    QFETCH(QString, picked);
    const auto entryOf = [this](const QString& rowName) {
        return rowName == "LEVEL (L)" ? recorderMenu->find("INPUT LEVEL", "INPUT LEVEL(L)")
            : rowName.startsWith("INPUT GAIN") ? recorderMenu->find("INPUT GAIN", rowName)
                                               : recorderMenu->find(rowName);
    };
    const sim::SimMenuEntry dependent = entryOf(picked.section('=', 0, 0));
    // ANALOG UNBAL, LINE: LEVEL (L) "+0dB" of -12..+12 dB; WAV: STEREO of STEREO, MONO.
    frontPanel({ { entryOf("INPUT SELECT"), 0 }, { entryOf("INPUT GAIN Lch"), 0 }, { entryOf("LEVEL (L)"), 12 },
                 { entryOf("REC FORMAT"), 1 }, { entryOf("STEREO/MONO"), 0 } });
    const int before = recorderMenu->subitem(dependent)->current();
    const auto restore = qScopeGuard([this] {
        unit->recorder.answerLatencyMs = 0;
        unit->recorder.holdAnswersTo = QRegularExpression();
        unit->recorder.releaseAnswers();
    });
    unit->recorder.answerLatencyMs = 400;
    if (!changed.isEmpty()) {
        const sim::SimMenuEntry e = entryOf(changed.section('=', 0, 0));
        unit->recorder.holdAnswersTo = QRegularExpression("^" + menuLine("03", e));
        pick(changed.section('=', 0, 0), changed.section('=', 1));
        TRY_COMPARE(setsOf(e).size(), 1);
    }
    // The drop-down may be hidden while its list is read again: then the tap
    // finds nothing to open.
    QQuickItem* r = row(picked.section('=', 0, 0));
    show(r);
    rig.clickAt(AppRig::centre(named("menuComboBox", r)));
    const QString choice = picked.section('=', 1);
    if (QTest::qWaitFor([&] { return entry(r, choice) != nullptr; }, 1000))
        click(entry(r, choice));
    if (changed.isEmpty()) // nothing to wait for: it goes before any answer comes
        QTRY_COMPARE_WITH_TIMEOUT(setsOf(dependent).size(), 1, 300);
    unit->recorder.holdAnswersTo = QRegularExpression();
    unit->recorder.releaseAnswers();

    QTRY_VERIFY_WITH_TIMEOUT(settled(), 30000);
    QTest::qWait(500); // nothing further may follow
    const int value = recorderMenu->subitem(dependent)->current();
    const QString now = recorderMenu->choices(dependent).value(value);
    QCOMPARE(describe(r), QStringLiteral("C %1 = %2").arg(picked.section('=', 0, 0), now));
    QCOMPARE(treeDifference(graph->menu, *recorderMenu), QString());
    if (now == choice)
        QCOMPARE(setsOf(dependent).size(), 1);
    else
        QVERIFY2(value == before && setsOf(dependent).isEmpty(), qPrintable(now + ": " + setsOf(dependent).join(' ')));
    if (changed.isEmpty())
        QCOMPARE(now, choice);
}

// Phantom power picked while the rows of the check do not show the
// recorder's values yet: after a login, or after the recorder's notice that
// its values changed (the front panel chose the balanced input). Value
// answers come late; the question shows, Cancel sends nothing, and phantom
// power stays off. The question for rows that hold the values needing it is
// phantomPowerNeedsConfirmation's.
void TstMenuScreenE2e::phantomPickBeforeValuesAreRead_data()
{
    QTest::addColumn<bool>("login"); // else the recorder's notice "40"
    QTest::newRow("login") << true;
    QTest::newRow("notice 40") << false;
}

void TstMenuScreenE2e::phantomPickBeforeValuesAreRead()
{
    QFETCH(bool, login);
    const auto values = QRegularExpression("^07F6A7A01");
    sim::SimRecorder& recorder = login ? other->recorder : unit->recorder;
    sim::MenuModel* menu = sim::menuModel(recorder);
    const auto restore = qScopeGuard([&] {
        recorder.answerLatencyMs = 0;
        recorder.holdAnswersTo = QRegularExpression();
        recorder.releaseAnswers();
        if (graph->comm.getAddress() != unit->recorder.address().toString()) { // back for the roads that follow
            graph->comm.logoutRequest();
            graph->comm.loginRequest(unit->recorder.address().toString(), unit->recorder.password);
            QVERIFY(QTest::qWaitFor([&] { return !named("loginscreenbase")->isVisible() && graph->menu.drawingFinished && settled(); }, simlink::waitMs));
        }
    });
    if (login) { // on the balanced input with a microphone gain on Lch (initTestCase)
        graph->comm.logoutRequest();
        recorder.clearLog();
        const QMetaObject::Connection late = connect(&graph->menu, &Menu::menuCompleted, this, [&] {
            recorder.answerLatencyMs = 400;
            recorder.holdAnswersTo = values;
        });
        graph->comm.loginRequest(recorder.address().toString(), recorder.password);
        QTRY_VERIFY_WITH_TIMEOUT(!named("loginscreenbase")->isVisible() && graph->menu.drawingFinished, simlink::waitMs);
        disconnect(late);
        QCOMPARE(describe(row("INPUT SELECT")), QStringLiteral("C INPUT SELECT = ")); // no value yet
    } else {
        frontPanel({ { menu->find("INPUT SELECT"), 0 }, { menu->find("INPUT GAIN", "INPUT GAIN Lch"), 1 },
                     { menu->find("PHANTOM(+48V)", "PHANTOM(+48V)Lch"), 0 } });
        recorder.answerLatencyMs = 400;
        recorder.holdAnswersTo = values;
        menu->setValue(menu->find("INPUT SELECT"), 1);
        TRY_VERIFY(recorder.receivedLines().contains("07F6A7A01000000000000"));
        QCOMPARE(describe(row("INPUT SELECT")), QStringLiteral("C INPUT SELECT = ANALOG UNBAL")); // read again
    }
    QVERIFY(recorder.holdsAnswers());
    pick("PHANTOM(+48V)Lch", "ON");
    TRY_VERIFY(named("phantomCancelButton")->isVisible());
    click(named("phantomCancelButton"));
    recorder.holdAnswersTo = QRegularExpression();
    recorder.releaseAnswers();
    QTRY_COMPARE_WITH_TIMEOUT(describe(row("PHANTOM(+48V)Lch")), QStringLiteral("C PHANTOM(+48V)Lch = OFF"), simlink::waitMs);
    TRY_COMPARE(describe(row("INPUT SELECT")), QStringLiteral("C INPUT SELECT = ANALOG BAL"));
    QTest::qWait(500);
    QCOMPARE(recorder.receivedLines().filter("07F6A7A03"), QStringList());
    QVERIFY(!sim::statusModel(recorder)->panel.phantom);
}

bool TstMenuScreenE2e::logInTo(sim::SimRecorder& recorder)
{
    graph->comm.logoutRequest();
    graph->comm.loginRequest(recorder.address().toString(), recorder.password);
    return QTest::qWaitFor([&] { return !named("loginscreenbase")->isVisible() && graph->menu.drawingFinished
                                     && valueDifference(graph->menu, *sim::menuModel(recorder)).isEmpty(); },
                           simlink::waitMs);
}

// On a KZ-470DUAL recording WAV, CD picked on the home tab's medium selector
// and at once "WAV 16bit 44.1kHz" on the settings tab, before the medium's
// answer comes: the recorder, already on CD, would read the entry's number
// in its CD list. The pick is not sent; the row ends on the recorder's own
// value in the CD list.
void TstMenuScreenE2e::pickAfterAChangeOfMedium_data()
{
    QTest::addColumn<int>("latency");
    QTest::newRow("200 ms") << 200;
    QTest::newRow("400 ms") << 400;
}

void TstMenuScreenE2e::pickAfterAChangeOfMedium()
{
    QFETCH(int, latency);
    if (!dual) {
        dual = std::make_unique<SimUnit>(5, QStringLiteral("Dual"), QStringLiteral("00:1B:47:00:00:16"));
        dual->recorder.model = 1;
        QVERIFY(dual->start());
    }
    sim::MenuModel* menu = sim::menuModel(dual->recorder);
    const sim::SimMenuEntry format = menu->find("REC FORMAT");
    const auto restore = qScopeGuard([&] {
        dual->recorder.answerLatencyMs = 0;
        dual->recorder.releaseAnswers();
        QVERIFY(logInTo(unit->recorder)); // for the roads that follow
    });
    sim::statusModel(dual->recorder)->selectMedium("SD1");
    menu->setValue(format, 1);
    QVERIFY(logInTo(dual->recorder));
    QVERIFY(rig.showTab(1));
    show(row("REC FORMAT"));
    QCOMPARE(describe(row("REC FORMAT")), QStringLiteral("C REC FORMAT = WAV 16bit 48kHz"));
    QVERIFY(rig.showTab(0));
    dual->recorder.clearLog();
    dual->recorder.answerLatencyMs = latency;

    click(rig.item("currentMediaButton"));
    TRY_VERIFY(rig.item("mediaCD")->isVisible());
    dual->recorder.holdAnswersTo = QRegularExpression("."); // from the medium's line on, until the pick
    click(rig.item("mediaCD"));
    TRY_VERIFY(dual->recorder.receivedLines().contains("07F0111"));
    click(named("tabMenuButton"));
    QQuickItem* r = row("REC FORMAT");
    TRY_VERIFY(r && r->isVisible());
    click(named("menuComboBox", r));
    TRY_VERIFY(entry(r, "WAV 16bit 44.1kHz"));
    click(entry(r, "WAV 16bit 44.1kHz"));
    QVERIFY(dual->recorder.holdsAnswers()); // nothing answered yet
    dual->recorder.releaseAnswers();

    QTRY_COMPARE_WITH_TIMEOUT(describe(r), QStringLiteral("C REC FORMAT = CD-DA"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!graph->menu.rebuildingForCd && !graph->menu.rebuildingForStereoMono
                                 && valueDifference(graph->menu, *menu).isEmpty(), simlink::waitMs);
    QTest::qWait(500); // nothing further may follow
    QCOMPARE(dual->services.state->currentMediumName(), QStringLiteral("CD"));
    QCOMPARE(dual->recorder.receivedLines().filter(menuLine("03", format)), QStringList());
    QCOMPARE(treeDifference(graph->menu, *menu), QString());
}

// On a KZ-470DUAL answering 200 ms late, the medium changed again while the
// settings menu reads the lists that follow it (on the home tab's selector,
// or at the recorder's front panel): the recorder does not answer a name
// past the end of a list. No line names an index past the end of the list
// the recorder holds when it takes the line; PLAY AREA and REC FORMAT end
// with the recorder's lists and values for the medium current, also after
// SD1 again, and take picks there.
void TstMenuScreenE2e::mediumPicksWhileListsAreRead_data()
{
    // "home M": the home tab's medium selector; "panel M": the recorder's
    // front panel; "area A": the home tab's play area; "reading N": until the
    // recorder is asked for name N of the REC FORMAT list.
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("CD, SD1, CD while SD1's formats are read") << QStringList { "home SD1", "reading 3", "home CD" };
    QTest::newRow("CD, SD1, PLAYLIST, CD at once") << QStringList { "home SD1", "area PLAYLIST", "home CD" };
    QTest::newRow("CD at the front panel while SD1's formats are read")
        << QStringList { "home SD1", "reading 3", "panel CD" };
}

void TstMenuScreenE2e::mediumPicksWhileListsAreRead()
{
    QFETCH(QStringList, steps);
    if (!dual) {
        dual = std::make_unique<SimUnit>(5, QStringLiteral("Dual"), QStringLiteral("00:1B:47:00:00:16"));
        dual->recorder.model = 1;
        QVERIFY(dual->start());
    }
    sim::SimRecorder& recorder = dual->recorder;
    sim::MenuModel* menu = sim::menuModel(recorder);
    const sim::SimMenuEntry format = menu->find("REC FORMAT"), area = menu->find("PLAY AREA");
    const auto restore = qScopeGuard([&] {
        recorder.answerLatencyMs = 0;
        QVERIFY(logInTo(unit->recorder)); // for the roads that follow
    });
    sim::statusModel(recorder)->selectMedium("CD");
    QVERIFY(rig.showTab(0));
    QVERIFY(logInTo(recorder));
    TRY_COMPARE(graph->comm.getStatusIcon(), 16); // the selectors open while stopped
    recorder.clearLog();
    recorder.answerLatencyMs = 200;
    const auto homePick = [&](const char* button, const QString& entry) {
        QVERIFY(rig.showTab(0));
        click(rig.item(button));
        TRY_VERIFY(rig.item(entry.toLatin1())->isVisible());
        click(rig.item(entry.toLatin1()));
    };
    QElapsedTimer clock;
    clock.start();
    for (const QString& step : steps) {
        const QString what = step.section(' ', 0, 0), arg = step.section(' ', 1);
        if (what == "home")
            homePick("currentMediaButton", "media" + arg);
        else if (what == "area")
            homePick("playAreaButton", "area" + arg);
        else if (what == "panel")
            menu->selectMedium(arg);
        else
            QTRY_VERIFY_WITH_TIMEOUT(recorder.receivedLines().contains(menuLine("24", format, arg.toInt())), simlink::waitMs);
    }
    QVERIFY(clock.elapsed() < 3500);

    const auto settledOn = [&](const QString& medium) {
        return dual->services.state->currentMediumName() == medium && graph->comm.getCurrentMedia() == medium
            && !graph->menu.rebuildingForCd && !graph->menu.rebuildingForStereoMono && !graph->menu.mediumChangePending
            && valueDifference(graph->menu, *menu).isEmpty() && treeDifference(graph->menu, *menu).isEmpty();
    };
    const auto shows = [&](const sim::SimMenuEntry& e) {
        return QStringLiteral("C %1 = %2").arg(menu->pages[e.page].items[e.item].name, menu->choices(e).value(menu->subitem(e)->current()));
    };
    QTRY_VERIFY_WITH_TIMEOUT(settledOn("CD"), 30000);
    QVERIFY(rig.showTab(1));
    QCOMPARE(describe(row("PLAY AREA")), QStringLiteral("C PLAY AREA = ALL"));
    QCOMPARE(describe(row("REC FORMAT")), QStringLiteral("C REC FORMAT = CD-DA"));

    homePick("currentMediaButton", "mediaSD1");
    QTRY_VERIFY_WITH_TIMEOUT(settledOn("SD1"), 30000);
    QVERIFY(rig.showTab(1));
    QCOMPARE(describe(row("PLAY AREA")), shows(area));
    QCOMPARE(describe(row("REC FORMAT")), shows(format));
    for (const auto& choice : { qMakePair(format, QStringLiteral("WAV 24bit 48kHz")), qMakePair(area, QStringLiteral("FOLDER")) }) {
        const QString name = menu->pages[choice.first.page].items[choice.first.item].name;
        const int index = menu->choices(choice.first).indexOf(choice.second);
        pick(name, choice.second);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.receivedLines().contains(menuLine("03", choice.first, index)), simlink::waitMs);
        TRY_COMPARE(menu->subitem(choice.first)->current(), index);
        TRY_COMPARE(describe(row(name)), QStringLiteral("C %1 = %2").arg(name, choice.second));
    }

    // Every name asked of the two lists lies within the list the recorder
    // held when it took the line.
    bool onCd = true;
    for (const QString& line : recorder.receivedLines()) {
        if (line == "07F0111" || line == "07F0100")
            onCd = line == "07F0111";
        // The front panel's switch comes between the lines; the names on
        // their way then are the only ones the application could not know.
        for (const auto& e : { format, area }) {
            if (!line.startsWith(menuLine("24", e)))
                continue;
            const int size = onCd ? 1 : e.page == format.page ? 10 : 3;
            QVERIFY2(line.mid(21, 2).toInt() < size || steps.last().startsWith("panel"), qPrintable(line));
        }
    }
}

// PLAY AREA, PLAY MODE, PITCH and KEY are set on the home tab too. After a
// change there the settings row shows the recorder's value, and a pick of
// the value the home tab changed away from goes out, also when it is made
// before any answer has come and the row still shows that value; the
// recorder and the home tab then hold it.
void TstMenuScreenE2e::homeTabChangeShowsInTheRow_data()
{
    QTest::addColumn<QStringList>("home");  // clicked in order; "ROW/NAME" is NAME within ROW
    QTest::addColumn<QString>("entry");     // the menu item
    QTest::addColumn<QString>("shows");     // after the change on the home tab
    QTest::addColumn<QString>("pick");      // the value before it
    QTest::addColumn<int>("latency");
    QTest::addColumn<bool>("beforeAnswers"); // picked while the recorder holds every answer
    QTest::addColumn<Ends>("ends");

    const QStringList area { "playAreaButton", "areaPLAYLIST" };
    const Ends areaAll = [this](const sim::SimPanel& p, const Communication& c) {
        return p.playArea == 0 && c.getPlayArea() == "ALL"
            && rig.item("label", rig.item("playAreaButton"))->property("text") == QStringLiteral("ALL");
    };
    QTest::newRow("play area, on time") << area << "PLAY AREA" << "PLAYLIST" << "ALL" << 0 << false << areaAll;
    QTest::newRow("play area, 200 ms late") << area << "PLAY AREA" << "PLAYLIST" << "ALL" << 200 << false << areaAll;
    QTest::newRow("play area, 500 ms late") << area << "PLAY AREA" << "PLAYLIST" << "ALL" << 500 << false << areaAll;
    QTest::newRow("play area, 500 ms late, before any answer") << area << "PLAY AREA" << "PLAYLIST" << "ALL" << 500 << true
                                                               << areaAll;
    QTest::newRow("play mode, before any answer")
        << QStringList { "playModeButton", "modeRANDOM" } << "PLAY MODE" << "RANDOM" << "CONTINUE" << 200 << true
        << Ends([this](const sim::SimPanel& p, const Communication& c) {
               return p.playMode == 0 && c.getPlayMode() == "CONTINUE"
                   && rig.item("label", rig.item("playModeButton"))->property("text") == QStringLiteral("CONTINUE");
           });
    QTest::newRow("pitch, before any answer")
        << QStringList { "gearButton", "pitchRow/onOff" } << "PITCH" << "ON" << "OFF" << 200 << true
        << Ends([](const sim::SimPanel& p, const Communication& c) { return !p.pitchOn && !c.getPitchStatus(); });
    QTest::newRow("key, before any answer")
        << QStringList { "gearButton", "keyRow/stepUp" } << "KEY" << "+1" << "0" << 200 << true
        << Ends([](const sim::SimPanel& p, const Communication& c) { return p.key == 0 && c.getKeyData() == 0; });
}

void TstMenuScreenE2e::homeTabChangeShowsInTheRow()
{
    QFETCH(QStringList, home);
    QFETCH(QString, entry);
    QFETCH(QString, shows);
    QFETCH(QString, pick);
    QFETCH(int, latency);
    QFETCH(bool, beforeAnswers);
    QFETCH(Ends, ends);
    sim::SimRecorder& recorder = unit->recorder;
    const auto restore = qScopeGuard([&] {
        recorder.answerLatencyMs = 0;
        recorder.releaseAnswers();
        recorder.holdAnswersTo = QRegularExpression();
    });
    sim::SimPanel& panel = unit->services.state->panel;
    panel.playArea = panel.playMode = panel.key = 0;
    panel.pitchOn = panel.keyOn = false;
    QVERIFY(rig.showTab(0));
    rig.item("homeSettingWindowLoader")->setProperty("active", false);
    QVERIFY(logInTo(recorder));
    QCOMPARE(graph->comm.getPlayArea(), QStringLiteral("ALL"));
    const sim::SimMenuEntry e = recorderMenu->find(entry);
    const int picked = recorderMenu->choices(e).indexOf(pick);
    QVERIFY(picked >= 0);
    recorder.clearLog();
    recorder.answerLatencyMs = latency;

    for (const QString& name : home) {
        QQuickItem* within = name.contains('/') ? rig.item(name.section('/', 0, 0).toLatin1()) : nullptr;
        QQuickItem* target = nullptr;
        TRY_VERIFY((target = rig.item(name.section('/', -1).toLatin1(), within)) && target->isVisible());
        if (beforeAnswers && name == home.last())
            recorder.holdAnswersTo = QRegularExpression(".");
        click(target);
    }
    QVERIFY(rig.showTab(1));
    QQuickItem* r = row(entry);
    QVERIFY(r);
    show(r);
    if (beforeAnswers)
        QCOMPARE(describe(r), QStringLiteral("C %1 = %2").arg(entry, pick)); // what it knew
    else
        QTRY_COMPARE_WITH_TIMEOUT(describe(r), QStringLiteral("C %1 = %2").arg(entry, shows), 10000);
    this->pick(entry, pick);
    if (beforeAnswers) {
        QVERIFY(recorder.holdsAnswers()); // nothing answered yet
        recorder.releaseAnswers();
    }
    QTRY_COMPARE_WITH_TIMEOUT(setsOf(e), QStringList { menuLine("03", e, picked) }, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(ends(panel, graph->comm), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(describe(r), QStringLiteral("C %1 = %2").arg(entry, pick), 10000);
    QTest::qWait(latency + 300); // nothing further may follow
    QVERIFY(ends(panel, graph->comm));
    QCOMPARE(describe(r), QStringLiteral("C %1 = %2").arg(entry, pick));
    QCOMPARE(setsOf(e).size(), 1);
}

// RANDOM picked in the menu, then CONTINUE on the home tab before the
// recorder has answered anything: the home tab's selector still shows
// CONTINUE, but the pick is compared with the menu's, so it goes, and the
// recorder ends on CONTINUE.
void TstMenuScreenE2e::menuPickTakenBackOnTheHomeTab()
{
    sim::SimRecorder& recorder = unit->recorder;
    const auto restore = qScopeGuard([&] {
        recorder.releaseAnswers();
        recorder.holdAnswersTo = QRegularExpression();
    });
    sim::SimPanel& panel = unit->services.state->panel;
    panel.playArea = panel.playMode = 0;
    QVERIFY(rig.showTab(0));
    QVERIFY(logInTo(recorder));
    TRY_COMPARE(graph->comm.getStatusIcon(), 16); // the play mode is picked while stopped
    QVERIFY(rig.showTab(1));
    QQuickItem* r = row("PLAY MODE");
    QVERIFY(r);
    show(r);
    recorder.clearLog();
    recorder.holdAnswersTo = QRegularExpression(".");
    pick("PLAY MODE", "RANDOM");
    TRY_VERIFY(recorder.receivedLines().contains("04E"));
    QVERIFY(rig.showTab(0));
    QCOMPARE(rig.item("label", rig.item("playModeButton"))->property("text").toString(), QStringLiteral("CONTINUE"));
    click(rig.item("playModeButton"));
    TRY_VERIFY(rig.item("modeCONTINUE")->isVisible());
    click(rig.item("modeCONTINUE"));
    TRY_VERIFY(recorder.receivedLines().contains("04D00"));
    QVERIFY(recorder.holdsAnswers()); // nothing answered yet
    recorder.releaseAnswers();
    TRY_VERIFY(panel.playMode == 0 && graph->comm.getPlayMode() == "CONTINUE");
    QTest::qWait(500); // nothing further may follow
    QCOMPARE(panel.playMode, 0);
    QCOMPARE(graph->comm.getPlayMode(), QStringLiteral("CONTINUE"));
}

// A person's double tap where the first tap opens or closes something: the
// range window opens over its row, its slider under the finger; a picked
// gain closes its list over the phantom power row. The second press, at the
// same point, sets and opens nothing; nor does a third, nor a finger's.
void TstMenuScreenE2e::doubleTapActsOnce_data()
{
    QTest::addColumn<int>("late");
    QTest::addColumn<int>("taps");
    QTest::addColumn<bool>("finger");
    QTest::newRow("on time") << 0 << 2 << false;
    QTest::newRow("300 ms late") << 300 << 2 << false;
    QTest::newRow("three taps, 300 ms late") << 300 << 3 << false;
    QTest::newRow("finger, on time") << 0 << 2 << true;
    QTest::newRow("finger, three taps, 300 ms late") << 300 << 3 << true;
}

void TstMenuScreenE2e::doubleTapActsOnce()
{
    QFETCH(int, late);
    QFETCH(int, taps);
    QFETCH(bool, finger);
    const auto quickTaps = [&](QQuickItem* key) {
        return finger ? rig.fingerTaps(key, taps) : rig.quickTaps(key, taps);
    };
    const sim::SimMenuEntry delay = recorderMenu->find("INPUT DELAY", "DELAY Lch");
    const sim::SimMenuEntry gain = recorderMenu->find("INPUT GAIN", "INPUT GAIN Lch");
    click(named("tabMenuButton"));
    TRY_VERIFY(named("menuArea")->isVisible());
    frontPanel({ { recorderMenu->find("INPUT SELECT"), 1 }, { gain, 0 }, { delay, 100 } });
    const auto onTime = qScopeGuard([this] { unit->recorder.answerLatencyMs = 0; });
    const auto settle = [&] { QTest::qWait(late + 1000); };

    QQuickItem* r = row("DELAY Lch");
    show(r);
    unit->recorder.answerLatencyMs = late;
    QVERIFY(quickTaps(named("rangeButton", r)));
    TRY_VERIFY(named("rangeBar", r)->isVisible());
    settle();
    QCOMPARE(setsOf(delay), QStringList());
    QCOMPARE(describe(r), QStringLiteral("R DELAY Lch = 0 msec"));
    show(named("rangeBar", r)); // it opens over the rows above its own
    click(named("rangeOkButton", r));
    TRY_VERIFY(!named("rangeBar", r)->isVisible());

    r = row("INPUT GAIN Lch");
    show(r);
    click(named("menuComboBox", r));
    TRY_VERIFY(entry(r, "MIC HIGH"));
    QVERIFY(quickTaps(entry(r, "MIC HIGH")));
    TRY_COMPARE(setsOf(gain), QStringList({ menuLine("03", gain, 3) }));
    settle();
    QCOMPARE(setsOf(gain).size(), 1);
    for (QQuickItem* any : rows()) {
        if (QQuickItem* box = named("menuComboBox", any))
            QVERIFY2(!box->property("popup").value<QObject*>()->property("opened").toBool(), qPrintable(describe(any)));
    }
    TRY_COMPARE(describe(row("INPUT GAIN Lch")), QStringLiteral("C INPUT GAIN Lch = MIC HIGH"));
}

// A value the home tab shows, picked in the menu, on a recorder that tells
// the application that set it nothing but the menu's answer (the simulator
// as it is: no notice, no report): the home tab shows the recorder's value
// once the query read behind the pick is answered, with no full status read
// in between. Phantom power with its question, on and off; the input on the
// information panel; the record format and sampling-rate boxes while the
// recorder records.
void TstMenuScreenE2e::menuPickShowsOnTheHomeTab_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("before"); // its value at the front panel before
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("late");
    QTest::addColumn<QString>("query"); // read behind the set
    QTest::addColumn<QString>("home");  // "item=value" of the home tab's item
    QTest::addColumn<QString>("homeBefore");

    const QString phantom = "PHANTOM(+48V)Lch", input = "INPUT SELECT";
    for (int late : { 0, 300 }) {
        const QString at = late ? QStringLiteral(", 300 ms late") : QStringLiteral(", on time");
        QTest::newRow(qPrintable("phantom on, OK" + at))
            << phantom << 0 << "ON" << late << "07F6A05" << "phantomDisp=true" << "phantomDisp=false";
        QTest::newRow(qPrintable("phantom off" + at))
            << phantom << 1 << "OFF" << late << "07F6A05" << "phantomDisp=false" << "phantomDisp=true";
    }
    QTest::newRow("input select, 300 ms late") << input << 1 << "DIGITAL COAX" << 300 << "07F6A04"
                                               << "infoInput=info_D-COAXIAL" << "infoInput=info_A-BALANCE";
    const QString format = "REC FORMAT";
    for (int late : { 0, 300 }) {
        const QString at = late ? QStringLiteral(", 300 ms late") : QStringLiteral(", on time");
        QTest::newRow(qPrintable("rec format to MP3" + at)) << format << 1 << "MP3 128kbps 44.1kHz" << late << "07F6A0C"
                                                             << "recFormat=Mp3;recFs=44.1 kHz" << "recFormat=Wav;recFs=48 kHz";
        QTest::newRow(qPrintable("rec format to 96 kHz" + at)) << format << 6 << "WAV 24bit 96kHz" << late << "07F6A0C"
                                                                << "recFormat=Wav;recFs=96 kHz" << "recFormat=Mp3;recFs=44.1 kHz";
    }
}

void TstMenuScreenE2e::menuPickShowsOnTheHomeTab()
{
    QFETCH(QString, entry);
    QFETCH(int, before);
    QFETCH(QString, choice);
    QFETCH(int, late);
    QFETCH(QString, query);
    QFETCH(QString, home);
    QFETCH(QString, homeBefore);
    sim::SimRecorder& recorder = unit->recorder;
    QCOMPARE(graph->comm.getAddress(), recorder.address().toString());
    const auto onTime = qScopeGuard([&] { recorder.answerLatencyMs = 0; });
    QVERIFY(rig.showTab(1));
    // Record pause, where the home tab shows the record format boxes.
    sim::RecorderState* state = unit->services.state;
    const bool records = entry == "REC FORMAT";
    if (records)
        state->setStatus(sim::RecorderState::RecordPaused);
    const auto stopped = qScopeGuard([&] {
        if (records)
            state->setStatus(sim::RecorderState::Stopped);
    });
    // The balanced input with a microphone gain on Lch, where phantom power
    // on needs the question.
    const sim::SimMenuEntry e = entry.startsWith("PHANTOM") ? recorderMenu->find("PHANTOM(+48V)", entry)
                                                             : recorderMenu->find(entry);
    frontPanel({ { recorderMenu->find("INPUT SELECT"), 1 },
                 { recorderMenu->find("INPUT GAIN", "INPUT GAIN Lch"), 1 },
                 { recorderMenu->find("PHANTOM(+48V)", "PHANTOM(+48V)Lch"), 0 },
                 { recorderMenu->find("PHANTOM(+48V)", "PHANTOM(+48V)Rch"), 0 },
                 { e, before } });
    const auto shows = [this](const QString& what) {
        for (const QString& each : what.split(';')) {
            QQuickItem* item = rig.item(each.section('=', 0, 0).toLatin1());
            const QString value = each.section('=', 1);
            const QString name = item ? item->objectName() : QString();
            if (!item || (name == "infoInput" && !item->property("source").toString().contains(value))
                || (name.startsWith("rec") && (!item->isVisible() || item->childItems().first()->property("text") != value))
                || (name == "phantomDisp" && item->isVisible() != (value == "true")))
                return false;
        }
        return true;
    };
    QVERIFY(rig.showTab(0));
    TRY_VERIFY(shows(homeBefore)); // read after the front panel's notice
    QVERIFY(rig.showTab(1));
    recorder.clearLog();
    recorder.answerLatencyMs = late;

    pick(entry, choice);
    if (choice == "ON") {
        TRY_VERIFY(named("phantomOkButton")->isVisible());
        click(named("phantomOkButton"));
    }
    const QString set = menuLine("03", e, recorderMenu->choices(e).indexOf(choice));
    TRY_VERIFY(recorder.receivedLines().contains(set));
    const QStringList lines = recorder.receivedLines();
    QCOMPARE(lines.value(lines.indexOf(set) + 1), query); // right behind the set
    TRY_COMPARE(describe(row(entry)), QStringLiteral("C %1 = %2").arg(entry, choice)); // the set's answer
    QVERIFY(rig.showTab(0));
    TRY_VERIFY(shows(home));
    QVERIFY2(!recorder.receivedLines().contains("03F00"), "a full status read came between"); // not what showed it
    QTest::qWait(late + 300); // and it stays
    QVERIFY(shows(home));
}

QTEST_MAIN(TstMenuScreenE2e)
#include "tst_menuscreen_e2e.moc"
