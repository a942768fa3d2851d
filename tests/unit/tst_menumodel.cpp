// The settings-menu model without a network: the walk
// over small and pathological menus answered by the simulator's menu model
// in-process, its robustness against bad answers and re-entered sends, and
// the value commands with their interlocks.
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "menurig.h"
#include "telnet.h"

using sim::SimMenuItem;
using sim::SimMenuSubitem;
using Tree = QList<sim::SimMenuPage>;
using Alter = std::function<QStringList(const QString&)>;
using Event = std::function<void(Communication&)>;
Q_DECLARE_METATYPE(Tree)
Q_DECLARE_METATYPE(Alter)
Q_DECLARE_METATYPE(Event)

namespace {

SimMenuSubitem sub(const QString& name, const QStringList& choices, int type = 0, bool visible = true)
{
    SimMenuSubitem s;
    s.name = name;
    s.choices = choices;
    s.type = type;
    s.visible = visible;
    return s;
}

SimMenuItem single(const QString& name, const QStringList& choices = { "OFF", "ON" })
{
    return { name, { sub(name, choices) } };
}

const QStringList offOn = { "OFF", "ON" }, gains = { "LINE", "LOW", "HIGH" };

// Inputs, gains, phantom power, levels and a delay, as the interlocks need them.
const Tree inputs = {
    { "INPUT 1",
      { single("INPUT SELECT", { "UNBAL", "BAL", "COAX", "XLR", "CARD" }),
        { "INPUT GAIN", { sub("INPUT GAIN Lch", gains), sub("INPUT GAIN Rch", gains) } },
        { "PHANTOM(+48V)", { sub("PHANTOM(+48V)Lch", offOn), sub("PHANTOM(+48V)Rch", offOn) } } } },
    { "INPUT 2",
      { { "INPUT LEVEL", { sub("LEVEL(L)", offOn), sub("LEVEL(R)", offOn) } },
        { "DELAY", { sub("DELAY L", {}, 1), sub("DELAY R", {}, 1) } } } },
};

// Walks tree (or the realistic menu of a KZ-470MX) and draws it with plain
// objects as rows.
struct DrawnMenu
{
    explicit DrawnMenu(const Tree& tree)
    {
        rig.recorderMenu->load(tree);
        draw();
    }
    DrawnMenu() { draw(); }
    void draw()
    {
        rig.walk();
        registerPlainRows(rig.menu, &rows);
        rig.menu.setDrawingFinished(true);
        rig.takeLines();
        rig.sent.clear();
    }
    QObject* row(int p, int i, int s) { return s < 0 ? rig.menu.getItemObject(p, i) : rig.menu.getSubitemObject(p, i, s); }
    MenuRig rig;
    QObject rows;
};

} // namespace

// What a pick of a list the menu knows by no name of its own reads behind it:
// every value the home tab shows.
const QStringList everyShownValue { "07F6A04", "07F6A05", "07F6A0C", "07F6A62", "07F6A0D", "07F6A0E",
                                    "07F6A60", "031FF",   "038FF",   "07F6A61", "07F12110000FF", "07F6A0A",
                                    "030FF",   "036FF",   "03AFF",   "07F6A0B" };

class TestMenuModel : public QObject
{
    Q_OBJECT

private slots:
    void walkOfSmallMenu();
    void names_data();
    void names();
    void everyMenuCompletesOnce_data();
    void everyMenuCompletesOnce();
    void badAnswersLeaveCleanTree_data();
    void badAnswersLeaveCleanTree();
    void sendsReenteredByTheLink();
    void choices_data();
    void choices();
    void picksOnListsAboutToChange_data();
    void picksOnListsAboutToChange();
    void mediumChangeHoldsItsLists_data();
    void mediumChangeHoldsItsLists();
    void mediumChangeMidRead_data();
    void mediumChangeMidRead();
    void valueAnswers_data();
    void valueAnswers();
    void absentEntriesAreLeftAlone();
    void badIndicesAndDrawing();
    void rangeSetsHoldTheKnob_data();
    void rangeSetsHoldTheKnob();
    void frontPanelSettingsReadAgain_data();
    void frontPanelSettingsReadAgain();
    void frontPanelRowTakesAnyPickWhileUnsure();
    void menuPickIsTheHomeTabsRequest_data();
    void menuPickIsTheHomeTabsRequest();
    void pickReadsTheHomeValueBehind_data();
    void pickReadsTheHomeValueBehind();
    void tappedEntryAgainstTheListHeld_data();
    void tappedEntryAgainstTheListHeld();
};

// Every request of a walk, in order, one node at a time.
void TestMenuModel::walkOfSmallMenu()
{
    MenuRig rig;
    rig.recorderMenu->load({ { "INPUT 1", { single("INPUT SELECT", { "UNBAL", "BAL", "COAX" }) } },
                             { "SYSTEM 1", { single("FIRMWARE") } } });
    QSignalSpy drawing(&rig.menu, &Menu::drawingFinishedChanged);
    rig.walk();
    QCOMPARE(rig.sent, (QStringList { "07F6A7A10", "07F6A3F00", "07F6A7A200000", "07F6A7A200100", "07F6A7A110000",
                                      "07F6A7A2100000000", "07F6A7A1300000000", "07F6A7A23000000000000",
                                      "07F6A7A14000000000000", "07F6A7A240000000000000000",
                                      "07F6A7A240000000000000100", "07F6A7A240000000000000200", "07F6A3F01" }));
    QCOMPARE(drawing.count(), 1);
}

// Page titles and the entries remembered by name.
void TestMenuModel::names_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("title");    // of page 0; "-" hidden
    QTest::addColumn<QString>("position"); // set, as "name page item subitem"
    QTest::addColumn<QString>("stored");   // name of the last subitem of the last item

    const SimMenuItem x = single("X");
    QTest::newRow("first of a group") << Tree { { "INPUT 1", { x } } } << "INPUT" << "" << "X";
    QTest::newRow("continuation") << Tree { { "INPUT 2", { x } } } << "" << "" << "X";
    QTest::newRow("continuation 0") << Tree { { "INPUT 10", { x } } } << "" << "" << "X";
    QTest::newRow("only a 1") << Tree { { "1", { x } } } << "" << "" << "X";
    QTest::newRow("hidden, not shortened") << Tree { { "NETWORK 1", { x } } } << "-" << "" << "";
    QTest::newRow("hidden is exact") << Tree { { "PLAYLISTS", { x } } } << "PLAYLISTS" << "" << "X";
    QTest::newRow("LEVEL(R) within a name") << Tree { { "A", { { "L", { sub("X", offOn), sub("MIC LEVEL(R) TRIM", offOn) } } } } }
                                            << "A" << "levelR 0 0 1" << "LEVEL (R)";
    QTest::newRow("subitem rule shadows the item rule") << Tree { { "A", { x, { "PLAY AREA", { sub("FOLDER A", offOn) } } } } }
                                                        << "A" << "folder 0 1 0" << "FOLDER A";
    QTest::newRow("item rule, subitem 0") << Tree { { "A", { { "INPUT SELECT", { sub("X", offOn), sub("INPUT GAIN Lch", offOn) } } } } }
                                          << "A" << "inputSelect 0 0 0" << "INPUT GAIN Lch";
    QTest::newRow("later match overwrites, case matters")
        << Tree { { "A", { { "M", { sub("SD1 A", offOn), sub("SD1 B", offOn), sub("usb", offOn) } } } } } << "A" << "sd1 0 0 1"
        << "usb";
    QTest::newRow("front-panel settings; KEY LOCK is no KEY")
        << Tree { { "A", { single("KEY LOCK"), single("PITCH CONTROL"), single("PLAY MODE 2"), single("PITCH"), single("KEY") } } }
        << "A" << "playMode 0 2 0, pitch 0 3 0, key 0 4 0" << "KEY";
}

void TestMenuModel::names()
{
    QFETCH(Tree, tree);
    QFETCH(QString, title);
    QFETCH(QString, position);
    QFETCH(QString, stored);
    MenuRig rig;
    rig.recorderMenu->load(tree);
    rig.walk();
    Menu& m = rig.menu;
    QCOMPARE(m.getPageVisible(0) ? m.getPageName(0) : QStringLiteral("-"), title);
    QCOMPARE(rig.sent.contains("07F6A7A110000"), title != "-");
    const QList<QPair<QString, MenuPosition*>> positions = { { "sd1", &m.sd1Position }, { "usb", &m.usbPosition },
                                                             { "folder", &m.folderPosition }, { "inputSelect", &m.inputSelectPosition },
                                                             { "inputGainL", &m.inputGainLPosition }, { "levelR", &m.levelRPosition },
                                                             { "playArea", &m.playAreaPosition }, { "playMode", &m.playModePosition },
                                                             { "pitch", &m.pitchPosition }, { "key", &m.keyPosition } };
    QStringList set;
    for (const auto& p : positions) {
        if (p.second->isSet())
            set << QStringLiteral("%1 %2 %3 %4").arg(p.first).arg(p.second->page).arg(p.second->item).arg(p.second->subitem);
    }
    QCOMPARE(set.join(", "), position);
    const int i = m.getMaxItemNumber(0) - 1;
    QCOMPARE(m.getSubitemName(0, i, m.getMaxSubitemNumber(0, i) - 1), stored);
}

void TestMenuModel::everyMenuCompletesOnce_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<int>("model"); // >= 0: the realistic menu of that model instead

    QTest::newRow("no pages") << Tree {} << -1;
    QTest::newRow("empty page") << Tree { { "EMPTY", {} } } << -1;
    QTest::newRow("item without subitems") << Tree { { "A", { { "NOTHING", {} } } } } << -1;
    QTest::newRow("last completion by info") << Tree { { "A", { { "D", { sub("DELAY L", {}, 1), sub("NONE", {}) } } } } } << -1;
    QTest::newRow("hidden subitem") << Tree { { "A", { { "M", { sub("X", offOn, 0, false) } } } } } << -1;
    QTest::newRow("only a hidden item") << Tree { { "A", { single("REMOTE POWER CONTROL") } } } << -1;
    QTest::newRow("hidden last page") << Tree { { "A", { single("B") } }, { "SYSTEM 2", {} } } << -1;
    QTest::newRow("only hidden pages") << Tree { { "SNTP", {} }, { "SYSTEM 2", {} } } << -1;
    QTest::newRow("realistic KZ-470MX") << Tree {} << 0;
    QTest::newRow("realistic KZ-470DUAL") << Tree {} << 1;
}

void TestMenuModel::everyMenuCompletesOnce()
{
    QFETCH(Tree, tree);
    QFETCH(int, model);
    MenuRig rig;
    rig.recorderMenu->load(model >= 0 ? rig.recorderMenu->realisticMenu(model) : tree);
    QSignalSpy completed(&rig.menu, &Menu::menuCompleted);
    rig.walk();
    QCOMPARE(completed.count(), 1);
    QCOMPARE(treeDifference(rig.menu, *rig.recorderMenu), QString());
    QCOMPARE(rig.sent.count("07F6A3F01"), 1);
}

void TestMenuModel::badAnswersLeaveCleanTree_data()
{
    QTest::addColumn<Alter>("alter");
    // r is "FF6AFA" + answer; position 9 is the second digit of its first number
    QTest::newRow("duplicated") << Alter([](const QString& r) { return QStringList { r, r }; });
    QTest::newRow("out of range first")
        << Alter([](const QString& r) { return QStringList { r.left(8) + "97" + r.mid(10), r }; });
    QTest::newRow("short first") << Alter([](const QString& r) { return QStringList { r.left(9), r }; });
    QTest::newRow("garbled first") << Alter([](const QString& r) { return QStringList { QString(r).replace(9, 1, "x"), r }; });
    QTest::newRow("foreign values between")
        << Alter([](const QString& r) { return QStringList { r, "FF6AFA019900000000000100", "FF6AFA01000000000000010" }; });
}

void TestMenuModel::badAnswersLeaveCleanTree()
{
    QFETCH(Alter, alter);
    MenuRig rig;
    rig.recorderMenu->load(rig.recorderMenu->realisticMenu(1));
    QSignalSpy completed(&rig.menu, &Menu::menuCompleted);
    rig.walk(alter);
    QCOMPARE(completed.count(), 1);
    QCOMPARE(treeDifference(rig.menu, *rig.recorderMenu), QString());
}

// A send may wait for the link, and a reset or a new walk may come in
// meanwhile: the burst stops, and only the newest tree is filled.
void TestMenuModel::sendsReenteredByTheLink()
{
    for (const bool newWalk : { false, true }) {
        MenuRig rig;
        rig.recorderMenu->load(rig.recorderMenu->realisticMenu(1));
        QSignalSpy completed(&rig.menu, &Menu::menuCompleted);
        int pageNames = 0;
        rig.graph.telnet.writeSink = [&](const QByteArray& bytes) {
            rig.writes << QString::fromLatin1(bytes);
            if (bytes.startsWith("07F6A7A20") && ++pageNames == 5) {
                if (newWalk)
                    rig.reply(QStringLiteral("FF6AFA10%1").arg(rig.recorderMenu->pages.size()));
                else
                    rig.menu.clearMenuTree();
            }
        };
        rig.walk();
        QCOMPARE(completed.count(), newWalk ? 1 : 0);
        QCOMPARE(treeDifference(rig.menu, *rig.recorderMenu).isEmpty(), newWalk);
        QCOMPARE(rig.menu.getMaxPageNumber(), newWalk ? rig.recorderMenu->pages.size() : 0);
    }
}

void TestMenuModel::choices_data()
{
    QTest::addColumn<QList<int>>("shown");  // SEL, GL, GR, PL, PR; -1: the row is gone; -2: 0, asked again
    QTest::addColumn<QList<int>>("choice"); // page, item, subitem, value, type
    QTest::addColumn<bool>("rebuilding");
    QTest::addColumn<QString>("line");      // "": phantomOnPopup instead

    const QList<int> sel1 = { 0, 0, 0, 1, 0 }, gainL2 = { 0, 1, 0, 2, 0 }, gainR1 = { 0, 1, 1, 1, 0 };
    const QList<int> phantomL1 = { 0, 2, 0, 1, 0 }, phantomR1 = { 0, 2, 1, 1, 0 };
    QTest::newRow("balanced, gain and phantom L") << QList<int> { 0, 2, 0, 1, 0 } << sel1 << false << "";
    QTest::newRow("balanced without phantom") << QList<int> { 0, 2, 2, 0, 0 } << sel1 << false << "07F6A7A030000000000000100";
    QTest::newRow("gain L, balanced, phantom L") << QList<int> { 1, 0, 0, 1, 0 } << gainL2 << false << "";
    QTest::newRow("gain R to 0 never asks") << QList<int> { 1, 0, 2, 1, 1 } << QList<int> { 0, 1, 1, 0, 0 } << false
                                            << "07F6A7A030000010001000000";
    QTest::newRow("phantom L, balanced, gain L") << QList<int> { 1, 2, 0, 0, 0 } << phantomL1 << false << "";
    QTest::newRow("phantom R without gain R") << QList<int> { 1, 2, 0, 0, 0 } << phantomR1 << false << "07F6A7A030000020001000100";
    QTest::newRow("confirmed") << QList<int> { 0, 2, 0, 1, 0 } << QList<int> { 0, 0, 0, 1, 1 } << false << "07F6A7A030000000000000100";
    QTest::newRow("gone rows are not read") << QList<int> { -1, -1, -1, -1, -1 } << phantomL1 << false << "";
    QTest::newRow("phantom L, input not read yet") << QList<int> { 5, 2, 0, 0, 0 } << phantomL1 << false << "";
    QTest::newRow("phantom L, input asked again") << QList<int> { -2, 2, 0, 0, 0 } << phantomL1 << false << "";
    QTest::newRow("balanced, phantom R not read yet") << QList<int> { 0, 0, 2, 0, 2 } << sel1 << false << "";
    QTest::newRow("phantom L, phantom R not read yet") << QList<int> { 0, 2, 0, 0, 2 } << phantomL1 << false
                                                       << "07F6A7A030000020000000100";
    QTest::newRow("gain during level fetch is undone") << QList<int> { 0, 0, 0, 0, 0 } << gainR1 << true << "07F6A7A01000001000100";
    QTest::newRow("value as number field") << QList<int> { 0, 0, 0, 0, 0 } << QList<int> { 1, 1, 0, 123, 0 } << false
                                           << "07F6A7A030100010000002301";
}

void TestMenuModel::choices()
{
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, choice);
    QFETCH(bool, rebuilding);
    QFETCH(QString, line);
    DrawnMenu d(inputs);
    Menu& m = d.rig.menu;
    const int at[][3] = { { 0, 0, 0 }, { 0, 1, 0 }, { 0, 1, 1 }, { 0, 2, 0 }, { 0, 2, 1 } };
    for (int k = 0; k < 5; ++k) {
        QObject* row = d.row(at[k][0], at[k][1], k == 0 ? -1 : at[k][2]);
        row->setProperty("comboBoxCurrentIndex", qMax(shown[k], 0));
        if (shown[k] == -1)
            delete row;
        else if (shown[k] == -2)
            m.subitemValueRequest(at[k][0], at[k][1], at[k][2]);
    }
    d.rig.takeLines();
    m.rebuildingInputLevel = rebuilding;
    QSignalSpy asked(&m, &Menu::phantomOnPopup);
    m.changedSubitemObjectValue(choice[0], choice[1], choice[2], choice[3], choice[4]);
    QCOMPARE(asked.count(), line.isEmpty() ? 1 : 0);
    // The menu's lines; the status queries read behind a pick are
    // pickReadsTheHomeValueBehind's.
    QCOMPARE(d.rig.takeLines().filter(QRegularExpression("^07F6A7A")), line.isEmpty() ? QStringList() : QStringList { line });
    QCOMPARE(m.inputChangePending, line.startsWith("07F6A7A0300000") && choice[1] < 2);

    // Rows left from a tree being walked again send nothing.
    d.rig.reply("FF6AFA1001");
    m.changedSubitemObjectValue(0, 0, 0, choice[3], 1);
    QCOMPARE(d.rig.takeLines(), (QStringList { "07F6A3F00", "07F6A7A200000" }));
}

// A pick on a list that is read again, or that a change gone out before it
// may have altered, is not sent as a number the recorder could read in
// another list; once the list has been read, picks go again, whether the
// change was answered or not and whether its list changed or not.
void TestMenuModel::picksOnListsAboutToChange_data()
{
    QTest::addColumn<QStringList>("before"); // "ENTRY value": picked, its answer lost; "reading ...": a list being read
    QTest::addColumn<QString>("pick");       // "ENTRY value"
    QTest::addColumn<QStringList>("sent");   // by the pick: "set ENTRY value", "info ENTRY", "value ENTRY"; else as it is
    QTest::addColumn<QString>("then");       // once every answer is in, picked and sent; "" none

    QTest::newRow("LEVEL, nothing pending") << QStringList() << "LEVEL L 14" << QStringList { "set LEVEL L 14" } + everyShownValue << "";
    QTest::newRow("LEVEL after an input change") << QStringList { "SEL 2" } << "LEVEL L 14"
                                                 << QStringList { "info LEVEL L", "info LEVEL R" } << "LEVEL L 14";
    QTest::newRow("LEVEL after a gain change") << QStringList { "GAIN R 1" } << "LEVEL R 14"
                                               << QStringList { "info LEVEL L", "info LEVEL R" } << "LEVEL R 14";
    QTest::newRow("LEVEL while read again") << QStringList { "reading levels" } << "LEVEL L 3"
                                            << QStringList { "value LEVEL L" } << "";
    QTest::newRow("REC FORMAT, another STEREO/MONO list") << QStringList() << "REC FORMAT 6"
                                                           << QStringList { "set REC FORMAT 6", "07F6A0C", "07F6A62", "info STEREO/MONO" }
                                                           << "STEREO/MONO 2";
    QTest::newRow("REC FORMAT, the same STEREO/MONO list") << QStringList() << "REC FORMAT 3"
                                                            << QStringList { "set REC FORMAT 3", "07F6A0C", "07F6A62", "info STEREO/MONO" }
                                                            << "STEREO/MONO 1";
    QTest::newRow("STEREO/MONO while read again") << QStringList { "reading stereo/mono" } << "STEREO/MONO 1"
                                                  << QStringList { "value STEREO/MONO" } << "";
    QTest::newRow("REC FORMAT while STEREO/MONO is read") << QStringList { "reading stereo/mono" } << "REC FORMAT 6"
                                                          << QStringList { "value REC FORMAT" } << "";
    QTest::newRow("PLAY AREA while read again") << QStringList { "reading cd" } << "PLAY AREA 1"
                                                << QStringList { "value PLAY AREA" } << "";
}

void TestMenuModel::picksOnListsAboutToChange()
{
    QFETCH(QStringList, before);
    QFETCH(QString, pick);
    QFETCH(QStringList, sent);
    QFETCH(QString, then);
    DrawnMenu d;
    Menu& m = d.rig.menu;
    requestShownValues(m);
    d.rig.pump();
    const QMap<QString, MenuPosition> entries = {
        { "SEL", m.inputSelectPosition }, { "GAIN R", m.inputGainRPosition }, { "LEVEL L", m.levelLPosition },
        { "LEVEL R", m.levelRPosition },   { "REC FORMAT", m.recFormatPosition }, { "STEREO/MONO", m.stereoMonoPosition },
        { "PLAY AREA", m.playAreaPosition },
    };
    const auto choose = [&](const QString& choice) {
        const MenuPosition at = entries.value(choice.section(' ', 0, -2));
        m.changedSubitemObjectValue(at.page, at.item, at.subitem, choice.section(' ', -1).toInt(), 0);
    };
    const auto wire = [&](const QString& line) {
        if (!line.contains(' '))
            return line;
        const bool set = line.startsWith("set");
        const MenuPosition at = entries.value(set ? line.section(' ', 1, -2) : line.section(' ', 1));
        const QString code = set ? "03" : line.startsWith("info") ? "14" : "01";
        return menuLine(code, { at.page, at.item, at.subitem }, set ? line.section(' ', -1).toInt() : -1);
    };
    for (const QString& step : before) {
        m.rebuildingInputLevel |= step == "reading levels";
        m.rebuildingForStereoMono |= step == "reading stereo/mono";
        m.rebuildingForCd |= step == "reading cd";
        if (!step.startsWith("reading")) {
            choose(step);
            d.rig.pump([](const QString&) { return QStringList(); }); // the recorder takes it, its answer is lost
        }
    }
    d.rig.sent.clear();
    choose(pick);
    QStringList expected;
    for (const QString& line : sent)
        expected << wire(line);
    QCOMPARE(splitLines(d.rig.writes), expected);
    if (then.isEmpty())
        return;
    d.rig.pump();
    QVERIFY(!m.inputChangePending && !m.rebuildingInputLevel && !m.rebuildingForStereoMono);
    choose(then);
    QCOMPARE(d.rig.takeLines().filter(QRegularExpression("^07F6A7A")), QStringList { wire("set " + then) });
}

// A change of medium sent from the home tab holds the lists that follow the
// medium until it has been answered and they have been read behind it; an
// answer showing the medium it was sent on, a lost answer or a lost link
// holds nothing for good.
void TestMenuModel::mediumChangeHoldsItsLists_data()
{
    // "medium M": sent from the home tab; "answer M": the recorder reports M;
    // "notice 50"; "answer all": every menu request is answered; "link loss":
    // and a new walk; "pick ENTRY value held|goes": no set is sent, or it is;
    // "reads N": the REC FORMAT list was asked for N times so far.
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("held until read behind the change")
        << QStringList { "medium SD2", "pick RF 3 held", "reads 1", "answer all", "pick RF 3 goes" };
    QTest::newRow("PLAY AREA and STEREO/MONO alike")
        << QStringList { "medium SD2", "pick PA 1 held", "pick SM 1 held", "answer all", "pick SM 1 goes", "reads 1" };
    QTest::newRow("answered with another medium, then read")
        << QStringList { "medium SD2", "answer SD2", "reads 1", "pick RF 3 held", "answer all", "pick RF 3 goes" };
    QTest::newRow("answered with the medium it went on: released")
        << QStringList { "medium SD2", "answer SD1", "pick RF 3 goes", "reads 0" };
    QTest::newRow("the first of two answered: still held")
        << QStringList { "medium SD2", "medium USB", "answer SD2", "reads 0", "pick RF 3 held", "answer USB", "answer all",
                         "pick RF 3 goes" };
    QTest::newRow("reading under way when it went: read again")
        << QStringList { "notice 50", "medium SD2", "answer SD2", "answer all", "reads 2", "pick RF 3 goes" };
    QTest::newRow("link loss") << QStringList { "medium SD2", "link loss", "pick RF 3 goes", "reads 0" };
}

void TestMenuModel::mediumChangeHoldsItsLists()
{
    QFETCH(QStringList, steps);
    DrawnMenu d;
    Menu& m = d.rig.menu;
    Communication& comm = d.rig.comm;
    requestShownValues(m);
    d.rig.reply("FF0100"); // on SD1
    d.rig.pump();
    d.rig.sent.clear();
    const QMap<QString, MenuPosition Menu::*> entries = {
        { "RF", &Menu::recFormatPosition }, { "PA", &Menu::playAreaPosition }, { "SM", &Menu::stereoMonoPosition }
    };
    const QMap<QString, QString> codes = { { "SD1", "00" }, { "SD2", "01" }, { "USB", "10" } };
    for (const QString& step : steps) {
        const QString what = step.section(' ', 0, 0), arg = step.section(' ', 1, 1);
        if (what == "medium") {
            (comm.*(arg == "SD2" ? &Communication::currentMediaSD2Request : &Communication::currentMediaUSBRequest))();
        } else if (step == "answer all") {
            d.rig.pump();
        } else if (what == "answer") {
            d.rig.reply("FF01" + codes.value(arg));
        } else if (what == "notice") {
            d.rig.reply("FF6AF6" + arg);
        } else if (what == "link") {
            comm.failedLogin();
            d.draw();
        } else if (what == "reads") {
            const MenuPosition at = m.recFormatPosition;
            const QString info = menuLine("14", { at.page, at.item, at.subitem });
            QVERIFY2((d.rig.sent + splitLines(d.rig.writes)).count(info) == arg.toInt(), qPrintable(step));
        } else {
            const MenuPosition at = m.*entries.value(arg);
            const int value = step.section(' ', 2, 2).toInt();
            const int before = splitLines(d.rig.writes).size();
            m.changedSubitemObjectValue(at.page, at.item, at.subitem, value, 0);
            const QStringList sets = splitLines(d.rig.writes).mid(before).filter(QRegularExpression("^07F6A7A03"));
            const QStringList expected { menuLine("03", { at.page, at.item, at.subitem }, value) };
            QVERIFY2(sets == (step.endsWith("goes") ? expected : QStringList()), qPrintable(step + ": " + sets.join(' ')));
        }
    }
}

// Changes of medium while the lists that follow it are read, against a
// recorder that takes the lines in order and does not answer a name past the
// end of a list: every line is answered, the names asked after the last
// change are those of the counts read behind it, and the reading ends with
// the recorder's lists and values; a pick then goes.
void TestMenuModel::mediumChangeMidRead_data()
{
    // "medium M": sent from the home tab; "panel M": switched at the front
    // panel (notice 50 at once); "answer N": the recorder takes N lines;
    // "answer all": every line; "lose name": the next name of REC FORMAT
    // asked is lost; "quiet": a quiet spell passes.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("formatNames"); // REC FORMAT indices asked after the last switch
    // Names past the end of a list: only those on their way when the front
    // panel switched, before the application could know.
    QTest::addColumn<int>("pastEnd");

    for (int n : { 1, 3, 6, 9, 14 }) {
        QTest::addRow("SD1, CD after %d lines", n)
            << QStringList { "medium SD1", QStringLiteral("answer %1").arg(n), "medium CD", "answer all" }
            << QStringList { "0" } << 0;
    }
    QTest::newRow("CD, SD1 at once") << QStringList { "medium CD", "answer 2", "medium SD1", "answer all" }
                                     << QStringList { "0", "1", "2", "3", "4" } << 0;
    QTest::newRow("three changes within the reading")
        << QStringList { "medium SD1", "answer 5", "medium CD", "answer 2", "medium SD1", "answer 7", "medium CD", "answer all" }
        << QStringList { "0" } << 0;
    QTest::newRow("front panel mid-reading")
        << QStringList { "medium SD1", "answer 9", "panel CD", "answer all" } << QStringList { "1", "0" } << 2;
    QTest::newRow("a name lost") << QStringList { "medium SD1", "lose name", "answer all", "quiet", "answer all" }
                                 << QStringList { "0", "0", "1", "2", "3", "4" } << 0;
}

void TestMenuModel::mediumChangeMidRead()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, formatNames);
    QFETCH(int, pastEnd);
    bool onCd = true;
    SimMenuSubitem area = sub("PLAY AREA", {}), format = sub("REC FORMAT", {});
    area.dynamicChoices = [&onCd] { return onCd ? QStringList { "ALL" } : QStringList { "ALL", "FOLDER", "PLAYLIST" }; };
    format.dynamicChoices = [&onCd] {
        return onCd ? QStringList { "CD-DA" } : QStringList { "WAV 44.1", "WAV 48", "WAV 96", "MP3 128", "MP3 320" };
    };
    DrawnMenu d({ { "REC 1", { { "REC FORMAT", { format } }, single("STEREO/MONO", { "STEREO", "MONO" }) } },
                  { "PLAY 1", { { "PLAY AREA", { area } } } } });
    Menu& m = d.rig.menu;
    Communication& comm = d.rig.comm;
    d.rig.reply("FF0111"); // on CD
    requestShownValues(m);
    d.rig.pump();

    QStringList queue, unanswered, asked;
    const QString formatName = menuLine("24", { 0, 0, 0 });
    bool loseName = false;
    const auto take = [&](int n) {
        for (; n > 0 && !(queue << d.rig.takeLines()).isEmpty(); --n) {
            const QString line = queue.takeFirst();
            QStringList replies;
            if (line == "07F0100" || line == "07F0111") {
                asked.clear();
                const bool cd = line.endsWith("11");
                replies << (cd ? "0FF0111" : "0FF0100");
                if (std::exchange(onCd, cd) != cd)
                    replies << "0FF6AF650";
            } else if (line.startsWith(formatName) && std::exchange(loseName, false)) {
            } else if (d.rig.recorderMenu->answersTo(line, &replies) && replies.isEmpty()) {
                unanswered << line;
            }
            if (line.startsWith(formatName))
                asked << QString::number(line.mid(21, 2).toInt());
            for (const QString& r : qAsConst(replies))
                d.rig.reply(r.mid(1));
        }
    };
    for (const QString& step : steps) {
        const QString what = step.section(' ', 0, 0), arg = step.section(' ', 1);
        if (what == "medium") {
            (comm.*(arg == "CD" ? &Communication::currentMediaCDRequest : &Communication::currentMediaSD1Request))();
        } else if (step == "lose name") {
            loseName = true;
        } else if (step == "quiet") {
            QVERIFY(m.rebuildingForCd);
            QTest::qWait(3200);
        } else if (what == "panel") {
            onCd = arg == "CD";
            asked.clear();
            d.rig.reply("FF6AF650");
        } else {
            take(arg == "all" ? 1000 : arg.toInt());
        }
    }
    QCOMPARE(queue, QStringList());
    QCOMPARE(unanswered.filter(QRegularExpression("^07F6A7A24")).size(), pastEnd);
    QCOMPARE(unanswered.size(), pastEnd);
    QCOMPARE(asked.join(" "), formatNames.join(" "));
    QVERIFY(!m.rebuildingForCd && !m.rebuildingForStereoMono);
    QCOMPARE(treeDifference(m, *d.rig.recorderMenu), QString());
    QCOMPARE(valueDifference(m, *d.rig.recorderMenu), QString());
    QCOMPARE(d.row(0, 0, -1)->property("visibleComboBox").toBool(), true);
    m.changedSubitemObjectValue(1, 0, 0, 0, 0);
    QCOMPARE(d.rig.takeLines().filter("07F6A7A03"), QStringList { menuLine("03", { 1, 0, 0 }, 0) });
}

void TestMenuModel::valueAnswers_data()
{
    QTest::addColumn<int>("before"); // comboBoxCurrentIndex of the row; -1: as preloaded
    QTest::addColumn<bool>("pending");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown"); // "property=value" on the answered entry's row
    QTest::addColumn<bool>("levelFetch");

    QTest::newRow("range 150") << -1 << false << "FF6AFA010100010000005001" << "rangeData=500" << false;
    QTest::newRow("value answer of 19") << -1 << false << "FF6AFA0100000000000001000" << "comboBoxCurrentIndex=5" << false;
    QTest::newRow("first input value after a build") << -1 << false << "FF6AFA010000000000000100" << "comboBoxCurrentIndex=1" << false;
    QTest::newRow("input changed") << 0 << false << "FF6AFA010000000000000100" << "oldIndex=1" << true;
    QTest::newRow("input unchanged") << 1 << false << "FF6AFA010000000000000100" << "oldIndex=1" << false;
    QTest::newRow("input unchanged, change pending") << 1 << true << "FF6AFA010000000000000100" << "oldIndex=1" << true;
    QTest::newRow("gain R changed") << 0 << false << "FF6AFA010000010001000200" << "comboBoxCurrentIndex=2" << true;
}

void TestMenuModel::valueAnswers()
{
    QFETCH(int, before);
    QFETCH(bool, pending);
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    QFETCH(bool, levelFetch);
    DrawnMenu d(inputs);
    const int p = answer.midRef(8, 2).toInt(), i = answer.midRef(12, 2).toInt(), s = answer.midRef(16, 2).toInt();
    QObject* row = d.row(p, i, d.rig.menu.getMaxSubitemNumber(p, i) == 1 ? -1 : s);
    if (before >= 0)
        row->setProperty("comboBoxCurrentIndex", before);
    d.rig.menu.inputChangePending = pending;
    QSignalSpy levels(&d.rig.menu, &Menu::inputLevelParameterChanged);
    d.rig.reply(answer);
    QCOMPARE(row->property(qPrintable(shown.section('=', 0, 0))).toString(), shown.section('=', 1));
    QCOMPARE(d.rig.menu.inputChangePending, pending && !levelFetch);
    d.rig.pump();
    QCOMPARE(levels.count(), levelFetch ? 2 : 0);
    QCOMPARE(d.rig.sent.count("07F6A7A14010000000000"), levelFetch ? 1 : 0);
}

// A menu without the named entries: nothing acts on entry (0, 0, 0) instead.
void TestMenuModel::absentEntriesAreLeftAlone()
{
    DrawnMenu d({ { "A", { single("BEEP", { "OFF", "ON", "LOUD" }) } } });
    Menu& m = d.rig.menu;
    m.rebuildParameterForCd();
    m.rebuildParameterForStereoMono();
    m.rebuildParameterForInputLevel();
    m.updateCurrentMediaMenuText("SD1");
    m.changedSubitemObjectValue(0, 0, 0, 1, 0);
    d.rig.reply("FF6AFA010000000000000200");
    QCOMPARE(d.rig.takeLines(), QStringList { "07F6A7A030000000000000100" } + everyShownValue);
    QVERIFY(!m.rebuildingForCd && !m.rebuildingForStereoMono && !m.rebuildingInputLevel && !m.inputChangePending);
    QCOMPARE(m.getMaxSubitemParameterNumber(0, 0, 0), 3);
    QCOMPARE(d.row(0, 0, -1)->property("comboBoxCurrentIndex").toInt(), 2);
}

void TestMenuModel::badIndicesAndDrawing()
{
    MenuRig rig;
    Menu& m = rig.menu;
    QSignalSpy drawing(&m, &Menu::drawingFinishedChanged);
    m.setDrawingFinished(true); // no walk yet
    rig.recorderMenu->load(inputs);
    rig.walk();
    m.updateCurrentMediaMenuText("SD1"); // not drawn yet
    m.setDrawingFinished(true);
    m.setDrawingFinished(true);
    QCOMPARE(drawing.count(), 2); // false at the walk's start, true once

    QVERIFY(m.getPageName(2).isEmpty() && !m.getPageVisible(-1) && m.getItemName(0, 9).isEmpty() && !m.getItemObject(0, -1));
    const int bad[][3] = { { -1, 0, 0 }, { 2, 0, 0 }, { 0, 9, 0 }, { 0, 1, 5 } };
    for (const auto& b : bad) {
        QVERIFY(!m.getSubitemObject(b[0], b[1], b[2]) && !m.getSubitemVisible(b[0], b[1], b[2]));
        m.setSubitemObject(b[0], b[1], b[2], &rig.graph.ver);
        m.subitemValueRequest(b[0], b[1], b[2]);
        m.changedSubitemObjectValue(b[0], b[1], b[2], 1, 1);
    }
    QVERIFY(m.getSubitemParameterName(0, 1, 0, 7).isEmpty());
    QCOMPARE(m.getVisibleSubitemNumber(0, 1), 2);
    QCOMPARE(rig.takeLines(), QStringList());
}

// A range row's sets ("s<value>") and the recorder's reports ("r<value>"),
// in the recorder's values, a value request of the row ("q"), a refusal of a
// set ("f"), a quiet spell without reports ("z") and the event loop running
// ("e"): what the row holds at the end. Reports answer the oldest line they
// can; the lines before it went unanswered.
void TestMenuModel::rangeSetsHoldTheKnob_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("held");
    QTest::addColumn<int>("oldIndex"); // in ms, as the row holds it
    QTest::addColumn<int>("rangeData");

    QTest::newRow("one set, not answered yet") << "s101" << true << -1 << 0;
    QTest::newRow("one set, answered") << "s101 r101" << false << 10 << 10;
    QTest::newRow("an older answer reaches the texts only") << "s101 s102 r101" << true << -1 << 10;
    QTest::newRow("the last answer ends the wait") << "s101 s102 r101 r102" << false << 20 << 20;
    QTest::newRow("a request ahead of the set answers first") << "q s101 r99" << true << -1 << -10;
    QTest::newRow("a request after the set comes after its answer") << "s101 q r101" << false << 10 << 10;
    QTest::newRow("a quiet spell does not end the wait") << "s101 z" << true << -1 << 0;
    QTest::newRow("a refusal ends the wait") << "s101 f" << false << -1 << 0;
    QTest::newRow("the first set unanswered: the second's answer ends the wait")
        << "s101 s102 r102" << false << 20 << 20;
    QTest::newRow("the last set unanswered, its value read behind it: that answer ends the wait")
        << "s101 q r100 e" << false << 0 << 0;
    QTest::newRow("the last set unanswered: the answer to the value asked for ends the wait")
        << "s101 q r100 e r100" << false << 0 << 0;
    // "o" a line of another kind, "O" its answer: the set before it went
    // unanswered.
    QTest::newRow("the last set unanswered: the value is asked for") << "s101 o O e" << true << -1 << 0;
    QTest::newRow("the last set unanswered: the value asked for, its answer ends the wait")
        << "s101 o O e r100" << false << 0 << 0;
    QTest::newRow("the value asked for unanswered too: the wait ends on the last report")
        << "s101 o O e o O e" << false << -1 << 0;
}

void TestMenuModel::rangeSetsHoldTheKnob()
{
    QFETCH(QString, script);
    QFETCH(bool, held);
    QFETCH(int, oldIndex);
    QFETCH(int, rangeData);

    DrawnMenu d(inputs);
    Menu& m = d.rig.menu;
    QObject* row = d.row(1, 1, 0);
    row->setProperty("held", false);
    row->setProperty("oldIndex", -1);
    row->setProperty("rangeData", 0);
    for (const QString& step : script.split(QLatin1Char(' '))) {
        const int value = step.mid(1).toInt();
        if (step.startsWith(QLatin1Char('s')))
            m.changedSubitemObjectValue(1, 1, 0, value, 0);
        else if (step.startsWith(QLatin1Char('r')))
            d.rig.reply(QStringLiteral("FF6AFA01010001000000") + QString::number(value % 100).rightJustified(2, '0')
                        + QString::number(value / 100).rightJustified(2, '0'));
        else if (step == QLatin1String("q"))
            m.subitemValueRequest(1, 1, 0);
        else if (step == QLatin1String("f"))
            d.rig.reply(QStringLiteral("FF6AFAF001"));
        else if (step == QLatin1String("o"))
            d.rig.comm.replyOrder.written("050\r\n");
        else if (step == QLatin1String("O"))
            d.rig.reply(QStringLiteral("D010"));
        else if (step == QLatin1String("e"))
            QCoreApplication::processEvents();
        else
            QTest::qWait(3500);
    }
    QCOMPARE(row->property("held").toBool(), held);
    QCOMPARE(row->property("oldIndex").toInt(), oldIndex);
    QCOMPARE(row->property("rangeData").toInt(), rangeData);
    // A value request for each "q", and one more at the most for the sets
    // that went unanswered.
    const QStringList lines = d.rig.takeLines();
    const int requests = lines.count(QStringLiteral("07F6A7A01010001000000"));
    QVERIFY2(requests <= script.count(QLatin1Char('q')) + 1, qPrintable(lines.join(' ')));
}


// PLAY AREA, PLAY MODE, PITCH and KEY are read again behind each change the
// home tab sends and each new value the recorder reports of them; a pick of
// one in the menu has the front panel read behind it.
void TestMenuModel::frontPanelSettingsReadAgain_data()
{
    QTest::addColumn<Event>("event");
    // "read ENTRY" its value request, "set ENTRY v"; anything else as it is
    QTest::addColumn<QStringList>("lines");

    const auto reply = [](const QString& line) { return Event([line](Communication& c) { c.recievedData(line); }); };
    QTest::newRow("home play area") << Event([](Communication& c) { c.playAreaPlaylistRequest(); })
                                    << QStringList { "07F074F02", "read PA" };
    QTest::newRow("home play mode") << Event([](Communication& c) { c.playModeRandomRequest(); })
                                    << QStringList { "04D06", "04E", "read PM" };
    QTest::newRow("home pitch on") << Event([](Communication& c) { c.pitchRequest(); }) << QStringList { "03501", "read PI" };
    QTest::newRow("home key on") << Event([](Communication& c) { c.keyRequest(); }) << QStringList { "03D01", "read KE" };
    QTest::newRow("home key value") << Event([](Communication& c) { c.keyDataSetRequest(-2); })
                                    << QStringList { "02D12", "read KE" };
    QTest::newRow("home pitch value: no menu row") << Event([](Communication& c) { c.pitchDataSetRequest(1.5); })
                                                   << QStringList { "0251500" };
    QTest::newRow("play area reported anew") << reply("FF07CF01") << QStringList { "read PA" };
    QTest::newRow("play area as before") << reply("FF07CF00") << QStringList();
    QTest::newRow("play mode reported anew") << reply("CE04") << QStringList { "read PM" };
    QTest::newRow("play mode as before") << reply("CE00") << QStringList();
    QTest::newRow("pitch on reported") << reply("B501") << QStringList { "read PI" };
    QTest::newRow("key on reported") << reply("BD01") << QStringList { "read KE" };
    QTest::newRow("key value reported") << reply("AD03") << QStringList { "read KE" };
    QTest::newRow("key value as before") << reply("AD00") << QStringList();
    QTest::newRow("pitch value: no menu row") << reply("A51500") << QStringList();
    const auto pick = [](MenuPosition Menu::*at, int value) {
        return Event([at, value](Communication& c) {
            const MenuPosition e = c.menu->*at;
            c.menu->changedSubitemObjectValue(e.page, e.item, e.subitem, value, 0);
        });
    };
    QTest::newRow("menu play area") << pick(&Menu::playAreaPosition, 2) << QStringList { "set PA 2", "07F074FFF" };
    QTest::newRow("menu play mode") << pick(&Menu::playModePosition, 3) << QStringList { "set PM 3", "04E" };
    QTest::newRow("menu pitch") << pick(&Menu::pitchPosition, 1) << QStringList { "set PI 1", "035FF" };
    QTest::newRow("menu key") << pick(&Menu::keyPosition, 9) << QStringList { "set KE 9", "03DFF", "02DFF" };
}

void TestMenuModel::frontPanelSettingsReadAgain()
{
    QFETCH(Event, event);
    QFETCH(QStringList, lines);
    DrawnMenu d;
    Menu& m = d.rig.menu;
    requestShownValues(m);
    d.rig.replies({ "FF07CF00", "CE00", "B500", "BD00", "AD00" }); // ALL, CONTINUE, off, off, 0
    d.rig.pump();
    d.rig.takeLines();
    const QMap<QString, MenuPosition> entries = { { "PA", m.playAreaPosition }, { "PM", m.playModePosition },
                                                  { "PI", m.pitchPosition },    { "KE", m.keyPosition } };
    for (const MenuPosition& at : entries)
        QVERIFY(at.isSet());
    QStringList expected;
    for (const QString& line : lines) {
        const MenuPosition at = entries.value(line.section(' ', 1, 1));
        if (line.startsWith("read "))
            expected << menuLine("01", { at.page, at.item, at.subitem });
        else if (line.startsWith("set "))
            expected << menuLine("03", { at.page, at.item, at.subitem }, line.section(' ', 2).toInt());
        else
            expected << line;
    }
    event(d.rig.comm);
    QCOMPARE(d.rig.takeLines(), expected);
}

// While a read or set of a front-panel setting's row is unanswered, the row
// takes any pick (its last known value is none); the last answer gives it
// the value again. Other rows keep theirs throughout.
void TestMenuModel::frontPanelRowTakesAnyPickWhileUnsure()
{
    DrawnMenu d;
    Menu& m = d.rig.menu;
    requestShownValues(m);
    d.rig.pump();
    const MenuPosition area = m.playAreaPosition, repeat { area.page, area.item + 2, 0 };
    QCOMPARE(m.getItemName(repeat.page, repeat.item), QStringLiteral("REPEAT"));
    QObject* row = m.getItemObject(area.page, area.item);
    QObject* other = m.getItemObject(repeat.page, repeat.item);
    QCOMPARE(row->property("oldIndex"), QVariant(0));

    d.rig.comm.playAreaFolderRequest();
    d.rig.comm.playAreaPlaylistRequest();
    m.subitemValueRequest(repeat.page, repeat.item, 0);
    QCOMPARE(row->property("oldIndex"), QVariant(-1));
    QCOMPARE(row->property("comboBoxCurrentIndex"), QVariant(0)); // still shows what it knew
    QCOMPARE(other->property("oldIndex"), QVariant(0));
    QStringList reads = d.rig.takeLines().filter(QRegularExpression("^07F6A7A01"));
    QCOMPARE(reads.size(), 3);
    const auto answer = [&](const QString& line) {
        QStringList replies;
        d.rig.recorderMenu->answersTo(line, &replies);
        d.rig.replies({ replies.value(0).mid(1) });
    };
    sim::SimMenuSubitem* recorderArea = d.rig.recorderMenu->subitem({ area.page, area.item, 0 });
    recorderArea->value = 1;
    answer(reads[0]);
    QCOMPARE(row->property("comboBoxCurrentIndex"), QVariant(1));
    QCOMPARE(row->property("oldIndex"), QVariant(-1)); // one more on its way
    recorderArea->value = 2;
    answer(reads[1]);
    QCOMPARE(row->property("comboBoxCurrentIndex"), QVariant(2));
    QCOMPARE(row->property("oldIndex"), QVariant(2));
    answer(reads[2]);
    QCOMPARE(other->property("oldIndex"), other->property("comboBoxCurrentIndex"));

    // Picked while a read is on its way: the read's older answer leaves the
    // row open to picks until the pick's own answer.
    d.rig.comm.playAreaFolderRequest();
    reads = d.rig.takeLines().filter(QRegularExpression("^07F6A7A01"));
    row->setProperty("oldIndex", 0); // as the row does on the pick
    m.changedSubitemObjectValue(area.page, area.item, 0, 0, 0);
    const QStringList set = d.rig.takeLines().filter(QRegularExpression("^07F6A7A03"));
    answer(reads.value(0));
    QCOMPARE(row->property("oldIndex"), QVariant(-1));
    answer(set.value(0));
    QCOMPARE(row->property("oldIndex"), QVariant(0));
    QCOMPARE(row->property("comboBoxCurrentIndex"), QVariant(0));
}

// A pick of a front-panel setting in the menu is the user's last request of
// that value on the home tab too, until the report to the query behind it
// comes: a home pick is compared with it and a key step counts from it. The
// report then stands, whatever it says.
void TestMenuModel::menuPickIsTheHomeTabsRequest_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("asked"); // the home tab's value until the report
    QTest::addColumn<QStringList>("reports"); // to the query, in order
    QTest::addColumn<QString>("after");
    QTest::newRow("play area") << int(Menu::PlayArea) << 2 << "PLAYLIST" << QStringList { "FF07CF02" } << "PLAYLIST";
    QTest::newRow("play area kept") << int(Menu::PlayArea) << 1 << "FOLDER" << QStringList { "FF07CF00" } << "ALL";
    QTest::newRow("play mode") << int(Menu::PlayMode) << 3 << "RANDOM" << QStringList { "CE06" } << "RANDOM";
    QTest::newRow("play mode kept") << int(Menu::PlayMode) << 1 << "SINGLE" << QStringList { "CE00" } << "CONTINUE";
    QTest::newRow("play mode refused") << int(Menu::PlayMode) << 2 << "PROGRAM" << QStringList { "F2" } << "CONTINUE";
    QTest::newRow("pitch on") << int(Menu::Pitch) << 1 << "ON" << QStringList { "B501" } << "ON";
    QTest::newRow("pitch kept off") << int(Menu::Pitch) << 1 << "ON" << QStringList { "B500" } << "OFF";
    QTest::newRow("key") << int(Menu::Key) << 9 << "3" << QStringList { "BD00", "AD03" } << "3";
    QTest::newRow("key kept") << int(Menu::Key) << 2 << "-4" << QStringList { "BD00", "AD00" } << "0";
}

void TestMenuModel::menuPickIsTheHomeTabsRequest()
{
    QFETCH(int, setting);
    QFETCH(int, index);
    QFETCH(QString, asked);
    QFETCH(QStringList, reports);
    QFETCH(QString, after);
    DrawnMenu d;
    Menu& m = d.rig.menu;
    Communication& comm = d.rig.comm;
    requestShownValues(m);
    d.rig.replies({ "FF07CF00", "CE00", "B500", "BD00", "AD00" }); // ALL, CONTINUE, off, off, 0
    d.rig.pump();
    d.rig.takeLines();
    const auto home = [&] {
        switch (setting) {
        case Menu::PlayArea: return comm.playAreaPick();
        case Menu::PlayMode: return comm.playModePick();
        case Menu::Pitch: return QString::fromLatin1(comm.getPitchStatus() ? "ON" : "OFF");
        default: return QString::number(comm.getKeyShown());
        }
    };
    const MenuPosition at[] = { m.playAreaPosition, m.playModePosition, m.pitchPosition, m.keyPosition };
    const MenuPosition e = at[setting];
    m.changedSubitemObjectValue(e.page, e.item, e.subitem, index, 0);
    QCOMPARE(home(), asked);
    d.rig.takeLines(); // left unanswered: the menu's set and read report nothing here
    for (const QString& report : reports) {
        QCOMPARE(home(), asked);
        comm.recievedData(report);
    }
    QTRY_COMPARE(home(), after);
}

// A pick of a setting whose value the home tab or its information panel
// shows has that value read right behind the set, as the recorder need not
// tell the application that set it: the set line, then the status queries.
// Settings the home tab does not show are set alone; a pick that waits for
// the question sends nothing.
void TestMenuModel::pickReadsTheHomeValueBehind_data()
{
    QTest::addColumn<QString>("entry"); // item name, or "item|subitem"
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("type"); // 1: as the phantom-power question's OK
    QTest::addColumn<QStringList>("behind");

    QTest::newRow("input select") << "INPUT SELECT" << 2 << 0 << QStringList { "07F6A04", "07F6A05" };
    QTest::newRow("input gain") << "INPUT GAIN|INPUT GAIN Rch" << 0 << 0 << QStringList { "07F6A05" };
    QTest::newRow("phantom Lch on, asked first") << "PHANTOM(+48V)|PHANTOM(+48V)Lch" << 1 << 0 << QStringList();
    QTest::newRow("phantom Lch on, OK") << "PHANTOM(+48V)|PHANTOM(+48V)Lch" << 1 << 1 << QStringList { "07F6A05" };
    QTest::newRow("phantom Rch off") << "PHANTOM(+48V)|PHANTOM(+48V)Rch" << 0 << 0 << QStringList { "07F6A05" };
    QTest::newRow("record format") << "REC FORMAT" << 6 << 0 << QStringList { "07F6A0C", "07F6A62" };
    QTest::newRow("stereo/mono") << "STEREO/MONO" << 1 << 0 << QStringList { "07F6A62" };
    QTest::newRow("mono mix") << "MONO MIX" << 1 << 0 << QStringList { "07F6A62" };
    QTest::newRow("AGC") << "AGC" << 1 << 0 << QStringList { "07F6A0D" };
    QTest::newRow("dynamics") << "DYNAMICS" << 2 << 0 << QStringList { "07F6A0E" };
    QTest::newRow("low cut") << "LOW CUT" << 1 << 0 << QStringList { "07F6A60" };
    QTest::newRow("auto track") << "AUTO TRACK" << 1 << 0 << QStringList { "031FF" };
    QTest::newRow("sync rec") << "SYNC REC" << 1 << 0 << QStringList { "038FF" };
    QTest::newRow("auto mark") << "AUTO MARK" << 1 << 0 << QStringList { "07F6A61" };
    QTest::newRow("digital in SRC") << "DIGITAL IN SRC" << 1 << 0 << QStringList { "07F12110000FF" };
    QTest::newRow("repeat") << "REPEAT" << 1 << 0 << QStringList { "07F6A0A" };
    QTest::newRow("auto cue") << "AUTO CUE" << 3 << 0 << QStringList { "030FF" };
    QTest::newRow("auto ready") << "AUTO READY" << 1 << 0 << QStringList { "036FF" };
    QTest::newRow("incremental play") << "INCR PLAY" << 1 << 0 << QStringList { "03AFF" };
    QTest::newRow("backup relay") << "BACKUP RELAY" << 1 << 0 << QStringList { "07F6A0B", "07F6A0C" };
    // Items of other names may change what the home tab shows on another
    // recorder: every shown value is read.
    const QStringList all = everyShownValue;
    QTest::newRow("auto track level: read in full") << "AUTO TRACK LEVEL" << 1 << 0 << all;
    QTest::newRow("sync rec level: read in full") << "SYNC REC LEVEL" << 1 << 0 << all;
    QTest::newRow("key lock: read in full") << "KEY LOCK" << 1 << 0 << all;
    QTest::newRow("file name: read in full") << "FILE NAME" << 1 << 0 << all;
}

void TestMenuModel::pickReadsTheHomeValueBehind()
{
    QFETCH(QString, entry);
    QFETCH(int, value);
    QFETCH(int, type);
    QFETCH(QStringList, behind);
    DrawnMenu d;
    Menu& m = d.rig.menu;
    MenuPosition at;
    for (int p = 0; p < m.getMaxPageNumber(); ++p) {
        for (int i = 0; i < m.getMaxItemNumber(p); ++i) {
            for (int s = 0; s < m.getMaxSubitemNumber(p, i); ++s) {
                if (!at.isSet() && m.getItemName(p, i) == entry.section('|', 0, 0)
                    && (!entry.contains('|') || m.getSubitemName(p, i, s) == entry.section('|', 1)))
                    at = { p, i, s };
            }
        }
    }
    QVERIFY2(at.isSet(), qPrintable(entry));
    m.changedSubitemObjectValue(at.page, at.item, at.subitem, value, type);
    QStringList lines = d.rig.takeLines();
    const bool asked = type == 0 && behind.isEmpty() && entry.startsWith("PHANTOM");
    const QStringList expected = asked ? QStringList() : QStringList { menuLine("03", { at.page, at.item, at.subitem }, value) } + behind;
    // A new format has the STEREO/MONO list read after that.
    QCOMPARE(lines.mid(0, expected.size()), expected);
    QCOMPARE(lines.mid(expected.size()).filter(QRegularExpression("^(?!07F6A7A14)")), QStringList());
}

// A tapped entry goes as the number it has in the list the menu holds, and
// only when the row was filled from that very list and the list holds the
// entry there; otherwise nothing is sent and the value is read again, which
// puts the row back. The row was filled from STEREO/MONO's list `held`; the
// recorder then holds `now`, read again or not, before the tap.
void TestMenuModel::tappedEntryAgainstTheListHeld_data()
{
    QTest::addColumn<QStringList>("held");
    QTest::addColumn<QStringList>("now");
    QTest::addColumn<QString>("read");    // "no", "again" (answered), "under way" (no answer yet)
    QTest::addColumn<bool>("refilled");   // the row's list is the one the menu holds at the tap
    QTest::addColumn<bool>("blank");      // the row shows no value yet
    QTest::addColumn<QString>("tap");     // "index name", as the row tells it
    QTest::addColumn<int>("sent");        // the number set; -1 none, the value read again

    const QStringList wav { "STEREO", "MONO" }, mp3 { "STEREO", "JOINT STEREO", "MONO" };
    QTest::newRow("same list") << wav << wav << "no" << true << false << "1 MONO" << 1;
    QTest::newRow("same list, value blank") << wav << wav << "no" << true << true << "1 MONO" << 1;
    QTest::newRow("same list, the value shown") << wav << wav << "no" << true << false << "0 STEREO" << 0;
    QTest::newRow("read again the same, tapped in the list before") << wav << wav << "again" << false << false << "1 MONO" << -1;
    QTest::newRow("read again the same, row filled again") << wav << wav << "again" << true << false << "1 MONO" << 1;
    QTest::newRow("shortened, tapped past its end") << mp3 << wav << "again" << false << false << "2 MONO" << -1;
    QTest::newRow("shortened, the same first entry") << mp3 << wav << "again" << false << true << "0 STEREO" << -1;
    QTest::newRow("shortened, row filled again") << mp3 << wav << "again" << true << true << "1 MONO" << 1;
    QTest::newRow("lengthened, tapped in the list before") << wav << mp3 << "again" << false << false << "1 MONO" << -1;
    QTest::newRow("lengthened, row filled again") << wav << mp3 << "again" << true << false << "2 MONO" << 2;
    QTest::newRow("renamed, an entry it no longer holds there")
        << wav << QStringList { "LEFT", "RIGHT" } << "again" << true << false << "1 MONO" << -1;
    QTest::newRow("changed without a notice: the list held decides") << wav << mp3 << "no" << true << false << "1 MONO" << 1;
    QTest::newRow("being read, tapped in the list before") << wav << mp3 << "under way" << false << false << "1 MONO" << -1;
    QTest::newRow("being read, as the list now asked for") << wav << mp3 << "under way" << true << true << "1 MONO" << -1;
    QTest::newRow("an entry that has left the list") << mp3 << wav << "again" << true << false << "-1 JOINT STEREO" << -1;
    QTest::newRow("a name the list does not hold there") << wav << wav << "no" << true << false << "1 JOINT STEREO" << -1;
}

void TestMenuModel::tappedEntryAgainstTheListHeld()
{
    QFETCH(QStringList, held);
    QFETCH(QStringList, now);
    QFETCH(QString, read);
    QFETCH(bool, refilled);
    QFETCH(bool, blank);
    QFETCH(QString, tap);
    QFETCH(int, sent);
    DrawnMenu d({ { "REC 1", { single("REC FORMAT", { "WAV", "MP3" }), single("STEREO/MONO", held) } } });
    Menu& m = d.rig.menu;
    const MenuPosition at = m.stereoMonoPosition;
    QVERIFY(at.isSet());
    requestShownValues(m);
    d.rig.pump();
    QObject* row = m.getItemObject(at.page, at.item);
    QCOMPARE(row->property("comboBoxCurrentIndex"), QVariant(0));
    const int filled = m.getSubitemListGeneration(at.page, at.item, at.subitem);

    d.rig.recorderMenu->pages[at.page].items[at.item].subitems[0].choices = now;
    if (read != "no") {
        m.rebuildParameterForStereoMono();
        if (read == "again")
            d.rig.pump();
    }
    d.rig.takeLines();
    if (blank)
        row->setProperty("comboBoxCurrentIndex", m.getMaxSubitemParameterNumber(at.page, at.item, at.subitem));
    const int list = refilled ? m.getSubitemListGeneration(at.page, at.item, at.subitem) : filled;
    QCOMPARE(list == filled, read == "no" || !refilled);
    m.changedSubitemChoice(at.page, at.item, at.subitem, tap.section(' ', 0, 0).toInt(), tap.section(' ', 1), list);
    const sim::SimMenuEntry e { at.page, at.item, at.subitem };
    QCOMPARE(d.rig.takeLines().filter(QRegularExpression("^07F6A7A")),
             QStringList { sent < 0 ? menuLine("01", e) : menuLine("03", e, sent) });
}

QTEST_MAIN(TestMenuModel)
#include "tst_menumodel.moc"
