// A person's double tap on the keys of the browse and playlist tabs, through
// the real window against a simulated recorder answering on time or 300 ms
// late: the second tap is one with the first. It never reaches what the
// first tap opened or put under the finger (the sort key under the copy
// picker's Cancel, the first row of a folder just opened, the Save As key of
// a playlist just loaded, the New key under the entries' back arrow, the
// backdrop of a name window just opened), and a key is not tapped twice (one
// Undo, one load). Each road ends with exactly the lines a single tap sends
// and with what a single tap shows; single taps on time are the control.
// The copy picker's Cancel and Undo take three quick taps and a finger's
// taps so as well.
// Up is the key whose taps add up: tapped n times, on the tab's list or in a
// picker, it goes n levels up and no further than the root, each tap counted
// from the folder the one before asked for, however late the recorder
// answers, also while that folder's name is read.
#include <QtTest>
#include <functional>

#include "apprig.h"
#include "mediafiles.h"
#include "netenv.h"
#include "playlistcommands.h"
#include "windowrig.h"

class TstDoubleTapsMedia;
using Step = std::function<void(TstDoubleTapsMedia&)>;
Q_DECLARE_METATYPE(Step)

class TstDoubleTapsMedia : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { rig.stop(); }
    void init();
    void browseKeys_data();
    void browseKeys() { tapOnce(2); }
    void playlistKeys_data();
    void playlistKeys() { tapOnce(3); }
    void upTapsAddUp_data();
    void upTapsAddUp();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    // The visible item at the end of a path of names, from the tab's screen down.
    QQuickItem* find(int tab, const QStringList& path) const
    {
        QQuickItem* item = rig.screen(tab);
        for (const QString& name : path)
            item = item ? rig.shown(name, item) : nullptr;
        return item;
    }
    // Taps each item once it shows (the last name only within those before).
    void tap(int tab, const QStringList& path)
    {
        QTRY_VERIFY2(find(tab, path), qPrintable(path.join('/')));
        QVERIFY(rig.click(find(tab, path)));
    }
    bool browseSettled() const
    {
        const Browse& b = rig.graph->browse;
        return !b.listing() && !b.anyHeld() && b.numberingCurrent() && b.commandPending == 0
            && rig.rowNames("row_", find(2, { "browseList", "browseListView" }))
            == files->entryNames("SD1", b.nowFolderName());
    }
    QStringList playlistRows() const
    {
        QMap<qreal, QString> byPlace;
        for (QQuickItem* row : rig.allShown("ppl_", rig.screen(3)))
            byPlace.insert(row->y(), row->property("pplName").toString());
        return byPlace.values();
    }
    // Shows the browse tab on the root or on LIVE (as init() leaves it), read to its end.
    void browseOn(const QString& path)
    {
        QVERIFY(rig.showTab(2));
        if (path.isEmpty())
            rig.graph->browse.openFolder(0);
        QTRY_VERIFY_WITH_TIMEOUT(browseSettled() && rig.graph->browse.nowFolderName() == path, 20000);
    }
    // Shows the playlist tab's list of playlists, read to its end.
    void playlistsOn()
    {
        QVERIFY(rig.showTab(3));
        QTRY_VERIFY_WITH_TIMEOUT(find(3, { "playlistTitle" })->property("text") == "PLAYLISTS"
                                     && playlistRows() == book->names("SD1") && !rig.graph->pl.execCommand(), 20000);
    }

    // The lines of this tab's requests the recorder got since the log was
    // cleared, what the tab shows, the windows open on it and whether the
    // user was told of a failure: one line, so that a failure shows all.
    QString outcome(int tab) const
    {
        const char* requests = tab == 2 ? "^07F6B(0[0-5]|1[345]|2[2-7])" : "^07F(3100|45(03|4[0-3]))|^07F6B26";
        const QStringList sent = rig.recorder->receivedLines(rig.connection).filter(QRegularExpression(requests));
        QString shows;
        if (tab == 2) {
            const QString folder = rig.graph->browse.nowFolderName();
            shows = "folder " + (folder.isEmpty() ? QString("ROOT") : folder) + (browseSettled() ? "" : " (being read)")
                + (files->tree("SD1") == startTree ? ", medium as at start" : ", medium changed");
        } else {
            shows = find(3, { "playlistTitle" })->property("text").toString()
                + (playlistRows() == book->names("SD1") ? "" : " (rows differ)") + ", loaded "
                + rig.state->current().playlist;
        }
        QStringList open;
        for (const char* name : { "nameWindow", "fileMenu", "folderMenu", "copyPicker", "deleteCheck", "takePicker" }) {
            if (QQuickItem* window = find(tab, { name })) {
                const QString title = window->property("title").toString();
                open << (title.isEmpty() ? QString(name) : QString("%1 (%2)").arg(name, title));
            }
        }
        return QString("sent: %1 | shows: %2 | open: %3 | told: %4")
            .arg(sent.join(' '), shows, open.isEmpty() ? QString("nothing") : open.join(", "),
                 rig.textShown(told) ? "yes" : "no");
    }

    // The browse tab shows the folder at path, opened row by row from the root.
    void walkTo(const QString& path)
    {
        browseOn("");
        QString at;
        for (const QString& name : path.split('\\')) {
            at += (at.isEmpty() ? "" : "\\") + name;
            tap(2, { "browseList", "row_" + name });
            QTRY_VERIFY_WITH_TIMEOUT(browseSettled() && rig.graph->browse.nowFolderName() == at, 20000);
        }
    }
    // The Up lines the recorder got since the log was cleared, what the list
    // of the Up key shows and whether the folder has been read to its end.
    QString upOutcome(int tab, const QStringList& list) const
    {
        QStringList ups;
        for (const QString& line : rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F6B02")))
            ups << line.mid(9);
        const Browse& b = rig.graph->browse;
        QStringList read, rows;
        for (QObject* entry : b.entries()) {
            read << entry->property("name").toString();
            if (list.first() != "copyPicker" || entry->property("type").toInt() == 0)
                rows << read.last();
        }
        QQuickItem* title = find(tab, list + QStringList { "folderName" });
        const bool settled = !b.listing() && !b.anyHeld() && b.numberingCurrent()
            && read == files->entryNames("SD1", b.nowFolderName())
            && rig.rowNames("row_", find(tab, list + QStringList { "browseListView" })) == rows;
        return QString("sent: %1 | shows: %2%3").arg(ups.join(' '), title ? title->property("text").toString() : "nothing",
                                                     settled ? "" : " (being read)");
    }

    // Each road's key tapped twice on time, twice 300 ms late, and once on
    // time; those named in `burst` also three times and by finger.
    using Road = std::tuple<const char*, Step, QStringList, QString>;
    static void addRows(const QList<Road>& roads, const QStringList& burst = {});
    void tapOnce(int tab);

    AppRig rig;
    sim::MediaFiles* files = nullptr;
    sim::PlaylistBook* book = nullptr;
    sim::SimVolume start;
    QStringList startTree;
    const QString told = QStringLiteral("Unable to complete this action.");
};

void TstDoubleTapsMedia::initTestCase()
{
    netenv::requirePrivateNetwork();
    // The playlist tab works in the playlist play area only.
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState& state) { state.panel.playArea = 2; }));
    files = sim::mediaFiles(*rig.recorder);
    book = sim::playlistBook(*rig.recorder);
    start = files->volume("SD1");
    startTree = files->tree("SD1");
    QCOMPARE(rig.state->current().playlist, QString("set1.ppl"));
}

// On time, no window open, the medium as at the start shown from LIVE, and
// set1.ppl loaded.
void TstDoubleTapsMedia::init()
{
    rig.recorder->answerLatencyMs = 0;
    for (int tab : { 2, 3 })
        QVERIFY(QMetaObject::invokeMethod(rig.screen(tab), "closeAll"));
    if (rig.textShown(told))
        QVERIFY(rig.dismissMessage(told));
    if (files->tree("SD1") != startTree) {
        files->volume("SD1") = start;
        QSignalSpy readAgain(&rig.graph->browse, &Browse::numberingCurrentChanged);
        rig.recorder->sendLineToLoggedIn("0FF6AF602"); // as when another controller changed it
        TRY_VERIFY(!readAgain.isEmpty());
    }
    if (rig.state->current().playlist != "set1.ppl")
        rig.state->setPlaylist("set1.ppl");
    TRY_COMPARE(rig.graph->comm.getPlayList(), QString("set1.ppl"));
    QVERIFY(rig.showTab(2));
    rig.graph->browse.goToCurrentFolder();
    QTRY_VERIFY_WITH_TIMEOUT(browseSettled() && rig.graph->browse.nowFolderName() == "LIVE", 20000);
}

void TstDoubleTapsMedia::addRows(const QList<Road>& roads, const QStringList& burst)
{
    QTest::addColumn<Step>("before");      // brings the key to the screen
    QTest::addColumn<QStringList>("key");  // its path of names on the tab's screen
    QTest::addColumn<int>("latency");
    QTest::addColumn<int>("taps");         // quick taps at one point
    QTest::addColumn<bool>("finger");
    QTest::addColumn<QString>("outcome");  // as outcome() gives it
    for (const auto& [name, before, key, outcome] : roads) {
        QTest::addRow("%s: double tap, on time", name) << before << key << 0 << 2 << false << outcome;
        QTest::addRow("%s: double tap, 300 ms late", name) << before << key << 300 << 2 << false << outcome;
        QTest::addRow("%s: single tap", name) << before << key << 0 << 1 << false << outcome;
        if (!burst.contains(name))
            continue;
        QTest::addRow("%s: three taps, on time", name) << before << key << 0 << 3 << false << outcome;
        QTest::addRow("%s: three taps, 300 ms late", name) << before << key << 300 << 3 << false << outcome;
        QTest::addRow("%s: finger's double tap, on time", name) << before << key << 0 << 2 << true << outcome;
        QTest::addRow("%s: finger's three taps, 300 ms late", name) << before << key << 300 << 3 << true << outcome;
    }
}

void TstDoubleTapsMedia::browseKeys_data()
{
    const auto browseIn = [](const QString& path, const QStringList& taps = {}) {
        return Step([=](auto& t) {
            t.browseOn(path);
            for (const QString& name : taps)
                t.tap(2, { name });
        });
    };
    const auto nameWindow = [](const char* title) {
        return QString("sent:  | shows: folder LIVE, medium as at start | open: nameWindow (%1) | told: no").arg(title);
    };
    const QString opened = "sent: 07F6B00 07F6B05 | shows: folder %1, medium as at start | open: nothing | told: no";
    addRows({
        // Cancel lies over the sort by name key of the tab's footer.
        { "copy picker Cancel", Step([](auto& t) {
              t.browseOn("LIVE");
              t.tap(2, { "row_Opening.wav" });
              t.tap(2, { "fileCopy" });
              TRY_COMPARE(t.rig.rowNames("row_", t.find(2, { "copyPicker", "browseListView" })), QStringList { "2017" });
          }), QStringList { "copyPicker", "cancelButton" },
          "sent:  | shows: folder LIVE, medium as at start | open: nothing | told: no" },
        // The sort is the edit the Undo takes back; a second Undo is refused.
        { "Undo", Step([](auto& t) {
              t.browseOn("LIVE");
              t.tap(2, { "sortByNameTool" });
              QTRY_VERIFY_WITH_TIMEOUT(t.browseSettled() && t.files->tree("SD1") != t.startTree, 20000);
          }), QStringList { "undoTool" },
          "sent: 07F6B25 07F6B00 07F6B05 | shows: folder LIVE, medium as at start | open: nothing | told: no" },
        // LIVE's first row, 2017, comes where LIVE was; Café Müller's second
        // row is a file, whose menu would open.
        { "folder LIVE", browseIn(""), QStringList { "browseList", "row_LIVE" }, opened.arg("LIVE") },
        { "folder Café Müller", browseIn(""), QStringList { "browseList", "row_Café Müller" },
          opened.arg("Café Müller") },
        { "file menu Rename", browseIn("LIVE", { "row_Opening.wav" }), QStringList { "fileRename" },
          nameWindow("Rename file") },
        { "folder menu Rename", browseIn("LIVE", { "menu_2017" }), QStringList { "folderRename" },
          nameWindow("Rename folder") },
        { "New folder", browseIn("LIVE"), QStringList { "createFolderTool" }, nameWindow("New folder name") },
    }, { "copy picker Cancel", "Undo" });
}

void TstDoubleTapsMedia::playlistKeys_data()
{
    addRows({
        // The loaded playlist's Load key is its Save As.
        { "playlist Load", Step([](auto& t) { t.playlistsOn(); }), QStringList { "ppl_set2.ppl", "pplLoad" },
          "sent: 07F310000A:/_playlists/set2.ppl 07F4503 07F4503 | shows: PLAYLISTS, loaded set2.ppl | open: nothing | told: no" },
        // The entries' back arrow is the list's New key.
        { "entries back arrow", Step([](auto& t) {
              t.playlistsOn();
              t.tap(3, { "ppl_set1.ppl", "pplDelete" }); // the loaded playlist's Edit
              QTRY_VERIFY_WITH_TIMEOUT(t.find(3, { "entry_5" }), 20000);
          }), QStringList { "playlistFooterButton" },
          "sent: 07F4503 | shows: PLAYLISTS, loaded set1.ppl | open: nothing | told: no" },
        { "playlist New", Step([](auto& t) { t.playlistsOn(); }), QStringList { "playlistFooterButton" },
          "sent:  | shows: PLAYLISTS, loaded set1.ppl | open: nameWindow (New playlist name) | told: no" },
    });
}

void TstDoubleTapsMedia::tapOnce(int tab)
{
    QFETCH(Step, before);
    QFETCH(QStringList, key);
    QFETCH(int, latency);
    QFETCH(int, taps);
    QFETCH(bool, finger);
    QFETCH(QString, outcome);
    before(*this);
    if (QTest::currentTestFailed())
        return;
    TRY_VERIFY(find(tab, key));
    QTest::qWait(500); // the taps before are no double tap with the key's
    rig.recorder->answerLatencyMs = latency;
    rig.recorder->clearLog();
    QVERIFY(finger ? rig.fingerTaps(find(tab, key), taps) : rig.quickTaps(find(tab, key), taps));
    // What must not happen has had its time; what must, waits on the recorder.
    QTest::qWait(latency + 1000);
    QTRY_COMPARE_WITH_TIMEOUT(this->outcome(tab), outcome, 20000);
    QTest::qWait(latency + 1000);
    QCOMPARE(this->outcome(tab), outcome);
}

void TstDoubleTapsMedia::upTapsAddUp_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("picker"); // "" the tab's own list
    QTest::addColumn<int>("taps");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<int>("latency");
    QTest::addColumn<bool>("finger");
    QTest::addColumn<QString>("sent");   // the paths of the Up lines

    const QString year = "LIVE\\2017", deep = "LIVE\\2017\\Deep";
    for (const int latency : { 0, 200, 500 }) {
        QTest::addRow("browse tab, 2 quick taps, %d ms late", latency) << year << "" << 2 << 150 << latency << false << "\\LIVE \\";
        QTest::addRow("browse tab, 3 quick taps, %d ms late", latency) << deep << "" << 3 << 150 << latency << false << "\\LIVE\\2017 \\LIVE \\";
    }
    QTest::newRow("browse tab, 3 quick taps from 2 levels down, 500 ms late") << year << "" << 3 << 150 << 500 << false << "\\LIVE \\";
    // Each tap after the answer to the one before, while that folder's name is read.
    QTest::newRow("browse tab, 3 taps 600 ms apart, 500 ms late") << deep << "" << 3 << 600 << 500 << false
                                                                  << "\\LIVE\\2017 \\LIVE \\";
    QTest::newRow("browse tab, 3 finger taps, 500 ms late") << deep << "" << 3 << 150 << 500 << true
                                                            << "\\LIVE\\2017 \\LIVE \\";
    QTest::newRow("take picker, 2 quick taps, 500 ms late") << year << "takePicker" << 2 << 150 << 500 << false << "\\LIVE \\";
    QTest::newRow("copy picker, 2 quick taps, 500 ms late") << year << "copyPicker" << 2 << 150 << 500 << false << "\\LIVE \\";
}

void TstDoubleTapsMedia::upTapsAddUp()
{
    QFETCH(QString, from);
    QFETCH(QString, picker);
    QFETCH(int, taps);
    QFETCH(int, gapMs);
    QFETCH(int, latency);
    QFETCH(bool, finger);
    QFETCH(QString, sent);
    if (from.endsWith("Deep")) {
        sim::SimFolder deep;
        deep.id = 9100;
        deep.name = "Deep";
        deep.date = files->volume("SD1").root.folders.front().folders.front().date;
        files->volume("SD1").root.folders.front().folders.front().folders.push_back(deep);
    }
    rig.recorder->clearLog();
    walkTo(from);
    int tab = 2;
    QStringList list { "browseList" };
    if (picker == "copyPicker") {
        tap(2, { "row_Encore.mp3" });
        tap(2, { "fileCopy" });
        list = QStringList { picker };
    } else if (picker == "takePicker") {
        tab = 3;
        list = QStringList { picker };
        playlistsOn();
        tap(3, { "ppl_set1.ppl", "pplDelete" }); // the loaded playlist's entries
        QTRY_VERIFY_WITH_TIMEOUT(find(3, { "entry_5" }), 20000);
        tap(3, { "entry_5", "entryButton" });
    }
    QTRY_VERIFY_WITH_TIMEOUT(find(tab, list + QStringList { "upIcon" }), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(upOutcome(tab, list), QString("sent:  | shows: %1").arg(from.section('\\', -1)), 20000);
    QTest::qWait(500); // the taps before are no double tap with the key's
    rig.recorder->answerLatencyMs = latency;
    rig.recorder->clearLog();
    QQuickItem* up = find(tab, list + QStringList { "upIcon" });
    QVERIFY(finger ? rig.fingerTaps(up, taps, gapMs) : rig.taps(up, taps, gapMs));
    const QString reached = "sent: " + sent + " | shows: ROOT";
    QTRY_COMPARE_WITH_TIMEOUT(upOutcome(tab, list), reached, 20000);
    QTest::qWait(latency + 1000);
    QCOMPARE(upOutcome(tab, list), reached);
    QCOMPARE(rig.graph->browse.nowFolderName(), QString());
}

QTEST_MAIN(TstDoubleTapsMedia)
#include "tst_doubletaps_media_e2e.moc"
