// The media browser's model on the wire: the lines each request writes, the
// listing walk driven by the recorder's answers, and the edit answers.
#include <QQmlContext>
#include <QQmlEngine>
#include <QtTest>
#include <functional>

#include "globals.h"
#include "modelrig.h"

using Action = std::function<void(Browse&)>;
Q_DECLARE_METATYPE(Action)

namespace {

// The model logged in with the edit right, stopped on a medium.
struct Rig : ModelRig
{
    explicit Rig(const QString& medium = QStringLiteral("SD1"), bool right = true)
    {
        g_rootContext = engine.rootContext();
        if (right)
            grantEditRight();
        b.setStatus(16);
        b.setCurrentMediaNumber(medium);
        takeLines();
    }
    ~Rig() { g_rootContext = nullptr; }
    void answer(const QStringList& replies)
    {
        for (const QString& r : replies)
            b.parseBrowseResponse(r);
    }
    // The published list as "name number type" items.
    QStringList published() const
    {
        QStringList items;
        for (QObject* o : engine.rootContext()->contextProperty("browseModel").value<QList<QObject*>>())
            items << QStringLiteral("%1 %2 %3").arg(o->property("name").toString()).arg(o->property("number").toInt()).arg(o->property("type").toInt());
        return items;
    }
    QQmlEngine engine;
    Browse& b = graph.browse;
    Playlist& pl = graph.pl;
};

using RigStep = std::function<void(Rig&)>;

const QString a117 = QString(117, 'a');

// The recorder's answers to a reading of folder 5 (LIVE, or the folder that
// has taken its number, no sub-folders) that holds these files, numbered
// from 30.
QStringList listing(const QStringList& files, const QString& folder = QStringLiteral("LIVE"))
{
    const auto field = [](int n) { return QString("%1%2").arg(n % 100, 2, 10, QChar('0')).arg(n / 100, 2, 10, QChar('0')); };
    QStringList replies { "800000", "91000500\\" + folder, "90000500000000000000",
                          "A0000500" + field(30) + field(29 + files.size()) + field(files.size()) };
    for (int i = 0; i < files.size(); ++i)
        replies << "A100" + field(30 + i) + "\\" + folder + "\\" + files.at(i);
    return replies;
}

// The playlist tab reads its list of these playlists.
void readPlaylists(Rig& rig, const QStringList& names)
{
    const auto field = [](int n) { return QString("%1%2").arg(n % 100, 2, 10, QChar('0')).arg(n / 100, 2, 10, QChar('0')); };
    rig.pl.initPpl();
    rig.reply("FF4584" + field(names.size()));
    for (int i = 0; i < names.size(); ++i)
        rig.reply("FF4585" + field(i + 1) + "2026/05/01 10:00" + names.at(i));
}

// A row of LIVE as the user chose it.
BrowseEntry file(int number, const QString& name)
{
    return BrowseEntry(number, 1, name, QStringLiteral("LIVE"));
}

BrowseEntry folder(int number, const QString& name)
{
    return BrowseEntry(number, 0, name, QStringLiteral("LIVE"));
}

} // namespace

Q_DECLARE_METATYPE(RigStep)

class TestBrowseModel : public QObject
{
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void walk_data();
    void walk();
    void editAnswers_data();
    void editAnswers();
    void fileInformation();
    void numberedRequestsWait_data();
    void numberedRequestsWait();
    void editsOfBothTabs_data();
    void editsOfBothTabs();
    void currentFolderAsReadAgain_data();
    void currentFolderAsReadAgain();
    void lostLinkForgetsEverything();
    void upCountsFromTheFolderAsked_data();
    void upCountsFromTheFolderAsked();
};

void TestBrowseModel::requests_data()
{
    QTest::addColumn<QString>("medium");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("pending");
    QTest::addColumn<int>("told"); // requests that could not be written, reported

    const auto in5 = [](Action a) {
        return Action([a](Browse& b) { b.nowFolder.setNumber(5); b.nowFolder.setName("LIVE\\2017"); a(b); });
    };
    const QString sd1 = "SD1", cd = "CD";
    const QStringList none;
    QTest::newRow("up to the root") << sd1 << Action([](Browse& b) { b.nowFolder.setName("LIVE"); b.upFolder(); }) << QStringList { "07F6B0200\\" } << 0 << 0;
    QTest::newRow("set current folder") << sd1 << in5([](Browse& b) { b.setToCurrentFolder(); }) << QStringList { "07F6B01\\LIVE\\2017", "07F6B00", "07F6B05" } << 0 << 0;
    QTest::newRow("select file") << sd1 << Action([](Browse& b) { b.selectFile(1234); }) << QStringList { "07F6B273412" } << 0 << 0;
    QTest::newRow("delete file") << sd1 << Action([](Browse& b) { b.deleteFile(123); }) << QStringList { "07F6B24002301" } << 1 << 0;
    QTest::newRow("delete folder") << sd1 << Action([](Browse& b) { b.deleteFolder(0); }) << QStringList { "07F6B14000000" } << 1 << 0;
    QTest::newRow("delete folder -1") << sd1 << Action([](Browse& b) { b.deleteFolder(-1); }) << none << 0 << 0;
    QTest::newRow("number beyond the field") << sd1 << Action([](Browse& b) { b.deleteFile(12345); b.selectFile(10000); }) << none << 0 << 2;
    QTest::newRow("sort before a folder is shown") << sd1 << Action([](Browse& b) { b.sortByName(); }) << none << 0 << 1;
    QTest::newRow("information") << sd1 << Action([](Browse& b) { b.queryInfo(30); }) << QStringList { "07F6B22003000" } << 0 << 0;

    // Folder names: cleaned, then cut to 117 bytes of whole characters.
    QTest::newRow("forbidden only") << sd1 << in5([](Browse& b) { b.createFolder("/:*?\"<>|\\"); }) << QStringList { "07F6B15000500" } << 1 << 0;
    QTest::newRow("control characters") << sd1 << in5([](Browse& b) { b.createFolder(QString("a\tb\x01" "c\r\nd") + QChar(0) + "e\x1f"); }) << QStringList { "07F6B15000500abcde" } << 1 << 0;
    QTest::newRow("200 letters") << sd1 << Action([](Browse& b) { b.renameFolder(12, QString(200, 'a')); }) << QStringList { "07F6B13001200" + a117 } << 1 << 0;
    QTest::newRow("3-byte character ends at 117") << sd1 << Action([](Browse& b) { b.renameFolder(12, QString(114, 'a') + "€x"); }) << QStringList { "07F6B13001200" + QString(114, 'a') + "€" } << 1 << 0;
    QTest::newRow("3-byte character across 117") << sd1 << Action([](Browse& b) { b.renameFolder(12, QString(115, 'a') + "€"); }) << QStringList { "07F6B13001200" + QString(115, 'a') } << 1 << 0;

    // File names keep the old name's audio extension, stems cut at 113 bytes.
    QTest::newRow("typed extension replaced") << sd1 << Action([](Browse& b) { b.renameFile(7, "take.MP3", "old.mp3"); }) << QStringList { "07F6B23000700take.mp3" } << 1 << 0;
    QTest::newRow("forbidden removed") << sd1 << Action([](Browse& b) { b.renameFile(7, "a/b:c", "OLD.WAV"); }) << QStringList { "07F6B23000700abc.wav" } << 1 << 0;
    QTest::newRow("no audio extension") << sd1 << Action([](Browse& b) { b.renameFile(7, "new", "old.txt"); }) << QStringList { "07F6B23000700new" } << 1 << 0;
    QTest::newRow("150 letters") << sd1 << Action([](Browse& b) { b.renameFile(7, QString(150, 'a'), "o.mp3"); }) << QStringList { "07F6B23000700" + QString(113, 'a') + ".mp3" } << 1 << 0;
    QTest::newRow("2-byte character across 113") << sd1 << Action([](Browse& b) { b.renameFile(7, QString(112, 'a') + "é", "o.wav"); }) << QStringList { "07F6B23000700" + QString(112, 'a') + ".wav" } << 1 << 0;
    QTest::newRow("only an extension") << sd1 << Action([](Browse& b) { b.renameFile(7, ".wav", "o.wav"); }) << none << 0 << 1;
    QTest::newRow("only forbidden") << cd << Action([](Browse& b) { b.renameFile(7, "???", "o.wav"); }) << none << 0 << 1;

    // Without a browsable medium only the requests without a medium go out;
    // the others are told (the up, asked for nothing, is not).
    QTest::newRow("CD told") << cd << in5([](Browse& b) {
        b.openFolder(3); b.upFolder(); b.createFolder("x"); b.renameFolder(3, "x"); b.deleteFolder(3);
        b.deleteFile(3); b.queryInfo(3); b.renameFile(3, "x", "y.wav"); b.restartBrowse();
    }) << none << 0 << 5;
    // (The select first: after the sort's line it would wait for the sort's
    // result, as an undo would.)
    QTest::newRow("CD still sends") << cd << in5([](Browse& b) {
        b.selectFile(2); b.sortByTime(); b.setToCurrentFolder();
    }) << QStringList { "07F6B270200", "07F6B03000500", "07F6B01\\LIVE\\2017" } << 1 << 0;
    QTest::newRow("CD still sends an undo") << cd << Action([](Browse& b) { b.undo(); }) << QStringList { "07F6B25" } << 0 << 0;
}

void TestBrowseModel::requests()
{
    QFETCH(QString, medium);
    QFETCH(Action, action);
    QFETCH(QStringList, lines);
    Rig rig(medium);
    QSignalSpy failed(&rig.b, &Browse::execFailed);
    action(rig.b);
    QStringList writes;
    for (const QString& line : lines)
        writes << line + "\r\n"; // every line whole in one write
    QCOMPARE(rig.writes, writes);
    QTEST(rig.b.commandPending, "pending");
    QTEST(int(failed.count()), "told");
}

void TestBrowseModel::walk_data()
{
    QTest::addColumn<Action>("start");
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("published");
    QTest::addColumn<bool>("listing");

    const Action open5 = [](Browse& b) { b.openFolder(5); };
    const Action fresh = [](Browse&) {};
    const QStringList liveFolders { "91000500\\LIVE", "90000500120014000300", "91001200\\LIVE\\A", "91001300\\LIVE\\B" };
    QTest::newRow("folders and files") << open5
        << (QStringList { "800000", "850300" } + liveFolders + QStringList { "91001400\\LIVE\\C", "A0000500300031000200", "A1003000\\LIVE\\T1.WAV", "A1003100\\T2.WAV" })
        << QStringList { "07F6B11000500", "07F6B10000500", "07F6B11001200", "07F6B11001300", "07F6B11001400", "07F6B20000500", "07F6B21003000", "07F6B21003100" }
        << QStringList { "A 12 0", "B 13 0", "C 14 0", "T1.WAV 30 1", "T2.WAV 31 1" } << false;
    QTest::newRow("empty folder") << open5
        << QStringList { "800000", "91000500\\LIVE", "90000500000000000000", "A0000500000000000000" }
        << QStringList { "07F6B11000500", "07F6B10000500", "07F6B20000500" } << QStringList {} << false;
    QTest::newRow("new medium shows the current folder") << fresh << QStringList { "800700" }
        << QStringList { "07F6B11000700" } << QStringList {} << true;
    QTest::newRow("80 during a walk") << open5 << QStringList { "800000", "800100" }
        << QStringList { "07F6B11000500" } << QStringList {} << true;
    QTest::newRow("garbled field ends the walk") << open5 << QStringList { "800000", "91000500\\LIVE", "90000500XX0014000300" }
        << QStringList { "07F6B11000500", "07F6B10000500" } << QStringList {} << false;
    // Up while the sub-folders are read: the late answers of the old walk are
    // dropped and the parent is listed alone.
    QTest::newRow("up during a walk") << open5
        << (QStringList { "800000" } + liveFolders + QStringList { "82000000", "91001400\\LIVE\\C", "800000", "91000000\\", "90000000050005000100", "91000500\\LIVE", "A0000000000000000000" })
        << QStringList { "07F6B11000500", "07F6B10000500", "07F6B11001200", "07F6B11001300", "07F6B11001400", "07F6B00", "07F6B05", "07F6B11000000", "07F6B10000000", "07F6B11000500", "07F6B20000000" }
        << QStringList { "LIVE 5 0" } << false;
}

void TestBrowseModel::walk()
{
    QFETCH(Action, start);
    QFETCH(QStringList, replies);
    Rig rig;
    start(rig.b);
    rig.takeLines();
    rig.answer(replies);
    QTEST(rig.takeLines(), "lines");
    QTEST(rig.published(), "published");
    QTEST(rig.b.listing(), "listing");
}

void TestBrowseModel::editAnswers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("busy");
    QTest::addColumn<QStringList>("signalsSeen");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("pending");

    const QStringList none;
    const QStringList refresh { "07F6B00", "07F6B05" };
    QTest::newRow("working") << 16 << QStringList { "8400" } << "Copying" << none << none << 1;
    QTest::newRow("done") << 16 << QStringList { "9500", "9511" } << "" << none << refresh << 0;
    QTest::newRow("done while status 0") << 0 << QStringList { "A411" } << "" << none << none << 2;
    QTest::newRow("refused") << 16 << QStringList { "9300", "9312" } << "" << QStringList { "execFailed" } << none << 0;
    QTest::newRow("playlist delete refused") << 16 << QStringList { "A612" } << "" << QStringList { "execFailed", "endDeletePpl" } << none << 0;
    QTest::newRow("playlist delete done") << 16 << QStringList { "A611" } << "" << none << refresh << 0;
    QTest::newRow("unknown state") << 16 << QStringList { "A510", "8100", "A700" } << "" << none << none << 1;
}

void TestBrowseModel::editAnswers()
{
    QFETCH(int, status);
    QFETCH(QStringList, replies);
    Rig rig;
    rig.b.openFolder(5);
    rig.b.deleteFile(3);
    rig.b.setStatus(status);
    rig.takeLines();
    QStringList seen;
    connect(&rig.b, &Browse::execFailed, [&] { seen << "execFailed"; });
    connect(&rig.b, &Browse::endDeletePpl, [&] { seen << "endDeletePpl"; });
    rig.answer(replies);
    QTEST(rig.b.dialogString, "busy");
    QTEST(seen, "signalsSeen");
    QTEST(rig.takeLines(), "lines");
    QTEST(rig.b.commandPending, "pending");
    if (status == 0) {
        // The refresh waits for the status, and the list stays meanwhile.
        QCOMPARE(rig.b.getBrowseDialogString(), QString());
        rig.b.setStatus(16);
        QCOMPARE(rig.takeLines(), QStringList({ "07F6B00", "07F6B05" }));
        QCOMPARE(rig.b.commandPending, 0);
    }
}

void TestBrowseModel::fileInformation()
{
    Rig rig;
    rig.b.openFolder(5);
    rig.answer({ "800000", "91000500\\LIVE", "90000500120012000100", "91001200\\LIVE\\A", "A0000500300030000100", "A1003000\\T.WAV" });
    QSignalSpy info(&rig.b, &Browse::infoChanged);
    rig.answer({ "A2001200001\t2" }); // a folder's number: no file has it
    QCOMPARE(info.count(), 0);
    rig.answer({ "A2003000XXName: T\tLength: 1:00\t" });
    QCOMPARE(info.count(), 1);
    QCOMPARE(rig.b.getInfo(1), QString("Name: T\nLength: 1:00\n"));
    QCOMPARE(rig.b.getInfo(2), QString());
    QCOMPARE(rig.b.getInfo(-1), QString());

    // A new listing empties the list at once; the old entries live until
    // control returns to the event loop.
    QPointer<QObject> old = rig.b.entries().at(0);
    rig.b.openFolder(5);
    rig.answer({ "800000", "91000500\\LIVE" });
    QVERIFY(rig.published().isEmpty());
    QVERIFY(old);
    QTRY_VERIFY(!old);
}

// Requests that name an entry by its number go at once while the rows carry
// the recorder's numbering. From an edit, or a reading asked for because the
// medium may have changed, until the folder has been read again, they wait;
// then each goes only if its number still names the entry of that name.
void TestBrowseModel::numberedRequestsWait_data()
{
    QTest::addColumn<Action>("before");
    QTest::addColumn<Action>("requests");
    QTest::addColumn<QStringList>("atOnce");
    QTest::addColumn<Action>("then"); // the recorder's answers, and what else happens
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("failures");

    const Action nothing = [](Browse&) {};
    const auto answers = [](const QStringList& replies) {
        return Action([replies](Browse& b) {
            for (const QString& r : replies)
                b.parseBrowseResponse(r);
        });
    };
    const Action deleteT1 = [](Browse& b) { b.deleteFile(file(30, "T1.WAV")); };
    const Action deleteT3 = [](Browse& b) { b.deleteFile(file(32, "T3.WAV")); };
    const Action askT2 = [](Browse& b) { b.queryInfo(file(31, "T2.WAV")); };
    const QStringList t1t2 { "T1.WAV", "T2.WAV" }, t2t3 { "T2.WAV", "T3.WAV" };
    const QStringList none;
    QTest::newRow("current: at once") << nothing << Action([](Browse& b) {
        b.queryInfo(file(31, "T2.WAV")); b.selectFile(31); b.deleteFile(file(31, "T2.WAV"));
    }) << QStringList { "07F6B22003100", "07F6B273100", "07F6B24003100" } << nothing << none << 0;
    QTest::newRow("current: a window on an older list") << nothing << Action([](Browse& b) {
        b.deleteFile(file(31, "T9.WAV")); b.renameFolder(folder(12, "B"), "X"); b.queryInfo(file(30, "T9.WAV"));
    }) << none << nothing << none << 2;
    // A row's own entry names it; one of another folder or of the other kind
    // names nothing.
    QTest::newRow("current: a row's entry") << nothing << Action([](Browse& b) {
        const BrowseEntry t2 = static_cast<const BrowseObject*>(b.entries().at(2))->entry();
        b.deleteFile(BrowseEntry(31, 1, "T2.WAV", "STUDIO")); b.deleteFolder(t2); b.deleteFile(t2);
    }) << QStringList { "07F6B24003100" } << nothing << none << 2;
    QTest::newRow("still named after the edit") << deleteT3 << askT2 << none
        << answers(QStringList { "A411" } + listing(t1t2)) << QStringList { "07F6B22003100" } << 0;
    QTest::newRow("number taken by the next entry") << deleteT1 << Action([](Browse& b) {
        b.deleteFile(file(31, "T2.WAV")); b.selectFile(file(31, "T2.WAV")); b.queryInfo(file(31, "T2.WAV")); b.renameFolder(folder(12, "A"), "Y");
    }) << none << answers(QStringList { "A411" } + listing(t2t3)) << none << 3;
    QTest::newRow("gone") << deleteT1 << Action([](Browse& b) { b.renameFile(file(32, "T3.WAV"), "X"); }) << none
        << answers(QStringList { "A411" } + listing(t2t3)) << none << 1;
    QTest::newRow("named by the rows as read") << deleteT1 << Action([](Browse& b) { b.deleteFile(31); }) << none
        << answers(QStringList { "A411" } + listing(t2t3)) << none << 1;
    // An edit among the waiting ones makes the rest wait for the next reading.
    QTest::newRow("in order") << deleteT3 << Action([](Browse& b) {
        b.renameFile(file(30, "T1.WAV"), "X"); b.queryInfo(file(31, "T2.WAV")); b.undo();
    }) << none << answers(QStringList { "A411" } + listing(t1t2) + QStringList { "A311" } + listing({ "X.wav", "T2.WAV" }))
        << QStringList { "07F6B23003000X.wav", "07F6B22003100", "07F6B25" } << 0;
    QTest::newRow("refused edit") << deleteT3 << Action([](Browse& b) { b.selectFile(file(31, "T2.WAV")); }) << none
        << answers({ "A412" }) << QStringList { "07F6B273100" } << 1;
    QTest::newRow("the shown folder") << deleteT3 << Action([](Browse& b) { b.createFolder("N"); }) << none
        << answers(QStringList { "A411" } + listing(t1t2)) << QStringList { "07F6B15000500N" } << 0;
    // A new folder goes into the folder its window was opened on, or nowhere.
    QTest::newRow("the window's folder: another listed under its number") << deleteT3 << Action([answers, t1t2](Browse& b) {
        const ShownFolder live = b.shownFolder();
        answers(QStringList { "A411" } + listing(t1t2, "STUDIO"))(b);
        b.createFolder(live, "N");
    }) << none << nothing << none << 1;
    // A folder known by its number alone, until its name is read: renumbered
    // by the undo, it is no longer the one the user chose.
    QTest::newRow("opened folder not read yet, numbered anew") << nothing << Action([](Browse& b) {
        b.openFolder(12); b.undo(); b.sortByName(); b.createFolder(b.shownFolder(), "N");
    }) << QStringList { "07F6B25" }
       << answers({ "A511", "800000", "91001200\\STUDIO", "90001200000000000000", "A0001200000000000000" }) << none << 2;
    // An undo waits for the result of the edit before it: when that was
    // refused, the undo would take back an older change.
    QTest::newRow("undo after a refused edit") << deleteT3 << Action([](Browse& b) { b.undo(); }) << none
        << answers({ "A412" }) << none << 2;
    QTest::newRow("undo chosen once the refusal came") << Action([](Browse& b) {
        b.deleteFile(file(32, "T3.WAV")); b.parseBrowseResponse("A412");
    }) << Action([](Browse& b) { b.undo(); }) << QStringList { "07F6B25" } << nothing << none << 0;
    QTest::newRow("medium's change notice") << Action([](Browse& b) { b.startBrowse(); }) << askT2 << none
        << answers(listing({ "T1.WAV", "T2.WAV", "T3.WAV" })) << QStringList { "07F6B22003100" } << 0;
    QTest::newRow("no result: read from the start") << deleteT3 << askT2 << none << Action([](Browse& b) {
        b.restartBrowse();
        for (const QString& r : listing({ "T1.WAV", "T2.WAV", "T3.WAV" }))
            b.parseBrowseResponse(r);
    }) << QStringList { "07F6B22003100" } << 0;
    // Another controller removed a folder before the shown one: its number
    // now lists the next folder, whose files repeat the names.
    QTest::newRow("the shown folder's number lists another folder") << Action([](Browse& b) { b.startBrowse(); })
        << Action([](Browse& b) {
               b.deleteFile(file(31, "T2.WAV")); b.selectFile(file(31, "T2.WAV")); b.queryInfo(file(31, "T2.WAV"));
               b.pickFile(file(31, "T2.WAV"), &b);
           })
        << none << answers(listing({ "T1.WAV", "T2.WAV", "T3.WAV" }, "STUDIO")) << none << 3;
    // The screen allows no edit any more (the recorder started playing).
    QTest::newRow("locked: the waiting edit dropped, a new one refused, a select goes") << deleteT3
        << Action([](Browse& b) { b.deleteFile(file(30, "T1.WAV")); b.selectFile(file(31, "T2.WAV")); })
        << none << Action([](Browse& b) {
               b.setLocked(true);
               b.createFolder("N");
               for (const QString& r : QStringList { "A411" } + listing({ "T1.WAV", "T2.WAV" }))
                   b.parseBrowseResponse(r);
           }) << QStringList { "07F6B273100" } << 2;
    QTest::newRow("medium changed") << deleteT3 << askT2 << none << Action([](Browse& b) {
        b.setCurrentMediaNumber("SD2");
        b.parseBrowseResponse("A411");
    }) << none << 0;
    QTest::newRow("link lost") << deleteT3 << askT2 << none << Action([](Browse& b) { b.clearFolderState(); }) << none << 0;
    // The reading ends without a list: nothing is left to check against.
    QTest::newRow("reading breaks off") << deleteT1 << Action([](Browse& b) { b.selectFile(file(31, "T2.WAV")); b.undo(); }) << none
        << answers({ "A411", "800000", "91000500\\LIVE", "90000500XX0014000300" })
        << QStringList { "07F6B25" } << 1;
}

void TestBrowseModel::numberedRequestsWait()
{
    QFETCH(Action, before);
    QFETCH(Action, requests);
    QFETCH(Action, then);
    Rig rig;
    Browse& b = rig.b;
    b.openFolder(5);
    rig.answer({ "800000", "91000500\\LIVE", "90000500120012000100", "91001200\\LIVE\\A" });
    rig.answer(listing({ "T1.WAV", "T2.WAV", "T3.WAV" }).mid(3));
    QCOMPARE(rig.published(), QStringList({ "A 12 0", "T1.WAV 30 1", "T2.WAV 31 1", "T3.WAV 32 1" }));
    before(b);
    rig.takeLines();
    QSignalSpy failed(&b, &Browse::execFailed);
    const QRegularExpression requestLines("^07F6B(0[1-4]|1[345]|2[2-7])");
    requests(b);
    QTEST(rig.takeLines().filter(requestLines), "atOnce");
    then(b);
    QTEST(rig.takeLines().filter(requestLines), "after");
    QTEST(int(failed.count()), "failures");
    QVERIFY(!b.anyHeld());
}

// The browse and playlist tabs edit one medium, whose files the recorder
// numbers across its folders, "_playlists" among them. A playlist create,
// save-as or rename has the browse rows number nothing until the folder has
// been read again after it (or it was refused); the edits of both tabs go in
// the order made, and an Undo only if the edits made before it went.
void TestBrowseModel::editsOfBothTabs_data()
{
    QTest::addColumn<RigStep>("steps");
    QTest::addColumn<QStringList>("atOnce");
    QTest::addColumn<RigStep>("then"); // the recorder's answers
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("told"); // by either model

    const QStringList none, t1t2t3 { "T1.WAV", "T2.WAV", "T3.WAV" };
    const QString deleteT2 = "07F6B24003100";
    const auto answers = [](const QStringList& replies) {
        return RigStep([replies](Rig& r) {
            for (const QString& reply : replies)
                r.reply(reply.startsWith("FF") ? reply : "FF6B" + reply);
        });
    };
    const RigStep createThenDelete = [](Rig& r) { r.pl.createPpl("a"); r.b.deleteFile(file(31, "T2.WAV")); };
    QTest::newRow("playlist made: a Delete on the rows goes once read again") << createThenDelete << QStringList { "07F4540a" }
        << answers(QStringList { "FF45C011" } + listing(t1t2t3)) << QStringList { deleteT2 } << 0;
    QTest::newRow("playlist made: the number taken by another file") << createThenDelete << QStringList { "07F4540a" }
        << answers(QStringList { "FF45C011" } + listing(QStringList { "T0.WAV" } + t1t2t3)) << none << 1;
    QTest::newRow("playlist refused: the rows keep their numbers") << createThenDelete << QStringList { "07F4540a" }
        << answers({ "FF45C012" }) << QStringList { deleteT2 } << 1;
    QTest::newRow("playlist entries are no edits of the files") << RigStep([](Rig& r) {
        r.pl.clearEntry(3); r.b.deleteFile(file(31, "T2.WAV"));
    }) << QStringList { "07F314B000300", deleteT2 } << RigStep([](Rig&) {}) << none << 0;
    // The rename waits for the playlist list, which nothing has read yet.
    QTest::newRow("a waiting playlist rename, then a browse Delete: in that order") << RigStep([](Rig& r) {
        r.pl.renamePpl(2, "x", "set3.ppl"); r.b.deleteFile(file(31, "T2.WAV"));
    }) << none << RigStep([answers, t1t2t3](Rig& r) {
        readPlaylists(r, { "set1.ppl", "set3.ppl" });
        answers(QStringList { "FF45C311" } + listing(t1t2t3))(r);
    }) << QStringList { "07F45430200x", deleteT2 } << 0;
    // The playlist list is read again after the delete, before the rename.
    QTest::newRow("a browse Undo waiting, then a playlist rename: after the Undo") << RigStep([](Rig& r) {
        r.b.deleteFile(file(32, "T3.WAV"));
        r.b.undo();
        readPlaylists(r, { "set1.ppl", "set3.ppl" });
        r.pl.renamePpl(2, "x", "set3.ppl");
    }) << QStringList { "07F6B24003200" } << RigStep([answers](Rig& r) {
        answers(QStringList { "A411" } + listing({ "T1.WAV", "T2.WAV" }))(r);
        readPlaylists(r, { "set1.ppl", "set3.ppl" }); // asked for after the Undo
    }) << QStringList { "07F6B25", "07F45430200x" } << 0;
    // The Undo would take back the change before the rename.
    QTest::newRow("an Undo after a waiting playlist rename: dropped with it") << RigStep([](Rig& r) {
        r.pl.renamePpl(2, "x", "set3.ppl"); r.b.undo();
    }) << none << RigStep([](Rig& r) { readPlaylists(r, { "set1.ppl", "set2.ppl" }); }) << none << 2;
}

void TestBrowseModel::editsOfBothTabs()
{
    QFETCH(RigStep, steps);
    QFETCH(RigStep, then);
    Rig rig;
    rig.b.openFolder(5);
    rig.answer(listing({ "T1.WAV", "T2.WAV", "T3.WAV" }));
    rig.takeLines();
    QSignalSpy browseFailed(&rig.b, &Browse::execFailed), playlistFailed(&rig.pl, &Playlist::execFailed);
    const QRegularExpression edits("^07F(6B(0[1-4]|1[345]|2[2-7])|454[013]|314B)");
    steps(rig);
    QTEST(rig.takeLines().filter(edits), "atOnce");
    then(rig);
    QTEST(rig.takeLines().filter(edits), "after");
    QTEST(int(browseFailed.count() + playlistFailed.count()), "told");
    QVERIFY(!rig.b.anyHeld());
}

// Go-to-current names the recorder's current folder by its number, which an
// edit may change too, and a Select or a set-to-current of ours: it waits
// and takes the number the reading after them gave. Folder 5 is shown, 0
// the current folder as read.
void TestBrowseModel::currentFolderAsReadAgain_data()
{
    QTest::addColumn<RigStep>("before");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("shown");

    QStringList reading = listing({});
    reading.first() = "800700";
    QTest::newRow("after an edit") << RigStep([](Rig& r) { r.b.deleteFile(file(30, "T1.WAV")); })
                                   << (QStringList { "A411" } + reading) << 7;
    // The folder the Select made current, as the recorder's answer names it.
    QTest::newRow("after a Select") << RigStep([](Rig& r) { r.b.selectFile(file(30, "T1.WAV")); })
                                    << QStringList { "A711", "800500" } << 5;
    QTest::newRow("after a refused Select") << RigStep([](Rig& r) { r.b.selectFile(file(30, "T1.WAV")); })
                                            << QStringList { "A712" } << 0;
    QTest::newRow("after a Select answered in another form") << RigStep([](Rig& r) { r.b.selectFile(file(30, "T1.WAV")); })
                                                             << QStringList { "A700", "800700" } << 7;
    QTest::newRow("after set to current") << RigStep([](Rig& r) { r.b.setToCurrentFolder(); })
                                          << QStringList { "8111", "800500" } << 5;
}

void TestBrowseModel::currentFolderAsReadAgain()
{
    QFETCH(RigStep, before);
    QFETCH(QStringList, answers);
    Rig rig;
    rig.b.openFolder(5);
    rig.answer(listing({ "T1.WAV" }));
    before(rig);
    rig.b.goToCurrentFolder();
    QCOMPARE(rig.b.nowFolderNumber(), 5);
    rig.answer(answers);
    QTEST(rig.b.nowFolderNumber(), "shown");
}

// The link drops while the recorder copies: no busy text is left over the screens.
void TestBrowseModel::lostLinkForgetsEverything()
{
    Rig rig;
    rig.b.openFolder(5);
    rig.answer({ "850300", "8400" });
    QCOMPARE(rig.b.dialogString, QString("Copying"));
    QSignalSpy busy(&rig.b, &Browse::dialogStringChanged);
    QSignalSpy file(&rig.b, &Browse::currentFileNumberChanged);
    QSignalSpy shown(&rig.b, &Browse::nowFolderNumberChanged);
    rig.comm.failedLogin();
    QCOMPARE(busy.count(), 1);
    QCOMPARE(file.count(), 1);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(rig.b.dialogString, QString());
    QCOMPARE(rig.b.currentFileNumber(), -1);
    QCOMPARE(rig.b.commandPending, 0);
    QCOMPARE(rig.b.mediaCode, QString("FF"));
}

// Up taps before the recorder's answers (LIVE 5, LIVE\\2017 6, its X 7, and
// X's Y 9): each goes one level up from the folder the user asked for last,
// also while that folder's name is read, never past the root. Steps: "up", a
// row opened ("open Y"), going to the current folder ("current", which is
// 2017), the recorder's answer to an Up ("82 n"), a refusal ("F2") and the
// read of the shown folder's name ("read path n").
void TestBrowseModel::upCountsFromTheFolderAsked_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines"); // the Up lines, after "07F6B0200"
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("canGoUp");
    QTest::addColumn<bool>("waits"); // an Up waits for the name

    QTest::newRow("two, then the answers") << QStringList { "up", "up", "82 6", "82 5" }
        << QStringList { "\\LIVE\\2017", "\\LIVE" } << 5 << true << false;
    QTest::newRow("three: the root") << QStringList { "up", "up", "up", "82 6", "82 5", "82 0" }
        << QStringList { "\\LIVE\\2017", "\\LIVE", "\\" } << 0 << false << false;
    QTest::newRow("four: none past the root") << QStringList { "up", "up", "up", "up", "82 6", "82 5", "82 0", "up" }
        << QStringList { "\\LIVE\\2017", "\\LIVE", "\\" } << 0 << false << false;
    QTest::newRow("the key stays while an answer is due") << QStringList { "up", "up" }
        << QStringList { "\\LIVE\\2017", "\\LIVE" } << 7 << true << false;
    QTest::newRow("among the answers") << QStringList { "up", "82 6", "up", "up", "82 5", "82 0" }
        << QStringList { "\\LIVE\\2017", "\\LIVE", "\\" } << 0 << false << false;
    QTest::newRow("while the name is read") << QStringList { "up", "82 6", "up", "82 5", "read LIVE 5", "up" }
        << QStringList { "\\LIVE\\2017", "\\LIVE", "\\" } << 5 << false << false;
    QTest::newRow("the root answered for a path") << QStringList { "up", "82 0", "up" }
        << QStringList { "\\LIVE\\2017" } << 0 << false << false;
    // A row tapped on the rows still shown: the answer to the Up before it
    // shows nothing, the Up after it counts from it.
    QTest::newRow("a row opened after an Up") << QStringList { "up", "open Y", "82 6" }
        << QStringList { "\\LIVE\\2017" } << 9 << true << false;
    QTest::newRow("an Up after the row") << QStringList { "up", "open Y", "up", "82 6", "82 7" }
        << QStringList { "\\LIVE\\2017", "\\LIVE\\2017\\X" } << 7 << true << false;
    // Refused: the recorder stays where it was.
    QTest::newRow("refused") << QStringList { "up", "up", "F2", "F2", "up" }
        << QStringList { "\\LIVE\\2017", "\\LIVE", "\\LIVE\\2017" } << 7 << true << false;
    // Known by its number alone: the Up waits for the name.
    QTest::newRow("the current folder, its name unread") << QStringList { "current", "up", "up" }
        << QStringList {} << 6 << true << true;
    QTest::newRow("the current folder, its name read") << QStringList { "current", "up", "up", "read LIVE\\2017 6" }
        << QStringList { "\\LIVE", "\\" } << 6 << false << false;
    // "lost": the recorder answers a line after the Ups and none of them.
    // An Up left unanswered is asked once more, to the folder the first
    // named; left unanswered too, nothing more, and Up counts from the
    // folder shown.
    QTest::newRow("unanswered: asked once more") << QStringList { "up", "lost", "82 6" }
        << QStringList { "\\LIVE\\2017", "\\LIVE\\2017" } << 6 << true << false;
    QTest::newRow("unanswered twice: nothing more") << QStringList { "up", "lost", "lost", "lost", "up" }
        << QStringList { "\\LIVE\\2017", "\\LIVE\\2017", "\\LIVE\\2017" } << 7 << true << false;
    QTest::newRow("unanswered, a row opened behind it: not asked again") << QStringList { "up", "open Y", "lost", "lost" }
        << QStringList { "\\LIVE\\2017" } << 9 << true << false;
    QTest::newRow("unanswered, the medium changed: not asked again") << QStringList { "up", "medium SD2", "lost" }
        << QStringList { "\\LIVE\\2017" } << -1 << false << false;
}

void TestBrowseModel::upCountsFromTheFolderAsked()
{
    QFETCH(QStringList, steps);
    Rig rig;
    Browse& b = rig.b;
    const auto field = [](int n) { return QString("%1%2").arg(n % 100, 2, 10, QChar('0')).arg(n / 100, 2, 10, QChar('0')); };
    b.openFolder(7);
    rig.answer({ "800600", "91000700\\LIVE\\2017\\X", "90000700090009000100", "91000900\\LIVE\\2017\\X\\Y",
                 "A0000700000000000000" });
    QCOMPARE(rig.published(), QStringList { "Y 9 0" });
    rig.comm.replyOrder.reset(); // the lines of the login, which no answer follows here
    rig.takeLines();
    for (const QString& step : steps) {
        const QStringList w = step.split(' ');
        if (step == "up")
            b.upFolder();
        else if (w.first() == "open")
            b.openFolder(static_cast<const BrowseObject*>(b.entries().first())->entry());
        else if (step == "current")
            b.goToCurrentFolder();
        else if (w.first() == "82")
            rig.reply("FF6B8200" + field(w.at(1).toInt()));
        else if (step == "F2")
            rig.reply("F2");
        else if (w.first() == "read")
            rig.answer({ "800600", "9100" + field(w.at(2).toInt()) + "\\" + w.at(1) });
        else if (step == "lost") {
            rig.comm.replyOrder.written("050\r\n");
            rig.reply("D010");
            QCoreApplication::processEvents(); // a query asked for goes
        } else if (w.first() == "medium")
            b.setCurrentMediaNumber(w.at(1));
    }
    QStringList ups;
    for (const QString& line : rig.takeLines().filter(QRegularExpression("^07F6B02")))
        ups << line.mid(9);
    QTEST(ups, "lines");
    QTEST(b.nowFolderNumber(), "shown");
    QTEST(b.canGoUp(), "canGoUp");
    QTEST(b.anyHeld(), "waits");
}

QTEST_GUILESS_MAIN(TestBrowseModel)
#include "tst_browsemodel.moc"
