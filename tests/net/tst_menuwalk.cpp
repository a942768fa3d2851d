// The settings menu against a simulated recorder over the command channel:
// the walk of the realistic menu after a login, with answers split and
// coalesced, across a link drop, and the re-reads and re-fetches that the
// recorder's notices, a medium change and an input change lead to.
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

namespace {

// The settings-menu lines of lines with the given request code ("01", "14", ...).
QStringList requests(const QStringList& lines, const QString& code)
{
    return lines.filter(QRegularExpression(QStringLiteral("^07F6A7A") + code));
}

QString request(const QString& code, const sim::SimMenuEntry& e)
{
    return QStringLiteral("07F6A7A%1%2%3%4").arg(code).arg(sim::twoDigits(e.page) + "00").arg(sim::twoDigits(e.item) + "00").arg(
        sim::twoDigits(e.subitem) + "00");
}

} // namespace

class TestMenuWalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walkEqualsRecorderMenu_data();
    void walkEqualsRecorderMenu();
    void linkDropMidWalk();
    void recorderChanges_data();
    void recorderChanges();
    void cleanupTestCase();

private:
    // Logs app in to the n-th recorder, draws plain rows and waits for their values.
    bool logInAndShow(int n, int model);

    std::unique_ptr<sim::SimRecorder> recorder;
    sim::MenuModel* recorderMenu = nullptr;
    std::unique_ptr<ObjectGraph> app;
    std::unique_ptr<QObject> rows;
};

void TestMenuWalk::initTestCase()
{
    netenv::requirePrivateNetwork();
}

void TestMenuWalk::cleanupTestCase()
{
    rows.reset();
    app.reset();
    recorder.reset();
}

bool TestMenuWalk::logInAndShow(int n, int model)
{
    rows.reset();
    app.reset();
    recorder.reset();
    app = std::make_unique<ObjectGraph>();
    recorder = simlink::startRecorder(n);
    if (!recorder)
        return false;
    recorder->model = model;
    recorderMenu = sim::menuModel(*recorder);
    if (!simlink::logIn(*app, *recorder))
        return false;
    rows = std::make_unique<QObject>();
    registerPlainRows(app->menu, rows.get());
    requestShownValues(app->menu);
    return QTest::qWaitFor([this] { return valueDifference(app->menu, *recorderMenu).isEmpty(); }, 5000);
}

void TestMenuWalk::walkEqualsRecorderMenu_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("coalesced");
    QTest::addColumn<bool>("split");

    QTest::newRow("KZ-470MX") << 0 << false << false;
    QTest::newRow("KZ-470DUAL") << 1 << false << false;
    QTest::newRow("coalesced and split") << 0 << true << true;
}

void TestMenuWalk::walkEqualsRecorderMenu()
{
    QFETCH(int, model);
    QFETCH(bool, coalesced);
    QFETCH(bool, split);
    app.reset();
    recorder.reset();
    app = std::make_unique<ObjectGraph>();
    recorder = simlink::startRecorder(0);
    QVERIFY(recorder);
    recorder->model = model;
    recorder->splitGapMs = 1;
    connect(recorder.get(), &sim::SimRecorder::loggedIn, this, [&] { recorder->splitWrites = split; });
    recorderMenu = sim::menuModel(*recorder);
    recorderMenu->coalesce = coalesced;
    QSignalSpy completed(&app->menu, &Menu::menuCompleted);
    QVERIFY(simlink::logIn(*app, *recorder, 30000));
    QCOMPARE(completed.count(), 1);
    QCOMPARE(treeDifference(app->menu, *recorderMenu), QString());
    QVERIFY(app->telnet.pauseCount() > 0); // bursts longer than the flow control allows

    // Level meter off before the first menu request, on after the last name.
    QVERIFY(QTest::qWaitFor([&] { return recorder->receivedLines().contains("07F6A3F01"); }, 5000));
    const QStringList lines = recorder->receivedLines();
    const int off = lines.indexOf("07F6A3F00"), on = lines.indexOf("07F6A3F01");
    QVERIFY(off >= 0 && off < lines.indexOf("07F6A7A200000"));
    QCOMPARE(on, lines.lastIndexOf(QRegularExpression("^07F6A7A24.*")) + 1);
    // The polls run once the menu is drawn.
    recorder->clearLog();
    QVERIFY(QTest::qWaitFor([&] { return recorder->receivedLines().contains("050"); }, 5000));

    rows = std::make_unique<QObject>();
    registerPlainRows(app->menu, rows.get());
    requestShownValues(app->menu);
    QVERIFY(QTest::qWaitFor([this] { return valueDifference(app->menu, *recorderMenu).isEmpty(); }, 5000));
    QCOMPARE(completed.count(), 1);
    rows.reset();
}

// The link fails halfway through the walk: the tree is dropped at once, and
// the walk after the automatic reconnect completes.
void TestMenuWalk::linkDropMidWalk()
{
    app.reset();
    recorder.reset();
    app = std::make_unique<ObjectGraph>();
    recorder = simlink::startRecorder(1);
    QVERIFY(recorder);
    recorderMenu = sim::menuModel(*recorder);
    recorderMenu->dropAfterAnswers = 120;
    QSignalSpy completed(&app->menu, &Menu::menuCompleted);
    bool treeDroppedOnFailure = false;
    connect(&app->telnet, &Telnet::errorConnectedToServer, this, [&] {
        treeDroppedOnFailure = app->menu.getMaxPageNumber() == 0 && !app->menu.drawingFinished;
    });
    simlink::drawMenuOnCompletion(*app);
    QSignalSpy states(&app->comm, &Communication::loginStateChanged);
    app->comm.loginRequest(recorder->address().toString(), recorder->password);
    QVERIFY(QTest::qWaitFor([&] { return app->menu.drawingFinished; }, 5000));
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
    QTest::addColumn<QStringList>("refetched"); // items (by name) whose lists are fetched again, in order
    QTest::addColumn<bool>("everyValue");       // every value is read again
    QTest::addColumn<QString>("menuText");      // the SD1, SD2 and USB titles afterwards, joined

    const Change front = [](sim::MenuModel* m, Menu&) { m->setValue(m->find("INPUT DELAY", "DELAY Rch"), 150); };
    QTest::newRow("40 after a front-panel change") << front << QStringList() << true << "";
    QTest::newRow("popup") << Change([](sim::MenuModel* m, Menu&) { sim::statusModel(*static_cast<sim::SimRecorder*>(m->parent()))->showPopup(2); })
                           << QStringList() << true << "";
    const Change notice50 = [](sim::MenuModel* m, Menu&) { m->pushNotice("50"); };
    QTest::newRow("50") << notice50 << QStringList { "PLAY AREA", "REC FORMAT", "STEREO/MONO" } << false << "";
    QTest::newRow("50 again") << notice50 << QStringList { "PLAY AREA", "REC FORMAT", "STEREO/MONO" } << false << "";
    QTest::newRow("51 after MP3 is chosen") << Change([](sim::MenuModel*, Menu& menu) {
        const auto at = menu.recFormatPosition;
        menu.changedSubitemObjectValue(at.page, at.item, at.subitem, 6, 0);
    }) << QStringList { "STEREO/MONO" } << false << "";
    QTest::newRow("input gain changes the LEVEL lists") << Change([](sim::MenuModel*, Menu& menu) {
        const auto at = menu.inputGainLPosition;
        menu.changedSubitemObjectValue(at.page, at.item, at.subitem, 2, 0);
    }) << QStringList { "LEVEL (L)", "LEVEL (R)" } << false << "";
    QTest::newRow("medium to USB") << Change([](sim::MenuModel* m, Menu&) { m->selectMedium("USB"); }) << QStringList()
                                   << true << "SD1 SD2 USB(CURRENT)";
    QTest::newRow("medium to CD, lists change")
        << Change([](sim::MenuModel* m, Menu&) { m->selectMedium("CD"); })
        << QStringList { "PLAY AREA", "REC FORMAT", "STEREO/MONO" } << true << "SD1 SD2 USB";
}

void TestMenuWalk::recorderChanges()
{
    QFETCH(Change, change);
    QFETCH(QStringList, refetched);
    QFETCH(bool, everyValue);
    QFETCH(QString, menuText);
    if (!app || !recorder || recorder->address().toString() != netenv::recorderAddress(2))
        QVERIFY(logInAndShow(2, 1));
    Menu& menu = app->menu;
    recorder->clearLog();
    QSignalSpy completed(&menu, &Menu::menuCompleted);
    QSignalSpy items(&menu, &Menu::itemParameterChanged);
    QSignalSpy levels(&menu, &Menu::inputLevelParameterChanged);
    QSignalSpy popups(&app->comm, &Communication::popupReceived);

    change(recorderMenu, menu);
    const bool levelLists = refetched.contains("LEVEL (L)");
    QVERIFY(QTest::qWaitFor([&] { return (levelLists ? levels : items).count() >= (levelLists ? 2 : refetched.size()); }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return valueDifference(menu, *recorderMenu).isEmpty(); }, 5000));
    QTest::qWait(200); // nothing further may follow

    QCOMPARE(completed.count(), 0);
    QVERIFY(!menu.rebuildingForCd && !menu.rebuildingForStereoMono && !menu.rebuildingInputLevel);
    QCOMPARE(treeDifference(menu, *recorderMenu), QString());
    QStringList names;
    for (const QList<QVariant>& signal : levelLists ? levels : items) {
        const int p = signal[0].toInt(), i = signal[1].toInt();
        names << (levelLists ? menu.getSubitemName(p, i, signal[2].toInt()) : menu.getItemName(p, i));
        QCOMPARE(signal.last().value<QObject*>()->property("visibleComboBox"), QVariant(true));
    }
    QCOMPARE(names, refetched);

    const QStringList lines = recorder->receivedLines();
    // Notice 50 fetches the PLAY AREA and REC FORMAT lists and refreshes the
    // STEREO/MONO row with them.
    QStringList expectedInfo;
    for (const QString& name : qAsConst(refetched)) {
        if (name != "STEREO/MONO" || refetched.size() == 1)
            expectedInfo << request("14", levelLists ? recorderMenu->find("INPUT LEVEL", "INPUT " + QString(name).remove(' '))
                                                     : recorderMenu->find(name));
    }
    QCOMPARE(requests(lines, "14"), expectedInfo);
    if (everyValue) {
        QStringList all;
        for (int p = 0; p < menu.getMaxPageNumber(); ++p) {
            for (int i = 0; i < menu.getMaxItemNumber(p); ++i) {
                for (int s = 0; s < menu.getMaxSubitemNumber(p, i); ++s) {
                    if (menu.getSubitemVisible(p, i, s))
                        all << request("01", { p, i, s });
                }
            }
        }
        QVERIFY2(simlink::containsRun(requests(lines, "01"), all), qPrintable(requests(lines, "01").join(' ')));
    } else {
        QStringList reread;
        for (const QString& name : qAsConst(refetched))
            reread << request("01", levelLists ? recorderMenu->find("INPUT LEVEL", "INPUT " + QString(name).remove(' '))
                                               : recorderMenu->find(name));
        QCOMPARE(requests(lines, "01"), reread);
    }
    if (!menuText.isEmpty()) {
        QStringList titles;
        for (const MenuPosition& at : { menu.sd1Position, menu.sd2Position, menu.usbPosition })
            titles << menu.getSubitemObject(at.page, at.item, at.subitem)->property("menuText").toString();
        QCOMPARE(titles.join(' '), menuText);
        const MenuPosition at = menu.capacityPosition;
        const QString capacity = recorderMenu->choices({ at.page, at.item, at.subitem }).value(0);
        QCOMPARE(menu.getSubitemObject(at.page, at.item, at.subitem)->property("readOnlyValue").toString(), capacity);
    }
    if (QTest::currentDataTag() == QLatin1String("popup"))
        QCOMPARE(popups.count(), 1);
}

QTEST_MAIN(TestMenuWalk)
#include "tst_menuwalk.moc"
