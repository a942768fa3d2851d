// The settings-menu model without a network: how answers are read, the walk
// over small and pathological menus answered by the simulator's menu model
// in-process, its robustness against bad answers and re-entered sends, and
// the value commands with their interlocks.
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "menurig.h"
#include "telnet.h"

using sim::SimMenuItem;
using sim::SimMenuPage;
using sim::SimMenuSubitem;
using Tree = QList<SimMenuPage>;

using Alter = std::function<QStringList(const QString&)>;
Q_DECLARE_METATYPE(Tree)
Q_DECLARE_METATYPE(Alter)

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

SimMenuItem single(const QString& name, const QStringList& choices)
{
    return { name, { sub(name, choices) } };
}

const QStringList offOn = { "OFF", "ON" };

// Inputs, gains, phantom power, levels and a delay, as the interlocks need them.
const Tree inputs = {
    { "INPUT 1",
      { single("INPUT SELECT", { "UNBAL", "BAL", "COAX", "XLR", "CARD" }),
        { "INPUT GAIN", { sub("INPUT GAIN Lch", { "LINE", "LOW", "HIGH" }), sub("INPUT GAIN Rch", { "LINE", "LOW", "HIGH" }) } },
        { "PHANTOM(+48V)", { sub("PHANTOM(+48V)Lch", offOn), sub("PHANTOM(+48V)Rch", offOn) } } } },
    { "INPUT 2",
      { { "INPUT LEVEL", { sub("LEVEL(L)", { "-1dB", "0dB" }), sub("LEVEL(R)", { "-1dB", "0dB" }) } },
        { "DELAY", { sub("DELAY L", {}, 1), sub("DELAY R", {}, 1) } } } },
};

// Walks tree and draws it: a plain object as the row of every entry.
struct DrawnMenu
{
    explicit DrawnMenu(const Tree& tree)
    {
        rig.recorderMenu->load(tree);
        rig.walk();
        Menu& m = rig.menu;
        registerPlainRows(m, &rows);
        m.setDrawingFinished(true);
        rig.takeLines();
        rig.sent.clear();
    }
    QVariant shown(int p, int i, int s, const char* property)
    {
        QObject* r = s < 0 ? rig.menu.getItemObject(p, i) : rig.menu.getSubitemObject(p, i, s);
        return r->property(property);
    }
    MenuRig rig;
    QObject rows;
};

} // namespace

class TestMenuModel : public QObject
{
    Q_OBJECT

private slots:
    void readsAnswers_data();
    void readsAnswers();
    void walkOfSmallMenu();
    void pageTitles_data();
    void pageTitles();
    void specialNames_data();
    void specialNames();
    void everyMenuCompletesOnce_data();
    void everyMenuCompletesOnce();
    void badAnswersLeaveCleanTree_data();
    void badAnswersLeaveCleanTree();
    void sendsReenteredByTheLink_data();
    void sendsReenteredByTheLink();
    void choices_data();
    void choices();
    void valueAnswers_data();
    void valueAnswers();
    void mediaTexts_data();
    void mediaTexts();
    void absentEntriesAreLeftAlone();
    void badIndicesAndDrawing();
};

void TestMenuModel::readsAnswers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("numbers"); // page, item, subitem, count, type, read-only, visible
    QTest::addColumn<QString>("name");

    QTest::newRow("value") << "010300120000000500" << true << QList<int> { 3, 12, 0, 5, 0, 0, 0 } << "";
    QTest::newRow("value of 17") << "01030012000000050" << false << QList<int> {} << "";
    QTest::newRow("value of 19") << "0103001200000005000" << false << QList<int> {} << "";
    QTest::newRow("page count") << "1023" << true << QList<int> { 0, 0, 0, 23, 0, 0, 0 } << "";
    QTest::newRow("page count short") << "102" << false << QList<int> {} << "";
    QTest::newRow("page count garbled") << "10x3" << false << QList<int> {} << "";
    QTest::newRow("page name trimmed") << "200300  REC 1 " << true << QList<int> { 3, 0, 0, 0, 0, 0, 0 } << "REC 1";
    QTest::newRow("item count") << "11020012" << true << QList<int> { 2, 0, 0, 12, 0, 0, 0 } << "";
    QTest::newRow("subitem count short") << "13020001000" << false << QList<int> {} << "";
    QTest::newRow("info") << "140100020003002301010001" << true << QList<int> { 1, 2, 3, 123, 1, 0, 1 } << "";
    QTest::newRow("info short") << "14010002000300230100000" << false << QList<int> {} << "";
    QTest::newRow("info garbled flag") << "1401000200030023010000 1" << false << QList<int> {} << "";
    QTest::newRow("parameter name") << "240100020003002301ON" << true << QList<int> { 1, 2, 3, 123, 0, 0, 0 } << "ON";
    QTest::newRow("parameter index garbled") << "2401000200030023x1ON" << false << QList<int> {} << "";
    QTest::newRow("set answer is no menu answer") << "030000000000000100" << false << QList<int> {} << "";
}

void TestMenuModel::readsAnswers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, name);
    MenuAnswer a;
    QCOMPARE(readMenuAnswer(text, &a), valid);
    if (valid) {
        QCOMPARE((QList<int> { a.page, a.item, a.subitem, a.count, a.type, a.readOnly, a.visible }), numbers);
        QCOMPARE(a.name, name);
    }
}

// Every request of a walk, in order, one node at a time.
void TestMenuModel::walkOfSmallMenu()
{
    MenuRig rig;
    rig.recorderMenu->load({ { "INPUT 1", { single("INPUT SELECT", { "UNBAL", "BAL", "COAX" }) } },
                             { "SYSTEM 1", { single("FIRMWARE", offOn) } } });
    QSignalSpy started(&rig.menu, &Menu::menuStarted);
    QSignalSpy drawing(&rig.menu, &Menu::drawingFinishedChanged);
    rig.walk();
    QCOMPARE(rig.sent, (QStringList { "07F6A7A10", "07F6A3F00", "07F6A7A200000", "07F6A7A200100", "07F6A7A110000",
                                      "07F6A7A2100000000", "07F6A7A1300000000", "07F6A7A23000000000000",
                                      "07F6A7A14000000000000", "07F6A7A240000000000000000",
                                      "07F6A7A240000000000000100", "07F6A7A240000000000000200", "07F6A3F01" }));
    QCOMPARE(started.count(), 1);
    QCOMPARE(drawing.count(), 1);
    QCOMPARE(drawing.first().first().toBool(), false);
}

void TestMenuModel::pageTitles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("title");

    QTest::newRow("first of a group") << "INPUT 1" << true << "INPUT";
    QTest::newRow("continuation") << "INPUT 2" << true << "";
    QTest::newRow("continuation 0") << "INPUT 10" << true << "";
    QTest::newRow("no number") << "UTILITY" << true << "UTILITY";
    QTest::newRow("only a 1") << "1" << true << "";
    QTest::newRow("hidden") << "CD" << false << "";
    QTest::newRow("hidden, not shortened") << "NETWORK 1" << false << "";
    QTest::newRow("hidden is exact") << "PLAYLISTS" << true << "PLAYLISTS";
}

void TestMenuModel::pageTitles()
{
    QFETCH(QString, name);
    QFETCH(bool, shown);
    QFETCH(QString, title);
    MenuRig rig;
    rig.recorderMenu->load({ { name, { single("BEEP", offOn) } } });
    rig.walk();
    QCOMPARE(rig.menu.getPageVisible(0), shown);
    QCOMPARE(rig.menu.getPageName(0), title);
    QCOMPARE(rig.sent.contains("07F6A7A110000"), shown);
    QCOMPARE(rig.menu.pages.at(0).complete, true);
}

void TestMenuModel::specialNames_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("position"); // the one set, as "name page item subitem"
    QTest::addColumn<QString>("stored");   // name of subitem (0, 0, last)

    QTest::newRow("LEVEL(R) within a name")
        << Tree { { "A", { { "LEVELS", { sub("X", offOn), sub("MIC LEVEL(R) TRIM", offOn) } } } } } << "levelR 0 0 1"
        << "LEVEL (R)";
    QTest::newRow("item rule, subitem 0") << Tree { { "A", { { "REC FORMAT A", { sub("X", offOn), sub("Y", offOn) } } } } }
                                          << "recFormat 0 0 0" << "Y";
    QTest::newRow("subitem rule shadows the item rule")
        << Tree { { "A", { single("X", offOn), { "PLAY AREA", { sub("FOLDER SELECT", offOn) } } } } } << "folder 0 1 0"
        << "FOLDER SELECT";
    QTest::newRow("INPUT SELECT shadows INPUT GAIN")
        << Tree { { "A", { { "INPUT SELECT", { sub("INPUT GAIN Lch", offOn) } } } } } << "inputSelect 0 0 0"
        << "INPUT GAIN Lch";
    QTest::newRow("later match overwrites")
        << Tree { { "A", { { "M", { sub("SD1 A", offOn), sub("SD1 B", offOn) } } } } } << "sd1 0 0 1" << "SD1 B";
    QTest::newRow("case matters") << Tree { { "A", { { "M", { sub("x", offOn), sub("usb", offOn) } } } } } << "" << "usb";
}

void TestMenuModel::specialNames()
{
    QFETCH(Tree, tree);
    QFETCH(QString, position);
    QFETCH(QString, stored);
    MenuRig rig;
    rig.recorderMenu->load(tree);
    rig.walk();
    Menu& m = rig.menu;
    const QList<QPair<QString, MenuPosition*>> positions = {
        { "sd1", &m.sd1Position }, { "folder", &m.folderPosition }, { "inputSelect", &m.inputSelectPosition },
        { "inputGainL", &m.inputGainLPosition }, { "levelR", &m.levelRPosition }, { "recFormat", &m.recFormatPosition },
        { "playArea", &m.playAreaPosition }, { "usb", &m.usbPosition },
    };
    QStringList set;
    for (const auto& p : positions) {
        if (p.second->isSet())
            set << QStringLiteral("%1 %2 %3 %4").arg(p.first).arg(p.second->page).arg(p.second->item).arg(p.second->subitem);
    }
    QCOMPARE(set.join(", "), position);
    const int last = tree[0].items.last().subitems.size() - 1;
    QCOMPARE(m.getSubitemName(0, tree[0].items.size() - 1, last), stored);
}

void TestMenuModel::everyMenuCompletesOnce_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<int>("model"); // realistic menu of that model when tree is empty and model >= 0

    QTest::newRow("no pages") << Tree {} << -1;
    QTest::newRow("empty page") << Tree { { "EMPTY", {} } } << -1;
    QTest::newRow("item without subitems") << Tree { { "A", { { "NOTHING", {} } } } } << -1;
    QTest::newRow("last completion by info")
        << Tree { { "A", { { "DELAY", { sub("DELAY L", {}, 1), sub("NONE", {}) } } } } } << -1;
    QTest::newRow("hidden subitem") << Tree { { "A", { { "M", { sub("X", offOn, 0, false) } } } } } << -1;
    QTest::newRow("only a hidden item") << Tree { { "A", { single("REMOTE POWER CONTROL", offOn) } } } << -1;
    QTest::newRow("hidden last page") << Tree { { "A", { single("B", offOn) } }, { "SYSTEM 2", {} } } << -1;
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
    rig.menu.setDrawingFinished(true);
    QVERIFY(rig.menu.drawingFinished);
}

void TestMenuModel::badAnswersLeaveCleanTree_data()
{
    QTest::addColumn<Alter>("alter");

    // r is "FF6AFA" + answer; position 9 is the second digit of the first number
    QTest::newRow("duplicated") << Alter([](const QString& r) { return QStringList { r, r }; });
    QTest::newRow("out of range first") << Alter([](const QString& r) {
        return QStringList { r.left(6) + r.mid(6, 2) + "97" + r.mid(10), r };
    });
    QTest::newRow("short first") << Alter([](const QString& r) { return QStringList { r.left(9), r }; });
    QTest::newRow("garbled first") << Alter([](const QString& r) {
        return QStringList { QString(r).replace(9, 1, "x"), r };
    });
    QTest::newRow("foreign value answers between")
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
void TestMenuModel::sendsReenteredByTheLink_data()
{
    QTest::addColumn<int>("completions"); // 0: a reset during the 5th page-name request, 1: a new walk

    QTest::newRow("reset") << 0;
    QTest::newRow("new walk") << 1;
}

void TestMenuModel::sendsReenteredByTheLink()
{
    QFETCH(int, completions);
    MenuRig rig;
    rig.recorderMenu->load(rig.recorderMenu->realisticMenu(1));
    QSignalSpy completed(&rig.menu, &Menu::menuCompleted);
    int pageNames = 0;
    rig.graph.telnet.writeSink = [&](const QByteArray& bytes) {
        rig.writes << QString::fromLatin1(bytes);
        if (bytes.startsWith("07F6A7A20") && ++pageNames == 5) {
            if (completions == 0)
                rig.menu.clearMenuTree();
            else
                rig.reply(QStringLiteral("FF6AFA10%1").arg(rig.recorderMenu->pages.size()));
        }
    };
    rig.walk();
    QCOMPARE(completed.count(), completions);
    if (completions)
        QCOMPARE(treeDifference(rig.menu, *rig.recorderMenu), QString());
    else
        QCOMPARE(rig.menu.getMaxPageNumber(), 0);
}

void TestMenuModel::choices_data()
{
    QTest::addColumn<QList<int>>("shown"); // SEL, GL, GR, PL, PR; -1 no row
    QTest::addColumn<QList<int>>("choice"); // page, item, subitem, value, type
    QTest::addColumn<bool>("rebuilding");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("line");

    const QList<int> sel1 = { 0, 0, 0, 1, 0 }, gainL2 = { 0, 1, 0, 2, 0 }, gainR1 = { 0, 1, 1, 1, 0 };
    const QList<int> phantomL1 = { 0, 2, 0, 1, 0 }, phantomR1 = { 0, 2, 1, 1, 0 };
    QTest::newRow("balanced with gain and phantom L") << QList<int> { 0, 2, 0, 1, 0 } << sel1 << false << true << "";
    QTest::newRow("balanced with gain and phantom R") << QList<int> { 0, 0, 1, 0, 1 } << sel1 << false << true << "";
    QTest::newRow("balanced without phantom") << QList<int> { 0, 2, 2, 0, 0 } << sel1 << false << false
                                              << "07F6A7A030000000000000100";
    QTest::newRow("gain L with balanced and phantom L") << QList<int> { 1, 0, 0, 1, 0 } << gainL2 << false << true << "";
    QTest::newRow("gain L to 0 never asks") << QList<int> { 1, 2, 0, 1, 0 } << QList<int> { 0, 1, 0, 0, 0 } << false
                                            << false << "07F6A7A030000010000000000";
    QTest::newRow("gain R with balanced and phantom R") << QList<int> { 1, 0, 0, 0, 1 } << gainR1 << false << true << "";
    QTest::newRow("phantom L with balanced and gain L") << QList<int> { 1, 2, 0, 0, 0 } << phantomL1 << false << true << "";
    QTest::newRow("phantom L off never asks") << QList<int> { 1, 2, 2, 1, 1 } << QList<int> { 0, 2, 0, 0, 0 } << false
                                              << false << "07F6A7A030000020000000000";
    QTest::newRow("phantom R without gain R") << QList<int> { 1, 2, 0, 0, 0 } << phantomR1 << false << false
                                              << "07F6A7A030000020001000100";
    QTest::newRow("confirmed") << QList<int> { 0, 2, 0, 1, 0 } << QList<int> { 0, 0, 0, 1, 1 } << false << false
                               << "07F6A7A030000000000000100";
    QTest::newRow("no rows tell nothing") << QList<int> { -1, -1, -1, -1, -1 } << phantomL1 << false << false
                                          << "07F6A7A030000020000000100";
    QTest::newRow("gain during level fetch is undone") << QList<int> { 0, 0, 0, 0, 0 } << gainR1 << true << false
                                                       << "07F6A7A01000001000100";
    QTest::newRow("range value as number field") << QList<int> { 0, 0, 0, 0, 0 } << QList<int> { 1, 1, 0, 123, 0 }
                                                 << false << false << "07F6A7A030100010000002301";
}

void TestMenuModel::choices()
{
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, choice);
    QFETCH(bool, rebuilding);
    QFETCH(bool, confirm);
    QFETCH(QString, line);
    DrawnMenu d(inputs);
    Menu& m = d.rig.menu;
    QObject* rows[] = { m.getItemObject(0, 0), m.getSubitemObject(0, 1, 0), m.getSubitemObject(0, 1, 1),
                        m.getSubitemObject(0, 2, 0), m.getSubitemObject(0, 2, 1) };
    for (int k = 0; k < 5; ++k)
        rows[k]->setProperty("comboBoxCurrentIndex", shown[k]);
    for (int k = 0; k < 5; ++k) {
        if (shown[k] < 0)
            delete rows[k];
    }
    m.rebuildingInputLevel = rebuilding;
    QSignalSpy asked(&m, &Menu::phantomOnPopup);
    m.changedSubitemObjectValue(choice[0], choice[1], choice[2], choice[3], choice[4]);
    QCOMPARE(asked.count(), confirm ? 1 : 0);
    QCOMPARE(d.rig.takeLines(), line.isEmpty() ? QStringList() : QStringList { line });
    QCOMPARE(m.inputChangePending, !line.isEmpty() && !rebuilding && choice[0] == 0 && choice[1] < 2);

    m.setDrawingFinished(false);
    m.clearMenuTree();
    m.changedSubitemObjectValue(choice[0], choice[1], choice[2], choice[3], 1);
    QCOMPARE(d.rig.takeLines(), QStringList());
}

void TestMenuModel::valueAnswers_data()
{
    QTest::addColumn<int>("shownBefore"); // comboBoxCurrentIndex of the row; -1 untouched preload
    QTest::addColumn<bool>("pending");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown"); // "property=value" on the row of the answered entry
    QTest::addColumn<bool>("levelFetch");

    QTest::newRow("range 150") << -1 << false << "FF6AFA010100010000005001" << "rangeData=500" << false;
    QTest::newRow("range 0") << -1 << false << "FF6AFA010100010001000000" << "oldIndex=-1000" << false;
    QTest::newRow("first input value after a build") << -1 << false << "FF6AFA010000000000000100"
                                                     << "comboBoxCurrentIndex=1" << false;
    QTest::newRow("input changed") << 0 << false << "FF6AFA010000000000000100" << "oldIndex=1" << true;
    QTest::newRow("input unchanged") << 1 << false << "FF6AFA010000000000000100" << "oldIndex=1" << false;
    QTest::newRow("input unchanged, change pending") << 1 << true << "FF6AFA010000000000000100" << "oldIndex=1" << true;
    QTest::newRow("gain R changed") << 0 << false << "FF6AFA010000010001000200" << "comboBoxCurrentIndex=2" << true;
    QTest::newRow("phantom changes no list") << 0 << false << "FF6AFA010000020000000100" << "oldIndex=1" << false;
}

void TestMenuModel::valueAnswers()
{
    QFETCH(int, shownBefore);
    QFETCH(bool, pending);
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    QFETCH(bool, levelFetch);
    DrawnMenu d(inputs);
    const int p = answer.midRef(8, 2).toInt(), i = answer.midRef(12, 2).toInt(), s = answer.midRef(16, 2).toInt();
    const int row = d.rig.menu.getMaxSubitemNumber(p, i) == 1 ? -1 : s;
    QObject* target = row < 0 ? d.rig.menu.getItemObject(p, i) : d.rig.menu.getSubitemObject(p, i, s);
    if (shownBefore >= 0)
        target->setProperty("comboBoxCurrentIndex", shownBefore);
    d.rig.menu.inputChangePending = pending;
    QSignalSpy levels(&d.rig.menu, &Menu::inputLevelParameterChanged);
    d.rig.reply(answer);
    const QStringList expected = shown.split('=');
    QCOMPARE(d.shown(p, i, row, qPrintable(expected[0])).toString(), expected[1]);
    QCOMPARE(d.rig.menu.rebuildingInputLevel, levelFetch);
    QCOMPARE(d.rig.menu.inputChangePending, pending && !levelFetch);
    d.rig.pump();
    QCOMPARE(levels.count(), levelFetch ? 2 : 0);
    QCOMPARE(d.rig.sent.count("07F6A7A14010000000000"), levelFetch ? 1 : 0);
}

void TestMenuModel::mediaTexts_data()
{
    QTest::addColumn<QString>("media");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("USB") << "USB" << true << QStringList { "SD1", "SD2", "USB(CURRENT)" };
    QTest::newRow("SD1") << "SD1" << true << QStringList { "SD1(CURRENT)", "SD2", "USB" };
    QTest::newRow("CD") << "CD" << true << QStringList { "SD1", "SD2", "USB" };
    QTest::newRow("not drawn") << "SD2" << false << QStringList { "", "", "" };
}

void TestMenuModel::mediaTexts()
{
    QFETCH(QString, media);
    QFETCH(bool, drawn);
    QFETCH(QStringList, texts);
    DrawnMenu d({ { "MEDIA", { { "FORMAT", { sub("SD1", offOn), sub("SD2", offOn), sub("USB", offOn) } },
                               { "INFO", { sub("CAPACITY", { "1GB" }), sub("AVAILABLE", { "2GB" }), sub("FOLDER", { "X" }) } } } } });
    if (!drawn)
        d.rig.menu.setDrawingFinished(false);
    d.rig.menu.updateCurrentMediaMenuText(media);
    for (int s = 0; s < 3; ++s)
        QCOMPARE(d.shown(0, 0, s, "menuText").toString(), texts[s]);
    const QStringList requests = { "07F6A7A240000010000000000", "07F6A7A240000010001000000", "07F6A7A240000010002000000" };
    QCOMPARE(d.rig.takeLines(), drawn ? requests : QStringList());
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
    QCOMPARE(d.rig.takeLines(), QStringList { "07F6A7A030000000000000100" });
    QVERIFY(!m.rebuildingForCd && !m.rebuildingForStereoMono && !m.rebuildingInputLevel && !m.inputChangePending);
    QCOMPARE(m.getMaxSubitemParameterNumber(0, 0, 0), 3);
    QCOMPARE(d.shown(0, 0, -1, "comboBoxCurrentIndex").toInt(), 2);
}

void TestMenuModel::badIndicesAndDrawing()
{
    MenuRig rig;
    Menu& m = rig.menu;
    QSignalSpy drawing(&m, &Menu::drawingFinishedChanged);
    m.setDrawingFinished(true); // no walk yet
    QVERIFY(!m.drawingFinished);
    rig.recorderMenu->load(inputs);
    rig.walk();
    m.setDrawingFinished(true);
    m.setDrawingFinished(true);
    QCOMPARE(drawing.count(), 2); // false at the walk's start, true once

    QVERIFY(m.getPageName(2).isEmpty() && !m.getPageVisible(-1) && m.getItemName(0, 9).isEmpty() && !m.getItemObject(0, -1));
    const int bad[][4] = { { -1, 0, 0, 0 }, { 2, 0, 0, 0 }, { 0, 9, 0, 0 }, { 0, 1, 5, 0 }, { 0, 1, 0, 7 } };
    for (const auto& b : bad) {
        QVERIFY(m.getSubitemParameterName(b[0], b[1], b[2], b[3]).isEmpty());
        QVERIFY(b[3] || (!m.getSubitemObject(b[0], b[1], b[2]) && !m.getSubitemVisible(b[0], b[1], b[2])));
        if (b[3] == 0) {
            m.setSubitemObject(b[0], b[1], b[2], &rig.graph.ver);
            m.subitemValueRequest(b[0], b[1], b[2]);
            m.changedSubitemObjectValue(b[0], b[1], b[2], 1, 1);
        }
    }
    QCOMPARE(m.getVisibleSubitemNumber(0, 1), 2);
    QCOMPARE(m.getMaxSubitemNumber(0, 9), 0);
    QCOMPARE(rig.takeLines(), QStringList());
}

QTEST_MAIN(TestMenuModel)
#include "tst_menumodel.moc"
