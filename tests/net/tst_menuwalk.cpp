// The settings menu against a simulated recorder over the command channel:
// the walk of the realistic menu after a login, with answers split and
// coalesced, across a link drop, and the re-reads and re-fetches that the
// recorder's notices, a medium change and an input change lead to; and the
// front-panel settings in the menu as two applications share them.
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <memory>

#include "menurig.h"
#include "netenv.h"
#include "recorderstate.h"
#include "simlink.h"

using Change = std::function<void(sim::MenuModel*, Menu&)>;
Q_DECLARE_METATYPE(Change)
// A front-panel setting as the settings menu numbers its choices.
using PanelValue = std::function<int(const sim::SimPanel&)>;
Q_DECLARE_METATYPE(PanelValue)
using HomeRequest = std::function<void(Communication&)>;
Q_DECLARE_METATYPE(HomeRequest)

namespace {

// The settings-menu lines of lines with the given request code ("01", "14", ...).
QStringList requests(const QStringList& lines, const QString& code)
{
    return lines.filter(QRegularExpression(QStringLiteral("^07F6A7A") + code));
}

} // namespace

class TestMenuWalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void walkEqualsRecorderMenu();
    void linkDropMidWalk();
    void recorderChanges_data();
    void recorderChanges();
    void frontPanelSettingIsOneValue_data();
    void frontPanelSettingIsOneValue();
    void cleanupTestCase() { start(-1, 0); }

private:
    // A new application and the n-th recorder, of the model; n -1: none.
    bool start(int n, int model)
    {
        rows.reset();
        app.reset();
        recorder.reset();
        if (n < 0)
            return true;
        app = std::make_unique<ObjectGraph>();
        recorder = simlink::startRecorder(n);
        if (recorder)
            recorder->model = model;
        recorderMenu = recorder ? sim::menuModel(*recorder) : nullptr;
        return recorder != nullptr;
    }
    // Draws plain rows and waits until they show the recorder's values.
    bool showValues()
    {
        rows = std::make_unique<QObject>();
        registerPlainRows(app->menu, rows.get());
        requestShownValues(app->menu);
        return QTest::qWaitFor([this] { return valueDifference(app->menu, *recorderMenu).isEmpty(); }, 5000);
    }

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::MenuModel* recorderMenu = nullptr;
    std::unique_ptr<ObjectGraph> app;
    std::unique_ptr<QObject> rows;
};

// Answers coalesced and split over the link; both models' trees are walked
// in-process by the menu model's table.
void TestMenuWalk::walkEqualsRecorderMenu()
{
    QVERIFY(start(0, 1));
    recorder->splitGapMs = 1;
    connect(recorder.get(), &sim::SimRecorder::loggedIn, this, [&] { recorder->splitWrites = true; });
    recorderMenu->coalesce = true;
    QSignalSpy completed(&app->menu, &Menu::menuCompleted);
    QVERIFY(simlink::logIn(*app, *recorder, 30000));
    QCOMPARE(treeDifference(app->menu, *recorderMenu), QString());
    QVERIFY(app->telnet.pauseCount() > 0); // bursts longer than the flow control allows

    // Level meter off before the first menu request, on after the last name.
    QVERIFY(QTest::qWaitFor([&] { return recorder->receivedLines().contains("07F6A3F01"); }, 5000));
    // The one-second poll may fall anywhere in a slow walk.
    QStringList lines = recorder->receivedLines();
    for (const char* poll : { "050", "055", "05D" })
        lines.removeAll(poll);
    QVERIFY(lines.indexOf("07F6A3F00") < lines.indexOf("07F6A7A200000"));
    QCOMPARE(lines.indexOf("07F6A3F01"), lines.lastIndexOf(QRegularExpression("^07F6A7A24.*")) + 1);
    // The polls run once the menu is drawn.
    recorder->clearLog();
    QVERIFY(QTest::qWaitFor([&] { return recorder->receivedLines().contains("050"); }, 5000));
    QVERIFY(showValues());
    QCOMPARE(completed.count(), 1);
}

// The link fails halfway through the walk: the tree is dropped at once, and
// the walk after the automatic reconnect completes.
void TestMenuWalk::linkDropMidWalk()
{
    QVERIFY(start(1, 0));
    recorderMenu->dropAfterAnswers = 120;
    QSignalSpy completed(&app->menu, &Menu::menuCompleted);
    bool treeDroppedOnFailure = false;
    connect(&app->telnet, &Telnet::errorConnectedToServer, this, [&] {
        treeDroppedOnFailure = app->menu.getMaxPageNumber() == 0 && !app->menu.drawingFinished;
    });
    QSignalSpy states(&app->comm, &Communication::loginStateChanged);
    QVERIFY(simlink::logIn(*app, *recorder));
    QVERIFY(treeDroppedOnFailure);
    // The fast retry gets through, though the link failed inside a burst.
    QList<int> seen;
    for (const auto& s : states)
        seen << s.first().toInt();
    QCOMPARE(seen, (QList<int> { 1, 2, 3, 2 }));
    QCOMPARE(completed.count(), 1);
    QCOMPARE(treeDifference(app->menu, *recorderMenu), QString());
}

void TestMenuWalk::recorderChanges_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("fetched");   // entries ("ITEM" or "ITEM|SUBITEM") whose lists are fetched again
    QTest::addColumn<QStringList>("signalled"); // names the model reports as refreshed, in order
    QTest::addColumn<QStringList>("reread");    // entries whose values are read again; "*" every value

    const QStringList cd = { "PLAY AREA", "REC FORMAT", "STEREO/MONO" }, all = { "*" };
    const QStringList cdLists = cd.mid(0, 2), stereoMono = cd.mid(2);
    const QStringList levels = { "INPUT LEVEL|INPUT LEVEL(L)", "INPUT LEVEL|INPUT LEVEL(R)" };
    const Change notice50 = [](sim::MenuModel* m, Menu&) { m->pushNotice("50"); };
    const auto choose = [](MenuPosition Menu::*at, int value) {
        return Change([at, value](sim::MenuModel*, Menu& menu) {
            menu.changedSubitemObjectValue((menu.*at).page, (menu.*at).item, (menu.*at).subitem, value, 0);
        });
    };
    QTest::newRow("40 after a front-panel change")
        << Change([](sim::MenuModel* m, Menu&) { m->setValue(m->find("INPUT DELAY", "DELAY Rch"), 150); }) << QStringList()
        << QStringList() << all;
    QTest::newRow("popup") << Change([](sim::MenuModel* m, Menu&) {
        sim::statusModel(*static_cast<sim::SimRecorder*>(m->parent()))->showPopup(2);
    }) << QStringList() << QStringList() << all;
    QTest::newRow("50") << notice50 << cdLists << cd << cd;
    QTest::newRow("50 again") << notice50 << cdLists << cd << cd;
    QTest::newRow("51 after MP3 is chosen") << choose(&Menu::recFormatPosition, 6) << stereoMono << stereoMono << stereoMono;
    QTest::newRow("input gain changes the LEVEL lists")
        << choose(&Menu::inputGainLPosition, 2) << levels << QStringList { "LEVEL (L)", "LEVEL (R)" } << levels;
    // MP3 is missing from the CD list, and CD-DA from the others: the first
    // entry of the new list is taken, and STEREO/MONO follows REC FORMAT.
    const auto overTheWire = [](const char* line) {
        return Change([line](sim::MenuModel*, Menu& menu) { menu.telnet->sendData(line); });
    };
    QTest::newRow("medium to CD, lists change") << Change([](sim::MenuModel* m, Menu&) { m->selectMedium("CD"); })
                                                << cd << cd << all;
    QTest::newRow("medium to SD1 over the wire") << overTheWire("07F0100\r\n") << cdLists << cd << all;
    QTest::newRow("SD1 to SD2 over the wire, same lists") << overTheWire("07F0101\r\n") << QStringList() << QStringList() << all;
}

void TestMenuWalk::recorderChanges()
{
    QFETCH(Change, change);
    QFETCH(QStringList, fetched);
    QFETCH(QStringList, signalled);
    QFETCH(QStringList, reread);
    if (!app || recorder->address().toString() != netenv::recorderAddress(2)) {
        QVERIFY(start(2, 1) && simlink::logIn(*app, *recorder));
        QVERIFY(showValues());
    }
    Menu& menu = app->menu;
    recorder->clearLog();
    QSignalSpy completed(&menu, &Menu::menuCompleted);
    QSignalSpy items(&menu, &Menu::itemParameterChanged);
    QSignalSpy levels(&menu, &Menu::inputLevelParameterChanged);

    change(recorderMenu, menu);
    QVERIFY(QTest::qWaitFor([&] { return items.count() + levels.count() >= signalled.size(); }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return valueDifference(menu, *recorderMenu).isEmpty(); }, 5000));
    QTest::qWait(200); // nothing further may follow

    QCOMPARE(completed.count(), 0);
    for (int p = 0; p < recorderMenu->pages.size(); ++p) { // no value outside its list
        for (int i = 0; i < recorderMenu->pages[p].items.size(); ++i) {
            for (int s = 0; s < recorderMenu->pages[p].items[i].subitems.size(); ++s) {
                const sim::SimMenuSubitem& sub = recorderMenu->pages[p].items[i].subitems[s];
                QVERIFY2(sub.type == 1 || sub.current() < recorderMenu->choices({ p, i, s }).size(), qPrintable(sub.name));
            }
        }
    }
    QVERIFY(!menu.rebuildingForCd && !menu.rebuildingForStereoMono && !menu.rebuildingInputLevel);
    QCOMPARE(treeDifference(menu, *recorderMenu), QString());
    QStringList names;
    for (const QList<QVariant>& signal : items + levels) {
        const int p = signal[0].toInt(), i = signal[1].toInt();
        names << (signal.size() == 4 ? menu.getSubitemName(p, i, signal[2].toInt()) : menu.getItemName(p, i));
        QCOMPARE(signal.last().value<QObject*>()->property("visibleComboBox"), QVariant(true));
    }
    QCOMPARE(names, signalled);

    const auto lines = [&](const QString& code, const QStringList& entries) {
        QStringList list;
        for (const QString& e : entries)
            list << menuLine(code, recorderMenu->find(e.section('|', 0, 0), e.section('|', 1)));
        return list;
    };
    QCOMPARE(requests(recorder->receivedLines(), "14"), lines("14", fetched));
    if (reread == QStringList { "*" }) {
        QStringList every;
        for (int p = 0; p < menu.getMaxPageNumber(); ++p) {
            for (int i = 0; i < menu.getMaxItemNumber(p); ++i) {
                for (int s = 0; s < menu.getMaxSubitemNumber(p, i); ++s)
                    every << (menu.getSubitemVisible(p, i, s) ? menuLine("01", { p, i, s }) : QString());
            }
        }
        every.removeAll(QString());
        QVERIFY(simlink::containsRun(requests(recorder->receivedLines(), "01"), every));
    } else {
        QCOMPARE(requests(recorder->receivedLines(), "01"), lines("01", reread));
    }
}

// PLAY AREA, PLAY MODE, PITCH and KEY are one value each on the recorder:
// a set in one application's settings menu moves the front panel, the other
// application hears it as from the front-panel line and both menus and home
// values follow; the other's front-panel line shows in the menu's reads.
void TestMenuWalk::frontPanelSettingIsOneValue_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("value");        // picked in the first application's menu
    QTest::addColumn<QString>("hears");    // the line the second application gets
    QTest::addColumn<PanelValue>("panel");
    QTest::addColumn<HomeRequest>("request"); // then made on the second application's home tab
    QTest::addColumn<int>("homeValue");    // its value in the menu

    QTest::newRow("PLAY AREA") << "PLAY AREA" << 1 << "F600" << PanelValue([](const sim::SimPanel& p) { return p.playArea; })
                               << HomeRequest([](Communication& c) { c.playAreaPlaylistRequest(); }) << 2;
    QTest::newRow("PLAY MODE") << "PLAY MODE" << 2 << "CE04"
                               << PanelValue([](const sim::SimPanel& p) { return QList<int> { 0, 1, 4, 6 }.indexOf(p.playMode); })
                               << HomeRequest([](Communication& c) { c.playModeRandomRequest(); }) << 3;
    QTest::newRow("PITCH") << "PITCH" << 1 << "F600" << PanelValue([](const sim::SimPanel& p) { return int(p.pitchOn); })
                           << HomeRequest([](Communication& c) { c.pitchRequest(); }) << 0;
    QTest::newRow("KEY") << "KEY" << 8 << "F600" << PanelValue([](const sim::SimPanel& p) { return p.key + 6; })
                         << HomeRequest([](Communication& c) { c.keyDataSetRequest(-3); }) << 3;
}

void TestMenuWalk::frontPanelSettingIsOneValue()
{
    QFETCH(QString, entry);
    QFETCH(int, value);
    QFETCH(QString, hears);
    QFETCH(PanelValue, panel);
    QFETCH(HomeRequest, request);
    QFETCH(int, homeValue);
    if (!app || recorder->address().toString() != netenv::recorderAddress(3)) {
        QVERIFY(start(3, 0) && simlink::logIn(*app, *recorder));
        QVERIFY(showValues());
    }
    ObjectGraph other;
    QObject otherRows;
    QVERIFY(simlink::logIn(other, *recorder));
    registerPlainRows(other.menu, &otherRows);
    requestShownValues(other.menu);
    QVERIFY(QTest::qWaitFor([&] { return valueDifference(other.menu, *recorderMenu).isEmpty(); }, 5000));
    const sim::SimPanel& front = sim::statusModel(*recorder)->panel;
    QVERIFY(panel(front) != value);
    QSignalSpy heard(&other.telnet, &Telnet::readyRead);
    const Communication& home = app->comm;
    const auto homeState = [&](const Communication& c) {
        return QStringList { c.getPlayArea(), c.getPlayMode(), QString::number(c.getPitchStatus()), QString::number(c.getKeyData()) };
    };

    const sim::SimMenuEntry e = recorderMenu->find(entry);
    app->menu.changedSubitemObjectValue(e.page, e.item, e.subitem, value, 0);
    QTRY_COMPARE(panel(front), value);
    QTRY_VERIFY(std::any_of(heard.begin(), heard.end(), [&](const QList<QVariant>& l) { return l.value(0) == hears; }));
    QVERIFY(QTest::qWaitFor([&] {
        return valueDifference(app->menu, *recorderMenu).isEmpty() && valueDifference(other.menu, *recorderMenu).isEmpty()
            && homeState(home) == homeState(other.comm);
    }, 5000));
    QCOMPARE(homeState(home), homeState(other.comm));

    request(other.comm);
    QTRY_COMPARE(panel(front), homeValue);
    QVERIFY(QTest::qWaitFor([&] {
        return valueDifference(app->menu, *recorderMenu).isEmpty() && homeState(home) == homeState(other.comm);
    }, 5000));
    QCOMPARE(recorderMenu->subitem(e)->current(), homeValue);
    other.comm.logoutRequest();
}

QTEST_MAIN(TestMenuWalk)
#include "tst_menuwalk.moc"
