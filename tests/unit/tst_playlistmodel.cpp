// The playlist model on the wire: the lines each request writes, and what the
// recorder's answers change, send and signal, including the answers a
// well-behaved recorder never gives.
#include <QtTest>
#include <functional>

#include "modelrig.h"
#include "recorderstate.h"

using Action = std::function<void(Playlist&)>;
Q_DECLARE_METATYPE(Action)

namespace {

// Logged in with the edit right, on a medium; every signal of the model that
// matters to the screen written down as it comes.
struct Rig : ModelRig
{
    explicit Rig(const QString& mediumReply = QStringLiteral("FF0100"))
    {
        grantEditRight();
        if (!mediumReply.isEmpty())
            reply(mediumReply);
        Playlist* p = &pl;
        QObject::connect(p, &Playlist::readyToRedraw, [this] { emitted << "redraw"; });
        QObject::connect(p, &Playlist::entryListRecived, [this] { emitted << "entries"; });
        QObject::connect(p, &Playlist::execFailed, [this] { emitted << "failed"; });
        QObject::connect(p, &Playlist::pplRecived, [this](int n) { emitted << QStringLiteral("ppl %1").arg(n); });
        QObject::connect(p, &Playlist::execCommandChanged, [this] { emitted << "exec"; });
        QObject::connect(p, &Playlist::allPplNumberChanged, [this] { emitted << "count"; });
        takeLines();
    }
    // The recorder's answers to a file-list query: the count, then the files
    // (the first ones of a longer list when count says so).
    void list(const QStringList& names, int count = -1)
    {
        reply("FF4584" + sim::numberField(count < 0 ? names.size() : count));
        for (int n = 1; n <= names.size(); ++n)
            reply("FF4585" + sim::numberField(n) + "2026/05/01 10:00" + names.at(n - 1));
    }
    void read(const QStringList& names)
    {
        pl.initPpl();
        list(names);
    }
    // The edits, loads and entry requests written since the last call.
    QStringList edits() { return takeLines().filter(QRegularExpression("^07F(454[013]|4513|314B|310000|6B26)")); }
    Playlist& pl = graph.pl;
    QStringList emitted;
};

} // namespace

using RigStep = std::function<void(Rig&)>;
Q_DECLARE_METATYPE(RigStep)

class TestPlaylistModel : public QObject
{
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void answers_data();
    void answers();
    void storedAnswers();
    void deleteFlagCannotStick();
    void renameNamesTheChosenPlaylist_data();
    void renameNamesTheChosenPlaylist();
    void rowRequestsNameTheChosenPlaylist_data();
    void rowRequestsNameTheChosenPlaylist();
    void locks_data();
    void locks();
};

void TestPlaylistModel::requests_data()
{
    QTest::addColumn<QString>("medium");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("writes");

    const QString sd1 = "FF0100", sd2 = "FF0101", cd = "FF0111", none;
    const QString a117(117, 'a');
    QTest::newRow("load on SD2") << sd2 << Action([](Playlist& p) { p.loadPpl("a.ppl"); }) << QStringList { "07F310000B:/_playlists/a.ppl" } << 1;
    QTest::newRow("load on CD") << cd << Action([](Playlist& p) { p.loadPpl("a.ppl"); }) << QStringList() << 0;
    QTest::newRow("load before any medium") << none << Action([](Playlist& p) { p.loadPpl("a.ppl"); }) << QStringList() << 0;
    QTest::newRow("file list, one write") << sd1 << Action([](Playlist& p) { p.initPpl(); }) << QStringList { "07F4503", "07F4504" } << 1;
    QTest::newRow("118 bytes cut") << sd1 << Action([=](Playlist& p) { p.saveAs(a117 + "z"); }) << QStringList { "07F4541" + a117 } << 1;
    // The load first: after the create it would wait for the list.
    QTest::newRow("control characters") << sd1 << Action([](Playlist& p) {
        p.loadPpl("x\r\ny.ppl");
        p.createPpl(QString("a\r\n07F4500\tb") + QChar(0) + "c\x1f");
    }) << QStringList { "07F310000A:/_playlists/xy.ppl", "07F4540a07F4500bc" } << 2;
    QTest::newRow("numbers beyond the field") << sd1 << Action([](Playlist& p) {
        p.assignEntry(1, 10000); p.assignEntry(-1, 3); p.clearEntry(-1); p.renamePpl(10000, "x"); p.getEntryInfo(-5);
    }) << QStringList() << 0;
    QTest::newRow("without the edit right") << sd1 << Action([](Playlist& p) {
        p.permission->onPermissionReply("10"); p.initAll(); p.initEntry(); p.createPpl("x");
    }) << QStringList() << 0;
}

void TestPlaylistModel::requests()
{
    QFETCH(QString, medium);
    QFETCH(Action, action);
    Rig rig(medium);
    rig.read({ "a.ppl", "x\r\ny.ppl" }); // what the rows show, loads by name among them
    rig.writes.clear();
    action(rig.pl);
    QTEST(rig.writes.size(), "writes");
    QTEST(rig.takeLines(), "lines");
}

void TestPlaylistModel::answers_data()
{
    QTest::addColumn<QStringList>("replies"); // after "FF"
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("emitted");

    const QStringList none;
    QTest::newRow("state ready") << QStringList { "45809909" } << none << QStringList { "redraw" };
    QTest::newRow("state 1000") << QStringList { "45800010" } << none << none;
    QTest::newRow("state 4000") << QStringList { "45800040" } << QStringList { "07F4500" } << none;
    QTest::newRow("state 5000") << QStringList { "45800050" } << QStringList { "07F4510", "07F4512" } << none;
    QTest::newRow("no playlists") << QStringList { "45840000" } << none << none;
    QTest::newRow("count again") << QStringList { "45840300", "45840300" }
                                 << QStringList { "07F450501000300", "07F450501000300" } << QStringList { "count" };
    QTest::newRow("one by one") << QStringList { "45840200", "45810100a.ppl", "45810200b.ppl" }
                                << QStringList { "07F450501000200", "07F45010200" } << QStringList { "count", "ppl 0", "ppl 1" };
    // A garbled number would have the screen build a row for every number up to it.
    QTest::newRow("numbers beyond the count") << QStringList { "45840200", "45819999x.ppl", "458503002026/05/01 10:00y.ppl", "45810000z.ppl" }
                                              << QStringList { "07F450501000200" } << QStringList { "count" };
    QTest::newRow("no occupied block") << QStringList { "4592" + QString(26, '0') } << none << QStringList { "entries" };
    QTest::newRow("last block only") << QStringList { "4592" + QString(24, '0') + "0F" } << QStringList { "07F451196009900" } << none;
    QTest::newRow("short occupancy") << QStringList { "459201" } << QStringList { "07F451100000700" } << none;
    QTest::newRow("third filled entry") << QStringList { "45900300", "45910000x", "45910100\t", "45910200y", "45910300z" }
                                        << none << QStringList { "entries" };
    QTest::newRow("entry beyond 99") << QStringList { "45910001x" } << none << none;
    QTest::newRow("rename done") << QStringList { "45C311" } << QStringList { "07F4500" } << none;
    QTest::newRow("rename refused") << QStringList { "45C312" } << none << QStringList { "failed" };
    QTest::newRow("assign done") << QStringList { "31CB01050011" } << QStringList { "07F4510", "07F4512" } << none;
    QTest::newRow("clear refused") << QStringList { "31CB00120012" } << none << QStringList { "failed" };
    QTest::newRow("other operation") << QStringList { "31CB02050011", "31CB02050012" } << none << none;
}

void TestPlaylistModel::answers()
{
    QFETCH(QStringList, replies);
    Rig rig;
    for (const QString& r : replies)
        rig.reply("FF" + r);
    QTEST(rig.takeLines(), "lines");
    QTEST(rig.emitted, "emitted");
}

// What the answers leave for the screen; reads outside what is stored give "".
void TestPlaylistModel::storedAnswers()
{
    Rig rig;
    QCOMPARE(rig.pl.currentPlaylist(), -1); // no row is current before the recorder names one
    // Each file at its own row, whatever came before it.
    rig.replies({ "FF45830300", "FF45840300", "FF458503002026/05/02 11:00c.ppl", "FF458502002026/05/01 10:00b.ppl", "FF45910500five" });
    QCOMPARE(rig.pl.currentPlaylistDateTime(), QStringLiteral("2026/05/02 11:00"));
    QCOMPARE(QStringList({ rig.pl.getPplName(0), rig.pl.getPplName(1), rig.pl.getPplName(2), rig.pl.getPplDateTime(-1) }), QStringList({ "", "b.ppl", "c.ppl", "" }));
    QCOMPARE(QStringList({ rig.pl.getEntryName(5), rig.pl.getEntryName(-1), rig.pl.getEntryName(100) }), QStringList({ "five", "", "" }));

    auto info = [&] { return QStringList({ rig.pl.infoDataA(), rig.pl.infoDataB(), rig.pl.infoDateTime(), rig.pl.infoFolder() }); };
    rig.reply("FF45930000WAV/48kHz\tSTEREO/24bit\t2017/10/26 12:00\t\\FOLDER\\SUB");
    QCOMPARE(info(), QStringList({ "WAV 48kHz", "STEREO 24bit", "2017/10/26 12:00", "/FOLDER/SUB" }));
    rig.reply("FF45930000MP3/320k\tMONO");
    QCOMPARE(info(), QStringList({ "MP3 320k", "MONO", "", "" }));
}

// The delete flag ends with the browser's refusal, a new grant of the edit
// right, a medium change or the lost link, each time with one signal.
void TestPlaylistModel::deleteFlagCannotStick()
{
    Rig rig;
    const QList<std::function<void()>> ends = {
        [&] { rig.pl.onEndDeletePpl(); },
        [&] { rig.pl.initAll(); },
        [&] { rig.reply("FF0101"); },
        [&] { rig.comm.failedLogin(); },
    };
    for (const auto& end : ends) {
        rig.pl.setExecCommand(true);
        rig.pl.setExecCommand(true);
        end();
        QVERIFY(!rig.pl.execCommand());
        rig.pl.onEndDeletePpl();
    }
    QCOMPARE(rig.emitted.filter("exec").size(), 8);
}

void TestPlaylistModel::renameNamesTheChosenPlaylist_data()
{
    QTest::addColumn<RigStep>("before");
    QTest::addColumn<RigStep>("taps");
    QTest::addColumn<RigStep>("reread"); // what the recorder says next
    QTest::addColumn<QStringList>("atOnce");
    QTest::addColumn<bool>("listAsked"); // the screen is asked to read the list again
    QTest::addColumn<QStringList>("after");

    using R = RigStep;
    const QStringList start = { "Bühne.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "zz.ppl" };
    const QStringList withB0 = { "Bühne.ppl", "b0.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "zz.ppl" };
    const QStringList withZzz = start + QStringList { "zzz.ppl" };
    const R read = [=](Rig& r) { r.read(start); };
    const R nothing = [](Rig&) {};
    const R renameSet3 = [](Rig& r) { r.pl.renamePpl(4, "x", "set3.ppl"); };
    const QStringList none, set3Renamed = { "07F45430400x" };

    QTest::newRow("rows current: at once") << read << renameSet3 << nothing << set3Renamed << false << none;
    QTest::newRow("rows current, chosen playlist moved: dropped") << R([=](Rig& r) { read(r); r.read(withB0); }) << renameSet3
                                                                 << nothing << none << false << none;
    QTest::newRow("without the chosen name: the row's") << read << R([](Rig& r) { r.pl.renamePpl(3, "x"); }) << nothing
                                                        << QStringList { "07F45430300x" } << false << none;
    QTest::newRow("create moved it: dropped") << R([=](Rig& r) { read(r); r.pl.createPpl("b0"); }) << renameSet3
                                              << R([=](Rig& r) { r.read(withB0); }) << QStringList { "07F4540b0" } << true << none;
    QTest::newRow("create after it: sent once read") << R([=](Rig& r) { read(r); r.pl.createPpl("zzz"); }) << renameSet3
                                                     << R([=](Rig& r) { r.read(withZzz); }) << QStringList { "07F4540zzz" } << true << set3Renamed;
    QTest::newRow("save as moved it: dropped") << R([=](Rig& r) { read(r); r.pl.saveAs("b0"); }) << renameSet3
                                               << R([=](Rig& r) { r.read(withB0); }) << QStringList { "07F4541b0" } << true << none;
    QTest::newRow("deleted through the browser") << R([=](Rig& r) { read(r); r.pl.setExecCommand(true); r.reply("FF45800040"); }) << renameSet3
                                                 << R([=](Rig& r) { r.read(start.mid(1)); }) << none << true << none;
    QTest::newRow("delete refused: sent once read") << R([=](Rig& r) { read(r); r.pl.setExecCommand(true); r.pl.onEndDeletePpl(); }) << renameSet3
                                                    << read << none << true << set3Renamed;
    QTest::newRow("another application's change") << R([=](Rig& r) { read(r); r.reply("FF45800040"); }) << renameSet3
                                                  << R([=](Rig& r) { r.read(withB0); }) << none << true << none;
    QTest::newRow("list asked for again: waits for it") << R([=](Rig& r) { read(r); r.pl.initPpl(); }) << renameSet3
                                                        << R([=](Rig& r) { r.list(start); }) << none << false << set3Renamed;
    QTest::newRow("list partly read: waits for its last file")
        << R([=](Rig& r) { read(r); r.pl.initPpl(); r.list(start.mid(0, 4), 5); }) << renameSet3
        << R([=](Rig& r) { r.reply("FF458505002026/05/01 10:00zz.ppl"); }) << none << false << set3Renamed;
    QTest::newRow("nothing read yet") << nothing << renameSet3 << read << none << true << set3Renamed;
    QTest::newRow("medium changed: dropped") << R([=](Rig& r) { read(r); r.pl.createPpl("zzz"); }) << renameSet3
                                             << R([=](Rig& r) { r.reply("FF0101"); r.read(withZzz); }) << QStringList { "07F4540zzz" } << true << none;
    QTest::newRow("rename, then rename on the old rows")
        << read << R([](Rig& r) { r.pl.renamePpl(4, "a1", "set3.ppl"); r.pl.renamePpl(3, "x", "set2.ppl"); })
        << R([](Rig& r) { r.read({ "Bühne.ppl", "a1.ppl", "set1.ppl", "set2.ppl", "zz.ppl" }); })
        << QStringList { "07F45430400a1" } << true << none;
    // One sent moves the numbering: the next waits for the list after it.
    QTest::newRow("two waiting: one per list read")
        << R([=](Rig& r) { read(r); r.pl.createPpl("zzz"); })
        << R([](Rig& r) { r.pl.renamePpl(5, "y", "zz.ppl"); r.pl.renamePpl(2, "x", "set1.ppl"); })
        << R([=](Rig& r) { r.read(withZzz); }) << QStringList { "07F4540zzz" } << true << QStringList { "07F45430500y" };
    QTest::newRow("entries, with no edit waiting, at once")
        << R([=](Rig& r) { read(r); r.pl.createPpl("b0"); r.edits(); })
        << R([](Rig& r) { r.pl.clearEntry(3); r.pl.assignEntry(4, 12); r.pl.getEntryInfo(5); }) << nothing
        << QStringList { "07F314B000300", "07F314B0104001200", "07F45130500" } << false << none;
    // A clear numbers no file anew: the assign picked while it waited goes.
    QTest::newRow("a clear waiting behind a load, then an assign: both go")
        << R([=](Rig& r) { read(r); r.pl.initPpl(); })
        << R([](Rig& r) { r.pl.loadPpl("set1.ppl"); r.pl.clearEntry(3); r.pl.assignEntry(4, 12); })
        << R([=](Rig& r) { r.list(start); }) << none << false
        << QStringList { "07F310000A:/_playlists/set1.ppl", "07F314B000300", "07F314B0104001200" };
    // The edits that name no number wait only for their turn.
    const R createZzz = [=](Rig& r) { read(r); r.pl.createPpl("zzz"); };
    const R readWithZzz = [=](Rig& r) { r.read(withZzz); };
    QTest::newRow("create behind a waiting rename")
        << createZzz << R([=](Rig& r) { renameSet3(r); r.pl.createPpl("a"); }) << readWithZzz
        << QStringList { "07F4540zzz" } << true << QStringList { "07F45430400x", "07F4540a" };
    // The load names set1.ppl: it waits for the list after the rename too.
    // The take of the assign is a file's number as the browse rows gave it
    // before the rename went out, which may number the files anew: dropped.
    QTest::newRow("load, entries and save as behind it, in order")
        << createZzz << R([=](Rig& r) {
               renameSet3(r); r.pl.loadPpl("set1.ppl"); r.pl.assignEntry(4, 12); r.pl.clearEntry(3); r.pl.saveAs("k");
           }) << R([=](Rig& r) { readWithZzz(r); r.read({ "Bühne.ppl", "set1.ppl", "set2.ppl", "x.ppl", "zz.ppl", "zzz.ppl" }); })
        << QStringList { "07F4540zzz" } << true
        << QStringList { "07F45430400x", "07F310000A:/_playlists/set1.ppl", "07F314B000300", "07F4541k" };
    QTest::newRow("rename dropped, the create behind it goes")
        << R([=](Rig& r) { read(r); r.pl.createPpl("b0"); }) << R([=](Rig& r) { renameSet3(r); r.pl.createPpl("a"); })
        << R([=](Rig& r) { r.read(withB0); }) << QStringList { "07F4540b0" } << true << QStringList { "07F4540a" };
    QTest::newRow("a rename behind a waiting create checks the list after it")
        << createZzz << R([=](Rig& r) { renameSet3(r); r.pl.createPpl("b0"); r.pl.renamePpl(5, "y", "zz.ppl"); })
        << R([=](Rig& r) { r.read(withZzz); r.read({ "Bühne.ppl", "b0.ppl", "set1.ppl", "set2.ppl", "x.ppl", "zz.ppl", "zzz.ppl" }); })
        << QStringList { "07F4540zzz" } << true << QStringList { "07F45430400x", "07F4540b0" };
    QTest::newRow("entry information never waits")
        << createZzz << R([=](Rig& r) { renameSet3(r); r.pl.getEntryInfo(5); }) << readWithZzz
        << QStringList { "07F4540zzz", "07F45130500" } << true << set3Renamed;
}

void TestPlaylistModel::renameNamesTheChosenPlaylist()
{
    QFETCH(RigStep, before);
    QFETCH(RigStep, taps);
    QFETCH(RigStep, reread);
    Rig rig;
    before(rig);
    rig.emitted.clear();
    taps(rig);
    QTEST(rig.edits(), "atOnce");
    QTEST(rig.emitted.contains("redraw"), "listAsked");
    reread(rig);
    QTEST(rig.edits(), "after");
}

// A load by the name its row showed, a delete by the path its question was
// opened with, and row requests after an edit of the browse tab, which the
// recorder does not announce to the playlists: what goes at once, what goes
// once the list has been read again, how often the person is told.
void TestPlaylistModel::rowRequestsNameTheChosenPlaylist_data()
{
    QTest::addColumn<RigStep>("taps"); // on the rows of start
    QTest::addColumn<QStringList>("reread");
    QTest::addColumn<QStringList>("atOnce");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("told");

    using R = RigStep;
    const QStringList none;
    const auto load = [](const QString& name) { return "07F310000A:/_playlists/" + name; };
    const R loadSet2 = [](Rig& r) { r.pl.loadPpl("set2.ppl"); };

    QTest::newRow("list current: at once") << loadSet2 << none << QStringList { load("set2.ppl") } << none << 0;
    QTest::newRow("its rename refused: goes once read")
        << R([](Rig& r) { r.pl.renamePpl(3, "set1", "set2.ppl"); r.reply("FF45C312"); r.pl.loadPpl("set2.ppl"); })
        << QStringList() << QStringList { "07F45430300set1" } << QStringList { load("set2.ppl") } << 1;
    // The second rename goes once the first is read; the load on the old
    // set3 row waits for the list after it, where set3.ppl is the old set2.
    QTest::newRow("another renamed into its name: dropped")
        << R([](Rig& r) {
               r.pl.renamePpl(4, "set9", "set3.ppl"); r.reply("FF45C311");
               r.pl.renamePpl(3, "set3", "set2.ppl"); r.pl.loadPpl("set3.ppl");
               r.read({ "Bühne.ppl", "set1.ppl", "set2.ppl", "set9.ppl", "zz.ppl" }); r.reply("FF45C311");
           })
        << QStringList { "Bühne.ppl", "set1.ppl", "set3.ppl", "set9.ppl", "zz.ppl" }
        << QStringList { "07F45430400set9", "07F45430300set3" } << none << 1;
    QTest::newRow("deleted elsewhere: dropped") << R([=](Rig& r) { r.reply("FF45800040"); loadSet2(r); })
                                                << QStringList { "Bühne.ppl", "set1.ppl", "set3.ppl", "zz.ppl" } << none << none << 1;
    // A delete names its playlist by its path, taken when its question opened.
    const QString set2Path = "A:\\_playlists\\set2.ppl";
    QTest::newRow("delete, list current: at once") << R([=](Rig& r) { r.pl.deletePpl("set2.ppl", set2Path, r.pl.rowsRead()); })
                                                   << none << QStringList { "07F6B26" + set2Path } << none << 0;
    QTest::newRow("browse tab's undo: waits for the list") << R([=](Rig& r) { r.graph.browse.undo(); loadSet2(r); })
                                                           << QStringList() << none << QStringList { load("set2.ppl") } << 0;
}

void TestPlaylistModel::rowRequestsNameTheChosenPlaylist()
{
    QFETCH(RigStep, taps);
    QFETCH(QStringList, reread);
    const QStringList start = { "Bühne.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "zz.ppl" };
    Rig rig;
    rig.read(start);
    rig.emitted.clear();
    taps(rig);
    QTEST(rig.edits(), "atOnce");
    rig.read(reread.isEmpty() ? start : reread);
    QTEST(rig.edits(), "after");
    QTEST(int(rig.emitted.count("failed")), "told");
}

// The screen's locks, after a create that the requests made next wait behind
// until the list is read again: the edits written from then on, and how
// often the person is told.
void TestPlaylistModel::locks_data()
{
    QTest::addColumn<RigStep>("steps");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("told");

    using R = RigStep;
    const R all = [](Rig& r) {
        r.pl.renamePpl(4, "x", "set3.ppl"); r.pl.loadPpl("set1.ppl"); r.pl.assignEntry(4, 12);
        r.pl.saveAs("k"); r.pl.createPpl("a"); r.pl.clearEntry(3);
    };
    const QStringList others = { "07F314B0104001200", "07F4540a", "07F314B000300" };
    QTest::newRow("locked: what waits dropped, each told once")
        << R([=](Rig& r) { all(r); r.pl.setLocked(true); r.pl.setFilesLocked(true); r.pl.setLocked(true); })
        << QStringList() << 6;
    QTest::newRow("while locked: edits refused and told, reads go")
        << R([=](Rig& r) { r.pl.setLocked(true); all(r); r.pl.getEntryInfo(5); }) << QStringList { "07F45130500" } << 6;
    QTest::newRow("files locked: their waiting ones dropped") << R([=](Rig& r) { all(r); r.pl.setFilesLocked(true); })
                                                              << others << 3;
    QTest::newRow("while files locked: theirs refused, the others go")
        << R([=](Rig& r) { r.pl.setFilesLocked(true); all(r); }) << others << 3;
    // (The assign, made on the files' numbers from before the rename went
    // out, is dropped.)
    QTest::newRow("unlocked: all go again, but an assign picked before the rename went") << R([=](Rig& r) {
        r.pl.setLocked(true); r.pl.setFilesLocked(true); r.pl.setLocked(false); r.pl.setFilesLocked(false); all(r);
    }) << QStringList { "07F45430400x", "07F310000A:/_playlists/set1.ppl", "07F4541k", "07F4540a", "07F314B000300" } << 1;
}

void TestPlaylistModel::locks()
{
    QFETCH(RigStep, steps);
    const QStringList start = { "Bühne.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "zz.ppl" };
    Rig rig;
    rig.read(start);
    rig.pl.createPpl("zzz");
    rig.edits();
    steps(rig);
    rig.read(start + QStringList { "zzz.ppl" });
    rig.read({ "Bühne.ppl", "set1.ppl", "set2.ppl", "x.ppl", "zz.ppl", "zzz.ppl" }); // after the rename
    QTEST(rig.edits(), "lines");
    QTEST(int(rig.emitted.count("failed")), "told");
}

QTEST_MAIN(TestPlaylistModel)
#include "tst_playlistmodel.moc"
