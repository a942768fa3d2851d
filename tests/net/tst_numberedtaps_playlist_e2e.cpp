// The playlist tab's windows and requests while the recorder's list changes
// under them, through the real window against a simulated recorder.
// - A rename tapped on the rows read before an edit that renumbers the
//   playlists, answered late: the state query that leads to the new list
//   waits while the rename is confirmed, or while its name window stays
//   open. Nothing the person did not choose is renamed, a confirmed rename
//   that could not go is told; made again on the fresh row, the rename takes.
// - The delete question names its playlist by its path: it stays while the
//   playlist is listed, wherever, and goes with it.
// - The take picker goes when another playlist is loaded.
// - On a recorder answering late, the list of playlists read again just as
//   the loaded playlist's entries are asked for shows alone, not over them.
// - A create confirmed while a rename waits for the list goes after it.
// - A rename waiting for the list when the tab may no longer change the
//   playlists (or the file rows turn read-only) never goes: it is told once,
//   and the tab's windows have gone.
// - A Load or a Delete on a row whose playlist the application has just
//   renamed (and perhaps given its name to a new one) reaches no other
//   playlist and is never refused untold; a Load on a current list and two
//   quick renames go.
// - The playlists changed on the browse tab (its Undo brings one back): back
//   on the playlist tab, a rename reaches the playlist of its row or none.
// - The two tabs edit one medium, on a recorder answering 250 ms late: a
//   playlist made, then a file of the browse rows read before it deleted or
//   renamed, or a take picked on them after a save-as; a browse Undo, then a
//   playlist deleted or renamed before its turn. The recorder ends with what
//   the user chose, or the user is told once and nothing else changed.
// - A browse Undo waiting, then an entry cleared: the recorder's Undo, which
//   takes back the last edit of the medium's files (entries included), goes
//   first, and the entry ends cleared.
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "apprig.h"
#include "mediafiles.h"
#include "netenv.h"
#include "playlistcommands.h"
#include "windowrig.h"

class TstNumberedTapsPlaylist;
using Step = std::function<void(TstNumberedTapsPlaylist&)>;
Q_DECLARE_METATYPE(Step)

static QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end()); // the recorder's order
    return names;
}

class TstNumberedTapsPlaylist : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { netenv::requirePrivateNetwork(); }
    void init();
    void cleanup() { rig.stop(); }
    void renameAfterRenumbering_data();
    void renameAfterRenumbering();
    void deleteQuestionFollowsItsPlaylist_data();
    void deleteQuestionFollowsItsPlaylist();
    void takePickerGoesWithItsPlaylist();
    void entriesAndSaveAsGoWithTheirPlaylist_data();
    void entriesAndSaveAsGoWithTheirPlaylist();
    void oneListAtATime_data();
    void oneListAtATime();
    void editsGoInTheOrderConfirmed_data();
    void editsGoInTheOrderConfirmed();
    void nothingGoesOnceTheTabLocks_data();
    void nothingGoesOnceTheTabLocks();
    void rowRequestAfterARename_data();
    void rowRequestAfterARename();
    void playlistsChangedOnTheBrowseTab_data();
    void playlistsChangedOnTheBrowseTab();
    void bothTabsEditOneMedium_data();
    void bothTabsEditOneMedium();
    void undoBeforeAnEntryClearedAfterIt();
    void noQmlWarnings() { QCOMPARE(windowrig::takeWarnings().join('\n'), QString()); }

public:
    QQuickItem* in(const QString& name) const { return rig.shown(name, rig.screen(3)); }
    void tap(const QString& row, const char* part)
    {
        QTRY_VERIFY2(in(row), qPrintable(row));
        QVERIFY2(rig.click(rig.shown(part, in(row))), part);
    }
    void typeName(const QString& text, bool confirm = true)
    {
        TRY_VERIFY(in("nameWindow"));
        QVERIFY(rig.typeInto(rig.textInput(in("nameWindow")), text));
        if (confirm)
            QVERIFY(rig.click(rig.withText("OK", in("nameWindow"))));
    }
    QStringList names() const { return book->names("SD1"); }
    QStringList rows() const
    {
        QMap<qreal, QString> byPlace;
        for (QQuickItem* i : rig.allShown("ppl_", rig.screen(3)))
            byPlace.insert(i->y(), i->property("pplName").toString());
        return byPlace.values();
    }
    // No answer has come for a while.
    void quiet()
    {
        QSignalSpy read(&rig.graph->pl, &Playlist::pplRecived), redrawn(&rig.graph->pl, &Playlist::readyToRedraw),
            entries(&rig.graph->pl, &Playlist::entryListRecived);
        for (int seen = -1; seen != read.count() + redrawn.count() + entries.count(); QTest::qWait(300))
            seen = read.count() + redrawn.count() + entries.count();
    }
    // Quiet, and the rows show the recorder's playlists.
    void listShown()
    {
        quiet();
        QTRY_COMPARE_WITH_TIMEOUT(rows(), names(), 20000);
    }

    // The title over the list, its playlist rows and the entry rows among them.
    QString shownList() const
    {
        QString out = in("playlistTitle")->property("text").toString() + ": " + rows().join(" | ");
        if (const int entries = rig.allShown("entry_", rig.screen(3)).size())
            out += QStringLiteral(" + %1 entry rows").arg(entries);
        return out;
    }

    // Another controller changes the playlist files; the recorder tells the
    // application as it tells every other controller.
    void elsewhere(const std::function<void(QStringList&)>& change)
    {
        QStringList& files = rig.state->medium("SD1").playlists;
        change(files);
        std::sort(files.begin(), files.end());
        for (const QString& name : qAsConst(files))
            book->playlist("SD1", name);
        book->announce(4000);
    }
    // The filled entries of a playlist on the recorder, "number name".
    QString filled(const QString& playlist) const
    {
        const QStringList entries = book->entryNames("SD1", playlist);
        QStringList out;
        for (int i = 0; i < entries.size(); ++i) {
            if (!entries.at(i).isEmpty())
                out << QString::number(i) + " " + entries.at(i);
        }
        return playlist + ": " + out.join(", ");
    }
    QStringList received(const char* pattern) const
    {
        return rig.recorder->receivedLines(rig.connection).filter(QRegularExpression(pattern));
    }
    void rename(const QString& row, const QString& to)
    {
        tap("ppl_" + row, "pplRename");
        typeName(to);
    }
    // Once the recorder has settled: the playlist it has loaded, its
    // playlists, and how often the person was told that something failed.
    QString outcome()
    {
        rig.recorder->answerLatencyMs = 0;
        rig.recorder->holdAnswersTo = QRegularExpression();
        rig.recorder->releaseAnswers();
        listShown();
        const int told = plFailed->count() + browseFailed->count();
        for (int i = 0; i < told; ++i) {
            if (!rig.dismissMessage(this->told))
                return QStringLiteral("told %1 times, but no message shows").arg(told);
        }
        return QStringLiteral("loaded %1; %2; told %3").arg(rig.state->current().playlist, names().join(" | ")).arg(told);
    }

    // Taps on the browse tab, each once it shows.
    void browseTap(const QStringList& names) { QCOMPARE(rig.tapEach(names, rig.screen(2)), QString()); }
    // Nothing waits on the browse tab, and the rows are read in the recorder's numbering.
    bool browseSettled() const
    {
        const Browse& b = rig.graph->browse;
        return !b.listing() && !b.anyHeld() && b.numberingCurrent() && b.commandPending == 0;
    }
    // The browse tab shows the recorder's folder at path, read to its end.
    bool browseShows(const QString& path) const
    {
        return browseSettled() && rig.graph->browse.nowFolderName() == path
            && rig.rowNames("row_", rig.shown("browseListView", rig.screen(2))) == files->entryNames("SD1", path);
    }
    // Shows the browse tab on the folder at path, then the recorder answers late.
    void browseOn(const QString& path)
    {
        QVERIFY(rig.showTab(2));
        QTRY_VERIFY_WITH_TIMEOUT(browseShows("LIVE"), simlink::waitMs);
        if (path != "LIVE") {
            browseTap({ "row_" + path.section('\\', -1) });
            QTRY_VERIFY_WITH_TIMEOUT(browseShows(path), simlink::waitMs);
        }
        rig.recorder->answerLatencyMs = 250;
    }
    // Once both tabs have settled: the files of LIVE and LIVE\2017, entry 5
    // of the loaded playlist, then as outcome().
    QString mediumOutcome()
    {
        rig.recorder->answerLatencyMs = 0;
        rig.recorder->holdAnswersTo = QRegularExpression();
        rig.recorder->releaseAnswers();
        const bool settled = QTest::qWaitFor([this] { return browseSettled(); }, 20000);
        if (!rig.showTab(3))
            return QStringLiteral("the playlist tab does not show");
        // Back to the playlists from the entries, a take picker left open.
        QMetaObject::invokeMethod(rig.screen(3), "closeAll");
        if (!rig.screen(3)->property("pplView").toBool())
            rig.click(in("playlistFooterButton"));
        const QString playlists = outcome();
        return QStringLiteral("LIVE: %1; 2017: %2; entry 5: %3; %4%5")
            .arg(files->entryNames("SD1", "LIVE").join(' '), files->entryNames("SD1", "LIVE\\2017").join(' '),
                 book->entryNames("SD1", rig.state->current().playlist).value(5), playlists,
                 settled ? QString() : QStringLiteral("; the browse tab never settled"));
    }

    AppRig rig;
    sim::PlaylistBook* book = nullptr;
    sim::MediaFiles* files = nullptr;
    QStringList renames; // what the recorder should receive
    const QString told = QStringLiteral("Unable to complete this action.");
    // The failures the window shows, from either model, since init.
    std::unique_ptr<QSignalSpy> plFailed, browseFailed;
};

void TstNumberedTapsPlaylist::init()
{
    QVERIFY(rig.start([](sim::SimRecorder&, sim::RecorderState& state) { state.panel.playArea = 2; }));
    book = sim::playlistBook(*rig.recorder);
    files = sim::mediaFiles(*rig.recorder);
    QVERIFY(rig.showTab(3));
    listShown();
    renames.clear();
    plFailed = std::make_unique<QSignalSpy>(&rig.graph->pl, &Playlist::execFailed);
    browseFailed = std::make_unique<QSignalSpy>(&rig.graph->browse, &Browse::execFailed);
}

void TstNumberedTapsPlaylist::renameAfterRenumbering_data()
{
    QTest::addColumn<Step>("edit");
    QTest::addColumn<QStringList>("afterEdit");
    QTest::addColumn<QString>("chosen"); // renamed next, on the rows from before the edit
    QTest::addColumn<bool>("openAcross");

    const QStringList start = { "Bühne Süd.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "Ωδή 2026.ppl" };
    const QList<std::tuple<const char*, Step, QStringList, QString>> edits = {
        { "create", [](auto& t) { QVERIFY(t.rig.click(t.in("playlistFooterButton"))); t.typeName("b0"); },
          sorted(start + QStringList { "b0.ppl" }), "set3.ppl" },
        { "save as", [](auto& t) { t.tap("ppl_set1.ppl", "pplLoad"); t.typeName("Kopie"); },
          sorted(start + QStringList { "Kopie.ppl" }), "set3.ppl" },
        { "delete", [](auto& t) {
              t.tap("ppl_Bühne Süd.ppl", "pplDelete");
              TRY_VERIFY(t.in("deleteOk"));
              QVERIFY(t.rig.click(t.in("deleteOk")));
              QTRY_VERIFY_WITH_TIMEOUT(!t.rig.graph->pl.execCommand(), 20000);
          }, QStringList(start.mid(1)), "set3.ppl" },
        { "rename", [](auto& t) {
              t.renames << "07F4543" + sim::numberField(4) + "a1";
              t.tap("ppl_set3.ppl", "pplRename");
              t.typeName("a1");
          }, sorted({ "Bühne Süd.ppl", "a1.ppl", "set1.ppl", "set2.ppl", "Ωδή 2026.ppl" }), "set2.ppl" },
    };
    for (const bool across : { false, true }) {
        for (const auto& [name, edit, afterEdit, chosen] : edits)
            QTest::addRow("%s, then rename; %s", name, across ? "window open across the new list" : "confirmed at once")
                << edit << afterEdit << chosen << across;
    }
}

void TstNumberedTapsPlaylist::renameAfterRenumbering()
{
    QFETCH(Step, edit);
    QFETCH(QStringList, afterEdit);
    QFETCH(QString, chosen);
    QFETCH(bool, openAcross);

    // A busy recorder: late answers, and the state query that the edit's
    // result leads to waits, so the rows stay those from before the edit.
    rig.recorder->answerLatencyMs = 200;
    rig.recorder->holdAnswersTo = QRegularExpression("^07F4500$");
    edit(*this);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(rig.recorder->holdsAnswers(), 20000);
    QCOMPARE(names(), afterEdit);
    tap("ppl_" + chosen, "pplRename");
    typeName("neu", !openAcross);
    rig.recorder->holdAnswersTo = QRegularExpression();
    rig.recorder->releaseAnswers();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.item("plInputWindowLoader", rig.screen(3))->property("active").toBool(), 20000);
    rig.recorder->answerLatencyMs = 0;
    listShown();
    QCOMPARE(names(), afterEdit);
    // A confirmed rename that could not go is told; a window that only closed is not.
    if (openAcross)
        QVERIFY(!rig.textShown(told));
    else
        QVERIFY2(rig.dismissMessage(told), qPrintable("not told; the recorder's playlists: " + names().join(" | ")));

    // Renamed again on its fresh row, it takes the name.
    renames << "07F4543" + sim::numberField(names().indexOf(chosen) + 1) + "neu";
    tap("ppl_" + chosen, "pplRename");
    typeName("neu");
    QStringList expected = afterEdit;
    expected.replace(expected.indexOf(chosen), "neu.ppl");
    QTRY_COMPARE_WITH_TIMEOUT(names(), sorted(expected), 20000);
    QCOMPARE(rig.recorder->receivedLines(rig.connection).filter(QRegularExpression("^07F4543")), renames);
}

// The delete question open on set2.ppl while another controller changes the
// playlist files and the list is read again.
void TstNumberedTapsPlaylist::deleteQuestionFollowsItsPlaylist_data()
{
    QTest::addColumn<Step>("meanwhile");
    QTest::addColumn<bool>("stillAsked");
    QTest::addColumn<QStringList>("deletes"); // what the application asks the recorder to delete
    QTest::newRow("another playlist created before it, OK")
        << Step([](auto& t) { t.elsewhere([](QStringList& files) { files << "a0.ppl"; }); }) << true
        << QStringList("07F6B26A:\\_playlists\\set2.ppl");
    QTest::newRow("it is deleted elsewhere")
        << Step([](auto& t) { t.elsewhere([](QStringList& files) { files.removeOne("set2.ppl"); }); }) << false
        << QStringList();
}

void TstNumberedTapsPlaylist::deleteQuestionFollowsItsPlaylist()
{
    QFETCH(Step, meanwhile);
    QFETCH(bool, stillAsked);
    QFETCH(QStringList, deletes);
    tap("ppl_set2.ppl", "pplDelete");
    TRY_VERIFY(in("deleteOk"));
    rig.recorder->clearLog();
    meanwhile(*this);
    QStringList expected = names();
    expected.removeOne("set2.ppl");
    TRY_VERIFY(!received("^07F4505").isEmpty());
    listShown();

    const bool asked = in("deleteOk");
    if (asked) {
        QVERIFY(rig.click(in("deleteOk")));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.graph->pl.execCommand(), 20000);
        listShown();
    }
    QCOMPARE(names().join(" | "), expected.join(" | "));
    QCOMPARE(received("^07F6B26"), deletes);
    QCOMPARE(asked, stillAsked);
}

// The take picker open for an empty entry of the loaded playlist while the
// front panel loads another one: nothing is assigned into either.
void TstNumberedTapsPlaylist::takePickerGoesWithItsPlaylist()
{
    tap("ppl_set1.ppl", "pplDelete"); // on the loaded playlist's row: Edit, its entries
    TRY_VERIFY(in("entry_5"));
    QVERIFY(book->entryNames("SD1", "set1.ppl").at(5).isEmpty());
    QVERIFY(rig.click(rig.shown("entryButton", in("entry_5"))));
    TRY_VERIFY(rig.shown("row_Closing.wav", in("takePicker")));
    const QPoint file = AppRig::centre(rig.shown("row_Closing.wav", in("takePicker")));
    const QString set1 = filled("set1.ppl"), set3 = filled("set3.ppl");

    rig.recorder->clearLog();
    rig.state->setPlaylist("set3.ppl");
    TRY_COMPARE(rig.graph->comm.getPlayList(), QStringLiteral("set3.ppl"));
    listShown();
    const bool pickerOpen = rig.item("playlistBrowseLoader", rig.screen(3))->property("active").toBool();
    rig.clickAt(file);
    listShown();
    QCOMPARE(filled("set3.ppl"), set3);
    QCOMPARE(filled("set1.ppl"), set1);
    QCOMPARE(received("^07F314B"), QStringList());
    QCOMPARE(rig.state->current().playlist, QStringLiteral("set3.ppl"));
    QVERIFY2(!pickerOpen, "the take picker stayed open");
}

// The loaded set1.ppl's entries shown, or its save-as window open, while
// the front panel loads set3.ppl; the list is not read again meanwhile. A
// clear of a filled entry, or the save-as confirmed, reaches neither.
void TstNumberedTapsPlaylist::entriesAndSaveAsGoWithTheirPlaylist_data()
{
    QTest::addColumn<Step>("open");
    QTest::addColumn<Step>("confirm"); // whatever still shows

    const auto filledRow = [](auto& t) {
        return "entry_" + QString::number(t.book->entryNames("SD1", "set1.ppl").indexOf(QRegularExpression(".+")));
    };
    QTest::newRow("entry cleared") << Step([=](auto& t) {
        t.tap("ppl_set1.ppl", "pplDelete"); // on the loaded playlist's row: Edit, its entries
        TRY_VERIFY(t.in(filledRow(t)));
    }) << Step([=](auto& t) {
        if (QQuickItem* row = t.in(filledRow(t)))
            QVERIFY(t.rig.click(t.rig.shown("entryButton", row)));
    });
    QTest::newRow("saved as") << Step([](auto& t) {
        t.tap("ppl_set1.ppl", "pplLoad"); // on the loaded playlist's row: Save as
        t.typeName("Kopie", false);
    }) << Step([](auto& t) {
        if (QQuickItem* window = t.in("nameWindow"))
            QVERIFY(t.rig.click(t.rig.withText("OK", window)));
    });
}

void TstNumberedTapsPlaylist::entriesAndSaveAsGoWithTheirPlaylist()
{
    QFETCH(Step, open);
    QFETCH(Step, confirm);
    open(*this);
    const QString set1 = filled("set1.ppl"), set3 = filled("set3.ppl");
    const QStringList before = names();
    rig.recorder->clearLog();
    rig.recorder->holdAnswersTo = QRegularExpression("^07F4500$");
    rig.state->setPlaylist("set3.ppl");
    TRY_COMPARE(rig.graph->comm.getPlayList(), QStringLiteral("set3.ppl"));
    TRY_VERIFY(rig.recorder->holdsAnswers());
    confirm(*this);
    QCOMPARE(outcome(), "loaded set3.ppl; " + before.join(" | ") + "; told 0");
    QCOMPARE(received("^07F(4541|314B)"), QStringList());
    QCOMPARE(filled("set1.ppl"), set1);
    QCOMPARE(filled("set3.ppl"), set3);
}

// The loaded playlist's gear tapped while an answer on its way makes the
// screen read the list of playlists again: the application's own rename just
// confirmed, or another controller's change announced just before. The
// entries arrive between that list's request and its files.
void TstNumberedTapsPlaylist::oneListAtATime_data()
{
    QTest::addColumn<Step>("before");
    QTest::newRow("own rename") << Step([](auto& t) { t.tap("ppl_set3.ppl", "pplRename"); t.typeName("neu"); });
    QTest::newRow("another controller's change") << Step([](auto& t) { t.elsewhere([](QStringList& files) { files << "a0.ppl"; }); });
}

void TstNumberedTapsPlaylist::oneListAtATime()
{
    QFETCH(Step, before);
    rig.recorder->answerLatencyMs = 200;
    before(*this);
    tap("ppl_set1.ppl", "pplDelete");
    QTRY_VERIFY_WITH_TIMEOUT(!received("^07F4505").isEmpty(), 20000);
    listShown();
    QCOMPARE(shownList(), "PLAYLISTS: " + names().join(" | "));
}

// Created on the footer while the rename confirmed before it waits for the
// list after the first create: the recorder gets them in the order confirmed,
// so the rename still finds its playlist at the number it was made on.
void TstNumberedTapsPlaylist::editsGoInTheOrderConfirmed_data()
{
    QTest::addColumn<QString>("created");
    QTest::newRow("sorting before the renamed one") << "A";
    QTest::newRow("sorting after it") << "D";
}

void TstNumberedTapsPlaylist::editsGoInTheOrderConfirmed()
{
    QFETCH(QString, created);
    rig.recorder->clearLog();
    rig.recorder->answerLatencyMs = 200;
    // The state and the count of the playlists are not told meanwhile.
    rig.recorder->holdAnswersTo = QRegularExpression("^07F450[04]$");
    QVERIFY(rig.click(in("playlistFooterButton")));
    typeName("C");
    QTRY_VERIFY_WITH_TIMEOUT(rig.recorder->holdsAnswers(), 20000);
    tap("ppl_Bühne Süd.ppl", "pplRename");
    typeName("Z");
    TRY_VERIFY(!received("^07F4504$").isEmpty()); // the list asked for: the rename waits for it
    QVERIFY(rig.click(in("playlistFooterButton")));
    typeName(created);
    TRY_VERIFY(!rig.item("plInputWindowLoader", rig.screen(3))->property("active").toBool());
    rig.recorder->holdAnswersTo = QRegularExpression();
    rig.recorder->releaseAnswers();
    rig.recorder->answerLatencyMs = 0;
    listShown();

    QCOMPARE(received("^07F454[013]").join(", "), QStringList({ "07F4540C", "07F4543" + sim::numberField(1) + "Z", "07F4540" + created }).join(", "));
    QCOMPARE(names(), sorted({ created + ".ppl", "C.ppl", "Z.ppl", "set1.ppl", "set2.ppl", "set3.ppl", "Ωδή 2026.ppl" }));
    QVERIFY(!rig.textShown(told));
}

// On a busy recorder a rename is confirmed while the list it waits for is
// being read; before that list arrives, the tab may no longer change the
// playlists, or the file rows turn read-only as playback starts. Each row
// waits until the application has seen the change.
void TstNumberedTapsPlaylist::nothingGoesOnceTheTabLocks_data()
{
    QTest::addColumn<Step>("lock");
    // The footer's name window is left open across it (playback leaves
    // creating allowed, so there it would stay).
    QTest::addColumn<bool>("windowOpen");

    using S = sim::RecorderState;
    QTest::newRow("recording starts")
        << Step([](auto& t) { t.rig.state->pressRecord(); TRY_COMPARE(t.rig.graph->comm.getStatusIcon(), int(S::RecordPaused)); }) << true;
    QTest::newRow("play area ALL") << Step([](auto& t) {
        t.rig.state->panel.playArea = 0;
        t.rig.state->announce();
        TRY_COMPARE(t.rig.graph->comm.getPlayArea(), QStringLiteral("ALL"));
    }) << true;
    QTest::newRow("play mode RANDOM") << Step([](auto& t) {
        t.rig.state->panel.playMode = 6;
        t.rig.state->announce();
        TRY_COMPARE(t.rig.graph->comm.getPlayMode(), QStringLiteral("RANDOM"));
    }) << true;
    QTest::newRow("recorder read-only")
        << Step([](auto& t) { t.rig.state->setReadOnly(true); TRY_VERIFY(t.rig.graph->permission.isReadOnly()); }) << true;
    QTest::newRow("home tab: edit right returned")
        << Step([](auto& t) { t.rig.clickTab(0); TRY_VERIFY(!t.rig.graph->permission.okPermission()); }) << true;
    QTest::newRow("playback starts: file rows read-only")
        << Step([](auto& t) { t.rig.state->pressPlay(); TRY_COMPARE(t.rig.graph->comm.getStatusIcon(), int(S::Playing)); }) << false;
}

void TstNumberedTapsPlaylist::nothingGoesOnceTheTabLocks()
{
    QFETCH(Step, lock);
    QFETCH(bool, windowOpen);
    QSignalSpy failed(&rig.graph->pl, &Playlist::execFailed);
    rig.recorder->clearLog();
    rig.recorder->answerLatencyMs = 200;
    // The state and the count of the playlists are not told meanwhile.
    rig.recorder->holdAnswersTo = QRegularExpression("^07F450[04]$");
    QVERIFY(rig.click(in("playlistFooterButton")));
    typeName("zz"); // after set3.ppl: the rename's number stays its playlist's
    QTRY_VERIFY_WITH_TIMEOUT(rig.recorder->holdsAnswers(), 20000);
    tap("ppl_set3.ppl", "pplRename");
    typeName("neu");
    TRY_VERIFY(!received("^07F4504$").isEmpty()); // the list asked for: the rename waits for it
    if (windowOpen) {
        QVERIFY(rig.click(in("playlistFooterButton")));
        typeName("c", false);
    }
    const QStringList before = names();
    rig.recorder->clearLog();
    lock(*this);
    if (QTest::currentTestFailed())
        return;
    rig.recorder->holdAnswersTo = QRegularExpression();
    rig.recorder->releaseAnswers();
    rig.recorder->answerLatencyMs = 0;
    quiet();

    const QString ended = "; the recorder received after it: " + received("^07F(45|310000|314B)").join(", ")
        + "; its playlists: " + names().join(" | ");
    QVERIFY2(received("^07F(454[013]|310000)").isEmpty(), qPrintable("an edit went" + ended));
    QVERIFY2(names() == before, qPrintable("the playlists changed" + ended));
    QVERIFY2(failed.count() == 1, qPrintable(QStringLiteral("told %1 times").arg(failed.count()) + ended));
    QVERIFY(rig.dismissMessage(told));
    for (const char* window : { "plInputWindowLoader", "plDeleteWindowLoader", "playlistBrowseLoader", "plInfoWindowLoader" })
        QVERIFY2(!rig.item(window, rig.screen(3))->property("active").toBool(), window);
}

// set2.ppl renamed set9 on a recorder that answers late, then a request on
// the rows from before the rename. Set1.ppl is loaded.
void TstNumberedTapsPlaylist::rowRequestAfterARename_data()
{
    QTest::addColumn<Step>("taps");
    QTest::addColumn<QStringList>("accepted"); // outcomes

    const QString renamed = "Bühne Süd.ppl | set1.ppl | set3.ppl | set9.ppl | Ωδή 2026.ppl";
    const QStringList loadDroppedOrFollowed = { "loaded set1.ppl; " + renamed + "; told 1", "loaded set9.ppl; " + renamed + "; told 0" };
    const auto listHeld = [](TstNumberedTapsPlaylist& t) {
        t.rig.recorder->holdAnswersTo = QRegularExpression("^07F450[04]$");
        t.rename("set2.ppl", "set9");
        QTRY_VERIFY_WITH_TIMEOUT(t.rig.recorder->holdsAnswers() && t.names().contains("set9.ppl"), 20000);
    };
    const auto late = [](TstNumberedTapsPlaylist& t) { t.rig.recorder->answerLatencyMs = 300; };

    QTest::newRow("Load, the list answer held") << Step([=](auto& t) {
        listHeld(t);
        t.tap("ppl_set2.ppl", "pplLoad");
        QTest::qWait(300);
    }) << loadDroppedOrFollowed;
    QTest::newRow("Load 0.4 s after the OK") << Step([=](auto& t) {
        late(t);
        t.rename("set2.ppl", "set9");
        QTest::qWait(400);
        t.tap("ppl_set2.ppl", "pplLoad");
    }) << loadDroppedOrFollowed;
    QTest::newRow("Load, the list current") << Step([=](auto& t) {
        late(t);
        t.tap("ppl_set2.ppl", "pplLoad");
    }) << QStringList("loaded set2.ppl; Bühne Süd.ppl | set1.ppl | set2.ppl | set3.ppl | Ωδή 2026.ppl; told 0");
    QTest::newRow("Delete, the list answer held") << Step([=](auto& t) {
        listHeld(t);
        t.tap("ppl_set2.ppl", "pplDelete");
        TRY_VERIFY(t.in("deleteOk"));
        QVERIFY(t.rig.click(t.in("deleteOk")));
        QTRY_VERIFY_WITH_TIMEOUT(!t.rig.graph->pl.execCommand(), 20000);
    }) << QStringList("loaded set1.ppl; " + renamed + "; told 1");
    // A new set2.ppl, created before the list is read again, is another playlist.
    QTest::newRow("Delete after a create of its old name") << Step([=](auto& t) {
        listHeld(t);
        QVERIFY(t.rig.click(t.in("playlistFooterButton")));
        t.typeName("set2");
        QTRY_VERIFY_WITH_TIMEOUT(t.names().contains("set2.ppl"), 20000);
        t.tap("ppl_set2.ppl", "pplDelete");
        TRY_VERIFY(t.in("deleteOk"));
        QVERIFY(t.rig.click(t.in("deleteOk")));
    }) << QStringList("loaded set1.ppl; Bühne Süd.ppl | set1.ppl | set2.ppl | set3.ppl | set9.ppl | Ωδή 2026.ppl; told 1");
    // set2.ppl keeps its place through the first rename.
    QTest::newRow("two quick renames, the second into the first's old name") << Step([=](auto& t) {
        late(t);
        t.rename("set3.ppl", "set9");
        QTest::qWait(400);
        t.rename("set2.ppl", "set3");
    }) << QStringList("loaded set1.ppl; Bühne Süd.ppl | set1.ppl | set3.ppl | set9.ppl | Ωδή 2026.ppl; told 0");
}

void TstNumberedTapsPlaylist::rowRequestAfterARename()
{
    QFETCH(Step, taps);
    QFETCH(QStringList, accepted);
    QCOMPARE(rig.state->current().playlist, QStringLiteral("set1.ppl"));
    taps(*this);
    if (QTest::currentTestFailed())
        return;
    const QString ended = outcome();
    QVERIFY2(accepted.contains(ended), qPrintable(ended + "; the recorder received " + received("^07F(4543|310000|6B26)").join(", ")));
}

// set2.ppl deleted on the playlist tab; the browse tab's Undo brings it back,
// which the recorder does not announce. Back on the playlist tab the set3.ppl
// row is renamed set9, at once or once the tab has settled.
void TstNumberedTapsPlaylist::playlistsChangedOnTheBrowseTab_data()
{
    QTest::addColumn<bool>("settle");
    QTest::newRow("at once") << false;
    QTest::newRow("settled") << true;
}

void TstNumberedTapsPlaylist::playlistsChangedOnTheBrowseTab()
{
    QFETCH(bool, settle);
    tap("ppl_set2.ppl", "pplDelete");
    TRY_VERIFY(in("deleteOk"));
    QVERIFY(rig.click(in("deleteOk")));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.graph->pl.execCommand(), 20000);
    listShown();
    QVERIFY(!names().contains("set2.ppl"));
    QVERIFY(rig.showTab(2));
    TRY_VERIFY(rig.shown("undoTool", rig.screen(2)));
    QVERIFY(rig.click(rig.shown("undoTool", rig.screen(2))));
    if (settle) {
        QTRY_VERIFY_WITH_TIMEOUT(names().contains("set2.ppl"), 20000);
        quiet();
    }
    QVERIFY(rig.showTab(3));
    rig.recorder->clearLog();
    rename("set3.ppl", "set9");
    if (settle)
        listShown();
    const QString ended = outcome();
    const QStringList accepted = {
        "loaded set1.ppl; Bühne Süd.ppl | set1.ppl | set2.ppl | set9.ppl | Ωδή 2026.ppl; told 0",
        "loaded set1.ppl; Bühne Süd.ppl | set1.ppl | set2.ppl | set3.ppl | Ωδή 2026.ppl; told 1",
    };
    QVERIFY2(accepted.contains(ended), qPrintable(ended + "; the recorder received " + received("^07F4543").join(", ")));
}

// One medium, two tabs, a recorder answering 250 ms late. The recorder numbers
// the files of the medium across its folders, "_playlists" before LIVE\2017:
// a new playlist file gives Encore.mp3 the number of the last playlist file.
void TstNumberedTapsPlaylist::bothTabsEditOneMedium_data()
{
    QTest::addColumn<Step>("taps");
    QTest::addColumn<QStringList>("accepted"); // outcomes

    const QString live = "2017 Opening.wav Interview.wav Closing.wav";
    const auto end = [](const QString& live, const QString& in2017, const QString& entry5, const QString& loaded,
                        const QString& playlists, int told) {
        return QStringLiteral("LIVE: %1; 2017: %2; entry 5: %3; loaded %4; %5; told %6")
            .arg(live, in2017, entry5, loaded, playlists).arg(told);
    };

    // The browse rows of LIVE\2017 read, then the playlist set0 made and
    // shown; then an edit on those rows.
    const auto afterACreate = [](Step edit) {
        return Step([edit](auto& t) {
            t.browseOn("LIVE\\2017");
            QVERIFY(t.rig.showTab(3));
            QVERIFY(t.rig.click(t.in("playlistFooterButton")));
            t.typeName("set0");
            QTRY_VERIFY_WITH_TIMEOUT(t.in("ppl_set0.ppl"), simlink::waitMs);
            QVERIFY(t.rig.showTab(2));
            edit(t);
        });
    };
    const QString withSet0 = "Bühne Süd.ppl | set0.ppl | set1.ppl | set2.ppl | set3.ppl | Ωδή 2026.ppl";
    QTest::newRow("playlist made, then a browse Delete") << afterACreate([](auto& t) {
        t.browseTap({ "row_Encore.mp3", "fileDelete", "deleteOk" });
    }) << QStringList { end(live, "", "", "set1.ppl", withSet0, 0), end(live, "Encore.mp3", "", "set1.ppl", withSet0, 1) };
    QTest::newRow("playlist made, then a browse Rename") << afterACreate([](auto& t) {
        t.browseTap({ "row_Encore.mp3", "fileRename" });
        QQuickItem* window = nullptr;
        TRY_VERIFY((window = t.rig.shown("nameWindow", t.rig.screen(2))));
        QVERIFY(t.rig.typeInto(t.rig.textInput(window), "Finale"));
        QVERIFY(t.rig.click(t.rig.withText("OK", window)));
    }) << QStringList { end(live, "Finale.mp3", "", "set1.ppl", withSet0, 0), end(live, "Encore.mp3", "", "set1.ppl", withSet0, 1) };
    // LIVE\2017 holds a second take, whose number the save-as gives Encore.mp3.
    // The loaded set1.ppl saved as Kopie.ppl; its empty entry 5 filled from the
    // take picker, which shows the browse rows read before.
    QTest::newRow("save as, then a take picked") << Step([](auto& t) {
        sim::SimFolder& year = t.files->volume("SD1").root.folders.front().folders.front();
        sim::SimFile take = year.files.front();
        take.id = 9000;
        take.name = "Encore 2.mp3";
        year.files.push_back(take);
        t.browseOn("LIVE\\2017");
        QVERIFY(t.rig.showTab(3));
        t.tap("ppl_set1.ppl", "pplLoad"); // on the loaded playlist's row: Save as
        t.typeName("Kopie");
        QTRY_VERIFY_WITH_TIMEOUT(t.rig.graph->pl.currentPlaylist() >= 0 && t.in("ppl_Kopie.ppl")
                                     && t.rig.graph->pl.getPplName(t.rig.graph->pl.currentPlaylist()) == "Kopie.ppl", simlink::waitMs);
        t.tap("ppl_Kopie.ppl", "pplDelete"); // on the loaded playlist's row: its entries
        QTRY_VERIFY_WITH_TIMEOUT(t.in("entry_5"), simlink::waitMs);
        QVERIFY(t.rig.click(t.rig.shown("entryButton", t.in("entry_5"))));
        TRY_VERIFY(t.rig.shown("row_Encore 2.mp3", t.in("takePicker")));
        QVERIFY(t.rig.click(t.rig.shown("row_Encore 2.mp3", t.in("takePicker"))));
    }) << QStringList {
        end(live, "Encore.mp3 Encore 2.mp3", "Encore 2.mp3", "Kopie.ppl", "Bühne Süd.ppl | Kopie.ppl | set1.ppl | set2.ppl | set3.ppl | Ωδή 2026.ppl", 0),
        end(live, "Encore.mp3 Encore 2.mp3", "", "Kopie.ppl", "Bühne Süd.ppl | Kopie.ppl | set1.ppl | set2.ppl | set3.ppl | Ωδή 2026.ppl", 1)
    };

    // Closing.wav deleted on the browse tab, Undo 0.3 s later; on the playlist
    // tab, as soon as set2.ppl shows, an edit of the playlists. The browse
    // rows' re-read after the delete is held 3 s, or not.
    const auto undoThen = [](bool held, Step edit) {
        return Step([held, edit](auto& t) {
            t.browseOn("LIVE");
            if (held)
                t.rig.recorder->holdAnswersTo = QRegularExpression("^07F6B00$");
            QElapsedTimer sinceDelete;
            sinceDelete.start();
            t.browseTap({ "row_Closing.wav", "fileDelete", "deleteOk" });
            QTest::qWait(300);
            t.browseTap({ "undoTool" });
            QVERIFY(t.rig.showTab(3));
            QTRY_VERIFY_WITH_TIMEOUT(t.in("ppl_set2.ppl"), simlink::waitMs);
            edit(t);
            if (!held)
                return;
            QTest::qWait(std::max<qint64>(0, 3000 - sinceDelete.elapsed()));
            t.rig.recorder->holdAnswersTo = QRegularExpression();
            t.rig.recorder->releaseAnswers();
        });
    };
    const Step deleteSet2 = [](auto& t) {
        t.tap("ppl_set2.ppl", "pplDelete");
        TRY_VERIFY(t.in("deleteOk"));
        QVERIFY(t.rig.click(t.in("deleteOk")));
    };
    const Step renameSet3 = [](auto& t) { t.rename("set3.ppl", "set9"); };
    const QString withoutSet2 = "Bühne Süd.ppl | set1.ppl | set3.ppl | Ωδή 2026.ppl";
    const QString set3Renamed = "Bühne Süd.ppl | set1.ppl | set2.ppl | set9.ppl | Ωδή 2026.ppl";
    const QString liveLessClosing = "2017 Opening.wav Interview.wav";
    for (const bool held : { false, true }) {
        const char* reread = held ? "re-read held 3 s" : "re-read as it comes";
        QTest::addRow("browse Undo, then a playlist Delete; %s", reread) << undoThen(held, deleteSet2)
            << QStringList { end(live, "Encore.mp3", "", "set1.ppl", withoutSet2, 0),
                             end(liveLessClosing, "Encore.mp3", "", "set1.ppl", withoutSet2, 1) };
        QTest::addRow("browse Undo, then a playlist Rename; %s", reread) << undoThen(held, renameSet3)
            << QStringList { end(live, "Encore.mp3", "", "set1.ppl", set3Renamed, 0),
                             end(liveLessClosing, "Encore.mp3", "", "set1.ppl", set3Renamed, 1) };
    }
}

void TstNumberedTapsPlaylist::bothTabsEditOneMedium()
{
    QFETCH(Step, taps);
    QFETCH(QStringList, accepted);
    taps(*this);
    if (QTest::currentTestFailed())
        return;
    const QString ended = mediumOutcome();
    QVERIFY2(accepted.contains(ended), qPrintable(ended + "; the recorder received "
                                                  + received("^07F(6B2[3-6]|454[013]|314B)").join(", ")));
}

// Closing.wav deleted on the browse tab and Undo tapped, on a recorder
// answering 250 ms late; the browse rows' re-read after the delete is held,
// so the Undo waits. Meanwhile entry 1 of the loaded set1.ppl is cleared.
void TstNumberedTapsPlaylist::undoBeforeAnEntryClearedAfterIt()
{
    browseOn("LIVE");
    rig.recorder->holdAnswersTo = QRegularExpression("^07F6B00$");
    browseTap({ "row_Closing.wav", "fileDelete", "deleteOk" });
    QTest::qWait(300);
    browseTap({ "undoTool" });
    QVERIFY(rig.showTab(3));
    quiet();
    tap("ppl_set1.ppl", "pplDelete"); // on the loaded playlist's row: its entries
    QTRY_VERIFY_WITH_TIMEOUT(in("entry_0"), simlink::waitMs);
    QCOMPARE(book->entryNames("SD1", "set1.ppl").value(0), QStringLiteral("Opening.wav"));
    QVERIFY(rig.click(rig.shown("entryButton", in("entry_0"))));
    QVERIFY(rig.recorder->holdsAnswers()); // the Undo still waits
    QString ended = mediumOutcome();
    ended += "; entry 1: " + book->entryNames("SD1", "set1.ppl").value(0);
    QCOMPARE(ended, QStringLiteral("LIVE: 2017 Opening.wav Interview.wav Closing.wav; 2017: Encore.mp3; entry 5: ; "
                                   "loaded set1.ppl; Bühne Süd.ppl | set1.ppl | set2.ppl | set3.ppl | Ωδή 2026.ppl; "
                                   "told 0; entry 1: "));
    QCOMPARE(received("^07F(6B25|314B)"), QStringList({ "07F6B25", "07F314B000000" }));
}

QTEST_MAIN(TstNumberedTapsPlaylist)
#include "tst_numberedtaps_playlist_e2e.moc"
